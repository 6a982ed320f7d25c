#include "gui/Dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QQueue>
#include <cstdio>

namespace gui {

namespace {

struct SeamState
{
    bool testMode = false;
    bool echo = false;
    QQueue<Answer> answers;
    QQueue<QString> fileNames;
    QQueue<std::optional<QColor>> colours;
    QQueue<QString> prints;
    int printDialogs = 0;
    int previews = 0;
    QList<ShownBox> shown;
    int fileDialogs = 0;
    int colorDialogs = 0;
    QStringList progress;
};

SeamState& seam()
{
    static SeamState state;
    return state;
}

QMessageBox::Icon toQt(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQt(Answer answer)
{
    switch (answer) {
    case Answer::Yes:
        return QMessageBox::Yes;
    case Answer::No:
        return QMessageBox::No;
    case Answer::Cancel:
        return QMessageBox::Cancel;
    case Answer::Ok:
        break;
    }
    return QMessageBox::Ok;
}

} // namespace

Answer MessageBox::show(QWidget* parent, const QString& title, const QString& text, Icon icon, Buttons buttons,
                        Answer defaultAnswer)
{
    SeamState& s = seam();
    if (s.testMode) {
        s.shown.append(ShownBox { title, text, icon, buttons, defaultAnswer });
        if (s.echo)
            std::fprintf(stderr, "[%s] %s\n", qPrintable(title), qPrintable(text));
        return s.answers.isEmpty() ? defaultAnswer : s.answers.dequeue();
    }
    QMessageBox box(toQt(icon), title, text,
                    buttons == Buttons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, parent);
    box.setDefaultButton(toQt(defaultAnswer));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        break;
    }
    // Closing a Yes/No box with Escape or the title bar counts as its default.
    return buttons == Buttons::YesNo ? defaultAnswer : Answer::Ok;
}

void MessageBox::information(QWidget* parent, const QString& text, const QString& title)
{
    show(parent, title, text, Icon::Information, Buttons::Ok, Answer::Ok);
}

void MessageBox::notice(QWidget* parent, const QString& text, const QString& title)
{
    show(parent, title, text, Icon::None, Buttons::Ok, Answer::Ok);
}

Answer MessageBox::question(QWidget* parent, const QString& text, const QString& title)
{
    return show(parent, title, text, Icon::Question, Buttons::YesNo, Answer::No);
}

QString FileDialog::getOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                    const QString& filter)
{
    SeamState& s = seam();
    if (s.testMode) {
        ++s.fileDialogs;
        return s.fileNames.isEmpty() ? QString() : s.fileNames.dequeue();
    }
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& caption, const QString& proposed,
                                    const QString& filter)
{
    SeamState& s = seam();
    if (s.testMode) {
        ++s.fileDialogs;
        return s.fileNames.isEmpty() ? QString() : s.fileNames.dequeue();
    }
    return QFileDialog::getSaveFileName(parent, caption, proposed, filter);
}

std::optional<QColor> ColorDialog::getColor(QWidget* parent, const QColor& initial)
{
    SeamState& s = seam();
    if (s.testMode) {
        ++s.colorDialogs;
        return s.colours.isEmpty() ? std::nullopt : s.colours.dequeue();
    }
    const QColor chosen = QColorDialog::getColor(initial, parent);
    return chosen.isValid() ? std::optional<QColor>(chosen) : std::nullopt;
}

bool PrintDialog::exec(QPrinter& printer, QWidget* parent)
{
    SeamState& s = seam();
    if (s.testMode) {
        ++s.printDialogs;
        const QString file = s.prints.isEmpty() ? QString() : s.prints.dequeue();
        if (file.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return true;
    }
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

void PrintDialog::preview(QPrinter& printer, QWidget* parent, const std::function<void(QPrinter*)>& paint)
{
    SeamState& s = seam();
    if (s.testMode) {
        ++s.previews;
        return;
    }
    QPrintPreviewDialog dialog(&printer, parent);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&paint](QPrinter* p) { paint(p); });
    dialog.resize(1000, 760);
    dialog.exec();
}

void DialogSeam::queuePrint(const QString& pdfFile)
{
    seam().prints.enqueue(pdfFile);
}

int DialogSeam::printDialogsShown()
{
    return seam().printDialogs;
}

int DialogSeam::previewsShown()
{
    return seam().previews;
}

void DialogSeam::setTestMode(bool on)
{
    seam().testMode = on;
}

bool DialogSeam::testMode()
{
    return seam().testMode;
}

void DialogSeam::setEcho(bool on)
{
    seam().echo = on;
}

void DialogSeam::queueAnswer(Answer answer)
{
    seam().answers.enqueue(answer);
}

void DialogSeam::queueFileName(const QString& fileName)
{
    seam().fileNames.enqueue(fileName);
}

void DialogSeam::queueColor(std::optional<QColor> colour)
{
    seam().colours.enqueue(colour);
}

const QList<ShownBox>& DialogSeam::shownBoxes()
{
    return seam().shown;
}

int DialogSeam::fileDialogsShown()
{
    return seam().fileDialogs;
}

int DialogSeam::colorDialogsShown()
{
    return seam().colorDialogs;
}

const QStringList& DialogSeam::progressShown()
{
    return seam().progress;
}

void DialogSeam::logProgress(const QString& lastText)
{
    seam().progress.append(lastText);
}

void DialogSeam::reset()
{
    const bool mode = seam().testMode;
    const bool echo = seam().echo;
    seam() = SeamState();
    seam().testMode = mode;
    seam().echo = echo;
}

} // namespace gui
