// The window's logic that needs no window: calculator, panel key filter, menu table, colours and
// the restored window rectangle.
#include "presentation/calculator.h"
#include "presentation/menu_items.h"
#include "presentation/panel_key_filter.h"
#include "presentation/window_settings.h"

#include <gtest/gtest.h>

#include <set>

using namespace varemo;

namespace {

void keys(Calculator& c, const std::string& text) {
    for (char ch : text) {
        if (ch >= '0' && ch <= '9')
            c.digit(ch - '0');
        else if (ch == ',')
            c.decimalComma();
        else if (ch == '=')
            c.equals();
        else if (ch == '%')
            c.percent();
        else if (ch == '~')
            c.negate();
        else
            c.operation(ch);
    }
}

std::string refusalText(PanelFieldKind kind, const std::string& current, int key) {
    auto r = filterPanelKey(kind, current, key);
    if (!r) return "";
    return r->silent ? "(silent)" : r->title + ": " + r->text;
}

} // namespace

TEST(Calculator, ComputesLikeAPocketCalculatorWithExactDecimals) {
    RecordingPrompter p;
    Calculator c(p);
    keys(c, "12,5+7,25=");
    EXPECT_EQ(c.display(), "19,75");
    keys(c, "10/3=");
    EXPECT_EQ(c.display(), "3,3333333333");
    keys(c, "0,1+0,2=");
    EXPECT_EQ(c.display(), "0,3"); // no binary fraction error
    keys(c, "2+3X4=");             // immediate execution: (2 + 3) × 4
    EXPECT_EQ(c.display(), "20");
    keys(c, "5-+2="); // a second operator replaces the first
    EXPECT_EQ(c.display(), "7");
    keys(c, "2,5X2,5=");
    EXPECT_EQ(c.display(), "6,25");
    EXPECT_EQ(c.transferText(), "6.25");
    EXPECT_TRUE(p.messages().empty());
}

TEST(Calculator, PercentSignAndTape) {
    RecordingPrompter p;
    Calculator c(p);
    keys(c, "250%");
    EXPECT_EQ(c.display(), "2,5");
    keys(c, "~");
    EXPECT_EQ(c.display(), "-2,5");
    keys(c, "+1=");
    EXPECT_EQ(c.display(), "-1,5");
    EXPECT_EQ(c.tape(),
              (std::vector<std::string>{"250 / 100 = 2,5", "2,5 x -1 = -2,5", "-2,5 + ", "1 = -1,5"}));
    EXPECT_EQ(c.transferText(), "-1.5");
}

TEST(Calculator, DivisionByZeroIsRefusedAndHugeResultsToo) {
    RecordingPrompter p;
    Calculator c(p);
    keys(c, "7/0=");
    ASSERT_EQ(p.messages().size(), 1u);
    EXPECT_EQ(p.messages()[0].title, "Rechner");
    EXPECT_EQ(p.messages()[0].text(), "Division durch Null ist nicht möglich");
    EXPECT_EQ(c.display(), "0");
    keys(c, "999999999999999X999999999999999X");
    EXPECT_EQ(p.messages().size(), 2u);
    EXPECT_EQ(c.display(), "0");
    // at most fifteen digits are taken
    Calculator d(p);
    keys(d, "12345678901234567");
    EXPECT_EQ(d.display(), "123456789012345");
}

TEST(PanelKeyFilter, DateFieldsFollowThePositionRules) {
    const auto L = PanelFieldKind::DateLong;
    EXPECT_EQ(refusalText(L, "", '4'),
              "Nummer des Tages im Geburtsmonat: An dieser Stelle ist nur 0, 1,2 oder 3 erlaubt");
    EXPECT_EQ(refusalText(L, "", '3'), "");
    EXPECT_EQ(refusalText(L, "", '/'), "Format: Das Datum ist in folgendem Format einzugeben: TT.MM.JJJJ");
    EXPECT_EQ(refusalText(L, "1", '.'), "Format: Das Datum ist in folgendem Format einzugeben: TT.MM.JJ");
    EXPECT_EQ(refusalText(L, "12", '3'), "Format: Hier ist ein Punkt erforderlich");
    EXPECT_EQ(refusalText(L, "12.", '2'), "Format: An dieser Stelle ist nur 0 oder 1 erlaubt");
    EXPECT_EQ(refusalText(L, "12.0", '9'), "");
    EXPECT_EQ(refusalText(L, "12.09", '2'), "Format: Hier ist ein Punkt erforderlich");
    EXPECT_EQ(refusalText(L, "12.09.", '3'), "Format: An dieser Stelle ist nur 0, 1 oder 2 erlaubt");
    EXPECT_EQ(refusalText(L, "12.09.2", '0'), "");
    EXPECT_EQ(refusalText(L, "12.09.2020", '1'),
              "Format: Das Datum ist in folgendem Format einzugeben: TT.MM.JJJJ");
    EXPECT_EQ(refusalText(L, "12.09.2020", kKeyEnter), "");
    // control keys, Backspace included, are refused in date fields
    EXPECT_EQ(refusalText(L, "12", kKeyBackspace),
              "Format: Das Datum ist in folgendem Format einzugeben: TT.MM.JJJJ");
    const auto S = PanelFieldKind::DateShort;
    EXPECT_EQ(refusalText(S, "", 'a'), "Format: Das Datum ist in folgendem Format einzugeben: TT.MM.JJ");
    EXPECT_EQ(refusalText(S, "12.09.20", '2'),
              "Format: Das Datum ist in folgendem Format einzugeben: TT.MM.JJ");
}

TEST(PanelKeyFilter, DigitMonthAndAmountFields) {
    EXPECT_EQ(refusalText(PanelFieldKind::Digits, "1", 'x'),
              "Format: Hier sind nur die Ziffern 0 bis 9 zulässig.");
    EXPECT_EQ(refusalText(PanelFieldKind::Digits, "1", ','),
              "Format: Hier sind nur die Ziffern 0 bis 9 zulässig.");
    EXPECT_EQ(refusalText(PanelFieldKind::Digits, "1", '7'), "");
    EXPECT_EQ(refusalText(PanelFieldKind::Digits, "1", kKeyBackspace), "");
    EXPECT_EQ(refusalText(PanelFieldKind::MonthsWithoutPay, "1234", '5'),
              "Monate ohne Bezüge: Es sind nur bis zu 4 Stellen zugelassen.");
    EXPECT_EQ(refusalText(PanelFieldKind::MonthsWithoutPay, "123", '4'), "");
    EXPECT_EQ(refusalText(PanelFieldKind::MonthNumber, "1", '3'),
              "Es gibt nur 12 Monate:  Eingabe höher als 12!");
    EXPECT_EQ(refusalText(PanelFieldKind::MonthNumber, "1", '2'), "");
    EXPECT_EQ(refusalText(PanelFieldKind::MonthNumber, "", '9'), "");
    EXPECT_EQ(refusalText(PanelFieldKind::Amount, "5000", '1'),
              "Fehler: Ein Betrag über 50.000 ist sicher falsch.");
    EXPECT_EQ(refusalText(PanelFieldKind::Amount, "50000", ','), "");
    EXPECT_EQ(refusalText(PanelFieldKind::Amount, "50000,", '1'),
              "Fehler: Ein Betrag über 50.000 ist sicher falsch.");
    EXPECT_EQ(refusalText(PanelFieldKind::Amount, "", '-'), "");
    EXPECT_EQ(refusalText(PanelFieldKind::Amount, "1", 'a'), "(silent)");
    EXPECT_EQ(refusalText(PanelFieldKind::Free, "", 'a'), "");
}

TEST(MenuTable, GroupsHoldTheirItemsAndUnbuiltItemsAnswer) {
    std::set<int> codes;
    for (const auto& item : menuItems()) {
        EXPECT_TRUE(codes.insert(item.code).second) << item.code;
        bool grouped = false;
        for (const auto& g : menuGroups())
            grouped |= g.letter == item.group;
        EXPECT_TRUE(grouped) << item.code;
    }
    EXPECT_EQ(menuGroups().size(), 7u);
    EXPECT_EQ(findMenuItem(41)->group, 'a');
    EXPECT_EQ(findMenuItem(62)->group, 'p');
    EXPECT_FALSE(findMenuItem(12));
    EXPECT_EQ(functionButtons().size(), 24u);
    EXPECT_EQ(codeText('f', 1), "f01");
    EXPECT_EQ(codeText('Y', 41), "Y41");
    EXPECT_EQ(unavailableMessage(Availability::OnDemand).title, "Interesse?");
    EXPECT_EQ(
        unavailableMessage(Availability::OnDemand).text(),
        "Diese Funktion sollte entwickelt werden, wenn genügend Interesse daran bekundet wird. Dies war "
        "bisher nicht der Fall.");
    EXPECT_EQ(
        unavailableMessage(Availability::Later).text(),
        "Die nun benötigte Funktion funktioniert noch nicht gefahrlos\nund wurde deshalb noch nicht ins "
        "Programm aufgenommen.\nBitte gedulden Sie sich noch etwas.");
}

TEST(WindowPlace, StoredRectangleIsBroughtBackOntoTheScreen) {
    const WindowRect screen{0, 0, 1920, 1080};
    EXPECT_EQ(restoredWindowRect({100, 50, 1200, 800}, screen, 1180, 780), (WindowRect{100, 50, 1200, 800}));
    // nothing usable stored: default size, centred
    EXPECT_EQ(restoredWindowRect({0, 0, 0, 0}, screen, 1180, 780), (WindowRect{370, 150, 1180, 780}));
    EXPECT_EQ(restoredWindowRect({10, 10, 300, 800}, screen, 1180, 780).width, 1180); // below 5000 twips
    // beyond the right and bottom edges, and left of a second screen
    EXPECT_EQ(restoredWindowRect({1500, 900, 1200, 800}, screen, 1180, 780),
              (WindowRect{720, 280, 1200, 800}));
    EXPECT_EQ(restoredWindowRect({-3000, -20, 1200, 800}, screen, 1180, 780), (WindowRect{0, 0, 1200, 800}));
    // larger than the screen: shrunk
    EXPECT_EQ(restoredWindowRect({0, 0, 4000, 3000}, {0, 0, 1280, 720}, 1180, 780),
              (WindowRect{0, 0, 1280, 720}));
    // with its frame (8 across, 38 down) the whole window stays on the screen
    EXPECT_EQ(restoredWindowRect({0, 0, 4000, 3000}, {0, 0, 1280, 720}, 1180, 780, 8, 38),
              (WindowRect{0, 0, 1272, 682}));
    EXPECT_EQ(restoredWindowRect({600, 300, 1124, 752}, {0, 0, 1280, 800}, 1180, 780, 8, 38),
              (WindowRect{148, 10, 1124, 752}));
    // scale factor 2: a 2560 × 1600 display offers 1280 × 776 scaled pixels beside the task bar; the place
    // stored at scale 1 far right and low is brought back whole
    EXPECT_EQ(restoredWindowRect({2000, 1200, 1124, 752}, {0, 0, 1280, 776}, 1180, 780, 8, 38),
              (WindowRect{148, 0, 1124, 738}));
    // a second screen left of the primary one, scaled: its own coordinates
    EXPECT_EQ(restoredWindowRect({-3000, 100, 1124, 752}, {-960, 0, 960, 540}, 1180, 780, 8, 38),
              (WindowRect{-960, 0, 952, 502}));
}

// The panel window keeps its content's size and takes only its place from the record.
TEST(WindowPlace, ThePanelOpensAtItsStoredPlaceInsideTheScreen) {
    const WindowRect screen{0, 0, 1920, 1080};
    EXPECT_EQ(restoredPanelPlace({300, 200, 900, 700}, screen, 500, 400), (WindowRect{300, 200, 500, 400}));
    // beyond the right and bottom edges with its frame (8 across, 38 down), and left of the screen
    EXPECT_EQ(restoredPanelPlace({1800, 1000, 500, 400}, screen, 500, 400, 8, 38),
              (WindowRect{1412, 642, 500, 400}));
    EXPECT_EQ(restoredPanelPlace({-2000, -30, 0, 0}, screen, 500, 400), (WindowRect{0, 0, 500, 400}));
    // a content larger than the screen starts at its top left corner
    EXPECT_EQ(restoredPanelPlace({700, 500, 0, 0}, {0, 0, 800, 600}, 1000, 900),
              (WindowRect{0, 0, 1000, 900}));
}

TEST(WindowColours, EveryYearHasItsSidesAndTheAmountFieldsStayGreyAndWhite) {
    std::set<std::tuple<int, int, int>> sides;
    for (int year = 2017; year <= 2021; ++year) {
        ColourSet set = defaultColours(year);
        Rgb gross = colourOf(set, ColourArea::GrossSide);
        sides.insert({gross.r, gross.g, gross.b});
        EXPECT_EQ(colourOf(set, ColourArea::ComputedAmount), (Rgb{255, 255, 255}));
        Rgb typed = colourOf(set, ColourArea::TypedAmount);
        EXPECT_TRUE(typed.r == typed.g && typed.g == typed.b && typed.r < 230);
    }
    EXPECT_EQ(sides.size(), 5u);
}
