#include "persistence/case_export.h"

#include "base/error.h"
#include "persistence/month_record.h"
#include "persistence/year_record.h"

#include <gtest/gtest.h>

using namespace varemo;

namespace {

// Two cases of PLAN whose records hold every byte value, and a name with umlauts and a quote.
CaseExport sample() {
    CaseExport e;
    e.year = 2019;
    ExportedSet set;
    set.set = DataSet::Plan;
    for (int n : {3, 7}) {
        ExportedCase x;
        x.number = n;
        for (int m = 0; m < 12; ++m) {
            RecordBuffer r(kMonthRecordLength);
            for (size_t i = 0; i < r.size(); ++i)
                r.bytes()[i] = static_cast<uint8_t>((i * 7 + static_cast<size_t>(m + n)) % 256);
            x.months.push_back(r);
        }
        YearRecord y;
        y.setName(n == 3 ? "Müller, \"Jürgen\"" : "Weiß");
        x.year = y.buffer();
        x.name = y.name();
        set.cases.push_back(std::move(x));
    }
    e.sets.push_back(std::move(set));
    return e;
}

std::string refusal(const std::string& text) {
    try {
        (void)parseCaseExport(text);
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

} // namespace

TEST(CaseExport, RoundTripKeepsEveryByteAndEveryDamageIsRefused) {
    const CaseExport e = sample();
    const std::string text = caseExportText(e);
    const CaseExport back = parseCaseExport(text);
    ASSERT_EQ(back.year, 2019);
    ASSERT_EQ(back.sets.size(), 1u);
    EXPECT_EQ(back.sets[0].set, DataSet::Plan);
    ASSERT_EQ(back.sets[0].cases.size(), 2u);
    for (size_t c = 0; c < 2; ++c) {
        const ExportedCase& a = e.sets[0].cases[c];
        const ExportedCase& b = back.sets[0].cases[c];
        EXPECT_EQ(b.number, a.number);
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.year.bytes(), a.year.bytes());
        for (size_t m = 0; m < 12; ++m)
            ASSERT_EQ(b.months[m].bytes(), a.months[m].bytes());
    }

    // Cut off anywhere: refused as an incomplete file, never taken in part.
    for (size_t n = 0; n < text.size() - 1; n += 97)
        ASSERT_NE(refusal(text.substr(0, n)), "") << "cut at " << n;
    EXPECT_NE(refusal(text.substr(0, text.size() - 2)), ""); // without the closing brace

    const std::string firstMonth = "\"months\": [\n            \"";
    const std::vector<std::pair<std::string, std::string>> damaged = {
        {replaced(text, "\"version\": 1", "\"version\": 2"),
         "ihre Fassung 2 kann dieses Programm nicht lesen"},
        {replaced(text, "VAREMO 2020 Personalfälle", "Personalliste"), "keine Export-Datei dieses Programms"},
        {replaced(text, "\"year\": 2019", "\"year\": 2016"), "das Jahr 2016 gibt es nicht"},
        {replaced(text, "\"monthRecordLength\": 1513", "\"monthRecordLength\": 1512"), "Satzlängen"},
        {replaced(text, "\"case\": 7", "\"case\": 3"), "Personalfall 3 (PLAN) steht doppelt"},
        {replaced(text, "\"name\": \"Weiß\"", "\"name\": \"Weiss\""), "der Name von Personalfall 7 (PLAN)"},
        {replaced(text, firstMonth, firstMonth + "AAAA"), "der Satz des Monats 1 von Personalfall 3"},
        {replaced(text, firstMonth, firstMonth + "*"), "der Satz des Monats 1 von Personalfall 3"},
        {replaced(text, "\"set\": \"PLAN\"", "\"set\": \"IST\""), "weder INFO noch PLAN noch REAL"},
        {text + "{}", "Zeichen nach dem Ende der Daten"},
    };
    for (const auto& [bad, why] : damaged) {
        const std::string message = refusal(bad);
        EXPECT_NE(message.find(why), std::string::npos) << message;
        EXPECT_NE(message.find("Es wurde nichts importiert."), std::string::npos) << message;
    }
}
