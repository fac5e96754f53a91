#include "FileLayout.h"
#include "Fixtures.h"
#include "ScriptedEditing.h"
#include "SessionDriver.h"
#include "core/MapJournal.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <memory>

namespace {

// Four strokes and an undo: five steps journaled.
void edit(SessionDriver& d, quint32 seed = 7)
{
    for (int n = 1; n <= 5; ++n) {
        ScriptedEditing::Act(d.session, seed, n);
    }
}

// Kills kill_helper `delay` µs after its start (or first line); what it printed, or "ended".
QByteArray runAndKill(const QStringList& arguments, bool afterALine, unsigned long delay)
{
    QProcess helper;
    helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    helper.start(QStringLiteral(ORVANE_KILL_HELPER), arguments);
    if (!helper.waitForStarted(10000) || (afterALine && !helper.waitForReadyRead(60000))) {
        return "ended";
    }
    QThread::usleep(delay);
    if (helper.state() != QProcess::Running) {
        return "ended";
    }
    ::kill(static_cast<pid_t>(helper.processId()), SIGKILL);
    helper.waitForFinished(10000);
    return helper.readAllStandardOutput();
}

}  // namespace

// Unsaved map edits survive the session's end, even a kill; a killed save
// leaves one whole version of the cartridge.
class tst_UnsavedEdits : public QObject {
    Q_OBJECT

private slots:
    void offeredAtNextLoad_data();
    void offeredAtNextLoad();
    void goneWithSaveOrUndo();
    void killedEditorLosesNoStroke();
    void killedSaveLeavesOneWholeVersion_data();
    void killedSaveLeavesOneWholeVersion();
};

void tst_UnsavedEdits::offeredAtNextLoad_data()
{
    QTest::addColumn<int>("answer");  // Restore, Discard, or the box closed
    QTest::addColumn<bool>("otherFileBetween");  // another cartridge was loaded before the session ended
    QTest::addColumn<bool>("changedOnDisk");
    QTest::newRow("restored") << 0 << false << false;
    QTest::newRow("restored after another file") << 0 << true << false;
    QTest::newRow("restored over a file changed since") << 0 << false << true;
    QTest::newRow("discarded") << 1 << false << false;
    QTest::newRow("not answered") << -1 << false << false;
}

void tst_UnsavedEdits::offeredAtNextLoad()
{
    QFETCH(int, answer);
    QFETCH(bool, otherFileBetween);
    QFETCH(bool, changedOnDisk);
    QTemporaryDir dir;  // the cartridge, outliving both sessions
    QByteArray file = Fixtures::Pattern(262160, 9);
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), file);
    auto first = std::make_unique<SessionDriver>();
    first->path = path;
    QVERIFY(first->load());
    edit(*first);
    const QByteArray edited = first->image();
    const int steps = 5;
    if (otherFileBetween) {
        first->path = Fixtures::WriteFile(dir, QStringLiteral("other.nes"), file);
        QVERIFY(first->load());
    }
    first.reset();  // Quit: no question, nothing written to the cartridge
    QCOMPARE(Fixtures::ReadAll(path), file);
    const qint64 untouched = FileLayout::MapByte(8, 31, 255);  // a map byte no edit touched
    if (changedOnDisk) {
        file[untouched] = static_cast<char>(~file[untouched]);
        Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), file);
    }

    SessionDriver next;
    next.path = path;
    next.platform.choiceAnswers << answer;
    QVERIFY(next.load());
    QCOMPARE(next.platform.choices.size(), 1);
    const QString question = next.platform.choices[0].text;
    QVERIFY2(question.contains(path) && question.contains(QStringLiteral("%1 map edits").arg(steps)),
             qPrintable(question));
    QCOMPARE(question.contains(QStringLiteral("changed on disk")), changedOnDisk);
    QVERIFY(next.platform.messages.isEmpty());  // the journal goes on after a restore, without a word
    QByteArray expected = file.mid(FileLayout::ImageStart, edited.size());
    if (answer == 0) {
        expected = edited;
        expected[untouched - FileLayout::ImageStart] = file[untouched];
    }
    QVERIFY(next.image() == expected);
    QCOMPARE(next.session.document().undoStack().count(), answer == 0 ? steps : 0);
    QCOMPARE(next.session.document().isModified(), answer == 0);
    QCOMPARE(Fixtures::ReadAll(path), file);

    // Loaded again: offered again unless discarded (restored edits are still unsaved).
    next.platform.choices.clear();
    QVERIFY(next.load());
    QCOMPARE(next.platform.choices.size(), answer == 1 ? 0 : 1);
}

void tst_UnsavedEdits::goneWithSaveOrUndo()
{
    SessionDriver d;
    QVERIFY(d.load());
    edit(d);
    const QString journal = MapJournal::JournalPath(d.path);
    QVERIFY(QFileInfo::exists(journal));
    // A save that fails keeps the journal: a crash then loses nothing.
    QVERIFY(QFile::remove(d.path) && QDir().mkdir(d.path));
    d.session.save();
    QVERIFY(d.platform.messageTitles() == QStringList{"File not saved"} && QFileInfo::exists(journal));
    QVERIFY(QDir().rmdir(d.path));
    Fixtures::WriteFile(d.dir, QStringLiteral("cart.nes"), d.original);
    d.session.save();
    QVERIFY(!QFileInfo::exists(journal));
    edit(d, 8);
    QVERIFY(QFileInfo::exists(journal));
    while (d.session.document().isModified()) {
        d.session.document().undoStack().undo();
    }
    QVERIFY(!QFileInfo::exists(journal));
    QVERIFY(d.load());
    QVERIFY(d.platform.choices.isEmpty());
}

// The editor killed 100 times while it edits: a restore gives every action that returned.
void tst_UnsavedEdits::killedEditorLosesNoStroke()
{
    SessionDriver d;
    QRandomGenerator rng(5);
    for (quint32 kill = 0; kill < 100; ++kill) {
        QFile::remove(MapJournal::JournalPath(d.path));
        const QByteArray printed =
            runAndKill({QStringLiteral("edit"), d.path, QString::number(kill)}, true, rng.bounded(20000));
        QVERIFY2(printed.startsWith("done"), printed);
        const int done = printed.trimmed().split('\n').last().split(' ').value(1).toInt();

        // What the editor held after the last action done, and after the next.
        SessionDriver replay(d.original);
        QVERIFY(replay.load());
        QByteArray held[2];
        for (int n = 1; n <= done + 1; ++n) {
            held[0] = n == done + 1 ? replay.image() : QByteArray();
            ScriptedEditing::Act(replay.session, kill, n);
        }
        held[1] = replay.image();

        d.platform.choiceAnswers = {0};
        QVERIFY(d.load());
        const QByteArray restored = d.image();
        QVERIFY2(
            restored == held[0] || restored == held[1],
            qPrintable(QStringLiteral("kill %1: %2 actions done, the map restored is neither").arg(kill).arg(done)));
        QCOMPARE(Fixtures::ReadAll(d.path), d.original);
    }
}

// A save killed at any moment leaves exactly the old or exactly the new contents.
void tst_UnsavedEdits::killedSaveLeavesOneWholeVersion_data()
{
    QTest::addColumn<int>("kills");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<qint64>("size");
    QTest::newRow("full-length cartridge") << 100 << 1U << qint64(262160);
    QTest::newRow("image only") << 60 << 2U << FileLayout::ImageEnd;
    QTest::newRow("one megabyte") << 40 << 3U << qint64(1048576);
}

void tst_UnsavedEdits::killedSaveLeavesOneWholeVersion()
{
    QFETCH(int, kills);
    QFETCH(quint32, seed);
    QFETCH(qint64, size);
    QTemporaryDir dir;
    // The two versions each save turns into the other: the map inverted, the rest alike.
    const QByteArray a = Fixtures::Pattern(size, seed);
    QByteArray b = a;
    for (qint64 i = FileLayout::ImageStart; i < FileLayout::ImageEnd; ++i) {
        b[i] = static_cast<char>(~b[i]);
    }
    const QString cartridge = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), a);

    // Delays sweeping 0..30 ms in uneven steps, so that the kills land all over a save.
    QRandomGenerator rng(seed);
    for (int k = 0; k < kills; ++k) {
        const QByteArray start = Fixtures::ReadAll(cartridge);
        const QByteArray& other = start == a ? b : a;
        // Half of the kills come while the first load or save may still run.
        const auto delay = static_cast<unsigned long>((k * 7919 + static_cast<int>(rng.bounded(1000))) % 30000);
        const QByteArray printed = runAndKill({QStringLiteral("save"), cartridge}, k % 2 == 0, delay);
        QVERIFY2(printed != "ended" && !printed.contains("error"), printed);

        // Every save the helper reported done is in the file; the one it was
        // killed in may or may not be.
        const int saves = static_cast<int>(printed.count("saved\n"));
        const QByteArray& afterReported = saves % 2 == 0 ? start : other;
        const QByteArray& afterOneMore = saves % 2 == 0 ? other : start;
        const QByteArray now = Fixtures::ReadAll(cartridge);
        QVERIFY2(now == afterReported || now == afterOneMore,
                 qPrintable(QStringLiteral("kill %1: the cartridge lost a save the helper had finished").arg(k)));
        QVERIFY(QFileInfo(cartridge).isFile() && !QFileInfo(cartridge).isSymLink());
    }
}

QTEST_MAIN(tst_UnsavedEdits)
#include "tst_UnsavedEdits.moc"
