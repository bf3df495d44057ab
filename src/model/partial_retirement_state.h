#pragma once
// Partial retirement in the session: the percentages of the settings ("Altersteilzeit ") and the side
// calculations of the last run, kept so that views and printouts read them without calculating again.

#include "base/money.h"
#include "law/partial_retirement.h"

#include <optional>
#include <string>
#include <vector>

namespace varemo {

// The percentages of the minimum net, whole percent; the defaults are the legal and agreed ones.
struct PartialRetirementPercents {
    int civilServant = 83; // "Prozentsatz der Nettobezüge:" (Altersteilzeitzuschlagsverordnung)
    int atg = 70;          // "Prozentsatz der Nettovergütung." (Altersteilzeitgesetz)
    int agreement = 83;    // "Prozentsatz der Nettovergütung." (Tarifvertrag Altersteilzeit)
    bool operator==(const PartialRetirementPercents&) const = default;
};

// A net as the minimum-net rules take it: the gross less wage tax, solidarity surcharge, church tax at
// 8 % and, for employees, their social-insurance contributions at the year's rates.
struct FlatRateNet {
    Money gross;
    Money wageTax;
    Money surcharge;
    Money churchTax;
    Money socialInsurance;
    Money net;
    bool operator==(const FlatRateNet&) const = default;
};

// "20 % - Aufstockung vom Teilzeit-Bruttoentgelt".
struct PercentTopUp {
    Money base; // the part-time gross of the categories that enter
    Money amount;
    bool operator==(const PercentTopUp&) const = default;
};

// The raise to a percentage of the full-time net.
struct MinimumNetRaise {
    int percent = 0;
    bool fromTable = false;          // the minimum net is the table's (else computed from the flat-rate net)
    FlatRateNet fullTime;            // "Pauschaliertes Vollzeit-Nettoentgelt" (computed variant)
    FlatRateNet partTime;            // "Fiktives Teilzeit-Nettoentgelt"
    std::optional<Money> minimumNet; // none: the table has no row for the gross (missing says which)
    std::string missing;
    Money raise;
    bool operator==(const MinimumNetRaise&) const = default;
};

// The additional pension-insurance contributions the employer alone pays.
struct PensionTopUp {
    Money fullTimePay;         // "Sozialversicherungspflichtiges Vollzeit-Entgelt abz. Einmalzahlungen"
    Money ninetyPercent;       // "davon 90 % ="
    Money partTimePay;         // "sozialversicherungspflichtiges Teilzeit-Entgelt "
    Money agreementDifference; // § 5 (4) TV ATZ: 90 % of the previous pay less the part-time pay
    Money statutoryBase;       // § 3 (1) Nr. 1 b AltTZG: 80 % of the regular pay, within 90 % of the ceiling
    Money difference;          // "= vom AG zu versichernder Differenzbetrag": the higher of the two
    std::string rateName;      // "18,6"
    Money contribution;
    bool operator==(const PensionTopUp&) const = default;
};

// Altersteilzeitzuschlagsverordnung § 2: the supplement up to a percentage of the fictitious full-time net.
struct CivilServantSupplement {
    int percent = 0;
    FlatRateNet fullTime; // "FIKTIVES VOLLZEIT-NETTOGEHALT"
    FlatRateNet partTime; // the net of the partial-retirement pay
    Money guaranteedNet;  // "GARANTIERTES NETTOGEHALT"
    Money supplement;     // "Aufstockung (steuerfrei mit Progressionsvorbehalt)"
    bool operator==(const CivilServantSupplement&) const = default;
};

// The estimate of § 32b (1) Nr. 1 g EStG: the top-ups are tax-free but raise the rate on the taxable pay.
// The taxes on the taxable monthly pay plus the top-ups give an average rate per tax kind (church tax
// at 8 %, as the flat-rate nets take it); applied to the top-ups they give what the assessment will
// probably charge afterwards.
struct ProgressionEstimate {
    Money taxable;                       // "Steuerpflichtiges Monatseinkommen": the current pay to be taxed
    Money topUps;                        // "+ Aufstockungsbeträge"
    Money total;                         // "= maßgebl. zu versteuerndes Einkommen"
    Money wageTax, surcharge, churchTax; // "darauf entfallende Lohnsteuer"
    int32_t wageTaxRate = 0, surchargeRate = 0, churchTaxRate = 0; // hundredths of a percent, shown
    Money extraWageTax, extraSurcharge, extraChurchTax; // "= Nachbelastung je Monat und je Steuerart"
    Money extraTotal;                                   // "= Nachbelastung je Monat insgesamt"
    bool operator==(const ProgressionEstimate&) const = default;
};

struct PartialRetirementResult {
    bool computed = false; // line 23 is "% TV-ATZ Arbeitsphase" or "% TV-ATZ Freizeitphase"
    bool civilServant = false;
    bool releasePhase = false;
    PercentTopUp atgTwenty;
    MinimumNetRaise atgRaise;
    PercentTopUp agreementTwenty;
    Money agreementVariant; // the 34 % variant of the agreement's part-time top-up
    MinimumNetRaise agreementRaise;
    CivilServantSupplement civil;
    PensionTopUp pension;
    Money topUp; // what line 43 receives
    ProgressionEstimate progression;
    bool operator==(const PartialRetirementResult&) const = default;
};

// An agreement of the working-time-account variant for a month, as the program folder's "tvflex.pcg"
// gives it (line 23 "% AltTZG Blockmodell" takes the statute's values instead).
struct AccountAgreement {
    int option = 0;                // the position of line 23: 4 AltTZG, 5 TV-FlexAZ, 6 TV-Falter
    std::string name;              // "TV-FlexAZ"
    int topUpHundredths = 0;       // top-up of the regular pay, hundredths of a percent
    int pensionBaseHundredths = 0; // additional pension contributions on this share of the regular pay
    int pensionCapHundredths = 0;  // ... up to this share of the ceiling
    int startBefore = 0;           // YYYYMMDD: partial retirement under the agreement began before it; 0 none
    bool operator==(const AccountAgreement&) const = default;
};

// One pay line (or the part of the supplementary-pension levy liable to contributions, line 0) in the
// calculation "Berechnung des ATZ-Gehalts".
struct AccountLine {
    int line = 0;
    bool current = true; // "lfd.Entgelt"; false: "sonstiges Entgelt" (lines 18 to 20)
    bool taxFree = false;
    Money base;       // "Basisentgelt": the pay for the previous working time
    Money withdrawal; // "Entnahme aus dem Wertguthaben" (release phase)
    Money pay;        // "ATZ-Entgelt": what is paid this month
    Money regular;    // "ATZ-Regelarbeitsentgelt" (§ 6 (1) AltTZG)
    Money topUpBase;  // "Aufzustockende Beträge"
    bool operator==(const AccountLine&) const = default;
};

// Line 23 options 4 to 6, the block model with a working-time account (§ 7b SGB IV): in the working phase
// the pay above the partial-retirement pay is credited to the account, in the release phase the
// partial-retirement pay is withdrawn from it; in both the pay is topped up and the employer pays
// additional pension contributions.
struct WorkingTimeAccount {
    bool computed = false;
    bool releasePhase = false;
    std::string missing; // why nothing could be computed (named on the sheet)
    AccountAgreement agreement;
    std::vector<AccountLine> lines;
    Money credit;                  // this month's "Einstellungen in das   W e r t g u t h a b e n"
    Money withdrawal;              // this month's withdrawal
    Money earlierMonths;           // the stored earlier months of the year: credits less withdrawals
    Money topUp;                   // "20 %-ige Aufstockung", what line 43 receives
    StatutoryPensionTopUp pension; // § 3 (1) Nr. 1 b AltTZG with the agreement's shares
    Money ceiling;                 // the month's pension-insurance ceiling of the area
    std::string rateName;          // "18,6"
    Money contribution;            // " % RV-Beitrag hat der AG zusätzlich aufzubringen:"
    Money oneTimeRoom;             // "Sonstiges Entgelt kann verbeitragt werden bis: "
    Money fundPay;                 // "vers.pfl.Entgelt" of the supplementary pension
    Money fundRaised;              // "Aufstockung auf das 1.8-fache"
    std::string fundLevyRate;      // "1,81"
    Money fundLevy;
    ProgressionEstimate progression;
    bool operator==(const WorkingTimeAccount&) const = default;
};

struct PartialRetirementState {
    PartialRetirementPercents percents;
    PartialRetirementResult result;
    WorkingTimeAccount account;
    bool operator==(const PartialRetirementState&) const = default;
};

} // namespace varemo
