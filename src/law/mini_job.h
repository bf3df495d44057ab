#pragma once
// Mini-jobs and the classification form "SV": decides whether an employment is regular, in the
// low-wage zone, a mini-job (entgeltgeringfügig, § 8 Abs. 1 Nr. 1 SGB IV), a mini-job in a private
// household (§ 8a SGB IV, household cheque) or short-term (zeitgeringfügig, § 8 Abs. 1 Nr. 2 SGB IV),
// and which contribution kinds of lines 37 to 40 follow from that.
//
// Rules applied:
//   - a pay of more than 0 and up to the mini-job limit (450.00; 400.00 before 2013) is a mini-job;
//   - the pay of several mini-jobs without a main employment is added up; above the limit together
//     they are all liable ("Die einzelnen entgeltgeringfügigen Beschäftigungen überschreiten zusammen
//     die Grenze von " "450 €.") and their total decides between the zone and regular contributions;
//   - beside a main employment liable to contributions, the first mini-job stays a mini-job and a
//     second one is added to the main employment (§ 8 Abs. 2 SGB IV);
//   - short-term: at most 70 working days in the calendar year (3 months or 70 days since 2015; from
//     March to October 2020 115 days, from March to October 2021 102 days), whatever the pay;
//   - the mini-job employer pays KV 13 % (5 % in a private household) and RV 15 % (5 % in a private
//     household); the employee tops RV up to the full rate unless exempt on request, with a minimum
//     base of 175.00 (§ 163 Abs. 8 SGB VI).

#include "base/money.h"

#include <array>
#include <string>
#include <vector>

namespace varemo {

enum class EmploymentClass { None, Regular, LowWageZone, MiniJob, Household, ShortTerm };

// Contribution kinds (list positions) of lines 37 to 40.
struct ContributionKinds {
    int kv = 0, pv = 0, rv = 0, av = 0;
    bool operator==(const ContributionKinds&) const = default;
};

// The class of one employment paid `pay` a month, without other employments.
EmploymentClass classifyPay(Money pay, int year, int monthIndex);

struct SvFormInput {
    int year = 0;
    int monthIndex = 0;
    bool hasMainEmployment = false; // column HAUPTBESCHÄFTIGUNG
    Money mainPay;
    std::vector<Money> miniJobPays;  // up to two further employments paid up to the limit
    bool privateHousehold = false;   // the mini-job is in a private household
    bool rvExempt = false;           // the employee asked for exemption from RV ("Befreiung")
    bool shortTermChecked = false;   // the form was asked whether the employment is short-term
    int shortTermDays = 0;           // working days in the calendar year
    bool checkedInMainColumn = true; // the short-term question came from the main column
};

struct SvFormResult {
    EmploymentClass mainClass = EmploymentClass::None;
    std::vector<EmploymentClass> miniJobClasses;
    Money combinedPay;                 // the pay that decides the zone or regular contributions
    std::vector<std::string> messages; // in the order shown; the lines of one message separated by "\n"
};

SvFormResult classifyEmployments(const SvFormInput& in);

// The highest number of working days of a short-term employment in the month's year.
int shortTermDayLimit(int year, int monthIndex);

// The contribution kinds that an employment class selects.
ContributionKinds kindsForClass(EmploymentClass c, bool rvExempt);

// The message about several mini-jobs exceeding the limit together (two lines as the form shows them).
std::vector<std::string> miniJobsExceedMessage(int year);

// The household-cheque notice of the form.
std::vector<std::string> householdChequeNotice();

} // namespace varemo
