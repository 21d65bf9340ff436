#include "runtime/services/convert.h"

#include "runtime/error.h"
#include "support/errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace rt;

namespace {

using testsupport::errorOf;

template <typename T>
concept Stringable = requires(T v) { rt::CStr(v); };

} // namespace

TEST(RoundToEven, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, qint64> cases[] = {
        {0.5, 0},    {1.5, 2},    {2.5, 2},    {3.5, 4},     {-0.5, 0}, {-1.5, -2},
        {-2.5, -2},  {2.4999, 2}, {2.5001, 3}, {-2.5001, -3}, {1e15 + 0.5, qint64(1e15)},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(RoundToEven(in), out) << in;
    for (double v : {1e19, -1e19, std::nan("")})
        EXPECT_EQ(errorOf([&] { RoundToEven(v); }), err::Overflow) << v;
}

TEST(CInt, ReadsNumbersAndChecksTheRangeAfterRounding) {
    const std::pair<const char*, short> cases[] = {
        {" 12 ", 12},  {"\t-7\t", -7},  {"+7", 7},        {"-0", 0},       {"1e2", 100},
        {"1.5E1", 15}, {"2.5", 2},      {"3.5", 4},       {"-2.5", -2},    {".5", 0},
        {"5.", 5},     {"250E-2", 2},   {"True", -1},     {" fALSE ", 0},  {"32767", 32767},
        {"-32768", -32768}, {"32767.4", 32767}, {"-32768.5", -32768},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(CInt(in), out) << in;
    for (const char* text : {"32768", "-32769", "32767.5", "-32768.6", "1e5", "1e400"})
        EXPECT_EQ(errorOf([&] { CInt(text); }), err::Overflow) << text;
}

TEST(Conversions, RejectNonNumericText) {
    for (const char* text : {"", "   ", "abc", "1 2", "--1", "+-1", "1e", "e5", ".", "+", "12abc",
                             "0x10", "1,000", "1.2.3", "1e+", "Truee"}) {
        EXPECT_EQ(errorOf([&] { CInt(text); }), err::TypeMismatch) << text;
        EXPECT_EQ(errorOf([&] { CDbl(text); }), err::TypeMismatch) << text;
        EXPECT_EQ(errorOf([&] { CSng(text); }), err::TypeMismatch) << text;
        EXPECT_EQ(errorOf([&] { CBool(text); }), err::TypeMismatch) << text;
    }
}

TEST(CBool, WordsInAnyCaseAndNumbers) {
    for (const char* text : {"True", "tRUE", "  TRUE ", "-1", "0.001", "1e400"})
        EXPECT_TRUE(CBool(text)) << text;
    for (const char* text : {"false", "0", " -0.0 ", "1e-400"})
        EXPECT_FALSE(CBool(text)) << text;
}

TEST(CDblCSng, ReadNumbersAndDetectOverflow) {
    EXPECT_DOUBLE_EQ(CDbl(" -3.5 "), -3.5);
    EXPECT_DOUBLE_EQ(CDbl("1E-2"), 0.01);
    EXPECT_DOUBLE_EQ(CDbl("+.25"), 0.25);
    EXPECT_EQ(CDbl("1e-400"), 0.0); // underflow is zero, not an error
    EXPECT_EQ(CSng(" 2520 "), 2520.0f);
    EXPECT_EQ(CSng("-3.4028234e38"), -std::numeric_limits<float>::max());
    for (const char* text : {"1e400", "-1e309"})
        EXPECT_EQ(errorOf([&] { CDbl(text); }), err::Overflow) << text;
    for (const char* text : {"3.5e38", "-3.5e38", "1e400"})
        EXPECT_EQ(errorOf([&] { CSng(text); }), err::Overflow) << text;
}

TEST(CStr, NumbersAndBooleans) {
    EXPECT_EQ(CStr(true), "True");
    EXPECT_EQ(CStr(false), "False");
    EXPECT_EQ(CStr(short(-32768)), "-32768");
    EXPECT_EQ(CStr(1), "1"); // an int must not turn into "True"
    static_assert(!Stringable<const char*>);

    const std::pair<float, const char*> singles[] = {
        {2520.0f, "2520"},       {-150.0f, "-150"},   {1.5f, "1.5"},
        {0.1f, "0.1"},           {-0.0f, "0"},        {1.0f / 3.0f, "0.3333333"},
        {1234567.0f, "1234567"}, {12345678.0f, "1.234568E+07"},
        {0.00001f, "0.00001"},   {0.000001f, "1E-06"}, {100.25f, "100.25"},
    };
    for (const auto& [in, out] : singles)
        EXPECT_EQ(CStr(in), out) << out;
    EXPECT_EQ(CStr(0.1 + 0.2), "0.3");
    EXPECT_EQ(CStr(1e15), "1E+15");
    EXPECT_EQ(CStr(123456789012345.0), "123456789012345");
}
