#include "ui/radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace lumavo {

RadioGroup::RadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(title, parent), m_buttons(new QButtonGroup(this))
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, title.isEmpty() ? 4 : 2, 6, 4);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        m_buttons->addButton(button, i);
        grid->addWidget(button, i / columns, i % columns);
    }
    connect(m_buttons, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

int RadioGroup::ItemIndex() const
{
    return m_buttons->checkedId();
}

void RadioGroup::SetItemIndex(int index)
{
    if (QAbstractButton* button = m_buttons->button(index)) {
        button->setChecked(true);
    } else if (index == -1 && m_buttons->checkedButton()) {
        // An exclusive group never lets its last choice go by itself.
        QAbstractButton* checked = m_buttons->checkedButton();
        m_buttons->setExclusive(false);
        checked->setChecked(false);
        m_buttons->setExclusive(true);
    }
}

QRadioButton* RadioGroup::Item(int index) const
{
    return static_cast<QRadioButton*>(m_buttons->button(index));
}

} // namespace lumavo
