#include "runtime/services/datetime.h"

#include "runtime/error.h"
#include "runtime/services/convert.h"

#include <QRegularExpression>

#include <array>

namespace rt {

namespace {

constexpr qint64 secondsPerDay = 86400;

// Days since 1 January 1970 in the proleptic Gregorian calendar.
constexpr qint64 daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const qint64 yoe = y - era * 400;
    const qint64 doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const qint64 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct Civil {
    int year, month, day;
};

constexpr Civil civilFromDays(qint64 z) {
    z += 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    const int d = int(doy - (153 * mp + 2) / 5 + 1);
    const int m = int(mp < 10 ? mp + 3 : mp - 9);
    return {int(yoe + era * 400 + (m <= 2)), m, d};
}

constexpr qint64 zeroDay = daysFromCivil(1899, 12, 30);
constexpr qint64 minSeconds = (daysFromCivil(100, 1, 1) - zeroDay) * secondsPerDay;
constexpr qint64 maxSeconds = (daysFromCivil(9999, 12, 31) - zeroDay + 1) * secondsPerDay - 1;

constexpr bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

constexpr int daysInMonth(int y, int m) {
    constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : days[std::size_t(m - 1)];
}

constexpr qint64 floorDiv(qint64 a, qint64 b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

const std::array<const char*, 7> weekdayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                              "Thursday", "Friday", "Saturday"};
const std::array<const char*, 12> monthNames{"January", "February", "March",     "April",
                                             "May",     "June",     "July",      "August",
                                             "September", "October", "November", "December"};

[[noreturn]] void invalidCall(const char* what) { throw RuntimeError(err::InvalidCall, what); }

bool validTime(int h, int n, int s) {
    return h >= 0 && h < 24 && n >= 0 && n < 60 && s >= 0 && s < 60;
}

QString shortDate(const DateTime& v) {
    return QStringLiteral("%1/%2/%3").arg(v.month()).arg(v.day()).arg(v.year(), 4, 10, QChar(u'0'));
}

QString longTime(const DateTime& v) {
    const int h12 = v.hour() % 12 == 0 ? 12 : v.hour() % 12;
    return QStringLiteral("%1:%2:%3 %4")
        .arg(h12)
        .arg(v.minute(), 2, 10, QChar(u'0'))
        .arg(v.second(), 2, 10, QChar(u'0'))
        .arg(v.hour() < 12 ? u"AM" : u"PM");
}

struct ParsedTime {
    bool ok = false;
    int seconds = 0;
};

ParsedTime parseTime(QStringView s) {
    static const QRegularExpression twelve(
        QStringLiteral("^([0-9]{1,2}):([0-9]{2})(?::([0-9]{2}))?[ \\t]+([AaPp][Mm])$"));
    static const QRegularExpression twentyFour(
        QStringLiteral("^([0-9]{1,2}):([0-9]{2}):([0-9]{2})$"));

    if (const auto m = twelve.match(s.toString()); m.hasMatch()) {
        const int h = m.capturedView(1).toInt();
        const int n = m.capturedView(2).toInt();
        const int sec = m.hasCaptured(3) ? m.capturedView(3).toInt() : 0;
        const bool pm = m.capturedView(4).front().toUpper() == u'P';
        if (h < 1 || h > 12 || !validTime(0, n, sec))
            return {};
        return {true, ((h % 12) + (pm ? 12 : 0)) * 3600 + n * 60 + sec};
    }
    if (const auto m = twentyFour.match(s.toString()); m.hasMatch()) {
        const int h = m.capturedView(1).toInt();
        const int n = m.capturedView(2).toInt();
        const int sec = m.capturedView(3).toInt();
        if (!validTime(h, n, sec))
            return {};
        return {true, h * 3600 + n * 60 + sec};
    }
    return {};
}

} // namespace

DateTime DateTime::fromParts(int year, int month, int day, int hour, int minute, int second) {
    if (year < 100 || year > 9999)
        throw RuntimeError(err::Overflow, "Overflow: year out of range");
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) ||
        !validTime(hour, minute, second))
        invalidCall("Invalid procedure call: no such date or time");
    const qint64 days = daysFromCivil(year, month, day) - zeroDay;
    return DateTime(days * secondsPerDay + hour * 3600 + minute * 60 + second);
}

DateTime DateTime::timeOfDay(int hour, int minute, int second) {
    if (!validTime(hour, minute, second))
        invalidCall("Invalid procedure call: no such time");
    return DateTime(hour * 3600 + minute * 60 + second);
}

DateTime DateTime::fromSeconds(qint64 seconds) {
    if (seconds < minSeconds || seconds > maxSeconds)
        throw RuntimeError(err::Overflow, "Overflow: date out of range");
    return DateTime(seconds);
}

const DateTime& DateTime::minValue() {
    static const DateTime v(minSeconds);
    return v;
}

const DateTime& DateTime::maxValue() {
    static const DateTime v(maxSeconds);
    return v;
}

qint64 DateTime::dayNumber() const { return floorDiv(seconds_, secondsPerDay); }

int DateTime::timeOfDaySeconds() const { return int(seconds_ - dayNumber() * secondsPerDay); }

int DateTime::year() const { return civilFromDays(dayNumber() + zeroDay).year; }
int DateTime::month() const { return civilFromDays(dayNumber() + zeroDay).month; }
int DateTime::day() const { return civilFromDays(dayNumber() + zeroDay).day; }

int DateTime::weekday() const {
    // 1 January 1970 was a Thursday.
    const qint64 days = dayNumber() + zeroDay;
    return int(((days + 4) % 7 + 7) % 7) + 1;
}

DateTime DateAdd(const QString& interval, double number, const DateTime& date) {
    qint64 unit = 0;
    const QString name = interval.trimmed().toLower();
    if (name == u"s")
        unit = 1;
    else if (name == u"n")
        unit = 60;
    else if (name == u"h")
        unit = 3600;
    else if (name == u"d")
        unit = secondsPerDay;
    else
        invalidCall("Invalid procedure call: unknown interval");

    qint64 count = 0;
    try {
        count = RoundToEven(number);
    } catch (const RuntimeError&) {
        invalidCall("Invalid procedure call: date out of range");
    }
    // Any count beyond the whole supported span is out of range anyway, and
    // checking it first keeps the multiplication from overflowing.
    const qint64 span = maxSeconds - minSeconds;
    if (count > span / unit || count < -span / unit)
        invalidCall("Invalid procedure call: date out of range");
    const qint64 result = date.totalSeconds() + count * unit;
    if (result < minSeconds || result > maxSeconds)
        invalidCall("Invalid procedure call: date out of range");
    return DateTime::fromSeconds(result);
}

DateTime DateAdd(const QString& interval, double number, const QString& dateText) {
    return DateAdd(interval, number, CDate(dateText));
}

QString FormatDateTime(const DateTime& value, int namedFormat) {
    switch (namedFormat) {
    case 0:
        return CStr(value);
    case 1:
        return QStringLiteral("%1, %2 %3, %4")
            .arg(QLatin1StringView(weekdayNames[std::size_t(value.weekday() - 1)]),
                 QLatin1StringView(monthNames[std::size_t(value.month() - 1)]))
            .arg(value.day())
            .arg(value.year(), 4, 10, QChar(u'0'));
    case 2:
        return shortDate(value);
    case 3:
        return longTime(value);
    case 4:
        return QStringLiteral("%1:%2")
            .arg(value.hour(), 2, 10, QChar(u'0'))
            .arg(value.minute(), 2, 10, QChar(u'0'));
    default:
        invalidCall("Invalid procedure call: unknown date format");
    }
}

QString CStr(const DateTime& value) {
    const bool hasDate = !value.isZeroDate();
    const bool hasTime = value.timeOfDaySeconds() != 0;
    if (hasDate && hasTime)
        return shortDate(value) + u' ' + longTime(value);
    if (hasDate)
        return shortDate(value);
    return longTime(value); // includes the zero date at midnight: "12:00:00 AM"
}

DateTime CDate(const QString& text) {
    static const QRegularExpression datePattern(
        QStringLiteral("^([0-9]{1,2})/([0-9]{1,2})/([0-9]{4})(?:[ \\t]+(.*))?$"));
    const QStringView s = TrimBlanks(text);
    auto mismatch = [&]() -> DateTime {
        throw RuntimeError(err::TypeMismatch, "Type mismatch: \"" + text.toStdString() + "\"");
    };

    if (const auto m = datePattern.match(s.toString()); m.hasMatch()) {
        const int month = m.capturedView(1).toInt();
        const int day = m.capturedView(2).toInt();
        const int year = m.capturedView(3).toInt();
        if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 ||
            day > daysInMonth(year, month))
            return mismatch();
        int seconds = 0;
        if (m.hasCaptured(4)) {
            const ParsedTime t = parseTime(m.capturedView(4));
            if (!t.ok)
                return mismatch();
            seconds = t.seconds;
        }
        return DateTime::fromSeconds((daysFromCivil(year, month, day) - zeroDay) * secondsPerDay +
                                     seconds);
    }
    const ParsedTime t = parseTime(s);
    if (!t.ok)
        return mismatch();
    return DateTime::fromSeconds(t.seconds);
}

DateTime Time() {
    const LocalDateTime now = wallClockNow();
    // A leap second shows as :59 rather than failing.
    return DateTime::timeOfDay(now.hour, now.minute, qMin(now.second, 59));
}

DateTime Now() {
    const LocalDateTime now = wallClockNow();
    return DateTime::fromParts(now.year, now.month, now.day, now.hour, now.minute,
                               qMin(now.second, 59));
}

} // namespace rt
