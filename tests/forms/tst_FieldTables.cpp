#include "CharacterFields.h"
#include "FieldValues.h"
#include "PriceFields.h"

#include <QtTest>

// The field tables behind the prices and characters windows and the checked
// encoding of box texts (the windows' tests cover the common texts on files).
class tst_FieldTables : public QObject {
    Q_OBJECT

private:
    // Every byte the fields take, in order; a byte taken twice shows twice.
    static QList<qint64> covered(const QList<NumberField>& fields)
    {
        QList<qint64> at;
        for (const NumberField& f : fields) {
            for (int i = 0; i < f.width; ++i) {
                at << f.offset + i;
            }
        }
        std::sort(at.begin(), at.end());
        return at;
    }
    static QList<qint64> range(qint64 first, qint64 last)
    {
        QList<qint64> at;
        for (qint64 i = first; i <= last; ++i) {
            at << i;
        }
        return at;
    }

private slots:
    void encodeLimits_data();
    void encodeLimits();
    void pricesCoverRunsAndHerbsOnly();
    void classFieldsCoverTheirBlock();
};

void tst_FieldTables::encodeLimits_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");  // empty: rejected
    QTest::newRow("hex") << 2 << "&H7FFF" << QByteArray("\xFF\x7F", 2);
    QTest::newRow("lowest, rounded to even") << 2 << "-32768.5" << QByteArray("\x00\x80", 2);
    QTest::newRow("9E99") << 2 << "9E99" << QByteArray();
    QTest::newRow("32767.5") << 2 << "32767.5" << QByteArray();
    QTest::newRow("-32769") << 2 << "-32769" << QByteArray();
    QTest::newRow("byte 255") << 1 << "255" << QByteArray("\xFF", 1);
    QTest::newRow("byte -0.5") << 1 << "-0.5" << QByteArray("\x00", 1);
    QTest::newRow("byte -1") << 1 << "-1" << QByteArray();
    QTest::newRow("byte 255.5") << 1 << "255.5" << QByteArray();
}

void tst_FieldTables::encodeLimits()
{
    QFETCH(int, width);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    // A good field before the one under test: a rejection must drop its patch too.
    const FieldValues::Encoding e = FieldValues::Encode({{500, 1}, {1000, width}}, {"1", text});
    QCOMPARE(e.rejected, bytes.isEmpty() ? 1 : -1);
    QCOMPARE(e.patches.size(), bytes.isEmpty() ? 0 : 2);
    if (!bytes.isEmpty()) {
        QCOMPARE(e.patches[1].offset, 1000);
        QCOMPARE(e.patches[1].bytes, bytes);
    }
}

void tst_FieldTables::pricesCoverRunsAndHerbsOnly()
{
    QCOMPARE(covered(PriceFields::Fields()),
             range(3847, 3864) + range(3867, 3882) + range(3887, 3902) + range(3907, 3912));
    QCOMPARE(PriceFields::Prices()[9].caption, QStringLiteral("Staff:"));
    QCOMPARE(PriceFields::Prices()[9].field.offset, 3867);
    QCOMPARE(PriceFields::Prices()[17].caption, QStringLiteral("Cloth:"));
    QCOMPARE(PriceFields::Prices()[17].field.offset, 3887);
}

void tst_FieldTables::classFieldsCoverTheirBlock()
{
    using namespace CharacterFields;
    QList<NumberField> fields = Fields(Boxes());
    for (int c = 0; c < ClassCount; ++c) {
        fields << NumberField{Equip1Offset(c), 1} << NumberField{Equip2Offset(c), 1};
    }
    QCOMPARE(covered(fields), range(0x355ED, 0x3564C));
    QCOMPARE(StatField(Mp, 0).offset, 0x35605);
    QCOMPARE(StatField(DEX, 7).offset, 0x35624);
    QCOMPARE(StatField(Exp, 1).offset, 0x35627);
    QCOMPARE(HerbField(0).offset, 0x35635);
}

QTEST_APPLESS_MAIN(tst_FieldTables)
#include "tst_FieldTables.moc"
