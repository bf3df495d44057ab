// The printing of the main window: the previews of the printouts (f05 to f08, f24 and the "Drucken" of
// the panels), the printed screen (f03, f04) and the printer set-up (Y07).
#include "ui/main_window.h"

#include "presentation/year_view.h"
#include "print/calculator_printouts.h"
#include "print/print_kind.h"
#include "ui/engine_call.h"
#include "ui/print_preview.h"

#include <QDate>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace varemo::ui {
namespace {

// The preview of the salary calculation stands at the main window's left and top, 12100 twips wide.
constexpr int kPreviewWidthTwips = 12100;

} // namespace

void MainWindow::showPrintout(int kind) {
    showPrintout(kind, print::PrintOptions{});
}

void MainWindow::showPrintout(int kind, print::PrintOptions options) {
    if (auto refusal = print::yearSalaryRefusal(g_, kind)) {
        g_.prompter.ask(*refusal);
        return;
    }
    options.today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toStdString();
    std::optional<PromptMessage> missing;
    if (!callEngine(g_.prompter, [&] { missing = print::calculatorInputMissing(g_, kind, options); })) return;
    if (missing) {
        g_.prompter.ask(*missing);
        return;
    }
    if (!printer_) printer_ = std::make_shared<QPrinter>(QPrinter::HighResolution);
    if (!preview_) {
        preview_ = new Druckvorschau(g_, *printer_, this);
        preview_->move(frameGeometry().topLeft());
        preview_->resize(kPreviewWidthTwips * logicalDpiX() / 1440, height());
    }
    if (!options.table &&
        !callEngine(g_.prompter, [&] { options.table = yearViewPrintTable(g_, kind, false); }))
        return;
    preview_->showPrintout(kind, options);
}

void MainWindow::printScreen(bool colour) {
    if (!printer_) printer_ = std::make_shared<QPrinter>(QPrinter::HighResolution);
    // The window as it stands, without an open list or a half-typed code.
    escape();
    QImage screen = grab().toImage();
    if (!colour) screen = screen.convertToFormat(QImage::Format_Grayscale8);
    printer_->setColorMode(colour ? QPrinter::Color : QPrinter::GrayScale);
    QPrintDialog dialog(printer_.get(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter;
    if (!painter.begin(printer_.get())) {
        g_.prompter.tell("Drucken",
                         {"Der Drucker konnte nicht angesprochen werden; es wurde nichts gedruckt."});
        return;
    }
    const QRect page = painter.viewport();
    const QSize size = screen.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(page.topLeft(), size), screen);
    painter.end();
}

void MainWindow::printerSetup() {
    if (!printer_) printer_ = std::make_shared<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer_.get(), this);
    dialog.setWindowTitle(QStringLiteral("Druckereinrichtung"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.exec(); // the printer keeps what was chosen for the next printout
}

} // namespace varemo::ui
