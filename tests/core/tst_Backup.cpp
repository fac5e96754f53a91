#include "Fixtures.h"
#include "core/Cartridge.h"
#include "core/CartridgeFile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

// The backup made before the first write to a cartridge, and the memory of
// the file's state that tells another program's change from the program's own.
class tst_Backup : public QObject {
    Q_OBJECT

private slots:
    void firstWriteBacksUpOnce_data();
    void firstWriteBacksUpOnce();
    void refusedWhenNotWritable_data();
    void refusedWhenNotWritable();
    void otherProgramsChangeStaysSeen();
};

void tst_Backup::firstWriteBacksUpOnce_data()
{
    QTest::addColumn<bool>("replaceWhole");  // an applied patch, else a save
    QTest::addColumn<bool>("backupExists");
    QTest::newRow("save") << false << false;
    QTest::newRow("patch applied") << true << false;
    QTest::newRow("save, backup already there") << false << true;
}

void tst_Backup::firstWriteBacksUpOnce()
{
    QFETCH(bool, replaceWhole);
    QFETCH(bool, backupExists);
    QTemporaryDir dir;
    const QByteArray before = Fixtures::Pattern(262160, 2);
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("game.nes"), before);
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    const QString backup = dir.filePath(QStringLiteral("game.nes.bak"));
    QCOMPARE(CartridgeFile::backupPath(path), backup);
    const QByteArray older("an older backup");
    if (backupExists) {
        Fixtures::WriteFile(dir, QStringLiteral("game.nes.bak"), older);
    }
    QString error;
    for (char value : {'a', 'b'}) {
        const bool written = replaceWhole ? CartridgeFile::replace(path, QByteArray(100, value), &error)
                                          : CartridgeFile::patch(path, {{5, QByteArray(1, value)}}, &error);
        QVERIFY2(written, qPrintable(error));
    }
    QCOMPARE(Fixtures::ReadAll(backup), backupExists ? older : before);
    if (!backupExists) {
        QCOMPARE(QFile::permissions(backup), QFile::permissions(path));
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

// A file that cannot be written, or a folder that takes no new file and so no
// backup: the write is refused naming the file and why, and nothing on disk
// changes. Permission bits stop no superuser, so as root both are immutable.
void tst_Backup::refusedWhenNotWritable_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QString>("reason");
    QTest::newRow("read-only file") << false << "could not be opened for writing";
    QTest::newRow("folder takes no new file") << true << "could not be made";
}

void tst_Backup::refusedWhenNotWritable()
{
    QFETCH(bool, folder);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QByteArray before = Fixtures::Pattern(5000, 5);
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("game.nes"), before);
    const QString locked = folder ? dir.path() : path;
    const bool root = ::geteuid() == 0;
    if (root && QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), locked}) != 0) {
        QSKIP("this file system cannot make a file immutable");
    }
    QVERIFY(root || QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    QString error;
    const bool written = CartridgeFile::patch(path, {{5, QByteArray("x")}}, &error);
    if (root) {
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), locked});
    }
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!written);
    QVERIFY2(error.contains(folder ? CartridgeFile::backupPath(path) : path) && error.contains(reason),
             qPrintable(error));
    QCOMPARE(Fixtures::ReadAll(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("game.nes")});
}

// Another program's change stays seen after the program's own write elsewhere
// (that its own writes alone are no change is tst_FileSafety's).
void tst_Backup::otherProgramsChangeStaysSeen()
{
    QTemporaryDir dir;
    QByteArray bytes = Fixtures::Pattern(262160, 6);
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("game.nes"), bytes);
    Cartridge cartridge;
    QString error;
    QVERIFY(cartridge.LoadCartridge(path, &error));
    QVERIFY(QFile::remove(path));
    bytes[30000] = static_cast<char>(~bytes[30000]);
    Fixtures::WriteFile(dir, QStringLiteral("game.nes"), bytes);
    QCOMPARE(CartridgeFile::changeSinceRemembered(path), CartridgeFile::Change::Changed);
    QVERIFY(CartridgeFile::patch(path, {{3847, QByteArray("yy")}}, &error));
    QCOMPARE(CartridgeFile::changeSinceRemembered(path), CartridgeFile::Change::Changed);
}

QTEST_GUILESS_MAIN(tst_Backup)
#include "tst_Backup.moc"
