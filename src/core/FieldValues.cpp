#include "core/FieldValues.h"

#include "core/NumberText.h"

namespace FieldValues {

QString Text(const QByteArray& block, qint64 blockStart, const NumberField& field)
{
    const qint64 at = field.offset - blockStart;
    const auto byte = [&](qint64 i) { return static_cast<quint8>(block.at(at + i)); };
    if (field.width == 1) {
        return QString::number(byte(0));
    }
    return QString::number(static_cast<qint16>(byte(0) | (byte(1) << 8)));
}

QByteArray Bytes(const NumberField& field, qint64 value)
{
    QByteArray bytes;
    bytes.append(static_cast<char>(value & 0xFF));
    if (field.width == 2) {
        bytes.append(static_cast<char>((value >> 8) & 0xFF));
    }
    return bytes;
}

Encoding Encode(const QList<NumberField>& fields, const QStringList& texts)
{
    Encoding result;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const NumberField& field = fields[i];
        const auto value = NumberText::ToIntegerField(texts.value(i), field.minimum(), field.maximum());
        if (!value) {
            result.patches.clear();
            result.rejected = static_cast<int>(i);
            return result;
        }
        result.patches.append(FilePatch{field.offset, Bytes(field, *value)});
    }
    return result;
}

QString RangeText(const QString& name, const NumberField& field)
{
    return QStringLiteral("%1 must be a whole number from %2 to %3.")
        .arg(name)
        .arg(field.minimum())
        .arg(field.maximum());
}

}  // namespace FieldValues
