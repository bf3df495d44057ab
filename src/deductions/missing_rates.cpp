#include "deductions/missing_rates.h"

#include "law/pension_funds.h"
#include "tariffs/service_relationship.h"

#include <algorithm>
#include <string>

namespace varemo {
namespace {

std::string monthText(int monthIndex, int year) {
    const int month = monthIndex + 1;
    return (month < 10 ? "0" : "") + std::to_string(month) + "/" + std::to_string(year);
}

int caseMonthIndex(const Globaldaten& g) {
    return std::clamp(g.workingCase.monthIndex(), 0, 11);
}

} // namespace

bool levyRateMissing(const Globaldaten& g, FundField levy) {
    const SocialInsuranceWorksheet& w = g.social.worksheet;
    if (!w.computed || w.civilServant || (levy != FundField::U1 && levy != FundField::U2)) return false;
    const Levy& owed = levy == FundField::U1 ? w.levies.u1 : w.levies.u2;
    if (!owed.liable || owed.base <= Money()) return false;
    if (g.funds.year() != g.year || w.levies.fund < 0 || w.levies.fund >= kHealthFunds) return false;
    const FundStatus& status = g.funds.status(w.levies.fund, std::clamp(w.monthIndex, 0, 11));
    return !levyRateKnown(levy == FundField::U1 ? status.u1 : status.u2);
}

std::optional<PromptMessage> missingLevyRateNotice(const Globaldaten& g) {
    const bool u1 = levyRateMissing(g, FundField::U1);
    const bool u2 = levyRateMissing(g, FundField::U2);
    if (!u1 && !u2) return std::nullopt;
    const SocialInsuranceWorksheet& w = g.social.worksheet;
    const std::string which = u1 && u2 ? "Umlagesätze U1 und U2" : u1 ? "Umlagesatz U1" : "Umlagesatz U2";
    const std::string levies = u1 && u2 ? "Umlagen U1 und U2 werden"
                               : u1     ? "Umlage U1 wird"
                                        : "Umlage U2 wird";
    return PromptMessage{PromptIcon::Warning,
                         kMissingLevyRateTitle,
                         {"Für die Krankenkasse \"" + g.funds.name(w.levies.fund) + "\" " +
                              (u1 && u2 ? "sind" : "ist") + " der " + which + " für " +
                              monthText(w.monthIndex, g.year) + " nicht bekannt.",
                          "Die " + levies + " deshalb mit 0,00 ausgewiesen.",
                          "Tragen Sie den Satz in den Einstellungen unter \"Krankenkassen und Umlagen U1, "
                          "U2, Insolvenz\" ein."},
                         PromptButtons::Ok};
}

bool pensionRateMissing(const Globaldaten& g) {
    const Case& c = g.workingCase;
    const int position = c.key(KeySlot::SupplementaryFund);
    // Hamburg's scheme has no levy: its employees pay the contribution of the HmbZVG.
    if (!paysContributions(c.serviceRelationship()) || !isPensionFund(position) || position == fund::Hamburg)
        return false;
    if (g.pension.settingsYear != g.year || g.pension.worksheet.amount(7) <= Money()) return false;
    const PensionRates& rates = g.pension.settings.rates(position, g.east, caseMonthIndex(g));
    return rates.levy == 0 && rates.capital == 0;
}

std::optional<PromptMessage> missingPensionRateNotice(const Globaldaten& g) {
    if (!pensionRateMissing(g)) return std::nullopt;
    const int position = g.workingCase.key(KeySlot::SupplementaryFund);
    return PromptMessage{PromptIcon::Warning,
                         kMissingPensionRateTitle,
                         {"Für die Zusatzversorgungskasse \"" +
                              pensionFundOptions()[static_cast<size_t>(position)] + "\" sind für " +
                              monthText(caseMonthIndex(g), g.year) +
                              " weder ein Umlagesatz noch ein Kapitalbeitrag bekannt.",
                          "Umlage und Beiträge der Zusatzversorgung werden deshalb mit 0,00 ausgewiesen.",
                          "Tragen Sie die Sätze in den Einstellungen unter \"Betriebliche Altersvorsorge "
                          "(VBL, ZVK, ATV)\" ein."},
                         PromptButtons::Ok};
}

std::vector<PromptMessage> missingRateNotices(const Globaldaten& g) {
    std::vector<PromptMessage> notices;
    if (auto pension = missingPensionRateNotice(g)) notices.push_back(*pension);
    if (auto levy = missingLevyRateNotice(g)) notices.push_back(*levy);
    // The block model with a working-time account without its agreement's values: line 43 stays 0.
    if (const std::string& missing = g.retirement.account.missing; !missing.empty())
        notices.push_back(PromptMessage{PromptIcon::Warning, "Zeile 23", {missing}, PromptButtons::Ok});
    return notices;
}

} // namespace varemo
