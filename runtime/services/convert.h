#pragma once
// Text <-> value conversions with the classic BASIC rules, always in the
// en-US form ("." decimal point) whatever the user's locale says, so that
// texts the program stores read back the same everywhere.
// Failures throw rt::RuntimeError (TypeMismatch, Overflow).
#include <QString>
#include <QtGlobal>

namespace rt {

// Blanks that surround a value in a text: spaces and tabs.
bool IsBlank(QChar c);
QStringView TrimBlanks(QStringView s);

// Round to the nearest whole number, halves to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Throws Overflow when the result does
// not fit in 64 bits (or for NaN).
qint64 RoundToEven(double value);

// "True"/"False" in any letter case, or a number (zero is false).
bool CBool(const QString& text);
// A number rounded half to even into -32768..32767; "True"/"False" give -1/0.
short CInt(const QString& text);
// A number: blanks around it, sign, decimals and exponent allowed.
float CSng(const QString& text);
double CDbl(const QString& text);

QString CStr(bool value);  // "True" / "False"
QString CStr(short value);
QString CStr(int value);
// Up to 7 (float) or 15 (double) significant digits, the shortest form that
// reads back as the same value at that precision; plain notation unless the
// number is very large or very small ("1.234568E+08", "1E-06").
QString CStr(float value);
QString CStr(double value);
// A pointer would otherwise silently become a bool.
QString CStr(const void*) = delete;

} // namespace rt
