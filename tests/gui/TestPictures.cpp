// Pictures of cars, assemblies and components: attaching a file through the edit cycle, and
// showing it stretched to the frame or at its own size.

#include "support/FormFixture.h"
#include "support/Peek.h"

#include "gui/Dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
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

const char* const kinds[] = { "Car", "Assembly", "Component" };

// The control of the kind whose name the pattern gives, "cmdView%1Image".
template <class W> W* control(const QMainWindow& w, const char* pattern, int kind)
{
    return child<W>(w, qPrintable(QString::fromLatin1(pattern).arg(QLatin1String(kinds[kind]))));
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT

    FormFixture* m_f = nullptr;
    qint32 m_keys[3] = {};
    QMainWindow& w() { return m_f->form(); }
    QLabel* image() { return child<QLabel>(w(), "Image1"); }

    // A picture of the given size and format in the test's folder.
    QString picture(const QString& name, int side, const char* format = "PNG")
    {
        QImage image(side, side, QImage::Format_RGB32);
        image.fill(QColor(0x80, 0x20, 0x20));
        const QString path = m_f->files().path(name);
        return image.save(path, format) ? path : QString();
    }

    QVariant storedPath(int kind)
    {
        return Peek(m_f->databasePath())
            .value(QStringLiteral("SELECT imagepath FROM %1 WHERE %1id = ?").arg(QLatin1String(kinds[kind])),
                { m_keys[kind] });
    }

    void attach(int kind, const QString& chosen)
    {
        gui::DialogSeam::queueFileName(chosen);
        QTest::mouseClick(control<QPushButton>(w(), "cmdAttach%1Image", kind), Qt::LeftButton);
    }

    void view(int kind) { QTest::mouseClick(control<QPushButton>(w(), "cmdView%1Image", kind), Qt::LeftButton); }
    QString pathBox(int kind) { return control<QLineEdit>(w(), kind ? "%1ImagePath" : "carImagePath", kind)->text(); }

    // The tabs and command buttons are back and the picture is gone.
    bool normalState()
    {
        return !image()->isVisible() && !child<QPushButton>(w(), "cmdcloseimage")->isVisible()
            && child<QTabWidget>(w(), "tbproject")->isVisible() && m_f->widget<QPushButton>("cmdButton0")->isVisible()
            && m_f->buttonPattern() == QStringLiteral("110011");
    }

private Q_SLOTS:
    void init()
    {
        m_f = new FormFixture;
        QVERIFY(m_f->start());
        // A project of our own with one assembly and one component: the sample may not be changed.
        for (int tab = 0; tab < 3; ++tab) {
            m_f->showTab(tab);
            m_f->press(0);
            m_f->type(control<QLineEdit>(w(), "%1DisplayDescription", tab), QStringLiteral("Body"));
            if (tab == 2) {
                m_f->type(child<QComboBox>(w(), "ComponentAssembly"), QStringLiteral("Body"));
                m_f->type(child<QLineEdit>(w(), "ComponentQuantity"), QStringLiteral("1"));
                m_f->type(child<QLineEdit>(w(), "ComponentTargetCost"), QStringLiteral("1250.00"));
            }
            m_f->press(3);
            m_keys[tab] = testing::pickedKey(
                child<QComboBox>(w(), qPrintable(QString::fromLatin1(kinds[tab]).toLower() + "Description")));
            QVERIFY(m_keys[tab] > (tab == 0 ? 1 : 0));
        }
        gui::DialogSeam::reset();
    }

    void cleanup()
    {
        delete m_f;
        m_f = nullptr;
    }

    void attachSavesThePath_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("car") << 0;
        QTest::newRow("assembly") << 1;
        QTest::newRow("component") << 2;
    }

    // The chosen file's full path is written at once and shown; a cancelled choice keeps it, and
    // nothing else on the record changes.
    void attachSavesThePath()
    {
        QFETCH(int, kind);
        m_f->showTab(kind);
        const QString chosen = picture(QStringLiteral("front.png"), 100);
        attach(kind, chosen);
        const QString expected = QDir::toNativeSeparators(QFileInfo(chosen).absoluteFilePath());
        QCOMPARE(storedPath(kind).toString(), expected);
        QCOMPARE(pathBox(kind), expected);
        attach(kind, QString());
        QCOMPARE(storedPath(kind).toString(), expected);
        QCOMPARE(pathBox(kind), expected);
        QCOMPARE(gui::DialogSeam::fileDialogsShown(), 2);
        QVERIFY(boxTexts().isEmpty());
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QCOMPARE(Peek(m_f->databasePath())
                     .value(QStringLiteral("SELECT Description || ' ' || targetcost FROM Component WHERE carid = ?"),
                         { m_keys[0] }),
            QVariant(QStringLiteral("Body 12500000")));
    }

    // The sample project is refused before any file is chosen; View still works.
    void sampleProjectRefused()
    {
        m_f->openCar(1);
        const QString row
            = QStringLiteral("SELECT COALESCE(imagepath, '-') || COALESCE(auditdate, '-') FROM Car WHERE carid = 1");
        const QVariant before = Peek(m_f->databasePath()).value(row);
        attach(0, picture(QStringLiteral("other.png"), 10));
        QCOMPARE(boxTexts(), QStringList { QStringLiteral("The Gear-Log Demo Project Cannot Be Changed") });
        QCOMPARE(gui::DialogSeam::fileDialogsShown(), 0);
        QCOMPARE(Peek(m_f->databasePath()).value(row), before);

        gui::DialogSeam::reset();
        view(0);
        QVERIFY(boxTexts().isEmpty());
        QVERIFY(image()->isVisible());
        QVERIFY(!image()->pixmap().isNull());
    }

    // A save the database refuses is reported; the box goes back to the stored path.
    void attachFailure()
    {
        m_f->showTab(2);
        Peek(m_f->databasePath())
            .exec(QStringLiteral(
                "CREATE TRIGGER refuse BEFORE UPDATE ON Component BEGIN SELECT RAISE(ABORT, 'read-only'); END"));
        attach(2, picture(QStringLiteral("grille.png"), 10));
        QCOMPARE(boxTexts().size(), 1);
        QVERIFY2(boxTexts().first().contains(QStringLiteral("read-only")), qPrintable(boxTexts().first()));
        QVERIFY(storedPath(2).toString().isEmpty());
        QCOMPARE(pathBox(2), QString());
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
    }

    // The picture replaces the tabs and command buttons, and closing gives them back.
    void viewAndClose_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<bool>("byClick");
        QTest::newRow("car, close button") << 0 << QByteArray("PNG") << false;
        QTest::newRow("assembly, click on the picture") << 1 << QByteArray("BMP") << true;
        QTest::newRow("component, close button") << 2 << QByteArray("JPG") << false;
    }

    void viewAndClose()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, format);
        QFETCH(bool, byClick);
        m_f->showTab(kind);
        attach(kind, picture(QStringLiteral("hubcap.") + QString::fromLatin1(format), 100, format.constData()));
        const QString status = m_f->panelText(1);
        view(kind);
        QVERIFY(boxTexts().isEmpty());
        QVERIFY(image()->isVisible());
        QVERIFY(!image()->pixmap().isNull());
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(w(), "cmdcloseimage"));
        QVERIFY(!child<QTabWidget>(w(), "tbproject")->isVisible());
        QVERIFY(!m_f->widget<QPushButton>("cmdButton0")->isVisible());
        QCOMPARE(m_f->panelText(1), QStringLiteral("Click The 'Close Image' Button To Close The Picture"));

        QTest::mouseClick(
            byClick ? static_cast<QWidget*>(image()) : child<QPushButton>(w(), "cmdcloseimage"), Qt::LeftButton);
        QVERIFY(normalState());
        QCOMPARE(m_f->panelText(1), status);
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), kind);
    }

    // Any file may be attached; one that cannot be read as a picture says so when viewed. An empty
    // path shows an empty frame.
    void unreadable_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("name");
        QTest::newRow("text file") << QByteArray("not a picture\n") << "notes.txt";
        QTest::newRow("damaged png") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << "cut.png";
        QTest::newRow("missing file") << QByteArray() << "gone.png";
        QTest::newRow("empty path") << QByteArray() << "";
    }

    void unreadable()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, name);
        m_f->showTab(1);
        if (!name.isEmpty()) {
            QFile f(m_f->files().path(name));
            QVERIFY(content.isEmpty() || (f.open(QIODevice::WriteOnly) && f.write(content) == content.size()));
            f.close();
            attach(1, f.fileName());
            QCOMPARE(storedPath(1).toString(), QDir::toNativeSeparators(f.fileName()));
        }
        view(1);
        if (name.isEmpty()) {
            QVERIFY(image()->isVisible());
            QVERIFY(image()->pixmap().isNull());
            QTest::mouseClick(child<QPushButton>(w(), "cmdcloseimage"), Qt::LeftButton);
        } else {
            QCOMPARE(boxTexts(), QStringList { QStringLiteral("The File Is Not A Picture Format") });
        }
        QVERIFY(normalState());
    }

    // Size To Fit fills the frame; Actual Size keeps the picture's own size at the frame's corner,
    // scrolling when it is larger than the window. The choice is kept in the settings.
    void fitting()
    {
        m_f->showTab(0);
        attach(0, picture(QStringLiteral("poster.png"), 3000));
        view(0);
        const QSize frame(
            qRound(6315 * image()->logicalDpiX() / 1440.0), qRound(4455 * image()->logicalDpiY() / 1440.0));
        QCOMPARE(image()->size(), frame);
        const QPoint corner = image()->pos();

        child<QAction>(w(), "MnuActualSize")->trigger();
        QCOMPARE(image()->size(), QSize(3000, 3000));
        QCOMPARE(image()->pos(), corner);
        QVERIFY(w().findChild<QScrollArea*>(QStringLiteral("ImageFrame"))->horizontalScrollBar()->maximum() > 0);

        QCOMPARE(m_f->settings().value(QStringLiteral("STARTUP/STRETCH")).toString(), QStringLiteral("False"));
        child<QAction>(w(), "MnuShrinkToFit")->trigger();
        QCOMPARE(image()->size(), frame);
    }
};

QTEST_MAIN(TestPictures)
#include "TestPictures.moc"
