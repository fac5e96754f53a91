#include "FileLayout.h"
#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "core/CartridgeFile.h"
#include "editor/ExternalChangeWatcher.h"

#include <QtTest>

namespace {

constexpr qint64 Cell = FileLayout::ImageStart + 2 * 256 + 3;  // block 1, row 2, column 3

// Another program's change: one map byte and one byte outside the map.
QByteArray ChangedElsewhere(QByteArray bytes)
{
    bytes[FileLayout::ImageStart + 100] = 'E';
    bytes[3850] = 'P';
    return bytes;
}

void PaintTile(MainWindowDriver& d, int tile)
{
    d.pickTileFromStrip(tile);
    d.press(QPointF(3 * 16 + 2, 2 * 16 + 2));
}

}  // namespace

// The File menu's safety net on real files: changes made by other programs
// and patches, driven through the main window.
class tst_FileSafety : public QObject {
    Q_OBJECT

private slots:
    void externalChangeBeforeSave_data()
    {
        QTest::addColumn<int>("answer");  // Overwrite, Reload, closed
        QTest::newRow("overwrite") << 0;
        QTest::newRow("reload") << 1;
        QTest::newRow("cancel") << -1;
    }
    // Save Changes over another program's change asks first, naming the file:
    // an overwrite writes only the map, a reload shows their map, a cancel
    // keeps the edit unsaved.
    void externalChangeBeforeSave()
    {
        QFETCH(int, answer);
        MainWindowDriver d;
        QVERIFY(d.load());
        PaintTile(d, 9);
        const QByteArray theirs = ChangedElsewhere(d.original);
        QVERIFY(QFile::remove(d.path));
        Fixtures::WriteFile(d.dir, QStringLiteral("cart.nes"), theirs);
        d.platform.choiceAnswers << answer;
        d.action("mnuFileSave")->trigger();
        QCOMPARE(d.platform.choices.size(), 1);
        QVERIFY(d.platform.choices[0].text.contains(d.path));

        QByteArray expected = theirs;
        if (answer == 0) {
            expected.replace(FileLayout::ImageStart, FileLayout::ImageEnd - FileLayout::ImageStart,
                             d.session.cartridge().image().bytes());
            QCOMPARE(expected[Cell], char(9));
            QCOMPARE(expected[3850], 'P');
            // The overwrite is now the file's known state: no question on the next save.
            d.action("mnuFileSave")->trigger();
            QCOMPARE(d.platform.choices.size(), 1);
        } else if (answer == 1) {
            QTRY_COMPARE(d.mapPicture(), d.blockPicture(1));
        }
        QCOMPARE(Fixtures::ReadAll(d.path), expected);
        QCOMPARE(d.platform.messageTitles().size(), answer == 0 ? 2 : 0);
        QCOMPARE(d.session.cartridge().image().at(Cell), quint8(answer == 1 ? theirs[Cell] : 9));
        QCOMPARE(d.session.document().isModified(), answer == -1);
    }

    // The program's own writes go unnoticed; another program's change is loaded
    // while nothing is unsaved, and shown; with an unsaved edit it asks.
    void watcherReloadsOrAsks()
    {
        MainWindowDriver d;
        QVERIFY(d.load());
        ExternalChangeWatcher& watcher = d.session.fileWatcher();
        PaintTile(d, 9);
        d.action("mnuFileSave")->trigger();
        QString error;
        QVERIFY(CartridgeFile::patch(d.path, {{FileLayout::ImageStart + 7, QByteArray("w")}}, &error));
        watcher.check();
        QVERIFY(d.platform.choices.isEmpty());
        QCOMPARE(d.session.cartridge().image().at(FileLayout::ImageStart + 7), quint8(d.original[16407]));

        QByteArray theirs = ChangedElsewhere(Fixtures::ReadAll(d.path));
        Fixtures::WriteFile(d.dir, QStringLiteral("cart.nes"), theirs);
        QTRY_COMPARE(d.session.cartridge().image().at(FileLayout::ImageStart + 100), quint8('E'));
        QVERIFY(d.platform.choices.isEmpty());
        QTRY_COMPARE(d.mapPicture(), d.blockPicture(1));

        PaintTile(d, 4);
        theirs[FileLayout::ImageStart + 101] = 'F';
        Fixtures::WriteFile(d.dir, QStringLiteral("cart.nes"), theirs);
        QTRY_COMPARE(d.platform.choices.size(), 1);
        QCOMPARE(d.platform.choiceButtons[0], (QStringList{"&Reload", "&Keep Editing"}));
        QCOMPARE(d.session.cartridge().image().at(Cell), quint8(4));
    }

    void patchMadeAndAppliedThroughMenu_data()
    {
        QTest::addColumn<int>("type");  // the file type chosen in the save dialog
        QTest::addColumn<QString>("name");
        QTest::newRow("IPS") << 0 << "p";
        QTest::newRow("BPS by name") << 0 << "p.bps";
    }
    // A patch made from the saved cartridge against a pristine copy, applied to
    // that copy after the question naming both files, makes the two alike.
    void patchMadeAndAppliedThroughMenu()
    {
        QFETCH(int, type);
        QFETCH(QString, name);
        MainWindowDriver d;
        const QString pristine = Fixtures::WriteFile(d.dir, QStringLiteral("pristine.nes"), d.original);
        QVERIFY(d.load());
        PaintTile(d, 9);
        d.action("mnuFileSave")->trigger();
        const QByteArray edited = Fixtures::ReadAll(d.path);

        d.platform.openAnswers << pristine;
        d.platform.saveAnswers << ScriptedPlatform::SaveAnswer{d.dir.filePath(name), type};
        d.action("mnuFileCreatePatch")->trigger();
        const QString patch = d.dir.filePath(name.contains(u'.') ? name : name + QStringLiteral(".ips"));
        QVERIFY(Fixtures::ReadAll(patch).startsWith(name.contains(u'.') ? "BPS1" : "PATCH"));

        d.path = pristine;
        QVERIFY(d.load());
        d.platform.openAnswers << patch;
        d.platform.questionAnswers << true;
        d.action("mnuFileApplyPatch")->trigger();
        QCOMPARE(d.platform.questions.size(), 1);
        QVERIFY(d.platform.questions[0].text.startsWith(
            QStringLiteral("Apply the patch \"%1\" to \"%2\"?").arg(patch, pristine)));
        QCOMPARE(Fixtures::ReadAll(pristine), edited);
        QCOMPARE(d.session.cartridge().image().at(Cell), quint8(9));
        QCOMPARE(d.platform.messageTitles(), (QStringList{"File saved", "Patch created", "Patch applied"}));
    }
};

QTEST_MAIN(tst_FileSafety)
#include "tst_FileSafety.moc"
