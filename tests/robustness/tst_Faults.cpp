#include "FileFaults.h"
#include "Fixtures.h"
#include "WindowSteps.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

#ifndef ORVANE_SAVE_HELPER
#error "ORVANE_SAVE_HELPER must name the save_helper program"
#endif

using namespace WindowSteps;

Q_DECLARE_METATYPE(FileLayout::Route)

namespace {

constexpr qint64 FileSize = 262160;

bool MoveIntoFolder(MainWindowDriver& d)
{
    const QString moved = d.dir.filePath(QStringLiteral("sub/cart.nes"));
    const bool done = QDir(d.dir.path()).mkdir(QStringLiteral("sub")) && QFile::rename(d.path, moved);
    d.path = moved;
    return done;
}

// Empty when the only message names the file and the reason for `fault`; else what is wrong.
QString Refusal(const MainWindowDriver& d, const QString& fault, Route route)
{
    const QString reason = FileFaults::Reason(fault, RequiredLength(route));
    if (d.platform.messages.size() != 1) {
        return QStringLiteral("%1 messages, not one").arg(d.platform.messages.size());
    }
    const QString& text = d.platform.messages[0].text;
    return text.contains(d.path) && text.contains(reason) ? QString()
                                                          : text + QStringLiteral(" (expected: ") + reason + u')';
}

}  // namespace

// Every window meeting a file that fails under it in each way of FileFaults
// (for the opening and the save of each Game window, for Save Changes and for
// a load): each ends with a clear message, nothing on disk changed and the
// window or cartridge as it was. Last, saves killed at many moments.
class tst_Faults : public QObject {
    Q_OBJECT

private slots:
    void changedUnderWindow_data();
    void changedUnderWindow();
    void killedSaveLeavesOneWholeVersion_data();
    void killedSaveLeavesOneWholeVersion();
};

// ---- A file changed under an open window ----------------------------------------

void tst_Faults::changedUnderWindow_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<Route>("route");
    QTest::addColumn<QString>("step");  // "open", "open while waiting" for a pick, "save" or "load"
    for (const FileFaults::Fault& fault : FileFaults::All()) {
        const QByteArray name = fault.name.toUtf8();
        // A short file is asked about on a load and grown by Save Changes, in tst_Robustness.
        if (fault.name != QLatin1String("short")) {
            QTest::addRow("%s, Save Changes", name.data()) << fault.name << Route::Map << QStringLiteral("save");
            QTest::addRow("%s, load", name.data()) << fault.name << Route::Map << QStringLiteral("load");
        }
        for (Route route : GameRoutes()) {
            for (const char* step : {"open", "save"}) {
                QTest::addRow("%s, %s %s", name.data(), step, qPrintable(RouteName(route)))
                    << fault.name << route << QString::fromLatin1(step);
            }
        }
        for (Route route : {Route::Items, Route::Towns}) {
            QTest::addRow("%s, open %s while waiting", name.data(), qPrintable(RouteName(route)))
                << fault.name << route << QStringLiteral("open while waiting");
        }
    }
}

// The file changed before a Game window is chosen, or under an open window
// before its save (or Save Changes), or a faulty file chosen to load over an
// unsaved map edit. Opening: a message, no window (a waiting one closes with
// its picks). Saving: a message naming the file and why, and the window still
// open with the user's edit to try again. Loading: the first cartridge stays
// loaded. Each time nothing on disk created, removed or written, and the image
// as it was.
void tst_Faults::changedUnderWindow()
{
    QFETCH(QString, change);
    QFETCH(Route, route);
    QFETCH(QString, step);
    const bool save = step == QLatin1String("save");
    const bool load = step == QLatin1String("load");
    QRandomGenerator rng(static_cast<quint32>(qHash(QString(change + RouteName(route)))));
    MainWindowDriver d(Fixtures::Pattern(FileSize, 77));
    QVERIFY((load ? QDir(d.dir.path()).mkdir(QStringLiteral("sub")) : MoveIntoFolder(d)) && d.load());
    const QString loaded = d.path;
    QPointer<QDialog> window = step == QLatin1String("open") || route == Route::Map ? nullptr : Open(d, route);
    QVERIFY(window || step == QLatin1String("open") || route == Route::Map);
    QByteArray edited = d.original;
    if (route == Route::Map) {
        d.pickTileFromStrip(5);
        d.press(QPointF(3 * 16 + 2, 4 * 16 + 2));
    } else if (save) {
        const QList<FilePatch> patches = Edit(d, window, route, rng);
        QVERIFY(!patches.isEmpty());
        Apply(edited, patches);
    } else if (window) {
        MainWindowDriver::click(window, QStringLiteral("cmdLocation_0"));
        QVERIFY(d.session.pick().LocationWindowOpen());
    }
    if (load) {  // from here on d.path names the file chosen to load
        d.path = Fixtures::WriteFile(d.dir, QStringLiteral("sub/other.nes"), d.original);
    }
    // A short file loses just its last needed byte.
    QVERIFY(FileFaults::Make(d.path, change, RequiredLength(route) - 1));
    const auto disk = Fixtures::Tree(d.dir.path());
    const QByteArray image = d.session.cartridge().image().bytes();
    const qsizetype shown = d.modals.shown.size();

    if (load) {
        d.platform.openAnswers << d.path;
        d.action("mnuFileLoad")->trigger();
    } else if (!save) {
        QVERIFY(!Open(d, route));
    } else if (route == Route::Map) {
        d.action("mnuFileSave")->trigger();
    } else {
        MainWindowDriver::click(window, QStringLiteral("cmdSave"));
    }
    MainWindowDriver::deleteClosed();

    const QString refusal = Refusal(d, change, route);
    QVERIFY2(refusal.isEmpty(), qPrintable(refusal));
    QVERIFY2(Fixtures::Tree(d.dir.path()) == disk, "the refused step changed the disk");
    QVERIFY(d.session.cartridge().image().bytes() == image);
    if (!save && !load) {
        QCOMPARE(d.modals.shown.size(), shown);
        QVERIFY(!window && !d.window.findChild<QDialog*>());
        QVERIFY(!d.session.pick().LocationWindowOpen());
        return;
    }
    QCOMPARE(d.platform.messages[0].icon, Platform::Icon::Critical);
    if (load) {
        QCOMPARE(d.session.cartridge().CartridgePath(), loaded);
        QVERIFY(d.window.findChild<QAction*>(QStringLiteral("mnuFileSave"))->isEnabled());
        return;
    }
    const QString title = d.platform.messages[0].title;
    QVERIFY2(title.endsWith(QLatin1String("not saved")), qPrintable(title));
    if (route != Route::Map) {
        QVERIFY(window && window->isVisible());
        const QString mismatch = ShownMismatch(window, route, edited);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        QCOMPARE(d.session.pick().LocationWindowOpen(), route == Route::Items || route == Route::Towns);
    }
}

// ---- Kills during a save ----------------------------------------------------------

// A process saving a cartridge over and over, killed at many moments: after
// every kill the cartridge holds exactly the old or exactly the new contents.
void tst_Faults::killedSaveLeavesOneWholeVersion_data()
{
    QTest::addColumn<int>("kills");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<qint64>("size");
    QTest::newRow("full-length cartridge") << 100 << 1U << qint64(262160);
    QTest::newRow("image only") << 60 << 2U << ImageEnd;
    QTest::newRow("one megabyte") << 40 << 3U << qint64(1048576);
}

void tst_Faults::killedSaveLeavesOneWholeVersion()
{
    QFETCH(int, kills);
    QFETCH(quint32, seed);
    QFETCH(qint64, size);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The two versions each save turns into the other: the map inverted, the rest alike.
    const QByteArray a = Fixtures::Pattern(size, seed);
    QByteArray b = a;
    for (qint64 i = FileLayout::ImageStart; i < FileLayout::ImageEnd; ++i) {
        b[i] = static_cast<char>(~b[i]);
    }
    const QString cartridge = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), a);

    // Delays in microseconds after the first save: a fixed sequence that
    // sweeps 0..30 ms in uneven steps so that the kills land all over a save.
    QRandomGenerator rng(seed);
    for (int k = 0; k < kills; ++k) {
        const QByteArray start = Fixtures::ReadAll(cartridge);
        const QByteArray& other = start == a ? b : a;
        QProcess helper;
        helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        helper.start(QStringLiteral(ORVANE_SAVE_HELPER), {cartridge});
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

QTEST_MAIN(tst_Faults)
#include "tst_Faults.moc"
