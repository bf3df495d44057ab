#include "ui/tariff_editor_window.h"

#include "tariffs/tariff_address.h"
#include "ui/engine_call.h"
#include "ui/window_layout.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <tuple>

namespace varemo::ui {

namespace {

const char* const kMonths[] = {"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                               "Juli",   "August",  "September", "Oktober", "November", "Dezember"};

QComboBox* monthCombo(QWidget* parent, const QString& name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (int m = 1; m <= 12; ++m)
        box->addItem(QString::fromUtf8(kMonths[m - 1]), m);
    return box;
}

QPushButton* plainButton(QWidget* parent, const QString& caption, const QString& name) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false); // Enter in a field never starts an action unread
    b->setDefault(false);
    return b;
}

QString nameOr(const std::vector<std::string>& names, int code, const QString& fallback) {
    const auto i = static_cast<size_t>(code);
    return i < names.size() && !names[i].empty() ? q(names[i]) : fallback;
}

} // namespace

TariffEditorWindow::TariffEditorWindow(Session& g, QWidget* parent) : QDialog(parent), g_(g) {
    setObjectName(QStringLiteral("Tarifeditor"));
    setWindowTitle(QStringLiteral("Tariftabellen bearbeiten"));
    password_ = [this] {
        return QInputDialog::getText(this, QStringLiteral("Administrator-Passwort"),
                                     QStringLiteral("Administrator-Passwort:"), QLineEdit::Password)
            .toStdString();
    };
    auto* column = new QVBoxLayout(this);

    auto* choice = new QHBoxLayout;
    year_ = new QComboBox(this);
    year_->setObjectName(QStringLiteral("Jahr"));
    for (int y = kFirstYear; y <= kLastYear; ++y)
        year_->addItem(QString::number(y), y);
    month_ = monthCombo(this, QStringLiteral("Monat"));
    region_ = new QComboBox(this);
    region_->setObjectName(QStringLiteral("Region"));
    relationship_ = new QComboBox(this);
    relationship_->setObjectName(QStringLiteral("Dienstverhaeltnis"));
    for (auto [label, box] : {std::pair{"&Jahr", year_},
                              {"&Monat", month_},
                              {"&Land", region_},
                              {"&Dienstverhältnis", relationship_}}) {
        auto* l = new QLabel(QString::fromUtf8(label), this);
        l->setBuddy(box);
        choice->addWidget(l);
        choice->addWidget(box);
    }
    column->addLayout(choice);

    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
    grid_->setMinimumSize(760, 300);
    grid_->verticalHeader()->hide();
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    column->addWidget(grid_);

    auto* tools = new QGridLayout;
    copyTo_ = monthCombo(this, QStringLiteral("KopierenBis"));
    copyWhole_ = new QCheckBox(QStringLiteral("ganze Monatsdatei"), this);
    tools->addWidget(new QLabel(QStringLiteral("In die Folgemonate kopieren bis"), this), 0, 0);
    tools->addWidget(copyTo_, 0, 1);
    tools->addWidget(copyWhole_, 0, 2);
    auto* copy = plainButton(this, QStringLiteral("Kopieren"), QStringLiteral("Kopieren"));
    tools->addWidget(copy, 0, 6);
    percent_ = new QLineEdit(this);
    percent_->setObjectName(QStringLiteral("Prozent"));
    minimum_ = new QLineEdit(this);
    minimum_->setObjectName(QStringLiteral("Mindestbetrag"));
    entries_ = new QLineEdit(this);
    entries_->setObjectName(QStringLiteral("Eintraege"));
    entries_->setPlaceholderText(QStringLiteral("Einträge: alle, z. B. 0-14"));
    raiseFrom_ = monthCombo(this, QStringLiteral("ErhoehenAb"));
    raiseWhole_ = new QCheckBox(QStringLiteral("ganze Monatsdateien"), this);
    tools->addWidget(new QLabel(QStringLiteral("Erhöhen um % / mindestens Euro / Einträge / ab"), this), 1,
                     0);
    tools->addWidget(percent_, 1, 1);
    tools->addWidget(minimum_, 1, 2);
    tools->addWidget(entries_, 1, 3);
    tools->addWidget(raiseFrom_, 1, 4);
    tools->addWidget(raiseWhole_, 1, 5);
    auto* raise = plainButton(this, QStringLiteral("Erhöhen ..."), QStringLiteral("Erhoehen"));
    tools->addWidget(raise, 1, 6);
    column->addLayout(tools);

    state_ = new QLabel(this);
    state_->setObjectName(QStringLiteral("zeile1"));
    state_->setWordWrap(true);
    column->addWidget(state_);
    comment_ = new QPlainTextEdit(this);
    comment_->setObjectName(QStringLiteral("Kommentar"));
    comment_->setReadOnly(true);
    comment_->setMaximumHeight(110);
    column->addWidget(
        new QLabel(QStringLiteral("Kommentar zu den Tariftabellen (Tarife/Kommentar.txt):"), this));
    column->addWidget(comment_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* saveButton = plainButton(this, QStringLiteral("Speichern"), QStringLiteral("Speichern"));
    auto* close = plainButton(this, QStringLiteral("Schließen"), QStringLiteral("Schliessen"));
    buttons->addWidget(saveButton);
    buttons->addWidget(close);
    column->addLayout(buttons);

    connect(copy, &QPushButton::clicked, this, [this] { copyTable(); });
    connect(raise, &QPushButton::clicked, this, [this] { raiseTable(); });
    connect(saveButton, &QPushButton::clicked, this, [this] { save(); });
    connect(close, &QPushButton::clicked, this, [this] { reject(); });
    connect(grid_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) { cellEdited(item); });

    // The shown case-month's table.
    const Case& c = g_.workingCase;
    year_->setCurrentIndex(year_->findData(g_.year));
    month_->setCurrentIndex((g_.showsYearSalary() ? 1 : g_.month()) - 1);
    copyTo_->setCurrentIndex(11);
    raiseFrom_->setCurrentIndex(month_->currentIndex());
    openYear(g_.year);
    region_->setCurrentIndex(region_->findData(c.region()));
    const int sr = relationship_->findData(c.serviceRelationship());
    relationship_->setCurrentIndex(sr >= 0 ? sr : 0);
    connect(year_, &QComboBox::activated, this, [this] {
        const int year = year_->currentData().toInt();
        if (year != shownYear_ && (!mayLeave() || !openYear(year)))
            year_->setCurrentIndex(year_->findData(shownYear_));
        showTable();
    });
    for (QComboBox* box : {month_, region_, relationship_})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { showTable(); });
    const auto comment = tariffComment(g_.dataRootOrProgram());
    comment_->setPlainText(comment ? q(*comment)
                                   : QStringLiteral("Die Datei Tarife/Kommentar.txt ist nicht vorhanden."));
    showTable();
    grid_->setFocus();
}

TariffEditorWindow::~TariffEditorWindow() = default;

QPushButton* TariffEditorWindow::button(const QString& objectName) const {
    return findChild<QPushButton*>(objectName);
}

bool TariffEditorWindow::openYear(int year) {
    std::unique_ptr<TariffEdit> edit;
    if (!callEngine(g_.prompter, [&] { edit = std::make_unique<TariffEdit>(g_.dataRootOrProgram(), year); }))
        return false;
    edit_ = std::move(edit);
    shownYear_ = year;
    const QSignalBlocker blockRegion(region_), blockRelationship(relationship_);
    const int region = region_->currentData().isValid() ? region_->currentData().toInt() : 0;
    const int relationship =
        relationship_->currentData().isValid() ? relationship_->currentData().toInt() : 0;
    region_->clear();
    relationship_->clear();
    const auto regions = tariffRegionNames(g_.dataRootOrProgram(), year);
    for (int r = 0; r < kTariffRegions; ++r)
        region_->addItem(nameOr(regions, r, QStringLiteral("Region %1").arg(r)), r);
    const auto relationships = tariffServiceRelationshipNames(g_.dataRootOrProgram(), year);
    for (int s = 0; s < kServiceRelationships; ++s)
        if (tariffBaseRecord(s))
            relationship_->addItem(nameOr(relationships, s, QStringLiteral("Dienstverhältnis %1").arg(s)), s);
    region_->setCurrentIndex(std::max(0, region_->findData(region)));
    relationship_->setCurrentIndex(std::max(0, relationship_->findData(relationship)));
    return true;
}

int TariffEditorWindow::shownMonth() const {
    return month_->currentData().toInt();
}

TariffScope TariffEditorWindow::scope(bool wholeFile) const {
    if (wholeFile) return TariffScope::wholeFile();
    return TariffScope::table(region_->currentData().toInt(), relationship_->currentData().toInt());
}

void TariffEditorWindow::showTable() {
    if (!edit_) return;
    const QSignalBlocker block(grid_);
    filling_ = true;
    const int relationship = relationship_->currentData().toInt();
    const auto rows = edit_->table(shownMonth(), region_->currentData().toInt(), relationship,
                                   tariffGroupNames(g_.dataRootOrProgram(), shownYear_, relationship));
    grid_->clear();
    grid_->setColumnCount(2 + kTariffEntries);
    grid_->setRowCount(static_cast<int>(rows.size()));
    QStringList headers{QStringLiteral("Gruppe"), QStringLiteral("Satz")};
    for (int k = 0; k < kTariffEntries; ++k)
        headers << QString::number(k);
    grid_->setHorizontalHeaderLabels(headers);
    for (size_t r = 0; r < rows.size(); ++r) {
        const int row = static_cast<int>(r);
        auto* label = new QTableWidgetItem(q(rows[r].label));
        label->setFlags(label->flags() & ~Qt::ItemIsEditable);
        grid_->setItem(row, 0, label);
        auto* record = new QTableWidgetItem(QString::number(rows[r].record));
        record->setFlags(record->flags() & ~Qt::ItemIsEditable);
        grid_->setItem(row, 1, record);
        for (int k = 0; k < kTariffEntries; ++k) {
            const auto cents = rows[r].cells.amount(k);
            auto* cell = new QTableWidgetItem(cents ? q(Money::fromCents(*cents).toDisplay()) : QString());
            cell->setData(Qt::UserRole, rows[r].record);
            cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grid_->setItem(row, 2 + k, cell);
        }
    }
    grid_->resizeColumnsToContents();
    filling_ = false;
    showState(rows.empty());
}

void TariffEditorWindow::showState(bool noTable) {
    QString text = noTable ? QStringLiteral("Für dieses Dienstverhältnis hat die Monatsdatei in diesem Land "
                                            "keine Tabelle. ")
                           : QString();
    const std::vector<int> changed = edit_->changedMonths();
    if (changed.empty()) {
        text += QStringLiteral("Keine ungespeicherten Änderungen.");
    } else {
        QStringList months;
        for (int m : changed)
            months << QString::number(m);
        text += QStringLiteral("Ungespeicherte Änderungen in den Monaten %1 von %2.")
                    .arg(months.join(QStringLiteral(", ")))
                    .arg(shownYear_);
    }
    text +=
        QStringLiteral(" Gespeicherte Personalfälle übernehmen geänderte Tarife erst mit \"Alle Fälle neu "
                       "durchrechnen\" (Menü Daten, Y60).");
    state_->setText(text);
}

void TariffEditorWindow::cellEdited(QTableWidgetItem* item) {
    if (filling_ || !edit_ || item->column() < 2) return;
    const int entry = item->column() - 2;
    const int32_t record = item->data(Qt::UserRole).toInt();
    const std::string text = item->text().toStdString();
    (void)callEngine(g_.prompter, [&] {
        try {
            edit_->setAmount(shownMonth(), record, entry, text);
        } catch (const TariffInputError& e) {
            g_.prompter.tell("Eingabe", {e.what()}, PromptIcon::Warning);
        }
    });
    // The amount as taken, or the old one after a refusal; the item is kept, as its signal is running.
    const auto cents = edit_->record(shownMonth(), record).amount(entry);
    filling_ = true;
    item->setText(cents ? q(Money::fromCents(*cents).toDisplay()) : QString());
    filling_ = false;
    showState(false);
}

void TariffEditorWindow::copyTable() {
    if (!edit_) return;
    (void)callEngine(g_.prompter, [&] {
        try {
            edit_->copy(shownMonth(), copyTo_->currentData().toInt(), scope(copyWhole_->isChecked()));
        } catch (const TariffInputError& e) {
            g_.prompter.tell("Kopieren", {e.what()}, PromptIcon::Warning);
        }
    });
    showTable();
}

void TariffEditorWindow::raiseTable() {
    if (!edit_) return;
    (void)callEngine(g_.prompter, [&] {
        try {
            TariffRaise raise{raiseFrom_->currentData().toInt(),
                              parseRaisePercent(percent_->text().toStdString()),
                              parseRaiseMinimum(minimum_->text().toStdString())};
            std::tie(raise.firstEntry, raise.lastEntry) = parseEntryRange(entries_->text().toStdString());
            const auto changes = edit_->planRaise(scope(raiseWhole_->isChecked()), raise);
            if (changes.empty()) {
                g_.prompter.tell("Tariftabellen erhöhen", {"Die gewählte Tabelle hat keine Beträge."});
                return;
            }
            PromptMessage question = tariffRaiseQuestion(changes, shownYear_);
            const auto preview = tariffRaiseLines(changes, raise, shownYear_, 12);
            question.lines.insert(question.lines.begin(), preview.begin(), preview.end());
            question.lines.back() = "Sollen die Beträge so übernommen werden? Gespeichert wird erst mit "
                                    "\"Speichern\".";
            if (g_.prompter.ask(question) == PromptAnswer::Yes) edit_->apply(changes);
        } catch (const TariffInputError& e) {
            g_.prompter.tell("Tariftabellen erhöhen", {e.what()}, PromptIcon::Warning);
        }
    });
    showTable();
}

bool TariffEditorWindow::save() {
    if (!edit_) return true;
    TariffWriteResult result = TariffWriteResult::Failed;
    (void)callEngine(g_.prompter, [&] { result = writeTariffEdit(g_, *edit_, password_); });
    showTable();
    return result == TariffWriteResult::Written || result == TariffWriteResult::Nothing;
}

bool TariffEditorWindow::mayLeave() {
    if (!edit_ || !edit_->hasChanges()) return true;
    const PromptAnswer answer = g_.prompter.ask(PromptMessage{
        PromptIcon::Question,
        "Tariftabellen",
        {"Die Änderungen der Tariftabellen " + std::to_string(shownYear_) + " sind noch nicht gespeichert.",
         "Sollen sie jetzt gespeichert werden? (\"Nein\" verwirft sie.)"},
        PromptButtons::YesNoCancel,
        true});
    if (answer == PromptAnswer::Yes) return save();
    return answer == PromptAnswer::No;
}

void TariffEditorWindow::reject() {
    close();
}

void TariffEditorWindow::closeEvent(QCloseEvent* event) {
    if (!closing_ && !mayLeave()) {
        event->ignore();
        return;
    }
    closing_ = true;
    // The files of the session's year are opened again, so that the next calculation reads what they hold.
    (void)callEngine(g_.prompter, [&] { g_.tariffs = TariffYear(g_.dataRootOrProgram(), g_.year); });
    event->accept();
    QDialog::reject();
}

} // namespace varemo::ui
