#include "ui/step_calculator_content.h"

#include "base/error.h"
#include "calculators/pay_steps.h"
#include "presentation/menu_dispatch.h"
#include "print/number_format.h"
#include "ui/calculator_windows.h"
#include "ui/window_layout.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace varemo::ui {
namespace {

class StepCalculatorContent : public PanelContent {
  public:
    explicit StepCalculatorContent(PanelHost& host) : host_(host) {}
    int code() const override { return panel::kStepCalculator; }
    QString title() const override { return QStringLiteral("Stufenrechner"); }

    void build(Tablett& panel) override {
        panel_ = &panel;
        auto* column = new QVBoxLayout(panel.body());
        auto* form = new QFormLayout;
        column->addLayout(form);
        beginning_ = panel.textField(PanelFieldKind::DateLong, QStringLiteral("Text1"));
        movement_ = panel.textField(PanelFieldKind::Free, QStringLiteral("Text2"));
        form->addRow(QStringLiteral("Beginn der Laufzeit der Stufe 1"), beginning_);
        form->addRow(QStringLiteral("Verlängerung (+) oder Verkürzung (-) in Monaten"), movement_);
        // Enter takes the value and moves on, as in the sheet.
        QObject::connect(beginning_, &QLineEdit::returnPressed, panel.body(), [this] {
            if (recompute(true)) {
                movement_->setFocus();
                movement_->selectAll();
            }
        });
        QObject::connect(movement_, &QLineEdit::returnPressed, panel.body(), [this] { recompute(true); });
        table_ = makeStepTable(panel.body());
        table_->setMinimumWidth(520);
        column->addWidget(table_);
        result_ = new QLabel(panel.body());
        result_->setObjectName(QStringLiteral("Ergebnis"));
        result_->setWordWrap(true);
        column->addWidget(result_);
        restoreDefaults();
    }
    std::vector<PanelButton> ownButtons() override {
        return {{QStringLiteral("Ermitteln"), [this] { recompute(true); }}};
    }
    // The case's beginning of line 6 without a movement.
    bool hasDefaults() const override { return true; }
    void restoreDefaults() override {
        beginning_->setText(q(host_.session().workingCase.dateText).trimmed());
        movement_->setText(QStringLiteral("0"));
        recompute(false);
    }
    QStringList help() const override {
        return {QStringLiteral("Aus dem Beginn der Laufzeit der Stufe 1 und einer Verlängerung (+) oder "
                               "Verkürzung (-) in Monaten ergibt sich der Beginn jeder Stufe der "
                               "Stufentabelle des Personalfalls, vorher und nachher."),
                QStringLiteral("Eine Stufe beginnt am Ersten des Monats, in dem ihre Laufzeit erreicht ist. "
                               "Gelb ist die Stufe, die im Monat der Berechnung gilt."),
                QStringLiteral("Enter übernimmt die Eingabe. Der Stufenrechner ändert nichts am "
                               "Personalfall; den neuen Beginn überträgt das Fenster \"Stufenlaufzeit\" "
                               "(i08).")};
    }

  private:
    // Shows the steps of the typed values; false after a message (told when asked).
    bool recompute(bool tell) {
        Session& g = host_.session();
        auto refuse = [&](const std::string& title, const std::string& message) {
            table_->setRowCount(0);
            result_->setText(q(message));
            if (tell) panel_->prompter().tell(title, {message});
            return false;
        };
        const std::string typed = beginning_->text().trimmed().toStdString();
        const auto beginning = parseCalendarDate(typed);
        if (!beginning)
            return refuse("Bitte korrigieren",
                          typed.empty() ? "Bitte den Beginn der Laufzeit der Stufe 1 eintragen (TT.MM.JJJJ)."
                                        : "Das Datum " + typed + " ist kein gültiges Datum (TT.MM.JJJJ).");
        const auto movement = stepMovementOf(movement_->text());
        if (!movement) return refuse("Bitte korrigieren", kStepMovementRange);
        StepDurationView v;
        try {
            v = StepDurationOf(g, beginning, *movement);
        } catch (const Error& e) {
            return refuse("Stufenrechner", e.what());
        }
        showStepTable(table_, v);
        const std::string month = print::monthOfYear(g.month(), g.year);
        QStringList lines = {QStringLiteral("Rechtsgrundlage: ") + q(v.legalBasis)};
        if (v.current < 0) {
            lines << QStringLiteral("Im %1 hat die Laufzeit der Stufe 1 noch nicht begonnen.").arg(q(month));
        } else {
            const StepDate& now = v.steps[static_cast<size_t>(v.current)];
            lines << QStringLiteral("Im %1 gilt Stufe %2 (seit %3).")
                         .arg(q(month))
                         .arg(now.position + 1)
                         .arg(q(formatCalendarDate(now.begins)));
        }
        const size_t next = static_cast<size_t>(v.current + 1);
        if (next < v.steps.size())
            lines << QStringLiteral("Nächster Stufenaufstieg: Stufe %1 am %2.")
                         .arg(v.steps[next].position + 1)
                         .arg(q(formatCalendarDate(v.steps[next].movedBegins)));
        if (!v.entryOfficeNote.empty()) lines << q(v.entryOfficeNote);
        result_->setText(lines.join(QLatin1Char('\n')));
        return true;
    }

    PanelHost& host_;
    Tablett* panel_ = nullptr;
    QLineEdit* beginning_ = nullptr;
    QLineEdit* movement_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* result_ = nullptr;
};

} // namespace

std::unique_ptr<PanelContent> makeStepCalculatorContent(PanelHost& host) {
    return std::make_unique<StepCalculatorContent>(host);
}

} // namespace varemo::ui
