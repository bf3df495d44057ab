#include "ui/calculator_widget.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace varemo::ui {

CalculatorWidget::CalculatorWidget(QWidget* parent, Prompter& prompter) : QFrame(parent), calc_(prompter) {
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::StrongFocus);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setSpacing(3);
    auto* title = new QLabel(QStringLiteral("Rechner"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    grid->addWidget(title, 0, 0, 1, 5);
    readout_ = new QLabel(this);
    readout_->setObjectName(QStringLiteral("Readout"));
    readout_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    readout_->setFrameShape(QFrame::Panel);
    readout_->setFrameShadow(QFrame::Sunken);
    readout_->setAutoFillBackground(true);
    QPalette p = readout_->palette();
    p.setColor(QPalette::Window, Qt::white);
    readout_->setPalette(p);
    grid->addWidget(readout_, 1, 0, 1, 5);

    const char* keys[4][5] = {{"7", "8", "9", "/", "C"},
                              {"4", "5", "6", "X", "CE"},
                              {"1", "2", "3", "-", "%"},
                              {"0", ",", "+/-", "+", "="}};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 5; ++c) {
            QString label = QString::fromUtf8(keys[r][c]);
            auto* b = new QPushButton(label, this);
            b->setFocusPolicy(Qt::NoFocus);
            b->setFixedSize(34, 24);
            grid->addWidget(b, r + 2, c);
            connect(b, &QPushButton::clicked, this, [this, label] {
                if (label == QStringLiteral("+/-"))
                    press(QLatin1Char('~'));
                else if (label == QStringLiteral("CE")) {
                    calc_.cancelEntry();
                    refresh();
                } else
                    press(label.at(0));
            });
        }
    }
    transfer_ = new QPushButton(QStringLiteral("Übertrag"), this);
    transfer_->setObjectName(QStringLiteral("Calcübertrag"));
    transfer_->setFocusPolicy(Qt::NoFocus);
    transfer_->setToolTip(QStringLiteral("Schreibt das Ergebnis in das zuletzt gewählte graue Betragsfeld."));
    grid->addWidget(transfer_, 6, 0, 1, 5);
    target_ = new QLabel(this);
    grid->addWidget(target_, 7, 0, 1, 5);
    tape_ = new QListWidget(this);
    tape_->setFocusPolicy(Qt::NoFocus);
    tape_->setFixedHeight(90);
    grid->addWidget(tape_, 8, 0, 1, 5);
    connect(transfer_, &QPushButton::clicked, this,
            [this] { emit transferRequested(QString::fromStdString(calc_.transferText())); });
    refresh();
    hide();
}

QString CalculatorWidget::readout() const {
    return readout_->text();
}

void CalculatorWidget::setTarget(const QString& description) {
    target_->setText(description);
}

void CalculatorWidget::press(QChar key) {
    char k = static_cast<char>(key.toLatin1());
    if (k >= '0' && k <= '9')
        calc_.digit(k - '0');
    else if (k == ',' || k == '.')
        calc_.decimalComma();
    else if (k == '=')
        calc_.equals();
    else if (k == '%')
        calc_.percent();
    else if (k == '~')
        calc_.negate();
    else if (k == 'C' || k == 'c')
        calc_.cancel();
    else
        calc_.operation(k);
    refresh();
}

void CalculatorWidget::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        press(QLatin1Char('='));
    } else if (key == Qt::Key_Backspace) {
        calc_.backspace();
        refresh();
    } else if (key == Qt::Key_Delete) {
        press(QLatin1Char('C'));
    } else {
        const QString text = e->text();
        const QChar c = text.size() == 1 ? text.at(0) : QChar();
        if (c.isDigit() || QStringLiteral(",.+-*/xX=%").contains(c))
            press(c == QLatin1Char('*') || c == QLatin1Char('x') ? QLatin1Char('X') : c);
        else
            QFrame::keyPressEvent(e);
    }
}

void CalculatorWidget::refresh() {
    readout_->setText(QString::fromStdString(calc_.display()));
    const auto& tape = calc_.tape();
    tape_->clear();
    for (const auto& entry : tape)
        tape_->addItem(QString::fromStdString(entry));
    tape_->scrollToBottom();
}

} // namespace varemo::ui
