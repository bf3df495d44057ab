#include "ui/option_text_content.h"

#include "base/error.h"
#include "presentation/menu_dispatch.h"
#include "presentation/option_text_editor.h"
#include "ui/window_layout.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include <optional>

namespace varemo::ui {
namespace {

class OptionTextContent : public PanelContent {
  public:
    explicit OptionTextContent(PanelHost& host) : host_(host) {}
    ~OptionTextContent() override {
        // The widgets outlive the content until the panel's body is replaced; every connection has the
        // table as its context, so this cuts them all.
        if (table_)
            for (QObject* w : std::initializer_list<QObject*>{ranges_, from_, to_, search_, text_, table_})
                QObject::disconnect(w, nullptr, table_, nullptr);
    }
    int code() const override { return panel::kOptionTexts; }
    QString title() const override {
        return QStringLiteral("Texte der Auswahllisten im Jahr %1").arg(host_.session().year);
    }

    void build(Tablett& panel) override {
        panel_ = &panel;
        QWidget* body = panel.body();
        auto* column = new QVBoxLayout(body);
        try {
            model_.emplace(host_.session(), host_.session().year);
        } catch (const std::exception& e) {
            column->addWidget(new QLabel(q(userMessage(e)), body));
            model_.reset();
            return;
        }
        if (model_->recordCount() == 0) {
            column->addWidget(new QLabel(q("Die Textdatei " +
                                           editedOptionTextPath(host_.session(), model_->year()).string() +
                                           " fehlt; es gibt keine Texte zu bearbeiten."),
                                         body));
            model_.reset();
            return;
        }
        auto* choice = new QGridLayout;
        column->addLayout(choice);
        ranges_ = new QComboBox(body);
        ranges_->setObjectName(QStringLiteral("Bereich"));
        for (const OptionTextEditor::Range& r : OptionTextEditor::ranges())
            ranges_->addItem(q(r.caption));
        from_ = panel.textField(PanelFieldKind::Digits, QStringLiteral("Von"));
        to_ = panel.textField(PanelFieldKind::Digits, QStringLiteral("Bis"));
        search_ = panel.textField(PanelFieldKind::Free, QStringLiteral("Suche"));
        addRow(choice, 0, QStringLiteral("&Liste:"), ranges_);
        auto* numbers = new QHBoxLayout;
        numbers->addWidget(from_);
        auto* toLabel = new QLabel(QStringLiteral("&bis"), body);
        toLabel->setBuddy(to_);
        numbers->addWidget(toLabel);
        numbers->addWidget(to_);
        auto* fromLabel = new QLabel(QStringLiteral("&Datensätze von"), body);
        fromLabel->setBuddy(from_);
        choice->addWidget(fromLabel, 1, 0);
        choice->addLayout(numbers, 1, 1);
        addRow(choice, 2, QStringLiteral("&Suchtext:"), search_);

        table_ = new QTableWidget(0, 3, body);
        table_->setObjectName(QStringLiteral("Texte"));
        table_->setHorizontalHeaderLabels(
            {QStringLiteral("Datensatz"), QStringLiteral("Text"), QStringLiteral("Änderung")});
        table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table_->setSelectionBehavior(QAbstractItemView::SelectRows);
        table_->setSelectionMode(QAbstractItemView::SingleSelection);
        table_->verticalHeader()->hide();
        table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
        table_->setMinimumSize(560, 320);
        column->addWidget(table_, 1);

        textLabel_ = new QLabel(body);
        text_ = panel.textField(PanelFieldKind::Free, QStringLiteral("Text"));
        textLabel_->setBuddy(text_);
        column->addWidget(textLabel_);
        column->addWidget(text_);
        if (host_.session().storage.protection) {
            password_ = panel.textField(PanelFieldKind::Free, QStringLiteral("Passwort"));
            password_->setEchoMode(QLineEdit::Password);
            auto* label = new QLabel(QStringLiteral("Die Textdateien sind geschützt. &Administrator-Passwort "
                                                    "zum Speichern:"),
                                     body);
            label->setBuddy(password_);
            column->addWidget(label);
            column->addWidget(password_);
        }

        QObject::connect(ranges_, &QComboBox::currentIndexChanged, table_, [this](int i) { chooseRange(i); });
        for (QLineEdit* field : {from_, to_, search_})
            QObject::connect(field, &QLineEdit::textEdited, table_, [this] { showRows(); });
        QObject::connect(table_, &QTableWidget::currentCellChanged, table_,
                         [this](int row, int, int previousRow, int) { moveTo(row, previousRow); });
        QObject::connect(table_, &QTableWidget::cellActivated, table_, [this] { text_->setFocus(); });
        QObject::connect(text_, &QLineEdit::returnPressed, table_, [this] {
            if (take()) table_->setFocus();
        });
        chooseRange(0);
    }

    bool hasDefaults() const override { return model_.has_value(); }
    void restoreDefaults() override {
        const int record = currentRecord();
        if (record == 0) {
            panel_->prompter().tell("Vorgabewerte",
                                    {"Bitte wählen Sie zuerst einen Datensatz in der Liste."});
            return;
        }
        if (auto refusal = model_->restoreDefault(record)) {
            panel_->prompter().tell("Vorgabewerte", {*refusal}, PromptIcon::Warning);
            return;
        }
        showRecord(table_->currentRow());
        text_->setText(q(model_->text(record)));
    }
    bool hasSave() const override { return model_.has_value(); }
    bool save() override {
        if (!take()) return false;
        StorageResult result = StorageResult::Failed;
        const std::string password = password_ ? password_->text().toStdString() : std::string();
        // The engine call redraws the main window: the lists show the new texts at once.
        host_.engine([&] { result = model_->save(host_.session(), password); });
        if (password_ && !host_.session().storage.protection) password_->setEnabled(false);
        for (int row = 0; row < table_->rowCount(); ++row)
            showRecord(row);
        return result == StorageResult::Done;
    }
    bool hasUnsavedChanges() const override {
        return model_ && (model_->hasChanges() ||
                          (shownRecord_ != 0 && text_->text().toStdString() != model_->text(shownRecord_)));
    }
    bool unsavedLeaveDefaultsToDiscard() const override { return true; }
    QStringList help() const override {
        return {
            QStringLiteral("Die Liste zeigt die Texte der Auswahllisten aus der Textdatei des Jahres, die "
                           "das Programm für den User liest. Wählen Sie eine Liste des Blattes, einen "
                           "Bereich von Datensätzen oder einen Suchtext."),
            QStringLiteral("Enter in der Liste führt in das Textfeld; Enter im Textfeld übernimmt den Text "
                           "(höchstens 35 Zeichen). Geänderte Texte sind als \"geändert\" markiert."),
            QStringLiteral("\"Vorgabewerte\" setzt für den gewählten Datensatz den mitgelieferten Text ein; "
                           "gespeichert werden alle Änderungen erst mit \"Änderungen speichern\".")};
    }

  private:
    void addRow(QGridLayout* grid, int row, const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, panel_->body());
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
    }

    void chooseRange(int index) {
        const OptionTextEditor::Range& r = OptionTextEditor::ranges()[static_cast<size_t>(index)];
        from_->setText(QString::number(r.first));
        to_->setText(QString::number(std::min(r.last, model_->recordCount())));
        showRows();
    }

    // The records of the choice; the text typed for the record shown is taken first.
    void showRows() {
        (void)take(); // a refusal has been shown and the field reset
        const int first = from_->text().toInt();
        const int last = to_->text().isEmpty() ? model_->recordCount() : to_->text().toInt();
        const auto rows = model_->rows(first, last, search_->text().toStdString());
        const QSignalBlocker block(table_);
        table_->setRowCount(static_cast<int>(rows.size()));
        for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
            auto* number = new QTableWidgetItem(QString::number(rows[static_cast<size_t>(i)].record));
            number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(i, 0, number);
            showRecord(i);
        }
        table_->setCurrentCell(rows.empty() ? -1 : 0, 0);
        moveTo(table_->currentRow(), -1);
    }

    void showRecord(int row) {
        const QTableWidgetItem* number = table_->item(row, 0);
        if (!number) return;
        const int record = number->text().toInt();
        table_->setItem(row, 1, new QTableWidgetItem(q(model_->text(record))));
        table_->setItem(
            row, 2,
            new QTableWidgetItem(model_->changes().count(record) ? QStringLiteral("geändert") : QString()));
    }

    int currentRecord() const {
        const QTableWidgetItem* number = table_ ? table_->item(table_->currentRow(), 0) : nullptr;
        return number ? number->text().toInt() : 0;
    }

    void moveTo(int row, int previousRow) {
        if (previousRow >= 0 && shownRecord_ != 0) (void)take();
        const QTableWidgetItem* number = table_->item(row, 0);
        shownRecord_ = number ? number->text().toInt() : 0;
        text_->setEnabled(shownRecord_ != 0);
        text_->setText(shownRecord_ ? q(model_->text(shownRecord_)) : QString());
        textLabel_->setText(
            shownRecord_ ? QStringLiteral("&Text von Datensatz %1 (höchstens 35 Zeichen):").arg(shownRecord_)
                         : QStringLiteral("Kein Datensatz gewählt"));
    }

    // The typed text of the record shown into the model; after a refusal the message says why and the
    // field shows the text the model keeps.
    bool take() {
        if (!model_ || shownRecord_ == 0) return true;
        const std::string typed = text_->text().toStdString();
        if (typed == model_->text(shownRecord_)) return true;
        if (auto refusal = model_->enter(shownRecord_, typed)) {
            text_->setText(q(model_->text(shownRecord_)));
            panel_->prompter().tell("Eingabe", {*refusal}, PromptIcon::Warning);
            return false;
        }
        for (int row = 0; row < table_->rowCount(); ++row)
            if (table_->item(row, 0) && table_->item(row, 0)->text().toInt() == shownRecord_) showRecord(row);
        return true;
    }

    PanelHost& host_;
    Tablett* panel_ = nullptr;
    std::optional<OptionTextEditor> model_;
    QComboBox* ranges_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QLineEdit* search_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* textLabel_ = nullptr;
    QLineEdit* text_ = nullptr;
    QLineEdit* password_ = nullptr;
    int shownRecord_ = 0; // the record whose text the field holds
};

} // namespace

std::unique_ptr<PanelContent> makeOptionTextContent(PanelHost& host) {
    return std::make_unique<OptionTextContent>(host);
}

} // namespace varemo::ui
