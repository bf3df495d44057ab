#pragma once
// The year views as printouts: 39 salaries and employer's cost in one sheet ("AG_Übersicht2"), 40 the
// monthly salaries ("ansicht"), 41 the employer's cost ("agsicht") and 49 the control listing of the
// settings ("kontrolledrucken2"). Each prints the table of PrintOptions::table in landscape; the window
// or command that opens the printout builds it from the case's months (presentation/year_view.h).

#include "print/print_kind.h"

namespace varemo::print {

void AG_Uebersicht2(const Session& g, PrintSurface& s, const PrintOptions& options);    // 39
void ansicht(const Session& g, PrintSurface& s, const PrintOptions& options);           // 40
void agsicht(const Session& g, PrintSurface& s, const PrintOptions& options);           // 41
void kontrolledrucken2(const Session& g, PrintSurface& s, const PrintOptions& options); // 49

} // namespace varemo::print
