#include "print/year_view_printout.h"

#include "print/table_printout.h"

#include <stdexcept>

namespace varemo::print {
namespace {

void printYearTable(PrintSurface& s, const PrintOptions& options, const char* name) {
    // The table is built by whoever opens the printout; without it there is nothing that could be printed.
    if (!options.table || options.table->name != name)
        throw std::logic_error(std::string("year view printout without its table ") + name);
    printTable(s, printTableOf(*options.table));
}

} // namespace

void AG_Uebersicht2(const Session&, PrintSurface& s, const PrintOptions& options) {
    printYearTable(s, options, "combined");
}

void ansicht(const Session&, PrintSurface& s, const PrintOptions& options) {
    printYearTable(s, options, "salaries");
}

void agsicht(const Session&, PrintSurface& s, const PrintOptions& options) {
    printYearTable(s, options, "employerCost");
}

void kontrolledrucken2(const Session&, PrintSurface& s, const PrintOptions& options) {
    printYearTable(s, options, "settings");
}

} // namespace varemo::print
