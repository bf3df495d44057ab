// vacation: the annual leave of rows 1 to 20 and, with --days-worked, the leave earned by days worked.

#include "app/cli_calculator_input.h"
#include "app/json_writer.h"
#include "calculators/calculator_files.h"

#include <iostream>

namespace varemo::cli {
namespace {

LeaveMilli leaveOption(const std::string& text, const std::string& option) {
    try {
        return mulDiv(Money::parse(text).units(), 1000, 10000, Rounding::HalfUp);
    } catch (const std::invalid_argument&) {
        throw UsageError(option + " takes a number of days, not \"" + text + "\"");
    }
}

// "#0.000" with a decimal comma.
std::string threeDecimals(int64_t milli) {
    const std::string sign = milli < 0 ? "-" : "";
    const int64_t m = milli < 0 ? -milli : milli;
    return sign + std::to_string(m / 1000) + "," + std::to_string(1000 + m % 1000).substr(1);
}

std::string milliJson(LeaveMilli m) {
    return jsonString(leaveText(m));
}

} // namespace

int runVacation(CliContext& ctx) {
    const std::vector<std::string> args = expandInputFiles(ctx.args);
    CalculatorCase cc;
    bool save = false;
    VacationInput given;
    bool hasBirthday = false;
    std::optional<int> entitlement, daysIndex, correction, months, pension, special;
    std::optional<LeaveMilli> additional, further, previous, taken, payOff, fullLeave;
    std::optional<Money> monthlyPay;
    std::optional<int> daysWorked;
    std::optional<std::string> payGroupText;
    std::vector<WorkingDaysPeriod> periods;
    ArgReader r(args);
    while (r.next()) {
        if (cc.sel.take(r)) continue;
        const std::string a = r.current();
        if (a == "--save") {
            save = true;
        } else if (a == "--birthday") {
            given.birthday = dateOption(r.value(), a);
            hasBirthday = true;
        } else if (a == "--relationship") {
            given.serviceRelationship = r.intValue();
        } else if (a == "--entitlement") {
            entitlement = r.intValue();
        } else if (a == "--days-per-week") {
            // 0,5 to 6 in half days: the index of the list is 2 × days − 1.
            const LeaveMilli w = leaveOption(r.value(), a);
            if (w % 500 != 0 || w < 500 || w > 6000)
                throw UsageError("--days-per-week takes 0,5 to 6 in half days");
            daysIndex = static_cast<int>(w / 500 - 1);
        } else if (a == "--correction") {
            correction = r.intValue() + 25;
        } else if (a == "--additional") {
            additional = leaveOption(r.value(), a);
        } else if (a == "--further-additional") {
            further = leaveOption(r.value(), a);
        } else if (a == "--months") {
            months = r.intValue();
        } else if (a == "--pension-months") {
            pension = r.intValue();
        } else if (a == "--special-leave-months") {
            special = r.intValue();
        } else if (a == "--previous-rest") {
            previous = leaveOption(r.value(), a);
        } else if (a == "--taken") {
            taken = leaveOption(r.value(), a);
        } else if (a == "--monthly-pay") {
            try {
                monthlyPay = Money::parse(r.value());
            } catch (const std::invalid_argument&) {
                throw UsageError("--monthly-pay takes an amount");
            }
        } else if (a == "--pay-off-days") {
            payOff = leaveOption(r.value(), a);
        } else if (a == "--period") {
            // "FROM,TO,DAYS": the working days of a period of the leave year (row 6).
            const std::string text = r.value();
            const size_t comma = text.rfind(',');
            if (comma == std::string::npos) throw UsageError("--period takes FROM,TO,DAYS");
            const auto [from, to] = periodOption(text.substr(0, comma), a);
            if (periods.size() == kVacationPeriods) throw UsageError("--period: at most six periods");
            periods.push_back({from, to, parseInt(text.substr(comma + 1), a)});
        } else if (a == "--pay-group") {
            payGroupText = r.value();
        } else if (a == "--days-worked") {
            daysWorked = r.intValue();
        } else if (a == "--full-leave") {
            fullLeave = leaveOption(r.value(), a);
        } else {
            r.unknown();
        }
    }
    cc.validate();
    if (save && !cc.given()) throw UsageError("--save needs --year, --set, --case and --month");
    if (daysWorked && (*daysWorked < 0 || *daysWorked > 312))
        throw UsageError("--days-worked takes 0 to 312");

    Session g(*ctx.prompter);
    std::string payGroup = "Vergütungsgruppe";
    VacationInput in;
    if (cc.given()) {
        if (int opened = openCalculatorCase(g, ctx, cc); opened != 0) return opened;
        in = LoadVacationInput(g, &payGroup);
    } else {
        if (cc.sel.year == 0) throw UsageError("--year is required");
        in.year = cc.sel.year;
        in.serviceRelationship = given.serviceRelationship;
    }
    if (hasBirthday) in.birthday = given.birthday;
    if (entitlement) in.entitlement = entitlement;
    if (daysIndex) in.daysPerWeekIndex = *daysIndex;
    if (correction) in.correctionIndex = *correction;
    if (additional) in.additional = *additional;
    if (further) in.furtherAdditional = *further;
    if (months) in.fullMonths = *months;
    if (pension) in.pensionMonths = *pension;
    if (special) in.specialLeaveMonths = *special;
    if (previous) in.previousYearRest = *previous;
    if (taken) in.taken = *taken;
    if (monthlyPay) in.monthlyPay = monthlyPay;
    if (payOff) in.daysToPayOff = *payOff;
    if (payGroupText) payGroup = *payGroupText;
    if (!periods.empty()) {
        in.periods = {};
        std::copy(periods.begin(), periods.end(), in.periods.begin());
    }

    const VacationResult v = computeVacation(in);
    if (save) StoreVacationInput(g, in, payGroup);
    std::optional<EarnedLeave> earned;
    if (daysWorked) earned = leaveEarned(*daysWorked, fullLeave.value_or(v.entitled * 1000));

    const std::string w = leaveText(int64_t{v.halfDaysPerWeek} * 500);
    if (cc.sel.json) {
        std::cout << "{\"age\":" << (in.birthday ? std::to_string(v.age) : "null")
                  << ",\"row3\":" << v.entitlement << ",\"row5\":" << milliJson(v.intermediate)
                  << ",\"daysPerWeek\":" << jsonString(w) << ",\"correction\":" << v.correction
                  << ",\"periods\":[";
        const char* separator = "";
        for (const WorkingDaysPeriod& p : in.periods)
            if (!p.empty()) {
                std::cout << separator << jsonString(periodLineText(p));
                separator = ",";
            }
        std::cout << "],\"workingDays\":" << v.workingDays
                  << ",\"convertedExact\":" << milliJson(v.convertedExact) << ",\"row6\":" << v.converted
                  << ",\"row8\":" << milliJson(v.subtotal) << ",\"row9\":" << milliJson(v.proRata)
                  << ",\"row10\":" << milliJson(v.pensionCut) << ",\"row11\":" << milliJson(v.specialLeaveCut)
                  << ",\"row12\":" << v.total << ",\"row13\":" << v.statutoryMinimum << ",\"row14\":";
        if (v.youthMinimum)
            std::cout << *v.youthMinimum;
        else
            std::cout << "null";
        std::cout << ",\"row16\":" << v.entitled
                  << ",\"row16Note\":" << jsonString(entitledRowNote(v.entitledRow))
                  << ",\"row19\":" << milliJson(v.rest) << ",\"row20Cents\":";
        if (v.compensation)
            std::cout << jsonCents(*v.compensation);
        else
            std::cout << "null";
        if (earned)
            std::cout << ",\"earned\":{\"sharePercent\":"
                      << jsonString(threeDecimals(earned->shareMilliPercent))
                      << ",\"days\":" << jsonString(threeDecimals(earned->days)) << "}";
        std::cout << "," << messagesJson(ctx.prompter->messages()) << "}\n";
        return 0;
    }
    if (in.birthday)
        std::cout << "Demnach wird im Laufe des Urlaubsjahres das " << v.age << ". Lebensjahr vollendet.\n";
    std::cout << "3.  Urlaubsanspruch bei 5-Tagewoche  " << v.entitlement << "\n"
              << "5.  Zwischenergebnis  " << leaveText(v.intermediate) << "\n"
              << "6.  " << leaveText(v.intermediate) << " / 260 X ("
              << (v.periodDays ? std::to_string(*v.periodDays)
                               : leaveText(int64_t{v.halfDaysPerWeek} * 26000))
              << " + " << v.correction << ") = (kaufmännisch gerundet) " << v.converted << "   ("
              << (v.periodDays ? std::string("nach Zeiträumen") : w + " Arbeitstage X 52 Wochen") << " = "
              << v.workingDays << " Arb.Tage)\n";
    for (const WorkingDaysPeriod& p : in.periods)
        if (!p.empty()) std::cout << "    " << periodLineText(p) << " Arb.Tage\n";
    std::cout << "8.   = Zwischensumme  " << leaveText(v.subtotal) << "\n"
              << "9.  Der Anspruch aus " << in.fullMonths
              << " vollen Beschäftigungsmonaten  beträgt anteilig  " << leaveText(v.proRata) << "\n"
              << "10.  - Kürzung  " << leaveText(v.pensionCut) << "\n"
              << "11.  - Kürzung  " << leaveText(v.specialLeaveCut) << "\n"
              << "12.  Gesamter Urlaubsanspruch  für das laufende Jahr  " << v.total
              << "  (Rundung nach § 5 Abs. 2 BUrlG)\n"
              << "13.  Mindesturlaub nach § 3 BUrlG  " << v.statutoryMinimum << "\n";
    if (v.youthMinimum) std::cout << "14.  Mindesturlaub nach § 19 JArbSchG  " << *v.youthMinimum << "\n";
    std::cout << "16.  Urlaubsanspruch für das laufende Jahr  " << v.entitled << " "
              << entitledRowNote(v.entitledRow) << "\n19. Resturlaub  " << leaveText(v.rest) << "\n";
    if (v.compensation)
        std::cout << "20. Höhe einer etwaigen Urlaubsabgeltung: " << in.monthlyPay->toDisplay()
                  << " Euro x 12 x " << leaveText(in.daysToPayOff) << " / "
                  << leaveText(int64_t{v.halfDaysPerWeek} * 26000) << " = " << v.compensation->toDisplay()
                  << " Euro\n";
    if (earned)
        std::cout << "Erworbener Urlaub: " << threeDecimals(earned->shareMilliPercent) << " %  "
                  << threeDecimals(earned->days) << " Url.Tage\n";
    return 0;
}

} // namespace varemo::cli
