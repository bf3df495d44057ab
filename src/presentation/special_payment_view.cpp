#include "presentation/special_payment_view.h"

namespace varemo {
namespace {

// A whole number of the smallest unit with its decimals: fixedText(8205, 2) "82,05".
std::string fixedText(int64_t value, int decimals) {
    int64_t scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    std::string fraction = std::to_string(value % scale);
    fraction.insert(0, static_cast<size_t>(decimals) - fraction.size(), '0');
    return std::to_string(value / scale) + "," + fraction;
}

} // namespace

SpecialPaymentView specialPaymentView(Globaldaten& g) {
    static const char* const kMonths[] = {"Januar",    "Februar", "März",     "April",
                                          "Mai",       "Juni",    "Juli",     "August",
                                          "September", "Oktober", "November", "Dezember"};
    const SpecialPaymentComputation comp = computeSpecialPayment(g);
    const bool civil = comp.category.kind == SpecialPaymentCategory::Kind::CivilServant;
    SpecialPaymentView v;
    v.title = std::string(comp.category.averageBase ? "Jahressonderzahlung" : "Jährliche Sonderzuwendung") +
              " für " + g.workingCase.name;
    v.header = {"", "Vollzeit", "Teilzeit", "A T Z", "Tatsächlich"};
    for (int m = 0; m < 12; ++m)
        v.rows.emplace_back(kMonths[m], comp.months[static_cast<size_t>(m)]);
    v.summary.emplace_back("Basis-Gehalt 2)", comp.base.toDisplay());
    v.summary.emplace_back("Belegte Monate", std::to_string(comp.occupiedMonths));
    v.summary.emplace_back(comp.east ? "Ost in % " : "West in % ", fixedText(comp.percent, 2) + " %");
    v.summary.emplace_back("/ 12 * belegte M.", comp.amount.toDisplay());
    if (civil && comp.children > 0)
        v.summary.emplace_back("davon " + std::to_string(comp.children) + " Kinderzuschl.",
                               " + " + comp.childSupplement.toDisplay());
    v.summary.emplace_back("S U M M E ", comp.total.toDisplay());
    v.footnotes = {"1) Die gelb markierten Beträge enthalten nur ",
                   "    Gehaltsteile mit \"x\" in Spalte \"W\"."};
    if (comp.category.averageBase) {
        v.footnotes.push_back("2) Durchschnittsbetrag der gelb markierten");
        v.footnotes.push_back("    Monatsgehälter.");
    } else {
        v.footnotes.push_back("2) Nur der September wird genommen.");
    }
    v.footnotes.push_back("3) Fehltage in maßgeblichen Bruchteilsmonaten");
    v.footnotes.push_back("    werden mit Durchschnittstagesgehalt gefüllt.");
    return v;
}

} // namespace varemo
