#include "FileLayout.h"
#include "Fixtures.h"
#include "ScriptedEditing.h"
#include "SessionDriver.h"
#include "core/MapJournal.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <memory>

#ifndef ORVANE_SESSION_HELPER
#error "ORVANE_SESSION_HELPER must name the session_helper program"
#endif

namespace {

// Four strokes and an undo of one scripted session: five steps journaled,
// three left in the history.
void edit(SessionDriver& d, quint32 seed = 7)
{
    for (int n = 1; n <= 5; ++n) {
        ScriptedEditing::Act(d.session, seed, n);
    }
}

QByteArray hashOf(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

}  // namespace

// The journal of unsaved map edits as the session keeps it: offered back at
// the next load however the session ended, gone with a save or an undo back
// to the saved map, and nothing lost when the editor is killed.
class tst_UnsavedEdits : public QObject {
    Q_OBJECT

private slots:
    void offeredAtNextLoad_data();
    void offeredAtNextLoad();
    void goneWithSaveOrUndo();
    void killedEditorLosesNoStroke();
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
    QByteArray expected = file.mid(FileLayout::ImageStart, edited.size());
    if (answer == 0) {
        expected = edited;
        expected[untouched - FileLayout::ImageStart] = file[untouched];
    }
    QCOMPARE(hashOf(next.image()), hashOf(expected));
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

// The editor, killed at random moments while it edits, 100 times: the next
// load offers every action that had returned, and restoring them gives
// exactly the map the editor held after them (or after the one in flight).
void tst_UnsavedEdits::killedEditorLosesNoStroke()
{
    SessionDriver d;
    QRandomGenerator rng(5);
    int inFlight = 0;
    for (quint32 kill = 0; kill < 100; ++kill) {
        QFile::remove(MapJournal::JournalPath(d.path));
        QProcess helper;
        helper.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        helper.start(QStringLiteral(ORVANE_SESSION_HELPER), {d.path, QString::number(kill)});
        QVERIFY(helper.waitForReadyRead(60000));
        QThread::usleep(rng.bounded(20000));
        ::kill(static_cast<pid_t>(helper.processId()), SIGKILL);
        QVERIFY(helper.waitForFinished(10000));
        const QList<QByteArray> lines = helper.readAllStandardOutput().trimmed().split('\n');
        const int done = lines.last().split(' ').value(1).toInt();

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
        inFlight += restored == held[1] && held[0] != held[1] ? 1 : 0;
        QCOMPARE(Fixtures::ReadAll(d.path), d.original);
    }
    qInfo("100 kills: no action lost; the one in flight was kept %d times", inFlight);
}

QTEST_MAIN(tst_UnsavedEdits)
#include "tst_UnsavedEdits.moc"
