#pragma once
// "Übernahme der Personalfälle aus der Version 2019": the cases of the current user in the program folder
// of the previous version ("Varemo2019" beside the program folder, its user folder of the same number)
// replace those of the current user, year by year: for every year the previous version holds cases of,
// the case files of the three data sets and the year's side files become those of the previous version
// (a file it does not hold is removed); the calculators' files of single cases it holds are copied. The
// years it holds nothing of, and the user's settings files, stay as they are.

#include "session/session.h"

#include <filesystem>
#include <string>
#include <vector>

namespace varemo {

struct TakeOverYear {
    int year = 0;
    int cases = 0; // cases the year files hold (without the empty entry of the case list)
};

// The user folder of the previous version for the current user.
std::filesystem::path previousUserFolder(const Session& g, const std::filesystem::path& previousProgramDir);

// The years of 2017 to 2021 the folder holds cases of, with their number.
std::vector<TakeOverYear> casesInFolder(const std::filesystem::path& userFolder);

// Asks before cases of the current user are replaced (No changes nothing), then copies all files or, when
// one fails, none; starts the user anew and says which years and how many cases it took.
StorageResult TakeOverPreviousCases(Session& g, const std::filesystem::path& previousProgramDir);

} // namespace varemo
