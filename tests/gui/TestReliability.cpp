// What happens to the user's data when the file is damaged, read-only or held by another
// program, and when what is typed is odd.

#include "support/FormFixture.h"

#include "app/Session.h"
#include "app/Startup.h"
#include "gui/Dialogs.h"
#include "gui/ListText.h"
#include "gui/NotesEdit.h"
#include "store/Store.h"
#include "store/StoreError.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QtTest>

#include <unistd.h>

using testing::child;
using testing::FormFixture;

namespace {

enum Button { Add = 0, Update = 1, Cancel = 2, Save = 3, Delete = 4 };

class Other
{
public:
    explicit Other(const QString& path)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        db.setDatabaseName(path);
        db.open();
    }
    ~Other()
    {
        QSqlDatabase::database(QStringLiteral("other")).close();
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
    }
    bool exec(const QString& sql) const
    {
        QSqlQuery q(QSqlDatabase::database(QStringLiteral("other")));
        return q.exec(sql);
    }
    QVariant value(const QString& sql, const QVariantList& binds = {}) const
    {
        QSqlQuery q(QSqlDatabase::database(QStringLiteral("other")));
        q.prepare(sql);
        for (int i = 0; i < binds.size(); ++i)
            q.bindValue(i, binds.at(i));
        q.exec();
        return q.next() ? q.value(0) : QVariant();
    }
};

QStringList boxTexts()
{
    QStringList t;
    for (const auto& b : gui::DialogSeam::shownBoxes())
        t << b.text;
    return t;
}

} // namespace

class TestReliability : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A file whose last pages are gone is refused before anything is shown from it.
    void cutOffTail()
    {
        testing::TestDatabase files;
        const QString path = files.createEmpty();
        {
            auto db = store::Database::open(path);
            db->run(QStringLiteral("PRAGMA journal_mode = DELETE"));
            const store::Store s(*db);
            store::Car car;
            car.Description = QStringLiteral("Filler");
            car.notes = common::splitNotes(QString(150, QLatin1Char('n')));
            for (int i = 0; i < 400; ++i)
                s.cars.add(car);
        }
        QFile f(path);
        const qint64 full = f.size();
        QVERIFY(f.resize(full - 4096));
        try {
            store::Database::open(path);
            QFAIL("a cut-off file was opened");
        } catch (const store::OpenFailure& e) {
            QCOMPARE(e.errors().first().primaryCode(), store::code::Corrupt);
        }
        QCOMPARE(QFile(path).size(), full - 4096);
    }

    // Shown, but every change is refused with a message, and nothing is written.
    void readOnlyFile()
    {
        FormFixture f;
        const QString path = f.files().copySample();
        store::OpenOptions options;
        options.readOnly = true;
        QVERIFY(f.start(path, options));
        QCOMPARE(child<QComboBox>(f.form(), "carDescription")->count(), 1);
        f.showTab(5);
        f.pick(child<QComboBox>(f.form(), "SupplierName"),
            child<QComboBox>(f.form(), "SupplierName")->itemData(0).toInt());
        for (int button : { int(Add), int(Delete) }) {
            gui::DialogSeam::reset();
            f.press(button);
            QCOMPARE(boxTexts(),
                     QStringList { QStringLiteral("This database file is read-only: GearLog can show it but cannot "
                                                  "change it.") });
            QCOMPARE(f.buttonPattern().mid(2, 2), QStringLiteral("00")); // no Cancel or Save: nothing opened
            QVERIFY(child<QLineEdit>(f.form(), "SupplierDisplayName")->isHidden());
        }
        f.openCar(1);
        QVERIFY(!child<QLineEdit>(f.form(), "CarDisplayDescription")->text().isEmpty());
        gui::DialogSeam::reset();
        f.press(Add);
        QCOMPARE(boxTexts().size(), 1);
        QCOMPARE(f.buttonPattern(), QStringLiteral("110011"));
    }

    // Without write permission the file opens read-only by itself.
    void fileWithoutWritePermission()
    {
        if (geteuid() == 0)
            QSKIP("the superuser may write any file");
        FormFixture f;
        const QString path = f.files().copySample();
        QFile::setPermissions(path, QFile::ReadOwner);
        QVERIFY(f.start(path));
        f.showTab(5);
        f.press(Add);
        QCOMPARE(boxTexts().size(), 1);
    }

    // Another program holds the file: Save waits briefly, says so, and keeps the edit open.
    void lockedWhileSaving()
    {
        FormFixture f;
        const QString path = f.files().copySample();
        store::OpenOptions options;
        options.busyTimeoutMs = 200;
        QVERIFY(f.start(path, options));
        f.showTab(5);
        f.press(Add);
        f.type(child<QLineEdit>(f.form(), "SupplierDisplayName"), QStringLiteral("Locked Out Ltd"));
        {
            const Other other(path);
            QVERIFY(other.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            gui::DialogSeam::reset();
            f.press(Save);
            const QStringList texts = boxTexts();
            QCOMPARE(texts.size(), 1);
            QVERIFY2(texts.first().contains(QStringLiteral("in use by another program")), qPrintable(texts.first()));
            QCOMPARE(f.buttonPattern(), QStringLiteral("001100"));
            QCOMPARE(child<QLineEdit>(f.form(), "SupplierDisplayName")->text(), QStringLiteral("Locked Out Ltd"));
            QVERIFY(other.exec(QStringLiteral("ROLLBACK")));
        }
        f.press(Save);
        QCOMPARE(f.buttonPattern(), QStringLiteral("110011"));
        QCOMPARE(Other(path).value(QStringLiteral("SELECT COUNT(*) FROM Supplier WHERE Name = 'Locked Out Ltd'")).toInt(), 1);
    }

    // Starting the program makes the day's backup beside the database, without holding up the window.
    void backupAtStart()
    {
        testing::TestDatabase files;
        const QString path = files.copySample();
        QSettings settings(files.path(QStringLiteral("s.ini")), QSettings::IniFormat);
        {
            auto session = app::startGearLog(path, settings);
            QVERIFY(session);
        }
        const QString expected = QStringLiteral("backups/ShopData-%1.mdb").arg(QDate::currentDate().toString(Qt::ISODate));
        QVERIFY(QFileInfo::exists(files.dir().filePath(expected)));
    }

    void oddTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("quotes") << QStringLiteral("O'Brien's \"Speed\" Shop");
        QTest::newRow("sql") << QStringLiteral("x'); DROP TABLE Car;--");
        QTest::newRow("backslash and percent") << QStringLiteral("C:\\parts\\50% off_%");
        QTest::newRow("tab") << QStringLiteral("left\tright");
        QTest::newRow("letters") << QStringLiteral("Żółć Ψ Кузов 車体");
        QTest::newRow("emoji") << QStringLiteral("Chrome 🚗✨ trim");
        QTest::newRow("blanks") << QStringLiteral("  padded  ");
    }

    // Whatever is typed is stored and shown exactly, in every kind of text field.
    void oddTexts()
    {
        QFETCH(QString, text);
        FormFixture f;
        QVERIFY(f.start());
        QMainWindow& w = f.form();
        f.showTab(5);
        f.press(Add);
        child<QLineEdit>(w, "SupplierDisplayName")->setText(text);
        child<QLineEdit>(w, "supplieraddress1")->setText(text.left(30));
        child<gui::NotesEdit>(w, "SupplierNotes")->setText(text);
        f.press(Save);
        QVERIFY2(boxTexts().isEmpty(), qPrintable(boxTexts().join(QLatin1Char('|'))));
        const qint32 id = testing::pickedKey(child<QComboBox>(w, "SupplierName"));
        QVERIFY(id > 0);
        const Other other(f.databasePath());
        QCOMPARE(other.value(QStringLiteral("SELECT Name FROM Supplier WHERE supplierid = ?"), { id }).toString(),
                 text.left(30));
        QCOMPARE(other.value(QStringLiteral("SELECT address1 FROM Supplier WHERE supplierid = ?"), { id }).toString(),
                 text.left(30));
        QCOMPARE(other.value(QStringLiteral("SELECT COUNT(*) FROM Car")).toInt(), 1);
        QCOMPARE(child<QComboBox>(w, "SupplierName")->currentText(), text.left(30));
        QCOMPARE(child<gui::NotesEdit>(w, "SupplierNotes")->text(), text);
    }
};

QTEST_MAIN(TestReliability)
#include "TestReliability.moc"
