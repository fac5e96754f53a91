#include "ui/AccessibleNames.h"

#include "core/CharacterFields.h"
#include "core/PriceFields.h"

#include <array>

namespace AccessibleNames {

namespace {

// The stats in words, in the order of CharacterFields::Stat; the boxes'
// captions abbreviate them ("Hp:", "STR:").
constexpr std::array<const char*, CharacterFields::StatCount> StatWords = {
    "level", "hit points", "magic points", "strength", "intelligence", "dexterity", "experience",
};

}  // namespace

QString Bare(const QString& caption)
{
    QString bare = caption.trimmed();
    if (bare.endsWith(u':')) {
        bare.chop(1);
    }
    return bare;
}

QString Price(int index)
{
    return QStringLiteral("Price of ") + Bare(PriceFields::Prices().at(index).caption);
}

QString ClassStat(int stat, int classIndex)
{
    return CharacterFields::ClassName(classIndex) + u' ' + QString::fromLatin1(StatWords.at(stat));
}

QString Equipment(int slot, int classIndex)
{
    return QStringLiteral("%1 equipment %2").arg(CharacterFields::ClassName(classIndex)).arg(slot);
}

QString StartingHerb(int herb)
{
    return QStringLiteral("Starting ") + Bare(CharacterFields::HerbCaption(herb));
}

QString ClassButton(int classIndex)
{
    return CharacterFields::ClassName(classIndex);
}

QString Location(const QString& label)
{
    return Bare(label) + QStringLiteral(" location");
}

QString Block(const QString& label)
{
    return Bare(label) + QStringLiteral(" block");
}

QString NewLocation(const QString& label)
{
    return QStringLiteral("New location for ") + Bare(label);
}

}  // namespace AccessibleNames
