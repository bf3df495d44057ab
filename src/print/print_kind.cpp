#include "print/print_kind.h"

#include "print/calculator_printouts.h"
#include "print/direct_printouts.h"
#include "print/list_kind.h"
#include "print/partial_retirement_printouts.h"
#include "print/salary_printout.h"
#include "print/year_view_printout.h"

#include <algorithm>

namespace varemo::print {
namespace {

void runListKind(int kind, Session& g, PrintSurface& s, const PrintOptions& options) {
    const ListKindEntry* list = findListKind(kind);
    (void)list->print(g, requestOf(g, list->scope), s, options); // the printout names what is missing
}

std::vector<PrintKindEntry> withLists(std::vector<PrintKindEntry> kinds) {
    // A monthly list (or one up to the shown month) is of the shown month, which the year salary is not.
    for (const ListKindEntry& e : listKinds())
        kinds.push_back({e.kind, e.procedure, e.title, e.orientation,
                         e.scope != ListScope::Year && e.scope != ListScope::CaseYear, nullptr, runListKind});
    std::sort(kinds.begin(), kinds.end(), [](const auto& a, const auto& b) { return a.kind < b.kind; });
    return kinds;
}

} // namespace

const std::vector<PrintKindEntry>& printKinds() {
    static const std::vector<PrintKindEntry> kinds = withLists({
        {11, "bruttonetto", "Gehaltsberechnung brutto und netto", Orientation::Portrait, false, bruttonetto},
        {12, "bruttonettoAG", "Gehaltsberechnung brutto und netto mit Arbeitgeberaufwand",
         Orientation::Portrait, true, bruttonettoAG},
        {13, "ZVKlstsoz", "Zusatzversorgung: Steuer und Sozialversicherung", Orientation::Portrait, false,
         ZVKlstsoz},
        {16, "bruttodrucken", "Gehaltsberechnung brutto mit Arbeitgeberaufwand", Orientation::Portrait, true,
         bruttodrucken},
        {20, "teilzeit", "Teilzeit-Rechner", Orientation::Portrait, false, teilzeit},
        {21, "anlage", "Anlage zur Gehaltsberechnung", Orientation::Portrait, true, anlage},
        {22, "bescheinigung", "Entgeltbescheinigung nach § 108 GewO", Orientation::Portrait, true,
         bescheinigung},
        {25, "ZVKlstsoz", "Zusatzversorgung: Steuer und Sozialversicherung", Orientation::Portrait, false,
         ZVKlstsoz},
        {kPartialRetirementSheet, "atzberechnung", "Berechnung des Altersteilzeitgehalts",
         Orientation::Portrait, true, atzberechnung},
        {kPartialRetirementSupplement, "atzbeamte",
         "Berechnung des Aufstockungsbetrags bei Altersteilzeitarbeit", Orientation::Portrait, true,
         atzbeamte},
        {kPartialRetirementLetter, "atzschreiben", "Berechnung des Gehalts bei Altersteilzeitarbeit",
         Orientation::Portrait, true, atzschreiben},
        {kWorkingTimeAccount, "FlexTV", "Berechnung des ATZ-Gehalts", Orientation::Portrait, true, FlexTV},
        {39, "AG_Übersicht2", "Monatsgehälter und Arbeitgeberaufwand", Orientation::Landscape, false,
         AG_Uebersicht2},
        {40, "ansicht", "Monatsgehälter", Orientation::Landscape, false, ansicht},
        {41, "agsicht", "Arbeitgeberaufwand", Orientation::Landscape, false, agsicht},
        {49, "kontrolledrucken2", "Kontrolle der Einstellungen", Orientation::Landscape, false,
         kontrolledrucken2},
        {kVacationCalculation, "urlaubsberechnung", "Berechnung des Urlaubsanspruchs", Orientation::Portrait,
         false, urlaubsberechnung},
        {kJubileeNotice, "jdabescheid", "Festsetzung des Beginns des Jubiläumsdienstalters",
         Orientation::Portrait, false, jdabescheid},
        {kEmploymentTime, "DruckBeschäftigung", "Bescheinigung der Beschäftigungszeit", Orientation::Portrait,
         false, DruckBeschaeftigung},
        {kPromotion, "hoehergruppierung", "Höhergruppierung", Orientation::Portrait, false,
         hoehergruppierung},
        {kStepDurationLetter, "druckstufenlaufzeit", "Stufenlaufzeit", Orientation::Portrait, false,
         druckstufenlaufzeit},
        {kServiceAgeCalculation, "bdaberechnung", "Berechnung des Besoldungsdienstalters (BDA)",
         Orientation::Portrait, false, bdaberechnung},
        {kServiceAgeNotice, "bdabescheid", "Festsetzung des Besoldungsdienstalters", Orientation::Portrait,
         false, bdabescheid},
        // The working times are kept per month; the year salary has none.
        {kLeaveStatement, "arbeitszeitdruck", "Auskunft über den bisher erworbenen Urlaubsanspruch",
         Orientation::Portrait, true, arbeitszeitdruck},
        {kWorkingTimes, "zeiterfassung", "Arbeitszeiten", Orientation::Landscape, true, zeiterfassung},
        {70, "steuerblatt", "Berechnung der Steuerabzüge", Orientation::Portrait, true, steuerblatt},
        {71, "versicherungsblatt", "Berechnung der Sozialversicherungsbeiträge", Orientation::Portrait, true,
         versicherungsblatt},
        {72, "jahresausgleichdrucken", "Lohnsteuer-Jahresausgleich", Orientation::Portrait, true,
         jahresausgleichdrucken},
        {73, "versicherungspflicht", "Versicherungspflicht in der Krankenversicherung", Orientation::Portrait,
         true, versicherungspflicht},
    });
    return kinds;
}

const PrintKindEntry* findPrintKind(int kind) {
    for (const PrintKindEntry& e : printKinds())
        if (e.kind == kind) return &e;
    return nullptr;
}

std::optional<PromptMessage> yearSalaryRefusal(const Session& g, int kind) {
    const PrintKindEntry* entry = findPrintKind(kind);

    if (!entry || !entry->singleMonthOnly || !g.showsYearSalary()) return std::nullopt;
    if (kind == 22)
        return PromptMessage{PromptIcon::Information,
                             "Nicht für das Jahresgehalt",
                             {"Die Entgeltbescheinigung steht nur für Monatsgehälter zur Verfügung."},
                             PromptButtons::Ok};
    return PromptMessage{
        PromptIcon::Information,
        "Nicht für das Jahresgehalt",
        {"Nicht für das Jahresgehalt.", "Diese Funktion steht nur für die einzelnen Monate zur Verfügung."},
        PromptButtons::Ok};
}

bool runPrintKind(int kind, Session& g, PrintSurface& s, const PrintOptions& options) {
    const PrintKindEntry* entry = findPrintKind(kind);
    if (!entry) return false;
    s.setOrientation(entry->orientation);
    if (entry->runList)
        entry->runList(kind, g, s, options);
    else
        entry->run(g, s, options);
    return true;
}

} // namespace varemo::print
