#pragma once
// A small writer for the command line's JSON output.

#include "base/money.h"

#include <cstdint>
#include <string>

namespace varemo::cli {

std::string jsonString(const std::string& utf8);

// An amount in whole cents (a tie to the even cent) for the output: 64 bits wide, so that a total beyond
// what a case stores is shown as it is instead of failing a command whose edit was already stored.
int64_t jsonCents(Money m);

} // namespace varemo::cli
