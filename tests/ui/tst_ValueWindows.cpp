#include "Fixtures.h"
#include "WindowSteps.h"

#include <QGroupBox>
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

// Brings the panel holding `name` into view (characters window) and types.
void reveal(QWidget* window, const QString& name)
{
    auto* panel = qobject_cast<QGroupBox*>(window->findChild<QWidget*>(name)->parentWidget());
    if (panel && !panel->isVisible()) {
        D::click(window, QStringLiteral("optChara_") + panel->objectName().section(u'_', 1));
    }
}
void type(QWidget* window, const QString& name, const QString& text)
{
    reveal(window, name);
    D::type(window, name, text);
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
// files: what is shown, what a save writes, and that nothing is written when
// it must not be.
class tst_ValueWindows : public QObject {
    Q_OBJECT

private slots:
    void panelsAndPortraits();
    void everyFieldReadAndWritten_data();
    void everyFieldReadAndWritten();
    void texts_data();
    void texts();
    void rejectedSaveWritesNothing_data();
    void rejectedSaveWritesNothing();
    void savedAlikeOnADecimalCommaDesktop();
};

// Panel 0 in view at opening, one at a time; each portrait at its own size.
void tst_ValueWindows::panelsAndPortraits()
{
    D d;
    QVERIFY(d.load());
    QDialog* window = d.open(&frmMain::mnuCharacters_Click);
    QVERIFY(window);
    QCOMPARE(panelsInView(window), QList<int>{0});
    D::click(window, "optChara_1");
    QCOMPARE(panelsInView(window), QList<int>{1});
    D::click(window, "optChara_8");
    QCOMPARE(panelsInView(window), QList<int>{8});
    QVERIFY(!window->findChild<QToolButton*>("optChara_1")->isChecked());
    const QList<QSize> sizes{{16, 16}, {12, 16}, {14, 16}, {16, 16}, {16, 15}, {14, 16}, {16, 16}, {16, 16}, {16, 16}};
    for (int i = 0; i < 9; ++i) {
        const QIcon icon = window->findChild<QToolButton*>(QStringLiteral("optChara_%1").arg(i))->icon();
        QCOMPARE(icon.availableSizes(), QList<QSize>{sizes[i]});
    }
}

void tst_ValueWindows::everyFieldReadAndWritten_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("prices") << "prices";
    QTest::newRow("characters") << "characters";
}

// Every field shows its own bytes; a new value typed into every field (across
// every panel) lands in exactly its bytes with one save, and nothing else moves.
void tst_ValueWindows::everyFieldReadAndWritten()
{
    QFETCH(QString, window);
    const QList<Box> fields = Boxes(route(window));
    QByteArray bytes = Fixtures::Pattern(262160, 8);
    QByteArray expected = bytes;
    QList<QString> shown, typed;
    for (int k = 0; k < fields.size(); ++k) {
        const Box& f = fields[k];
        if (f.isList()) {
            bytes[f.offset] = static_cast<char>(129 + k % 25);
            expected[f.offset] = static_cast<char>(129 + (k + 7) % 25);
            shown << QString::number(129 + k % 25);
            typed << QString::number(129 + (k + 7) % 25);
        } else if (f.width == 2) {
            Fixtures::Put16(bytes, f.offset, static_cast<quint16>(611 * k - 20000));
            Fixtures::Put16(expected, f.offset, static_cast<quint16>(13 * k - 900));
            shown << QString::number(611 * k - 20000);
            typed << QString::number(13 * k - 900);
        } else {
            bytes[f.offset] = static_cast<char>(37 * k % 256);
            expected[f.offset] = static_cast<char>(k % 100);
            shown << QString::number(37 * k % 256);
            typed << QString::number(k % 100);
        }
    }
    D d(bytes);
    QVERIFY(d.load());
    QPointer<QDialog> w = Open(d, route(window));
    QVERIFY(w);
    // A list's text starts with its code in three digits.
    const auto text = [&w](const QString& name) {
        return name.startsWith(QLatin1String("cbo")) ? D::textOf(w, name).left(3) : D::textOf(w, name);
    };
    for (int k = 0; k < fields.size(); ++k) {
        QCOMPARE(text(fields[k].name), shown[k]);
        type(w, fields[k].name, typed[k]);
    }
    for (int k = 0; k < fields.size(); ++k) {
        QCOMPARE(text(fields[k].name), typed[k]);
    }
    D::click(w, "cmdSave");
    QVERIFY(d.platform.messages.isEmpty());
    QTRY_VERIFY(w.isNull());
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(d.path), expected), QList<qint64>());
}

void tst_ValueWindows::texts_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed");  // null: saved as shown
    QTest::addColumn<QByteArray>("written");  // empty: closed by the close box instead
    const QByteArray e803("\xE8\x03", 2), c409("\x40\x9C", 2);
    QTest::newRow("Oil, four typed") << "prices"
                                     << "txtItem_3" << e803 << "1000"
                                     << "123456" << QByteArray("\xD2\x04", 2);
    QTest::newRow("Moss, two typed") << "prices"
                                     << "txtHerbs_4" << QByteArray("\x05") << "5"
                                     << "1234" << QByteArray("\x0C");
    QTest::newRow("Bard level, two typed") << "characters"
                                           << "txtLevel_1" << QByteArray("\x10") << "16"
                                           << "205" << QByteArray("\x14");
    QTest::newRow("Ranger exp, four typed") << "characters"
                                            << "txtExp_6" << c409 << "-25536"
                                            << "123456" << QByteArray("\xD2\x04", 2);
    QTest::newRow("code 128 kept") << "characters"
                                   << "cboEquip1_0" << QByteArray("\x80") << "128-Unknown" << QString()
                                   << QByteArray("\x80");
    QTest::newRow("code 200 kept") << "characters"
                                   << "cboEquip2_3" << QByteArray("\xC8") << "200-Unknown" << QString()
                                   << QByteArray("\xC8");
    QTest::newRow("prices, close box") << "prices"
                                       << "txtItem_0" << QByteArray("\x03\x00", 2) << "3"
                                       << "42" << QByteArray();
    QTest::newRow("characters, close box, another panel in view") << "characters"
                                                                  << "txtLevel_0" << QByteArray("\x03") << "3"
                                                                  << "42" << QByteArray();
}

// The texts users see and type, and the bytes a save makes of them; the other
// bytes (random, so mostly codes without an item in the other lists) stay.
// Closing by the close box writes nothing; the next opening shows the file
// again, with the first panel in view.
void tst_ValueWindows::texts()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(QByteArray, stored);
    const qint64 offset = offsetOf(window, name);
    QFETCH(QString, typed);
    QFETCH(QByteArray, written);
    QByteArray bytes = Fixtures::Pattern(262160, static_cast<quint32>(offset));
    bytes.replace(offset, stored.size(), stored);
    D d(bytes);
    QVERIFY(d.load());
    QPointer<QDialog> w = Open(d, route(window));
    QVERIFY(w);
    QTEST(D::textOf(w, name), "shown");
    if (!typed.isNull()) {
        type(w, name, typed);
    }
    if (written.isEmpty()) {
        if (window == QLatin1String("characters")) {
            D::click(w, "optChara_4");
        }
        w->close();
    } else {
        D::click(w, "cmdSave");
    }
    QVERIFY(d.platform.messages.isEmpty());
    QTRY_VERIFY(w.isNull());
    bytes.replace(offset, written.size(), written);
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(d.path), bytes), QList<qint64>());
    if (written.isEmpty()) {
        w = Open(d, route(window));
        QVERIFY(w);
        QTEST(D::textOf(w, name), "shown");
        QVERIFY(w->findChild<QWidget*>(name)->isVisible());
    }
}

void tst_ValueWindows::rejectedSaveWritesNothing_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("edits");  // box=text
    QTest::addColumn<QString>("offending");
    QTest::addColumn<QString>("message");
    QTest::newRow("item 9E99") << "prices" << QStringList{"txtItem_3=9E99"} << "txtItem_3"
                               << "The price of Oil must be a whole number from -32768 to 32767.";
    QTest::newRow("herb -1") << "prices" << QStringList{"txtHerbs_2=-1"} << "txtHerbs_2"
                             << "The price of Garlic must be a whole number from 0 to 255.";
    QTest::newRow("level -1") << "characters" << QStringList{"txtLevel_1=-1", "txtLevel_2=7"} << "txtLevel_1"
                              << "The Bard's level must be a whole number from 0 to 255.";
    QTest::newRow("hp 9E99") << "characters" << QStringList{"txtHP_5=9E99", "txtLevel_2=7"} << "txtHP_5"
                             << "The Paladin's hit points must be a whole number from -32768 to 32767.";
    QTest::newRow("herb -1 of the class table")
        << "characters" << QStringList{"txtHerbs_6=-1", "txtLevel_2=7"} << "txtHerbs_6"
        << "The party's starting Fungus must be a whole number from 0 to 255.";
}

// Nothing written, the window open with every edit, the first offending box
// in view with the focus.
void tst_ValueWindows::rejectedSaveWritesNothing()
{
    QFETCH(QString, window);
    QFETCH(QStringList, edits);
    QFETCH(QString, offending);
    QFETCH(QString, message);
    D d;
    QVERIFY(d.load());
    QPointer<QDialog> w = Open(d, route(window));
    QVERIFY(w);
    for (const QString& edit : edits) {
        type(w, edit.section(u'=', 0, 0), edit.section(u'=', 1));
    }
    D::click(w, "cmdSave");
    QCOMPARE(d.platform.messages.size(), 1);
    QCOMPARE(d.platform.messages[0].title, QStringLiteral("Value out of range"));
    QCOMPARE(d.platform.messages[0].text, message);
    QCOMPARE(Fixtures::ReadAll(d.path), d.original);
    QTest::qWait(0);
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->focusWidget(), w->findChild<QWidget*>(offending));
    QVERIFY(w->focusWidget()->isVisible());
    for (const QString& edit : edits) {
        QCOMPARE(D::textOf(w, edit.section(u'=', 0, 0)), edit.section(u'=', 1));
    }
}

// "3.5" typed on a German desktop is 3.5, saved as 4, as on any other.
void tst_ValueWindows::savedAlikeOnADecimalCommaDesktop()
{
    QTemporaryDir locale;
    QString why;
    if (!TestLocale::UseDecimalComma(locale, &why)) {
        QSKIP(qPrintable(why));
    }
    D d;
    QVERIFY(d.load());
    QPointer<QDialog> w = Open(d, Route::Prices);
    QVERIFY(w);
    type(w, QStringLiteral("txtItem_17"), QStringLiteral("3.5"));
    type(w, QStringLiteral("txtItem_0"), QStringLiteral("2.75"));
    D::click(w, QStringLiteral("cmdSave"));
    TestLocale::PinC();
    QVERIFY(d.platform.messages.isEmpty());
    QByteArray expected = d.original;
    Fixtures::Put16(expected, offsetOf("prices", "txtItem_17"), 4);
    Fixtures::Put16(expected, offsetOf("prices", "txtItem_0"), 3);
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(d.path), expected), QList<qint64>());
}

QTEST_MAIN(tst_ValueWindows)
#include "tst_ValueWindows.moc"
