#include "FileLayout.h"
#include "Fixtures.h"
#include "core/CartridgeImage.h"
#include "core/MapDocument.h"
#include "core/MapPattern.h"
#include "core/MapRegions.h"

#include <QTemporaryDir>
#include <QtTest>

using FileLayout::MapByte;

namespace {

// An image whose map holds tile 1 everywhere but the cells given, which hold 2.
CartridgeImage imageWith(const QList<QPoint>& twos)
{
    CartridgeImage image;
    QByteArray bytes(CartridgeImage::Size, '\0');
    for (int b = 1; b <= 8; ++b) {
        for (qint64 at = MapByte(b, 0, 0); at < MapByte(b, 32, 0); ++at) {
            bytes[at - FileLayout::ImageStart] = 1;
        }
    }
    for (const QPoint& p : twos) {
        bytes[MapByte(p.y() / 32 + 1, p.y() % 32, p.x()) - FileLayout::ImageStart] = 2;
    }
    image.assign(bytes);
    return image;
}

QList<qint64> offsetsOf(const QList<MapEditCommand::Change>& changes)
{
    QList<qint64> offsets;
    for (const auto& change : changes) {
        offsets << change.index;
    }
    std::sort(offsets.begin(), offsets.end());
    return offsets;
}

}  // namespace

// The region algorithms behind fill, paste, stamps and the clipboard text.
class tst_MapRegions : public QObject {
    Q_OBJECT

private slots:
    void clipboardText_data();
    void clipboardText();
    void clipboardBytes();
    void floodArea_data();
    void floodArea();
    void placementClipsAtEdges_data();
    void placementClipsAtEdges();
    void stampStrokeIsOneGapFreeStep();
};

void tst_MapRegions::clipboardText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("read");  // the pattern written back as text, or the refusal
    QTest::newRow("as written") << "0A\t1F\n00\tFF\n"
                                << "0A\t1F\n00\tFF\n";
    QTest::newRow("spreadsheet: CRLF, one digit, lower case") << "a 1f\r\n0,ff"
                                                              << "0A\t1F\n00\tFF\n";
    QTest::newRow("empty") << "\n"
                           << "The text holds no tile numbers.";
    QTest::newRow("ragged") << "00\t01\n02\n"
                            << "Line 2 has 1 tiles, line 1 has 2: the text is not a rectangle.";
    QTest::newRow("not hexadecimal") << "00\t01\n02\tG1\n"
                                     << "Line 2, tile 2: \"G1\" is not a tile number (00 to FF).";
    QTest::newRow("three digits") << "100"
                                  << "Line 1, tile 1: \"100\" is not a tile number (00 to FF).";
    QTest::newRow("taller than the overworld")
        << QString("00\n").repeated(257) << "The text has 257 rows; the overworld has 256.";
}

void tst_MapRegions::clipboardText()
{
    QFETCH(QString, text);
    QString error;
    const auto pattern = MapPattern::FromText(text, &error);
    QTEST(pattern ? pattern->toText() : error, "read");
}

void tst_MapRegions::clipboardBytes()
{
    const MapPattern pattern(3, 2, QByteArray("\x00\x01\xFF\x80\x7F\x02", 6));
    QCOMPARE(MapPattern::FromBytes(pattern.toBytes()), std::optional<MapPattern>(pattern));
    QByteArray wrongSize = pattern.toBytes();
    wrongSize.chop(1);
    QVERIFY(!MapPattern::FromBytes(wrongSize));
    QVERIFY(!MapPattern::FromBytes(QByteArray("ORVN") + pattern.toBytes().mid(4)));
}

void tst_MapRegions::floodArea_data()
{
    QTest::addColumn<QList<QPoint>>("twos");  // cells holding tile 2, the rest tile 1
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QRect>("limit");
    QTest::addColumn<int>("count");
    const QRect world(0, 0, 256, 256);
    QTest::newRow("the whole overworld") << QList<QPoint>{} << QPoint(255, 255) << world << 65536;
    // Edges connect, corners do not: the diagonal neighbour is another area.
    QTest::newRow("diagonal") << QList<QPoint>{{5, 5}, {6, 6}} << QPoint(5, 5) << world << 1;
    QTest::newRow("across a block boundary")
        << QList<QPoint>{{9, 30}, {9, 31}, {9, 32}, {9, 33}, {10, 33}} << QPoint(9, 30) << world << 5;
    QTest::newRow("inside a selection") << QList<QPoint>{} << QPoint(3, 3) << QRect(2, 2, 4, 3) << 12;
    QTest::newRow("outside the selection") << QList<QPoint>{} << QPoint(9, 9) << QRect(2, 2, 4, 3) << 0;
    QTest::newRow("off the map") << QList<QPoint>{} << QPoint(256, 0) << world << 0;
}

void tst_MapRegions::floodArea()
{
    QFETCH(QList<QPoint>, twos);
    QFETCH(QPoint, start);
    QFETCH(QRect, limit);
    const CartridgeImage image = imageWith(twos);
    const MapCells area = MapRegions::FloodArea(image, {start.x(), start.y()}, limit);
    QTEST(int(area.size()), "count");
    // Filling the area with another tile changes exactly its cells.
    const auto changes = MapRegions::Fill(image, area, 7);
    QCOMPARE(changes.size(), area.size());
    QVERIFY(std::all_of(changes.begin(), changes.end(), [&](const auto& c) { return c.after == 7; }));
}

void tst_MapRegions::placementClipsAtEdges_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QList<qint64>>("offsets");
    const QRect world(0, 0, 256, 256);
    QTest::newRow("bottom right corner") << QPoint(254, 254) << world
                                         << QList<qint64>{MapByte(8, 30, 254), MapByte(8, 30, 255), MapByte(8, 31, 254),
                                                          MapByte(8, 31, 255)};
    QTest::newRow("above the top") << QPoint(0, -2) << world << QList<qint64>{MapByte(1, 0, 0), MapByte(1, 0, 1)};
    QTest::newRow("across blocks 1 and 2")
        << QPoint(100, 31) << world << QList<qint64>{MapByte(1, 31, 100), MapByte(1, 31, 101), MapByte(2, 0, 100),
                                                     MapByte(2, 0, 101),  MapByte(2, 1, 100),  MapByte(2, 1, 101)};
    QTest::newRow("clipped to block 1") << QPoint(100, 31) << QRect(0, 0, 256, 32)
                                        << QList<qint64>{MapByte(1, 31, 100), MapByte(1, 31, 101)};
}

// A 2 x 3 pattern of tile 9 (nothing on the map holds 9) placed at `at`.
void tst_MapRegions::placementClipsAtEdges()
{
    QFETCH(QPoint, at);
    QFETCH(QRect, area);
    const MapPattern pattern(2, 3, QByteArray(6, '\x09'));
    QTEST(offsetsOf(pattern.placement(imageWith({}), {at.x(), at.y()}, area)), "offsets");
}

// A 2 x 2 stamp dragged from one cell to another four columns right in one
// report covers every cell along the way, as one undo step that a save writes.
void tst_MapRegions::stampStrokeIsOneGapFreeStep()
{
    QTemporaryDir dir;
    const QByteArray original(262160, '\x01');
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), original);
    MapDocument document;
    QVERIFY(document.load(path, nullptr));
    const MapPattern stamp(2, 2, QByteArray("\x05\x06\x07\x08", 4));
    const QRect world(0, 0, 256, 256);
    document.beginStroke({10, 31}, stamp, world);
    document.strokeTo({14, 31}, stamp, world);
    document.endStroke();
    QCOMPARE(document.undoStack().count(), 1);
    QCOMPARE(document.undoStack().undoText(), QStringLiteral("Paint 12 Cells"));
    QVERIFY(document.save(nullptr));
    QByteArray expected = original;
    for (int column = 10; column <= 15; ++column) {  // the last stamp's right column is 15
        expected[MapByte(1, 31, column)] = column == 15 ? '\x06' : '\x05';
        expected[MapByte(2, 0, column)] = column == 15 ? '\x08' : '\x07';
    }
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(path), expected), QList<qint64>());
}

QTEST_GUILESS_MAIN(tst_MapRegions)
#include "tst_MapRegions.moc"
