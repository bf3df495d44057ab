#include "ui/sheet_area.h"

#include "model/sheet.h"
#include "session/sheet_edits.h"
#include "ui/amount_field.h"
#include "ui/panel_key_filter_qt.h"
#include "ui/sheet_cell.h"
#include "ui/window_input.h"
#include "ui/window_layout.h"

#include <QLabel>
#include <QLineEdit>

namespace varemo::ui {
namespace {

const char* flagHint(FlagColumn c) {
    switch (c) {
    case FlagColumn::WageTax:
        return "Spalte L: \"x\" lohnsteuerpflichtig, \"-\" steuerfrei.";
    case FlagColumn::SocialInsurance:
        return "Spalte S: \"x\" sozialversicherungspflichtig, \"-\" beitragsfrei.";
    case FlagColumn::SupplementaryPension:
        return "Spalte Z: \"x\" zusatzversorgungspflichtig, \"-\" umlagefrei.";
    case FlagColumn::PartTime:
        return "Spalte T: \"x\" wird bei Teilzeit in Zeile 22 gekürzt, \"-\" ungekürzt.";
    case FlagColumn::AnnualPayment:
        return "Spalte W: \"x\" zählt für die Jahressonderzahlung in Zeile 19, \"-\" nicht.";
    case FlagColumn::PerformancePay:
        return "\"L\" kennzeichnet den Betrag als Leistungsentgelt, \"N\" nicht.";
    case FlagColumn::PartialRetirement:
        return "Spalte B: Kategorie für die Altersteilzeitberechnung; ein Klick schaltet weiter.";
    }
    return "";
}

const char* kGreyHint =
    "Graues Währungsfeld. Der Betrag im Betragsfeld kann mit der Tastatur oder dem Taschenrechner "
    "verändert werden.";
const char* kWhiteHint =
    "Weißes Währungsfeld. Der Betrag im Betragsfeld wurde vom Programm errechnet und kann nicht "
    "verändert werden.";
const char* kQuickHint = "Über Strg+Plus/Minus lässt sich ein Betrag schnell addieren bzw. subtrahieren.";

} // namespace

SheetArea::SheetArea(QWidget* area, QObject* receiver, SheetActions& actions, WindowInput& input,
                     Prompter& prompter)
    : receiver_(receiver), actions_(actions), input_(input), prompter_(prompter) {
    buildSides(area);
    for (int line = 1; line <= kSheetLines; ++line)
        buildLine(area, line);
}

void SheetArea::buildSides(QWidget* area) {
    grossSide_ = new QWidget(area);
    grossSide_->setObjectName(QStringLiteral("SSPanel2"));
    grossSide_->setGeometry(4, 82, 590, rowY(kSheetRows) - 82 + 2);
    grossSide_->setAutoFillBackground(true);
    setHint(grossSide_, QStringLiteral("Bruttoseite: Zeilen 1 bis 23"));
    netSide_ = new QWidget(area);
    netSide_->setObjectName(QStringLiteral("SSPanel1"));
    netSide_->setGeometry(598, 82, 518, rowY(kSheetRows) - 82 + 2);
    netSide_->setAutoFillBackground(true);
    setHint(netSide_, QStringLiteral("Nettoseite: Zeilen 24 bis 47"));
    auto heading = [&](QWidget* parent, const QString& text) {
        auto* l = new QLabel(text, parent);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->setGeometry(34, 2, 300, 18);
    };
    heading(grossSide_, QStringLiteral("B R U T T O"));
    heading(netSide_, QStringLiteral("N E T T O"));
    taxCaption_ = new FitLabel(area);
    taxCaption_->setObjectName(QStringLiteral("taxCaption"));
    taxCaption_->setGeometry(kColumns[1].text + 120, 84,
                             kColumns[1].amount + kAmountWidth - kColumns[1].text - 120, 18);
    taxCaption_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setHint(taxCaption_, QStringLiteral("Steuern der Zeilen 34 bis 36 mit dem Grundfreibetrag des Jahres; "
                                        "Tabelle A allgemeine, B besondere Lohnsteuertabelle"));

    // Headings of the flag columns, in the row between lines 7 and 8.
    for (FlagColumn c : kAllFlagColumns) {
        auto* l = new QLabel(QString::fromUtf8(flagColumnHeading(c)), area);
        int i = static_cast<int>(c);
        l->setGeometry(kColumns[0].flags + i * kFlagStep, rowY(kFlagHeadingRow), kFlagWidth, kCellHeight);
        l->setAlignment(Qt::AlignCenter);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        setHint(l, QString::fromUtf8(flagHint(c)));
        l->setObjectName(QStringLiteral("Label%1").arg(4 + i));
        flagHeadings_[static_cast<size_t>(i)] = l;
    }
    auto* flagCaption = new QLabel(QStringLiteral("Kennzeichen der Zeilen 8 bis 20:"), area);
    flagCaption->setGeometry(kColumns[0].amount - 120, rowY(kFlagHeadingRow), 210, kCellHeight);
    flagCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void SheetArea::buildLine(QWidget* area, int line) {
    LineElements& e = lines_[static_cast<size_t>(line - 1)];
    LinePlacement place = tastencode(line);
    const ColumnX& col = kColumns[place.column];
    const int y = rowY(place.row);

    e.number = new SheetCell(area);
    e.number->setObjectName(QStringLiteral("com%1").arg(line));
    e.number->setGeometry(col.number, y, kNumberWidth, kCellHeight);
    e.number->setCellText(QString::number(line));
    e.number->setFocusPolicy(Qt::NoFocus);
    setHint(e.number,
            withCode(QStringLiteral("Öffnet die Hilfe zur Funktion der Zeile %1").arg(line), 'h', line));
    QObject::connect(e.number, &QAbstractButton::clicked, receiver_,
                     [this, line] { actions_.lineHelp(line); });

    int textWidth = kTextWidth;
    if (line == 22 || line == 23) textWidth = 164;
    e.text = new SheetCell(area, Qt::AlignLeft);
    e.text->setObjectName(QStringLiteral("z%1").arg(line));
    e.text->setGeometry(col.text, y, textWidth, kCellHeight);
    QString textHint =
        line == 1 ? QStringLiteral("Öffnet die Liste der Personalfälle; der Eintrag nach dem letzten Fall "
                                   "legt einen neuen Personalfall an")
                  : QStringLiteral("Öffnet die Auswahlliste der Zeile %1").arg(line);
    if (hasRenamableEntry(line))
        textHint +=
            QStringLiteral("; rechte Maustaste: 1. Eintrag umbenennen (%1)").arg(q(codeText('n', line)));
    setHint(e.text, withCode(textHint, 'a', line));
    QObject::connect(e.text, &QAbstractButton::clicked, receiver_,
                     [this, line] { actions_.openOptionList(line); });
    if (hasRenamableEntry(line))
        QObject::connect(e.text, &SheetCell::rightClicked, receiver_,
                         [this, line] { actions_.renameEntry(line); });

    if (const std::optional<AmountSlot> amountSlot = lineInfo(line).amount) {
        e.amount = new AmountField(area, *amountSlot);
        e.amount->setObjectName(QStringLiteral("t%1").arg(line));
        e.amount->setGeometry(col.amount, y, kAmountWidth, kCellHeight);
        QObject::connect(e.amount, &AmountField::committed, receiver_,
                         [this](AmountSlot slot, const QString& text) { input_.commitAmount(slot, text); });
        QObject::connect(e.amount, &AmountField::focused, receiver_, [this, line](AmountSlot slot) {
            input_.amountFocused(line, slot, lines_[static_cast<size_t>(line - 1)].amount->isTyped());
        });
    }
    if (line >= kFirstGrossLine && line <= kLastGrossLine) {
        for (FlagColumn c : kAllFlagColumns) {
            int i = static_cast<int>(c);
            auto* cell = new SheetCell(area);
            cell->setObjectName(
                QStringLiteral("flag%1_%2").arg(line).arg(QString::fromUtf8(flagColumnHeading(c))));
            cell->setGeometry(col.flags + i * kFlagStep, y, kFlagWidth, kCellHeight);
            cell->setFocusPolicy(Qt::NoFocus);
            QString hint = QString::fromUtf8(flagHint(c));
            setHint(cell, c == FlagColumn::PartialRetirement ? withCode(hint, 'b', line)
                                                             : withCode(hint, flagColumnCodeLetter(c), line));
            QObject::connect(cell, &QAbstractButton::clicked, receiver_, [this, line, c] {
                if (c == FlagColumn::PartialRetirement)
                    actions_.advanceCategory(line);
                else
                    actions_.toggleFlag(line, c);
            });
            e.flags[static_cast<size_t>(i)] = cell;
        }
    }
    if (keyFieldIndex(line) >= 0 || line == 43) {
        e.key = new SheetCell(area);
        e.key->setObjectName(line == 43 ? QStringLiteral("dem") : QStringLiteral("SR%1").arg(line));
        e.key->setGeometry(col.key, y, kKeyWidth, kCellHeight);
        e.key->setFocusPolicy(Qt::NoFocus);
        setHint(e.key,
                line == 43
                    ? QStringLiteral("U = Umlageanteil aus versteuertem und beitragspflichtigem Entgelt, "
                                     "K = Anteil des Kapitalbeitrags (steuer- und beitragsfrei)")
                    : QStringLiteral("Schlüssel: 1. Stelle Zahlungsart, 2. Steuer, 3. Sozialversicherung, "
                                     "4. Zusatzversorgung, 5. Arbeitgeberkosten"));
        QObject::connect(e.key, &QAbstractButton::clicked, receiver_, [this, line] {
            if (line == 43)
                input_.answerUnavailable(Availability::Later);
            else
                input_.openSpecialRules(line);
        });
    }
    if (hasInfoButton(line)) {
        e.info = new SheetCell(area);
        e.info->setObjectName(QStringLiteral("extra%1").arg(line));
        e.info->setGeometry(col.info, y, kButtonWidth, kCellHeight);
        e.info->setCellText(QStringLiteral("i"));
        e.info->setFocusPolicy(Qt::NoFocus);
        setHint(e.info,
                withCode(line == 1 ? QStringLiteral("Stammdaten des Personalfalles")
                                   : QStringLiteral("Assistent bzw. Erläuterung zur Zeile %1").arg(line),
                         'i', line));
        QObject::connect(e.info, &QAbstractButton::clicked, receiver_,
                         [this, line] { actions_.infoButton(line); });
    }
    if (hasRegulationButton(line) || line == 1) {
        e.regulation = new SheetCell(area);
        e.regulation->setObjectName(QStringLiteral("par%1").arg(line));
        e.regulation->setGeometry(col.regulation, y, kButtonWidth, kCellHeight);
        e.regulation->setCellText(line == 1 ? QStringLiteral("?") : QStringLiteral("§"));
        e.regulation->setFocusPolicy(Qt::NoFocus);
        if (line == 1) {
            setHint(e.regulation, withCode(QStringLiteral("Suche eines Personalfalles"), 'i', 0));
            QObject::connect(e.regulation, &QAbstractButton::clicked, receiver_,
                             [this] { actions_.infoButton(0); });
        } else {
            setHint(e.regulation, withCode(line == 47 ? QStringLiteral("Export der Daten des Monats")
                                                      : QStringLiteral("Vorschriften zur Zeile %1").arg(line),
                                           'v', line));
            QObject::connect(e.regulation, &QAbstractButton::clicked, receiver_,
                             [this, line] { actions_.regulation(line); });
        }
    }
    buildFurtherFields(area, line);
}

// Further fields of lines 4, 6, 7, 22, 23 and 33.
void SheetArea::buildFurtherFields(QWidget* area, int line) {
    LinePlacement place = tastencode(line);
    const ColumnX& col = kColumns[place.column];
    const int y = rowY(place.row);

    if (line == 4) {
        payGroup_ = new SheetCell(area, Qt::AlignLeft);
        payGroup_->setObjectName(QStringLiteral("payGroup"));
        payGroup_->setGeometry(col.amount, y, kAmountWidth, kCellHeight);
        setHint(
            payGroup_,
            withCode(QStringLiteral("Besoldungs-, Vergütungs- bzw. Entgeltgruppe: öffnet die Auswahlliste"),
                     'g', 4));
        QObject::connect(payGroup_, &QAbstractButton::clicked, receiver_,
                         [this] { input_.openPayGroupList(); });
    }
    if (line == 6) {
        dateField_ = new QLineEdit(area);
        dateField_->setObjectName(QStringLiteral("bdabeginn"));
        dateField_->setGeometry(col.amount, y, kAmountWidth, kCellHeight);
        dateField_->setMaxLength(kDateLength);
        dateField_->setPlaceholderText(QStringLiteral("TT.MM.JJJJ"));
        setHint(
            dateField_,
            withCode(QStringLiteral("Datum in der Form TT.MM.JJJJ, mit der Entertaste bestätigen"), 'n', 6));
        PanelKeyFilter::install(dateField_, PanelFieldKind::DateLong, prompter_);
        QObject::connect(dateField_, &QLineEdit::returnPressed, receiver_, [this] { input_.commitDate(); });
    }
    if (line == 7) {
        stepMovement_ = new QLabel(area);
        stepMovement_->setGeometry(col.amount, y, kAmountWidth + 2 + 7 * kFlagStep, kCellHeight);
        setHint(stepMovement_, QStringLiteral("Stufenverkürzung bzw. -verlängerung in Monaten"));
    }
    if (line == 33) {
        healthCaption_ = new FitLabel(area);
        healthCaption_->setObjectName(QStringLiteral("healthCaption"));
        healthCaption_->setGeometry(col.amount, y, col.regulation + kButtonWidth + 2 - col.amount,
                                    kCellHeight);
        QFont small = healthCaption_->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        healthCaption_->setFont(small);
        setHint(healthCaption_, QStringLiteral("Zusatzbeitrag Krankenvers. "));
    }
    for (const ExtraField& f : extraFields()) {
        if (f.line != line) continue;
        auto* field = new AmountField(area, f.slot);
        field->setObjectName(QStringLiteral("slot%1").arg(slotNumber(f.slot)));
        setHint(field, QString::fromUtf8(f.hint) + QLatin1Char(' ') + QString::fromUtf8(kQuickHint));
        QObject::connect(field, &AmountField::committed, receiver_,
                         [this](AmountSlot slot, const QString& text) { input_.commitAmount(slot, text); });
        QObject::connect(field, &AmountField::focused, receiver_,
                         [this, line](AmountSlot slot) { input_.amountFocused(line, slot, true); });
        extras_[f.slot] = field;
    }
    if (line == 4) {
        auto* label = new QLabel(QStringLiteral("Faktor"), area);
        label->setGeometry(col.flags, y, 40, kCellHeight);
        extras_[AmountSlot::TariffFactor]->setGeometry(col.flags + 40, y, 58, kCellHeight);
        auto* percent = new QLabel(QStringLiteral("%"), area);
        percent->setGeometry(col.flags + 101, y, 14, kCellHeight);
    }
    if (line == 34) {
        classIVCaption_ = new QLabel(QString::fromUtf8(kClassIVFactorCaption), area);
        // Inside the text column, where lines 22 and 23 keep their fields on the gross side.
        classIVCaption_->setGeometry(col.text + 140, y, 96, kCellHeight);
        QFont small = classIVCaption_->font();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        classIVCaption_->setFont(small);
        extras_[AmountSlot::ClassIVFactor]->setGeometry(col.text + 236, y, 54, kCellHeight);
    }
    if (line == 22 || line == 23) {
        AmountSlot first = line == 22 ? AmountSlot::AgreedHours : AmountSlot::PaidDays;
        AmountSlot second = line == 22 ? AmountSlot::RegularHours : AmountSlot::MonthDays;
        extras_[first]->setGeometry(col.text + 166, y, 56, kCellHeight);
        auto* of = new QLabel(QStringLiteral("v."), area);
        of->setGeometry(col.text + 224, y, 12, kCellHeight);
        extras_[second]->setGeometry(col.text + 236, y, 54, kCellHeight);
    }
}

void SheetArea::applyColours(const ColourSet& colours) {
    fillBackground(grossSide_, toQColor(colourOf(colours, ColourArea::GrossSide)));
    fillBackground(netSide_, toQColor(colourOf(colours, ColourArea::NetSide)));
    for (auto& e : lines_) {
        e.number->setBackground(toQColor(colourOf(colours, ColourArea::LineNumber)));
        e.text->setBackground(toQColor(colourOf(colours, ColourArea::LineText)));
        for (SheetCell* f : e.flags)
            if (f) f->setBackground(toQColor(colourOf(colours, ColourArea::FlagColumns)));
        for (SheetCell* c : {e.info, e.regulation, e.key})
            if (c) c->setBackground(toQColor(colourOf(colours, ColourArea::LineNumber)));
    }
    payGroup_->setBackground(toQColor(colourOf(colours, ColourArea::LineText)));
}

void SheetArea::redisplay(const Session& g, const ColourSet& colours, const SheetCaptions& k) {
    const Case& c = g.workingCase;
    const QColor grey = toQColor(colourOf(colours, ColourArea::TypedAmount));
    const QColor white = toQColor(colourOf(colours, ColourArea::ComputedAmount));
    const bool yearSalary = g.showsYearSalary();

    for (int line = 1; line <= kSheetLines; ++line) {
        LineElements& e = lines_[static_cast<size_t>(line - 1)];
        const SheetLine& s = g.sheet.line(line);
        const bool shown = lineShown(c, line);
        QString text = q(s.text);
        if (line == 6) text = q(dateLabelText(g)); // the sheet keeps the date as line 6's text
        if (line == 38 && !k.careCaption.empty()) text = q(k.careCaption);
        e.text->setCellText(text);
        for (QWidget* w : {static_cast<QWidget*>(e.number), static_cast<QWidget*>(e.text)})
            w->setVisible(shown);
        if (e.amount) {
            AmountFieldState state = amountFieldState(g, line);
            e.amount->setVisible(shown);
            e.amount->showValue(s.amountCents ? q(Money::fromCents(*s.amountCents).toDisplay()) : QString());
            bool typed = state == AmountFieldState::Typed;
            e.amount->setTyped(typed, grey, white);
            setHint(e.amount, withCode(typed ? QString::fromUtf8(kGreyHint) + QLatin1Char(' ') +
                                                   QString::fromUtf8(kQuickHint)
                                             : QString::fromUtf8(kWhiteHint),
                                       'e', line));
        }
        if (e.info) e.info->setVisible(shown);
        if (e.regulation) e.regulation->setVisible(shown);
        if (e.key) {
            e.key->setVisible(shown);
            int k = keyFieldIndex(line);
            e.key->setCellText(k >= 0 ? q(c.keyCodes[static_cast<size_t>(k)]) : QStringLiteral("U"));
        }
        if (line >= kFirstGrossLine && line <= kLastGrossLine) {
            for (FlagColumn col : kAllFlagColumns) {
                SheetCell* cell = e.flags[static_cast<size_t>(col)];
                cell->setVisible(shown && flagColumnShown(c, col));
                cell->setCellText(q(flagCellText(c, line, col)));
            }
        }
    }
    for (FlagColumn col : kAllFlagColumns)
        flagHeadings_[static_cast<size_t>(col)]->setVisible(flagColumnShown(c, col));
    for (auto& [slot, field] : extras_) {
        const ExtraField* f = nullptr;
        for (const ExtraField& x : extraFields())
            if (x.slot == slot) f = &x;
        field->setVisible(extraFieldShown(c, *f));
        field->showValue(q(amountFieldText(slot, c.amount(slot))));
        field->setTyped(!yearSalary, grey, white);
    }
    classIVCaption_->setVisible(
        extras_[AmountSlot::ClassIVFactor]->isVisibleTo(classIVCaption_->parentWidget()));
    payGroup_->setCellText(q(payGroupText(g)));
    payGroup_->setVisible(lineShown(c, 4));
    dateField_->setText(q(c.dateText));
    dateField_->setReadOnly(yearSalary);

    stepMovement_->setText(q(k.stepMovement));
    healthCaption_->setFittedText(q(k.healthCaption));
    taxCaption_->setFittedText(k.taxTable.empty() ? q(k.taxBlock) : q(k.taxBlock + "   " + k.taxTable));
    for (int line : {34, 35, 36})
        setHint(lines_[static_cast<size_t>(line - 1)].text,
                q(k.taxBlock).trimmed() + QStringLiteral(": Zeile %1").arg(line));
}

QLineEdit* SheetArea::amountTarget(int line) const {
    QLineEdit* target = elements(line).amount;
    if (line == 6)
        target = dateField_;
    else if (line == 4)
        target = extraField(AmountSlot::TariffFactor);
    else if (line == 22)
        target = extraField(AmountSlot::AgreedHours);
    else if (line == 23)
        target = extraField(AmountSlot::PaidDays);
    return target;
}

QLabel* SheetArea::healthCaptionLabel() const {
    return healthCaption_;
}
QLabel* SheetArea::taxCaptionLabel() const {
    return taxCaption_;
}
SheetCell* SheetArea::lineNumber(int line) const {
    return elements(line).number;
}
SheetCell* SheetArea::lineText(int line) const {
    return elements(line).text;
}
AmountField* SheetArea::amountField(int line) const {
    return elements(line).amount;
}
AmountField* SheetArea::extraField(AmountSlot slot) const {
    auto it = extras_.find(slot);
    return it == extras_.end() ? nullptr : it->second;
}
SheetCell* SheetArea::flagCell(int line, FlagColumn column) const {
    return elements(line).flags.at(static_cast<size_t>(column));
}
SheetCell* SheetArea::keyField(int line) const {
    return elements(line).key;
}

} // namespace varemo::ui
