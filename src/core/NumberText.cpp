#include "core/NumberText.h"

#include <cfenv>
#include <cmath>
#include <limits>
#include <string>

namespace NumberText {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// The text without the blanks that the reader skips.
QString withoutBlanks(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (!isBlank(c)) {
            out.append(c);
        }
    }
    return out;
}

double readHex(const QString& digits)
{
    double value = 0;
    for (QChar c : digits) {
        const int d = QStringLiteral("0123456789ABCDEF").indexOf(c.toUpper());
        if (d < 0) {
            break;
        }
        value = value * 16 + d;
    }
    return value;
}

} // namespace

double Val(const QString& text)
{
    const QString s = withoutBlanks(text);
    if (s.startsWith(QStringLiteral("&H"), Qt::CaseInsensitive)) {
        return readHex(s.mid(2));
    }

    // Collect the longest prefix of the form [sign] digits [. digits] [E [sign] digits].
    std::string number;
    qsizetype i = 0;
    const auto peek = [&](qsizetype at) { return at < s.size() ? s[at] : QChar(); };
    if (peek(i) == u'+' || peek(i) == u'-') {
        number += static_cast<char>(peek(i).unicode());
        ++i;
    }
    bool anyDigit = false;
    while (peek(i).isDigit() && peek(i).unicode() < 128) {
        number += static_cast<char>(peek(i).unicode());
        anyDigit = true;
        ++i;
    }
    if (peek(i) == u'.') {
        number += '.';
        ++i;
        while (peek(i).isDigit() && peek(i).unicode() < 128) {
            number += static_cast<char>(peek(i).unicode());
            anyDigit = true;
            ++i;
        }
    }
    if (!anyDigit) {
        return 0;
    }
    const QChar e = peek(i).toUpper();
    if (e == u'E' || e == u'D') {
        qsizetype j = i + 1;
        std::string exponent = "e";
        if (peek(j) == u'+' || peek(j) == u'-') {
            exponent += static_cast<char>(peek(j).unicode());
            ++j;
        }
        bool expDigit = false;
        while (peek(j).isDigit() && peek(j).unicode() < 128) {
            exponent += static_cast<char>(peek(j).unicode());
            expDigit = true;
            ++j;
        }
        if (expDigit) {
            number += exponent;
        }
    }
    // strtod gives +-HUGE_VAL for a number too large, which no field accepts.
    return std::strtod(number.c_str(), nullptr);
}

double RoundHalfEven(double value)
{
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(previous);
    return rounded;
}

std::optional<qint64> ToIntegerField(const QString& text, qint64 minimum, qint64 maximum)
{
    const double rounded = RoundHalfEven(Val(text));
    if (!std::isfinite(rounded) || rounded < static_cast<double>(minimum) ||
        rounded > static_cast<double>(maximum)) {
        return std::nullopt;
    }
    return static_cast<qint64>(rounded);
}

int LeadingDigits(const QString& text)
{
    int value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') {
            break;
        }
        value = value * 10 + (c.unicode() - u'0');
        if (value > 1'000'000) {
            break;
        }
    }
    return value;
}

} // namespace NumberText
