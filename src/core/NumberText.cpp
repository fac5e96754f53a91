#include "core/NumberText.h"

#include <algorithm>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

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

// The hexadecimal digits at the start of `digits`; `used` receives how many there were.
double readHex(const QString& digits, qsizetype* used)
{
    double value = 0;
    *used = 0;
    for (QChar c : digits) {
        const int d = QStringLiteral("0123456789ABCDEF").indexOf(c.toUpper());
        if (d < 0) {
            break;
        }
        value = value * 16 + d;
        ++*used;
    }
    return value;
}

// The value of `number`, "[-]digits[.digits][e[sign]digits]", read the same
// way under every locale (strtod would take the desktop's decimal comma).
// Too large gives an infinity, which no field accepts; too small gives zero.
double readDecimal(const std::string& number)
{
    const bool negative = !number.empty() && number.front() == '-';
    const char* first = number.data() + (negative ? 1 : 0);
    const char* last = number.data() + number.size();
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // The decimal exponent of the first significant digit tells overflow from underflow.
        const std::string_view text(first, static_cast<std::size_t>(last - first));
        const std::size_t e = std::min(text.find('e'), text.size());
        const std::string_view mantissa = text.substr(0, e);
        long exponent = 0;
        if (e < text.size()) {
            const char* from = text.data() + e + 1;
            from += *from == '+' ? 1 : 0;
            if (std::from_chars(from, last, exponent).ec == std::errc::result_out_of_range) {
                exponent = *from == '-' ? -100000 : 100000;
            }
        }
        const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
        const std::size_t digit = std::min(mantissa.find_first_of("123456789"), mantissa.size());
        const long leading = digit < point ? static_cast<long>(point - digit) - 1 : -static_cast<long>(digit - point);
        value = std::clamp(exponent, -100000L, 100000L) + leading > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc() || end != last) {
        value = 0;
    }
    return negative ? -value : value;
}

// The number at the start of `s`, as Val reads it; `used` receives how many
// characters it took (0 when `s` starts with no number).
double scan(const QString& s, qsizetype* used)
{
    *used = 0;
    if (s.startsWith(QStringLiteral("&H"), Qt::CaseInsensitive)) {
        qsizetype digits = 0;
        const double value = readHex(s.mid(2), &digits);
        *used = digits > 0 ? 2 + digits : 0;
        return value;
    }

    // Collect the longest prefix of the form [sign] digits [. digits] [E [sign] digits].
    std::string number;
    qsizetype i = 0;
    const auto peek = [&](qsizetype at) { return at < s.size() ? s[at] : QChar(); };
    if (peek(i) == u'+' || peek(i) == u'-') {
        if (peek(i) == u'-') {
            number += '-';
        }
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
    *used = i;
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
            *used = j;
        }
    }
    return readDecimal(number);
}

}  // namespace

double Val(const QString& text)
{
    qsizetype used = 0;
    return scan(withoutBlanks(text), &used);
}

std::optional<double> WholeNumber(const QString& text)
{
    // The blanks the reader skips, and only those, around the number.
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlank(text[first])) {
        ++first;
    }
    while (last > first && isBlank(text[last - 1])) {
        --last;
    }
    const QString s = text.mid(first, last - first);
    qsizetype used = 0;
    const double value = scan(s, &used);
    if (used == 0 || used != s.size()) {
        return std::nullopt;
    }
    return value;
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
    const std::optional<double> number = WholeNumber(text);
    if (!number) {
        return std::nullopt;
    }
    const double rounded = RoundHalfEven(*number);
    if (!std::isfinite(rounded) || rounded < static_cast<double>(minimum) || rounded > static_cast<double>(maximum)) {
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

QString Counted(qint64 count, const QString& one, const QString& many)
{
    return (count == 1 ? one : many).arg(count);
}

}  // namespace NumberText
