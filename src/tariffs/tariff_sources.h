#pragma once
// The readable sources of the shipped tariff files and their translation into month files.
//
// Sources (see data/README.md):
//   data/catalogue/service-relationships.tsv  code, name, kind, table, groups of the codes 0 to 38;
//                                             `table` lists the pay-table files a code draws on
//                                             (`|`-separated, `-` for none), `groups` the group labels
//                                             in list-position order (`-` for an unused position, a
//                                             lone `-` for no list)
//   data/catalogue/pay-tables.tsv             per pay-table file: its content (steps, flat, family),
//                                             the regions it is written for and months without a block
//   data/paytables/<table>.csv                valid_from,group,step,amount
//
// A month file holds, for every region of a table and every group of a code drawing on it, the cells
// of the block valid in that month at the record of tariffRecordNumber():
//   steps   step s (1-based, as published) at entry s - 1; a group starting at step 2 leaves entry 0 empty;
//           a group with a fixed salary (step 0) has it at entry 0
//   flat    the amount (step 0) at entry 0
//   family  the family allowance of the federal civil servants: entry 16 the married amount, entries 17
//           to 22 the totals for 1 to 6 children including the increase amounts of the group; entry 15
//           (a base amount for everyone) is 0
// A cell missing from the valid block has no amount (kTariffNoAmount in a record that holds others, a
// record of zeros when the group has none): an older block is never used for it.

#include "tariffs/tariff_file.h"

#include <bitset>
#include <filesystem>
#include <istream>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace varemo {

class TariffSourceError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Months counted as year * 12 + (month - 1).
int tariffMonthIndex(int year, int month);

struct PayCell {
    std::string group;
    int step = 0;
    int32_t cents = 0;
};

struct PayBlock {
    int validFrom = 0; // month index
    std::vector<PayCell> cells;

    // The cell of a group and step, or nothing.
    const PayCell* find(const std::string& group, int step) const;
};

class PayTable {
  public:
    // Reads "valid_from,group,step,amount" rows; name is used in error messages ("name:line: ...").
    static PayTable parseCsv(std::istream& in, const std::string& name);

    const std::string& name() const { return name_; }
    const std::vector<PayBlock>& blocks() const { return blocks_; }

    // Months without any valid block (from, to inclusive, month indexes); the month after a gap must
    // start a block.
    void setGaps(std::vector<std::pair<int, int>> gaps);

    // The block valid in the month: the latest block starting at or before it; nothing before the
    // first block and inside a gap.
    const PayBlock* blockFor(int year, int month) const;

  private:
    std::string name_;
    std::vector<PayBlock> blocks_; // ascending validFrom
    std::vector<std::pair<int, int>> gaps_;
};

enum class PayTableContent { Steps, Flat, FamilyAllowance };

struct PayTableInfo {
    std::string name;
    PayTableContent content = PayTableContent::Steps;
    std::bitset<18> regions;
    std::vector<std::pair<int, int>> gaps; // month indexes, inclusive
};

std::vector<PayTableInfo> parsePayTableIndex(std::istream& in);

enum class ServiceKind { CivilServant, Employee, None };

struct ServiceRelationshipInfo {
    int code = 0;
    std::string name;
    ServiceKind kind = ServiceKind::None;
    std::vector<std::string> tables; // empty: no table
    std::vector<std::string> groups; // list positions; "-" marks an unused position
};

// Reads the catalogue; the codes must run from 0 to 38 in order.
std::vector<ServiceRelationshipInfo> parseServiceRelationshipCatalogue(std::istream& in);

// Where an entry of a month file comes from: the cell of a pay table's block (step 0 for a fixed amount,
// -1 for the family allowance, whose entries add several cells of its block).
struct TariffCellOrigin {
    std::string table; // file name, "tvl.csv"
    int validFrom = 0; // month index of the block
    std::string group;
    int step = 0;
    int serviceRelationship = 0;
    int region = 0;

    // "tvl.csv, block from 2021-01, service relationship 11, region 3, E9a step 1" (for error messages)
    std::string text() const;
};

// "2021-01" for a month index.
std::string tariffMonthText(int monthIndex);

// The records of one month file being built. Every entry may be set once; setting it again to another
// amount is a conflict between two sources and throws TariffSourceError.
class TariffImage {
  public:
    void set(int32_t record, int entry, int32_t cents, const std::string& source);
    void set(int32_t record, int entry, int32_t cents, const TariffCellOrigin& origin);
    const std::map<int32_t, TariffRow>& rows() const { return rows_; }
    TariffRow row(int32_t record) const;
    // The row with the entries that were set (a set 0 is an amount; an entry never set has none).
    TariffRecord record(int32_t record) const;
    // The pay-table cell an entry's amount comes from; nothing for an entry without one.
    std::optional<TariffCellOrigin> originOf(int32_t record, int entry) const;
    // Writes records 1 up to the highest record set (gaps as zeros), replacing the file.
    void writeTo(const std::filesystem::path& path) const;

  private:
    std::map<int32_t, TariffRow> rows_;
    std::map<std::pair<int32_t, int>, std::string> setBy_;
    std::map<std::pair<int32_t, int>, TariffCellOrigin> origins_;
};

struct TariffSources {
    std::vector<ServiceRelationshipInfo> catalogue;
    std::map<std::string, PayTableInfo> index;
    std::map<std::string, PayTable> tables;

    // Reads data/catalogue/service-relationships.tsv, data/catalogue/pay-tables.tsv and the CSV of every
    // table the index names, below dataDir; checks that every table the catalogue names is known.
    static TariffSources load(const std::filesystem::path& dataDir);
    // The same from the texts of the three kinds of file; csvTexts holds each table's CSV by name.
    static TariffSources fromTexts(const std::string& catalogueTsv, const std::string& indexTsv,
                                   const std::map<std::string, std::string>& csvTexts);
};

TariffImage buildTariffMonth(const TariffSources& sources, int year, int month);

// The years of firstYear to lastYear in which a steps or flat table of the service relationship has a
// cell of the group in a block valid in at least one month of the year. Allowance tables do not count.
std::set<int> yearsWithPayCells(const TariffSources& sources, const ServiceRelationshipInfo& sr,
                                const std::string& group, int firstYear, int lastYear);

// Writes programDir/Tarife/<year><month>.ttt for every month of the years.
void writeTariffFiles(const TariffSources& sources, const std::filesystem::path& programDir, int firstYear,
                      int lastYear);

} // namespace varemo
