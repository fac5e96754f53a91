#include "TestLocale.h"
#include "core/NumberText.h"

#include <QtTest>

class tst_NumberText : public QObject {
    Q_OBJECT

private slots:
    void val_data();
    void val();
    void integerField_data();
    void integerField();
    void integerField_decimalComma();
};

void tst_NumberText::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("digits then letters") << "12ab" << 12.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("decimal") << "2.5" << 2.5;
    QTest::newRow("hex") << "&HFF" << 255.0;
    QTest::newRow("hex lower case") << "&hff" << 255.0;
    QTest::newRow("exponent") << "9E99" << 9e99;
    QTest::newRow("D exponent") << "1D3" << 1000.0;
    QTest::newRow("exponent without digits") << "7E" << 7.0;
    QTest::newRow("leading blank") << " 12" << 12.0;
    QTest::newRow("blanks inside") << "1 2" << 12.0;
    QTest::newRow("negative") << "-1" << -1.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("two points") << "1.2.3" << 1.2;
    QTest::newRow("comma stops") << "1,000" << 1.0;
    QTest::newRow("too large") << "1E400" << qInf();
    QTest::newRow("too small") << "-1E-400" << 0.0;
}

void tst_NumberText::val()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(NumberText::Val(text), value);
}

void tst_NumberText::integerField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("minimum");
    QTest::addColumn<qint64>("maximum");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<qint64>("value");
    QTest::newRow("12ab") << "12ab" << -32768LL << 32767LL << true << 12LL;
    QTest::newRow("empty") << "" << -32768LL << 32767LL << true << 0LL;
    QTest::newRow("half down to even") << "2.5" << -32768LL << 32767LL << true << 2LL;
    QTest::newRow("half up to even") << "3.5" << -32768LL << 32767LL << true << 4LL;
    QTest::newRow("negative half") << "-2.5" << -32768LL << 32767LL << true << -2LL;
    QTest::newRow("9E99 too large") << "9E99" << -32768LL << 32767LL << false << 0LL;
    QTest::newRow("largest 16-bit") << "32767" << -32768LL << 32767LL << true << 32767LL;
    QTest::newRow("rounds past the top") << "32767.5" << -32768LL << 32767LL << false << 0LL;
    QTest::newRow("-1 in a byte") << "-1" << 0LL << 255LL << false << 0LL;
    QTest::newRow("-0.4 rounds to 0") << "-0.4" << 0LL << 255LL << true << 0LL;
    QTest::newRow("256 in a byte") << "256" << 0LL << 255LL << false << 0LL;
}

void tst_NumberText::integerField()
{
    QFETCH(QString, text);
    QFETCH(qint64, minimum);
    QFETCH(qint64, maximum);
    QFETCH(bool, fits);
    QFETCH(qint64, value);
    const auto result = NumberText::ToIntegerField(text, minimum, maximum);
    QCOMPARE(result.has_value(), fits);
    if (fits) {
        QCOMPARE(*result, value);
    }
}

// A German desktop reads "3.5" the same: the decimal point is the program's, not the locale's.
void tst_NumberText::integerField_decimalComma()
{
    QTemporaryDir dir;
    QString why;
    if (!TestLocale::UseDecimalComma(dir, &why)) {
        QSKIP(qPrintable(why));
    }
    QCOMPARE(NumberText::Val(QStringLiteral("2.75E1")), 27.5);
    QCOMPARE(NumberText::ToIntegerField(QStringLiteral("3.5"), -32768, 32767), std::optional<qint64>(4));
    QCOMPARE(NumberText::ToIntegerField(QStringLiteral("32767.5"), -32768, 32767), std::nullopt);
    QCOMPARE(NumberText::ToIntegerField(QStringLiteral("1,5"), 0, 255), std::optional<qint64>(1));
    TestLocale::PinC();
}

QTEST_GUILESS_MAIN(tst_NumberText)
#include "tst_NumberText.moc"
