#pragma once
// The user's settings of a year as named values: what the panels show and what the command line's
// `settings` lists, reads and changes. Every value has a name, its meaning, the file that keeps it and
// the panel that edits it; it is shown and entered as text ("102,50", "4.837,50", "ja").
//
// Names: multiplikator.beamte, multiplikator.beamte.ab, multiplikator.tarif, multiplikator.tarif.ab,
// familienzuschlag.berechnen, auszubildende.bezeichnung, urlaubsgeld, sonderzahlung.eigene-tabelle,
// landesanteil.grundbetrag, landesanteil.je-kind, soli.programmablauf; atz.beamte,
// atz.altersteilzeitgesetz, atz.tarifvertrag (whole percent of the minimum net); sv.kv, sv.kv-ermaessigt,
// sv.pv, sv.rv, sv.av (the rates of both sides together), sv.kinderlos, sv.zusatzbeitrag, sv.sachsen,
// sv.bbg.kv.west … sv.bbg.av.ost, sv.geringverdiener, sv.rv-mindestbemessung; umlage.u1, umlage.u2,
// umlage.insolvenz (liability); kasse.N.allgemein|ermaessigt|zusatz|u1|u2|name (N = 0 to 35; rates from
// the chosen month to December), kasse.insolvenzgeld; kirchensteuer.R.satz|pauschal|kappung|
// kappung-ag (R = 0 to 17); zv.P.west|ost.umlage|umlage-an|sanierung|kapital|kapital-an (P = 0 to 40;
// from the chosen month to December), zv.grenzwert8, zv.grenzwert9, zv.umlagegrenze.west|ost (from
// the chosen month to December), zv.grenzwert-sonderzahlung.west|ost; jsz.A.G.west|ost (the annual special
// payment of agreement entry A = 0 to 19 and pay group G = 0 to 49 in percent); wochenstunden.S.west|ost
// (regular weekly hours of service relationship S = 0 to 38), weihnachtsgeld.S.west|ost (S = 8 to 27, in
// percent), zeitzuschlag.N (hourly rate N = 0 to 5 of lines 16 and 17), kindergeld.K (child K = 1 to 4,
// from the chosen month to December), pensionsumlage.versorgungsruecklage, pensionsumlage.pensionskasse
// (line 27's percentages when the case has none); beamte-sz.R.monat, beamte-sz.R.N.betrag|prozent (the
// civil servants' special payment of region R = 0 to 16: the month of the annual payment, the amount or
// percentage of the Land's rule N = 1 to 5 of the year, only where the year's table has them).

#include "persistence/year_settings.h"

#include <optional>
#include <string>
#include <vector>

namespace varemo {

// The panels of the settings, by their content code.
enum class SettingsPanelKind {
    TariffMultipliers = 47,    // "Einsatz der Tariftabellen im Jahr "
    SupplementaryPension = 65, // "Betriebliche Altersvorsorge "
    HealthFunds = 77,          // "K R A N K E N K A S S E N"
    SocialInsurance = 63,      // "Vorgaben für die Sozialversicherung im Jahr "
    ChurchTax = 85,            // "Vorgabewerte für die Kirchensteuer "
    FamilyAllowance = 108,     // "Familienzuschlag"
    SpecialPayments = 117,     // "Jahressonderzahlung "
    WeeklyHours = 222,         // "Regelmäßige Wochenarbeitszeit in Stunden im Jahr "
    ChristmasBonus = 64,       // Christmas bonus per service relationship, "West in % " / "Ost in % "
    TimeSupplements = 125,     // hourly rates of the time supplements of lines 16 and 17
    ChildBenefit = 84,         // "Vorgaben für das Kindergeld"
    PensionLevy = 9,           // "Pensionsumlage bzw." / "Versorgungsrücklage im Jahr "
    PartialRetirement = 83,    // "Altersteilzeit "
    CivilServantRules = 118,   // "Sonderzahlung der Beamten im Jahr "
};

struct SettingInfo {
    std::string name;
    std::string meaning;
    std::string file; // the user-folder file that keeps it
    SettingsPanelKind panel;
};

// All settings, in the order of their panels.
const std::vector<SettingInfo>& settingsCatalogue();
const SettingInfo* findSetting(const std::string& name);
// The settings a year has, with the meaning they have in it: a civil servants' rule exists only in the
// years whose shipped table has it.
std::vector<SettingInfo> settingsOfYear(int year);

// The value as text; month (1 to 12) chooses the month of values kept per month.
std::string settingText(const YearSettings& s, const std::string& name, int month = 1);

// Enters a value: on success the settings hold it (for a value kept per month: from month to December)
// and nothing is returned; otherwise the German message why it was refused, and s is unchanged.
std::optional<std::string> enterSetting(YearSettings& s, const std::string& name, const std::string& text,
                                        int month = 1);

} // namespace varemo
