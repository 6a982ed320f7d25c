// Pictures of cars, assemblies and components: attaching a file, showing it fitted or at its own size.

#include "support/FormFixture.h"

#include "gui/Dialogs.h"

#include <QAction>
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
using testing::Peek;

namespace {

const char* const kinds[] = { "Car", "Assembly", "Component" };

// The control of the kind whose name the pattern gives, "cmdView%1Image".
template <class W> W* control(const QMainWindow& w, const char* pattern, int kind)
{
    return child<W>(w, qPrintable(QString::fromLatin1(pattern).arg(QLatin1String(kinds[kind]))));
}

} // namespace

class TestPictures : public testing::FormTest
{
    Q_OBJECT

    qint32 m_keys[3] = {};
    QLabel* image() { return child<QLabel>(w(), "Image1"); }

    // A picture of the given size in the test's folder, in the format its name ends in.
    QString picture(const QString& name, int side)
    {
        QImage image(side, side, QImage::Format_RGB32);
        image.fill(QColor(0x80, 0x20, 0x20));
        const QString path = m_f->files().path(name);
        return image.save(path) ? path : QString();
    }

    void attach(int kind, const QString& chosen)
    {
        gui::DialogSeam::queueFileName(chosen);
        QTest::mouseClick(control<QPushButton>(w(), "cmdAttach%1Image", kind), Qt::LeftButton);
    }

    void view(int kind) { QTest::mouseClick(control<QPushButton>(w(), "cmdView%1Image", kind), Qt::LeftButton); }
    QString pathBox(int kind)
    {
        return (kind ? control<QLineEdit>(w(), "%1ImagePath", kind) : child<QLineEdit>(w(), "carImagePath"))->text();
    }

private Q_SLOTS:
    // A project of our own with one assembly and one component: the sample may not be changed.
    void init()
    {
        QVERIFY(fresh().start());
        m_keys[0] = m_f->add(0, "CarDisplayDescription=Body");
        m_keys[1] = m_f->add(1, "AssemblyDisplayDescription=Body");
        m_keys[2] = m_f->add(2,
            "ComponentDisplayDescription=Body|ComponentAssembly=Body|ComponentQuantity=1|ComponentTargetCost=1250.00");
        QVERIFY(m_keys[0] > 1 && m_keys[1] > 0 && m_keys[2] > 0);
        gui::DialogSeam::reset();
    }

    // The chosen file's full path is written at once and shown; a cancelled choice keeps it. Viewing
    // replaces tabs and buttons by the picture until closed; an unreadable file says so, an empty path
    // shows an empty frame.
    void attachAndView_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content"); // "draw" for a real picture, empty for no file
        QTest::addColumn<QString>("message");
        const QString notAPicture = QStringLiteral("The File Is Not A Picture Format");
        QTest::newRow("car, close button") << 0 << "hubcap.png" << QByteArray("draw") << "";
        QTest::newRow("assembly, closed by a click on it") << 1 << "hubcap.bmp" << QByteArray("draw") << "";
        QTest::newRow("component, close button") << 2 << "hubcap.jpg" << QByteArray("draw") << "";
        QTest::newRow("damaged png") << 2 << "cut.png" << QByteArray::fromHex("89504e470d0a1a0a0000") << notAPicture;
        QTest::newRow("missing file") << 2 << "gone.png" << QByteArray() << notAPicture;
        QTest::newRow("empty path") << 2 << "" << QByteArray() << "";
    }

    void attachAndView()
    {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const Peek peek = m_f->peek();
        m_f->showTab(kind);
        if (!name.isEmpty()) {
            QFile file(m_f->files().path(name));
            if (content == "draw")
                picture(name, 100);
            else if (!content.isEmpty())
                QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
            file.close();
            attach(kind, file.fileName());
            attach(kind, QString());
            const QString expected = QDir::toNativeSeparators(QFileInfo(file).absoluteFilePath());
            const QString stored
                = QStringLiteral("SELECT imagepath FROM %1 WHERE %1id = ?").arg(QLatin1String(kinds[kind]));
            QCOMPARE(peek.value(stored, { m_keys[kind] }).toString(), expected);
            QCOMPARE(pathBox(kind), expected);
            QCOMPARE(gui::DialogSeam::fileDialogsShown(), 2);
            static const char* const named[] = { "Project", "Assembly", "Component" };
            QCOMPARE(child<QAction>(w(), "mnuUndo")->text(),
                QStringLiteral("&Undo Attach Picture to %1 'Body'").arg(QLatin1String(named[kind])));
        }
        const QString component
            = QStringLiteral("SELECT Description || ' ' || targetcost FROM Component WHERE carid = ?");
        QCOMPARE(peek.value(component, { m_keys[0] }).toString(), QStringLiteral("Body 12500000"));

        const QString status = m_f->panelText(1);
        view(kind);
        QCOMPARE(boxTexts(), message.isEmpty() ? QStringList() : QStringList { message });
        if (message.isEmpty()) {
            QCOMPARE(image()->pixmap().isNull(), name.isEmpty());
            QCOMPARE(QApplication::focusWidget(), child<QPushButton>(w(), "cmdcloseimage"));
            QVERIFY(!child<QTabWidget>(w(), "tbproject")->isVisible());
            w().activateWindow(); // closed by Escape, a click on it, or its button
            QVERIFY(QTest::qWaitForWindowActive(&w()));
            if (kind == 0)
                QTest::keyClick(&w(), Qt::Key_Escape);
            else
                QTest::mouseClick(kind == 1 ? static_cast<QWidget*>(image()) : child<QPushButton>(w(), "cmdcloseimage"),
                    Qt::LeftButton);
        }
        // The tabs and command buttons are back and the picture is gone.
        QVERIFY(!image()->isVisible() && child<QTabWidget>(w(), "tbproject")->isVisible()
            && m_f->widget<QPushButton>("cmdButton0")->isVisible());
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("110011"));
        QCOMPARE(m_f->panelText(1), status);
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), kind);
    }

    // The sample is refused before any file is chosen (View still works); a refused save is reported;
    // either way the record and the box keep what they had.
    void attachRefused_data()
    {
        QTest::addColumn<bool>("sample");
        QTest::addColumn<QString>("message");
        QTest::newRow("sample project") << true << "The Gear-Log Demo Project Cannot Be Changed";
        QTest::newRow("store fails") << false << "read-only";
    }

    void attachRefused()
    {
        QFETCH(bool, sample);
        QFETCH(QString, message);
        const Peek peek = m_f->peek();
        peek.refuseWrites(QStringLiteral("UPDATE"), QStringLiteral("Car"), QStringLiteral("read-only"));
        if (sample)
            m_f->openCar(1);
        m_f->showTab(0);
        const QString row = QStringLiteral("SELECT COALESCE(imagepath, '-') || COALESCE(CAST(auditdate AS "
                                           "VARCHAR(30)), '-') FROM Car WHERE carid = ?");
        const QVariant before = peek.value(row, { m_f->carID() });
        const QString box = pathBox(0);
        attach(0, picture(QStringLiteral("other.png"), 10));
        QCOMPARE(boxTexts().size(), 1);
        QVERIFY2(boxTexts().first().contains(message), qPrintable(boxTexts().first()));
        QCOMPARE(gui::DialogSeam::fileDialogsShown(), sample ? 0 : 1);
        QCOMPARE(peek.value(row, { m_f->carID() }), before);
        QCOMPARE(pathBox(0), box);
        if (sample) {
            view(0);
            QVERIFY(!image()->pixmap().isNull());
        }
    }

    // Size To Fit fills the frame; Actual Size keeps the picture's size at the frame's corner, scrolling.
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
