#pragma once
// The number formats of the printouts, German style: amounts "1.234,56", factors "0,50000" (a factor of
// exactly 1 as "  1"), percentages "2,40", dates "07. Dezember 2020".

#include "base/money.h"

#include <cstdint>
#include <string>

namespace varemo::print {

// Thousands separated by points, two decimals after a comma, a tie of the fourth decimal to the even cent
// as the sheet shows it.
std::string amountText(Money m);
std::string centsText(int64_t cents);
// numerator / denominator with five decimals, rounded half up; exactly 1 prints as "  1".
std::string factorText(int64_t numerator, int64_t denominator);
// A part-time factor as the calculation keeps it (single precision).
std::string factorText(float factor);
// Hundredths of a percent with two decimals: 240 -> "2,40".
std::string percentText(int64_t hundredths);
// "TT.MM.JJJJ" (or day, month, year) as "07. Dezember 2020"; an incomplete date is returned as given.
std::string longDate(int day, int month, int year);
std::string longDate(const std::string& ddmmyyyy);
// "Dezember 2020"; month 13 is the year salary: "Jahresgehalt 2020".
std::string monthOfYear(int month, int year);

} // namespace varemo::print
