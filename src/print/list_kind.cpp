#include "print/list_kind.h"

#include "print/direct_printouts.h"
#include "print/print_kind.h"
#include "print/wage_tax_certificate.h"

#include <stdexcept>

namespace varemo::print {
namespace {

PayrollList payrollList(int kind, Session& g, const ListRequest& r) {
    return buildPayrollList(kind, listFigures(g, r), g.funds, r);
}

template <int Kind> std::vector<ReportTable> payrollTables(Session& g, const ListRequest& r) {
    return reportTablesOf(payrollList(Kind, g, r));
}

template <int Kind>
bool payrollPrintout(Session& g, const ListRequest& r, PrintSurface& s, const PrintOptions& options) {
    const PayrollList list = payrollList(Kind, g, r);
    drawPayrollList(list, s, options);
    return list.notes.empty();
}

template <int Kind>
constexpr ListKindEntry payroll(const char* procedure, const char* title, ListScope scope) {
    return {Kind, procedure, title, scope, payrollTables<Kind>, payrollPrintout<Kind>};
}

std::vector<ReportTable> certificateTables(Session& g, const ListRequest& r) {
    return {wageTaxCertificateTable(wageTaxCertificate(listFigures(g, r).front(), r.year))};
}

std::vector<ReportTable> yearListTables(Session& g, const ListRequest& r) {
    return {yearListTable(listFigures(g, r).front(), r.year)};
}

std::vector<ReportTable> payTableTables(Session& g, const ListRequest& r) {
    return {payTableOf(g, r)};
}

std::vector<ReportTable> fundListTables(Session& g, const ListRequest& r) {
    return {fundListTable(listFigures(g, r), r.month, r.year)};
}

} // namespace

const std::vector<ListKindEntry>& listKinds() {
    static const std::vector<ListKindEntry> kinds = {
        payroll<43>("lstrnachweisdrucken", "Lohnsteuer-Nachweis des Monats", ListScope::Month),
        payroll<44>("jahreslohnsteuernachweis", "Lohnsteuer-Nachweis des Jahres", ListScope::CaseYear),
        {45, "lohnsteuerbescheinigungdrucken", "Lohnsteuerbescheinigung", ListScope::CaseYear,
         certificateTables, lohnsteuerbescheinigungdrucken, Orientation::Portrait},
        payroll<50>("kassedrucken", "Beitragsnachweis des Monats", ListScope::Month),
        payroll<51>("bundesknappschaft", "Beitragsnachweis für Minijobs", ListScope::Month),
        payroll<53>("zvkdrucken", "ZVK-Aufwendungen des Monats", ListScope::Month),
        payroll<54>("zvkjahrdrucken", "ZVK-Aufwendungen des Jahres", ListScope::Year),
        // The window asks for January to the shown month.
        payroll<55>("bundesknappschaftzeitraum", "Beitragsnachweis für Minijobs für einen Zeitraum",
                    ListScope::Period),
        payroll<57>("beitragsjahresnachweis", "Beitragsnachweis des Jahres", ListScope::Year),
        {74, "jahresgehaelterliste", "Jahresliste der Monatsgehälter", ListScope::CaseYear, yearListTables,
         jahresgehaelterliste},
        {75, "kassenliste", "Beitragsliste je Krankenkasse", ListScope::Month, fundListTables, kassenliste},
        {76, "besoldungstabelle", "Besoldungstabelle", ListScope::CaseMonth, payTableTables,
         besoldungstabelle},
    };
    return kinds;
}

const ListKindEntry* findListKind(int kind) {
    for (const ListKindEntry& e : listKinds())
        if (e.kind == kind) return &e;
    return nullptr;
}

ListRequest requestOf(const Session& g, ListScope scope) {
    ListRequest r;
    r.year = g.year;
    r.set = g.dataSet;
    if (scope == ListScope::Month || scope == ListScope::CaseMonth) r.month = g.month();
    if (scope == ListScope::CaseYear || scope == ListScope::CaseMonth) r.caseNumber = g.caseNumber;
    if (scope == ListScope::Period) {
        r.month = 1;
        r.lastMonth = g.month();
    }
    return r;
}

std::vector<CaseYearFigures> listFigures(Session& g, const ListRequest& r) {
    if (r.year != g.year || r.set != g.dataSet)
        throw std::logic_error("a list is asked of the session's year and data set");
    if (r.caseNumber > 0) return {CalculateCaseYear(g, r.caseNumber)};
    return CalculateAllCases(g);
}

} // namespace varemo::print
