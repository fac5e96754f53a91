#include "FileLayout.h"
#include "Fixtures.h"
#include "TestLocale.h"
#include "core/CartridgeImage.h"
#include "core/LayerData.h"
#include "core/MapCell.h"
#include "core/MapImageExport.h"
#include "core/MapLocations.h"
#include "core/OverworldTiles.h"
#include "core/TileRaster.h"
#include "core/TiledMapReader.h"
#include "core/TiledMapWriter.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

using MapFormat::LayerEncoding;

// The overworld in and out of map files, and our files in Tiled's own tools
// (Debian's tiled package, which the scripts install).
class tst_TiledMap : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    QByteArray tiles;  // 0..245, so that a row may shift them by 10; 7, 9, 0 first; the last row 0
    QImage strip;
    QList<MapLocation> locations;  // the eighteen of a cartridge, at cells whose rows and columns differ
    QStringList objects;  // as the maps must hold them: "id type x y name", x and y the cells' centres

    // Runs one of Tiled's tools in `dir` to the end; false with its output when it failed.
    bool run(const QString& tool, const QStringList& arguments)
    {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.setProcessChannelMode(QProcess::MergedChannels);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
        process.start(QStandardPaths::findExecutable(tool), arguments);
        const bool done = process.waitForFinished(60000) && process.exitCode() == 0;
        if (!done) {
            qWarning() << tool << arguments << process.readAll();
        }
        return done;
    }
    // The location objects of a TMX or JSON map file.
    QStringList objectsIn(const QString& name)
    {
        QStringList found;
        const QByteArray text = Fixtures::ReadAll(dir.filePath(name));
        const auto add = [&found](const auto& id, const auto& type, const auto& x, const auto& y, const auto& name) {
            found << QStringLiteral("%1 %2 %3 %4 %5").arg(id, type, x, y, name);
        };
        for (const QJsonValue o : QJsonDocument::fromJson(text)[QStringLiteral("layers")][1]["objects"].toArray()) {
            add(o["id"].toVariant().toString(), o["type"].toString(), o["x"].toVariant().toString(),
                o["y"].toVariant().toString(), o["name"].toString());
        }
        for (QXmlStreamReader xml(text); !xml.atEnd();) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"object") {
                const QXmlStreamAttributes a = xml.attributes();
                add(a.value("id"), a.value("type"), a.value("x"), a.value("y"), a.value("name"));
            }
        }
        return found;
    }
    // A file Tiled wrote, without the Tiled version it names (ours name none).
    QByteArray withoutTiledVersion(const QString& name)
    {
        QString text = QString::fromUtf8(Fixtures::ReadAll(dir.filePath(name)));
        text.remove(QRegularExpression(QStringLiteral(R"(( tiledversion="[^"]*")|(\n "tiledversion":"[^"]*",))")));
        return text.toUtf8();
    }

private slots:
    void initTestCase()
    {
        tiles = Fixtures::Pattern(MapCell::Count, 3);
        for (char& tile : tiles) {
            tile = static_cast<char>(static_cast<quint8>(tile) % 246);
        }
        tiles.replace(0, 3, QByteArray("\x07\x09\x00", 3));
        tiles.replace(MapCell::Count - 256, 256, QByteArray(256, '\0'));  // a last line known by heart
        Fixtures::WriteFile(dir, QStringLiteral("world.tsx"),
                            TiledMapWriter::Tsx(QStringLiteral("world"), "world.png"));
        Fixtures::WriteFile(dir, QStringLiteral("world.tsj"),
                            TiledMapWriter::Tsj(QStringLiteral("world"), "world.png"));
        Fixtures::WriteFile(dir, QStringLiteral("array.tsj"), "[1]");
        // A socket: it exists and is no folder, yet no one opens it as a file.
        const QByteArray socket = QFile::encodeName(dir.filePath(QStringLiteral("socket.tsx")));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        QVERIFY(socket.size() < static_cast<qsizetype>(sizeof address.sun_path));
        std::memcpy(address.sun_path, socket.constData(), static_cast<std::size_t>(socket.size()));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 && ::close(fd) == 0);
        strip = TileRaster::BuildTileStrip(TileRaster::LoadSheets());
        QByteArray file(FileLayout::RequiredLength(FileLayout::Route::Towns), '\0');
        for (const auto route : {FileLayout::Route::Towns, FileLayout::Route::Items}) {
            for (const auto& [columnOffset, rowOffset] : FileLayout::LocationOffsets(route)) {
                const auto column = static_cast<int>(objects.size() * 13 + 5);
                const auto row = static_cast<int>(250 - objects.size() * 7);
                file[columnOffset] = static_cast<char>(column);
                file[rowOffset] = static_cast<char>(row);
                objects << QStringLiteral("%1 %2 %3 %4 ")
                               .arg(objects.size() + 1)
                               .arg(route == FileLayout::Route::Towns ? "town" : "item")
                               .arg(16 * column + 8)
                               .arg(16 * row + 8);
            }
        }
        QString error;
        locations = MapLocations::ReadAll(Fixtures::WriteFile(dir, QStringLiteral("game.nes"), file), &error).value();
        for (qsizetype i = 0; i < objects.size(); ++i) {
            objects[i] += locations[i].name;
        }
        QVERIFY(objects.first().endsWith(u" Ferrow") && objects.last().endsWith(u" Balloon(transport)"));
    }

    void readsOrRefuses_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<LayerEncoding>("encoding");
        QTest::addColumn<int>("shift");  // added to every tile before writing
        QTest::addColumn<QByteArrayList>("edits");  // text, replacement: first one; "*text": all; "": append
        QTest::addColumn<QString>("reason");  // none: reads back as written
        const auto tmx = [](const char* name, LayerEncoding encoding, QByteArrayList edits, const char* reason) {
            QTest::newRow(name) << "tmx" << encoding << 0 << edits << QString::fromUtf8(reason);
        };
        const auto tmj = [](const char* name, LayerEncoding encoding, QByteArrayList edits, const char* reason) {
            QTest::newRow(name) << "tmj" << encoding << 0 << edits << QString::fromUtf8(reason);
        };
        const auto csv = [](const char* name, QByteArrayList edits, const char* reason) {
            QTest::newRow(name) << "csv" << LayerEncoding::Csv << 0 << edits << QString::fromUtf8(reason);
        };
        // (Every layer format of ours read back: resavedByTiledAndReadBack.)
        const auto C = LayerEncoding::Csv;
        const QByteArray other =
            R"(<tileset firstgid="1" name="other" tilewidth="16" tileheight="16" tilecount="10"/>)";
        csv("csv", {}, "");
        csv("csv with a byte order mark and CRLF", {"7,9,0,", "\357\273\2777,9,0,", "*\n", "\r\n"}, "");
        tmx("tile layers in a group and beside it", C,
            {"<layer id=\"1\"", "<layer name=\"Top\"/><group><layer id=\"1\"", "</layer>", "</layer></group>"}, "");
        QTest::newRow("tileset with first gid 11 before another")
            << "tmx" << C << 10 << QByteArrayList{"firstgid=\"1\"", "firstgid=\"11\"", "<layer", other + "<layer"}
            << QString();
        QTest::newRow(".json") << "json" << C << 0 << QByteArrayList() << QString();
        QTest::newRow(".TMX, in capitals") << "TMX" << C << 0 << QByteArrayList() << QString();
        QTest::newRow("json: tileset with first gid 11 after another")
            << "tmj" << C << 10
            << QByteArrayList{"\"firstgid\":1,", "\"firstgid\":11,", "\"tilesets\":[",
                              "\"tilesets\":[{\"firstgid\":1},"}
            << QString();
        tmj("json: tile layer in a group", C,
            {"\"layers\":[", "\"layers\":[{\"type\":\"group\",\"layers\":[", "}],\n \"nextlayerid",
             "}]}],\n \"nextlayerid"},
            "");

        tmx("not a map", C, {"<map ", "<mop ", "</map>", "</mop>"}, "it is not a Tiled map: its root element is <mop>");
        tmx("malformed XML", C, {"</map>", "</mop>"},
            "its XML is malformed at line 265, column 6: Opening and ending tag mismatch");
        tmx("isometric", C, {"orthogonal", "isometric"},
            "its orientation is \"isometric\"; only an orthogonal map can be "
            "imported");
        tmx("layer of 1 column", C, {"Overworld\" width=\"256\"", "Overworld\" width=\"1\""},
            "its tile layer is 1 x 256 cells; the overworld is 256 x 256");
        tmx("layer of one cell", C,
            {"Overworld\" width=\"256\" height=\"256\"", "Overworld\" width=\"1\" height=\"1\""},
            "its tile layer is 1 x 1 cell; the overworld is 256 x 256");
        tmx("map of one cell", C, {"down\" width=\"256\" height=\"256\"", "down\" width=\"1\" height=\"1\""},
            "it is 1 x 1 cell; the overworld is 256 x 256");
        tmx("one cell", C, {"csv\">\n8,10,", "csv\">\n8</data></layer><layer name=\"x\"><data encoding=\"csv\">10,"},
            "the layer data has 1 cell; the overworld has 65536");
        tmx("no tile layer", C, {"<layer ", "<imagelayer ", "</layer>", "</imagelayer>"}, "it has no tile layer");
        tmx("two tile layers, no Overworld", C,
            {"\"Overworld\"", "\"Ground\"", "</layer>", "</layer><layer name=\"Top\"/>"},
            "it has 2 tile layers and none is named \"Overworld\"");
        tmx("two Overworld layers", C, {"</layer>", "</layer><layer name=\"Overworld\"/>"},
            "it has 2 tile layers named \"Overworld\"");
        tmx("layer without data", C, {"<data ", "<nodata ", "</data>", "</nodata>"}, "its tile layer has no data");
        tmx("tile of another tileset", C,
            {"csv\">\n8,10,", "csv\">\n8,260,", "<layer", "<tileset firstgid=\"257\" name=\"other\"/><layer"},
            "the tile at row 0, column 1 is from another tileset than the tile at row 0, column 0");
        tmx("tile in no tileset", C, {"csv\">\n8,10,", "csv\">\n8,257,"},
            "the tile at row 0, column 1 (gid 257) is in none of its tilesets");
        tmx("tile 256 of an embedded tileset", C,
            {"csv\">\n8,10,", "csv\">\n8,257,", "source=\"world.tsx\"", "name=\"big\" tilecount=\"300\""},
            "the tile at row 0, column 1 is tile 256 of its tileset; the overworld's tiles are 0 to 255");
        tmx("missing tileset", C, {"world.tsx", "gone.tsx"},
            "its tileset \"gone.tsx\" could not be read: \"%DIR/gone.tsx\" does not exist");
        tmx("tileset that cannot be opened", C, {"world.tsx", "socket.tsx"},
            "its tileset \"socket.tsx\" could not be read: \"%DIR/socket.tsx\" could not be opened: No such device or "
            "address");
        tmx("first gid 0", C, {"firstgid=\"1\"", "firstgid=\"0\""}, "one of its tilesets has no valid first gid");
        tmx("one cell less", C, {"csv\">\n8,10,", "csv\">\n8,"},
            "the layer data has 65535 cells; the overworld has 65536");
        tmx("id over 32 bits", C, {"csv\">\n8,10,", "csv\">\n8,4294967306,"},
            "the layer data holds \"4294967306\", which is not a tile id");
        tmx("empty entry", C, {"csv\">\n8,10,", "csv\">\n8,,10,"}, "the layer data has an empty entry");
        tmx("chunk", C, {"csv\">", "csv\"><chunk/>"}, "the layer data is in chunks, as only an infinite map stores it");
        tmx("unknown encoding", C, {"\"csv\"", "\"hex\""}, "the layer data has the unknown encoding \"hex\"");
        tmx("xml: negative id", LayerEncoding::Xml, {"gid=\"8\"", "gid=\"-8\""},
            "the layer data holds \"-8\", which is not a tile id");
        tmx("not base64", LayerEncoding::Base64, {"CAAAAAoAAAAB", "!AAAAAoAAAAB"},
            "the layer data is not valid base64");
        tmx("base64: 9 bytes short", LayerEncoding::Base64, {"CAAAAAoAAAAB", ""},
            "the layer data holds 262135 bytes; 262144 are needed");
        tmx("damaged zlib", LayerEncoding::Base64Zlib, {"\n   eJ", "\n   AJ"},
            "the compressed layer data is damaged (incorrect header check)");
        tmj("json: malformed", C, {"{", "{,"}, "its JSON is malformed at byte 2: unterminated object");
        tmj("json: a tileset", C, {"\"type\":\"map\"", "\"type\":\"tileset\""}, "it is not a Tiled map");
        QTest::newRow("not a map file name")
            << "txt" << C << 0 << QByteArrayList() << "its name does not end in .tmx, .tmj, .json or .csv";
        tmj("json: not an id", C, {"\"data\":[8, 10,", "\"data\":[8, 10.5,"},
            "the layer data holds 10.5, which is not a tile id");
        tmj("json: one cell less", C, {"\"data\":[8, 10,", "\"data\":[8,"},
            "the layer data has 65535 cells; the overworld has 65536");
        tmj("json: one cell", C, {"\"data\":[8, 10,", "\"data\":[8],\"x\":[10,"},
            "the layer data has 1 cell; the overworld has 65536");
        tmj("json: array said to be base64", C,
            {"\"name\":\"Overworld\",", "\"encoding\":\"base64\",\"name\":\"Overworld\","},
            "the layer data is not what its encoding \"base64\" says");
        tmj("json: chunks", C, {"\"name\":\"Overworld\",", "\"chunks\":[],\"name\":\"Overworld\","},
            "the layer data is in chunks, as only an infinite map stores it");
        tmj("json: tileset not an object", C, {"world.tsj", "array.tsj"},
            "its tileset \"array.tsj\" could not be read: it is not a Tiled tileset");
        csv("csv: 256", {"7,9,0,", "7,256,0,"}, "the tile number 256 at row 0, column 1 is not in 0..255");
        csv("csv: not a number", {"7,9,0,", "7,x,0,"}, "\"x\" at row 0, column 1 is not a tile number");
        csv("csv: 255 columns", {"7,9,0,", "7,9,"}, "row 0 has 255 numbers; the overworld has 256 columns");
        csv("csv: 1 column", {"7,9,0,", "7\n9,0,"}, "row 0 has 1 number; the overworld has 256 columns");
        csv("csv: 257 columns", {"7,9,0,", "7,9,0,0,"},
            "row 0 has more than 256 numbers; the overworld has 256 columns");
        csv("csv: 257 lines", {"", "1\n"}, "it has more than 256 lines; the overworld has 256 rows");
        csv("csv: 255 lines", {'\n' + QByteArray("0,").repeated(255) + "0\n", "\n"},
            "it has 255 lines; the overworld has 256 rows");
    }

    void readsOrRefuses()
    {
        QFETCH(QString, suffix);
        QFETCH(LayerEncoding, encoding);
        QFETCH(int, shift);
        QFETCH(QByteArrayList, edits);
        QFETCH(QString, reason);
        QByteArray shifted = tiles;
        for (char& tile : shifted) {
            tile = static_cast<char>(static_cast<quint8>(tile) + shift);
        }
        const auto kind = MapFormat::FromPath(QStringLiteral("map.") + suffix).value_or(MapFormat::Kind::Csv);
        QByteArray text =
            kind == MapFormat::Kind::Tmx    ? TiledMapWriter::Tmx(shifted, {}, QStringLiteral("world.tsx"), encoding)
            : kind == MapFormat::Kind::Json ? TiledMapWriter::Json(shifted, {}, QStringLiteral("world.tsj"), encoding)
                                            : TiledMapWriter::Csv(shifted);
        for (qsizetype i = 0; i + 1 < edits.size(); i += 2) {
            const QByteArray& from = edits[i];
            const qsizetype at = text.indexOf(from.startsWith('*') ? from.mid(1) : from);
            QVERIFY2(from.isEmpty() || at >= 0, from.constData());
            if (from.isEmpty()) {
                text += edits[i + 1];
            } else if (from.startsWith('*')) {
                text.replace(from.mid(1), edits[i + 1]);
            } else {
                text.replace(at, from.size(), edits[i + 1]);
            }
        }
        const QString path = Fixtures::WriteFile(dir, QStringLiteral("map.") + suffix, text);
        QString error;
        const std::optional<QByteArray> read = TiledMapReader::Import(path, &error);
        if (reason.isEmpty()) {
            QVERIFY2(read, qPrintable(error));
            QVERIFY(*read == tiles);
            return;
        }
        QVERIFY(!read);
        QCOMPARE(error, QStringLiteral("The map \"%1\" could not be imported: %2.")
                            .arg(path, reason.replace(QStringLiteral("%DIR"), dir.path())));
    }

    void compressedDataMustGiveExactlyTheCells_data()
    {
        QTest::addColumn<QByteArray>("compressed");
        QTest::addColumn<QString>("compression");
        QTest::addColumn<QString>("reason");
        const QByteArray whole = qCompress(QByteArray(LayerData::Bytes, '\1')).mid(4);  // zlib, without Qt's length
        QTest::newRow("short") << qCompress(QByteArray(1000, '\1')).mid(4) << "zlib"
                               << "the layer data decompresses to 1000 bytes; 262144 are needed";
        QTest::newRow("one byte") << qCompress(QByteArray(1, '\1')).mid(4) << "zlib"
                                  << "the layer data decompresses to 1 byte; 262144 are needed";
        QTest::newRow("one byte, not compressed") << QByteArray(1, '\1') << ""
                                                  << "the layer data holds 1 byte; 262144 are needed";
        QTest::newRow("long") << qCompress(QByteArray(LayerData::Bytes + 4, '\1')).mid(4) << "gzip"
                              << "the layer data decompresses to more than 262144 bytes";
        QTest::newRow("cut") << whole.chopped(4) << "zlib"
                             << "the compressed layer data ends early";
        QTest::newRow("bytes after") << whole + "xx"
                                     << "zlib"
                                     << "the layer data has bytes after its compressed data";
        QTest::newRow("unknown") << whole << "lzma"
                                 << "the layer data has the unknown compression \"lzma\"";
    }

    void compressedDataMustGiveExactlyTheCells()
    {
        QFETCH(QByteArray, compressed);
        QFETCH(QString, compression);
        QFETCH(QString, reason);
        QString why;
        QVERIFY(!LayerData::FromBase64(QString::fromLatin1(compressed.toBase64()), compression, &why));
        QCOMPARE(why, reason);
    }

    // A failed export leaves the folder as it was; a good one writes the three files.
    void exportIsAllOrNothing()
    {
        QTemporaryDir folder;
        const QString map = folder.filePath(QStringLiteral("world.tmx"));
        Fixtures::WriteFile(folder, QStringLiteral("world.tmx"), "an older map");
        Fixtures::WriteFile(folder, QStringLiteral("world.tsx"), "an older tileset");
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("world.png")));
        const auto before = Fixtures::Tree(folder.path());
        QString error;
        QVERIFY(!TiledMapWriter::Export(map, tiles, {}, strip, &error));
        QCOMPARE(error, QStringLiteral("The file \"%1\" could not be written: Filename refers to a directory.")
                            .arg(folder.filePath(QStringLiteral("world.png"))));
        QCOMPARE(Fixtures::Tree(folder.path()), before);

        QVERIFY(QDir(folder.path()).rmdir(QStringLiteral("world.png")));
        QVERIFY2(TiledMapWriter::Export(map, tiles, {}, strip, &error), qPrintable(error));
        const auto written = Fixtures::Tree(folder.path());
        QCOMPARE(written.keys(), QStringList({folder.filePath(QStringLiteral("world.png")), map,
                                              folder.filePath(QStringLiteral("world.tsx"))}));

        QTemporaryDir locale;
        QString why;
        if (!TestLocale::UseDecimalComma(locale, &why)) {
            QSKIP(qPrintable(why));
        }
        QVERIFY2(TiledMapWriter::Export(map, tiles, {}, strip, &error), qPrintable(error));
        const auto read = TiledMapReader::Import(map, &error);
        TestLocale::PinC();
        QCOMPARE(Fixtures::Tree(folder.path()), written);
        QVERIFY(read && *read == tiles);
    }

    void resavedByTiledAndReadBack_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<LayerEncoding>("encoding");
        const QList<std::pair<const char*, LayerEncoding>> encodings{{"csv", LayerEncoding::Csv},
                                                                     {"xml", LayerEncoding::Xml},
                                                                     {"base64", LayerEncoding::Base64},
                                                                     {"zlib", LayerEncoding::Base64Zlib},
                                                                     {"gzip", LayerEncoding::Base64Gzip}};
        for (const char* suffix : {"tmx", "tmj"}) {
            for (const auto& [name, encoding] : encodings) {
                QTest::addRow("%s %s", suffix, name) << QString::fromLatin1(suffix) << encoding;
            }
        }
    }

    // Tiled saves our map unchanged; its saves in either format, embedded or not,
    // read back and hold the cartridge's locations as point objects at their cells' centres.
    void resavedByTiledAndReadBack()
    {
        QFETCH(QString, suffix);
        QFETCH(LayerEncoding, encoding);
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("tmxrasterizer")).isEmpty(),
                 "Tiled's tools are not on PATH: install Debian's tiled package (scripts/test.sh does)");
        const QString other = suffix == u"tmx" ? QStringLiteral("tmj") : QStringLiteral("tmx");
        const QString ours = QStringLiteral("world.") + suffix;
        QString error;
        QVERIFY2(TiledMapWriter::Export(dir.filePath(ours), tiles, locations, strip, &error, encoding),
                 qPrintable(error));
        const QStringList saved{QStringLiteral("saved.") + suffix, QStringLiteral("converted.") + other,
                                QStringLiteral("embedded.") + suffix};
        QVERIFY(run(QStringLiteral("tiled"), {QStringLiteral("--export-map"), ours, saved[0]}));
        QVERIFY(run(QStringLiteral("tiled"), {QStringLiteral("--export-map"), ours, saved[1]}));
        QVERIFY(run(QStringLiteral("tiled"),
                    {QStringLiteral("--export-map"), QStringLiteral("--embed-tilesets"), ours, saved[2]}));
        QCOMPARE(withoutTiledVersion(saved[0]), Fixtures::ReadAll(dir.filePath(ours)));
        for (const QString& name : {ours, saved[1], saved[2]}) {
            QCOMPARE(objectsIn(name), objects);
        }
        const QString tileset = MapFormat::TilesetPath(ours);
        QVERIFY(run(QStringLiteral("tiled"),
                    {QStringLiteral("--export-tileset"), tileset, QStringLiteral("t.") + tileset.section(u'.', -1)}));
        QCOMPARE(withoutTiledVersion(QStringLiteral("t.") + tileset.section(u'.', -1)),
                 Fixtures::ReadAll(dir.filePath(tileset)));
        for (const QString& name : saved) {
            const auto read = TiledMapReader::Import(dir.filePath(name), &error);
            QVERIFY2(read, qPrintable(error));
            QVERIFY(*read == tiles);
        }
    }

    void rasterizerDrawsTheMapPicture_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::newRow("tmx") << "tmx";
        QTest::newRow("tmj") << "tmj";
    }

    // tmxrasterizer draws our map, in either format, as the editor's own overworld
    // picture, and Tiled's CSV export of it is ours.
    void rasterizerDrawsTheMapPicture()
    {
        QFETCH(QString, suffix);
        const QString drawn = QStringLiteral("drawn.") + suffix;
        CartridgeImage image;
        image.assign(Fixtures::Pattern(CartridgeImage::Size, 5));
        const QByteArray tiles = OverworldTiles::FromImage(image);
        QString error;
        QVERIFY2(TiledMapWriter::Export(dir.filePath(drawn), tiles, locations, strip, &error), qPrintable(error));
        QVERIFY(run(QStringLiteral("tmxrasterizer"),
                    {QStringLiteral("--hide-layer"), QStringLiteral("Locations"), drawn, QStringLiteral("drawn.png")}));
        const QImage picture =
            MapImageExport::Render(image, strip, MapImageExport::Area::Overworld, 1, false, Qt::white)
                .convertToFormat(QImage::Format_RGB32);
        QVERIFY(QImage(dir.filePath(QStringLiteral("drawn.png"))).convertToFormat(QImage::Format_RGB32) == picture);
        // Tiled's own CSV export of the map is our CSV, byte for byte.
        QVERIFY2(TiledMapWriter::Export(dir.filePath(QStringLiteral("ours.csv")), tiles, locations, strip, &error),
                 qPrintable(error));
        QVERIFY(run(QStringLiteral("tiled"), {QStringLiteral("--export-map"), drawn, QStringLiteral("theirs.csv")}));
        QCOMPARE(Fixtures::ReadAll(dir.filePath(QStringLiteral("theirs.csv"))),
                 Fixtures::ReadAll(dir.filePath(QStringLiteral("ours.csv"))));
    }
};

QTEST_GUILESS_MAIN(tst_TiledMap)
#include "tst_TiledMap.moc"
