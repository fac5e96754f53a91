#include "Fixtures.h"
#include "core/CartridgeImage.h"
#include "core/MapDocument.h"
#include "core/MapEditCommand.h"
#include "core/MapJournal.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using Step = MapJournal::Step;
using Outcome = MapJournal::Outcome;
using Refusal = MapJournal::Refusal;
Q_DECLARE_METATYPE(Refusal)

namespace {

const QString Version = QStringLiteral("1.0");
constexpr qint32 First = CartridgeImage::FirstIndex;

// A step changing `cells` map bytes from file offset `first` on, applied to `map`.
Step Paint(QByteArray& map, qint32 first, int cells, quint8 salt = 0x5A)
{
    Step step{QStringLiteral("Paint %1 Cells").arg(cells), {}};
    for (qint32 i = first; i < first + cells; ++i) {
        const auto before = static_cast<quint8>(map[i - First]);
        step.changes.append({i, before, static_cast<quint8>(before ^ salt)});
        map[i - First] = static_cast<char>(before ^ salt);
    }
    return step;
}

// A cartridge file and its map range.
struct Fixture {
    QString path;
    QByteArray map;
    Fixture(const QTemporaryDir& dir, const QString& name)
        : path(Fixtures::WriteFile(dir, name, Fixtures::Pattern(262160, 4))),
          map(Fixtures::ReadAll(path).mid(First, CartridgeImage::Size))
    {
    }
};

QByteArray Journal(const QString& realPath, const QByteArray& saved, const QList<Step>& steps,
                   const QDateTime& began = QDateTime::fromMSecsSinceEpoch(1800000000000, Qt::UTC))
{
    QByteArray bytes = MapJournal::HeaderBytes(realPath, Version, MapJournal::MapHash(saved), began);
    for (const Step& step : steps) {
        bytes += MapJournal::StepBytes(step);
    }
    return bytes;
}

}  // namespace

enum Fault { HeaderBit, FormatByte, ProgramVersion, OtherCartridge, LastStepMisfits };

// The journal of unsaved map edits: read back whole or not at all.
class tst_MapJournal : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<bool>("viaLink");
        QTest::newRow("plain") << false;
        QTest::newRow("opened through a link") << true;
    }

    // A stroke, its undo and redo, then a larger step: read back as they were.
    void roundTrip()
    {
        QFETCH(bool, viaLink);
        QTemporaryDir dir;
        qputenv("XDG_STATE_HOME", dir.filePath(QStringLiteral("state")).toUtf8());
        const Fixture cart(dir, QStringLiteral("cart.nes"));
        const QString opened = viaLink ? dir.filePath(QStringLiteral("link.nes")) : cart.path;
        QVERIFY(!viaLink || QFile::link(cart.path, opened));

        QByteArray map = cart.map;
        MapDocument document;
        const MapEditCommand stroke(document, QStringLiteral("Paint"), 1, Paint(map, First + 100, 3).changes);
        const QList<Step> steps{MapJournal::StepOf(stroke, false), MapJournal::StepOf(stroke, true),
                                MapJournal::StepOf(stroke, false), Paint(map, First + 5000, 1000)};
        const QDateTime start = QDateTime::currentDateTimeUtc();
        MapJournal journal(opened, Version);
        journal.setSavedMap(cart.map);
        QVERIFY(!QFileInfo::exists(journal.path()));  // made by the first append
        QString error;
        for (const Step& step : steps) {
            QVERIFY2(journal.append(step, &error), qPrintable(error));
        }
        QCOMPARE(journal.path(), MapJournal::JournalPath(cart.path));
        QCOMPARE(QFileInfo(journal.path()).path(), dir.filePath(QStringLiteral("state/orvane-map-editor")));

        const MapJournal::Reading r = MapJournal::Read(cart.path, cart.map, Version);
        QCOMPARE(r.outcome, Outcome::Valid);
        QVERIFY(r.steps == steps);
        QVERIFY(!r.fileChanged);
        QVERIFY(r.began >= start.addMSecs(-1) && r.began <= QDateTime::currentDateTimeUtc());
        QVERIFY(Fixtures::ReadAll(journal.path()) ==
                Journal(MapJournal::RealPath(cart.path), cart.map, steps, r.began));
    }

    void refusals_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<Refusal>("refusal");
        QTest::addColumn<QString>("word");
        QTest::newRow("a bit of the header flipped") << int(HeaderBit) << Refusal::Damaged << "damaged";
        QTest::newRow("another journal format") << int(FormatByte) << Refusal::OtherFormat << "other-format";
        QTest::newRow("another program version") << int(ProgramVersion) << Refusal::OtherVersion << "other-version";
        QTest::newRow("the journal of another cartridge") << int(OtherCartridge) << Refusal::OtherFile << "other-file";
        QTest::newRow("the file changed under the last step")
            << int(LastStepMisfits) << Refusal::DoesNotFit << "not-fitting";
    }

    // Each refusal: nothing offered, the journal kept aside whole under a name saying why.
    void refusals()
    {
        QFETCH(int, fault);
        QFETCH(Refusal, refusal);
        QFETCH(QString, word);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("journals"));
        const Fixture cart(dir, QStringLiteral("cart.nes"));
        QByteArray map = cart.map;
        const QList<Step> steps{Paint(map, First + 10, 2), Paint(map, First + 20, 2)};
        MapJournal journal(cart.path, Version, folder);
        journal.setSavedMap(cart.map);
        for (const Step& step : steps) {
            QVERIFY(journal.append(step, nullptr));
        }
        QString path = journal.path();
        QByteArray bytes = Fixtures::ReadAll(path);
        QString readFor = cart.path;
        QString version = Version;
        QByteArray current = cart.map;
        switch (fault) {
        case HeaderBit: bytes[20] = static_cast<char>(bytes[20] ^ 4); break;
        case FormatByte: bytes[7] = 2; break;
        case ProgramVersion: version = QStringLiteral("1.1"); break;
        case OtherCartridge:
            readFor = Fixture(dir, QStringLiteral("other.nes")).path;
            QVERIFY(QFile::rename(path, MapJournal::JournalPath(readFor, folder)));
            path = MapJournal::JournalPath(readFor, folder);
            break;
        case LastStepMisfits: current[21] = static_cast<char>(current[21] ^ 1); break;
        }
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
        out.close();

        const MapJournal::Reading r = MapJournal::Read(readFor, current, version, folder);
        QCOMPARE(r.outcome, Outcome::SetAside);
        QCOMPARE(r.refusal, refusal);
        QVERIFY(r.steps.isEmpty());
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(QFileInfo(r.setAsidePath).path(), folder);
        QVERIFY2(QFileInfo(r.setAsidePath).fileName().startsWith(QFileInfo(path).fileName() + u'.' + word + u'-'),
                 qPrintable(r.setAsidePath));
        QVERIFY(Fixtures::ReadAll(r.setAsidePath) == bytes);
        QVERIFY2(r.message.contains(path) && r.message.contains(r.setAsidePath), qPrintable(r.message));
    }

    void tornTail_data()
    {
        QTest::addColumn<int>("firstCells");  // 0: no step before the torn one
        QTest::addColumn<int>("lastCells");
        QTest::addColumn<bool>("zeros");  // the file grew, but the last step's bytes read as zeros
        QTest::newRow("last step of one cell") << 1 << 1 << false;
        QTest::newRow("last step of 1,000 cells") << 1 << 1000 << false;
        QTest::newRow("only step, cut anywhere from the start") << 0 << 20 << false;
        QTest::newRow("unwritten end read as zeros") << 1 << 20 << true;
    }

    // Cut at every byte of its last step: the steps before it, never part of the last.
    void tornTail()
    {
        QFETCH(int, firstCells);
        QFETCH(int, lastCells);
        QFETCH(bool, zeros);
        const QString real = QStringLiteral("/games/cart.nes");
        const QByteArray map = Fixtures::Pattern(CartridgeImage::Size, 6);
        QByteArray work = map;
        QList<Step> before;
        if (firstCells > 0) {
            before << Paint(work, First, firstCells);
        }
        const QByteArray complete = Journal(real, map, before);
        const Step last = Paint(work, First + 4000, lastCells);
        const QByteArray journal = complete + MapJournal::StepBytes(last);
        for (qsizetype cut = firstCells > 0 ? complete.size() : 0; cut <= journal.size(); ++cut) {
            const QByteArray bytes = zeros ? complete + QByteArray(cut - complete.size(), '\0') : journal.left(cut);
            const MapJournal::Reading r = MapJournal::Examine(bytes, real, map, Version);
            const bool whole = bytes == journal;
            const QList<Step> expected = whole ? before + QList<Step>{last} : before;
            const QByteArray where = QByteArray::number(cut);
            QVERIFY2(r.steps == expected, where);
            QVERIFY2(r.outcome == (expected.isEmpty() ? Outcome::None : Outcome::Valid), where);
            QVERIFY2(expected.isEmpty() || (r.tornTail == (!whole && cut > complete.size()) &&
                                            r.completeLength == (whole ? cut : complete.size())),
                     where);
        }
    }

    // Every single bit of a small journal flipped: refused, nothing offered.
    void flippedBitIsDamage()
    {
        const QString real = QStringLiteral("/c.nes");
        const QByteArray map = Fixtures::Pattern(CartridgeImage::Size, 7);
        QByteArray work = map;
        const QByteArray journal = Journal(real, map, {Paint(work, First, 1), Paint(work, First + 9, 2)});
        QCOMPARE(MapJournal::Examine(journal, real, map, Version).outcome, Outcome::Valid);
        for (qsizetype bit = 0; bit < journal.size() * 8; ++bit) {
            QByteArray bytes = journal;
            bytes[bit / 8] = static_cast<char>(bytes[bit / 8] ^ (1 << (bit % 8)));
            const MapJournal::Reading r = MapJournal::Examine(bytes, real, map, Version);
            const Refusal expected = bit / 8 == 7 ? Refusal::OtherFormat : Refusal::Damaged;
            QVERIFY2(r.outcome == Outcome::SetAside && r.refusal == expected && r.steps.isEmpty(),
                     qPrintable(QStringLiteral("bit %1: %2").arg(bit).arg(r.detail)));
        }
    }

    void resumeContinues_data()
    {
        QTest::addColumn<bool>("torn");
        QTest::newRow("whole journal") << false;
        QTest::newRow("torn journal") << true;
    }

    // After a restore the journal goes on; a torn original is kept aside.
    void resumeContinues()
    {
        QFETCH(bool, torn);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("journals"));
        const Fixture cart(dir, QStringLiteral("cart.nes"));
        QByteArray map = cart.map;
        QList<Step> steps{Paint(map, First, 2), Paint(map, First + 10, 3), Paint(map, First + 20, 4)};
        MapJournal first(cart.path, Version, folder);
        first.setSavedMap(cart.map);
        for (const Step& step : steps) {
            QVERIFY(first.append(step, nullptr));
        }
        QFile file(first.path());
        if (torn) {
            QVERIFY(file.resize(file.size() - 5));
            steps.removeLast();
        }
        const QByteArray original = Fixtures::ReadAll(first.path());

        const MapJournal::Reading r = MapJournal::Read(cart.path, cart.map, Version, folder);
        QVERIFY(r.outcome == Outcome::Valid && r.steps == steps && r.tornTail == torn);
        MapJournal journal(cart.path, Version, folder);
        QString error;
        QVERIFY2(journal.resume(r, &error), qPrintable(error));
        map = cart.map;
        QVERIFY(MapJournal::Replay(steps, map));
        steps << Paint(map, First + 30, 5);
        QVERIFY2(journal.append(steps.last(), &error), qPrintable(error));

        const MapJournal::Reading again = MapJournal::Read(cart.path, cart.map, Version, folder);
        QVERIFY(again.outcome == Outcome::Valid && again.steps == steps && !again.tornTail);
        QCOMPARE(again.began, r.began);
        const QStringList aside = QDir(folder).entryList({QStringLiteral("*.torn-*")});
        QCOMPARE(aside.size(), torn ? 1 : 0);
        QVERIFY(!torn || Fixtures::ReadAll(folder + u'/' + aside[0]) == original);
    }

    // Failed appends (no folder, a full disk) keep their steps for the next append.
    void failedAppendsCatchUp()
    {
        QTemporaryDir dir;
        const Fixture cart(dir, QStringLiteral("cart.nes"));
        const QString folder = Fixtures::WriteFile(dir, QStringLiteral("journals"), "a file, not a folder");
        MapJournal journal(cart.path, Version, folder);
        journal.setSavedMap(cart.map);
        QByteArray map = cart.map;
        QList<Step> steps;
        QString error;
        const auto appendFails = [&](int cells) {
            steps << Paint(map, First + 2000 * steps.size(), cells);
            error.clear();
            return !journal.append(steps.last(), &error) && error.contains(folder);
        };
        QVERIFY2(appendFails(1), qPrintable(error));
        QVERIFY(QFile::remove(folder));
        steps << Paint(map, First + 2000 * steps.size(), 1);
        QVERIFY2(journal.append(steps.last(), &error), qPrintable(error));

        // The file may grow by 100 bytes more: the next step, 6,000 bytes, is cut short.
        rlimit limit{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &limit) == 0);
        const rlimit before = limit;
        limit.rlim_cur = static_cast<rlim_t>(QFileInfo(journal.path()).size() + 100);
        std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &limit) == 0);
        const bool fullDiskFails = appendFails(1000);
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &before) == 0);
        QVERIFY2(fullDiskFails, qPrintable(error));
        steps << Paint(map, First + 2000 * steps.size(), 1);
        QVERIFY2(journal.append(steps.last(), &error), qPrintable(error));
        QVERIFY(MapJournal::Read(cart.path, cart.map, Version, folder).steps == steps);

        QVERIFY(journal.remove(&error));

        // A journal found where a new one begins (nobody resumed or removed it) is kept aside.
        Fixtures::WriteFile(dir, QStringLiteral("journals/") + QFileInfo(journal.path()).fileName(), "an old journal");
        QVERIFY2(journal.append(steps.first(), &error), qPrintable(error));
        const QStringList aside = QDir(folder).entryList({QStringLiteral("*.superseded-*")});
        QVERIFY(aside.size() == 1 && Fixtures::ReadAll(folder + u'/' + aside[0]) == "an old journal");
    }
};

QTEST_GUILESS_MAIN(tst_MapJournal)
#include "tst_MapJournal.moc"
