#pragma once
// Serial printing: one kind of printout for a run of cases or a run of months of the working case.
// The choices are the window's option group "Druckart"; the loop makes each case or month current and
// prints it. What needs the window's layer (choosing a case or a month, which may build the year
// salary, and the year views) the caller supplies as a SerialPrintHost, together with the surface of
// each case or month, so that an order may be one print job or one file per case.

#include "print/print_kind.h"

#include <string>
#include <vector>

namespace varemo::print {

enum class SerialRange { Cases, Months };

struct SerialPrintOption {
    int code; // the index in "Druckart"
    const char* caption;
    SerialRange range;
    int printKind;             // 0: a year view
    bool employerView = false; // year view: "AG-Sicht" instead of "AN-Sicht"
    bool accumulated = false;  // year view: months accumulated
};

// Codes 0 to 4, 6, 8, 10 and 12 to 15 in the window's order.
const std::vector<SerialPrintOption>& serialPrintOptions();
const SerialPrintOption* findSerialPrintOption(int code);

inline constexpr const char* kSerialPrintTitle =
    "   Auswahlmenü für den Druck von Gehaltsberechnungen in Serie";
inline constexpr int kSerialYearSalaryMonth = 13;

// The range fields keep 1 <= first <= last <= highest. After a change of last: beyond highest becomes
// highest, 0 becomes 1, below first is raised to first. After a change of first: at least 1, not above
// last.
struct NumberRange {
    int first = 1;
    int last = 1;
    bool operator==(const NumberRange&) const = default;
};
NumberRange afterLastChanged(NumberRange r, int highest);
NumberRange afterFirstChanged(NumberRange r, int highest);

// The label beside the first month: the month's name, or for 13 the year and "  JAHRESGEHALT ".
std::string serialMonthLabel(int month, int year);

class SerialPrintHost {
  public:
    virtual ~SerialPrintHost() = default;
    // Makes the case current with its monthly amounts (never the year salary); false when it failed.
    virtual bool showCase(int caseNumber) = 0;
    // Makes month 1 to 12, or 13 the year salary, of the working case current.
    virtual bool showMonth(int month) = 0;
    // Draws the year view of a case (built from its stored months) for the option.
    virtual void printYearView(int caseNumber, const SerialPrintOption& option, PrintSurface& s) = 0;
    // The surface of the next case or month, and the end of its printout.
    virtual PrintSurface& begin(int item) = 0;
    virtual void end(int item) = 0;
    // Asked before each case or month (done of total so far); false cancels the rest of the order.
    virtual bool proceed(int done, int total, int item) = 0;
};

struct SerialPrintResult {
    int printed = 0;
    int skipped = 0; // a month the printout refuses (the year salary for a single-month printout)
    bool cancelled = false;
};

// Prints the range (cases, or months of the working case) for the option. The year views leave the
// working case as it was.
SerialPrintResult RunSerialPrint(Session& g, const SerialPrintOption& option, NumberRange range,
                                 SerialPrintHost& host, const PrintOptions& options);

} // namespace varemo::print
