#include "deductions/partial_retirement.h"

#include "base/file_names.h"
#include "base/record_file.h"
#include "deductions/insurance_status.h"
#include "deductions/social_insurance_step.h"
#include "deductions/tax_step.h"
#include "law/lohnstr.h"
#include "law/partial_retirement.h"
#include "pay/part_time.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace varemo {
namespace {

constexpr int kTopUpWork = 1;    // line 43 "ATZ-Aufstock. Arbeitsphase"
constexpr int kTopUpRelease = 2; // line 43 "ATZ-Aufstock. Freizeitphase"
constexpr int kTopUpTyped = 3;   // line 43 "ATZ-Aufstockung lt. Eingabe"
constexpr size_t kMinimumNetRecordLength = 20;
constexpr int kLastCurrentPayLine = 17; // lines 18 to 20 are one-time pay

// percent % of an amount, to the cent (commercial rounding).
Money percentOf(Money amount, int percent) {
    return Money::fromCents(mulDiv(amount.units(), percent, 100 * Money::kUnitsPerCent, Rounding::HalfUp));
}

Money positive(Money m) {
    return std::max(m, Money());
}

struct LineSums {
    Money previous; // "für Arbeit in bisherigem Umfang"
    Money paid;     // "für Altersteilzeitarbeit"
};

template <typename Enters> LineSums sumLines(const Globaldaten& g, Enters enters) {
    LineSums s;
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        const LineColumns& col = g.extras.columns.line(line);
        if (!enters(line, g.workingCase.grossLine(line))) continue;
        s.previous += col.partTime;
        s.paid += col.actual;
    }
    return s;
}

SvDefaults yearDefaults(const Globaldaten& g) {
    if (g.social.defaults.year == g.year) return g.social.defaults;
    return SvDefaults::forYear(g.year).value_or(SvDefaults());
}

int taxClassOf(const Globaldaten& g) {
    const TaxClass cls = TaxClassSelector(g.workingCase.key(KeySlot::TaxClass));
    return cls.byFlowChart() ? cls.code : 1;
}

std::optional<Money> tableMinimumNet(const Globaldaten& g, const char* file, Money fullGross,
                                     std::string& missing) {
    static constexpr const char* kClassNames[] = {"I/IV", "II", "III", "V", "VI"};
    const int record = minimumNetRecord(fullGross);
    const int column = minimumNetColumn(taxClassOf(g));
    if (record > 0) {
        const RecordBuffer r =
            readRecordIfExists(g.programDir / "Texte" / file, kMinimumNetRecordLength, record);
        const int32_t cents = r.i32(4 * static_cast<size_t>(column));
        if (cents > 0) return Money::fromCents(cents);
    }
    missing = std::string("Texte/") + file + " enthält keinen Mindestnettobetrag für " +
              Money::fromEuros(5 * int64_t{record}).toDisplay() + " EUR, Steuerklasse " +
              kClassNames[column] + "; die Aufstockung auf das Mindestnetto fehlt.";
    return std::nullopt;
}

MinimumNetRaise raiseTo(const Globaldaten& g, TopUpBase base, int percent, int legalPercent,
                        const char* table, Money twenty) {
    MinimumNetRaise r;
    r.percent = percent;
    const LineSums s = sumLines(g, [base](int, const GrossLineAttributes& a) {
        return categoryEntersTopUp(a.partialRetirementCategory, base);
    });
    r.partTime = flatRateNet(g, s.paid, true);
    if (minimumNetTablesInForce(g.year) && percent == legalPercent) {
        r.fromTable = true;
        r.fullTime.gross = s.previous;
        r.minimumNet = tableMinimumNet(g, table, s.previous, r.missing);
    } else {
        // No table in law (§ 15 AltTZG repealed from 2020) or a percentage of its own: the percentage of
        // the full-time net less the deductions usually due.
        r.fullTime = flatRateNet(g, s.previous, true);
        r.minimumNet = percentOf(r.fullTime.net, percent);
    }
    if (r.minimumNet) r.raise = positive(*r.minimumNet - r.partTime.net - twenty);
    return r;
}

PercentTopUp percentTopUp(const Globaldaten& g, TopUpBase base, int percent) {
    PercentTopUp t;
    t.base = sumLines(g, [base](int, const GrossLineAttributes& a) {
                 return categoryEntersTopUp(a.partialRetirementCategory, base);
             }).paid;
    t.amount = percentOf(t.base, percent);
    return t;
}

PensionTopUp pensionTopUp(const Globaldaten& g) {
    PensionTopUp p;
    p.rateName = pensionRateName(g.year);
    if (insuranceStatus(g).krv == 2) return p; // no statutory pension insurance
    const LineSums s = sumLines(g, [](int line, const GrossLineAttributes& a) {
        return line <= kLastCurrentPayLine && a.flag(LineFlag::SocialInsurance);
    });
    const Money ceiling = yearDefaults(g).rvCeiling[g.east ? 1 : 0];
    p.fullTimePay = s.previous;
    p.ninetyPercent = percentOf(s.previous, 90);
    p.partTimePay = s.paid;
    p.agreementDifference = positive(std::min(p.ninetyPercent, ceiling) - s.paid);
    p.statutoryBase = statutoryPensionTopUp(s.paid, ceiling, kStatutoryPensionBaseHundredths,
                                            kStatutoryPensionCapHundredths)
                          .base;
    p.difference = std::max(p.agreementDifference, p.statutoryBase);
    p.contribution = contribution(p.difference, Rate::fromHundredths(pensionRateHundredths(g.year)));
    return p;
}

CivilServantSupplement civilServantSupplement(const Globaldaten& g) {
    CivilServantSupplement s;
    s.percent = g.retirement.percents.civilServant;
    const LineSums pay = sumLines(g, [](int line, const GrossLineAttributes& a) {
        return line != 11 && line < 16 &&
               categoryEntersTopUp(a.partialRetirementCategory, TopUpBase::AgreementMinimumNet);
    });
    s.fullTime = flatRateNet(g, pay.previous, false);
    s.partTime = flatRateNet(g, pay.paid, false);
    s.guaranteedNet = percentOf(s.fullTime.net, s.percent);
    s.supplement = positive(s.guaranteedNet - s.partTime.net);
    return s;
}

// The shown rates are rounded to a hundredth of a percent; the amounts use the exact ratio, to the cent.
ProgressionEstimate progressionEstimate(const Globaldaten& g, Money topUps) {
    ProgressionEstimate p;
    p.taxable = g.tax.worksheet.amount(14);
    p.topUps = topUps;
    p.total = p.taxable + topUps;
    if (p.total <= Money()) return p;
    const FlatRateNet taxes = flatRateNet(g, p.total, false);
    p.wageTax = taxes.wageTax;
    p.surcharge = taxes.surcharge;
    // Without church membership the case pays no church tax, neither on the assessment.
    if (g.tax.worksheet.currentChurchTax() > Money()) p.churchTax = taxes.churchTax;
    const auto rate = [&](Money tax) {
        return static_cast<int32_t>(mulDiv(tax.units(), 10000, p.total.units(), Rounding::HalfUp));
    };
    const auto extra = [&](Money tax) {
        return Money::fromCents(
            mulDiv(topUps.units(), tax.units(), p.total.units() * Money::kUnitsPerCent, Rounding::HalfUp));
    };
    p.wageTaxRate = rate(p.wageTax);
    p.surchargeRate = rate(p.surcharge);
    p.churchTaxRate = rate(p.churchTax);
    p.extraWageTax = extra(p.wageTax);
    p.extraSurcharge = extra(p.surcharge);
    p.extraChurchTax = extra(p.churchTax);
    p.extraTotal = p.extraWageTax + p.extraSurcharge + p.extraChurchTax;
    return p;
}

void addToEmployerCost(Globaldaten& g, Money pensionContribution) {
    EmployerCost& e = g.pension.employer;
    const Case& c = g.workingCase;
    const int key = c.key(KeySlot::ChildBenefit);
    if (key >= kTopUpWork && key <= kTopUpTyped)
        e[EmployerItem::PartialRetirementTopUp] = Money::fromCents(c.amount(AmountSlot::ChildBenefit));
    e[EmployerItem::PensionShare] += pensionContribution;
    e.total = Money();
    for (const Money& item : e.items)
        e.total += item;
}

// Line 43 receives the top-up unless it keeps a typed one.
void putTopUp(Case& c, bool releasePhase, Money topUp) {
    if (c.key(KeySlot::ChildBenefit) == kTopUpTyped) return;
    c.setKey(KeySlot::ChildBenefit, static_cast<int16_t>(releasePhase ? kTopUpRelease : kTopUpWork));
    c.setAmount(AmountSlot::ChildBenefit, topUp.toCents());
}

// ---- The working-time account ----

constexpr int kAltTZGBlock = 4;
constexpr int kFlexBlock = 5;
constexpr int kFalterBlock = 6;
constexpr int kLastRegularPayLine = 15; // 16 overtime, 17 tax-free supplements

const char* optionName(int option) {
    return option == kAltTZGBlock ? "AltTZG" : option == kFlexBlock ? "TV-FlexAZ" : "TV-Falter";
}

bool readsAgreementFile(int serviceRelationship) {
    using namespace relationship;
    for (int sr : {kTvoedBund, kTvoedVka, kTvoedSavingsBanks, kTvoedVkaSocial, kTvV, kServiceContract1})
        if (serviceRelationship == sr) return true;
    return false;
}

std::string monthText(int yearMonth) {
    const int month = yearMonth % 100;
    return (month < 10 ? "0" : "") + std::to_string(month) + "/" + std::to_string(yearMonth / 100);
}

bool validYearMonth(int32_t v) {
    return v / 100 >= 1990 && v / 100 <= 2099 && v % 100 >= 1 && v % 100 <= 12;
}

bool validShare(int16_t hundredths) {
    return hundredths >= 0 && hundredths <= 10000;
}

// The credits and withdrawals of the stored earlier months of the year in the same block model.
Money earlierMovements(Globaldaten& g, int option) {
    Money sum;
    if (!g.store.holds(g.year, g.dataSet)) return sum;
    const int current = g.workingCase.monthIndex();
    for (int m = 0; m < current && m < 12; ++m) {
        const std::shared_ptr<const Case> record = g.store.storedMonth(m + 1, g.caseNumber);
        if (record->key(KeySlot::PartialMonth) == option)
            sum += Money::fromCents(record->amount(AmountSlot::AccountMovement));
    }
    return sum;
}

AccountLine accountLine(const Globaldaten& g, int line, bool release, Money& credit) {
    const PayColumns& columns = g.extras.columns;
    const LineColumns& col = columns.line(line);
    const GrossLineAttributes& a = g.workingCase.grossLine(line);
    AccountLine l;
    l.line = line;
    l.current = line <= kLastCurrentPayLine;
    l.taxFree = !a.flag(LineFlag::WageTax);
    l.base = col.partTime;
    l.pay = col.actual;
    if (col.retirementFactor < 10000) {
        // The other half of a reduced line: credited while working, paid out of the account afterwards.
        Money half = col.partTime - col.retirement;
        if (col.actual != col.retirement && columns.monthWhole > 0)
            half = half.timesRatio(columns.monthPaid, columns.monthWhole).roundedToCent();
        if (release)
            l.withdrawal = col.actual;
        else
            credit += half;
    }
    if (line <= kLastRegularPayLine && a.flag(LineFlag::SocialInsurance)) {
        l.regular = col.actual;
        if (categoryEntersTopUp(a.partialRetirementCategory, TopUpBase::AtgTwentyPercent))
            l.topUpBase = col.actual;
    }
    return l;
}

} // namespace

bool isWorkingTimeAccount(const Case& c) {
    const int option = c.key(KeySlot::PartialMonth);
    return option >= kAltTZGBlock && option <= kFalterBlock;
}

std::optional<AccountAgreement> accountAgreementOf(const std::string& bytes, int option, int yearMonth,
                                                   std::string& missing) {
    using namespace account_file;
    const std::string name = optionName(option);
    const auto damaged = [&](size_t record) {
        missing = std::string("Die Datei ") + kName + " im Programmordner ist beschädigt (Satz " +
                  std::to_string(record) + "); die Altersteilzeit nach " + name +
                  " (Zeile 23) wird nicht berechnet.";
        return std::nullopt;
    };
    if (bytes.empty() || bytes.size() % kRecordLength != 0) return damaged(bytes.size() / kRecordLength + 1);
    std::optional<AccountAgreement> found;
    for (size_t n = 0; n < bytes.size() / kRecordLength; ++n) {
        RecordBuffer r(kRecordLength);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(n * kRecordLength), kRecordLength,
                    r.bytes().begin());
        const int32_t first = r.i32(kFirstMonth), last = r.i32(kLastMonth), before = r.i32(kStartBefore);
        const bool datesValid = validYearMonth(first) && validYearMonth(last) && first <= last &&
                                (before == 0 || validYearMonth(before / 100));
        const int16_t recordOption = r.i16(kOption);
        if ((recordOption != kFlexBlock && recordOption != kFalterBlock) || !datesValid ||
            !validShare(r.i16(kTopUp)) || !validShare(r.i16(kPensionBase)) || !validShare(r.i16(kPensionCap)))
            return damaged(n + 1);
        if (recordOption != option || yearMonth < first || yearMonth > last || found) continue;
        found = AccountAgreement{option,
                                 r.text(kAgreementName, kAgreementNameLength),
                                 r.i16(kTopUp),
                                 r.i16(kPensionBase),
                                 r.i16(kPensionCap),
                                 before};
    }
    if (!found)
        missing = std::string("Die Datei ") + kName + " enthält für " + name + " keine Werte für " +
                  monthText(yearMonth) + "; die Altersteilzeit (Zeile 23) wird nicht berechnet.";
    return found;
}

void ReadAccountAgreements(Globaldaten& g) {
    WorkingTimeAccount& a = g.retirement.account;
    a = WorkingTimeAccount();
    const Case& c = g.workingCase;
    const int option = c.key(KeySlot::PartialMonth);
    if (option != kFlexBlock && option != kFalterBlock) return;
    if (!readsAgreementFile(c.serviceRelationship())) return; // the step names it
    const std::filesystem::path path = findFileIgnoringCase(g.programDir, account_file::kName);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        a.missing = std::string("Die Datei ") + account_file::kName +
                    " fehlt im Programmordner; die Altersteilzeit nach " + optionName(option) +
                    " (Zeile 23) wird nicht berechnet.";
        return;
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const int yearMonth = g.year * 100 + std::clamp(c.monthIndex(), 0, 11) + 1;
    if (auto agreement = accountAgreementOf(bytes, option, yearMonth, a.missing)) a.agreement = *agreement;
}

void WorkingTimeAccountStep(Globaldaten& g) {
    WorkingTimeAccount& a = g.retirement.account;
    Case& c = g.workingCase;
    const int option = c.key(KeySlot::PartialMonth);
    if (!isWorkingTimeAccount(c)) {
        a = WorkingTimeAccount();
        return;
    }
    const int sr = c.serviceRelationship();
    a.releasePhase = c.key(KeySlot::ChildBenefit) == kTopUpRelease;
    c.setAmount(AmountSlot::AccountMovement, 0);
    if (!paysContributions(sr))
        a.missing = std::string("Zeile 23: Das Blockmodell mit Wertguthaben (") + optionName(option) +
                    ") gilt nur für Beschäftigte; es wird nichts berechnet.";
    else if (option == kAltTZGBlock)
        a.agreement = AccountAgreement{option,
                                       "AltTZG",
                                       kStatutoryTopUpHundredths,
                                       kStatutoryPensionBaseHundredths,
                                       kStatutoryPensionCapHundredths,
                                       0};
    else if (!readsAgreementFile(sr))
        a.missing = std::string("Zeile 23: ") + optionName(option) +
                    " gilt nur für TVöD, TV-V und Dienstverträge mit besonderer Tabelle 1 (Zeile 4); es "
                    "wird nichts berechnet.";
    if (!a.missing.empty()) {
        // No top-up of an earlier run stays on line 43 while the notice says that none was computed.
        const int key = c.key(KeySlot::ChildBenefit);
        if (key == kTopUpWork || key == kTopUpRelease) c.setAmount(AmountSlot::ChildBenefit, 0);
        addToEmployerCost(g, Money());
        return;
    }
    a.computed = true;

    // The pay lines, then the part of the supplementary-pension levy liable to contributions.
    Money regular, topUpBase;
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        AccountLine l = accountLine(g, line, a.releasePhase, a.credit);
        a.withdrawal += l.withdrawal;
        regular += l.regular;
        topUpBase += l.topUpBase;
        if (l.base != Money() || l.pay != Money()) a.lines.push_back(l);
    }
    if (g.pension.svAddedPay > Money()) {
        AccountLine levy;
        levy.regular = levy.topUpBase = g.pension.svAddedPay;
        regular += levy.regular;
        topUpBase += levy.topUpBase;
        a.lines.push_back(levy);
    }
    c.setAmount(AmountSlot::AccountMovement, (a.releasePhase ? -a.withdrawal : a.credit).toCents());
    a.earlierMonths = earlierMovements(g, option);

    a.ceiling = yearDefaults(g).rvCeiling[g.east ? 1 : 0];
    // § 6 (1) AltTZG: the regular pay counts up to the ceiling.
    a.topUp = Money::fromCents(mulDiv(std::min(topUpBase, a.ceiling).units(), a.agreement.topUpHundredths,
                                      10000 * Money::kUnitsPerCent, Rounding::HalfUp));
    a.rateName = pensionRateName(g.year);
    if (insuranceStatus(g).krv != 2) {
        a.pension = statutoryPensionTopUp(regular, a.ceiling, a.agreement.pensionBaseHundredths,
                                          a.agreement.pensionCapHundredths);
        a.contribution = contribution(a.pension.base, Rate::fromHundredths(pensionRateHundredths(g.year)));
        a.oneTimeRoom = positive(a.ceiling - a.pension.regular - a.pension.base);
    }
    const PensionWorksheet& w = g.pension.worksheet;
    a.fundPay = w.amount(9);
    a.fundRaised = w.amount(10);
    a.fundLevy = w.amount(11);
    const int fund = c.key(KeySlot::SupplementaryFund);
    if (isPensionFund(fund))
        a.fundLevyRate = formatPensionRate(
            g.pension.settings.rates(fund, g.east, std::clamp(c.monthIndex(), 0, 11)).employerLevy());
    a.progression = progressionEstimate(g, a.topUp);
    putTopUp(c, a.releasePhase, a.topUp);
    addToEmployerCost(g, a.contribution);
}

FlatRateNet flatRateNet(const Globaldaten& g, Money gross, bool employee) {
    FlatRateNet n;
    n.gross = gross;
    if (gross <= Money() || g.year < kFirstYear || g.year > kLastYear) {
        n.net = gross;
        return n;
    }
    const TaxClass cls = TaxClassSelector(g.workingCase.key(KeySlot::TaxClass));
    const InsuranceStatus s = insuranceStatus(g);
    LohnstrInput in;
    in.STKL = taxClassOf(g);
    in.ZKF = cls.byFlowChart() ? cls.ZKF() : Decimal(0);
    in.R = 1; // church membership is assumed
    setInsuranceInputs(s, in);
    in.LZZ = 2;
    in.RE4 = gross.toCents();
    const LohnstrOutput out = LOHNSTR(g.year, in);
    n.wageTax = Money::fromCents(out.LSTLZZ);
    n.surcharge = monthlySolidaritySurcharge(g.year, n.wageTax, in.STKL == 3);
    n.churchTax = Money::fromCents(mulDiv(out.BK, kFlatChurchTaxPercent, 100, Rounding::TowardZero));
    if (employee) {
        const SvDefaults d = yearDefaults(g);
        const size_t area = g.east ? 1 : 0;
        // Until 2018 the employee bore the whole additional contribution, from 2019 half of it.
        const Rate additional = g.year >= 2019 ? d.averageAdditional.half() : d.averageAdditional;
        Rate care = d.pvHalf;
        if (s.childless) care = care + d.childlessSurcharge;
        if (s.saxony) care = care + d.saxonyShift;
        n.socialInsurance = contribution(std::min(gross, d.kvCeiling[area]), d.kvGeneralHalf + additional) +
                            contribution(std::min(gross, d.pvCeiling[area]), care) +
                            contribution(std::min(gross, d.rvCeiling[area]), d.rvHalf) +
                            contribution(std::min(gross, d.avCeiling[area]), d.avHalf);
    }
    n.net = gross - n.wageTax - n.surcharge - n.churchTax - n.socialInsurance;
    return n;
}

void PartialRetirementTopUpStep(Globaldaten& g) {
    PartialRetirementResult& r = g.retirement.result;
    r = PartialRetirementResult();
    Case& c = g.workingCase;
    const int option = c.key(KeySlot::PartialMonth);
    if (option != parttime::kRetirementWork && option != parttime::kRetirementRelease) return;
    const int sr = c.serviceRelationship();
    const bool civil = isCivilServant(sr);
    if ((civil && sr == relationship::kCandidates) || isWithoutPay(sr)) return;
    r.computed = true;
    r.civilServant = civil;
    r.releasePhase = option == parttime::kRetirementRelease;
    const PartialRetirementPercents& pct = g.retirement.percents;
    if (civil) {
        r.civil = civilServantSupplement(g);
        r.topUp = r.civil.supplement;
    } else {
        r.atgTwenty = percentTopUp(g, TopUpBase::AtgTwentyPercent, kTopUpPercent);
        r.atgRaise = raiseTo(g, TopUpBase::AtgMinimumNet, pct.atg, kAtgMinimumNetPercent, "MNET.txt",
                             r.atgTwenty.amount);
        r.agreementTwenty = percentTopUp(g, TopUpBase::AgreementTwenty, kTopUpPercent);
        r.agreementVariant = percentOf(r.agreementTwenty.base, kTopUpVariantPercent);
        r.agreementRaise = raiseTo(g, TopUpBase::AgreementMinimumNet, pct.agreement,
                                   kAgreementMinimumNetPercent, "MNET2.txt", r.agreementTwenty.amount);
        r.topUp = r.agreementTwenty.amount + r.agreementRaise.raise;
        r.pension = pensionTopUp(g);
    }
    r.progression = progressionEstimate(g, r.topUp);
    putTopUp(c, r.releasePhase, r.topUp);
    addToEmployerCost(g, r.pension.contribution);
}

} // namespace varemo
