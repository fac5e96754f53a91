#include "FileLayout.h"
#include "Fixtures.h"
#include "SessionDriver.h"

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
    void dialogsOpenInTheCartridgesFolder()
    {
        SessionDriver d;
        QVERIFY(d.load());
        d.platform.mapImageAnswers << Platform::MapImageOptions{};
        for (const Command command :
             {&EditorSession::exportMapImage, &EditorSession::exportMap, &EditorSession::importMap,
              &EditorSession::createPatch, &EditorSession::applyPatch}) {
            (d.session.*command)();  // every dialog cancelled
        }
        QStringList filters;
        for (const auto& dialog : d.platform.openDialogs + d.platform.saveDialogs) {
            QCOMPARE(dialog.folder, d.dir.path());
            filters << QString();
            for (const Platform::FileFilter& filter : dialog.filters) {
                filters.last() += filter.description + u'=' + filter.pattern + u';';
            }
        }
        // The original for a patch may be the backup the editor made.
        QCOMPARE(filters,
                 (QStringList{"Maps (*.tmx *.tmj *.json *.csv)=*.tmx *.tmj *.json *.csv;All Files(*.*)=*.*;",
                              "Cartridges and backups (*.nes *.bak)=*.nes *.bak;All Files(*.*)=*.*;",
                              "Patches (*.ips *.bps)=*.ips *.bps;All Files(*.*)=*.*;", "PNG images (*.png)=*.png;",
                              "Tiled maps (*.tmx)=*.tmx;Tiled JSON maps (*.tmj *.json)=*.tmj *.json;"
                              "CSV files (*.csv)=*.csv;"}));
    }

    void replacingAskedOnceTheNameIsFinal_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("taken");  // the file already there, named once the extension is added
        QTest::addColumn<bool>("replace");
        const auto row = [](const char* name, Command command, const char* typed, const char* taken, bool replace) {
            QTest::newRow(name) << command << QString(typed) << QString(taken) << replace;
        };
        row("patch, kept", &EditorSession::createPatch, "taken", "taken.ips", false);
        row("patch, replaced", &EditorSession::createPatch, "taken", "taken.ips", true);
        row("picture, kept", &EditorSession::exportMapImage, "taken", "taken.png", false);
        row("map's tileset, kept", &EditorSession::exportMap, "taken", "taken.tsx", false);
        row("map's tileset, replaced", &EditorSession::exportMap, "taken.tmx", "taken.tsx", true);
    }

    void replacingAskedOnceTheNameIsFinal()
    {
        QFETCH(Command, command);
        QFETCH(QString, typed);
        QFETCH(QString, taken);
        QFETCH(bool, replace);
        SessionDriver d;
        QVERIFY(d.load());
        d.selectTile(9);
        d.clickCell({3, 3});  // something for the patch to hold
        d.session.save();
        const QString pristine = Fixtures::WriteFile(d.dir, QStringLiteral("pristine.nes"), d.original);
        const QString existing = Fixtures::WriteFile(d.dir, taken, "keep me");
        d.platform.openAnswers << pristine;
        d.platform.mapImageAnswers << Platform::MapImageOptions{};
        d.platform.saveAnswers << ScriptedPlatform::SaveAnswer{d.dir.filePath(typed)};
        d.platform.questionAnswers << replace;
        d.platform.messages.clear();
        const auto before = Fixtures::Tree(d.dir.path());
        (d.session.*command)();
        QCOMPARE(d.platform.questions.size(), 1);
        QVERIFY2(d.platform.questions[0].text.contains(u'"' + existing + u'"'),
                 qPrintable(d.platform.questions[0].text));
        QCOMPARE(d.platform.messages.size(), replace ? 1 : 0);  // what was written, when it was
        if (!replace) {
            QVERIFY(Fixtures::Tree(d.dir.path()) == before);  // nothing written at all
        } else {
            QVERIFY(Fixtures::ReadAll(existing) != "keep me");
        }
    }

    void patchRefused_data()
    {
        QTest::addColumn<QString>("original");  // files of the cartridge's folder by name
        QTest::addColumn<QString>("patch");  // "p.ips" and "q.bps" link to the cartridge and to other.nes
        QTest::addColumn<QString>("reason");
        const auto row = [](const char* name, const char* original, const char* patch, const char* reason) {
            QTest::newRow(name) << QString(original) << QString(patch) << QString(reason);
        };
        row("of files alike", "cart.nes", "new.bps", "alike");
        row("over the cartridge", "other.nes", "p.ips", "cannot be written over the cartridge");
        row("over its original", "other.nes", "q.bps", "cannot be written over the cartridge");
    }

    // A patch of two files alike is not written, and no patch is ever written
    // over either file it is made from (here reached through a link), even when
    // the user said to replace it: the folder stays as it was.
    void patchRefused()
    {
        QFETCH(QString, original);
        QFETCH(QString, patch);
        QFETCH(QString, reason);
        SessionDriver d;
        QVERIFY(d.load());
        const QString other = Fixtures::WriteFile(d.dir, QStringLiteral("other.nes"), Fixtures::Pattern(262160, 1));
        QVERIFY(QFile::link(d.path, d.dir.filePath(QStringLiteral("p.ips"))));
        QVERIFY(QFile::link(other, d.dir.filePath(QStringLiteral("q.bps"))));
        d.platform.openAnswers << d.dir.filePath(original);
        d.platform.saveAnswers << ScriptedPlatform::SaveAnswer{d.dir.filePath(patch)};
        d.platform.questionAnswers << true;
        const auto before = Fixtures::Tree(d.dir.path());
        d.session.createPatch();
        QCOMPARE(d.platform.messageTitles(), QStringList{"Patch not created"});
        QVERIFY2(d.platform.messages[0].text.contains(reason), qPrintable(d.platform.messages[0].text));
        QVERIFY(Fixtures::Tree(d.dir.path()) == before);
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
        if (shortFile) {
            QCOMPARE(d.platform.messageTitles(), QStringList{"Map not imported"});
            QVERIFY(d.platform.messages[0].text.contains(map) && d.platform.questions.isEmpty());
        } else {
            QVERIFY2(d.platform.questions[0].text.contains(QStringLiteral("changes 4 of")),
                     qPrintable(d.platform.questions[0].text));
        }
        const bool imported = answer && !shortFile;
        QCOMPARE(d.session.document().undoStack().count(), imported ? 1 : 0);
        for (auto cell = changes.begin(); imported && cell != changes.end(); ++cell) {
            const auto [column, row] = cell.key();
            expected[MapByte(row / 32 + 1, row % 32, column) - FileLayout::ImageStart] = char(cell.value());
        }
        QCOMPARE(Fixtures::Differences(d.image(), expected), QList<qint64>());
        QCOMPARE(Fixtures::ReadAll(d.path), d.original);  // until Save Changes
    }
};

QTEST_MAIN(tst_FilesBeside)
#include "tst_FilesBeside.moc"
