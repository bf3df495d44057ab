#include "calculators/step_duration.h"

#include "base/error.h"

namespace varemo {

std::vector<StepDate> stepDates(const StepTable& table, const CalendarDate& beginning, int movementMonths,
                                int openSteps) {
    std::vector<int> starts = table.starts;
    if (table.monthsPerStep > 0) {
        starts.clear();
        for (int i = 0; i < openSteps; ++i)
            starts.push_back(i * table.monthsPerStep);
    }
    // The service months count whole months from the month of the beginning; a table that counts
    // "plus one" reaches its thresholds a month earlier.
    const CalendarDate first{1, beginning.month, beginning.year};
    const int shift = table.countsPlusOne && table.monthsPerStep == 0 ? -1 : 0;
    std::vector<StepDate> out;
    for (size_t i = 0; i < starts.size(); ++i) {
        StepDate s;
        s.position = table.firstPosition + static_cast<int>(i);
        const bool last = i + 1 == starts.size();
        s.finalStep = last && table.monthsPerStep == 0;
        const int at = std::max(0, starts[i] + shift);
        // Step 1 begins with the beginning itself, so a table counting "plus one" shortens its time too.
        s.normalMonths = last ? 0 : std::max(0, starts[i + 1] + shift) - at;
        s.begins = i == 0 ? beginning : addMonths(first, at);
        s.movedBegins = i == 0 ? beginning : addMonths(first, at + movementMonths);
        out.push_back(s);
    }
    return out;
}

int stepInForce(const std::vector<StepDate>& steps, const CalendarDate& day) {
    int in = -1;
    for (size_t i = 0; i < steps.size(); ++i)
        if (!(day < steps[i].begins)) in = static_cast<int>(i);
    return in;
}

std::string agreementName(Agreement a) {
    switch (a) {
    case Agreement::TvoedBund:
        return "TVöD-Bund";
    case Agreement::TvlWest:
        return "TV-L (West)";
    case Agreement::TvlOst:
        return "TV-L (Ost)";
    case Agreement::TvoedVka:
        return "TVöD-VKA";
    }
    return {};
}

Money guaranteedAmount(Agreement a, int band) {
    // Cents by band 0–1, 2, 3, 4–6, 7–14.
    static constexpr int64_t kBund[] = {6000, 6000, 8000, 8000, 9000};
    static constexpr int64_t kWest[] = {3500, 5000, 5000, 8000, 9500};
    static constexpr int64_t kOst[] = {3000, 4500, 4500, 6000, 7150};
    const int column = band <= 1 ? 0 : band == 2 ? 1 : band == 3 ? 2 : band <= 6 ? 3 : 4;
    switch (a) {
    case Agreement::TvoedBund:
        return Money::fromCents(kBund[column]);
    case Agreement::TvlWest:
        return Money::fromCents(kWest[column]);
    case Agreement::TvlOst:
        return Money::fromCents(kOst[column]);
    case Agreement::TvoedVka:
        return Money::fromEuros(50);
    }
    return Money();
}

int stepForExperienceMonths(int months) {
    if (months <= 12) return 1;
    if (months <= 36) return 2;
    if (months <= 72) return 3;
    if (months <= 120) return 4;
    if (months <= 180) return 5;
    return 6;
}

std::string nextPayGroup(const std::vector<std::string>& groups, int current) {
    if (current < 0 || current + 1 >= static_cast<int>(groups.size())) return {};
    return groups[static_cast<size_t>(current + 1)];
}

PromotionResult comparePromotion(const PromotionInput& in) {
    PromotionResult r;
    r.oldTotal = in.oldPay + in.allowanceA + in.allowanceB;
    r.newTotal = in.newPay + in.allowanceA + in.allowanceB;
    r.difference = r.newTotal - r.oldTotal;
    r.guarantee = guaranteedAmount(in.agreement, in.band);
    if (r.difference < r.guarantee) r.guaranteeAllowance = r.guarantee - r.difference;
    r.more = r.difference + r.guaranteeAllowance >= Money();
    return r;
}

ExperienceResult creditExperience(const std::optional<CalendarDate>& appointment,
                                  const std::vector<ExperiencePeriod>& periods) {
    if (!appointment) throw Error("Bitte Datum der ersten Ernennung eintragen.");
    ExperienceResult r;
    for (const ExperiencePeriod& p : periods) {
        if (!(p.from < p.to)) throw Error("Das Datum muss später als der Beginn des Zeitabschnitts liegen");
        if (!(p.to < *appointment)) throw Error("Das Datum muss vor dem Datum der Ernennung liegen");
        DateSpan s = datumsdifferenz(p.from, p.to);
        if (p.percent < 100) {
            // Part time counts as its share of the days, a year taken as 365 days.
            const int64_t days = int64_t{s.years} * 365 + s.months * 30 + s.days;
            s = {0, 0, static_cast<int>(mulDiv(days, p.percent, 100, Rounding::HalfEven))};
        }
        r.spans.push_back(s);
        r.sum.years += s.years;
        r.sum.months += s.months;
        r.sum.days += s.days;
    }
    r.creditedMonths = r.sum.years * 12 + r.sum.months + r.sum.days / 30 + (r.sum.days % 30 > 0 ? 1 : 0);
    r.stepBeginning = addMonths(*appointment, -r.creditedMonths);
    return r;
}

} // namespace varemo
