#pragma once
// Date-time values and their en-US texts. A value is a whole count of seconds
// from the zero date, 30 December 1899 00:00:00; a time of day alone is a
// value on the zero date. Failures throw rt::RuntimeError.
#include <QString>
#include <QtGlobal>

#include <compare>

namespace rt {

// The host's local wall clock, broken down.
struct LocalDateTime {
    int year, month, day, hour, minute, second, msec;
};

// Defined by the forms runtime, which asks its host.
LocalDateTime wallClockNow();

class DateTime {
public:
    // The zero date at midnight.
    constexpr DateTime() = default;

    // Years 100..9999 only: anything else throws Overflow. Out-of-range
    // month/day/hour/minute/second fields throw InvalidCall.
    static DateTime fromParts(int year, int month, int day, int hour = 0, int minute = 0,
                              int second = 0);
    // The time of day on the zero date.
    static DateTime timeOfDay(int hour, int minute, int second);
    // Seconds from the zero date; throws Overflow outside years 100..9999.
    static DateTime fromSeconds(qint64 seconds);

    qint64 totalSeconds() const { return seconds_; }
    // Whole days from the zero date; the day before it is -1.
    qint64 dayNumber() const;
    int timeOfDaySeconds() const;
    bool isZeroDate() const { return dayNumber() == 0; }

    int year() const;
    int month() const;
    int day() const;
    int hour() const { return timeOfDaySeconds() / 3600; }
    int minute() const { return timeOfDaySeconds() / 60 % 60; }
    int second() const { return timeOfDaySeconds() % 60; }
    // 1 = Sunday .. 7 = Saturday.
    int weekday() const;

    static const DateTime& minValue(); // 1/1/100 00:00:00
    static const DateTime& maxValue(); // 12/31/9999 23:59:59

    friend auto operator<=>(const DateTime&, const DateTime&) = default;

private:
    constexpr explicit DateTime(qint64 seconds) : seconds_(seconds) {}
    qint64 seconds_ = 0;
};

// Adds a whole number of intervals: "h", "n" (minutes), "s" or "d", any case.
// The number is rounded half to even first. An unknown interval or a result
// outside the supported years throws InvalidCall.
DateTime DateAdd(const QString& interval, double number, const DateTime& date);
// Reads the date text with CDate first (TypeMismatch when unreadable).
DateTime DateAdd(const QString& interval, double number, const QString& dateText);

constexpr int vbGeneralDate = 0;
constexpr int vbLongDate = 1;
constexpr int vbShortDate = 2;
constexpr int vbLongTime = 3;
constexpr int vbShortTime = 4;

// 0 general (as CStr), 1 long date "dddd, MMMM d, yyyy", 2 short date
// "M/d/yyyy", 3 long time "h:mm:ss AM/PM", 4 short time "HH:mm".
// Other formats throw InvalidCall.
QString FormatDateTime(const DateTime& value, int namedFormat = 0);

// "M/d/yyyy h:mm:ss AM/PM", leaving out the date on the zero date and the time
// at midnight; the zero date at midnight is "12:00:00 AM".
QString CStr(const DateTime& value);

// Reads "h:mm:ss AM/PM", "h:mm AM/PM", "H:mm:ss", "M/d/yyyy" or a date then a
// time, blanks around allowed. Anything else throws TypeMismatch.
DateTime CDate(const QString& text);

// Today's time of day (on the zero date), and the current date and time.
DateTime Time();
DateTime Now();

} // namespace rt
