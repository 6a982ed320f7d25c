#include "mainwindow/StatusPanels.h"

#include "common/Clock.h"
#include "common/Formats.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

namespace editor {

StatusPanels::StatusPanels(QMainWindow* window)
    : QObject(window)
{
    auto* bar = new QStatusBar(window);
    bar->setObjectName(QStringLiteral("sbStatus"));
    bar->setSizeGripEnabled(true);
    static const char* const designTexts[5] = { "Status", "Table", "Record Counter", "", "" };
    static const int stretch[5] = { 4, 1, 1, 0, 0 };
    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel(QLatin1String(designTexts[i]), bar);
        panel->setObjectName(QStringLiteral("sbStatusPanel%1").arg(i + 1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setMinimumWidth(i == 0 ? 320 : 110);
        panel->setContentsMargins(4, 0, 4, 0);
        m_panels[size_t(i)] = panel;
        bar->addPermanentWidget(panel, stretch[i]);
    }
    window->setStatusBar(bar);

    auto* clock = new QTimer(this);
    clock->setInterval(1000);
    connect(clock, &QTimer::timeout, this, &StatusPanels::showClock);
    clock->start();
    showClock();
}

QString StatusPanels::text(int panel) const
{
    return panel >= 1 && panel <= 5 ? m_panels[size_t(panel - 1)]->text() : QString();
}

void StatusPanels::setText(int panel, const QString& text)
{
    if (panel >= 1 && panel <= 5)
        m_panels[size_t(panel - 1)]->setText(text);
}

void StatusPanels::showEntries(const QString& table, qint32 count)
{
    setText(2, table);
    setText(3, QStringLiteral("Entries =  ") + QString::number(count));
}

void StatusPanels::showClock()
{
    const QDateTime now = common::Clock::now();
    setText(4, now.time().toString(QStringLiteral("h:mm AP")));
    setText(5, common::formatDate(now.date()));
}

} // namespace editor
