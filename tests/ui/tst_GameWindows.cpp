#include "Fixtures.h"
#include "WindowSteps.h"

#include <QApplication>
#include <QtTest>

#include <functional>

using D = MainWindowDriver;
using namespace WindowSteps;

Q_DECLARE_METATYPE(FileLayout::Route)

namespace {

// Shows side windows in a modal loop of their own, as the program does, and runs one
// scripted step inside each; a loop without a step closes its window, so nothing hangs.
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

// A cartridge whose first location row holds column 0x0C and row 0x47 in both tables.
QByteArray locationBytes()
{
    QByteArray bytes = Fixtures::Pattern(262160, 21);
    bytes[0x61A0] = bytes[0x3EABD] = 0x0C;
    bytes[0x61A1] = bytes[0x3EABE] = 0x47;
    return bytes;
}

// Location row `row` as shown: its location text and its block digit.
QString shown(QWidget* window, int row)
{
    return D::textOf(window, QStringLiteral("lblSextant_%1").arg(row)) +
           D::textOf(window, QStringLiteral("lblBlock_%1").arg(row));
}

// A press on the map at a cell of the overworld, its block chosen first.
void pressOverworld(D& d, int column, int overworldRow)
{
    d.chooseBlock(overworldRow / 32 + 1);
    d.press(QPointF(column * 16 + 3, (overworldRow % 32) * 16 + 3));
}

// "New Location" on `row`, which hides the window, then a press on the map.
void pick(D& d, QDialog* window, int row, int column, int overworldRow)
{
    D::click(window, QStringLiteral("cmdLocation_%1").arg(row));
    QVERIFY(!window->isVisible());
    QCOMPARE(d.session.picker().waiting()->row, row);
    pressOverworld(d, column, overworldRow);
}

}  // namespace

// The four Game windows, opened through the main window on real files and
// driven like a user does: what only the windows do. Every box's and row's
// offset is read and written back by tst_Robustness.
class tst_GameWindows : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { D::deleteClosed(); }

    void edits_data()
    {
        QTest::addColumn<Route>("route");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("written");  // empty, and no message: closed by the close box instead
        QTest::addColumn<QString>("message");  // the save is refused with this text
        const auto add = [](const char* row, Route route, const char* name, const char* typed,
                            const QByteArray& written, const char* message = "") {
            QTest::newRow(row) << route << QString(name) << QString(typed) << written << QString(message);
        };
        const Route prices = Route::Prices, characters = Route::Characters;
        // Every legal value can be typed, and no more characters than it takes; the encodings
        // themselves are the tables' (tst_GameTables). The first box refused is brought into view.
        add("Moss, three typed", prices, "txtHerbs_4", "1234", "\x7B");
        add("starting Moss, three typed", characters, "txtHerbs_4", "2550", "\xFF");
        add("Ranger exp, -32768", characters, "txtExp_6", "-327689", QByteArray("\x00\x80", 2));
        add("prices, close box", prices, "txtItem_0", "42", {});
        add("characters, close box", characters, "txtLevel_0", "42", {});
        add("Torch 9E99", prices, "txtItem_0", "9E99", {},
            "The price of Torch must be a whole number from -32768 to 32767.");
        add("ab in Mage level", characters, "txtLevel_0", "ab", {},
            "The Mage's level must be a whole number from 0 to 255.");
    }
    // What a box shows and takes, and what a save makes of it: those bytes; or a message, nothing
    // written, the box in view with the focus. The close box writes nothing.
    void edits()
    {
        QFETCH(Route, route);
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QByteArray, written);
        QFETCH(QString, message);
        const QList<Box> boxes = Boxes(route);
        const Box box = *std::find_if(boxes.begin(), boxes.end(), [&](const Box& b) { return b.name == name; });
        QByteArray bytes = Fixtures::Pattern(262160, static_cast<quint32>(box.offset));
        const QString shown = QString::number(ValueAt(bytes, box));
        D d(bytes);
        QVERIFY(d.load());
        QPointer<QDialog> w = Open(d, route);
        QVERIFY(w);
        QCOMPARE(D::textOf(w, name), shown);
        Type(w, name, typed);
        if (route == Route::Characters) {
            D::click(w, "optChara_4");  // another panel in view
        }
        if (written.isEmpty() && message.isEmpty()) {
            w->close();
        } else {
            D::click(w, "cmdSave");
        }
        if (!message.isEmpty()) {
            QCOMPARE(d.platform.messageTitles(), QStringList{QStringLiteral("Value out of range")});
            QCOMPARE(d.platform.messages[0].text, message);
            QCOMPARE(Fixtures::ReadAll(d.path), bytes);
            QTest::qWait(0);
            QVERIFY(w && w->isVisible());
            QCOMPARE(w->focusWidget(), w->findChild<QWidget*>(name));
            QVERIFY(w->focusWidget()->isVisible());
            QCOMPARE(D::textOf(w, name), typed);
            return;
        }
        QVERIFY(d.platform.messages.isEmpty());
        QTRY_VERIFY(w.isNull());
        bytes.replace(box.offset, written.size(), written);
        QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(d.path), bytes), QList<qint64>());
        if (written.isEmpty()) {
            w = Open(d, route);
            QVERIFY(w);
            QCOMPARE(D::textOf(w, name), shown);
        }
    }

    void leavingDropsPicks_data()
    {
        QTest::addColumn<Route>("route");
        QTest::addColumn<QString>("how");
        for (const Route route : {Route::Items, Route::Towns}) {
            for (const char* how : {"close box", "Escape", "new load", "menu again"}) {
                QTest::addRow("%s, %s", qPrintable(RouteName(route)), how) << route << how;
            }
        }
    }
    // A pick writes nothing; the close box, Escape, a load or the menu entry again drop the picks not saved.
    void leavingDropsPicks()
    {
        QFETCH(Route, route);
        QFETCH(QString, how);
        D d(locationBytes());
        QVERIFY(d.showAndLoad());
        QPointer<QDialog> window = Open(d, route);
        QVERIFY(window);
        QCOMPARE(window->parentWidget(), &d.window);
        pick(d, window, 0, 99, 150);
        QCOMPARE(shown(window, 0), QStringLiteral("(150, 099)5"));
        if (how == u"close box") {
            window->close();
        } else if (how == u"Escape") {
            QTest::keyClick(window, Qt::Key_Escape);
        } else {
            D::click(window, QStringLiteral("cmdLocation_1"));  // shown again by the pick, now active
            QCOMPARE(QApplication::activeWindow(), &d.window);
            if (how == u"menu again") {
                QCOMPARE(Open(d, route), window.data());
            } else {
                d.platform.openAnswers << Fixtures::WriteFile(d.dir, QStringLiteral("second.nes"), d.original);
                d.action("mnuFileLoad")->trigger();
            }
        }
        D::deleteClosed();
        QCOMPARE(Fixtures::ReadAll(d.path), d.original);
        if (how != u"menu again") {
            QVERIFY(!d.session.picker().isWaiting());
            window = Open(d, route);
            QVERIFY(window);
        }
        QCOMPARE(shown(window, 0), QStringLiteral("(071, 012)3"));
    }

    // The program's own modal display: the window leaves its loop when it hides
    // for a pick and must still be there, waiting, when the map hands the pick over.
    void pickInsideModalLoops()
    {
        SessionDriver s(locationBytes());
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
};

QTEST_MAIN(tst_GameWindows)
#include "tst_GameWindows.moc"
