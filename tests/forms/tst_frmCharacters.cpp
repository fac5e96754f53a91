#include "Fixtures.h"
#include "MainWindowDriver.h"
#include "frmCharacters.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

// The characters window, opened through the main window on real files: the
// panels, what is shown, what one save writes, and that nothing is written
// when it must not be.
class tst_frmCharacters : public QObject {
    Q_OBJECT

private:
    static frmCharacters* open(MainWindowDriver& d)
    {
        if (!d.load()) {
            return nullptr;
        }
        d.window.mnuCharacters_Click();
        return d.window.findChild<frmCharacters*>();
    }
    template <typename T = QWidget>
    static T* child(QWidget* window, const QString& name) { return window->findChild<T*>(name); }
    static QString text(QWidget* window, const QString& name) { return child<QLineEdit>(window, name)->text(); }
    static void click(QWidget* window, const QString& name)
    {
        QTest::mouseClick(child<QAbstractButton>(window, name), Qt::LeftButton);
    }
    static void type(QWidget* window, const QString& name, const QString& typed)
    {
        auto* edit = child<QLineEdit>(window, name);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, typed);
    }
    static QList<int> panelsInView(QWidget* window)
    {
        QList<int> shown;
        for (int i = 0; i < 9; ++i) {
            if (child(window, QStringLiteral("frmChara_%1").arg(i))->isVisibleTo(window)) {
                shown << i;
            }
        }
        return shown;
    }

private slots:
    void layoutAndPortraits();
    void panelsSwitch();
    void saveUnchangedKeepsFile_data();
    void saveUnchangedKeepsFile();
    void chosenEquipment_data();
    void chosenEquipment();
    void editsOfSeveralPanelsSavedTogether();
    void rejectedSaveWritesNothing_data();
    void rejectedSaveWritesNothing();
    void closeBoxWritesNothing();
    void unreadableFileOpensNothing();
    void failedSaveKeepsWindow();
};

void tst_frmCharacters::layoutAndPortraits()
{
    MainWindowDriver d;
    frmCharacters* window = open(d);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("Characters Data"));
    QCOMPARE(window->size(), QSize(233, 370));
    QVERIFY(window->isModal());
    const QList<QPair<const char*, QRect>> places{
        {"frmChara_8", {8, 8, 217, 209}}, {"txtLevel_2", {48, 24, 41, 17}}, {"txtExp_3", {136, 48, 65, 17}},
        {"txtDEX_7", {184, 96, 25, 17}},  {"cboEquip2_0", {64, 176, 145, 21}}, {"txtHerbs_6", {64, 168, 33, 21}},
        {"txtHerbs_7", {168, 24, 33, 21}}, {"optChara_3", {184, 224, 41, 41}}, {"optChara_4", {8, 272, 41, 41}},
        {"optChara_8", {8, 320, 41, 41}}, {"cmdSave", {144, 344, 81, 19}}};
    for (const auto& [name, rect] : places) {
        QCOMPARE(child(window, QLatin1String(name))->geometry(), rect);
    }
    const QStringList captions{"Mage", "Bard", "Fighter", "Druid", "Tinker", "Paladn", "Rangr", "Sphrd", "Herbs"};
    const QList<QSize> sizes{{16, 16}, {12, 16}, {14, 16}, {16, 16}, {16, 15}, {14, 16}, {16, 16}, {16, 16}, {16, 16}};
    for (int i = 0; i < 9; ++i) {
        auto* button = child<QToolButton>(window, QStringLiteral("optChara_%1").arg(i));
        QCOMPARE(button->text(), captions[i]);
        QCOMPARE(button->icon().availableSizes(), QList<QSize>{sizes[i]});
    }
}

void tst_frmCharacters::panelsSwitch()
{
    QByteArray bytes = Fixtures::Pattern(262160);
    bytes[0x355EE] = '\x10';
    Fixtures::Put16(bytes, 0x355F7, 300);
    MainWindowDriver d(bytes);
    frmCharacters* window = open(d);
    QVERIFY(window);
    QCOMPARE(panelsInView(window), QList<int>{0});
    QVERIFY(child<QToolButton>(window, "optChara_0")->isChecked());
    click(window, "optChara_1");
    QCOMPARE(panelsInView(window), QList<int>{1});
    QCOMPARE(child<QGroupBox>(window, "frmChara_1")->title(), QStringLiteral("Bard"));
    QCOMPARE(text(window, "txtLevel_1"), QStringLiteral("16"));
    QCOMPARE(text(window, "txtHP_1"), QStringLiteral("300"));
    click(window, "optChara_8");
    QCOMPARE(panelsInView(window), QList<int>{8});
    QVERIFY(!child<QToolButton>(window, "optChara_1")->isChecked());
}

void tst_frmCharacters::saveUnchangedKeepsFile_data()
{
    QTest::addColumn<int>("hp");     // the Mage's
    QTest::addColumn<int>("equip");  // the Mage's first
    QTest::addColumn<QString>("shownHp");
    QTest::addColumn<QString>("shownEquip");
    QTest::newRow("0x9C40 hit points") << 0x9C40 << 129 << "-25536" << "129-Sling";
    QTest::newRow("code 128") << 12 << 128 << "12" << "128-Unknown";
    QTest::newRow("code 200") << 32767 << 200 << "32767" << "200-Unknown";
    QTest::newRow("code 0") << 0 << 0 << "0" << "000-Unknown";
}

void tst_frmCharacters::saveUnchangedKeepsFile()
{
    QFETCH(int, hp);
    QFETCH(int, equip);
    QFETCH(QString, shownHp);
    QFETCH(QString, shownEquip);
    // The pattern puts random codes, mostly without an item, in the other lists.
    QByteArray bytes = Fixtures::Pattern(262160, static_cast<quint32>(hp));
    Fixtures::Put16(bytes, 0x355F5, static_cast<quint16>(hp));
    bytes[0x3563D] = static_cast<char>(equip);
    MainWindowDriver d(bytes);
    QPointer<frmCharacters> window = open(d);
    QVERIFY(window);
    QCOMPARE(text(window, "txtHP_0"), shownHp);
    QCOMPARE(child<QComboBox>(window, "cboEquip1_0")->currentText(), shownEquip);
    click(window, "cmdSave");
    QVERIFY(d.platform.messages.isEmpty());
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(d.path), bytes), QList<qint64>());
    QTRY_VERIFY(window.isNull());
}

void tst_frmCharacters::chosenEquipment_data()
{
    QTest::addColumn<int>("classIndex");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");  // keyboard search in the closed list
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("offset");
    QTest::newRow("Bard X-Bow") << 1 << "cboEquip1_1" << "131" << "131-X-Bow" << 0x3563F;
    QTest::newRow("Sepherd @ Armor") << 7 << "cboEquip2_7" << "153" << "153-@ Armor" << 0x3564C;
}

void tst_frmCharacters::chosenEquipment()
{
    QFETCH(int, classIndex);
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, chosen);
    QFETCH(int, offset);
    QByteArray bytes = Fixtures::Pattern(262160);
    bytes[offset] = '\x90';  // "144-Cloth"
    MainWindowDriver d(bytes);
    frmCharacters* window = open(d);
    QVERIFY(window);
    click(window, QStringLiteral("optChara_%1").arg(classIndex));
    auto* list = child<QComboBox>(window, name);
    QCOMPARE(list->count(), 25);
    list->setFocus();
    QTest::keyClicks(list, typed);
    QCOMPARE(list->currentText(), chosen);
    click(window, "cmdSave");
    bytes[offset] = static_cast<char>(typed.toInt());
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(d.path), bytes), QList<qint64>());
}

void tst_frmCharacters::editsOfSeveralPanelsSavedTogether()
{
    MainWindowDriver d;
    frmCharacters* window = open(d);
    QVERIFY(window);
    click(window, "optChara_1");
    type(window, "txtLevel_1", "205");  // two characters are taken
    click(window, "optChara_6");
    type(window, "txtHP_6", "-2");
    type(window, "txtExp_6", "123456");  // four
    click(window, "optChara_8");
    type(window, "txtHerbs_7", "42");
    click(window, "optChara_1");
    QCOMPARE(text(window, "txtLevel_1"), QStringLiteral("20"));
    QCOMPARE(text(window, "txtExp_6"), QStringLiteral("1234"));
    QCOMPARE(text(window, "txtHerbs_7"), QStringLiteral("42"));
    click(window, "cmdSave");
    QVERIFY(d.platform.messages.isEmpty());
    QByteArray expected = d.original;
    expected[0x355EE] = 20;
    Fixtures::Put16(expected, 0x355F5 + 12, 0xFFFE);
    Fixtures::Put16(expected, 0x35625 + 12, 1234);
    expected[0x3563C] = 42;
    QCOMPARE(Fixtures::Differences(Fixtures::ReadAll(d.path), expected), QList<qint64>());
}

void tst_frmCharacters::rejectedSaveWritesNothing_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("level -1") << 1 << "txtLevel_1" << "-1" << "Level: of the Bard must be a whole number from 0 to 255.";
    QTest::newRow("hp 9E99") << 5 << "txtHP_5" << "9E99"
                             << "Hp: of the Paladin must be a whole number from -32768 to 32767.";
    QTest::newRow("exp -9E9") << 7 << "txtExp_7" << "-9E9"
                              << "Exp: of the Sepherd must be a whole number from -32768 to 32767.";
    QTest::newRow("herb -1") << 8 << "txtHerbs_6" << "-1"
                             << "Fungus: of the starting herbs must be a whole number from 0 to 255.";
}

void tst_frmCharacters::rejectedSaveWritesNothing()
{
    QFETCH(int, panel);
    QFETCH(QString, name);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    MainWindowDriver d;
    QPointer<frmCharacters> window = open(d);
    QVERIFY(window);
    click(window, QStringLiteral("optChara_%1").arg(panel));
    type(window, name, typed);
    click(window, "optChara_2");
    type(window, "txtLevel_2", "7");
    click(window, "cmdSave");
    QCOMPARE(d.platform.messages.size(), 1);
    QCOMPARE(d.platform.messages[0].title, QStringLiteral("Value out of range"));
    QCOMPARE(d.platform.messages[0].text, message);
    QCOMPARE(Fixtures::ReadAll(d.path), d.original);
    QTest::qWait(0);
    QVERIFY(window && window->isVisible());
    // The offending box is brought into view with the focus; every edit stays.
    QCOMPARE(panelsInView(window), QList<int>{panel});
    QCOMPARE(window->focusWidget(), child(window, name));
    QCOMPARE(text(window, name), typed);
    QCOMPARE(text(window, "txtLevel_2"), QStringLiteral("7"));
}

void tst_frmCharacters::closeBoxWritesNothing()
{
    QByteArray bytes = Fixtures::Pattern(262160);
    bytes[0x355ED] = 3;
    MainWindowDriver d(bytes);
    QPointer<frmCharacters> window = open(d);
    QVERIFY(window);
    type(window, "txtLevel_0", "9");
    click(window, "optChara_4");
    window->close();
    QTRY_VERIFY(window.isNull());
    QCOMPARE(Fixtures::ReadAll(d.path), bytes);
    d.window.mnuCharacters_Click();
    window = d.window.findChild<frmCharacters*>();
    QVERIFY(window);
    QCOMPARE(text(window, "txtLevel_0"), QStringLiteral("3"));
    QCOMPARE(panelsInView(window), QList<int>{0});
}

void tst_frmCharacters::unreadableFileOpensNothing()
{
    MainWindowDriver d;
    QVERIFY(d.load());
    const QByteArray shortened = Fixtures::Pattern(218700);
    Fixtures::WriteFile(d.dir, QStringLiteral("cart.nes"), shortened);
    d.window.mnuCharacters_Click();
    QTest::qWait(0);
    QVERIFY(!d.window.findChild<frmCharacters*>());
    QVERIFY(d.platform.modals.isEmpty());
    QCOMPARE(d.platform.messages.size(), 1);
    const QString message = d.platform.messages[0].text;
    QVERIFY2(message.contains(d.path) && message.contains(QStringLiteral("218701")), qPrintable(message));
    QCOMPARE(Fixtures::ReadAll(d.path), shortened);
}

void tst_frmCharacters::failedSaveKeepsWindow()
{
    MainWindowDriver d;
    QPointer<frmCharacters> window = open(d);
    QVERIFY(window);
    type(window, "txtMp_0", "5");
    QVERIFY(QFile::remove(d.path));
    click(window, "cmdSave");
    QCOMPARE(d.platform.messages.size(), 1);
    QVERIFY2(d.platform.messages[0].text.contains(QStringLiteral("does not exist")),
             qPrintable(d.platform.messages[0].text));
    QVERIFY(!QFile::exists(d.path));
    QTest::qWait(0);
    QVERIFY(window && window->isVisible());
    QCOMPARE(text(window, "txtMp_0"), QStringLiteral("5"));
}

QTEST_MAIN(tst_frmCharacters)
#include "tst_frmCharacters.moc"
