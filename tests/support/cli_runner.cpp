#include "support/cli_runner.h"

#include "support/temp_dir.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace varemo::test {
namespace {

std::string quote(const std::string& arg) {
    std::string q = "'";
    for (char c : arg)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

void appendAll(FILE* f, std::string& out) {
    std::array<char, 4096> buf{};
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), f)) > 0)
        out.append(buf.data(), n);
}

} // namespace

CliResult runCli(const std::vector<std::string>& args) {
    TempDir errDir;
    auto errFile = errDir.path() / "stderr";
    std::string cmd = quote(std::string(VAREMO_BUILD_DIR) + "/varemo20-cli");
    for (const auto& a : args)
        cmd += " " + quote(a);
    cmd += " 2>" + quote(errFile.string());
    CliResult r;
    FILE* pipe = popen(cmd.c_str(), "r");
    if (!pipe) return r;
    appendAll(pipe, r.out);
    int status = pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (FILE* f = fopen(errFile.c_str(), "r")) {
        appendAll(f, r.err);
        fclose(f);
    }
    return r;
}

std::vector<std::string> caseMonthArgs(const std::filesystem::path& programDir, const std::string& command,
                                       int year, int month, const std::string& dataSet, int caseNumber) {
    return {"--program-dir",
            programDir.string(),
            command,
            "--year",
            std::to_string(year),
            "--set",
            dataSet,
            "--case",
            std::to_string(caseNumber),
            "--month",
            std::to_string(month)};
}

void copyShippedFiles(const std::filesystem::path& programDir) {
    namespace fs = std::filesystem;
    for (const char* sub : {"Tarife", "Texte"})
        fs::copy(fs::path(VAREMO_BUILD_DIR) / sub, programDir / sub, fs::copy_options::recursive);
}

} // namespace varemo::test
