#include "ui/choose_combo.h"

#include <QKeyEvent>

namespace lumavo {

ChooseCombo::ChooseCombo(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    setMaxVisibleItems(16);
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
