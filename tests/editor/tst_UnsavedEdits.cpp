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

// `actions` scripted actions; five are four strokes and an undo: five steps journaled.
void edit(SessionDriver& d, quint32 seed = 7, int actions = 5)
{
    for (int n = 1; n <= actions; ++n) {
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

// Unsaved map edits survive the session's end, even a kill; a killed save leaves one whole cartridge.
class tst_UnsavedEdits : public QObject {
    Q_OBJECT

private slots:
    void offeredAtNextLoad_data()
    {
        QTest::addColumn<int>("answer");  // Restore, Discard, or the box closed (Escape, the close box)
        QTest::addColumn<int>("edits");  // steps journaled
        QTest::addColumn<bool>("torn");  // the journal cut inside its last step
        QTest::addColumn<bool>("otherFileBetween");  // another cartridge was loaded before the session ended
        QTest::addColumn<bool>("changedOnDisk");
        QTest::newRow("restored") << 0 << 5 << false << false << false;
        QTest::newRow("restored, 1 edit") << 0 << 1 << false << false << false;
        QTest::newRow("restored, torn in the third") << 0 << 3 << true << false << false;
        QTest::newRow("restored after another file") << 0 << 5 << false << true << false;
        QTest::newRow("restored over a file changed since") << 0 << 5 << false << false << true;
        QTest::newRow("discarded") << 1 << 5 << false << false << false;
        QTest::newRow("closed") << -1 << 5 << false << false << false;
        QTest::newRow("closed, 2 edits, file changed since") << -1 << 2 << false << false << true;
    }

    void offeredAtNextLoad()
    {
        QFETCH(int, answer);
        QFETCH(int, edits);
        QFETCH(bool, torn);
        QFETCH(bool, otherFileBetween);
        QFETCH(bool, changedOnDisk);
        QTemporaryDir dir;  // the cartridge, outliving both sessions
        QByteArray file = Fixtures::Pattern(262160, 9);
        const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), file);
        const QString other = Fixtures::WriteFile(dir, QStringLiteral("other.nes"), file);
        const QString journal = MapJournal::JournalPath(path);
        auto first = std::make_unique<SessionDriver>();
        first->path = path;
        QVERIFY(first->load());
        edit(*first, 7, edits - 1);
        const QByteArray beforeLast = first->image();
        ScriptedEditing::Act(first->session, 7, edits);
        const QByteArray edited = torn ? beforeLast : first->image();  // a torn last step is left out
        if (otherFileBetween) {
            first->path = other;
            QVERIFY(first->load());
        }
        first.reset();  // Quit: no question, nothing written to the cartridge
        QVERIFY(!torn || QFile::resize(journal, QFileInfo(journal).size() - 7));
        QCOMPARE(Fixtures::ReadAll(path), file);
        const qint64 untouched = FileLayout::MapByte(8, 31, 255);  // a map byte no edit touched
        if (changedOnDisk) {
            file[untouched] = static_cast<char>(~file[untouched]);
            Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), file);
        }

        SessionDriver next;
        next.path = other;
        QVERIFY(next.load());
        next.clickCell({4, 70});  // with tile 0, unless the map holds it there
        // What closing the question leaves as it was: the cartridge shown, its block and history, the journal.
        const auto state = [&] {
            return std::tuple(next.session.cartridgePath(), next.image(), next.session.currentBlock(),
                              next.session.document().undoStack().count(), Fixtures::ReadAll(journal));
        };
        const auto asked = state();
        QSignalSpy loads(&next.session, &EditorSession::loadStarted);
        next.path = path;
        next.platform.choiceAnswers << answer << 0;
        QCOMPARE(next.load(), answer != -1);
        QCOMPARE(next.platform.choiceDefaults.value(0), 0);  // Enter restores
        const QString question = next.platform.choices.value(0).text;
        const int offered = edits - int(torn);
        QVERIFY2(question.contains(path) &&
                     question.contains(offered == 1 ? QStringLiteral("has 1 map edit from")
                                                    : QStringLiteral("has %1 map edits").arg(offered)),
                 qPrintable(question));
        QCOMPARE(question.contains(QStringLiteral("1 step was left out")), torn);
        QCOMPARE(question.contains(QStringLiteral("changed on disk")), changedOnDisk);
        QVERIFY(next.platform.messages.isEmpty());  // the journal goes on after a restore, without a word
        if (answer == -1) {  // the next load asks again
            QVERIFY(state() == asked && loads.isEmpty());
            QVERIFY(next.load());
            answer = 0;
        }
        QByteArray expected = file.mid(FileLayout::ImageStart, edited.size());
        if (answer == 0) {
            expected = edited;
            expected[untouched - FileLayout::ImageStart] = file[untouched];
        }
        QVERIFY(next.image() == expected);
        QCOMPARE(QFileInfo::exists(journal), answer == 0);  // only Discard removes it
        QCOMPARE(next.session.document().undoStack().count(), answer == 0 ? offered : 0);
        QCOMPARE(next.session.document().isModified(), answer == 0);
        QCOMPARE(Fixtures::ReadAll(path), file);

        // Undone back to the file, the journal goes; edited anew, its base is the file on disk, not the map restored.
        while (next.session.document().isModified()) {
            next.session.undo();
        }
        QVERIFY(!QFileInfo::exists(journal));
        edit(next, 8, 1);
        next.platform.choices.clear();
        next.platform.choiceAnswers = {0};
        QVERIFY(next.load());
        QVERIFY(next.platform.choices.size() == 1 &&
                !next.platform.choices[0].text.contains(QStringLiteral("changed on disk")));
        // A save that fails keeps the journal: a crash then loses nothing.
        QVERIFY(QFile::remove(path) && QDir().mkdir(path));
        next.session.save();
        QVERIFY(next.platform.messageTitles() == QStringList{"File not saved"} && QFileInfo::exists(journal));
        QVERIFY(QDir().rmdir(path));
        Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), file);
        next.session.save();  // saved, it goes too
        QVERIFY(!QFileInfo::exists(journal) && next.load() && next.platform.choices.size() == 1);
        QFile damaged(journal);  // one that cannot be used is said so, and the load goes on
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write("ORVJRNL?") == 8);
        damaged.close();
        next.platform.messages.clear();
        QVERIFY(next.load() && next.platform.messageTitles() == QStringList{QStringLiteral("Unsaved map edits")});

        // Restore answered, then the load failed (the file was away); once the journal is gone, nothing is restored.
        edit(next, 9, 1);
        const QByteArray saved = Fixtures::ReadAll(path);
        const auto away = connect(&next.session, &EditorSession::loadStarted, [&] { QFile::remove(path); });
        next.platform.choiceAnswers = {0};
        next.load();
        disconnect(away);
        QVERIFY(next.platform.choiceAnswers.isEmpty() && !QFileInfo::exists(path));  // answered, then not loaded
        Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), saved);
        QVERIFY(QFile::remove(journal) && next.load());
        QVERIFY(next.session.document().undoStack().count() == 0 &&
                next.image() == saved.mid(FileLayout::ImageStart, next.image().size()));
    }

    // A stroke whose button is still held is journaled once another tool, a load or the program's end comes.
    void interruptedStrokeIsJournaled()
    {
        SessionDriver d;
        QVERIFY(d.load());
        for (int interruption = 0; interruption < 3; ++interruption) {
            d.cellEvent(QEvent::MouseButtonPress, {3, 4 + interruption}, Qt::LeftButton, Qt::LeftButton);
            d.cellEvent(QEvent::MouseMove, {9, 5 + interruption}, Qt::NoButton, Qt::LeftButton);
            interruption == 0   ? d.session.setTool(QStringLiteral("Fill"))
            : interruption == 1 ? d.session.LoadRom(d.path)  // asks about the stroke, and is closed
                                : d.session.shutDown();
            SessionDriver crashed(d.original);  // what a restore after a crash now gives
            crashed.path = d.path;
            crashed.platform.choiceAnswers << 0;
            QVERIFY(crashed.load() && crashed.image() == d.image());
            QCOMPARE(d.platform.choices.size(), int(interruption >= 1));
            d.session.setTool(QStringLiteral("Brush"));
        }
    }

    // The editor killed 100 times while it edits: a restore gives every action that returned.
    void killedEditorLosesNoStroke()
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
            QVERIFY2(restored == held[0] || restored == held[1],
                     qPrintable(
                         QStringLiteral("kill %1: %2 actions done, the map restored is neither").arg(kill).arg(done)));
            QCOMPARE(Fixtures::ReadAll(d.path), d.original);
        }
    }

    // A save killed at any moment leaves exactly the old or exactly the new contents.
    void killedSaveLeavesOneWholeVersion_data()
    {
        QTest::addColumn<int>("kills");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<qint64>("size");
        QTest::newRow("full-length cartridge") << 100 << 1U << qint64(262160);
        QTest::newRow("image only") << 60 << 2U << FileLayout::ImageEnd;
        QTest::newRow("one megabyte") << 40 << 3U << qint64(1048576);
    }

    void killedSaveLeavesOneWholeVersion()
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
};

QTEST_MAIN(tst_UnsavedEdits)
#include "tst_UnsavedEdits.moc"
