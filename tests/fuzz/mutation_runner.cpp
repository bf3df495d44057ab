// The fuzz runner for builds without libFuzzer (GCC): replays the seeds of each target, then feeds it
// mutants of them for a bounded time or number of runs. The mutations come from one fixed seed, so a
// run is repeatable: the same seed and run number give the same input. The input being run is kept in a
// file, which a sanitizer report, a finding or a hang names.
//
//   varemo_fuzz [--seconds S] [--runs N] [--seed X] [--corpus DIR] [--out DIR] [TARGET ...]
//   varemo_fuzz --write-seeds DIR
//
// --seconds defaults to VAREMO_FUZZ_SECONDS (0: the seeds only); without targets all of them run.

#include "fuzz_targets.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

// Under AddressSanitizer its report ends with the file that keeps the input.
#if defined(__SANITIZE_ADDRESS__)
#define VAREMO_HAVE_SANITIZER_CALLBACK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VAREMO_HAVE_SANITIZER_CALLBACK 1
#endif
#endif
#ifdef VAREMO_HAVE_SANITIZER_CALLBACK
#include <sanitizer/common_interface_defs.h>
#endif

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr size_t kHeader = 2; // the control bytes of every input
constexpr size_t kLargestInput = 256 << 10;
constexpr unsigned kSecondsPerInput = 120; // far above the slowest input; more is a hang

std::array<char, 4096> gInputPath{};

void printInputPath() {
    const char* text = "\nthe input is kept in ";
    (void)!write(2, text, std::strlen(text));
    (void)!write(2, gInputPath.data(), std::strlen(gInputPath.data()));
    (void)!write(2, "\n", 1);
}

void onHang(int) {
    const char* text = "\nFUZZ FINDING: an input ran longer than the limit";
    (void)!write(2, text, std::strlen(text));
    printInputPath();
    _exit(3);
}

Bytes readAll(const fs::path& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void writeAll(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class Mutator {
  public:
    explicit Mutator(uint64_t seed) : rng_(seed) {}

    size_t below(size_t n) { return n == 0 ? 0 : static_cast<size_t>(rng_() % n); }

    Bytes mutate(Bytes b, const std::vector<Bytes>& pool) {
        const size_t count = 1 + below(4);
        for (size_t i = 0; i < count; ++i)
            once(b, pool);
        if (b.size() > kLargestInput) b.resize(kLargestInput);
        return b;
    }

  private:
    // A position in the file part; aligned to the field width half of the time (the record layouts put
    // their numbers on even offsets).
    size_t position(const Bytes& b, size_t width) {
        if (b.size() < kHeader + width) return SIZE_MAX;
        size_t at = kHeader + below(b.size() - kHeader - width + 1);
        if (below(2) == 0) at = kHeader + (at - kHeader) / width * width;
        return at;
    }

    void put(Bytes& b, size_t at, uint64_t value, size_t width) {
        for (size_t k = 0; k < width; ++k)
            b[at + k] = static_cast<uint8_t>(value >> (8 * k));
    }

    void once(Bytes& b, const std::vector<Bytes>& pool) {
        static constexpr uint8_t kExtremeBytes[] = {0x00, 0xFF, 0x7F, 0x80};
        static constexpr int16_t kExtreme16[] = {INT16_MIN, INT16_MAX, -1, 0, 1};
        static constexpr int32_t kExtreme32[] = {INT32_MIN, INT32_MAX, -1, 0, 1};
        if (b.size() < kHeader) b.resize(kHeader, 0);
        switch (below(12)) {
        case 0: // a bit flips
            if (size_t at = below(b.size()); at < b.size()) b[at] ^= static_cast<uint8_t>(1u << below(8));
            break;
        case 1:
            if (size_t at = position(b, 1); at != SIZE_MAX) b[at] = kExtremeBytes[below(4)];
            break;
        case 2:
            if (size_t at = position(b, 1); at != SIZE_MAX) b[at] = static_cast<uint8_t>(rng_());
            break;
        case 3:
            if (size_t at = position(b, 2); at != SIZE_MAX)
                put(b, at, static_cast<uint16_t>(kExtreme16[below(5)]), 2);
            break;
        case 4:
            if (size_t at = position(b, 4); at != SIZE_MAX)
                put(b, at, static_cast<uint32_t>(kExtreme32[below(5)]), 4);
            break;
        case 5: // truncated
            b.resize(kHeader + below(b.size() - kHeader + 1));
            break;
        case 6: { // extended with zeros, 0xFF, random bytes or a copy of its own end
            const size_t n = 1 + below(4096);
            const size_t how = below(4);
            for (size_t k = 0; k < n; ++k) {
                uint8_t v = how == 0 ? 0 : how == 1 ? 0xFF : static_cast<uint8_t>(rng_());
                if (how == 3 && b.size() > kHeader) v = b[kHeader + below(b.size() - kHeader)];
                b.push_back(v);
            }
            break;
        }
        case 7: { // spliced: a piece of another input at the same place
            const Bytes& other = pool[below(pool.size())];
            if (other.size() <= kHeader) break;
            const size_t from = kHeader + below(other.size() - kHeader);
            const size_t n = 1 + below(other.size() - from);
            if (b.size() < from + n) b.resize(from + n, 0);
            std::copy_n(other.begin() + static_cast<std::ptrdiff_t>(from), n,
                        b.begin() + static_cast<std::ptrdiff_t>(from));
            break;
        }
        case 8: { // a range erased
            if (b.size() <= kHeader) break;
            const size_t from = kHeader + below(b.size() - kHeader);
            const size_t n = 1 + below(std::min<size_t>(b.size() - from, 2048));
            b.erase(b.begin() + static_cast<std::ptrdiff_t>(from),
                    b.begin() + static_cast<std::ptrdiff_t>(from + n));
            break;
        }
        case 9: { // a range of its own inserted elsewhere
            if (b.size() <= kHeader) break;
            const size_t from = kHeader + below(b.size() - kHeader);
            const size_t n = 1 + below(std::min<size_t>(b.size() - from, 2048));
            const Bytes piece(b.begin() + static_cast<std::ptrdiff_t>(from),
                              b.begin() + static_cast<std::ptrdiff_t>(from + n));
            const size_t to = kHeader + below(b.size() - kHeader + 1);
            b.insert(b.begin() + static_cast<std::ptrdiff_t>(to), piece.begin(), piece.end());
            break;
        }
        case 10: // another kind, operation or selection
            b[below(kHeader)] = static_cast<uint8_t>(rng_());
            break;
        default: { // a range copied over another place of itself
            if (b.size() <= kHeader + 1) break;
            const size_t from = kHeader + below(b.size() - kHeader);
            const size_t to = kHeader + below(b.size() - kHeader);
            const size_t n = 1 + below(std::min(b.size() - std::max(from, to), size_t(512)));
            std::copy_n(Bytes(b.begin() + static_cast<std::ptrdiff_t>(from),
                              b.begin() + static_cast<std::ptrdiff_t>(from + n))
                            .begin(),
                        n, b.begin() + static_cast<std::ptrdiff_t>(to));
            break;
        }
        }
    }

    std::mt19937_64 rng_;
};

struct Options {
    double seconds = 0;
    uint64_t runs = UINT64_MAX;
    uint64_t seed = 20201;
    fs::path corpus = VAREMO_FUZZ_CORPUS;
    fs::path out = fs::temp_directory_path();
    std::vector<std::string> targets;
};

uint64_t nameHash(const std::string& name) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char c : name)
        h = (h ^ c) * 1099511628211ull;
    return h;
}

// Runs one input with the input kept in the file and the hang alarm set.
void runOne(const varemo::fuzz::Target& t, const Bytes& input, const fs::path& kept,
            const std::string& what) {
    writeAll(kept, input);
    varemo::fuzz::note() =
        "target " + std::string(t.name) + ", " + what + "; the input is kept in " + kept.string();
    alarm(kSecondsPerInput);
    t.run(input.data(), input.size());
    alarm(0);
}

int fuzzTarget(const varemo::fuzz::Target& t, const Options& o) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(o.corpus / t.name, ec))
        if (e.is_regular_file()) files.push_back(e.path());
    std::sort(files.begin(), files.end());
    if (files.empty()) {
        std::fprintf(stderr, "%s: no seeds in %s\n", t.name, (o.corpus / t.name).c_str());
        return 1;
    }
    const fs::path kept = o.out / ("varemo-fuzz-" + std::string(t.name) + ".bin");
    std::snprintf(gInputPath.data(), gInputPath.size(), "%s", kept.c_str());

    const auto start = std::chrono::steady_clock::now();
    std::vector<Bytes> pool;
    for (const fs::path& f : files) {
        pool.push_back(readAll(f));
        runOne(t, pool.back(), kept, "seed " + f.filename().string());
    }
    const size_t seeds = pool.size();

    // Every 16th mutant joins the pool (at most 64 of them), so that mutations build on each other.
    Mutator m(o.seed ^ nameHash(t.name));
    const auto deadline = start + std::chrono::duration<double>(o.seconds);
    uint64_t run = 0;
    while (run < o.runs && std::chrono::steady_clock::now() < deadline) {
        ++run;
        Bytes input = m.mutate(pool[m.below(pool.size())], pool);
        runOne(t, input, kept, "seed " + std::to_string(o.seed) + ", run " + std::to_string(run));
        if (run % 16 == 0) {
            if (pool.size() < seeds + 64)
                pool.push_back(std::move(input));
            else
                pool[seeds + m.below(64)] = std::move(input);
        }
    }
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-14s %3zu seeds and %6llu mutants in %6.1f s: nothing found\n", t.name, seeds,
                static_cast<unsigned long long>(run), took);
    std::fflush(stdout);
    fs::remove(kept, ec);
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: varemo_fuzz [--seconds S] [--runs N] [--seed X] [--corpus DIR] [--out DIR] "
                         "[TARGET ...]\n       varemo_fuzz --write-seeds DIR\ntargets:");
    for (const auto& t : varemo::fuzz::targets())
        std::fprintf(stderr, " %s", t.name);
    std::fprintf(stderr, "\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (const char* s = std::getenv("VAREMO_FUZZ_SECONDS")) o.seconds = std::atof(s);
    std::vector<std::string> args(argv + 1, argv + argc);
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--write-seeds" && hasValue) {
            varemo::fuzz::writeSeeds(args[++i]);
            return 0;
        } else if (a == "--seconds" && hasValue) {
            o.seconds = std::atof(args[++i].c_str());
        } else if (a == "--runs" && hasValue) {
            o.runs = std::strtoull(args[++i].c_str(), nullptr, 10);
        } else if (a == "--seed" && hasValue) {
            o.seed = std::strtoull(args[++i].c_str(), nullptr, 10);
        } else if (a == "--corpus" && hasValue) {
            o.corpus = args[++i];
        } else if (a == "--out" && hasValue) {
            o.out = args[++i];
        } else if (!a.empty() && a[0] != '-' && varemo::fuzz::findTarget(a)) {
            o.targets.push_back(a);
        } else {
            return usage();
        }
    }
    std::signal(SIGALRM, onHang);
#ifdef VAREMO_HAVE_SANITIZER_CALLBACK
    __sanitizer_set_death_callback(printInputPath);
#endif
    int status = 0;
    for (const auto& t : varemo::fuzz::targets())
        if (o.targets.empty() || std::find(o.targets.begin(), o.targets.end(), t.name) != o.targets.end())
            status |= fuzzTarget(t, o);
    return status;
}
