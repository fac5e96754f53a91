#include "core/CartridgeFile.h"
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
    void failures_data();
    void failures();
    void patchChangesOnlyItsBytesAndNeverTruncates();
    void patchIsAllOrNothing();
    void patchKeepsLinkAndPermissions();
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
    QCOMPARE(*CartridgeFile::readAvailable(path, 4990, 50, &error), bytes.mid(4990));
    QCOMPARE(*CartridgeFile::readAvailable(path, 6000, 50, &error), QByteArray());
}

void tst_CartridgeFile::failures_data()
{
    QTest::addColumn<bool>("write");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    for (bool write : {false, true}) {
        const char* op = write ? "patch" : "read";
        QTest::addRow("%s, missing", op) << write << "missing" << "does not exist";
        QTest::addRow("%s, a folder", op) << write << "folder" << "is a folder";
        QTest::addRow("%s, one byte short", op) << write << "short" << "3912 bytes long, but at least 3913 bytes are needed";
        QTest::addRow("%s, folder gone", op) << write << "folder gone" << "does not exist";
        QTest::addRow("%s, path through a file", op) << write << "through" << "does not exist";
    }
    QTest::addRow("read, dangling link") << false << "link" << "which does not exist";
}

void tst_CartridgeFile::failures()
{
    QFETCH(bool, write);
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    const QString path = dir.filePath(QStringLiteral("sub/a.nes"));
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub/a.nes")));
    } else if (kind == QLatin1String("short")) {
        Fixtures::WriteFile(dir, QStringLiteral("sub/a.nes"), Fixtures::Pattern(3912));
    } else if (kind == QLatin1String("folder gone") || kind == QLatin1String("through")) {
        QVERIFY(QDir(dir.filePath(QStringLiteral("sub"))).removeRecursively());
        if (kind == QLatin1String("through")) {
            Fixtures::WriteFile(dir, QStringLiteral("sub"), Fixtures::Pattern(50));
        }
    } else if (kind == QLatin1String("link")) {
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone.nes")), path));
    }
    QString error;
    if (write) {
        QVERIFY(!CartridgeFile::patch(path, {{3000, QByteArray(912, 'x')}}, &error, 3913));
    } else {
        QVERIFY(!CartridgeFile::read(path, 3847, 66, &error));
    }
    QVERIFY2(error.contains(path) && error.contains(reason), qPrintable(error));
    // Nothing was created or changed on the way.
    if (kind == QLatin1String("short")) {
        QCOMPARE(Fixtures::ReadAll(path), Fixtures::Pattern(3912));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QFileInfo(path).isDir());
    } else {
        QVERIFY(!QFileInfo(path).isFile());
    }
    if (kind == QLatin1String("through")) {
        QCOMPARE(Fixtures::ReadAll(dir.filePath(QStringLiteral("sub"))), Fixtures::Pattern(50));
    }
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

// A patch through a link writes the target and keeps the link a link; the
// file keeps its permissions.
void tst_CartridgeFile::patchKeepsLinkAndPermissions()
{
    QTemporaryDir dir;
    const QByteArray before = Fixtures::Pattern(500);
    const QString target = Fixtures::WriteFile(dir, QStringLiteral("target.nes"), before);
    const QString link = dir.filePath(QStringLiteral("link.nes"));
    QVERIFY(QFile::link(target, link));
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QVERIFY(QFile::setPermissions(target, permissions));
    const auto kept = QFile::permissions(target);
    QString error;
    QVERIFY2(CartridgeFile::patch(link, {{5, QByteArray("Q")}}, &error), qPrintable(error));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFile::permissions(target), kept);
    QByteArray expected = before;
    expected[5] = 'Q';
    QCOMPARE(Fixtures::ReadAll(target), expected);
}

QTEST_GUILESS_MAIN(tst_CartridgeFile)
#include "tst_CartridgeFile.moc"
