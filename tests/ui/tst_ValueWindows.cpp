#include "Fixtures.h"
#include "WindowSteps.h"

#include <QPointer>
#include <QToolButton>
#include <QtTest>

namespace {

using D = MainWindowDriver;

using namespace WindowSteps;

Route route(const QString& window)
{
    return window == QLatin1String("prices") ? Route::Prices : Route::Characters;
}

// The offset of a box, from the independent offsets table.
qint64 offsetOf(const QString& window, const QString& name)
{
    for (const Box& box : Boxes(route(window))) {
        if (box.name == name) {
            return box.offset;
        }
    }
    return -1;
}

QList<int> panelsInView(QWidget* window)
{
    QList<int> shown;
    for (int i = 0; i < 9; ++i) {
        if (window->findChild<QWidget*>(QStringLiteral("frmChara_%1").arg(i))->isVisibleTo(window)) {
            shown << i;
        }
    }
    return shown;
}

}  // namespace

// The prices and characters windows, opened through the main window on real
// files: what only the windows do. Every box's offset is read and written
// back by tst_Robustness.
class tst_ValueWindows : public QObject {
    Q_OBJECT

private slots:
    void panelsAndPortraits();
    void edits_data();
    void edits();
};

// Panel 0 in view at opening, one at a time; each portrait at its own size.
void tst_ValueWindows::panelsAndPortraits()
{
    D d;
    QVERIFY(d.load());
    QDialog* window = Open(d, Route::Characters);
    QVERIFY(window);
    QCOMPARE(panelsInView(window), QList<int>{0});
    D::click(window, "optChara_8");
    QCOMPARE(panelsInView(window), QList<int>{8});
    QVERIFY(!window->findChild<QToolButton*>("optChara_0")->isChecked());
    const QList<QSize> sizes{{16, 16}, {12, 16}, {14, 16}, {16, 16}, {16, 15}, {14, 16}, {16, 16}, {16, 16}, {16, 16}};
    for (int i = 0; i < 9; ++i) {
        const QIcon icon = window->findChild<QToolButton*>(QStringLiteral("optChara_%1").arg(i))->icon();
        QCOMPARE(icon.availableSizes(), QList<QSize>{sizes[i]});
    }
}

void tst_ValueWindows::edits_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("written");  // empty, and no message: closed by the close box instead
    QTest::addColumn<QString>("message");  // the save is refused with this text
    QTest::addColumn<bool>("comma");  // typed on a desktop whose decimal separator is a comma
    const auto add = [](const char* row, const char* window, const char* name, const QByteArray& stored,
                        const char* shown, const char* typed, const QByteArray& written, const char* message = "",
                        bool comma = false) {
        QTest::newRow(row) << QString(window) << QString(name) << stored << QString(shown) << QString(typed) << written
                           << QString(message) << comma;
    };
    const QByteArray e803("\xE8\x03", 2), c409("\x40\x9C", 2), d204("\xD2\x04", 2);
    // Every legal value can be typed, and no more characters than it takes.
    add("Oil, 32767", "prices", "txtItem_3", e803, "1000", "32767", "\xFF\x7F");
    add("Moss, three typed", "prices", "txtHerbs_4", "\x05", "5", "1234", "\x7B");
    add("starting Moss, three typed", "characters", "txtHerbs_4", "\x05", "5", "2550", "\xFF");
    add("Bard level, three typed", "characters", "txtLevel_1", "\x10", "16", "2050", "\xCD");
    add("Ranger exp, -32768", "characters", "txtExp_6", c409, "-25536", "-327689", QByteArray("\x00\x80", 2));
    add("3.5 on a decimal-comma desktop", "prices", "txtItem_17", e803, "1000", "3.5", QByteArray("\x04\x00", 2), "",
        true);
    add("prices, close box", "prices", "txtItem_0", QByteArray("\x03\x00", 2), "3", "42", {});
    add("characters, close box", "characters", "txtLevel_0", "\x03", "3", "42", {});
    add("item 9E99", "prices", "txtItem_3", e803, "1000", "9E99", {},
        "The price of Oil must be a whole number from -32768 to 32767.");
    add("herb -1", "prices", "txtHerbs_2", "\x05", "5", "-1", {},
        "The price of Garlic must be a whole number from 0 to 255.");
    add("level -1", "characters", "txtLevel_1", "\x10", "16", "-1", {},
        "The Bard's level must be a whole number from 0 to 255.");
    add("hp 9E99", "characters", "txtHP_5", c409, "-25536", "9E99", {},
        "The Paladin's hit points must be a whole number from -32768 to 32767.");
    add("a letter in a price", "prices", "txtItem_0", e803, "1000", "x", {},
        "The price of Torch must be a whole number from -32768 to 32767.");
    add("ab in Mage level", "characters", "txtLevel_0", "\x10", "16", "ab", {},
        "The Mage's level must be a whole number from 0 to 255.");
    add("herb -1 of the class table", "characters", "txtHerbs_6", "\x05", "5", "-1", {},
        "The party's starting Fungus must be a whole number from 0 to 255.");
}

// What a box shows of its bytes, what a user types into it (as many
// characters as it takes) and what a save makes of that: exactly those bytes
// written; or, out of range, a message, nothing written and the window open
// with the box's text, its panel in view and the focus. The close box writes
// nothing, and the next opening shows the file again.
void tst_ValueWindows::edits()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QByteArray, stored);
    QFETCH(QString, typed);
    QFETCH(QByteArray, written);
    QFETCH(QString, message);
    QFETCH(bool, comma);
    QTemporaryDir locale;
    QString why;
    if (comma && !TestLocale::UseDecimalComma(locale, &why)) {
        QSKIP(qPrintable(why));
    }
    const qint64 offset = offsetOf(window, name);
    QByteArray bytes = Fixtures::Pattern(262160, static_cast<quint32>(offset));
    bytes.replace(offset, stored.size(), stored);
    D d(bytes);
    QVERIFY(d.load());
    QPointer<QDialog> w = Open(d, route(window));
    QVERIFY(w);
    QTEST(D::textOf(w, name), "shown");
    Type(w, name, typed);
    if (window == QLatin1String("characters")) {
        D::click(w, "optChara_4");  // another panel in view
    }
    if (written.isEmpty() && message.isEmpty()) {
        w->close();
    } else {
        D::click(w, "cmdSave");
    }
    TestLocale::PinC();
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
    bytes.replace(offset, written.size(), written);
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(d.path), bytes), QList<qint64>());
    if (written.isEmpty()) {
        w = Open(d, route(window));
        QVERIFY(w);
        QTEST(D::textOf(w, name), "shown");
    }
}

QTEST_MAIN(tst_ValueWindows)
#include "tst_ValueWindows.moc"
