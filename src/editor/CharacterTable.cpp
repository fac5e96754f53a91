#include "editor/CharacterTable.h"

#include "core/CartridgeFile.h"
#include "core/CharacterFields.h"
#include "core/MapDocument.h"
#include "editor/GameMessages.h"
#include "editor/Platform.h"

using namespace CharacterFields;

CharacterTable::CharacterTable(Platform& platform, const MapDocument& document, QObject* parent)
    : QObject(parent), m_platform(platform), m_document(document)
{
}

bool CharacterTable::read(const QString& windowTitle)
{
    QString error;
    const auto block = CartridgeFile::read(m_document.cartridge().CartridgePath(), BlockStart, BlockLength, &error);
    if (!block) {
        GameMessages::ReportUnreadable(m_platform, windowTitle, error);
        return false;
    }
    Values values;
    for (const Box& box : Boxes()) {
        values.numbers.append(FieldValues::Text(*block, BlockStart, box.field));
    }
    for (int c = 0; c < ClassCount; ++c) {
        values.equip1.append(static_cast<quint8>(block->at(Equip1Offset(c) - BlockStart)));
        values.equip2.append(static_cast<quint8>(block->at(Equip2Offset(c) - BlockStart)));
    }
    m_values = values;
    emit changed();
    return true;
}

CharacterTable::Outcome CharacterTable::save(const Values& values)
{
    const QList<Box> boxes = Boxes();
    FieldValues::Encoding encoding = FieldValues::Encode(Fields(boxes), values.numbers);
    if (encoding.rejected >= 0) {
        const Box& bad = boxes[encoding.rejected];
        m_platform.message(QStringLiteral("Value out of range"), FieldValues::RangeText(BoxName(bad), bad.field),
                           Platform::Icon::Exclamation);
        return {false, encoding.rejected};
    }
    const auto codeByte = [](int code) { return QByteArray(1, static_cast<char>(code)); };
    for (int c = 0; c < ClassCount; ++c) {
        encoding.patches.append(FilePatch{Equip1Offset(c), codeByte(values.equip1.value(c))});
        encoding.patches.append(FilePatch{Equip2Offset(c), codeByte(values.equip2.value(c))});
    }
    QString error;
    if (!CartridgeFile::patch(m_document.cartridge().CartridgePath(), encoding.patches, &error, RequiredLength)) {
        m_platform.message(QStringLiteral("Characters not saved"), error, Platform::Icon::Critical);
        return {};
    }
    m_values = values;
    emit changed();
    return {true};
}
