#include "core/CharacterFields.h"

#include "core/MapGeometry.h"
#include "core/NumberText.h"

#include <array>

namespace CharacterFields {

namespace {

const std::array<StatInfo, StatCount>& stats()
{
    static const std::array<StatInfo, StatCount> table{{
        {QStringLiteral("Level:"), QStringLiteral("level"), 0x355ED, 1},
        {QStringLiteral("Hp:"), QStringLiteral("hit points"), 0x355F5, 2},
        {QStringLiteral("Mp:"), QStringLiteral("magic points"), 0x35605, 1},
        {QStringLiteral("STR:"), QStringLiteral("strength"), 0x3560D, 1},
        {QStringLiteral("INT:"), QStringLiteral("intelligence"), 0x35615, 1},
        {QStringLiteral("DEX:"), QStringLiteral("dexterity"), 0x3561D, 1},
        {QStringLiteral("Exp:"), QStringLiteral("experience"), 0x35625, 2},
    }};
    return table;
}

constexpr qint64 HerbBase = 0x35635;
constexpr qint64 EquipBase = 0x3563D;

const char* const buttonCaptions[ClassCount] = {"Mage",   "Bard",   "Fighter", "Druid",
                                                "Tinker", "Paladn", "Rangr",   "Sphrd"};
const char* const classNames[ClassCount] = {"Mage",   "Bard",    "Fighter", "Druid",
                                            "Tinker", "Paladin", "Ranger",  "Sepherd"};
const char* const herbCaptions[HerbCount] = {
    "Ash:", "Ginseng:", "Garlic:", "Silkweb:", "Moss:", "Pearl:", "Fungus:", "Manroot:"};
const char* const itemNames[ItemCount] = {
    "Sling",    "Bow",      "X-Bow",  "+1 Bow",   "Dagger",   "Staff",   "Club",   "Axe",     "Sword",
    "+1 Sword", "+2 Sword", "+1 Axe", "Wand",     "+2 Axe",   "@ Sword", "Cloth",  "Leather", "Chain",
    "Ring",     "+1 Cloth", "Plate",  "+1 Chain", "+1 Plate", "Robe",    "@ Armor"};

}  // namespace

const StatInfo& StatOf(int stat)
{
    return stats().at(static_cast<std::size_t>(stat));
}

NumberField StatField(int stat, int classIndex)
{
    const StatInfo& info = StatOf(stat);
    return NumberField{info.base + info.width * classIndex, info.width};
}

NumberField HerbField(int herb)
{
    return NumberField{HerbBase + herb, 1};
}

qint64 Equip1Offset(int classIndex)
{
    return EquipBase + 2 * classIndex;
}

qint64 Equip2Offset(int classIndex)
{
    return Equip1Offset(classIndex) + 1;
}

QString ButtonCaption(int classIndex)
{
    return QString::fromLatin1(buttonCaptions[classIndex]);
}

QString ClassName(int classIndex)
{
    return QString::fromLatin1(classNames[classIndex]);
}

QString HerbCaption(int herb)
{
    return QString::fromLatin1(herbCaptions[herb]);
}

QList<Box> Boxes()
{
    QList<Box> boxes;
    for (int stat = 0; stat < StatCount; ++stat) {
        for (int c = 0; c < ClassCount; ++c) {
            boxes.append(Box{stat, c, StatField(stat, c)});
        }
    }
    for (int h = 0; h < HerbCount; ++h) {
        boxes.append(Box{-1, h, HerbField(h)});
    }
    return boxes;
}

QList<NumberField> Fields(const QList<Box>& boxes)
{
    QList<NumberField> fields;
    for (const Box& box : boxes) {
        fields.append(box.field);
    }
    return fields;
}

QString BoxName(const Box& box)
{
    if (box.stat < 0) {
        return QStringLiteral("The party's starting %1").arg(HerbCaption(box.index).chopped(1));
    }
    return QStringLiteral("The %1's %2").arg(ClassName(box.index), StatOf(box.stat).meaning);
}

QStringList ItemTexts()
{
    QStringList texts;
    for (int p = 0; p < ItemCount; ++p) {
        texts.append(ItemText(FirstItemCode + p));
    }
    return texts;
}

QString ItemText(int code)
{
    const int p = code - FirstItemCode;
    const QString name = p >= 0 && p < ItemCount ? QString::fromLatin1(itemNames[p]) : QStringLiteral("Unknown");
    return MapGeometry::ThreeDigits(code) + u'-' + name;
}

int ItemCode(const QString& text)
{
    return NumberText::LeadingDigits(text.left(3));
}

}  // namespace CharacterFields
