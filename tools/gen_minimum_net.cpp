// minimum-net/minimum-net.csv: table ("2008" or "2005-83"), gross (a multiple of 5 euros up to 5,300) and
// the minimum net amounts of the tax classes I/IV, II, III, V, VI. Each table becomes a file of 20-byte
// records: record gross / 5 holds the five amounts as 32-bit little-endian cents; a row the source does
// not give stays zeros, which the program reads as "not in the table".

#include "generators.h"

#include <set>

namespace varemo::datagen {
namespace {

constexpr size_t kRecordLength = 20;
constexpr int kLastRecord = 1060; // 5,300 euros "und mehr"

void putCents(std::string& file, size_t at, int64_t cents) {
    for (int b = 0; b < 4; ++b)
        file[at + static_cast<size_t>(b)] = static_cast<char>((cents >> (8 * b)) & 0xff);
}

} // namespace

MinimumNetFiles minimumNetFiles(const SourceText& csv) {
    MinimumNetFiles out;
    bool headerSeen = false;
    std::set<std::pair<std::string, int>> seen;
    for (int n = 1; n <= csv.lineCount(); ++n) {
        const std::string& line = csv.line(n);
        if (line.empty() || line[0] == '#') continue;
        if (!headerSeen) {
            if (line != "table,gross,I_IV,II,III,V,VI")
                csv.fail(n, "header \"table,gross,I_IV,II,III,V,VI\" expected");
            headerSeen = true;
            continue;
        }
        const auto fields = splitCsv(csv, n);
        if (fields.size() != 7) csv.fail(n, "7 columns expected, found " + std::to_string(fields.size()));
        std::string* file = nullptr;
        if (fields[0] == "2008")
            file = &out.table2008;
        else if (fields[0] == "2005-83")
            file = &out.table83;
        else
            csv.fail(n, "table 2008 or 2005-83 expected: '" + fields[0] + "'");
        int64_t gross = 0;
        if (!parseFixed(fields[1], 2, gross) || gross <= 0 || gross % 500 != 0 || gross / 500 > kLastRecord)
            csv.fail(n, "gross: a multiple of 5 euros up to 5300.00 expected: '" + fields[1] + "'");
        const int record = static_cast<int>(gross / 500);
        if (!seen.emplace(fields[0], record).second) csv.fail(n, "the row is listed twice");
        const size_t at = static_cast<size_t>(record - 1) * kRecordLength;
        if (file->size() < at + kRecordLength) file->resize(at + kRecordLength, '\0');
        for (size_t column = 0; column < 5; ++column) {
            int64_t cents = 0;
            if (!parseFixed(fields[column + 2], 2, cents) || cents <= 0 || cents > gross)
                csv.fail(n, "an amount in euros below the gross expected: '" + fields[column + 2] + "'");
            putCents(*file, at + 4 * column, cents);
        }
    }
    if (!headerSeen) csv.fail(csv.lineCount(), "no header");
    return out;
}

} // namespace varemo::datagen
