#include "ui/year_view_window.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <fstream>

namespace varemo::ui {
namespace {

QString q(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

MonthChart::Series seriesOf(const CaseYearFigures& y, int which) {
    MonthChart::Series out{};
    for (const MonthFigures& f : y.months) {
        if (!f.available()) continue;
        const auto& line = f.sheet.line(which == 0 ? 23 : 47);
        int64_t cents = which == 2 ? centsOf(f.employer.total) : line.amountCents.value_or(0);
        out[static_cast<size_t>(f.month - 1)] = cents;
    }
    return out;
}

} // namespace

MonthChart::MonthChart(QWidget* parent) : QWidget(parent) {
    setMinimumSize(260, 180);
}

void MonthChart::setSeries(const Series& gross, const Series& net, const Series& cost) {
    gross_ = gross;
    net_ = net;
    cost_ = cost;
    update();
}

void MonthChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    const QRectF area = QRectF(rect()).adjusted(44, 10, -10, -40);
    int64_t top = 0;
    int64_t bottom = 0;
    for (const Series* s : {&gross_, &net_, &cost_})
        for (const auto& v : *s)
            if (v) {
                top = std::max(top, *v);
                bottom = std::min(bottom, *v);
            }
    if (top == bottom) top = bottom + 100;
    auto x = [&](int month) { return area.left() + area.width() * (month + 0.5) / 12.0; };
    // A picture of the proportions only: the exact amounts stand in the grid beside it.
    auto y = [&](int64_t cents) {
        return area.bottom() -
               area.height() * static_cast<double>(cents - bottom) / static_cast<double>(top - bottom);
    };
    p.setPen(QColor(200, 200, 200));
    p.drawLine(QPointF(area.left(), y(0)), QPointF(area.right(), y(0)));
    p.drawRect(area);
    p.setPen(Qt::black);
    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.8));
    p.setFont(small);
    const auto& months = monthRowCaptions();
    for (int m = 0; m < 12; ++m)
        p.drawText(QRectF(x(m) - 20, area.bottom() + 2, 40, 14), Qt::AlignCenter,
                   q(months[static_cast<size_t>(m)]).left(3));
    p.drawText(QRectF(0, area.top() - 6, 42, 14), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(top / 100));
    p.drawText(QRectF(0, area.bottom() - 8, 42, 14), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(bottom / 100));

    struct Line {
        const Series* series;
        QColor colour;
        const char* caption;
    };
    const Line lines[] = {{&cost_, QColor(192, 64, 0), "Arbeitgeberaufwand"},
                          {&gross_, QColor(0, 64, 160), "Brutto"},
                          {&net_, QColor(0, 128, 64), "Netto"}};
    double legendX = area.left();
    for (const Line& l : lines) {
        p.setPen(QPen(l.colour, 2));
        QPainterPath path;
        bool drawing = false;
        for (int m = 0; m < 12; ++m) {
            const auto& v = (*l.series)[static_cast<size_t>(m)];
            if (!v) {
                drawing = false;
                continue;
            }
            const QPointF point(x(m), y(*v));
            if (drawing)
                path.lineTo(point);
            else
                path.moveTo(point);
            drawing = true;
            p.drawEllipse(point, 2, 2);
        }
        p.drawPath(path);
        p.drawLine(QPointF(legendX, area.bottom() + 26), QPointF(legendX + 14, area.bottom() + 26));
        p.setPen(Qt::black);
        const QString caption = QString::fromUtf8(l.caption);
        p.drawText(QPointF(legendX + 18, area.bottom() + 30), caption);
        legendX += 26 + p.fontMetrics().horizontalAdvance(caption);
    }
}

void fillGrid(QTableWidget* grid, const ReportTable& table) {
    grid->clear();
    grid->setColumnCount(static_cast<int>(table.columns.size()));
    grid->setRowCount(static_cast<int>(table.rows.size()));
    QStringList headers;
    for (const std::string& c : table.columns)
        headers << q(c);
    grid->setHorizontalHeaderLabels(headers);
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const TableRow& row = table.rows[r];
        for (size_t c = 0; c < row.cells.size(); ++c) {
            const TableCell& cell = row.cells[c];
            auto* item = new QTableWidgetItem(q(cellDisplay(cell)));
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (cell.kind == TableCell::Kind::Text) item->setToolTip(item->text());
            if (cell.kind != TableCell::Kind::Text) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (cell.kind == TableCell::Kind::Missing) item->setForeground(Qt::red);
            if (row.kind == RowKind::Heading || row.kind == RowKind::Total) {
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            grid->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->resizeColumnsToContents();
    // Long option texts would push the months out of sight; the full text is in the cell's tooltip.
    const int widest = grid->fontMetrics().horizontalAdvance(QStringLiteral("Besitzstand für Kinder  "));
    const int firstValueColumn = table.monthColumn > 0 ? table.monthColumn : 2; // captions, names
    for (int c = firstValueColumn; c < grid->columnCount(); ++c)
        if (grid->columnWidth(c) > widest) grid->setColumnWidth(c, widest);
}

void exportTables(QWidget* parent, Prompter& prompter, const std::vector<ReportTable>& tables,
                  const QString& suggestedName) {
    const QString csvFilter = QStringLiteral("CSV für Tabellenkalkulation (*.csv)");
    const QString jsonFilter = QStringLiteral("JSON (*.json)");
    QString filter = csvFilter;
    const QString path =
        QFileDialog::getSaveFileName(parent, QStringLiteral("Exportieren"), suggestedName + ".csv",
                                     csvFilter + ";;" + jsonFilter, &filter);
    if (path.isEmpty()) return;
    const bool json = filter == jsonFilter || path.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive);
    const std::string text = json ? toJson(tables) : toCsv(tables);
    std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out)
        prompter.tell("Exportieren",
                      {"Die Datei " + path.toStdString() + " konnte nicht geschrieben werden."},
                      PromptIcon::Critical);
}

YearViewWindow::YearViewWindow(Session& g, int caseNumber, YearViewKind kind, bool settings, QWidget* parent)
    : QDialog(parent), g_(g), year_(g.year),
      figures_(CalculateCaseYear(g, caseNumber)), options_{kind, false}, settings_(settings) {
    setObjectName(QStringLiteral("Form3"));
    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mode_ = new QPushButton(this);
    mode_->setObjectName(QStringLiteral("SSCommand4"));
    export_ = new QPushButton(QStringLiteral("Exportieren"), this);
    auto* printButton = new QPushButton(QStringLiteral("Drucken"), this);
    printButton->setObjectName(QStringLiteral("SSCommand3"));
    auto* close = new QPushButton(QStringLiteral("Schließen"), this);
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("heading"));
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    hint_ = new QLabel(this);
    hint_->setWordWrap(true);
    notes_ = new QLabel(this);
    notes_->setWordWrap(true);
    notes_->setStyleSheet(QStringLiteral("color: red"));
    chart_ = new MonthChart(this);
    chart_->setSeries(seriesOf(figures_, 0), seriesOf(figures_, 1), seriesOf(figures_, 2));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(mode_);
    buttons->addWidget(printButton);
    buttons->addWidget(export_);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* side = new QVBoxLayout;
    side->addWidget(chart_);
    side->addStretch();
    auto* body = new QHBoxLayout;
    body->addWidget(grid_, 1);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addLayout(body, 1);
    layout->addWidget(notes_);
    layout->addWidget(hint_);
    layout->addLayout(buttons);

    mode_->setVisible(!settings_);
    connect(mode_, &QPushButton::clicked, this, &YearViewWindow::toggleAccumulated);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(grid_, &QTableWidget::cellClicked, this, &YearViewWindow::clickCell);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int c) { clickCell(-1, c); });
    connect(printButton, &QPushButton::clicked, this, &YearViewWindow::requestPrint);
    connect(export_, &QPushButton::clicked, this,
            [this] { exportTables(this, g_.prompter, {table_}, QString::fromStdString(table_.name)); });
    refill();
    resize(1200, 640);
}

void YearViewWindow::toggleAccumulated() {
    options_.accumulated = !options_.accumulated;
    refill();
}

void YearViewWindow::refill() {
    table_ = settings_ ? buildSettingsListing(figures_, year_) : buildYearView(figures_, year_, options_);
    setWindowTitle(q(table_.title));
    mode_->setText(q(accumulateButtonCaption(options_.accumulated)));
    fillGrid(grid_, table_);
    QStringList headings;
    for (const std::string& h : table_.headings)
        headings << q(h);
    heading_->setText(headings.join('\n'));
    heading_->setVisible(!headings.isEmpty());
    hint_->setText(q(yearViewClickHint(options_.kind)) +
                   QStringLiteral(" Mit ALT + DRUCK kopieren Sie die Ansicht in ein Textdokument."));
    QStringList notes;
    for (const std::string& n : table_.notes)
        notes << q(n);
    notes_->setText(notes.join('\n'));
    notes_->setVisible(!notes.isEmpty());
}

void YearViewWindow::requestPrint() {
    printRequested_ = true;
    accept();
}

int YearViewWindow::printKind() const {
    return settings_ ? kSettingsListingPrintKind : static_cast<int>(options_.kind);
}

void YearViewWindow::clickCell(int row, int column) {
    int month = 0;
    if (!settings_ && options_.kind == YearViewKind::Combined) {
        if (row >= 0 && row < static_cast<int>(table_.rows.size()))
            month = table_.rows[static_cast<size_t>(row)].month;
    } else if (column >= table_.monthColumn && column < table_.monthColumn + 12) {
        month = column - table_.monthColumn + 1;
    }
    if (month == 0) return;
    emit monthChosen(month);
    accept();
}

} // namespace varemo::ui
