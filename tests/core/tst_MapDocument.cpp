#include "FileLayout.h"
#include "Fixtures.h"
#include "core/MapDocument.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using FileLayout::MapByte;

// What a stroke, a replace, an undo and a redo leave in the file once saved.
class tst_MapDocument : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QByteArray m_original;
    QString m_path;

    // A document loaded from a fresh copy of the original file, showing `block`.
    void load(MapDocument& document, int block = 2)
    {
        m_path = Fixtures::WriteFile(m_dir, QStringLiteral("map.nes"), m_original);
        QVERIFY(document.load(m_path, nullptr));
        document.setCurrentBlock(block);
    }

private slots:
    void initTestCase()
    {
        m_original = Fixtures::Pattern(262160, 5);
        for (int column = 0; column < 256; ++column) {
            m_original[MapByte(4, 5, column)] = 0;  // the undone stroke's row holds no 0xFF
        }
        for (int block = 1; block <= 8; ++block) {  // the last cell of each block is one to replace
            m_original[MapByte(block, 31, 255)] = m_original[MapByte(3, 10, 10)];
        }
    }

    void strokeLine_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QList<QPoint>>("cells");
        QTest::addColumn<QString>("steps");  // u = undo, r = redo, before the save
        const QList<QPoint> across{{2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}};
        QTest::newRow("across") << QPoint(2, 5) << QPoint(6, 5) << across << "";
        QTest::newRow("undone") << QPoint(2, 5) << QPoint(6, 5) << across << "u";
        QTest::newRow("redone") << QPoint(2, 5) << QPoint(6, 5) << across << "ur";
        QTest::newRow("back over the top")
            << QPoint(3, 2) << QPoint(0, -1) << QList<QPoint>{{1, 0}, {2, 1}, {3, 2}} << "";
        QTest::newRow("steep") << QPoint(1, 0) << QPoint(2, 5)
                               << QList<QPoint>{{1, 0}, {1, 1}, {1, 2}, {2, 3}, {2, 4}, {2, 5}} << "";
        QTest::newRow("off the right edge")
            << QPoint(250, 30) << QPoint(300, 40)
            << QList<QPoint>{{250, 30}, {251, 30}, {252, 30}, {253, 31}, {254, 31}, {255, 31}} << "";
        QTest::newRow("far away") << QPoint(0, 31) << QPoint(-625000, 625000) << QList<QPoint>{{0, 31}} << "";
    }

    // A drag paints the line between its positions inside the block, as one step.
    void strokeLine()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QList<QPoint>, cells);
        QFETCH(QString, steps);
        MapDocument document;
        load(document, 4);
        // Positions as the view of block 4 gives them: x the column, y the local row.
        const auto inBlock = [](QPoint p) { return MapCell::InBlock(4, p.y(), p.x()); };
        const QRect area = MapCell::BlockArea(4);
        document.beginStroke(inBlock(from), MapPattern::Single(0xFF), area);
        document.strokeTo(inBlock(from), MapPattern::Single(0xFF), area);
        document.strokeTo(inBlock(to), MapPattern::Single(0xFF), area);
        document.endStroke();
        QCOMPARE(document.undoStack().count(), 1);
        for (const QChar step : steps) {
            step == u'u' ? document.undoStack().undo() : document.undoStack().redo();
        }
        QVERIFY(document.save(nullptr));
        const QByteArray file = Fixtures::ReadAll(m_path);
        QList<qint64> expected;
        for (const QPoint& cell : cells) {
            const qint64 at = MapByte(4, cell.y(), cell.x());
            if (quint8(m_original[at]) != 0xFF && !steps.endsWith(u'u')) {
                QCOMPARE(quint8(file[at]), quint8(0xFF));
                expected << at;
            }
        }
        std::sort(expected.begin(), expected.end());
        QCOMPARE(Fixtures::Differences(file, m_original, 1000), expected);
    }

    void replaceTouchesOnlyItsCells_data()
    {
        QTest::addColumn<bool>("wholeOverworld");
        QTest::newRow("this block") << false;
        QTest::newRow("the whole overworld") << true;
    }

    void replaceTouchesOnlyItsCells()
    {
        QFETCH(bool, wholeOverworld);
        MapDocument document;
        load(document, 3);
        const quint8 from = quint8(m_original[MapByte(3, 10, 10)]);
        const quint8 to = from ^ 0x80;
        QList<qint64> expected;  // every map cell in scope holding `from`, and nothing else
        for (int block = wholeOverworld ? 1 : 3; block <= (wholeOverworld ? 8 : 3); ++block) {
            for (qint64 at = MapByte(block, 0, 0); at < MapByte(block, 32, 0); ++at) {
                if (quint8(m_original[at]) == from) {
                    expected << at;
                }
            }
        }
        const auto scope = wholeOverworld ? MapDocument::Scope::Overworld : MapDocument::Scope::Block;
        QCOMPARE(document.replaceCount(from, to, scope), int(expected.size()));
        QCOMPARE(document.replaceTile(from, to, scope), int(expected.size()));
        QCOMPARE(document.undoStack().count(), 1);
        QVERIFY(document.save(nullptr));
        const QByteArray replaced = Fixtures::ReadAll(m_path);
        QCOMPARE(Fixtures::Differences(replaced, m_original, 100000), expected);
        QCOMPARE(quint8(replaced[expected.last()]), to);

        document.undoStack().undo();
        QVERIFY(document.save(nullptr));
        QCOMPARE(Fixtures::ReadAll(m_path), m_original);
    }

    void modifiedUntilSaved()
    {
        MapDocument document;
        QSignalSpy changes(&document, &MapDocument::modifiedChanged);
        load(document);
        QVERIFY(!document.isModified());
        document.paintCell({1, 33}, 0x2B);
        QVERIFY(document.isModified());
        QVERIFY(document.save(nullptr));
        QVERIFY(!document.isModified());
        document.undoStack().undo();  // the file holds the painted cell now
        QVERIFY(document.isModified());
        load(document);  // a load starts a new history
        QVERIFY(!document.isModified());
        QVERIFY(!document.undoStack().canRedo());
        QCOMPARE(changes.count(), 4);
    }
};

QTEST_GUILESS_MAIN(tst_MapDocument)
#include "tst_MapDocument.moc"
