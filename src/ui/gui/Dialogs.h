#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>

class QPrinter;
class QWidget;

namespace gui {

// The one way production code shows modal boxes and common dialogs. In test mode nothing is
// shown: each call takes the next queued answer (or the box's default) and is logged.

enum class Icon { None, Information, Question, Warning, Critical };
enum class Buttons { Ok, YesNo };
enum class Answer { Ok, Yes, No, Cancel };

struct ShownBox
{
    QString title;
    QString text;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    Answer defaultAnswer = Answer::Ok;
};

// The title the program's boxes carry: the product name.
inline const QString AppTitle = QStringLiteral("GearLog");

class MessageBox
{
public:
    static Answer show(QWidget* parent, const QString& title, const QString& text, Icon icon, Buttons buttons,
                       Answer defaultAnswer);
    // OK only, information icon.
    static void information(QWidget* parent, const QString& text, const QString& title = AppTitle);
    // OK only, no icon: the plain notices.
    static void notice(QWidget* parent, const QString& text, const QString& title = AppTitle);
    // Yes/No with No as the default, question icon.
    static Answer question(QWidget* parent, const QString& text, const QString& title = AppTitle);
};

class FileDialog
{
public:
    // Empty when cancelled.
    static QString getOpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                   const QString& filter);
    static QString getSaveFileName(QWidget* parent, const QString& caption, const QString& proposed,
                                   const QString& filter);
};

class ColorDialog
{
public:
    // nullopt when cancelled.
    static std::optional<QColor> getColor(QWidget* parent, const QColor& initial);
};

class PrintDialog
{
public:
    // The system print dialog for the printer (printing to a PDF file is one of its choices);
    // false when cancelled. In test mode the printer is pointed at the queued PDF file instead.
    static bool exec(QPrinter& printer, QWidget* parent);
    // Shows the pages as they will print; paint draws them on the printer it is given.
    static void preview(QPrinter& printer, QWidget* parent, const std::function<void(QPrinter*)>& paint);
};

// Makes a modal window of our own and runs it until it closes.
template <class Window, class... Args> void runModal(Args&&... args)
{
    Window window(std::forward<Args>(args)...);
    window.exec();
}

// Test control of the seam.
class DialogSeam
{
public:
    static void setTestMode(bool on);
    // With test mode on, also print every box to standard error (unattended runs).
    static void setEcho(bool on);
    static bool testMode();
    static void queueAnswer(Answer answer);
    static void queueFileName(const QString& fileName); // empty: cancel
    static void queueColor(std::optional<QColor> colour); // nullopt: cancel
    static void queuePrint(const QString& pdfFile); // empty: cancel
    static int printDialogsShown();
    static int previewsShown();
    static const QList<ShownBox>& shownBoxes();
    static int fileDialogsShown();
    static int colorDialogsShown();
    // The last text of each progress dialog shown (in test mode they show at once).
    static const QStringList& progressShown();
    static void logProgress(const QString& lastText);
    static void reset(); // clears queues and logs
};

} // namespace gui
