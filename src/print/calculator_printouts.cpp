#include "print/calculator_printouts.h"

#include "calculators/calculator_files.h"
#include "calculators/working_time.h"
#include "print/number_format.h"
#include "print/print_rows.h"
#include "print/salary_printout.h"

#include <algorithm>
#include <cstdlib>

namespace varemo::print {
namespace {

constexpr double kLeft = 0.8;
constexpr double kRight = 7.6;

const char* const kMonths[] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                               "Juli",   "August",  "September", "Oktober", "November", "Dezember"};

void start(PrintSurface& s, const char* font = "Arial", double size = 10) {
    s.setScaleMode(ScaleMode::Inches);
    s.foreColor = kBlack;
    s.setFont(font, size);
    s.setCurrentY(s.currentY() + 0.5);
}

void next(PrintSurface& s, double rows = 1) {
    rows::next(s, rows);
}

std::string date(const CalendarDate& d) {
    return formatCalendarDate(d);
}

// "2 J 3 M 4 T" as the columns of the calculations show a span.
void spanColumns(PrintSurface& s, const DateSpan& d, double right) {
    s.printRight(right - 1.2, std::to_string(d.days));
    s.printRight(right - 0.6, std::to_string(d.months));
    s.printRight(right, std::to_string(d.years));
}

// The heads of the span columns of the letters, then the body font.
void spanHeads(PrintSurface& s) {
    s.printRight(kRight - 1.2, " T");
    s.printRight(kRight - 0.6, " M");
    s.printRight(kRight, " J");
    next(s);
    s.setFont("Arial", 10);
}

std::string spanWords(const DateSpan& d) {
    return std::to_string(d.years) + " Jahre, " + std::to_string(d.months) + " Monate und " +
           std::to_string(d.days) + " Tage";
}

DateSpan spanDifference(const DateSpan& a, const DateSpan& b) {
    return spanOfDays(std::max(0, a.totalDays() - b.totalDays()));
}

// The employer block of the letters, at the top left.
void employerBlock(const Session& g, PrintSurface& s, const PrintOptions& options) {
    const WindowRecord& employer = g.storage.window;
    const double top = s.currentY();
    s.setFont("Arial", 10);
    s.printRight(kRight, longDate(options.today));
    s.setCurrentY(top);
    s.setFont("Arial", 10, true);
    s.printAt(kLeft, employer.employerText(EmployerText::Line1), true);
    s.setFont("Arial", 9);
    for (EmployerText line : {EmployerText::Line2, EmployerText::Line3, EmployerText::Line4,
                              EmployerText::Line5, EmployerText::Street, EmployerText::Town}) {
        const std::string text = employer.employerText(line);
        if (!text.empty()) s.printAt(kLeft, text, true);
    }
    next(s);
}

// No salutation: the case keeps no gender, and a wrong "Frau" or "Herrn" would be worse than none.
void addressee(const Session& g, PrintSurface& s) {
    s.setFont("Arial", 11);
    s.printAt(kLeft, g.workingCase.name, true);
    next(s, 2);
}

void signatures(PrintSurface& s) {
    next(s, 2);
    s.setFont("Arial", 10);
    s.printAt(kLeft, "Festgestellt:");
    s.printAt(4.3, "Sachlich und rechnerisch richtig: ", true);
    next(s, 2);
    s.printAt(kLeft, "..............................");
    s.printAt(4.3, "..............................", true);
}

std::optional<ServiceAgeResult> serviceAgeOf(const Session& g) {
    try {
        return computeServiceAge(LoadServiceAgeInput(g));
    } catch (const Error&) {
        return std::nullopt;
    }
}

std::optional<JubileeResult> jubileeOf(const Session& g, JubileeInput* input = nullptr) {
    JubileeInput in = LoadJubileeInput(g);
    if (input) *input = in;
    try {
        return computeJubilee(in);
    } catch (const Error&) {
        return std::nullopt;
    }
}

std::string milli3(int64_t milli) {
    const std::string sign = milli < 0 ? "-" : "";
    const int64_t m = milli < 0 ? -milli : milli;
    return sign + std::to_string(m / 1000) + "," + std::to_string(1000 + m % 1000).substr(1);
}

std::string hoursText(int minutes) {
    return amountText(Money::fromUnits(mulDiv(minutes, Money::kUnitsPerEuro, 60, Rounding::HalfUp)));
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Service age

void bdaberechnung(const Session& g, PrintSurface& s, const PrintOptions&) {
    const ServiceAgeInput in = LoadServiceAgeInput(g);
    const auto r = serviceAgeOf(g);
    if (!r) return;
    start(s, "Courier New", 10);
    const double top = s.currentY();
    s.printRight(kRight, "Seite 2");
    s.setCurrentY(top);
    s.setFont("Courier New", 12, true);
    s.printAt(kLeft, "Berechnung des Besoldungsdienstalters (BDA)", true);
    s.setFont("Courier New", 10);
    s.printAt(kLeft, "für " + g.workingCase.name, true);
    next(s);
    constexpr double kDate = 6.4;
    auto row = [&](const std::string& caption, const std::string& value) {
        s.printAt(kLeft, caption);
        s.printAt(kDate, value);
        next(s);
    };
    row("Geburtstag", date(*in.birthday));
    row("Frühester Beginn des Besoldungsdienstalters", date(r->regularBda));
    next(s, 0.5);
    s.printAt(kLeft, "Der Beginn ist um Zeiten hinauszuschieben, in denen", true);
    s.printAt(kLeft, "kein Anpsruch auf Besoldung bestand und zwar", true);
    next(s, 0.5);
    const int threshold = r->office.thresholdAge;
    s.printAt(kLeft, "1. um die Hälfte der Zeiten zwischen der", true);
    row("   Vollendung des    " + std::to_string(threshold) + ". Lebensjahres am ",
        date(r->thresholdBirthday));
    row("   u.d. Vollend. des " + std::to_string(threshold + 4) + ". Lebensjahres am ",
        date(addMonths(r->thresholdBirthday, 48)));
    s.printAt(kLeft, "   (Einzeldarstellung siehe unten)");
    spanColumns(s, r->half.share, kDate - 0.2);
    next(s);
    s.printAt(kLeft, "2. um ein Viertel der Zeiten danach, nämlich ab");
    s.printAt(kDate, r->quarter.applies ? date(r->quarter.from) : "-");
    next(s);
    s.printAt(kLeft, "   bis zur (erneuten) Ernennung am " + date(*in.appointment));
    spanColumns(s, r->quarter.share, kDate - 0.2);
    next(s);
    s.printAt(kLeft, "-------------", true);
    s.setFont("Courier New", 10, true);
    row("Das Besoldungsdienstalter beginnt also am", date(r->bda));
    s.setFont("Courier New", 10);
    s.printAt(kLeft, "=============", true);
    next(s);

    const struct {
        const char* number;
        const PostponementPhase& phase;
        const std::vector<DatePeriod>& periods;
        const char* share;
    } phases[] = {
        {"nach Nr. 1", r->half, in.halfPhasePeriods, "davon die Hälfte  (Übertrag nach Nr. 1)"},
        {"nach Nr. 2", r->quarter, in.quarterPhasePeriods, "davon ein Viertel (Übertrag nach Nr. 2)"}};
    constexpr double kSpan = 7.2;
    for (const auto& p : phases) {
        s.setFont("Courier New", 10, true);
        s.printAt(kLeft, "Der o.g. Zeitraum " + std::string(p.number) + " umfaßt");
        const int months = p.phase.span.years * 12 + p.phase.span.months;
        s.printAt(4.6, p.phase.applies ? " " + std::to_string(months) + "  Monate" : "____ Monate");
        next(s);
        s.setFont("Courier New", 10);
        if (p.phase.applies) {
            s.printAt(kLeft, date(p.phase.from) + "  bis  " + date(p.phase.to));
            spanColumns(s, p.phase.span, kSpan);
            next(s);
        }
        s.printAt(kLeft, "In dieser Zeit standen dem Bediensteten", true);
        s.printAt(kLeft, "die folgenden anrechenbaren Bezüge zu:");
        s.printRight(kSpan - 1.2, "Tage");
        s.printRight(kSpan - 0.6, "Monate");
        s.printRight(kSpan, "Jahre");
        next(s);
        // The spans belong to the periods that counted, in input order.
        const bool half = &p.phase == &r->half;
        std::vector<DatePeriod> counted;
        for (size_t i = 0; i < p.periods.size(); ++i)
            if (std::none_of(r->refused.begin(), r->refused.end(),
                             [&](const RefusedPeriod& x) { return x.halfPhase == half && x.index == i; }))
                counted.push_back(p.periods[i]);
        for (size_t i = 0; i < p.phase.periodSpans.size() && i < counted.size(); ++i) {
            s.printAt(kLeft, "   " + date(counted[i].from) + "   bis   " + date(counted[i].to));
            spanColumns(s, p.phase.periodSpans[i], kSpan);
            next(s);
        }
        s.printAt(kLeft, "Restliche Monate ohne Bezüge");
        spanColumns(s, p.phase.withoutPay, kSpan);
        next(s);
        s.printAt(kLeft, p.share);
        spanColumns(s, p.phase.share, kSpan);
        next(s, 1.5);
    }
    for (const RefusedPeriod& refused : r->refused) {
        s.printAt(kLeft, "Nicht berücksichtigt:" + refused.message, true);
    }
}

void bdabescheid(const Session& g, PrintSurface& s, const PrintOptions& options) {
    const ServiceAgeInput in = LoadServiceAgeInput(g);
    const auto r = serviceAgeOf(g);
    if (!r) return;
    start(s);
    employerBlock(g, s, options);
    s.setFont("Arial", 8);
    s.printAt(kLeft, "Dienstanschrift:", true);
    next(s);
    addressee(g, s);
    s.setFont("Arial", 11, true);
    s.printAt(kLeft, "Festsetzung Ihres Besoldungsdienstalters", true);
    next(s);
    s.setFont("Arial", 10);
    s.printAt(kLeft,
              "Ihr Besoldungsdienstalter (BDA) wird mit Wirkung ab " + date(*in.appointment) +
                  " festgesetzt auf " + date(r->bda) + ".",
              true);
    next(s);
    s.setFont("Arial", 10, true);
    s.printAt(kLeft, "Begründung", true);
    s.setFont("Arial", 10);
    s.printAt(
        kLeft,
        "Das BDA wurde gemäß § " + std::to_string(r->office.paragraph) + " BBesG wie folgt berechnet:", true);
    next(s, 0.5);
    constexpr double kDate = 5.6;
    auto row = [&](const std::string& caption, const CalendarDate& d) {
        s.printAt(kLeft + 0.2, caption);
        s.printAt(kDate, date(d));
        next(s);
    };
    row("1. Geburtstag", *in.birthday);
    row("2. Vollendung des 21. Lebensjahres", r->completionOf21);
    row("3. Regel-Besoldungsdienstalter", r->regularBda);
    row("4. Tag der Ernennung bzw. Dienstaufnahme", *in.appointment);
    const DateSpan& p = r->postponement;
    if (p == DateSpan{}) {
        s.printAt(kLeft + 0.2, "5. Das Regel-BDA lt. Ziffer 3 ist nicht hinauszuschieben.", true);
    } else {
        s.printAt(kLeft + 0.2,
                  "5. Das Regel-BDA ist lt. Berechnung auf Seite 2 um " + std::to_string(p.years) +
                      " Jahre " + std::to_string(p.months) + " Monate und " + std::to_string(p.days) +
                      " Tage",
                  true);
        s.printAt(kLeft + 0.5, "hinauszuschieben und beginnt somit am ");
        s.printAt(kDate, date(r->bda), true);
    }
    next(s);
    s.setFont("Arial", 10, true);
    s.printAt(kLeft, "Rechtsbehelfsbelehrung", true);
    s.setFont("Arial", 9);
    const std::string belehrung = LoadRemedyText(g);
    if (belehrung.empty())
        s.printAt(kLeft, "Der Text der Rechtsbehelfsbelehrung fehlt (Texte/Belehrung.txt).", true);
    else
        druckschleifeneu(s, belehrung);
    signatures(s);
}

// ---------------------------------------------------------------------------------------------
// Jubilee service age

void jdabescheid(const Session& g, PrintSurface& s, const PrintOptions& options) {
    JubileeInput in;
    const auto r = jubileeOf(g, &in);
    if (!r) return;
    start(s);
    employerBlock(g, s, options);
    addressee(g, s);
    s.setFont("Arial", 11, true);
    s.printAt(kLeft, "Festsetzung des Beginns Ihres Jubiläumsdienstalters", true);
    next(s);
    s.setFont("Arial", 10);
    s.printAt(kLeft,
              "Der Beginn Ihres Jubiläumsdienstalters (JDA) wird festgesetzt auf " + date(r->jdaBegin) + ".",
              true);
    next(s);
    s.setFont("Arial", 10, true);
    s.printAt(kLeft, "Berechnung:");
    spanHeads(s);
    s.printAt(kLeft, "1. Dienstbezüge bei uns ab (Regelbeginn des JDA)");
    s.printAt(5.0, date(*in.payStart), true);
    auto block = [&](const char* caption, const std::vector<DatePeriod>& periods, const DateSpan& sum) {
        s.printAt(kLeft, caption, true);
        if (periods.empty()) {
            s.printAt(kLeft + 0.3, "Keine", true);
            return;
        }
        for (const DatePeriod& p : periods) {
            s.printAt(kLeft + 0.3, date(p.from) + "  bis  " + date(p.to));
            spanColumns(s, datumsdifferenz(p.from, p.to), kRight);
            next(s);
        }
        s.printAt(kLeft + 0.3, "zusammen");
        spanColumns(s, sum, kRight);
        next(s);
    };
    block("2. Anzurechnende Zeiten davor bei anderen Dienstherren", in.earlierEmployers, r->credited);
    block("3. Nicht zu berücksichtigende Zeiten (z.B. unbezahlter Sonderurlaub)", in.notCounting,
          r->notCounted);
    next(s, 0.5);
    s.printAt(kLeft, "4. Nachrichtlich und vorbehaltlich zu berücksichtigender künftiger Umstände:", true);
    const std::string age = std::to_string(r->retirementAgeYears) + " Jahren und " +
                            std::to_string(r->retirementAgeMonths) +
                            (r->retirementAgeMonths == 1 ? " Monat" : " Monaten");
    s.printAt(kLeft + 0.3, in.retirement ? "Eintritt in den Ruhestand" : "Erreichen der Regelaltersgrenze");
    s.printAt(5.0, date(r->retirement) + " im Alter von " + age, true);
    for (const Jubilee& j : r->jubilees) {
        s.printAt(kLeft + 0.3, std::to_string(j.years) + "-jähriges Dienstjubiläum");
        s.printAt(5.0, date(j.date) + (j.reached ? "" : " (wird nicht erreicht) "), true);
    }
    signatures(s);
}

void DruckBeschaeftigung(const Session& g, PrintSurface& s, const PrintOptions& options) {
    JubileeInput in;
    const auto r = jubileeOf(g, &in);
    const auto cutOff = parseCalendarDate(options.today);
    if (!r || !cutOff) return;
    const DateSpan withUs = datumsdifferenz(*in.payStart, *cutOff);
    const DateSpan total = r->credited + withUs;
    const DateSpan relevant = spanDifference(total, r->notCounted);
    start(s);
    employerBlock(g, s, options);
    addressee(g, s);
    s.setFont("Arial", 11, true);
    s.printAt(kLeft, "Beschäftigungszeit von  " + g.workingCase.name + "  nach § 34 TVöD/TV-L", true);
    next(s);
    s.setFont("Arial", 10);
    s.printAt(kLeft,
              "Zum Stichtag am " + date(*cutOff) + " beträgt Ihre Beschäftigungszeit " + spanWords(relevant),
              true);
    s.printAt(kLeft, "und setzt sich wie folgt zusammen:", true);
    next(s);
    s.setFont("Arial", 10, true);
    spanHeads(s);
    auto row = [&](const std::string& caption, const DateSpan& d) {
        s.printAt(kLeft, caption);
        spanColumns(s, d, kRight);
        next(s);
    };
    row("1. Anrechenbare Zeiten  bei früheren Dienstherren", r->credited);
    row("2. Beschäftigungszeit bei uns vom  " + date(*in.payStart) + "  bis  " + date(*cutOff), withUs);
    row("3. Beschäftigungszeiten insgesamt (Nr. 1 und Nr. 2)", total);
    row("4. Nicht zu berücksichtigende Zeiten (z.B. unbezahlter Sonderurlaub)", r->notCounted);
    s.setFont("Arial", 10, true);
    row("5. Maßgebliche Beschäftigungszeit (Nr. 3 minus Nr. 4)", relevant);
    signatures(s);
}

// ---------------------------------------------------------------------------------------------
// Vacation

void urlaubsberechnung(const Session& g, PrintSurface& s, const PrintOptions& options) {
    std::string payGroup;
    const VacationInput in = LoadVacationInput(g, &payGroup);
    VacationResult r;
    try {
        r = computeVacation(in);
    } catch (const Error&) {
        return;
    }
    start(s);
    s.setFont("Arial", 12, true);
    s.printAt(kLeft, "Berechnung des Urlaubsanspruchs für " + g.workingCase.name, true);
    s.setFont("Arial", 8);
    s.printAt(kLeft, "Urlaubsjahr " + std::to_string(g.year) + ", erstellt am " + longDate(options.today),
              true);
    next(s);
    constexpr double kDays = 6.6;
    s.setFont("Arial", 9, true);
    s.printRight(kDays, "Tage");
    next(s);
    s.setFont("Arial", 9);
    auto rule = [&] { s.printAt(kLeft, std::string(110, '_'), true); };
    auto row = [&](const std::string& caption, const std::string& days) {
        s.printAt(kLeft, caption);
        s.printRight(kDays, days);
        next(s);
    };
    row("1.  Geboren am " + (in.birthday ? date(*in.birthday) : std::string("(fehlt)")), "");
    s.printAt(kLeft + 0.3,
              "Demnach wird im Laufe des Urlaubsjahres das " + std::to_string(r.age) +
                  ". Lebensjahr vollendet.",
              true);
    row("2.  Vergütungsgruppe zu Beginn des Urlaubsjahres " + payGroup, "");
    row("3.  Urlaubsanspruch bei 5-Tagewoche (5 Arbeitstage * 52 Wochen = 260 Arbeitstage jährl.) einer "
        "Fünftagewoche",
        std::to_string(r.entitlement));
    row("4.  +  Zusatzurlaub", leaveText(in.additional));
    rule();
    row("5.  Zwischenergebnis", leaveText(r.intermediate));
    const int w2 = r.halfDaysPerWeek;
    const std::string w = std::to_string(w2 / 2) + (w2 % 2 ? ",5" : "");
    if (r.periodDays) {
        row("6.  Umrechnung bei Abweichungen von der Fünftagewoche nach Zeiträumen: " +
                std::to_string(*r.periodDays) + " Arb.Tage",
            "");
        for (const WorkingDaysPeriod& p : in.periods)
            if (!p.empty()) row("     " + periodLineText(p) + " Arb.Tage", "");
    } else {
        row("6.  Umrechnung bei Abweichungen von der Fünftagewoche: " + w +
                " Arbeitstage X 52 Wochen = " + std::to_string(r.workingDays) + " Arb.Tage",
            "");
    }
    const std::string yearDays =
        r.periodDays ? std::to_string(*r.periodDays) : leaveText(int64_t{w2} * 26 * 1000);
    row("     " + leaveText(r.intermediate) + " / 260 X (" + yearDays + " + " + std::to_string(r.correction) +
            ")= (kaufmännisch gerundet)",
        std::to_string(r.converted));
    row("7.  +  Zusatzurlaub", leaveText(in.furtherAdditional));
    rule();
    row("8.   = Zwischensumme", leaveText(r.subtotal));
    s.printAt(kLeft, "9.  Der Anspruch aus " + std::to_string(in.fullMonths) +
                         " vollen Beschäftigungsmonaten  beträgt anteilig");
    s.printAt(5.0, "Anteil " + std::to_string(in.fullMonths) + "/12");
    s.printRight(kDays, leaveText(r.proRata));
    next(s);
    s.printAt(kLeft + 0.3,
              " (BUrlV: beim Ausscheiden wegen Rente i.d. 1. Jahreshälfte = 6 Monate, i.d. 2. "
              "Jahreshälfte = 12 Monate)",
              true);
    row("10.  - Kürzung für " + std::to_string(in.pensionMonths) +
            " volle Kal.-Monate des Bezugs von befristeter Rente wegen verminderter Erwerbsfähigkeit",
        leaveText(-r.pensionCut));
    row("11.  - Kürzung für " + std::to_string(in.specialLeaveMonths) +
            " volle Kalendermonate Sonderurlaub (ausgen. Fortbildungsurlaub bis 3 Monate)",
        leaveText(-r.specialLeaveCut));
    rule();
    row("12.  Gesamter Urlaubsanspruch  für das laufende Jahr (Rundung nach § 5 Abs. 2 BUrlG)",
        std::to_string(r.total));
    row("13.  Mindesturlaub nach § 3 BUrlG", std::to_string(r.statutoryMinimum));
    row("14.  Mindesturlaub nach § 19 JArbSchG", r.youthMinimum ? std::to_string(*r.youthMinimum) : "-");
    rule();
    row("16.  Urlaubsanspruch für das laufende Jahr " + entitledRowNote(r.entitledRow),
        std::to_string(r.entitled));
    row("17.  Resturlaub aus dem Vorjahr", leaveText(in.previousYearRest));
    row("18.  Verbrauchter Urlaub im laufenden Jahr", leaveText(-in.taken));
    rule();
    s.setFont("Arial", 9, true);
    row("19. Resturlaub", leaveText(r.rest));
    s.setFont("Arial", 9);
    next(s, 0.5);
    if (r.compensation && in.monthlyPay) {
        s.printAt(kLeft,
                  "20. Höhe einer etwaigen Urlaubsabgeltung: " + amountText(*in.monthlyPay) +
                      " Euro x 12 x " + leaveText(in.daysToPayOff) + " / " +
                      leaveText(int64_t{w2} * 26 * 1000) + " = " + amountText(*r.compensation) + " Euro",
                  true);
    } else {
        s.printAt(kLeft, "20. Höhe einer etwaigen Urlaubsabgeltung: -", true);
    }
    s.printAt(kLeft,
              "      (Monatl. Urlaubsvergütung x 12    /    Arbeitstage je Woche * 52    *   abzugeltende "
              "Urlaubstage)",
              true);
}

// ---------------------------------------------------------------------------------------------
// Step duration

void druckstufenlaufzeit(const Session& g, PrintSurface& s, const PrintOptions& options) {
    if (!options.stepDuration) return;
    const StepDurationView& v = *options.stepDuration;
    start(s);
    employerBlock(g, s, options);
    addressee(g, s);
    const std::string month = monthOfYear(g.month(), g.year);
    s.setFont("Arial", 11, true);
    s.printAt(kLeft, "Berechnung für den Monat " + month, true);
    next(s);
    s.setFont("Arial", 10);
    constexpr double kDate = 4.6;
    const CalendarDate moved = addMonths(v.beginning, v.movementMonths);
    s.printAt(kLeft, "Beginn der Laufzeit der Stufe 1 *):");
    s.printAt(kDate, date(v.beginning), true);
    s.printAt(kLeft, "Neuer Beginn der Laufzeit der Stufe 1 *):");
    s.printAt(kDate, date(moved), true);
    next(s, 0.5);
    if (v.movementMonths != 0) {
        const int n = std::abs(v.movementMonths);
        // The step in force in the month shown is the one moved.
        const CalendarDate shown{1, g.month(), g.year};
        int current = 1;
        for (const StepDate& d : v.steps)
            if (!(shown < d.begins)) current = d.position + 1;
        s.printAt(kLeft,
                  "In der folgenden Darstellung wurde eine " +
                      std::string(v.movementMonths > 0 ? "Verlängerung " : "Verkürzung ") + "der Stufe " +
                      std::to_string(current) + " um " + std::to_string(n) + " Monate berücksichtigt.",
                  true);
        s.printAt(kLeft, "Dadurch hat sich der Beginn aller Stufen fiktiv mit Wirkung für die Zukunft", true);
        s.printAt(kLeft,
                  "um " + std::to_string(n) + " Monate nach " +
                      (v.movementMonths > 0 ? "später verlagert." : "früher verlagert."),
                  true);
        next(s, 0.5);
    }
    // The table.
    constexpr double kStep = kLeft;
    constexpr double kRun = 1.7;
    constexpr double kBefore = 3.2;
    constexpr double kAfter = 4.6;
    constexpr double kPay = 7.0;
    s.setFont("Arial", 9, true);
    s.printAt(kStep, "Stufe");
    s.printAt(kRun, "Laufzeit in");
    s.printAt(kBefore, "S  t  u  f  e  n  b  e  g  i  n  n");
    s.printRight(kPay, "Grundgehalt");
    next(s);
    s.printAt(kRun, "Monaten");
    s.printAt(kBefore, "vorher");
    s.printAt(kAfter, "nachher");
    s.printRight(kPay, "Alle Entgelte");
    next(s);
    s.printRight(kPay, "nach dem");
    next(s);
    s.printRight(kPay, "Tabellenstand");
    next(s);
    s.printRight(kPay, "im " + month);
    next(s);
    s.line(kLeft, s.currentY(), kRight, s.currentY());
    s.setFont("Arial", 9);
    for (size_t i = 0; i < v.steps.size(); ++i) {
        const StepDate& d = v.steps[i];
        s.printAt(kStep, std::to_string(d.position + 1));
        s.printAt(kRun, d.finalStep ? "Endstufe" : std::to_string(d.normalMonths));
        s.printAt(kBefore, date(d.begins));
        s.printAt(kAfter, date(d.movedBegins));
        s.printRight(kPay, v.basicPay[i] ? amountText(*v.basicPay[i]) : "-");
        next(s);
    }
    next(s, 0.5);
    // The step reached in the month shown, or the next one to come.
    const CalendarDate shown{1, g.month(), g.year};
    for (size_t i = 0; i < v.steps.size(); ++i) {
        const StepDate& d = v.steps[i];
        const bool last = i + 1 == v.steps.size();
        if (!last && !(shown < v.steps[i + 1].movedBegins)) continue;
        const bool past = !(shown < d.movedBegins);
        s.printAt(kLeft, past ? "Demnach wurde erreicht" : "Voraussichtlich wird erreicht", true);
        s.printAt(kLeft + 0.3,
                  "Stufe " + std::to_string(d.position + 1) +
                      (d.finalStep ? "  (Endstufe)"
                                   : "  (Laufzeit " + std::to_string(d.normalMonths) + " Monate)") +
                      "  mit " + (v.basicPay[i] ? amountText(*v.basicPay[i]) : "-") + " Euro" + "  am  " +
                      date(d.movedBegins),
                  true);
        break;
    }
    next(s, 0.5);
    s.printAt(kLeft, "Rechtsgrundlage: " + v.legalBasis, true);
    if (v.value)
        s.printAt(kLeft,
                  "Der Wert der Stufenbewegung beläuft sich bis zum Erreichen der Endstufe auf " +
                      amountText(*v.value) + " Euro.",
                  true);
    else
        s.printAt(kLeft, "Der Wert der Stufenbewegung fehlt: die Tariftabelle nennt nicht jede Stufe.", true);
    next(s, 0.5);
    s.printAt(kLeft, "Die Berechnung ist unverbindlich und dient lediglich der Information.", true);
    next(s);
    s.setFont("Arial", 8);
    for (const char* line :
         {"*) Der Beginn der Stufenlaufzeit der Stufe 1 ist lediglich eine Rechengröße zur Berechnung",
          "der   k ü n f t i g e n   Stufenaufstiege. Mit dieser fiktiven Größe können die Wirkungen ",
          "der folgenden Umstände auf künftige Stufenaufstiege in einem Wert zusammengefasst werden:",
          "- angerechnete Vordienstzeiten,", "- leistungsbedingte Stufenbewegungen,",
          "- Stufenbewegungen bei Höhergruppierungen mit betragsmäßiger Stufenzuordnung,",
          "- Unterbrechungen der Tätigkeit, die die Stufenlaufzeit hemmen",
          "- die Tatsache einer höheren Anfangsstufe als Stufe 1 bei bestimmten Besoldungsgruppen.",
          "Der Beginn der Stufe 1 verändert sich erst wieder, wenn erneut einer dieser Umstände "
          "eintritt."})
        s.printAt(kLeft, line, true);
    next(s);
    s.setFont("Arial", 10);
    s.printAt(kLeft, "Mit freundlichem Gruß", true);
}

// ---------------------------------------------------------------------------------------------
// Promotion

void hoehergruppierung(const Session& g, PrintSurface& s, const PrintOptions& options) {
    if (!options.promotion) return;
    const PromotionView& p = *options.promotion;
    const PromotionResult& r = p.result;
    start(s);
    employerBlock(g, s, options);
    s.setFont("Arial", 12, true);
    s.printAt(kLeft, "Höhergruppierung von " + g.workingCase.name + " (" + agreementName(p.agreement) + ")",
              true);
    s.setFont("Arial", 9);
    s.printAt(kLeft, "mit den Tariftabellen des Monats " + monthOfYear(g.month(), g.year), true);
    next(s);
    constexpr double kAmount = 6.4;
    s.setFont("Arial", 10);
    s.printAt(kLeft, "bisher: " + p.groupName + " Stufe " + std::to_string(p.step + 1));
    s.printRight(kAmount, amountText(r.oldTotal) + " Euro", true);
    s.printAt(kLeft, "neu: " + p.newGroupName + " Stufe " + std::to_string(p.newStep + 1));
    s.printRight(kAmount, amountText(r.newTotal) + " Euro", true);
    s.printAt(kLeft, r.more ? "also mehr" : "also weniger");
    s.printRight(kAmount, amountText(r.difference) + " Euro", true);
    if (r.guaranteeAllowance > Money()) {
        s.printAt(kLeft, "Garantiebetrag " + amountText(r.guarantee) + " Euro, als Zulage gezahlt");
        s.printRight(kAmount, amountText(r.guaranteeAllowance) + " Euro *)", true);
    }
    next(s);
    s.setFont("Arial", 9, true);
    s.printAt(kLeft, "ab");
    s.printAt(2.0, "bisher");
    s.printRight(4.2, "Euro");
    s.printAt(4.5, "neu");
    s.printRight(6.4, "Euro");
    s.printRight(7.6, "Unterschied");
    next(s);
    s.setFont("Arial", 9);
    for (const PromotionPeriod& f : p.following) {
        s.printAt(kLeft, date(f.from));
        s.printAt(2.0, "Stufe " + std::to_string(f.oldStep + 1));
        s.printRight(4.2, amountText(f.oldTotal));
        s.printAt(4.5, "Stufe " + std::to_string(f.newStep + 1));
        s.printRight(6.4, amountText(f.newTotal));
        s.printRight(7.6, amountText(f.difference));
        next(s);
    }
    if (r.guaranteeAllowance > Money()) {
        next(s, 0.5);
        s.setFont("Arial", 8);
        s.printAt(kLeft, "*) Der Unterschied ist kleiner als der Garantiebetrag (§ 17 Abs. 4 TVöD / TV-L).",
                  true);
    }
}

// ---------------------------------------------------------------------------------------------
// Working-time recorder

void arbeitszeitdruck(const Session& g, PrintSurface& s, const PrintOptions& options) {
    const LeaveStatement st =
        leaveStatementOf(LoadWorkingTimeYear(g), g.year, options.month ? options.month : g.month());
    start(s);
    s.setFont("Arial", 12, true);
    s.printAt(kLeft, "Anlage zur Abrechnung für " + g.workingCase.name, true);
    s.setFont("Arial", 8);
    s.printAt(kLeft, "erstellt am " + longDate(options.today), true);
    next(s);
    constexpr double kDaysCol = 3.6;
    constexpr double kHours = 4.9;
    constexpr double kPay = 6.4;
    s.setFont("Arial", 9, true);
    s.printAt(kLeft, "Beschäftigung im Jahr " + std::to_string(g.year));
    s.printRight(kDaysCol, "Tage");
    s.printRight(kHours, "Stunden");
    s.printRight(kPay, "Entgelt in €");
    next(s);
    s.setFont("Arial", 9);
    int days = 0, minutes = 0;
    Money pay;
    for (const WorkMonth& m : st.months) {
        s.printAt(kLeft, kMonths[m.month - 1]);
        s.printRight(kDaysCol, std::to_string(m.daysWorked));
        s.printRight(kHours, hoursText(m.minutes));
        s.printRight(kPay, amountText(m.pay));
        next(s);
        days += m.daysWorked;
        minutes += m.minutes;
        pay += m.pay;
    }
    s.setFont("Arial", 9, true);
    s.printAt(kLeft, "S U M M E");
    s.printRight(kDaysCol, std::to_string(days));
    s.printRight(kHours, hoursText(minutes));
    s.printRight(kPay, amountText(pay));
    next(s, 2);

    constexpr double kWork = 5.6;
    constexpr double kLeave = 7.2;
    s.setFont("Arial", 10, true);
    s.printAt(kLeft, "Auskunft über den bisher erworbenen Urlaubsanspruch", true);
    s.setFont("Arial", 9, true);
    s.printRight(kWork, "WERKTAGE");
    s.printRight(kLeave, "URLAUBSTAGE");
    next(s);
    s.setFont("Arial", 9);
    auto row = [&](const std::string& caption, const std::string& work, const std::string& leave) {
        s.printAt(kLeft, caption);
        s.printRight(kWork, work);
        s.printRight(kLeave, leave);
        next(s);
    };
    auto monthName = [](int m) { return m == 0 ? std::string("-") : std::string(kMonths[m - 1]); };
    row("1. Werktage im Kalenderjahr", "312", leaveText(st.fullLeave));
    s.printAt(kLeft, "   (52 Wochen zu je 6 Werktagen oder 12 Monate zu je 26 Werktagen)", true);
    row("2. Erster voller Monat im Urlaubsjahr", monthName(st.firstFull), "");
    row("3. Letzter voller Monat im Urlaubsjahr", monthName(st.lastFull), "");
    row("4. Anzahl der vollen Monate", std::to_string(st.fullMonths), "");
    row("5. Arbeitstage in diesem Zeitraum (4.)", std::to_string(st.daysWorked), "");
    row("6. Anteil der Arbeitstage (5.) an den Werktagen (1.)", milli3(st.shareMilliPercent) + " %", "");
    row("7. Prozentualer Anteil nach Zeile 6 nun bezogen auf den Jahresurlaub (1)", "", milli3(st.earned));
    row("8. Rundung nach § 5 Abs. 2 BUrlG (Bruchteile ab ,5 aufrunden)", "", std::to_string(st.rounded));
    next(s);
    s.setFont("Arial", 10, true);
    s.printAt(kLeft, "Berechnung des Urlaubsentgelts (§ 11 BUrlG)", true);
    s.setFont("Arial", 9);
    auto value = [&](const std::string& caption, const std::string& v) {
        s.printAt(kLeft, caption);
        s.printRight(kLeave, v);
        next(s);
    };
    value("9. Arbeitstage in den letzten drei Monaten", std::to_string(st.recentDays));
    value("10. Arbeitsstunden in den letzten drei Monaten", hoursText(st.recentMinutes));
    value("11. Entgelt in den drei letzten Monaten", amountText(st.recentPay) + " €");
    const std::string perDay =
        st.recentDays > 0
            ? hoursText(static_cast<int>(mulDiv(st.recentMinutes, 1, st.recentDays, Rounding::HalfUp)))
            : "-";
    const std::string hourly = st.hourlyPay ? amountText(*st.hourlyPay) + " €" : "-";
    value("12. Arbeitsstunden pro Tag (10. / 9.)", perDay);
    value("13. Durchschnittl. Stundenlohn (11. / 10.)", hourly);
    value("14. Massgeblicher Stundenlohn nach § 11 BBurlG", hourly);
    value("15. Urlaubsentgelt (" + std::to_string(st.rounded) + "  X  " + perDay + "  X  " + hourly + ") =",
          st.leavePay ? amountText(*st.leavePay) + " €" : "-");
    next(s);
    s.setFont("Arial", 8);
    druckschleifeneu(s, closingRemark(g));
}

void zeiterfassung(const Session& g, PrintSurface& s, const PrintOptions& options) {
    const int month = options.month ? options.month : g.month();
    const WorkMonth m = workMonthOf(LoadWorkingTime(g, month), g.year, month);
    start(s);
    const double top = s.currentY();
    s.setFont("Arial", 8);
    s.printRight(10.5, "erstellt am " + longDate(options.today));
    s.setCurrentY(top);
    s.setFont("Arial", 12, true);
    s.printAt(0.5, "Arbeitszeiten im " + monthOfYear(month, g.year), true);
    s.setFont("Arial", 10);
    s.printAt(0.5, g.workingCase.name + ", Beschäftigung im Jahr " + std::to_string(g.year), true);
    s.printAt(0.5, "Std.Satz: " + amountText(m.hourlyRate) + " €", true);
    next(s);
    constexpr double kBlock0 = 1.6;
    constexpr double kBlockWidth = 1.85;
    constexpr double kTotal = 9.0;
    s.setFont("Arial", 8, true);
    for (int b = 0; b < kWorkBlocks; ++b)
        s.printAt(kBlock0 + b * kBlockWidth, " " + std::to_string(b + 1) + ".  E I N S A T Z");
    s.printAt(kTotal, "Tg     Std.       Euro");
    next(s);
    for (int b = 0; b < kWorkBlocks; ++b)
        s.printAt(kBlock0 + b * kBlockWidth, "von         bis      Std.");
    next(s);
    s.setFont("Arial", 8);
    std::array<int, kWorkBlocks> blockMinutes{};
    for (const WorkDay& d : m.days) {
        s.printAt(0.5, std::to_string(d.day) + ". " + d.weekday);
        if (d.blocks.empty()) {
            s.printAt(kBlock0, "- - -");
        } else {
            for (size_t b = 0; b < d.blocks.size(); ++b) {
                const double x = kBlock0 + static_cast<double>(b) * kBlockWidth;
                const WorkBlock& w = d.blocks[b];
                s.printAt(x, clockText(w.from));
                s.printAt(x + 0.55, clockText(w.to));
                s.printRight(x + 1.55, clockText(w.to - w.from));
                blockMinutes[b] += w.to - w.from;
            }
            s.printAt(kTotal, "1");
            s.printRight(kTotal + 0.75, hoursText(d.minutes));
            s.printRight(kTotal + 1.5, amountText(d.pay));
        }
        const double y = s.currentY() + s.textHeight();
        s.drawStyle = DrawStyle::Dotted;
        s.line(0.5, y, kTotal + 1.5, y);
        s.drawStyle = DrawStyle::Solid;
        next(s);
    }
    s.setFont("Arial", 8, true);
    s.printAt(0.5, "Q U E R S U M M E");
    for (int b = 0; b < kWorkBlocks; ++b)
        s.printRight(kBlock0 + b * kBlockWidth + 1.55, clockText(blockMinutes[static_cast<size_t>(b)]));
    next(s);
    s.printAt(0.5, "S U M M E");
    s.printRight(kTotal + 0.1, std::to_string(m.daysWorked));
    s.printRight(kTotal + 0.75, hoursText(m.minutes) + " Std.");
    s.printRight(kTotal + 1.5, amountText(m.pay) + " €");
    next(s, 2);
    s.setFont("Arial", 8);
    druckschleifeneu(s, closingRemark(g));
}

// ---------------------------------------------------------------------------------------------

std::optional<PromptMessage> calculatorInputMissing(const Session& g, int kind, const PrintOptions& options) {
    std::string missing;
    try {
        switch (kind) {
        case kServiceAgeCalculation:
        case kServiceAgeNotice:
            (void)computeServiceAge(LoadServiceAgeInput(g)); // throws naming what is missing
            break;
        case kJubileeNotice:
        case kEmploymentTime:
            (void)computeJubilee(LoadJubileeInput(g));
            if (kind == kEmploymentTime && !parseCalendarDate(options.today)) missing = "Der Stichtag fehlt.";
            break;
        case kVacationCalculation:
            (void)computeVacation(LoadVacationInput(g, nullptr));
            break;
        case kStepDurationLetter:
            if (!options.stepDuration) missing = "Die Stufenlaufzeit ist noch nicht berechnet.";
            break;
        case kPromotion:
            if (!options.promotion) missing = "Die Höhergruppierung ist noch nicht berechnet.";
            break;
        default:
            return std::nullopt;
        }
    } catch (const Error& e) {
        missing = e.what();
    }
    if (missing.empty()) return std::nullopt;
    return PromptMessage{PromptIcon::Information,
                         "Bitte vorher Daten eingeben",
                         {"Dateneingabe fehlt", missing},
                         PromptButtons::Ok};
}

} // namespace varemo::print
