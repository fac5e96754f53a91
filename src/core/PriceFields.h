#pragma once

#include "core/FieldValues.h"

#include <QList>
#include <QString>

// The shop prices kept in the first bank of the cartridge: 25 item prices in
// three runs of 16-bit slots, then 6 herb prices of one byte each. The slots
// between the runs are not prices and are left alone.
namespace PriceFields {

inline constexpr qint64 BlockStart = 3847;  // first item price
inline constexpr qint64 RequiredLength = 3913;  // one past the last herb price
inline constexpr qint64 BlockLength = RequiredLength - BlockStart;
inline constexpr int ItemCount = 25;
inline constexpr int HerbCount = 6;

struct Price {
    QString caption;  // "Torch:"
    NumberField field;  // width 2 for items, 1 for herbs
};

// The 25 items (txtItem 0..24) followed by the 6 herbs (txtHerbs 0..5).
const QList<Price>& Prices();
QList<NumberField> Fields();

}  // namespace PriceFields
