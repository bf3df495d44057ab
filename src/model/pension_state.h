#pragma once
// The session's supplementary-pension state (Globaldaten::pension): the fund settings of the year,
// what other steps hand to the pension step, the 31 lines of the detail view "A T V - B E T R I E B S
// R E N T E", the civil servants' pension levy and the employer's cost of the month.

#include "base/money.h"
#include "law/pension_funds.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace varemo {

// Amounts that other steps of the run hand to the pension step. Each of those steps sets its fields
// in every run before it; while a step is not built its fields stay 0.
struct PensionInputs {
    Money specialPaymentExempt; // line 3: part of the annual special payment free of the levy
    Money inKindLiable;         // line 4: in-kind amounts that raise the levy pay (key codes, lines 25, 26)
    Money paymentsLiable;       // line 5: payments of lines 44 to 46 that raise it
    Money exemptAmounts;        // line 6: amounts that lower it
    Money calculatedCosts;      // employer cost " Kalkulatorische Kosten" of the case
    bool operator==(const PensionInputs&) const = default;
};

// The detail view's 31 numbered lines. Amounts are positive; the sheet keeps the employee's share
// (line 42) negative.
class PensionWorksheet {
  public:
    static constexpr int kLines = 31;
    static constexpr const char* kTitle = "A T V - B E T R I E B S R E N T E";
    static constexpr const char* kEmployerHeading = "A U F W E N D U N G E N  des  A G";
    static constexpr const char* kAdditionalBaseLabel = "12. zusätzl.beitragspfl. Entgelt";

    PensionWorksheet();

    // Lines 1 to 31; std::out_of_range for other numbers.
    Money& amount(int line);
    const Money& amount(int line) const;
    // The caption as shown: the one set for the month, else the line's own with the month's numbers.
    // Captions with numbers in them are formatted here, when a view asks for them, not on every run.
    std::string label(int line) const;
    void setLabel(int line, std::string text);

    // The numbers of the captions. Rates in ten-thousandths of a percent as formatPensionRate() writes
    // them, the church tax's in hundredths as formatRate() does.
    void setLevyRate(int32_t rate);           // 11 and 20
    void setAdditionalLevyRate(int32_t rate); // 12
    // 14: the tax-free allowance less what § 3 Nr. 63 EStG keeps free: the employer's capital contribution
    // with the deferred compensation (capital), else the deferred compensation alone.
    void setTaxFreeAllowance(Money allowance, Money lessFunded, bool capital);
    void setNoTaxFreeAllowance();               // 14: not the first employment
    void setFlatChurchRate(int32_t hundredths); // 27
    void setRestructuringRate(int32_t rate);    // 28
    void setCapitalRate(int32_t rate);          // 29
    // 31: the employee's share as a rate of line 10 (a share code, hundredths of a percent), as an
    // entered amount (the code's text) or as Hamburg's contribution (hundredths of a percent).
    enum class ShareCaption : uint8_t { None, RateOfLevyPay, Entered, Hamburg };
    void setShareCaption(ShareCaption kind, int32_t value);

    // Line 12 shows two rows: the pay above the threshold, then the additional levy (amount(12)).
    Money additionalBase;

    // All amounts 0 and the captions without rates.
    void clear();

    // Equal amounts and equal captions as shown.
    bool operator==(const PensionWorksheet& other) const;

  private:
    std::array<Money, kLines> amounts_{};
    // Captions set for the month; empty: the line's own. Clearing them costs no allocation, which counts
    // as the pension step runs again for every earlier month a later step looks back at.
    std::array<std::string, kLines> labels_;
    // The captions' numbers; none: the line's own caption.
    std::optional<int32_t> levyRate_, additionalRate_, churchRate_, restructuringRate_, capitalRate_;
    enum class TaxFreeCaption : uint8_t { None, Capital, Deferred, NotFirstEmployment };
    TaxFreeCaption taxFree_ = TaxFreeCaption::None;
    Money allowance_, lessFunded_;
    ShareCaption share_ = ShareCaption::None;
    int32_t shareValue_ = 0;
};

// The caption of a line before its rates are filled in.
std::string defaultPensionLineLabel(int line);

// Civil servants' pension levy of the month ("U M L A G E   F Ü R   D I E" / "B E A M T E N V E R S
// O R G U N G"): one row per pay line 8 to 20.
struct CivilServantLevy {
    static constexpr const char* kTitle1 = "U M L A G E   F Ü R   D I E";
    static constexpr const char* kTitle2 = "B E A M T E N V E R S O R G U N G";
    static constexpr const char* kTotalLabel = "GESAMTUMLAGE";

    struct Row {
        Money base;                // the line's amount the levy is taken from
        int factorThousandths = 0; // 0 for a line outside the levy base ("0,000 x ")
        Money levy;                // base × factor, rounded to the cent
        bool operator==(const Row&) const = default;
    };

    bool applies = false;       // a civil servant with a pension provision on line 27
    int kind = 0;               // the position of line 27
    std::array<Row, 13> rows{}; // lines 8 to 20
    Money annualBase;           // levy to a pension fund: 12 × (July's pay) × part-time factor
    Money total;                // "GESAMTUMLAGE"
    bool operator==(const CivilServantLevy&) const = default;
};

// The employer's cost of the month, in display order.
enum class EmployerItem : int {
    Gross = 0,
    HealthShare,
    CareShare,
    PensionShare,
    UnemploymentShare,
    CapitalContribution,
    Levy,
    LevyTaxes,
    LevyChurchTax,
    Restructuring,
    TakenOverTaxes,
    PartialRetirementTopUp,
    InKind,
    CalculatedCosts,
    OtherPayments,
    Levies,
};
inline constexpr int kEmployerItems = 16;
inline constexpr const char* kEmployerTotalLabel = " AG-GESAMTAUFWAND";

// The label of an item exactly as shown (" Bruttogehalt", " KV-AG-Anteil", …).
const char* employerItemLabel(EmployerItem item);

struct EmployerCost {
    std::array<Money, kEmployerItems> items{};
    Money total; // " AG-GESAMTAUFWAND"

    Money& operator[](EmployerItem i) { return items[static_cast<size_t>(i)]; }
    const Money& operator[](EmployerItem i) const { return items[static_cast<size_t>(i)]; }
    bool operator==(const EmployerCost&) const = default;
};

struct PensionState {
    // The fund settings of settingsYear; the pension step restores the shipped defaults whenever
    // the calculation year differs. The settings panel may change them for the year.
    int settingsYear = 0;
    PensionSettings settings;

    PensionInputs inputs;

    // Results of the last run.
    PensionWorksheet worksheet;
    Money svAddedPay;                // line 23: to be added to the pay subject to social insurance
    Money employeeCapital;           // the employee's share of the capital contribution (sheet line 41)
    int32_t employeeCapitalRate = 0; // its rate, ten-thousandths of a percent
    Money levyOneTimeShare;          // the share of the month's one-time pay in line 17
    CivilServantLevy civilServantLevy;
    EmployerCost employer;

    bool operator==(const PensionState&) const = default;
};

} // namespace varemo
