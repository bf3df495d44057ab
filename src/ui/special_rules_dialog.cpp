#include "ui/special_rules_dialog.h"

#include "presentation/menu_items.h"
#include "session/guarded.h"
#include "ui/engine_call.h"
#include "ui/panel_key_filter_qt.h"
#include "ui/window_layout.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varemo::ui {

SpecialRulesDialog::SpecialRulesDialog(Session& g, SpecialRulesWindow model,
                                       std::function<void(const SpecialRulesWindow&)> transferEdit,
                                       QWidget* parent)
    : QDialog(parent), g_(g), model_(std::move(model)), transferEdit_(std::move(transferEdit)) {
    setObjectName(QStringLiteral("Sonderregelungen"));
    setWindowTitle(QStringLiteral("Sonderregelungen"));
    auto* column = new QVBoxLayout(this);
    auto* title = new QLabel(q(model_.title()), this);
    title->setObjectName(QStringLiteral("Titel"));
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    column->addWidget(title);

    if (model_.generalRules()) {
        auto* row = new QHBoxLayout;
        entries_ = new QComboBox(this);
        entries_->setObjectName(QStringLiteral("Combo1"));
        for (const std::string& e : model_.entries())
            entries_->addItem(q(e));
        entries_->setCurrentIndex(model_.selectedEntry());
        entryName_ = new QLineEdit(this);
        entryName_->setObjectName(QStringLiteral("Text1"));
        entryName_->setMaxLength(35);
        PanelKeyFilter::install(entryName_, PanelFieldKind::Free, g_.prompter);
        row->addWidget(entries_, 1);
        row->addWidget(entryName_, 1);
        column->addLayout(row);
        connect(entries_, &QComboBox::currentIndexChanged, this, [this](int i) {
            if (i < 0) return;
            model_.selectEntry(i);
            showDigits();
        });
        // The name typed for the entry is taken with Enter.
        connect(entryName_, &QLineEdit::returnPressed, this, [this] {
            model_.renameEntry(entryName_->text().toStdString());
            const int i = model_.selectedEntry();
            entries_->setItemText(i, q(model_.entries().at(static_cast<size_t>(i))));
        });
    }

    auto* grid = new QGridLayout;
    column->addLayout(grid);
    for (int p = 1; p <= 6; ++p) {
        auto* box = new QGroupBox(q(model_.groupCaption(p)), this);
        box->setObjectName(QStringLiteral("Frame%1").arg(p));
        auto* group = new QButtonGroup(box);
        group->setExclusive(true);
        groups_[static_cast<size_t>(p - 1)] = group;
        const auto captions = model_.optionCaptions(p);
        auto* inner = new QGridLayout(box);
        if (p == 5) {
            inner->addWidget(new QLabel(QString::fromUtf8(SpecialRulesWindow::kEmployerColumn), box), 0, 0);
            inner->addWidget(new QLabel(QString::fromUtf8(SpecialRulesWindow::kEmployeeColumn), box), 0, 1);
        }
        for (int v = 0; v < static_cast<int>(captions.size()); ++v) {
            auto* option = new QRadioButton(q(captions[static_cast<size_t>(v)]), box);
            option->setObjectName(QStringLiteral("Opt%1_%2").arg(p).arg(v));
            group->addButton(option, v);
            if (p == 5)
                inner->addWidget(option, 1 + v % 4, v / 4);
            else
                inner->addWidget(option, v, 0);
        }
        connect(group, &QButtonGroup::idClicked, this, [this, p](int v) {
            (void)model_.click(p, v); // a refused click is undone by showing the digits again
            showDigits();
        });
        grid->addWidget(box, (p - 1) / 2, (p - 1) % 2);
    }
    code_ = new QLabel(this);
    code_->setObjectName(QStringLiteral("Schluessel"));
    column->addWidget(code_);

    auto* buttons = new QHBoxLayout;
    column->addLayout(buttons);
    commit_ = new QPushButton(q(model_.buttonCaption()), this);
    auto* help = new QPushButton(QStringLiteral("Hilfe"), this);
    auto* regulation = new QPushButton(QStringLiteral("Vorschrift"), this);
    auto* close = new QPushButton(QStringLiteral("Schließen"), this);
    for (QPushButton* b : {commit_, help, regulation, close}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    connect(commit_, &QPushButton::clicked, this, [this] { commit(); });
    connect(help, &QPushButton::clicked, this, [this] {
        g_.prompter.tell("Hilfe",
                         {"Jede der sechs Stellen des Schlüssels sagt, wie der Betrag der Zeile behandelt "
                          "wird: Zahlungsart, Steuer, Sozialversicherung, Zusatzversorgung, "
                          "Pauschalversteuerung und Arbeitgeberaufwand.",
                          "\"000000\" heißt: keine Sonderregel."});
    });
    connect(regulation, &QPushButton::clicked, this,
            [this] { g_.prompter.ask(unavailableMessage(Availability::Later)); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    showDigits();
}

void SpecialRulesDialog::showDigits() {
    for (int p = 1; p <= 6; ++p)
        if (QAbstractButton* b = group(p)->button(model_.digit(p))) b->setChecked(true);
    code_->setText(QStringLiteral("Schlüssel: ") + q(model_.code()));
    if (entryName_ && entries_->currentIndex() >= 0) entryName_->setText(entries_->currentText().trimmed());
}

void SpecialRulesDialog::commit() {
    if (model_.generalRules()) {
        if (callEngine(g_.prompter, [this] {
                UserFolderWrite lock(g_);
                (void)model_.save(g_); // general rules: always true
            }))
            accept();
        return;
    }
    transferEdit_(model_);
    accept();
}

} // namespace varemo::ui
