// varemo20-cli tariff and catalogue: the row a case reads from the month's tariff file, and the
// catalogue of service relationships the shipped tables were built from.
//
//   tariff --year Y --month M --region R --relationship S --group G [--title T] [--json]
//       the record number (after the exceptions of the addressing) and its 27 entries (after the row
//       adjustment, which depends on the title option T of line 5); an entry the table has no amount
//       for reads "kein Betrag" (in the JSON: 0 in "entries" and false in "hasAmount"). Beside each
//       amount: the shipped pay table and block it comes from, or that it was changed or typed in
//       after shipping (in the JSON "sources", null where the shipped tables have no cell)
//   catalogue [--json]

#include "app/cli_catalogue.h"
#include "app/cli_common.h"
#include "app/json_writer.h"
#include "base/money.h"
#include "tariffs/tariff_address.h"
#include "tariffs/tariff_sources.h"

#include <iomanip>
#include <iostream>
#include <sstream>

namespace varemo::cli {
namespace {

void requireRange(int value, int low, int high, const std::string& option) {
    if (value < low || value > high)
        throw UsageError(option + " must be " + std::to_string(low) + " to " + std::to_string(high));
}

std::string kindName(ServiceKind kind) {
    switch (kind) {
    case ServiceKind::CivilServant:
        return "civil";
    case ServiceKind::Employee:
        return "employee";
    case ServiceKind::None:
        return "none";
    }
    return "none";
}

std::string joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i)
        out += (i ? separator : "") + parts[i];
    return out;
}

// "tvl.csv, Block ab 2021-01, E9a Stufe 1"
std::string originText(const TariffCellOrigin& origin) {
    std::string out = origin.table + ", Block ab " + tariffMonthText(origin.validFrom) + ", ";
    if (origin.step < 0) return out + "Familienzuschlag";
    out += origin.group;
    if (origin.step > 0) out += " Stufe " + std::to_string(origin.step);
    return out;
}

// What the file holds at an entry against what the shipped tables put there.
std::string sourceText(const TariffImage& shipped, int32_t record, size_t entry, int32_t fileCents) {
    const auto origin = shipped.originOf(record, static_cast<int>(entry));
    if (!origin) return "nicht aus den ausgelieferten Tabellen";
    const int32_t shippedCents = shipped.row(record)[entry];
    if (shippedCents == fileCents) return originText(*origin);
    return "geändert, ausgeliefert " + Money::fromCents(shippedCents).toDisplay() + " aus " +
           originText(*origin);
}

std::string sourceJson(const TariffImage& shipped, int32_t record, size_t entry) {
    const auto origin = shipped.originOf(record, static_cast<int>(entry));
    if (!origin) return "null";
    return "{\"table\":" + jsonString(origin->table) +
           ",\"block\":" + jsonString(tariffMonthText(origin->validFrom)) +
           ",\"group\":" + jsonString(origin->group) + ",\"step\":" + std::to_string(origin->step) +
           ",\"shippedCents\":" + std::to_string(shipped.row(record)[entry]) + "}";
}

std::string jsonStrings(const std::vector<std::string>& parts) {
    std::string out = "[";
    for (size_t i = 0; i < parts.size(); ++i)
        out += (i ? "," : "") + jsonString(parts[i]);
    return out + "]";
}

} // namespace

int runTariff(CliContext& ctx) {
    if (!ctx.args.empty()) {
        const std::string& sub = ctx.args.front();
        if (sub == "show" || sub == "set" || sub == "copy" || sub == "raise" || sub == "comment")
            return runTariffEdit(ctx);
    }
    int year = 0, month = 0, region = -1, relationship = -1, group = -1, title = 0;
    bool json = false;
    ArgReader r(ctx.args);
    while (r.next()) {
        const std::string& a = r.current();
        if (a == "--year")
            year = r.intValue();
        else if (a == "--month")
            month = r.intValue();
        else if (a == "--region")
            region = r.intValue();
        else if (a == "--relationship")
            relationship = r.intValue();
        else if (a == "--group")
            group = r.intValue();
        else if (a == "--title")
            title = r.intValue();
        else if (a == "--json")
            json = true;
        else
            r.unknown();
    }
    requireRange(year, kFirstYear, kLastYear, "--year");
    requireRange(month, 1, 12, "--month");
    requireRange(region, 0, kTariffRegions - 1, "--region");
    requireRange(relationship, 0, kServiceRelationships - 1, "--relationship");
    requireRange(group, 0, 26, "--group");
    requireRange(title, 0, 70, "--title");

    TariffYear tables(ctx.programDir, year);
    const auto path = tariffFilePath(ctx.programDir, year, month);
    if (!tables.hasTables()) {
        std::cerr << "varemo20-cli: no tariff tables for " << year << ": "
                  << tariffFilePath(ctx.programDir, year, 1).string() << " is missing\n";
        return 3;
    }
    auto record = tariffRecordNumber(region, relationship, group, year, month, 0);
    const TariffRecord cells = record ? tables.readRecord(month, *record) : TariffRecord{};
    TariffRow row = cells.row;
    adjustTariffRow(row, relationship, title);
    const std::string file = "Tarife/" + path.filename().string();
    const TariffImage shipped = buildTariffMonth(shippedTariffSources(), year, month);

    if (json) {
        std::ostringstream out;
        out << "{\"year\":" << year << ",\"month\":" << month << ",\"region\":" << region
            << ",\"relationship\":" << relationship << ",\"group\":" << group << ",\"title\":" << title
            << ",\"file\":" << jsonString(file)
            << ",\"record\":" << (record ? std::to_string(*record) : "null") << ",\"entries\":[";
        for (size_t k = 0; k < row.size(); ++k)
            out << (k ? "," : "") << row[k];
        out << "],\"hasAmount\":[";
        for (size_t k = 0; k < row.size(); ++k)
            out << (k ? "," : "") << (cells.hasAmount.test(k) ? "true" : "false");
        out << "],\"sources\":[";
        for (size_t k = 0; k < row.size(); ++k)
            out << (k ? "," : "") << (record ? sourceJson(shipped, *record, k) : "null");
        out << "]}\n";
        std::cout << out.str();
        return 0;
    }
    std::cout << file << ", Region " << region << ", Dienstverhältnis " << relationship << ", Gruppe "
              << group;
    if (!record) {
        std::cout << ": kein Tarifsatz\n";
        return 0;
    }
    std::cout << ", Satz " << *record << "\n";
    for (size_t k = 0; k < row.size(); ++k) {
        std::cout << std::setw(4) << k << std::setw(16)
                  << (cells.hasAmount.test(k) ? Money::fromCents(row[k]).toDisplay() : "kein Betrag");
        if (cells.hasAmount.test(k)) std::cout << "  " << sourceText(shipped, *record, k, cells.row[k]);
        std::cout << "\n";
    }
    return 0;
}

int runCatalogue(CliContext& ctx) {
    bool json = false;
    ArgReader r(ctx.args);
    while (r.next()) {
        if (r.current() == "--json")
            json = true;
        else
            r.unknown();
    }
    const auto& catalogue = shippedCatalogue();
    if (json) {
        std::ostringstream out;
        out << "[";
        for (size_t i = 0; i < catalogue.size(); ++i) {
            const auto& sr = catalogue[i];
            out << (i ? "," : "") << "{\"code\":" << sr.code << ",\"name\":" << jsonString(sr.name)
                << ",\"kind\":" << jsonString(kindName(sr.kind)) << ",\"tables\":" << jsonStrings(sr.tables)
                << ",\"groups\":" << jsonStrings(sr.groups) << "}";
        }
        out << "]\n";
        std::cout << out.str();
        return 0;
    }
    for (const auto& sr : catalogue) {
        std::cout << std::setw(2) << sr.code << "  " << sr.name << " (" << kindName(sr.kind) << ")";
        if (!sr.tables.empty()) std::cout << "  Tabellen: " << joined(sr.tables, ", ");
        if (!sr.groups.empty()) std::cout << "  Gruppen: " << joined(sr.groups, " ");
        std::cout << "\n";
    }
    return 0;
}

} // namespace varemo::cli
