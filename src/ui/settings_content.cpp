#include "ui/settings_content.h"

#include "presentation/settings_panel.h"
#include "session/recalculate.h"
#include "ui/window_layout.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace varemo::ui {
namespace {

constexpr int kValueColumn = 2;

bool isSettingsPanel(int code) {
    switch (static_cast<SettingsPanelKind>(code)) {
    case SettingsPanelKind::TariffMultipliers:
    case SettingsPanelKind::SupplementaryPension:
    case SettingsPanelKind::HealthFunds:
    case SettingsPanelKind::SocialInsurance:
    case SettingsPanelKind::ChurchTax:
    case SettingsPanelKind::FamilyAllowance:
    case SettingsPanelKind::SpecialPayments:
    case SettingsPanelKind::WeeklyHours:
    case SettingsPanelKind::ChristmasBonus:
    case SettingsPanelKind::TimeSupplements:
    case SettingsPanelKind::ChildBenefit:
    case SettingsPanelKind::PensionLevy:
    case SettingsPanelKind::PartialRetirement:
    case SettingsPanelKind::CivilServantRules:
        return true;
    }
    return false;
}

class SettingsContent : public PanelContent {
  public:
    SettingsContent(int code, PanelHost& host)
        : host_(host), model_(host.session(), static_cast<SettingsPanelKind>(code)) {}
    int code() const override { return static_cast<int>(model_.kind()); }
    QString title() const override { return q(model_.title()); }

    void build(Tablett& panel) override {
        panel_ = &panel;
        auto* column = new QVBoxLayout(panel.body());
        auto* monthRow = new QHBoxLayout;
        auto* monthLabel = new QLabel(QStringLiteral("Werte ab Monat:"), panel.body());
        month_ = new QSpinBox(panel.body());
        month_->setObjectName(QStringLiteral("tdbnumber1"));
        month_->setRange(1, 12);
        month_->setValue(std::clamp(host_.session().month(), 1, 12));
        monthLabel->setBuddy(month_);
        monthRow->addWidget(monthLabel);
        monthRow->addWidget(month_);
        monthRow->addStretch();
        column->addLayout(monthRow);

        table_ = new QTableWidget(static_cast<int>(model_.fields().size()), 3, panel.body());
        table_->setObjectName(QStringLiteral("MSFlexGrid1"));
        table_->setHorizontalHeaderLabels(
            {QStringLiteral("Einstellung"), QStringLiteral("Bedeutung"), QStringLiteral("Wert")});
        table_->verticalHeader()->hide();
        table_->setSelectionBehavior(QAbstractItemView::SelectItems);
        table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
        for (size_t r = 0; r < model_.fields().size(); ++r) {
            const SettingInfo* info = &model_.fields()[r];
            auto* name = new QTableWidgetItem(q(info->name));
            name->setFlags(name->flags() & ~Qt::ItemIsEditable);
            auto* meaning = new QTableWidgetItem(q(info->meaning));
            meaning->setFlags(meaning->flags() & ~Qt::ItemIsEditable);
            meaning->setToolTip(q(info->meaning + " (" + info->file + ")"));
            table_->setItem(static_cast<int>(r), 0, name);
            table_->setItem(static_cast<int>(r), 1, meaning);
            auto* value = new QTableWidgetItem;
            value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(static_cast<int>(r), kValueColumn, value);
        }
        table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
        table_->setMinimumSize(760, 380);
        column->addWidget(table_);
        showValues();
        table_->resizeColumnsToContents();
        table_->horizontalHeader()->setStretchLastSection(true);
        if (table_->rowCount() > 0) table_->setCurrentCell(0, kValueColumn);

        QObject::connect(month_, &QSpinBox::valueChanged, table_, [this] { showValues(); });
        QObject::connect(table_, &QTableWidget::itemChanged, table_, [this](QTableWidgetItem* item) {
            if (item->column() == kValueColumn) enter(item);
        });
    }

    std::vector<PanelButton> ownButtons() override {
        if (model_.kind() != SettingsPanelKind::HealthFunds) return {};
        return {{QStringLiteral("Umlagesätze aktualisieren"), [this] {
                     model_.updateLevyRates();
                     showValues();
                 }}};
    }
    bool hasDefaults() const override { return true; }
    void restoreDefaults() override {
        model_.restoreDefaults();
        showValues();
    }
    bool hasSave() const override { return true; }
    bool hasUnsavedChanges() const override { return model_.changed(); }
    bool save() override {
        Session& g = host_.session();
        bool saved = false;
        host_.engine([&] {
            model_.save(g);
            saved = true;
            if (!g.showsYearSalary()) (void)RecalculateShownMonth(g); // the shown month with the new values
        });
        if (saved && !model_.savedNotice().empty())
            panel_->prompter().tell(model_.title(), model_.savedNotice(), PromptIcon::Information);
        return saved;
    }
    QStringList help() const override {
        return {
            QStringLiteral("Die Werte gelten für das Jahr, das im Hauptfenster eingestellt ist. Werte, die "
                           "von Monat zu Monat wechseln können, gelten ab dem gewählten Monat bis Dezember."),
            QStringLiteral("Ein Wert wird in der Spalte \"Wert\" eingetippt und mit Enter übernommen; ein "
                           "unzulässiger Wert wird abgelehnt und der alte bleibt."),
            QStringLiteral("\"Vorgabewerte\" setzt die Werte des Programms ein; gespeichert wird erst mit "
                           "\"Änderungen speichern\". Gespeicherte Personalfälle behalten ihre Zahlen, bis "
                           "sie neu berechnet werden.")};
    }

  private:
    void showValues() {
        const QSignalBlocker block(table_);
        for (int r = 0; r < table_->rowCount(); ++r)
            table_->item(r, kValueColumn)
                ->setText(q(model_.value(model_.fields()[static_cast<size_t>(r)].name, month_->value())));
    }

    void enter(QTableWidgetItem* item) {
        const std::string& name = model_.fields()[static_cast<size_t>(item->row())].name;
        const std::string text = item->text().trimmed().toStdString();
        if (text == model_.value(name, month_->value())) return;
        if (auto refusal = model_.enter(name, text, month_->value())) {
            panel_->prompter().tell("Eingabe", {*refusal}, PromptIcon::Warning);
        }
        showValues(); // the value as the settings keep it, or the old one after a refusal
    }

    PanelHost& host_;
    SettingsPanel model_;
    Tablett* panel_ = nullptr;
    QSpinBox* month_ = nullptr;
    QTableWidget* table_ = nullptr;
};

} // namespace

std::unique_ptr<PanelContent> makeSettingsContent(int code, PanelHost& host) {
    if (!isSettingsPanel(code)) return nullptr;
    return std::make_unique<SettingsContent>(code, host);
}

} // namespace varemo::ui
