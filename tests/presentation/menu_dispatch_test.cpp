// What every menu item and function key does: the whole table walked code by code, the panel window's
// closing rules, the percentage factor and the configured web addresses.

#include "presentation/menu_dispatch.h"

#include <gtest/gtest.h>

#include <map>

using namespace varemo;

namespace {

struct Expected {
    MenuAction action;
    int panel = 0;
    Availability availability = Availability::Built;
    CalculatorWindow calculator = CalculatorWindow::None;
};

constexpr auto Later = Availability::Later;
constexpr auto OnDemand = Availability::OnDemand;
const Expected kLater{MenuAction::Unavailable, 0, Later};
const Expected kOnDemand{MenuAction::Unavailable, 0, OnDemand};
const Expected kLink{MenuAction::OpenLink};

std::map<int, Expected> expectedMenu() {
    std::map<int, Expected> m = {
        {1, kLink},
        {2, {MenuAction::StorageLocation}},
        {3, {MenuAction::OpenPanel, 1238}}, // update from the office server
        {4, {MenuAction::OpenPanel, 1237}}, // update over the internet
        {5, {MenuAction::OpenPanel, 62}},   // employer data for the printouts
        {6, {MenuAction::OpenPanel, 86}},   // colours of the window areas
        {7, {MenuAction::PrinterSetup}},
        {8, {MenuAction::OpenPanel, 1240}}, // option-text editor
        {9, {MenuAction::OpenPanel, 1234}},
        {10, {MenuAction::OpenPanel, 61}},
        {11, {MenuAction::EndProgram}},
        {20, {MenuAction::OpenPanel, 49}}, // the overview; its button "Tabelle bearbeiten" opens the editor
        {27, {MenuAction::SpecialRules}},
        {40, {MenuAction::SpecialRules}},
        {60, {MenuAction::RecalculateAll}},
        {61, {MenuAction::OpenPanel, 221}}, // cases of the previous version
        {71, kOnDemand},
        {72, kOnDemand},
        {74, {MenuAction::OpenPanel, 150}},
        {97, kOnDemand},
    };
    m[22] = {MenuAction::OpenPanel, 118}; // the civil servants' special payment per Land
    m[21] = {MenuAction::OpenPanel, 222};
    m[24] = {MenuAction::OpenPanel, 64};
    m[25] = {MenuAction::OpenPanel, 125};
    m[28] = {MenuAction::OpenPanel, 84};
    m[29] = {MenuAction::OpenPanel, 83};
    m[45] = {MenuAction::OpenPanel, 9};
    m[23] = {MenuAction::OpenPanel, 117};
    m[41] = {MenuAction::OpenPanel, 85};
    m[42] = {MenuAction::OpenPanel, 77};
    m[43] = {MenuAction::OpenPanel, 63};
    m[44] = {MenuAction::OpenPanel, 65};
    for (int code : {50, 51, 52, 53, 54, 55, 56, 57}) // the payroll lists
        m[code] = {MenuAction::Printout};
    for (int code = kMenuYearSalaries; code <= kMenuCostCentres; ++code)
        m[code] = {MenuAction::Overview};
    for (int code = 62; code <= 65; ++code)
        m[code] = {MenuAction::TransferAll};
    for (int code = 66; code <= 70; ++code)
        m[code] = {MenuAction::DeleteYear};
    for (int code = 80; code <= 96; ++code)
        m[code] = kLink;
    return m;
}

std::map<int, Expected> expectedFunctions() {
    std::map<int, Expected> m = {
        {1, {MenuAction::OpenPanel, 207}},
        {2, {MenuAction::ToggleMaximised}},
        {10, kOnDemand},
        {11, {MenuAction::Calculator}},
        {12, {MenuAction::OpenPanel, 99}},
        {13, {MenuAction::OpenPanel, 300}},
        {14, {MenuAction::AdoptModelCase}},
        {15, {MenuAction::SortCases}},
        {19, kLink},
        {20, {MenuAction::FollowingMonths}},
        {21, {MenuAction::TransferCase}},
        {22, {MenuAction::Memo}},
        {23, kOnDemand},
        {24, {MenuAction::Printout}},
    };
    m[18] = {MenuAction::OpenPanel, 18};
    for (int code : {3, 4})
        m[code] = {MenuAction::PrintWindow};
    for (int code : {5, 6, 7, 8})
        m[code] = {MenuAction::Printout};
    m[9] = {MenuAction::SerialPrint};
    m[16] = {MenuAction::OpenCalculator, 0, Availability::Built, CalculatorWindow::Vacation};
    m[17] = {MenuAction::OpenCalculator, 0, Availability::Built, CalculatorWindow::Jubilee};
    return m;
}

// The info buttons of the lines; every other line answers "Sorry".
std::map<int, Expected> expectedInfo() {
    std::map<int, Expected> m;
    for (int line = 1; line <= 47; ++line)
        m[line] = kLater;
    m[0] = {MenuAction::OpenPanel, 22};
    m[1] = {MenuAction::OpenPanel, 23};
    m[4] = {MenuAction::OpenCalculator, 0, Availability::Built, CalculatorWindow::Promotion};
    m[6] = {MenuAction::OpenCalculator, 0, Availability::Built, CalculatorWindow::ServiceAge};
    m[7] = {MenuAction::OpenPanel, 273}; // the step calculator
    m[8] = {MenuAction::OpenCalculator, 0, Availability::Built, CalculatorWindow::StepDuration};
    m[10] = {MenuAction::OpenPanel, 108};
    m[22] = {MenuAction::OpenPanel, 35};
    m[34] = {MenuAction::OpenPanel, 6};
    return m;
}

void expectTable(const std::map<int, Expected>& expected, MenuDispatch (*dispatch)(int), char letter,
                 int last = 99) {
    for (int code = 0; code <= last; ++code) {
        SCOPED_TRACE(codeText(letter, code));
        MenuDispatch d = dispatch(code);
        auto it = expected.find(code);
        if (it == expected.end()) {
            EXPECT_EQ(d.action, MenuAction::None);
            continue;
        }
        EXPECT_EQ(d.action, it->second.action);
        EXPECT_EQ(d.panel, it->second.panel);
        EXPECT_EQ(d.availability, it->second.availability);
        EXPECT_EQ(d.calculator, it->second.calculator);
    }
}

} // namespace

TEST(MenuDispatch, EveryMenuCodeAndFunctionKeyDoesWhatTheTableSays) {
    expectTable(expectedMenu(), menuAuswertung, 'Y');
    expectTable(expectedFunctions(), functionDispatch, 'f');
    expectTable(expectedInfo(), infoDispatch, 'i', 47);

    // Every item of the menu bar and every button is in the tables above, and a built one is executed.
    for (const MenuItem& item : menuItems())
        EXPECT_EQ(menuAuswertung(item.code).action == MenuAction::Unavailable,
                  item.availability != Availability::Built)
            << item.code;
    for (const FunctionButton& b : functionButtons())
        EXPECT_EQ(functionDispatch(b.code).action == MenuAction::Unavailable,
                  b.availability != Availability::Built)
            << b.code;

    EXPECT_EQ(menuAuswertung(62).year, 2017);
    EXPECT_EQ(menuAuswertung(65).year, 2020);
    EXPECT_EQ(menuAuswertung(66).year, 2017);
    EXPECT_EQ(menuAuswertung(70).year, 2021);
    EXPECT_TRUE(menuAuswertung(27).inKind);
    EXPECT_FALSE(menuAuswertung(40).inKind);
    EXPECT_EQ(findMenuItem(95)->group, 'i');
    // The payroll lists: the month's, the year's and the case's year.
    const std::map<int, int> lists = {{50, 50}, {51, 57}, {52, 51}, {53, 55},
                                      {54, 43}, {55, 44}, {56, 53}, {57, 54}};
    for (const auto& [code, kind] : lists)
        EXPECT_EQ(menuAuswertung(code).printKind, kind) << code;
}

TEST(PanelRules, FocusLossClosingReopeningAndTheFactor) {
    for (int code : {0, 3, 5, 6, 22, 29, 61, 99, 132, 134, 150, 198, 201, 207, 299})
        EXPECT_TRUE(closesOnFocusLoss(code)) << code;
    for (int code : {4, 133, 199, 200, 300, 432, 1234})
        EXPECT_FALSE(closesOnFocusLoss(code)) << code;
    EXPECT_EQ(leaveConsequence(150), PanelLeave::RebuildCaseList);
    EXPECT_EQ(leaveConsequence(300), PanelLeave::ReopenCaseFiles);
    EXPECT_EQ(leaveConsequence(207), PanelLeave::Nothing);
    EXPECT_EQ(panelPrintKind(panel::kTaxWorksheet), 70);
    EXPECT_EQ(panelPrintKind(panel::kSocialInsurance), 71);
    EXPECT_EQ(panelPrintKind(panel::kAnnualEarnings), 73);
    EXPECT_EQ(panelPrintKind(panel::kTariffOverview), std::nullopt);

    EXPECT_EQ(checkPercentFactor(75, 75, 100).percent, 75);
    EXPECT_FALSE(checkPercentFactor(100, 75, 100).message);
    FactorCheck out = checkPercentFactor(74, 75, 100);
    EXPECT_EQ(out.percent, 100);
    ASSERT_TRUE(out.message);
    EXPECT_EQ(out.message->title, "Achtung");
    EXPECT_EQ(out.message->text(), "Der Faktor wurde auf 100 % zurückgesetzt");
    EXPECT_EQ(checkPercentFactor(101, 75, 100).percent, 100);
}

TEST(LinkSettings, AddressesComeFromTheInstallationFileAndAMissingOneIsNamed) {
    LinkSettings s = LinkSettings::parse("# Internetadressen\r\n"
                                         "Y80 https://example.org/beamte\r\n"
                                         "y81=  https://example.org/besoldung  \n"
                                         "F19\thttps://example.org/rechner\n"
                                         "Y82\n"
                                         "\n");
    EXPECT_EQ(s.address("Y80"), "https://example.org/beamte");
    EXPECT_EQ(s.address("Y81"), "https://example.org/besoldung");
    EXPECT_EQ(s.address("f19"), "https://example.org/rechner");
    EXPECT_FALSE(s.address("Y82")); // a code without an address is none
    EXPECT_EQ(s.all().size(), 3u);
    EXPECT_TRUE(LinkSettings::read("/nonexistent/folder").all().empty());

    PromptMessage m = missingLinkMessage("Y82", "Besoldungstabellen");
    EXPECT_EQ(m.title, "Internetadresse fehlt");
    EXPECT_EQ(m.lines.front(), "Für Y82 (Besoldungstabellen) ist keine Internetadresse eingetragen.");
}
