#include "core/CartridgeFile.h"
#include "FileFaults.h"
#include "Fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

// Reads and all-or-nothing patches, tried on real files, including the ways
// they fail: every failure must name the file and leave it as it was.
class tst_CartridgeFile : public QObject {
    Q_OBJECT

private slots:
    void failures_data();
    void failures();
    void patchChangesOnlyItsBytesAndNeverTruncates();
    void patchIsAllOrNothing();
    void patchKeepsLinkAndPermissions();
};

void tst_CartridgeFile::failures_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("fault");
    for (bool write : {false, true}) {
        for (const FileFaults::Fault& fault : FileFaults::All()) {
            QTest::addRow("%s, %s", write ? "patch" : "read", qPrintable(fault.name)) << write << fault.name;
        }
    }
}

void tst_CartridgeFile::failures()
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

void tst_CartridgeFile::patchChangesOnlyItsBytesAndNeverTruncates()
{
    QTemporaryDir dir;
    const QByteArray before = Fixtures::Pattern(262160);
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("a.nes"), before);
    QString error;
    QVERIFY2(CartridgeFile::patch(path, {{3847, QByteArray("\xE8\x03", 2)}, {0x3564C, QByteArray(1, '\x7F')}}, &error),
             qPrintable(error));
    QByteArray expected = before;
    expected.replace(3847, 2, QByteArray("\xE8\x03", 2));
    expected[0x3564C] = '\x7F';
    QCOMPARE(Fixtures::ReadAll(path), expected);

    // Past the end the file grows with zeros; a patch inside it never shortens it.
    QVERIFY(CartridgeFile::patch(path, {{262170, QByteArray("AB")}}, &error));
    QVERIFY(CartridgeFile::patch(path, {{0, QByteArray("Z")}}, &error));
    expected[0] = 'Z';
    QCOMPARE(Fixtures::ReadAll(path), expected + QByteArray(10, '\0') + "AB");
}

void tst_CartridgeFile::patchIsAllOrNothing()
{
    QTemporaryDir dir;
    const QByteArray before = Fixtures::Pattern(4000);
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("a.nes"), before);
    QString error;
    QVERIFY(!CartridgeFile::patch(path, {{10, QByteArray("ok")}, {-1, QByteArray("no")}}, &error));
    QCOMPARE(Fixtures::ReadAll(path), before);
}

// A patch through a chain of links (one relative) writes the target, in a
// folder with blanks, quotes and non-ASCII letters in its name, and keeps the
// links links and the file's permissions; only the backup appears, beside the
// file itself.
void tst_CartridgeFile::patchKeepsLinkAndPermissions()
{
    QTemporaryDir dir;
    const QString odd = QStringLiteral(u"my carts 'old' \"new\" \u00C4\u00D6 \u5730\u56F3");
    QVERIFY(QDir(dir.path()).mkdir(odd));
    const QByteArray before = Fixtures::Pattern(500);
    const QString target = Fixtures::WriteFile(dir, odd + QStringLiteral(u"/cart \"\u2116\" \u00DF.nes"), before);
    const QString link = dir.filePath(QStringLiteral("link.nes"));
    QVERIFY(QFile::link(target, dir.filePath(QStringLiteral("first.nes"))));
    QCOMPARE(::symlink("first.nes", qPrintable(link)), 0);
    const QMap<QString, QByteArray> tree = Fixtures::Tree(dir.path());
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(target, permissions));
    const auto kept = QFile::permissions(target);
    QString error;
    QVERIFY2(CartridgeFile::patch(link, {{5, QByteArray("Q")}}, &error), qPrintable(error));
    QCOMPARE(QFile::permissions(target), kept);
    QByteArray expected = before;
    expected[5] = 'Q';
    QMap<QString, QByteArray> after = tree;
    after[target] = expected;
    after[target + QStringLiteral(".bak")] = before;
    QCOMPARE(Fixtures::Tree(dir.path()), after);
}

QTEST_GUILESS_MAIN(tst_CartridgeFile)
#include "tst_CartridgeFile.moc"
