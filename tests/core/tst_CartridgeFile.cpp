#include "core/CartridgeFile.h"
#include "FileFaults.h"
#include "Fixtures.h"
#include "core/Cartridge.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

// Reads and all-or-nothing writes on real files, and the backup.
class tst_CartridgeFile : public QObject {
    Q_OBJECT

private slots:
    void failures_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("fault");
        for (bool write : {false, true}) {
            for (const FileFaults::Fault& fault : FileFaults::All()) {
                QTest::addRow("%s, %s", write ? "patch" : "read", qPrintable(fault.name)) << write << fault.name;
            }
        }
    }

    void failures()
    {
        QFETCH(bool, write);
        QFETCH(QString, fault);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        const QString path = Fixtures::WriteFile(dir, QStringLiteral("sub/a.nes"), Fixtures::Pattern(3913));
        QVERIFY(FileFaults::Make(path, fault, 3912));
        const QMap<QString, QByteArray> before = Fixtures::Tree(dir.path());
        QString error;
        if (write) {
            QVERIFY(!CartridgeFile::patch(path, {{3000, QByteArray(912, 'x')}}, &error, 3913));
        } else {
            QVERIFY(!CartridgeFile::read(path, 3847, 66, &error));
        }
        const QString reason = FileFaults::Reason(fault, 3913);
        QVERIFY2(error.contains(path) && error.contains(reason), qPrintable(error + QStringLiteral(" / ") + reason));
        QVERIFY2(Fixtures::Tree(dir.path()) == before, "nothing may be created or changed on the way");
    }

    // Refused naming the file and why, nothing on disk changed (as root, chattr locks).
    void refusedWhenNotWritable_data()
    {
        QTest::addColumn<QString>("locked");  // "file", "folder" or none
        QTest::addColumn<qint64>("offset");
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only file") << "file" << 5LL << "could not be opened for writing";
        QTest::newRow("folder takes no new file") << "folder" << 5LL << "could not be made";
        QTest::newRow("one offset before the start") << "" << -1LL << "before the start";
    }

    void refusedWhenNotWritable()
    {
        QFETCH(QString, locked);
        QFETCH(qint64, offset);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QByteArray before = Fixtures::Pattern(5000, 5);
        const QString path = Fixtures::WriteFile(dir, QStringLiteral("game.nes"), before);
        const QString lock = locked == u"folder" ? dir.path() : locked == u"file" ? path : QString();
        const bool root = ::geteuid() == 0;
        if (root && !lock.isEmpty() && QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), lock}) != 0) {
            QSKIP("this file system cannot make a file immutable");
        }
        QVERIFY(root || lock.isEmpty() || QFile::setPermissions(lock, QFile::ReadOwner | QFile::ExeOwner));
        QString error;
        const bool written = CartridgeFile::patch(path, {{10, QByteArray("ok")}, {offset, QByteArray("x")}}, &error);
        if (root && !lock.isEmpty()) {
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), lock});
        }
        QFile::setPermissions(lock, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!written);
        QVERIFY2(error.contains(locked == u"folder" ? CartridgeFile::backupPath(path) : path) && error.contains(reason),
                 qPrintable(error));
        QCOMPARE(Fixtures::ReadAll(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("game.nes")});
    }

    void writes_data()
    {
        QTest::addColumn<bool>("replaceWhole");  // an applied patch, else patches
        QTest::addColumn<bool>("viaLinks");
        QTest::addColumn<bool>("backupExists");
        QTest::newRow("patches through a chain of links") << false << true << false;
        QTest::newRow("patch applied") << true << false << false;
        QTest::newRow("backup already there") << false << false << true;
    }

    // Two writes to an oddly named file, maybe through links: exactly the bytes
    // written, links and permissions kept, the first contents backed up once.
    void writes()
    {
        QFETCH(bool, replaceWhole);
        QFETCH(bool, viaLinks);
        QFETCH(bool, backupExists);
        QTemporaryDir dir;
        const QString odd = QStringLiteral(u"my carts 'old' \"new\" \u00C4\u00D6 \u5730\u56F3");
        QVERIFY(QDir(dir.path()).mkdir(odd));
        const QByteArray before = Fixtures::Pattern(262160, 2);
        const QString name = odd + QStringLiteral(u"/cart \"\u2116\" \u00DF.nes");
        const QString target = Fixtures::WriteFile(dir, name, before);
        QString path = target;
        if (viaLinks) {
            path = dir.filePath(QStringLiteral("link.nes"));
            QVERIFY(QFile::link(target, dir.filePath(QStringLiteral("first.nes"))));
            QCOMPARE(::symlink("first.nes", qPrintable(path)), 0);
        }
        const QString backup = CartridgeFile::backupPath(target);
        QCOMPARE(backup, target + QStringLiteral(".bak"));
        if (backupExists) {
            Fixtures::WriteFile(dir, name + QStringLiteral(".bak"), "an older backup");
        }
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        const auto permissions = QFile::permissions(target);
        QMap<QString, QByteArray> expected = Fixtures::Tree(dir.path());
        QString error;
        QVERIFY2(replaceWhole ? CartridgeFile::replace(path, QByteArray(100, 'a'), &error)
                              : CartridgeFile::patch(path, {{3847, QByteArray("\xE8\x03", 2)}, {5, "a"}}, &error),
                 qPrintable(error));
        QVERIFY2(replaceWhole ? CartridgeFile::replace(path, QByteArray(100, 'b'), &error)
                              : CartridgeFile::patch(path, {{262170, "AB"}, {0, "Z"}}, &error),
                 qPrintable(error));
        QByteArray after = before;
        after.replace(3847, 2, QByteArray("\xE8\x03", 2));
        after[0] = 'Z';
        after[5] = 'a';
        expected[target] = replaceWhole ? QByteArray(100, 'b') : after + QByteArray(10, '\0') + "AB";
        expected[backup] = backupExists ? QByteArray("an older backup") : before;
        QCOMPARE(Fixtures::Tree(dir.path()), expected);
        QCOMPARE(QFile::permissions(target), permissions);
        QVERIFY(backupExists || QFile::permissions(backup) == permissions);
    }

    // Another program's change stays seen after the program's own write elsewhere.
    void otherProgramsChangeStaysSeen()
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
};

QTEST_GUILESS_MAIN(tst_CartridgeFile)
#include "tst_CartridgeFile.moc"
