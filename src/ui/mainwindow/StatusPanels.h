#pragma once

#include <QObject>
#include <QString>
#include <array>

class QLabel;
class QMainWindow;

namespace editor {

// The status bar's five panels (sbStatusPanel1 to 5): what the window is doing, the table, the
// entries counted, and the time and date, kept current by a clock.
class StatusPanels : public QObject
{
    Q_OBJECT

public:
    explicit StatusPanels(QMainWindow* window);

    QString text(int panel) const;
    void setText(int panel, const QString& text);
    // Panels 2 and 3: the table and how many entries its list holds.
    void showEntries(const QString& table, qint32 count);

private:
    void showClock();
    std::array<QLabel*, 5> m_panels {};
};

} // namespace editor
