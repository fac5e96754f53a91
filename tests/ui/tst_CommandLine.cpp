#include "FileLayout.h"
#include "Fixtures.h"
#include "core/CartridgeImage.h"
#include "core/MapImageExport.h"
#include "core/PatchFormat.h"
#include "core/TileRaster.h"

#include <QImage>
#include <QProcess>
#include <QtTest>

using FileLayout::MapByte;

// The program run without a display: exit status, the line printed, and every file changed.
class tst_CommandLine : public QObject {
    Q_OBJECT

private slots:
    void run_data()
    {
        QTest::addColumn<QStringList>("arguments");  // files of the test's folder by name
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("printed");  // a part of it
        QTest::addColumn<QStringList>("touched");  // the files changed or made, by name
        const auto row = [](const char* name, const QStringList& arguments, int exitCode, const char* printed,
                            const QStringList& touched = {}) {
            QTest::newRow(name) << arguments << exitCode << QString(printed) << touched;
        };
        row("--version", {"--version"}, 0, "Orvane II Map Editor 1.0\n");
        row("--help", {"--help"}, 0, "--overwrite");
        row("an unknown option", {"--overwrit"}, 2, "Unknown option 'overwrit'");
        row("--overwrite without a job", {"cart.nes", "--overwrite"}, 2, "go with --export-map");
        row("--overwrite, another job", {"--import-map", "cart.nes", "map.csv", "--overwrite"}, 2, "--overwrite goes");
        row("two files", {"cart.nes", "other.nes"}, 2, "Only one file can be loaded");
        row("export CSV", {"--export-map", "cart.nes", "out.csv"}, 0, "Wrote \"", {"out.csv"});
        // Files beside a Tiled map that hold anything else stay unless --overwrite; the map named is replaced.
        row("export TMX beside a picture", {"--export-map", "cart.nes", "v.tmx"}, 1,
            "file \"%DIR%/v.png\" already exists");
        row("export JSON beside both", {"--export-map", "cart.nes", "w.tmj"}, 1,
            "w.tsj\", \"%DIR%/w.png\" already exist");
        row("--overwrite", {"--export-map", "cart.nes", "v.tmx", "--overwrite"}, 0, "v.png\".",
            {"v.png", "v.tmx", "v.tsx"});
        row("export TMX beside its own files", {"--export-map", "cart.nes", "same.tmx"}, 0, "Wrote \"", {"same.tmx"});
        row("export to an unknown format", {"--export-map", "cart.nes", "out.txt"}, 2, "names no map format");
        row("block 9", {"--export-map", "cart.nes", "b.png", "--block", "9"}, 2, "from 1 to 8");
        row("export what is no cartridge", {"--export-map", "notes.txt", "out.tmx"}, 1, "iNES signature");
        row("import CSV", {"--import-map", "cart.nes", "map.csv"}, 0, "Wrote 3 changed cells",
            {"cart.nes", "cart.nes.bak"});
        row("import CSV of one change", {"--import-map", "cart.nes", "one.csv"}, 0, "Wrote 1 changed cell from",
            {"cart.nes", "cart.nes.bak"});
        row("import a CSV one line short", {"--import-map", "cart.nes", "short.csv"}, 1, "short.csv");
        row("import a CSV of one line", {"--import-map", "cart.nes", "line.csv"}, 1, "it has 1 line; the overworld");
        row("create a patch", {"--create-patch", "cart.nes", "other.nes", "p.bps"}, 0, "Wrote \"", {"p.bps"});
        row("create a patch of files alike", {"--create-patch", "cart.nes", "cart.nes", "p.ips"}, 1, "alike");
        row("a patch of no format", {"--create-patch", "cart.nes", "other.nes", "p.txt"}, 2, ".ips or .bps");
        row("apply a patch", {"--apply-patch", "cart.nes", "fix.ips"}, 0, "Applied", {"cart.nes", "cart.nes.bak"});
        // The project's other programs.
        row("demo cartridge, --help", {"make-demo-cartridge", "--help"}, 0, "usage: make-demo-cartridge");
        row("demo cartridge, an unknown option", {"make-demo-cartridge", "--force", "d.nes"}, 2, "unknown option");
        row("demo cartridge, a name after --", {"make-demo-cartridge", "--", "-d.nes"}, 0, "", {"-d.nes"});
        row("kill helper, --help", {"kill_helper", "--help"}, 0, "usage: kill_helper");
        row("block 1, named in capitals", {"--export-map", "cart.nes", "B.PNG", "--block", "1"}, 0, "Wrote", {"B.PNG"});
        row("block 8", {"--export-map", "cart.nes", "b.png", "--grid", "--block", "8"}, 0, "4096 \u00D7 512",
            {"b.png"});
        row("the whole overworld", {"--export-map", "cart.nes", "b.png"}, 0, "4096 \u00D7 4096", {"b.png"});
        row("block 0", {"--export-map", "cart.nes", "b.png", "--block", "0"}, 2, "not \"0\"");
        row("--grid with a map", {"--export-map", "cart.nes", "out.tmx", "--grid"}, 2, "to a .png picture");
        row("two jobs", {"--export-map", "cart.nes", "out.csv", "--apply-patch", "cart.nes", "fix.ips"}, 2,
            "Only one job");
        row("an import that changes nothing", {"--import-map", "cart.nes", "same.csv"}, 0, "nothing was written");
        row("an import into a file too short", {"--import-map", "short.nes", "map.csv"}, 1, "139280 bytes");
    }

    void run()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, printed);
        QFETCH(QStringList, touched);
        QTemporaryDir dir;
        const QByteArray cart = Fixtures::Pattern(262160, 3);
        QByteArray other = cart;
        for (const qint64 at : {qint64(3850), MapByte(4, 2, 9), qint64(250000)}) {
            other[at] = static_cast<char>(~other[at]);
        }
        const QMap<QPair<int, int>, int> imported{{{0, 0}, 7}, {{255, 31}, 8}, {{9, 255}, 9}};
        const QMap<QPair<int, int>, int> one{{{0, 0}, 7}};
        Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), cart);
        Fixtures::WriteFile(dir, QStringLiteral("other.nes"), other);
        Fixtures::WriteFile(dir, QStringLiteral("notes.txt"), "not a cartridge");
        Fixtures::WriteFile(dir, QStringLiteral("map.csv"), FileLayout::OverworldCsv(cart, imported));
        Fixtures::WriteFile(dir, QStringLiteral("short.csv"), FileLayout::OverworldCsv(cart).chopped(1025));
        Fixtures::WriteFile(dir, QStringLiteral("one.csv"), FileLayout::OverworldCsv(cart, one));
        Fixtures::WriteFile(dir, QStringLiteral("line.csv"), FileLayout::OverworldCsv(cart).left(1024).split('\n')[0]);
        Fixtures::WriteFile(dir, QStringLiteral("same.csv"), FileLayout::OverworldCsv(cart));
        Fixtures::WriteFile(dir, QStringLiteral("short.nes"), cart.left(FileLayout::ImageEnd - 1));

        QProcess program;
        QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            noDisplay.remove(QLatin1String(name));
        }
        program.setProcessEnvironment(noDisplay);
        program.setWorkingDirectory(dir.path());
        if (arguments.contains(u"same.tmx")) {  // an earlier export of the same map
            program.start(QStringLiteral(ORVANE_EDITOR), {"--export-map", "cart.nes", "same.tmx"});
            QVERIFY(program.waitForFinished(60000) && program.exitCode() == 0);
        }
        for (const char* earlier : {"v.png", "w.png", "w.tsj", "same.tmx"}) {
            Fixtures::WriteFile(dir, QLatin1String(earlier), "an earlier export");
        }
        QString error;
        QVERIFY(PatchFormat::CreateFile(PatchFormat::Kind::Ips, dir.filePath("cart.nes"), dir.filePath("other.nes"),
                                        dir.filePath("fix.ips"), &error) == PatchFormat::Created::Written);
        const auto before = Fixtures::Tree(dir.path());

        const QString tool = QMap<QString, QString>{
            {"make-demo-cartridge", ORVANE_DEMO_TOOL},
            {"kill_helper",
             ORVANE_KILL_HELPER}}.value(arguments[0]);
        if (arguments[0] == u"make-demo-cartridge" && tool.isEmpty()) {
            QSKIP("make-demo-cartridge is not built");
        }
        program.start(tool.isEmpty() ? QStringLiteral(ORVANE_EDITOR) : tool, arguments.mid(tool.isEmpty() ? 0 : 1));
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), exitCode);
        const QString out = program.readAllStandardOutput();
        const QString err = program.readAllStandardError();
        printed.replace(QStringLiteral("%DIR%"), dir.path());
        QVERIFY2((exitCode == 0 ? out : err).contains(printed), qPrintable(out + err));
        QVERIFY2(printed.endsWith(u'\n') ? out == printed : (exitCode == 0 ? err : out).isEmpty(),
                 qPrintable(out + err));

        const auto after = Fixtures::Tree(dir.path());
        QStringList changed;
        for (auto file = after.begin(); file != after.end(); ++file) {
            if (before.value(file.key()) != file.value()) {
                changed << QFileInfo(file.key()).fileName();
            }
        }
        QCOMPARE(changed, touched);
        const QString first = touched.value(0);
        const auto contents = [&](const char* name) { return after.value(dir.filePath(QLatin1String(name))); };
        if (first == u"out.csv") {
            QCOMPARE(contents("out.csv"), FileLayout::OverworldCsv(cart));
        } else if (first.endsWith(u".png", Qt::CaseInsensitive) && touched.size() == 1) {
            // The block named (or the whole overworld), with the grid when asked for, in red.
            const qsizetype block = arguments.indexOf(QStringLiteral("--block"));
            CartridgeImage image;
            image.assign(cart.mid(FileLayout::ImageStart, CartridgeImage::Size));
            const QImage expected = MapImageExport::Render(
                image, TileRaster::BuildTileStrip(TileRaster::LoadSheets()),
                block < 0 ? MapImageExport::Area::Overworld : MapImageExport::Area::Block,
                arguments.value(block + 1).toInt(), arguments.contains(QStringLiteral("--grid")), Qt::red);
            QCOMPARE(QImage(dir.filePath(first)).convertToFormat(QImage::Format_RGB32),
                     expected.convertToFormat(QImage::Format_RGB32));
        } else if (first == u"cart.nes") {
            QCOMPARE(contents("cart.nes.bak"), cart);  // the backup first
            QByteArray expected = arguments[0] == u"--apply-patch" ? other : cart;
            const auto& cells = arguments.contains(u"one.csv") ? one : imported;
            for (auto cell = cells.begin(); arguments[0] == u"--import-map" && cell != cells.end(); ++cell) {
                const auto [column, row] = cell.key();
                expected[MapByte(row / 32 + 1, row % 32, column)] = char(cell.value());
            }
            QCOMPARE(Fixtures::Differences(contents("cart.nes"), expected), QList<qint64>());
        }
    }
};

QTEST_GUILESS_MAIN(tst_CommandLine)
#include "tst_CommandLine.moc"
