#pragma once
// What the calculator commands share: their inputs from a JSON file, spans and dates in the output, and
// the case a calculator works on.
//
// --input FILE reads a JSON object whose keys are the command's options without "--": a string or
// number gives the option its value, true gives the bare option, an array repeats the option per
// element, an element that is itself an array is joined with commas ("half": [["01.09.2012",
// "31.08.2014"]] is --half 01.09.2012,31.08.2014). Options given after --input override single values.

#include "app/cli_common.h"
#include "calculators/date_span.h"

#include <optional>
#include <string>
#include <vector>

namespace varemo::cli {

// The command's arguments with every --input FILE replaced by the options it holds. Throws UsageError.
std::vector<std::string> expandInputFiles(const std::vector<std::string>& args);

CalendarDate dateOption(const std::string& text, const std::string& option);
// "FROM,TO".
std::pair<CalendarDate, CalendarDate> periodOption(const std::string& text, const std::string& option);

std::string spanJson(const DateSpan& s);
std::string dateJson(const CalendarDate& d);
std::string spanText(const DateSpan& s); // "1 J 4 M 4 T"

// The case selection of a calculator: given when --case is; then year, set and month are required.
struct CalculatorCase {
    CaseMonthSelection sel;
    bool given() const { return sel.caseNumber != 0; }
    void validate() const;
};

// Opens the selected case-month (it must exist). Returns 0 or the exit status to end with.
[[nodiscard]] int openCalculatorCase(Session& g, const CliContext& ctx, const CalculatorCase& c);

// The messages shown so far as "messages":[{"title","text"}…].
std::string messagesJson(const std::vector<PromptMessage>& messages);

} // namespace varemo::cli
