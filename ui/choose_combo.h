#pragma once

#include <QComboBox>
#include <string>
#include <vector>

namespace lumavo {

// A drop-down list whose value changes only by choosing an item: typed characters never reach
// it (no type-ahead either), while arrows, the wheel and the popup still choose. A choice by
// the user emits activated(); the program's own changes emit nothing a rule listens to.
class ChooseCombo : public QComboBox
{
    Q_OBJECT

  public:
    explicit ChooseCombo(QWidget* parent = nullptr);

    // What a user's choice from the popup does: select the item and report the choice.
    // False when no item has that text.
    bool Choose(const QString& text);

    // Replaces the items without reporting anything; selects the first one.
    void SetItems(const QStringList& items);
    // Shows a form's list and choice without reporting anything; the items are replaced only
    // when they differ from the ones shown.
    void ShowChoices(const std::vector<std::string>& items, int index);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    std::vector<std::string> m_shownItems; // what ShowChoices last put in
    // Qt keeps the size it worked out until the font changes; once asked, a new font must go
    // the whole way.
    mutable bool m_sizeAsked = false;
};

} // namespace lumavo
