// Pictures of cars, assemblies and components: attaching a file to the shown record through Save,
// and showing it (see PictureView) in place of the tabs, trees and commands.

#include "mainwindow/Form1.h"

#include "mainwindow/Editors.h"

#include "gui/Dialogs.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

namespace editor {

void Form1::preparePictures()
{
    m_pictures = new PictureView(Image1, cmdcloseimage, mnuImage, MnuActualSize, MnuShrinkToFit, m_settings, this);
    // The picture takes the place of the tabs, trees and commands, and says how to close it.
    connect(m_pictures, &PictureView::shownChanged, this, [this](bool shown) {
        for (QWidget* w : std::initializer_list<QWidget*> {
                 TbDisplay, tbproject, projectDescription, LblReseq, cmdMoveUp, cmdMoveDown })
            w->setVisible(!shown);
        for (QPushButton* b : cmdButton)
            b->setVisible(!shown);
        if (shown)
            pictureStatusText = panelText(1);
        const QString closing = QStringLiteral("Click The 'Close Image' Button To Close The Picture");
        setPanelText(1, shown ? closing : pictureStatusText);
    });
    connect(m_pictures, &PictureView::clicked, this, &Form1::Image1_Click);
    connect(m_carTab->cmdAttachCarImage, &QPushButton::clicked, this, &Form1::cmdAttachCarImage_Click);
    connect(m_assemblyTab->cmdAttachAssemblyImage, &QPushButton::clicked, this, &Form1::cmdAttachAssemblyImage_Click);
    connect(
        m_componentTab->cmdAttachComponentImage, &QPushButton::clicked, this, &Form1::cmdAttachComponentImage_Click);
    connect(m_carTab->cmdViewCarImage, &QPushButton::clicked, this, &Form1::cmdViewCarImage_Click);
    connect(m_assemblyTab->cmdViewAssemblyImage, &QPushButton::clicked, this, &Form1::cmdViewAssemblyImage_Click);
    connect(m_componentTab->cmdViewComponentImage, &QPushButton::clicked, this, &Form1::cmdViewComponentImage_Click);
    connect(cmdcloseimage, &QPushButton::clicked, this, &Form1::cmdcloseimage_Click);
    connect(MnuActualSize, &QAction::triggered, this, &Form1::MnuActualSize_Click);
    connect(MnuShrinkToFit, &QAction::triggered, this, &Form1::MnuShrinkToFit_Click);
}

void Form1::openfile()
{
    currentTab = Tab(tbproject->currentIndex() + 1);
    // The path is written by Save, which does not guard the sample project itself.
    if (isSampleCar()) {
        gui::MessageBox::notice(this, QStringLiteral("The Gear-Log Demo Project Cannot Be Changed"));
        return;
    }
    QLineEdit* box = picturePathBox(currentTab);
    if (refuseChange() || !box)
        return;
    pictureStatusText = panelText(1);
    setPanelText(1, QStringLiteral("Select The Desired Picture File"));
    isUpdate = true;
    const QString chosen = m_pictures->choose(box->text());
    if (!chosen.isEmpty()) {
        box->setText(chosen);
        ProcessCMD(3);
        // A refused or failed save wrote nothing: show the path that is stored.
        const QString stored = currentTab == CarTab ? (m_carTab->record ? m_carTab->record->imagepath : QString())
            : currentTab == AssemblyTab ? (m_assemblyTab->record ? m_assemblyTab->record->imagepath : QString())
                                        : (m_componentTab->record ? m_componentTab->record->imagepath : QString());
        if (box->text() != stored)
            box->setText(stored);
    }
    setPanelText(1, pictureStatusText);
}

QLineEdit* Form1::picturePathBox(int tab) const
{
    return tab == 1 ? m_carTab->carImagePath
        : tab == 2  ? m_assemblyTab->AssemblyImagePath
        : tab == 3  ? m_componentTab->ComponentImagePath
                    : nullptr;
}

void Form1::viewPicture(int tab)
{
    DisableButtons();
    if (m_pictures->load(picturePathBox(tab)->text()))
        loadimage();
    else
        SetButtons(QStringLiteral("110011"));
}

void Form1::unloadimage()
{
    SetButtons(QStringLiteral("110011"));
    m_pictures->close();
}

} // namespace editor
