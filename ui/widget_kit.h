#pragma once

#include <QStringList>

class QGridLayout;
class QLabel;
class QLineEdit;

class QWidget;

namespace lumavo {

class ChooseCombo;
class NumberEdit;

// Small builders the pages share, so every field looks and behaves alike.
template <class W> W* Named(W* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

QLabel* Caption(const QString& text, QWidget* parent);
QLabel* BoldCaption(const QString& text, QWidget* parent);
// The numbers and pickers stand out in a bold, larger face.
void Emphasize(QWidget* widget);
NumberEdit* NewNumberEdit(int decimals, QWidget* parent);
ChooseCombo* NewPicker(const QStringList& items, QWidget* parent);
// At least as wide as the field needs to show the text whole in its own font.
void FitWidthTo(QLineEdit* field, const QString& text);
// caption | field | unit, from the given column on; a number field takes the caption as its
// name.
void AddFieldRow(QGridLayout* grid,
                 int row,
                 const QString& caption,
                 QWidget* field,
                 const QString& unit,
                 int column = 0);

} // namespace lumavo
