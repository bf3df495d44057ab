#include "presentation/panel_views.h"

#include "deductions/kind_lists.h"
#include "law/tax_worksheet.h"
#include "pay/part_time.h"
#include "persistence/case_files.h"
#include "persistence/year_record.h"
#include "presentation/sheet_view.h"
#include "tariffs/tariff_address.h"
#include "tariffs/tariff_file.h"

namespace varemo {

namespace {

std::string monthText(const Globaldaten& g) {
    std::string m = std::to_string(g.month());
    return (m.size() < 2 ? "0" + m : m) + "/" + std::to_string(g.year);
}

} // namespace

PanelTable taxWorksheetTable(const Globaldaten& g) {
    const TaxWorksheet& w = g.tax.worksheet;
    // The captions carry their step numbers ("1.  BRUTTOGEHALT").
    PanelTable t{TaxWorksheet::kTitle, {"Bezeichnung", "Betrag"}, {}, {}};
    for (int step = 1; step <= TaxWorksheet::kSteps; ++step) {
        if (step == 22) t.rows.push_back({TaxWorksheet::kOneTimeHeading, ""});
        t.rows.push_back({w.label(step), w.amount(step).toDisplay()});
    }
    t.notes.push_back("Personalfall " + std::to_string(g.caseNumber) + ", Monat " + monthText(g));
    return t;
}

PanelTable socialInsuranceTable(const Globaldaten& g) {
    const SocialInsuranceWorksheet& w = g.social.worksheet;
    PanelTable t{"Berechnung der Sozialversicherungsbeiträge",
                 {"Zweig", "Bemessungsgrundlage", "Satz AN", "Beitrag AN", "Satz AG", "Beitrag AG"},
                 {},
                 {}};
    t.notes.push_back("Personalfall " + std::to_string(g.caseNumber) + ", Monat " + monthText(g));
    if (!w.computed) {
        // A worksheet the run has not filled is said to be missing, not shown as zeros.
        t.notes.push_back("Für diesen Monat wurden keine Sozialversicherungsbeiträge berechnet.");
        return t;
    }
    const std::pair<const char*, const BranchResult*> branches[] = {
        {"Krankenversicherung", &w.kv}, {"KV-Zusatzbeitrag", &w.kvAdditional}, {"Pflegeversicherung", &w.pv},
        {"Rentenversicherung", &w.rv},  {"Arbeitslosenversicherung", &w.av},
    };
    for (const auto& [name, b] : branches)
        t.rows.push_back({name, b->base.toDisplay(), formatRate(b->employeeRate), b->employee.toDisplay(),
                          formatRate(b->employerRate), b->employer.toDisplay()});
    t.rows.push_back({"Summe", "", "", w.employeeTotal().toDisplay(), "", w.employerTotal().toDisplay()});
    t.notes.push_back("SV-pflichtiges laufendes Entgelt: " + w.regularPay.toDisplay() +
                      ", SV-pflichtige Einmalzahlungen: " + w.oneTimePay.toDisplay() +
                      ", SV-Tage: " + std::to_string(w.svDays) +
                      (w.region == Region::East ? ", Rechtskreis Ost" : ", Rechtskreis West"));
    if (w.zone)
        t.notes.push_back("Gleitzone bis " + w.zoneUpperBound.toDisplay() +
                          ", beitragspflichtige Einnahme (BE) " + w.zoneBase.toDisplay());
    return t;
}

PanelTable partTimeTable(const Globaldaten& g) {
    const PartTimeExplanation e = explainPartTime(g);
    PanelTable t{
        PartTimeExplanation::kTitle, {"Zeile", "Bezeichnung", "Vollzeit", "Faktor", "Teilzeit"}, {}, {}};
    for (const PartTimeRow& r : e.rows)
        t.rows.push_back(
            {std::to_string(r.line), r.text, r.full.toDisplay(), r.factor, r.partTime.toDisplay()});
    for (size_t i = 0; i < e.localAllowance.size(); ++i)
        t.rows.push_back({"", e.localAllowance[i].first, "", "",
                          i == 0 ? std::string() : e.localAllowance[i].second.toDisplay()});
    t.rows.push_back({"", PartTimeExplanation::kTotalLabel, "", "", e.total.toDisplay()});
    for (const ReductionRow& r : reductionOverview(g))
        t.notes.push_back(r.label + " " + r.factor + " " + r.amount.toDisplay());
    return t;
}

AnnualEarningsInput annualEarningsDefaults(const Globaldaten& g) {
    AnnualEarningsInput in;
    in.supplementaryPensionPart = g.pension.svAddedPay;
    return in;
}

PanelTable annualEarningsTable(const AnnualEarningsCheck& c) {
    PanelTable t{c.heading, {"Zeile", "Bezeichnung", "Betrag", "Multiplikator", "Jahresbetrag"}, {}, {}};
    for (const AnnualEarningsRow& r : c.rows)
        t.rows.push_back({r.line > 0 ? std::to_string(r.line) : std::string(), r.text, r.amount.toDisplay(),
                          std::to_string(r.multiplier), r.annual.toDisplay()});
    t.rows.push_back({"", c.totalText, "", "", c.total.toDisplay()});
    t.rows.push_back({"", c.limitText, "", "", c.limit.toDisplay()});
    t.notes.push_back(c.verdict);
    for (const std::string& n : c.notes)
        t.notes.push_back(n);
    t.notes.push_back(c.legalReference);
    return t;
}

PanelTable tariffOverviewTable(Session& g) {
    PanelTable t{"Übersicht über den Inhalt der Tariftabellen", {"Gruppe"}, {}, {}};
    for (size_t k = 0; k < std::tuple_size_v<TariffRow>; ++k)
        t.headers.push_back(std::to_string(k));
    const int month = g.showsYearSalary() ? 1 : g.month();
    const Case& c = g.workingCase;
    const std::string file =
        "Tarife/" + tariffFilePath(g.dataRootOrProgram(), g.year, month).filename().string();
    t.notes.push_back(file + ": " + g.sheet.line(2).text + ", " + g.sheet.line(4).text);
    if (!g.tariffs.hasTables()) {
        t.notes.push_back("Für " + std::to_string(g.year) + " sind keine Tariftabellen vorhanden.");
        return t;
    }
    if (!tariffBaseRecord(c.serviceRelationship())) {
        t.notes.push_back("Für dieses Dienstverhältnis gibt es keine Tariftabellen.");
        return t;
    }
    const std::vector<std::string> groups = payGroupEntries(g);
    for (size_t group = 0; group < groups.size(); ++group) {
        auto record = tariffRecordNumber(c.region(), c.serviceRelationship(), static_cast<int>(group), g.year,
                                         month, 0);
        if (!record) continue;
        const TariffRecord cells = g.tariffs.readRecord(month, *record);
        if (cells.hasAmount.none()) continue; // a record of zeros: the group has no table
        std::vector<std::string> row{groups[group]};
        for (size_t k = 0; k < cells.row.size(); ++k)
            row.push_back(cells.hasAmount.test(k) ? Money::fromCents(cells.row[k]).toDisplay() : "-");
        t.rows.push_back(std::move(row));
    }
    t.notes.push_back("Die Einträge 0 bis 26 sind die Beträge des Tarifsatzes; welche Stufe oder Zulage ein "
                      "Eintrag ist, hängt vom Dienstverhältnis ab.");
    return t;
}

PanelTable yearComparisonTable(const Session& g) {
    static const char* const kMonths[] = {"Januar",    "Februar", "März",     "April",
                                          "Mai",       "Juni",    "Juli",     "August",
                                          "September", "Oktober", "November", "Dezember"};
    const int set = static_cast<int>(g.dataSet);
    PanelTable t{"Vergleiche A", {"Monat"}, {}, {}};
    std::vector<std::optional<YearRecord>> years;
    for (int y = kFirstYear; y <= kLastYear; ++y) {
        t.headers.push_back("Brutto " + std::to_string(y));
        t.headers.push_back("Netto " + std::to_string(y));
        RecordBuffer r =
            readRecordIfExists(findFileIgnoringCase(g.userFolder, caseFileName(y, g.dataSet, 13)),
                               kYearRecordLength, g.caseNumber);
        if (r.allZero()) {
            years.push_back(std::nullopt);
            t.notes.push_back(std::to_string(y) + ": kein Personalfall " + std::to_string(g.caseNumber) +
                              " in " + dataSetName(g.dataSet));
        } else {
            years.emplace_back(YearRecord(r));
        }
    }
    auto cell = [](const std::optional<YearRecord>& y, auto value) -> std::string {
        return y ? Money::fromCents(value(*y)).toDisplay() : "-";
    };
    for (int m = 0; m < 12; ++m) {
        std::vector<std::string> row{kMonths[m]};
        for (const auto& y : years)
            for (int v = 0; v < 2; ++v)
                row.push_back(cell(y, [&](const YearRecord& r) { return r.monthValue(m, set, v); }));
        t.rows.push_back(std::move(row));
    }
    std::vector<std::string> sum{"Summe"};
    for (const auto& y : years)
        for (int v = 0; v < 2; ++v) {
            int64_t total = 0;
            if (y)
                for (int m = 0; m < 12; ++m)
                    total += y->monthValue(m, set, v);
            sum.push_back(y ? Money::fromCents(total).toDisplay() : "-");
        }
    t.rows.push_back(std::move(sum));
    std::vector<std::string> names{"Name"};
    for (const auto& y : years) {
        names.push_back(y ? y->name() : "-");
        names.push_back("");
    }
    t.rows.insert(t.rows.begin(), std::move(names));
    t.notes.insert(t.notes.begin(), "Personalfall " + std::to_string(g.caseNumber) + " in " +
                                        dataSetName(g.dataSet) +
                                        ", Beträge der Zeilen 23 (Brutto) und 47 (Netto) in Euro");
    return t;
}

std::string employmentClassText(EmploymentClass c) {
    switch (c) {
    case EmploymentClass::None:
        return "keine";
    case EmploymentClass::Regular:
        return "versicherungspflichtig";
    case EmploymentClass::LowWageZone:
        return "Gleitzone";
    case EmploymentClass::MiniJob:
        return "entgeltgeringfügig (Minijob)";
    case EmploymentClass::Household:
        return "Minijob im Privathaushalt";
    case EmploymentClass::ShortTerm:
        return "zeitgeringfügig (kurzfristig)";
    }
    return "";
}

SvFormInput svFormDefaults(const Globaldaten& g) {
    SvFormInput in;
    in.year = g.year;
    in.monthIndex = g.showsYearSalary() ? 0 : g.month() - 1;
    in.hasMainEmployment = true;
    // The case's own employment starts as the main one, with its pay subject to contributions.
    if (g.social.worksheet.computed) in.mainPay = g.social.worksheet.regularPay;
    return in;
}

PanelTable svClassificationTable(Globaldaten& g, const SvFormInput& in) {
    const SvFormResult r = classifyEmployments(in);
    PanelTable t{"Sozialversicherungspflicht bei mehreren geringfügigen Beschäftigungen",
                 {"Beschäftigung", "Entgelt", "Beurteilung"},
                 {},
                 {}};
    if (in.hasMainEmployment)
        t.rows.push_back({"HAUPTBESCHÄFTIGUNG", in.mainPay.toDisplay(), employmentClassText(r.mainClass)});
    for (size_t i = 0; i < in.miniJobPays.size(); ++i)
        t.rows.push_back({"Geringfügige Beschäftigung " + std::to_string(i + 1),
                          in.miniJobPays[i].toDisplay(),
                          i < r.miniJobClasses.size() ? employmentClassText(r.miniJobClasses[i]) : ""});
    if (in.shortTermChecked && r.mainClass == EmploymentClass::ShortTerm && !in.hasMainEmployment)
        t.rows.push_back({"Beschäftigung", "", employmentClassText(r.mainClass)});
    t.rows.push_back({"Maßgebendes Entgelt", r.combinedPay.toDisplay(), ""});

    EmploymentClass own = r.mainClass;
    if (!in.hasMainEmployment && !r.miniJobClasses.empty() && own == EmploymentClass::None)
        own = r.miniJobClasses.front();
    if (own != EmploymentClass::None) {
        const ContributionKinds k = kindsForClass(own, in.rvExempt);
        const std::pair<int, int> lines[] = {{37, k.kv}, {38, k.pv}, {39, k.rv}, {40, k.av}};
        for (const auto& [line, position] : lines) {
            const std::vector<std::string> list = contributionKindList(g, line);
            t.rows.push_back({"Zeile " + std::to_string(line), "",
                              position >= 0 && position < static_cast<int>(list.size())
                                  ? list[static_cast<size_t>(position)]
                                  : "Listenposition " + std::to_string(position)});
        }
    }
    t.notes = r.messages;
    return t;
}

} // namespace varemo
