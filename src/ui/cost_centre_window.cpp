#include "ui/cost_centre_window.h"

#include "print/table_printout.h"
#include "session/case_operations.h"
#include "ui/print_surfaces.h"
#include "ui/year_view_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace varemo::ui {
namespace {

QString q(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

CostCentreWindow::CostCentreWindow(Session& g, QWidget* parent)
    : QDialog(parent), g_(g), year_(g.year), set_(g.dataSet) {
    setObjectName(QStringLiteral("Form2"));
    {
        QProgressDialog progress(QStringLiteral("Die Personalfälle werden berechnet ..."),
                                 QStringLiteral("Abbrechen"), 0, 1, parent);
        progress.setWindowTitle(QStringLiteral("Kostenstellen"));
        progress.setWindowModality(Qt::WindowModal);
        progress.setMinimumDuration(500);
        cases_ = CalculateAllCases(g, [&](int done, int total) {
            progress.setMaximum(total);
            progress.setValue(done);
            progress.setLabelText(QStringLiteral("Personalfall %1 von %2").arg(done + 1).arg(total));
            QApplication::processEvents();
            return !progress.wasCanceled();
        });
        loaded_ = !progress.wasCanceled();
    }
    entries_ = costCentreEntries(cases_);

    combo_ = new QComboBox(this);
    combo_->setObjectName(QStringLiteral("Combo1"));
    for (const CostCentreEntry& e : entries_)
        combo_->addItem(q(e.caption));
    accumulate_ = new QCheckBox(QStringLiteral("akkumulieren"), this);
    accumulate_->setObjectName(QStringLiteral("akkumopt"));
    sort_ = new QCheckBox(QStringLiteral("sortieren"), this);
    sort_->setObjectName(QStringLiteral("sortierenopt"));
    emptyLines_ = new QCheckBox(QStringLiteral("Leerzeilen"), this);
    emptyLines_->setObjectName(QStringLiteral("Leerzeilenopt"));
    auto* exportButton = new QPushButton(QStringLiteral("Exportieren"), this);
    exportButton->setObjectName(QStringLiteral("Exportieren"));
    auto* printButton = new QPushButton(QStringLiteral("Drucken"), this);
    printButton->setObjectName(QStringLiteral("Druckenopt"));
    auto* performanceButton = new QPushButton(QStringLiteral("Leistungsentgelte"), this);
    performanceButton->setObjectName(QStringLiteral("LEDruck"));
    auto* close = new QPushButton(QStringLiteral("Schließen"), this);
    upper_ = new QTableWidget(this);
    upper_->setObjectName(QStringLiteral("MSFlexGrid1"));
    months_ = new QTableWidget(this);
    for (QTableWidget* grid : {upper_, months_}) {
        grid->verticalHeader()->hide();
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    }
    notes_ = new QLabel(this);
    notes_->setWordWrap(true);
    notes_->setStyleSheet(QStringLiteral("color: red"));

    auto* options = new QHBoxLayout;
    options->addWidget(combo_, 1);
    options->addWidget(accumulate_);
    options->addWidget(sort_);
    options->addWidget(emptyLines_);
    options->addWidget(printButton);
    options->addWidget(performanceButton);
    options->addWidget(exportButton);
    options->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(upper_, 3);
    layout->addWidget(months_, 2);
    layout->addWidget(notes_);

    connect(combo_, &QComboBox::currentIndexChanged, this, &CostCentreWindow::refill);
    for (QCheckBox* box : {accumulate_, sort_, emptyLines_})
        connect(box, &QCheckBox::toggled, this, &CostCentreWindow::refill);
    connect(upper_, &QTableWidget::cellClicked, this, &CostCentreWindow::clickCase);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(printButton, &QPushButton::clicked, this, &CostCentreWindow::printOverview);
    connect(performanceButton, &QPushButton::clicked, this, [this] {
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted) return;
        PrinterSurface surface(printer);
        printPerformancePay(surface);
        surface.endDocument();
    });
    connect(exportButton, &QPushButton::clicked, this,
            [this] { exportTables(this, g_.prompter, tables_, QStringLiteral("kostenstellen")); });
    refill();
    resize(1200, 700);
}

void CostCentreWindow::refill() {
    CostCentreOptions options;
    const int index = combo_->currentIndex();
    if (index >= 0 && index < static_cast<int>(entries_.size()))
        options.choice = entries_[static_cast<size_t>(index)].choice;
    options.accumulated = accumulate_->isChecked();
    options.sorted = sort_->isChecked();
    options.emptyLines = emptyLines_->isChecked();
    tables_ = buildCostCentreOverview(cases_, year_, set_, options);
    setWindowTitle(q(tables_[0].title));
    fillGrid(upper_, tables_[0]);
    fillGrid(months_, tables_[1]);
    QStringList notes;
    for (const std::string& n : tables_[0].notes)
        notes << q(n);
    notes_->setText(notes.join('\n'));
    notes_->setVisible(!notes.isEmpty());
}

void CostCentreWindow::clickCase(int row, int column) {
    if (column != 0 || row < 0 || row >= static_cast<int>(tables_[0].rows.size())) return;
    const int caseNumber = tables_[0].rows[static_cast<size_t>(row)].caseNumber;
    if (caseNumber == 0) return;
    emit caseChosen(caseNumber);
    accept();
}

void CostCentreWindow::printTo(print::PrintSurface& s, bool pagePerCentre) const {
    const int digits = year_ % 100;
    const std::string title = "                 M O N A T S G E H Ä L T E R   2 0 " +
                              std::string(digits < 10 ? "0" : "") + std::to_string(digits) +
                              (accumulate_->isChecked() ? " (akkumuliert)" : " (Monate einzeln)");
    const std::string part = "   in Programmteil   " + dataSetName(set_);
    CostCentreOptions options;
    options.accumulated = accumulate_->isChecked();
    options.sorted = sort_->isChecked();
    // The cost centres as the overview orders them, the cases without one last.
    std::vector<CostCentreEntry> groups(entries_.begin() + 2, entries_.end());
    if (options.sorted)
        std::stable_sort(
            groups.begin(), groups.end(),
            [](const CostCentreEntry& a, const CostCentreEntry& b) { return a.caption < b.caption; });
    groups.push_back(entries_[1]);
    bool first = true;
    for (const CostCentreEntry& group : groups) {
        options.choice = group.choice;
        const auto tables = buildCostCentreOverview(cases_, year_, set_, options);
        if (tables[0].rows.size() <= 1) continue; // no case in it
        print::PrintTable table = print::printTableOf(tables[1]);
        table.rows.back()[0] = "SUMME";
        const std::string whom = group.choice.kind == CostCentreChoice::Kind::Without
                                     ? "P E R S O N A L F Ä L L E   O H N E   K O S T E N S T E L L E"
                                     : "                 F Ü R   " + group.caption;
        table.titleLines = {title, whom, part};
        if (!first && pagePerCentre) s.newPage();
        first = false;
        print::printTable(s, table);
    }
    options.choice = {};
    const auto all = buildCostCentreOverview(cases_, year_, set_, options);
    print::PrintTable table = print::printTableOf(all[0]);
    table.titleLines = {title, "A L L E    P E R S O N A L F Ä L L E", part};
    if (!first && pagePerCentre) s.newPage();
    print::printTable(s, table);
}

void CostCentreWindow::printOverview() {
    const PromptAnswer answer =
        g_.prompter.ask(PromptMessage{PromptIcon::Question,
                                      "Drucken",
                                      {"Seitenwechsel nach jeder Kostenstelle?",
                                       "Während der Berechnung des Drucks läuft die Sanduhr lange!"},
                                      PromptButtons::YesNoCancel});
    if (answer == PromptAnswer::Cancel) return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    PrinterSurface surface(printer);
    printTo(surface, answer == PromptAnswer::Yes);
    surface.endDocument();
}

void CostCentreWindow::printPerformancePay(print::PrintSurface& s) const {
    CostCentreChoice choice;
    const int index = combo_->currentIndex();
    if (index >= 0 && index < static_cast<int>(entries_.size()))
        choice = entries_[static_cast<size_t>(index)].choice;
    const int digits = year_ % 100;
    print::PrintTable table = print::printTableOf(buildPerformancePayTable(cases_, year_, set_, choice));
    table.titleLines = {"L E I S T U N G S E N T G E L T E   2 0 " + std::string(digits < 10 ? "0" : "") +
                            std::to_string(digits),
                        costCentreAddressee(choice, cases_), "   in Programmteil   " + dataSetName(set_)};
    print::printTable(s, table);
}

} // namespace varemo::ui
