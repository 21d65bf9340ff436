#include "runtime/services/convert.h"

#include "runtime/error.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace rt {

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

QStringView TrimBlanks(QStringView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.sliced(b, e - b);
}

namespace {

enum class Status { Ok, NotNumber, Overflow };

struct Number {
    Status status = Status::NotNumber;
    double value = 0.0; // +-infinity when Overflow
};

bool isDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// [blanks][+|-](digits[.digits] | .digits)[(e|E)[+|-]digits][blanks].
// Checked by hand and parsed with from_chars so neither the C locale nor
// QLocale can change what "." means.
Number parseNumber(QStringView text) {
    const QStringView s = TrimBlanks(text);
    const qsizetype n = s.size();
    qsizetype i = 0;
    bool negative = false;
    if (i < n && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }

    std::string ascii;
    ascii.reserve(std::size_t(n));
    // Decimal exponent of the leading significant digit, to tell an overflow
    // from an underflow when from_chars reports "out of range".
    long long leading = 0;
    bool seenSignificant = false;
    int mantissaDigits = 0;

    while (i < n && isDigit(s[i])) {
        if (s[i] != u'0' || seenSignificant) {
            if (seenSignificant)
                ++leading;
            seenSignificant = true;
        }
        ascii.push_back(char(s[i].unicode()));
        ++mantissaDigits;
        ++i;
    }
    if (i < n && s[i] == u'.') {
        ascii.push_back('.');
        ++i;
        long long position = -1;
        while (i < n && isDigit(s[i])) {
            if (!seenSignificant && s[i] != u'0') {
                seenSignificant = true;
                leading = position;
            }
            ascii.push_back(char(s[i].unicode()));
            ++mantissaDigits;
            --position;
            ++i;
        }
    }
    if (mantissaDigits == 0)
        return {};

    long long exponent = 0;
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        ascii.push_back('e');
        ++i;
        bool negativeExponent = false;
        if (i < n && (s[i] == u'+' || s[i] == u'-')) {
            negativeExponent = s[i] == u'-';
            ascii.push_back(negativeExponent ? '-' : '+');
            ++i;
        }
        const qsizetype start = i;
        while (i < n && isDigit(s[i])) {
            if (exponent < 1'000'000'000)
                exponent = exponent * 10 + (s[i].unicode() - u'0');
            ascii.push_back(char(s[i].unicode()));
            ++i;
        }
        if (i == start)
            return {};
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != n)
        return {};

    double value = 0.0;
    const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (end != ascii.data() + ascii.size())
        return {};
    if (ec == std::errc::result_out_of_range) {
        if (seenSignificant && leading + exponent > 0)
            return {Status::Overflow, negative ? -std::numeric_limits<double>::infinity()
                                               : std::numeric_limits<double>::infinity()};
        value = 0.0; // too small to tell from zero
    } else if (ec != std::errc()) {
        return {};
    }
    return {Status::Ok, negative ? -value : value};
}

[[noreturn]] void typeMismatch(const QString& text) {
    throw RuntimeError(err::TypeMismatch, "Type mismatch: \"" + text.toStdString() + "\"");
}

[[noreturn]] void overflow(const QString& text) {
    throw RuntimeError(err::Overflow, "Overflow: \"" + text.toStdString() + "\"");
}

// "True"/"False" in any case, blanks around; false when the text is neither.
bool parseBoolWord(QStringView text, bool& value) {
    const QStringView s = TrimBlanks(text);
    if (s.compare(u"True", Qt::CaseInsensitive) == 0) {
        value = true;
        return true;
    }
    if (s.compare(u"False", Qt::CaseInsensitive) == 0) {
        value = false;
        return true;
    }
    return false;
}

double numberOrThrow(const QString& text) {
    const Number number = parseNumber(text);
    if (number.status == Status::NotNumber)
        typeMismatch(text);
    if (number.status == Status::Overflow)
        overflow(text);
    return number.value;
}

// Shortest of 1..maxDigits significant digits that reads back as the value
// rounded to maxDigits digits; then plain or E notation.
template <typename F>
QString formatFloating(F value, int maxDigits) {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    // A whole number of at most maxDigits digits is exact in F and shows as
    // itself: positions and sizes, the usual case, need no digit search.
    if (std::fabs(value) < std::pow(F(10), F(maxDigits)) && value == std::trunc(value))
        return QString::number(static_cast<qint64>(value));

    char buf[64];
    auto scientific = [&](int digits) {
        const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific,
                                     digits - 1);
        return std::string(buf, r.ptr);
    };
    auto readBack = [](const std::string& s) {
        F v{};
        std::from_chars(s.data(), s.data() + s.size(), v);
        return v;
    };
    // The value as it looks at full allowed precision; shorter forms must match it.
    const F target = readBack(scientific(maxDigits));
    std::string text;
    for (int digits = 1; digits <= maxDigits; ++digits) {
        text = scientific(digits);
        if (readBack(text) == target)
            break;
    }

    // text is "[-]d[.ddd]e[+-]xx"
    const bool negative = text[0] == '-';
    const std::size_t ePos = text.find('e');
    const std::string mantissa = text.substr(negative ? 1 : 0, ePos - (negative ? 1 : 0));
    const int exponent = std::stoi(text.substr(ePos + 1));
    std::string digits;
    for (char c : mantissa)
        if (c != '.')
            digits.push_back(c);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = negative ? "-" : "";
    if (exponent >= maxDigits || exponent < -5) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out += digits.substr(1);
        }
        out += exponent < 0 ? "E-" : "E+";
        const int magnitude = std::abs(exponent);
        if (magnitude < 10)
            out += '0';
        out += std::to_string(magnitude);
    } else if (exponent < 0) {
        out += "0.";
        out += std::string(std::size_t(-exponent - 1), '0');
        out += digits;
    } else {
        const std::size_t intDigits = std::size_t(exponent) + 1;
        if (digits.size() <= intDigits) {
            out += digits;
            out += std::string(intDigits - digits.size(), '0');
        } else {
            out += digits.substr(0, intDigits);
            out += '.';
            out += digits.substr(intDigits);
        }
    }
    return QString::fromLatin1(out);
}

} // namespace

qint64 RoundToEven(double value) {
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double limit = 9223372036854775808.0;
    if (std::isnan(value) || value >= limit || value < -limit)
        throw RuntimeError(err::Overflow, "Overflow");
    const double floor = std::floor(value);
    const double fraction = value - floor; // exact for doubles
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        rounded = floor + 1.0;
    if (rounded >= limit)
        throw RuntimeError(err::Overflow, "Overflow");
    return qint64(rounded);
}

bool CBool(const QString& text) {
    bool value = false;
    if (parseBoolWord(text, value))
        return value;
    const Number number = parseNumber(text);
    if (number.status == Status::NotNumber)
        typeMismatch(text);
    return number.value != 0.0; // an overflowing number is still not zero
}

short CInt(const QString& text) {
    bool word = false;
    if (parseBoolWord(text, word))
        return word ? -1 : 0;
    const double value = numberOrThrow(text);
    // The range applies to the rounded number: 32767.5 becomes 32768 and
    // overflows, -32768.5 becomes -32768 and fits.
    if (std::fabs(value) < 65536.0) {
        const qint64 rounded = RoundToEven(value);
        if (rounded >= -32768 && rounded <= 32767)
            return short(rounded);
    }
    overflow(text);
}

float CSng(const QString& text) {
    const double value = numberOrThrow(text);
    // Halfway between FLT_MAX and the next power of two: from there on the
    // nearest float is infinity.
    constexpr double floatOverflow = 0x1.ffffffp+127;
    if (std::fabs(value) >= floatOverflow)
        overflow(text);
    return float(value);
}

double CDbl(const QString& text) { return numberOrThrow(text); }

QString CStr(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

QString CStr(short value) { return QString::number(value); }

QString CStr(int value) { return QString::number(value); }

QString CStr(float value) { return formatFloating(value, 7); }

QString CStr(double value) { return formatFloating(value, 15); }

} // namespace rt
