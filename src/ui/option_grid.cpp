#include "ui/option_grid.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace varemo::ui {

OptionGrid::OptionGrid(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    heading_ = new QLabel(this);
    QFont bold = heading_->font();
    bold.setBold(true);
    heading_->setFont(bold);
    explanation_ = new QLabel(this);
    explanation_->setWordWrap(true);
    list_ = new QListWidget(this);
    list_->setUniformItemSizes(true);
    layout->addWidget(heading_);
    layout->addWidget(list_, 1);
    layout->addWidget(explanation_);
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit chosen(line_, payGroup_, list_->row(item)); });
    connect(list_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { emit chosen(line_, payGroup_, list_->row(item)); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (renamable_ && list_->row(item) == 0) emit renameRequested(line_);
    });
    hide();
}

int OptionGrid::entryCount() const {
    return list_->count();
}

void OptionGrid::showEntries(int line, bool payGroup, const QString& heading, const QStringList& entries,
                             int current, bool firstEntryRenamable) {
    line_ = line;
    payGroup_ = payGroup;
    renamable_ = firstEntryRenamable;
    heading_->setText(heading);
    explanation_->setText(
        firstEntryRenamable
            ? QStringLiteral("Auswahl mit Mausklick, Pfeiltasten und Enter oder zwei Ziffern. "
                             "Doppelklick auf den 1. Eintrag benennt ihn um.")
            : QStringLiteral("Auswahl mit Mausklick, Pfeiltasten und Enter oder zwei Ziffern."));
    list_->clear();
    for (int i = 0; i < entries.size(); ++i)
        list_->addItem(QStringLiteral("%1  %2").arg(i + 1, 2, 10, QLatin1Char('0')).arg(entries[i]));
    if (current >= 0 && current < list_->count()) list_->setCurrentRow(current);
    show();
    raise();
    list_->setFocus();
}

void OptionGrid::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        hide();
        emit closed();
        return;
    }
    QFrame::keyPressEvent(e);
}

} // namespace varemo::ui
