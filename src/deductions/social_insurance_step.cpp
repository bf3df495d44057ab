#include "deductions/social_insurance_step.h"

#include "deductions/insurance_status.h"
#include "deductions/supplementary_pension.h"
#include "law/low_wage_zone.h"
#include "pay/line_key_codes.h"
#include "pay/part_time.h"
#include "tariffs/service_relationship.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace varemo {
namespace {

constexpr int kFirstOneTimeLine = 18;
constexpr int kDaysUnit = 100000;

int clampMonth(int m) {
    return std::clamp(m, 0, 11);
}

struct PayOfMonth {
    Money regular;
    Money oneTime;
};

PayOfMonth payOf(const Case& c) {
    PayOfMonth p;
    for (int line = kFirstGrossLine; line <= kLastGrossLine; ++line) {
        const GrossLineAttributes& a = c.grossLine(line);
        if (!a.flag(LineFlag::SocialInsurance)) continue;
        (line >= kFirstOneTimeLine ? p.oneTime : p.regular) += a.reducedAmount;
    }
    return p;
}

int svDaysOf(const Case& c) {
    if (!isPartialMonthInDays(c)) return 30;
    int32_t monthDays = c.amount(AmountSlot::MonthDays);
    int32_t paidDays = c.amount(AmountSlot::PaidDays);
    if (monthDays <= 0 || paidDays >= monthDays) return 30;
    return std::clamp(paidDays / kDaysUnit, 0, 30);
}

Region regionOf(const Case& c) {
    return isEastRegion(c.region()) ? Region::East : Region::West;
}

bool paysNoContributions(const Case& c) {
    return !paysContributions(c.serviceRelationship());
}

Money typed(const Case& c, AmountSlot amountSlot) {
    return Money::fromCents(std::llabs(static_cast<long long>(c.previousAmount(amountSlot))));
}

// A month's pay subject to contributions: the lines marked "S", moved by the key-coded in-kind and
// deduction lines, and the part of the supplementary-pension levy that counts as pay (§ 1 Abs. 1
// Satz 1 Nr. 4a SvEV), which is current pay.
PayOfMonth insurablePay(const Case& c, Money levyPay, const KeyCodeEffects& keyed) {
    PayOfMonth p = payOf(c);
    p.regular = std::max(Money(), p.regular + levyPay + keyed.svRegularRaise - keyed.svRegularLower);
    p.oneTime = std::max(Money(), p.oneTime + keyed.svOneTimeRaise - keyed.svOneTimeLower);
    return p;
}

// The same for a stored month of the year or of the year before: its key codes and its levy are worked
// out again from the record, as its own run did (in that month's year). What those two steps write is
// put back afterwards, also when they throw: the working case, the key codes' effects, the tax step's
// inputs, the pension step's inputs and results, the social-insurance values and, when they were not
// those of the record's year (the pension step then loads that year's), the fund settings. The rest of
// the session's state is left alone, so that saving it costs little next to the steps themselves.
class StoredMonthPay {
  public:
    explicit StoredMonthPay(Globaldaten& g)
        : g_(g), workingCase_(std::move(g.workingCase)), east_(g.east), year_(g.year),
          keyCodes_(g.extras.keyCodes), taxInputs_(g.tax.inputs), defaults_(g.social.defaults),
          pensionInputs_(g.pension.inputs), worksheet_(std::move(g.pension.worksheet)),
          svAddedPay_(g.pension.svAddedPay), employeeCapital_(g.pension.employeeCapital),
          employeeCapitalRate_(g.pension.employeeCapitalRate), levyOneTimeShare_(g.pension.levyOneTimeShare) {
    }
    StoredMonthPay(const StoredMonthPay&) = delete;
    StoredMonthPay& operator=(const StoredMonthPay&) = delete;
    ~StoredMonthPay() {
        g_.workingCase = std::move(workingCase_);
        g_.east = east_;
        g_.year = year_;
        g_.extras.keyCodes = keyCodes_;
        g_.tax.inputs = taxInputs_;
        g_.social.defaults = defaults_;
        PensionState& p = g_.pension;
        p.inputs = pensionInputs_;
        p.worksheet = std::move(worksheet_);
        p.svAddedPay = svAddedPay_;
        p.employeeCapital = employeeCapital_;
        p.employeeCapitalRate = employeeCapitalRate_;
        p.levyOneTimeShare = levyOneTimeShare_;
        if (settings_) {
            p.settingsYear = settingsYear_;
            p.settings = *settings_;
        }
    }

    PayOfMonth of(Case stored, int year) {
        if (g_.pension.settingsYear != year && !settings_) {
            settingsYear_ = g_.pension.settingsYear;
            settings_ = std::make_unique<PensionSettings>(g_.pension.settings);
        }
        g_.workingCase = std::move(stored);
        g_.east = isEastRegion(g_.workingCase.region());
        g_.year = year;
        KeyCodeStep(g_);
        SupplementaryPensionStep(g_);
        return insurablePay(g_.workingCase, g_.pension.svAddedPay, g_.extras.keyCodes);
    }

  private:
    Globaldaten& g_;
    Case workingCase_;
    bool east_;
    int year_;
    KeyCodeEffects keyCodes_;
    TaxInputs taxInputs_;
    SvDefaults defaults_;
    PensionInputs pensionInputs_;
    PensionWorksheet worksheet_;
    Money svAddedPay_;
    Money employeeCapital_;
    int32_t employeeCapitalRate_;
    Money levyOneTimeShare_;
    int settingsYear_ = 0;
    std::unique_ptr<PensionSettings> settings_;
};

// What a stored month contributes to the accounts of the year (of the year before with yearBefore), as the
// store keeps it for the held case or worked out again from the record. The session's state that the
// work-out changes is saved in rerun on the first month that needs it.
LookBackPay lookBack(Globaldaten& g, std::unique_ptr<StoredMonthPay>& rerun, int monthIndex,
                     bool yearBefore) {
    const int month = monthIndex + 1;
    if (const LookBackPay* kept = g.store.keptPay(g.caseNumber, month, yearBefore)) return *kept;
    LookBackPay out;
    Case stored;
    if (yearBefore)
        out.stored = g.store.loadMonthOfYearBefore(month, g.caseNumber, stored);
    else
        g.store.loadMonth(month, g.caseNumber, stored);
    if (out.stored) {
        stored.setKey(KeySlot::Month, static_cast<int16_t>(monthIndex)); // the record leaves it to the caller
        out.contributes = !paysNoContributions(stored);
    }
    if (out.contributes) {
        out.svDays = svDaysOf(stored);
        out.east = regionOf(stored) == Region::East;
        if (!rerun) rerun = std::make_unique<StoredMonthPay>(g);
        const PayOfMonth p = rerun->of(std::move(stored), yearBefore ? g.year - 1 : g.year);
        out.regular = p.regular;
        out.oneTime = p.oneTime;
    }
    g.store.keepPay(g.caseNumber, month, yearBefore, out);
    return out;
}

void addMonth(const LookBackPay& p, const SvDefaults& d, std::vector<MonthPay>& kv,
              std::vector<MonthPay>& rv) {
    const auto r = static_cast<size_t>(p.east ? Region::East : Region::West);
    kv.push_back({p.regular, p.oneTime, proRataCeiling(d.kvCeiling[r], p.svDays)});
    rv.push_back({p.regular, p.oneTime, proRataCeiling(d.rvCeiling[r], p.svDays)});
}

// The pay of the earlier months of the year from the stored month records, with their ceilings; each
// month's current pay is capped at its own ceiling only with the levy part added (§ 23a Abs. 3 SGB IV).
void earlierMonths(Globaldaten& g, int monthIndex, const SvDefaults& d, std::vector<MonthPay>& kv,
                   std::vector<MonthPay>& rv) {
    if (!g.store.isOpen() || g.store.year() != g.year) return;
    std::unique_ptr<StoredMonthPay> rerun;
    for (int m = 0; m < monthIndex; ++m) {
        const LookBackPay p = lookBack(g, rerun, m, false);
        if (!p.contributes || (p.regular <= Money() && p.oneTime <= Money())) continue;
        addMonth(p, d, kv, rv);
    }
}

// The months of the year before in which the case was employed with pay, against that year's ceilings.
struct YearBefore {
    bool stored = false; // some month of that year is stored
    int lastMonth = -1;  // the last month with pay: the one the payment is attributed to
    std::vector<MonthPay> kv, rv;
};

YearBefore yearBeforeMonths(Globaldaten& g, const SvDefaults& before) {
    YearBefore out;
    std::unique_ptr<StoredMonthPay> rerun;
    for (int m = 0; m < 12; ++m) {
        const LookBackPay p = lookBack(g, rerun, m, true);
        if (!p.stored) continue;
        out.stored = true;
        if (!p.contributes || (p.regular <= Money() && p.oneTime <= Money())) continue;
        out.lastMonth = m;
        addMonth(p, before, out.kv, out.rv);
    }
    return out;
}

std::int32_t healthRateOf(const Case& c, const FundTable& funds, int monthIndex) {
    const int fund = healthFundOfKey(c.key(KeySlot::HealthFund));
    int kind = c.key(KeySlot::ContributionKind);
    int position = c.key(KeySlot::HealthRate);
    if ((fund == 33 || fund == 35) && position >= 0 && position <= 121) return rateOfPosition(position);
    const FundRates& r = funds.rates(fund, monthIndex);
    return (kind == 10 || kind == 11) ? r.reduced : r.general;
}

// The contributions of a payment attributed to the year before, at that year's rates, for the kinds that
// carry a rate; typed, flat-rate and exempt kinds have none to apply.
void marchShares(MarchClause& m, const InsuranceStatus& st, const Case& c, const SvDefaults& d,
                 const FundTable& funds, int monthIndex) {
    const Money kvBase = m.kvAccount.oneTimeAssessed;
    const Money rvBase = m.rvAccount.oneTimeAssessed;
    const bool after2018 = m.year >= 2019;
    const Rate general = Rate::fromHundredths(healthRateOf(c, funds, monthIndex));
    const int fund = healthFundOfKey(c.key(KeySlot::HealthFund));
    const Rate additional = Rate::fromHundredths(funds.rates(fund, monthIndex).additional);
    const Rate additionalEmployer = after2018 ? additional.half() : Rate{};
    switch (st.kvKind) {
    case 0:
    case 2:
    case 10:
        m.kv = regularBranch(st.kvKind, kvBase, general.half(), general.half());
        m.kvAdditional =
            regularBranch(st.kvKind, kvBase, additional - additionalEmployer, additionalEmployer);
        break;
    case 1:
    case 11:
        m.kv = subsidyBranch(st.kvKind, kvBase,
                             general.half() + (after2018 ? d.averageAdditional.half() : Rate{}), Money());
        break;
    case 12:
        m.kv = subsidyBranch(12, kvBase, general.half() + additionalEmployer, Money());
        break;
    default:
        break;
    }
    const Rate childless = st.childless ? d.childlessSurcharge : Rate{};
    switch (st.pvKind) {
    case 0:
    case 2:
    case 7: {
        const bool saxony = st.pvKind == 2 || (st.pvKind == 7 && c.region() == kRegionSaxony);
        const Rate employerHalf = saxony ? d.pvHalf - d.saxonyShift : d.pvHalf;
        m.pv = regularBranch(st.pvKind, kvBase, d.pvHalf * 2 - employerHalf + childless, employerHalf);
        break;
    }
    case 1:
    case 9:
        m.pv = subsidyBranch(st.pvKind, kvBase, d.pvHalf, Money());
        break;
    case 3:
        m.pv = subsidyBranch(3, kvBase, d.pvHalf - d.saxonyShift, Money());
        break;
    default:
        break;
    }
    switch (st.rvKind) {
    case 0:
    case 7:
    case 8:
    case 13:
        m.rv = regularBranch(st.rvKind, rvBase, d.rvHalf, d.rvHalf);
        break;
    case 5:
        m.rv = subsidyBranch(5, rvBase, d.rvHalf, Money());
        break;
    case 6:
        m.rv = regularBranch(6, rvBase, Rate{}, d.rvHalf);
        break;
    default:
        break;
    }
    switch (st.avKind) {
    case 0:
    case 3:
        m.av = regularBranch(st.avKind, rvBase, d.avHalf, d.avHalf);
        break;
    case 6:
        m.av = regularBranch(6, rvBase, Rate{}, d.avHalf * 2);
        break;
    default:
        break;
    }
}

// § 23a Abs. 4 SGB IV: a one-time payment of January to March that the year's unused ceiling does not take
// in full goes to the last month of the year before in which the employment existed. Whether it is taken
// in full is judged by the KV ceiling for those compulsorily insured in health insurance, else by the RV
// ceiling (§ 23a Abs. 5 SGB IV); the attribution then holds for every branch.
void marchClause(Globaldaten& g, SocialInsuranceWorksheet& w, const InsuranceStatus& st) {
    if (w.civilServant || w.monthIndex > 2 || w.oneTimePay <= Money()) return;
    const bool kvCompulsory = st.kvKind == 0 || st.kvKind == 2 || st.kvKind == 10;
    const CeilingAccount& judged = kvCompulsory ? w.kvAccount : w.rvAccount;
    if (judged.oneTimeAssessed >= judged.oneTime) return;
    MarchClause& m = w.march;
    m.checked = true;
    m.year = g.year - 1;
    const std::string kept = "; die Einmalzahlung bleibt im laufenden Jahr.";
    const std::string year = std::to_string(m.year);
    const auto before = SvDefaults::forYear(m.year);
    if (!before) {
        m.note = "Nicht geprüft: für " + year + " fehlen die Rechengrößen" + kept;
        return;
    }
    if (!g.store.isOpen() || g.store.year() != g.year) {
        m.note = "Nicht geprüft: die Monate des Jahres " + year + " sind nicht lesbar" + kept;
        return;
    }
    const YearBefore months = yearBeforeMonths(g, *before);
    if (!months.stored) {
        m.note = "Nicht geprüft: keine gespeicherten Monate des Jahres " + year + kept;
        return;
    }
    if (months.lastMonth < 0) {
        m.note = year + " bestand keine Beschäftigung mit Entgelt" + kept;
        return;
    }
    const MonthPay payment{Money(), w.oneTimePay, Money()};
    m.kvAccount = assessAgainstCeiling(months.kv, payment);
    m.rvAccount = assessAgainstCeiling(months.rv, payment);
    m.attributed = true;
    m.monthIndex = months.lastMonth;
    // The payment leaves this year's accounts.
    w.kvAccount.oneTimeAssessed = Money();
    w.rvAccount.oneTimeAssessed = Money();
    marchShares(m, st, g.workingCase, *before, FundTable::defaultsFor(m.year), months.lastMonth);
}

void addShares(BranchResult& into, const BranchResult& part) {
    into.base += part.base;
    into.employee += part.employee;
    into.employer += part.employer;
    into.subsidy += part.subsidy;
}

struct Zone {
    bool applies = false;
    Money be;
};

// BE of this employment when the zone applies to the month's pay (alone or with further employments).
Zone zoneFor(const SocialInsuranceWorksheet& w, Money ae, const std::optional<ZoneParameters>& z) {
    Zone out;
    if (!z) return out;
    Money total = ae + w.otherEmploymentsPay;
    if (!inLowWageZone(total, *z)) return out;
    out.applies = true;
    out.be = w.otherEmploymentsPay > Money() ? zoneBaseOfSeveral(ae, total, *z) : zoneBase(ae, *z);
    return out;
}

BranchResult zoneBranch(int kind, Money be, Money ae, Rate totalRate, Rate employerRate,
                        Rate aloneRate = Rate{}) {
    ZoneShare s = zoneShare(be, ae, totalRate, employerRate, aloneRate);
    BranchResult r;
    r.kind = kind;
    r.base = be;
    r.employerRate = employerRate;
    r.employee = s.employee;
    r.employer = s.employer;
    return r;
}

} // namespace

const SvDefaults& sessionSvDefaults(Globaldaten& g) {
    if (g.social.defaults.year != g.year) {
        if (!restoreSvDefaults(g.social.defaults, g.year))
            restoreSvDefaults(g.social.defaults, std::clamp(g.year, kFirstYear, kLastYear));
    }
    return g.social.defaults;
}

std::int32_t caseHealthRate(const Globaldaten& g) {
    return healthRateOf(g.workingCase, g.funds, clampMonth(g.workingCase.monthIndex()));
}

void SocialInsuranceStep(Globaldaten& g) {
    const SvDefaults& d = sessionSvDefaults(g);
    Case& c = g.workingCase;
    const InsuranceStatus st = insuranceStatus(g);
    const int month = clampMonth(c.monthIndex());
    const bool after2018 = g.year >= 2019;

    SocialInsuranceWorksheet w;
    w.computed = true;
    w.year = g.year;
    w.monthIndex = month;
    w.region = regionOf(c);
    w.svDays = svDaysOf(c);
    w.civilServant = paysNoContributions(c);
    // The key codes and the levy part come from the steps before this one.
    const PayOfMonth pay = insurablePay(c, g.pension.svAddedPay, g.extras.keyCodes);
    w.regularPay = pay.regular;
    w.oneTimePay = pay.oneTime;
    if (c.key(KeySlot::OtherEmployments) != 0)
        w.otherEmploymentsPay =
            Money::fromCents(std::max<int32_t>(0, c.amount(AmountSlot::OtherEmploymentsPay)));
    const Money ae = pay.regular + pay.oneTime;
    const auto r = static_cast<size_t>(w.region);

    // Ceilings, with one-time payments against what the earlier months left unused (the year salary
    // view takes December and no earlier months).
    std::vector<MonthPay> kvEarlier, rvEarlier;
    if (c.monthIndex() <= 11) earlierMonths(g, month, d, kvEarlier, rvEarlier);
    w.kvAccount =
        assessAgainstCeiling(kvEarlier, {pay.regular, pay.oneTime, proRataCeiling(d.kvCeiling[r], w.svDays)});
    w.rvAccount =
        assessAgainstCeiling(rvEarlier, {pay.regular, pay.oneTime, proRataCeiling(d.rvCeiling[r], w.svDays)});
    marchClause(g, w, st);
    const Money kvBase = w.kvAccount.base();
    const Money rvBase = w.rvAccount.base();

    const auto zoneParams = zoneParameters(g.year, month);
    const Zone zone = zoneFor(w, ae, zoneParams);
    if (zoneParams) {
        w.zoneUpperBound = zoneParams->upper;
        w.zoneFactor = zoneParams->factor;
    }
    // § 20 Abs. 2 SGB IV: pay in the zone is assessed there by law, so the regular kinds go into the zone
    // as the zone kinds do; not so for those employed for their vocational training.
    const bool zoneByLaw = payFamily(c.serviceRelationship()) != PayFamily::Trainees;
    auto inZone = [&](bool zoneKindChosen, bool regularKind) {
        if (!zone.applies || !(zoneKindChosen || (regularKind && zoneByLaw))) return false;
        w.zone = true;
        w.zoneBase = zone.be;
        if (!zoneKindChosen) w.zoneByLaw = true;
        return true;
    };

    // The contributions typed into lines 37 to 40, as magnitudes.
    const Money typedKv = typedPremium(c, AmountSlot::HealthInsurance);
    const Money typedPv = typedPremium(c, AmountSlot::CareInsurance);
    const Money typedRv = typed(c, AmountSlot::PensionInsurance);
    const Money typedAv = typed(c, AmountSlot::UnemploymentInsurance);

    // Health insurance.
    const Rate general = Rate::fromHundredths(caseHealthRate(g));
    const Rate additional = Rate::fromHundredths(st.kvzHundredths);
    const Rate additionalEmployer = after2018 ? additional.half() : Rate{};
    const Rate additionalEmployee = additional - additionalEmployer;
    const bool household = st.rvKind == 11;
    const Rate subsidyAdditional = after2018 ? d.averageAdditional.half() : Rate{};
    const bool noneComputed = w.civilServant;

    switch (noneComputed && st.kvKind != 7 && st.kvKind != 8 ? -1 : st.kvKind) {
    case 2:
    case 0:
    case 10:
        if (inZone(st.kvKind == 2, st.kvKind != 2)) {
            w.kv = zoneBranch(st.kvKind, zone.be, ae, general, general.half());
            if (after2018)
                w.kvAdditional = zoneBranch(st.kvKind, zone.be, ae, additional, additional.half());
            else
                w.kvAdditional = zoneBranch(st.kvKind, zone.be, ae, Rate{}, Rate{}, additional);
        } else {
            w.kv = regularBranch(st.kvKind, kvBase, general.half(), general.half());
            w.kvAdditional = regularBranch(st.kvKind, kvBase, additionalEmployee, additionalEmployer);
        }
        break;
    case 1:
    case 11:
        w.kv = subsidyBranch(st.kvKind, kvBase, general.half() + subsidyAdditional, typedKv);
        break;
    case 4:
        w.kv = flatEmployerBranch(4, ae, Rate{household ? 50000 : 100000});
        break;
    case 5:
        w.kv = flatEmployerBranch(5, ae, Rate{household ? 50000 : 130000});
        break;
    case 7:
        w.kv = enteredBranch(7, typedKv, typedKv);
        break;
    case 8:
        w.kv = enteredSubsidyBranch(8, typedKv);
        break;
    case 9:
        w.kv = enteredBranch(9, typedKv, contribution(ae, general.half() + additionalEmployer));
        break;
    case 12:
        w.kv = subsidyBranch(12, kvBase, general.half() + additionalEmployer, Money());
        break;
    default:
        w.kv.kind = st.kvKind;
        break; // 3 exempt, 6 no contribution
    }

    // Care insurance. Saxony: the employee pays 0.5 % more, the employer 0.5 % less; in the zone the
    // employer pays his lower half rate on the actual pay. The zone kind has no Saxony form of its own,
    // so there the region decides.
    const Rate childless = st.childless ? d.childlessSurcharge : Rate{};
    const Rate pvTotal = d.pvHalf * 2;
    switch (noneComputed && st.pvKind != 5 && st.pvKind != 6 ? -1 : st.pvKind) {
    case 7:
    case 0:
    case 2: {
        const bool saxony = st.pvKind == 2 || (st.pvKind == 7 && c.region() == kRegionSaxony);
        const Rate employerHalf = saxony ? d.pvHalf - d.saxonyShift : d.pvHalf;
        if (inZone(st.pvKind == 7, st.pvKind != 7))
            w.pv = zoneBranch(st.pvKind, zone.be, ae, pvTotal, employerHalf, childless);
        else
            w.pv = regularBranch(st.pvKind, kvBase, pvTotal - employerHalf + childless, employerHalf);
        break;
    }
    case 1:
        w.pv = subsidyBranch(1, kvBase, d.pvHalf, typedPv);
        break;
    case 3:
        w.pv = subsidyBranch(3, kvBase, d.pvHalf - d.saxonyShift, typedPv);
        break;
    case 5:
        w.pv = enteredBranch(5, typedPv, typedPv);
        break;
    case 6:
        w.pv = enteredSubsidyBranch(6, typedPv);
        break;
    case 8:
        w.pv = enteredBranch(8, typedPv, contribution(ae, d.pvHalf));
        break;
    case 9:
        w.pv = subsidyBranch(9, kvBase, d.pvHalf, Money());
        break;
    default:
        w.pv.kind = st.pvKind;
        break; // 4 and 10: no care insurance here
    }

    // Pension insurance.
    const Rate rvTotal = d.rvHalf * 2;
    const bool waiver = rvWaiverAllowed(g.year, month);
    switch (noneComputed && st.rvKind != 4 && st.rvKind != 12 ? -1 : st.rvKind) {
    case 0:
    case 13:
    case 7:
        if (inZone(st.rvKind == 7, st.rvKind == 0))
            w.rv = zoneBranch(st.rvKind, zone.be, ae, rvTotal, d.rvHalf);
        else
            w.rv = regularBranch(st.rvKind, rvBase, d.rvHalf, d.rvHalf);
        break;
    case 8:
        if (inZone(true, false)) {
            if (waiver)
                w.rv = zoneBranch(8, ae, ae, rvTotal, d.rvHalf); // the full share on AE
            else
                w.rv = zoneBranch(8, zone.be, ae, rvTotal, d.rvHalf);
        } else {
            w.rv = regularBranch(8, rvBase, d.rvHalf, d.rvHalf);
        }
        break;
    case 2:
        w.rv = flatEmployerBranch(2, ae, Rate{150000});
        break;
    case 3:
        w.rv = topUpBranch(3, ae, rvTotal, Rate{150000}, d.rvMinimumBase);
        break;
    case 11:
        w.rv = topUpBranch(11, ae, rvTotal, Rate{50000}, d.rvMinimumBase);
        break;
    case 4:
        w.rv = enteredBranch(4, typedRv, typedRv);
        break;
    case 5:
        w.rv = subsidyBranch(5, rvBase, d.rvHalf, typedRv);
        break;
    case 6:
        w.rv = regularBranch(6, rvBase, Rate{}, d.rvHalf);
        break;
    case 9:
    case 10:
        w.rv = enteredBranch(st.rvKind, typedRv, contribution(ae, d.rvHalf));
        break;
    case 12:
        w.rv = enteredBranch(12, typedRv, Money());
        break;
    default:
        w.rv.kind = st.rvKind;
        break; // 1: no pension insurance
    }

    // Unemployment insurance (its ceiling is the RV ceiling).
    const Rate avTotal = d.avHalf * 2;
    switch (noneComputed && st.avKind != 2 ? -1 : st.avKind) {
    case 0:
    case 3:
        if (inZone(st.avKind == 3, st.avKind == 0))
            w.av = zoneBranch(st.avKind, zone.be, ae, avTotal, d.avHalf);
        else
            w.av = regularBranch(st.avKind, rvBase, d.avHalf, d.avHalf);
        break;
    case 2:
        w.av = enteredBranch(2, typedAv, typedAv);
        break;
    case 4:
        w.av = enteredBranch(4, typedAv, contribution(ae, d.avHalf));
        break;
    case 6:
        w.av = regularBranch(6, rvBase, Rate{}, avTotal);
        break;
    default:
        w.av.kind = st.avKind;
        break; // 1 and 5: no unemployment insurance
    }

    if (w.march.attributed) {
        addShares(w.kv, w.march.kv);
        addShares(w.kvAdditional, w.march.kvAdditional);
        addShares(w.pv, w.march.pv);
        addShares(w.rv, w.march.rv);
        addShares(w.av, w.march.av);
    }

    // Levies: mini-jobs with the Minijob-Zentrale, everyone else with the case's fund.
    if (!w.civilServant) {
        const bool miniJob =
            st.kvKind == 4 || st.kvKind == 5 || st.rvKind == 2 || st.rvKind == 3 || household;
        int fund = miniJob ? kMiniJobFund : std::clamp<int>(c.key(KeySlot::HealthFund), 0, kHealthFunds - 1);
        const FundRates& fr = g.funds.rates(fund, month);
        const bool actualPay = miniJob || w.zone;
        Money aagBase = actualPay ? pay.regular : w.rvAccount.regularAssessed;
        Money insolvencyBase = actualPay ? ae : rvBase + w.march.rvAccount.oneTimeAssessed;
        LevyLiability liability = g.social.liability;
        if (household) liability.insolvency = false;
        w.levies = computeLevies(aagBase, insolvencyBase, fr.u1, fr.u2, g.funds.insolvencyRate(), liability);
        w.levies.fund = fund;
    }

    c.setAmount(AmountSlot::HealthInsurance, (w.kv.lineAmount() + w.kvAdditional.lineAmount()).toCents());
    c.setAmount(AmountSlot::CareInsurance, w.pv.lineAmount().toCents());
    c.setAmount(AmountSlot::PensionInsurance, w.rv.lineAmount().toCents());
    c.setAmount(AmountSlot::UnemploymentInsurance, w.av.lineAmount().toCents());
    g.social.worksheet = w;
}

} // namespace varemo
