#include "ui/panel_contents.h"

#include "deductions/annual_earnings_check.h"
#include "persistence/settings_file.h"
#include "presentation/menu_dispatch.h"
#include "presentation/navigation.h"
#include "presentation/panel_views.h"
#include "session/backups.h"
#include "session/case_operations.h"
#include "session/line_input.h"
#include "session/previous_version.h"
#include "session/users.h"
#include "ui/colour_content.h"
#include "ui/employer_content.h"
#include "ui/engine_call.h"
#include "ui/links.h"
#include "ui/master_data_content.h"
#include "ui/option_text_content.h"
#include "ui/settings_content.h"
#include "ui/step_calculator_content.h"
#include "ui/tariff_editor_window.h"
#include "ui/update_content.h"
#include "ui/window_layout.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace varemo::ui {
namespace {

QVBoxLayout* columnOf(Tablett& panel) {
    return new QVBoxLayout(panel.body());
}

QLabel* lineLabel(QWidget* parent, const QString& text, int number) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QStringLiteral("zeile%1").arg(number));
    l->setWordWrap(true);
    return l;
}

// MSFlexGrid1: a read-only table.
QTableWidget* grid(QWidget* parent, const PanelTable& t) {
    auto* table =
        new QTableWidget(static_cast<int>(t.rows.size()), static_cast<int>(t.headers.size()), parent);
    table->setObjectName(QStringLiteral("MSFlexGrid1"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    QStringList headers;
    for (const std::string& h : t.headers)
        headers << q(h);
    table->setHorizontalHeaderLabels(headers);
    for (size_t r = 0; r < t.rows.size(); ++r)
        for (size_t c = 0; c < t.rows[r].size() && c < t.headers.size(); ++c) {
            auto* item = new QTableWidgetItem(q(t.rows[r][c]));
            // Amounts stand right-aligned under each other.
            if (!t.rows[r][c].empty() && (std::isdigit(static_cast<unsigned char>(t.rows[r][c].back())) &&
                                          t.rows[r][c].find(',') != std::string::npos))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setMinimumSize(620, 360);
    return table;
}

void showNotes(QVBoxLayout* column, QWidget* parent, const PanelTable& t) {
    int n = 1;
    for (const std::string& note : t.notes)
        column->addWidget(lineLabel(parent, q(note), n++));
}

// Replaces what `area` shows by the table and its notes (a content that recomputes on input).
void showTableIn(QWidget* area, const PanelTable& t) {
    delete area->layout();
    for (QWidget* w : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        delete w;
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(grid(area, t));
    showNotes(column, area, t);
}

// A typed amount; nullopt after the message naming the field when it is no amount.
std::optional<Money> typedAmount(Prompter& prompter, QLineEdit* field, const QString& name) {
    auto cents = parseScaledNumber(field->text().trimmed().toStdString(), 100);
    if (!cents || *cents > INT32_MAX || *cents < INT32_MIN) {
        prompter.tell("Eingabe", {"\"" + name.toStdString() + "\" ist kein Betrag."}, PromptIcon::Warning);
        return std::nullopt;
    }
    return Money::fromCents(*cents);
}

// ---------------------------------------------------------------------------------------------
// Views of the last calculation: 6 tax worksheet, 29 social-insurance worksheet, 35 part-time

class WorksheetView : public PanelContent {
  public:
    WorksheetView(int code, PanelHost& host) : code_(code), host_(host) {}
    int code() const override { return code_; }
    QString title() const override { return q(table().title); }
    void build(Tablett& panel) override {
        panel_ = &panel;
        auto* column = columnOf(panel);
        PanelTable t = table();
        column->addWidget(grid(panel.body(), t));
        showNotes(column, panel.body(), t);
    }
    std::vector<PanelButton> ownButtons() override {
        PanelHost& host = host_;
        if (code_ == panel::kTaxWorksheet)
            return {
                {QStringLiteral("Sozialversicherung"), [&host] { host.openPanel(panel::kSocialInsurance); }}};
        if (code_ == panel::kSocialInsurance)
            return {{QStringLiteral("Steuern"), [&host] { host.openPanel(panel::kTaxWorksheet); }},
                    {QStringLiteral("Jahresarbeitsentgelt"),
                     [&host] { host.openPanel(panel::kAnnualEarnings); }}};
        if (code_ == panel::kTariffOverview)
            return {
                {QStringLiteral("Tabelle bearbeiten"), [this] { openEditor(); }},
                {QStringLiteral("Multiplikatoren"), [&host] { host.openPanel(panel::kTariffMultipliers); }}};
        return {};
    }
    bool hasPrint() const override { return true; }
    QStringList help() const override {
        if (code_ == panel::kTariffOverview)
            return {QStringLiteral(
                        "Die Tabelle zeigt die Tarifsätze der Tarifdatei des angezeigten Monats für die "
                        "Region und das Dienstverhältnis des Personalfalles, eine Zeile je Gruppe."),
                    QStringLiteral("\"Tabelle bearbeiten\" öffnet diese Tabelle im Fenster \"Tariftabellen "
                                   "bearbeiten\": Beträge ändern, in die Folgemonate kopieren, um einen "
                                   "Prozentsatz erhöhen.")};
        if (code_ == panel::kComparison)
            return {QStringLiteral(
                        "Die Tabelle stellt den Personalfall mit seiner Nummer in den Jahren 2017 bis 2021 "
                        "nebeneinander: Brutto (Zeile 23) und Netto (Zeile 47) je Monat."),
                    QStringLiteral("Ein Jahr ohne diesen Personalfall zeigt \"-\".")};
        return {
            QStringLiteral("Die Tabelle zeigt, wie die letzte Berechnung des angezeigten Monats zu den "
                           "Beträgen des Blattes gekommen ist."),
            QStringLiteral("Geändert wird hier nichts: Eingaben erfolgen in den Zeilen des Hauptfensters.")};
    }

  private:
    // The editor stays open beside the main window when the panel closes on losing the focus to it.
    void openEditor() {
        QWidget* mainWindow = panel_ ? panel_->parentWidget() : nullptr;
        auto* editor = new TariffEditorWindow(host_.session(), mainWindow);
        editor->setAttribute(Qt::WA_DeleteOnClose);
        editor->show();
    }
    PanelTable table() const {
        Session& g = host_.session();
        if (code_ == panel::kTaxWorksheet) return taxWorksheetTable(g);
        if (code_ == panel::kSocialInsurance) return socialInsuranceTable(g);
        if (code_ == panel::kTariffOverview) return tariffOverviewTable(g);
        if (code_ == panel::kComparison) return yearComparisonTable(g);
        return partTimeTable(g);
    }
    int code_;
    PanelHost& host_;
    Tablett* panel_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// 432: the annual-earnings check

class AnnualEarningsView : public PanelContent {
  public:
    explicit AnnualEarningsView(PanelHost& host)
        : host_(host), input_(annualEarningsDefaults(host.session())) {}
    int code() const override { return panel::kAnnualEarnings; }
    QString title() const override { return q(annualEarningsCheck(host_.session(), input_).heading); }
    void build(Tablett& panel) override {
        panel_ = &panel;
        auto* column = columnOf(panel);
        auto* form = new QFormLayout;
        column->addLayout(form);
        special_ = panel.textField(PanelFieldKind::Amount, QStringLiteral("Text1"));
        pension_ = panel.textField(PanelFieldKind::Amount, QStringLiteral("Text2"));
        additional_ = panel.textField(PanelFieldKind::Free, QStringLiteral("Text3"));
        other_ = panel.textField(PanelFieldKind::Free, QStringLiteral("Text4"));
        exempt_ = new QCheckBox(QStringLiteral("Bereits am 31.12.2002 versicherungsfrei"), panel.body());
        exempt_->setObjectName(QStringLiteral("Check1"));
        form->addRow(QStringLiteral("Basis für Jahressonderzahlung"), special_);
        form->addRow(QStringLiteral("SV-pfl.Anteil ZVK-Umlage (monatlich)"), pension_);
        form->addRow(QStringLiteral("Zusätzlicher Jahresbetrag (+/-) lt. Eingabe"), additional_);
        form->addRow(QStringLiteral("JAE bei anderen Arbeitgebern lt. Eingabe"), other_);
        form->addRow(exempt_);
        for (QLineEdit* f : {special_, pension_, additional_, other_})
            QObject::connect(f, &QLineEdit::returnPressed, panel.body(), [this] { recompute(); });
        QObject::connect(exempt_, &QCheckBox::toggled, panel.body(), [this] { recompute(); });
        table_ = new QWidget(panel.body());
        column->addWidget(table_);
        showInputs();
        showCheck();
    }
    std::vector<PanelButton> ownButtons() override {
        return {{QStringLiteral("Berechnen"), [this] { recompute(); }}};
    }
    bool hasDefaults() const override { return true; }
    void restoreDefaults() override {
        input_ = annualEarningsDefaults(host_.session());
        showInputs();
        showCheck();
    }
    bool hasPrint() const override { return true; }
    QStringList help() const override {
        return {
            QStringLiteral("Das regelmäßige Jahresarbeitsentgelt wird mit der Jahresarbeitsentgeltgrenze "
                           "verglichen (§ 6 Abs. 1 Nr. 1 SGB V)."),
            QStringLiteral("Ein leeres Feld \"JAE bei anderen Arbeitgebern\" nimmt den Hinzurechnungsbetrag "
                           "der Zeile 24 mal 12."),
            QStringLiteral("\"Berechnen\" oder Enter übernimmt die Eingaben.")};
    }

  private:
    void showInputs() {
        auto text = [](Money m) { return q(m.toDisplay()); };
        special_->setText(text(input_.specialPaymentBase));
        pension_->setText(text(input_.supplementaryPensionPart));
        additional_->setText(text(input_.additionalAnnual));
        other_->setText(input_.otherEmployers ? text(*input_.otherEmployers) : QString());
        exempt_->setChecked(input_.exemptOn2002);
    }
    std::optional<Money> amountOf(QLineEdit* field, const QString& name) {
        return typedAmount(panel_->prompter(), field, name);
    }
    void recompute() {
        AnnualEarningsInput in = input_;
        auto special = amountOf(special_, QStringLiteral("Basis für Jahressonderzahlung"));
        auto pension = amountOf(pension_, QStringLiteral("SV-pfl.Anteil ZVK-Umlage"));
        auto additional = amountOf(additional_, QStringLiteral("Zusätzlicher Jahresbetrag"));
        if (!special || !pension || !additional) return;
        in.specialPaymentBase = *special;
        in.supplementaryPensionPart = *pension;
        in.additionalAnnual = *additional;
        in.otherEmployers.reset();
        if (!other_->text().trimmed().isEmpty()) {
            auto other = amountOf(other_, QStringLiteral("JAE bei anderen Arbeitgebern"));
            if (!other) return;
            in.otherEmployers = *other;
        }
        in.exemptOn2002 = exempt_->isChecked();
        input_ = in;
        showCheck();
    }
    void showCheck() {
        showTableIn(table_, annualEarningsTable(annualEarningsCheck(host_.session(), input_)));
    }

    PanelHost& host_;
    AnnualEarningsInput input_;
    Tablett* panel_ = nullptr;
    QLineEdit* special_ = nullptr;
    QLineEdit* pension_ = nullptr;
    QLineEdit* additional_ = nullptr;
    QLineEdit* other_ = nullptr;
    QCheckBox* exempt_ = nullptr;
    QWidget* table_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// 18: the classification form "SV" for several marginal employments

class SvClassificationContent : public PanelContent {
  public:
    explicit SvClassificationContent(PanelHost& host) : host_(host) {}
    int code() const override { return panel::kSvClassification; }
    QString title() const override {
        return QStringLiteral("Sozialversicherungspflicht bei mehreren geringfügigen Beschäftigungen");
    }
    void build(Tablett& panel) override {
        panel_ = &panel;
        auto* column = columnOf(panel);
        auto* form = new QFormLayout;
        column->addLayout(form);
        auto check = [&panel](const char* name, const QString& caption) {
            auto* c = new QCheckBox(caption, panel.body());
            c->setObjectName(QString::fromLatin1(name));
            return c;
        };
        hasMain_ = check("Check1", QStringLiteral("HAUPTBESCHÄFTIGUNG vorhanden"));
        main_ = panel.textField(PanelFieldKind::Amount, QStringLiteral("Text1"));
        mini1_ = panel.textField(PanelFieldKind::Amount, QStringLiteral("Text2"));
        mini2_ = panel.textField(PanelFieldKind::Amount, QStringLiteral("Text3"));
        household_ = check("Check2", QStringLiteral("Beschäftigung im Privathaushalt"));
        exempt_ = check("Check3", QStringLiteral("Befreiung von der Rentenversicherungspflicht beantragt"));
        days_ = panel.textField(PanelFieldKind::Digits, QStringLiteral("Text4"));
        mainColumn_ =
            check("Check4", QStringLiteral("Kurzfristigkeit in der Spalte HAUPTBESCHÄFTIGUNG geprüft"));
        form->addRow(hasMain_);
        form->addRow(QStringLiteral("Monatsentgelt der Hauptbeschäftigung"), main_);
        form->addRow(QStringLiteral("Monatsentgelt der 1. geringfügigen Beschäftigung"), mini1_);
        form->addRow(QStringLiteral("Monatsentgelt der 2. geringfügigen Beschäftigung"), mini2_);
        form->addRow(household_);
        form->addRow(exempt_);
        form->addRow(QStringLiteral("Arbeitstage im Kalenderjahr (Prüfung der Kurzfristigkeit)"), days_);
        form->addRow(mainColumn_);
        for (QLineEdit* f : {main_, mini1_, mini2_, days_})
            QObject::connect(f, &QLineEdit::returnPressed, panel.body(), [this] { recompute(); });
        result_ = new QWidget(panel.body());
        column->addWidget(result_);
        restoreDefaults();
    }
    std::vector<PanelButton> ownButtons() override {
        return {{QStringLiteral("Prüfen"), [this] { recompute(); }}};
    }
    bool hasDefaults() const override { return true; }
    void restoreDefaults() override {
        const SvFormInput in = svFormDefaults(host_.session());
        hasMain_->setChecked(in.hasMainEmployment);
        main_->setText(q(in.mainPay.toDisplay()));
        mini1_->clear();
        mini2_->clear();
        household_->setChecked(false);
        exempt_->setChecked(false);
        days_->clear();
        mainColumn_->setChecked(true);
        showTableIn(result_, svClassificationTable(host_.session(), in));
    }
    QStringList help() const override {
        return {
            QStringLiteral("Die Entgelte aller Beschäftigungen des Monats werden nach § 8 SGB IV beurteilt: "
                           "Minijob, Gleitzone oder versicherungspflichtig; mit Arbeitstagen auch die "
                           "Kurzfristigkeit."),
            QStringLiteral("Ein leeres Feld steht für keine weitere Beschäftigung. \"Prüfen\" oder Enter "
                           "beurteilt die Eingaben.")};
    }

  private:
    void recompute() {
        SvFormInput in = svFormDefaults(host_.session());
        in.hasMainEmployment = hasMain_->isChecked();
        auto main =
            typedAmount(panel_->prompter(), main_, QStringLiteral("Monatsentgelt der Hauptbeschäftigung"));
        if (!main) return;
        in.mainPay = *main;
        for (QLineEdit* f : {mini1_, mini2_}) {
            if (f->text().trimmed().isEmpty()) continue;
            auto pay = typedAmount(panel_->prompter(), f,
                                   QStringLiteral("Monatsentgelt der geringfügigen Beschäftigung"));
            if (!pay) return;
            in.miniJobPays.push_back(*pay);
        }
        in.privateHousehold = household_->isChecked();
        in.rvExempt = exempt_->isChecked();
        in.shortTermChecked = !days_->text().trimmed().isEmpty();
        in.shortTermDays = days_->text().toInt();
        in.checkedInMainColumn = mainColumn_->isChecked();
        showTableIn(result_, svClassificationTable(host_.session(), in));
    }

    PanelHost& host_;
    Tablett* panel_ = nullptr;
    QCheckBox* hasMain_ = nullptr;
    QLineEdit* main_ = nullptr;
    QLineEdit* mini1_ = nullptr;
    QLineEdit* mini2_ = nullptr;
    QCheckBox* household_ = nullptr;
    QCheckBox* exempt_ = nullptr;
    QLineEdit* days_ = nullptr;
    QCheckBox* mainColumn_ = nullptr;
    QWidget* result_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// 22: the search of a case

class SearchContent : public PanelContent {
  public:
    explicit SearchContent(PanelHost& host) : host_(host) {}
    int code() const override { return panel::kSearch; }
    QString title() const override { return QStringLiteral("Suche eines Personalfalles"); }
    void build(Tablett& panel) override {
        panel_ = &panel;
        auto* column = columnOf(panel);
        column->addWidget(lineLabel(panel.body(), QStringLiteral("Name oder Teil des Namens:"), 1));
        field_ = panel.textField(PanelFieldKind::Free, QStringLiteral("Eingabe3"));
        column->addWidget(field_);
        list_ = new QListWidget(panel.body());
        list_->setObjectName(QStringLiteral("Liste"));
        list_->setMinimumSize(360, 300);
        column->addWidget(list_);
        names_ = caseListNames(host_.session());
        QObject::connect(field_, &QLineEdit::textChanged, list_, [this] { filter(); });
        QObject::connect(field_, &QLineEdit::returnPressed, list_, [this] { choose(); });
        QObject::connect(list_, &QListWidget::itemActivated, list_, [this] { choose(); });
        filter();
    }
    std::vector<PanelButton> ownButtons() override {
        return {{QStringLiteral("Aufrufen"), [this] { choose(); }}};
    }
    QStringList help() const override {
        return {QStringLiteral("Tippen Sie einen Teil des Namens ein; die Liste zeigt die Personalfälle des "
                               "Jahres, deren Name ihn enthält."),
                QStringLiteral("Enter, ein Doppelklick oder \"Aufrufen\" zeigt den gewählten Personalfall.")};
    }

  private:
    void filter() {
        list_->clear();
        const QString part = field_->text().trimmed();
        for (size_t i = 0; i < names_.size(); ++i) {
            QString name = q(names_[i]).trimmed();
            if (!part.isEmpty() && !name.contains(part, Qt::CaseInsensitive)) continue;
            auto* item = new QListWidgetItem(QStringLiteral("%1. %2").arg(i + 1).arg(name), list_);
            item->setData(Qt::UserRole, static_cast<int>(i + 1));
        }
        if (list_->count() > 0) list_->setCurrentRow(0);
    }
    void choose() {
        QListWidgetItem* item = list_->currentItem();
        if (!item) {
            panel_->prompter().tell("Suche", {"Kein Personalfall des Jahres trägt diesen Namen."});
            return;
        }
        const int n = item->data(Qt::UserRole).toInt();
        Session& g = host_.session();
        Tablett* panel = panel_;
        host_.engine([&g, n] { SelectCase(g, n); });
        panel->leave();
    }

    PanelHost& host_;
    Tablett* panel_ = nullptr;
    QLineEdit* field_ = nullptr;
    QListWidget* list_ = nullptr;
    std::vector<std::string> names_;
};

// ---------------------------------------------------------------------------------------------
// 61: the model case and ten new cases

class ModelCaseContent : public PanelContent {
  public:
    explicit ModelCaseContent(PanelHost& host) : host_(host) {}
    int code() const override { return panel::kModelCase; }
    QString title() const override {
        return QStringLiteral(
            "Aktuelle Berechnung als Voreinstellung übernehmen\n10 neue Personalfälle anlegen");
    }
    void build(Tablett& panel) override {
        panel_ = &panel;
        auto* column = columnOf(panel);
        column->addWidget(lineLabel(
            panel.body(),
            QStringLiteral(
                "Ein neuer Personalfall wird immer mit den Einstellungen des Musterfalls angelegt."),
            1));
    }
    std::vector<PanelButton> ownButtons() override {
        return {{QStringLiteral("Aktuelle Berechnung als Voreinstellung übernehmen"), [this] { adopt(); }},
                {QStringLiteral("10 neue Personalfälle anlegen"), [this] { tenNew(); }}};
    }
    QStringList help() const override {
        return {
            QStringLiteral("\"Aktuelle Berechnung als Voreinstellung übernehmen\" macht den angezeigten "
                           "Monat zum Musterfall, mit dem neue Personalfälle beginnen."),
            QStringLiteral("\"10 neue Personalfälle anlegen\" legt zehn Personalfälle nach dem Musterfall "
                           "in INFO, PLAN und REAL an.")};
    }

  private:
    void adopt() {
        Session& g = host_.session();
        host_.engine([&g] { (void)AdoptAsModelCase(g); }); // the result has been shown
    }
    void tenNew() {
        Session& g = host_.session();
        if (g.showsYearSalary()) {
            g.prompter.ask(yearSalaryMenuRefusal());
            return;
        }
        host_.engine([&g] {
            if (!NewCases(g, 10).empty()) ShowSelection(g);
        });
    }
    PanelHost& host_;
    Tablett* panel_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// 150: ordering the case list, and deleting single cases

class OrderingContent : public PanelContent {
  public:
    explicit OrderingContent(PanelHost& host) : host_(host) {}
    int code() const override { return panel::kOrdering; }
    QString title() const override { return QStringLiteral("N A M E N\nO R D N E N"); }
    void build(Tablett& panel) override {
        panel_ = &panel;
        auto* column = columnOf(panel);
        list_ = new QListWidget(panel.body());
        list_->setObjectName(QStringLiteral("Liste"));
        list_->setMinimumSize(380, 320);
        column->addWidget(list_);
        auto* form = new QFormLayout;
        target_ = panel.textField(PanelFieldKind::Digits, QStringLiteral("Eingabe1"));
        form->addRow(QStringLiteral("Markierten Personalfall verschieben auf Nummer"), target_);
        column->addLayout(form);
        QObject::connect(target_, &QLineEdit::returnPressed, list_, [this] { moveTo(); });
        fill(host_.session().caseNumber);
    }
    std::vector<PanelButton> ownButtons() override {
        return {{QStringLiteral("Nach oben"), [this] { step(-1); }},
                {QStringLiteral("Nach unten"), [this] { step(1); }},
                {QStringLiteral("Verschieben"), [this] { moveTo(); }},
                {QStringLiteral("Alphabetisch ordnen"), [this] { sort(); }},
                {QStringLiteral("Personalfall löschen"), [this] { remove(); }}};
    }
    QStringList help() const override {
        return {
            QStringLiteral("Verschieben, Ordnen und Löschen nummerieren die Personalfälle in allen Monaten "
                           "und in INFO, PLAN und REAL neu."),
            QStringLiteral(
                "Es ist erst möglich, wenn drei Sitzungen gesichert worden sind; vorher lassen sich "
                "die Sicherungen einschalten."),
            QStringLiteral(
                "Beim Schließen werden die Liste der Personalfälle und die Zeilentexte neu aufgebaut.")};
    }

  private:
    int selected() const {
        QListWidgetItem* item = list_->currentItem();
        return item ? item->data(Qt::UserRole).toInt() : 0;
    }
    void fill(int select) {
        list_->clear();
        std::vector<std::string> names;
        callEngine(panel_->prompter(), [&] { names = caseListNames(host_.session()); });
        for (size_t i = 0; i < names.size(); ++i) {
            auto* item =
                new QListWidgetItem(QStringLiteral("%1. %2").arg(i + 1).arg(q(names[i]).trimmed()), list_);
            item->setData(Qt::UserRole, static_cast<int>(i + 1));
        }
        list_->setCurrentRow(std::clamp(select, 1, std::max(1, list_->count())) - 1);
    }
    // Runs a reordering; the list shows the result with `select` marked.
    void run(const std::function<StorageResult()>& op, const std::function<int()>& select) {
        StorageResult r = StorageResult::Failed;
        callEngine(panel_->prompter(), [&] { r = op(); });
        fill(r == StorageResult::Done ? select() : selected());
    }
    void step(int by) {
        const int from = selected();
        if (from == 0 || from + by < 1 || from + by > list_->count()) return;
        Session& g = host_.session();
        run([&g, from, by] { return MoveCase(g, from, from + by); }, [from, by] { return from + by; });
    }
    void moveTo() {
        const int from = selected();
        const int to = target_->text().toInt();
        if (from == 0) return;
        Session& g = host_.session();
        run([&g, from, to] { return MoveCase(g, from, to); }, [to] { return to; });
    }
    void sort() {
        Session& g = host_.session();
        run([&g] { return SortCases(g); }, [&g] { return g.caseNumber; });
    }
    void remove() {
        const int n = selected();
        if (n == 0) return;
        Session& g = host_.session();
        run([&g, n] { return DeleteCase(g, n); }, [n] { return n; });
    }

    PanelHost& host_;
    Tablett* panel_ = nullptr;
    QListWidget* list_ = nullptr;
    QLineEdit* target_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// 207: user selection and user management

class UsersContent : public PanelContent {
  public:
    explicit UsersContent(PanelHost& host) : host_(host) {}
    int code() const override { return panel::kUsers; }
    QString title() const override {
        return managing_ ? QStringLiteral("U S E R  verwalten") : QStringLiteral("U S E R  auswählen");
    }
    void build(Tablett& panel) override {
        panel_ = &panel;
        auto* column = columnOf(panel);
        users_ = new QTableWidget(10, 10, panel.body());
        users_->setObjectName(QStringLiteral("MSFlexGrid1"));
        users_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        users_->setSelectionMode(QAbstractItemView::SingleSelection);
        users_->horizontalHeader()->hide();
        users_->verticalHeader()->hide();
        users_->setMinimumSize(900, 320);
        column->addWidget(users_);
        auto* form = new QFormLayout;
        password_ = panel.textField(PanelFieldKind::Free, QStringLiteral("Eingabe1"));
        password_->setEchoMode(QLineEdit::Password);
        form->addRow(QStringLiteral("Passwort"), password_);
        admin_ = panel.textField(PanelFieldKind::Free, QStringLiteral("Eingabe2"));
        admin_->setEchoMode(QLineEdit::Password);
        form->addRow(QStringLiteral("Administrator-Passwort (für die Verwaltung)"), admin_);
        label_ = panel.textField(PanelFieldKind::Free, QStringLiteral("Eingabe3"));
        label_->setEnabled(false);
        form->addRow(QStringLiteral("Bezeichnung des Users"), label_);
        protection_ = new QCheckBox(panel.body());
        protection_->setObjectName(QStringLiteral("Check1"));
        protection_->setEnabled(false);
        form->addRow(QStringLiteral(" S c h u t z  (nur bei User001)"), protection_);
        column->addLayout(form);
        column->addWidget(
            new QLabel(QStringLiteral("Programm-Verzeichnis auf den einzelnen Servern"), panel.body()));
        servers_ = new QTableWidget(kServers, 2, panel.body());
        servers_->setObjectName(QStringLiteral("MSFlexGrid2"));
        servers_->setHorizontalHeaderLabels({QStringLiteral("aktiv"), QStringLiteral("Programmverzeichnis")});
        servers_->horizontalHeader()->setStretchLastSection(true);
        servers_->setMinimumHeight(servers_->fontMetrics().height() * 14);
        servers_->setEnabled(false);
        column->addWidget(servers_);
        QObject::connect(password_, &QLineEdit::returnPressed, users_, [this] { select(); });
        QObject::connect(admin_, &QLineEdit::returnPressed, users_, [this] { manage(); });
        QObject::connect(users_, &QTableWidget::currentCellChanged, users_, [this] { showLabel(); });
        QObject::connect(protection_, &QCheckBox::clicked, users_, [this](bool on) { protect(on); });
        fill();
    }
    std::vector<PanelButton> ownButtons() override {
        return {{QStringLiteral("Auswählen"), [this] { select(); }},
                {QStringLiteral("User verwalten"), [this] { manage(); }},
                {QStringLiteral("Passwort ändern"), [this] { changePassword(false); }},
                {QStringLiteral("Passwort zurücksetzen"), [this] { changePassword(true); }},
                {QStringLiteral("Userdaten aus der Version 2019 übernehmen"), [this] { takeOver(); }},
                {QStringLiteral("Server speichern"), [this] { saveServers(); }}};
    }
    bool hasSave() const override { return true; }
    bool save() override {
        if (!requireManaging()) return false;
        StorageResult r = StorageResult::Failed;
        const int n = current();
        Session& g = host_.session();
        const std::string label = label_->text().toStdString();
        callEngine(g.prompter, [&] { r = SetUserLabel(g, n, label); });
        fill();
        return r == StorageResult::Done;
    }
    QStringList help() const override {
        return {
            QStringLiteral("User001 ist frei zugänglich; die Bereiche der User 2 bis 100 öffnet ihr Passwort "
                           "(Enter oder \"Auswählen\")."),
            QStringLiteral(
                "Bezeichnungen, Passwörter und der Schutz der Tariftabellen und Texte werden erst nach "
                "dem Administrator-Passwort verwaltet."),
            QStringLiteral(
                "Ein Server-Verzeichnis ist das Programmverzeichnis auf einem Server der Netzwerkumgebung "
                "(\\\\Server\\...). Nach jeder Änderung wird die Einstellungsdatei in die "
                "Programmverzeichnisse der aktiven Server kopiert (\"Server speichern\").")};
    }

  private:
    int current() const {
        return users_->currentRow() < 0 ? 0 : users_->currentColumn() * 10 + users_->currentRow() + 1;
    }
    void fill() {
        const int keep = current() > 0 ? current() : host_.session().user;
        std::vector<UserEntry> users;
        std::vector<ServerEntry> servers;
        callEngine(panel_->prompter(), [&] { users = listUsers(host_.session().programDir); });
        labels_.assign(101, QString());
        for (const UserEntry& u : users)
            if (u.number >= 1 && u.number <= 100)
                labels_[static_cast<size_t>(u.number)] = q(u.label).trimmed();
        for (int n = 1; n <= 100; ++n)
            users_->setItem(
                (n - 1) % 10, (n - 1) / 10,
                new QTableWidgetItem(QStringLiteral("%1. %2").arg(n).arg(labels_[static_cast<size_t>(n)])));
        users_->resizeColumnsToContents();
        users_->setCurrentCell((keep - 1) % 10, (keep - 1) / 10);
        callEngine(panel_->prompter(), [&] { servers = listServers(host_.session().programDir); });
        for (const ServerEntry& server : servers) {
            const int row = server.number - 1;
            if (row < 0 || row >= kServers) continue;
            auto* active = new QTableWidgetItem;
            active->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
            active->setCheckState(server.active ? Qt::Checked : Qt::Unchecked);
            servers_->setItem(row, 0, active);
            servers_->setItem(row, 1, new QTableWidgetItem(q(server.path)));
        }
        protection_->setChecked(host_.session().storage.protection);
        protection_->setText(host_.session().storage.protection
                                 ? QStringLiteral(" E  I  N   für Texte und Tarife")
                                 : QStringLiteral(" A U S   für Texte und Tarife"));
    }
    void showLabel() {
        if (current() > 0) label_->setText(labels_[static_cast<size_t>(current())]);
    }
    void select() {
        const int n = current();
        if (n == 0) return;
        Session& g = host_.session();
        const std::string password = password_->text().toStdString();
        password_->clear();
        StorageResult r = StorageResult::Failed;
        Tablett* panel = panel_;
        host_.engine([&] { r = SelectUser(g, n, password); });
        if (r == StorageResult::Done) panel->leave();
    }
    void manage() {
        const std::string typed = admin_->text().toStdString();
        admin_->clear();
        if (!CheckAdministratorPassword(typed)) {
            panel_->prompter().tell("Passwort", {"Das Administrator-Passwort ist falsch."},
                                    PromptIcon::Warning);
            return;
        }
        managing_ = true;
        panel_->titleLine()->setText(title());
        label_->setEnabled(true);
        protection_->setEnabled(true);
        servers_->setEnabled(true);
        label_->setFocus();
    }
    bool requireManaging() {
        if (managing_) return true;
        panel_->prompter().tell("U S E R  verwalten",
                                {"Die Verwaltung der User öffnet erst das Administrator-Passwort."});
        return false;
    }
    void changePassword(bool reset) {
        if (!requireManaging()) return;
        const int n = current();
        Session& g = host_.session();
        const std::string password = password_->text().toStdString();
        if (!reset && password.empty()) {
            g.prompter.tell("Passwort", {"Bitte tippen Sie das neue Passwort in das Feld \"Passwort\"."});
            return;
        }
        password_->clear();
        StorageResult r = StorageResult::Failed;
        callEngine(g.prompter,
                   [&] { r = reset ? ResetUserPassword(g, n) : SetUserPassword(g, n, password); });
        if (r == StorageResult::Done)
            g.prompter.tell("Passwort",
                            {reset ? "Das Passwort von User " + std::to_string(n) + " wurde zurückgesetzt."
                                   : "Das Passwort von User " + std::to_string(n) + " wurde geändert."});
    }
    void takeOver() {
        if (!requireManaging()) return;
        Session& g = host_.session();
        StorageResult r = StorageResult::Failed;
        // The takeover makes user 1 current and starts it anew.
        host_.engine([&] {
            r = TakeOverPreviousUsers(g, previousProgramFolder(g.programDir));
            if (r == StorageResult::Done) ShowSelection(g);
        });
        fill();
    }
    // Each server entry changed in the table is stored (a path that is no network path is refused with
    // its message, and the entries after it stay as they were); the settings file then goes to the servers.
    void saveServers() {
        if (!requireManaging()) return;
        Session& g = host_.session();
        std::vector<ServerEntry> stored;
        callEngine(g.prompter, [&] { stored = listServers(g.programDir); });
        for (const ServerEntry& server : stored) {
            const int row = server.number - 1;
            if (row < 0 || row >= kServers || !servers_->item(row, 0) || !servers_->item(row, 1)) continue;
            const bool active = servers_->item(row, 0)->checkState() == Qt::Checked;
            const std::string path = servers_->item(row, 1)->text().trimmed().toStdString();
            if (active == server.active && path == server.path) continue;
            StorageResult r = StorageResult::Failed;
            callEngine(g.prompter, [&] { r = SetServerFolder(g, server.number, path, active); });
            if (r != StorageResult::Done) break;
        }
        fill();
    }
    void protect(bool on) {
        if (!requireManaging()) {
            fill();
            return;
        }
        Session& g = host_.session();
        callEngine(g.prompter, [&] { (void)SetProtection(g, on); }); // a failure has been shown
        fill();
    }

    PanelHost& host_;
    Tablett* panel_ = nullptr;
    bool managing_ = false;
    QTableWidget* users_ = nullptr;
    QLineEdit* password_ = nullptr;
    QLineEdit* admin_ = nullptr;
    QLineEdit* label_ = nullptr;
    QCheckBox* protection_ = nullptr;
    QTableWidget* servers_ = nullptr;
    std::vector<QString> labels_;
};

// ---------------------------------------------------------------------------------------------
// 221: the cases of the previous version

class PreviousVersionContent : public PanelContent {
  public:
    explicit PreviousVersionContent(PanelHost& host) : host_(host) {}
    int code() const override { return panel::kPreviousVersion; }
    QString title() const override {
        return QStringLiteral("Übernahme der Personalfälle aus der Version 2019");
    }
    void build(Tablett& panel) override {
        panel_ = &panel;
        auto* column = columnOf(panel);
        const Session& g = host_.session();
        const std::filesystem::path folder = previousUserFolder(g, previousProgramFolder(g.programDir));
        std::vector<TakeOverYear> years;
        callEngine(panel.prompter(), [&] { years = casesInFolder(folder); });
        column->addWidget(lineLabel(panel.body(), QStringLiteral("Aus: ") + q(folder.string()), 1));
        column->addWidget(lineLabel(panel.body(), QStringLiteral("In:  ") + q(g.userFolder.string()), 2));
        QString found;
        for (const TakeOverYear& y : years)
            found += QStringLiteral("%1%2: %3 Personalfälle")
                         .arg(found.isEmpty() ? "" : ", ")
                         .arg(y.year)
                         .arg(y.cases);
        column->addWidget(lineLabel(
            panel.body(), found.isEmpty() ? QStringLiteral("Dort gibt es keine Personalfälle.") : found, 3));
        column->addWidget(
            lineLabel(panel.body(),
                      QStringLiteral("Die Personalfälle dieser Jahre ersetzen die des aktuellen "
                                     "Users; die übrigen Jahre bleiben, wie sie sind."),
                      4));
    }
    std::vector<PanelButton> ownButtons() override {
        return {{QStringLiteral("Personalfälle übernehmen"), [this] { takeOver(); }}};
    }
    QStringList help() const override {
        return {
            QStringLiteral(
                "Übernommen werden die Personalfälle des gleichen Users aus dem Programmverzeichnis "
                "der Version 2019 (\"Varemo2019\" neben dem Programmverzeichnis): je Jahr die "
                "Dateien der Datenbestände INFO, PLAN und REAL und die Dateien der Rechner."),
            QStringLiteral("Gibt es im aktuellen User schon Personalfälle dieser Jahre, wird vorher gefragt. "
                           "Die Einstellungen des Users bleiben unverändert.")};
    }

  private:
    void takeOver() {
        Session& g = host_.session();
        StorageResult r = StorageResult::Failed;
        Tablett* panel = panel_;
        host_.engine([&] {
            r = TakeOverPreviousCases(g, previousProgramFolder(g.programDir));
            if (r == StorageResult::Done) ShowSelection(g);
        });
        if (r == StorageResult::Done) panel->leave();
    }

    PanelHost& host_;
    Tablett* panel_ = nullptr;
};

// ---------------------------------------------------------------------------------------------
// 1234: the backups of the user data

class BackupsContent : public PanelContent {
  public:
    explicit BackupsContent(PanelHost& host) : host_(host) {}
    int code() const override { return panel::kBackups; }
    QString title() const override { return QStringLiteral("Sicherungskopien der Userdaten"); }
    void build(Tablett& panel) override {
        panel_ = &panel;
        auto* column = columnOf(panel);
        on_ = new QCheckBox(QStringLiteral("Nach jedem Beenden über \"Start/Beenden\" Kopien anlegen"),
                            panel.body());
        on_->setObjectName(QStringLiteral("Check1"));
        column->addWidget(on_);
        for (int k = 0; k < 3; ++k) {
            rows_[static_cast<size_t>(k)] = lineLabel(panel.body(), QString(), k + 1);
            column->addWidget(rows_[static_cast<size_t>(k)]);
        }
        QObject::connect(on_, &QCheckBox::clicked, on_, [this](bool on) { toggle(on); });
        show();
    }
    std::vector<PanelButton> ownButtons() override {
        std::vector<PanelButton> b;
        for (int k = 1; k <= 3; ++k)
            b.push_back({QStringLiteral("Sicherung %1 zurückspielen").arg(k), [this, k] { restore(k); }});
        return b;
    }
    QStringList help() const override {
        return {
            QStringLiteral(
                "Backup1 hält den Stand am Ende der letzten Sitzung, Backup3 den der drittletzten."),
            QStringLiteral(
                "Das Zurückspielen versetzt die Daten des Users auf den Stand dieser Sitzung zurück."),
            QStringLiteral("Das Verschieben und Sortieren von Personalfällen ist erst mit drei Sicherungen "
                           "möglich.")};
    }

  private:
    void show() {
        const Session& g = host_.session();
        on_->setChecked(g.storage.window.backupsOn());
        for (const BackupInfo& b : ListBackups(g)) {
            QString text = QStringLiteral("Backup%1: ").arg(b.number);
            text += !b.exists  ? QStringLiteral("nicht angelegt")
                    : b.filled ? QStringLiteral("Stand vom %1").arg(q(b.date))
                               : QStringLiteral("angelegt, noch leer");
            rows_[static_cast<size_t>(b.number - 1)]->setText(text);
        }
    }
    void toggle(bool on) {
        Session& g = host_.session();
        callEngine(g.prompter, [&] { (void)SetBackupsOn(g, on); }); // a failure has been shown
        show();
    }
    void restore(int k) {
        Session& g = host_.session();
        host_.engine([&g, k] {
            if (RestoreUserData(g, k) == StorageResult::Done) ShowSelection(g);
        });
        show();
    }

    PanelHost& host_;
    Tablett* panel_ = nullptr;
    QCheckBox* on_ = nullptr;
    std::array<QLabel*, 3> rows_{};
};

// ---------------------------------------------------------------------------------------------
// 99: the links of the installation (Kasten)

class LinksContent : public PanelContent {
  public:
    explicit LinksContent(PanelHost& host) : host_(host) {}
    int code() const override { return panel::kLinks; }
    QString title() const override { return QStringLiteral("Links ins Internet zu Gesetzen und Diensten"); }
    void build(Tablett& panel) override {
        panel_ = &panel;
        auto* column = columnOf(panel);
        box_ = new QListWidget(panel.body());
        box_->setObjectName(QStringLiteral("Kasten"));
        box_->setMinimumSize(460, 300);
        column->addWidget(box_);
        for (const MenuItem& item : menuItems()) {
            if (menuAuswertung(item.code).action != MenuAction::OpenLink) continue;
            addEntry(codeText('Y', item.code), q(item.caption));
        }
        for (const FunctionButton& b : functionButtons())
            if (functionDispatch(b.code).action == MenuAction::OpenLink)
                addEntry(codeText('f', b.code), q(b.hint));
        box_->setCurrentRow(0);
        QObject::connect(box_, &QListWidget::itemActivated, box_, [this] { open(); });
    }
    std::vector<PanelButton> ownButtons() override {
        return {{QStringLiteral("Öffnen"), [this] { open(); }}};
    }
    QStringList help() const override {
        return {QStringLiteral("Enter, ein Doppelklick oder \"Öffnen\" öffnet die Seite im Browser."),
                QStringLiteral("Die Adressen stehen in der Datei %1 im Programmordner.").arg(q(kLinkFile))};
    }

  private:
    void addEntry(const std::string& code, const QString& caption) {
        auto* item = new QListWidgetItem(q(code) + QStringLiteral("  ") + caption, box_);
        item->setData(Qt::UserRole, q(code));
        item->setData(Qt::UserRole + 1, caption);
    }
    void open() {
        QListWidgetItem* item = box_->currentItem();
        if (!item) return;
        openLink(host_.session(), item->data(Qt::UserRole).toString().toStdString(),
                 item->data(Qt::UserRole + 1).toString().toStdString());
    }
    PanelHost& host_;
    Tablett* panel_ = nullptr;
    QListWidget* box_ = nullptr;
};

} // namespace

std::unique_ptr<PanelContent> makePanelContent(int code, PanelHost& host) {
    switch (code) {
    case panel::kTaxWorksheet:
    case panel::kSocialInsurance:
    case panel::kPartTime:
    case panel::kTariffOverview:
    case panel::kComparison:
        return std::make_unique<WorksheetView>(code, host);
    case panel::kAnnualEarnings:
        return std::make_unique<AnnualEarningsView>(host);
    case panel::kSearch:
        return std::make_unique<SearchContent>(host);
    case panel::kSvClassification:
        return std::make_unique<SvClassificationContent>(host);
    case panel::kModelCase:
        return std::make_unique<ModelCaseContent>(host);
    case panel::kOrdering:
        return std::make_unique<OrderingContent>(host);
    case panel::kUsers:
        return std::make_unique<UsersContent>(host);
    case panel::kBackups:
        return std::make_unique<BackupsContent>(host);
    case panel::kPreviousVersion:
        return std::make_unique<PreviousVersionContent>(host);
    case panel::kLinks:
        return std::make_unique<LinksContent>(host);
    case panel::kEmployerData:
        return makeEmployerContent(host);
    case panel::kMasterData:
        return makeMasterDataContent(host);
    case panel::kColours:
        return makeColourContent(host);
    case panel::kOptionTexts:
        return makeOptionTextContent(host);
    case panel::kStepCalculator:
        return makeStepCalculatorContent(host);
    default:
        if (auto update = makeUpdateContent(code, host)) return update;
        return makeSettingsContent(code, host);
    }
}

} // namespace varemo::ui
