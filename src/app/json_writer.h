#pragma once
// A small writer for the command line's JSON output.

#include <cstdint>
#include <string>

namespace varemo::cli {

std::string jsonString(const std::string& utf8);

} // namespace varemo::cli
