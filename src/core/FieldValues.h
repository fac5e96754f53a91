#pragma once

#include "core/CartridgeFile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>

// A number the game keeps at a file offset: one unsigned byte, or a signed
// 16-bit value stored low byte first.
struct NumberField {
    qint64 offset = 0;
    int width = 1;  // 1 or 2 bytes

    qint64 minimum() const { return width == 1 ? 0 : -32768; }
    qint64 maximum() const { return width == 1 ? 255 : 32767; }
    // The most characters a box for it takes: enough for every value in
    // range, its sign included ("255": 3, "-32768": 6), and no more.
    int typingLimit() const
    {
        return static_cast<int>(std::max(QString::number(minimum()).size(), QString::number(maximum()).size()));
    }
};

// Turning the numbers of a block read from the file into box texts and the
// texts the user typed back into bytes.
namespace FieldValues {

// The field's value in decimal, read from `block`, which holds the file's
// bytes from `blockStart` on.
QString Text(const QByteArray& block, qint64 blockStart, const NumberField& field);

// The bytes of `value` as the field stores them (the value must fit).
QByteArray Bytes(const NumberField& field, qint64 value);

// The texts of the boxes turned into one patch per field, or the index of the
// first text whose number (read and rounded as NumberText::ToIntegerField
// does) does not fit its field.
struct Encoding {
    QList<FilePatch> patches;
    int rejected = -1;  // index into the fields, -1 when every text fits
};
Encoding Encode(const QList<NumberField>& fields, const QStringList& texts);

// "<name> must be a whole number from <min> to <max>."
QString RangeText(const QString& name, const NumberField& field);

}  // namespace FieldValues
