// Edit to redraw in the main window: an amount typed into line 13 and confirmed, through the window's
// own path (line input, the calculation of the month, the following months up to December with their
// records, the year record, the redisplay and a synchronous repaint of the window). January runs eleven
// following months; December none. Runs on the offscreen platform with the build's tariff and text files
// in a temporary program folder.

#include <benchmark/benchmark.h>

#include "presentation/navigation.h"
#include "session/line_input.h"
#include "session/startup.h"
#include "ui/amount_field.h"
#include "ui/main_window.h"

#include <QApplication>

#include <filesystem>
#include <memory>
#include <random>

namespace {

namespace fs = std::filesystem;
using namespace varemo;

struct BenchWindow {
    explicit BenchWindow(int month) : g(prompter) {
        dir = fs::temp_directory_path() / ("varemo_ui_bench_" + std::to_string(std::random_device{}()));
        fs::create_directories(dir);
        for (const char* sub : {"Tarife", "Texte"}) {
            std::error_code ec;
            fs::copy(fs::path(VAREMO_BUILD_DIR) / sub, dir / sub, fs::copy_options::recursive, ec);
        }
        g.programDir = dir;
        StartUp(g);
        g.year = 2020;
        g.dataSet = DataSet::Real;
        g.caseNumber = 1;
        g.selectMonth(1);
        ShowSelection(g);
        // A TVöD Bund case, group E9b, step 3.
        ChooseOption(g, 4, 10);
        SetKey(g, 5, 9);
        SetKey(g, 7, 2);
        SelectMonth(g, month);
        window = std::make_unique<ui::MainWindow>(g);
        window->setWritesWindowRecord(false);
        window->show();
        QApplication::processEvents();
    }
    ~BenchWindow() {
        window.reset();
        g.files.close();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    fs::path dir;
    RecordingPrompter prompter;
    Session g;
    std::unique_ptr<ui::MainWindow> window;
};

void editToRedraw(benchmark::State& state, int month) {
    BenchWindow b(month);
    ui::AmountField* field = b.window->amountField(13);
    int i = 0;
    for (auto _ : state) {
        emit field->committed(field->slot(), QString::number(100 + (i++ % 50)));
        b.window->repaint();
    }
    if (!b.prompter.messages().empty()) state.SkipWithError(b.prompter.messages().back().text().c_str());
}

void BM_EditJanuaryToRedraw(benchmark::State& state) {
    editToRedraw(state, 1);
}
void BM_EditDecemberToRedraw(benchmark::State& state) {
    editToRedraw(state, 12);
}
// The redraw alone: redisplay from the sheet and paint.
void BM_RedisplayOnly(benchmark::State& state) {
    BenchWindow b(1);
    for (auto _ : state) {
        b.window->redisplay();
        b.window->repaint();
    }
}

BENCHMARK(BM_EditJanuaryToRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditDecemberToRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedisplayOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
