// step-duration and promotion: the step dates of a case with a movement, and the comparison of a
// promotion to the next group with its guaranteed amount.

#include "app/cli_calculator_input.h"
#include "app/json_writer.h"
#include "calculators/calculator_files.h"
#include "calculators/pay_steps.h"

#include <iostream>

namespace varemo::cli {
namespace {

std::string optionalCents(const std::optional<Money>& m) {
    return m ? std::to_string(jsonCents(*m)) : "null";
}

Money amountOption(const std::string& text, const std::string& option) {
    try {
        return Money::parse(text);
    } catch (const std::invalid_argument&) {
        throw UsageError(option + " takes an amount, not \"" + text + "\"");
    }
}

} // namespace

namespace {

// Experience periods before the appointment (§ 28 (1) BBesG, § 16 (2) TVöD / TV-L).
int runExperience(CliContext& ctx, const CalculatorCase& cc, const std::optional<CalendarDate>& appointment,
                  const std::vector<ExperiencePeriod>& periods, bool transfer) {
    const ExperienceResult r = creditExperience(appointment, periods);
    Session g(*ctx.prompter);
    if (transfer) {
        if (int opened = openCalculatorCase(g, ctx, cc); opened != 0) return opened;
        if (!TransferServiceDates(g, r.stepBeginning, std::nullopt, appointment, {}, nullptr)) return 1;
    }
    if (cc.sel.json) {
        std::cout << "{\"periods\":[";
        for (size_t i = 0; i < r.spans.size(); ++i)
            std::cout << (i ? "," : "") << spanJson(r.spans[i]);
        std::cout << "],\"sum\":" << spanJson(r.sum) << ",\"creditedMonths\":" << r.creditedMonths
                  << ",\"stepBeginning\":" << dateJson(r.stepBeginning)
                  << ",\"transferred\":" << (transfer ? "true" : "false") << ","
                  << messagesJson(ctx.prompter->messages()) << "}\n";
        return 0;
    }
    std::cout
        << "Folgende Erfahrungszeiten vor der Einstellung sind auf die Stufenlaufzeit anzurechnen (§ 28 "
           "BBesG, LBesG, § 16 TVöD oder § 16 TV-L):\n";
    for (size_t i = 0; i < r.spans.size(); ++i)
        std::cout << formatCalendarDate(periods[i].from) << " - " << formatCalendarDate(periods[i].to) << "  "
                  << periods[i].percent << " %  " << spanText(r.spans[i]) << "\n";
    std::cout << "Summe " << spanText(r.sum) << " = " << r.creditedMonths
              << " Vormonate\nBeginn der Stufenlaufzeit " << formatCalendarDate(r.stepBeginning) << "\n";
    if (transfer) std::cout << "In die Gehaltsberechnung übertragen.\n";
    return 0;
}

} // namespace

int runStepDuration(CliContext& ctx) {
    const std::vector<std::string> args = expandInputFiles(ctx.args);
    CalculatorCase cc;
    std::optional<CalendarDate> beginning, appointment;
    std::vector<ExperiencePeriod> experience;
    int movement = 0;
    bool transfer = false;
    ArgReader r(args);
    while (r.next()) {
        if (cc.sel.take(r)) continue;
        const std::string a = r.current();
        if (a == "--begin") {
            beginning = dateOption(r.value(), a);
        } else if (a == "--movement") {
            movement = r.intValue();
        } else if (a == "--transfer") {
            transfer = true;
        } else if (a == "--appointment") {
            appointment = dateOption(r.value(), a);
        } else if (a == "--experience") {
            // FROM,TO or FROM,TO,PERCENT
            std::string text = r.value();
            int percent = 100;
            if (const size_t second = text.find(',', text.find(',') + 1); second != std::string::npos) {
                percent = parseInt(text.substr(second + 1), a);
                text.resize(second);
            }
            if (percent < 1 || percent > 100) throw UsageError("--experience takes a percentage of 1 to 100");
            auto [from, to] = periodOption(text, a);
            experience.push_back({from, to, percent});
        } else {
            r.unknown();
        }
    }
    cc.validate();
    if (experience.size() > 6) throw UsageError("--experience takes up to six periods");
    if ((transfer || (experience.empty() && !appointment)) && !cc.given())
        throw UsageError("step-duration needs --year, --set, --case and --month");
    if (!experience.empty() || appointment) return runExperience(ctx, cc, appointment, experience, transfer);
    if (movement < -600 || movement > 600) throw UsageError("--movement takes -600 to 600 months");
    Session g(*ctx.prompter);
    if (int opened = openCalculatorCase(g, ctx, cc); opened != 0) return opened;
    const StepDurationView v = StepDurationOf(g, beginning, movement);
    // The new beginning of the running time moves every step alike.
    if (transfer &&
        !TransferServiceDates(g, addMonths(v.beginning, movement), std::nullopt, std::nullopt, {}, nullptr))
        return 1;
    if (cc.sel.json) {
        std::cout << "{\"legalBasis\":" << jsonString(v.legalBasis)
                  << ",\"beginning\":" << dateJson(v.beginning) << ",\"movementMonths\":" << v.movementMonths
                  << ",\"steps\":[";
        for (size_t i = 0; i < v.steps.size(); ++i) {
            const StepDate& s = v.steps[i];
            std::cout << (i ? "," : "") << "{\"step\":" << s.position + 1
                      << ",\"normalMonths\":" << s.normalMonths << ",\"begins\":" << dateJson(s.begins)
                      << ",\"movedBegins\":" << dateJson(s.movedBegins)
                      << ",\"final\":" << (s.finalStep ? "true" : "false")
                      << ",\"basicPayCents\":" << optionalCents(v.basicPay[i]) << "}";
        }
        std::cout << "],\"currentStep\":"
                  << (v.current < 0 ? std::string("null")
                                    : std::to_string(v.steps[static_cast<size_t>(v.current)].position + 1))
                  << ",\"entryOfficeNote\":" << jsonString(v.entryOfficeNote)
                  << ",\"valueCents\":" << optionalCents(v.value)
                  << ",\"transferred\":" << (transfer ? "true" : "false") << ","
                  << messagesJson(ctx.prompter->messages()) << "}\n";
        return 0;
    }
    std::cout << "Stufenlaufzeit nach " << v.legalBasis << ", Beginn " << formatCalendarDate(v.beginning)
              << ", Verschiebung " << v.movementMonths << " Monate\n";
    for (size_t i = 0; i < v.steps.size(); ++i) {
        const StepDate& s = v.steps[i];
        std::cout << "Stufe " << s.position + 1 << "  " << formatCalendarDate(s.begins) << "  neu "
                  << formatCalendarDate(s.movedBegins) << "  "
                  << (v.basicPay[i] ? v.basicPay[i]->toDisplay() : std::string("-"))
                  << (s.finalStep ? "  Endstufe" : "") << (static_cast<int>(i) == v.current ? "  (gilt)" : "")
                  << "\n";
    }
    if (!v.entryOfficeNote.empty()) std::cout << v.entryOfficeNote << "\n";
    if (v.value) std::cout << "Wert der Verschiebung: " << v.value->toDisplay() << " Euro\n";
    if (transfer) std::cout << "In die Gehaltsberechnung übertragen.\n";
    return 0;
}

int runPromotion(CliContext& ctx) {
    const std::vector<std::string> args = expandInputFiles(ctx.args);
    CalculatorCase cc;
    Money allowanceA, allowanceB;
    bool transfer = false;
    ArgReader r(args);
    while (r.next()) {
        if (cc.sel.take(r)) continue;
        const std::string a = r.current();
        if (a == "--allowance-a")
            allowanceA = amountOption(r.value(), a);
        else if (a == "--allowance-b")
            allowanceB = amountOption(r.value(), a);
        else if (a == "--transfer")
            transfer = true;
        else
            r.unknown();
    }
    if (!cc.given()) throw UsageError("promotion needs --year, --set, --case and --month");
    cc.validate();
    Session g(*ctx.prompter);
    if (int opened = openCalculatorCase(g, ctx, cc); opened != 0) return opened;
    const PromotionView p = PromotionOf(g, allowanceA, allowanceB);
    if (transfer && !TransferPromotion(g, p)) return 1;
    const PromotionResult& res = p.result;
    if (cc.sel.json) {
        std::cout << "{\"agreement\":" << jsonString(agreementName(p.agreement))
                  << ",\"group\":" << jsonString(p.groupName) << ",\"step\":" << p.step + 1
                  << ",\"newGroup\":" << jsonString(p.newGroupName) << ",\"newStep\":" << p.newStep + 1
                  << ",\"oldTotalCents\":" << jsonCents(res.oldTotal)
                  << ",\"newTotalCents\":" << jsonCents(res.newTotal)
                  << ",\"differenceCents\":" << jsonCents(res.difference)
                  << ",\"guaranteeCents\":" << jsonCents(res.guarantee)
                  << ",\"guaranteeAllowanceCents\":" << jsonCents(res.guaranteeAllowance)
                  << ",\"following\":[";
        for (size_t i = 0; i < p.following.size(); ++i) {
            const PromotionPeriod& f = p.following[i];
            std::cout << (i ? "," : "") << "{\"from\":" << dateJson(f.from)
                      << ",\"oldStep\":" << f.oldStep + 1 << ",\"newStep\":" << f.newStep + 1
                      << ",\"oldTotalCents\":" << jsonCents(f.oldTotal)
                      << ",\"newTotalCents\":" << jsonCents(f.newTotal)
                      << ",\"differenceCents\":" << jsonCents(f.difference) << "}";
        }
        std::cout << "],\"transferred\":" << (transfer ? "true" : "false") << ","
                  << messagesJson(ctx.prompter->messages()) << "}\n";
        return 0;
    }
    std::cout << agreementName(p.agreement) << ": " << p.groupName << " Stufe " << p.step + 1 << "  "
              << res.oldTotal.toDisplay() << " Euro\n"
              << p.newGroupName << " Stufe " << p.newStep + 1 << "  " << res.newTotal.toDisplay() << " Euro\n"
              << res.difference.toDisplay() << " Euro, also "
              << (res.difference >= Money() ? "mehr" : "weniger") << "\n";
    if (res.guaranteeAllowance > Money())
        std::cout << "Garantiebetrag " << res.guarantee.toDisplay() << " Euro: Zulage "
                  << res.guaranteeAllowance.toDisplay() << " Euro *)\n";
    for (const PromotionPeriod& f : p.following)
        std::cout << "ab " << formatCalendarDate(f.from) << "  Stufe " << f.oldStep + 1 << " "
                  << f.oldTotal.toDisplay() << "  /  Stufe " << f.newStep + 1 << " " << f.newTotal.toDisplay()
                  << "  " << f.difference.toDisplay() << " Euro, also "
                  << (f.difference >= Money() ? "mehr" : "weniger") << "\n";
    std::cout << "mit den Tariftabellen des Monats " << cc.sel.month << "\n";
    if (transfer) std::cout << "In die Gehaltsberechnung übertragen.\n";
    return 0;
}

} // namespace varemo::cli
