#include "fuzz_targets.h"

#include "base/error.h"
#include "base/prompter.h"
#include "pay/line_key_codes.h"
#include "pay/special_payment_tables.h"
#include "persistence/case_files.h"
#include "persistence/file_ops.h"
#include "persistence/folder_lock.h"
#include "persistence/month_record.h"
#include "persistence/settings_file.h"
#include "persistence/window_record.h"
#include "presentation/sheet_view.h"
#include "session/case_load.h"
#include "session/case_operations.h"
#include "session/line_input.h"
#include "session/recalculate.h"
#include "session/recalculate_all.h"
#include "session/session.h"
#include "session/startup.h"
#include "session/users.h"
#include "session/year_transfer.h"
#include "support/zip_writer.h"
#include "tariffs/tariff_address.h"
#include "update/tariff_archive.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <typeinfo>
#include <unistd.h>

namespace varemo::fuzz {
namespace fs = std::filesystem;

namespace {

constexpr int kYear = 2020; // the year of the baseline; transfers go to the following year
// The program folder may hold a few hundred KB after an input; far more means a damaged file made the
// program write records far beyond what it read.
constexpr uintmax_t kMostBytesWritten = 8u << 20;

void writeFile(const fs::path& path, const uint8_t* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

// A temporary program folder with the shipped tables of two years and a user folder with two calculated
// cases; every input starts from the same state.
class World {
  public:
    World() {
        std::string pattern = (fs::temp_directory_path() / "varemo-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
        program_ = root_ / "prog";
        baseline_ = root_ / "baseline";
        fs::create_directories(program_ / "Tarife");
        fs::create_directories(program_ / "Texte");
        const fs::path data = shippedDataDir();
        for (int year : {kYear, kYear + 1}) {
            for (int m = 1; m <= 12; ++m) {
                const std::string name = std::to_string(year) + std::to_string(m) + ".ttt";
                fs::copy_file(data / "Tarife" / name, program_ / "Tarife" / name);
            }
            const std::string text = "MyText" + std::to_string(year % 100) + ".txt";
            fs::copy_file(data / "Texte" / text, program_ / "Texte" / text);
        }
        RecordingPrompter prompter(true);
        Session g(prompter);
        g.programDir = program_;
        if (!StartUp(g) || NewCase(g) != 1 || NewCase(g) != 2)
            throw std::runtime_error("the baseline could not be made: " +
                                     (prompter.messages().empty() ? "" : prompter.messages().back().text()));
        g.files.close();
        fs::create_directories(baseline_);
        for (const auto& e : fs::directory_iterator(program_))
            if (e.path().filename() != "Tarife")
                fs::copy(e.path(), baseline_ / e.path().filename(), fs::copy_options::recursive);
    }
    ~World() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

    const fs::path& root() const { return root_; }
    const fs::path& program() const { return program_; }
    fs::path user() const { return program_ / "User001"; }
    fs::path baselineFile(const fs::path& inProgram) const {
        return baseline_ / fs::relative(inProgram, program_);
    }

    // Back to the baseline: everything an input left behind goes.
    void reset() {
        for (const auto& e : fs::directory_iterator(root_))
            if (e.path() != program_ && e.path() != baseline_) fs::remove_all(e.path());
        for (const auto& e : fs::directory_iterator(program_))
            if (e.path().filename() != "Tarife") fs::remove_all(e.path());
        for (const auto& e : fs::directory_iterator(baseline_))
            fs::copy(e.path(), program_ / e.path().filename(), fs::copy_options::recursive);
        if (!dirtyTariff_.empty()) {
            fs::remove_all(dirtyTariff_);
            fs::copy_file(fs::path(shippedDataDir()) / "Tarife" / dirtyTariff_.filename(), dirtyTariff_);
            dirtyTariff_.clear();
        }
    }

    // Puts the bytes at path in the way kind says (see fuzz_targets.h).
    void place(const fs::path& path, int kind, const uint8_t* data, size_t size) {
        if (path.parent_path() == program_ / "Tarife") dirtyTariff_ = path;
        fs::remove_all(path);
        fs::create_directories(path.parent_path());
        switch (kind) {
        case 0:
            writeFile(path, data, size);
            break;
        case 1:
            fs::create_directories(path);
            break;
        case 2:
            writeFile(path, data, size);
            fs::permissions(path, fs::perms::none);
            break;
        default: {
            const fs::path elsewhere = root_ / "elsewhere";
            fs::create_directories(elsewhere);
            writeFile(elsewhere / path.filename(), data, size);
            fs::create_symlink(elsewhere / path.filename(), path);
        }
        }
    }

    // Whether a folder the program would create or write lies inside the temporary folder: a damaged
    // settings file may name any folder of the machine, and the target must not touch those.
    bool inside(const fs::path& p) const {
        const std::string norm = p.lexically_normal().string();
        const std::string mine = root_.lexically_normal().string() + "/";
        return norm.compare(0, mine.size(), mine) == 0;
    }

    void checkGrowth() const {
        uintmax_t total = 0;
        for (const auto& e : fs::recursive_directory_iterator(root_, fs::directory_options::none)) {
            std::error_code ec;
            if (e.is_regular_file(ec) && !e.is_symlink(ec) && e.path().parent_path() != program_ / "Tarife")
                total += e.file_size(ec);
        }
        if (total > kMostBytesWritten)
            finding("the files below the program folder grew to " + std::to_string(total) + " bytes");
    }

  private:
    fs::path root_;
    fs::path program_;
    fs::path baseline_;
    fs::path dirtyTariff_;
};

World& world() {
    static World* w = [] {
        auto* made = new World();
        std::atexit([] { delete &world(); });
        return made;
    }();
    return *w;
}

struct Input {
    int kind = 0;
    int op = 0;
    int select = 0;
    const uint8_t* data = nullptr;
    size_t size = 0;
};

bool parse(const uint8_t* data, size_t size, Input& in) {
    if (size < 2) return false;
    in.kind = data[0] & 3;
    in.op = (data[0] >> 2) & 7;
    in.select = data[1];
    in.data = data + 2;
    in.size = size - 2;
    return true;
}

int caseOf(const Input& in) {
    return 1 + (in.select & 3);
}
int monthOf(const Input& in) {
    return 1 + ((in.select >> 2) & 15) % 12;
}
DataSet setOf(const Input& in) {
    switch (in.select >> 6) {
    case 1:
        return DataSet::Plan;
    case 2:
        return DataSet::Info;
    default:
        return DataSet::Real;
    }
}
DataSet otherSet(DataSet s) {
    return s == DataSet::Real ? DataSet::Plan : DataSet::Real;
}

// One program session on the world's program folder; questions are answered with yes.
struct Run {
    RecordingPrompter prompter{true};
    Session g{prompter};
    Run() { g.programDir = world().program(); }
    // VAREMO_FUZZ_VERBOSE=1 prints what the program told the user, to see how far an input got.
    ~Run() {
        static const bool verbose = std::getenv("VAREMO_FUZZ_VERBOSE") != nullptr;
        if (!verbose) return;
        std::fprintf(stderr, "  case %d, month %d, year %d:", g.caseNumber, g.month(), g.year);
        for (const PromptMessage& m : prompter.messages())
            std::fprintf(stderr, " [%s] %s /", m.title.c_str(),
                         m.lines.empty() ? "" : m.lines.front().c_str());
        std::fprintf(stderr, "\n");
    }
    bool start() { return StartUp(g); }
    void select(int caseNumber, int month, DataSet set) {
        g.year = kYear;
        g.caseNumber = caseNumber;
        g.dataSet = set;
        g.selectMonth(month);
        (void)SelectCaseMonth(g); // a failed run has shown its message
    }
    void showSheet() {
        for (int line = 1; line <= 47; ++line)
            (void)optionGridEntries(g, line);
        (void)payGroupEntries(g);
        (void)payGroupText(g);
        (void)sheetCaptions(g);
        (void)dateLabelText(g);
    }
};

// Runs one input: the world back to its baseline, then body; refusals pass, other escapes are findings.
// A target that keeps to a folder of its own (withProgram false) leaves the program folder alone.
template <typename Body> void guarded(const uint8_t* data, size_t size, Body body, bool withProgram = true) {
    Input in;
    if (!parse(data, size, in)) return;
    World& w = world();
    if (withProgram) w.reset();
    try {
        body(w, in);
    } catch (const Error&) {
        // a damaged file refused with its message
    } catch (const fs::filesystem_error&) {
        // a file-system failure; the edges of the program show it with its path and reason
    } catch (const std::exception& e) {
        finding(std::string("escaped ") + typeid(e).name() + ": " + e.what());
    }
    if (withProgram) w.checkGrowth();
}

void monthTarget(const uint8_t* data, size_t size) {
    guarded(data, size, [](World& w, const Input& in) {
        const DataSet set = setOf(in);
        w.place(w.user() / caseFileName(kYear, set, monthOf(in)), in.kind, in.data, in.size);
        Run r;
        if (!r.start()) return;
        r.select(caseOf(in), monthOf(in), set);
        switch (in.op) {
        case 4:
            (void)RecalculateAndRedisplay(r.g);
            break;
        case 5:
            (void)CopyCase(r.g, set, otherSet(set));
            break;
        case 6:
            (void)TransferCaseToNextYear(r.g);
            break;
        case 7:
            r.showSheet();
            break;
        default:
            break;
        }
    });
}

void yearTarget(const uint8_t* data, size_t size) {
    guarded(data, size, [](World& w, const Input& in) {
        const DataSet set = setOf(in);
        w.place(w.user() / caseFileName(kYear, set, 13), in.kind, in.data, in.size);
        Run r;
        if (!r.start()) return;
        if (in.op == 7) {
            // Carrying every case over runs 36 months per stored case, so a year file that a damaged
            // input made long is work, not a fault: only small counts run, for the inputs per second.
            r.g.year = kYear;
            r.g.dataSet = set;
            if (caseCount(r.g, kYear) <= 6) (void)TransferAllToNextYear(r.g, kYear);
            return;
        }
        r.select(caseOf(in), monthOf(in), set);
        switch (in.op) {
        case 3:
            (void)RecalculateAndRedisplay(r.g);
            break;
        case 4:
            (void)CopyCase(r.g, set, otherSet(set));
            break;
        case 5:
            (void)TransferCaseToNextYear(r.g);
            break;
        case 6:
            (void)NewCase(r.g);
            break;
        default:
            break;
        }
    });
}

// The folders a settings file makes the program create or write stay inside the temporary folder.
bool settingsStayInside(const World& w, int user) {
    const std::string stored = storedDataRoot(w.program(), user);
    if (!samePathText(stored, nativeToStoredPath(w.program()))) {
        auto root = storedPathToNative(stored);
        if (root && !w.inside(*root)) return false;
    }
    for (const ServerEntry& s : listServers(w.program())) {
        auto folder = storedPathToNative(s.path);
        if (s.active && folder && !w.inside(*folder)) return false;
    }
    return true;
}

void settingsTarget(const uint8_t* data, size_t size) {
    guarded(data, size, [](World& w, const Input& in) {
        w.place(w.program() / kSettingsFileName, in.kind, in.data, in.size);
        const int user = 1 + in.select % kUsers;
        (void)listUsers(w.program());
        (void)listServers(w.program());
        if (!settingsStayInside(w, 1) || !settingsStayInside(w, user)) return;
        Run r;
        if (!r.start()) return;
        switch (in.op) {
        case 1:
            (void)SelectUser(r.g, user, decodePassword(readSettingsRecord(w.program(), user)));
            break;
        case 2:
            (void)SelectUser(r.g, user, "falsch");
            break;
        case 3:
            (void)SetUserLabel(r.g, user, "Neue Bezeichnung");
            break;
        case 4:
            (void)SetProtection(r.g, (in.select & 1) != 0);
            break;
        case 5:
            (void)ConfirmUnprotected(r.g, administratorPassword());
            break;
        case 6:
            (void)ResetUserPassword(r.g, user);
            break;
        default:
            r.select(1, 1, DataSet::Real);
            break;
        }
    });
}

void windowTarget(const uint8_t* data, size_t size) {
    guarded(data, size, [](World& w, const Input& in) {
        w.place(w.user() / kWindowRecordFile, in.kind, in.data, in.size);
        Run r;
        if (!r.start()) return;
        Session& g = r.g;
        switch (in.op) {
        case 4:
            (void)NewCase(g);
            break;
        case 5:
            // Like carrying all cases over, recalculating all runs twelve months per stored case: only
            // small counts run, for the number of inputs per second.
            if (recalculationCaseCount(g) <= 6) (void)RecalculateAllCases(g);
            break;
        case 6:
            SaveWindowRecord(g);
            (void)readWindowRecord(g.userFolder);
            break;
        default:
            // The case-month the record names, as the window shows it after start-up.
            (void)SelectCaseMonth(g);
            if (in.op == 7) r.showSheet();
            break;
        }
    });
}

// The per-user default files: the year defaults and the church tax hold one record per year (the
// input is that year's record, the records before it as they are), the annual payment percentages are
// read as a whole.
void defaultsTarget(const uint8_t* data, size_t size) {
    guarded(data, size, [](World& w, const Input& in) {
        std::vector<uint8_t> file;
        fs::path path;
        switch (in.select & 3) {
        case 0:
        case 1:
            path = w.user() / kYearDefaultsFile;
            file.assign(kYearDefaultsRecordLength * static_cast<size_t>(yearRecordNumber(kYear) - 1), 0);
            break;
        case 2: {
            path = w.user() / kChurchTaxFile;
            std::ifstream shipped(w.baselineFile(path), std::ios::binary);
            file.assign(kChurchTaxRecordLength * static_cast<size_t>(yearRecordNumber(kYear) - 1), 0);
            shipped.read(reinterpret_cast<char*>(file.data()), static_cast<std::streamsize>(file.size()));
            break;
        }
        default:
            path = w.user() / kAnnualPaymentFile;
            break;
        }
        file.insert(file.end(), in.data, in.data + in.size);
        w.place(path, in.kind, file.data(), file.size());
        Run r;
        if (!r.start()) return;
        r.select(caseOf(in), monthOf(in), DataSet::Real);
        if (in.op == 6) (void)RecalculateAndRedisplay(r.g);
        if (in.op == 7) r.showSheet();
    });
}

// The shipped file up to the record where the input starts, the input, and (overlay) the rest of the
// shipped file after it or (otherwise) nothing more: the tables are too large for whole files as inputs.
std::vector<uint8_t> windowIntoShipped(const fs::path& shipped, size_t start, const Input& in, bool overlay) {
    std::ifstream f(shipped, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    std::vector<uint8_t> file(bytes.begin(),
                              bytes.begin() + static_cast<std::ptrdiff_t>(std::min(start, bytes.size())));
    file.resize(start, 0);
    file.insert(file.end(), in.data, in.data + in.size);
    if (overlay && bytes.size() > file.size())
        file.insert(file.end(), bytes.begin() + static_cast<std::ptrdiff_t>(file.size()), bytes.end());
    return file;
}

void tariffTarget(const uint8_t* data, size_t size) {
    guarded(data, size, [](World& w, const Input& in) {
        // The input covers the block of a region from its first record on.
        const int region = in.select % kTariffRegions;
        const int month = 1 + (in.select / kTariffRegions) % 12;
        const fs::path path = tariffFilePath(w.program(), kYear, month);
        const auto file = windowIntoShipped(fs::path(shippedDataDir()) / "Tarife" / path.filename(),
                                            kTariffRecordLength * kTariffRecordsPerRegion * size_t(region),
                                            in, (in.op & 1) != 0);
        w.place(path, in.kind, file.data(), file.size());
        Run r;
        if (!r.start()) return;
        r.select(1, month, DataSet::Real);
        (void)SetKey(r.g, KeySlot::Region, region);
        if (int table = in.op >> 1; table != 0) {
            // Other pay tables of the block: a service relationship and group chosen by the input.
            (void)SetKey(r.g, KeySlot::ServiceRelationship, (table * 13 + in.select) % kServiceRelationships);
            (void)SetKey(r.g, KeySlot::PayGroup, in.select % 27);
            (void)SetKey(r.g, KeySlot::Step, in.select % 7);
        }
    });
}

void optionTextTarget(const uint8_t* data, size_t size) {
    guarded(data, size, [](World& w, const Input& in) {
        // The input covers the records from the start of one of the ranges the program reads.
        static constexpr int kStarts[] = {1,
                                          optiontext::kCivilAllowanceFirst,
                                          optiontext::kTransferFirst,
                                          optiontext::kFamilyFirst,
                                          optiontext::kContractNotesFirst,
                                          4988,
                                          optiontext::kServiceRelationshipFirst,
                                          optiontext::kPayGroupFirst,
                                          optiontext::kRegionFirst,
                                          optiontext::kEmployeeAllowanceFirst};
        const int start = kStarts[in.select % std::size(kStarts)] - 1;
        const fs::path path = optionTextPath(w.program(), kYear);
        const auto file = windowIntoShipped(w.baselineFile(path), optiontext::kRecordLength * size_t(start),
                                            in, (in.op & 1) != 0);
        w.place(path, in.kind, file.data(), file.size());
        Run r;
        if (!r.start()) return;
        r.select(caseOf(in), monthOf(in), DataSet::Real);
        switch (in.op >> 1) {
        case 1: {
            // The question before carrying all cases over shows lines of the file; answered with no.
            RecordingPrompter no(false);
            Session g(no);
            g.programDir = w.program();
            if (StartUp(g)) (void)TransferAllToNextYear(g, kYear);
            break;
        }
        case 2:
            (void)TransferCaseToNextYear(r.g);
            break;
        case 3:
            (void)SetKey(r.g, KeySlot::ServiceRelationship, in.select % kServiceRelationships);
            r.showSheet();
            break;
        default:
            r.showSheet();
            break;
        }
    });
}

// A tariff folder's files and folders (below it, lock files left out) with their bytes; a file in
// place of the folder is the entry "".
using FolderContent = std::map<std::string, std::string>;

std::string fileText(const fs::path& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

FolderContent contentOf(const fs::path& folder) {
    FolderContent content;
    if (fs::is_regular_file(folder)) content[""] = fileText(folder);
    if (!fs::is_directory(folder)) return content;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(e.path(), folder).string();
        if (name == kFolderLockFile || name == kFolderLockQueueFile) continue;
        content[name] = e.is_directory() ? "<folder>" : fileText(e.path());
    }
    return content;
}

// A cut-off installation's unpacking folder, which an installation may clear away.
FolderContent withoutUnpacking(FolderContent content) {
    std::erase_if(content, [](const auto& e) { return e.first.starts_with(".entpacken-"); });
    return content;
}

void archiveTarget(const uint8_t* data, size_t size) {
    guarded(
        data, size,
        [](World& w, const Input& in) {
            // The input is the downloaded archive; the tariff folder is a small one of its own, as the kind
            // says: 0 it holds tables, 1 it is missing, 2 a file stands in its place, 3 a cut-off
            // installation left its unpacking folder in it.
            const int year = 2019 + in.select % 3;
            const fs::path beside = w.root() / "archive";
            const fs::path folder = beside / "Tarife";
            const std::string y = std::to_string(year);
            const auto put = [](const fs::path& path, const std::string& bytes) {
                writeFile(path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            };
            fs::remove_all(beside);
            fs::create_directories(beside);
            if (in.kind == 2) {
                put(folder, "Tarife");
            } else if (in.kind != 1) {
                const std::string record(kTariffRecordLength, '\x11');
                fs::create_directories(folder);
                put(folder / (y + "1.ttt"), record);
                put(folder / (y + "12.ttt"), record);
                put(folder / "Kommentar.txt", "alt");
                if (in.kind == 3) fs::create_directories(folder / ".entpacken-1-2-3");
            }
            const FolderContent before = contentOf(folder);
            std::vector<std::string> installed;
            try {
                installed =
                    installTariffArchive(std::vector<uint8_t>(in.data, in.data + in.size), folder, year);
            } catch (const ArchiveError& e) {
                if (std::getenv("VAREMO_FUZZ_VERBOSE")) std::fprintf(stderr, "  refused: %s\n", e.what());
                if (withoutUnpacking(contentOf(folder)) != withoutUnpacking(before))
                    finding("a refused archive changed the tariff folder");
            }
            if (!installed.empty()) {
                if (std::getenv("VAREMO_FUZZ_VERBOSE"))
                    std::fprintf(stderr, "  installed %zu files\n", installed.size());
                if (in.kind == 2)
                    finding("an archive was installed over a file in place of the tariff folder");
                // Only the installed files changed, each whole; no folder of the installation is left.
                FolderContent after = contentOf(folder);
                bool anyTable = false;
                for (const std::string& name : installed) {
                    const auto it = after.find(name);
                    if (name.find('/') != std::string::npos || it == after.end())
                        finding("the installed entry \"" + name + "\" is not a file of the tariff folder");
                    if (name.ends_with(".ttt")) {
                        anyTable = true;
                        if (it->second.empty() || it->second.size() % kTariffRecordLength != 0)
                            finding("the installed table \"" + name + "\" holds no whole records");
                    }
                    after.erase(it);
                }
                if (!anyTable) finding("an archive without tables was installed");
                for (const auto& [name, bytes] : after) {
                    if (bytes == "<folder>") finding("the installation left the folder \"" + name + "\"");
                    const auto old = before.find(name);
                    if (old == before.end() || old->second != bytes)
                        finding("the file \"" + name + "\" changed without being in the archive");
                }
            }
            // Nothing is written beside the tariff folder.
            for (const auto& e : fs::directory_iterator(beside))
                if (e.path() != folder) finding("the archive wrote " + e.path().string());
            fs::remove_all(beside); // an accepted archive may hold tables of up to 32 MB each
        },
        false);
}
} // namespace

const std::vector<Target>& targets() {
    static const std::vector<Target> all = {
        {"month_record", monthTarget},      {"year_record", yearTarget},       {"settings", settingsTarget},
        {"window_record", windowTarget},    {"user_defaults", defaultsTarget}, {"tariff_file", tariffTarget},
        {"option_texts", optionTextTarget}, {"tariff_archive", archiveTarget},
    };
    return all;
}

const Target* findTarget(const std::string& name) {
    for (const Target& t : targets())
        if (name == t.name) return &t;
    return nullptr;
}

namespace {

using Bytes = std::vector<uint8_t>;

Bytes readAll(const fs::path& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

Bytes head(const Bytes& bytes, size_t n) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(n, bytes.size())));
}

void setI16(Bytes& b, size_t at, int16_t v) {
    b.at(at) = static_cast<uint8_t>(static_cast<uint16_t>(v) & 0xFF);
    b.at(at + 1) = static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8);
}

void setI32(Bytes& b, size_t at, int32_t v) {
    for (size_t k = 0; k < 4; ++k)
        b.at(at + k) = static_cast<uint8_t>((static_cast<uint32_t>(v) >> (8 * k)) & 0xFF);
}

class SeedWriter {
  public:
    explicit SeedWriter(fs::path dir) : dir_(std::move(dir)) {}
    // kind, operation and selection as in fuzz_targets.h.
    void operator()(const std::string& target, const std::string& name, int kind, int op, int select,
                    const Bytes& file) const {
        fs::create_directories(dir_ / target);
        Bytes input = {static_cast<uint8_t>(kind | op << 2), static_cast<uint8_t>(select)};
        input.insert(input.end(), file.begin(), file.end());
        writeFile(dir_ / target / (name + ".bin"), input.data(), input.size());
    }

  private:
    fs::path dir_;
};

// The selection byte of the case-file targets: case 1 to 4, month 1 to 12, data set.
int caseMonth(int caseNumber, int month, int set = 0) {
    return (caseNumber - 1) | (month - 1) << 2 | set << 6;
}

} // namespace

void writeSeeds(const std::string& corpusDir) {
    World& w = world();
    const SeedWriter seed(corpusDir);

    // Month files: the two cases of the baseline as the program stored them.
    const Bytes march = readAll(w.user() / caseFileName(kYear, DataSet::Real, 3));
    const Bytes december = readAll(w.user() / caseFileName(kYear, DataSet::Real, 12));
    seed("month_record", "load", 0, 0, caseMonth(2, 3), march);
    seed("month_record", "following_months", 0, 4, caseMonth(1, 3), march);
    seed("month_record", "copy_plan", 0, 5, caseMonth(1, 3, 1), march);
    seed("month_record", "transfer", 0, 6, caseMonth(2, 12), december);
    seed("month_record", "sheet", 0, 7, caseMonth(1, 3), march);
    seed("month_record", "short", 0, 0, caseMonth(1, 3), head(march, 700));
    seed("month_record", "empty", 0, 0, caseMonth(1, 3), {});
    // A stored step movement of INT_MIN: the step subtracts it, which must not overflow.
    Bytes movement = march;
    setI32(movement, month_record::amountOffset(AmountSlot::StepMovement), INT32_MIN);
    seed("month_record", "step_movement_int_min", 0, 4, caseMonth(1, 3), movement);
    // A key of -32768 has no absolute value in 16 bits.
    Bytes key = march;
    setI16(key, month_record::keyOffset(KeySlot::ServiceRelationship), -32768);
    seed("month_record", "key_minus_32768", 0, 0, caseMonth(1, 3), key);
    Bytes allKeys = march;
    for (size_t at = month_record::kKeys; at < month_record::kAmounts; at += 2)
        setI16(allKeys, at, -32768);
    seed("month_record", "all_keys_minus_32768", 0, 7, caseMonth(1, 3), allKeys);
    // The month file is a folder, cannot be read, or is a link to a file elsewhere.
    seed("month_record", "folder", 1, 0, caseMonth(1, 3), {});
    seed("month_record", "folder_plan", 1, 5, caseMonth(1, 3, 1), {});
    seed("month_record", "unreadable", 2, 0, caseMonth(1, 3), march);
    seed("month_record", "link", 3, 6, caseMonth(1, 12, 2), december);

    // Year files.
    const Bytes year = readAll(w.user() / caseFileName(kYear, DataSet::Real, 13));
    seed("year_record", "load", 0, 0, caseMonth(1, 5), year);
    seed("year_record", "following_months", 0, 3, caseMonth(2, 1), year);
    seed("year_record", "copy", 0, 4, caseMonth(1, 1, 2), year);
    seed("year_record", "transfer", 0, 5, caseMonth(2, 1), year);
    seed("year_record", "new_case", 0, 6, caseMonth(1, 1), year);
    seed("year_record", "transfer_all", 0, 7, caseMonth(1, 1), year);
    seed("year_record", "damaged_name", 0, 0, caseMonth(1, 1), [&] {
        Bytes b = year;
        b.at(YearRecord::kName) = '!';
        return b;
    }());
    // A year file with more records than the count of the window record (which counts two cases):
    // the operations over all cases take their count from the files.
    Bytes longer = year;
    for (int k = 0; k < 2; ++k)
        longer.insert(longer.end(), year.begin() + kYearRecordLength, year.end());
    seed("year_record", "more_records_than_counted", 0, 7, caseMonth(1, 1), longer);
    seed("year_record", "more_records_new_case", 0, 6, caseMonth(4, 1), longer);
    seed("year_record", "folder", 1, 0, caseMonth(1, 1), {});
    seed("year_record", "folder_info", 1, 4, caseMonth(1, 1, 2), {});
    seed("year_record", "unreadable", 2, 5, caseMonth(1, 1), year);

    // Settings files: blank paths stand for the program folder.
    const Bytes settings = defaultSettingsFile("");
    seed("settings", "startup", 0, 0, 0, settings);
    // The users' records alone (the others read as zeros) keep the seeds small.
    const Bytes users = head(settings, 10 * kSettingsRecordLength);
    seed("settings", "select_user", 0, 1, 2, users);
    seed("settings", "wrong_password", 0, 2, 3, users);
    seed("settings", "label", 0, 3, 1, users);
    seed("settings", "protection", 0, 4, 1, settings);
    seed("settings", "reset_password", 0, 6, 4, users);
    seed("settings", "short", 0, 1, 1, head(settings, 3 * kSettingsRecordLength));
    Bytes server = settings;
    const size_t serverAt = kSettingsRecordLength * (kFirstServerRecord - 1);
    server.at(serverAt + settings_record::kLabel) = '1';
    seed("settings", "active_server", 0, 3, 0, server);
    seed("settings", "folder", 1, 0, 0, {});

    // Window records.
    const Bytes dim = readAll(w.user() / kWindowRecordFile);
    seed("window_record", "startup", 0, 0, 0, dim);
    seed("window_record", "new_case", 0, 4, 0, dim);
    seed("window_record", "recalculate_all", 0, 5, 0, dim);
    seed("window_record", "save", 0, 6, 0, dim);
    seed("window_record", "sheet", 0, 7, 0, dim);
    // A case count of 32767: no further case number fits.
    Bytes count = dim;
    setI16(count, WindowRecord::kCaseCounts + 2 * (kYear - kFirstYear), 32767);
    seed("window_record", "case_count_32767", 0, 4, 0, count);
    seed("window_record", "case_count_32767_recalculate", 0, 5, 0, count);
    Bytes lastCase = dim;
    setI16(lastCase, WindowRecord::kCase, 32767);
    setI16(lastCase, WindowRecord::kMonth, 13);
    seed("window_record", "last_case_32767", 0, 0, 0, lastCase);
    seed("window_record", "short", 0, 0, 0, head(dim, 480));
    seed("window_record", "folder", 1, 0, 0, {});

    // Per-user defaults: the year defaults (with key-code rules), the church tax, the annual payments.
    RecordBuffer defaults(kYearDefaultsRecordLength);
    writeKeyCodeRules(defaults, defaultKeyCodeRules());
    const Bytes rules(defaults.bytes().begin() + keycode::kRulesOffset, defaults.bytes().end());
    Bytes withRules(keycode::kRulesOffset, 0);
    withRules.insert(withRules.end(), rules.begin(), rules.end());
    seed("user_defaults", "year_defaults", 0, 6, caseMonth(1, 1), withRules);
    seed("user_defaults", "year_defaults_rules_only", 0, 7, caseMonth(1, 1) | 1, rules);
    seed("user_defaults", "church_tax", 0, 6, caseMonth(1, 12) | 2, defaultChurchTaxRecord(kYear).bytes());
    writeAnnualPaymentTable(w.root(), shippedAnnualPaymentTable());
    seed("user_defaults", "annual_payments", 0, 6, caseMonth(1, 11) | 3,
         head(readAll(w.root() / kAnnualPaymentFile), 8 * kAnnualPaymentRecordLength));
    seed("user_defaults", "folder", 1, 0, 2, {});

    // Tariff files: the first 32 records of a region's block, over the shipped file or alone.
    for (int region : {0, 7}) {
        for (int op : {0, 1, 3, 6}) {
            const int select = region + kTariffRegions * 2; // March
            const fs::path shipped = fs::path(shippedDataDir()) / "Tarife" / "20203.ttt";
            const size_t at = kTariffRecordLength * kTariffRecordsPerRegion * size_t(region);
            const Bytes file = readAll(shipped);
            seed("tariff_file", "region" + std::to_string(region) + "_op" + std::to_string(op), 0, op, select,
                 Bytes(file.begin() + static_cast<std::ptrdiff_t>(at),
                       file.begin() + static_cast<std::ptrdiff_t>(at + 32 * kTariffRecordLength)));
        }
    }
    seed("tariff_file", "folder", 1, 0, 0, {});

    // Option texts: 40 records from the start of each range the program reads.
    const Bytes texts = readAll(optionTextPath(w.program(), kYear));
    static constexpr int kFirst[] = {1, 1001, 3951, 4141, 4161, 4988, 5271, 5401, 6681, 7001};
    for (int range = 0; range < 10; ++range) {
        const size_t at = optiontext::kRecordLength * size_t(kFirst[range] - 1);
        const Bytes part(texts.begin() + static_cast<std::ptrdiff_t>(at),
                         texts.begin() + static_cast<std::ptrdiff_t>(at + 40 * optiontext::kRecordLength));
        seed("option_texts", "range" + std::to_string(kFirst[range]), 0, (range % 4) << 1 | (range & 1),
             range + 10 * (range % 3), part);
    }
    seed("option_texts", "folder", 1, 0, 0, {});
    seed("option_texts", "empty", 0, 2, 2, {});

    // Tariff archives: good ones into each kind of tariff folder, and one of each kind the installation
    // refuses (selection 1: the year 2020).
    const std::string table(2 * kTariffRecordLength, '\x22');
    const auto archive = [&](const std::vector<test::ZipEntry>& entries) {
        const fs::path zip = w.root() / "seed.zip";
        test::writeZip(zip, entries);
        const Bytes bytes = readAll(zip);
        fs::remove(zip);
        return bytes;
    };
    const Bytes good = archive({{"20201.ttt", table}, {"202012.ttt", table}, {"Kommentar.txt", "neu"}});
    seed("tariff_archive", "good", 0, 0, 1, good);
    seed("tariff_archive", "good_missing_folder", 1, 0, 1, good);
    seed("tariff_archive", "good_over_file", 2, 0, 1, good);
    seed("tariff_archive", "good_after_cut_off", 3, 0, 1, good);
    seed("tariff_archive", "good_2021", 0, 0, 2,
         archive({{"20217.ttt", table}, {"Strukturausgleich.txt", "neu"}}));
    const std::pair<const char*, std::vector<test::ZipEntry>> refused[] = {
        {"parent_folder", {{"20201.ttt", table}, {"../20201.ttt", table}}},
        {"absolute_path", {{"20201.ttt", table}, {"/tmp/20201.ttt", table}}},
        {"drive_letter", {{"C:20201.ttt", table}}},
        {"backslash", {{"..\\20201.ttt", table}}},
        {"folder_part", {{"Tarife/20201.ttt", table}}},
        {"link", {{"20201.ttt", table}, {"20202.ttt", "/etc/passwd", true}}},
        {"folder_entry", {{"20201.ttt", table}, {"20203.ttt", "", false, true}}},
        {"other_name", {{"20201.ttt", table}, {"install.sh", "rm -rf ~"}}},
        {"other_year", {{"20191.ttt", table}}},
        {"month_13", {{"202013.ttt", table}}},
        {"leading_zero", {{"202001.ttt", table}}},
        {"partial_record", {{"20201.ttt", table.substr(0, 200)}}},
        {"no_tables", {{"Kommentar.txt", "neu"}}},
    };
    for (const auto& [name, entries] : refused)
        seed("tariff_archive", name, 0, 0, 1, archive(entries));
    // The same name twice (libzip writes no such archive: the second name is patched in).
    Bytes twice = archive({{"20201.ttt", table}, {"20202.ttt", table}});
    const std::string second = "20202.ttt";
    for (auto at = std::search(twice.begin(), twice.end(), second.begin(), second.end()); at != twice.end();
         at = std::search(at, twice.end(), second.begin(), second.end()))
        *(at + 4) = '1';
    seed("tariff_archive", "same_name_twice", 0, 0, 1, twice);
    Bytes damaged = good;
    damaged.at(30 + 9 + 10) ^= 0x5a; // into the first entry's data: its checksum no longer fits
    seed("tariff_archive", "damaged", 0, 0, 1, damaged);
    seed("tariff_archive", "cut_short", 0, 0, 1, head(good, good.size() / 2));
    const std::string page = "<html>Wartungsarbeiten</html>";
    seed("tariff_archive", "no_zip", 0, 0, 1, Bytes(page.begin(), page.end()));
    seed("tariff_archive", "empty", 0, 0, 1, {});
}

std::string& note() {
    static std::string text;
    return text;
}

void finding(const std::string& what) {
    std::fprintf(stderr, "\nFUZZ FINDING: %s\n%s\n", what.c_str(), note().c_str());
    std::fflush(stderr);
    std::abort();
}

std::string shippedDataDir() {
    if (const char* dir = std::getenv("VAREMO_FUZZ_DATA")) return dir;
    return VAREMO_BUILD_DIR;
}

} // namespace varemo::fuzz
