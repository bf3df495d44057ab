// master-data: the master data of a person (personal number, tax ID, birthday, address, bank account)
// in the case's year record of a data set. "get" shows them; "set" changes the values given, checks all
// of them and stores them together, or stores nothing and says why.

#include "app/cli_calculator_input.h"
#include "app/json_writer.h"
#include "session/master_data.h"

#include <iostream>

namespace varemo::cli {

int runMasterData(CliContext& ctx) {
    if (ctx.args.empty() || (ctx.args[0] != "get" && ctx.args[0] != "set"))
        throw UsageError("master-data takes get or set first");
    const bool setting = ctx.args[0] == "set";
    const std::vector<std::string> args(ctx.args.begin() + 1, ctx.args.end());
    CaseMonthSelection sel;
    sel.month = 1; // the year record is the same for every month
    std::vector<std::pair<std::string MasterData::*, std::string>> changes;
    struct Option {
        const char* name;
        const char* jsonKey;
        std::string MasterData::*field;
    };
    const Option kOptions[] = {{"--personal-number", "personalNumber", &MasterData::personalNumber},
                               {"--tax-id", "taxId", &MasterData::taxId},
                               {"--birthday", "birthday", &MasterData::birthday},
                               {"--address1", "address1", &MasterData::address1},
                               {"--address2", "address2", &MasterData::address2},
                               {"--iban", "iban", &MasterData::iban},
                               {"--bic", "bic", &MasterData::bic}};
    ArgReader r(args);
    while (r.next()) {
        if (sel.take(r)) continue;
        const std::string a = r.current();
        bool known = false;
        for (const Option& o : kOptions)
            if (setting && a == o.name) {
                changes.emplace_back(o.field, r.value());
                known = true;
            }
        if (!known) r.unknown();
    }
    sel.validate();

    Session g(*ctx.prompter);
    const int opened = openCaseMonth(g, ctx, sel, false);
    if (opened == kCaseMissing) return 1;
    if (opened == 3) return 3;
    MasterData d = caseMasterData(g, sel.caseNumber);
    if (setting) {
        for (const auto& [field, value] : changes)
            d.*field = value;
        if (!saveMasterData(g, sel.caseNumber, d)) return 1;
        d = caseMasterData(g, sel.caseNumber);
    }
    if (sel.json) {
        std::cout << "{";
        for (const Option& o : kOptions)
            std::cout << jsonString(o.jsonKey) << ":" << jsonString(d.*o.field) << ",";
        std::cout << messagesJson(ctx.prompter->messages()) << "}\n";
        return 0;
    }
    std::cout << "Stammdaten von " << g.workingCase.name << "\n";
    const std::pair<const char*, const std::string*> rows[] = {{"Pers.Nr.", &d.personalNumber},
                                                               {"Steuer-ID", &d.taxId},
                                                               {"Geburtstag", &d.birthday},
                                                               {"Anschrift", &d.address1},
                                                               {"", &d.address2},
                                                               {"IBAN", &d.iban},
                                                               {"BIC", &d.bic}};
    for (const auto& [caption, value] : rows)
        std::cout << padded(caption, 12) << *value << "\n";
    return 0;
}

} // namespace varemo::cli
