#include "Fixtures.h"
#include "MainWindowDriver.h"

#include <QGroupBox>
#include <QPointer>
#include <QToolButton>
#include <QtTest>

namespace {

using D = MainWindowDriver;

// One number box or drop-down list and the bytes it stands for.
struct Field {
    QString name;
    qint64 offset;
    int width;  // bytes; a drop-down list takes one
};

// Every field of the prices window: three runs of 16-bit prices with gaps
// between them, then six herb bytes.
QList<Field> priceFields()
{
    QList<Field> fields;
    for (int i = 0; i < 25; ++i) {
        fields.append({QStringLiteral("txtItem_%1").arg(i), 3847 + 2 * i + (i >= 9 ? 2 : 0) + (i >= 17 ? 4 : 0), 2});
    }
    for (int h = 0; h < 6; ++h) {
        fields.append({QStringLiteral("txtHerbs_%1").arg(h), 3907 + h, 1});
    }
    return fields;
}

// Every field of the characters window: the 96 bytes from 0x355ED, one array
// of eight per field.
QList<Field> classFields()
{
    const QList<Field> arrays{{"txtLevel", 0x355ED, 1}, {"txtHP", 0x355F5, 2}, {"txtMp", 0x35605, 1},
                              {"txtStr", 0x3560D, 1},   {"txtINT", 0x35615, 1}, {"txtDEX", 0x3561D, 1},
                              {"txtExp", 0x35625, 2},   {"txtHerbs", 0x35635, 1}};
    QList<Field> fields;
    for (int c = 0; c < 8; ++c) {
        for (const Field& a : arrays) {
            fields.append({a.name + QStringLiteral("_%1").arg(c), a.offset + a.width * c, a.width});
        }
        fields.append({QStringLiteral("cboEquip1_%1").arg(c), 0x3563D + 2 * c, 1});
        fields.append({QStringLiteral("cboEquip2_%1").arg(c), 0x3563E + 2 * c, 1});
    }
    return fields;
}

using Menu = void (frmMain::*)();
Menu menu(const QString& window)
{
    return window == QLatin1String("prices") ? &frmMain::mnuGamePriceItems_Click : &frmMain::mnuCharacters_Click;
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

} // namespace

// The prices and characters windows, opened through the main window on real
// files: what is shown, what a save writes, and that nothing is written when
// it must not be.
class tst_ValueWindows : public QObject {
    Q_OBJECT

private slots:
    void window_data();
    void window();
    void panelsAndPortraits();
    void everyFieldReadAndWritten_data();
    void everyFieldReadAndWritten();
    void texts_data();
    void texts();
    void rejectedSaveWritesNothing_data();
    void rejectedSaveWritesNothing();
    void closeBoxWritesNothing_data();
    void closeBoxWritesNothing();
};

// Title, fixed client size, modal, and three controls that prove the twips became pixels.
void tst_ValueWindows::window_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QStringList>("controls");
    QTest::addColumn<QList<QRect>>("places");
    QTest::newRow("prices") << "prices" << "Prices of Items" << QSize(310, 441)
                            << QStringList{"txtItem_15", "txtHerbs_5", "cmdSave"}
                            << QList<QRect>{{232, 40, 65, 17}, {232, 408, 65, 17}, {8, 416, 81, 19}};
    QTest::newRow("characters") << "characters" << "Characters Data" << QSize(233, 370)
                                << QStringList{"frmChara_8", "txtExp_3", "optChara_4"}
                                << QList<QRect>{{8, 8, 217, 209}, {136, 48, 65, 17}, {8, 272, 41, 41}};
}

void tst_ValueWindows::window()
{
    QFETCH(QString, window);
    QFETCH(QStringList, controls);
    QFETCH(QList<QRect>, places);
    D d;
    QVERIFY(d.load());
    QDialog* shown = d.open(menu(window));
    QVERIFY(shown);
    QTEST(shown->windowTitle(), "title");
    QTEST(shown->size(), "size");
    QCOMPARE(shown->minimumSize(), shown->maximumSize());
    QVERIFY(shown->isModal());
    for (int i = 0; i < controls.size(); ++i) {
        QCOMPARE(shown->findChild<QWidget*>(controls[i])->geometry(), places[i]);
    }
}

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
    QCOMPARE(window->findChild<QGroupBox*>("frmChara_1")->title(), QStringLiteral("Bard"));
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
    const QList<Field> fields = window == QLatin1String("prices") ? priceFields() : classFields();
    QByteArray bytes = Fixtures::Pattern(262160, 8);
    QByteArray expected = bytes;
    QList<QString> shown, typed;
    for (int k = 0; k < fields.size(); ++k) {
        const Field& f = fields[k];
        if (f.name.startsWith(QLatin1String("cbo"))) {
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
    QPointer<QDialog> w = d.open(menu(window));
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
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed");  // null: saved as shown
    QTest::addColumn<QByteArray>("written");
    const QByteArray e803("\xE8\x03", 2), ffff("\xFF\xFF", 2), one("\x01\x00", 2), c409("\x40\x9C", 2);
    QTest::newRow("Torch 1000") << "prices" << "txtItem_0" << 3847 << e803 << "1000" << QString() << e803;
    QTest::newRow("Gem -1") << "prices" << "txtItem_1" << 3849 << ffff << "-1" << QString() << ffff;
    QTest::newRow("+1 Bow 12ab") << "prices" << "txtItem_8" << 3863 << e803 << "1000" << "12ab" << QByteArray("\x0C\x00", 2);
    QTest::newRow("Staff empty") << "prices" << "txtItem_9" << 3867 << e803 << "1000" << "" << QByteArray("\x00\x00", 2);
    QTest::newRow("Wand 2.5") << "prices" << "txtItem_16" << 3881 << e803 << "1000" << "2.5" << QByteArray("\x02\x00", 2);
    QTest::newRow("Cloth 3.5") << "prices" << "txtItem_17" << 3887 << e803 << "1000" << "3.5" << QByteArray("\x04\x00", 2);
    QTest::newRow("Oil, four typed") << "prices" << "txtItem_3" << 3853 << one << "1" << "123456" << QByteArray("\xD2\x04", 2);
    QTest::newRow("Ash 99") << "prices" << "txtHerbs_0" << 3907 << QByteArray("\x05") << "5" << "99" << QByteArray("\x63");
    QTest::newRow("Moss, two typed") << "prices" << "txtHerbs_4" << 3911 << QByteArray("\x05") << "5" << "1234"
                                     << QByteArray("\x0C");
    QTest::newRow("Bard level 16, two typed") << "characters" << "txtLevel_1" << 0x355EE << QByteArray("\x10") << "16" << "205"
                                           << QByteArray("\x14");
    QTest::newRow("Bard 300 hp") << "characters" << "txtHP_1" << 0x355F7 << QByteArray("\x2C\x01", 2) << "300"
                                 << QString() << QByteArray("\x2C\x01", 2);
    QTest::newRow("Mage 0x9C40 hp") << "characters" << "txtHP_0" << 0x355F5 << c409 << "-25536" << QString() << c409;
    QTest::newRow("Ranger exp, four typed") << "characters" << "txtExp_6" << 0x35631 << c409 << "-25536" << "123456"
                                            << QByteArray("\xD2\x04", 2);
    QTest::newRow("code 128 kept") << "characters" << "cboEquip1_0" << 0x3563D << QByteArray("\x80") << "128-Unknown"
                                   << QString() << QByteArray("\x80");
    QTest::newRow("code 200 kept") << "characters" << "cboEquip2_3" << 0x35644 << QByteArray("\xC8") << "200-Unknown"
                                   << QString() << QByteArray("\xC8");
    QTest::newRow("Bard 131-X-Bow") << "characters" << "cboEquip1_1" << 0x3563F << QByteArray("\x90") << "144-Cloth"
                                    << "131" << QByteArray("\x83");
    QTest::newRow("Sepherd 153-@ Armor") << "characters" << "cboEquip2_7" << 0x3564C << QByteArray("\x90") << "144-Cloth"
                                         << "153" << QByteArray("\x99");
}

// The texts users see and type, and the bytes a save makes of them; the other
// bytes (random, so mostly codes without an item in the other lists) stay.
void tst_ValueWindows::texts()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(int, offset);
    QFETCH(QByteArray, stored);
    QFETCH(QString, typed);
    QFETCH(QByteArray, written);
    QByteArray bytes = Fixtures::Pattern(262160, static_cast<quint32>(offset));
    bytes.replace(offset, stored.size(), stored);
    D d(bytes);
    QVERIFY(d.load());
    QPointer<QDialog> w = d.open(menu(window));
    QVERIFY(w);
    QTEST(D::textOf(w, name), "shown");
    if (!typed.isNull()) {
        type(w, name, typed);
    }
    D::click(w, "cmdSave");
    QVERIFY(d.platform.messages.isEmpty());
    QTRY_VERIFY(w.isNull());
    bytes.replace(offset, written.size(), written);
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(d.path), bytes), QList<qint64>());
}

void tst_ValueWindows::rejectedSaveWritesNothing_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QStringList>("edits");  // box=text
    QTest::addColumn<QString>("offending");
    QTest::addColumn<QString>("message");
    QTest::newRow("item 9E99") << "prices" << QStringList{"txtItem_3=9E99"} << "txtItem_3"
                               << "Oil: must be a whole number from -32768 to 32767.";
    QTest::newRow("herb -1") << "prices" << QStringList{"txtHerbs_2=-1"} << "txtHerbs_2"
                             << "Garlic: must be a whole number from 0 to 255.";
    QTest::newRow("first of two") << "prices" << QStringList{"txtItem_0=55", "txtHerbs_4=-3", "txtItem_20=1E6"}
                                  << "txtItem_20" << "Ring: must be a whole number from -32768 to 32767.";
    QTest::newRow("level -1") << "characters" << QStringList{"txtLevel_1=-1", "txtLevel_2=7"} << "txtLevel_1"
                              << "Level: of the Bard must be a whole number from 0 to 255.";
    QTest::newRow("hp 9E99") << "characters" << QStringList{"txtHP_5=9E99", "txtLevel_2=7"} << "txtHP_5"
                             << "Hp: of the Paladin must be a whole number from -32768 to 32767.";
    QTest::newRow("exp -9E9") << "characters" << QStringList{"txtExp_7=-9E9", "txtLevel_2=7"} << "txtExp_7"
                              << "Exp: of the Sepherd must be a whole number from -32768 to 32767.";
    QTest::newRow("herb -1 of the class table") << "characters" << QStringList{"txtHerbs_6=-1", "txtLevel_2=7"}
                                                << "txtHerbs_6"
                                                << "Fungus: of the starting herbs must be a whole number from 0 to 255.";
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
    QPointer<QDialog> w = d.open(menu(window));
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

void tst_ValueWindows::closeBoxWritesNothing_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("offset");
    QTest::newRow("prices") << "prices" << "txtItem_0" << 3847;
    QTest::newRow("characters, another panel in view") << "characters" << "txtLevel_0" << 0x355ED;
}

// Closing by the close box writes nothing; the next opening shows the file again.
void tst_ValueWindows::closeBoxWritesNothing()
{
    QFETCH(QString, window);
    QFETCH(QString, name);
    QFETCH(int, offset);
    QByteArray bytes = Fixtures::Pattern(262160);
    bytes[offset] = 3;
    bytes[offset + 1] = 0;
    D d(bytes);
    QVERIFY(d.load());
    QPointer<QDialog> w = d.open(menu(window));
    QVERIFY(w);
    type(w, name, "42");
    if (window == QLatin1String("characters")) {
        D::click(w, "optChara_4");
    }
    w->close();
    QTRY_VERIFY(w.isNull());
    QCOMPARE(Fixtures::ReadAll(d.path), bytes);
    w = d.open(menu(window));
    QVERIFY(w);
    QCOMPARE(D::textOf(w, name), QStringLiteral("3"));
    QCOMPARE(w->findChild<QWidget*>(name)->isVisible(), true);
}

QTEST_MAIN(tst_ValueWindows)
#include "tst_ValueWindows.moc"
