#include "TestLocale.h"
#include "core/NumberText.h"

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
};

QTEST_GUILESS_MAIN(tst_NumberText)
#include "tst_NumberText.moc"
