// Serial printing of a whole staff: the salary calculation with the employer's cost (Druckart 2, printout
// 12) of 1,000 cases, one month each, into one PDF file, as the window "Seriendruck" prints it: each case
// is made current (loaded and calculated), drawn onto the PDF surface with the real fonts, and the file is
// written at the end. Runs on the offscreen platform; reads the build tree's Tarife/ and Texte/.
//
// The result is checked, not only timed: every case is printed, the file holds as many pages as the
// surface drew, and the same order drawn onto the recording surface (untimed, before) has the same pages
// and names every case.

#include <benchmark/benchmark.h>

#include "persistence/month_record.h"
#include "print/recording_surface.h"
#include "print/serial_print.h"
#include "session/case_load.h"
#include "ui/print_surfaces.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace varemo;

constexpr int kCases = 1000;

// TVöD VKA groups with table values in 2020, tax classes I to VI with and without child allowances.
constexpr std::array<int16_t, 8> kGroups = {2, 4, 6, 9, 11, 13, 15, 18};
constexpr std::array<int16_t, 6> kTaxClasses = {0, 4, 12, 23, 36, 48};

struct Folder {
    fs::path root;
    Folder() {
        root = fs::temp_directory_path() / ("varemo_serial_print_bench_" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "User001");
        for (const char* sub : {"Tarife", "Texte"}) {
            std::error_code ec;
            fs::create_directory_symlink(fs::path(VAREMO_BUILD_DIR) / sub, root / sub, ec);
        }
    }
    ~Folder() { fs::remove_all(root); }
};

// Case n in March 2020: TVöD VKA in NRW, a group and step of the table, part time for every fourth, a
// supplementary pension for most, church tax for every second.
void storeCases(Session& g) {
    for (int n = 1; n <= kCases; ++n) {
        Case c = defaultCase();
        c.name = "Personalfall " + std::to_string(n);
        c.setKey(KeySlot::Region, 9);
        c.setKey(KeySlot::ServiceRelationship, 12);
        c.setKey(KeySlot::PayGroup, kGroups[static_cast<size_t>(n) % kGroups.size()]);
        c.setKey(KeySlot::Step, static_cast<int16_t>(1 + n % 5));
        c.setKey(KeySlot::TaxClass, kTaxClasses[static_cast<size_t>(n / 2) % kTaxClasses.size()]);
        c.setKey(KeySlot::HealthFund, static_cast<int16_t>(n % 13));
        c.setKey(KeySlot::SupplementaryFund, n % 5 == 0 ? 40 : 2);
        c.setKey(KeySlot::ChurchTax, n % 2 == 0 ? 0 : 3);
        if (n % 4 == 1) c.enterAmount(AmountSlot::AgreedHours, 1925000);
        c.setKey(KeySlot::Month, 2);
        YearRecord year = g.files.readYear(n);
        year.setName(c.name);
        year.setCaseNumber(n);
        g.files.writeYear(n, year);
        g.files.writeMonth(3, n, packMonthRecord(c));
    }
    g.storage.window.setCaseCount(g.year, kCases + 1);
}

// Every case onto one surface, each beginning on a new sheet; cancelling is never asked for.
class OneDocument : public print::SerialPrintHost {
  public:
    OneDocument(Session& g, print::PrintSurface& s) : g_(g), s_(s) {}
    bool showCase(int caseNumber) override {
        g_.caseNumber = caseNumber;
        return SelectCaseMonth(g_);
    }
    bool showMonth(int) override { return false; }
    void printYearView(int, const print::SerialPrintOption&, print::PrintSurface&) override {}
    print::PrintSurface& begin(int) override {
        if (started_) s_.newPage();
        started_ = true;
        return s_;
    }
    void end(int) override {}
    bool proceed(int, int, int) override { return true; }

  private:
    Session& g_;
    print::PrintSurface& s_;
    bool started_ = false;
};

print::SerialPrintResult printAll(Session& g, print::PrintSurface& s) {
    OneDocument host(g, s);
    const print::PrintOptions options{"07.12.2020", false, nullptr};
    return print::RunSerialPrint(g, *print::findSerialPrintOption(2), {1, kCases}, host, options);
}

// The pages of a PDF file: its page objects ("/Type /Page", not "/Pages").
int pdfPages(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    const std::string pdf = content.str();
    int pages = 0;
    for (size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
        if (at + 11 < pdf.size() && pdf[at + 11] != 's') ++pages;
    return pages;
}

void BM_SerialPrintToPdf(benchmark::State& state) {
    ui::ensureGuiApplication();
    Folder folder;
    RecordingPrompter prompter(true);
    Session g(prompter);
    g.programDir = folder.root;
    g.userFolder = folder.root / "User001";
    g.year = 2020;
    g.dataSet = DataSet::Real;
    OpenYearFiles(g);
    storeCases(g);
    g.selectMonth(3);

    print::RecordingSurface recording;
    if (printAll(g, recording).printed != kCases) {
        state.SkipWithError("not every case was drawn");
        return;
    }
    recording.endDocument();
    const std::string text = recording.readingOrder();
    for (int n = 1; n <= kCases; ++n)
        if (text.find("\nPersonalfall " + std::to_string(n) + "\n") == std::string::npos) {
            state.SkipWithError("a case is missing from the printout");
            return;
        }

    const fs::path file = folder.root / "serie.pdf";
    int pages = 0;
    for (auto _ : state) {
        ui::PdfSurface pdf(QString::fromStdString(file.string()));
        const print::SerialPrintResult r = printAll(g, pdf);
        pages = pdf.pageCount(); // the pages drawn; writing the file ends the document
        pdf.endDocument();
        if (r.printed != kCases || r.cancelled) state.SkipWithError("not every case was printed");
    }
    if (pages != recording.pages() || pdfPages(file) != pages) {
        static std::string message;
        message = "pages: " + std::to_string(pages) + " drawn, " + std::to_string(pdfPages(file)) +
                  " in the file, " + std::to_string(recording.pages()) + " recorded";
        state.SkipWithError(message.c_str());
    }
    state.counters["pages"] = pages;
    state.counters["cases/s"] = benchmark::Counter(kCases, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_SerialPrintToPdf)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
