#include "print/recording_surface.h"
#include "print/serial_print.h"
#include "print/table_printout.h"
#include "session/line_input.h"
#include "support/session.h"

#include <gtest/gtest.h>

using namespace varemo::print;

TEST(SerialPrint, RangesStayInOrderWithinTheListAndTheOptionsAreTheWindows) {
    // The last field: beyond the list the last case, 0 the first, below the first raised to it.
    EXPECT_EQ(afterLastChanged({1, 40}, 7), (NumberRange{1, 7}));
    EXPECT_EQ(afterLastChanged({1, 0}, 7), (NumberRange{1, 1}));
    EXPECT_EQ(afterLastChanged({5, 3}, 7), (NumberRange{5, 5}));
    // The first field: at least 1, not above the last.
    EXPECT_EQ(afterFirstChanged({0, 4}, 7), (NumberRange{1, 4}));
    EXPECT_EQ(afterFirstChanged({6, 4}, 7), (NumberRange{4, 4}));
    EXPECT_EQ(serialMonthLabel(3, 2021), "März");
    EXPECT_EQ(serialMonthLabel(13, 2021), "2021  JAHRESGEHALT ");

    std::vector<int> codes;
    for (const SerialPrintOption& o : serialPrintOptions())
        codes.push_back(o.code);
    EXPECT_EQ(codes, (std::vector<int>{0, 1, 2, 3, 4, 6, 8, 10, 12, 13, 14, 15}));
    EXPECT_EQ(findSerialPrintOption(5), nullptr);
    EXPECT_EQ(findSerialPrintOption(2)->printKind, 12);
    EXPECT_EQ(findSerialPrintOption(14)->range, SerialRange::Months);
    EXPECT_TRUE(findSerialPrintOption(10)->employerView && findSerialPrintOption(10)->accumulated);
}

TEST(TablePrintout, AFullPageContinuesWithTheHeadersAndAmountsStandRightAligned) {
    PrintTable t;
    t.titleLines = {"Titel"};
    t.columns = {"Bezeichnung", "JAN."};
    t.rightAligned = {false, true};
    for (int r = 0; r < 200; ++r)
        t.rows.push_back({"Zeile " + std::to_string(r), std::to_string(r) + ",00"});
    RecordingSurface s;
    printTable(s, t);
    s.endDocument();
    EXPECT_GT(s.pages(), 1);
    int headers = 0;
    double right = -1;
    for (const RecordedText& text : s.texts()) {
        if (text.text == "JAN.") ++headers;
        if (text.text == "7,00" || text.text == "150,00") {
            s.setScaleMode(ScaleMode::Inches);
            s.setFont(text.font.name, text.font.size, text.font.bold);
            const double edge = text.x + s.textWidth(text.text);
            if (right < 0) right = edge;
            EXPECT_NEAR(edge, right, 0.01);
        }
    }
    EXPECT_EQ(headers, s.pages());
}

// A host that shows each case without loading it and is cancelled when asked before the third.
class CancellingHost : public SerialPrintHost {
  public:
    bool showCase(int caseNumber) override {
        shown.push_back(caseNumber);
        return true;
    }
    bool showMonth(int) override { return false; }
    void printYearView(int, const SerialPrintOption&, PrintSurface&) override {}
    PrintSurface& begin(int) override {
        if (begun++ > 0) surface.newPage();
        return surface;
    }
    void end(int item) override { ended.push_back(item); }
    bool proceed(int done, int total, int) override {
        EXPECT_EQ(total, 5);
        return done < 2;
    }
    RecordingSurface surface;
    std::vector<int> shown, ended;
    int begun = 0;
};

TEST(SerialPrint, CancellingBetweenCasesKeepsWhatWasPrintedAndStartsNoFurtherCase) {
    varemo::test::TestSession s(2020, varemo::DataSet::Real, 1, 3);
    ASSERT_TRUE(varemo::EnterAmount(s.g, varemo::AmountSlot::Allowance1, "2500"));
    CancellingHost host;
    const SerialPrintResult r = RunSerialPrint(s.g, *findSerialPrintOption(1), {1, 5}, host, {"07.12.2020"});
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.printed, 2);
    EXPECT_EQ(host.shown, (std::vector<int>{1, 2}));
    EXPECT_EQ(host.ended, (std::vector<int>{1, 2})); // each begun printout was ended
    EXPECT_EQ(host.surface.pages(), 2);
}
