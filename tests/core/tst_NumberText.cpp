#include "FileLayout.h"
#include "TestLocale.h"
#include "core/CharacterFields.h"
#include "core/NumberText.h"
#include "core/PriceFields.h"

#include <QtTest>

class tst_NumberText : public QObject {
    Q_OBJECT

private slots:
    void integerField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("minimum");
        QTest::addColumn<qint64>("maximum");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<qint64>("value");
        QTest::addColumn<bool>("decimalComma");  // read under a German C library locale
        // Only a whole number is taken: a letter is never read as 0.
        QTest::newRow("12ab") << "12ab" << -32768LL << 32767LL << false << 0LL << false;
        QTest::newRow("ab") << "ab" << 0LL << 255LL << false << 0LL << false;
        QTest::newRow("empty") << "" << -32768LL << 32767LL << false << 0LL << false;
        QTest::newRow("a sign alone") << "-" << -32768LL << 32767LL << false << 0LL << false;
        QTest::newRow("a prefix alone") << "&H" << 0LL << 255LL << false << 0LL << false;
        QTest::newRow("blanks inside") << "1 2" << -32768LL << 32767LL << false << 0LL << false;
        QTest::newRow("blanks around, hexadecimal") << " &H1F\t" << 0LL << 255LL << true << 31LL << false;
        QTest::newRow("hexadecimal in lower case") << "&hff" << 0LL << 255LL << true << 255LL << false;
        QTest::newRow("D exponent") << "1D3" << -32768LL << 32767LL << true << 1000LL << false;
        QTest::newRow("exponent without digits") << "7E" << -32768LL << 32767LL << false << 0LL << false;
        QTest::newRow("two points") << "1.2.3" << -32768LL << 32767LL << false << 0LL << false;
        QTest::newRow("a comma") << "1,000" << -32768LL << 32767LL << false << 0LL << false;
        QTest::newRow("too small to be other than 0") << "-1E-400" << 0LL << 255LL << true << 0LL << false;
        QTest::newRow("half down to even") << "2.5" << -32768LL << 32767LL << true << 2LL << false;
        QTest::newRow("half up to even") << "3.5" << -32768LL << 32767LL << true << 4LL << false;
        QTest::newRow("9E99 too large") << "9E99" << -32768LL << 32767LL << false << 0LL << false;
        QTest::newRow("largest 16-bit") << "32767" << -32768LL << 32767LL << true << 32767LL << false;
        QTest::newRow("rounds past the top") << "32767.5" << -32768LL << 32767LL << false << 0LL << false;
        QTest::newRow("-1 in a byte") << "-1" << 0LL << 255LL << false << 0LL << false;
        QTest::newRow("-0.4 rounds to 0") << "-0.4" << 0LL << 255LL << true << 0LL << false;
        // The decimal point is the program's, not the desktop's.
        QTest::newRow("3.5 under a decimal comma") << "3.5" << -32768LL << 32767LL << true << 4LL << true;
    }

    void integerField()
    {
        QFETCH(QString, text);
        QFETCH(qint64, minimum);
        QFETCH(qint64, maximum);
        QFETCH(bool, fits);
        QFETCH(qint64, value);
        QFETCH(bool, decimalComma);
        QTemporaryDir dir;
        QString why;
        if (decimalComma && !TestLocale::UseDecimalComma(dir, &why)) {
            QSKIP(qPrintable(why));
        }
        const auto result = NumberText::ToIntegerField(text, minimum, maximum);
        TestLocale::PinC();
        QCOMPARE(result.has_value(), fits);
        if (fits) {
            QCOMPARE(*result, value);
        }
    }

    void gameFields_data()
    {
        QTest::addColumn<bool>("classes");  // the class table's boxes, else the prices'
        QTest::addColumn<int>("box");  // in the order of FileLayout::Boxes
        QTest::addColumn<QString>("typed");  // as many characters as the box takes
        QTest::addColumn<QByteArray>("written");  // empty: refused, with the class table's message
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, bool classes, int box, const char* typed, const QByteArray& written,
                            const char* message = "") {
            QTest::newRow(name) << classes << box << QString(typed) << written << QString(message);
        };
        row("Oil, 32767", false, 3, "32767", "\xFF\x7F");
        row("Moss, three typed", false, 29, "1234", "\x7B");
        row("item 9E99", false, 3, "9E99", {});
        row("starting Moss, three typed", true, 60, "2550", "\xFF");
        row("Bard level, three typed", true, 1, "2050", "\xCD");
        row("Ranger exp, -32768", true, 54, "-327689", QByteArray("\x00\x80", 2));
        row("hp 9E99", true, 13, "9E99", {}, "The Paladin's hit points must be a whole number from -32768 to 32767.");
        row("ab in Mage level", true, 0, "ab", {}, "The Mage's level must be a whole number from 0 to 255.");
        row("herb -1 of the class table", true, 62, "-1", {},
            "The party's starting Fungus must be a whole number from 0 to 255.");
    }

    // A box of the prices or the class table at its offset and width, what a user
    // can type into it and what a save makes of that: those bytes, or the refusal.
    void gameFields()
    {
        QFETCH(bool, classes);
        QFETCH(int, box);
        QFETCH(QString, typed);
        const QList<CharacterFields::Box> boxes = CharacterFields::Boxes();
        const NumberField field = classes ? boxes[box].field : PriceFields::Fields()[box];
        const FileLayout::Box layout =
            FileLayout::Boxes(classes ? FileLayout::Route::Characters : FileLayout::Route::Prices)[box];
        QCOMPARE(QPair(field.offset, field.width), QPair(layout.offset, layout.width));
        const FieldValues::Encoding encoding = FieldValues::Encode({field}, {typed.left(field.typingLimit())});
        QTEST(encoding.patches.value(0, {field.offset, {}}).bytes, "written");
        QCOMPARE(encoding.patches.value(0).offset, encoding.rejected < 0 ? field.offset : 0);
        QTEST(classes && encoding.rejected == 0 ? FieldValues::RangeText(CharacterFields::BoxName(boxes[box]), field)
                                                : QString(),
              "message");
    }
};

QTEST_GUILESS_MAIN(tst_NumberText)
#include "tst_NumberText.moc"
