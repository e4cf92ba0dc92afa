#pragma once

#include <QLineEdit>
#include <string>

namespace lumavo {

// A number field that keeps a value and its masked text in step: "0" with no decimals,
// "0.00" with two, "0.000" with three. Any change of the text, typed or set, updates the
// value (an empty text keeps it) and emits changed(); setting the text already shown does
// nothing. A pasted or dropped text goes in as its number typed ("¥1,000,000" as "1000000");
// one that is no number the field takes leaves the field as it was and is reported.
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
    // The name a refusal gives the field: its caption without the colon and blanks.
    void SetCaption(const QString& caption);
    const QString& FieldName() const { return m_name; }
    // Puts the number of a pasted or dropped text in where typing would; false, the field
    // untouched and pasteRefused() emitted, when the text holds no number the field takes.
    bool InsertPasted(const QString& pasted);

  signals:
    void changed();
    // The message naming the field, for the window to show.
    void pasteRefused(const QString& message);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QString Masked(double value) const;
    void TakeText(const QString& text);
    bool AcceptsCharacter(QChar character) const;
    void Refuse(const std::string& message);

    int m_decimals;
    double m_value = 0;
    bool m_quiet = false;
    QString m_accepted;
    QString m_name;
};

} // namespace lumavo
