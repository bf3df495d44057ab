#include "law/mini_job.h"

#include "law/low_wage_zone.h"
#include "law/sv_defaults.h"

#include <algorithm>

namespace varemo {

EmploymentClass classifyPay(Money pay, int year, int monthIndex) {
    if (pay <= Money()) return EmploymentClass::None;
    if (pay <= miniJobLimit(year)) return EmploymentClass::MiniJob;
    if (pay <= lowWageZoneUpperBound(year, monthIndex)) return EmploymentClass::LowWageZone;
    return EmploymentClass::Regular;
}

int shortTermDayLimit(int year, int monthIndex) {
    if (year == 2020 && monthIndex >= 2 && monthIndex <= 9) return 115;
    if (year == 2021 && monthIndex >= 2 && monthIndex <= 9) return 102;
    if (year >= 2015) return 70;
    return 50;
}

std::vector<std::string> miniJobsExceedMessage(int year) {
    return {"Die einzelnen entgeltgeringfügigen Beschäftigungen überschreiten zusammen die Grenze von ",
            year < 2013 ? "400 €." : "450 €."};
}

std::vector<std::string> householdChequeNotice() {
    return {"Der AG hat die Abzüge", "(2 % Pauschalsteuern,", " 5 % KV, 5 % RV) im",
            "Haushaltsscheck-Verfahren an die Bundesknappschaft abzuführen."};
}

SvFormResult classifyEmployments(const SvFormInput& in) {
    SvFormResult r;
    const Money limit = miniJobLimit(in.year);

    if (in.shortTermChecked) {
        if (in.shortTermDays > 0 && in.shortTermDays <= shortTermDayLimit(in.year, in.monthIndex)) {
            r.mainClass = EmploymentClass::ShortTerm;
            return r;
        }
        r.messages.push_back(
            in.checkedInMainColumn
                ? "Es liegt keine zeitgeringfügige Beschäftigung vor.     Bitte bewerten Sie die "
                  "Beschäftigung in der Spalte HAUPTBESCHÄFTIGUNG."
                : "Es liegt keine zeitgeringfügige Beschäftigung vor.     Bitte prüfen Sie in der Spalte "
                  "rechts, ob eine entgeltgeringfügige Beschäftigung vorliegt.");
    }

    const bool mainLiable = in.hasMainEmployment && in.mainPay > limit;
    Money miniTotal;
    for (Money p : in.miniJobPays)
        miniTotal += p;

    if (mainLiable) {
        // The first mini-job beside a liable main employment stays free; every further one is added
        // to the main employment.
        r.combinedPay = in.mainPay;
        bool firstKept = false;
        for (Money p : in.miniJobPays) {
            if (p > Money() && p <= limit && !firstKept) {
                firstKept = true;
                r.miniJobClasses.push_back(in.privateHousehold ? EmploymentClass::Household
                                                               : EmploymentClass::MiniJob);
            } else {
                r.combinedPay += p;
                r.miniJobClasses.push_back(EmploymentClass::Regular);
            }
        }
        r.mainClass = classifyPay(r.combinedPay, in.year, in.monthIndex);
        if (r.mainClass == EmploymentClass::MiniJob) r.mainClass = EmploymentClass::Regular;
    } else {
        Money total = miniTotal + (in.hasMainEmployment ? in.mainPay : Money());
        r.combinedPay = total;
        EmploymentClass c = classifyPay(total, in.year, in.monthIndex);
        if (c == EmploymentClass::MiniJob && in.privateHousehold) c = EmploymentClass::Household;
        int jobs = (in.hasMainEmployment && in.mainPay > Money() ? 1 : 0);
        for (Money p : in.miniJobPays)
            jobs += p > Money() ? 1 : 0;
        if (jobs > 1 && total > limit) {
            auto m = miniJobsExceedMessage(in.year);
            r.messages.push_back(m[0] + m[1]);
        }
        r.mainClass = in.hasMainEmployment ? c : EmploymentClass::None;
        for (size_t i = 0; i < in.miniJobPays.size(); ++i)
            r.miniJobClasses.push_back(c);
    }
    if (in.privateHousehold && (r.mainClass == EmploymentClass::Household ||
                                std::find(r.miniJobClasses.begin(), r.miniJobClasses.end(),
                                          EmploymentClass::Household) != r.miniJobClasses.end())) {
        std::string notice;
        for (const auto& part : householdChequeNotice())
            notice += (notice.empty() ? "" : "\n") + part;
        r.messages.push_back(notice);
    }
    return r;
}

ContributionKinds kindsForClass(EmploymentClass c, bool rvExempt) {
    switch (c) {
    case EmploymentClass::Regular:
        return {0, 0, 0, 0};
    case EmploymentClass::LowWageZone:
        return {2, 7, 7, 3};
    case EmploymentClass::MiniJob:
        return {5, 4, rvExempt ? 2 : 3, 1};
    case EmploymentClass::Household:
        return {5, 4, 11, 1};
    case EmploymentClass::ShortTerm:
    case EmploymentClass::None:
        return {6, 4, 1, 1};
    }
    return {};
}

} // namespace varemo
