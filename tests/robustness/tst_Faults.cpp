#include "FileFaults.h"
#include "Fixtures.h"
#include "WindowSteps.h"
#include "core/CartridgeImage.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef ORVANE_SAVE_HELPER
#error "ORVANE_SAVE_HELPER must name the save_helper program"
#endif

using namespace WindowSteps;

Q_DECLARE_METATYPE(FileLayout::Route)

namespace {

constexpr uid_t Nobody = 65534;
constexpr qint64 FileSize = 262160;

// The leak checker's "suppressions=<file>" option (not "print_suppressions=").
const QRegularExpression& SuppressionsOption()
{
    static const QRegularExpression option(QStringLiteral("(^|:)suppressions=([^:]*)"));
    return option;
}

bool isRoot()
{
    return ::geteuid() == 0;
}

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

// Every window meeting a hostile file system, checked here once: a file that
// cannot be written, a file that fails under an open window in
// each way of FileFaults (for the opening and the save of each Game window
// and for Save Changes), loads that must be refused. Each ends with a clear
// message, nothing on disk changed and the window or cartridge as it was, or
// with the save done right. Last, saves killed at many moments.
class tst_Faults : public QObject {
    Q_OBJECT

private:
    // Where the helper program and the suppressions file are copied, so that
    // an unprivileged user can run them wherever the build lies.
    QTemporaryDir m_shared;
    QString m_helper;
    bool m_canDrop = false;
    QString m_cannotDrop;

    struct Outcome {
        int exitCode = -1;
        QString output;
    };

    // Runs the helper's save as an unprivileged user (or as we are, when we are
    // not root); with no path it only prints its usage and exits 2.
    Outcome runHelper(const QString& path, bool dropPrivileges)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        QString lsan = environment.value(QStringLiteral("LSAN_OPTIONS"));
        lsan.replace(SuppressionsOption(),
                     QStringLiteral("\\1suppressions=") + m_shared.filePath(QStringLiteral("lsan.supp")));
        environment.insert(QStringLiteral("LSAN_OPTIONS"), lsan);
        environment.insert(QStringLiteral("HOME"), m_shared.path());
        process.setProcessEnvironment(environment);
        if (dropPrivileges) {
            process.setChildProcessModifier([] {
                if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0) {
                    ::_exit(126);
                }
            });
        }
        process.start(m_helper, path.isEmpty() ? QStringList{} : QStringList{QStringLiteral("save"), path});
        Outcome outcome;
        if (!process.waitForStarted(10000) || !process.waitForFinished(60000)) {
            outcome.output = process.errorString();
            return outcome;
        }
        outcome.output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
        outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return outcome;
    }

private slots:
    void initTestCase();

    void unwritable_data();
    void unwritable();
    void changedUnderWindow_data();
    void changedUnderWindow();
    void killedSaveLeavesOneWholeVersion_data();
    void killedSaveLeavesOneWholeVersion();
};

void tst_Faults::initTestCase()
{
    QVERIFY(m_shared.isValid());
    QVERIFY(QFile::setPermissions(m_shared.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                       QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                                       QFile::ExeOther));
    m_helper = m_shared.filePath(QStringLiteral("save_helper"));
    QVERIFY(QFile::copy(QStringLiteral(ORVANE_SAVE_HELPER), m_helper));
    QVERIFY(QFile::setPermissions(m_helper, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                                                QFile::ReadOther | QFile::ExeOther));
    const QString suppressions =
        SuppressionsOption()
            .match(QProcessEnvironment::systemEnvironment().value(QStringLiteral("LSAN_OPTIONS")))
            .captured(2);
    if (!suppressions.isEmpty()) {
        QFile::copy(suppressions, m_shared.filePath(QStringLiteral("lsan.supp")));
        QFile::setPermissions(m_shared.filePath(QStringLiteral("lsan.supp")),
                              QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    if (isRoot()) {
        // Permission bits stop no superuser: those cases run as "nobody".
        const Outcome probe = runHelper({}, true);
        m_canDrop = probe.exitCode == 2;
        m_cannotDrop =
            QStringLiteral("a child process could not run as user %1 (exit %2)").arg(Nobody).arg(probe.exitCode);
    }
}

// ---- Files that cannot be written ------------------------------------------------

// A file that cannot be written, in a folder that can: the save is refused
// before any backup or temporary file is made. (A folder that takes no new
// file, and so no backup, is tst_Backup's.)
void tst_Faults::unwritable_data()
{
    QTest::addColumn<bool>("immutable");  // else read-only by its permissions, saved by an unprivileged user
    QTest::newRow("permissions") << false;
    QTest::newRow("immutable") << true;
}

void tst_Faults::unwritable()
{
    QFETCH(bool, immutable);
    if (immutable && !isRoot()) {
        QSKIP("making a file immutable needs root; the \"permissions\" row covers this case here");
    }
    if (!immutable && isRoot() && !m_canDrop) {
        QSKIP(qPrintable(QStringLiteral("permission bits stop no superuser, and %1").arg(m_cannotDrop)));
    }

    QTemporaryDir base;
    QVERIFY(QFile::setPermissions(base.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                   QFile::ReadOther | QFile::ExeOther));
    const QString folder = base.filePath(QStringLiteral("carts"));
    QVERIFY(QDir().mkdir(folder));
    const QByteArray before = Fixtures::Pattern(FileSize, immutable + 1);
    const QString path = folder + QStringLiteral("/cart.nes");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
    }
    const bool dropPrivileges = !immutable && isRoot();
    if (dropPrivileges) {
        QCOMPARE(::chown(qPrintable(folder), Nobody, Nobody), 0);
        QCOMPARE(::chown(qPrintable(path), Nobody, Nobody), 0);
    }
    if (immutable && QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) != 0) {
        QSKIP("this file system cannot make a file immutable");
    }
    QVERIFY(immutable || ::chmod(qPrintable(path), 0444) == 0);

    const Outcome outcome = runHelper(path, dropPrivileges);
    const QStringList left = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    if (immutable) {
        QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path});
    }
    ::chmod(qPrintable(path), 0644);
    const QByteArray after = Fixtures::ReadAll(path);

    // Nothing may be written: a message naming the file and why, and the old bytes.
    QCOMPARE(outcome.exitCode, 1);
    QVERIFY2(outcome.output.startsWith(QLatin1String("error\t")) && outcome.output.contains(path),
             qPrintable(outcome.output));
    QVERIFY2(after == before, "the read-only file was changed");
    QCOMPARE(left, QStringList{QStringLiteral("cart.nes")});
    QVERIFY(!QFileInfo(path).isSymLink());
}

// ---- A file changed under an open window ----------------------------------------

void tst_Faults::changedUnderWindow_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<Route>("route");
    QTest::addColumn<QString>("step");  // "open", "open while waiting" for a pick, "save" or "load"
    for (const FileFaults::Fault& fault : FileFaults::All()) {
        const QByteArray name = fault.name.toUtf8();
        QTest::addRow("%s, Save Changes", name.data()) << fault.name << Route::Map << QStringLiteral("save");
        if (fault.name != QLatin1String("short")) {  // a short file is asked about, in tst_Robustness
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
        d.window.SelectTile(5 * 32);
        d.press(QPointF(3 * 16 + 2, 4 * 16 + 2));
    } else if (save) {
        const QList<FilePatch> patches = Edit(d, window, route, rng);
        QVERIFY(!patches.isEmpty());
        Apply(edited, patches);
    } else if (window) {
        MainWindowDriver::click(window, QStringLiteral("cmdLocation_0"));
        QVERIFY(d.window.pickState().LocationWindowOpen());
    }
    if (load) {  // from here on d.path names the file chosen to load
        d.path = Fixtures::WriteFile(d.dir, QStringLiteral("sub/other.nes"), d.original);
    }
    // A short file loses just its last needed byte; "Save Changes" needs none.
    const qint64 shortLength = route == Route::Map ? 100 : RequiredLength(route) - 1;
    QVERIFY(FileFaults::Make(d.path, change, shortLength));
    const auto disk = Fixtures::Tree(d.dir.path());
    const QByteArray image = d.window.cartridge().image().bytes();
    const qsizetype shown = d.platform.modals.size();

    if (load) {
        d.platform.openAnswers << d.path;
        d.window.mnuFileLoad_Click();
    } else if (!save) {
        QVERIFY(!Open(d, route));
    } else if (route == Route::Map) {
        d.platform.choiceAnswers << 0;  // a shortened file is another program's change: overwrite it
        d.window.mnuFileSave_Click();
    } else {
        MainWindowDriver::click(window, QStringLiteral("cmdSave"));
    }
    MainWindowDriver::deleteClosed();

    if (route == Route::Map && change == QLatin1String("short")) {
        // The map is written back, and the file grows to hold it, zeros in the gap.
        QCOMPARE(d.platform.messageTitles(), QStringList{QStringLiteral("File saved")});
        const QByteArray expected =
            d.original.left(shortLength) + QByteArray(CartridgeImage::FirstIndex - shortLength, '\0') + image;
        QCOMPARE(static_cast<quint8>(expected[CartridgeImage::FirstIndex + 4 * 256 + 3]), quint8(5));
        const QString mismatch = FileMismatch(d.path, expected, QStringLiteral("Save Changes"));
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        return;
    }
    const QString refusal = Refusal(d, change, route);
    QVERIFY2(refusal.isEmpty(), qPrintable(refusal));
    QVERIFY2(Fixtures::Tree(d.dir.path()) == disk, "the refused step changed the disk");
    QVERIFY(d.window.cartridge().image().bytes() == image);
    if (!save && !load) {
        QCOMPARE(d.platform.modals.size(), shown);
        QVERIFY(!window && !d.window.findChild<QDialog*>());
        QVERIFY(!d.window.pickState().LocationWindowOpen());
        return;
    }
    QCOMPARE(d.platform.messages[0].icon, Platform::Icon::Critical);
    if (load) {
        QCOMPARE(d.window.cartridge().CartridgePath(), loaded);
        QVERIFY(d.window.findChild<QAction*>(QStringLiteral("mnuFileSave"))->isEnabled());
        return;
    }
    const QString title = d.platform.messages[0].title;
    QVERIFY2(title.endsWith(QLatin1String("not saved")), qPrintable(title));
    if (route != Route::Map) {
        QVERIFY(window && window->isVisible());
        const QString mismatch = ShownMismatch(window, route, edited);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        QCOMPARE(d.window.pickState().LocationWindowOpen(), route == Route::Items || route == Route::Towns);
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
    QTest::newRow("image only, 139280 bytes") << 60 << 2U << qint64(139280);
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
    for (qint64 i = CartridgeImage::FirstIndex; i < CartridgeImage::FirstIndex + CartridgeImage::Size; ++i) {
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
        helper.start(m_helper, {QStringLiteral("loop"), cartridge});
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
