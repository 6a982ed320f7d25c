#pragma once

#include "common/Progress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

namespace gui {

// Long work started from a window: the wait cursor while it lasts and, once it has run for half
// a second, a progress dialog over the window that counts what is done ("Copying the project:
// 1,200 of 9,000 records"). There is no Cancel: such work is all or nothing already.
class BusyWork
{
public:
    // what: "Copying the project"; unit: what is counted, "records", "pages", or "MB" for bytes.
    BusyWork(QWidget* parent, const QString& what, const QString& unit);
    ~BusyWork();
    BusyWork(const BusyWork&) = delete;
    BusyWork& operator=(const BusyWork&) = delete;

    // Hand this to the work; it may be called as often as the work likes.
    const common::Progress& progress() const { return m_progress; }

private:
    void update(qint64 done, qint64 total);
    QString text(qint64 done, qint64 total) const;

    QPointer<QWidget> m_parent;
    QString m_what;
    QString m_unit;
    common::Progress m_progress;
    QElapsedTimer m_started;
    QElapsedTimer m_shown;
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace gui
