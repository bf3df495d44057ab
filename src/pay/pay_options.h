#pragma once
// The option lists of the pay lines, built per service relationship, group, region and year, partly
// from the year's option-text file: line 2 (regions), 3 (offices), 4 (service relationships), 6 (date
// labels), 7, 8 (steps), 9, 10, 12, 13 to 15 (allowances), 25, 26 and 44 to 46 (in-kind and deduction
// entries: the names of the general key-code rules, then the option-text file), 28 (cost centres),
// 29 (denominations) and 32 (old-age relief from a year); line 5 (titles) from the pay group.

#include "model/globaldaten.h"

namespace varemo {

class PayOptionLists : public OptionListSource {
  public:
    explicit PayOptionLists(const Globaldaten& g) : g_(g) {}
    std::optional<std::vector<std::string>> options(const Case& c, int line) const override;

  private:
    const Globaldaten& g_;
};

// Names of the regions 0 to 17 and of the service relationships 0 to 38 (positions 8 and 9 and, with
// the trainee switch, 20 are fixed texts). Empty names where the option-text file has none.
std::vector<std::string> regionNames(const OptionTextFile& texts);
std::vector<std::string> serviceRelationshipNames(const OptionTextFile& texts, bool traineeName);
// Names of the pay groups 0 to 26 of a service relationship (empty where the file has none).
std::vector<std::string> payGroupNames(const OptionTextFile& texts, int serviceRelationship);

// What a teacher's amount (entry 23 of the tariff row) does to the table pay: "Tab.-Entgelt - 64,04 €",
// "Tab.-Entgelt + 30,00 €".
std::string teacherPayText(int32_t cents);

} // namespace varemo
