#pragma once

#include <QObject>
#include <QPixmap>
#include <QString>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QScrollArea;
class QSettings;

namespace editor {

// The picture of a car, assembly or component, shown by the main window in place of its tabs and
// trees: stretched to a fixed frame or at its own size, scrolling when larger than the window. The
// window hides and shows its own widgets on shownChanged.
class PictureView : public QObject
{
    Q_OBJECT

public:
    // Puts a frame in the place of image in its layout. The close button comes and goes with the
    // picture; the menu's two size actions are checked by the size in force when it opens.
    PictureView(QLabel* image, QPushButton* close, QMenu* sizeMenu, QAction* actualSize, QAction* shrinkToFit,
        QSettings& settings, QObject* parent = nullptr);

    // Asks for a picture file to attach, in the folder of the current one: its full native path,
    // empty when cancelled.
    QString choose(const QString& current) const;

    // Reads the file to be shown; an empty path shows an empty frame. A file that is no picture
    // is refused with a message, and what was to be shown stays as it was.
    bool load(const QString& path);
    void show();
    // Forgets the picture.
    void close();

    // The size preference as read: applied, not written.
    void setStretch(bool stretch);
    // The size chosen from the menu: applied and kept.
    void chooseStretch(bool stretch);

Q_SIGNALS:
    // After the picture's own widgets came or went; before the close button takes the focus.
    void shownChanged(bool shown);
    // A click on the picture, which closes it like the close button.
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fit();
    void setShown(bool shown);

    QLabel* m_image;
    QPushButton* m_close;
    QScrollArea* m_frame;
    QSettings& m_settings;
    QPixmap m_picture;
    bool m_stretch = true;
};

} // namespace editor
