#include "model/option_texts.h"

#include "base/cp1252.h"
#include "base/file_names.h"

#include <fstream>
#include <stdexcept>

namespace varemo {

namespace optiontext {

int allowanceRecord(bool civilServant, int region, int option) {
    return (civilServant ? kCivilAllowanceFirst : kEmployeeAllowanceFirst) + kAllowanceOptions * region +
           option;
}

int payGroupRecord(int serviceRelationship, int group) {
    return kPayGroupFirst + kPayGroupsPerRelationship * serviceRelationship + group;
}

} // namespace optiontext

OptionTextFile::OptionTextFile(const std::filesystem::path& path) : path_(path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return;
    // In one block: the file has some 9,000 records and is read at every start.
    const std::streamoff size = in.tellg();
    if (size <= 0) return;
    bytes_.resize(static_cast<size_t>(size));
    in.seekg(0);
    in.read(bytes_.data(), size);
    bytes_.resize(static_cast<size_t>(in.gcount()));
}

std::filesystem::path OptionTextFile::pathFor(const std::filesystem::path& programDir, int year) {
    const int yy = year % 100;
    return programDir / "Texte" / ("MyText" + std::string(yy < 10 ? "0" : "") + std::to_string(yy) + ".txt");
}

namespace {

// What a record keeps of a longer text: its first 35 characters in Windows-1252, without trailing blanks.
std::string recordTextOf(const char* utf8) {
    std::string bytes = utf8ToCp1252(utf8).substr(0, optiontext::kRecordLength);
    while (!bytes.empty() && bytes.back() == ' ')
        bytes.pop_back();
    return bytes;
}

} // namespace

std::string OptionTextFile::text(int record) const {
    if (record < 1) return {};
    const size_t offset = static_cast<size_t>(record - 1) * optiontext::kRecordLength;
    if (offset >= bytes_.size()) return {};
    std::string raw = bytes_.substr(offset, optiontext::kRecordLength);
    for (char& c : raw)
        if (c == '\0') c = ' ';
    while (!raw.empty() && raw.back() == ' ')
        raw.pop_back();
    for (const optiontext::LongText& t : optiontext::shippedLongTexts())
        if (t.record == record && recordTextOf(t.text) == raw) return t.text;
    return cp1252ToUtf8(raw);
}

void writeOptionTextFile(const std::filesystem::path& path, const std::map<int, std::string>& records) {
    const int last = records.empty() ? 0 : records.rbegin()->first;
    std::string bytes(static_cast<size_t>(last) * optiontext::kRecordLength, ' ');
    for (const auto& [record, text] : records) {
        if (record < 1) throw std::runtime_error("option text record below 1: " + std::to_string(record));
        std::string encoded = utf8ToCp1252(text);
        encoded.resize(optiontext::kRecordLength, ' ');
        bytes.replace(static_cast<size_t>(record - 1) * optiontext::kRecordLength, optiontext::kRecordLength,
                      encoded);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path.string());
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

std::filesystem::path optionTextPath(const std::filesystem::path& dataRoot, int year) {
    const std::string yy = std::to_string(year % 100);
    std::filesystem::path folder = findFileIgnoringCase(dataRoot, "Texte");
    return findFileIgnoringCase(folder, "MyText" + (yy.size() < 2 ? "0" + yy : yy) + ".txt");
}

} // namespace varemo
