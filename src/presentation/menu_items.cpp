#include "presentation/menu_items.h"

#include <cstdio>

namespace varemo {

namespace {
constexpr Availability B = Availability::Built;
constexpr Availability L = Availability::Later;
constexpr Availability O = Availability::OnDemand;
} // namespace

const std::vector<MenuGroup>& menuGroups() {
    static const std::vector<MenuGroup> groups = {
        {'s', "Start/Beenden", "Grundeinstellungen und Programmpflege"},
        {'b', "Tabellen", "Editierbare Tariftabellen, Vorgaben für Sonderzahlungen und Zeitzuschläge"},
        {'a', "Vorgaben", "Vorgaben für SV-Beiträge, Umlagen und Entgeltumwandlungen"},
        {'n', "Drucken", "Druckbefehle für den Druck von Gehaltsberechnungen und Auswertungen"},
        {'p', "Daten", "Personalfälle ordnen oder löschen, Personalfälle ins Folgejahr übertragen"},
        {'v', "Vorschriften", "Links ins Internet zu Vorschriften des Besoldungs- und Tarifrechts"},
        {'i', "Info", "Links ins Internet zur Bedienungsanleitung und Programmbeschreibung,"},
    };
    return groups;
}

const std::vector<MenuItem>& menuItems() {
    static const std::vector<MenuItem> items = {
        {1, 's', "Bedienungsanleitung im Internet", B},
        {2, 's', "Individueller Speicherort der Daten", B},
        {3, 's', "Update vom Server der Dienststelle", B},
        {4, 's', "Update über das Internet", B},
        {5, 's', "Arbeitgeberdaten für die Ausdrucke", B},
        {6, 's', "Farben der Fensterbereiche", B},
        {7, 's', "Druckereinrichtung", B},
        {8, 's', "Texte der Auswahllisten bearbeiten", B},
        {9, 's', "Sicherungskopien der Userdaten", B},
        {10, 's', "Musterfall für neue Personalfälle", B},
        {11, 's', "Speichern und beenden", B},
        {20, 'b', "Übersicht über die Tariftabellen", B},
        {21, 'b', "Regelmäßige Wochenarbeitszeit", B},
        {22, 'b', "Sonderzahlung der Beamten je Land", B},
        {23, 'b', "Jahressonderzahlung je Entgeltgruppe", B},
        {24, 'b', "Weihnachtsgeld (BAT, MT-Arb)", B},
        {25, 'b', "Stundensätze der Zeitzuschläge (Zeilen 16, 17)", B},
        {27, 'b', "Schlüssel der Sachbezüge (Zeilen 25, 26)", B},
        {28, 'b', "Vorgaben für das Kindergeld", B},
        {29, 'b', "Mindestnettobetrag bei Altersteilzeit", B},
        {40, 'a', "Schlüssel der Einbehalte (Zeilen 44 bis 46)", B},
        {41, 'a', "Kirchensteuer", B},
        {42, 'a', "Krankenkassen und Umlagen U1, U2, Insolvenz", B},
        {43, 'a', "Sozialversicherung (Beitragsbemessungsgrenzen)", B},
        {44, 'a', "Betriebliche Altersvorsorge (VBL, ZVK, ATV)", B},
        {45, 'a', "Pensionsumlage bzw. Versorgungsrücklage", B},
        {30, 'n', "Jahresübersicht: Monatsgehälter", B},
        {31, 'n', "Jahresübersicht: Arbeitgeberaufwand", B},
        {32, 'n', "Jahresübersicht: Monatsgehälter und Arbeitgeberaufwand", B},
        {33, 'n', "Jahresübersicht: Kontrolle der Einstellungen", B},
        {34, 'n', "Kostenstellen: Monatsgehälter aller Personalfälle", B},
        {50, 'n', "Beitragsnachweis des Monats", B},
        {51, 'n', "Beitragsnachweis für einen Zeitraum", B},
        {52, 'n', "Nachweis für Minijobs des Monats", B},
        {53, 'n', "Nachweis für Minijobs für einen Zeitraum", B},
        {54, 'n', "Lohnsteuer-Anmeldung des Monats", B},
        {55, 'n', "Lohnsteuer-Anmeldung für einen Zeitraum", B},
        {56, 'n', "Umlagenachweis Zusatzversorgung des Monats", B},
        {57, 'n', "Umlagenachweis Zusatzversorgung für einen Zeitraum", B},
        {60, 'p', "Alle Fälle neu durchrechnen", B},
        {61, 'p', "Übernahme der Personalfälle aus der Vorversion", B},
        {62, 'p', "Alle Personalfälle von 2017 nach 2018", B},
        {63, 'p', "Alle Personalfälle von 2018 nach 2019", B},
        {64, 'p', "Alle Personalfälle von 2019 nach 2020", B},
        {65, 'p', "Alle Personalfälle von 2020 nach 2021", B},
        {66, 'p', "Alle Personalfälle 2017 löschen", B},
        {67, 'p', "Alle Personalfälle 2018 löschen", B},
        {68, 'p', "Alle Personalfälle 2019 löschen", B},
        {69, 'p', "Alle Personalfälle 2020 löschen", B},
        {70, 'p', "Alle Personalfälle 2021 löschen", B},
        {71, 'p', "Export von Personalfällen", O},
        {72, 'p', "Import von Personalfällen", O},
        {74, 'p', "Einzelne Personalfälle löschen und ordnen", B},
        {80, 'v', "Beamtenrecht", B},
        {81, 'v', "Besoldungsgesetze", B},
        {82, 'v', "Besoldungstabellen", B},
        {83, 'v', "Tarifverträge des Bundes und der Kommunen", B},
        {84, 'v', "Tarifverträge der Länder", B},
        {85, 'v', "Entgelttabellen", B},
        {86, 'v', "Sozialgesetzbücher", B},
        {87, 'v', "Steuergesetze", B},
        {88, 'v', "Geringfügige Beschäftigung", B},
        {89, 'v', "Weitere Vorschriften", B},
        {90, 'i', "Bedienungsanleitung", B},
        {91, 'i', "Programmbeschreibung", B},
        {92, 'i', "Anleitung für Bildschirmfotos", B},
        {93, 'i', "Kontakt", B},
        {94, 'i', "Häufige Fragen", B},
        {95, 'i', "Neuerungen der Version", B},
        {96, 'i', "Service", B},
        {97, 'i', "Erläuterungstexte", O},
    };
    return items;
}

const std::vector<FunctionButton>& functionButtons() {
    static const std::vector<FunctionButton> buttons = {
        {1, "User", "Auswahl und Verwaltung der User", B},
        {2, "Größe", "Schaltet das Fenster zwischen eigener Größe und Vollbild um", B},
        {3, "Farbe", "Druckt den bereinigten Bildschirm in Farbe", B},
        {4, "S/W", "Druckt den bereinigten Bildschirm schwarz-weiß", B},
        {5, "Br+AG", "Druckt die Berechnung mit Bruttogehalt und Arbeitgeberkosten", B},
        {6, "Br/Ne", "Druckt die Berechnung brutto und netto", B},
        {7, "BrNeAG", "Druckt die Berechnung brutto und netto mit Arbeitgeberkosten", B},
        {8, "Anlage", "Druckt die Anlage mit den Abzügen im Einzelnen", B},
        {9, "Serie", "Seriendruck: ein Beschäftigter alle Monate, ein Monat alle Beschäftigten", B},
        {10, "Kalend.", "Öffnet und schließt den Kalender mit Merkzeichen je Personalfall", O},
        {11, "Rechner", "Öffnet und schließt den Taschenrechner", B},
        {12, "Links", "Links ins Internet zu Gesetzen und Diensten", B},
        {13, "Vergl.", "Vergleich von Berechnungen verschiedener Zeiträume", B},
        {14, "Muster", "Die aktuelle Berechnung wird Muster für neue Personalfälle", B},
        {15, "Ordnen", "Ordnet die Namen der Liste der Personalfälle", B},
        {16, "Urlaub", "Urlaubstage bei Teilzeit", B},
        {17, "Jubil.", "Beginn des Jubiläumsdienstalters", B},
        {18, "Minij.", "Sozialversicherungspflicht bei mehreren geringfügigen Beschäftigungen", B},
        {19, "BMF", "Link zum Lohnsteuerrechner des Bundes", B},
        {20, "Folgem.", "Schaltet die automatische Berechnung der Folgemonate bis Dezember aus und ein", B},
        {21, "Folgej.", "Überträgt den Personalfall in das Folgejahr", B},
        {22, "Merkf.", "Merkfeld für einen Betrag", B},
        {23, "f23", "Reserve", O},
        {24, "§ 108", "Entgeltbescheinigung nach § 108 GewO mit Vorschau", B},
    };
    return buttons;
}

std::optional<MenuItem> findMenuItem(int code) {
    for (const auto& item : menuItems())
        if (item.code == code) return item;
    return std::nullopt;
}

std::optional<FunctionButton> findFunctionButton(int code) {
    for (const auto& b : functionButtons())
        if (b.code == code) return b;
    return std::nullopt;
}

std::string codeText(char letter, int number) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%c%02d", letter, number % 100);
    return buffer;
}

PromptMessage unavailableMessage(Availability availability) {
    if (availability == Availability::OnDemand)
        return PromptMessage{
            PromptIcon::Information,
            "Interesse?",
            {"Diese Funktion sollte entwickelt werden, wenn genügend Interesse daran bekundet "
             "wird. Dies war bisher nicht der Fall."},
            PromptButtons::Ok};
    return PromptMessage{PromptIcon::Information,
                         "Sorry",
                         {"Die nun benötigte Funktion funktioniert noch nicht gefahrlos",
                          "und wurde deshalb noch nicht ins Programm aufgenommen.",
                          "Bitte gedulden Sie sich noch etwas."},
                         PromptButtons::Ok};
}

PromptMessage yearSalaryMenuRefusal() {
    return PromptMessage{
        PromptIcon::Information,
        "Jahresgehalt ändern",
        {"Während das JAHRESGEHALT eingestellt ist, können keine Änderungen vorgenommen werden. "
         "Bitte stellen Sie ein Monatsgehalt ein."},
        PromptButtons::Ok};
}

} // namespace varemo
