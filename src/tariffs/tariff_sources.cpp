#include "tariffs/tariff_sources.h"

#include "base/money.h"
#include "tariffs/tariff_address.h"

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>
#include <tuple>

namespace varemo {
namespace {

[[noreturn]] void fail(const std::string& where, int line, const std::string& message) {
    throw TariffSourceError(where + ":" + std::to_string(line) + ": " + message);
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    if (!text.empty() && text.back() == separator) parts.emplace_back();
    return parts;
}

// Lines without their end-of-line characters; empty lines are skipped, line numbers kept.
bool nextLine(std::istream& in, std::string& line, int& number) {
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) return true;
    }
    return false;
}

bool parseInt(const std::string& text, int& value) {
    if (text.empty() || text.size() > 9) return false;
    size_t i = text[0] == '-' ? 1 : 0;
    if (i == text.size()) return false;
    int v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        v = v * 10 + (text[i] - '0');
    }
    value = text[0] == '-' ? -v : v;
    return true;
}

// "YYYY-MM" as a month index.
bool parseMonth(const std::string& text, int& index) {
    int year = 0;
    int month = 0;
    if (text.size() != 7 || text[4] != '-' || !parseInt(text.substr(0, 4), year) ||
        !parseInt(text.substr(5, 2), month) || month < 1 || month > 12)
        return false;
    index = tariffMonthIndex(year, month);
    return true;
}

std::string monthText(int index) {
    std::string month = std::to_string(index % 12 + 1);
    return std::to_string(index / 12) + "-" + (month.size() < 2 ? "0" : "") + month;
}

// "0", "1-16", "1-6,8-16"
bool parseRegions(const std::string& text, std::bitset<18>& regions) {
    for (const auto& item : split(text, ',')) {
        auto dash = item.find('-');
        int from = 0;
        int to = 0;
        if (dash == std::string::npos) {
            if (!parseInt(item, from)) return false;
            to = from;
        } else if (!parseInt(item.substr(0, dash), from) || !parseInt(item.substr(dash + 1), to)) {
            return false;
        }
        if (from < 0 || to >= kTariffRegions || from > to) return false;
        for (int r = from; r <= to; ++r)
            regions.set(static_cast<size_t>(r));
    }
    return regions.any();
}

std::ifstream openSource(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw TariffSourceError("cannot read " + path.string());
    return in;
}

} // namespace

int tariffMonthIndex(int year, int month) {
    return year * 12 + (month - 1);
}

const PayCell* PayBlock::find(const std::string& group, int step) const {
    for (const auto& cell : cells)
        if (cell.step == step && cell.group == group) return &cell;
    return nullptr;
}

PayTable PayTable::parseCsv(std::istream& in, const std::string& name) {
    PayTable table;
    table.name_ = name;
    std::string line;
    int number = 0;
    if (!nextLine(in, line, number) || line != "valid_from,group,step,amount")
        fail(name, number, "header \"valid_from,group,step,amount\" expected");
    std::map<int, PayBlock> blocks;
    std::set<std::tuple<int, std::string, int>> seen;
    while (nextLine(in, line, number)) {
        auto fields = split(line, ',');
        if (fields.size() != 4) fail(name, number, "four fields expected");
        PayCell cell;
        int validFrom = 0;
        if (!parseMonth(fields[0], validFrom)) fail(name, number, "month YYYY-MM expected: " + fields[0]);
        cell.group = fields[1];
        if (cell.group.empty()) fail(name, number, "group missing");
        if (!parseInt(fields[2], cell.step) || cell.step < 0)
            fail(name, number, "step expected: " + fields[2]);
        Money amount;
        try {
            amount = Money::parse(fields[3]);
        } catch (const std::exception&) {
            fail(name, number, "amount expected: " + fields[3]);
        }
        if (amount.units() % Money::kUnitsPerCent != 0)
            fail(name, number, "amount not in whole cents: " + fields[3]);
        cell.cents = checkedCents(amount.units() / Money::kUnitsPerCent);
        if (!seen.emplace(validFrom, cell.group, cell.step).second)
            fail(name, number, "cell given twice: " + cell.group + " step " + fields[2]);
        auto& block = blocks[validFrom];
        block.validFrom = validFrom;
        block.cells.push_back(std::move(cell));
    }
    for (auto& [from, block] : blocks)
        table.blocks_.push_back(std::move(block));
    return table;
}

void PayTable::setGaps(std::vector<std::pair<int, int>> gaps) {
    for (const auto& [from, to] : gaps) {
        if (from > to)
            throw TariffSourceError(name_ + ": gap " + monthText(from) + ".." + monthText(to) + " is empty");
        bool followedByBlock = std::any_of(blocks_.begin(), blocks_.end(),
                                           [&](const PayBlock& b) { return b.validFrom == to + 1; });
        if (!followedByBlock)
            throw TariffSourceError(name_ + ": no block starts after the gap " + monthText(from) + ".." +
                                    monthText(to));
    }
    gaps_ = std::move(gaps);
}

const PayBlock* PayTable::blockFor(int year, int month) const {
    const int when = tariffMonthIndex(year, month);
    for (const auto& [from, to] : gaps_)
        if (when >= from && when <= to) return nullptr;
    const PayBlock* valid = nullptr;
    for (const auto& block : blocks_)
        if (block.validFrom <= when) valid = &block;
    return valid;
}

std::vector<PayTableInfo> parsePayTableIndex(std::istream& in) {
    const std::string where = "pay-tables.tsv";
    std::string line;
    int number = 0;
    if (!nextLine(in, line, number) || line != "table\tcontent\tregions\tgaps")
        fail(where, number, "header \"table content regions gaps\" expected");
    std::vector<PayTableInfo> infos;
    while (nextLine(in, line, number)) {
        auto fields = split(line, '\t');
        if (fields.size() != 4) fail(where, number, "four fields expected");
        PayTableInfo info;
        info.name = fields[0];
        if (info.name.empty() || info.name == "-") fail(where, number, "table name missing");
        if (fields[1] == "steps")
            info.content = PayTableContent::Steps;
        else if (fields[1] == "flat")
            info.content = PayTableContent::Flat;
        else if (fields[1] == "family")
            info.content = PayTableContent::FamilyAllowance;
        else
            fail(where, number, "content steps, flat or family expected: " + fields[1]);
        if (!parseRegions(fields[2], info.regions))
            fail(where, number, "regions expected (0 to 17): " + fields[2]);
        if (fields[3] != "-") {
            for (const auto& gap : split(fields[3], ',')) {
                auto dots = gap.find("..");
                int from = 0;
                int to = 0;
                if (dots == std::string::npos || !parseMonth(gap.substr(0, dots), from) ||
                    !parseMonth(gap.substr(dots + 2), to))
                    fail(where, number, "gap YYYY-MM..YYYY-MM expected: " + gap);
                info.gaps.emplace_back(from, to);
            }
        }
        if (std::any_of(infos.begin(), infos.end(),
                        [&](const PayTableInfo& i) { return i.name == info.name; }))
            fail(where, number, "table listed twice: " + info.name);
        infos.push_back(std::move(info));
    }
    return infos;
}

std::vector<ServiceRelationshipInfo> parseServiceRelationshipCatalogue(std::istream& in) {
    const std::string where = "service-relationships.tsv";
    std::string line;
    int number = 0;
    if (!nextLine(in, line, number) || line != "code\tname\tkind\ttable\tgroups")
        fail(where, number, "header \"code name kind table groups\" expected");
    std::vector<ServiceRelationshipInfo> catalogue;
    while (nextLine(in, line, number)) {
        auto fields = split(line, '\t');
        if (fields.size() != 5) fail(where, number, "five fields expected");
        ServiceRelationshipInfo info;
        if (!parseInt(fields[0], info.code) || info.code != static_cast<int>(catalogue.size()))
            fail(where, number, "code " + std::to_string(catalogue.size()) + " expected");
        info.name = fields[1];
        if (info.name.empty()) fail(where, number, "name missing");
        if (fields[2] == "civil")
            info.kind = ServiceKind::CivilServant;
        else if (fields[2] == "employee")
            info.kind = ServiceKind::Employee;
        else if (fields[2] == "none")
            info.kind = ServiceKind::None;
        else
            fail(where, number, "kind civil, employee or none expected: " + fields[2]);
        if (fields[3] != "-") info.tables = split(fields[3], '|');
        if (fields[4] != "-") info.groups = split(fields[4], '|');
        for (const auto& group : info.groups)
            if (group.empty()) fail(where, number, "empty group label (use - for an unused position)");
        if (!info.tables.empty() && info.groups.empty())
            fail(where, number, "a code with a table needs groups");
        catalogue.push_back(std::move(info));
    }
    if (catalogue.size() != kServiceRelationships)
        fail(where, number, "codes 0 to " + std::to_string(kServiceRelationships - 1) + " expected");
    return catalogue;
}

void TariffImage::set(int32_t record, int entry, int32_t cents, const std::string& source) {
    if (record < 1) throw TariffSourceError(source + ": record number " + std::to_string(record));
    if (entry < 0 || entry >= kTariffEntries)
        throw TariffSourceError(source + ": entry " + std::to_string(entry) + " outside the record");
    auto key = std::make_pair(record, entry);
    auto& row = rows_[record];
    auto previous = setBy_.find(key);
    if (previous != setBy_.end()) {
        if (row[static_cast<size_t>(entry)] == cents) return;
        throw TariffSourceError("record " + std::to_string(record) + " entry " + std::to_string(entry) +
                                ": " + source + " conflicts with " + previous->second);
    }
    row[static_cast<size_t>(entry)] = cents;
    setBy_.emplace(key, source);
}

TariffRow TariffImage::row(int32_t record) const {
    auto it = rows_.find(record);
    return it == rows_.end() ? TariffRow{} : it->second;
}

TariffRecord TariffImage::record(int32_t record) const {
    TariffRecord out;
    out.row = row(record);
    for (auto it = setBy_.lower_bound({record, 0}); it != setBy_.end() && it->first.first == record; ++it)
        out.hasAmount.set(static_cast<size_t>(it->first.second));
    return out;
}

void TariffImage::writeTo(const std::filesystem::path& path) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw TariffSourceError("cannot write " + path.string());
    const int32_t last = rows_.empty() ? 0 : rows_.rbegin()->first;
    for (int32_t record = 1; record <= last; ++record) {
        auto buffer = encodeTariffRecord(this->record(record));
        out.write(reinterpret_cast<const char*>(buffer.bytes().data()),
                  static_cast<std::streamsize>(buffer.size()));
    }
    out.close();
    if (!out) throw TariffSourceError("cannot write " + path.string());
}

void TariffImage::set(int32_t record, int entry, int32_t cents, const TariffCellOrigin& origin) {
    set(record, entry, cents, origin.text());
    origins_.emplace(std::make_pair(record, entry), origin);
}

std::optional<TariffCellOrigin> TariffImage::originOf(int32_t record, int entry) const {
    auto it = origins_.find({record, entry});
    if (it == origins_.end()) return std::nullopt;
    return it->second;
}

std::string tariffMonthText(int monthIndex) {
    return monthText(monthIndex);
}

std::string TariffCellOrigin::text() const {
    std::string out = table + ", block from " + monthText(validFrom) + ", service relationship " +
                      std::to_string(serviceRelationship) + ", region " + std::to_string(region) + ", " +
                      group;
    if (step > 0) out += " step " + std::to_string(step);
    return out;
}

namespace {

void checkCatalogueTables(const TariffSources& sources) {
    for (const auto& sr : sources.catalogue)
        for (const auto& table : sr.tables)
            if (!sources.index.count(table))
                throw TariffSourceError("service relationship " + std::to_string(sr.code) +
                                        " names an unknown table: " + table);
}

std::string readAll(std::istream& in) {
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TariffSources TariffSources::load(const std::filesystem::path& dataDir) {
    std::string catalogue;
    std::string index;
    {
        auto in = openSource(dataDir / "catalogue" / "service-relationships.tsv");
        catalogue = readAll(in);
    }
    {
        auto in = openSource(dataDir / "catalogue" / "pay-tables.tsv");
        index = readAll(in);
    }
    std::istringstream indexIn(index);
    std::map<std::string, std::string> csvTexts;
    for (const auto& info : parsePayTableIndex(indexIn)) {
        auto in = openSource(dataDir / "paytables" / (info.name + ".csv"));
        csvTexts.emplace(info.name, readAll(in));
    }
    return fromTexts(catalogue, index, csvTexts);
}

TariffSources TariffSources::fromTexts(const std::string& catalogueTsv, const std::string& indexTsv,
                                       const std::map<std::string, std::string>& csvTexts) {
    TariffSources sources;
    std::istringstream catalogueIn(catalogueTsv);
    sources.catalogue = parseServiceRelationshipCatalogue(catalogueIn);
    std::istringstream indexIn(indexTsv);
    for (auto& info : parsePayTableIndex(indexIn)) {
        auto text = csvTexts.find(info.name);
        if (text == csvTexts.end()) throw TariffSourceError("pay table without its file: " + info.name);
        std::istringstream in(text->second);
        auto table = PayTable::parseCsv(in, info.name + ".csv");
        table.setGaps(info.gaps);
        sources.tables.emplace(info.name, std::move(table));
        sources.index.emplace(info.name, std::move(info));
    }
    checkCatalogueTables(sources);
    return sources;
}

namespace {

void addSteps(TariffImage& image, const PayBlock& block, const std::string& group, int32_t record,
              const TariffCellOrigin& source) {
    for (const auto& cell : block.cells) {
        if (cell.group != group) continue;
        if (cell.step > 23)
            throw TariffSourceError(source.text() + ": step " + std::to_string(cell.step) + " has no entry");
        // Step 0 is a fixed salary inside a table of steps (R3 to R10 beside R1 and R2, W1 beside W2
        // and W3): its amount is entry 0, which a group with steps would also fill.
        TariffCellOrigin origin = source;
        origin.step = cell.step;
        image.set(record, cell.step == 0 ? 0 : cell.step - 1, cell.cents, origin);
    }
}

void addFlat(TariffImage& image, const PayBlock& block, const std::string& group, int32_t record,
             const TariffCellOrigin& source) {
    if (const PayCell* cell = block.find(group, 0)) image.set(record, 0, cell->cents, source);
}

// Entry 16 the married amount, entries 17 to 22 the totals for 1 to 6 children: the amounts for the
// first, second and each further child, plus the group's increase for the first and each further child.
void addFamilyAllowance(TariffImage& image, const PayBlock& block, const std::string& group, int32_t record,
                        TariffCellOrigin source) {
    source.step = -1;
    image.set(record, 15, 0, source); // the federal family allowance has no base amount for everyone
    if (const PayCell* married = block.find("VERHEIRATET", 0)) image.set(record, 16, married->cents, source);
    const PayCell* increaseFirst = block.find("ERHOEHUNG_" + group, 1);
    const PayCell* increaseFurther = block.find("ERHOEHUNG_" + group, 2);
    int64_t total = 0;
    for (int child = 1; child <= 6; ++child) {
        const PayCell* amount = block.find("KIND", std::min(child, 3));
        if (!amount) return; // the totals from here on are unknown
        total += amount->cents;
        const PayCell* increase = child == 1 ? increaseFirst : increaseFurther;
        if (increase) total += increase->cents;
        image.set(record, 16 + child, checkedCents(total), source);
    }
}

} // namespace

TariffImage buildTariffMonth(const TariffSources& sources, int year, int month) {
    TariffImage image;
    for (const auto& sr : sources.catalogue) {
        for (const auto& tableName : sr.tables) {
            const PayTableInfo& info = sources.index.at(tableName);
            const PayBlock* block = sources.tables.at(tableName).blockFor(year, month);
            if (!block) continue;
            for (int region = 0; region < kTariffRegions; ++region) {
                if (!info.regions.test(static_cast<size_t>(region))) continue;
                for (size_t position = 0; position < sr.groups.size(); ++position) {
                    const std::string& group = sr.groups[position];
                    if (group == "-") continue;
                    auto record =
                        tariffRecordNumber(region, sr.code, static_cast<int>(position), year, month, 0);
                    if (!record || *record < 1) continue;
                    const TariffCellOrigin source{
                        tableName + ".csv", block->validFrom, group, 0, sr.code, region};
                    switch (info.content) {
                    case PayTableContent::Steps:
                        addSteps(image, *block, group, *record, source);
                        break;
                    case PayTableContent::Flat:
                        addFlat(image, *block, group, *record, source);
                        break;
                    case PayTableContent::FamilyAllowance:
                        addFamilyAllowance(image, *block, group, *record, source);
                        break;
                    }
                }
            }
        }
    }
    return image;
}

std::set<int> yearsWithPayCells(const TariffSources& sources, const ServiceRelationshipInfo& sr,
                                const std::string& group, int firstYear, int lastYear) {
    std::set<int> years;
    for (const auto& tableName : sr.tables) {
        if (sources.index.at(tableName).content == PayTableContent::FamilyAllowance) continue;
        const PayTable& table = sources.tables.at(tableName);
        for (int year = firstYear; year <= lastYear; ++year)
            for (int month = 1; month <= 12 && !years.count(year); ++month)
                if (const PayBlock* block = table.blockFor(year, month))
                    if (std::any_of(block->cells.begin(), block->cells.end(),
                                    [&](const PayCell& cell) { return cell.group == group; }))
                        years.insert(year);
    }
    return years;
}

void writeTariffFiles(const TariffSources& sources, const std::filesystem::path& programDir, int firstYear,
                      int lastYear) {
    std::error_code ec;
    std::filesystem::create_directories(programDir / "Tarife", ec);
    if (ec)
        throw TariffSourceError("cannot create " + (programDir / "Tarife").string() + ": " + ec.message());
    for (int year = firstYear; year <= lastYear; ++year)
        for (int month = 1; month <= 12; ++month)
            buildTariffMonth(sources, year, month).writeTo(tariffFilePath(programDir, year, month));
}

} // namespace varemo
