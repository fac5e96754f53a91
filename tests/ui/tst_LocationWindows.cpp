#include "Fixtures.h"
#include "WindowSteps.h"

#include <QApplication>
#include <QtTest>

#include <functional>

namespace {

// Shows side windows the way the program does, in a modal loop of their own,
// and runs one scripted step inside each loop. A loop without a step left
// closes its window, so that a fault cannot hang the test.
class ModalLoops final : public ScriptedModals {
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

// Row `row` as shown: its location text and its block digit.
QString shown(QWidget* window, int row)
{
    return D::textOf(window, QStringLiteral("lblSextant_%1").arg(row)) +
           D::textOf(window, QStringLiteral("lblBlock_%1").arg(row));
}

// "New Location" on `row`, which hides the window, then a press on the map at
// a cell of the overworld.
void pick(D& d, QDialog* window, int row, int column, int overworldRow)
{
    D::click(window, QStringLiteral("cmdLocation_%1").arg(row));
    QVERIFY(!window->isVisible());
    QCOMPARE(d.session.pick().PickRow, quint8(row));
    d.pressOverworld(column, overworldRow);
}

}  // namespace

// The items and towns windows, opened from the main window's Game menu on real
// files and driven like a user does: pick on the map, then leave. What they
// read from every row and what their saves write are tst_Robustness's.
class tst_LocationWindows : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { D::deleteClosed(); }
    void leavingDropsPicks_data();
    void leavingDropsPicks();
    void itemsKeepWaitingWhenTownsClose();
    void pickInsideModalLoops();
};

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

// A pick shows its cell and block in the row asked for and writes nothing.
// Closing the window (by its close box or Escape), loading another cartridge
// while it waits for a pick, or choosing its menu entry again drops the picks
// not saved; only the last keeps the window, filled again from the file.
void tst_LocationWindows::leavingDropsPicks()
{
    QFETCH(QString, name);
    QFETCH(QString, how);
    D d(cartridgeBytes());
    QVERIFY(d.showAndLoad());
    QPointer<QDialog> window = Open(d, route(name));
    QVERIFY(window);
    QCOMPARE(window->parentWidget(), &d.window);
    pick(d, window, 0, 99, 150);
    QCOMPARE(shown(window, 0), QStringLiteral("(150, 099)5"));
    if (how == QLatin1String("close box")) {
        window->close();
    } else if (how == QLatin1String("Escape")) {
        QTest::keyClick(window, Qt::Key_Escape);
    } else {
        D::click(window, QStringLiteral("cmdLocation_1"));  // shown again by the pick, now active
        QCOMPARE(QApplication::activeWindow(), &d.window);
        if (how == QLatin1String("menu again")) {
            QCOMPARE(Open(d, route(name)), window.data());
        } else {
            d.platform.openAnswers << Fixtures::WriteFile(d.dir, QStringLiteral("second.nes"), d.original);
            d.action("mnuFileLoad")->trigger();
        }
    }
    D::deleteClosed();
    QCOMPARE(Fixtures::ReadAll(d.path), d.original);
    if (how != QLatin1String("menu again")) {
        QVERIFY(!d.session.pick().LocationWindowOpen());
        window = Open(d, route(name));
        QVERIFY(window);
    }
    QCOMPARE(shown(window, 0), QStringLiteral("(071, 012)3"));
}

// The items window waits for a pick; the towns window is opened, takes a pick
// of its own and is closed. The next press on the map still goes to the items
// window, to its own row.
void tst_LocationWindows::itemsKeepWaitingWhenTownsClose()
{
    D d(cartridgeBytes());
    QVERIFY(d.showAndLoad());
    QDialog* items = Open(d, Route::Items);
    QVERIFY(items);
    D::click(items, QStringLiteral("cmdLocation_1"));
    QPointer<QDialog> towns = Open(d, Route::Towns);
    QVERIFY(towns);
    pick(d, towns, 9, 30, 40);
    towns->close();
    d.pressOverworld(7, 38);
    QCOMPARE(shown(items, 1), QStringLiteral("(038, 007)2"));
}

// The program's own modal display: the window leaves its loop when it hides
// for a pick and must still be there, waiting, when the map hands the pick over.
void tst_LocationWindows::pickInsideModalLoops()
{
    SessionDriver s(cartridgeBytes());
    ModalLoops p;
    frmMain w(s.session, p);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w) && s.load());

    QString picked;
    p.steps << [](QDialog* d) { D::click(d, QStringLiteral("cmdLocation_2")); };
    p.steps << [&picked](QDialog* d) {
        picked = shown(d, 2);
        d->close();
    };
    w.findChild<QAction*>(QStringLiteral("mnuGameItems"))->trigger();
    QTest::mousePress(w.findChild<QWidget*>(QStringLiteral("picMap")), Qt::LeftButton, {},
                      QPoint(12 * 16 + 3, 13 * 16 + 3));
    QCOMPARE(p.loops, 2);
    QCOMPARE(picked, QStringLiteral("(013, 012)1"));
}

QTEST_MAIN(tst_LocationWindows)
#include "tst_LocationWindows.moc"
