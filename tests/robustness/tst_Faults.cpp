#include "FileFaults.h"
#include "Fixtures.h"
#include "WindowSteps.h"
#include "core/CartridgeImage.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

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

// Runs `program arguments` and returns its exit code, or -1 when it could not run.
int run(const QString& program, const QStringList& arguments, QString* output = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForStarted(10000) || !process.waitForFinished(30000)) {
        return -1;
    }
    if (output) {
        *output = QString::fromLocal8Bit(process.readAll()).trimmed();
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
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

// Every window meeting a hostile file system, checked here once: a file or
// folder that cannot be written, a file that fails under an open window in
// each way of FileFaults (for the opening and the save of each Game window
// and for Save Changes), loads that must be refused. Each ends with a clear
// message, nothing on disk changed and the window or cartridge as it was, or
// with the save done right.
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

    // Runs the helper's save as an unprivileged user (or as we are, when we are not root).
    Outcome runHelper(const QString& route, const QString& path, bool dropPrivileges)
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
        if (route == QLatin1String("whoami")) {
            process.start(m_helper, {route});
        } else {
            process.start(m_helper, {QStringLiteral("save"), route, path});
        }
        Outcome outcome;
        if (!process.waitForStarted(10000) || !process.waitForFinished(60000)) {
            outcome.output = process.errorString();
            return outcome;
        }
        outcome.output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
        outcome.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        return outcome;
    }

    static QByteArray savedBy(const QString& route, QByteArray bytes)
    {
        if (route == QLatin1String("map")) {
            bytes[CartridgeImage::FirstIndex] = static_cast<char>(~bytes[CartridgeImage::FirstIndex]);
        } else {
            bytes.replace(3847, 2, QByteArray("\x34\x12", 2));
        }
        return bytes;
    }

private slots:
    void initTestCase();

    void unwritable_data();
    void unwritable();
    void openRefused_data();
    void openRefused();
    void saveRefused_data();
    void saveRefused();
    void loadRefused_data();
    void loadRefused();
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
        const Outcome probe = runHelper(QStringLiteral("whoami"), {}, true);
        m_canDrop = probe.exitCode == 0 && probe.output == QString::number(Nobody);
        if (!m_canDrop) {
            m_cannotDrop = QStringLiteral("a child process could not run as user %1 (exit %2: %3)")
                               .arg(Nobody)
                               .arg(probe.exitCode)
                               .arg(probe.output);
        }
    }
}

// ---- Files and folders that cannot be written ---------------------------------

void tst_Faults::unwritable_data()
{
    QTest::addColumn<QString>("method");  // "permissions" (as an unprivileged user) or "immutable"
    QTest::addColumn<bool>("fileLocked");
    QTest::addColumn<bool>("folderLocked");
    QTest::addColumn<QString>("route");  // "map": Save Changes; "window": a Game window's save
    QTest::addColumn<bool>("saved");  // else refused with a message, the file untouched
    for (const char* method : {"permissions", "immutable"}) {
        // A folder that takes no new file cannot hold the backup made before
        // the first write, so the save is refused there too.
        const bool folderOnlySaved = false;
        for (const char* route : {"map", "window"}) {
            QTest::addRow("%s: read-only file, %s", method, route) << method << true << false << route << false;
            QTest::addRow("%s: read-only folder, %s", method, route)
                << method << false << true << route << folderOnlySaved;
            QTest::addRow("%s: read-only file and folder, %s", method, route)
                << method << true << true << route << false;
        }
    }
}

void tst_Faults::unwritable()
{
    QFETCH(QString, method);
    QFETCH(bool, fileLocked);
    QFETCH(bool, folderLocked);
    QFETCH(QString, route);
    QFETCH(bool, saved);
    const bool immutable = method == QLatin1String("immutable");
    if (immutable && !isRoot()) {
        QSKIP("making a file immutable needs root; the \"permissions\" rows cover this case here");
    }
    if (!immutable && isRoot() && !m_canDrop) {
        QSKIP(qPrintable(QStringLiteral("permission bits stop no superuser, and %1").arg(m_cannotDrop)));
    }

    QTemporaryDir base;
    QVERIFY(QFile::setPermissions(base.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                   QFile::ReadOther | QFile::ExeOther));
    const QString folder = base.filePath(QStringLiteral("carts"));
    QVERIFY(QDir().mkdir(folder));
    const QByteArray before = Fixtures::Pattern(FileSize, fileLocked * 2 + folderLocked + 1);
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

    QString output;
    auto unlock = [&] {
        if (immutable) {
            run(QStringLiteral("chattr"), {QStringLiteral("-i"), path});
            run(QStringLiteral("chattr"), {QStringLiteral("-i"), folder});
        }
        ::chmod(qPrintable(folder), 0755);
        ::chmod(qPrintable(path), 0644);
    };
    if (immutable) {
        for (const auto& [locked, target] : {QPair<bool, QString>{fileLocked, path}, {folderLocked, folder}}) {
            if (locked && run(QStringLiteral("chattr"), {QStringLiteral("+i"), target}, &output) != 0) {
                unlock();
                QSKIP(qPrintable(QStringLiteral("this file system cannot make %1 immutable: %2").arg(target, output)));
            }
        }
    } else {
        QCOMPARE(::chmod(qPrintable(path), fileLocked ? 0444 : 0644), 0);
        QCOMPARE(::chmod(qPrintable(folder), folderLocked ? 0555 : 0755), 0);
    }

    const Outcome outcome = runHelper(route, path, dropPrivileges);
    const QStringList left = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    unlock();
    const QByteArray after = Fixtures::ReadAll(path);

    if (!saved) {
        // Nothing may be written: a message naming the file and why, and the old bytes.
        QCOMPARE(outcome.exitCode, 1);
        QVERIFY2(outcome.output.startsWith(QLatin1String("error\t")) && outcome.output.contains(path),
                 qPrintable(outcome.output));
        QVERIFY2(after == before, "the read-only file was changed");
    } else {
        // A folder that cannot take a temporary file: the file is written in place.
        QVERIFY(!fileLocked);
        QCOMPARE(outcome.output, QStringLiteral("saved"));
        QCOMPARE(outcome.exitCode, 0);
        QCOMPARE(Fixtures::Differences(after, savedBy(route, before)), QList<qint64>());
    }
    QCOMPARE(left, QStringList{QStringLiteral("cart.nes")});
    QVERIFY(!QFileInfo(path).isSymLink());
}

// ---- A file changed under an open window ----------------------------------------

void tst_Faults::openRefused_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<Route>("route");
    QTest::addColumn<bool>("waiting");  // a location window already waits for a pick
    for (const FileFaults::Fault& fault : FileFaults::All()) {
        for (Route route : GameRoutes()) {
            QTest::addRow("%s, %s", qPrintable(fault.name), qPrintable(RouteName(route)))
                << fault.name << route << false;
        }
        for (Route route : {Route::Items, Route::Towns}) {
            QTest::addRow("%s, %s waiting", qPrintable(fault.name), qPrintable(RouteName(route)))
                << fault.name << route << true;
        }
    }
}

// A Game window chosen after the file changed: a message, no window (a
// waiting one closes with its picks), nothing written.
void tst_Faults::openRefused()
{
    QFETCH(QString, change);
    QFETCH(Route, route);
    QFETCH(bool, waiting);
    MainWindowDriver d(Fixtures::Pattern(FileSize, 55));
    QVERIFY(MoveIntoFolder(d) && d.load());
    QPointer<QDialog> window;
    if (waiting) {
        window = Open(d, route);
        QVERIFY(window);
        MainWindowDriver::click(window, QStringLiteral("cmdLocation_0"));
        QVERIFY(d.window.pickState().LocationWindowOpen());
    }
    QVERIFY(FileFaults::Make(d.path, change, RequiredLength(route) - 1));
    const auto disk = Fixtures::Tree(d.dir.path());
    const qsizetype shown = d.platform.modals.size();

    QVERIFY(!Open(d, route));
    MainWindowDriver::deleteClosed();
    QCOMPARE(d.platform.modals.size(), shown);
    const QString refusal = Refusal(d, change, route);
    QVERIFY2(refusal.isEmpty(), qPrintable(refusal));
    QVERIFY(!window);
    QVERIFY(!d.window.findChild<QDialog*>());
    QVERIFY(!d.window.pickState().LocationWindowOpen());
    QVERIFY2(Fixtures::Tree(d.dir.path()) == disk, "opening a window changed the disk");
}

void tst_Faults::saveRefused_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<Route>("route");
    for (const FileFaults::Fault& fault : FileFaults::All()) {
        QTest::addRow("%s, Save Changes", qPrintable(fault.name)) << fault.name << Route::Map;
        for (Route route : GameRoutes()) {
            QTest::addRow("%s, %s", qPrintable(fault.name), qPrintable(RouteName(route))) << fault.name << route;
        }
    }
}

// A save after the file changed under an open window: a message naming the
// file and why, nothing on disk created, removed or written, the image as it
// was, and the window still open with the user's edit to try again.
void tst_Faults::saveRefused()
{
    QFETCH(QString, change);
    QFETCH(Route, route);
    QRandomGenerator rng(static_cast<quint32>(qHash(QString(change + RouteName(route)))));
    MainWindowDriver d(Fixtures::Pattern(FileSize, 77));
    QVERIFY(MoveIntoFolder(d) && d.load());
    QPointer<QDialog> window = Open(d, route);
    QVERIFY(route == Route::Map || window);
    QByteArray edited = d.original;
    if (route == Route::Map) {
        d.window.SelectTile(5 * 32);
        d.press(QPointF(3 * 16 + 2, 4 * 16 + 2));
    } else {
        const QList<FilePatch> patches = Edit(d, window, route, rng);
        QVERIFY(!patches.isEmpty());
        Apply(edited, patches);
    }
    // A short file loses just its last needed byte; "Save Changes" needs none.
    const qint64 shortLength = route == Route::Map ? 100 : RequiredLength(route) - 1;
    QVERIFY(FileFaults::Make(d.path, change, shortLength));
    const auto disk = Fixtures::Tree(d.dir.path());
    const QByteArray image = d.window.cartridge().image().bytes();

    if (route == Route::Map) {
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
    const QString title = d.platform.messages[0].title;
    QVERIFY2(title.endsWith(QLatin1String("not saved")), qPrintable(title));
    QCOMPARE(d.platform.messages[0].icon, Platform::Icon::Critical);
    QVERIFY2(Fixtures::Tree(d.dir.path()) == disk, "the refused save changed the disk");
    QVERIFY(d.window.cartridge().image().bytes() == image);
    if (route != Route::Map) {
        QVERIFY(window && window->isVisible());
        const QString shown = ShownMismatch(window, route, edited);
        QVERIFY2(shown.isEmpty(), qPrintable(shown));
        QCOMPARE(d.window.pickState().LocationWindowOpen(), route == Route::Items || route == Route::Towns);
    }
}

// ---- Loads that must not happen ---------------------------------------------------

void tst_Faults::loadRefused_data()
{
    QTest::addColumn<QString>("fault");  // empty: the dialog is cancelled
    QTest::newRow("dialog cancelled") << QString();
    for (const FileFaults::Fault& fault : FileFaults::All()) {
        if (fault.name != QLatin1String("short")) {  // a short file is asked about, in tst_LoadSave
            QTest::addRow("%s", qPrintable(fault.name)) << fault.name;
        }
    }
}

// A load that cannot happen leaves the cartridge loaded first as it was, its
// unsaved paint included, and the disk untouched.
void tst_Faults::loadRefused()
{
    QFETCH(QString, fault);
    MainWindowDriver d;
    QVERIFY(d.load());
    d.window.SelectTile(3 * 32);
    d.press(QPointF(1 * 16, 0));
    const QByteArray image = d.window.cartridge().image().bytes();
    QVERIFY(QDir(d.dir.path()).mkdir(QStringLiteral("sub")));
    const QString chosen = Fixtures::WriteFile(d.dir, QStringLiteral("sub/other.nes"), d.original);
    QVERIFY(fault.isEmpty() || FileFaults::Make(chosen, fault, 0));
    const auto disk = Fixtures::Tree(d.dir.path());
    if (!fault.isEmpty()) {
        d.platform.openAnswers << chosen;
    }
    d.window.mnuFileLoad_Click();
    if (fault.isEmpty()) {
        QVERIFY(d.platform.messages.isEmpty());
    } else {
        QCOMPARE(d.platform.messages.size(), 1);
        const QString text = d.platform.messages[0].text;
        QVERIFY2(text.contains(chosen) && text.contains(FileFaults::Reason(fault, 0)), qPrintable(text));
        QCOMPARE(d.platform.messages[0].icon, Platform::Icon::Critical);
    }
    QCOMPARE(d.window.cartridge().CartridgePath(), d.path);
    QVERIFY(d.window.cartridge().image().bytes() == image);
    QVERIFY(d.window.findChild<QAction*>(QStringLiteral("mnuFileSave"))->isEnabled());
    QVERIFY2(Fixtures::Tree(d.dir.path()) == disk, "a refused load changed the disk");
}

QTEST_MAIN(tst_Faults)
#include "tst_Faults.moc"
