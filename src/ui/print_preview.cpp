#include "ui/print_preview.h"

#include "ui/engine_call.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

namespace varemo::ui {
namespace {

constexpr double kScreenDpi = 96.0; // 100 % zoom

} // namespace

Druckvorschau::Druckvorschau(Session& g, QPrinter& printer, QWidget* parent)
    : QWidget(parent, Qt::Window), g_(g), printer_(printer) {
    setObjectName(QStringLiteral("Druckvorschau"));
    setWindowTitle(QStringLiteral("Druckvorschau"));
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto* print = new QPushButton(QStringLiteral("Drucken"), this);
    print->setObjectName(QStringLiteral("Command1"));
    auto* pdf = new QPushButton(QStringLiteral("Als PDF speichern …"), this);
    pdf->setObjectName(QStringLiteral("pdf"));
    auto* close = new QPushButton(QStringLiteral("Schließen"), this);
    close->setObjectName(QStringLiteral("Command2"));
    zoom_ = new QComboBox(this);
    zoom_->setObjectName(QStringLiteral("zoom"));
    for (int percent : {50, 75, 100, 125, 150, 200})
        zoom_->addItem(QStringLiteral("%1 %").arg(percent), percent);
    zoom_->setCurrentIndex(2);
    page_ = new QSpinBox(this);
    page_->setObjectName(QStringLiteral("page"));
    page_->setPrefix(QStringLiteral("Blatt "));
    page_->setMinimum(1);
    pageCount_ = new QLabel(this);
    bar->addWidget(print);
    bar->addWidget(pdf);
    bar->addWidget(close);
    bar->addSpacing(20);
    bar->addWidget(new QLabel(QStringLiteral("Zoom"), this));
    bar->addWidget(zoom_);
    bar->addWidget(page_);
    bar->addWidget(pageCount_);
    bar->addStretch();
    layout->addLayout(bar);

    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("SSScroll1"));
    scroll_->setAlignment(Qt::AlignHCenter);
    scroll_->setBackgroundRole(QPalette::Dark);
    pagesWidget_ = new QWidget;
    pagesLayout_ = new QVBoxLayout(pagesWidget_);
    pagesLayout_->setSpacing(12);
    scroll_->setWidget(pagesWidget_);
    scroll_->setWidgetResizable(true);
    layout->addWidget(scroll_, 1);

    connect(print, &QPushButton::clicked, this, &Druckvorschau::printDocument);
    connect(pdf, &QPushButton::clicked, this, &Druckvorschau::saveAsPdf);
    connect(close, &QPushButton::clicked, this, &Druckvorschau::closePreview);
    connect(zoom_, &QComboBox::currentIndexChanged, this, [this] { render(); });
    connect(page_, &QSpinBox::valueChanged, this, [this](int page) { showPage(page); });
    resize(860, 900);
}

Druckvorschau::~Druckvorschau() = default;

void Druckvorschau::showPrintout(int kind, const print::PrintOptions& options) {
    kind_ = kind;
    options_ = options;
    surface_.cls();
    callEngine(g_.prompter, [&] { print::runPrintKind(kind, g_, surface_, options); });
    if (const auto* entry = print::findPrintKind(kind))
        setWindowTitle(QStringLiteral("Druckvorschau – ") + QString::fromUtf8(entry->title));
    render();
    show();
    raise();
    activateWindow();
}

void Druckvorschau::render() {
    for (QLabel* label : pageLabels_)
        delete label;
    pageLabels_.clear();
    const double dpi = kScreenDpi * zoom_->currentData().toInt() / 100.0;
    for (int page = 0; page < surface_.pageCount(); ++page) {
        auto* label = new QLabel(pagesWidget_);
        label->setPixmap(QPixmap::fromImage(surface_.pageImage(page, dpi)));
        label->setAlignment(Qt::AlignHCenter);
        pagesLayout_->addWidget(label);
        pageLabels_.push_back(label);
    }
    page_->setMaximum(std::max(1, surface_.pageCount()));
    pageCount_->setText(QStringLiteral("von %1").arg(surface_.pageCount()));
}

void Druckvorschau::showPage(int page) {
    if (page < 1 || page > static_cast<int>(pageLabels_.size())) return;
    scroll_->verticalScrollBar()->setValue(pageLabels_[static_cast<size_t>(page - 1)]->y());
}

void Druckvorschau::printDocument() {
    QPrintDialog dialog(&printer_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    surface_.cls();
    hide();
    callEngine(g_.prompter, [&] {
        PrinterSurface printer(printer_);
        // A kind without a printout prints an empty document.
        print::runPrintKind(kind_, g_, printer, options_);
        printer.endDocument();
    });
}

void Druckvorschau::saveAsPdf() {
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Als PDF speichern"), QString(),
                                                      QStringLiteral("PDF-Dateien (*.pdf)"));
    if (file.isEmpty()) return;
    callEngine(g_.prompter, [&] {
        PdfSurface pdf(file);
        print::runPrintKind(kind_, g_, pdf, options_);
        pdf.endDocument();
    });
}

void Druckvorschau::closePreview() {
    surface_.cls();
    render();
    if (restoreOnClose_) {
        auto restore = std::move(restoreOnClose_);
        restoreOnClose_ = nullptr;
        callEngine(g_.prompter, restore);
    }
    hide();
}

} // namespace varemo::ui
