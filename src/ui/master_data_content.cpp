#include "ui/master_data_content.h"

#include "presentation/menu_dispatch.h"
#include "session/master_data.h"
#include "ui/window_layout.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace varemo::ui {
namespace {

struct Field {
    const char* caption;
    std::string MasterData::*value;
    PanelFieldKind kind;
    int maxLength;
};

const Field kFields[] = {{"Personalnummer", &MasterData::personalNumber, PanelFieldKind::Free, 12},
                         {"Steuer-ID", &MasterData::taxId, PanelFieldKind::Digits, 11},
                         {"Geburtstag (TT.MM.JJJJ)", &MasterData::birthday, PanelFieldKind::DateLong, 10},
                         {"Straße und Hausnummer", &MasterData::address1, PanelFieldKind::Free, 35},
                         {"PLZ und Ort", &MasterData::address2, PanelFieldKind::Free, 35},
                         {"IBAN", &MasterData::iban, PanelFieldKind::Free, 42},
                         {"BIC", &MasterData::bic, PanelFieldKind::Free, 11}};

class MasterDataContent : public PanelContent {
  public:
    explicit MasterDataContent(PanelHost& host)
        : host_(host), stored_(caseMasterData(host.session(), host.session().caseNumber)) {}
    int code() const override { return panel::kMasterData; }
    QString title() const override {
        return QStringLiteral("Stammdaten von ") + q(host_.session().workingCase.name);
    }

    void build(Tablett& panel) override {
        auto* form = new QFormLayout(panel.body());
        int n = 1;
        for (const Field& f : kFields) {
            QLineEdit* field = panel.textField(f.kind, QStringLiteral("Text%1").arg(n++));
            field->setMaxLength(f.maxLength);
            field->setMinimumWidth(320);
            field->setText(q(stored_.*f.value));
            auto* label = new QLabel(QString::fromUtf8(f.caption) + QLatin1Char(':'), panel.body());
            label->setBuddy(field);
            form->addRow(label, field);
            fields_.push_back(field);
        }
    }

    bool hasSave() const override { return true; }
    bool save() override {
        const MasterData typed = this->typed();
        if (!saveMasterData(host_.session(), host_.session().caseNumber, typed)) return false;
        stored_ = normalizedMasterData(typed);
        for (size_t i = 0; i < fields_.size(); ++i)
            fields_[i]->setText(q(stored_.*kFields[i].value));
        return true;
    }
    bool hasUnsavedChanges() const override { return normalizedMasterData(typed()) != stored_; }
    QStringList help() const override {
        return {QStringLiteral("Die Stammdaten erscheinen im Kopf der Gehaltsberechnung, in der "
                               "Entgeltbescheinigung und in der Lohnsteuerbescheinigung."),
                QStringLiteral("Die Steuer-ID wird mit ihrer Prüfziffer (§ 139b AO), die IBAN mit ihrer "
                               "Prüfsumme geprüft; ein ungültiger Wert wird nicht gespeichert."),
                QStringLiteral("Gespeichert wird erst mit \"Änderungen speichern\".")};
    }

  private:
    MasterData typed() const {
        MasterData d;
        for (size_t i = 0; i < fields_.size(); ++i)
            d.*kFields[i].value = fields_[i]->text().toStdString();
        return d;
    }

    PanelHost& host_;
    MasterData stored_;
    std::vector<QLineEdit*> fields_;
};

} // namespace

std::unique_ptr<PanelContent> makeMasterDataContent(PanelHost& host) {
    return std::make_unique<MasterDataContent>(host);
}

} // namespace varemo::ui
