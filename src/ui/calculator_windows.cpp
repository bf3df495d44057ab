#include "ui/calculator_windows.h"

#include "calculators/calculator_files.h"
#include "calculators/experience_texts.h"
#include "calculators/pay_steps.h"
#include "calculators/working_time.h"
#include "print/calculator_printouts.h"
#include "print/number_format.h"
#include "tariffs/service_relationship.h"
#include "ui/engine_call.h"
#include "ui/main_window.h"
#include "ui/panel_key_filter_qt.h"
#include "ui/tariff_editor_window.h"
#include "ui/window_layout.h"

#include <QColor>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace varemo::ui {
namespace {

std::string text(const QLineEdit* f) {
    return f->text().trimmed().toStdString();
}

QString dateText(const std::optional<CalendarDate>& d) {
    return d ? q(formatCalendarDate(*d)) : QString();
}

QString spanText(const DateSpan& s) {
    return QStringLiteral("%1 J %2 M %3 T").arg(s.years).arg(s.months).arg(s.days);
}

QString money(Money m) {
    return q(print::amountText(m));
}

// "26,5" and "26" as leave days; empty is nothing.
std::optional<LeaveMilli> leaveOf(const QLineEdit* f) {
    if (text(f).empty()) return LeaveMilli{0};
    try {
        return mulDiv(Money::parse(text(f)).units(), 1000, Money::kUnitsPerEuro, Rounding::HalfUp);
    } catch (const std::invalid_argument&) {
        return std::nullopt;
    }
}

std::optional<Money> moneyOf(const QLineEdit* f) {
    try {
        return Money::parse(text(f));
    } catch (const std::invalid_argument&) {
        return std::nullopt;
    }
}

std::optional<int> intOf(const QLineEdit* f) {
    bool ok = false;
    const int v = f->text().trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

QString leave(LeaveMilli m) {
    return q(leaveText(m));
}

} // namespace

QTableWidget* makeStepTable(QWidget* parent) {
    auto* t = new QTableWidget(0, 5, parent);
    t->setObjectName(QStringLiteral("Grundgehaltsstufen"));
    t->setHorizontalHeaderLabels({QStringLiteral("Stufe"), QStringLiteral("Laufzeit in Monaten"),
                                  QStringLiteral("vorher"), QStringLiteral("nachher"),
                                  QStringLiteral("Grundgehalt")});
    t->verticalHeader()->hide();
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    t->horizontalHeader()->setStretchLastSection(true);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::NoSelection);
    t->setFocusPolicy(Qt::NoFocus); // Tab goes from input to input
    return t;
}

void showStepTable(QTableWidget* t, const StepDurationView& v) {
    t->setRowCount(static_cast<int>(v.steps.size()));
    for (size_t i = 0; i < v.steps.size(); ++i) {
        const StepDate& s = v.steps[i];
        const QStringList cells = {QString::number(s.position + 1),
                                   s.finalStep ? QStringLiteral("Endstufe") : QString::number(s.normalMonths),
                                   q(formatCalendarDate(s.begins)), q(formatCalendarDate(s.movedBegins)),
                                   v.basicPay[i] ? money(*v.basicPay[i]) : QStringLiteral("-")};
        const bool current = static_cast<int>(i) == v.current;
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(Qt::AlignVCenter | (c == 4 ? Qt::AlignRight : Qt::AlignHCenter));
            item->setBackground(current ? QColor(Qt::yellow) : QColor(Qt::white));
            t->setItem(static_cast<int>(i), c, item);
        }
    }
    // Every step in sight, without scrolling, as far as the screen allows.
    int height = t->horizontalHeader()->sizeHint().height() + 2 * t->frameWidth();
    for (int row = 0; row < t->rowCount(); ++row)
        height += t->verticalHeader()->sectionSize(row);
    t->setMinimumHeight(std::min(height, 480));
}

std::optional<int> stepMovementOf(const QString& typed) {
    bool ok = false;
    const int v = typed.trimmed().toInt(&ok);
    if (!ok || v < -600 || v > 600) return std::nullopt;
    return v;
}

// ---------------------------------------------------------------------------------------------
// The frame

namespace {
const std::pair<CalculatorWindow, const char*> kWindowNames[] = {
    {CalculatorWindow::ServiceAge, "BDAform"},          {CalculatorWindow::Jubilee, "JDA"},
    {CalculatorWindow::StepDuration, "Stufenlaufzeit"}, {CalculatorWindow::Promotion, "Höhergruppierung"},
    {CalculatorWindow::Experience, "EDZeit"},           {CalculatorWindow::Vacation, "Urlaubsber"},
    {CalculatorWindow::WorkingTime, "Arbeitszeit"},
};
} // namespace

QString calculatorWindowName(CalculatorWindow which) {
    for (const auto& [kind, name] : kWindowNames)
        if (kind == which) return QString::fromUtf8(name);
    return {};
}

CalculatorWindow calculatorWindowNamed(const QString& name) {
    for (const auto& [kind, known] : kWindowNames)
        if (name == QString::fromUtf8(known)) return kind;
    return CalculatorWindow::None;
}

// Besides the calculators, the tariff editor has a picture of its own; it goes by its object name too.
namespace {
const char* const kTariffEditorName = "Tarifeditor";
} // namespace

bool isWindowName(const QString& name) {
    return calculatorWindowNamed(name) != CalculatorWindow::None ||
           name == QString::fromUtf8(kTariffEditorName);
}

QWidget* openWindowNamed(const QString& name, Session& g, MainWindow& main) {
    if (name == QString::fromUtf8(kTariffEditorName)) {
        auto* editor = new TariffEditorWindow(g, &main);
        editor->setAttribute(Qt::WA_DeleteOnClose);
        editor->show();
        return editor;
    }
    const CalculatorWindow which = calculatorWindowNamed(name);
    if (which == CalculatorWindow::None) return nullptr;
    main.openCalculator(which);
    return main.calculatorWindow();
}

CalculatorDialog::CalculatorDialog(Session& g, MainWindow& main, CalculatorWindow kind)
    : QDialog(&main), g_(g), main_(main), kind_(kind), folder_(g.userFolder), year_(g.year),
      caseNumber_(g.caseNumber) {
    setObjectName(calculatorWindowName(kind));
    setAttribute(Qt::WA_DeleteOnClose, false);
    column_ = new QVBoxLayout(this);
    result_ = new QPlainTextEdit(this);
    result_->setObjectName(QStringLiteral("Ergebnis"));
    result_->setReadOnly(true);
    result_->setFocusPolicy(Qt::NoFocus); // Tab goes from input to input
    result_->setMinimumSize(560, 220);
    buttonRow_ = new QWidget(this);
    new QHBoxLayout(buttonRow_);
}

QLineEdit* CalculatorDialog::field(const QString& name) const {
    auto it = fields_.find(name);
    return it == fields_.end() ? nullptr : it->second;
}

QPushButton* CalculatorDialog::button(const QString& caption) const {
    for (QPushButton* b : buttonRow_->findChildren<QPushButton*>())
        if (b->text() == caption) return b;
    return nullptr;
}

QString CalculatorDialog::resultText() const {
    return result_->toPlainText();
}

QLineEdit* CalculatorDialog::addField(QGridLayout* grid, int row, int col, const QString& name,
                                      const QString& caption, int kind) {
    auto* f = new QLineEdit(this);
    f->setObjectName(name);
    if (!caption.isEmpty()) grid->addWidget(new QLabel(caption, this), row, 2 * col);
    grid->addWidget(f, row, 2 * col + 1);
    // A date field squeezed by its grid column would hide part of the date.
    if (kind == static_cast<int>(PanelFieldKind::DateLong))
        f->setMinimumWidth(f->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")));
    PanelKeyFilter::install(f, static_cast<PanelFieldKind>(kind), g_.prompter);
    connect(f, &QLineEdit::returnPressed, this, [this, f] { confirmed(f); });
    fields_[name] = f;
    return f;
}

QPushButton* CalculatorDialog::addButton(const QString& caption, std::function<void()> action) {
    auto* b = new QPushButton(caption, buttonRow_);
    b->setAutoDefault(false); // Enter moves between the fields; it never presses a button
    b->setDefault(false);
    buttonRow_->layout()->addWidget(b);
    connect(b, &QPushButton::clicked, this, [action = std::move(action)] { action(); });
    return b;
}

void CalculatorDialog::setResult(const QStringList& lines) {
    result_->setPlainText(lines.join(QLatin1Char('\n')));
}

void CalculatorDialog::confirmed(QLineEdit* f) {
    confirming_ = true;
    recompute();
    confirming_ = false;
    if (f == focusWidget()) focusNextChild();
}

void CalculatorDialog::preview(int kind) {
    if (store()) main_.showPrintout(kind);
}

bool CalculatorDialog::showsItsCase() const {
    return g_.userFolder == folder_ && g_.year == year_ && g_.caseNumber == caseNumber_;
}

void CalculatorDialog::done(int r) {
    // A refusal has said why; the window closes anyway. Another case shown: its files are not ours.
    if (showsItsCase()) (void)store();
    QDialog::done(r);
}

namespace {

constexpr int kDate = static_cast<int>(PanelFieldKind::DateLong);
constexpr int kFree = static_cast<int>(PanelFieldKind::Free);
constexpr int kAmount = static_cast<int>(PanelFieldKind::Amount);
constexpr int kDigits = static_cast<int>(PanelFieldKind::Digits);

// Periods of "DatumN" field pairs: the rows with two dates, in order.
std::vector<DatePeriod> periodsOf(const CalculatorDialog& w, int first, int count) {
    std::vector<DatePeriod> out;
    for (int i = 0; i < count; ++i) {
        auto from = parseCalendarDate(text(w.field(QStringLiteral("Datum%1").arg(first + 2 * i))));
        auto to = parseCalendarDate(text(w.field(QStringLiteral("Datum%1").arg(first + 2 * i + 1))));
        if (from && to) out.push_back({*from, *to});
    }
    return out;
}

// The periods the plausibility check refused, in the result and, when a date was confirmed, told.
void addRefusals(QStringList& lines, const std::vector<RefusedPeriod>& refused, bool tell,
                 Prompter& prompter) {
    for (const RefusedPeriod& r : refused) {
        lines << q(r.message);
        if (tell) prompter.tell("Bitte korrigieren", {r.message});
    }
}

// A result of inputs that may still be incomplete: nothing then.
template <class Compute> auto resultOf(Compute compute) -> std::optional<decltype(compute())> {
    try {
        return compute();
    } catch (const Error&) {
        return std::nullopt;
    }
}

void showPeriods(CalculatorDialog& w, const std::vector<DatePeriod>& periods, int first, int count) {
    for (int i = 0; i < count; ++i) {
        const bool has = i < static_cast<int>(periods.size());
        w.field(QStringLiteral("Datum%1").arg(first + 2 * i))
            ->setText(has ? q(formatCalendarDate(periods[static_cast<size_t>(i)].from)) : QString());
        w.field(QStringLiteral("Datum%1").arg(first + 2 * i + 1))
            ->setText(has ? q(formatCalendarDate(periods[static_cast<size_t>(i)].to)) : QString());
    }
}

// ---------------------------------------------------------------------------------------------
// Service age: BDAform

// The pay table of the case's service relationship, region and month (print/list_kind.cpp).
constexpr int kPayTablePrintout = 76;

constexpr int kHalfFirst = 6;
constexpr int kHalfRows = 6;
constexpr int kQuarterFirst = 18;
constexpr int kQuarterRows = 7;

class ServiceAgeWindow : public CalculatorDialog {
  public:
    ServiceAgeWindow(Session& g, MainWindow& main) : CalculatorDialog(g, main, CalculatorWindow::ServiceAge) {
        auto* grid = new QGridLayout;
        column_->addLayout(grid);
        office_ = new QComboBox(this);
        office_->setObjectName(QStringLiteral("Eingangsamt"));
        for (const char* o :
             {"Lebensalter 31 (§ 28 BBesG)", "Lebensalter 35 (§ 28 BBesG)", "Lebensalter 35 (§ 36 BBesG)",
              "Lebensalter 40 (§ 36 BBesG)", "in Vorbereitung"})
            office_->addItem(QString::fromUtf8(o));
        grid->addWidget(new QLabel(QStringLiteral("Eingangsamt"), this), 0, 0);
        grid->addWidget(office_, 0, 1);
        // Where the case's group begins above step 1, when its step 1 begins.
        auto* note = new QLabel(q(entryOfficeNote(g)), this);
        note->setObjectName(QStringLiteral("EingangsamtHinweis"));
        note->setWordWrap(true);
        grid->addWidget(note, 0, 2, 1, 6);
        addField(grid, 1, 0, QStringLiteral("Datum0"), QStringLiteral("Geburtstag"), kDate);
        addField(grid, 2, 0, QStringLiteral("Datum1"), QStringLiteral("Tag der Ernennung"), kDate);
        grid->addWidget(new QLabel(QStringLiteral("Anrechenbare Zeiten (Hälfte)"), this), 3, 0);
        for (int i = 0; i < kHalfRows; ++i) {
            addField(grid, 4 + i, 0, QStringLiteral("Datum%1").arg(kHalfFirst + 2 * i), QStringLiteral("von"),
                     kDate);
            addField(grid, 4 + i, 1, QStringLiteral("Datum%1").arg(kHalfFirst + 2 * i + 1),
                     QStringLiteral("bis"), kDate);
        }
        grid->addWidget(new QLabel(QStringLiteral("Anrechenbare Zeiten (Viertel)"), this), 3, 4);
        for (int i = 0; i < kQuarterRows; ++i) {
            addField(grid, 4 + i, 2, QStringLiteral("Datum%1").arg(kQuarterFirst + 2 * i),
                     QStringLiteral("von"), kDate);
            addField(grid, 4 + i, 3, QStringLiteral("Datum%1").arg(kQuarterFirst + 2 * i + 1),
                     QStringLiteral("bis"), kDate);
        }
        column_->addWidget(result_);
        column_->addWidget(buttonRow_);
        addButton(QStringLiteral("Berechnung"), [this] { preview(print::kServiceAgeCalculation); });
        addButton(QStringLiteral("Bescheid"), [this] { preview(print::kServiceAgeNotice); });
        addButton(QStringLiteral("Übertrag"), [this] { transfer(); });
        addButton(QStringLiteral("Rechtsmittel"), [this] { editRemedyText(); });
        addButton(QStringLiteral("Grundgehälter"), [this] { preview(kPayTablePrintout); });
        addButton(QStringLiteral("Hilfe"), [this] { help(); });
        addButton(QStringLiteral("Schließen"), [this] { close(); });

        const ServiceAgeInput in = LoadServiceAgeInput(g_);
        office_->setCurrentIndex(in.entryOfficeOption);
        officeShown_ = in.entryOfficeOption;
        field(QStringLiteral("Datum0"))->setText(dateText(in.birthday));
        field(QStringLiteral("Datum1"))->setText(dateText(in.appointment));
        showPeriods(*this, in.halfPhasePeriods, kHalfFirst, kHalfRows);
        showPeriods(*this, in.quarterPhasePeriods, kQuarterFirst, kQuarterRows);
        connect(office_, &QComboBox::activated, this, [this](int option) {
            if (!entryOffice(option)) {
                g_.prompter.tell("Eingangsamt", {"in Vorbereitung"});
                office_->setCurrentIndex(officeShown_);
                return;
            }
            officeShown_ = option;
            recompute();
        });
        recompute();
    }

    ServiceAgeInput input() const {
        ServiceAgeInput in;
        in.entryOfficeOption = officeShown_;
        in.birthday = parseCalendarDate(text(field(QStringLiteral("Datum0"))));
        in.appointment = parseCalendarDate(text(field(QStringLiteral("Datum1"))));
        in.halfPhasePeriods = periodsOf(*this, kHalfFirst, kHalfRows);
        in.quarterPhasePeriods = periodsOf(*this, kQuarterFirst, kQuarterRows);
        return in;
    }

    void recompute() override {
        const auto office = entryOffice(officeShown_);
        setWindowTitle(QStringLiteral("Berechnung des Besoldungsdienstalters nach § %1 BBesG für %2")
                           .arg(office ? office->paragraph : 28)
                           .arg(q(g_.workingCase.name)));
        ServiceAgeResult r;
        try {
            r = computeServiceAge(input());
        } catch (const Error& e) {
            setResult({q(e.what())});
            return;
        }
        const int t = r.office.thresholdAge;
        QStringList lines = {
            QStringLiteral("1. Geburtstag                          ") +
                q(formatCalendarDate(*input().birthday)),
            QStringLiteral("2. Vollendung des 21. Lebensjahres     ") +
                q(formatCalendarDate(r.completionOf21)),
            QStringLiteral("3. Regel-Besoldungsdienstalter         ") + q(formatCalendarDate(r.regularBda)),
            QStringLiteral("Am Tag der Ernennung war die Vollendung des    %1.    Lebensjahres . . . ")
                    .arg(t) +
                (r.half.applies ? QStringLiteral("überschritten") : QStringLiteral("nicht erreicht")),
        };
        for (const auto& [caption, p] : {std::pair{"Hälfte", &r.half}, std::pair{"Viertel", &r.quarter}}) {
            if (!p->applies) continue;
            lines << QStringLiteral(
                         "%1 - %2: %3, anrechenbar %4, Restliche Monate ohne Bezüge %5, davon %6 %7")
                         .arg(q(formatCalendarDate(p->from)), q(formatCalendarDate(p->to)), spanText(p->span),
                              spanText(p->credited), spanText(p->withoutPay), QString::fromUtf8(caption),
                              spanText(p->share));
        }
        lines << QStringLiteral("Hinausgeschoben um ") + spanText(r.postponement);
        lines << QStringLiteral("Das Besoldungsdienstalter beginnt am ") + q(formatCalendarDate(r.bda));
        addRefusals(lines, r.refused, confirming_, g_.prompter);
        setResult(lines);
    }

    bool store() override {
        // Incomplete inputs are kept as typed, without a result.
        return callEngine(g_.prompter, [this] {
            const ServiceAgeInput in = input();
            const auto r = resultOf([&] { return computeServiceAge(in); });
            StoreServiceAgeInput(g_, in, r ? &*r : nullptr);
        });
    }

    void transfer() {
        const ServiceAgeInput in = input();
        bool done = false;
        if (!store()) return;
        main_.engineCall([&] { done = TransferServiceAge(g_, in); });
        if (done) close();
    }

    // The window's use, then the rule it applies as the help topic of the shipped texts says it.
    void help() {
        std::vector<std::string> lines = {
            "Geburtstag und Tag der Ernennung eintragen; Enter rechnet neu und geht zum nächsten Feld.",
            "In die Zeilen der beiden Zeitspannen gehören die anrechenbaren Zeiten (Zeiten mit "
            "Dienstbezügen, Kinderbetreuung, Beurlaubung im öffentlichen Interesse) mit Beginn und Ende.",
            "\"Übertrag\" schreibt das Besoldungsdienstalter in Zeile 6 und berechnet den Monat neu; "
            "\"Grundgehälter\" zeigt die Besoldungstabelle des Monats.",
            ""};
        try {
            const ExperienceTexts texts = LoadExperienceTexts(g_);
            const auto& topic = texts.at(kTopicServiceAge);
            lines.insert(lines.end(), topic.begin(), topic.end());
        } catch (const Error& e) {
            lines.push_back(e.what());
        }
        g_.prompter.tell("Hilfe", lines);
    }

    // RB_Text: the legal-remedy paragraph of the notice, the same for every case.
    void editRemedyText() {
        std::string stored;
        if (!callEngine(g_.prompter, [&] { stored = LoadRemedyText(g_); })) return;
        QDialog editor(this);
        editor.setObjectName(QStringLiteral("RB_Text"));
        editor.setWindowTitle(QStringLiteral("Rechtsbehelfsbelehrung"));
        auto* column = new QVBoxLayout(&editor);
        auto* text = new QPlainTextEdit(&editor);
        text->setObjectName(QStringLiteral("Text"));
        text->setPlainText(q(stored).replace(QLatin1Char('$'), QLatin1Char('\n')));
        auto* count = new QLabel(&editor);
        count->setObjectName(QStringLiteral("Zeichen"));
        auto typed = [text] {
            return text->toPlainText().replace(QLatin1Char('\n'), QLatin1Char('$')).toStdString();
        };
        auto showCount = [count, typed] {
            count->setText(QString::number(remedyTextLength(typed())) +
                           QStringLiteral(" von möglichen 1400 Zeichen"));
        };
        connect(text, &QPlainTextEdit::textChanged, &editor, showCount);
        showCount();
        auto* row = new QHBoxLayout;
        auto* save = new QPushButton(QStringLiteral("Speichern"), &editor);
        auto* close = new QPushButton(QStringLiteral("Schließen"), &editor);
        for (QPushButton* b : {save, close}) {
            b->setAutoDefault(false);
            row->addWidget(b);
        }
        connect(save, &QPushButton::clicked, &editor, [&] {
            if (callEngine(g_.prompter, [&] { StoreRemedyText(g_, typed()); })) editor.accept();
        });
        connect(close, &QPushButton::clicked, &editor, &QDialog::reject);
        column->addWidget(text);
        column->addWidget(count);
        column->addLayout(row);
        editor.exec();
    }

  private:
    QComboBox* office_ = nullptr;
    int officeShown_ = 0;
};

// ---------------------------------------------------------------------------------------------
// Jubilee service age: JDA

constexpr int kEarlierFirst = 3;
constexpr int kNotCountingFirst = 15;
constexpr int kJubileeRows = 6;

class JubileeWindow : public CalculatorDialog {
  public:
    JubileeWindow(Session& g, MainWindow& main) : CalculatorDialog(g, main, CalculatorWindow::Jubilee) {
        const std::string name = g.workingCase.name;
        setWindowTitle(isCivilServant(g.workingCase.serviceRelationship())
                           ? q("Wann erhält  " + name + "  eine Jubiläumszuwendung?")
                           : q("Beschäftigungszeit von  " + name + "  nach § 34 TVöD/TV-L"));
        auto* note = new QLabel(
            QStringLiteral(
                "Geburtstag und Einstellungstag werden nicht den Stammdaten des Bediensteten (Icon "
                "Zeile 1) entnommen, weil in der Berechnung des Jubiläumsdienstalters abweichende "
                "Daten gespeichert sind."),
            this);
        note->setWordWrap(true);
        column_->addWidget(note);
        auto* grid = new QGridLayout;
        column_->addLayout(grid);
        addField(grid, 0, 0, QStringLiteral("Datum0"), QStringLiteral("Geburtstag"), kDate);
        addField(grid, 1, 0, QStringLiteral("Datum1"),
                 QStringLiteral("1. Dienstbezüge bei uns ab (Regelbeginn des JDA)"), kDate);
        addField(grid, 2, 0, QStringLiteral("Datum2"), QStringLiteral("Eintritt in den Ruhestand"), kDate);
        grid->addWidget(
            new QLabel(QStringLiteral("2. Anzurechnende Zeiten davor bei anderen Dienstherren"), this), 3, 0,
            1, 4);
        for (int i = 0; i < kJubileeRows; ++i) {
            addField(grid, 4 + i, 0, QStringLiteral("Datum%1").arg(kEarlierFirst + 2 * i),
                     QStringLiteral("von"), kDate);
            addField(grid, 4 + i, 1, QStringLiteral("Datum%1").arg(kEarlierFirst + 2 * i + 1),
                     QStringLiteral("bis"), kDate);
        }
        grid->addWidget(
            new QLabel(QStringLiteral("3. Nicht zu berücksichtigende Zeiten (z.B. unbezahlter Sonderurlaub)"),
                       this),
            10, 0, 1, 4);
        for (int i = 0; i < kJubileeRows; ++i) {
            addField(grid, 11 + i, 0, QStringLiteral("Datum%1").arg(kNotCountingFirst + 2 * i),
                     QStringLiteral("von"), kDate);
            addField(grid, 11 + i, 1, QStringLiteral("Datum%1").arg(kNotCountingFirst + 2 * i + 1),
                     QStringLiteral("bis"), kDate);
        }
        column_->addWidget(result_);
        column_->addWidget(buttonRow_);
        addButton(QStringLiteral("Bescheid"), [this] { preview(print::kJubileeNotice); });
        addButton(QStringLiteral("Beschäftigungszeit"), [this] { preview(print::kEmploymentTime); });
        addButton(QStringLiteral("Schließen"), [this] { close(); });

        const JubileeInput in = LoadJubileeInput(g_);
        field(QStringLiteral("Datum0"))->setText(dateText(in.birthday));
        field(QStringLiteral("Datum1"))->setText(dateText(in.payStart));
        field(QStringLiteral("Datum2"))->setText(dateText(in.retirement));
        showPeriods(*this, in.earlierEmployers, kEarlierFirst, kJubileeRows);
        showPeriods(*this, in.notCounting, kNotCountingFirst, kJubileeRows);
        birthdayShown_ = field(QStringLiteral("Datum0"))->text();
        recompute();
    }

    JubileeInput input() const {
        JubileeInput in;
        in.birthday = parseCalendarDate(text(field(QStringLiteral("Datum0"))));
        in.payStart = parseCalendarDate(text(field(QStringLiteral("Datum1"))));
        in.retirement = parseCalendarDate(text(field(QStringLiteral("Datum2"))));
        in.earlierEmployers = periodsOf(*this, kEarlierFirst, kJubileeRows);
        in.notCounting = periodsOf(*this, kNotCountingFirst, kJubileeRows);
        return in;
    }

    void recompute() override {
        QLineEdit* birthday = field(QStringLiteral("Datum0"));
        if (confirming_ && birthday->text().trimmed().isEmpty() && !birthdayShown_.isEmpty()) {
            PromptMessage m{
                PromptIcon::Question,
                "Mit der kompletten Löschung einverstanden?",
                {"Mit dem Löschen des Geburtstags werden   a l l e   Daten gelöscht. Sei können es "
                 "noch verhindern, indem Sie \"Nein\" anklicken und noch vor der nächsten Enter-Taste "
                 "einen neuen Geburtstag eingeben."},
                PromptButtons::YesNo};
            m.refusalIsDefault = true;
            if (g_.prompter.ask(m) == PromptAnswer::Yes)
                for (auto& [name, f] : fields_)
                    f->clear();
        }
        birthdayShown_ = birthday->text().trimmed();
        JubileeResult r;
        try {
            r = computeJubilee(input());
        } catch (const Error& e) {
            // What is still missing shows in the result; a date that cannot be right is told.
            if (confirming_ && std::string(e.what()).find("fehlt") == std::string::npos)
                g_.prompter.tell("Bitte korrigieren", {e.what()});
            setResult({q(e.what())});
            return;
        }
        QStringList lines = {
            QStringLiteral("Der Beginn des Jubiläumsdienstalters (JDA): ") +
                q(formatCalendarDate(r.jdaBegin)),
            QStringLiteral("Anzurechnende Zeiten: ") + spanText(r.credited),
            QStringLiteral("Nicht zu berücksichtigende Zeiten: ") + spanText(r.notCounted),
            QStringLiteral("Ruhestand am %1 im Alter von %2 Jahren und %3 %4")
                .arg(q(formatCalendarDate(r.retirement)))
                .arg(r.retirementAgeYears)
                .arg(r.retirementAgeMonths)
                .arg(r.retirementAgeMonths == 1 ? QStringLiteral("Monat") : QStringLiteral("Monaten"))};
        for (const Jubilee& j : r.jubilees)
            lines << QStringLiteral("%1-jähriges Dienstjubiläum  %2%3")
                         .arg(j.years)
                         .arg(q(formatCalendarDate(j.date)))
                         .arg(j.reached ? QString() : QStringLiteral(" (wird nicht erreicht) "));
        addRefusals(lines, r.refused, confirming_, g_.prompter);
        setResult(lines);
    }

    bool store() override {
        return callEngine(g_.prompter, [this] {
            const JubileeInput in = input();
            const auto r = resultOf([&] { return computeJubilee(in); });
            StoreJubileeInput(g_, in, r ? &*r : nullptr);
        });
    }

  private:
    QString birthdayShown_;
};

// ---------------------------------------------------------------------------------------------
// Step duration: Stufenlaufzeit, the experience periods: EDZeit, and the promotion: Höhergruppierung. The
// three keep their inputs in the case's "bda." record (StepInputsRecord).

class StepInputsWindow : public CalculatorDialog {
  protected:
    StepInputsWindow(Session& g, MainWindow& main, CalculatorWindow kind)
        : CalculatorDialog(g, main, kind), stored_(LoadStepInputs(g)) {}
    bool storeInputs(const StepInputsRecord& r) {
        if (r == stored_) return true;
        return callEngine(g_.prompter, [&] {
            StoreStepInputs(g_, r);
            stored_ = r;
        });
    }
    StepInputsRecord stored_;
};

class StepDurationWindow : public StepInputsWindow {
  public:
    StepDurationWindow(Session& g, MainWindow& main)
        : StepInputsWindow(g, main, CalculatorWindow::StepDuration) {
        setWindowTitle(QStringLiteral("Stufenlaufzeit für ") + q(g.workingCase.name));
        auto* grid = new QGridLayout;
        column_->addLayout(grid);
        addField(grid, 0, 0, QStringLiteral("BDAdatum"), QStringLiteral("Beginn der Laufzeit der Stufe 1"),
                 kDate);
        addField(grid, 1, 0, QStringLiteral("Monate"),
                 QStringLiteral("Verlängerung (+) oder Verkürzung (-) in Monaten"), kFree);
        steps_ = makeStepTable(this);
        column_->addWidget(steps_);
        column_->addWidget(result_);
        column_->addWidget(buttonRow_);
        addButton(QStringLiteral("Ermitteln"), [this] { recompute(); });
        addButton(QStringLiteral("Bescheid"), [this] { letter(); });
        addButton(QStringLiteral("Übertragen"), [this] { transfer(); });
        addButton(QStringLiteral("Erfahrungszeiten"),
                  [this] { main_.openCalculator(CalculatorWindow::Experience); });
        addButton(QStringLiteral("Schließen"), [this] { close(); });
        field(QStringLiteral("BDAdatum"))->setText(q(g.workingCase.dateText));
        field(QStringLiteral("Monate"))->setText(QString::number(stored_.movementMonths));
        recompute();
    }

    std::optional<StepDurationView> view(bool tell) {
        const auto movement = stepMovementOf(field(QStringLiteral("Monate"))->text());
        if (!movement) {
            if (tell) g_.prompter.tell("Bitte korrigieren", {kStepMovementRange});
            return std::nullopt;
        }
        std::optional<StepDurationView> v;
        std::string refusal;
        try {
            v = StepDurationOf(g_, parseCalendarDate(text(field(QStringLiteral("BDAdatum")))), *movement);
        } catch (const Error& e) {
            refusal = e.what();
        }
        if (!v) {
            steps_->setRowCount(0);
            setResult({q(refusal)});
            if (tell) g_.prompter.tell("Stufenlaufzeit", {refusal});
        }
        return v;
    }

    void recompute() override {
        const auto v = view(confirming_);
        if (!v) return;
        showStepTable(steps_, *v);
        QStringList lines = {QStringLiteral("Rechtsgrundlage: ") + q(v->legalBasis)};
        if (!v->entryOfficeNote.empty()) lines << q(v->entryOfficeNote);
        if (v->value)
            lines << QStringLiteral(
                         "Der Wert der Stufenbewegung beläuft sich bis zum Erreichen der Endstufe auf ") +
                         money(*v->value) + QStringLiteral(" Euro.");
        setResult(lines);
    }

    bool store() override {
        const auto movement = stepMovementOf(field(QStringLiteral("Monate"))->text());
        if (!movement) return true; // nothing valid to keep
        StepInputsRecord r = stored_;
        r.movementMonths = static_cast<int16_t>(*movement);
        return storeInputs(r);
    }

    void letter() {
        const auto v = view(true);
        if (!v || !store()) return;
        print::PrintOptions options;
        options.stepDuration = *v;
        main_.showPrintout(print::kStepDurationLetter, options);
    }

    void transfer() {
        const auto v = view(true);
        if (!v || !store()) return;
        bool done = false;
        main_.engineCall([&] {
            done = TransferServiceDates(g_, addMonths(v->beginning, v->movementMonths), std::nullopt,
                                        std::nullopt, {}, nullptr);
        });
        if (done) close();
    }

  private:
    QTableWidget* steps_ = nullptr;
};

constexpr int kExperienceRows = 6;

class ExperienceWindow : public StepInputsWindow {
  public:
    ExperienceWindow(Session& g, MainWindow& main) : StepInputsWindow(g, main, CalculatorWindow::Experience) {
        setWindowTitle(QStringLiteral("Erfahrungszeiten für ") + q(g.workingCase.name));
        auto* heading =
            new QLabel(QStringLiteral("Folgende Erfahrungszeiten vor der Einstellung sind auf die "
                                      "Stufenlaufzeit anzurechnen (§ 28 BBesG, LBesG, § 16 TVöD oder "
                                      "§ 16 TV-L):"),
                       this);
        heading->setWordWrap(true);
        column_->addWidget(heading);
        auto* rules = new QLabel(this);
        rules->setObjectName(QStringLiteral("Anrechnungsregeln"));
        rules->setWordWrap(true);
        column_->addWidget(rules);
        try {
            texts_ = LoadExperienceTexts(g_);
            QStringList lines;
            for (const std::string& l : texts_->at(experienceRulesSection(g.workingCase)))
                lines << q(l);
            lines << QStringLiteral("Arten der Zeiten:");
            for (const std::string& l : texts_->at(kExperienceKinds))
                lines << QStringLiteral("- ") + q(l);
            rules->setText(lines.join(QLatin1Char('\n')));
        } catch (const Error& e) {
            missing_ = e.what();
            rules->setText(q(missing_));
        }
        auto* grid = new QGridLayout;
        column_->addLayout(grid);
        addField(grid, 0, 0, QStringLiteral("Ernennung"), QStringLiteral("Datum der ersten Ernennung"),
                 kDate);
        for (int i = 0; i < kExperienceRows; ++i) {
            addField(grid, 1 + i, 0, QStringLiteral("von%1").arg(i), QStringLiteral("von"), kDate);
            addField(grid, 1 + i, 1, QStringLiteral("bis%1").arg(i), QStringLiteral("bis"), kDate);
            addField(grid, 1 + i, 2, QStringLiteral("Prozent%1").arg(i), QStringLiteral("Prozent"), kDigits);
        }
        column_->addWidget(result_);
        column_->addWidget(buttonRow_);
        addButton(QStringLiteral("Übertragen"), [this] { transfer(); });
        for (const char* topic : {kTopicAssessment, kTopicServiceAge})
            addButton(QString::fromUtf8(topic), [this, topic] { showTopic(topic); });
        addButton(QStringLiteral("Schließen"), [this] { close(); });
        field(QStringLiteral("Ernennung"))->setText(q(stored_.appointment));
        for (size_t i = 0; i < kExperienceRows; ++i) {
            field(QStringLiteral("von%1").arg(i))->setText(q(stored_.from[i]));
            field(QStringLiteral("bis%1").arg(i))->setText(q(stored_.to[i]));
            if (stored_.percent[i] != 0)
                field(QStringLiteral("Prozent%1").arg(i))->setText(QString::number(stored_.percent[i]));
        }
        recompute();
    }

    StepInputsRecord record() const {
        StepInputsRecord r = stored_;
        r.appointment = text(field(QStringLiteral("Ernennung")));
        for (size_t i = 0; i < kExperienceRows; ++i) {
            r.from[i] = text(field(QStringLiteral("von%1").arg(i)));
            r.to[i] = text(field(QStringLiteral("bis%1").arg(i)));
            r.percent[i] = static_cast<int16_t>(intOf(field(QStringLiteral("Prozent%1").arg(i))).value_or(0));
        }
        return r;
    }

    std::optional<ExperienceResult> result(bool tell) {
        const StepInputsRecord r = record();
        std::vector<ExperiencePeriod> periods;
        for (size_t i = 0; i < kExperienceRows; ++i) {
            auto from = parseCalendarDate(r.from[i]);
            auto to = parseCalendarDate(r.to[i]);
            if (from && to)
                periods.push_back({*from, *to, r.percent[i] > 0 ? std::min<int>(r.percent[i], 100) : 100});
        }
        try {
            return creditExperience(parseCalendarDate(r.appointment), periods);
        } catch (const Error& e) {
            setResult({q(e.what())});
            if (tell)
                g_.prompter.tell(std::string(e.what()).rfind("Bitte Datum", 0) == 0 ? "Bitte ..."
                                                                                    : "Bitte korrigieren",
                                 {e.what()});
            return std::nullopt;
        }
    }

    void recompute() override {
        const auto r = result(confirming_ && !text(field(QStringLiteral("Ernennung"))).empty());
        if (!r) return;
        QStringList lines;
        for (size_t i = 0; i < r->spans.size(); ++i)
            lines << QStringLiteral("Zeitraum %1: ").arg(i + 1) + spanText(r->spans[i]);
        lines << QStringLiteral("Summe: ") + spanText(r->sum)
              << QStringLiteral("Anzurechnende Vormonate: %1").arg(r->creditedMonths)
              << QStringLiteral("Beginn der Stufenlaufzeit: ") + q(formatCalendarDate(r->stepBeginning));
        setResult(lines);
    }

    bool store() override { return storeInputs(record()); }

    void showTopic(const std::string& topic) {
        if (!texts_)
            g_.prompter.tell("Erfahrungszeiten", {missing_}, PromptIcon::Warning);
        else
            g_.prompter.tell(topic, texts_->at(topic));
    }

    void transfer() {
        const auto r = result(true);
        if (!r || !store()) return;
        bool done = false;
        main_.engineCall([&] {
            done = TransferServiceDates(g_, r->stepBeginning, std::nullopt,
                                        parseCalendarDate(stored_.appointment), {}, nullptr);
        });
        if (done) close();
    }

  private:
    std::optional<ExperienceTexts> texts_;
    std::string missing_; // the message naming the missing file
};

// ---------------------------------------------------------------------------------------------
// Promotion: Höhergruppierung

class PromotionWindow : public StepInputsWindow {
  public:
    PromotionWindow(Session& g, MainWindow& main) : StepInputsWindow(g, main, CalculatorWindow::Promotion) {
        setWindowTitle(QStringLiteral("Höhergruppierung für ") + q(g.workingCase.name));
        auto* grid = new QGridLayout;
        column_->addLayout(grid);
        addField(grid, 0, 0, QStringLiteral("ZulageA"), QStringLiteral("Zulage A"), kAmount);
        addField(grid, 1, 0, QStringLiteral("ZulageB"), QStringLiteral("Zulage B"), kAmount);
        column_->addWidget(result_);
        column_->addWidget(buttonRow_);
        addButton(QStringLiteral("Drucken"), [this] { printComparison(); });
        addButton(QStringLiteral("Übertragen"), [this] { transfer(); });
        addButton(QStringLiteral("Schließen"), [this] { close(); });
        field(QStringLiteral("ZulageA"))->setText(money(Money::fromCents(stored_.allowanceACents)));
        field(QStringLiteral("ZulageB"))->setText(money(Money::fromCents(stored_.allowanceBCents)));
        recompute();
    }

    std::optional<PromotionView> view(bool tell) {
        const auto a = moneyOf(field(QStringLiteral("ZulageA")));
        const auto b = moneyOf(field(QStringLiteral("ZulageB")));
        std::string refusal = "Die Zulagen sind Beträge in Euro.";
        if (a && b) {
            try {
                return PromotionOf(g_, *a, *b);
            } catch (const Error& e) {
                refusal = e.what();
            }
        }
        setResult({q(refusal)});
        if (tell) g_.prompter.tell("Höhergruppierung", {refusal});
        return std::nullopt;
    }

    void recompute() override {
        const auto p = view(confirming_);
        if (!p) return;
        const PromotionResult& r = p->result;
        QStringList lines = {q(agreementName(p->agreement)),
                             QStringLiteral("bisher: %1 Stufe %2  %3 Euro")
                                 .arg(q(p->groupName))
                                 .arg(p->step + 1)
                                 .arg(money(r.oldTotal)),
                             QStringLiteral("neu:    %1 Stufe %2  %3 Euro")
                                 .arg(q(p->newGroupName))
                                 .arg(p->newStep + 1)
                                 .arg(money(r.newTotal)),
                             money(r.difference) + (r.more ? QStringLiteral(" Euro, also mehr")
                                                           : QStringLiteral(" Euro, also weniger"))};
        if (r.guaranteeAllowance > Money())
            lines << QStringLiteral("Garantiebetrag ") + money(r.guarantee) + QStringLiteral(" Euro: ") +
                         money(r.guaranteeAllowance) + QStringLiteral(" Euro *)");
        for (const PromotionPeriod& f : p->following)
            lines << QStringLiteral("ab %1  Stufe %2 / Stufe %3  %4 Euro, also %5")
                         .arg(q(formatCalendarDate(f.from)))
                         .arg(f.oldStep + 1)
                         .arg(f.newStep + 1)
                         .arg(money(f.difference))
                         .arg(f.difference >= Money() ? QStringLiteral("mehr") : QStringLiteral("weniger"));
        lines << QStringLiteral("mit den Tariftabellen des Monats ") +
                     q(print::monthOfYear(g_.month(), g_.year));
        setResult(lines);
    }

    bool store() override {
        const auto a = moneyOf(field(QStringLiteral("ZulageA")));
        const auto b = moneyOf(field(QStringLiteral("ZulageB")));
        if (!a || !b) return true;
        StepInputsRecord r = stored_;
        r.allowanceACents = a->toCents();
        r.allowanceBCents = b->toCents();
        return storeInputs(r);
    }

    void printComparison() {
        const auto p = view(true);
        if (!p || !store()) return;
        print::PrintOptions options;
        options.promotion = *p;
        main_.showPrintout(print::kPromotion, options);
    }

    void transfer() {
        const auto p = view(true);
        if (!p || !store()) return;
        std::string next = "-";
        for (const PromotionPeriod& f : p->following)
            if (f.newStep != p->newStep) {
                next = formatCalendarDate(f.from);
                break;
            }
        const std::string month = print::monthOfYear(g_.month(), g_.year);
        PromptMessage m{PromptIcon::Question,
                        "Übertrag in die Gehaltsberechnung",
                        {"Folgendes wird nach " + month + " übertragen:", "Zeile 4: " + p->newGroupName,
                         "Zeile 6: Nächster Stufenaufstieg am " + next,
                         "Zeile 8: Stufe " + std::to_string(p->newStep + 1)},
                        PromptButtons::YesNo};
        if (p->result.guaranteeAllowance > Money())
            m.lines.push_back("Zeile 9: Garantiebetrags in Höhe von " +
                              print::amountText(p->result.guaranteeAllowance) + " Euro.");
        if (g_.prompter.ask(m) != PromptAnswer::Yes) return;
        bool done = false;
        main_.engineCall([&] { done = TransferPromotion(g_, *p); });
        if (done) close();
    }
};

// ---------------------------------------------------------------------------------------------
// Vacation: Urlaubsber

class VacationWindow : public CalculatorDialog {
  public:
    VacationWindow(Session& g, MainWindow& main) : CalculatorDialog(g, main, CalculatorWindow::Vacation) {
        setWindowTitle(QStringLiteral("Berechnung des Urlaubsanspruchs für ") + q(g.workingCase.name));
        auto* grid = new QGridLayout;
        column_->addLayout(grid);
        int row = 0;
        addField(grid, row++, 0, QStringLiteral("Geburtstag"), QStringLiteral("1.  Geboren am"), kDate);
        addField(grid, row++, 0, QStringLiteral("Vergütungsgruppe"),
                 QStringLiteral("2.  Vergütungsgruppe zu Beginn des Urlaubsjahres"), kFree)
            ->setMaxLength(35);
        addField(
            grid, row++, 0, QStringLiteral("Anspruch"),
            QStringLiteral("3.  Urlaubsanspruch bei 5-Tagewoche (5 Arbeitstage * 52 Wochen = 260 Arbeitstage "
                           "jährl.)"),
            kDigits);
        addField(grid, row++, 0, QStringLiteral("Zusatzurlaub"), QStringLiteral("4.  +  Zusatzurlaub"),
                 kAmount);
        grid->addWidget(
            new QLabel(QStringLiteral("6.  Umrechnung bei Abweichungen von der Fünftagewoche"), this), row,
            0);
        days_ = new QComboBox(this);
        days_->setObjectName(QStringLiteral("Combo1"));
        for (int i = 0; i < 12; ++i)
            days_->addItem(QStringLiteral("%1 Arbeitstage").arg(q(leaveText(int64_t{i + 1} * 500))));
        correction_ = new QComboBox(this);
        correction_->setObjectName(QStringLiteral("Combo3"));
        for (int i = 0; i <= 50; ++i)
            correction_->addItem(
                QStringLiteral("%1%2 Tage").arg(i > 25 ? QStringLiteral("+") : QString()).arg(i - 25));
        auto* both = new QHBoxLayout;
        both->addWidget(days_);
        both->addWidget(correction_);
        grid->addLayout(both, row++, 1);
        grid->addWidget(
            new QLabel(QStringLiteral("     oder nach Zeiträumen: von .. bis .. = Arb.Tage"), this), row, 0,
            Qt::AlignTop);
        auto* periods = new QGridLayout;
        for (int i = 1; i <= static_cast<int>(kVacationPeriods); ++i) {
            addField(periods, i, 0, QStringLiteral("Von%1").arg(i), QStringLiteral("von"), kDate);
            addField(periods, i, 1, QStringLiteral("Bis%1").arg(i), QStringLiteral("bis"), kDate);
            addField(periods, i, 2, QStringLiteral("Tage%1").arg(i), QStringLiteral("="), kDigits)
                ->setMaxLength(3);
        }
        grid->addLayout(periods, row++, 1);
        addField(grid, row++, 0, QStringLiteral("Zusatzurlaub2"), QStringLiteral("7.  +  Zusatzurlaub"),
                 kAmount);
        addField(grid, row++, 0, QStringLiteral("Monate"), QStringLiteral("9.  volle Beschäftigungsmonate"),
                 kDigits);
        addField(grid, row++, 0, QStringLiteral("Rente"),
                 QStringLiteral("10.  - Kürzung für volle Kal.-Monate Rente"), kDigits);
        addField(grid, row++, 0, QStringLiteral("Sonderurlaub"),
                 QStringLiteral("11.  - Kürzung für volle Kalendermonate Sonderurlaub"), kDigits);
        addField(grid, row++, 0, QStringLiteral("Vorjahr"), QStringLiteral("17.  Resturlaub aus dem Vorjahr"),
                 kAmount);
        addField(grid, row++, 0, QStringLiteral("Verbraucht"),
                 QStringLiteral("18.  Verbrauchter Urlaub im laufenden Jahr"), kAmount);
        addField(grid, row++, 0, QStringLiteral("Urlaubsvergütung"), QStringLiteral("Monatl. Urlaubsverg."),
                 kAmount);
        addField(grid, row++, 0, QStringLiteral("Abzugelten"), QStringLiteral("abzugeltende Tage"), kAmount);
        column_->addWidget(result_);
        column_->addWidget(buttonRow_);
        addButton(QStringLiteral("Drucken"), [this] { preview(print::kVacationCalculation); });
        addButton(QStringLiteral("Arbeitszeit"),
                  [this] { main_.openCalculator(CalculatorWindow::WorkingTime); });
        addButton(QStringLiteral("Schließen"), [this] { close(); });

        std::string payGroup;
        const VacationInput in = LoadVacationInput(g_, &payGroup);
        relationship_ = in.serviceRelationship;
        field(QStringLiteral("Geburtstag"))->setText(dateText(in.birthday));
        field(QStringLiteral("Vergütungsgruppe"))
            ->setText(q(payGroup.empty() ? "Vergütungsgruppe" : payGroup));
        field(QStringLiteral("Anspruch"))
            ->setText(in.entitlement ? QString::number(*in.entitlement) : QString());
        field(QStringLiteral("Zusatzurlaub"))->setText(leave(in.additional));
        field(QStringLiteral("Zusatzurlaub2"))->setText(leave(in.furtherAdditional));
        field(QStringLiteral("Monate"))->setText(QString::number(in.fullMonths));
        field(QStringLiteral("Rente"))->setText(QString::number(in.pensionMonths));
        field(QStringLiteral("Sonderurlaub"))->setText(QString::number(in.specialLeaveMonths));
        field(QStringLiteral("Vorjahr"))->setText(leave(in.previousYearRest));
        field(QStringLiteral("Verbraucht"))->setText(leave(in.taken));
        field(QStringLiteral("Urlaubsvergütung"))->setText(in.monthlyPay ? money(*in.monthlyPay) : QString());
        field(QStringLiteral("Abzugelten"))->setText(leave(in.daysToPayOff));
        for (size_t i = 0; i < kVacationPeriods; ++i) {
            const WorkingDaysPeriod& p = in.periods[i];
            const int n = static_cast<int>(i) + 1;
            field(QStringLiteral("Von%1").arg(n))->setText(dateText(p.from));
            field(QStringLiteral("Bis%1").arg(n))->setText(dateText(p.to));
            field(QStringLiteral("Tage%1").arg(n))->setText(p.days ? QString::number(*p.days) : QString());
        }
        days_->setCurrentIndex(in.daysPerWeekIndex);
        correction_->setCurrentIndex(in.correctionIndex);
        for (QComboBox* c : {days_, correction_})
            connect(c, &QComboBox::activated, this, [this] { recompute(); });
        recompute();
    }

    // nullopt names the field that holds no number.
    std::optional<VacationInput> input(std::string* wrong) const {
        VacationInput in;
        in.year = g_.year;
        in.serviceRelationship = relationship_;
        in.birthday = parseCalendarDate(text(field(QStringLiteral("Geburtstag"))));
        if (!text(field(QStringLiteral("Anspruch"))).empty())
            in.entitlement = intOf(field(QStringLiteral("Anspruch")));
        in.daysPerWeekIndex = days_->currentIndex();
        in.correctionIndex = correction_->currentIndex();
        const std::pair<const char*, LeaveMilli*> leaves[] = {{"Zusatzurlaub", &in.additional},
                                                              {"Zusatzurlaub2", &in.furtherAdditional},
                                                              {"Vorjahr", &in.previousYearRest},
                                                              {"Verbraucht", &in.taken},
                                                              {"Abzugelten", &in.daysToPayOff}};
        for (const auto& [name, target] : leaves) {
            const auto v = leaveOf(field(QString::fromLatin1(name)));
            if (!v) {
                *wrong = name;
                return std::nullopt;
            }
            *target = *v;
        }
        const std::pair<const char*, int*> counts[] = {{"Monate", &in.fullMonths},
                                                       {"Rente", &in.pensionMonths},
                                                       {"Sonderurlaub", &in.specialLeaveMonths}};
        for (const auto& [name, target] : counts)
            *target = intOf(field(QString::fromLatin1(name))).value_or(0);
        if (!text(field(QStringLiteral("Urlaubsvergütung"))).empty())
            in.monthlyPay = moneyOf(field(QStringLiteral("Urlaubsvergütung")));
        for (size_t i = 0; i < kVacationPeriods; ++i) {
            const int n = static_cast<int>(i) + 1;
            WorkingDaysPeriod& p = in.periods[i];
            p.from = parseCalendarDate(text(field(QStringLiteral("Von%1").arg(n))));
            p.to = parseCalendarDate(text(field(QStringLiteral("Bis%1").arg(n))));
            if (!text(field(QStringLiteral("Tage%1").arg(n))).empty())
                p.days = intOf(field(QStringLiteral("Tage%1").arg(n)));
        }
        return in;
    }

    void recompute() override {
        std::string wrong;
        const auto in = input(&wrong);
        if (!in) {
            setResult({q("Keine Zahl: " + wrong)});
            return;
        }
        VacationResult r;
        try {
            r = computeVacation(*in);
        } catch (const Error& e) {
            setResult({q(e.what())});
            if (confirming_) g_.prompter.tell("Urlaubsberechnung", {e.what()});
            return;
        }
        QStringList lines = {
            QStringLiteral("Demnach wird im Laufe des Urlaubsjahres das %1. Lebensjahr vollendet.")
                .arg(r.age),
            QStringLiteral("3.  Urlaubsanspruch  %1").arg(r.entitlement),
            QStringLiteral("5.  Zwischenergebnis  ") + leave(r.intermediate),
            QStringLiteral("6.  %1%2 Arb.Tage: ")
                    .arg(r.periodDays ? QStringLiteral("nach Zeiträumen ") : QString())
                    .arg(r.workingDays) +
                leave(r.convertedExact) + QStringLiteral(" = (kaufmännisch gerundet) %1").arg(r.converted),
            QStringLiteral("8.   = Zwischensumme  ") + leave(r.subtotal),
            QStringLiteral("9.  anteilig  ") + leave(r.proRata),
            QStringLiteral("12.  Gesamter Urlaubsanspruch  für das laufende Jahr  %1").arg(r.total),
            QStringLiteral("13.  Mindesturlaub nach § 3 BUrlG  %1").arg(r.statutoryMinimum),
            QStringLiteral("16.  Urlaubsanspruch für das laufende Jahr  %1 ").arg(r.entitled) +
                q(entitledRowNote(r.entitledRow)),
            QStringLiteral("19. Resturlaub  ") + leave(r.rest)};
        if (r.youthMinimum)
            lines.insert(8, QStringLiteral("14.  Mindesturlaub nach § 19 JArbSchG  %1").arg(*r.youthMinimum));
        if (r.compensation)
            lines << QStringLiteral("20. Höhe einer etwaigen Urlaubsabgeltung: ") + money(*r.compensation) +
                         QStringLiteral(" Euro");
        setResult(lines);
    }

    bool store() override {
        std::string wrong;
        const auto in = input(&wrong);
        if (!in) return true; // the result says which field is no number
        // Without a birthday nothing can be kept (the result says so); period lines still being typed are
        // kept as they stand.
        if (!in->entitlement && !in->birthday) return true;
        return callEngine(g_.prompter, [&] {
            StoreVacationInput(g_, *in, text(field(QStringLiteral("Vergütungsgruppe"))));
        });
    }

  private:
    QComboBox* days_ = nullptr;
    QComboBox* correction_ = nullptr;
    int relationship_ = 0;
};

// ---------------------------------------------------------------------------------------------
// Working-time recorder: Arbeitszeit

class WorkingTimeWindow : public CalculatorDialog {
  public:
    WorkingTimeWindow(Session& g, MainWindow& main)
        : CalculatorDialog(g, main, CalculatorWindow::WorkingTime) {
        month_ = g.month();
        // The months of the year, each a button; Ctrl+Bild auf / Ctrl+Bild ab go to the month before or
        // after. The month left is stored first, so that what was typed there stays.
        auto* months = new QHBoxLayout;
        static const char* const kShort[] = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                                             "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
        for (int m = 1; m <= 12; ++m) {
            auto* b = new QPushButton(QString::fromUtf8(kShort[m - 1]), this);
            b->setObjectName(QStringLiteral("Monat%1").arg(m));
            b->setCheckable(true);
            b->setAutoDefault(false);
            b->setFocusPolicy(Qt::NoFocus); // Tab goes from input to input
            connect(b, &QPushButton::clicked, this, [this, m] { showMonth(m); });
            months->addWidget(b);
            monthButtons_.push_back(b);
        }
        column_->addLayout(months);
        auto* grid = new QGridLayout;
        column_->addLayout(grid);
        addField(grid, 0, 0, QStringLiteral("Satz"), QStringLiteral("Std.Satz"), kAmount);
        addField(grid, 0, 1, QStringLiteral("vollerUrlaub"), QStringLiteral("Voller Jahresurlaub"), kAmount);
        addField(grid, 0, 2, QStringLiteral("Urlaubstage"), QStringLiteral("Genommene Urlaubstage"), kAmount);
        table_ = new QTableWidget(this);
        table_->setObjectName(QStringLiteral("Tabelle"));
        QStringList heads = {QStringLiteral("Tag")};
        for (int b = 1; b <= kWorkBlocks; ++b)
            heads << QStringLiteral("%1. von").arg(b) << QStringLiteral("%1. bis").arg(b);
        heads << QStringLiteral("Std.") << QStringLiteral("Euro");
        table_->setColumnCount(static_cast<int>(heads.size()));
        table_->setHorizontalHeaderLabels(heads);
        table_->verticalHeader()->setVisible(false);
        table_->setMinimumHeight(300);
        column_->addWidget(table_);
        column_->addWidget(result_);
        column_->addWidget(buttonRow_);
        addButton(QStringLiteral("Drucken"), [this] { previewMonth(print::kWorkingTimes); });
        addButton(QStringLiteral("Urlaub drucken"), [this] { previewMonth(print::kLeaveStatement); });
        addButton(QStringLiteral("leeren"), [this] { clearMonth(); });
        addButton(QStringLiteral("Schließen"), [this] { close(); });
        load();
        // The table would take Ctrl+Bild auf / ab for itself, as the fields would pass them on.
        for (QWidget* w :
             {static_cast<QWidget*>(table_), static_cast<QWidget*>(field(QStringLiteral("Satz"))),
              static_cast<QWidget*>(field(QStringLiteral("vollerUrlaub"))),
              static_cast<QWidget*>(field(QStringLiteral("Urlaubstage")))})
            w->installEventFilter(this);
        table_->resizeColumnsToContents();
        connect(table_, &QTableWidget::itemChanged, this,
                [this](QTableWidgetItem* item) { cellTyped(item); });
        recompute();
    }

    int month() const { return month_; }

    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(e);
            if (k->modifiers() == Qt::ControlModifier &&
                (k->key() == Qt::Key_PageUp || k->key() == Qt::Key_PageDown)) {
                showMonth(month_ + (k->key() == Qt::Key_PageUp ? -1 : 1));
                return true;
            }
        }
        return CalculatorDialog::eventFilter(watched, e);
    }

    // Reading a month writes nothing; only a month changed here is stored when it is left.
    void showMonth(int month) {
        table_->setCurrentIndex(QModelIndex()); // a cell still being edited is taken first
        if (month < 1 || month > 12 || month == month_) {
            markMonth();
            return;
        }
        if (!takeFields()) {
            g_.prompter.tell("Bitte korrigieren", {"Satz und Urlaubstage sind Zahlen."});
            markMonth();
            return;
        }
        if (!store()) {
            markMonth();
            return;
        }
        month_ = month;
        load();
        recompute();
    }

    void setCell(int row, int col, const QString& value, bool editable) {
        QTableWidgetItem* item = table_->item(row, col);
        if (!item) {
            item = new QTableWidgetItem;
            if (!editable) item->setFlags(Qt::ItemIsEnabled);
            table_->setItem(row, col, item);
        }
        item->setText(value);
    }

    void load() {
        record_ = LoadWorkingTime(g_, month_);
        stored_ = record_;
        setWindowTitle(
            q("Arbeitszeiten im " + print::monthOfYear(month_, g_.year) + " für " + g_.workingCase.name));
        markMonth();
        fill();
    }

    void markMonth() {
        for (size_t i = 0; i < monthButtons_.size(); ++i)
            monthButtons_[i]->setChecked(static_cast<int>(i) + 1 == month_);
    }

    // The printouts of the month shown here, which need not be the main window's.
    void previewMonth(int kind) {
        if (!store()) return;
        print::PrintOptions options;
        options.month = month_;
        main_.showPrintout(kind, options);
    }

    // The table shows the record; its items are made once and then only change their text, so that a
    // cell's own change signal never outlives its item.
    void fill() {
        filling_ = true;
        const WorkMonth m = workMonthOf(record_, g_.year, month_);
        table_->setRowCount(static_cast<int>(m.days.size()));
        for (const WorkDay& d : m.days) {
            const int row = d.day - 1;
            setCell(row, 0, QStringLiteral("%1. ").arg(d.day) + q(d.weekday), false);
            for (int b = 0; b < kWorkBlocks; ++b) {
                const auto [from, to] = record_.blocks[static_cast<size_t>(row)][static_cast<size_t>(b)];
                setCell(row, 1 + 2 * b, from != 0 || to != 0 ? q(clockText(from)) : QString(), true);
                setCell(row, 2 + 2 * b, to != 0 ? q(clockText(to)) : QString(), true);
            }
            setCell(row, 1 + 2 * kWorkBlocks, d.minutes ? q(clockText(d.minutes)) : QStringLiteral("- - -"),
                    false);
            setCell(row, 2 + 2 * kWorkBlocks, d.minutes ? money(d.pay) + QStringLiteral(" €") : QString(),
                    false);
        }
        field(QStringLiteral("Satz"))->setText(money(Money::fromCents(record_.hourlyRateCents)));
        field(QStringLiteral("vollerUrlaub"))->setText(leave(record_.fullLeaveMilli));
        field(QStringLiteral("Urlaubstage"))->setText(leave(record_.leaveTakenMilli));
        filling_ = false;
    }

    void cellTyped(QTableWidgetItem* item) {
        if (filling_) return;
        const int row = item->row();
        const int col = item->column();
        if (col < 1 || col > 2 * kWorkBlocks) return;
        auto& block = record_.blocks[static_cast<size_t>(row)][static_cast<size_t>((col - 1) / 2)];
        int16_t& target = (col - 1) % 2 == 0 ? block.first : block.second;
        const int16_t before = target;
        const std::string typed = item->text().trimmed().toStdString();
        if (typed.empty()) {
            target = 0;
        } else if (const auto minutes = parseClockTime(typed)) {
            target = static_cast<int16_t>(*minutes);
        } else {
            g_.prompter.tell("Bitte korrigieren",
                             {"Die Uhrzeit wird als Stunden:Minuten eingegeben, die Stunden "
                              "von 0 bis 23, die Minuten von 0 bis 59."});
        }
        if (block.second != 0 && block.second < block.first) {
            g_.prompter.tell("Bitte korrigieren", {"Der Einsatz endet vor seinem Beginn."});
            target = before;
        }
        takeFields();
        fill();
        recompute();
    }

    bool takeFields() {
        const auto rate = moneyOf(field(QStringLiteral("Satz")));
        const auto full = leaveOf(field(QStringLiteral("vollerUrlaub")));
        const auto taken = leaveOf(field(QStringLiteral("Urlaubstage")));
        if (!rate || !full || !taken) return false;
        record_.hourlyRateCents = rate->toCents();
        record_.fullLeaveMilli = static_cast<int32_t>(*full);
        record_.leaveTakenMilli = static_cast<int32_t>(*taken);
        return true;
    }

    void recompute() override {
        if (!takeFields()) {
            setResult({QStringLiteral("Satz und Urlaubstage sind Zahlen.")});
            return;
        }
        std::vector<WorkingTimeRecord> year = LoadWorkingTimeYear(g_);
        year[static_cast<size_t>(month_ - 1)] = record_;
        const LeaveStatement st = leaveStatementOf(year, g_.year, month_);
        const WorkMonth& m = st.months.back();
        if (!filling_) {
            filling_ = true;
            for (const WorkDay& d : m.days) {
                table_->item(d.day - 1, 1 + 2 * kWorkBlocks)
                    ->setText(d.minutes ? q(clockText(d.minutes)) : QStringLiteral("- - -"));
                table_->item(d.day - 1, 2 + 2 * kWorkBlocks)
                    ->setText(d.minutes ? money(d.pay) + QStringLiteral(" €") : QString());
            }
            filling_ = false;
        }
        const EarnedLeave e = leaveEarned(st.daysWorked, st.fullLeave);
        setResult({QStringLiteral("%1 Tage, %2 Std., %3 €")
                       .arg(m.daysWorked)
                       .arg(q(clockText(m.minutes)))
                       .arg(money(m.pay)),
                   QStringLiteral("Im Jahr bis %1: %2 Arbeitstage = %3 % = %4 Url.Tage")
                       .arg(q(print::monthOfYear(month_, g_.year)))
                       .arg(st.daysWorked)
                       .arg(q(leaveText(e.shareMilliPercent)))
                       .arg(q(leaveText(e.days)))});
    }

    bool store() override {
        if (!takeFields() || record_ == stored_) return true;
        return callEngine(g_.prompter, [this] {
            StoreWorkingTime(g_, month_, record_);
            stored_ = record_;
        });
    }

    void clearMonth() {
        const std::string monthName = print::monthOfYear(month_, g_.year);
        PromptMessage m{PromptIcon::Warning,
                        "Tabelle für " + monthName + " löschen",
                        {"Alle Einträge für den Monat " + monthName + " werden gelöscht.",
                         "U n w i d e r r u f l i c h !"},
                        PromptButtons::YesNo};
        m.refusalIsDefault = true;
        if (g_.prompter.ask(m) != PromptAnswer::Yes) return;
        WorkingTimeRecord empty;
        if (!callEngine(g_.prompter, [&] { StoreWorkingTime(g_, month_, empty); })) return;
        record_ = stored_ = empty;
        fill();
        recompute();
    }

    QTableWidget* table() const { return table_; }

  private:
    int month_ = 1;
    std::vector<QPushButton*> monthButtons_;
    QTableWidget* table_ = nullptr;
    WorkingTimeRecord record_;
    WorkingTimeRecord stored_;
    bool filling_ = false;
};

} // namespace

CalculatorDialog* makeCalculatorWindow(CalculatorWindow which, Session& g, MainWindow& main) {
    switch (which) {
    case CalculatorWindow::ServiceAge:
        return new ServiceAgeWindow(g, main);
    case CalculatorWindow::Jubilee:
        return new JubileeWindow(g, main);
    case CalculatorWindow::StepDuration:
        return new StepDurationWindow(g, main);
    case CalculatorWindow::Promotion:
        return new PromotionWindow(g, main);
    case CalculatorWindow::Experience:
        return new ExperienceWindow(g, main);
    case CalculatorWindow::Vacation:
        return new VacationWindow(g, main);
    case CalculatorWindow::WorkingTime:
        return new WorkingTimeWindow(g, main);
    case CalculatorWindow::None:
        break;
    }
    return nullptr;
}

} // namespace varemo::ui
