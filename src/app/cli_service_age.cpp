// service-age: the beginning of the pay seniority (BDA) or, with --jubilee, of the jubilee service age.

#include "app/cli_calculator_input.h"
#include "app/json_writer.h"
#include "calculators/calculator_files.h"

#include <iostream>
#include <sstream>

namespace varemo::cli {
namespace {

std::string phaseJson(const PostponementPhase& p) {
    std::ostringstream o;
    o << "{\"applies\":" << (p.applies ? "true" : "false");
    if (p.applies) {
        o << ",\"from\":" << dateJson(p.from) << ",\"to\":" << dateJson(p.to)
          << ",\"span\":" << spanJson(p.span) << ",\"periods\":[";
        for (size_t i = 0; i < p.periodSpans.size(); ++i)
            o << (i ? "," : "") << spanJson(p.periodSpans[i]);
        o << "],\"credited\":" << spanJson(p.credited) << ",\"withoutPay\":" << spanJson(p.withoutPay)
          << ",\"share\":" << spanJson(p.share);
    }
    o << "}";
    return o.str();
}

std::string refusedJson(const std::vector<RefusedPeriod>& refused, const char* first, const char* second) {
    std::string out = "[";
    for (size_t i = 0; i < refused.size(); ++i)
        out += std::string(i ? "," : "") + "{\"block\":\"" + (refused[i].halfPhase ? first : second) +
               "\",\"row\":" + std::to_string(refused[i].index + 1) +
               ",\"message\":" + jsonString(refused[i].message) + "}";
    return out + "]";
}

void printServiceAge(const ServiceAgeResult& r, bool json, bool transferred, const CliContext& ctx) {
    if (json) {
        std::cout << "{\"paragraph\":" << r.office.paragraph << ",\"thresholdAge\":" << r.office.thresholdAge
                  << ",\"completionOf21\":" << dateJson(r.completionOf21)
                  << ",\"regularBda\":" << dateJson(r.regularBda) << ",\"half\":" << phaseJson(r.half)
                  << ",\"quarter\":" << phaseJson(r.quarter)
                  << ",\"postponement\":" << spanJson(r.postponement) << ",\"bda\":" << dateJson(r.bda)
                  << ",\"refused\":" << refusedJson(r.refused, "half", "quarter")
                  << ",\"transferred\":" << (transferred ? "true" : "false") << ","
                  << messagesJson(ctx.prompter->messages()) << "}\n";
        return;
    }
    std::cout << "Berechnung des Besoldungsdienstalters nach § " << r.office.paragraph << " BBesG\n"
              << "2. Vollendung des 21. Lebensjahres  " << formatCalendarDate(r.completionOf21) << "\n"
              << "3. Regel-Besoldungsdienstalter      " << formatCalendarDate(r.regularBda) << "\n";
    auto phase = [](const char* caption, const PostponementPhase& p) {
        if (!p.applies) return;
        std::cout << caption << formatCalendarDate(p.from) << "  bis  " << formatCalendarDate(p.to) << "  "
                  << spanText(p.span) << "\n   Anrechenbare Zeiten " << spanText(p.credited)
                  << "\n   Restliche Zeit ohne Bezüge " << spanText(p.withoutPay) << "\n   davon "
                  << spanText(p.share) << "\n";
    };
    phase("die Hälfte:  ", r.half);
    phase("ein Viertel: ", r.quarter);
    for (const RefusedPeriod& f : r.refused)
        std::cout << "[nicht berücksichtigt] " << f.message << "\n";
    std::cout << "Das Regel-BDA  " << formatCalendarDate(r.regularBda) << "  B D A  ("
              << spanText(r.postponement) << ")  wird somit auf  " << formatCalendarDate(r.bda)
              << "  hinausgeschoben.\n";
    if (transferred) std::cout << "In die Gehaltsberechnung übertragen.\n";
}

void printJubilee(const JubileeResult& r, bool json, const CliContext& ctx) {
    if (json) {
        std::cout << "{\"credited\":" << spanJson(r.credited) << ",\"notCounted\":" << spanJson(r.notCounted)
                  << ",\"jdaBegin\":" << dateJson(r.jdaBegin) << ",\"retirement\":" << dateJson(r.retirement)
                  << ",\"retirementAge\":{\"years\":" << r.retirementAgeYears
                  << ",\"months\":" << r.retirementAgeMonths << "},\"jubilees\":[";
        for (size_t i = 0; i < r.jubilees.size(); ++i)
            std::cout << (i ? "," : "") << "{\"years\":" << r.jubilees[i].years
                      << ",\"date\":" << dateJson(r.jubilees[i].date)
                      << ",\"reached\":" << (r.jubilees[i].reached ? "true" : "false") << "}";
        std::cout << "],\"refused\":" << refusedJson(r.refused, "earlier", "notCounting") << ","
                  << messagesJson(ctx.prompter->messages()) << "}\n";
        return;
    }
    std::cout << "Der Beginn Ihres Jubiläumsdienstalters (JDA) wird festgesetzt auf "
              << formatCalendarDate(r.jdaBegin)
              << ".\n2. Anzurechnende Zeiten davor bei anderen Dienstherren  " << spanText(r.credited)
              << "\n3. Nicht zu berücksichtigende Zeiten  " << spanText(r.notCounted)
              << "\nEintritt in den Ruhestand  " << formatCalendarDate(r.retirement) << " im Alter von "
              << r.retirementAgeYears << " Jahren und " << r.retirementAgeMonths
              << (r.retirementAgeMonths == 1 ? " Monat" : " Monaten") << "\n";
    for (const Jubilee& j : r.jubilees)
        std::cout << j.years << "-jähriges Dienstjubiläum  " << formatCalendarDate(j.date)
                  << (j.reached ? "" : " (wird nicht erreicht) ") << "\n";
    for (const RefusedPeriod& f : r.refused)
        std::cout << "[nicht berücksichtigt] " << f.message << "\n";
}

} // namespace

int runServiceAge(CliContext& ctx) {
    const std::vector<std::string> args = expandInputFiles(ctx.args);
    CalculatorCase cc;
    bool transfer = false;
    bool save = false;
    bool jubilee = false;
    std::optional<int> office;
    std::optional<CalendarDate> birthday, appointment, payStart, retirement;
    std::optional<std::vector<DatePeriod>> half, quarter, earlier, notCounting;
    auto addPeriod = [](std::optional<std::vector<DatePeriod>>& list, const std::string& text,
                        const std::string& o) {
        auto [from, to] = periodOption(text, o);
        if (!list) list.emplace();
        list->push_back({from, to});
    };
    ArgReader r(args);
    while (r.next()) {
        if (cc.sel.take(r)) continue;
        const std::string a = r.current();
        if (a == "--transfer")
            transfer = true;
        else if (a == "--save")
            save = true;
        else if (a == "--jubilee")
            jubilee = true;
        else if (a == "--office")
            office = r.intValue();
        else if (a == "--birthday")
            birthday = dateOption(r.value(), a);
        else if (a == "--appointment")
            appointment = dateOption(r.value(), a);
        else if (a == "--pay-start")
            payStart = dateOption(r.value(), a);
        else if (a == "--retirement")
            retirement = dateOption(r.value(), a);
        else if (a == "--half")
            addPeriod(half, r.value(), a);
        else if (a == "--quarter")
            addPeriod(quarter, r.value(), a);
        else if (a == "--earlier")
            addPeriod(earlier, r.value(), a);
        else if (a == "--not-counting")
            addPeriod(notCounting, r.value(), a);
        else
            r.unknown();
    }
    cc.validate();
    if (save && !cc.given()) throw UsageError("--save needs --year, --set, --case and --month");
    if (transfer && (!cc.given() || jubilee))
        throw UsageError(
            "--transfer needs --year, --set, --case and --month (and the service age, not --jubilee)");
    if (office && (*office < 0 || *office >= kEntryOfficeOptions)) throw UsageError("--office takes 0 to 4");

    Session g(*ctx.prompter);
    if (cc.given())
        if (int opened = openCalculatorCase(g, ctx, cc); opened != 0) return opened;

    if (jubilee) {
        JubileeInput in = cc.given() ? LoadJubileeInput(g) : JubileeInput{};
        if (birthday) in.birthday = birthday;
        if (payStart) in.payStart = payStart;
        if (retirement) in.retirement = retirement;
        if (earlier) in.earlierEmployers = *earlier;
        if (notCounting) in.notCounting = *notCounting;
        const JubileeResult result = computeJubilee(in);
        if (save) StoreJubileeInput(g, in, &result);
        printJubilee(result, cc.sel.json, ctx);
        return 0;
    }
    ServiceAgeInput in = cc.given() ? LoadServiceAgeInput(g) : ServiceAgeInput{};
    if (office) in.entryOfficeOption = *office;
    if (birthday) in.birthday = birthday;
    if (appointment) in.appointment = appointment;
    if (half) in.halfPhasePeriods = *half;
    if (quarter) in.quarterPhasePeriods = *quarter;
    const ServiceAgeResult result = computeServiceAge(in);
    if (transfer && !TransferServiceAge(g, in)) return 1;
    if (save && !transfer) StoreServiceAgeInput(g, in, &result);
    printServiceAge(result, cc.sel.json, transfer, ctx);
    return 0;
}

} // namespace varemo::cli
