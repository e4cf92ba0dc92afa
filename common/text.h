#pragma once

#include <string>
#include <string_view>

// Every text rule of the program lives here, so the grid, the command line and the files
// show a number the same way byte for byte.
namespace lumavo {

// x / 10^decimals rounded to the nearest integer, ties to even, times 10^decimals.
// decimals may be negative (-4: whole ten-thousands).
double RoundToDecimals(double x, int decimals);

// "0.00": two decimals, halves away from zero, never "-0.00".
std::string MoneyText(double x);
// "0.000": three decimals, the same rounding.
std::string RateText(double x);
// "0": a whole number, the same rounding.
std::string CountText(double x);
// The mask of a number field with that many decimals: 0 "0", 2 "0.00", otherwise "0.000".
std::string MaskedText(double x, int decimals);

// Shortest text that gives the value to 15 significant digits: "5.94", "6", "12500.5";
// exponent form ("1E15", "1.5E-6") only at 10^15 and above or below 0.00001.
std::string GeneralNumberText(double x);

// A number as the program's number fields and files accept it: optional blanks around, an
// optional sign, digits with at most one ".", an optional exponent. No thousands separators,
// no "inf"/"nan", nothing that overflows.
bool ParseNumber(std::string_view text, double& out);

// A number as people copy it from a bank's page or a chat, rewritten as a number field takes it
// typed: thousands separators (",", "，" or blanks, between groups of three), a leading ¥ or ￥,
// a trailing 元, full-width digits and point, and 万 for ten thousand ("100.5万元" gives
// "1005000"). The result has no leading or trailing zeros to spare ("0.5", "12", never "12.50").
// No sign and no exponent: the fields take neither. False for anything else, "1,5" included:
// a separator before fewer than three digits may be a decimal comma.
bool NormalizePastedNumber(std::string_view text, std::string& out);

// An optional sign followed by decimal digits, fitting an int.
bool ParseWholeNumber(std::string_view text, int& out);

// Decimal digits only, at least one.
bool ParseDigits(std::string_view text, int& out);

// value written with at least width digits, zero padded ("0000", "00").
std::string PadNumber(int value, int width);

std::string Trim(std::string_view text);

} // namespace lumavo
