#include "Fixtures.h"
#include "WindowSteps.h"
#include "core/MapGeometry.h"
#include "ui/LocationWindow.h"

#include <QApplication>
#include <QPushButton>
#include <QtTest>

#include <functional>

namespace {

// Shows side windows the way the program does, in a modal loop of their own,
// and runs one scripted step inside each loop. A loop without a step left
// closes its window, so that a fault cannot hang the test.
class ModalLoopPlatform final : public ScriptedPlatform {
public:
    QList<std::function<void(QDialog*)>> steps;
    int loops = 0;

    void showModal(QDialog* dialog) override
    {
        ++loops;
        std::function<void(QDialog*)> step = steps.isEmpty() ? [](QDialog* d) { d->close(); } : steps.takeFirst();
        QTimer::singleShot(0, dialog, [dialog, step] { step(dialog); });
        dialog->exec();
    }
};

using D = MainWindowDriver;

using namespace WindowSteps;

Route route(const QString& name)
{
    return name == QLatin1String("items") ? Route::Items : Route::Towns;
}

// A cartridge whose first row holds column 0x0C and row 0x47 in both tables.
QByteArray cartridgeBytes()
{
    QByteArray bytes = Fixtures::Pattern(262160, 21);
    bytes[0x61A0] = bytes[0x3EABD] = 0x0C;
    bytes[0x61A1] = bytes[0x3EABE] = 0x47;
    return bytes;
}

QString sextant(QWidget* window, int row)
{
    return D::textOf(window, QStringLiteral("lblSextant_%1").arg(row));
}
QString block(QWidget* window, int row)
{
    return D::textOf(window, QStringLiteral("lblBlock_%1").arg(row));
}

// "New Location" on `row`, then a press on the map at a cell of the overworld.
void pick(D& d, QWidget* window, int row, int column, int overworldRow)
{
    D::click(window, QStringLiteral("cmdLocation_%1").arg(row));
    QVERIFY(!window->isVisible());
    d.pressOverworld(column, overworldRow);
}

void addKinds()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("items") << QStringLiteral("items");
    QTest::newRow("towns") << QStringLiteral("towns");
}

}  // namespace

// The items and towns windows, opened from the main window's Game menu on real
// files and driven like a user does: fill, pick on the map, save, close.
class tst_LocationWindows : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { D::deleteClosed(); }
    void everyRowReadAndWritten_data() { addKinds(); }
    void everyRowReadAndWritten();
    void noFileDoesNothing_data() { addKinds(); }
    void noFileDoesNothing();
    void pickAndSave_data() { addKinds(); }
    void pickAndSave();
    void leavingDropsPicks_data();
    void leavingDropsPicks();
    void itemsKeepWaitingWhenTownsClose();
    void pickInsideModalLoops();
    void importantNote();
};

// Every row shows its own two bytes, in a file exactly as long as the window
// needs; a new place in every row is saved to its column and row byte, and
// nothing else moves, not even the bytes between the entries.
void tst_LocationWindows::everyRowReadAndWritten()
{
    QFETCH(QString, name);
    QByteArray bytes = cartridgeBytes().left(RequiredLength(route(name)));
    const QList<int> rows{0, 31, 32, 255, 100, 64, 128, 200, 223, 224, 5, 96};
    const auto offsets = LocationOffsets(route(name));
    for (qsizetype i = 1; i < offsets.size(); ++i) {
        bytes[offsets[i].first] = static_cast<char>(i);
        bytes[offsets[i].second] = static_cast<char>(rows[i]);
    }
    D d(cartridgeBytes());
    QVERIFY(d.showAndLoad());
    Fixtures::WriteFile(d.dir, QStringLiteral("cart.nes"), bytes);
    auto* window = qobject_cast<LocationWindow*>(Open(d, route(name)));
    QVERIFY(window);
    QCOMPARE(window->parentWidget(), &d.window);
    QVERIFY(d.window.pickState().LocationWindowOpen());
    QCOMPARE(sextant(window, 0) + block(window, 0), QStringLiteral("(071, 012)3"));
    const QString shown = ShownMismatch(window, route(name), bytes);
    QVERIFY2(shown.isEmpty(), qPrintable(shown));

    for (int i = 0; i < offsets.size(); ++i) {
        const int row = 3 + 40 * i % 256, column = 250 - 17 * i;
        window->SetPickedLocation(i, MapGeometry::LocationText(row, column), QString::number(row / 32 + 1));
        bytes[offsets[i].first] = static_cast<char>(column);
        bytes[offsets[i].second] = static_cast<char>(row);
    }
    D::click(window, QStringLiteral("cmdSave"));
    QVERIFY(d.platform.messages.isEmpty());
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(d.path), bytes), QList<qint64>());
}

void tst_LocationWindows::noFileDoesNothing()
{
    QFETCH(QString, name);
    D d;
    QVERIFY(!Open(d, route(name)));
    QVERIFY(d.platform.messages.isEmpty());
    QVERIFY(!d.window.findChild<LocationWindow*>());
    QVERIFY(!d.window.pickState().LocationWindowOpen());
}

// New Location on row 2 twice (the last pick counts), ending on column 12,
// row 45 (block 2), then save: the file, and for the items window the image,
// hold the new place; the picks paint nothing; a later "Save Changes" keeps
// what the window wrote.
void tst_LocationWindows::pickAndSave()
{
    QFETCH(QString, name);
    const auto offsets = LocationOffsets(route(name));
    D d(cartridgeBytes());
    QVERIFY(d.showAndLoad());
    QPointer<QDialog> window = Open(d, route(name));
    QVERIFY(window);
    const QString row3 = sextant(window, 3);
    const QByteArray imageBefore = d.window.cartridge().image().bytes();

    pick(d, window, 2, 200, 255);
    QCOMPARE(sextant(window, 2) + block(window, 2), QStringLiteral("(255, 200)8"));
    D::click(window, QStringLiteral("cmdLocation_2"));
    QCOMPARE(d.window.pickState().PickRow, quint8(2));
    QCOMPARE(d.window.pickState().TownsWindowOpen, name == QLatin1String("towns"));
    QCOMPARE(QApplication::activeWindow(), &d.window);
    d.chooseBlock(2);
    const QImage block2 = d.window.mapPicture().copy();
    d.pressOverworld(12, 45);
    QVERIFY(window->isVisible());
    QCOMPARE(d.platform.modals.last().data(), window.data());
    QCOMPARE(sextant(window, 2) + block(window, 2), QStringLiteral("(045, 012)2"));
    QCOMPARE(sextant(window, 3), row3);
    QVERIFY(d.window.cartridge().image().bytes() == imageBefore);
    QVERIFY(d.window.mapPicture() == block2);
    QCOMPARE(Fixtures::ReadAll(d.path), d.original);

    D::click(window, QStringLiteral("cmdSave"));
    QVERIFY(d.platform.messages.isEmpty());
    D::deleteClosed();
    QVERIFY(!window);
    QVERIFY(!d.window.pickState().LocationWindowOpen());
    QCOMPARE(QApplication::activeWindow(), &d.window);

    QByteArray expected = d.original;
    expected[offsets[2].first] = 12;
    expected[offsets[2].second] = 45;
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(d.path), expected), QList<qint64>());
    QByteArray imageExpected = imageBefore;
    if (route(name) == Route::Items) {
        imageExpected[offsets[2].first - 16400] = 12;
        imageExpected[offsets[2].second - 16400] = 45;
    }
    QCOMPARE(Fixtures::Differences(d.window.cartridge().image().bytes(), imageExpected), QList<qint64>());
    QVERIFY(d.window.mapPicture() == block2);
    d.window.mnuFileSave_Click();
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(d.path), expected), QList<qint64>());
}

void tst_LocationWindows::leavingDropsPicks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("how");
    for (const char* name : {"items", "towns"}) {
        for (const char* how : {"close box", "Escape", "new load", "menu again"}) {
            QTest::addRow("%s, %s", name, how) << name << how;
        }
    }
}

// Closing the window (by its close box or Escape), loading another cartridge
// while it waits for a pick, or choosing its menu entry again drops the picks
// not saved; only the last keeps the window, filled again from the file.
void tst_LocationWindows::leavingDropsPicks()
{
    QFETCH(QString, name);
    QFETCH(QString, how);
    D d(cartridgeBytes());
    QVERIFY(d.showAndLoad());
    const QByteArray imageBefore = d.window.cartridge().image().bytes();
    QPointer<QDialog> window = Open(d, route(name));
    QVERIFY(window);
    pick(d, window, 0, 99, 150);
    QCOMPARE(sextant(window, 0), QStringLiteral("(150, 099)"));
    if (how == QLatin1String("close box")) {
        window->close();
    } else if (how == QLatin1String("Escape")) {
        QTest::keyClick(window, Qt::Key_Escape);
    } else {
        D::click(window, QStringLiteral("cmdLocation_1"));
        QVERIFY(!window->isVisible() && d.window.pickState().LocationWindowOpen());
        if (how == QLatin1String("menu again")) {
            QCOMPARE(Open(d, route(name)), window.data());
        } else {
            d.platform.openAnswers << Fixtures::WriteFile(d.dir, QStringLiteral("second.nes"), d.original);
            d.window.mnuFileLoad_Click();
        }
    }
    D::deleteClosed();
    QCOMPARE(Fixtures::ReadAll(d.path), d.original);
    QVERIFY(d.window.cartridge().image().bytes() == imageBefore);
    if (how == QLatin1String("menu again")) {
        QVERIFY(window && window->isVisible() && d.window.pickState().LocationWindowOpen());
        QCOMPARE(d.window.findChildren<LocationWindow*>().size(), 1);
    } else {
        QVERIFY(!window && !d.window.pickState().LocationWindowOpen());
        const QImage pictureBefore = d.window.mapPicture().copy();
        d.pressOverworld(5, 150);  // paints again rather than picking
        QVERIFY(d.window.mapPicture() != pictureBefore);
        window = Open(d, route(name));
        QVERIFY(window);
    }
    QCOMPARE(sextant(window, 0) + block(window, 0), QStringLiteral("(071, 012)3"));
}

// The items window waits for a pick; the towns window is opened and closed in
// between. Presses on the map still go to the items window, to its own row.
void tst_LocationWindows::itemsKeepWaitingWhenTownsClose()
{
    D d(cartridgeBytes());
    QVERIFY(d.showAndLoad());
    QDialog* items = d.open(&frmMain::mnuGameItems_Click);
    QVERIFY(items);
    D::click(items, QStringLiteral("cmdLocation_1"));

    QPointer<QDialog> towns = d.open(&frmMain::mnuGameTowns_Click);
    QVERIFY(towns);
    pick(d, towns, 9, 30, 40);
    QCOMPARE(sextant(towns, 9), QStringLiteral("(040, 030)"));
    towns->close();
    D::deleteClosed();
    QVERIFY(!towns);
    QVERIFY(!d.window.pickState().TownsWindowOpen);
    QVERIFY(d.window.pickState().LocationWindowOpen());

    const QImage pictureBefore = d.window.mapPicture().copy();
    const QByteArray imageBefore = d.window.cartridge().image().bytes();
    d.pressOverworld(7, 38);
    QVERIFY(items->isVisible());
    QCOMPARE(sextant(items, 1), QStringLiteral("(038, 007)"));
    QCOMPARE(block(items, 1), QStringLiteral("2"));
    QVERIFY(d.window.mapPicture() == pictureBefore);
    QVERIFY(d.window.cartridge().image().bytes() == imageBefore);
    QCOMPARE(Fixtures::ReadAll(d.path), d.original);
}

// The program's own modal display: the window leaves its loop when it hides
// for a pick and must still be there, waiting, when the map hands the pick over.
void tst_LocationWindows::pickInsideModalLoops()
{
    const QByteArray before = cartridgeBytes();
    QTemporaryDir dir;
    const QString path = Fixtures::WriteFile(dir, QStringLiteral("cart.nes"), before);
    ModalLoopPlatform p;
    frmMain w(p);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    p.openAnswers << path;
    w.mnuFileLoad_Click();
    QCOMPARE(w.cartridge().CartridgePath(), path);

    QPointer<QDialog> window;
    QString picked;
    p.steps << [&window](QDialog* d) {
        window = d;
        D::click(d, QStringLiteral("cmdLocation_2"));
    };
    p.steps << [&picked](QDialog* d) {
        picked = sextant(d, 2);
        D::click(d, QStringLiteral("cmdSave"));
    };
    w.mnuGameItems_Click();
    QCOMPARE(p.loops, 1);
    QVERIFY(window);
    QVERIFY(!window->isVisible());
    QVERIFY(w.pickState().LocationWindowOpen());

    QTest::mousePress(w.findChild<QWidget*>(QStringLiteral("picMap")), Qt::LeftButton, {},
                      QPoint(12 * 16 + 3, 13 * 16 + 3));
    QCOMPARE(p.loops, 2);
    QCOMPARE(picked, QStringLiteral("(013, 012)"));
    QVERIFY(p.messages.isEmpty());
    D::deleteClosed();
    QVERIFY(!window);
    QVERIFY(!w.pickState().LocationWindowOpen());
    QByteArray expected = before;
    expected[LocationOffsets(Route::Items)[2].first] = 12;
    expected[LocationOffsets(Route::Items)[2].second] = 13;
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(path), expected), QList<qint64>());
}

void tst_LocationWindows::importantNote()
{
    D d(cartridgeBytes());
    QVERIFY(d.showAndLoad());
    QDialog* towns = d.open(&frmMain::mnuGameTowns_Click);
    QVERIFY(towns);
    D::click(towns, QStringLiteral("Command1"));
    QCOMPARE(d.platform.messages.size(), 1);
    QCOMPARE(d.platform.messages[0].title, QStringLiteral("Important Note"));
    QCOMPARE(d.platform.messages[0].icon, Platform::Icon::Exclamation);
    QCOMPARE(d.platform.messages[0].text,
             QStringLiteral(u"I haven\u00B4t full tested the towns' warp system. All\r\n"
                            u"I know is that if you put more than 2 or 3 towns\r\n"
                            u"in the same screen, the warps won\u00B4t work. It\u00B4s\r\n"
                            u"still buggy, so be careful. If you find out how\r\n"
                            u"does the warp thing works, please mail me!\r\n"
                            u"(I won\u00B4t try. I\u00B4m sicked of finding game's data :P)\r\n"
                            u"\r\n"
                            u"orvane-editor@users.noreply.example"));
    QVERIFY(towns->isVisible());
}

QTEST_MAIN(tst_LocationWindows)
#include "tst_LocationWindows.moc"
