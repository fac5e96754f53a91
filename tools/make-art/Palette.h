#pragma once

#include <QRgb>
#include <QVector>

// The fixed colour set every picture is drawn from. Pictures are authored as
// rows of characters; each character names one colour here.
namespace Palette {

// The colour for key; aborts the program on an unknown key so a typo in a
// picture never slips through as a silent wrong colour.
QRgb rgb(char key);

// All colours in table order, for indexed images.
QVector<QRgb> table();

// Table position of key (same order as table()).
int index(char key);

}  // namespace Palette
