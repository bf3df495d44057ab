#include "ui/employer_content.h"

#include "presentation/employer_data_panel.h"
#include "presentation/menu_dispatch.h"
#include "ui/window_layout.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace varemo::ui {
namespace {

class EmployerContent : public PanelContent {
  public:
    explicit EmployerContent(PanelHost& host) : host_(host), model_(host.session()) {}
    // The fields outlive the content until the panel's body is replaced; a focus change then must not
    // reach it.
    ~EmployerContent() override {
        for (QLineEdit* field : fields_)
            QObject::disconnect(field, &QLineEdit::editingFinished, nullptr, nullptr);
    }
    int code() const override { return panel::kEmployerData; }
    QString title() const override { return QStringLiteral("Arbeitgeberdaten für die Ausdrucke"); }

    void build(Tablett& panel) override {
        panel_ = &panel;
        auto* form = new QFormLayout(panel.body());
        int n = 1;
        for (const EmployerDataPanel::Field& f : EmployerDataPanel::fields()) {
            const PanelFieldKind kind =
                f.text == EmployerText::HeaderNumber ? PanelFieldKind::Digits : PanelFieldKind::Free;
            QLineEdit* field = panel.textField(kind, QStringLiteral("Text%1").arg(n++));
            field->setMinimumWidth(f.length > 50 ? 560 : 320);
            auto* label = new QLabel(q(f.caption) + QLatin1Char(':'), panel.body());
            label->setBuddy(field);
            form->addRow(label, field);
            fields_.push_back(field);
            QObject::connect(field, &QLineEdit::editingFinished, field, [this, field] { take(field); });
        }
        showValues();
    }

    bool hasDefaults() const override { return true; }
    void restoreDefaults() override {
        model_.restoreDefaults();
        showValues();
    }
    bool hasSave() const override { return true; }
    bool save() override {
        // A text still being typed counts; a refused one stops the saving.
        for (QLineEdit* field : fields_)
            if (!take(field)) return false;
        bool saved = false;
        host_.engine([&] {
            model_.save(host_.session());
            saved = true;
        });
        return saved;
    }
    QStringList help() const override {
        return {
            QStringLiteral("Die Texte erscheinen im Kopf der Ausdrucke (Arbeitgeber, Nummer, Straße und "
                           "Ort) und als Schlussbemerkung unter den Berechnungen."),
            QStringLiteral("Jedes Feld nimmt nur so viele Zeichen auf, wie gespeichert werden können; "
                           "die Nummer im Druckkopf besteht aus Ziffern."),
            QStringLiteral("\"Vorgabewerte\" setzt die Texte eines neuen Users ein; gespeichert wird erst "
                           "mit \"Änderungen speichern\".")};
    }

  private:
    const EmployerDataPanel::Field& fieldOf(QLineEdit* field) const {
        size_t i = 0;
        while (fields_[i] != field)
            ++i;
        return EmployerDataPanel::fields()[i];
    }

    // The typed text into the model; after a refusal the message says why and the field shows the text
    // the panel keeps.
    bool take(QLineEdit* field) {
        const EmployerDataPanel::Field& f = fieldOf(field);
        const std::string text = field->text().toStdString();
        if (text == model_.value(f.text)) return true;
        if (auto refusal = model_.enter(f.text, text)) {
            field->setText(q(model_.value(f.text)));
            panel_->prompter().tell("Eingabe", {*refusal}, PromptIcon::Warning);
            return false;
        }
        return true;
    }

    void showValues() {
        for (size_t i = 0; i < fields_.size(); ++i)
            fields_[i]->setText(q(model_.value(EmployerDataPanel::fields()[i].text)));
    }

    PanelHost& host_;
    EmployerDataPanel model_;
    Tablett* panel_ = nullptr;
    std::vector<QLineEdit*> fields_;
};

} // namespace

std::unique_ptr<PanelContent> makeEmployerContent(PanelHost& host) {
    return std::make_unique<EmployerContent>(host);
}

} // namespace varemo::ui
