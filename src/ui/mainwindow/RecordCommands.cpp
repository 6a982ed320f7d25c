#include "mainwindow/RecordCommands.h"

#include "mainwindow/Editors.h"
#include "mainwindow/RecordTabs.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/TreePanel.h"

#include "common/Clock.h"
#include "gui/Dialogs.h"
#include "gui/ListText.h"
#include "gui/StoreErrors.h"
#include "store/Store.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <stdexcept>

namespace editor {

namespace {

using Kind = project::Kind;
using Outcome = project::ProjectSession::SaveOutcome;

// Nothing chosen: the list asks for a choice, or says it has nothing to choose from.
void showPlaceholder(QComboBox* list, const QString& placeholder)
{
    gui::setListText(list, list->count() > 0 ? placeholder : QStringLiteral("<No Entries>"));
}

} // namespace

RecordCommands::RecordCommands(CommandWindow& window, const Controls& controls, project::ProjectSession& session,
    RecordTabs& recordTabs, TreePanel& panel, StatusPanels& status, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_controls(controls)
    , m_session(session)
    , m_tabs(recordTabs)
    , m_panel(panel)
    , m_status(status)
{
}

QWidget* RecordCommands::messageParent() const
{
    return m_controls.tabs->window();
}

bool RecordCommands::is(Kind kind) const
{
    return m_editor->kind() == kind;
}

bool RecordCommands::isSampleCar() const
{
    return m_tabs.car->shown.key == store::Store::SampleCarId;
}

void RecordCommands::showEntries(const RecordEditor& editor)
{
    m_status.showEntries(editor.texts().table, editor.shown.count);
}

void RecordCommands::setAttachEnabled(bool enabled)
{
    if (!isSampleCar())
        m_tabs.activity->attachButton()->setEnabled(enabled);
}

void RecordCommands::run(int index, RecordEditor& editor)
{
    m_editor = &editor;
    if (sampleCarGuard(index) || readOnlyGuard(index))
        return;
    // A failure of the store is shown; the command leaves the window where it was.
    try {
        switch (index) {
        case 0:
            add();
            break;
        case 1:
            update();
            break;
        case 2:
            cancel();
            break;
        case 3:
            save();
            break;
        case 4:
            remove();
            break;
        case 5:
            m_window.quitroutine();
            break;
        default:
            break;
        }
    } catch (const store::StoreError& e) {
        gui::showCommandError(messageParent(), QStringLiteral("the command"), e);
    } catch (const std::overflow_error& e) {
        gui::showCommandError(messageParent(), QStringLiteral("the command"), e);
    }
}

void RecordCommands::saveShown(RecordEditor& editor, const QString& verb)
{
    m_update = true;
    editor.saveVerb = verb;
    run(3, editor); // shows what fails itself: nothing is thrown past it
    editor.saveVerb = QStringLiteral("Save");
}

bool RecordCommands::sampleCarGuard(int index)
{
    if (!isSampleCar())
        return false;
    const bool refusedAdd = index == 0 && !is(Kind::Car);
    if (refusedAdd || index == 1) {
        gui::MessageBox::notice(messageParent(), QStringLiteral("The Gear-Log Demo Project Cannot Be Changed"));
    } else if (index == 4) {
        gui::MessageBox::notice(messageParent(), QStringLiteral("The Gear-Log Demo Project Cannot Be Deleted"));
    } else {
        return false;
    }
    m_window.SetButtons(QStringLiteral("110011"));
    return true;
}

bool RecordCommands::refuseChange() const
{
    if (!m_session.isReadOnly())
        return false;
    gui::MessageBox::information(messageParent(), QLatin1String(project::ReadOnlyText));
    return true;
}

bool RecordCommands::readOnlyGuard(int index)
{
    if ((index != 0 && index != 1 && index != 4) || !refuseChange())
        return false;
    const bool noSupplier = is(Kind::Supplier) && !m_editor->shown.loaded;
    m_window.SetButtons(noSupplier ? QStringLiteral("100001") : QStringLiteral("110011"));
    return true;
}

void RecordCommands::add()
{
    RecordEditor& e = *m_editor;
    m_controls.trees->setEnabled(false);
    m_mode = Mode::Adding;
    m_update = false;
    m_savedTableText = m_status.text(2);
    if (!isSampleCar()) {
        m_window.setReseqEnabled(false);
        m_tabs.activity->attachButton()->setEnabled(false);
    }
    if (!is(Kind::Car) && !is(Kind::Supplier))
        e.shown.description = gui::listText(e.pickList());
    m_status.setText(1, e.texts().adding);
    // Taken before the fields are cleared: the relation the new record starts with.
    const auto relation = e.keepForNew();
    m_window.UpdateForm(e.page());
    m_window.ClearFields();
    m_window.LockFields(false);
    m_window.SetButtons(QStringLiteral("001100"));
    e.openForAdd();
    if (relation)
        relation();
}

void RecordCommands::update()
{
    RecordEditor& e = *m_editor;
    m_update = true;
    m_mode = Mode::Updating;
    m_controls.trees->setEnabled(false);
    m_savedTableText = m_status.text(2);
    if (!isSampleCar())
        m_window.setReseqEnabled(false);
    if (is(Kind::Supplier)) {
        m_savedTableText = m_status.text(1);
    } else {
        if (!is(Kind::Car))
            e.shown.description = gui::listText(e.pickList());
        m_controls.tabs->setEnabled(true);
        m_window.showTab(e.page());
    }
    m_status.setText(1, e.texts().updating);
    m_window.LockFields(false);
    m_window.SetButtons(QStringLiteral("001100"));
    e.openForUpdate();
    if (is(Kind::Activity))
        setAttachEnabled(false);
    m_window.UpdateForm(e.page());
}

void RecordCommands::save()
{
    RecordEditor& e = *m_editor;
    if (!e.validate(messageParent(), m_tabs.car->shown.key))
        return;
    if (is(Kind::Component))
        m_costsChanged = !m_update || m_tabs.component->costsDiffer();
    if (e.inPlan() && !isSampleCar())
        m_window.setReseqEnabled(true);
    if (is(Kind::Activity))
        m_datesChanged = !m_update || m_tabs.activity->timesDiffer();

    // A failed write leaves the edit open with everything typed.
    try {
        if (const auto outcome = write(); outcome != Outcome::Saved) {
            m_tabs.refresh(); // another program wrote to the car
            refuseStaleSave(outcome);
            return;
        }
    } catch (const store::StoreError& error) {
        gui::showCommandError(messageParent(), QStringLiteral("the save"), error);
        return;
    } catch (const std::overflow_error& error) {
        gui::showCommandError(messageParent(), QStringLiteral("the save"), error);
        return;
    }

    m_window.UpdateForm(99);
    m_status.setText(2, QString());
    m_window.LockFields(true);
    m_mode = Mode::Browsing;
    if (is(Kind::Supplier)) {
        afterSupplierSave();
        return;
    }
    // Picked afresh, as a new pick: a changed name moves the record in its list.
    if (is(Kind::Car))
        e.shown.description.clear();
    else
        m_panel.rebuild(e.inPlan());
    m_tabs.fill(e);
    e.shown.loaded = false;
    m_window.reselect(e, e.shown.key);
    if (is(Kind::Component) && m_tabs.activity->shown.loaded) {
        m_tabs.find(*m_tabs.activity);
        m_tabs.populate(*m_tabs.activity);
    }
    if (is(Kind::Activity))
        setAttachEnabled(true);
    if (e.inPlan())
        m_panel.chooseToMove(e.kind(), 0);
    e.pickList()->setFocus();
    showEntries(e);
    if (is(Kind::Component))
        recalcCosts();
    else if (is(Kind::Activity))
        recalcDates();
}

void RecordCommands::afterSupplierSave()
{
    SupplierEditor& s = *m_tabs.supplier;
    m_status.setText(1, m_savedTableText.isEmpty() ? s.texts().picked : m_savedTableText);
    m_window.SetButtons(QStringLiteral("110011"));
    s.pickList()->setEnabled(true);
    m_tabs.fill(s);
    // Shown again by its key: names need not be unique.
    m_tabs.find(s, true);
    if (!s.record) {
        gui::MessageBox::notice(messageParent(), QStringLiteral("Supplier Record Not Found"));
    } else {
        m_tabs.populate(s);
        s.shown.description = s.record->Name;
    }
    m_window.LockFields(true);
    if (m_tabs.car->shown.loaded)
        m_controls.trees->setEnabled(true);
    s.shown.loaded = s.record.has_value();
    s.pickList()->setFocus();
    showEntries(s);
}

void RecordCommands::cancel()
{
    m_status.setText(2, QString());
    m_window.UpdateForm(99);
    m_mode = Mode::Browsing;
    m_window.LockFields(true);
    if (is(Kind::Car)) {
        CarEditor& car = *m_tabs.car;
        car.enablePictures(true);
        m_status.setText(1, car.texts().closing);
        if (car.shown.loaded) {
            m_controls.trees->setEnabled(true);
            m_tabs.find(car);
            m_tabs.populate(car);
            m_panel.rebuild(false);
            m_panel.rebuild(true);
            m_window.SetButtons(QStringLiteral("110011"));
            showEntries(car);
        } else {
            m_controls.trees->setEnabled(false);
            m_window.ClearFields();
            car.enablePictures(false);
            gui::setListText(car.pickList(), car.texts().placeholder);
            m_window.SetButtons(QStringLiteral("100001"));
        }
        car.pickList()->setFocus();
    } else if (is(Kind::Supplier)) {
        SupplierEditor& s = *m_tabs.supplier;
        m_status.setText(1, m_savedTableText);
        s.pickList()->setEnabled(s.pickList()->count() > 0);
        if (s.shown.loaded) {
            m_tabs.find(s, true);
            m_tabs.populate(s);
            m_window.SetButtons(QStringLiteral("110011"));
        } else {
            m_window.ClearFields();
            showPlaceholder(s.pickList(), s.texts().placeholder);
            m_window.SetButtons(QStringLiteral("100001"));
        }
        s.pickList()->setFocus();
        if (m_tabs.car->shown.loaded)
            m_controls.trees->setEnabled(true);
    } else {
        cancelRecord(*m_editor);
    }
}

void RecordCommands::cancelRecord(RecordEditor& e)
{
    const bool activity = e.kind() == Kind::Activity;
    if (e.inPlan() && !isSampleCar()) {
        m_window.setReseqEnabled(true);
        if (activity)
            m_tabs.activity->attachButton()->setEnabled(false);
    }
    m_controls.trees->setEnabled(true);
    m_status.setText(1, e.texts().picked);
    if (e.shown.loaded) {
        m_tabs.find(e);
        m_tabs.populate(e);
        m_window.SetButtons(QStringLiteral("110011"));
    } else {
        m_window.ClearFields();
        showPlaceholder(e.pickList(), e.texts().cancelPlaceholder);
        m_window.SetButtons(QStringLiteral("100001"));
    }
    // Attaching needs an activity to attach to.
    if (activity)
        setAttachEnabled(m_tabs.activity->shown.loaded);
    e.pickList()->setFocus();
}

void RecordCommands::remove()
{
    try {
        if (!removeRecord()) {
            m_window.SetButtons(QStringLiteral("110011"));
            return;
        }
    } catch (const store::StoreError& error) {
        gui::showCommandError(messageParent(), QStringLiteral("the delete"), error);
        m_window.SetButtons(QStringLiteral("110011"));
        return;
    }
    m_window.SetButtons(QStringLiteral("100001"));
    m_window.ClearFields();
    RecordEditor& e = *m_editor;
    if (is(Kind::Car)) {
        m_controls.trees->setEnabled(false);
        e.enablePictures(false);
        e.shown.description.clear();
        e.forget();
        m_session.setCurrentCar(0);
        m_controls.projectDescription->clear();
        m_tabs.fill(e);
        m_panel.clear();
    } else if (is(Kind::Supplier)) {
        m_tabs.fill(e);
        e.forget();
        e.shown.description.clear();
    } else {
        if (is(Kind::Activity))
            setAttachEnabled(false);
        RecordEditor* child = m_tabs.dependent(e);
        for (RecordEditor* r : { &e, child }) {
            if (r)
                m_tabs.fill(*r);
        }
        for (RecordEditor* r : { &e, child }) {
            if (r)
                r->forget();
        }
        if (!is(Kind::Activity))
            m_panel.setSideTab(e.inPlan(), 0);
        m_panel.rebuild(e.inPlan());
        if (e.inPlan() && !isSampleCar())
            m_window.setReseqEnabled(false);
    }
    e.pickList()->setFocus();
    showEntries(e);
    // What a deleted component or activity counted in goes without it.
    if (is(Kind::Component))
        m_tabs.showTotals({ m_tabs.assembly, m_tabs.car, m_tabs.phase, m_tabs.activity });
    else if (is(Kind::Activity))
        m_tabs.showTotals({ m_tabs.assembly, m_tabs.car, m_tabs.phase, m_tabs.component });
}

Outcome RecordCommands::write()
{
    ComponentEditor& component = *m_tabs.component;
    const store::Key attachedBefore = m_update && component.record ? component.record->ActivityID.value_or(0) : 0;
    const Outcome outcome = m_editor->save(m_session, m_update, m_tabs.car->shown.key, common::Clock::now());
    if (outcome == Outcome::Saved && is(Kind::Component)) {
        // The activity tab lists its components: refill it when this one joined or left it.
        const store::Key activity = m_tabs.activity->shown.key;
        const store::Key attachedAfter = component.record->ActivityID.value_or(0);
        if (attachedBefore != attachedAfter && activity != 0
            && (activity == attachedBefore || activity == attachedAfter))
            m_tabs.listComponents();
    }
    return outcome;
}

bool RecordCommands::removeRecord()
{
    const RecordEditor& e = *m_editor;
    const QString remembered = m_status.text(1);
    m_status.setText(1, e.texts().deleting);
    if (gui::MessageBox::question(messageParent(), e.texts().question, gui::AppTitle) != gui::Answer::Yes) {
        m_status.setText(1, remembered);
        return false;
    }
    try {
        m_session.remove(e.kind(), e.shown.key);
        if (is(Kind::Component))
            m_tabs.listComponents();
    } catch (...) {
        m_status.setText(1, remembered);
        throw;
    }
    // The component tab must not go on showing an activity that is gone.
    if (e.inPlan() && m_tabs.component->shown.loaded) {
        m_tabs.find(*m_tabs.component, true);
        m_tabs.populate(*m_tabs.component);
    }
    m_panel.forgetMarks();
    m_status.setText(1, e.texts().closing);
    return true;
}

void RecordCommands::refuseStaleSave(Outcome outcome)
{
    gui::MessageBox::information(messageParent(), project::ProjectSession::refusalText(outcome));
    if (outcome == Outcome::DeletedElsewhere) {
        // Gone from the lists and the trees as well; what it owned went with it.
        RecordEditor& e = *m_editor;
        e.shown.loaded = false;
        if (is(Kind::Car)) {
            for (RecordEditor* r : std::initializer_list<RecordEditor*> {
                     m_tabs.assembly, m_tabs.component, m_tabs.phase, m_tabs.activity })
                r->shown.loaded = false;
            e.shown.key = 0;
            m_session.setCurrentCar(0);
            m_controls.projectDescription->clear();
            m_tabs.fill(e);
            m_panel.clear();
        } else if (is(Kind::Supplier)) {
            e.shown.key = 0;
            e.shown.description.clear();
            m_tabs.fill(e);
        } else {
            RecordEditor* child = m_tabs.dependent(e);
            if (child)
                child->shown.loaded = false;
            for (RecordEditor* r : { &e, child }) {
                if (r)
                    m_tabs.fill(*r);
            }
            m_panel.rebuild(e.inPlan());
        }
    }
    // As after Cancel: the record shown afresh from the file, or the tab emptied.
    cancel();
}

void RecordCommands::recalcCosts()
{
    if (m_costsChanged)
        m_tabs.showTotals({ m_tabs.assembly, m_tabs.car, m_tabs.phase, m_tabs.activity });
}

void RecordCommands::recalcDates()
{
    if (m_datesChanged)
        m_tabs.showTotals({ m_tabs.assembly, m_tabs.car, m_tabs.phase, m_tabs.component });
}

} // namespace editor
