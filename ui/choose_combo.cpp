#include "ui/choose_combo.h"

#include <QFrame>
#include <QKeyEvent>

namespace lumavo {

ChooseCombo::ChooseCombo(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setMaxVisibleItems(16);
}

// Qt hands a new font on to the popup list, building the list for it; a list not built yet
// takes the box's font when it is built, so most pickers, never opened, never build one.
void ChooseCombo::changeEvent(QEvent* event)
{
    const bool popupBuilt = findChild<QFrame*>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
    if (event->type() == QEvent::FontChange && !popupBuilt && !m_sizeAsked) {
        QWidget::changeEvent(event);
        updateGeometry();
        return;
    }

    QComboBox::changeEvent(event);
}

QSize ChooseCombo::sizeHint() const
{
    m_sizeAsked = true;
    return QComboBox::sizeHint();
}

QSize ChooseCombo::minimumSizeHint() const
{
    m_sizeAsked = true;
    return QComboBox::minimumSizeHint();
}

bool ChooseCombo::Choose(const QString& text)
{
    const int index = findText(text, Qt::MatchExactly);
    if (index < 0)
        return false;
    setCurrentIndex(index);
    emit activated(index);
    return true;
}

void ChooseCombo::SetItems(const QStringList& items)
{
    const QSignalBlocker quiet(this);
    clear();
    addItems(items);
    m_shownItems.clear();
    if (!items.isEmpty())
        setCurrentIndex(0);
}

void ChooseCombo::ShowChoices(const std::vector<std::string>& items, int index)
{
    const QSignalBlocker quiet(this);
    if (items != m_shownItems || count() != static_cast<int>(items.size())) {
        QStringList texts;
        texts.reserve(static_cast<qsizetype>(items.size()));
        for (const std::string& item : items)
            texts.append(QString::fromStdString(item));
        clear();
        addItems(texts);
        m_shownItems = items;
    }
    setCurrentIndex(index);
}

void ChooseCombo::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool character =
        !typed.isEmpty() && (typed[0].isPrint() || event->key() == Qt::Key_Backspace);
    const bool opensPopup = event->key() == Qt::Key_Space;
    if (character && !opensPopup) {
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

} // namespace lumavo
