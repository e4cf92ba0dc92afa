#include "ui/number_edit.h"

#include "common/messages.h"
#include "common/text.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
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

void NumberEdit::SetCaption(const QString& caption)
{
    m_name = caption.trimmed();
    const QChar colon(0xFF1A);
    while (m_name.endsWith(colon) || m_name.endsWith(QChar(':')))
        m_name = m_name.chopped(1).trimmed();
}

void NumberEdit::Refuse(const std::string& message)
{
    QApplication::beep();
    emit pasteRefused(QString::fromStdString(message));
}

bool NumberEdit::InsertPasted(const QString& pasted)
{
    if (isReadOnly())
        return false;
    const std::string name = m_name.toStdString();
    // The minus goes to the validator, which keeps one only where the program put it.
    QString body = pasted.trimmed();
    const bool minus = body.startsWith(QChar('-'));
    if (minus)
        body.remove(0, 1);
    std::string number;
    if (!NormalizePastedNumber(body.toStdString(), number)) {
        Refuse(msg::PasteNotANumber(name));
        return false;
    }
    if (minus)
        number.insert(0, 1, '-');
    if (m_decimals == 0 && number.find('.') != std::string::npos) {
        Refuse(msg::PasteNotWholeNumber(name));
        return false;
    }
    // The text the field would hold: the selection, or nothing at the cursor, replaced.
    QString result = text();
    const int at = hasSelectedText() ? selectionStart() : cursorPosition();
    result.replace(at, hasSelectedText() ? selectedText().size() : 0,
                   QString::fromStdString(number));
    int position = 0;
    if (result.size() > maxLength() ||
        validator()->validate(result, position) != QValidator::Acceptable) {
        Refuse(msg::PasteNotANumber(name));
        return false;
    }
    insert(QString::fromStdString(number));
    return true;
}

void NumberEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
        InsertPasted(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool printable = typed.size() == 1 && typed[0].isPrint();
    if (printable && !isReadOnly() && !AcceptsCharacter(typed[0])) {
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

void NumberEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    // The menu's 粘贴 pastes the way the keyboard does. Its action is known by the slot it
    // calls: the menu's actions carry no names.
    for (QAction* action : menu->actions()) {
        if (disconnect(action, SIGNAL(triggered()), this, SLOT(paste())) ||
            disconnect(action, &QAction::triggered, this, &QLineEdit::paste))
            connect(action, &QAction::triggered, this,
                    [this] { InsertPasted(QGuiApplication::clipboard()->text()); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void NumberEdit::dropEvent(QDropEvent* event)
{
    // A drag within the field moves its own digits; QLineEdit does that.
    if (event->source() == this || !event->mimeData()->hasText() || isReadOnly()) {
        QLineEdit::dropEvent(event);
        return;
    }
    deselect();
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    InsertPasted(event->mimeData()->text());
    event->acceptProposedAction();
    setFocus(Qt::MouseFocusReason);
}

void NumberEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // The middle button pastes the X11 selection.
    if (event->button() == Qt::MiddleButton && !isReadOnly() &&
        QGuiApplication::clipboard()->supportsSelection()) {
        deselect();
        setCursorPosition(cursorPositionAt(event->position().toPoint()));
        InsertPasted(QGuiApplication::clipboard()->text(QClipboard::Selection));
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

} // namespace lumavo
