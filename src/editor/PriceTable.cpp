#include "editor/PriceTable.h"

#include "core/CartridgeFile.h"
#include "core/MapDocument.h"
#include "core/PriceFields.h"
#include "editor/GameMessages.h"
#include "editor/Platform.h"

PriceTable::PriceTable(Platform& platform, const MapDocument& document, QObject* parent)
    : QObject(parent), m_platform(platform), m_document(document)
{
}

bool PriceTable::read(const QString& windowTitle)
{
    QString error;
    const auto block = CartridgeFile::read(m_document.cartridge().CartridgePath(), PriceFields::BlockStart,
                                           PriceFields::BlockLength, &error);
    if (!block) {
        GameMessages::ReportUnreadable(m_platform, windowTitle, error);
        return false;
    }
    QStringList texts;
    for (const PriceFields::Price& price : PriceFields::Prices()) {
        texts.append(FieldValues::Text(*block, PriceFields::BlockStart, price.field));
    }
    m_texts = texts;
    emit changed();
    return true;
}

PriceTable::Outcome PriceTable::save(const QStringList& texts)
{
    const FieldValues::Encoding encoding = FieldValues::Encode(PriceFields::Fields(), texts);
    if (encoding.rejected >= 0) {
        const PriceFields::Price& price = PriceFields::Prices()[encoding.rejected];
        m_platform.message(
            QStringLiteral("Value out of range"),
            FieldValues::RangeText(QStringLiteral("The price of ") + price.caption.chopped(1), price.field),
            Platform::Icon::Exclamation);
        return {false, encoding.rejected};
    }
    QString error;
    if (!CartridgeFile::patch(m_document.cartridge().CartridgePath(), encoding.patches, &error,
                              PriceFields::RequiredLength)) {
        m_platform.message(QStringLiteral("Prices not saved"), error, Platform::Icon::Critical);
        return {};
    }
    m_texts = texts;
    emit changed();
    return {true};
}
