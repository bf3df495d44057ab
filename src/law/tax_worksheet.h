#pragma once
// TaxWorksheet: the month's wage tax, solidarity surcharge and church tax in 32 numbered steps, as
// the detail view "Berechnung der Steuern" shows them. Amounts are positive (the sheet keeps the
// deductions of lines 34 to 36 negative).
//
//   1-10   the taxable pay of the month
//   11     allowance (-) or addition (+) from the tax record, given to the flow chart as such
//   12-15  the current pay to be taxed; in a partial month taxed by days, 15 is the pay per day
//   16-18  wage tax, surcharge and church tax on the current pay (in a partial month a day's taxes
//          times the days; then 17 is the church tax and 18 the surcharge, as their captions say)
//   19-21  flat-rate taxes the employee bears
//   22-32  the one-time payment by the annual-table method

#include "base/money.h"

#include <array>
#include <optional>
#include <string>

namespace varemo {

class TaxWorksheet {
  public:
    static constexpr int kSteps = 32;
    static constexpr const char* kTitle = "Berechnung der Steuern";
    static constexpr const char* kOneTimeHeading = "Steuerberechnung aus der Einmalzahlung";

    TaxWorksheet();

    // Steps 1 to 32; std::out_of_range for other numbers.
    Money& amount(int step);
    const Money& amount(int step) const;
    // The caption as shown. Captions with numbers in them are formatted here, when a view asks for
    // them, not on every run.
    std::string label(int step) const;
    void setLabel(int step, std::string text);

    // All amounts 0, the captions of a full month, 21 and 32 without a rate.
    void clear();

    // Caption variants with their numbers filled in. Days are shown as numbers ("15", "15,5"),
    // rates as formatRate() writes them. setPartialMonth: the days of a month taxed by days.
    void setPartialMonth(const std::string& days);
    void setFlatChurchRate(int32_t hundredths); // 0 shows "21.  0,0 %   ..."
    void setRemainingMonths(int months);
    void setChurchRate(int32_t hundredths);

    bool partialMonth() const { return partialMonth_; }
    // The current pay's taxes by meaning, whichever order the captions put them in.
    Money currentWageTax() const { return amount(16); }
    Money currentSurcharge() const { return partialMonth_ ? amount(18) : amount(17); }
    Money currentChurchTax() const { return partialMonth_ ? amount(17) : amount(18); }
    void setCurrentTaxes(Money wageTax, Money surcharge, Money churchTax);

    // Equal amounts and equal captions as shown.
    bool operator==(const TaxWorksheet& other) const;

  private:
    std::array<Money, kSteps> amounts_{};
    std::array<std::string, kSteps> setLabels_; // set by setLabel; empty: the caption of the step
    bool partialMonth_ = false;
    std::string days_;                   // of a partial month
    int32_t flatChurchRate_ = 0;         // hundredths of a percent; 0: none
    std::optional<int> remainingMonths_; // none: the caption's own 12
    std::optional<int32_t> churchRate_;  // hundredths of a percent; none: the caption's own 0
};

// The caption of a step in a full month (with the default parts of 21, 23 and 32).
std::string defaultTaxStepLabel(int step);

} // namespace varemo
