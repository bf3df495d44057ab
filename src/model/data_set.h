#pragma once
// The years the program calculates and the three data sets a case is kept in: real pay, a plan and
// information.

#include <optional>
#include <string>

namespace varemo {

inline constexpr int kFirstYear = 2017;
inline constexpr int kLastYear = 2021;
inline constexpr int kYearSalaryMonth = 13; // the month number of the year salary view

enum class DataSet : int { Info = 0, Plan = 1, Real = 2 };

char dataSetLetter(DataSet set);
std::string dataSetName(DataSet set);                         // "INFO", "PLAN", "REAL"
std::optional<DataSet> parseDataSet(const std::string& name); // case-insensitive

} // namespace varemo
