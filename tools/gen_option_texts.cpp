// option-texts/: the option-text files Texte/MyText<yy>.txt from texts.tsv and the catalogue, and
// Tarife/Kommentar.txt. The record layout is the one model/option_texts.h reads; only its constants are
// used here, so that the generator needs no engine library.

#include "generators.h"

#include "base/cp1252.h"
#include "model/option_texts.h"

#include <functional>
#include <set>

namespace varemo::datagen {
namespace {

int allowanceRecord(bool civilServant, int region, int option) {
    return (civilServant ? optiontext::kCivilAllowanceFirst : optiontext::kEmployeeAllowanceFirst) +
           optiontext::kAllowanceOptions * region + option;
}

int payGroupRecord(int serviceRelationship, int group) {
    return optiontext::kPayGroupFirst + optiontext::kPayGroupsPerRelationship * serviceRelationship + group;
}

int number(const SourceText& tsv, int line, const std::string& text) {
    int value = 0;
    if (!parseCount(text, value)) tsv.fail(line, "number expected: " + text);
    return value;
}

std::vector<int> recordsOf(const SourceText& tsv, int line, const std::string& field) {
    for (const char* kind : {"civil-allowance:", "employee-allowance:"}) {
        const std::string prefix = kind;
        if (field.rfind(prefix, 0) != 0) continue;
        const int option = number(tsv, line, field.substr(prefix.size()));
        if (option < optiontext::kFirstNamedAllowance || option >= optiontext::kAllowanceOptions)
            tsv.fail(line, "allowance option 3 to 107 expected");
        std::vector<int> records;
        for (int region = 0; region < optiontext::kRegionCount; ++region)
            records.push_back(allowanceRecord(prefix[0] == 'c', region, option));
        return records;
    }
    const int record = number(tsv, line, field);
    if (record < 1) tsv.fail(line, "record number from 1 expected");
    return {record};
}

} // namespace

std::vector<TextRow> parseTextRows(const SourceText& tsv) {
    std::vector<TextRow> rows;
    if (tsv.lineCount() < 1 || tsv.line(1) != "record\tyears\ttext")
        tsv.fail(1, "header \"record years text\" expected");
    for (int n = 2; n <= tsv.lineCount(); ++n) {
        const std::string& line = tsv.line(n);
        if (line.empty()) continue;
        const auto fields = splitTabs(line);
        if (fields.size() != 3) tsv.fail(n, "three fields expected");
        TextRow row;
        row.records = recordsOf(tsv, n, fields[0]);
        if (fields[1] != "*") {
            const auto dash = fields[1].find('-');
            row.firstYear = number(tsv, n, fields[1].substr(0, dash));
            row.lastYear =
                dash == std::string::npos ? row.firstYear : number(tsv, n, fields[1].substr(dash + 1));
            if (row.lastYear < row.firstYear) tsv.fail(n, "years run backwards: " + fields[1]);
        }
        row.text = fields[2];
        if (utf8Length(row.text) > optiontext::kRecordLength)
            tsv.fail(n, "longer than 35 characters: " + row.text);
        if (!fitsWindows1252(row.text)) tsv.fail(n, "not representable in Windows-1252: " + row.text);
        rows.push_back(std::move(row));
    }
    return rows;
}

namespace {

using GroupName = std::function<std::string(const ServiceRelationshipInfo&, const std::string&)>;

std::map<int, std::string> buildRecords(const std::vector<ServiceRelationshipInfo>& catalogue,
                                        const std::vector<TextRow>& rows, int year,
                                        const GroupName& groupName) {
    std::map<int, std::string> records;
    for (const auto& sr : catalogue) {
        if (sr.code >= optiontext::kServiceRelationshipCount) continue;
        records[optiontext::kServiceRelationshipFirst + sr.code] = sr.name;
        for (size_t g = 0; g < sr.groups.size() && g < optiontext::kPayGroupsPerRelationship; ++g)
            if (sr.groups[g] != "-")
                records[payGroupRecord(sr.code, static_cast<int>(g))] = groupName(sr, sr.groups[g]);
    }
    for (int region = 0; region < optiontext::kRegionCount; ++region)
        for (int k = optiontext::kFirstNamedAllowance; k < optiontext::kAllowanceOptions; ++k)
            for (bool civil : {true, false})
                records[allowanceRecord(civil, region, k)] = "Zulage Nr. " + std::to_string(k);
    // The user's own lists start numbered; texts.tsv names the entries it knows.
    auto numbered = [&records](int first, int from, int to, const std::string& prefix, int shift) {
        for (int p = from; p <= to; ++p)
            records[first + p] = prefix + std::to_string(p + shift);
    };
    numbered(optiontext::kInKindFirst, 8, optiontext::kInKindEntries - 1, "Sachbezug Nr. ", 1);
    numbered(optiontext::kDeductionFirst, 8, optiontext::kDeductionEntries - 1, "Einbehalt/Auszahlung Nr. ",
             1);
    numbered(optiontext::kOfficeFirst, 1, optiontext::kOffices - 1, "Dienststelle ", 1);
    numbered(optiontext::kCostCentreFirst, 1, optiontext::kCostCentres - 1, "Kostenstelle ", 0);
    for (const auto& row : rows)
        if (year >= row.firstYear && year <= row.lastYear)
            for (int record : row.records)
                records[record] = row.text;
    return records;
}

} // namespace

std::map<int, std::string> optionTextRecords(const std::vector<ServiceRelationshipInfo>& catalogue,
                                             const std::vector<TextRow>& rows, int year) {
    return buildRecords(catalogue, rows, year,
                        [](const ServiceRelationshipInfo&, const std::string& group) { return group; });
}

std::map<int, std::string> optionTextRecords(const TariffSources& sources, const std::vector<TextRow>& rows,
                                             int year, int firstYear, int lastYear) {
    return buildRecords(sources.catalogue, rows, year,
                        [&](const ServiceRelationshipInfo& sr, const std::string& group) {
                            return payGroupName(sources, sr, group, year, firstYear, lastYear);
                        });
}

std::string payGroupName(const TariffSources& sources, const ServiceRelationshipInfo& sr,
                         const std::string& group, int year, int firstYear, int lastYear) {
    const std::set<int> years = yearsWithPayCells(sources, sr, group, firstYear, lastYear);
    if (years.empty() || years.count(year)) return group; // no table in any year, or one this year
    // The note speaks of the table: a group may exist in law in years the shipped tables do not cover.
    const std::string when = year < *years.begin()    ? "ab " + std::to_string(*years.begin())
                             : year > *years.rbegin() ? "bis " + std::to_string(*years.rbegin())
                                                      : "nicht " + std::to_string(year);
    for (const std::string& note : {" (Tabelle " + when + ")", " (" + when + ")"})
        if (utf8Length(group + note) <= optiontext::kRecordLength) return group + note;
    return group;
}

std::string optionTextFile(const std::map<int, std::string>& records) {
    const int last = records.empty() ? 0 : records.rbegin()->first;
    std::string bytes(static_cast<size_t>(last) * optiontext::kRecordLength, ' ');
    for (const auto& [record, text] : records) {
        std::string encoded = utf8ToCp1252(text);
        encoded.resize(optiontext::kRecordLength, ' ');
        bytes.replace(static_cast<size_t>(record - 1) * optiontext::kRecordLength, optiontext::kRecordLength,
                      encoded);
    }
    return bytes;
}

std::string remarksFile(const SourceText& remarks) {
    std::string out;
    for (int n = 1; n <= remarks.lineCount(); ++n) {
        if (!fitsWindows1252(remarks.line(n))) remarks.fail(n, "not representable in Windows-1252");
        out += utf8ToCp1252(remarks.line(n)) + "\r\n";
    }
    return out;
}

std::string remedyTextFile(const SourceText& text) {
    constexpr size_t kEditorLength = 1400;
    size_t length = 0;
    for (int n = 1; n <= text.lineCount(); ++n) {
        length += utf8ToCp1252(text.line(n)).size() + (n > 1 ? 1 : 0);
        if (length > kEditorLength) text.fail(n, "longer than the 1400 characters of the editor");
    }
    return remarksFile(text);
}

std::filesystem::path optionTextFilePath(const std::filesystem::path& programDir, int year) {
    const int yy = year % 100;
    return programDir / "Texte" / ("MyText" + std::string(yy < 10 ? "0" : "") + std::to_string(yy) + ".txt");
}

std::string longOptionTextsCpp(const std::vector<std::map<int, std::string>>& yearRecords) {
    std::set<std::pair<int, std::string>> texts;
    for (const auto& records : yearRecords)
        for (const auto& [record, text] : records)
            if (utf8Length(text) > optiontext::kRecordLength) texts.emplace(record, text);
    std::string rows;
    for (const auto& [record, text] : texts)
        rows += "    {" + std::to_string(record) + ", " + cppString(text) + "},\n";
    return "// Generated from data/catalogue and data/option-texts by tools/make_data. Do not edit.\n"
           "#include \"model/option_texts.h\"\n"
           "\n"
           "#include <array>\n"
           "\n"
           "namespace varemo::optiontext {\n"
           "namespace {\n"
           "constexpr std::array<LongText, " +
           std::to_string(texts.size()) + "> kLongTexts = {{\n" + rows +
           "}};\n"
           "} // namespace\n"
           "\n"
           "std::span<const LongText> shippedLongTexts() {\n"
           "    return kLongTexts;\n"
           "}\n"
           "\n"
           "} // namespace varemo::optiontext\n";
}

} // namespace varemo::datagen
