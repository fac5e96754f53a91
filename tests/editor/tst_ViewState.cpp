#include "FileLayout.h"
#include "Fixtures.h"
#include "SessionDriver.h"

#include <QSettings>
#include <QtTest>

namespace {

using Cells = QList<QPoint>;  // x the column, y the row over the map, in reading order

quint8 original(const SessionDriver& d, QPoint cell)
{
    return static_cast<quint8>(d.original[FileLayout::MapByte(cell.y() / 32 + 1, cell.y() % 32, cell.x())]);
}

void paint(SessionDriver& d, QPoint cell, int tile)
{
    d.session.SelectTile(32.0 * tile);
    d.clickCell({cell.x(), cell.y()});
}

// The cells of one kind the session outlines, in reading order.
Cells changed(const SessionDriver& d, quint8 kind)
{
    Cells cells;
    for (int i = 0; i < 65536; ++i) {
        if (d.session.changes().kind({i % 256, i / 256}) & kind) {
            cells << QPoint(i % 256, i / 256);
        }
    }
    return cells;
}

void expect(const SessionDriver& d, const Cells& unsaved, const Cells& sinceBackup)
{
    QCOMPARE(changed(d, MapChanges::Unsaved), unsaved);
    QCOMPARE(changed(d, MapChanges::SinceBackup), sinceBackup);
    QCOMPARE(d.session.changesStatus(),
             QStringLiteral("%1 unsaved, %2 since backup").arg(unsaved.size()).arg(sinceBackup.size()));
}

}  // namespace

// View > Show Changes: the cells that differ from the file and from its backup, and F8 between them;
// and what the session remembers between runs, a bad value taken as none.
class tst_ViewState : public QObject {
    Q_OBJECT

private slots:
    void remembered_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("expected");  // tool, grid colour and switch, Show Changes, block at load, export
        const QString first = QStringLiteral("Brush #ff0000 1 0 1 01");
        QTest::newRow("nothing") << QString() << QVariant() << first;
        QTest::newRow("tool") << "layout/tool" << QVariant(QStringLiteral("Fill")) << "Fill #ff0000 1 0 1 01";
        QTest::newRow("tool unknown") << "layout/tool" << QVariant(QStringLiteral("Spray")) << first;
        QTest::newRow("colour") << "layout/gridColor" << QVariant(QStringLiteral("#00ff80"))
                                << "Brush #00ff80 1 0 1 01";
        QTest::newRow("colour not hex") << "layout/gridColor" << QVariant(QStringLiteral("#00gg80")) << first;
        QTest::newRow("grid off") << "layout/gridShown" << QVariant(false) << "Brush #ff0000 0 0 1 00";
        QTest::newRow("grid a word") << "layout/gridShown" << QVariant(QStringLiteral("no")) << first;
        QTest::newRow("changes on") << "layout/showChanges" << QVariant(true) << "Brush #ff0000 1 1 1 01";
        QTest::newRow("changes a number") << "layout/showChanges" << QVariant(1) << first;
        QTest::newRow("block 8") << "layout/lastBlocks" << QVariant(QStringList{QStringLiteral("8 PATH")})
                                 << "Brush #ff0000 1 0 8 01";
        QTest::newRow("block of another file")
            << "layout/lastBlocks" << QVariant(QStringList{QStringLiteral("5 PATHx"), QStringLiteral("4 PATH")})
            << "Brush #ff0000 1 0 4 01";
        QTest::newRow("block 9") << "layout/lastBlocks" << QVariant(QStringList{QStringLiteral("9 PATH")}) << first;
        QTest::newRow("whole overworld") << "layout/export/wholeOverworld" << QVariant(true)
                                         << "Brush #ff0000 1 0 1 11";
        QTest::newRow("export without grid") << "layout/export/grid" << QVariant(false) << "Brush #ff0000 1 0 1 00";
    }

    void remembered()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
        const QString path = dir.filePath(QStringLiteral("cart.nes"));
        if (!key.isEmpty()) {
            settings.setValue(key, value.typeId() == QMetaType::QStringList
                                       ? QVariant(value.toStringList().replaceInStrings(QStringLiteral("PATH"), path))
                                       : value);
        }
        settings.sync();
        for (const bool again : {false, true}) {  // what it read back, remembered as it is for the next run
            QSettings store(settings.fileName(), QSettings::IniFormat);
            SessionDriver d({}, &store);
            QFile::rename(d.path, path);
            d.path = path;
            QVERIFY(d.load());
            d.platform.mapImageAnswers << std::nullopt;
            d.session.exportMapImage();
            const Platform::MapImageOptions offered = d.platform.mapImageOffered.value(0);
            const auto n = [](int value) { return QString::number(value); };
            QCOMPARE(QStringList({d.session.tool(), d.session.GridColor().name(), n(d.session.isGridShown()),
                                  n(d.session.changesShown()), n(d.session.currentBlock()),
                                  n(offered.wholeOverworld) + n(offered.grid)})
                         .join(u' '),
                     expected);
            if (!again) {
                // Chosen again, so the next run finds it written by the program itself.
                d.session.setTool(d.session.tool());
                d.session.setGridShown(d.session.isGridShown());
                d.session.setChangesShown(d.session.changesShown());
                d.session.selectBlock(d.session.currentBlock());
            }
        }
    }

    void againstFileAndBackup()
    {
        SessionDriver d;
        QVERIFY(d.load());
        d.session.setChangesShown(true);
        const QPoint first(0, 0), blockEnd(200, 31), block2(17, 32), last(255, 255), inside(5, 40);
        for (const QPoint cell : {first, blockEnd, block2}) {
            paint(d, cell, original(d, cell) ^ 0x21);
        }
        // No backup yet: the file on disk is the oldest state.
        expect(d, {first, blockEnd, block2}, {first, blockEnd, block2});
        d.session.save();
        QVERIFY(QFile::exists(d.path + QStringLiteral(".bak")));
        expect(d, {}, {first, blockEnd, block2});
        paint(d, last, original(d, last) ^ 1);
        paint(d, inside, original(d, inside) ^ 2);
        paint(d, first, original(d, first));  // back as in the backup, not as on disk
        expect(d, {first, inside, last}, {blockEnd, block2, inside, last});
        d.session.undo();
        expect(d, {inside, last}, {first, blockEnd, block2, inside, last});
        d.session.undo();
        d.session.undo();
        expect(d, {}, {first, blockEnd, block2});
        d.session.redo();
        expect(d, {last}, {first, blockEnd, block2, last});

        // Both kinds in reading order, wrapping at the ends; the cursor goes along.
        d.session.setCursorCell({255, 255});  // where a press left it, here the last cell: on from the first
        QList<MapCell> visited;
        for (int n = 0; n < 5 && d.session.showNextChange(true); ++n) {
            visited << *d.session.cursorCell();
        }
        QCOMPARE(visited, (QList<MapCell>{{0, 0}, {200, 31}, {17, 32}, {255, 255}, {0, 0}}));
        QVERIFY(d.session.showNextChange(false));
        QCOMPARE(*d.session.cursorCell(), (MapCell{255, 255}));
        QCOMPARE(d.session.currentBlock(), 8);
        QVERIFY(d.session.showNextChange(false));
        QCOMPARE(*d.session.cursorCell(), (MapCell{17, 32}));

        d.session.setChangesShown(false);
        QCOMPARE(changed(d, MapChanges::Unsaved | MapChanges::SinceBackup), Cells());
        QCOMPARE(d.session.changesStatus(), QString());
        QVERIFY(!d.session.showNextChange(true));
        d.session.setChangesShown(true);
        expect(d, {last}, {first, blockEnd, block2, last});

        // Another cartridge: its own file, no backup.
        const QString other = Fixtures::WriteFile(d.dir, QStringLiteral("other.nes"), d.original);
        d.session.LoadRom(other);
        expect(d, {}, {});
        QVERIFY(!d.session.showNextChange(false));
    }
};

QTEST_GUILESS_MAIN(tst_ViewState)
#include "tst_ViewState.moc"
