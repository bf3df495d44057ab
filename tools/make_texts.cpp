// Build-time generator of the shipped texts: the option-text files Texte/MyText<yy>.txt of the years
// given and Tarife/Kommentar.txt, below a program folder.
//
//   make_texts <data folder> <program folder> <first year> <last year>
//
// Sources below the data folder:
//   option-texts/texts.tsv        record, years, text (see data/README.md)
//   option-texts/Kommentar.txt    the remarks of the tariff editor (UTF-8)
//   catalogue/service-relationships.tsv   names of the service relationships and their pay groups

#include "base/cp1252.h"
#include "model/option_texts.h"
#include "tariffs/tariff_sources.h"

#include <exception>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace varemo;

namespace {

struct TextRow {
    std::vector<int> records; // the record in every region for the allowance names
    int firstYear = 0;
    int lastYear = 9999;
    std::string text;
};

[[noreturn]] void fail(int line, const std::string& message) {
    throw std::runtime_error("texts.tsv:" + std::to_string(line) + ": " + message);
}

int number(const std::string& text, int line) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) fail(line, "number expected: " + text);
    return std::stoi(text);
}

std::vector<int> recordsOf(const std::string& field, int line) {
    for (const char* kind : {"civil-allowance:", "employee-allowance:"}) {
        const std::string prefix = kind;
        if (field.rfind(prefix, 0) != 0) continue;
        const int option = number(field.substr(prefix.size()), line);
        if (option < optiontext::kFirstNamedAllowance || option >= optiontext::kAllowanceOptions)
            fail(line, "allowance option 3 to 107 expected");
        std::vector<int> records;
        for (int region = 0; region < optiontext::kRegionCount; ++region)
            records.push_back(optiontext::allowanceRecord(prefix[0] == 'c', region, option));
        return records;
    }
    const int record = number(field, line);
    if (record < 1) fail(line, "record number from 1 expected");
    return {record};
}

std::vector<TextRow> readTexts(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::vector<TextRow> rows;
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (lineNumber == 1) {
            if (line != "record\tyears\ttext") fail(lineNumber, "header \"record years text\" expected");
            continue;
        }
        if (line.empty()) continue;
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string f; std::getline(parts, f, '\t');) fields.push_back(f);
        if (fields.size() != 3) fail(lineNumber, "three fields expected");
        TextRow row;
        row.records = recordsOf(fields[0], lineNumber);
        if (fields[1] != "*") {
            auto dash = fields[1].find('-');
            row.firstYear = number(fields[1].substr(0, dash), lineNumber);
            row.lastYear = dash == std::string::npos ? row.firstYear : number(fields[1].substr(dash + 1), lineNumber);
        }
        row.text = fields[2];
        if (utf8Length(row.text) > optiontext::kRecordLength)
            fail(lineNumber, "longer than 35 characters: " + row.text);
        if (cp1252ToUtf8(utf8ToCp1252(row.text)) != row.text)
            fail(lineNumber, "not representable in Windows-1252: " + row.text);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::map<int, std::string> recordsOfYear(const std::vector<ServiceRelationshipInfo>& catalogue,
                                         const std::vector<TextRow>& rows, int year) {
    std::map<int, std::string> records;
    for (const auto& sr : catalogue) {
        if (sr.code >= optiontext::kServiceRelationshipCount) continue;
        records[optiontext::kServiceRelationshipFirst + sr.code] = sr.name;
        for (size_t g = 0; g < sr.groups.size() && g < optiontext::kPayGroupsPerRelationship; ++g)
            if (sr.groups[g] != "-") records[optiontext::payGroupRecord(sr.code, static_cast<int>(g))] = sr.groups[g];
    }
    for (int region = 0; region < optiontext::kRegionCount; ++region)
        for (int k = optiontext::kFirstNamedAllowance; k < optiontext::kAllowanceOptions; ++k)
            for (bool civil : {true, false})
                records[optiontext::allowanceRecord(civil, region, k)] = "Zulage Nr. " + std::to_string(k);
    for (const auto& row : rows)
        if (year >= row.firstYear && year <= row.lastYear)
            for (int record : row.records) records[record] = row.text;
    return records;
}

void writeRemarks(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::ifstream in(source, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + source.string());
    std::string out;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out += utf8ToCp1252(line) + "\r\n";
    }
    std::filesystem::create_directories(target.parent_path());
    std::ofstream file(target, std::ios::binary | std::ios::trunc);
    file << out;
    if (!file) throw std::runtime_error("cannot write " + target.string());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: make_texts <data folder> <program folder> <first year> <last year>\n";
        return 2;
    }
    try {
        const std::filesystem::path data = argv[1];
        const std::filesystem::path program = argv[2];
        const int firstYear = std::stoi(argv[3]);
        const int lastYear = std::stoi(argv[4]);
        std::ifstream catalogueFile(data / "catalogue" / "service-relationships.tsv", std::ios::binary);
        if (!catalogueFile) throw std::runtime_error("cannot read the service-relationship catalogue");
        const auto catalogue = parseServiceRelationshipCatalogue(catalogueFile);
        const auto rows = readTexts(data / "option-texts" / "texts.tsv");
        std::filesystem::create_directories(program / "Texte");
        for (int year = firstYear; year <= lastYear; ++year)
            writeOptionTextFile(OptionTextFile::pathFor(program, year), recordsOfYear(catalogue, rows, year));
        writeRemarks(data / "option-texts" / "Kommentar.txt", program / "Tarife" / "Kommentar.txt");
    } catch (const std::exception& e) {
        std::cerr << "make_texts: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
