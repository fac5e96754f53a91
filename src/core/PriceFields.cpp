#include "core/PriceFields.h"

namespace PriceFields {

namespace {

QList<Price> makePrices()
{
    QList<Price> prices;
    const auto item = [&](const char* caption, int column, int top, qint64 offset) {
        prices.append(Price{QString::fromLatin1(caption), column, top, NumberField{offset, 2}});
    };
    // Three runs of 16-bit slots: 3847..3864, 3867..3882, 3887..3902.
    item("Torch:", 1, 600, 3847);
    item("Gem:", 1, 960, 3849);
    item("Key:", 1, 1320, 3851);
    item("Oil:", 1, 1680, 3853);
    item("Sextant:", 1, 2040, 3855);
    item("Sling:", 1, 2400, 3857);
    item("Bow:", 1, 2760, 3859);
    item("X-Bow:", 1, 3120, 3861);
    item("+1 Bow:", 1, 3480, 3863);
    item("Staff:", 1, 3840, 3867);
    item("Club:", 1, 4200, 3869);
    item("Axe:", 1, 4560, 3871);
    item("Sword:", 1, 4920, 3873);
    item("+1 Sword:", 1, 5280, 3875);
    item("+2 Sword:", 1, 5640, 3877);
    item("+1 Axe:", 2, 600, 3879);
    item("Wand:", 2, 960, 3881);
    item("Cloth:", 2, 1320, 3887);
    item("Leather:", 2, 1680, 3889);
    item("Chain:", 2, 2040, 3891);
    item("Ring:", 2, 2400, 3893);
    item("+1 Cloth:", 2, 2760, 3895);
    item("Plate:", 2, 3120, 3897);
    item("+1 Chain:", 2, 3480, 3899);
    item("+1 Plate:", 2, 3840, 3901);

    const char* herbs[HerbCount] = {"Ash:", "Ginseng:", "Garlic:", "Silkweb:", "Moss:", "Pearl:"};
    for (int h = 0; h < HerbCount; ++h) {
        prices.append(Price{QString::fromLatin1(herbs[h]), 2, 4320 + 360 * h, NumberField{3907 + h, 1}});
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
