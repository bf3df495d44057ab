#include "presentation/menu_dispatch.h"

#include "model/data_set.h"

#include <fstream>
#include <sstream>

namespace varemo {

namespace {

MenuDispatch act(MenuAction a) {
    return MenuDispatch{a};
}

MenuDispatch calculatorOf(CalculatorWindow w) {
    MenuDispatch d{MenuAction::OpenCalculator};
    d.calculator = w;
    return d;
}

MenuDispatch panelOf(int content) {
    MenuDispatch d{MenuAction::OpenPanel};
    d.panel = content;
    return d;
}

std::string trimmed(const std::string& s) {
    size_t first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    size_t last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

} // namespace

MenuDispatch menuAuswertung(int code) {
    auto item = findMenuItem(code);
    if (!item) return {};
    if (item->availability != Availability::Built) {
        MenuDispatch d{MenuAction::Unavailable};
        d.availability = item->availability;
        return d;
    }
    if (code >= 62 && code <= 65) {
        MenuDispatch d{MenuAction::TransferAll};
        d.year = kFirstYear + code - 62;
        return d;
    }
    if (code >= 66 && code <= 70) {
        MenuDispatch d{MenuAction::DeleteYear};
        d.year = kFirstYear + code - 66;
        return d;
    }
    if (item->group == 'v' || (item->group == 'i' && code <= 96) || code == 1)
        return act(MenuAction::OpenLink);
    switch (code) {
    case 2:
        return act(MenuAction::StorageLocation);
    case 3:
        return panelOf(panel::kServerUpdate);
    case 4:
        return panelOf(panel::kInternetUpdate);
    case 5:
        return panelOf(panel::kEmployerData);
    case 6:
        return panelOf(panel::kColours);
    case 8:
        return panelOf(panel::kOptionTexts);
    case 9:
        return panelOf(panel::kBackups);
    case 10:
        return panelOf(panel::kModelCase);
    case 11:
        return act(MenuAction::EndProgram);
    case 20:
        return panelOf(panel::kTariffOverview);
    case 27:
    case 40: {
        MenuDispatch d{MenuAction::SpecialRules};
        d.inKind = code == 27;
        return d;
    }
    case 60:
        return act(MenuAction::RecalculateAll);
    case 61:
        return panelOf(panel::kPreviousVersion);
    case 74:
        return panelOf(panel::kOrdering);
    case 7:
        return act(MenuAction::PrinterSetup);
    case 21:
        return panelOf(panel::kWeeklyHours);
    case 22:
        return panelOf(panel::kCivilServantRules);
    case 23:
        return panelOf(panel::kSpecialPayments);
    case 24:
        return panelOf(panel::kChristmasBonus);
    case 25:
        return panelOf(panel::kTimeSupplements);
    case 28:
        return panelOf(panel::kChildBenefit);
    case 29:
        return panelOf(panel::kPartialRetirement);
    case 45:
        return panelOf(panel::kPensionLevy);
    case 41:
        return panelOf(panel::kChurchTax);
    case 42:
        return panelOf(panel::kHealthFunds);
    case 43:
        return panelOf(panel::kSocialInsuranceDefaults);
    case 44:
        return panelOf(panel::kSupplementaryPension);
    case 50: // the payroll lists of the shown month, of the year, of January to the shown month (53) and
    case 51: // of the case's year
    case 52:
    case 53:
    case 54:
    case 55:
    case 56:
    case 57: {
        static const std::map<int, int> kinds = {{50, 50}, {51, 57}, {52, 51}, {53, 55},
                                                 {54, 43}, {55, 44}, {56, 53}, {57, 54}};
        MenuDispatch d{MenuAction::Printout};
        d.printKind = kinds.at(code);
        return d;
    }
    default:
        if (code >= kMenuYearSalaries && code <= kMenuCostCentres) {
            MenuDispatch d{MenuAction::Overview};
            d.overview = code;
            return d;
        }
        return {};
    }
}

MenuDispatch functionDispatch(int code) {
    auto f = findFunctionButton(code);
    if (!f) return {};
    if (f->availability != Availability::Built) {
        MenuDispatch d{MenuAction::Unavailable};
        d.availability = f->availability;
        return d;
    }
    switch (code) {
    case 1:
        return panelOf(panel::kUsers);
    case 2:
        return act(MenuAction::ToggleMaximised);
    case 11:
        return act(MenuAction::Calculator);
    case 12:
        return panelOf(panel::kLinks);
    case 13:
        return panelOf(panel::kComparison);
    case 14:
        return act(MenuAction::AdoptModelCase);
    case 15:
        return act(MenuAction::SortCases);
    case 16:
        return calculatorOf(CalculatorWindow::Vacation);
    case 17:
        return calculatorOf(CalculatorWindow::Jubilee);
    case 18:
        return panelOf(panel::kSvClassification);
    case 19:
        return act(MenuAction::OpenLink);
    case 20:
        return act(MenuAction::FollowingMonths);
    case 21:
        return act(MenuAction::TransferCase);
    case 22:
        return act(MenuAction::Memo);
    case 9:
        return act(MenuAction::SerialPrint);
    case 3:
    case 4: {
        MenuDispatch d{MenuAction::PrintWindow};
        d.colour = code == 3;
        return d;
    }
    case 5: // gross pay with the employer's cost, gross and net, both, the annex, the pay statement
    case 6:
    case 7:
    case 8:
    case 24: {
        MenuDispatch d{MenuAction::Printout};
        d.printKind = code == 5 ? 16 : code == 6 ? 11 : code == 7 ? 12 : code == 8 ? 21 : 22;
        return d;
    }
    default:
        return {};
    }
}

MenuDispatch infoDispatch(int line) {
    switch (line) {
    case 0:
        return panelOf(panel::kSearch);
    case 1:
        return panelOf(panel::kMasterData);
    case 4: // the pay group: what a promotion brings
        return calculatorOf(CalculatorWindow::Promotion);
    case 6: // the date of the pay seniority
        return calculatorOf(CalculatorWindow::ServiceAge);
    case 7: // the step movement: the dates of every step with and without it
        return panelOf(panel::kStepCalculator);
    case 8: // the step: its running time
        return calculatorOf(CalculatorWindow::StepDuration);
    case 10:
        return panelOf(panel::kFamilyAllowance);
    case 22:
        return panelOf(panel::kPartTime);
    case 34:
        return panelOf(panel::kTaxWorksheet);
    default: {
        MenuDispatch d{MenuAction::Unavailable};
        d.availability = Availability::Later;
        return d;
    }
    }
}

bool closesOnFocusLoss(int content) {
    return (content >= 0 && content <= 3) || (content >= 5 && content <= 132) ||
           (content >= 134 && content <= 198) || (content >= 201 && content <= 299);
}

std::optional<int> panelPrintKind(int content) {
    switch (content) {
    case panel::kTaxWorksheet:
        return 70;
    case panel::kSocialInsurance:
        return 71;
    case panel::kAnnualEarnings:
        return 73;
    default:
        return std::nullopt;
    }
}

PanelLeave leaveConsequence(int content) {
    if (content == 150) return PanelLeave::RebuildCaseList;
    if (content == 300) return PanelLeave::ReopenCaseFiles;
    return PanelLeave::Nothing;
}

FactorCheck checkPercentFactor(int percent, int low, int high) {
    if (percent >= low && percent <= high) return FactorCheck{percent, std::nullopt};
    return FactorCheck{100, PromptMessage{PromptIcon::Warning,
                                          "Achtung",
                                          {"Der Faktor wurde auf 100 % zurückgesetzt"},
                                          PromptButtons::Ok}};
}

LinkSettings LinkSettings::parse(const std::string& text) {
    LinkSettings s;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        line = trimmed(line);
        if (line.empty() || line[0] == '#') continue;
        size_t gap = line.find_first_of(" \t=");
        if (gap == std::string::npos) continue;
        std::string code = line.substr(0, gap);
        std::string address = trimmed(line.substr(gap));
        if (!address.empty() && address[0] == '=') address = trimmed(address.substr(1));
        if (code.size() != 3 || address.empty()) continue;
        code[0] = (code[0] == 'y' || code[0] == 'Y') ? 'Y' : (code[0] == 'F' ? 'f' : code[0]);
        s.addresses_[code] = address;
    }
    return s;
}

LinkSettings LinkSettings::read(const std::filesystem::path& programDir) {
    std::ifstream in(programDir / kLinkFile, std::ios::binary);
    if (!in) return {};
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str());
}

std::optional<std::string> LinkSettings::address(const std::string& code) const {
    auto it = addresses_.find(code);
    if (it == addresses_.end()) return std::nullopt;
    return it->second;
}

PromptMessage missingLinkMessage(const std::string& code, const std::string& caption) {
    return PromptMessage{
        PromptIcon::Information,
        "Internetadresse fehlt",
        {"Für " + code + " (" + caption + ") ist keine Internetadresse eingetragen.",
         "Die Adressen stehen in der Datei " + std::string(kLinkFile) +
             " im Programmordner, eine Zeile je Menüpunkt (zum Beispiel \"Y80 https://...\")."},
        PromptButtons::Ok};
}

} // namespace varemo
