#include "gui/BusyWork.h"

#include "gui/Dialogs.h"

#include <QApplication>
#include <QLocale>
#include <QProgressDialog>

namespace gui {

namespace {
constexpr qint64 ShowAfterMs = 500;
constexpr qint64 RedrawEveryMs = 50;
constexpr qint64 BytesPerMB = 1 << 20;
} // namespace

BusyWork::BusyWork(QWidget* parent, const QString& what, const QString& unit)
    : m_parent(parent)
    , m_what(what)
    , m_unit(unit)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_started.start();
    m_progress = [this](qint64 done, qint64 total) { update(done, total); };
}

BusyWork::~BusyWork()
{
    if (m_dialog) {
        if (DialogSeam::testMode())
            DialogSeam::logProgress(m_dialog->labelText());
        m_dialog->close();
    }
    QApplication::restoreOverrideCursor();
}

QString BusyWork::text(qint64 done, qint64 total) const
{
    const QLocale locale;
    if (m_unit == QLatin1String("MB"))
        return QStringLiteral("%1: %2 of %3 MB")
            .arg(m_what, locale.toString(done / BytesPerMB), locale.toString((total + BytesPerMB - 1) / BytesPerMB));
    return QStringLiteral("%1: %2 of %3 %4").arg(m_what, locale.toString(done), locale.toString(total), m_unit);
}

void BusyWork::update(qint64 done, qint64 total)
{
    const bool last = done >= total;
    if (!m_dialog) {
        // Tests see the dialog at once; users only when the work is long enough to wonder.
        if (!DialogSeam::testMode() && (m_started.elapsed() < ShowAfterMs || last))
            return;
        m_dialog = std::make_unique<QProgressDialog>(m_parent);
        m_dialog->setObjectName(QStringLiteral("BusyProgress"));
        m_dialog->setWindowTitle(AppTitle);
        m_dialog->setCancelButton(nullptr);
        m_dialog->setWindowModality(Qt::WindowModal);
        m_dialog->setMinimumDuration(0);
        m_dialog->setAutoClose(false);
        m_dialog->setAutoReset(false);
        m_dialog->setMinimumWidth(360);
        m_dialog->show();
    } else if (!last && m_shown.isValid() && m_shown.elapsed() < RedrawEveryMs) {
        return;
    }
    m_shown.start();
    // The bar counts in thousandths so that any total fits its range.
    m_dialog->setRange(0, 1000);
    m_dialog->setValue(total > 0 ? int(qBound(qint64(0), done * 1000 / total, qint64(1000))) : 1000);
    m_dialog->setLabelText(text(done, total));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace gui
