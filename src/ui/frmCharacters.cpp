#include "ui/frmCharacters.h"

#include "ui/AccessibleNames.h"
#include "core/CharacterFields.h"
#include "editor/CharacterTable.h"
#include "ui/LimitedTextBox.h"
#include "ui/OptionButton.h"
#include "ui/SideWindow.h"
#include "ui/Twips.h"
#include "ui/UiFonts.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace CharacterFields;

namespace {

using Twips::ToPixels;

constexpr QPoint PanelPlace{120, 120};
constexpr QSize PanelSize{3255, 3135};
constexpr int ButtonSize = 615;
constexpr int ListHeight = 315;

// A stat's box, and where its caption and box stand in a class panel (twips).
struct StatPlace {
    const char* name;
    int captionLeft, top, boxLeft, boxWidth;
};
constexpr StatPlace StatPlaces[StatCount] = {
    {"txtLevel", 120, 360, 720, 615},  // Level
    {"txtHP", 1680, 360, 2040, 975},  // Hp
    {"txtMp", 120, 720, 720, 615},  // Mp
    {"txtStr", 120, 1440, 600, 375},  // STR
    {"txtINT", 1200, 1440, 1680, 375},  // INT
    {"txtDEX", 2280, 1440, 2760, 375},  // DEX
    {"txtExp", 1680, 720, 2040, 975},  // Exp
};

QLabel* makeCaption(QWidget* parent, const QString& text, int left, int top, int width)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(ToPixels(left, top, width, 255));
    return label;
}

QString indexed(const QString& name, int index)
{
    return QStringLiteral("%1_%2").arg(name).arg(index);
}

}  // namespace

frmCharacters::frmCharacters(CharacterTable& table, QWidget* owner) : QDialog(owner), m_table(table)
{
    SideWindow::SetUp(this, QStringLiteral("frmCharacters"), QStringLiteral("Characters Data"), 3495, 5550);

    // Boxes() lists the stats field by field, eight classes each, then the herbs.
    m_numberBoxes.resize(StatCount * ClassCount);
    for (int c = 0; c < ClassCount; ++c) {
        buildClassPanel(c);
    }
    buildHerbsPanel();

    // Picture buttons: four classes a row, the herbs below.
    const int lefts[4] = {120, 960, 1920, 2760};
    for (int i = 0; i < Panels; ++i) {
        auto* button = new OptionButton(this);
        button->setObjectName(indexed(QStringLiteral("optChara"), i));
        const bool herbs = i == HerbsPanel;
        button->setText(herbs ? QStringLiteral("Herbs") : ButtonCaption(i));
        button->setIcon(
            QIcon(herbs ? QStringLiteral(":/portraits/herbs.png") : QStringLiteral(":/portraits/class%1.png").arg(i)));
        button->setIconSize(QSize(16, 16));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setAccessibleName(herbs ? AccessibleNames::HerbsButton : AccessibleNames::ClassButton(i));
        const QPoint at = herbs ? QPoint(120, 4800) : QPoint(lefts[i % 4], i < 4 ? 3360 : 4080);
        button->setGeometry(ToPixels(at.x(), at.y(), ButtonSize, ButtonSize));
        connect(button, &QToolButton::clicked, this, [this, i] { optChara_Click(i); });
        optChara[static_cast<std::size_t>(i)] = button;
    }

    auto* cmdSave = new QPushButton(QStringLiteral("&Save!"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setGeometry(ToPixels(2160, 5160, 1215, 285));
    cmdSave->setAutoDefault(false);
    cmdSave->setAccessibleName(QStringLiteral("Save character data"));
    connect(cmdSave, &QPushButton::clicked, this, &frmCharacters::cmdSave_Click);

    optChara_Click(0);
}

void frmCharacters::buildClassPanel(int c)
{
    auto* panel = new QGroupBox(ClassName(c), this);
    panel->setObjectName(indexed(QStringLiteral("frmChara"), c));
    panel->setGeometry(ToPixels(PanelPlace.x(), PanelPlace.y(), PanelSize.width(), PanelSize.height()));
    frmChara[static_cast<std::size_t>(c)] = panel;

    for (int stat = 0; stat < StatCount; ++stat) {
        const StatPlace& place = StatPlaces[stat];
        makeCaption(panel, StatOf(stat).caption, place.captionLeft, place.top, place.boxLeft - place.captionLeft);
        auto* box = new LimitedTextBox(indexed(QLatin1String(place.name), c), StatField(stat, c).typingLimit(),
                                       ToPixels(place.boxLeft, place.top, place.boxWidth, 255), panel);
        box->setAccessibleName(AccessibleNames::ClassStat(stat, c));
        m_numberBoxes[stat * ClassCount + c] = box;
    }

    for (int n = 0; n < 2; ++n) {
        const int top = n == 0 ? 2160 : 2640;
        QLabel* caption = makeCaption(panel, QStringLiteral("Equip #%1:").arg(n + 1), 120, top, 840);
        auto* list = new QComboBox(panel);
        caption->setBuddy(list);  // on Linux a list is announced by its choice and its label
        list->setObjectName(indexed(n == 0 ? QStringLiteral("cboEquip1") : QStringLiteral("cboEquip2"), c));
        list->setEditable(false);
        list->setMaxVisibleItems(12);
        list->setGeometry(ToPixels(960, top, 2175, ListHeight));
        list->setAccessibleName(AccessibleNames::Equipment(n + 1, c));
        (n == 0 ? cboEquip1 : cboEquip2).append(list);
    }

    for (int top : {1200, 1920}) {
        auto* rule = new QFrame(panel);
        rule->setFrameShape(QFrame::HLine);
        rule->setFrameShadow(QFrame::Sunken);
        rule->setGeometry(ToPixels(120), ToPixels(top), ToPixels(PanelSize.width() - 240), 2);
    }
}

void frmCharacters::buildHerbsPanel()
{
    auto* panel = new QGroupBox(HerbsPanelCaption, this);
    panel->setObjectName(indexed(QStringLiteral("frmChara"), HerbsPanel));
    panel->setGeometry(ToPixels(PanelPlace.x(), PanelPlace.y(), PanelSize.width(), PanelSize.height()));
    frmChara[HerbsPanel] = panel;

    for (int h = 0; h < HerbCount; ++h) {
        const bool last = h == HerbCount - 1;
        const int captionLeft = last ? 1800 : 120;
        const int boxLeft = last ? 2520 : 960;
        const int top = last ? 360 : 360 + 360 * h;
        makeCaption(panel, HerbCaption(h), captionLeft, top, boxLeft - captionLeft);
        auto* box = new LimitedTextBox(indexed(QStringLiteral("txtHerbs"), h), HerbField(h).typingLimit(),
                                       ToPixels(boxLeft, top, 500, 315), panel);
        box->setAccessibleName(AccessibleNames::StartingHerb(h));
        m_numberBoxes.append(box);
    }
}

void frmCharacters::fillEquipment(QComboBox* list, int code)
{
    list->clear();
    list->addItems(ItemTexts());
    const int p = code - FirstItemCode;
    if (p >= 0 && p < ItemCount) {
        list->setCurrentIndex(p);
        return;
    }
    // A code with no item keeps an entry of its own, so that saving writes it back.
    const int at = p < 0 ? 0 : ItemCount;
    list->insertItem(at, ItemText(code));
    list->setCurrentIndex(at);
}

bool frmCharacters::Form_Load()
{
    if (!m_table.read(windowTitle())) {
        return false;
    }
    const CharacterTable::Values& values = m_table.values();
    for (qsizetype i = 0; i < m_numberBoxes.size(); ++i) {
        m_numberBoxes[i]->setValueText(values.numbers.value(i));
    }
    for (int c = 0; c < ClassCount; ++c) {
        fillEquipment(cboEquip1[c], values.equip1.value(c));
        fillEquipment(cboEquip2[c], values.equip2.value(c));
    }
    optChara_Click(0);
    return true;
}

void frmCharacters::optChara_Click(int index)
{
    for (int i = 0; i < Panels; ++i) {
        frmChara[static_cast<std::size_t>(i)]->setVisible(i == index);
    }
    optChara[static_cast<std::size_t>(index)]->setChecked(true);
}

void frmCharacters::cmdSave_Click()
{
    CharacterTable::Values values;
    for (const LimitedTextBox* box : m_numberBoxes) {
        values.numbers.append(box->text());
    }
    for (int c = 0; c < ClassCount; ++c) {
        values.equip1.append(ItemCode(cboEquip1[c]->currentText()));
        values.equip2.append(ItemCode(cboEquip2[c]->currentText()));
    }
    const CharacterTable::Outcome outcome = m_table.save(values);
    if (outcome.rejected >= 0) {
        const Box bad = Boxes()[outcome.rejected];
        optChara_Click(bad.stat < 0 ? HerbsPanel : bad.index);
        LimitedTextBox* box = m_numberBoxes[outcome.rejected];
        box->setFocus();
        box->selectAll();
        return;
    }
    if (outcome.saved) {
        close();
    }
}
