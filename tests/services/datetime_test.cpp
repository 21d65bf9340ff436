#include "runtime/services/datetime.h"

#include "runtime/error.h"
#include "support/errors.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace rt;

namespace {

using testsupport::errorOf;

} // namespace

TEST(DateTime, CountsWholeSecondsFromTheZeroDate) {
    EXPECT_EQ(DateTime::fromParts(1899, 12, 30), DateTime());
    const DateTime t = DateTime::timeOfDay(21, 5, 7);
    EXPECT_TRUE(t.isZeroDate());
    EXPECT_EQ(t.timeOfDaySeconds(), 21 * 3600 + 5 * 60 + 7);

    // Before the zero date the day counts down and the time still runs forward.
    const DateTime before = DateTime::fromSeconds(-3600);
    EXPECT_EQ(before.dayNumber(), -1);
    EXPECT_EQ(before, DateTime::fromParts(1899, 12, 29, 23, 0, 0));
    EXPECT_EQ(before.day(), 29);
    EXPECT_EQ(before.hour(), 23);
    EXPECT_LT(before, DateTime());

    const DateTime y2k = DateTime::fromParts(2000, 1, 1, 13, 14, 15);
    EXPECT_EQ(y2k.dayNumber(), 36526);
    EXPECT_EQ(y2k.weekday(), 7); // a Saturday
    EXPECT_EQ(y2k.year() * 10000 + y2k.month() * 100 + y2k.day(), 20000101);
    EXPECT_EQ(y2k.minute() * 100 + y2k.second(), 1415);
}

TEST(DateTime, RejectsImpossibleFieldsAndYearsOutOfRange) {
    EXPECT_EQ(errorOf([] { DateTime::fromParts(99, 12, 31); }), err::Overflow);
    EXPECT_EQ(errorOf([] { DateTime::fromParts(10000, 1, 1); }), err::Overflow);
    EXPECT_EQ(errorOf([] { DateTime::fromSeconds(DateTime::minValue().totalSeconds() - 1); }),
              err::Overflow);
    EXPECT_EQ(errorOf([] { DateTime::fromParts(1900, 2, 29); }), err::InvalidCall);
    EXPECT_EQ(errorOf([] { DateTime::fromParts(2000, 2, 29); }), 0);
    EXPECT_EQ(errorOf([] { DateTime::timeOfDay(24, 0, 0); }), err::InvalidCall);
}

TEST(DateTimeText, DefaultTextsReadBack) {
    const std::pair<DateTime, const char*> cases[] = {
        {DateTime::timeOfDay(21, 5, 7), "9:05:07 PM"},
        {DateTime::timeOfDay(0, 0, 0), "12:00:00 AM"},
        {DateTime::timeOfDay(12, 0, 0), "12:00:00 PM"},
        {DateTime::fromSeconds(-3600), "12/29/1899 11:00:00 PM"},
        {DateTime::fromSeconds(86400), "12/31/1899"},
        {DateTime::fromParts(2024, 2, 29, 9, 30, 0), "2/29/2024 9:30:00 AM"},
        {DateTime::minValue(), "1/1/0100"},
        {DateTime::maxValue(), "12/31/9999 11:59:59 PM"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(CStr(value), text);
        EXPECT_EQ(CDate(text), value) << text;
    }
    const qint64 first = DateTime::minValue().totalSeconds();
    const qint64 step = (DateTime::maxValue().totalSeconds() - first) / 5000;
    for (qint64 i = 0; i < 5000; ++i) {
        const DateTime v = DateTime::fromSeconds(first + step * i + (i * 7919) % 86400);
        ASSERT_EQ(CDate(CStr(v)), v) << CStr(v).toStdString();
    }
}

TEST(DateTimeText, ReadsTheOtherFormsAndRejectsTheRest) {
    EXPECT_EQ(CDate("9:05 PM"), DateTime::timeOfDay(21, 5, 0));
    EXPECT_EQ(CDate("  09:05:07 pm\t"), DateTime::timeOfDay(21, 5, 7));
    EXPECT_EQ(CDate("12:30 am"), DateTime::timeOfDay(0, 30, 0));
    EXPECT_EQ(CDate("21:05:07"), DateTime::timeOfDay(21, 5, 7));
    EXPECT_EQ(CDate("01/02/2020"), DateTime::fromParts(2020, 1, 2));
    EXPECT_EQ(CDate("1/2/2020 13:00:00"), DateTime::fromParts(2020, 1, 2, 13, 0, 0));
    EXPECT_EQ(CDate("1/2/2020   1:00 PM"), DateTime::fromParts(2020, 1, 2, 13, 0, 0));

    for (const char* text : {"", "  ", "hello", "25:00:00", "13:00 PM", "0:30 AM", "9:5 PM",
                             "9:05:60 PM", "9:05:07 PM x", "2/30/2020", "13/1/2020", "1/1/20",
                             "1/1/0099", "1/1/2020 noon", "1/1/2020/1", "-1:00:00"})
        EXPECT_EQ(errorOf([&] { CDate(text); }), err::TypeMismatch) << text;
}

TEST(DateTimeText, NamedFormats) {
    const DateTime v = DateTime::fromParts(2000, 1, 1, 21, 5, 7);
    EXPECT_EQ(FormatDateTime(v, 0), "1/1/2000 9:05:07 PM");
    EXPECT_EQ(FormatDateTime(v, 1), "Saturday, January 1, 2000");
    EXPECT_EQ(FormatDateTime(DateTime::fromParts(2023, 9, 18), 1), "Monday, September 18, 2023");
    EXPECT_EQ(FormatDateTime(v, 2), "1/1/2000");
    EXPECT_EQ(FormatDateTime(v, 3), "9:05:07 PM");
    EXPECT_EQ(FormatDateTime(v, 4), "21:05");
    EXPECT_EQ(FormatDateTime(DateTime::timeOfDay(7, 3, 0), 4), "07:03");
    EXPECT_EQ(errorOf([&] { FormatDateTime(v, 5); }), err::InvalidCall);
}

TEST(DateAdd, CrossesMidnightBothWaysAndChainsThroughTexts) {
    const DateTime forward = DateAdd("s", 1, "11:59:59 PM");
    EXPECT_EQ(CStr(forward), "12/31/1899");
    EXPECT_EQ(FormatDateTime(forward, 3), "12:00:00 AM");
    const DateTime back = DateAdd("h", -1, "12:30:00 AM");
    EXPECT_EQ(CStr(back), "12/29/1899 11:30:00 PM");
    EXPECT_EQ(FormatDateTime(back, 3), "11:30:00 PM");

    // A zone offset applied one unit at a time, each step reading the last text.
    QString text = QStringLiteral("12:00:00 AM");
    text = CStr(DateAdd("h", -11, text));
    text = CStr(DateAdd("n", -59, text));
    text = CStr(DateAdd("s", -59, text));
    EXPECT_EQ(FormatDateTime(CDate(text), 3), "12:00:01 PM");
    EXPECT_EQ(FormatDateTime(DateAdd("h", 11, "10:00:00 PM"), 3), "9:00:00 AM");
}

TEST(DateAdd, RoundsTheNumberAndChecksTheRange) {
    const DateTime zero;
    EXPECT_EQ(DateAdd("s", 2.5, zero).totalSeconds(), 2);
    EXPECT_EQ(DateAdd("s", 3.5, zero).totalSeconds(), 4);
    EXPECT_EQ(DateAdd("N", 1.4, zero).totalSeconds(), 60);
    EXPECT_EQ(DateAdd("d", -1, zero), DateTime::fromParts(1899, 12, 29));

    EXPECT_EQ(errorOf([] { DateAdd("s", 1, DateTime::maxValue()); }), err::InvalidCall);
    EXPECT_EQ(errorOf([] { DateAdd("d", -1, DateTime::minValue()); }), err::InvalidCall);
    for (double n : {1e300, -1e18, std::nan("")})
        EXPECT_EQ(errorOf([&] { DateAdd("h", n, zero); }), err::InvalidCall) << n;
    EXPECT_EQ(errorOf([&] { DateAdd("x", 1, zero); }), err::InvalidCall);
    EXPECT_EQ(errorOf([] { DateAdd("s", 1, "not a time"); }), err::TypeMismatch);
}
