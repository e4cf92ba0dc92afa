#pragma once

#include <QGroupBox>

class QButtonGroup;
class QRadioButton;

namespace lumavo {

// A framed set of choices in columns. clicked() reports a choice by the user; the program's
// SetItemIndex() reports nothing.
class RadioGroup : public QGroupBox
{
    Q_OBJECT

  public:
    RadioGroup(const QString& title,
               const QStringList& items,
               int columns,
               QWidget* parent = nullptr);

    int ItemIndex() const;        // -1 when nothing is chosen
    void SetItemIndex(int index); // -1 clears the choice; another unknown index changes nothing
    QRadioButton* Item(int index) const;

  signals:
    void clicked(int index);

  private:
    QButtonGroup* m_buttons;
};

} // namespace lumavo
