#include "deductions/kind_lists.h"

#include "deductions/social_insurance_step.h"

namespace varemo {
namespace {

constexpr size_t kTextLength = 35;

// Cuts a UTF-8 text to 35 characters.
std::string fit(std::string s) {
    size_t chars = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) continue;
        if (++chars > kTextLength) return s.substr(0, i);
    }
    return s;
}

std::string withRate(const std::string& text, Rate r, const std::string& suffix) {
    std::string sep = (!text.empty() && text.back() == ' ') ? "" : " ";
    return fit(text + sep + formatRate(r) + suffix);
}

// An entry the user's option-text file names; its shipped text where the file has none.
std::string userText(const Globaldaten& g, int record, const char* shipped) {
    std::string text = g.pay.texts.text(record);
    return text.empty() ? shipped : text;
}

} // namespace

std::string formatRate(Rate r) {
    std::int64_t v = r.value < 0 ? -r.value : r.value;
    std::string whole = std::to_string(v / 10000);
    std::string frac = std::to_string(v % 10000 + 10000).substr(1); // four digits
    while (frac.size() > 2 && frac.back() == '0')
        frac.pop_back();
    return (r.value < 0 ? "-" : "") + whole + "," + frac;
}

std::vector<std::string> contributionKindList(Globaldaten& g, int line) {
    const SvDefaults& d = sessionSvDefaults(g);
    const Rate pv = d.pvHalf * 2, rv = d.rvHalf * 2, av = d.avHalf * 2;
    switch (line) {
    case 37: {
        const Rate kv = Rate::fromHundredths(caseHealthRate(g));
        return {withRate("KV-Beitrag           ", kv, " % / 2"),
                withRate("KV-AG-Zuschuß ", kv, " % / 2"),
                "KV-Gleitzonenbeitrag",
                "Befreit von der KV-Pflicht",
                "KV. AN=0%, AG=10%",
                "KV. AN=0%, AG=13%",
                "KV. AN=0%, AG=0%",
                "KV-Beitrag laut Eingabe",
                "KV-AG-Zuschuß laut Eingabe",
                "KV-Gleitzonenbeitrag lt. Eing.",
                "Ermäß.KV-Beitrag",
                "Ermäß.KV-AG-Zusch.",
                "AG-Zusch.freiw.ges.KV"};
    }
    case 38: {
        auto pvText = [&g](int p, const char* shipped) {
            return userText(g, optiontext::kCareKindFirst + p, shipped);
        };
        return {withRate(pvText(0, "PV"), pv, " % / 2"),
                withRate("AG-Zuschuss priv. PV", pv, " % / 2"),
                fit(withRate(pvText(2, "PV Sachsen"), d.pvHalf + d.saxonyShift, " % von ") + formatRate(pv)),
                fit(withRate(pvText(3, "PV-AG-Zusch. Sa."), d.pvHalf - d.saxonyShift, " % von ") +
                    formatRate(pv)),
                fit(pvText(4, "Keine Pflegeversicherung")),
                fit(pvText(5, "PV-Beitrag lt. Eingabe")),
                fit(pvText(6, "PV-AG-Zuschuß lt. Eingabe")),
                "PV-Gleitzonenbeitrag",
                "PV-Gleitzonenbeitrag lt.Eing.",
                withRate("AG-Zusch.freiw.ges.PV", pv, " % / 2")};
    }
    case 39: {
        auto rvText = [&g](int p, const char* shipped) {
            return userText(g, optiontext::kPensionKindFirst + p, shipped);
        };
        return {withRate(rvText(0, "RV"), rv, " % / 2"),
                fit(rvText(1, "Keine Rentenversicherung")),
                "RV. AN=0%, AG=15%",
                fit(rvText(3, "RV. AN=") + formatRate(rv - Rate{150000}) + " %, AG = 15 %"),
                fit(rvText(4, "RV-Beitrag lt. Eingabe")),
                withRate("Rentenvers. AG-Zuschuß ", rv, " % / 2"),
                fit("Rentenvers. AN=0 / AG=" + formatRate(rv) + " % / 2"),
                "RV-Gleitzonenbeitrag",
                "RV-Gleitzonenbeitrag aufgestockt",
                "RV-Gleitzonenbeitrag lt. Eing.",
                "RV-Gleitz.-Beitrag aufgestockt lt.E.",
                "Haushaltsscheckverfahren",
                "freiw.versichert gesetzl. Rentenv.",
                "freiw.vers. berufsständ.Vers.Einr."};
    }
    case 40: {
        auto avText = [&g](int p, const char* shipped) {
            return userText(g, optiontext::kUnemploymentKindFirst + p, shipped);
        };
        return {withRate(avText(0, "AV"), av, " % / 2"),
                fit(avText(1, "Keine Arbeitslosenvers.")),
                fit(avText(2, "AV-Beitrag lt. Eingabe")),
                "AV-Gleitzonenbeitrag",
                "AV-Gleitzonenbeitrag lt. Eingabe",
                fit(avText(5, "nicht belegt")),
                fit("AV, AN = 0 %, AG = " + formatRate(av) + " %")};
    }
    default:
        return {};
    }
}

} // namespace varemo
