#include "FileLayout.h"
#include "Fixtures.h"
#include "SessionDriver.h"
#include "editor/PasteTool.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtTest>

#include <functional>

using FileLayout::MapByte;
using Steps = std::function<void(SessionDriver&)>;
Q_DECLARE_METATYPE(Steps)

namespace {

using Tool = EditorSession::Tool;

// Every map cell holds tile 1 but a column of 2s at column 9, rows 30 to 33
// (across the boundary of blocks 1 and 2).
QByteArray cartridge()
{
    QByteArray bytes = QByteArray("NES\x1A", 4) + QByteArray(262156, '\x01');
    for (int row = 30; row <= 33; ++row) {
        bytes[MapByte(row / 32 + 1, row % 32, 9)] = 2;
    }
    return bytes;
}

void drag(SessionDriver& d, Qt::MouseButton button, const MapCell& from, const MapCell& to)
{
    d.cellEvent(QEvent::MouseButtonPress, from, button, button);
    d.cellEvent(QEvent::MouseMove, to, Qt::NoButton, button);
    d.cellEvent(QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

QList<qint64> cells(const QList<QPoint>& points)
{
    QList<qint64> offsets;
    for (const QPoint& p : points) {
        offsets << MapByte(p.y() / 32 + 1, p.y() % 32, p.x()) - FileLayout::ImageStart;
    }
    std::sort(offsets.begin(), offsets.end());
    return offsets;
}

}  // namespace

// Each region tool and clipboard command as a user takes it, on the session:
// one undo step named after it, exactly the bytes it must change, and what it
// refuses.
class tst_RegionTools : public QObject {
    Q_OBJECT

private slots:
    void oneStepEach_data();
    void oneStepEach();
    void pasteRefusesText();
    void escapeDropsPasteThenSelection();
    void fillSaysWhatItWillChange();
};

void tst_RegionTools::oneStepEach_data()
{
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<QString>("undo");
    QTest::addColumn<QList<qint64>>("changed");
    QTest::newRow("fill across blocks") << Steps([](SessionDriver& d) {
        d.session.setTool(Tool::Fill);
        d.clickCell({9, 31});
    }) << "Fill 4 Cells" << cells({{9, 30}, {9, 31}, {9, 32}, {9, 33}});
    QTest::newRow("fill inside the selection") << Steps([](SessionDriver& d) {
        d.session.setTool(Tool::Fill);
        d.session.setSelection(QRect(8, 30, 3, 2));
        d.clickCell({8, 30});
    }) << "Fill 2 Cells" << cells({{8, 30}, {8, 31}});
    QTest::newRow("rectangle fill") << Steps([](SessionDriver& d) {
        d.session.setTool(Tool::Rectangle);
        drag(d, Qt::LeftButton, {4, 3}, {2, 2});
    }) << "Rectangle Fill 6 Cells" << cells({{2, 2}, {3, 2}, {4, 2}, {2, 3}, {3, 3}, {4, 3}});
    QTest::newRow("delete") << Steps([](SessionDriver& d) {
        d.session.setSelection(QRect(8, 31, 2, 2));
        d.session.deleteSelection();
    }) << "Delete 4 Cells" << cells({{8, 31}, {9, 31}, {8, 32}, {9, 32}});
    QTest::newRow("cut") << Steps([](SessionDriver& d) {
        d.session.setTool(Tool::Select);
        drag(d, Qt::LeftButton, {9, 30}, {9, 31});
        d.session.cut();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("02\n02\n"));
    }) << "Cut 2 Cells" << cells({{9, 30}, {9, 31}});
    QTest::newRow("paste clipped at the last row") << Steps([](SessionDriver& d) {
        d.session.setSelection(QRect(9, 30, 2, 4));
        QVERIFY(d.session.copy());
        d.session.paste();
        d.clickCell({100, 254});
        QVERIFY(!d.session.isPasting());
    }) << "Paste 2 Cells" << cells({{100, 254}, {100, 255}});
    QTest::newRow("stamp picked with a right drag") << Steps([](SessionDriver& d) {
        drag(d, Qt::RightButton, {9, 31}, {10, 31});
        d.clickCell({50, 5});
    }) << "Paint 1 Cell" << cells({{50, 5}});
}

void tst_RegionTools::oneStepEach()
{
    QFETCH(Steps, steps);
    SessionDriver d(cartridge());
    QVERIFY(d.load());
    d.selectTile(3);
    steps(d);
    const QUndoStack& history = d.session.document().undoStack();
    QCOMPARE(history.count(), 1);
    QTEST(history.undoText(), "undo");
    QTEST(Fixtures::Differences(d.image(), d.original.mid(FileLayout::ImageStart, d.image().size()), 1000), "changed");
}

void tst_RegionTools::pasteRefusesText()
{
    SessionDriver d(cartridge());
    QVERIFY(d.load());
    QGuiApplication::clipboard()->setText(QStringLiteral("00\t01\n02\tXY\n"));
    d.session.paste();
    QCOMPARE(d.platform.messageTitles(), QStringList{"Nothing pasted"});
    QVERIFY(d.platform.messages[0].text.endsWith(
        QStringLiteral("Line 2, tile 2: \"XY\" is not a tile number (00 to FF).")));
    QVERIFY(!d.session.isPasting());
    d.clickCell({0, 0});  // the brush again, with tile 0 current
    QCOMPARE(d.session.document().undoStack().undoText(), QStringLiteral("Paint 1 Cell"));
}

void tst_RegionTools::escapeDropsPasteThenSelection()
{
    SessionDriver d(cartridge());
    QVERIFY(d.load());
    d.session.selectAll();
    QCOMPARE(d.session.selection(), std::optional<QRect>(QRect(0, 0, 256, 256)));
    QVERIFY(d.session.copy());
    d.session.paste();
    QVERIFY(d.session.cancel() && !d.session.isPasting() && d.session.selection());
    QVERIFY(d.session.cancel() && !d.session.selection());
    QVERIFY(!d.session.cancel());
    QCOMPARE(d.session.document().undoStack().count(), 0);
}

// Before the click the status says how many cells would change; moving over
// the same area keeps the count, an edit of the map makes it count again.
void tst_RegionTools::fillSaysWhatItWillChange()
{
    SessionDriver d(cartridge());
    QVERIFY(d.load());
    d.selectTile(3);
    d.session.setTool(Tool::Fill);
    d.cellEvent(QEvent::MouseMove, {9, 31}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(d.session.toolStatus(), QStringLiteral("Fill: 4 cells will change"));
    d.session.selectBlock(2);
    d.cellEvent(QEvent::MouseMove, {9, 33}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(d.session.toolStatus(), QStringLiteral("Fill: 4 cells will change"));
    d.session.setTool(Tool::Brush);
    d.clickCell({9, 33});
    d.session.setTool(Tool::Fill);
    d.cellEvent(QEvent::MouseMove, {9, 32}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(d.session.toolStatus(), QStringLiteral("Fill: 3 cells will change"));
    d.cellEvent(QEvent::MouseMove, {0, 0}, Qt::NoButton, Qt::NoButton);
    QCOMPARE(d.session.toolStatus(), QStringLiteral("Fill: 65532 cells will change"));
}

QTEST_MAIN(tst_RegionTools)
#include "tst_RegionTools.moc"
