#pragma once
// The user's settings of a year that change pay, as the per-user yearly files keep them. A value the
// user never saved is the shipped default; a file that is missing, or a year it holds nothing for, means
// the shipped defaults of that year. A record that holds values the program cannot have written is
// refused with a message naming the file: a silent default would calculate with values the user did
// not choose.
//
// "varemo20.vee" (6514 bytes, record = year - 2016). Bytes 5800 to 6455 hold the general key-code rules
// (pay/line_key_codes.h); the settings below use bytes 0 to 5745; the rest is kept as read. Each block
// starts with a marker byte: 0 the block holds nothing (shipped defaults), 1 it holds the user's values.
//      0  pay switches, 32 bytes:
//           0  marker
//           1  1: the family allowance of line 10 is computed (0: line 10 keeps the typed amount)
//           2  1: position 20 of line 4 reads "TVAöd/TV-L/AOK Auszubildende(r)"
//           3  1: holiday pay of 255,65 in July
//           4  1: service relationship 6 in region 1 keeps lines 18 and 19 of its own table
//           5  1: solidarity surcharge by the flow chart (0: the simple percentage)
//           6  16-bit  start month of the civil-servant multiplier (1 to 12)
//           8  32-bit  civil-servant multiplier, ten-thousandths (10000 = 100 %)
//          12  16-bit  start month of the tariff-employee multiplier
//          14  32-bit  tariff-employee multiplier
//          18  32-bit  "Landesanteil Besoldung": base amount, cents a year
//          22  32-bit  "Landesanteil Besoldung": amount per child, cents a year
//     32  social-insurance defaults, 80 bytes:
//           32  marker
//           36  8 × 32-bit rates, ten-thousandths of a percent: half the general KV rate, half the
//               reduced KV rate, half PV, half RV, half AV, the childless surcharge, the average
//               additional rate, the Saxony shift
//           68  8 × 32-bit ceilings, cents a month: KV West, KV Ost, PV West, PV Ost, RV West, RV Ost,
//               AV West, AV Ost
//          100  32-bit mini-job limit, cents;  104  32-bit minimum RV base of a mini-job, cents
//    112  levy liability, 4 bytes: 112 marker, 113 U1, 114 U2, 115 Insolvenzgeld (1 liable, 0 not)
//    128  health funds, 5584 bytes:
//          128  marker
//          130  16-bit Insolvenzgeld rate, thousandths of a percent
//          132  five blocks of 36 funds × 12 months, 16-bit hundredths of a percent, value of fund f in
//               month m at block + 2 × (12 × f + m): general rate (132), U1 (996), U2 (1860), reduced
//               rate (2724), additional rate (3588)
//         4452  36 fund names of 35 characters
//   5712  colours of the window areas, 34 bytes: 5712 marker, 5713 red, green, blue of each of the 11
//         areas in the order of presentation/window_settings.h
//
// "kipausch.vee" (218 bytes, record = year - 2016): the church tax values of the Länder, layout in
// persistence/user_files.h. A record whose year field is 0 holds nothing.
//
// "atz.vee" (8 bytes, record = year - 2016): the percentages of partial retirement ("Altersteilzeit "),
// the year (16-bit, 0: the record holds nothing) at 0, then 16-bit whole percentages of the minimum net:
// 2 civil servants, 4 AtG, 6 TV ATZ.
//
// "atv.vee" (24 bytes a record): the supplementary-pension fund settings, 997 records a year, the
// year's first record at 997 × (year - 2017) + 1. Every record starts with the year (16-bit, 0: the
// record holds nothing) and 2 zero bytes.
//   records 1 to 984:  fund position p (0 to 40), region r (0 West, 1 Ost), month m (0 to 11) at
//                      24 × p + 12 × r + m + 1: five 32-bit rates at 4, ten-thousandths of a percent —
//                      levy, its employee share, restructuring charge, capital contribution, its
//                      employee share
//   records 985 to 996: month m at 985 + m: 32-bit cents at 4 the threshold of the 8 % levy, at 8 of the
//                      9 % levy, at 12 the levy ceiling West, at 16 the levy ceiling Ost
//   record 997:        32-bit cents at 4 and 8: the special-payment thresholds West and Ost
//
// "sonderzahlung.vee" (1550 bytes, record = year - 2016): the values of the panels of weekly hours,
// Christmas bonus, time supplements, child benefit and the pension levy (model/year_tables.h).
//      0  16-bit  the year (0: the record holds nothing, the shipped values apply); 2 zero bytes
//      4  weekly hours, 16-bit hundredths of an hour, service relationship s (0 to 38) at 4 + 4 × s,
//         West, then Ost at + 2 (1 to 6000)
//    160  Christmas bonus, 16-bit hundredths of a percent, at 160 + 4 × s, West, then Ost (0 to 10000)
//    316  hourly rates of the time supplements, six 32-bit cents in the order of timeSupplementNames()
//    340  child benefit, 32-bit cents, month m (0 to 11) and child rank k (0 to 3) at 340 + 16 × m + 4 × k
//    532  32-bit  "Versorgungsrücklage in %", hundredths of a percent (0: none given)
//    536  32-bit  levy to a pension fund in %, hundredths of a percent (0: none given)
//    540  to the end: unused, kept as read
//
// "beasoza.vee" (1092 bytes, record = year - 2016): the civil servants' special-payment rules of the
// panel "Sonderzahlung der Beamten im Jahr " (pay/civil_servant_rules.h).
//      0  16-bit  the year (0: the record holds nothing, the shipped rules apply); 2 zero bytes
//      4  regions r = 0 to 16 (0 Bund, 1 to 16 the Länder), 64 bytes each at 4 + 64 × r:
//           +0  1: the Land's values below; 0: the Land's shipped rules
//           +1  month of the annual payment and of the child supplements paid with it (1 to 12; 0 for a
//               Land without one)
//           +2  number of the Land's rules in the shipped table of the year; +3 zero
//           +4  rules n = 0 to 4 in the order of the shipped table, 12 bytes each at +4 + 12 × n: +0 the kind
//               (1 annual, 2 monthly, 3 child, 4 holiday, 5 integrated, 6 none), 3 zero bytes; +4 32-bit
//               amount in cents; +8 32-bit percentage in thousandths of a percent
//         The number and kinds must be those of the shipped table, so that a rule keeps its meaning.

#include "law/church_tax.h"
#include "law/fund_table.h"
#include "law/levies.h"
#include "law/pension_funds.h"
#include "law/sv_defaults.h"
#include "model/partial_retirement_state.h"
#include "model/pay_extras.h"
#include "model/user_file_names.h"
#include "model/year_tables.h"
#include "tariffs/multipliers.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace varemo {

struct PaySwitches {
    Multipliers multipliers;
    bool familyAllowanceComputed = true;
    bool traineeName = false;
    bool holidayPay = false;
    bool keepSpecialPaymentsOwnTable = false;
    bool soliByFlowChart = true;
    int32_t landShareBase = 0;     // cents a year
    int32_t landSharePerChild = 0; // cents a year
};

struct YearSettings {
    int year = 0;
    PaySwitches pay;
    SvDefaults sv;
    LevyLiability liability;
    FundTable funds;
    ChurchTaxTable churchTax{};
    PensionSettings pension;
    PartialRetirementPercents retirement;
    // "Jahressonderzahlung": the percentages of every year ("Jasoza.vee", pay/special_payment_tables.h).
    AnnualPaymentTable annualPayments;
    // Weekly hours, Christmas bonus, time supplements, child benefit, pension levy ("sonderzahlung.vee").
    YearTableValues tables;
    // The civil servants' special-payment rules of the year ("beasoza.vee").
    CivilRuleTable civilRules{};
    // Why the stored rules could not be taken (the message names the file); the shipped ones apply then.
    std::string civilRulesProblem;
    // The colours of the window areas; none: the program's colours of the year.
    std::optional<std::array<uint8_t, 3 * kColourAreaCount>> colours;

    // The shipped defaults of a year ("Vorgabewerte").
    static YearSettings shipped(int year);
};

inline constexpr int kPensionRecordsPerYear = 997;

// The settings of a year from the user folder; throws RecordFileError naming the file when a record is
// damaged.
YearSettings readYearSettings(const std::filesystem::path& userFolder, int year);

// Whether the two hold the same values of the "varemo20.vee" part (pay switches, social-insurance
// defaults, levy liability, health funds, colours).
bool sameYearDefaults(const YearSettings& a, const YearSettings& b);

// Each writes the year's records of its file, all at once (the file is replaced as a whole); the other
// years' records and the bytes not named above stay as they are.
void writeYearDefaultsSettings(const std::filesystem::path& userFolder, const YearSettings& s);
void writeChurchTaxSettings(const std::filesystem::path& userFolder, const YearSettings& s);
void writePensionSettings(const std::filesystem::path& userFolder, const YearSettings& s);
void writeAnnualPaymentSettings(const std::filesystem::path& userFolder, const YearSettings& s);
void writeYearTableSettings(const std::filesystem::path& userFolder, const YearSettings& s);
void writePartialRetirementSettings(const std::filesystem::path& userFolder, const YearSettings& s);
void writeCivilServantRuleSettings(const std::filesystem::path& userFolder, const YearSettings& s);

} // namespace varemo
