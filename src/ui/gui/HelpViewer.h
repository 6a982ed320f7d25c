#pragma once

#include <QDialog>
#include <QString>

class QPushButton;
class QTextBrowser;

namespace gui {

// The program's own help window: the HTML help file, with its links, back and forward.
class HelpViewer : public QDialog
{
    Q_OBJECT

public:
    HelpViewer(const QString& file, const QString& anchor, QWidget* parent = nullptr);

    // Shows the file modally, at the anchor when one is given. A file that is missing or cannot
    // be read shows nothing and answers false: help is a convenience, never an error.
    static bool showFile(QWidget* parent, const QString& file, const QString& anchor = QString());

    // Where the help files are looked for: GEARLOG_HELP_FOLDER when set, else beside the program, or
    // with an installed program's data.
    static QString programFolder();

    QTextBrowser* browser = nullptr;
    QPushButton* cmdBack = nullptr;
    QPushButton* cmdForward = nullptr;
    QPushButton* cmdContents = nullptr;
    QPushButton* CmdOK = nullptr;
};

} // namespace gui
