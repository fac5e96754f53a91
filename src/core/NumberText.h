#pragma once

#include <QString>

#include <optional>

// Reading numbers out of the texts the user types and the captions the
// program shows, and putting counts into texts.
namespace NumberText {

// The longest leading part of `text` that reads as a number: blanks are
// skipped, then an optional sign, digits, a decimal point and an exponent
// ("E" or "D", optionally signed). A leading "&H" reads the rest as
// hexadecimal. An empty or non-numeric text gives 0.
double Val(const QString& text);

// The number that the whole of `text`, blanks around it aside, is ("12",
// "-3.5", "1E3", "&H1F"), as Val reads it; nothing for anything else ("ab",
// "12ab", "1 2", an empty text).
std::optional<double> WholeNumber(const QString& text);

// Rounds to the nearest integer, a half going to the even neighbour.
double RoundHalfEven(double value);

// The number `text` is (see WholeNumber) rounded half to even, or nothing
// when it is no number or does not fit in [minimum, maximum].
std::optional<qint64> ToIntegerField(const QString& text, qint64 minimum, qint64 maximum);

// The leading decimal digits of `text` as a number (0 when it starts with none).
int LeadingDigits(const QString& text);

// `one` for a count of 1, else `many`, with %1 replaced by the count:
// Counted(n, "%1 step was left out", "%1 steps were left out").
QString Counted(qint64 count, const QString& one, const QString& many);

}  // namespace NumberText
