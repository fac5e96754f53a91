#include "core/CartridgeImage.h"
#include "Fixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>

#include <sys/types.h>

#ifndef ORVANE_SAVE_HELPER
#error "ORVANE_SAVE_HELPER must name the save_helper program"
#endif

// A process saving a cartridge over and over, killed at many moments: after
// every kill the cartridge holds exactly the old or exactly the new contents.
class tst_CrashDuringSave : public QObject {
    Q_OBJECT

private slots:
    void killedSaveLeavesOneWholeVersion_data();
    void killedSaveLeavesOneWholeVersion();
};

void tst_CrashDuringSave::killedSaveLeavesOneWholeVersion_data()
{
    QTest::addColumn<int>("kills");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<qint64>("size");
    QTest::newRow("full-length cartridge") << 100 << 1U << qint64(262160);
    QTest::newRow("image only, 139280 bytes") << 60 << 2U << qint64(139280);
    QTest::newRow("one megabyte") << 40 << 3U << qint64(1048576);
}

void tst_CrashDuringSave::killedSaveLeavesOneWholeVersion()
{
    QFETCH(int, kills);
    QFETCH(quint32, seed);
    QFETCH(qint64, size);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // Two versions with the same bytes outside the map and different maps.
    const QByteArray a = Fixtures::Pattern(size, seed);
    QByteArray b = a;
    const QByteArray otherMap = Fixtures::Pattern(CartridgeImage::Size, seed + 1000);
    b.replace(CartridgeImage::FirstIndex, CartridgeImage::Size, otherMap);
    const QString pathA = Fixtures::WriteFile(dir, QStringLiteral("A.bin"), a);
    const QString pathB = Fixtures::WriteFile(dir, QStringLiteral("B.bin"), b);
    QDir carts(dir.path());
    QVERIFY(carts.mkdir(QStringLiteral("carts")));
    QVERIFY(carts.cd(QStringLiteral("carts")));
    const QString cartridge = carts.filePath(QStringLiteral("cart.nes"));
    QVERIFY(QFile::copy(pathA, cartridge));

    // Delays in microseconds after the first save: a fixed sequence that
    // sweeps 0..30 ms in uneven steps so that the kills land all over a save.
    QRandomGenerator rng(seed);
    for (int k = 0; k < kills; ++k) {
        const QByteArray start = Fixtures::ReadAll(cartridge);
        const QByteArray& other = start == a ? b : a;
        QProcess helper;
        helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        helper.start(QStringLiteral(ORVANE_SAVE_HELPER), {QStringLiteral("loop"), cartridge, pathA, pathB});
        QVERIFY2(helper.waitForStarted(10000), qPrintable(helper.errorString()));
        // Half of the kills come while the first load or save may still run.
        if (k % 2 == 0) {
            QVERIFY2(helper.waitForReadyRead(30000), "the helper never finished a save");
        }
        const int delay = (k * 7919 + static_cast<int>(rng.bounded(1000))) % 30000;
        QThread::usleep(static_cast<unsigned long>(delay));
        if (helper.state() != QProcess::Running) {
            QFAIL(qPrintable(QStringLiteral("the helper ended by itself (code %1)").arg(helper.exitCode())));
        }
        ::kill(static_cast<pid_t>(helper.processId()), SIGKILL);
        QVERIFY(helper.waitForFinished(10000));
        QCOMPARE(helper.exitStatus(), QProcess::CrashExit);

        // Every save the helper reported done is in the file; the one it was
        // killed in may or may not be.
        const int saves = static_cast<int>(helper.readAllStandardOutput().count("saved\n"));
        const QByteArray& afterReported = saves % 2 == 0 ? start : other;
        const QByteArray& afterOneMore = saves % 2 == 0 ? other : start;
        const QByteArray now = Fixtures::ReadAll(cartridge);
        QVERIFY2(now == afterReported || now == afterOneMore,
                 qPrintable(QStringLiteral("kill %1: the cartridge lost a save the helper had finished").arg(k)));
        QVERIFY(QFileInfo(cartridge).isFile() && !QFileInfo(cartridge).isSymLink());
    }
}

QTEST_MAIN(tst_CrashDuringSave)
#include "tst_CrashDuringSave.moc"
