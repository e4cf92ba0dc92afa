#include "ui/number_edit.h"

#include "common/text.h"

#include <QApplication>
#include <QKeyEvent>
#include <QValidator>

namespace lumavo {

namespace {

// Pasted or dropped text must obey the same rule as typed keys. A minus sign can only come
// from the program (a negative rate in the archive): it may stay while the user edits such a
// value, but no edit brings one in, or a share of -5 would lend 105 %.
class NumberTextValidator : public QValidator
{
  public:
    NumberTextValidator(int decimals, NumberEdit* edit)
        : QValidator(edit), m_decimals(decimals), m_edit(edit)
    {
    }

    State validate(QString& input, int&) const override
    {
        int points = 0;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar c = input[i];
            if (c == '-' && i == 0 && m_edit->AcceptedText().startsWith('-'))
                continue;
            if (c == '.' && m_decimals > 0 && ++points == 1)
                continue;
            if (!c.isDigit() || c.unicode() > 127)
                return Invalid;
        }
        return Acceptable;
    }

  private:
    int m_decimals;
    const NumberEdit* m_edit;
};

} // namespace

NumberEdit::NumberEdit(int decimals, QWidget* parent) : QLineEdit(parent), m_decimals(decimals)
{
    setValidator(new NumberTextValidator(decimals, this));
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setText(Masked(0));
    m_accepted = text();
    connect(this, &QLineEdit::textChanged, this, &NumberEdit::TakeText);
}

QString NumberEdit::Masked(double value) const
{
    return QString::fromStdString(MaskedText(value, m_decimals));
}

void NumberEdit::setValue(double value)
{
    setText(Masked(value));
}

void NumberEdit::ShowNumber(double value, const QString& text)
{
    if (text != this->text()) {
        m_quiet = true;
        setText(text);
        m_quiet = false;
    }
    m_value = value;
}

void NumberEdit::TakeText(const QString& text)
{
    m_accepted = text;
    double parsed = 0;
    if (ParseNumber(text.toStdString(), parsed))
        m_value = parsed;
    if (!m_quiet)
        emit changed();
}

bool NumberEdit::AcceptsCharacter(QChar character) const
{
    if (character >= '0' && character <= '9')
        return true;
    if (character != '.' || m_decimals == 0)
        return false;
    // The point the user is about to replace by typing over a selection does not count.
    QString remaining = text();
    if (hasSelectedText())
        remaining.remove(selectionStart(), selectedText().size());
    return !remaining.contains('.');
}

void NumberEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool printable = typed.size() == 1 && typed[0].isPrint();
    if (printable && !isReadOnly() && !event->matches(QKeySequence::Paste) &&
        !AcceptsCharacter(typed[0])) {
        QApplication::beep();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NumberEdit::focusOutEvent(QFocusEvent* event)
{
    if (!isReadOnly()) {
        if (text().isEmpty())
            setText(QStringLiteral("0"));
        setText(Masked(m_value));
    }
    QLineEdit::focusOutEvent(event);
}

} // namespace lumavo
