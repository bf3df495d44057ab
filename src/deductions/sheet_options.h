#pragma once
// The option lists of the whole sheet: the pay lines' lists (pay/pay_options.h) and those of the tax
// and insurance lines, which take the year's rates and the session's fund list:
//   line 33  the health funds 0 to 35 with the month's additional contribution rate
//   line 34  tax class and child allowances (TaxClassSelector), the flat rates and the mini-job rates
//   line 35  the solidarity surcharge
//   line 36  the church-tax rates (ChurchTaxRate)
//   lines 37 to 40  the contribution kinds with the year's rates (deductions/kind_lists.h)
//   line 42  the employee-share entries, entry 1 with the share of the case's fund
// The sheet says the chosen entry of lines 33, 34 and 36 shorter: the fund's name, "Steuerklasse III /
// 1,0", "Kirchensteuer 9 %" (or "Keine Kirchensteuer" where line 29 means none).

#include "pay/pay_options.h"

namespace varemo {

class SheetOptionLists : public OptionListSource {
  public:
    // The lists are those of the session's working case (the case passed is that one). Nothing is
    // changed but the cache of the year's insurance defaults, which is why the session is not const.
    explicit SheetOptionLists(Globaldaten& g) : g_(g), pay_(g) {}
    std::optional<std::vector<std::string>> options(const Case& c, int line) const override;
    std::optional<std::string> label(const Case& c, int line) const override;

  private:
    Globaldaten& g_;
    PayOptionLists pay_;
};

// Line 34's entry of a position: "Steuerklasse III, 1,0 Kinderfreibeträge", "Steuerklasse V",
// "pauschal 20 %"; shortText the form of the sheet's line, "Steuerklasse III / 1,0".
std::string taxClassText(int position, bool shortText = false);
inline constexpr int kTaxClassEntries = 53; // positions 0 to 52
// Line 36's entry of a position: "Kirchensteuer 9 %", "Keine Kirchensteuer", ...
std::string churchTaxText(int position);
inline constexpr int kChurchTaxEntries = 8; // positions 0 to 7
// The entry of line 42 that an employee-share code stands for (the line keeps the code, not the entry).
int employeeSharePosition(int code);

} // namespace varemo
