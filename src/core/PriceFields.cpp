#include "core/PriceFields.h"

#include "core/CharacterFields.h"

namespace PriceFields {

namespace {

QList<Price> makePrices()
{
    QList<Price> prices;
    const auto item = [&](const char* caption, qint64 offset) {
        prices.append(Price{QString::fromLatin1(caption), NumberField{offset, 2}});
    };
    // Three runs of 16-bit slots: 3847..3864, 3867..3882, 3887..3902.
    item("Torch:", 3847);
    item("Gem:", 3849);
    item("Key:", 3851);
    item("Oil:", 3853);
    item("Sextant:", 3855);
    item("Sling:", 3857);
    item("Bow:", 3859);
    item("X-Bow:", 3861);
    item("+1 Bow:", 3863);
    item("Staff:", 3867);
    item("Club:", 3869);
    item("Axe:", 3871);
    item("Sword:", 3873);
    item("+1 Sword:", 3875);
    item("+2 Sword:", 3877);
    item("+1 Axe:", 3879);
    item("Wand:", 3881);
    item("Cloth:", 3887);
    item("Leather:", 3889);
    item("Chain:", 3891);
    item("Ring:", 3893);
    item("+1 Cloth:", 3895);
    item("Plate:", 3897);
    item("+1 Chain:", 3899);
    item("+1 Plate:", 3901);

    // The shops sell the first six of the party's herbs.
    for (int h = 0; h < HerbCount; ++h) {
        prices.append(Price{CharacterFields::HerbCaption(h), NumberField{3907 + h, 1}});
    }
    return prices;
}

}  // namespace

const QList<Price>& Prices()
{
    static const QList<Price> prices = makePrices();
    return prices;
}

QList<NumberField> Fields()
{
    QList<NumberField> fields;
    for (const Price& price : Prices()) {
        fields.append(price.field);
    }
    return fields;
}

}  // namespace PriceFields
