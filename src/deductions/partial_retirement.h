#pragma once
// The partial-retirement top-up of the calculation run (line 23 "% TV-ATZ Arbeitsphase" or
// "% TV-ATZ Freizeitphase"), after the deductions: the pay lines are already reduced by their
// categories (pay/part_time.h); this step works out the side calculations of the three legal bases
// (g.retirement.result), puts the top-up into line 43 and adds the top-up and the additional pension
// contributions to the employer's cost.
//
//   Civil servants (0 to 4, 6, 7; none for candidates, 5): § 2 ATZV, the supplement up to the percentage
//     of the settings (83 %) of the fictitious full-time net, less the net of the partial-retirement pay;
//     both nets from the wage-tax flow chart of the year with the case's class, the solidarity surcharge
//     of the month (§ 3 (4), § 4 SolZG) and 8 % church tax. The pay counted (§ 2 (2) ATZV): the lines
//     whose category enters the 83 % raise, without capital-forming payments (11), overtime (16),
//     tax-free supplements (17) and the one-time payments (18 to 20).
//   Employees: § 5 TV ATZ: 20 % of the part-time gross of the marked categories, raised so that the
//     flat-rate part-time net and the top-up reach the percentage of the settings (83 %) of the
//     flat-rate full-time net; the AtG amounts (20 %, 70 %, old § 3 (1) Nr. 1 a AltTZG) beside it. The
//     minimum net is read from the minimum-net tables (Texte/MNET.txt 70 %, Texte/MNET2.txt 83 %) while
//     they are law (to 2019) and the percentage is the legal one, otherwise computed from the flat-rate
//     full-time net. Additional pension contributions: the higher of § 5 (4) TV ATZ (90 % of the
//     previous current pay less the part-time pay, up to the ceiling) and § 3 (1) Nr. 1 b AltTZG, at the
//     full rate of the year, paid by the employer alone (§ 168 (1) Nr. 6 SGB VI).
// The top-ups are tax-free (§ 3 Nr. 28 EStG, progression proviso § 32b (1) Nr. 1 g EStG) and therefore
// not pay in social insurance (§ 1 (1) Nr. 1 SvEV): line 43 is added after the deductions.
// Line 43 "ATZ-Aufstockung lt. Eingabe" keeps the typed amount.

#include "model/globaldaten.h"

#include <optional>
#include <string>

namespace varemo {

// The net of a monthly gross by the flat-rate rules (model/partial_retirement_state.h); employees pay
// social insurance at the year's rates on the gross up to the ceilings.
FlatRateNet flatRateNet(const Globaldaten& g, Money gross, bool employee);

// Step 13 of the run for line 23 options 2 and 3; nothing otherwise.
void PartialRetirementTopUpStep(Globaldaten& g);

// ---- The block model with a working-time account (line 23 options 4 to 6) ----
//
// Working phase: the employee works the previous hours; the pay lines of categories "A" to "F" are paid
// at half, the other half is credited to the value account (§ 7b SGB IV; § 7 (2) TV FlexAZ) and is
// neither taxed nor liable to contributions before it is paid (§ 38a (1) EStG, § 23b (1) SGB IV). Release
// phase (line 43 "ATZ-Aufstock. Freizeitphase"): the partial-retirement pay is paid on at the amounts
// current in the month and withdrawn from the account, in equal monthly rates while the pay does not
// change. In both phases:
//   - the top-up of the agreement's share (TV FlexAZ § 7 (3): 20 %) of the regular pay (§ 6 (1) AltTZG:
//     the current pay liable to contributions, without overtime, tax-free and one-time pay, up to the
//     pension-insurance ceiling; lines whose category enters the AtG 20 % top-up, plus the part of the
//     supplementary-pension levy liable to contributions), tax-free with progression proviso (§ 3 Nr. 28,
//     § 32b (1) Nr. 1 g EStG) and so no pay in social insurance (§ 1 (1) Nr. 1 SvEV): line 43;
//   - additional pension contributions, employer alone (§ 3 (1) Nr. 1 b AltTZG, § 163 (5), § 168 (1)
//     Nr. 6 SGB VI), on 80 % of the regular pay but not beyond 90 % of the ceiling, at the year's rate;
//   - the supplementary pension's raise of the insured pay to 1.8 times (§ 15 (2) ATV/ATV-K), which the
//     pension step applies to every partial retirement and which is shown here.
// "% AltTZG Blockmodell" takes the statute's shares; "% TV-FlexAZ Blockmodell" and "% TV-Falter
// Blockmodell" those of "tvflex.pcg" in the program folder, read for the service relationships of the
// agreements (TVöD Bund, TVöD VKA, savings banks, social and educational services, TV-V, service contract
// with table 1). A month's credit (+) or withdrawal (−) is kept in AmountSlot::AccountMovement of its
// record; the calculation adds up those of the stored earlier months of the year.

// "tvflex.pcg": 32-byte records, one per agreement and span of months, little-endian:
//   offset 0 int16 the position of line 23 (5 TV-FlexAZ, 6 TV-Falter); 2 the name, 12 bytes Windows-1252
//   blank-padded; 14 int32 first month (YYYYMM); 18 int32 last month; 22 int16 top-up, 24 int16 pension
//   base, 26 int16 pension cap (hundredths of a percent); 28 int32 partial retirement begun before (YYYYMMDD,
//   0: no limit).
namespace account_file {
inline constexpr const char* kName = "tvflex.pcg";
inline constexpr size_t kRecordLength = 32;
inline constexpr size_t kOption = 0;
inline constexpr size_t kAgreementName = 2;
inline constexpr size_t kAgreementNameLength = 12;
inline constexpr size_t kFirstMonth = 14;
inline constexpr size_t kLastMonth = 18;
inline constexpr size_t kTopUp = 22;
inline constexpr size_t kPensionBase = 24;
inline constexpr size_t kPensionCap = 26;
inline constexpr size_t kStartBefore = 28;
} // namespace account_file

// Whether line 23 is set to one of the block models with a working-time account (4 to 6).
bool isWorkingTimeAccount(const Case& c);

// The agreement of line 23 position option (5 or 6) for the month (YYYYMM) from the file's bytes; the
// German reason in missing when the file is damaged or holds no row for the month.
std::optional<AccountAgreement> accountAgreementOf(const std::string& bytes, int option, int yearMonth,
                                                   std::string& missing);

// Step 12: for the service relationships of the agreements, reads "tvflex.pcg" when line 23 is 5 or 6.
void ReadAccountAgreements(Globaldaten& g);

// Step 13 for line 23 options 4 to 6; nothing otherwise.
void WorkingTimeAccountStep(Globaldaten& g);

} // namespace varemo
