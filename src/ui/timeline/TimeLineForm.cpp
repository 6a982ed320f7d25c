#include "timeline/TimeLineForm.h"

#include "common/Clock.h"
#include "common/Formats.h"
#include "gui/Dialogs.h"
#include "gui/KeyPress.h"
#include "gui/ListText.h"
#include "gui/StoreErrors.h"
#include "gui/Twips.h"
#include "project/ProjectSession.h"
#include "store/Store.h"
#include "timeline/ChartGeometry.h"
#include "timeline/ChartPainter.h"
#include "timeline/DateUpdateForm.h"
#include "timeline/PageViewer.h"
#include "timeline/TimeLinePage.h"

#include <QComboBox>
#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

namespace timeline {

namespace g = geometry;

namespace {

#define NAMED(member) member, #member

QListWidget* chartList(QListWidget*& member, const char* name, TimeLinePage* page, const QRectF& twips)
{
    page->keepPlaced(gui::placed(member, name, page, twips), twips);
    member->setUniformItemSizes(false); // the rows share the rounding of a scaled pitch
    member->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    member->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    member->setFrameShape(QFrame::Box);
    member->setLineWidth(1);
    member->setSelectionMode(QAbstractItemView::NoSelection);
    member->setFocusPolicy(Qt::NoFocus);
    return member;
}

QComboBox* dropDown(QComboBox*& member, const char* name, QWidget* parent, const QRectF& twips, const QString& tip)
{
    gui::placed(member, name, parent, twips, QString(), tip);
    member->setEditable(false);
    member->setMaxVisibleItems(20);
    return member;
}

QString counted(qsizetype count, const QString& what)
{
    return common::formatNumber(qint64(count), QStringLiteral("#,##0")) + what;
}

} // namespace

TimeLineForm::TimeLineForm(project::ProjectSession& session, store::Key shownBefore, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_selectedCarID(shownBefore)
{
    buildWindow();
    connectSignals();
}

TimeLineForm::~TimeLineForm() = default;

void TimeLineForm::buildWindow()
{
    setObjectName(QStringLiteral("TimeLineForm"));
    setWindowTitle(QStringLiteral("Gear-Log Project Time Line"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setModal(true);
    setFont(listFont()); // the layout in twips is made for small type

    dropDown(NAMED(CboCar), this, g::CboCar, QStringLiteral("Click On A Project To Display Time Line"));
    dropDown(NAMED(CboStyle), this, g::CboStyle,
        QStringLiteral("Click On A Selection To Display 'Detail' Or 'Summary' Information"));
    gui::placed(NAMED(CmdReturn), this, g::CmdReturn, QStringLiteral("Quit"),
        QStringLiteral("Click To Return To Gear-Log Main Screen"));
    buildPage();
    gui::placed(NAMED(CmdPrevious), this, g::CmdPrevious, QStringLiteral("Previous"),
        QStringLiteral("Click To Display The Previous Page Of Information"));
    gui::placed(NAMED(CmdNext), this, g::CmdNext, QStringLiteral("Next"),
        QStringLiteral("Click To Display The Next Page Of Information"));
    for (QPushButton* b : { CmdReturn, CmdPrevious, CmdNext })
        b->setAutoDefault(false);
    CmdPrevious->setEnabled(false);
    CmdNext->setEnabled(false);
    gui::pressOnKey(this, QKeySequence::MoveToNextPage, { CmdNext });
    gui::pressOnKey(this, QKeySequence::MoveToPreviousPage, { CmdPrevious });
    ZoomText = new QLabel(this);
    ZoomText->setObjectName(QStringLiteral("ZoomText"));
    ZoomText->setToolTip(QStringLiteral("Ctrl++ Zooms In, Ctrl+- Zooms Out, Ctrl+0 Fits The Page To The Window"));
    buildStatusBar();
    arrangeWindow();
}

// The captions and lists sit on the page picture, scaled with the chart they line up with.
void TimeLineForm::buildPage()
{
    m_pagePicture = new TimeLinePage(m_page);
    gui::placed(NAMED(Label2), m_pagePicture, g::Label2, captions::Label2);
    gui::placed(NAMED(Label1), m_pagePicture, g::Label1, captions::Label1);
    for (const auto& [label, twips] : { std::pair { Label2, g::Label2 }, std::pair { Label1, g::Label1 } }) {
        label->setTextFormat(Qt::PlainText); // the blanks line the captions up over the lists
        m_pagePicture->keepPlaced(label, twips);
    }
    chartList(NAMED(LbName), m_pagePicture, g::LbName);
    LbName->setToolTip(QStringLiteral("Click On An Activity To Display And Update Date Infromation"));
    LbName->setSelectionMode(QAbstractItemView::SingleSelection);
    LbName->setFocusPolicy(Qt::StrongFocus);
    chartList(NAMED(LbStartDate), m_pagePicture, g::LbStartDate);
    chartList(NAMED(LbStopDate), m_pagePicture, g::LbStopDate);
    chartList(NAMED(LbEffort), m_pagePicture, g::LbEffort);
    m_viewer = new PageViewer(m_pagePicture, this);
    connect(m_viewer, &PageViewer::zoomChanged, this, &TimeLineForm::showZoom);
}

// The pickers above the page and the page buttons below keep their sizes; the page takes the rest.
void TimeLineForm::arrangeWindow()
{
    const gui::Twips twips(*this);
    for (QWidget* w : std::initializer_list<QWidget*> { CmdReturn, CmdPrevious, CmdNext })
        w->setFixedSize(w->size());
    for (QWidget* w : std::initializer_list<QWidget*> { CboCar, CboStyle }) {
        w->setMaximumWidth(w->width());
        w->setMinimumWidth(w->width() / 2);
        w->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    const int gap = twips.pixels(QRectF(0, 0, g::CboCar.left(), 0)).width();
    auto* top = new QHBoxLayout;
    top->setContentsMargins(gap, gap, gap, gap / 2);
    top->addWidget(CboCar, 5055);
    top->addSpacing(gap * 2);
    top->addWidget(CboStyle, 3135);
    top->addStretch(1);
    top->addWidget(CmdReturn);
    auto* bottom = new QHBoxLayout;
    bottom->setContentsMargins(gap, gap / 2, gap, gap / 2);
    bottom->addWidget(ZoomText);
    bottom->addStretch(1);
    bottom->addWidget(CmdPrevious);
    bottom->addWidget(CmdNext);
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addLayout(top);
    window->addWidget(m_viewer, 1);
    window->addLayout(bottom);
    window->addWidget(SbStatus);
    // Opens with the page at its real size where the screen has room for it.
    QSize size = sizeHint();
    if (const QScreen* screen = this->screen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
}

void TimeLineForm::showZoom(double zoom, bool fitsWindow)
{
    const QString percent = QString::number(qRound(zoom * 100)) + QLatin1Char('%');
    ZoomText->setText(fitsWindow ? QStringLiteral("Zoom %1 - Fits The Window").arg(percent)
                                 : QStringLiteral("Zoom %1 - Ctrl+0 Fits The Window").arg(percent));
}

void TimeLineForm::buildStatusBar()
{
    SbStatus = new QStatusBar(this);
    SbStatus->setObjectName(QStringLiteral("SbStatus"));
    static const int stretch[4] = { 4, 1, 1, 1 };
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(SbStatus);
        panel->setObjectName(QStringLiteral("SbStatusPanel%1").arg(i + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(4, 0, 4, 0);
        panel->setMinimumWidth(1); // a narrow window cuts the texts short rather than growing
        SbPanel[size_t(i)] = panel;
        SbStatus->addPermanentWidget(panel, stretch[i]);
    }
}

void TimeLineForm::connectSignals()
{
    connect(CboCar, &QComboBox::activated, this, &TimeLineForm::CboCar_Click);
    connect(CboStyle, &QComboBox::activated, this, &TimeLineForm::CboStyle_Click);
    connect(CmdNext, &QPushButton::clicked, this, &TimeLineForm::CmdNext_Click);
    connect(CmdPrevious, &QPushButton::clicked, this, &TimeLineForm::CmdPrevious_Click);
    connect(CmdReturn, &QPushButton::clicked, this, &TimeLineForm::CmdReturn_Click);
    // Queued: the click may rebuild the list it came from.
    connect(
        LbName, &QListWidget::clicked, this, [this](const QModelIndex& index) { LbName_Click(index.row()); },
        Qt::QueuedConnection);
}

QString TimeLineForm::panelText(int panel) const
{
    return panel >= 1 && panel <= 4 ? SbPanel[size_t(panel - 1)]->text() : QString();
}

void TimeLineForm::setPanelText(int panel, const QString& text)
{
    if (panel >= 1 && panel <= 4)
        SbPanel[size_t(panel - 1)]->setText(text);
}

void TimeLineForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The first showing counts as becoming active, also where no window manager activates us.
    if (!setUp)
        QTimer::singleShot(0, this, &TimeLineForm::Form_Activate);
}

void TimeLineForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // While the date window is open its click handler decides when we count as active again.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_inDateWindow)
        Form_Activate();
}

void TimeLineForm::Form_Activate()
{
    if (m_closing) {
        setUp = false;
        return;
    }
    if (m_reload) {
        m_reload = false;
        setUp = false;
    }
    if (setUp)
        return;

    m_page = PageLayout {};
    for (QListWidget* list : { LbName, LbStartDate, LbStopDate, LbEffort })
        list->clear();
    m_pagePicture->update();
    LoadCar();
    {
        const QSignalBlocker block(CboStyle);
        CboStyle->clear();
        CboStyle->addItems({ captions::DetailStyle, captions::SummaryStyle });
        CboStyle->setCurrentIndex(0);
    }
    setPanelText(1, QStringLiteral("Select A Project To Display"));
    setUp = true;
    preselectCar();
}

void TimeLineForm::LoadCar()
{
    QList<store::Entry> cars;
    gui::guarded(this, QStringLiteral("loading the project list"),
        [&] { cars = m_session.store().cars.allEntries(store::Order::Description); });
    const QSignalBlocker block(CboCar);
    CboCar->clear();
    for (const store::Entry& car : cars)
        CboCar->addItem(car.text, car.key);
    CboCar->setEnabled(!cars.isEmpty());
    gui::setListText(
        CboCar, cars.isEmpty() ? QStringLiteral("<No Entries>") : QStringLiteral("<Select A Project Car>"));
}

void TimeLineForm::preselectCar()
{
    // The project shown last, else the one open in the main window (either may be gone by now).
    for (const store::Key car : { m_selectedCarID, m_session.currentCar() }) {
        const int index = car != 0 ? CboCar->findData(car) : -1;
        if (index >= 0) {
            const QSignalBlocker block(CboCar);
            CboCar->setCurrentIndex(index);
            CboCar_Click();
            return;
        }
    }
}

void TimeLineForm::CboCar_Click()
{
    const int index = CboCar->currentIndex();
    if (index < 0)
        return;
    m_selectedCarID = CboCar->itemData(index).toLongLong();
    if (!gui::guarded(this, QStringLiteral("loading the project"),
                      [this] { m_model.load(m_session.store(), m_selectedCarID); }))
        return;
    setPanelText(2, counted(m_model.phases().size(), QStringLiteral("  Phases")));
    setPanelText(3, counted(m_model.activities().size(), QStringLiteral("  Activities")));
    computeProjectSpan();
    PopulateScreen();
    setPanelText(1, QStringLiteral("Click On An Activity To Display Date information"));
}

void TimeLineForm::CboStyle_Click()
{
    if (CboCar->currentIndex() < 0)
        return;
    computeProjectSpan();
    PopulateScreen();
}

void TimeLineForm::computeProjectSpan()
{
    const Style style = CboStyle->currentIndex() == 1 ? Style::Summary : Style::Detail;
    if (m_model.computeSpan(style))
        gui::MessageBox::notice(this, QStringLiteral("Only Displaying The First 53 Months Of The Project"));
    m_currentPage = 1;
    setPageButtons();
}

void TimeLineForm::PopulateScreen()
{
    if (!m_model.span().hasDates()) {
        gui::MessageBox::notice(this, QStringLiteral("There Are No Dates Entered For This Project"));
        return;
    }
    m_page = layoutPage(m_model, m_currentPage, gui::listText(CboCar), common::Clock::now().date());
    fillLists();
    setPanelText(4, pageText(m_currentPage, m_model.pageCount()));
    m_pagePicture->update();
}

void TimeLineForm::fillLists()
{
    const auto fill = [&](QListWidget* list, QString ChartRow::*entry) {
        list->clear();
        for (const ChartRow& row : m_page.rows)
            new QListWidgetItem(row.*entry, list);
        m_pagePicture->pitchRows(list);
    };
    fill(LbName, &ChartRow::name);
    fill(LbStartDate, &ChartRow::startDate);
    fill(LbStopDate, &ChartRow::stopDate);
    fill(LbEffort, &ChartRow::effort);
}

void TimeLineForm::showPage(int page)
{
    m_currentPage = page;
    setPanelText(4, pageText(m_currentPage, m_model.pageCount()));
    setPageButtons();
    PopulateScreen();
}

void TimeLineForm::setPageButtons()
{
    CmdNext->setEnabled(m_currentPage < m_model.pageCount());
    CmdPrevious->setEnabled(m_currentPage > 1);
}

void TimeLineForm::CmdNext_Click()
{
    if (m_currentPage >= m_model.pageCount()) {
        gui::MessageBox::notice(this, QStringLiteral("This Is The Last Page"));
        return;
    }
    showPage(m_currentPage + 1);
}

void TimeLineForm::CmdPrevious_Click()
{
    if (m_currentPage <= 1) {
        gui::MessageBox::notice(this, QStringLiteral("This Is The First Page"));
        return;
    }
    showPage(m_currentPage - 1);
}

void TimeLineForm::LbName_Click(int row)
{
    // Judged by what the row holds, not by its leading blanks: a phase's name may begin with blanks too.
    if (row < 0 || row >= m_page.rows.size() || m_page.rows.at(row).kind != BarKind::Activity) {
        gui::MessageBox::notice(this, QStringLiteral("Cannot update 'Phase' Information"));
        return;
    }
    setPanelText(1, QStringLiteral("Updating Activity Information"));
    m_inDateWindow = true;
    {
        DateUpdateForm dates(m_session, m_page.rows.at(row).ActivityID, this);
        m_reload = dates.exec() == QDialog::Accepted;
    }
    m_inDateWindow = false;
    setPanelText(1, QStringLiteral("Click On An Activity Name To Update Dates"));
    Form_Activate(); // in front again: rebuilt when dates were saved
}

void TimeLineForm::CmdReturn_Click()
{
    m_closing = true;
    Form_Activate();
    close();
}

} // namespace timeline
