#include "ui/widget_kit.h"

#include "ui/choose_combo.h"
#include "ui/number_edit.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace lumavo {

QLabel* Caption(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

QLabel* BoldCaption(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

void Emphasize(QWidget* widget)
{
    QFont font = widget->font();
    font.setBold(true);
    font.setPixelSize(14);
    widget->setFont(font);
}

NumberEdit* NewNumberEdit(int decimals, QWidget* parent)
{
    auto* field = new NumberEdit(decimals, parent);
    Emphasize(field);
    return field;
}

ChooseCombo* NewPicker(const QStringList& items, QWidget* parent)
{
    auto* combo = new ChooseCombo(parent);
    combo->SetItems(items);
    Emphasize(combo);
    return combo;
}

void FitWidthTo(QLineEdit* field, const QString& text)
{
    const QMargins margins = field->textMargins() + field->contentsMargins();
    // The frame and the line edit's own inner margin come on top of the text.
    constexpr int kFrameAndPadding = 12;
    field->setMinimumWidth(field->fontMetrics().horizontalAdvance(text) + margins.left() +
                           margins.right() + kFrameAndPadding);
}

void AddFieldRow(QGridLayout* grid,
                 int row,
                 const QString& caption,
                 QWidget* field,
                 const QString& unit,
                 int column)
{
    if (auto* number = qobject_cast<NumberEdit*>(field))
        number->SetCaption(caption);
    grid->addWidget(Caption(caption, field->parentWidget()), row, column);
    grid->addWidget(field, row, column + 1);
    if (!unit.isEmpty())
        grid->addWidget(Caption(unit, field->parentWidget()), row, column + 2);
}

} // namespace lumavo
