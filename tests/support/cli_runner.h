#pragma once
// Runs the built varemo20-cli with arguments and collects its exit status, stdout and stderr.

#include <string>
#include <vector>

namespace varemo::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

CliResult runCli(const std::vector<std::string>& args);

} // namespace varemo::test
