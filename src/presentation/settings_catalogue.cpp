#include "presentation/settings_catalogue.h"

#include "base/cp1252.h"
#include "base/prompter.h"
#include "model/user_file_names.h"
#include "pay/civil_servant_rules.h"
#include "pay/special_payment_tables.h"
#include "tariffs/service_relationship.h"

#include <algorithm>
#include <array>
#include <functional>
#include <unordered_map>

namespace varemo {
namespace {

enum class Kind { Number, Amount, Flag, Text };

struct Def {
    SettingInfo info;
    Kind kind = Kind::Number;
    int decimals = 0;
    int64_t low = 0, high = 0;
    std::function<int64_t(const YearSettings&, int)> get;
    std::function<void(YearSettings&, int, int64_t)> set;
    std::function<std::string(const YearSettings&)> getText;
    std::function<void(YearSettings&, const std::string&)> setText;
    // A value within the bounds that the rule still refuses (the message), checked before it is set.
    std::function<std::optional<std::string>(int64_t)> valueCheck;
    // The whole settings after the value was set; a message refuses the value.
    std::function<std::optional<std::string>(const YearSettings&)> check;
    // For a value that only some years have: its meaning in a year, nothing when the year lacks it.
    std::function<std::optional<std::string>(int)> meaningIn;
};

int64_t power10(int n) {
    int64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

std::string scaledText(int64_t v, int decimals, int minDecimals) {
    const bool negative = v < 0;
    const int64_t a = negative ? -v : v;
    const int64_t p = power10(decimals);
    if (decimals == 0) return (negative ? "-" : "") + std::to_string(a);
    std::string frac = std::to_string(a % p);
    frac.insert(0, static_cast<size_t>(decimals) - frac.size(), '0');
    while (static_cast<int>(frac.size()) > minDecimals && frac.back() == '0')
        frac.pop_back();
    return (negative ? "-" : "") + std::to_string(a / p) + (frac.empty() ? "" : "," + frac);
}

// Digits with at most `decimals` places after a comma (or point); nothing for any other text.
std::optional<int64_t> parseScaled(std::string text, int decimals) {
    while (!text.empty() && text.front() == ' ')
        text.erase(0, 1);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    if (text.empty() || text.size() > 15) return std::nullopt;
    int64_t whole = 0, frac = 0;
    int places = -1;
    for (char c : text) {
        if (c == ',' || c == '.') {
            if (places >= 0) return std::nullopt;
            places = 0;
        } else if (c >= '0' && c <= '9') {
            if (places < 0) {
                whole = whole * 10 + (c - '0');
            } else {
                if (++places > decimals) return std::nullopt;
                frac = frac * 10 + (c - '0');
            }
        } else {
            return std::nullopt;
        }
    }
    if (places == 0) return std::nullopt; // "12,"
    return whole * power10(decimals) + frac * power10(decimals - std::max(places, 0));
}

std::string fileLabel(const char* name) {
    return name;
}

std::vector<Def> buildDefs() {
    std::vector<Def> d;
    auto number = [&d](std::string name, std::string meaning, const char* file, SettingsPanelKind panel,
                       int decimals, int64_t low, int64_t high, auto get, auto set) {
        Def def;
        def.info = {std::move(name), std::move(meaning), fileLabel(file), panel};
        def.kind = Kind::Number;
        def.decimals = decimals;
        def.low = low;
        def.high = high;
        def.get = get;
        def.set = set;
        d.push_back(std::move(def));
        return &d.back();
    };
    auto amount = [&d](std::string name, std::string meaning, SettingsPanelKind panel, auto get, auto set) {
        Def def;
        def.info = {std::move(name), std::move(meaning), fileLabel(kYearDefaultsFile), panel};
        def.kind = Kind::Amount;
        def.decimals = 2;
        def.low = 0;
        def.high = 999999999;
        def.get = get;
        def.set = set;
        d.push_back(std::move(def));
    };
    auto flag = [&d](std::string name, std::string meaning, SettingsPanelKind panel, auto get, auto set) {
        Def def;
        def.info = {std::move(name), std::move(meaning), fileLabel(kYearDefaultsFile), panel};
        def.kind = Kind::Flag;
        def.low = 0;
        def.high = 1;
        def.get = [get](const YearSettings& s, int) -> int64_t { return get(s) ? 1 : 0; };
        def.set = [set](YearSettings& s, int, int64_t v) { set(s, v != 0); };
        d.push_back(std::move(def));
    };
    const char* vee = kYearDefaultsFile;

    // Tariff multipliers, family allowance and the pay switches.
    using P = SettingsPanelKind;
    struct M {
        const char* key;
        const char* meaning;
        Multiplier Multipliers::*field;
    };
    for (const M m :
         {M{"beamte", "Beamtenbesoldung in Prozent der Tabellenwerte", &Multipliers::civilServant},
          M{"tarif", "Entgelt der Tarifbeschäftigten in Prozent der Tabellenwerte",
            &Multipliers::tariffEmployee}}) {
        const auto field = m.field;
        number(
            std::string("multiplikator.") + m.key, m.meaning, vee, P::TariffMultipliers, 2, 1, 20000,
            [field](const YearSettings& s, int) -> int64_t { return (s.pay.multipliers.*field).factor; },
            [field](YearSettings& s, int, int64_t v) {
                (s.pay.multipliers.*field).factor = static_cast<int32_t>(v);
            });
        number(
            std::string("multiplikator.") + m.key + ".ab",
            std::string("Multiplikator anwenden ab Monat (") + m.key + ")", vee, P::TariffMultipliers, 0, 1,
            12,
            [field](const YearSettings& s, int) -> int64_t { return (s.pay.multipliers.*field).startMonth; },
            [field](YearSettings& s, int, int64_t v) {
                (s.pay.multipliers.*field).startMonth = static_cast<int>(v);
            });
    }
    flag(
        "familienzuschlag.berechnen", "Familienzuschlag (Zeile 10) berechnen statt lt. Eingabe",
        P::FamilyAllowance, [](const YearSettings& s) { return s.pay.familyAllowanceComputed; },
        [](YearSettings& s, bool v) { s.pay.familyAllowanceComputed = v; });
    flag(
        "auszubildende.bezeichnung", "Zeile 4 Position 20 als \"TVAöd/TV-L/AOK Auszubildende(r)\"",
        P::FamilyAllowance, [](const YearSettings& s) { return s.pay.traineeName; },
        [](YearSettings& s, bool v) { s.pay.traineeName = v; });
    flag(
        "urlaubsgeld", "Urlaubsgeld von 255,65 Euro im Juli", P::SpecialPayments,
        [](const YearSettings& s) { return s.pay.holidayPay; },
        [](YearSettings& s, bool v) { s.pay.holidayPay = v; });
    flag(
        "sonderzahlung.eigene-tabelle", "Dienstverhältnis 6 in Region 1 behält die Zeilen 18 und 19",
        P::SpecialPayments, [](const YearSettings& s) { return s.pay.keepSpecialPaymentsOwnTable; },
        [](YearSettings& s, bool v) { s.pay.keepSpecialPaymentsOwnTable = v; });
    amount(
        "landesanteil.grundbetrag", "Landesanteil Besoldung: Grundbetrag im Jahr (Euro)", P::SpecialPayments,
        [](const YearSettings& s, int) -> int64_t { return s.pay.landShareBase; },
        [](YearSettings& s, int, int64_t v) { s.pay.landShareBase = static_cast<int32_t>(v); });
    amount(
        "landesanteil.je-kind", "Landesanteil Besoldung: Betrag je Kind im Jahr (Euro)", P::SpecialPayments,
        [](const YearSettings& s, int) -> int64_t { return s.pay.landSharePerChild; },
        [](YearSettings& s, int, int64_t v) { s.pay.landSharePerChild = static_cast<int32_t>(v); });
    flag(
        "soli.programmablauf",
        "Solidaritätszuschlag nach dem Programmablaufplan (Freigrenze, Übergangsbereich)", P::ChurchTax,
        [](const YearSettings& s) { return s.pay.soliByFlowChart; },
        [](YearSettings& s, bool v) { s.pay.soliByFlowChart = v; });

    // Partial retirement: the percentages of the minimum net ("Was wäre wenn" beside the legal ones).
    struct Q {
        const char* key;
        const char* meaning;
        int PartialRetirementPercents::*field;
    };
    for (const Q q : {Q{"atz.beamte", "Altersteilzeitzuschlagsverordnung: Prozentsatz der Nettobezüge",
                        &PartialRetirementPercents::civilServant},
                      Q{"atz.altersteilzeitgesetz", "Altersteilzeitgesetz: Prozentsatz der Nettovergütung",
                        &PartialRetirementPercents::atg},
                      Q{"atz.tarifvertrag", "Tarifvertrag Altersteilzeit: Prozentsatz der Nettovergütung",
                        &PartialRetirementPercents::agreement}}) {
        const auto field = q.field;
        number(
            q.key, q.meaning, kPartialRetirementFile, P::PartialRetirement, 0, 1, 100,
            [field](const YearSettings& s, int) -> int64_t { return s.retirement.*field; },
            [field](YearSettings& s, int, int64_t v) { s.retirement.*field = static_cast<int>(v); });
    }

    // Social-insurance defaults: the rates both sides share are entered whole and kept as halves.
    struct R {
        const char* key;
        const char* meaning;
        Rate SvDefaults::*field;
        bool half;
    };
    for (const R r :
         {R{"kv", "KV-Beitragssatz allgemein in %", &SvDefaults::kvGeneralHalf, true},
          R{"kv-ermaessigt", "KV-Beitragssatz ermäßigt in %", &SvDefaults::kvReducedHalf, true},
          R{"pv", "PV-Beitragssatz in %", &SvDefaults::pvHalf, true},
          R{"rv", "RV-Beitragssatz in %", &SvDefaults::rvHalf, true},
          R{"av", "AV-Beitragssatz in %", &SvDefaults::avHalf, true},
          R{"kinderlos", "PV-Zuschlag für Kinderlose (AN zusätzlich) in %", &SvDefaults::childlessSurcharge,
            false},
          R{"zusatzbeitrag", "durchschnittlicher Zusatzbeitragssatz in %", &SvDefaults::averageAdditional,
            false},
          R{"sachsen", "PV-Mehranteil des AN in Sachsen in %", &SvDefaults::saxonyShift, false}}) {
        const auto field = r.field;
        const bool half = r.half;
        Def* def = number(
            std::string("sv.") + r.key, r.meaning, vee, P::SocialInsurance, 4, 0, 400000,
            [field, half](const YearSettings& s, int) -> int64_t {
                return (s.sv.*field).value * (half ? 2 : 1);
            },
            [field, half](YearSettings& s, int, int64_t v) { (s.sv.*field).value = half ? v / 2 : v; });
        if (half)
            def->valueCheck = [](int64_t v) -> std::optional<std::string> {
                if (v % 2 == 0) return std::nullopt;
                return std::string(
                    "Der Satz wird von AG und AN je zur Hälfte getragen; seine Hälfte muss sich "
                    "mit vier Nachkommastellen darstellen lassen.");
            };
    }
    struct C {
        const char* key;
        const char* meaning;
        std::array<Money, 2> SvDefaults::*field;
    };
    for (const C c :
         {C{"kv", "Krankenvers.", &SvDefaults::kvCeiling}, C{"pv", "Pflegevers.", &SvDefaults::pvCeiling},
          C{"rv", "Rentenvers.", &SvDefaults::rvCeiling}, C{"av", "Arbeitsl.Vers.", &SvDefaults::avCeiling}})
        for (int region = 0; region < 2; ++region) {
            const auto field = c.field;
            const auto at = static_cast<size_t>(region);
            amount(
                std::string("sv.bbg.") + c.key + (region == 0 ? ".west" : ".ost"),
                std::string("Beitragsbemessungsgrenze ") + c.meaning + (region == 0 ? " West" : " Ost") +
                    " als Monatsbetrag",
                P::SocialInsurance,
                [field, at](const YearSettings& s, int) -> int64_t { return (s.sv.*field)[at].toCents(); },
                [field, at](YearSettings& s, int, int64_t v) { (s.sv.*field)[at] = Money::fromCents(v); });
        }
    amount(
        "sv.geringverdiener", "Geringfügigkeitsgrenze (Geringverd.)", P::SocialInsurance,
        [](const YearSettings& s, int) -> int64_t { return s.sv.miniJobLimit.toCents(); },
        [](YearSettings& s, int, int64_t v) { s.sv.miniJobLimit = Money::fromCents(v); });
    amount(
        "sv.rv-mindestbemessung", "Mindestbemessungsgrundlage RV bei Minijobs mit Aufstockung",
        P::SocialInsurance,
        [](const YearSettings& s, int) -> int64_t { return s.sv.rvMinimumBase.toCents(); },
        [](YearSettings& s, int, int64_t v) { s.sv.rvMinimumBase = Money::fromCents(v); });

    // Health funds and the employer's levy liability.
    flag(
        "umlage.u1", "Umlagepflicht U1 (Krankheit, § 1 AAG)", P::HealthFunds,
        [](const YearSettings& s) { return s.liability.u1; },
        [](YearSettings& s, bool v) { s.liability.u1 = v; });
    flag(
        "umlage.u2", "Umlagepflicht U2 (Mutterschaft, § 1 AAG)", P::HealthFunds,
        [](const YearSettings& s) { return s.liability.u2; },
        [](YearSettings& s, bool v) { s.liability.u2 = v; });
    flag(
        "umlage.insolvenz", "Umlagepflicht Insolvenzgeld (§ 358 SGB III)", P::HealthFunds,
        [](const YearSettings& s) { return s.liability.insolvency; },
        [](YearSettings& s, bool v) { s.liability.insolvency = v; });
    number(
        "kasse.insolvenzgeld", "Insolvenzgeld-Umlagesatz in %", vee, P::HealthFunds, 3,
        kInsolvencyRateBounds.low, kInsolvencyRateBounds.high,
        [](const YearSettings& s, int) -> int64_t { return s.funds.insolvencyRate(); },
        [](YearSettings& s, int, int64_t v) {
            RecordingPrompter quiet;
            (void)s.funds.enterInsolvencyRate(quiet, static_cast<int32_t>(v));
        });
    struct F {
        const char* key;
        const char* meaning;
        FundField field;
    };
    for (int fund = 0; fund < kHealthFunds; ++fund) {
        for (const F f :
             {F{"allgemein", "allgemeiner Beitragssatz in %", FundField::General},
              F{"ermaessigt", "ermäßigter Beitragssatz in %", FundField::Reduced},
              F{"zusatz", "Zusatzbeitrag in %", FundField::Additional},
              F{"u1", "Umlagesatz U1 in %", FundField::U1}, F{"u2", "Umlagesatz U2 in %", FundField::U2}}) {
            const FundField field = f.field;
            const FundBounds b = fundFieldBounds(field);
            number(
                "kasse." + std::to_string(fund) + "." + f.key,
                "Krankenkasse " + std::to_string(fund) + ": " + f.meaning, vee, P::HealthFunds, 2, b.low,
                b.high,
                [fund, field](const YearSettings& s, int month) -> int64_t {
                    return fundRate(s.funds.rates(fund, month - 1), field);
                },
                [fund, field](YearSettings& s, int month, int64_t v) {
                    RecordingPrompter quiet;
                    (void)s.funds.enter(quiet, fund, month - 1, field, static_cast<int32_t>(v), true);
                });
        }
        Def def;
        def.info = {"kasse." + std::to_string(fund) + ".name",
                    "Krankenkasse " + std::to_string(fund) + ": Name", fileLabel(vee), P::HealthFunds};
        def.kind = Kind::Text;
        def.getText = [fund](const YearSettings& s) { return s.funds.name(fund); };
        def.setText = [fund](YearSettings& s, const std::string& t) { s.funds.setName(fund, t); };
        d.push_back(std::move(def));
    }

    // Church tax of the Länder.
    for (int region = 0; region < kRegionCount; ++region) {
        const auto at = static_cast<size_t>(region);
        const std::string prefix = "kirchensteuer." + std::to_string(region) + ".";
        const std::string land = "Region " + std::to_string(region) + ": ";
        number(
            prefix + "satz", land + "Kirchensteuersatz in %", kChurchTaxFile, P::ChurchTax, 2, 0, 1000,
            [at](const YearSettings& s, int) -> int64_t { return s.churchTax[at].rateHundredths; },
            [at](YearSettings& s, int, int64_t v) {
                s.churchTax[at].rateHundredths = static_cast<int32_t>(v);
            });
        number(
            prefix + "pauschal", land + "Kirchensteuer bei pauschaler Lohnsteuer in %", kChurchTaxFile,
            P::ChurchTax, 2, 0, 1000,
            [at](const YearSettings& s, int) -> int64_t { return s.churchTax[at].flatHundredths; },
            [at](YearSettings& s, int, int64_t v) {
                s.churchTax[at].flatHundredths = static_cast<int32_t>(v);
            });
        number(
            prefix + "kappung", land + "Kappungssatz in % des zu versteuernden Einkommens (0: keine)",
            kChurchTaxFile, P::ChurchTax, 2, 0, 1000,
            [at](const YearSettings& s, int) -> int64_t { return s.churchTax[at].capHundredths; },
            [at](YearSettings& s, int, int64_t v) {
                s.churchTax[at].capHundredths = static_cast<int32_t>(v);
            });
        Def* def = number(
            prefix + "kappung-ag", land + "Kappung durch den Arbeitgeber im Jahresausgleich", kChurchTaxFile,
            P::ChurchTax, 0, 0, 1,
            [at](const YearSettings& s, int) -> int64_t { return s.churchTax[at].capInPayroll; },
            [at](YearSettings& s, int, int64_t v) { s.churchTax[at].capInPayroll = v != 0; });
        def->kind = Kind::Flag;
    }

    // Supplementary pension funds, per position, region and month.
    struct Z {
        const char* key;
        const char* meaning;
        int32_t PensionRates::*field;
    };
    for (int position = 0; position < kPensionFundPositions; ++position)
        for (int region = 0; region < 2; ++region)
            for (const Z z : {Z{"umlage", "Umlagesatz in %", &PensionRates::levy},
                              Z{"umlage-an", "davon Arbeitnehmeranteil in %", &PensionRates::levyEmployee},
                              Z{"sanierung", "Sanierungsgeld des AG in %", &PensionRates::restructuring},
                              Z{"kapital", "Kapitalbeitrag in %", &PensionRates::capital},
                              Z{"kapital-an", "davon Arbeitnehmeranteil (Kapitalbeitrag) in %",
                                &PensionRates::capitalEmployee}}) {
                const bool east = region == 1;
                const auto field = z.field;
                Def* def = number(
                    "zv." + std::to_string(position) + (east ? ".ost." : ".west.") + z.key,
                    "Zusatzversorgung Position " + std::to_string(position) + (east ? " Ost: " : " West: ") +
                        z.meaning,
                    kPensionDefaultsFile, P::SupplementaryPension, 4, 0, kMaxRate,
                    [position, east, field](const YearSettings& s, int month) -> int64_t {
                        return s.pension.rates(position, east, month - 1).*field;
                    },
                    [position, east, field](YearSettings& s, int month, int64_t v) {
                        for (int m = month - 1; m < 12; ++m)
                            s.pension.rates(position, east, m).*field = static_cast<int32_t>(v);
                    });
                def->check = [position, east](const YearSettings& s) -> std::optional<std::string> {
                    for (int m = 0; m < 12; ++m) {
                        PensionRates r = s.pension.rates(position, east, m);
                        if (CorrectPensionRates(r))
                            return std::string("Ein Arbeitnehmeranteil darf nicht höher sein als sein Satz, "
                                               "und der Kapitalbeitrag des Arbeitgebers darf 4 % nicht "
                                               "übersteigen.");
                    }
                    return std::nullopt;
                };
            }
    // The monthly thresholds and ceilings of the fund settings, from the chosen month to December.
    struct T {
        const char* key;
        const char* meaning;
        std::array<Money, 12> PensionSettings::*field;
    };
    for (const T t : {T{"grenzwert8", "Grenzwert für die 8 % AG-Umlage", &PensionSettings::threshold8},
                      T{"grenzwert9", "Grenzwert für die 9 % AG-Umlage", &PensionSettings::threshold9},
                      T{"umlagegrenze.west", "Umlagebemessungsgrenze W E S T", &PensionSettings::ceilingWest},
                      T{"umlagegrenze.ost", "Umlagebemessungsgrenze O S T", &PensionSettings::ceilingEast}}) {
        const auto field = t.field;
        Def* def = number(
            std::string("zv.") + t.key, std::string("Zusatzversorgung: ") + t.meaning + " (Euro)",
            kPensionDefaultsFile, P::SupplementaryPension, 2, 0, 999999999,
            [field](const YearSettings& s, int month) -> int64_t {
                return (s.pension.*field)[static_cast<size_t>(month - 1)].toCents();
            },
            [field](YearSettings& s, int month, int64_t v) {
                for (int m = month - 1; m < 12; ++m)
                    (s.pension.*field)[static_cast<size_t>(m)] = Money::fromCents(v);
            });
        def->kind = Kind::Amount;
    }
    struct S {
        const char* key;
        Money PensionSettings::*field;
    };
    for (const S t : {S{"west", &PensionSettings::specialPaymentThresholdWest},
                      S{"ost", &PensionSettings::specialPaymentThresholdEast}}) {
        const auto field = t.field;
        Def* def = number(
            std::string("zv.grenzwert-sonderzahlung.") + t.key,
            std::string("Zusatzversorgung: Erhöhung des Grenzwerts im Monat der Jahressonderzahlung ") +
                (field == &PensionSettings::specialPaymentThresholdWest ? "West" : "Ost") + " (Euro)",
            kPensionDefaultsFile, P::SupplementaryPension, 2, 0, 999999999,
            [field](const YearSettings& s, int) -> int64_t { return (s.pension.*field).toCents(); },
            [field](YearSettings& s, int, int64_t v) { s.pension.*field = Money::fromCents(v); });
        def->kind = Kind::Amount;
    }

    // Annual special payment per agreement entry and pay group, of the year.
    for (int agreement = 0; agreement < kAgreementEntries; ++agreement)
        for (int group = 0; group < kAnnualPaymentGroups; ++group)
            for (const bool east : {false, true})
                number(
                    "jsz." + std::to_string(agreement) + "." + std::to_string(group) +
                        (east ? ".ost" : ".west"),
                    "Jahressonderzahlung " + agreementNames()[static_cast<size_t>(agreement)] + ", " +
                        annualPaymentGroupNames()[static_cast<size_t>(group)] + (east ? " Ost" : " West") +
                        " in %",
                    kAnnualPaymentFile, P::SpecialPayments, 2, 0, 30000,
                    [agreement, group, east](const YearSettings& s, int) -> int64_t {
                        return s.annualPayments.percent(agreement, s.year, east, group);
                    },
                    [agreement, group, east](YearSettings& s, int, int64_t v) {
                        s.annualPayments.setPercent(agreement, s.year, east, group, static_cast<int32_t>(v));
                    });

    // The panels of weekly hours, Christmas bonus, time supplements, child benefit and pension levy.
    for (int sr = 0; sr < kServiceRelationships; ++sr)
        for (const int area : {0, 1}) {
            const auto at = static_cast<size_t>(sr);
            const auto east = static_cast<size_t>(area);
            const std::string suffix = std::to_string(sr) + (area == 0 ? ".west" : ".ost");
            const std::string who = "Dienstverhältnis " + std::to_string(sr) + (area == 0 ? " West" : " Ost");
            number(
                "wochenstunden." + suffix, "Regelmäßige Wochenarbeitszeit in Stunden, " + who,
                kSpecialPaymentFile, P::WeeklyHours, 2, 1, 6000,
                [at, east](const YearSettings& s, int) -> int64_t { return s.tables.weeklyHours[at][east]; },
                [at, east](YearSettings& s, int, int64_t v) {
                    s.tables.weeklyHours[at][east] = static_cast<int32_t>(v);
                });
            if (!isEmployee(sr)) continue;
            number(
                "weihnachtsgeld." + suffix, "Weihnachtsgeld in % eines Monatsentgelts, " + who,
                kSpecialPaymentFile, P::ChristmasBonus, 2, 0, 10000,
                [at, east](const YearSettings& s, int) -> int64_t {
                    return s.tables.christmasBonus[at][east];
                },
                [at, east](YearSettings& s, int, int64_t v) {
                    s.tables.christmasBonus[at][east] = static_cast<int32_t>(v);
                });
        }
    for (int i = 0; i < kTimeSupplementRates; ++i) {
        const auto at = static_cast<size_t>(i);
        Def* def = number(
            "zeitzuschlag." + std::to_string(i),
            std::string("Stundensatz für ") + timeSupplementNames()[at] +
                " (Euro je Stunde, Zeilen 16 und 17)",
            kSpecialPaymentFile, P::TimeSupplements, 2, 0, 999999999,
            [at](const YearSettings& s, int) -> int64_t { return s.tables.hourlyRates[at]; },
            [at](YearSettings& s, int, int64_t v) { s.tables.hourlyRates[at] = static_cast<int32_t>(v); });
        def->kind = Kind::Amount;
    }
    for (int k = 0; k < kChildBenefitRanks; ++k) {
        const auto rank = static_cast<size_t>(k);
        Def* def = number(
            "kindergeld." + std::to_string(k + 1),
            "Kindergeld im Monat für das " + std::to_string(k + 1) + ". Kind" +
                (k + 1 == kChildBenefitRanks ? " und jedes weitere" : "") + " (Euro)",
            kSpecialPaymentFile, P::ChildBenefit, 2, 0, 999999999,
            [rank](const YearSettings& s, int month) -> int64_t {
                return s.tables.childBenefit[static_cast<size_t>(month - 1)][rank];
            },
            [rank](YearSettings& s, int month, int64_t v) {
                for (int m = month - 1; m < 12; ++m)
                    s.tables.childBenefit[static_cast<size_t>(m)][rank] = static_cast<int32_t>(v);
            });
        def->kind = Kind::Amount;
    }
    number(
        "pensionsumlage.versorgungsruecklage",
        "Versorgungsrücklage in % (Zeile 27, wenn der Personalfall keinen eigenen Satz hat)",
        kSpecialPaymentFile, P::PensionLevy, 2, 0, 10000,
        [](const YearSettings& s, int) -> int64_t { return s.tables.pensionReservePercent; },
        [](YearSettings& s, int, int64_t v) { s.tables.pensionReservePercent = static_cast<int32_t>(v); });
    number(
        "pensionsumlage.pensionskasse",
        "Umlage an die Pensionskasse in % (Zeile 27, wenn der Personalfall keinen eigenen Satz hat)",
        kSpecialPaymentFile, P::PensionLevy, 2, 0, 10000,
        [](const YearSettings& s, int) -> int64_t { return s.tables.pensionFundLevyPercent; },
        [](YearSettings& s, int, int64_t v) { s.tables.pensionFundLevyPercent = static_cast<int32_t>(v); });

    // The civil servants' special payment per Land: the rules of the shipped table of the year.
    for (int region = 0; region < kCivilRuleRegions; ++region) {
        const auto at = static_cast<size_t>(region);
        const std::string prefix = "beamte-sz." + std::to_string(region) + ".";
        const std::string land = civilEmployerName(region);
        Def* month = number(
            prefix + "monat", land + ": Monat der jährlichen Sonderzahlung und der Kinderzuschläge",
            kCivilServantPaymentFile, P::CivilServantRules, 0, 1, 12,
            [at](const YearSettings& s, int) -> int64_t { return s.civilRules[at].month; },
            [at](YearSettings& s, int, int64_t v) { s.civilRules[at].month = static_cast<int>(v); });
        month->meaningIn = [region, meaning = month->info.meaning](int year) -> std::optional<std::string> {
            if (shippedCivilRules(year)[static_cast<size_t>(region)].month == 0) return std::nullopt;
            return meaning;
        };
        for (int n = 0; n < kCivilRulesPerRegion; ++n) {
            const auto k = static_cast<size_t>(n);
            for (const CivilRuleField field : {CivilRuleField::Amount, CivilRuleField::Percent}) {
                const bool amount = field == CivilRuleField::Amount;
                Def* def = number(
                    prefix + std::to_string(n + 1) + (amount ? ".betrag" : ".prozent"),
                    land + ": Regel " + std::to_string(n + 1) +
                        (amount ? ", Betrag in Euro" : ", Prozentsatz"),
                    kCivilServantPaymentFile, P::CivilServantRules, amount ? 2 : 3, 0,
                    amount ? 999999999 : 100000,
                    [at, k, amount](const YearSettings& s, int) -> int64_t {
                        const CivilRuleValues& v = s.civilRules[at].rules[k];
                        return amount ? v.cents : v.percentMilli;
                    },
                    [at, k, amount](YearSettings& s, int, int64_t v) {
                        CivilRuleValues& values = s.civilRules[at].rules[k];
                        (amount ? values.cents : values.percentMilli) = static_cast<int32_t>(v);
                    });
                if (amount) def->kind = Kind::Amount;
                def->meaningIn = [region, k, field, land](int year) -> std::optional<std::string> {
                    const auto rows = shippedCivilRows(region, year);
                    if (k >= rows.size() || civilRuleField(rows[k]) != field) return std::nullopt;
                    const CivilServantPaymentRow& row = rows[k];
                    std::string what = land + ": " + civilRuleLabel(row);
                    if (field == CivilRuleField::Amount)
                        return what + (row.kind == CivilPaymentKind::Child ? ", Betrag je Kind in Euro"
                                                                           : ", Betrag im Jahr in Euro");
                    return what + (row.kind == CivilPaymentKind::Monthly ? ", Prozent der Monatsbezüge"
                                                                         : ", Prozent des Basis-Gehalts");
                };
            }
        }
    }
    return d;
}

const std::vector<Def>& defs() {
    static const std::vector<Def> all = buildDefs();
    return all;
}

const Def* findDef(const std::string& name) {
    static const std::unordered_map<std::string, const Def*> byName = [] {
        std::unordered_map<std::string, const Def*> out;
        for (const Def& d : defs())
            out.emplace(d.info.name, &d);
        return out;
    }();
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

std::string allowedText(const Def& d) {
    switch (d.kind) {
    case Kind::Flag:
        return "Erlaubt sind \"ja\" und \"nein\".";
    case Kind::Text:
        return "Erlaubt sind höchstens 35 Zeichen.";
    case Kind::Amount:
        return "Erlaubt sind Beträge von 0,00 bis " + Money::fromCents(d.high).toDisplay() + " Euro.";
    case Kind::Number:
        break;
    }
    std::string text = "Erlaubt sind Zahlen von " + scaledText(d.low, d.decimals, 0) + " bis " +
                       scaledText(d.high, d.decimals, 0);
    if (d.decimals > 0) text += " mit höchstens " + std::to_string(d.decimals) + " Nachkommastellen";
    return text + ".";
}

} // namespace

const std::vector<SettingInfo>& settingsCatalogue() {
    static const std::vector<SettingInfo> all = [] {
        std::vector<SettingInfo> out;
        for (const Def& d : defs())
            out.push_back(d.info);
        return out;
    }();
    return all;
}

const SettingInfo* findSetting(const std::string& name) {
    const Def* d = findDef(name);
    return d ? &d->info : nullptr;
}

std::vector<SettingInfo> settingsOfYear(int year) {
    std::vector<SettingInfo> out;
    for (const Def& d : defs()) {
        if (!d.meaningIn) {
            out.push_back(d.info);
        } else if (auto meaning = d.meaningIn(year)) {
            out.push_back(d.info);
            out.back().meaning = *meaning;
        }
    }
    return out;
}

std::string settingText(const YearSettings& s, const std::string& name, int month) {
    const Def* d = findDef(name);
    if (!d) return "";
    month = std::clamp(month, 1, 12);
    switch (d->kind) {
    case Kind::Text:
        return d->getText(s);
    case Kind::Flag:
        return d->get(s, month) ? "ja" : "nein";
    case Kind::Amount:
        return Money::fromCents(d->get(s, month)).toDisplay();
    case Kind::Number:
        break;
    }
    return scaledText(d->get(s, month), d->decimals, std::min(d->decimals, 2));
}

std::optional<std::string> enterSetting(YearSettings& s, const std::string& name, const std::string& text,
                                        int month) {
    const Def* d = findDef(name);
    if (!d) return "Eine Einstellung \"" + name + "\" gibt es nicht.";
    if (month < 1 || month > 12) return "Der Monat muss zwischen 1 und 12 liegen.";
    const std::optional<std::string> meaning = d->meaningIn ? d->meaningIn(s.year) : d->info.meaning;
    if (!meaning)
        return "Eine Einstellung \"" + name + "\" gibt es im Jahr " + std::to_string(s.year) + " nicht.";
    const std::string refused =
        "Der Wert \"" + text + "\" für " + d->info.name + " (" + *meaning + ") ist ungültig. ";
    YearSettings changed = s;
    if (d->kind == Kind::Text) {
        if (utf8Length(text) > 35) return refused + allowedText(*d);
        d->setText(changed, text);
    } else {
        std::optional<int64_t> v;
        if (d->kind == Kind::Flag) {
            if (text == "ja") v = 1;
            if (text == "nein") v = 0;
        } else {
            std::string plain = text;
            // "4.837,50": points group the thousands when a comma gives the decimals.
            if (d->kind == Kind::Amount && plain.find(',') != std::string::npos) std::erase(plain, '.');
            v = parseScaled(plain, d->decimals);
        }
        if (!v || *v < d->low || *v > d->high) return refused + allowedText(*d);
        if (d->valueCheck)
            if (auto why = d->valueCheck(*v)) return refused + *why;
        d->set(changed, month, *v);
    }
    if (d->check)
        if (auto why = d->check(changed)) return refused + *why;
    s = std::move(changed);
    return std::nullopt;
}

} // namespace varemo
