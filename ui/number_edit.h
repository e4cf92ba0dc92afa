#pragma once

#include <QLineEdit>

namespace lumavo {

// A number field that keeps a value and its masked text in step: "0" with no decimals,
// "0.00" with two, "0.000" with three. Any change of the text, typed or set, updates the
// value (an empty text keeps it) and emits changed(); setting the text already shown does
// nothing.
class NumberEdit : public QLineEdit
{
    Q_OBJECT

  public:
    explicit NumberEdit(int decimals, QWidget* parent = nullptr);

    double value() const { return m_value; }
    // Shows the value in the mask; a different text then updates the value from that text.
    void setValue(double value);
    // Shows what a form holds, without reporting a change: the form has run its rules already.
    void ShowNumber(double value, const QString& text);
    int decimals() const { return m_decimals; }
    // The text before the edit being checked: while a change is validated, text() already
    // holds the new one.
    const QString& AcceptedText() const { return m_accepted; }

  signals:
    void changed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    QString Masked(double value) const;
    void TakeText(const QString& text);
    bool AcceptsCharacter(QChar character) const;

    int m_decimals;
    double m_value = 0;
    bool m_quiet = false;
    QString m_accepted;
};

} // namespace lumavo
