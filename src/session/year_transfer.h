#pragma once
// Carrying cases from year Y (2017 to 2020) into Y + 1: the December record of each data set becomes the
// January record of the following year (a set old-age relief year of line 32 moves up by one), the year
// record and the case's user text go along, the working-time slots of January are reset for full days,
// and January to December of Y + 1 are calculated with the tables of Y + 1 in INFO, PLAN and REAL
// (36 calculations per case). From 2021 on there is no following year and the transfer is refused.
//
// Both transfers ask first and change nothing when the answer is No; a failure on the way puts every
// file of Y + 1 back as it was. Afterwards the selection shown before is restored.

#include "session/session.h"

namespace varemo {

// Function f21: the current case of the current year.
StorageResult TransferCaseToNextYear(Session& g);

// Menu items Y62 to Y65: all cases of the year (1 to the case count - 1). The year files ".13" of the year
// replace those of the following year; when the following year's INFO January file exists, a warning
// with its date asks again.
StorageResult TransferAllToNextYear(Session& g, int year);

// "Satz " + n + " von " + last + " Sätzen."
std::string transferProgressText(int n, int last);

} // namespace varemo
