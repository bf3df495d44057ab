// The commands sheet and set: show a case-month, and change it as the window's line input does.

#include "app/cli_common.h"
#include "deductions/missing_rates.h"
#include "pay/basic_pay.h"
#include "session/line_input.h"
#include "session/sheet_edits.h"

namespace varemo::cli {
namespace {

struct Edit {
    enum Kind { Key, Line, Amount, Date, Name, Category } kind;
    int number = 0;
    std::string text;
};

// Detail views that --detail NAME prints instead of the sheet.
struct Detail {
    const char* name;
    void (*print)(const Session&, bool json);
};
constexpr Detail kDetails[] = {
    {"tax", printTaxDetail},           {"zv", printPensionDetail},
    {"employer", printEmployerDetail}, {"sv", printSocialInsuranceDetail},
    {"parttime", printPartTimeDetail}, {"special", printSpecialPaymentDetail},
};

const Detail& findDetail(const std::string& name) {
    for (const Detail& d : kDetails)
        if (name == d.name) return d;
    std::string known;
    for (const Detail& d : kDetails)
        known += std::string(known.empty() ? "" : ", ") + d.name;
    throw UsageError("--detail takes " + known);
}

std::pair<int, std::string> splitAssignment(const std::string& text, const std::string& what) {
    auto eq = text.find('=');
    if (eq == std::string::npos) throw UsageError(what + " expects N=VALUE, got " + text);
    return {parseInt(text.substr(0, eq), what), text.substr(eq + 1)};
}

bool applyEdit(Session& g, const Edit& e) {
    switch (e.kind) {
    case Edit::Key:
        return SetKey(g, e.number, parseInt(e.text, "--key"));
    case Edit::Line:
        return ChooseOption(g, e.number, parseInt(e.text, "--line"));
    case Edit::Amount:
        return EnterAmount(g, e.number, e.text);
    case Edit::Date:
        return EnterDate(g, e.text);
    case Edit::Name:
        return RenameCase(g, e.text);
    case Edit::Category: {
        // The window sets a category by clicking through them; so does this, up to the one wanted.
        const auto& a = g.workingCase.grossLine(e.number);
        for (int click = 0; click < 16 && a.partialRetirementCategory != e.text[0]; ++click)
            if (!ToggleFlag(g, e.number, FlagColumn::PartialRetirement)) return false;
        return true;
    }
    }
    return false;
}

int runSheetOrSet(CliContext& ctx, bool editsAllowed) {
    CaseMonthSelection sel;
    std::vector<Edit> edits;
    const Detail* detail = nullptr;
    ArgReader r(ctx.args);
    while (r.next()) {
        if (sel.take(r)) continue;
        const std::string& a = r.current();
        if (a == "--detail") {
            detail = &findDetail(r.value());
            continue;
        }
        if (editsAllowed && (a == "--key" || a == "--line" || a == "--amount")) {
            auto [n, v] = splitAssignment(r.value(), a);
            Edit::Kind kind = a == "--key" ? Edit::Key : a == "--line" ? Edit::Line : Edit::Amount;
            if (kind != Edit::Amount) (void)parseInt(v, a);
            edits.push_back({kind, n, v});
        } else if (editsAllowed && a == "--date") {
            edits.push_back({Edit::Date, 0, r.value()});
        } else if (editsAllowed && a == "--category") {
            auto [n, v] = splitAssignment(r.value(), a);
            if (n < kFirstGrossLine || n > kLastGrossLine || v.size() != 1 ||
                std::string("ABCDEFabcdefg").find(v[0]) == std::string::npos)
                throw UsageError("--category expects LINE=C with a line 8 to 20 and C one of A to F, a to g");
            edits.push_back({Edit::Category, n, v});
        } else if (editsAllowed && a == "--name") {
            edits.push_back({Edit::Name, 0, r.value()});
        } else {
            r.unknown();
        }
    }
    sel.validate();

    Session g(*ctx.prompter);
    const int opened = openCaseMonth(g, ctx, sel, editsAllowed);
    if (opened == kCaseMissing) return 1;
    if (opened == 3) return 3;
    bool allDone = opened == 0;
    for (const Edit& e : edits)
        allDone = applyEdit(g, e) && allDone;
    std::vector<PromptMessage> notices;
    if (auto notice = missingBasicPayNotice(g)) notices.push_back(*notice);
    for (const PromptMessage& notice : missingRateNotices(g))
        notices.push_back(notice);
    if (detail)
        detail->print(g, sel.json);
    else if (sel.json)
        printSheetJson(g, ctx.prompter->messages(), notices);
    else
        printSheetText(g, notices);
    return allDone ? 0 : 1;
}

} // namespace

int runSheet(CliContext& ctx) {
    return runSheetOrSet(ctx, false);
}
int runSet(CliContext& ctx) {
    return runSheetOrSet(ctx, true);
}

} // namespace varemo::cli
