#include "ui/colour_content.h"

#include "presentation/colour_panel.h"
#include "presentation/menu_dispatch.h"
#include "ui/window_layout.h"

#include <QColorDialog>
#include <QFormLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include <array>

namespace varemo::ui {
namespace {

// The areas in the order of ColourArea.
const std::array<const char*, kColourAreas> kAreaCaptions = {
    "Fensterhintergrund",
    "Bruttoseite (Zeilen 1 bis 23)",
    "Nettoseite (Zeilen 24 bis 47)",
    "Zeilennummern",
    "Zeilentexte",
    "Eingegebene Beträge",
    "Berechnete Beträge",
    "Kennzeichenspalten",
    "Anteilsbalken",
    "Hinweiszeile",
    "Schaltfläche des gewählten Jahres",
};

class ColourContent : public PanelContent {
  public:
    explicit ColourContent(PanelHost& host) : host_(host), model_(host.session()) {}
    int code() const override { return panel::kColours; }
    QString title() const override { return q(model_.title()); }

    void build(Tablett& panel) override {
        auto* form = new QFormLayout(panel.body());
        for (int a = 0; a < kColourAreas; ++a) {
            auto* button = new QPushButton(panel.body());
            button->setObjectName(QStringLiteral("Farbe%1").arg(a + 1));
            button->setAutoDefault(false);
            button->setMinimumWidth(180);
            auto* label = new QLabel(
                QString::fromUtf8(kAreaCaptions[static_cast<size_t>(a)]) + QLatin1Char(':'), panel.body());
            label->setBuddy(button);
            form->addRow(label, button);
            buttons_[static_cast<size_t>(a)] = button;
            QObject::connect(button, &QPushButton::clicked, button,
                             [this, a, body = panel.body()] { choose(static_cast<ColourArea>(a), body); });
        }
        showColours();
    }

    bool hasDefaults() const override { return true; }
    void restoreDefaults() override {
        model_.restoreDefaults();
        showColours();
    }
    bool hasSave() const override { return true; }
    bool save() override {
        bool saved = false;
        host_.engine([&] {
            model_.save(host_.session());
            saved = true;
        });
        if (saved) host_.coloursChanged();
        return saved;
    }
    QStringList help() const override {
        return {QStringLiteral("Ein Klick auf einen Bereich öffnet die Farbauswahl; die gewählte Farbe zeigt "
                               "die Schaltfläche des Bereichs."),
                QStringLiteral("Die Farben gelten für das Jahr, das im Hauptfenster eingestellt ist, und "
                               "erscheinen mit \"Änderungen speichern\" sofort im Hauptfenster."),
                QStringLiteral("\"Vorgabewerte\" setzt die Farben des Programms für das Jahr ein.")};
    }

  private:
    void choose(ColourArea area, QWidget* parent) {
        QColorDialog dialog(toQColor(colourOf(model_.colours(), area)), parent);
        dialog.setObjectName(QStringLiteral("Farbauswahl"));
        dialog.setOption(QColorDialog::DontUseNativeDialog);
        dialog.setWindowTitle(QString::fromUtf8(kAreaCaptions[static_cast<size_t>(area)]));
        if (dialog.exec() != QDialog::Accepted) return;
        const QColor c = dialog.selectedColor();
        if (!c.isValid()) return;
        model_.setColour(area, Rgb{static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()),
                                   static_cast<uint8_t>(c.blue())});
        showColours();
    }

    void showColours() {
        for (int a = 0; a < kColourAreas; ++a) {
            const Rgb c = colourOf(model_.colours(), static_cast<ColourArea>(a));
            QPushButton* button = buttons_[static_cast<size_t>(a)];
            QPixmap swatch(48, 16);
            swatch.fill(toQColor(c));
            button->setIcon(QIcon(swatch));
            button->setIconSize(swatch.size());
            button->setText(QStringLiteral("%1, %2, %3").arg(c.r).arg(c.g).arg(c.b));
        }
    }

    PanelHost& host_;
    ColourPanel model_;
    std::array<QPushButton*, kColourAreas> buttons_{};
};

} // namespace

std::unique_ptr<PanelContent> makeColourContent(PanelHost& host) {
    return std::make_unique<ColourContent>(host);
}

} // namespace varemo::ui
