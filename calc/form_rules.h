#pragma once

#include <string>
#include <vector>

// The arithmetic behind the loan page's dependent fields, kept apart from the widgets so it can
// be checked on its own.
namespace lumavo {

// 贷款总额 from area (平方米), unit price (元/平米) and the loan ratio in tenths ("8" 成):
// ratio x (area x price) / 10 in extended precision, rounded to whole fen with halves to even.
double DerivedLoanTotal(double area, double unitPrice, int ratioTenths);

// "整万": the nearest whole ten-thousand, halves to even (235000 -> 240000, 225000 -> 220000).
double RoundToTenThousands(double total);

// The years a prepayment may fall in: the first payment year and one more for every whole 12
// periods. Year texts have four digits, so the list never runs past 9999.
std::vector<std::string> PrepaymentYearTexts(const std::string& firstYearText, double periods);

// "01" .. the month's length; empty when either text is not a whole number or the month is
// outside 1..12.
std::vector<std::string> DayTexts(const std::string& yearText, const std::string& monthText);

// Four-digit year texts from first to last inclusive.
std::vector<std::string> YearTexts(int first, int last);

} // namespace lumavo
