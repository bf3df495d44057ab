#include "print/serial_print.h"

#include <algorithm>

namespace varemo::print {

const std::vector<SerialPrintOption>& serialPrintOptions() {
    using R = SerialRange;
    static const std::vector<SerialPrintOption> options = {
        {0, "Brutto", R::Cases, 16},
        {1, "Brutto und Netto", R::Cases, 11},
        {2, "Brutto, Netto und Arbeitgeberaufwand", R::Cases, 12},
        {3, "Anlage ZVK/Soz/LSt", R::Cases, 13},
        {4, "AN-Sicht, Monate einzeln", R::Cases, 0, false, false},
        {6, "AN-Sicht, Monate akkumuliert", R::Cases, 0, false, true},
        {8, "AG-Sicht, Monate einzeln", R::Cases, 0, true, false},
        {10, "AG-Sicht, Monate akkumuliert", R::Cases, 0, true, true},
        {12, "Brutto", R::Months, 16},
        {13, "Brutto und Netto", R::Months, 11},
        {14, "Brutto, Netto und Arbeitgeberaufw.", R::Months, 12},
        {15, "Anlage ZVK/Soz/LSt", R::Months, 13},
    };
    return options;
}

const SerialPrintOption* findSerialPrintOption(int code) {
    for (const SerialPrintOption& o : serialPrintOptions())
        if (o.code == code) return &o;
    return nullptr;
}

NumberRange afterLastChanged(NumberRange r, int highest) {
    r.last = std::clamp(r.last, 1, std::max(1, highest));
    r.last = std::max(r.last, r.first);
    return r;
}

NumberRange afterFirstChanged(NumberRange r, int highest) {
    r.first = std::clamp(r.first, 1, std::max(1, std::min(r.last, highest)));
    return r;
}

std::string serialMonthLabel(int month, int year) {
    static const char* const kMonths[] = {"Januar",    "Februar", "März",     "April",
                                          "Mai",       "Juni",    "Juli",     "August",
                                          "September", "Oktober", "November", "Dezember"};
    if (month == kSerialYearSalaryMonth) return std::to_string(year) + "  JAHRESGEHALT ";
    if (month < 1 || month > 12) return {};
    return kMonths[month - 1];
}

SerialPrintResult RunSerialPrint(Session& g, const SerialPrintOption& option, NumberRange range,
                                 SerialPrintHost& host, const PrintOptions& options) {
    SerialPrintResult result;
    const int total = range.last - range.first + 1;
    for (int item = range.first; item <= range.last; ++item) {
        if (!host.proceed(item - range.first, total, item)) {
            result.cancelled = true;
            break;
        }
        if (option.printKind == 0) {
            PrintSurface& s = host.begin(item);
            host.printYearView(item, option, s);
            host.end(item);
            ++result.printed;
            continue;
        }
        const bool shown = option.range == SerialRange::Cases ? host.showCase(item) : host.showMonth(item);
        if (!shown) {
            ++result.skipped;
            continue;
        }
        if (auto refusal = yearSalaryRefusal(g, option.printKind)) {
            g.prompter.ask(*refusal);
            ++result.skipped;
            continue;
        }
        PrintSurface& s = host.begin(item);
        runPrintKind(option.printKind, g, s, options);
        host.end(item);
        ++result.printed;
    }
    return result;
}

} // namespace varemo::print
