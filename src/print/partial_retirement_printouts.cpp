#include "print/partial_retirement_printouts.h"

#include "print/number_format.h"
#include "print/print_rows.h"
#include "print/recording_surface.h"

#include <array>
#include <string>
#include <vector>

namespace varemo::print {
namespace {

constexpr double kLeft = 0.6;
constexpr double kRight = 7.8;

const PartialRetirementResult* start(const Session& g, PrintSurface& s) {
    s.setScaleMode(ScaleMode::Inches);
    s.foreColor = kBlack;
    s.setCurrentY(s.currentY() + 0.5);
    rows::body(s);
    const PartialRetirementResult& r = g.retirement.result;
    if (r.computed) return &r;
    s.printAt(kLeft,
              "Keine Altersteilzeit eingestellt (Zeile 23: \"% TV-ATZ Arbeitsphase\" oder "
              "\"% TV-ATZ Freizeitphase\").",
              true);
    return nullptr;
}

// A printout of one legal basis for a case of the other: says so and prints nothing else.
void otherBasis(PrintSurface& s, const char* text) {
    s.printAt(kLeft, text, true);
}

void rule(PrintSurface& s) {
    const double y = s.currentY() + 0.05;
    s.line(kLeft, y, kRight, y);
    rows::next(s, 0.5);
}

void title(PrintSurface& s, const std::string& text) {
    s.setFont("Courier New", 10, true);
    s.printAt(kLeft, text, true);
    rows::body(s);
}

std::string percent(int whole) {
    return std::to_string(whole) + " %";
}

// "für " month of the run: the sheet's month, the year salary has no partial-retirement sheet.
std::string monthText(const Session& g) {
    return monthOfYear(g.month(), g.year);
}

// ---- The monthly calculation sheet -----------------------------------------------------------------
// A ruled table as the window shows it: fixed-width text in "Courier New" with "|" between the columns and
// rules of "_", so that paper and text output keep the columns. The side calculations' three columns
// are the widest row the page takes at this size.

constexpr double kSheetSize = 7.5;

struct RuledTable {
    std::vector<size_t> widths; // characters of each column
    std::vector<bool> right;    // amount columns, right-aligned

    size_t total() const {
        size_t n = 1;
        for (size_t w : widths)
            n += w + 3;
        return n;
    }
};

std::string padded(const std::string& text, size_t width, bool right) {
    const size_t n = characterCount(text);
    if (n >= width) return text;
    const std::string blanks(width - n, ' ');
    return right ? blanks + text : text + blanks;
}

void ruledRow(PrintSurface& s, const RuledTable& t, const std::vector<std::string>& cells,
              bool heads = false) {
    std::string out = "|";
    for (size_t c = 0; c < t.widths.size(); ++c)
        out += " " + padded(c < cells.size() ? cells[c] : "", t.widths[c], !heads && t.right[c]) + " |";
    s.printAt(kLeft, out, true);
}

// A row across all columns.
void spanRow(PrintSurface& s, const RuledTable& t, const std::string& text) {
    s.printAt(kLeft, padded(text.starts_with("|") ? text : "|" + text, t.total() - 1, false) + "|", true);
}

void ruledRule(PrintSurface& s, const RuledTable& t) {
    std::string out = "|";
    for (size_t w : t.widths)
        out += std::string(w + 2, '_') + "|";
    s.printAt(kLeft, out, true);
}

// A rule under a row across all columns that another such row follows.
void spanRule(PrintSurface& s, const RuledTable& t) {
    s.printAt(kLeft, "|" + std::string(t.total() - 2, '_') + "|", true);
}

void topRule(PrintSurface& s, const RuledTable& t) {
    s.printAt(kLeft, " " + std::string(t.total() - 2, '_'), true);
}

// The side calculations: a caption and the columns of the two legal bases (or of full time and
// partial retirement for civil servants).
const RuledTable kSide{{45, 35, 28}, {false, true, true}};

RuledTable payTable() {
    RuledTable t{{0, 4, 14, 9, 14}, {false, false, true, true, true}};
    t.widths[0] = kSide.total() - t.total(); // as wide as the side calculations
    return t;
}

void payBlock(const Session& g, PrintSurface& s) {
    const RuledTable t = payTable();
    topRule(s, t);
    spanRow(s, t, "|             G    E    H    A    L    T");
    ruledRule(s, t);
    ruledRow(s, t, {"", "Kat.", "    für Arbeit", "    Teil-", "        für"}, true);
    ruledRow(s, t, {"", "", " in bisherigem", "    zeit-", "      Alters-"}, true);
    ruledRow(s, t, {"", "", "    Umfang", "   Anteil", "     teilzeit-"}, true);
    ruledRow(s, t, {"", "", "  (\"Vollzeit\")", "    in %", "      arbeit"}, true);
    ruledRule(s, t);
    Money previous, paid;
    for (int l = kFirstGrossLine; l <= kLastGrossLine; ++l) {
        const LineColumns& col = g.extras.columns.line(l);
        if (col.partTime == Money() && col.actual == Money()) continue;
        ruledRow(s, t,
                 {g.sheet.line(l).text, std::string(1, g.workingCase.grossLine(l).partialRetirementCategory),
                  amountText(col.partTime), percentText(col.retirementFactor), amountText(col.actual)});
        previous += col.partTime;
        paid += col.actual;
    }
    ruledRule(s, t);
    ruledRow(s, t, {"S U M M E", "", amountText(previous), "", amountText(paid)});
    ruledRule(s, t);
}

void both(PrintSurface& s, const std::string& caption, const std::string& atg, const std::string& agreement) {
    ruledRow(s, kSide, {caption, atg, agreement});
}

std::string fullTimeNet(const MinimumNetRaise& r) {
    return r.fromTable ? "" : amountText(r.fullTime.net);
}

std::string minimumNet(const MinimumNetRaise& r) {
    return r.minimumNet ? amountText(*r.minimumNet) : "fehlt";
}

void employeeSideCalculations(const Session& g, PrintSurface& s, const PartialRetirementResult& r) {
    ruledRow(s, kSide, {"", "nach dem Altersteilzeitgesetz (AtG)", "nach dem Tarifvertrag TV ATZ"}, true);
    ruledRule(s, kSide);
    const MinimumNetRaise& a = r.atgRaise;
    const MinimumNetRaise& t = r.agreementRaise;
    both(s, "Teilzeit-Bruttoentgelt der Kategorien", amountText(r.atgTwenty.base),
         amountText(r.agreementTwenty.base));
    both(s, "       20 % -   Aufstockung", amountText(r.atgTwenty.amount),
         amountText(r.agreementTwenty.amount));
    both(s, "       34 % -   Aufstockung (Variante)", "", amountText(r.agreementVariant));
    both(s, "Vollzeit-Bruttoentgelt der Kategorien", amountText(a.fullTime.gross),
         amountText(t.fullTime.gross));
    both(s, " Pauschaliertes Vollzeit-Nettoentgelt", fullTimeNet(a), fullTimeNet(t));
    both(s, " Mindestnettoentgelt (" + percent(a.percent) + " / " + percent(t.percent) + ")", minimumNet(a),
         minimumNet(t));
    both(s, "   Fiktives Teilzeit-Nettoentgelt", amountText(a.partTime.net), amountText(t.partTime.net));
    both(s, "Erhöh.->" + std::to_string(a.percent) + "% Vollzeit-Nettogehalt", amountText(a.raise), "");
    both(s, "Erhöh.-> " + std::to_string(t.percent) + "% Vollzeit-Nettogehalt", "", amountText(t.raise));
    for (const MinimumNetRaise* m : {&a, &t})
        if (!m->minimumNet) spanRow(s, kSide, " " + m->missing);
    ruledRule(s, kSide);
    const PensionTopUp& p = r.pension;
    both(s, "RV-pfl. Vollzeit-Entgelt abz. Einmalzahlungen", "", amountText(p.fullTimePay));
    both(s, "vom AG zu versichernder Differenzbetrag", "", amountText(p.difference));
    both(s, "zusätzlicher RV-Beitrag des AG " + p.rateName + " %", "", amountText(p.contribution));
    // The employer's levy of the supplementary pension as the pension step took it (its worksheet's line
    // 11: the employer's rate on the levy pay, which counts 1.8-fold in partial retirement).
    both(s, "AG-Anteil an der ATV  ", "", amountText(g.pension.worksheet.amount(11)));
}

void civilSideCalculations(PrintSurface& s, const PartialRetirementResult& r) {
    const CivilServantSupplement& c = r.civil;
    spanRow(s, kSide, "| nach der Altersteilzeitzuschlagsverordnung");
    ruledRule(s, kSide);
    ruledRow(s, kSide, {"", "Vollzeit", "Altersteilzeit"}, true);
    ruledRule(s, kSide);
    both(s, "Maßgebliche Bezüge", amountText(c.fullTime.gross), amountText(c.partTime.gross));
    both(s, " -   Lohnsteuer", amountText(c.fullTime.wageTax), amountText(c.partTime.wageTax));
    both(s, " -   Solidaritätszuschlag", amountText(c.fullTime.surcharge), amountText(c.partTime.surcharge));
    both(s, " -   Kirchensteuer 8 %", amountText(c.fullTime.churchTax), amountText(c.partTime.churchTax));
    both(s, " = Nettogehalt (Vollzeit / Altersteilzeit)", amountText(c.fullTime.net),
         amountText(c.partTime.net));
    both(s, "      davon " + percent(c.percent) + " = GARANTIERTES NETTOGEHALT", amountText(c.guaranteedNet),
         "");
}

// ---- The civil servants' sheet -------------------------------------------------------------------

constexpr double kFull = 5.0;
constexpr double kShare = 6.0;
constexpr double kPart = 7.4;

void threeColumns(PrintSurface& s, const std::string& caption, const std::string& full,
                  const std::string& share, const std::string& part) {
    s.printAt(kLeft, caption);
    s.printRight(kFull, full);
    s.printRight(kShare, share);
    s.printRight(kPart, part, true);
}

// The share of the partial-retirement pay in the full-time pay, in hundredths of a percent.
int64_t shareOf(const CivilServantSupplement& c) {
    if (c.fullTime.gross <= Money()) return 0;
    return mulDiv(c.partTime.gross.units(), 10000, c.fullTime.gross.units(), Rounding::HalfUp);
}

// ---- The letter ----------------------------------------------------------------------------------

constexpr double kAmount = 7.4;

void letterRow(PrintSurface& s, const std::string& caption, Money m) {
    rows::amount(s, kLeft + 0.3, caption, m, kAmount);
}

void paragraph(PrintSurface& s, std::initializer_list<const char*> lines) {
    for (const char* l : lines)
        s.printAt(kLeft + 0.3, l, true);
    rows::next(s, 0.5);
}

constexpr double kTaxColumns[3] = {5.2, 6.3, 7.4};

void taxRow(PrintSurface& s, const std::string& caption, const std::string (&cells)[3]) {
    s.printAt(kLeft + 0.3, caption);
    for (int i = 0; i < 3; ++i)
        s.printRight(kTaxColumns[i], cells[i], i == 2);
}

// ---- The block models with a working-time account ---------------------------------------------------

constexpr double kAccountColumns[5] = {3.6, 4.5, 5.4, 6.4, 7.6};

void accountRow(PrintSurface& s, const std::string& caption, const std::array<std::string, 5>& cells) {
    s.printAt(kLeft, caption);
    for (size_t i = 0; i < cells.size(); ++i)
        if (!cells[i].empty()) s.printRight(kAccountColumns[i], cells[i]);
    rows::next(s);
}

std::array<std::string, 5> accountCells(const AccountLine& l) {
    const auto shown = [](Money m) { return m == Money() ? std::string() : amountText(m); };
    return {shown(l.base), shown(l.withdrawal), shown(l.pay), shown(l.regular), shown(l.topUpBase)};
}

void addTo(AccountLine& sum, const AccountLine& l) {
    sum.base += l.base;
    sum.withdrawal += l.withdrawal;
    sum.pay += l.pay;
    sum.regular += l.regular;
    sum.topUpBase += l.topUpBase;
}

// "20" for 2000 hundredths, "20,5" for 2050.
std::string shareText(int hundredths) {
    std::string t = percentText(hundredths);
    while (t.back() == '0')
        t.pop_back();
    if (t.back() == ',') t.pop_back();
    return t;
}

void accountHead(PrintSurface& s) {
    const double top = s.currentY();
    const char* const heads[3][6] = {
        {"Entgeltbezeichnung", "Basisentgelt", "  Entnahme", "ATZ-Entgelt", "ATZ-Regel-", "Aufzustockende"},
        {"", "", "  aus dem", "", "arbeits-", "Beträge"},
        {"", "", "Wertguthaben", "", "entgelt", ""}};
    for (int row = 0; row < 3; ++row) {
        s.setCurrentY(top + row * rows::kRow);
        s.printAt(kLeft, heads[row][0]);
        for (size_t i = 0; i < 5; ++i)
            s.printRight(kAccountColumns[i], heads[row][i + 1]);
    }
    s.setCurrentY(top + 2 * rows::kRow);
    rule(s);
}

// The pay lines of one kind ("lfd.Entgelt" or "sonstiges Entgelt"), added into sum.
void accountLines(const Session& g, PrintSurface& s, const WorkingTimeAccount& a, bool current,
                  AccountLine& sum) {
    s.setFont("Courier New", 9, true);
    s.printAt(kLeft, current ? "lfd.Entgelt" : "s o n s t i g e s   E n t g e l t", true);
    rows::body(s);
    Money taxFree;
    bool any = false;
    for (const AccountLine& l : a.lines) {
        if (l.current != current) continue;
        any = true;
        accountRow(s, l.line == 0 ? "SV-pfl. Anteil an ZV-Umlage" : g.sheet.line(l.line).text,
                   accountCells(l));
        addTo(sum, l);
        if (l.taxFree) taxFree += l.pay;
    }
    if (!any) s.printAt(kLeft + 0.3, "- k e i n e s -", true);
    if (taxFree != Money()) accountRow(s, "   davon str.frei", {"", "", amountText(taxFree), "", ""});
}

} // namespace

void atzberechnung(const Session& g, PrintSurface& s, const PrintOptions&) {
    const PartialRetirementResult* r = start(g, s);
    if (!r) return;
    // The title in the table's letters, so that its 116 characters fit the width of the table.
    s.setFont("Courier New", kSheetSize, true);
    s.printAt(kLeft,
              "                 B e r e c h n u n g   d e s   A l t e r s t e i l z e i t g e h a l t s   "
              "für den Monat  " +
                  monthText(g),
              true);
    rows::body(s);
    s.printAt(kLeft, g.workingCase.name, true);
    rows::next(s);
    s.setFont("Courier New", kSheetSize);
    payBlock(g, s);
    s.print();
    topRule(s, kSide);
    spanRow(
        s, kSide,
        "                  N     E     B     E     N     R     E     C     H     N     U     N     G     E  "
        "   N");
    if (r->civilServant) {
        spanRule(s, kSide);
        civilSideCalculations(s, *r);
    } else {
        ruledRule(s, kSide);
        employeeSideCalculations(g, s, *r);
    }
    ruledRule(s, kSide);
    both(s, std::string("Zeile 43: ") + g.sheet.line(43).text, "", amountText(r->topUp));
    ruledRule(s, kSide);
    rows::body(s);
}

void atzbeamte(const Session& g, PrintSurface& s, const PrintOptions&) {
    const PartialRetirementResult* r = start(g, s);
    if (!r) return;
    if (!r->civilServant)
        return otherBasis(s, "Keine Altersteilzeit nach der Altersteilzeitzuschlagsverordnung: der Fall ist "
                             "kein Beamtenverhältnis.");
    const CivilServantSupplement& c = r->civil;
    title(s, "            Berechnung des   A U F S T O C K U N G S B E T R A G S");
    title(s, "            für das Altersteilzeitgehalt des Monats " + monthText(g));
    s.printAt(kLeft, g.workingCase.name, true);
    rows::next(s);
    const double top = s.currentY();
    s.printRight(kFull, "      Fiktives");
    s.printRight(kShare, "Gehalts-");
    s.printRight(kPart, "Altersteilzeit-", true);
    s.setCurrentY(top + rows::kRow);
    s.printRight(kFull, "Vollzeitgehalt 1)");
    s.printRight(kShare, "anteil");
    s.printRight(kPart, "gehalt 2)", true);
    rule(s);
    threeColumns(s, "Maßgebliche Bezüge", amountText(c.fullTime.gross), percentText(shareOf(c)) + " %",
                 amountText(c.partTime.gross));
    rule(s);
    threeColumns(s, " -   Lohnsteuer", amountText(c.fullTime.wageTax), "", amountText(c.partTime.wageTax));
    threeColumns(s, " -   Solidaritätszuschlag regulär", amountText(c.fullTime.surcharge), "",
                 amountText(c.partTime.surcharge));
    // Both nets take church tax at 8 %, whether or not the civil servant pays it.
    threeColumns(s, " -   Kirchensteuer (Sp.1 = 8%, Sp. 3 =  8%)", amountText(c.fullTime.churchTax), "",
                 amountText(c.partTime.churchTax));
    rule(s);
    threeColumns(s, " = FIKTIVES VOLLZEIT-NETTOGEHALT / NETTOGEHALT", amountText(c.fullTime.net), "",
                 amountText(c.partTime.net));
    threeColumns(s, "      davon " + percent(c.percent) + " = GARANTIERTES NETTOGEHALT", "", "",
                 amountText(c.guaranteedNet));
    threeColumns(s, " + Aufstockung (steuerfrei mit Progressionsvorbehalt) 3)", "", "",
                 amountText(c.supplement));
    rule(s);
    threeColumns(s, " = Nettogehalt mit Aufstockung", "", "", amountText(c.partTime.net + c.supplement));
    rows::next(s, 2);
    s.setFont("Arial", 8);
    for (const char* l :
         {"1) Grundgehalt, Familienzuschlag, Amtszulagen, Stellenzulagen, Zuschüsse zum Grundgehalt, ",
          "    Bankzulage bei der Deutschen Bundesbank, Überleitungszulagen und Ausgleichszulagen.",
          "2) Steuerfreie Bezüge, Erschwerniszulagen und Vergütungen werden entsprechend der",
          "    tatsächlich geleisteten Tätigkeit gewährt und bleiben deshalb hier außer Betracht.",
          "3) Wegen des Progressionsvorbehalts nach § 32 b Abs. 1 des Einkommensteuergesetzes werden bei"})
        s.printAt(kLeft, l, true);
    s.printAt(kLeft,
              "    der Einkommensteuerveranlagung voraussichtlich für diesen Monat " +
                  amountText(r->progression.extraTotal) + " EURO nachbelastet.",
              true);
}

void atzschreiben(const Session& g, PrintSurface& s, const PrintOptions&) {
    const PartialRetirementResult* r = start(g, s);
    if (!r) return;
    if (r->civilServant)
        return otherBasis(s, "Keine Altersteilzeit nach dem Altersteilzeitgesetz: der Fall ist ein "
                             "Beamtenverhältnis (Aufstockung nach der Altersteilzeitzuschlagsverordnung).");
    const PensionTopUp& p = r->pension;
    const ProgressionEstimate& e = r->progression;
    title(s, "Berechnung des Gehalts für  " + g.workingCase.name + "  bei Altersteilzeitarbeit");
    s.printAt(kLeft, "- ohne Gewähr -", true);
    s.printAt(kLeft, monthText(g), true);
    rows::next(s);
    title(s, "1. Zusätzliche Beiträge zur Rentenversicherung");
    letterRow(s, "Sozialversicherungspflichtiges Vollzeit-Entgelt abz. Einmalzahlungen", p.fullTimePay);
    letterRow(s, "davon 90 % =", p.ninetyPercent);
    letterRow(s, " -  sozialversicherungspflichtiges Teilzeit-Entgelt ", p.partTimePay);
    letterRow(s, " = vom AG zu versichernder Differenzbetrag", p.difference);
    s.printAt(kLeft + 0.3,
              "Bei einem Beitragssatz von " + p.rateName + " % ergibt sich ein zusätzlicher Beitrag von " +
                  amountText(p.contribution),
              true);
    rows::next(s, 0.5);
    title(s, "2. Erstattungen nach dem Altersteilzeitgesetz (AtG)");
    letterRow(s, "a) Aufstockung um 20 % des Teilzeit-Bruttoentgelts = ", r->atgTwenty.amount);
    letterRow(s,
              "b) Aufstockung auf " + std::to_string(r->atgRaise.percent) + " % des Vollzeit-Nettoentgelts =",
              r->atgRaise.raise);
    letterRow(s, "c) Zusätzliche Beiträge zur Rentenversicherung ", p.contribution);
    letterRow(s, "Summe", r->atgTwenty.amount + r->atgRaise.raise + p.contribution);
    rows::next(s, 0.5);
    title(s, "3. Steuerfreibeträge");
    paragraph(s, {"Ein Steuerfreibetrag erhöht das Nettoentgelt und mindert so die Aufstockungsbeträge."});
    title(s, "4. Progressionsvorbehalt nach § 32 b Abs. 1 Buchst. g EStG");
    const std::string heads[3] = {"Lohnsteuer", "Soli.Zuschl.", "Ki.-Steuer"};
    letterRow(s, "Steuerpflichtiges Monatseinkommen", e.taxable);
    letterRow(s, "+ Aufstockungsbeträge nach TV ATZ", e.topUps);
    letterRow(s, "= maßgebl. zu versteuerndes Einkommen", e.total);
    rows::next(s, 0.5);
    taxRow(s, "", heads);
    taxRow(s, "darauf entfallende Lohnsteuer",
           {amountText(e.wageTax), amountText(e.surcharge), amountText(e.churchTax)});
    taxRow(s, "Durchschnittlicher Steuersatz",
           {percentText(e.wageTaxRate) + " %", percentText(e.surchargeRate) + " %",
            percentText(e.churchTaxRate) + " %"});
    s.printAt(kLeft + 0.3,
              "Wird dieser Steuersatz angewandt auf   " + amountText(e.topUps) + " ergeben sich ", true);
    taxRow(s, "= Nachbelastung je Monat und je Steuerart",
           {amountText(e.extraWageTax), amountText(e.extraSurcharge), amountText(e.extraChurchTax)});
    taxRow(s, "= Nachbelastung je Monat insgesamt", {"", "", amountText(e.extraTotal)});
    rows::next(s, 0.5);
    title(s, "5. Kirchensteuer");
    paragraph(s, {"Die pauschalierten Nettoentgelte werden mit 8 % Kirchensteuer berechnet, auch wenn keine",
                  "Kirchensteuer zu zahlen ist; die Aufstockung gleicht den Unterschied aus."});
    rows::next(s);
    s.printAt(kLeft, "   Bitte wenden Sie sich wieder an uns, wenn Sie Fragen haben. Wir beraten Sie gerne.",
              true);
}

void FlexTV(const Session& g, PrintSurface& s, const PrintOptions&) {
    s.setScaleMode(ScaleMode::Inches);
    s.foreColor = kBlack;
    s.setCurrentY(s.currentY() + 0.5);
    rows::body(s);
    const WorkingTimeAccount& a = g.retirement.account;
    if (!a.computed) {
        s.printAt(kLeft,
                  a.missing.empty()
                      ? "Keine Altersteilzeit mit Wertguthaben eingestellt (Zeile 23: \"% AltTZG "
                        "Blockmodell\", \"% TV-FlexAZ Blockmodell\" oder \"% TV-Falter "
                        "Blockmodell\")."
                      : a.missing,
                  true);
        return;
    }
    title(s, "Berechnung des ATZ-Gehalts nach " + a.agreement.name + " für den Monat " + monthText(g));
    s.printAt(kLeft,
              g.workingCase.name + (a.releasePhase ? "  in der Freistellungsphase" : "  in der Arbeitsphase"),
              true);
    rows::next(s, 0.5);
    accountHead(s);
    AccountLine sum;
    accountLines(g, s, a, true, sum);
    rows::next(s, 0.5);
    accountLines(g, s, a, false, sum);
    rule(s);
    s.setFont("Courier New", 9, true);
    accountRow(s, "S U M M E", accountCells(sum));
    rows::body(s);
    rule(s);

    constexpr double kValue = 7.6;
    if (a.releasePhase) {
        rows::amount(s, kLeft, "Entnahme aus dem Wertguthaben in mtl. gleichen Raten", a.withdrawal, kValue);
        s.printAt(kLeft, "Soweit wie möglich werden die Entgelte in der Freistellungsphase mit den für",
                  true);
        s.printAt(kLeft, "den jeweiligen Zahlungsmonat aktuellen Beträgen weitergezahlt (Regelfall).", true);
    } else {
        rows::amount(s, kLeft, "Während der Arbeitsphase: Einstellungen in das   W e r t g u t h a b e n",
                     a.credit, kValue);
    }
    rows::amount(s, kLeft, "Wertguthaben aus den Vormonaten dieses Jahres", a.earlierMonths, kValue);
    rows::amount(s, kLeft, "Wertguthaben nach diesem Monat",
                 a.earlierMonths + (a.releasePhase ? -a.withdrawal : a.credit), kValue);
    rows::next(s, 0.5);
    rows::amount(s, kLeft,
                 shareText(a.agreement.topUpHundredths) +
                     " %-ige Aufstockung, steuerfrei mit Progressionsvorbehalt (§ 32b EStG)",
                 a.topUp, kValue);
    rows::next(s, 0.5);
    const StatutoryPensionTopUp& p = a.pension;
    rows::amount(s, kLeft, "Regelarbeitsentgelt", p.regular, kValue);
    rows::amount(s, kLeft,
                 shareText(a.agreement.pensionCapHundredths) +
                     " % der Beitragsbemessungsgrenze  als Obergrenze der Aufstockung",
                 p.limit, kValue);
    rows::amount(s, kLeft, "Maximaler Spielraum für die Aufstockung", p.room, kValue);
    rows::amount(s, kLeft,
                 "Aufstockungssoll: " + shareText(a.agreement.pensionBaseHundredths) +
                     "% des Regelarbeitsgelts ",
                 p.target, kValue);
    rows::amount(s, kLeft, "Somit Aufstockung", p.base, kValue);
    rows::amount(s, kLeft, a.rateName + " % RV-Beitrag hat der AG zusätzlich aufzubringen:", a.contribution,
                 kValue);
    rows::amount(s, kLeft, "Sonstiges Entgelt kann verbeitragt werden bis: ", a.oneTimeRoom, kValue);
    rows::next(s, 0.5);
    s.setFont("Courier New", 9, true);
    s.printAt(kLeft, "Aufstockung der betriebl. Zusatzversicherung", true);
    rows::body(s);
    rows::amount(s, kLeft, "vers.pfl.Entgelt", a.fundPay, kValue);
    rows::amount(s, kLeft, "Aufstockung auf das 1.8-fache", a.fundRaised, kValue);
    rows::amount(s, kLeft, "also mehr", a.fundRaised - a.fundPay, kValue);
    rows::amount(s, kLeft,
                 "Umlage " + (a.fundLevyRate.empty() ? "0,00" : a.fundLevyRate) + " % aus ATZ-Entgelt",
                 a.fundLevy, kValue);
    rows::next(s, 0.5);

    const ProgressionEstimate& e = a.progression;
    s.setFont("Courier New", 9, true);
    s.printAt(kLeft, "Vorschau auf die Wirkung des Progressisonsvorbehalts nach § 32 b EStG", true);
    rows::body(s);
    s.printAt(kLeft, "(Die zeitliche Streckung der Auszahlung schützt nicht vor der Steuerprogression)",
              true);
    const auto taxes = [&](const std::string& caption, const std::array<std::string, 4>& cells) {
        s.printAt(kLeft, caption);
        for (size_t i = 0; i < cells.size(); ++i)
            s.printRight(kAccountColumns[i + 1], cells[i]);
        rows::next(s);
    };
    taxes("", {"Entgelt", "Lohnstr.", "Soli.", "Ki-Str."});
    taxes("Steuerpflichtiges Monatsgehalt", {amountText(e.taxable), "", "", ""});
    taxes("+ Aufstockungsbetrag", {amountText(e.topUps), "", "", ""});
    taxes("= maßgebl. zu versteuerndes Entgelt", {amountText(e.total), "", "", ""});
    taxes("Darauf entfallende Lohnsteuer",
          {"", amountText(e.wageTax), amountText(e.surcharge), amountText(e.churchTax)});
    taxes("Durchschnittlicher Steuersatz",
          {"", percentText(e.wageTaxRate) + " %", percentText(e.surchargeRate) + " %",
           percentText(e.churchTaxRate) + " %"});
    taxes("Wird dieser %-Satz angewandt auf", {amountText(e.topUps), "", "", ""});
    taxes("ergeben sich", {"", "", "", ""});
    taxes("= Nachbelastung je Steuerart",
          {"", amountText(e.extraWageTax), amountText(e.extraSurcharge), amountText(e.extraChurchTax)});
    taxes("= Nachbelastung insgesamt", {"", "", "", amountText(e.extraTotal)});
    rule(s);
    rows::amount(s, kLeft, std::string("Zeile 43: ") + g.sheet.line(43).text, a.topUp, kValue);
}

} // namespace varemo::print
