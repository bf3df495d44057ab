// varemo20-cli tariff show|set|copy|raise|comment: the tariff editor on the data root's tariff files.
//
//   tariff show  --year Y --month M --region R --relationship S [--json]
//       the table: one row per pay group with its record and the 27 entries ("-": no amount)
//   tariff set   --year Y --month M --region R --relationship S --group G --entry K --amount TEXT
//       one amount ("3.142,39"; an empty TEXT removes it)
//   tariff copy  --year Y --from M --to M2 [--region R --relationship S [--group G]]
//       the table (or the record, or without --relationship the whole file) of month M into the months
//       after it up to M2
//   tariff raise --year Y --from M --percent P [--minimum EUR] [--entries K-L]
//                [--region R --relationship S [--group G]]
//       prints what would change and asks (--answer yes writes); --entries limits the raise to entries
//       K to L (the steps of a civil servants' table without its family allowance: 0-14)
//   tariff comment
//       the remarks of Tarife/Kommentar.txt
// set, copy and raise take [--password P], the administrator password asked for while the tariff tables
// are protected. Every change writes all files it touches or none.

#include "app/cli_common.h"
#include "app/cli_storage.h"
#include "app/json_writer.h"
#include "session/guarded.h"
#include "session/tariff_editor.h"
#include "tariffs/tariff_address.h"

#include <iomanip>
#include <iostream>
#include <sstream>
#include <tuple>

namespace varemo::cli {
namespace {

struct TariffArgs {
    int year = 0, month = 0, from = 0, to = 0, region = -1, relationship = -1, group = -1, entry = -1;
    std::optional<std::string> amount, percent, minimum, entries, password;
    bool json = false;
};

void requireIn(int value, int low, int high, const std::string& option) {
    if (value < low || value > high)
        throw UsageError(option + " must be " + std::to_string(low) + " to " + std::to_string(high));
}

TariffArgs readArgs(const std::vector<std::string>& args) {
    TariffArgs a;
    ArgReader r(args);
    r.next(); // the subcommand
    while (r.next()) {
        const std::string& o = r.current();
        if (o == "--year")
            a.year = r.intValue();
        else if (o == "--month")
            a.month = r.intValue();
        else if (o == "--from")
            a.from = r.intValue();
        else if (o == "--to")
            a.to = r.intValue();
        else if (o == "--region")
            a.region = r.intValue();
        else if (o == "--relationship")
            a.relationship = r.intValue();
        else if (o == "--group")
            a.group = r.intValue();
        else if (o == "--entry")
            a.entry = r.intValue();
        else if (o == "--amount")
            a.amount = r.value();
        else if (o == "--percent")
            a.percent = r.value();
        else if (o == "--minimum")
            a.minimum = r.value();
        else if (o == "--entries")
            a.entries = r.value();
        else if (o == "--password")
            a.password = r.value();
        else if (o == "--json")
            a.json = true;
        else
            r.unknown();
    }
    if (args.front() != "comment") requireIn(a.year, kFirstYear, kLastYear, "--year");
    return a;
}

TariffScope scopeOf(const TariffArgs& a, bool tableRequired) {
    if (a.relationship < 0) {
        if (tableRequired) throw UsageError("--region and --relationship are needed");
        if (a.group >= 0) throw UsageError("--group needs --region and --relationship");
        return TariffScope::wholeFile();
    }
    requireIn(a.region, 0, kTariffRegions - 1, "--region");
    requireIn(a.relationship, 0, kServiceRelationships - 1, "--relationship");
    if (!tariffBaseRecord(a.relationship))
        throw UsageError("service relationship " + std::to_string(a.relationship) + " has no tariff table");
    if (a.group >= 0) requireIn(a.group, 0, 26, "--group");
    return TariffScope{a.region, a.relationship, a.group};
}

std::string amountOrDash(const TariffRecord& cells, int k) {
    auto cents = cells.amount(k);
    return cents ? Money::fromCents(*cents).toDisplay() : "-";
}

int show(const TariffEdit& edit, const TariffArgs& a) {
    requireIn(a.month, 1, 12, "--month");
    scopeOf(a, true);
    const auto rows = edit.table(a.month, a.region, a.relationship,
                                 tariffGroupNames(edit.dataRoot(), a.year, a.relationship));
    const std::string file = "Tarife/" + tariffFilePath(edit.dataRoot(), a.year, a.month).filename().string();
    std::ostringstream out;
    if (a.json) {
        out << "{\"year\":" << a.year << ",\"month\":" << a.month << ",\"region\":" << a.region
            << ",\"relationship\":" << a.relationship << ",\"file\":" << jsonString(file) << ",\"rows\":[";
        for (size_t i = 0; i < rows.size(); ++i) {
            out << (i ? "," : "") << "{\"group\":" << rows[i].group
                << ",\"label\":" << jsonString(rows[i].label) << ",\"record\":" << rows[i].record
                << ",\"entries\":[";
            for (int k = 0; k < kTariffEntries; ++k) {
                auto cents = rows[i].cells.amount(k);
                out << (k ? "," : "") << (cents ? std::to_string(*cents) : "null");
            }
            out << "]}";
        }
        out << "]}\n";
    } else {
        out << file << ", Region " << a.region << ", Dienstverhältnis " << a.relationship << "\n";
        if (rows.empty()) out << "Keine Gruppe dieses Dienstverhältnisses hat hier eine Tabelle.\n";
        for (const TariffTableRow& row : rows) {
            out << padded(row.label, 10) << " Satz " << std::setw(5) << row.record;
            for (int k = 0; k < kTariffEntries; ++k)
                if (row.cells.amount(k)) out << "  " << k << ": " << amountOrDash(row.cells, k);
            out << "\n";
        }
    }
    std::cout << out.str();
    return 0;
}

int writeEdit(Session& g, TariffEdit& edit, const TariffArgs& a) {
    switch (writeTariffEdit(g, edit, [&] { return a.password.value_or(""); })) {
    case TariffWriteResult::Written:
        return 0;
    case TariffWriteResult::Nothing:
        std::cout << "Die Tariftabellen bleiben unverändert: es gibt nichts zu ändern.\n";
        return 0;
    case TariffWriteResult::Refused:
        return 1;
    case TariffWriteResult::Failed:
        return 3;
    }
    return 3;
}

} // namespace

int runTariffEdit(CliContext& ctx) {
    const std::string sub = ctx.args.front();
    const TariffArgs a = readArgs(ctx.args);
    Session g(*ctx.prompter);
    if (!startSession(g, ctx)) return 3;
    const auto root = dataRootOf(g);
    if (sub == "comment") {
        const auto text = tariffComment(root);
        if (!text) {
            std::cerr << "[Tariftabellen] Die Datei Tarife/Kommentar.txt ist nicht vorhanden.\n";
            return 3;
        }
        std::cout << *text << (text->empty() || text->back() == '\n' ? "" : "\n");
        return 0;
    }
    TariffEdit edit(root, a.year);
    if (sub == "show") return show(edit, a);
    if (sub == "set") {
        requireIn(a.month, 1, 12, "--month");
        const TariffScope scope = scopeOf(a, true);
        requireIn(scope.group, 0, 26, "--group");
        requireIn(a.entry, 0, kTariffEntries - 1, "--entry");
        if (!a.amount) throw UsageError("set needs --amount");
        const auto records = edit.records(a.month, scope);
        if (records.empty()) throw UsageError("the group has no tariff record");
        edit.setAmount(a.month, records.front(), a.entry, *a.amount);
        return writeEdit(g, edit, a);
    }
    if (sub == "copy") {
        requireIn(a.from, 1, 11, "--from");
        requireIn(a.to, a.from + 1, 12, "--to");
        edit.copy(a.from, a.to, scopeOf(a, false));
        return writeEdit(g, edit, a);
    }
    // raise
    requireIn(a.from, 1, 12, "--from");
    if (!a.percent) throw UsageError("raise needs --percent");
    TariffRaise raise{a.from, parseRaisePercent(*a.percent), parseRaiseMinimum(a.minimum.value_or(""))};
    std::tie(raise.firstEntry, raise.lastEntry) = parseEntryRange(a.entries.value_or(""));
    const auto changes = edit.planRaise(scopeOf(a, false), raise);
    for (const std::string& line : tariffRaiseLines(changes, raise, a.year))
        std::cout << line << "\n";
    if (changes.empty()) return 0;
    if (g.prompter.ask(tariffRaiseQuestion(changes, a.year)) != PromptAnswer::Yes) {
        std::cout << "Die Tariftabellen wurden nicht geändert.\n";
        return 1;
    }
    edit.apply(changes);
    return writeEdit(g, edit, a);
}

} // namespace varemo::cli
