#include "core/CartridgeImage.h"
#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "WindowSteps.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>
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

Q_DECLARE_METATYPE(WindowSteps::Route)

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

// How the file changes under an open window: the cartridge lies in a folder
// of its own, "sub", so that the folder can go too.
constexpr const char* Changes[] = {"deleted", "shortened", "replaced by a folder", "folder gone",
                                   "folder replaced by a file"};

// Every entry under `folder`: a file's bytes, a link's target, or "folder".
QMap<QString, QByteArray> Tree(const QString& folder)
{
    QMap<QString, QByteArray> tree;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        tree.insert(path, info.isSymLink() ? info.symLinkTarget().toUtf8()
                          : info.isDir()   ? QByteArray("folder")
                                           : Fixtures::ReadAll(path));
    }
    return tree;
}

bool MoveIntoFolder(MainWindowDriver& d)
{
    const QString moved = d.dir.filePath(QStringLiteral("sub/cart.nes"));
    const bool done = QDir(d.dir.path()).mkdir(QStringLiteral("sub")) && QFile::rename(d.path, moved);
    d.path = moved;
    return done;
}

bool Damage(MainWindowDriver& d, const QString& change, qint64 shortLength)
{
    const QString folder = QFileInfo(d.path).path();
    if (change == QLatin1String("shortened")) {
        return QFile::resize(d.path, shortLength);
    }
    if (change.startsWith(QLatin1String("folder"))) {
        QFile file(folder);
        const bool gone = QDir(folder).removeRecursively();
        return gone && (change == QLatin1String("folder gone") ||
                        (file.open(QIODevice::WriteOnly) && file.write("plain") == 5));
    }
    return QFile::remove(d.path) && (change == QLatin1String("deleted") || QDir().mkdir(d.path));
}

// Empty when the only message names the file and the reason `change` gives; else what is wrong.
QString Refusal(const MainWindowDriver& d, const QString& change, Route route)
{
    QString reason = QStringLiteral("does not exist");
    if (change == QLatin1String("shortened")) {
        const qint64 needed = RequiredLength(route);
        reason = QStringLiteral("%1 bytes long, but at least %2").arg(needed - 1).arg(needed);
    } else if (change == QLatin1String("replaced by a folder")) {
        reason = QStringLiteral("is a folder");
    }
    if (d.platform.messages.size() != 1) {
        return QStringLiteral("%1 messages, not one").arg(d.platform.messages.size());
    }
    const QString& text = d.platform.messages[0].text;
    return text.contains(d.path) && text.contains(reason) ? QString()
                                                          : text + QStringLiteral(" (expected: ") + reason + u')';
}

} // namespace

// Every window meeting a hostile file system, checked here once: a file or
// folder that cannot be written, a file changed under an open window (deleted,
// shortened, replaced by a folder, its folder gone or replaced by a file) for
// the opening and the save of each Game window and for Save Changes, odd
// characters in the path, symbolic links, loads that must be refused. Each
// ends with a clear message, nothing on disk changed and the window or
// cartridge as it was, or with the save done right.
class tst_Faults : public QObject {
    Q_OBJECT

private:
    // Where the helper program and the suppressions file are copied, so that
    // an unprivileged user can run them wherever the build lies.
    QTemporaryDir m_shared;
    QString m_helper;
    bool m_canDrop = false;
    QString m_cannotDrop;
    int m_cases = 0;

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
    void cleanupTestCase();

    void unwritable_data();
    void unwritable();
    void openRefused_data();
    void openRefused();
    void saveRefused_data();
    void saveRefused();
    void oddPathsAndLinks_data();
    void oddPathsAndLinks();
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
    QVERIFY(QFile::setPermissions(m_helper, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                                QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    const QString suppressions =
        SuppressionsOption().match(QProcessEnvironment::systemEnvironment().value(QStringLiteral("LSAN_OPTIONS")))
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

void tst_Faults::cleanupTestCase()
{
    qInfo("faults: %d cases tried", m_cases);
}

// ---- Files and folders that cannot be written ---------------------------------

void tst_Faults::unwritable_data()
{
    QTest::addColumn<QString>("method");  // "permissions" (as an unprivileged user) or "immutable"
    QTest::addColumn<bool>("fileLocked");
    QTest::addColumn<bool>("folderLocked");
    QTest::addColumn<QString>("route");  // "map": Save Changes; "window": a Game window's save
    QTest::addColumn<bool>("saved");     // else refused with a message, the file untouched
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
    ++m_cases;

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
    for (const char* change : Changes) {
        for (Route route : GameRoutes()) {
            QTest::addRow("%s, %s", change, qPrintable(RouteName(route)))
                << QString::fromLatin1(change) << route << false;
        }
        for (Route route : {Route::Items, Route::Towns}) {
            QTest::addRow("%s, %s waiting", change, qPrintable(RouteName(route)))
                << QString::fromLatin1(change) << route << true;
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
    ++m_cases;
    MainWindowDriver d(Fixtures::Pattern(FileSize, 55));
    QVERIFY(MoveIntoFolder(d) && d.load());
    QPointer<QDialog> window;
    if (waiting) {
        window = Open(d, route);
        QVERIFY(window);
        MainWindowDriver::click(window, QStringLiteral("cmdLocation_0"));
        QVERIFY(d.window.pickState().LocationWindowOpen());
    }
    QVERIFY(Damage(d, change, RequiredLength(route) - 1));
    const auto disk = Tree(d.dir.path());
    const qsizetype shown = d.platform.modals.size();

    QVERIFY(!Open(d, route));
    MainWindowDriver::deleteClosed();
    QCOMPARE(d.platform.modals.size(), shown);
    const QString refusal = Refusal(d, change, route);
    QVERIFY2(refusal.isEmpty(), qPrintable(refusal));
    QVERIFY(!window);
    QVERIFY(!d.window.findChild<QDialog*>());
    QVERIFY(!d.window.pickState().LocationWindowOpen());
    QVERIFY2(Tree(d.dir.path()) == disk, "opening a window changed the disk");
}

void tst_Faults::saveRefused_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<Route>("route");
    for (const char* change : Changes) {
        QTest::addRow("%s, Save Changes", change) << QString::fromLatin1(change) << Route::Map;
        for (Route route : GameRoutes()) {
            QTest::addRow("%s, %s", change, qPrintable(RouteName(route))) << QString::fromLatin1(change) << route;
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
    ++m_cases;
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
    QVERIFY(Damage(d, change, shortLength));
    const auto disk = Tree(d.dir.path());
    const QByteArray image = d.window.cartridge().image().bytes();

    if (route == Route::Map) {
        d.platform.choiceAnswers << 0;  // a shortened file is another program's change: overwrite it
        d.window.mnuFileSave_Click();
    } else {
        MainWindowDriver::click(window, QStringLiteral("cmdSave"));
    }
    MainWindowDriver::deleteClosed();

    if (route == Route::Map && change == QLatin1String("shortened")) {
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
    QVERIFY2(Tree(d.dir.path()) == disk, "the refused save changed the disk");
    QVERIFY(d.window.cartridge().image().bytes() == image);
    if (route != Route::Map) {
        QVERIFY(window && window->isVisible());
        const QString shown = ShownMismatch(window, route, edited);
        QVERIFY2(shown.isEmpty(), qPrintable(shown));
        QCOMPARE(d.window.pickState().LocationWindowOpen(), route == Route::Items || route == Route::Towns);
    }
}

// ---- Odd paths and symbolic links -------------------------------------------------

void tst_Faults::oddPathsAndLinks_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("blanks, quotes and non-ASCII") << "odd";
    QTest::newRow("absolute link") << "absolute";
    QTest::newRow("relative link") << "relative";
    QTest::newRow("link to a link") << "chain";
}

void tst_Faults::oddPathsAndLinks()
{
    QFETCH(QString, kind);
    ++m_cases;
    QRandomGenerator rng(static_cast<quint32>(qHash(kind)));
    MainWindowDriver d(Fixtures::Pattern(FileSize, 91));
    QDir base(d.dir.path());
    const QString oddFolder = QStringLiteral("my carts 'old' \"new\" \u00C4\u00D6\u00DC \u5730\u56F3");
    QVERIFY(base.mkdir(oddFolder) && base.mkdir(QStringLiteral("links")));
    const QString target = base.filePath(oddFolder + QStringLiteral("/cart \"\u21161\" '\u00E9' \u00DF.nes"));
    QVERIFY(QFile::rename(d.path, target));
    const QString links = base.filePath(QStringLiteral("links"));
    QString path = target;  // what the user opens
    QString linkTarget;     // what the opened link points at
    if (kind == QLatin1String("absolute")) {
        path = links + QStringLiteral("/cart link.nes");
        linkTarget = target;
    } else if (kind == QLatin1String("relative")) {
        path = links + QStringLiteral("/cart link.nes");
        linkTarget = QStringLiteral("../") + oddFolder + u'/' + QFileInfo(target).fileName();
    } else if (kind == QLatin1String("chain")) {
        QVERIFY(QFile::link(target, links + QStringLiteral("/first.nes")));
        path = links + QStringLiteral("/second.nes");
        linkTarget = QStringLiteral("first.nes");
    }
    if (!linkTarget.isEmpty()) {
        QCOMPARE(::symlink(linkTarget.toUtf8().constData(), path.toUtf8().constData()), 0);
    }
    const QStringList linksBefore = QDir(links).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    d.path = path;

    QByteArray file = d.original;
    QVERIFY(d.load());
    QCOMPARE(d.window.cartridge().CartridgePath(), path);
    d.window.SelectTile(9 * 32);
    d.press(QPointF(200 * 16 + 1, 31 * 16 + 1));
    file[CartridgeImage::FirstIndex + 31 * 256 + 200] = 9;
    d.window.mnuFileSave_Click();
    QCOMPARE(d.platform.messageTitles(), QStringList{QStringLiteral("File saved")});
    QVERIFY2(d.platform.messages[0].text.contains(path), qPrintable(d.platform.messages[0].text));
    QString mismatch = FileMismatch(target, file, QStringLiteral("Save Changes"));
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));

    for (Route route : GameRoutes()) {
        QDialog* window = Open(d, route);
        QVERIFY2(window, qPrintable(RouteName(route)));
        const QString shown = ShownMismatch(window, route, file);
        QVERIFY2(shown.isEmpty(), qPrintable(shown));
        Apply(file, Edit(d, window, route, rng));
        MainWindowDriver::click(window, QStringLiteral("cmdSave"));
        MainWindowDriver::deleteClosed();
        mismatch = FileMismatch(target, file, RouteName(route));
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }
    QCOMPARE(d.platform.messages.size(), 1);

    // Links stay links pointing where they pointed; no file appears beside them or the target.
    if (!linkTarget.isEmpty()) {
        QVERIFY(QFileInfo(path).isSymLink());
        char buffer[4096] = {};
        const ssize_t length = ::readlink(path.toUtf8().constData(), buffer, sizeof buffer - 1);
        QCOMPARE(QString::fromUtf8(buffer, length), linkTarget);
    }
    QCOMPARE(QDir(links).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), linksBefore);
    QCOMPARE(QDir(base.filePath(oddFolder)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{QFileInfo(target).fileName(), QFileInfo(target).fileName() + QStringLiteral(".bak")}));
}

// ---- Loads that must not happen ---------------------------------------------------

void tst_Faults::loadRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");  // empty: no message
    QTest::newRow("dialog cancelled") << "cancel" << "";
    QTest::newRow("a folder where a file is expected") << "folder" << "is a folder, not a file";
    QTest::newRow("a link to nothing") << "dangling" << "which does not exist";
    QTest::newRow("a link to a folder") << "folder link" << "is a folder, not a file";
    QTest::newRow("a missing file") << "missing" << "does not exist";
    QTest::newRow("a path through a file") << "through" << "does not exist";
}

void tst_Faults::loadRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    ++m_cases;
    // A cartridge loaded first must stay the cartridge, its unsaved paint included.
    MainWindowDriver d;
    QVERIFY(d.load());
    d.window.SelectTile(3 * 32);
    d.press(QPointF(1 * 16, 0));
    const QByteArray image = d.window.cartridge().image().bytes();
    const QString folder = d.dir.filePath(QStringLiteral("a folder.nes"));
    QVERIFY(QDir().mkdir(folder));
    QString chosen = folder;
    if (kind == QLatin1String("dangling")) {
        chosen = d.dir.filePath(QStringLiteral("dangling.nes"));
        QVERIFY(QFile::link(d.dir.filePath(QStringLiteral("gone.nes")), chosen));
    } else if (kind == QLatin1String("folder link")) {
        chosen = d.dir.filePath(QStringLiteral("folder link.nes"));
        QVERIFY(QFile::link(folder, chosen));
    } else if (kind == QLatin1String("missing")) {
        chosen = d.dir.filePath(QStringLiteral("missing.nes"));
    } else if (kind == QLatin1String("through")) {
        chosen = d.path + QStringLiteral("/inner.nes");
    }
    const auto disk = Tree(d.dir.path());
    if (kind != QLatin1String("cancel")) {
        d.platform.openAnswers << chosen;
    }
    d.window.mnuFileLoad_Click();
    if (reason.isEmpty()) {
        QVERIFY(d.platform.messages.isEmpty());
    } else {
        QCOMPARE(d.platform.messages.size(), 1);
        QVERIFY2(d.platform.messages[0].text.contains(chosen) && d.platform.messages[0].text.contains(reason),
                 qPrintable(d.platform.messages[0].text));
        QCOMPARE(d.platform.messages[0].icon, Platform::Icon::Critical);
    }
    QCOMPARE(d.window.cartridge().CartridgePath(), d.path);
    QVERIFY(d.window.cartridge().image().bytes() == image);
    QVERIFY(d.window.findChild<QAction*>(QStringLiteral("mnuFileSave"))->isEnabled());
    QVERIFY2(Tree(d.dir.path()) == disk, "a refused load changed the disk");
}

QTEST_MAIN(tst_Faults)
#include "tst_Faults.moc"
