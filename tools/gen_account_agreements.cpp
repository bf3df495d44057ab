// working-time-account/tvflex.csv: the agreements of the block model with a working-time account, one row
// per agreement and span of months. Each row becomes a 32-byte record of "tvflex.pcg" (the layout is in
// data/README.md and src/deductions/partial_retirement.h, which reads it).

#include "generators.h"

#include "base/record_file.h"

namespace varemo::datagen {
namespace {

constexpr size_t kRecordLength = 32;

// "2020-03" as 202003.
bool parseMonth(const std::string& text, int& yearMonth) {
    int year = 0, month = 0;
    if (text.size() != 7 || text[4] != '-' || !parseCount(text.substr(0, 4), year) ||
        !parseCount(text.substr(5), month) || month < 1 || month > 12)
        return false;
    yearMonth = year * 100 + month;
    return true;
}

int16_t share(const SourceText& csv, int n, const std::string& text) {
    int64_t hundredths = 0;
    if (!parseFixed(text, 2, hundredths) || hundredths > 10000)
        csv.fail(n, "a percentage from 0 to 100 with at most two decimals expected: '" + text + "'");
    return static_cast<int16_t>(hundredths);
}

} // namespace

std::string accountAgreementsFile(const SourceText& csv) {
    std::string file;
    bool headerSeen = false;
    for (int n = 1; n <= csv.lineCount(); ++n) {
        const std::string& line = csv.line(n);
        if (line.empty() || line[0] == '#') continue;
        if (!headerSeen) {
            if (line != "agreement,name,first_month,last_month,top_up,pension_base,pension_cap,start_before")
                csv.fail(n, "header \"agreement,name,first_month,last_month,top_up,pension_base,pension_cap,"
                            "start_before\" expected");
            headerSeen = true;
            continue;
        }
        const auto f = splitCsv(csv, n);
        if (f.size() != 8) csv.fail(n, "8 columns expected, found " + std::to_string(f.size()));
        RecordBuffer r(kRecordLength);
        if (f[0] != "5" && f[0] != "6") csv.fail(n, "agreement 5 or 6 (line 23) expected: '" + f[0] + "'");
        r.setI16(0, static_cast<int16_t>(f[0][0] - '0'));
        if (f[1].empty() || f[1].size() > 12 || !fitsWindows1252(f[1]))
            csv.fail(n, "a name of 1 to 12 characters expected: '" + f[1] + "'");
        r.setText(2, 12, f[1]);
        int first = 0, last = 0, before = 0;
        if (!parseMonth(f[2], first) || !parseMonth(f[3], last) || last < first)
            csv.fail(n, "first and last month YYYY-MM, the first not after the last, expected");
        r.setI32(14, first);
        r.setI32(18, last);
        r.setI16(22, share(csv, n, f[4]));
        r.setI16(24, share(csv, n, f[5]));
        r.setI16(26, share(csv, n, f[6]));
        int day = 0;
        if (f[7].size() != 10 || f[7][7] != '-' || !parseMonth(f[7].substr(0, 7), before) ||
            !parseCount(f[7].substr(8), day) || day < 1 || day > 31)
            csv.fail(n, "start_before YYYY-MM-DD expected: '" + f[7] + "'");
        r.setI32(28, before * 100 + day);
        file.append(r.bytes().begin(), r.bytes().end());
    }
    if (!headerSeen) csv.fail(csv.lineCount(), "no header");
    if (file.empty()) csv.fail(csv.lineCount(), "no agreement");
    return file;
}

} // namespace varemo::datagen
