// step-duration and promotion: the step dates of a case with a movement, and the comparison of a
// promotion to the next group with its guaranteed amount.

#include "app/cli_calculator_input.h"
#include "app/json_writer.h"
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

int runStepDuration(CliContext& ctx) {
    const std::vector<std::string> args = expandInputFiles(ctx.args);
    CalculatorCase cc;
    std::optional<CalendarDate> beginning;
    int movement = 0;
    ArgReader r(args);
    while (r.next()) {
        if (cc.sel.take(r)) continue;
        const std::string a = r.current();
        if (a == "--begin")
            beginning = dateOption(r.value(), a);
        else if (a == "--movement")
            movement = r.intValue();
        else
            r.unknown();
    }
    if (!cc.given()) throw UsageError("step-duration needs --year, --set, --case and --month");
    cc.validate();
    if (movement < -600 || movement > 600) throw UsageError("--movement takes -600 to 600 months");
    Session g(*ctx.prompter);
    if (int opened = openCalculatorCase(g, ctx, cc); opened != 0) return opened;
    const StepDurationView v = StepDurationOf(g, beginning, movement);
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
        std::cout << "],\"valueCents\":" << optionalCents(v.value) << ","
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
                  << (s.finalStep ? "  Endstufe" : "") << "\n";
    }
    if (v.value) std::cout << "Wert der Verschiebung: " << v.value->toDisplay() << " Euro\n";
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
                  << ",\"transferred\":" << (transfer ? "true" : "false") << ","
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
    if (transfer) std::cout << "In die Gehaltsberechnung übertragen.\n";
    return 0;
}

} // namespace varemo::cli
