#pragma once
// The session's wage-tax state (Globaldaten::tax): settings, the Länder's church-tax values of the
// year, what other steps of the run hand to the tax step, and what the tax step leaves for the
// detail view, the printouts and the employer cost.

#include "base/money.h"
#include "law/church_tax.h"
#include "law/tax_worksheet.h"

#include <array>

namespace varemo {

// Flat-rate groups of amounts taxed at a flat rate, in the order the tax adds them up.
enum class FlatRateGroup : int { Percent20 = 0, Percent15 = 1, Percent25 = 2 };
inline constexpr int kFlatRateGroups = 3;
using FlatRateAmounts = std::array<Money, kFlatRateGroups>;

// Amounts that other steps of the calculation run hand to the tax step. Each of those steps sets its
// fields in every run before the tax step; while a step is not built its fields stay 0.
struct TaxInputs {
    // Supplementary pension levy: the taxable part (worksheet step 3), the part the employer taxes
    // at the flat rate (step 4) and the share of the month's one-time payment in both (step 13).
    Money levyTaxable;
    Money levyFlatTaxedByEmployer;
    Money levyOneTimeShare;
    // Key codes of the in-kind lines 25 and 26 and the deduction and payment lines 44 to 46: what
    // raises the taxable pay (steps 5 and 6), what of it is one-time pay (added to step 12), what
    // lowers it (step 9), and the amounts taxed at a flat rate by employer (7) and employee (8).
    Money inKindTaxable;
    Money paymentsTaxable;
    Money oneTimeFromKeyCodes;
    Money taxFreeAmounts;
    FlatRateAmounts employerFlat{};
    FlatRateAmounts employeeFlat{};
    // Year of the first pension payment (flow-chart input VJAHR); 0 while not known, then the
    // calculation year is taken, which gives the smallest pension allowance.
    int pensionStartYear = 0;

    bool operator==(const TaxInputs&) const = default;
};

struct FlatRateTaxes {
    Money wageTax;
    Money surcharge;
    Money churchTax;

    bool operator==(const FlatRateTaxes&) const = default;
};

// The employer's annual wage-tax adjustment in December ("Jahresausgleich des Arbeitgebers").
struct AnnualAdjustment {
    enum class Status {
        NotRequested, // not December, or line 31 says "Ohne LSt.J.Ausgl.d.AG i.Dez."
        Performed,
        RefusedAllowance, // an allowance or addition of the tax record in the year
        RefusedTaxClass,  // classes V and VI and the flat-rate codes have no annual table
    };
    struct Month {
        Money taxable;   // "St.pfl. Entgelt"
        Money allowance; // "+/- lt. Steuerkarte" (allowance negative, addition positive)
        Money wageTax;   // "Lohnsteuer"
        Money surcharge; // "Soli.Zuschlag"
        Money churchTax; // "Kirchensteuer"
        bool operator==(const Month&) const = default;
    };

    Status status = Status::NotRequested;
    std::array<Month, 12> months{}; // January to December; December as the month computes it
    Month sum;                      // "Summe"
    Money annualTaxable;            // "Zu verst. Entgelt"
    FlatRateTaxes annual;           // "Jahressteuer lt. Tabelle" (church tax after capping)
    FlatRateTaxes december;         // "also Steuern im Dezember"
    // Church-tax capping ("Ki-Steuerkappung bei " rate " %"): only where the Land's employers apply it.
    int32_t capHundredths = 0; // 0: no capping in this case
    Money capBase;             // taxable income of the annual table run
    Money capAmount;           // capBase × rate, truncated to cents
    Money churchTaxByTable;    // annual church tax before capping
    bool capGoverns = false;

    bool performed() const { return status == Status::Performed; }
    bool operator==(const AnnualAdjustment&) const = default;
};

struct TaxState {
    // The solidarity surcharge as the flow chart computes it (exemption limit and marginal zone, as
    // the law says). Off: 5.5 % of the wage tax before 2021 and none from 2021.
    bool soliByFlowChart = true;

    // Church-tax values of the Länder for churchDataYear; the tax step loads the shipped values
    // whenever the calculation year differs. The settings may replace them for the year.
    int churchDataYear = 0;
    ChurchTaxTable lands{};

    TaxInputs inputs;

    // Results of the last tax step.
    TaxWorksheet worksheet;
    AnnualAdjustment adjustment;
    FlatRateTaxes employerFlat;          // flat-rate taxes the employer bears (employer cost)
    int classIVFactorThousandths = 1000; // factor of the class-IV factor procedure used

    bool operator==(const TaxState&) const = default;
};

} // namespace varemo
