// varemo20: the window.
//
//   varemo20 [--program-dir DIR]
//   varemo20 --screenshot FILE [--year Y --set REAL|PLAN|INFO --case N --month M]
//            [--panel CODE | --window NAME] [--program-dir DIR]
//
// The program folder defaults to the executable's folder (or VAREMO_PROGRAM_DIR); an installation the
// user cannot write to keeps the data in ~/.local/share/varemo20 (session/program_folder.h). The start-up
// finds the user's folders and the selection shown last; --year, --set, --case and --month override it.
// --screenshot starts without a display, renders the main window of that case-month to a PNG file and
// exits (0 written, 2 usage error, 3 start-up or file error). Messages then go to stderr. With --panel
// the picture is the panel window showing that content over the main window; with --window the window
// of a calculator by its name (BDAform, JDA, Stufenlaufzeit, Höhergruppierung, EDZeit, Urlaubsber,
// Arbeitszeit) or the tariff editor (Tarifeditor) as it opens for that case-month.

#include "base/error.h"
#include "presentation/navigation.h"
#include "session/program_folder.h"
#include "session/startup.h"
#include "ui/calculator_windows.h"
#include "ui/main_window.h"
#include "ui/qt_prompter.h"
#include "ui/window_geometry_store.h"

#include <QApplication>
#include <QMessageBox>
#include <QPixmap>
#include <QStyleFactory>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

using namespace varemo;

namespace {

struct Options {
    std::filesystem::path programDir;
    std::string screenshot;
    std::string window; // a calculator's window, by name
    std::optional<int> year, caseNumber, month, panel;
    std::optional<DataSet> set;
};

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

int number(const std::string& option, const std::string& text) {
    try {
        size_t used = 0;
        int v = std::stoi(text, &used);
        if (used == text.size()) return v;
    } catch (const std::exception&) {
    }
    throw UsageError(option + ": not a whole number: " + text);
}

Options parse(int argc, char** argv) {
    Options o;
    if (const char* env = std::getenv("VAREMO_PROGRAM_DIR"); env && *env) o.programDir = env;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw UsageError(a + " needs a value");
            return argv[++i];
        };
        if (a == "--program-dir")
            o.programDir = value();
        else if (a == "--screenshot")
            o.screenshot = value();
        else if (a == "--year")
            o.year = number(a, value());
        else if (a == "--case")
            o.caseNumber = number(a, value());
        else if (a == "--month")
            o.month = number(a, value());
        else if (a == "--panel")
            o.panel = number(a, value());
        else if (a == "--window")
            o.window = value();
        else if (a == "--set") {
            o.set = parseDataSet(value());
            if (!o.set) throw UsageError("--set takes REAL, PLAN or INFO");
        } else
            throw UsageError("unknown argument: " + a);
    }
    if (o.year && (*o.year < kFirstYear || *o.year > kLastYear))
        throw UsageError("--year must be 2017 to 2021");
    if (o.month && (*o.month < 1 || *o.month > kYearSalaryMonth)) throw UsageError("--month must be 1 to 13");
    if (o.caseNumber && (*o.caseNumber < 1 || *o.caseNumber > 9999))
        throw UsageError("--case must be 1 to 9999");
    if (o.panel && o.screenshot.empty()) throw UsageError("--panel belongs to --screenshot");
    if (!o.window.empty() && o.screenshot.empty()) throw UsageError("--window belongs to --screenshot");
    if (!o.window.empty() && o.panel) throw UsageError("--panel and --window show one window each");
    if (!o.window.empty() && !ui::isWindowName(QString::fromStdString(o.window)))
        throw UsageError("--window: no window named " + o.window);
    return o;
}

std::filesystem::path executableDir() {
    std::error_code ec;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : self.parent_path();
}

// Without a display the messages go to stderr, answered with No (nothing destructive happens).
class StderrPrompter : public RecordingPrompter {
  public:
    PromptAnswer ask(const PromptMessage& m) override {
        std::cerr << "[" << m.title << "] " << m.text() << "\n";
        return RecordingPrompter::ask(m);
    }
};

} // namespace

int main(int argc, char** argv) {
    Options options;
    try {
        options = parse(argc, argv);
    } catch (const UsageError& e) {
        std::cerr << "varemo20: " << e.what() << "\n"
                  << "usage: varemo20 [--program-dir DIR] [--screenshot FILE [--panel CODE | --window NAME] "
                     "[--year Y --set "
                     "REAL|PLAN|INFO "
                     "--case N --month M]]\n";
        return 2;
    }
    const bool screenshot = !options.screenshot.empty();
    if (screenshot && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font = QApplication::font();
    font.setPointSizeF(8.5);
    QApplication::setFont(font);

    StderrPrompter quiet;
    ui::QtPrompter boxes;
    Prompter& prompter = screenshot ? static_cast<Prompter&>(quiet) : static_cast<Prompter&>(boxes);
    Session g(prompter);
    try {
        // An installation the user may not write to keeps the user's data in the user's own folder.
        g.programDir = options.programDir.empty() ? programFolderFor(executableDir()) : options.programDir;
        if (!StartUp(g)) return 3;
        if (options.year) g.year = *options.year;
        if (options.set) g.dataSet = *options.set;
        if (options.caseNumber) g.caseNumber = *options.caseNumber;
        if (options.month)
            g.selectMonth(*options.month >= 1 && *options.month <= kYearSalaryMonth ? *options.month : 1);
        ShowSelection(g);

        ui::MainWindow window(g);
        if (screenshot) {
            window.setWritesWindowRecord(false);
            window.show();
            QApplication::processEvents();
            QWidget* shown = &window;
            if (options.panel) {
                window.openPanel(*options.panel);
                if (!window.panel() || window.panel()->content() != *options.panel) {
                    std::cerr << "varemo20: no panel content " << *options.panel << "\n";
                    return 2;
                }
                QApplication::processEvents();
                shown = window.panel();
            }
            if (!options.window.empty()) {
                shown = ui::openWindowNamed(QString::fromStdString(options.window), g, window);
                if (!shown) {
                    std::cerr << "varemo20: the window " << options.window << " did not open\n";
                    return 3;
                }
                QApplication::processEvents();
            }
            if (!shown->grab().save(QString::fromStdString(options.screenshot), "PNG")) {
                std::cerr << "varemo20: cannot write " << options.screenshot << "\n";
                return 3;
            }
            return 0;
        }
        boxes.setParent(&window);
        ui::WindowRecordGeometry geometry(g);
        window.restorePlacement(&geometry);
        ui::WindowRecordGeometry panelGeometry(g, ui::WindowRecordGeometry::Window::Panel);
        window.setPanelPlacement(&panelGeometry);
        window.show();
        return app.exec(); // closing the window writes the window record
    } catch (...) {
        // Nothing may unwind out of the program: the user reads what failed in German.
        const std::string message = userMessageOfCurrentException();
        std::cerr << "varemo20: " << message << "\n";
        if (!screenshot)
            QMessageBox::critical(nullptr, QStringLiteral("Fehler"), QString::fromStdString(message));
        return 3;
    }
}
