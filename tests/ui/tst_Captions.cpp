#include "Fixtures.h"
#include "WindowSteps.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QtTest>

#include <memory>

using namespace WindowSteps;

Q_DECLARE_METATYPE(FileLayout::Route)

namespace {

// The text a user reads on `key`: "" is the window's title; "name" a control,
// group or menu entry of that name; "parent@x,y" the label standing at that
// pixel position in `parent`; "list#i" entry i of a drop-down list.
QString captionOf(QWidget* window, const QString& key)
{
    if (key.isEmpty()) {
        return window->windowTitle();
    }
    if (key.contains(u'@')) {
        const QStringList xy = key.section(u'@', 1).split(u',');
        for (auto* label : window->findChild<QWidget*>(key.section(u'@', 0, 0))->findChildren<QLabel*>()) {
            if (label->pos() == QPoint(xy[0].toInt(), xy[1].toInt())) {
                return label->text();
            }
        }
        return QStringLiteral("<no label>");
    }
    if (key.endsWith(u"[]")) {  // a place: the window's client area, or a control's
        const QRect r = key == u"[]" ? window->rect() : window->findChild<QWidget*>(key.chopped(2))->geometry();
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    if (key.contains(u'#')) {
        return window->findChild<QComboBox*>(key.section(u'#', 0, 0))->itemText(key.section(u'#', 1).toInt());
    }
    QObject* control = window->findChild<QObject*>(key);
    if (auto* action = qobject_cast<QAction*>(control)) {
        return action->text() + u'|' + action->shortcut().toString();
    }
    if (auto* menu = qobject_cast<QMenu*>(control)) {
        return menu->title();
    }
    if (auto* group = qobject_cast<QGroupBox*>(control)) {
        return group->title();
    }
    return control ? MainWindowDriver::textOf(window, key) : QStringLiteral("<no %1>").arg(key);
}

// Rows of the one captions table, named after the window and the key.
void addRows(Route route, const QStringList& keys, const QStringList& texts)
{
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const QString key = keys[i].isEmpty() ? QStringLiteral("title") : keys[i];
        QTest::addRow("%s %s", qPrintable(RouteName(route)), qPrintable(key)) << route << keys[i] << texts.value(i);
    }
}
void addIndexed(Route route, const QString& name, int first, const QStringList& texts)
{
    QStringList keys;
    for (qsizetype i = 0; i < texts.size(); ++i) {
        keys << QStringLiteral("%1_%2").arg(name).arg(first + i);
    }
    addRows(route, keys, texts);
}

const QStringList Herbs{"Ash:", "Ginseng:", "Garlic:", "Silkweb:", "Moss:", "Pearl:", "Fungus:", "Manroot:"};
const QStringList Classes{"Mage", "Bard", "Fighter", "Druid", "Tinker", "Paladin", "Ranger", "Sepherd"};
const QStringList Items{"Silver Horn:",    "Skull of Kerrath:", "Fungus Square:",
                        "Manroot Square:", "Bell of Courage:",  "Balloon(transport):"};
const QStringList Towns{"Ferrow:",  "Olm:",    "Duskel:",    "Brask:",    "Hollin:",  "Wendle Isle:",
                        "Starfen:", "Tallow:", "Rookhaven:", "Saltmere:", "Corvast:", "Dravel:"};
const QStringList Goods{"Torch:",    "Gem:",   "Key:",     "Oil:",    "Sextant:", "Sling:",    "Bow:",      "X-Bow:",
                        "+1 Bow:",   "Staff:", "Club:",    "Axe:",    "Sword:",   "+1 Sword:", "+2 Sword:", "+1 Axe:",
                        "Wand:",     "Cloth:", "Leather:", "Chain:",  "Ring:",    "+1 Cloth:", "Plate:",    "+1 Chain:",
                        "+1 Plate:", "Ash:",   "Ginseng:", "Garlic:", "Silkweb:", "Moss:",     "Pearl:"};

// What a screen reader hears of every control of `window`, as "object=name",
// or "object=value|description" for a value label, sorted.
QStringList heard(QWidget* window)
{
    QStringList heard;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        const QString name = widget->objectName();
        if (widget->window() != window || name.isEmpty() || name.startsWith(u"Label") || name.startsWith(u"Line") ||
            name.startsWith(u"frm") || name.startsWith(u"qt_")) {
            continue;  // other windows, and the captions, lines and panels, read by their texts
        }
        // Linux announces a drop-down list by its choice and its label; its name is its own.
        const bool list = face->role() == QAccessible::ComboBox;
        const QString description = face->text(QAccessible::Description);
        heard << name + u'=' + (list ? widget->accessibleName() : face->text(QAccessible::Name)) +
                     (description.isEmpty() ? QString() : u'|' + description);
    }
    heard.sort();
    return heard;
}

}  // namespace

// Every caption, title and note of the windows, character for character, their places, and what a reader hears.
class tst_Captions : public QObject {
    Q_OBJECT

    // One loaded main window, every equipment code an item, and its four Game windows open.
    std::unique_ptr<MainWindowDriver> m_driver;
    QMap<Route, QPointer<QDialog>> m_windows;

    void openWindows()
    {
        if (!m_driver) {
            QByteArray bytes = Fixtures::Pattern(262160);
            for (int i = 0; i < 16; ++i) {
                bytes[0x3563D + i] = static_cast<char>(129 + i);
            }
            for (const auto& [column, row] : LocationOffsets(Route::Items) + LocationOffsets(Route::Towns)) {
                bytes[column] = bytes[row] = char(0x21);  // each location at (33, 033), block 2
            }
            m_driver = std::make_unique<MainWindowDriver>(bytes);
            QVERIFY(m_driver->load());
            for (Route game : GameRoutes()) {
                m_windows[game] = Open(*m_driver, game);
            }
        }
    }

private slots:
    void captions_data()
    {
        QTest::addColumn<Route>("route");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        addRows(Route::Map,
                {"", "mnuFile", "mnuFileLoad", "mnuFileSave", "mnuFileQuit", "mnuGame", "mnuCharacters", "mnuGameItems",
                 "mnuGamePriceItems", "mnuGameTowns", "mnuHelp", "mnuHelpHelp", "mnuHelpAbout"},
                {"Orvane II: The Seeker's Crown Map Editor v1.0", "&File", "&Load Rom|Ctrl+L", "&Save Changes|Ctrl+S",
                 "&Quit|", "&Game", "&Characters|Ctrl+C", "&Items && Balloon|Ctrl+I", "&Prices of Items|Ctrl+P",
                 "&Location of Towns|Ctrl+T", "&Help", "&Help|F1", "&About|"});
        addRows(Route::Map,
                {"Frame1@64,16", "Frame1@64,48", "Frame1@64,144", "Frame1@64,192", "Frame2@16,432", "Frame2@184,432",
                 "Frame2@296,432", "chkGrid", "cboBlock#0", "cboBlock#7"},
                {"Tile #:", "Tile:", "Point:", "Sextant:", "Block:", "Current Block:", "Grid Color:", "Grid",
                 "1-Block #1", "8-Block #8"});

        addRows(Route::Items, {"", "Label1_0", "Label1_1", "Label1_2", "cmdSave"},
                {"Location of Overworld Items & Balloon", "Item", "Sextant", "Block", "&Save!"});
        addIndexed(Route::Items, "Label1", 3, Items);
        addIndexed(Route::Items, "cmdLocation", 0, QStringList(6, "New Location"));

        addRows(Route::Towns, {"", "Label1_6", "Label1_0", "Label1_1", "Command1", "cmdSave"},
                {"Location of Towns", "Town", "Sextant", "Block", "&Read This!", "&Save!"});
        addIndexed(Route::Towns, "Label2", 0, Towns);
        addIndexed(Route::Towns, "cmdLocation", 0, QStringList(12, "New Location"));
        addRows(Route::Towns, {"Command1!"},
                {QStringLiteral(u"Important Note|I haven\u00B4t full tested the towns' warp system. All\r\n"
                                u"I know is that if you put more than 2 or 3 towns\r\n"
                                u"in the same screen, the warps won\u00B4t work. It\u00B4s\r\n"
                                u"still buggy, so be careful. If you find out how\r\n"
                                u"does the warp thing works, please mail me!\r\n"
                                u"(I won\u00B4t try. I\u00B4m sicked of finding game's data :P)\r\n"
                                u"\r\n"
                                u"orvane-editor@users.noreply.example")});

        addRows(Route::Prices, {"", "cmdSave"}, {"Prices of Items", "&Save!"});
        addIndexed(Route::Prices, "Label1", 0, {"Item", "Price", "Item", "Price"});
        addIndexed(Route::Prices, "Label2", 0, Goods);

        addRows(Route::Characters, {"", "cmdSave", "frmChara_8@8,24", "frmChara_8@120,24"},
                {"Characters Data", "&Save!", "Ash:", "Manroot:"});
        addIndexed(Route::Characters, "frmChara", 0, Classes + QStringList{"Herbs (Starting)"});
        addIndexed(Route::Characters, "optChara", 0,
                   {"Mage", "Bard", "Fighter", "Druid", "Tinker", "Paladn", "Rangr", "Sphrd", "Herbs"});
        for (int h = 1; h < 7; ++h) {
            addRows(Route::Characters, {QStringLiteral("frmChara_8@8,%1").arg(24 + 24 * h)}, {Herbs[h]});
        }
        // Every class panel: captions at their twip places, 15 twips to the pixel.
        const QStringList places{"8,24", "112,24", "8,48", "112,48", "8,96", "80,96", "152,96", "8,144", "8,176"};
        const QStringList texts{"Level:", "Hp:", "Mp:", "Exp:", "STR:", "INT:", "DEX:", "Equip #1:", "Equip #2:"};
        for (int c = 0; c < 8; ++c) {
            for (qsizetype i = 0; i < places.size(); ++i) {
                addRows(Route::Characters, {QStringLiteral("frmChara_%1@%2").arg(c).arg(places[i])}, {texts[i]});
            }
        }
        const QStringList items{"129-Sling",    "130-Bow",      "131-X-Bow",    "132-+1 Bow", "133-Dagger",
                                "134-Staff",    "135-Club",     "136-Axe",      "137-Sword",  "138-+1 Sword",
                                "139-+2 Sword", "140-+1 Axe",   "141-Wand",     "142-+2 Axe", "143-@ Sword",
                                "144-Cloth",    "145-Leather",  "146-Chain",    "147-Ring",   "148-+1 Cloth",
                                "149-Plate",    "150-+1 Chain", "151-+1 Plate", "152-Robe",   "153-@ Armor"};
        for (int p = 0; p < 25; ++p) {
            addRows(Route::Characters,
                    {QStringLiteral("cboEquip1_3#%1").arg(p), QStringLiteral("cboEquip2_6#%1").arg(p)},
                    {items[p], items[p]});
        }
        // The windows' client sizes, and controls whose places show the twips became pixels.
        addRows(Route::Items, {"[]", "lblBlock_5[]", "cmdSave[]"}, {"0,0 340x220", "192,160 41x19", "248,192 81x19"});
        addRows(Route::Towns, {"[]", "cmdLocation_7[]", "cmdSave[]"},
                {"0,0 315x361", "216,208 89x19", "216,336 81x19"});
        addRows(Route::Prices, {"[]", "txtItem_15[]", "txtHerbs_5[]", "cmdSave[]"},
                {"0,0 310x441", "232,40 65x17", "232,408 65x17", "8,416 81x19"});
        addRows(Route::Characters, {"[]", "frmChara_8[]", "txtExp_3[]", "optChara_4[]"},
                {"0,0 233x370", "8,8 217x209", "136,48 65x17", "8,272 41x41"});
    }
    void captions()
    {
        QFETCH(Route, route);
        QFETCH(QString, key);
        openWindows();
        QWidget* window =
            route == Route::Map ? static_cast<QWidget*>(&m_driver->window) : m_windows.value(route).data();
        QVERIFY(window);
        if (key.endsWith(u'!')) {  // the note the button shows: its icon, title and text
            MainWindowDriver::click(window, key.chopped(1));
            QCOMPARE(m_driver->platform.messages.size(), 1);
            QCOMPARE(m_driver->platform.messages[0].icon, Platform::Icon::Exclamation);
            QTEST(m_driver->platform.messages[0].title + u'|' + m_driver->platform.messages[0].text, "text");
            return;
        }
        QTEST(captionOf(window, key), "text");
    }

    // Every control of every window read as a screen reader hears it, compared
    // with the whole table: names off by one slot, missing or stale show here.
    void accessibleNames()
    {
        openWindows();
        m_driver->move(QPointF(16 * 3 + 2, 16 * 5 + 2));  // the readouts name cell (3, 5)
        const QStringList main =
            QString("Frame1=Tile palette and readouts;Frame2=Overworld block;cboBlock=Block;chkGrid=Show grid;"
                    "hsMap=Map horizontal scroll bar;lblBlock=1|Current block;lblChanges=|Changed cells;"
                    "lblFile=cart.nes|File;lblLat=003|Sextant column;"
                    "lblLon=005|Sextant row;lblPoint=(003 ,005)|Map point under the pointer;"
                    "lblTile=00|Current tile number;lblToolStatus=|Tool status;mapOverlay=;"
                    "picGridColor=Grid color|Space or Enter chooses the grid color;"
                    "picHolder_00=Tile palette view|Arrow keys, Page Up, Page Down, Home and End choose the tile;"
                    "picHolder_01=Map view|Arrow keys move the cell cursor, Shift stretches, Space applies the tool, "
                    "I picks the tile;picMap=Overworld map;"
                    "picTileZoom=Current tile, enlarged;picTileset=Tile palette;shpMap=Map cell marker;"
                    "shpPoint=Current tile frame;tbTools=Tools;vsMap=Map vertical scroll bar;"
                    "vsTiles=Tile palette scroll bar")
                .split(u';');
        QCOMPARE(heard(&m_driver->window), main);
        QStringList prices{"cmdSave=Save prices"};
        for (int i = 0; i < Goods.size(); ++i) {
            prices << QStringLiteral("%1=Price of %2")
                          .arg(i < 25 ? QStringLiteral("txtItem_%1").arg(i) : QStringLiteral("txtHerbs_%1").arg(i - 25),
                               Goods[i].chopped(1));
        }
        QStringList characters{"cmdSave=Save character data", "optChara_8=Starting herbs"};
        const QStringList stats{"Level=level",      "HP=hit points", "Mp=magic points", "Str=strength",
                                "INT=intelligence", "DEX=dexterity", "Exp=experience"};
        for (int c = 0; c < 8; ++c) {
            characters << QStringLiteral("optChara_%1=%2").arg(c).arg(Classes[c])
                       << QStringLiteral("txtHerbs_%1=Starting %2").arg(c).arg(Herbs[c].chopped(1));
            for (const int n : {1, 2}) {
                characters << QStringLiteral("cboEquip%1_%2=%3 equipment %1").arg(n).arg(c).arg(Classes[c]);
            }
            for (const QString& stat : stats) {
                characters << QStringLiteral("txt%1_%2=%3 %4")
                                  .arg(stat.section(u'=', 0, 0))
                                  .arg(c)
                                  .arg(Classes[c], stat.section(u'=', 1));
            }
        }
        QMap<Route, QStringList> expected{{Route::Prices, prices}, {Route::Characters, characters}};
        for (const auto& [route, labels] : {std::pair{Route::Items, Items}, std::pair{Route::Towns, Towns}}) {
            QStringList& rows = expected[route];
            rows << "cmdSave=Save locations" << (route == Route::Towns ? "Command1=Read the note on town warps" : "");
            for (int i = 0; i < labels.size(); ++i) {
                rows << QStringLiteral("cmdLocation_%1=New location for %2").arg(i).arg(labels[i].chopped(1))
                     << QStringLiteral("lblBlock_%1=2|%2 block").arg(i).arg(labels[i].chopped(1))
                     << QStringLiteral("lblSextant_%1=(033, 033)|%2 location").arg(i).arg(labels[i].chopped(1));
            }
            rows.removeAll(QString());
        }
        for (auto rows = expected.begin(); rows != expected.end(); ++rows) {
            rows->sort();
            QCOMPARE(heard(m_windows.value(rows.key())), *rows);
        }
    }
};

QTEST_MAIN(tst_Captions)
#include "tst_Captions.moc"
