#include "Fixtures.h"
#include "TestLocale.h"
#include "core/CartridgeImage.h"
#include "core/MapImageExport.h"
#include "core/OverworldTiles.h"
#include "core/TileRaster.h"
#include "core/TiledMapReader.h"
#include "core/TiledMapWriter.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using MapFormat::LayerEncoding;

// Our map files in Tiled's own tools, from Debian's tiled package (the
// scripts install it): Tiled saves what we write again unchanged, in every
// layer format; what it writes reads back to the same tiles; tmxrasterizer
// draws our map as the map picture shows it; its CSV export is ours.
class tst_TiledClient : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    CartridgeImage image;
    QByteArray tiles;
    QImage strip;
    const QList<MapLocation> locations{{QStringLiteral("Ferrow"), {3, 250}, true},
                                       {QStringLiteral("Balloon(transport)"), {255, 0}, false}};

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
    // A file Tiled wrote, without the Tiled version it names (ours name none).
    QByteArray withoutTiledVersion(const QString& name)
    {
        QString text = QString::fromUtf8(Fixtures::ReadAll(dir.filePath(name)));
        text.remove(QRegularExpression(QStringLiteral(R"(( tiledversion="[^"]*")|(\n "tiledversion":"[^"]*",))")));
        return text.toUtf8();
    }

private slots:
    void initTestCase();
    void resavedUnchangedAndReadBack_data();
    void resavedUnchangedAndReadBack();
    void rasterizerDrawsTheMapPicture();
    void csvIsTiledsCsvExport();
};

void tst_TiledClient::initTestCase()
{
    for (const char* tool : {"tiled", "tmxrasterizer"}) {
        QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(),
                 "Tiled's tools are not on PATH: install Debian's tiled package (scripts/test.sh does)");
    }
    image.assign(Fixtures::Pattern(CartridgeImage::Size, 5));
    tiles = OverworldTiles::FromImage(image);
    strip = TileRaster::BuildTileStrip(TileRaster::LoadSheets());
}

void tst_TiledClient::resavedUnchangedAndReadBack_data()
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

// Each map Tiled saves again, in its own format and in the other one (from
// a TMX map a JSON map naming the same TSX tileset, and the other way round),
// and with its tileset embedded; all of them read back to the same tiles.
void tst_TiledClient::resavedUnchangedAndReadBack()
{
    QFETCH(QString, suffix);
    QFETCH(LayerEncoding, encoding);
    const QString other = suffix == u"tmx" ? QStringLiteral("tmj") : QStringLiteral("tmx");
    const QString ours = QStringLiteral("world.") + suffix;
    QString error;
    QVERIFY2(TiledMapWriter::Export(dir.filePath(ours), tiles, locations, strip, &error, encoding), qPrintable(error));
    const QStringList saved{QStringLiteral("saved.") + suffix, QStringLiteral("converted.") + other,
                            QStringLiteral("embedded.") + suffix};
    QVERIFY(run(QStringLiteral("tiled"), {QStringLiteral("--export-map"), ours, saved[0]}));
    QVERIFY(run(QStringLiteral("tiled"), {QStringLiteral("--export-map"), ours, saved[1]}));
    QVERIFY(run(QStringLiteral("tiled"),
                {QStringLiteral("--export-map"), QStringLiteral("--embed-tilesets"), ours, saved[2]}));
    QCOMPARE(withoutTiledVersion(saved[0]), Fixtures::ReadAll(dir.filePath(ours)));
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

// At its natural size (scale 1) tmxrasterizer draws our map, locations left
// out, exactly as the editor's own overworld picture without the grid.
void tst_TiledClient::rasterizerDrawsTheMapPicture()
{
    QString error;
    QVERIFY2(TiledMapWriter::Export(dir.filePath(QStringLiteral("drawn.tmx")), tiles, locations, strip, &error),
             qPrintable(error));
    QVERIFY(run(QStringLiteral("tmxrasterizer"), {QStringLiteral("--hide-layer"), QStringLiteral("Locations"),
                                                  QStringLiteral("drawn.tmx"), QStringLiteral("drawn.png")}));
    const QImage drawn = QImage(dir.filePath(QStringLiteral("drawn.png"))).convertToFormat(QImage::Format_RGB32);
    const QImage picture = MapImageExport::Render(image, strip, MapImageExport::Area::Overworld, 1, false, Qt::white)
                               .convertToFormat(QImage::Format_RGB32);
    QCOMPARE(drawn.size(), QSize(4096, 4096));
    QVERIFY(drawn == picture);
}

void tst_TiledClient::csvIsTiledsCsvExport()
{
    QString error;
    QVERIFY2(TiledMapWriter::Export(dir.filePath(QStringLiteral("plain.tmx")), tiles, locations, strip, &error),
             qPrintable(error));
    QVERIFY2(TiledMapWriter::Export(dir.filePath(QStringLiteral("ours.csv")), tiles, locations, strip, &error),
             qPrintable(error));
    QVERIFY(run(QStringLiteral("tiled"),
                {QStringLiteral("--export-map"), QStringLiteral("plain.tmx"), QStringLiteral("theirs.csv")}));
    QCOMPARE(Fixtures::ReadAll(dir.filePath(QStringLiteral("theirs.csv"))),
             Fixtures::ReadAll(dir.filePath(QStringLiteral("ours.csv"))));
}

QTEST_GUILESS_MAIN(tst_TiledClient)
#include "tst_TiledClient.moc"
