// Pictures of cars, assemblies and components: attaching a file through the edit cycle, and
// showing it stretched to the frame or at its own size.

#include "support/FormFixture.h"
#include "support/Peek.h"

#include "common/Clock.h"
#include "gui/Dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

using testing::boxTexts;
using testing::child;
using testing::FormFixture;
using testing::Peek;

namespace {

enum Button { Add = 0, Update = 1, Cancel = 2, Save = 3 };

// The picture frame on this screen: 6315 x 4455 twips.
QSize frameSize(const QWidget* w)
{
    return QSize(qRound(6315 * w->logicalDpiX() / 1440.0), qRound(4455 * w->logicalDpiY() / 1440.0));
}

// What the three picture kinds have in common, by record tab.
struct Kind
{
    int tab;
    const char* table;
    const char* key;
    const char* pathBox;
    const char* attach;
    const char* view;
};

const Kind kinds[] = {
    { 0, "Car", "carid", "carImagePath", "cmdAttachCarImage", "cmdViewCarImage" },
    { 1, "Assembly", "assemblyid", "AssemblyImagePath", "cmdAttachAssemblyImage", "cmdViewAssemblyImage" },
    { 2, "Component", "componentid", "ComponentImagePath", "cmdAttachComponentImage", "cmdViewComponentImage" },
};

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

    FormFixture* m_f = nullptr;
    qint32 m_car = 0, m_assembly = 0, m_component = 0;
    QMainWindow& w() { return m_f->form(); }
    Peek peek() { return Peek(m_f->databasePath()); }

    QString file(const QString& name) const { return m_f->files().path(name); }

    // A square of the given size in the given format, in the test's folder.
    QString picture(const QString& name, int side, const char* format = "PNG")
    {
        QImage image(side, side, QImage::Format_RGB32);
        image.fill(QColor(0x80, 0x20, 0x20));
        const QString path = file(name);
        if (!image.save(path, format))
            qFatal("could not write %s", qPrintable(path));
        return path;
    }

    // Shows the tab of the kind, with the record made in init() picked on it.
    void showRecord(const Kind& kind)
    {
        m_f->showTab(kind.tab);
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), kind.tab);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
    }

    qint32 recordKey(const Kind& kind) const
    {
        return kind.tab == 0 ? m_car : kind.tab == 1 ? m_assembly : m_component;
    }

    QVariant storedPath(const Kind& kind)
    {
        return peek().value(QStringLiteral("SELECT imagepath FROM %1 WHERE %2 = ?")
                                .arg(QLatin1String(kind.table), QLatin1String(kind.key)),
                            { recordKey(kind) });
    }

    void attach(const Kind& kind, const QString& chosen)
    {
        gui::DialogSeam::queueFileName(chosen);
        QTest::mouseClick(m_f->widget<QPushButton>(kind.attach), Qt::LeftButton);
    }

    void view(const Kind& kind) { QTest::mouseClick(m_f->widget<QPushButton>(kind.view), Qt::LeftButton); }

    bool normalState()
    {
        return !child<QLabel>(w(), "Image1")->isVisible() && !child<QPushButton>(w(), "cmdcloseimage")->isVisible()
            && child<QTabWidget>(w(), "tbproject")->isVisible() && child<QTabWidget>(w(), "TbDisplay")->isVisible()
            && child<QLineEdit>(w(), "projectDescription")->isVisible()
            && m_f->widget<QPushButton>("cmdButton0")->isVisible() && child<QPushButton>(w(), "cmdMoveUp")->isVisible();
    }

private Q_SLOTS:
    void init()
    {
        common::Clock::setFixed(QDateTime(QDate(2026, 4, 2), QTime(10, 15, 30)));
        m_f = new FormFixture;
        QVERIFY(m_f->start());
        w().show();
        // A project of our own with one assembly and one component: the sample may not be changed.
        m_f->showTab(0);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), "CarDisplayDescription"), QStringLiteral("Roadster"));
        m_f->press(Save);
        m_car = m_f->carID();
        m_f->showTab(1);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), "AssemblyDisplayDescription"), QStringLiteral("Body"));
        m_f->press(Save);
        m_assembly = testing::pickedKey(child<QComboBox>(w(), "assemblyDescription"));
        m_f->showTab(2);
        m_f->press(Add);
        m_f->type(child<QLineEdit>(w(), "ComponentDisplayDescription"), QStringLiteral("Grille"));
        m_f->type(child<QComboBox>(w(), "ComponentAssembly"), QStringLiteral("Body"));
        m_f->type(child<QLineEdit>(w(), "ComponentQuantity"), QStringLiteral("1"));
        m_f->type(child<QLineEdit>(w(), "ComponentTargetCost"), QStringLiteral("1250.00"));
        m_f->press(Save);
        m_component = testing::pickedKey(child<QComboBox>(w(), "componentDescription"));
        QVERIFY(m_car > 1 && m_assembly > 0 && m_component > 0);
        gui::DialogSeam::reset();
    }

    void cleanup()
    {
        delete m_f;
        m_f = nullptr;
        common::Clock::setFixed(std::nullopt);
    }

    void attachSavesThePath_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("car") << 0;
        QTest::newRow("assembly") << 1;
        QTest::newRow("component") << 2;
    }

    // The chosen file's full path is written at once, through Save, and shown; nothing else changes.
    void attachSavesThePath()
    {
        QFETCH(int, kind);
        const Kind& k = kinds[kind];
        showRecord(k);
        const QString status = m_f->panelText(1);
        const QString chosen = picture(QStringLiteral("front.png"), 100);
        attach(k, chosen);
        const QString expected = QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath());
        QCOMPARE(storedPath(k).toString(), expected);
        QCOMPARE(m_f->widget<QLineEdit>(k.pathBox)->text(), expected);
        QCOMPARE(gui::DialogSeam::fileDialogsShown(), 1);
        QVERIFY(boxTexts().isEmpty());
        QCOMPARE(m_f->panelText(1), status);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QVERIFY(child<QTabWidget>(w(), "tbproject")->isTabEnabled(0));
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), k.tab);
        QVERIFY(m_f->widget<QPushButton>(k.view)->isEnabled());
        // Only the path changed on the record.
        if (k.tab == 2) {
            QCOMPARE(peek().value(QStringLiteral("SELECT Description FROM Component WHERE componentid = ?"), { m_component }),
                     QVariant(QStringLiteral("Grille")));
            QCOMPARE(peek().value(QStringLiteral("SELECT targetcost FROM Component WHERE componentid = ?"), { m_component }),
                     QVariant(12500000));
        }
        QCOMPARE(peek().value(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE carid = ?").arg(QLatin1String(k.table)),
                              { m_car })
                     .toInt(),
                 1);
    }

    // Cancelling the file dialog changes nothing and says nothing.
    void attachCancelled()
    {
        const Kind& k = kinds[0];
        showRecord(k);
        const QString status = m_f->panelText(1);
        attach(k, QString());
        QCOMPARE(storedPath(k), QVariant(QMetaType(QMetaType::QString)));
        QCOMPARE(child<QLineEdit>(w(), "carImagePath")->text(), QString());
        QVERIFY(boxTexts().isEmpty());
        QCOMPARE(m_f->panelText(1), status);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
    }

    // The sample project is refused before any file is chosen; View still works.
    void sampleProjectRefused()
    {
        m_f->openCar(1);
        const QVariant before = peek().value(QStringLiteral("SELECT imagepath FROM Car WHERE carid = 1"));
        const QString stamp = peek().value(QStringLiteral("SELECT auditdate FROM Car WHERE carid = 1")).toString();
        attach(kinds[0], picture(QStringLiteral("other.png"), 10));
        QCOMPARE(boxTexts(), QStringList { QStringLiteral("The Gear-Log Demo Project Cannot Be Changed") });
        QCOMPARE(gui::DialogSeam::fileDialogsShown(), 0);
        QCOMPARE(peek().value(QStringLiteral("SELECT imagepath FROM Car WHERE carid = 1")), before);
        QCOMPARE(peek().value(QStringLiteral("SELECT auditdate FROM Car WHERE carid = 1")).toString(), stamp);
        QCOMPARE(child<QLineEdit>(w(), "carImagePath")->text(), before.toString());

        gui::DialogSeam::reset();
        view(kinds[0]);
        QVERIFY(boxTexts().isEmpty());
        QVERIFY(child<QLabel>(w(), "Image1")->isVisible());
        QVERIFY(!child<QLabel>(w(), "Image1")->pixmap().isNull());
    }

    // A save the database refuses is reported; the box goes back to the stored path.
    void attachFailure()
    {
        const Kind& k = kinds[2];
        showRecord(k);
        peek().exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON Component BEGIN SELECT RAISE(ABORT, 'read-only'); END"));
        attach(k, picture(QStringLiteral("grille.png"), 10));
        QCOMPARE(boxTexts().size(), 1);
        QVERIFY2(boxTexts().first().contains(QStringLiteral("read-only")), qPrintable(boxTexts().first()));
        QCOMPARE(storedPath(k), QVariant(QMetaType(QMetaType::QString)));
        QCOMPARE(child<QLineEdit>(w(), "ComponentImagePath")->text(), QString());
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
    }

    // Any file may be attached; one that is no picture says so when viewed, and the tabs come back.
    void notAPicture()
    {
        const Kind& k = kinds[0];
        showRecord(k);
        const QString text = file(QStringLiteral("notes.txt"));
        QFile f(text);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a picture\n");
        f.close();
        attach(k, text);
        QCOMPARE(storedPath(k).toString(), QDir::toNativeSeparators(text));
        const QString status = m_f->panelText(1);
        view(k);
        QCOMPARE(boxTexts(), QStringList { QStringLiteral("The File Is Not A Picture Format") });
        QVERIFY(normalState());
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QCOMPARE(m_f->panelText(1), status);
    }

    // A missing file cannot be shown either.
    void missingFile()
    {
        showRecord(kinds[1]);
        attach(kinds[1], file(QStringLiteral("gone.png")));
        view(kinds[1]);
        QCOMPARE(boxTexts(), QStringList { QStringLiteral("The File Is Not A Picture Format") });
        QVERIFY(normalState());
    }

    // Showing and closing: the picture replaces the tabs, trees and buttons, and gives them back.
    void viewAndClose_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("byClick");
        QTest::newRow("car, close button") << 0 << false;
        QTest::newRow("assembly, click on the picture") << 1 << true;
        QTest::newRow("component, close button") << 2 << false;
    }

    void viewAndClose()
    {
        QFETCH(int, kind);
        QFETCH(bool, byClick);
        const Kind& k = kinds[kind];
        showRecord(k);
        attach(k, picture(QStringLiteral("hubcap.png"), 100));
        const QString status = m_f->panelText(1);
        view(k);
        QVERIFY(boxTexts().isEmpty());
        QVERIFY(child<QLabel>(w(), "Image1")->isVisible());
        QVERIFY(child<QPushButton>(w(), "cmdcloseimage")->isVisible());
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(w(), "cmdcloseimage"));
        for (QWidget* hidden :
            std::initializer_list<QWidget*> { child<QTabWidget>(w(), "tbproject"), child<QTabWidget>(w(), "TbDisplay"),
                child<QLineEdit>(w(), "projectDescription"), child<QLabel>(w(), "LblReseq"),
                child<QPushButton>(w(), "cmdMoveUp"), child<QPushButton>(w(), "cmdMoveDown") })
            QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
        for (int i = 0; i < 6; ++i)
            QVERIFY(!m_f->widget<QPushButton>(qPrintable(QStringLiteral("cmdButton%1").arg(i)))->isVisible());
        QCOMPARE(m_f->panelText(1), QStringLiteral("Click The 'Close Image' Button To Close The Picture"));

        if (byClick)
            QTest::mouseClick(child<QLabel>(w(), "Image1"), Qt::LeftButton);
        else
            QTest::mouseClick(child<QPushButton>(w(), "cmdcloseimage"), Qt::LeftButton);
        QVERIFY(normalState());
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QCOMPARE(m_f->panelText(1), status);
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), k.tab);
    }

    // Size To Fit fills the frame, distorted; Actual Size keeps the picture's own size at the frame's
    // corner. Switching while a picture is shown redraws it at once.
    void fitting()
    {
        showRecord(kinds[0]);
        attach(kinds[0], picture(QStringLiteral("square.png"), 100));
        view(kinds[0]);
        QCOMPARE(child<QLabel>(w(), "Image1")->size(), frameSize(child<QLabel>(w(), "Image1")));
        QVERIFY(child<QLabel>(w(), "Image1")->hasScaledContents());
        const QPoint corner = child<QLabel>(w(), "Image1")->pos();

        child<QAction>(w(), "MnuActualSize")->trigger();
        QCOMPARE(child<QLabel>(w(), "Image1")->size(), QSize(100, 100));
        QVERIFY(!child<QLabel>(w(), "Image1")->hasScaledContents());
        QCOMPARE(child<QLabel>(w(), "Image1")->pos(), corner);

        child<QAction>(w(), "MnuShrinkToFit")->trigger();
        QCOMPARE(child<QLabel>(w(), "Image1")->size(), frameSize(child<QLabel>(w(), "Image1")));
    }

    // A picture larger than the window at its own size scrolls rather than being cut off.
    void largePictureScrolls()
    {
        showRecord(kinds[0]);
        attach(kinds[0], picture(QStringLiteral("poster.png"), 3000));
        child<QAction>(w(), "MnuActualSize")->trigger();
        view(kinds[0]);
        QCOMPARE(child<QLabel>(w(), "Image1")->size(), QSize(3000, 3000));
        auto* frame = w().findChild<QScrollArea*>(QStringLiteral("ImageFrame"));
        QVERIFY(frame);
        QVERIFY(frame->horizontalScrollBar()->maximum() > 0);
    }

    // An empty path shows an empty frame with its close button.
    void emptyPath()
    {
        showRecord(kinds[1]);
        view(kinds[1]);
        QVERIFY(boxTexts().isEmpty());
        QVERIFY(child<QLabel>(w(), "Image1")->isVisible());
        QVERIFY(child<QLabel>(w(), "Image1")->pixmap().isNull());
        QVERIFY(child<QPushButton>(w(), "cmdcloseimage")->isVisible());
        QTest::mouseClick(child<QPushButton>(w(), "cmdcloseimage"), Qt::LeftButton);
        QVERIFY(normalState());
    }

    // The choice is kept as STRETCH and read again at the next start.
    void fittingRemembered()
    {
        child<QAction>(w(), "MnuActualSize")->trigger();
        QCOMPARE(m_f->settings().value(QStringLiteral("STARTUP/STRETCH")).toString(), QStringLiteral("False"));
        m_f->stop();
        QVERIFY(m_f->start(m_f->databasePath()));
        Q_EMIT child<QMenu>(w(), "mnuImage")->aboutToShow(); // the menu shows the mode in force
        QVERIFY(m_f->action("MnuActualSize")->isChecked());
        QVERIFY(!child<QLabel>(w(), "Image1")->hasScaledContents());
        child<QAction>(w(), "MnuShrinkToFit")->trigger();
        QCOMPARE(m_f->settings().value(QStringLiteral("STARTUP/STRETCH")).toString(), QStringLiteral("True"));
    }

    // Every format the picture reader knows can be shown.
    void formats_data()
    {
        QTest::addColumn<QByteArray>("format");
        for (const QByteArray& format : QImageWriter::supportedImageFormats())
            QTest::newRow(format.constData()) << format;
    }

    void formats()
    {
        QFETCH(QByteArray, format);
        showRecord(kinds[2]);
        QString path;
        {
            QImage image(64, 48, QImage::Format_RGB32);
            image.fill(Qt::darkGreen);
            path = file(QStringLiteral("part.") + QString::fromLatin1(format));
            if (!image.save(path, format.constData()))
                QSKIP("this build cannot write the format");
        }
        attach(kinds[2], path);
        child<QAction>(w(), "MnuActualSize")->trigger();
        view(kinds[2]);
        QVERIFY(boxTexts().isEmpty());
        QVERIFY(child<QLabel>(w(), "Image1")->isVisible());
        QCOMPARE(child<QLabel>(w(), "Image1")->size(), QSize(64, 48));
    }
};

QTEST_MAIN(TestPictures)
#include "TestPictures.moc"
