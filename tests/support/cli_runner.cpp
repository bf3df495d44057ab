#include "support/cli_runner.h"

#include "support/temp_dir.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <fstream>
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
    fs::copy_file(fs::path(VAREMO_BUILD_DIR) / "tvflex.pcg", programDir / "tvflex.pcg");
}

} // namespace varemo::test

namespace varemo::test {
namespace {

std::vector<std::string> splitArgs(const std::string& line) {
    std::vector<std::string> out;
    std::string current;
    bool quoted = false, any = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any) out.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any) out.push_back(current);
    return out;
}

} // namespace

ReferenceEdits applyReferenceEdits(const std::filesystem::path& caseFolder,
                                   const std::filesystem::path& programDir) {
    ReferenceEdits out;
    std::ifstream edits(caseFolder / "edits.txt");
    if (!edits) out.failure = "edits.txt missing";
    for (std::string line; out.failure.empty() && std::getline(edits, line);) {
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> words = splitArgs(line);
        std::vector<std::string> args;
        if (std::isdigit(static_cast<unsigned char>(line[0]))) {
            if (words.size() < 2) {
                out.failure = line;
                break;
            }
            out.year = std::stoi(words[0]);
            out.month = std::stoi(words[1]);
            // "YEAR MONTH COMMAND ARGS..." runs another command on the case-month (a calculator's --save).
            const bool command = words.size() > 2 && words[2].rfind("--", 0) != 0;
            args = caseMonthArgs(programDir, command ? words[2] : "set", out.year, out.month);
            args.insert(args.end(), words.begin() + (command ? 3 : 2), words.end());
        } else {
            args = {"--program-dir", programDir.string()};
            args.insert(args.end(), words.begin(), words.end());
        }
        const CliResult r = runCli(args);
        if (r.status != 0) out.failure = line + "\n" + r.err;
    }
    return out;
}

} // namespace varemo::test
