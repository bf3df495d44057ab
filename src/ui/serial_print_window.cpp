#include "ui/serial_print_window.h"

#include "presentation/navigation.h"
#include "presentation/year_view.h"
#include "print/table_printout.h"
#include "ui/print_surfaces.h"
#include "ui/year_view_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <memory>

namespace varemo::ui {
namespace {

QString q(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The choice stays for the next opening of the window, as long as the program runs.
int rememberedChoice = 0;

// The light red of the chosen printout (colour 12 of the 16 basic colours).
const QString kChosenStyle = QStringLiteral("color: #FF5555; font-weight: bold");

class WindowSerialHost : public print::SerialPrintHost {
  public:
    WindowSerialHost(Session& g, QProgressDialog& progress, print::PrintSurface* single, QString perItemFile)
        : g_(g), progress_(progress), single_(single), perItemFile_(std::move(perItemFile)) {}

    bool showCase(int caseNumber) override {
        if (g_.showsYearSalary() && !SelectMonth(g_, 12)) return false;
        return SelectCase(g_, caseNumber);
    }
    bool showMonth(int month) override { return SelectMonth(g_, month); }
    void printYearView(int caseNumber, const print::SerialPrintOption& option,
                       print::PrintSurface& s) override {
        const YearViewOptions view{option.employerView ? YearViewKind::EmployerCost : YearViewKind::Salaries,
                                   option.accumulated};
        print::printTable(
            s, print::printTableOf(buildYearView(CalculateCaseYear(g_, caseNumber), g_.year, view)));
    }
    print::PrintSurface& begin(int item) override {
        if (single_) {
            if (started_) single_->newPage();
            started_ = true;
            return *single_;
        }
        const QFileInfo file(perItemFile_);
        own_ = std::make_unique<PdfSurface>(file.path() + '/' + file.completeBaseName() + '-' +
                                            QString::number(item) + '.' + file.suffix());
        return *own_;
    }
    void end(int) override {
        if (!single_) own_->endDocument();
    }
    bool proceed(int done, int total, int item) override {
        progress_.setMaximum(total);
        progress_.setValue(done);
        progress_.setLabelText(QStringLiteral("Ausdruck %1 (%2 von %3)").arg(item).arg(done + 1).arg(total));
        QApplication::processEvents();
        return !progress_.wasCanceled();
    }

  private:
    Session& g_;
    QProgressDialog& progress_;
    print::PrintSurface* single_;
    QString perItemFile_;
    bool started_ = false;
    std::unique_ptr<PdfSurface> own_;
};

} // namespace

SerialPrintWindow::SerialPrintWindow(Session& g, QPrinter& printer, QWidget* parent)
    : QDialog(parent), g_(g), printer_(printer), names_(caseListNames(g)) {
    setObjectName(QStringLiteral("Seriendruck"));
    setWindowTitle(QString::fromUtf8(print::kSerialPrintTitle));
    const int cases = std::max(1, static_cast<int>(names_.size()));
    // The fields take any number; leaving one puts the range back in order (caseRangeChanged).
    auto spin = [this](const char* name, int value) {
        auto* box = new QSpinBox(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(0, 9999);
        box->setValue(value);
        return box;
    };
    first_ = spin("Anfang", 1);
    last_ = spin("Ende", cases);
    firstMonth_ = spin("Anfang1", 1);
    lastMonth_ = spin("Ende1", 12);
    firstName_ = new QLabel(this);
    firstName_->setObjectName(QStringLiteral("erstername"));
    lastName_ = new QLabel(this);
    lastName_->setObjectName(QStringLiteral("letztername"));
    firstMonthName_ = new QLabel(this);
    firstMonthName_->setObjectName(QStringLiteral("ersterMonat"));
    auto* working = new QLabel(q(g.workingCase.name), this);
    working->setObjectName(QStringLiteral("bediensteter1"));
    target_ = new QComboBox(this);
    target_->addItems({QStringLiteral("Drucker"), QStringLiteral("PDF-Datei"),
                       QStringLiteral("PDF-Datei je Personalfall")});

    auto* casesBox = new QGroupBox(QStringLiteral("Personalfälle"), this);
    auto* monthsBox = new QGroupBox(QStringLiteral("Monate von"), this);
    auto* caseGrid = new QGridLayout(casesBox);
    caseGrid->addWidget(first_, 0, 0);
    caseGrid->addWidget(firstName_, 0, 1);
    caseGrid->addWidget(last_, 1, 0);
    caseGrid->addWidget(lastName_, 1, 1);
    auto* monthGrid = new QGridLayout(monthsBox);
    monthGrid->addWidget(working, 0, 0, 1, 2);
    monthGrid->addWidget(firstMonth_, 1, 0);
    monthGrid->addWidget(firstMonthName_, 1, 1);
    monthGrid->addWidget(lastMonth_, 2, 0);
    for (const print::SerialPrintOption& o : print::serialPrintOptions()) {
        auto* button = new QRadioButton(QString::fromUtf8(o.caption), this);
        button->setObjectName(QStringLiteral("Druckart%1").arg(o.code));
        options_[o.code] = button;
        (o.range == print::SerialRange::Cases ? caseGrid : monthGrid)
            ->addWidget(button, o.range == print::SerialRange::Cases ? 2 + o.code : 3 + o.code, 0, 1, 2);
        const int code = o.code;
        connect(button, &QRadioButton::clicked, this, [this, code] { choose(code); });
    }
    auto* printButton = new QPushButton(QStringLiteral("Drucken"), this);
    printButton->setObjectName(QStringLiteral("Druckbefehl"));
    auto* help = new QPushButton(QStringLiteral("Hilfe"), this);
    auto* close = new QPushButton(QStringLiteral("Schließen"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(target_);
    buttons->addStretch();
    buttons->addWidget(printButton);
    buttons->addWidget(help);
    buttons->addWidget(close);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(casesBox);
    boxes->addWidget(monthsBox);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(boxes);
    layout->addLayout(buttons);

    connect(first_, &QSpinBox::editingFinished, this, [this] { caseRangeChanged(false); });
    connect(last_, &QSpinBox::editingFinished, this, [this] { caseRangeChanged(true); });
    connect(firstMonth_, &QSpinBox::editingFinished, this, [this] { monthRangeChanged(false); });
    connect(lastMonth_, &QSpinBox::editingFinished, this, [this] { monthRangeChanged(true); });
    connect(printButton, &QPushButton::clicked, this, [this] { (void)printOrder(); });
    connect(help, &QPushButton::clicked, this, [this] {
        g_.prompter.tell("Seriendruck",
                         {"Wählen Sie die Art des Ausdrucks und den ersten und letzten Personalfall oder den "
                          "ersten und letzten Monat (13 = Jahresgehalt) des angezeigten Personalfalls.",
                          "Ein Auftrag wird als ein Druckauftrag gedruckt; der Druck kann zwischen zwei "
                          "Ausdrucken abgebrochen werden."});
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    caseRangeChanged(true);
    monthRangeChanged(true);
    choose(rememberedChoice);
}

void SerialPrintWindow::choose(int code) {
    if (!print::findSerialPrintOption(code)) code = 0;
    for (auto& [c, button] : options_) {
        button->setStyleSheet(c == code ? kChosenStyle : QStringLiteral("color: black; font-weight: normal"));
        button->setChecked(c == code);
    }
    choice_ = code;
    rememberedChoice = code;
}

void SerialPrintWindow::caseRangeChanged(bool lastChanged) {
    const int highest = std::max(1, static_cast<int>(names_.size()));
    print::NumberRange r{first_->value(), last_->value()};
    r = lastChanged ? print::afterLastChanged(r, highest) : print::afterFirstChanged(r, highest);
    const QSignalBlocker a(first_), b(last_);
    first_->setValue(r.first);
    last_->setValue(r.last);
    auto name = [this](int n) {
        return n >= 1 && n <= static_cast<int>(names_.size()) ? q(names_[static_cast<size_t>(n - 1)]) + "  "
                                                              : QString();
    };
    firstName_->setText(name(r.first));
    lastName_->setText(name(r.last));
}

void SerialPrintWindow::monthRangeChanged(bool lastChanged) {
    print::NumberRange r{firstMonth_->value(), lastMonth_->value()};
    r = lastChanged ? print::afterLastChanged(r, print::kSerialYearSalaryMonth)
                    : print::afterFirstChanged(r, print::kSerialYearSalaryMonth);
    const QSignalBlocker a(firstMonth_), b(lastMonth_);
    firstMonth_->setValue(r.first);
    lastMonth_->setValue(r.last);
    firstMonthName_->setText(q(print::serialMonthLabel(r.first, g_.year)));
}

print::SerialPrintResult SerialPrintWindow::printOrder(const QString& pdfFile) {
    const print::SerialPrintOption* option = print::findSerialPrintOption(choice_);
    if (!option) return {};
    const bool cases = option->range == print::SerialRange::Cases;
    const print::NumberRange range = cases ? print::NumberRange{first_->value(), last_->value()}
                                           : print::NumberRange{firstMonth_->value(), lastMonth_->value()};
    const auto target = static_cast<Target>(target_->currentIndex());
    QString file = pdfFile;
    if (target != Target::Printer && file.isEmpty()) {
        file = QFileDialog::getSaveFileName(this, QStringLiteral("PDF-Datei"),
                                            QStringLiteral("seriendruck.pdf"), QStringLiteral("PDF (*.pdf)"));
        if (file.isEmpty()) return {};
    }
    if (target == Target::Printer) {
        QPrintDialog dialog(&printer_, this);
        if (dialog.exec() != QDialog::Accepted) return {};
    }
    print::PrintOptions options;
    options.today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toStdString();
    QProgressDialog progress(QStringLiteral("Seriendruck"), QStringLiteral("Abbrechen"), 0, 1, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    std::unique_ptr<PagePictureSurface> single;
    if (target == Target::Printer)
        single = std::make_unique<PrinterSurface>(printer_);
    else if (target == Target::Pdf)
        single = std::make_unique<PdfSurface>(file);
    WindowSerialHost host(g_, progress, single.get(), file);
    print::SerialPrintResult result;
    try {
        result = print::RunSerialPrint(g_, *option, range, host, options);
        // A cancelled order that forms one job prints nothing.
        if (single && !result.cancelled) single->endDocument();
    } catch (const std::exception& e) {
        g_.prompter.tell("Seriendruck", {e.what()}, PromptIcon::Critical);
    }
    progress.reset();
    if (result.cancelled)
        g_.prompter.tell("Seriendruck",
                         {single ? "Der Seriendruck wurde abgebrochen; es wurde nichts gedruckt."
                                 : "Der Seriendruck wurde abgebrochen."});
    return result;
}

} // namespace varemo::ui
