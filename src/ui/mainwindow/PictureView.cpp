// Showing a picture in the main window: the frame that takes the place of the tabs, fitting it to
// the frame or showing it at its own size, and the Image menu's check marks.

#include "mainwindow/PictureView.h"

#include "gui/Dialogs.h"
#include "project/Preferences.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>

namespace editor {

namespace {

// The picture frame, in twips: its corner sits by the window's top-left corner.
constexpr int FrameWidth = 6315;
constexpr int FrameHeight = 4455;

int twipsToPixels(int twips, int dpi)
{
    return qRound(twips * dpi / 1440.0);
}

const QString NotAPicture = QStringLiteral("The File Is Not A Picture Format");
const QString ChooseCaption = QStringLiteral("Select The Desired Picture File");

} // namespace

PictureView::PictureView(QLabel* image, QPushButton* close, QMenu* sizeMenu, QAction* actualSize, QAction* shrinkToFit,
    QSettings& settings, QObject* parent)
    : QObject(parent)
    , m_image(image)
    , m_close(close)
    , m_frame(new QScrollArea(image->parentWidget()))
    , m_settings(settings)
{
    // At its own size the picture may be larger than the window: the frame scrolls then, with the
    // picture's corner where the frame's is.
    m_frame->setObjectName(QStringLiteral("ImageFrame"));
    m_frame->setFrameShape(QFrame::NoFrame);
    m_frame->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_frame->setWidgetResizable(false);
    m_frame->viewport()->setAutoFillBackground(false);
    m_frame->hide();
    if (QLayout* layout = image->parentWidget()->layout())
        delete layout->replaceWidget(image, m_frame);
    image->setMinimumSize(0, 0);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_frame->setWidget(image);
    image->hide(); // the frame shows what it is given
    image->installEventFilter(this);

    // The menu shows the mode in force.
    auto* modes = new QActionGroup(this);
    for (QAction* mode : { actualSize, shrinkToFit }) {
        mode->setCheckable(true);
        modes->addAction(mode);
    }
    connect(sizeMenu, &QMenu::aboutToShow, this, [this, actualSize, shrinkToFit] {
        shrinkToFit->setChecked(m_stretch);
        actualSize->setChecked(!m_stretch);
    });
}

QString PictureView::choose(const QString& current) const
{
    const QString folder = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
    const QString chosen
        = gui::FileDialog::getOpenFileName(m_image->window(), ChooseCaption, folder, QStringLiteral("All Files (*)"));
    return chosen.isEmpty() ? QString() : QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath());
}

bool PictureView::load(const QString& path)
{
    QImage image;
    if (!path.isEmpty()) {
        QImageReader reader(path);
        reader.setAutoTransform(true); // photographs stand the way they were taken
        image = reader.read();
        if (image.isNull()) {
            gui::MessageBox::notice(m_image->window(), NotAPicture);
            return false;
        }
    }
    m_picture = QPixmap::fromImage(image);
    return true;
}

void PictureView::show()
{
    fit();
    setShown(true);
    m_close->setFocus();
}

void PictureView::close()
{
    setShown(false);
    // The picture is not kept once it is closed.
    m_picture = QPixmap();
    m_image->clear();
}

void PictureView::setStretch(bool stretch)
{
    m_stretch = stretch;
    fit();
}

void PictureView::chooseStretch(bool stretch)
{
    setStretch(stretch);
    Preferences::writeStretch(m_settings, stretch);
    m_settings.sync();
}

void PictureView::fit()
{
    const QSize frame(
        twipsToPixels(FrameWidth, m_image->logicalDpiX()), twipsToPixels(FrameHeight, m_image->logicalDpiY()));
    m_image->setScaledContents(m_stretch);
    m_image->setPixmap(m_picture);
    m_image->resize(m_stretch || m_picture.isNull() ? frame : m_picture.deviceIndependentSize().toSize());
}

void PictureView::setShown(bool shown)
{
    m_frame->setVisible(shown);
    m_image->setVisible(shown);
    m_close->setVisible(shown);
    Q_EMIT shownChanged(shown);
}

bool PictureView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_image && event->type() == QEvent::MouseButtonRelease && m_image->isVisible()) {
        Q_EMIT clicked();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace editor
