#include "CartridgeFile.h"
#include "Fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

// Reads and all-or-nothing patches, tried on real files, including the ways
// they fail: every failure must name the file and leave it as it was.
class tst_CartridgeFile : public QObject {
    Q_OBJECT

private slots:
    void readsExactRange();
    void readAvailableStopsAtEnd();
    void readFailures_data();
    void readFailures();
    void patchChangesOnlyItsBytes();
    void patchGrowsWithZerosAndNeverTruncates();
    void patchFailuresLeaveFileAlone_data();
    void patchFailuresLeaveFileAlone();
    void patchIsAllOrNothing();
    void patchRefusesShortenedFile();
    void patchFollowsSymlink();
    void patchKeepsPermissions();
};

void tst_CartridgeFile::readsExactRange()
{
    QTemporaryDir dir;
    const QByteArray bytes = Fixtures::Pattern(5000);
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("a.nes"), bytes);
    QString error;
    const auto read = CartridgeFile::read(path, 4000, 1000, &error);
    QVERIFY2(read, qPrintable(error));
    QCOMPARE(*read, bytes.mid(4000, 1000));
    QCOMPARE(CartridgeFile::size(path, &error), std::optional<qint64>(5000));
}

void tst_CartridgeFile::readAvailableStopsAtEnd()
{
    QTemporaryDir dir;
    const QByteArray bytes = Fixtures::Pattern(100);
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("a.nes"), bytes);
    QString error;
    QCOMPARE(*CartridgeFile::readAvailable(path, 90, 50, &error), bytes.mid(90));
    QCOMPARE(*CartridgeFile::readAvailable(path, 200, 50, &error), QByteArray());
}

void tst_CartridgeFile::readFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "missing" << "does not exist";
    QTest::newRow("folder") << "folder" << "is a folder";
    QTest::newRow("short") << "short" << "bytes long, but at least 3913 bytes are needed";
    QTest::newRow("through a file") << "through" << "does not exist";
    QTest::newRow("dangling link") << "link" << "which does not exist";
}

void tst_CartridgeFile::readFailures()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("cart.nes"));
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("cart.nes")));
    } else if (kind == QLatin1String("short")) {
        Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), Fixtures::Pattern(3912));
    } else if (kind == QLatin1String("through")) {
        Fixtures::WriteFile(dir, QStringLiteral("plain"), Fixtures::Pattern(10));
        path = dir.filePath(QStringLiteral("plain/cart.nes"));
    } else if (kind == QLatin1String("link")) {
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone.nes")), path));
    }
    QString error;
    QVERIFY(!CartridgeFile::read(path, 3847, 66, &error));
    QVERIFY2(error.contains(path), qPrintable(error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(!QFileInfo::exists(path) || QFileInfo(path).isDir() || kind == QLatin1String("short"));
}

void tst_CartridgeFile::patchChangesOnlyItsBytes()
{
    QTemporaryDir dir;
    const QByteArray before = Fixtures::Pattern(262160);
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("a.nes"), before);
    QString error;
    QVERIFY2(CartridgeFile::patch(path, {{3847, QByteArray("\xE8\x03", 2)}, {0x3564C, QByteArray(1, '\x7F')}}, &error),
             qPrintable(error));
    QByteArray expected = before;
    expected[3847] = '\xE8';
    expected[3848] = '\x03';
    expected[0x3564C] = '\x7F';
    QCOMPARE(Fixtures::ReadAll(path), expected);
}

void tst_CartridgeFile::patchGrowsWithZerosAndNeverTruncates()
{
    QTemporaryDir dir;
    const QByteArray before = Fixtures::Pattern(1000);
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("a.nes"), before);
    QString error;
    QVERIFY(CartridgeFile::patch(path, {{1010, QByteArray("AB")}}, &error));
    const QByteArray after = Fixtures::ReadAll(path);
    QCOMPARE(after.size(), 1012);
    QCOMPARE(after.left(1000), before);
    QCOMPARE(after.mid(1000, 10), QByteArray(10, '\0'));
    QCOMPARE(after.mid(1010), QByteArray("AB"));

    QVERIFY(CartridgeFile::patch(path, {{0, QByteArray("Z")}}, &error));
    QCOMPARE(Fixtures::ReadAll(path).size(), 1012);
}

void tst_CartridgeFile::patchFailuresLeaveFileAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("file deleted") << "deleted";
    QTest::newRow("folder gone") << "folder gone";
    QTest::newRow("path through a regular file") << "through";
    QTest::newRow("a folder") << "folder";
}

void tst_CartridgeFile::patchFailuresLeaveFileAlone()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const QString path = dir.filePath(QStringLiteral("sub/a.nes"));
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub/a.nes")));
    } else if (kind == QLatin1String("through")) {
        QVERIFY(QDir(dir.filePath(QStringLiteral("sub"))).removeRecursively());
        Fixtures::WriteFile(dir, QStringLiteral("sub"), Fixtures::Pattern(50));
    } else if (kind == QLatin1String("folder gone")) {
        QVERIFY(QDir(dir.filePath(QStringLiteral("sub"))).removeRecursively());
    }
    QString error;
    QVERIFY(!CartridgeFile::patch(path, {{16400, QByteArray(122880, 'x')}}, &error));
    QVERIFY2(error.contains(path), qPrintable(error));
    // Nothing was created on the way.
    if (kind != QLatin1String("folder")) {
        QVERIFY(!QFileInfo(path).isFile());
    }
    if (kind == QLatin1String("through")) {
        QCOMPARE(Fixtures::ReadAll(dir.filePath(QStringLiteral("sub"))), Fixtures::Pattern(50));
    }
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

void tst_CartridgeFile::patchRefusesShortenedFile()
{
    QTemporaryDir dir;
    const QByteArray before = Fixtures::Pattern(3000);
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("a.nes"), before);
    QString error;
    QVERIFY(!CartridgeFile::patch(path, {{2990, QByteArray("x")}}, &error, 3913));
    QVERIFY2(error.contains(QStringLiteral("3000 bytes long")), qPrintable(error));
    QCOMPARE(Fixtures::ReadAll(path), before);
}

void tst_CartridgeFile::patchFollowsSymlink()
{
    QTemporaryDir dir;
    const QByteArray before = Fixtures::Pattern(500);
    const QString target = Fixtures::WriteFile(dir, QStringLiteral("target.nes"), before);
    const QString link = dir.filePath(QStringLiteral("link.nes"));
    QVERIFY(QFile::link(target, link));
    QString error;
    QVERIFY2(CartridgeFile::patch(link, {{5, QByteArray("Q")}}, &error), qPrintable(error));
    QVERIFY(QFileInfo(link).isSymLink());
    QByteArray expected = before;
    expected[5] = 'Q';
    QCOMPARE(Fixtures::ReadAll(target), expected);
}

void tst_CartridgeFile::patchKeepsPermissions()
{
    QTemporaryDir dir;
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("a.nes"), Fixtures::Pattern(100));
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(path, permissions));
    const auto before = QFile::permissions(path);
    QString error;
    QVERIFY(CartridgeFile::patch(path, {{1, QByteArray("x")}}, &error));
    QCOMPARE(QFile::permissions(path), before);
}

QTEST_GUILESS_MAIN(tst_CartridgeFile)
#include "tst_CartridgeFile.moc"
