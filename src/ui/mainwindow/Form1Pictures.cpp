// Pictures of cars, assemblies and components: attaching a file to the shown record, and showing
// it in place of the tabs, stretched to the frame or at its own size.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"

#include "gui/Dialogs.h"
#include "store/Store.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QTabWidget>

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

} // namespace

void Form1::preparePictures()
{
    // The picture takes the place of the tabs and trees. At its own size it may be larger than the
    // window: the frame scrolls then, with the picture's corner where the frame's is.
    m_pictureFrame = new QScrollArea(centralWidget());
    m_pictureFrame->setObjectName(QStringLiteral("ImageFrame"));
    m_pictureFrame->setFrameShape(QFrame::NoFrame);
    m_pictureFrame->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pictureFrame->setWidgetResizable(false);
    m_pictureFrame->viewport()->setAutoFillBackground(false);
    m_pictureFrame->hide();
    if (QLayout* layout = centralWidget()->layout())
        delete layout->replaceWidget(Image1, m_pictureFrame);
    Image1->setMinimumSize(0, 0);
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pictureFrame->setWidget(Image1);
    Image1->hide(); // the frame shows what it is given
    Image1->installEventFilter(this);

    // The menu shows the mode in force.
    auto* modes = new QActionGroup(this);
    for (QAction* mode : { MnuActualSize, MnuShrinkToFit }) {
        mode->setCheckable(true);
        modes->addAction(mode);
    }
    connect(mnuImage, &QMenu::aboutToShow, this, [this] {
        MnuShrinkToFit->setChecked(preferences.stretch);
        MnuActualSize->setChecked(!preferences.stretch);
    });

    connect(m_carTab->cmdAttachCarImage, &QPushButton::clicked, this, &Form1::cmdAttachCarImage_Click);
    connect(m_assemblyTab->cmdAttachAssemblyImage, &QPushButton::clicked, this, &Form1::cmdAttachAssemblyImage_Click);
    connect(m_componentTab->cmdAttachComponentImage, &QPushButton::clicked, this, &Form1::cmdAttachComponentImage_Click);
    connect(m_carTab->cmdViewCarImage, &QPushButton::clicked, this, &Form1::cmdViewCarImage_Click);
    connect(m_assemblyTab->cmdViewAssemblyImage, &QPushButton::clicked, this, &Form1::cmdViewAssemblyImage_Click);
    connect(m_componentTab->cmdViewComponentImage, &QPushButton::clicked, this, &Form1::cmdViewComponentImage_Click);
    connect(cmdcloseimage, &QPushButton::clicked, this, &Form1::cmdcloseimage_Click);
    connect(MnuActualSize, &QAction::triggered, this, &Form1::MnuActualSize_Click);
    connect(MnuShrinkToFit, &QAction::triggered, this, &Form1::MnuShrinkToFit_Click);
}

// --- Attaching ------------------------------------------------------------------------------------

void Form1::cmdAttachCarImage_Click()
{
    openfile();
}

void Form1::cmdAttachAssemblyImage_Click()
{
    openfile();
}

void Form1::cmdAttachComponentImage_Click()
{
    openfile();
}

QLineEdit* Form1::picturePathBox() const
{
    switch (currentTab) {
    case 1:
        return m_carTab->carImagePath;
    case 2:
        return m_assemblyTab->AssemblyImagePath;
    case 3:
        return m_componentTab->ComponentImagePath;
    default:
        return nullptr;
    }
}

QString Form1::storedPicturePath() const
{
    switch (currentTab) {
    case 1:
        return m_car ? m_car->imagepath : QString();
    case 2:
        return m_assembly ? m_assembly->imagepath : QString();
    case 3:
        return m_component ? m_component->imagepath : QString();
    default:
        return QString();
    }
}

void Form1::openfile()
{
    currentTab = tbproject->currentIndex() + 1;
    // The path is written by Save, which does not guard the sample project itself.
    if (isSampleCar()) {
        gui::MessageBox::notice(this, QStringLiteral("The Gear-Log Demo Project Cannot Be Changed"));
        return;
    }
    if (refuseChange())
        return;
    QLineEdit* box = picturePathBox();
    if (!box)
        return;
    pictureStatusText = panelText(1);
    setPanelText(1, QStringLiteral("Select The Desired Picture File"));
    isUpdate = true;

    const QString current = box->text();
    const QString folder = current.isEmpty() ? QString() : QFileInfo(current).absolutePath();
    const QString chosen = gui::FileDialog::getOpenFileName(this, QStringLiteral("Select The Desired Picture File"),
                                                            folder, QStringLiteral("All Files (*)"));
    if (!chosen.isEmpty()) {
        box->setText(QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath()));
        ProcessCMD(3);
        // A refused or failed save wrote nothing: show the path that is stored.
        const QString stored = storedPicturePath();
        if (box->text() != stored)
            box->setText(stored);
    }
    setPanelText(1, pictureStatusText);
}

// --- Viewing --------------------------------------------------------------------------------------

void Form1::cmdViewCarImage_Click()
{
    viewPicture(m_carTab->carImagePath);
}

void Form1::cmdViewAssemblyImage_Click()
{
    viewPicture(m_assemblyTab->AssemblyImagePath);
}

void Form1::cmdViewComponentImage_Click()
{
    viewPicture(m_componentTab->ComponentImagePath);
}

void Form1::viewPicture(const QLineEdit* path)
{
    DisableButtons();
    QImage image;
    if (!path->text().isEmpty()) {
        QImageReader reader(path->text());
        reader.setAutoTransform(true); // photographs stand the way they were taken
        image = reader.read();
        if (image.isNull()) {
            gui::MessageBox::notice(this, NotAPicture);
            SetButtons(QStringLiteral("110011"));
            return;
        }
    }
    m_picture = QPixmap::fromImage(image);
    loadimage();
}

void Form1::sizePicture()
{
    const QSize frame(twipsToPixels(FrameWidth, Image1->logicalDpiX()),
                      twipsToPixels(FrameHeight, Image1->logicalDpiY()));
    Image1->setScaledContents(preferences.stretch);
    Image1->setPixmap(m_picture);
    Image1->resize(preferences.stretch || m_picture.isNull() ? frame : m_picture.deviceIndependentSize().toSize());
}

void Form1::setPictureShown(bool shown)
{
    m_pictureFrame->setVisible(shown);
    Image1->setVisible(shown);
    cmdcloseimage->setVisible(shown);
    for (QWidget* w : std::initializer_list<QWidget*> { TbDisplay, tbproject, projectDescription, LblReseq, cmdMoveUp,
                                                        cmdMoveDown })
        w->setVisible(!shown);
    for (QPushButton* b : cmdButton)
        b->setVisible(!shown);
}

void Form1::loadimage()
{
    sizePicture();
    setPictureShown(true);
    cmdcloseimage->setFocus();
    pictureStatusText = panelText(1);
    setPanelText(1, QStringLiteral("Click The 'Close Image' Button To Close The Picture"));
}

void Form1::unloadimage()
{
    SetButtons(QStringLiteral("110011"));
    setPictureShown(false);
    // The picture is not kept once it is closed.
    m_picture = QPixmap();
    Image1->clear();
    setPanelText(1, pictureStatusText);
}

void Form1::cmdcloseimage_Click()
{
    unloadimage();
}

void Form1::Image1_Click()
{
    unloadimage();
}

// --- Fitting ----------------------------------------------------------------------------------------

void Form1::MnuActualSize_Click()
{
    setStretch(false);
}

void Form1::MnuShrinkToFit_Click()
{
    setStretch(true);
}

void Form1::setStretch(bool stretch)
{
    preferences.stretch = stretch;
    sizePicture();
    Preferences::writeStretch(m_settings, stretch);
    m_settings.sync();
}

// --- A click on the picture -------------------------------------------------------------------------

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease && Image1->isVisible()) {
        Image1_Click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace editor
