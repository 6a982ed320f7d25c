#pragma once

#include "store/RecordTraits.h"

#include "timeline/PageLayout.h"
#include "timeline/TimeLineModel.h"

#include <QDialog>
#include <array>
#include <memory>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QStatusBar;

namespace project {
class ProjectSession;
}

namespace timeline {

class PageViewer;
class TimeLinePage;

// The project as a month-by-month chart: the project, its phases and, in detail style, their
// activities, each with a target bar and a thinner actual bar, 33 rows a page, and a line at today's
// date. Clicking an activity's name opens its dates for correction. The page (lists and chart) is
// one picture fitted to the window, which the user may zoom.
class TimeLineForm : public QDialog
{
    Q_OBJECT

public:
    // Opens on the project shown last (shownBefore), else on the session's current car, when
    // either is still there. The session must outlive the window.
    TimeLineForm(project::ProjectSession& session, store::Key shownBefore, QWidget* parent = nullptr);
    ~TimeLineForm() override;

    // The project shown; the next opening shows it again. 0 before any choice.
    store::Key selectedCarID() const { return m_selectedCarID; }

    // Status bar, panels 1 to 4.
    QString panelText(int panel) const;
    void setPanelText(int panel, const QString& text);

    void Form_Activate();
    void CboCar_Click();
    void CboStyle_Click();
    void CmdNext_Click();
    void CmdPrevious_Click();
    void CmdReturn_Click();
    void LbName_Click(int row);
    void PopulateScreen();

    const TimeLineModel& model() const { return m_model; }
    // What the lists and the chart show: the page drawn last.
    const PageLayout& shownPage() const { return m_page; }
    int currentPage() const { return m_currentPage; }
    bool setUp = false;

    QComboBox* CboCar = nullptr;
    QComboBox* CboStyle = nullptr;
    QPushButton* CmdReturn = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* LbName = nullptr;
    QListWidget* LbStartDate = nullptr;
    QListWidget* LbStopDate = nullptr;
    QListWidget* LbEffort = nullptr;
    QPushButton* CmdPrevious = nullptr;
    QPushButton* CmdNext = nullptr;
    QStatusBar* SbStatus = nullptr;
    std::array<QLabel*, 4> SbPanel {}; // objectNames SbStatusPanel1 .. SbStatusPanel4
    QLabel* ZoomText = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildWindow();
    void buildPage();
    void arrangeWindow();
    void buildStatusBar();
    void showZoom(double zoom, bool fitsWindow);
    void connectSignals();
    void LoadCar();
    void preselectCar();
    void computeProjectSpan();
    void showPage(int page);
    void setPageButtons();
    void fillLists();

    project::ProjectSession& m_session;
    store::Key m_selectedCarID = 0;
    // A change of dates was saved in the date window: rebuilt when active again.
    bool m_reload = false;
    TimeLineModel m_model;
    PageLayout m_page;
    int m_currentPage = 1;
    bool m_closing = false;
    bool m_inDateWindow = false;
    TimeLinePage* m_pagePicture = nullptr;
    PageViewer* m_viewer = nullptr;
};

} // namespace timeline
