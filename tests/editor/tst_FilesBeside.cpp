#include "FileLayout.h"
#include "Fixtures.h"
#include "SessionDriver.h"
#include "core/MapImageExport.h"
#include "editor/ExternalChangeWatcher.h"

#include <QtTest>

using FileLayout::MapByte;
using Command = void (EditorSession::*)();
Q_DECLARE_METATYPE(Command)

// The files the File menu writes and reads beside the cartridge: dialogs in
// its folder, replaced only when the user says so, never a patch over its own
// files, a map imported as one undo step.
class tst_FilesBeside : public QObject {
    Q_OBJECT

private slots:
    void replacingAskedOnceTheNameIsFinal_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("taken");  // the file there, named once the extension is added; p.ips and q.bps
                                             // link to the cartridge and to other.nes
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QString>("shown");  // the message's title and a part of its text, when one is shown
        QTest::addColumn<QString>("original");  // the patch's
        const auto row = [](const char* name, Command command, const char* typed, const char* taken, bool replace,
                            const char* shown = "", const char* original = "pristine.nes") {
            QTest::newRow(name) << command << QString(typed) << QString(taken) << replace << QString(shown)
                                << QString(original);
        };
        const Command patch = &EditorSession::createPatch, picture = &EditorSession::exportMapImage,
                      map = &EditorSession::exportMap;
        row("patch, kept", patch, "taken", "taken.ips", false);
        row("patch, replaced", patch, "taken", "taken.ips", true, "Patch created|turns");
        row("picture, kept", picture, "taken", "taken.png", false);
        row("picture of the block, replaced", picture, "taken", "taken.png", true,
            "Map image exported|4096 \u00D7 512");
        row("picture of the overworld, replaced", picture, "world", "world.png", true,
            "Map image exported|4096 \u00D7 4096");
        row("map's tileset, kept", map, "taken", "taken.tsx", false);
        row("map's tileset, replaced", map, "taken.tmx", "taken.tsx", true, "Map exported|taken.tmx");
        row("picture named in capitals, kept", picture, "taken.PNG", "taken.PNG", false);
        row("map named in capitals, its tileset kept", map, "TAKEN.TMX", "TAKEN.tsx", false);
        row("CSV map beside a Tiled tileset of its name", map, "taken.csv", "taken.tsj", true,
            "Map exported|taken.csv");
        // A patch of files alike is not written, nor one over either file it is made from, replaced or not.
        row("patch of files alike", patch, "new.bps", "", true, "Patch not created|alike", "cart.nes");
        row("patch over the cartridge", patch, "p.ips", "p.ips", true, "Patch not created|over the cartridge",
            "other.nes");
        row("patch over its original", patch, "q.bps", "q.bps", true, "Patch not created|over the cartridge",
            "other.nes");
    }

    // A file written beside the cartridge is asked about once its name is final; else nothing changes.
    void replacingAskedOnceTheNameIsFinal()
    {
        QFETCH(Command, command);
        QFETCH(QString, typed);
        QFETCH(QString, taken);
        QFETCH(bool, replace);
        QFETCH(QString, shown);
        QFETCH(QString, original);
        SessionDriver d;
        QVERIFY(d.load());
        d.selectTile(9);
        d.clickCell({3, 100});  // something for the patch to hold, in block 4
        d.session.save();
        Fixtures::WriteFile(d.dir, QStringLiteral("pristine.nes"), d.original);
        QVERIFY(QFile::link(d.path, d.dir.filePath(QStringLiteral("p.ips"))));
        const QString other = Fixtures::WriteFile(d.dir, QStringLiteral("other.nes"), Fixtures::Pattern(262160, 1));
        QVERIFY(QFile::link(other, d.dir.filePath(QStringLiteral("q.bps"))));
        const QString existing = d.dir.filePath(taken);
        if (!taken.isEmpty() && !QFileInfo::exists(existing)) {
            Fixtures::WriteFile(d.dir, taken, "keep me");
        }
        d.platform.openAnswers << d.dir.filePath(original);
        const bool world = typed == u"world";  // the overworld without the grid, else the block with it
        d.platform.mapImageAnswers << Platform::MapImageOptions{world, !world};
        d.platform.saveAnswers << ScriptedPlatform::SaveAnswer{d.dir.filePath(typed)};
        d.platform.questionAnswers << replace;
        d.platform.messages.clear();
        const auto before = Fixtures::Tree(d.dir.path());
        (d.session.*command)();
        for (const auto& dialog : d.platform.openDialogs + d.platform.saveDialogs) {
            QCOMPARE(dialog.folder, d.dir.path());  // the cartridge's; a patch's original may be its backup
            QVERIFY(dialog.title != u"Choose the original (unmodified) cartridge" ||
                    dialog.filters[0].pattern.contains(u"*.bak"));
        }
        const bool untouched = typed.endsWith(u".csv");  // a CSV map has no tileset nor picture beside it
        QCOMPARE(d.platform.questions.size(), taken.isEmpty() || untouched ? 0 : 1);
        QVERIFY(taken.isEmpty() || untouched || d.platform.questions[0].text.contains(u'"' + existing + u'"'));
        QCOMPARE(d.platform.messageTitles(), shown.isEmpty() ? QStringList() : QStringList{shown.section(u'|', 0, 0)});
        QVERIFY(shown.isEmpty() || d.platform.messages[0].text.contains(shown.section(u'|', 1)));
        if (!replace || shown.contains(u"not")) {
            QVERIFY(Fixtures::Tree(d.dir.path()) == before);  // nothing written at all
        } else if (taken.endsWith(u".png")) {
            const auto area = world ? MapImageExport::Area::Overworld : MapImageExport::Area::Block;
            QCOMPARE(
                QImage(existing).convertToFormat(QImage::Format_RGB32),
                MapImageExport::Render(d.session.image(), d.session.tileStrip(), area, 4, !world, d.session.GridColor())
                    .convertToFormat(QImage::Format_RGB32));
        } else {
            QCOMPARE(Fixtures::ReadAll(existing) == "keep me", untouched);
        }
    }

    void importMap_data()
    {
        QTest::addColumn<bool>("shortFile");
        QTest::addColumn<bool>("answer");
        QTest::newRow("imported") << false << true;
        QTest::newRow("declined") << false << false;
        QTest::newRow("refused") << true << true;
    }

    // A map with four cells changed, the last row and column among them.
    void importMap()
    {
        QFETCH(bool, shortFile);
        QFETCH(bool, answer);
        SessionDriver d;
        QVERIFY(d.load());
        QMap<QPair<int, int>, int> changes;  // (column, row): the tile with its high bit flipped
        for (const auto& [column, row] : QList<QPair<int, int>>{{0, 0}, {100, 100}, {255, 31}, {255, 255}}) {
            changes[{column, row}] = quint8(d.original[MapByte(row / 32 + 1, row % 32, column)]) ^ 0x80;
        }
        QByteArray csv = FileLayout::OverworldCsv(d.original, changes);
        if (shortFile) {
            csv.truncate(csv.lastIndexOf('\n', csv.size() - 2) + 1);  // a line short
        }
        const QString map = Fixtures::WriteFile(d.dir, QStringLiteral("map.csv"), csv);
        d.platform.openAnswers << map;
        d.platform.questionAnswers << answer;
        QByteArray expected = d.image();
        d.session.importMap();
        QCOMPARE(d.platform.openDialogs[0].folder, d.dir.path());
        if (shortFile) {
            QCOMPARE(d.platform.messageTitles(), QStringList{"Map not imported"});
            QVERIFY(d.platform.messages[0].text.contains(map) && d.platform.questions.isEmpty());
        } else {
            QVERIFY2(d.platform.questions[0].text.contains(QStringLiteral("changes 4 of")),
                     qPrintable(d.platform.questions[0].text));
        }
        const bool imported = answer && !shortFile;
        if (imported) {  // the same map again changes nothing
            d.platform.openAnswers << map;
            d.session.importMap();
            QVERIFY(d.platform.messages.last().text.endsWith(QStringLiteral("nothing changes.")));
        }
        QCOMPARE(d.session.document().undoStack().count(), imported ? 1 : 0);
        for (auto cell = changes.begin(); imported && cell != changes.end(); ++cell) {
            const auto [column, row] = cell.key();
            expected[MapByte(row / 32 + 1, row % 32, column) - FileLayout::ImageStart] = char(cell.value());
        }
        QCOMPARE(Fixtures::Differences(d.image(), expected), QList<qint64>());
        QCOMPARE(Fixtures::ReadAll(d.path), d.original);  // until Save Changes
    }

    // A file without the iNES signature is loaded only when the user says so: No
    // keeps the cartridge loaded before, Yes loads it; the question shows its start.
    void loadAsksAboutWhatIsNoCartridge()
    {
        SessionDriver d;
        QVERIFY(d.load());
        QByteArray other = Fixtures::Pattern(262160, 2);
        other.replace(0, 4, QByteArray("X\0\x1Az", 4));
        d.path = Fixtures::WriteFile(d.dir, QStringLiteral("other.bin"), other);
        d.platform.questionAnswers << false << true;
        for (const QByteArray& shown : {d.original, other}) {
            QCOMPARE(d.load(), shown == other);
            QCOMPARE(d.image(), shown.mid(FileLayout::ImageStart, CartridgeImage::Size));
        }
        QCOMPARE(d.platform.questions.size(), 2);
        QVERIFY(d.platform.questions[0].text.contains(QStringLiteral("starts with 58 00 1A 7A (\"X..z\")")));
    }

    void otherProgramsChange_data()
    {
        QTest::addColumn<bool>("saving");  // Save Changes, else the watcher on its own
        QTest::addColumn<int>("answer");  // Overwrite, Reload, closed; to the watcher Reload, Keep Editing; -2: no edit
        QTest::newRow("saved over it") << true << 0;
        QTest::newRow("save, reload") << true << 1;
        QTest::newRow("save cancelled") << true << -1;
        QTest::newRow("nothing unsaved: reloaded") << false << -2;
        QTest::newRow("watcher, reload") << false << 0;
        QTest::newRow("watcher, keep editing") << false << 1;
    }

    // Another program's change (our own save goes unnoticed): Save Changes asks (overwrite the map, reload, cancel);
    // without an edit their map loads unasked, with one the watcher asks; a save after keeping an edit asks again.
    void otherProgramsChange()
    {
        QFETCH(bool, saving);
        QFETCH(int, answer);
        SessionDriver d;
        QVERIFY(d.load());
        d.selectTile(9);
        d.clickCell({3, 2});
        d.session.save();
        if (answer != -2) {
            d.clickCell({4, 2});
        }
        d.session.findChild<ExternalChangeWatcher*>()->check();
        QVERIFY(d.platform.choices.isEmpty());
        const QByteArray ours = d.image();
        QByteArray theirs = Fixtures::ReadAll(d.path);
        theirs[FileLayout::ImageStart + 100] = 'E';
        theirs[3850] = 'P';
        QVERIFY(QFile::remove(d.path));
        Fixtures::WriteFile(d.dir, QStringLiteral("cart.nes"), theirs);
        d.platform.choiceAnswers << answer;
        const QByteArray theirMap = theirs.mid(FileLayout::ImageStart, CartridgeImage::Size);
        if (saving) {
            d.session.save();
        }
        QTRY_VERIFY(!d.platform.choices.isEmpty() || d.image() == theirMap);  // the watcher noticed
        QCOMPARE(d.platform.choices.size(), answer == -2 ? 0 : 1);
        QVERIFY(answer == -2 || d.platform.choices[0].text.contains(d.path));
        const QStringList buttons =
            saving ? QStringList{"&Overwrite", "&Reload", "Cancel"} : QStringList{"&Reload", "&Keep Editing"};
        QCOMPARE(d.platform.choiceButtons.value(0), answer == -2 ? QStringList() : buttons);
        if (answer != -2) {  // Enter keeps the edits: Cancel, or Keep Editing
            QCOMPARE(d.platform.choiceDefaults[0], saving ? 2 : 1);
            QVERIFY(d.platform.choices[0].text.contains(QStringLiteral("(it is now 262160 bytes long")));
        }
        const bool reloaded = answer == -2 || answer == int(saving);
        QVERIFY(d.image() == (reloaded ? theirMap : ours));
        const bool kept = !reloaded && !(saving && answer == 0);  // the edit, over their change
        QCOMPARE(d.session.document().isModified(), kept);
        if (saving && answer == 0) {
            theirs.replace(FileLayout::ImageStart, ours.size(), ours);
            d.clickCell({5, 2});  // the file as overwritten is the one known: the next save asks nothing
        }
        if (!saving && answer == 1) {
            d.session.findChild<ExternalChangeWatcher*>()->check();
            QCOMPARE(d.platform.choices.size(), 1);
        }
        QCOMPARE(Fixtures::ReadAll(d.path), theirs);
        d.session.save();
        QCOMPARE(d.platform.choices.size(), int(answer != -2) + int(kept));
    }
};

QTEST_MAIN(tst_FilesBeside)
#include "tst_FilesBeside.moc"
