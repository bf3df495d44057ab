#pragma once
// The printouts of partial retirement, drawn from the side calculations of the last run
// (Globaldaten::retirement.result): the monthly calculation sheet (36, a ruled table of the pay and the
// side calculations with the employer's supplementary-pension levy), the civil servants' sheet of the
// supplement (37) and the letter on the additional pension contributions and the progression proviso
// (38), and the calculation of the block models with a working-time account (42). A case whose line 23
// is not partial retirement gets one line saying so.

#include "print/print_kind.h"

namespace varemo::print {

inline constexpr int kPartialRetirementSheet = 36;
inline constexpr int kPartialRetirementSupplement = 37;
inline constexpr int kPartialRetirementLetter = 38;
inline constexpr int kWorkingTimeAccount = 42;

void atzberechnung(const Session& g, PrintSurface& s, const PrintOptions& options); // 36
void atzbeamte(const Session& g, PrintSurface& s, const PrintOptions& options);     // 37
void atzschreiben(const Session& g, PrintSurface& s, const PrintOptions& options);  // 38
void FlexTV(const Session& g, PrintSurface& s, const PrintOptions& options);        // 42

} // namespace varemo::print
