#pragma once

#include "core/FieldValues.h"

#include <QList>
#include <QString>
#include <QStringList>

// The starting data of the eight character classes and the party's starting
// herbs: one block of 96 bytes holding one array of eight entries per field.
namespace CharacterFields {

inline constexpr qint64 BlockStart = 0x355ED;
inline constexpr qint64 BlockLength = 96;
inline constexpr qint64 RequiredLength = BlockStart + BlockLength;  // 0x3564D
inline constexpr int ClassCount = 8;
inline constexpr int HerbCount = 8;
inline constexpr int ItemCount = 25;
inline constexpr int FirstItemCode = 129;

// The number fields of a class, in the order of their arrays in the block.
enum Stat { Level, HP, Mp, Str, INT, DEX, Exp, StatCount };

struct StatInfo {
    QString caption;  // "Level:"
    QString meaning;  // "level", as a message names it
    qint64 base = 0;  // offset of class 0
    int width = 1;
};
const StatInfo& StatOf(int stat);

NumberField StatField(int stat, int classIndex);
NumberField HerbField(int herb);
qint64 Equip1Offset(int classIndex);
qint64 Equip2Offset(int classIndex);

QString ButtonCaption(int classIndex);  // "Paladn"
QString ClassName(int classIndex);  // "Paladin"
QString HerbCaption(int herb);  // "Ash:"
inline const QString HerbsPanelCaption = QStringLiteral("Herbs (Starting)");

// One number of the table as it is edited: a class's stat or (stat == -1) a herb.
struct Box {
    int stat = -1;
    int index = 0;  // the class, or the herb
    NumberField field;
};
// Every text box, in the order of the block.
QList<Box> Boxes();
QList<NumberField> Fields(const QList<Box>& boxes);
// "The Bard's hit points", "The party's starting Moss", as a message names the box.
QString BoxName(const Box& box);

// The 25 equipment choices "129-Sling" .. "153-@ Armor".
QStringList ItemTexts();
// The choice for a stored code; a code with no item reads "128-Unknown".
QString ItemText(int code);
// The code a choice stands for: the number in its first three characters.
int ItemCode(const QString& text);

}  // namespace CharacterFields
