#include "ui/qt_prompter.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QStringList>

#include <utility>

namespace varemo::ui {

QString withUnbreakableLetterSpacing(const QString& text) {
    // Split at single spaces: one-letter pieces side by side are a letter-spaced word ("6 - 7" is
    // none). Several spaces in a row leave empty pieces, which keep the gap breakable.
    const QStringList lines = text.split(QLatin1Char('\n'));
    QStringList out;
    for (const QString& line : lines) {
        const QStringList pieces = line.split(QLatin1Char(' '));
        QString joined = pieces.isEmpty() ? QString() : pieces.front();
        for (qsizetype i = 1; i < pieces.size(); ++i) {
            const QString& a = pieces[i - 1];
            const QString& b = pieces[i];
            const bool spaced = a.size() == 1 && b.size() == 1 && (a[0].isLetter() || b[0].isLetter());
            joined += spaced ? QChar(0x00A0) : QLatin1Char(' ');
            joined += pieces[i];
        }
        out << joined;
    }
    return out.join(QLatin1Char('\n'));
}

PromptAnswer QtPrompter::ask(const PromptMessage& message) {
    QMessageBox box(parent_);
    box.setWindowTitle(QString::fromStdString(message.title));
    box.setText(withUnbreakableLetterSpacing(QString::fromStdString(message.text())));
    switch (message.icon) {
    case PromptIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case PromptIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case PromptIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case PromptIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    const bool refuse = message.refusalIsDefault;
    switch (message.buttons) {
    case PromptButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case PromptButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(refuse ? QMessageBox::Cancel : QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case PromptButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(refuse ? QMessageBox::No : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case PromptButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setDefaultButton(refuse ? QMessageBox::Cancel : QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    static const std::pair<QMessageBox::StandardButton, const char*> kLabels[] = {
        {QMessageBox::Ok, "OK"},
        {QMessageBox::Cancel, "Abbrechen"},
        {QMessageBox::Yes, "Ja"},
        {QMessageBox::No, "Nein"}};
    for (const auto& [button, label] : kLabels)
        if (QAbstractButton* b = box.button(button)) b->setText(QString::fromUtf8(label));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Cancel:
        return PromptAnswer::Cancel;
    default:
        return PromptAnswer::Ok;
    }
}

} // namespace varemo::ui
