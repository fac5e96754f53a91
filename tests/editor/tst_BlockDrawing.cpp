#include "Fixtures.h"
#include "SessionDriver.h"
#include "core/MapGeometry.h"
#include "core/TileRaster.h"

#include <QtTest>

// DrawBlock on the session, with the test as the map view that draws each block chosen.
class tst_BlockDrawing : public QObject {
    Q_OBJECT

private slots:
    void overtaken_data()
    {
        QTest::addColumn<QString>("interruption");  // at the drawing's first yield
        QTest::addColumn<int>("shown");  // the block shown at the end, complete
        QTest::newRow("none") << "" << 8;
        QTest::newRow("another block") << "block" << 5;
        QTest::newRow("a new load") << "load" << 1;
        QTest::newRow("the program ending") << "end" << 0;
    }
    // The caption names each cell drawn, then the title; anything during a drawing stops it, the last block shows.
    void overtaken()
    {
        QFETCH(QString, interruption);
        QFETCH(int, shown);
        SessionDriver d(Fixtures::Pattern(262160, 77));
        QImage picture(4096, 512, TileRaster::Format);
        QList<bool> complete;
        connect(&d.session, &EditorSession::blockChosen, this,
                [&](int block) { complete << d.session.DrawBlock(*MapGeometry::BlockStart(block), picture); });
        QVERIFY(d.load());
        QStringList captions;
        connect(&d.session, &EditorSession::captionChanged, this, [&] { captions << d.session.caption(); });
        d.platform.yields = 0;
        d.platform.onProcessEvents = [&](int yield) {
            if (yield == 1 && interruption == u"block") {
                d.session.selectBlock(5);
            } else if (yield == 1 && interruption == u"load") {
                d.load();
            } else if (yield == 1 && interruption == u"end") {
                d.session.shutDown();
            }
        };
        bool reacted = false;  // the event loop runs at the yields: the window repaints and reacts
        QTimer::singleShot(0, this, [&] { reacted = true; });
        d.session.selectBlock(8);
        QVERIFY(reacted);
        QCOMPARE(captions.first(), QStringLiteral("Loading Map - (001, 000)"));
        if (interruption == u"end") {
            QCOMPARE(d.platform.yields, 1);
            d.session.selectBlock(3);  // nothing more is drawn
            QCOMPARE(complete, (QList<bool>{true, false, false}));
            QCOMPARE(d.platform.yields, 1);
            return;
        }
        // The older drawing yielded once and stopped: every other yield and caption is the newer one's.
        QCOMPARE(d.platform.yields, interruption.isEmpty() ? 8192 : 8193);
        QCOMPARE(complete, (interruption.isEmpty() ? QList<bool>{true, true} : QList<bool>{true, true, false}));
        QCOMPARE(d.session.currentBlock(), shown);
        QCOMPARE(picture, d.blockPicture(shown));
        QCOMPARE(captions.last(), EditorSession::Title());
        QCOMPARE(captions[captions.size() - 2], QStringLiteral("Loading Map - (032, 255)"));
        QCOMPARE(captions[captions.size() - 8193 + 256], QStringLiteral("Loading Map - (002, 000)"));
    }
};

QTEST_MAIN(tst_BlockDrawing)
#include "tst_BlockDrawing.moc"
