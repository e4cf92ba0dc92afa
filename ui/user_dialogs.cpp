#include "ui/user_dialogs.h"

#include "common/messages.h"

#include <QMessageBox>

namespace lumavo {

QString DisplayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QChar('\r'), QChar('\n'));
    return shown;
}

namespace {

int ShowBox(QWidget* parent,
            QMessageBox::Icon icon,
            const char* title,
            const QString& text,
            QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, QString::fromUtf8(title), DisplayText(text), buttons, parent);
    return box.exec();
}

} // namespace

void WidgetDialogs::Inform(QWidget* parent, const QString& text)
{
    ShowBox(parent, QMessageBox::Information, msg::kBoxTitle, text, QMessageBox::Ok);
}

void WidgetDialogs::Fail(QWidget* parent, const QString& text)
{
    ShowBox(parent, QMessageBox::Critical, msg::kBoxTitle, text, QMessageBox::Ok);
}

bool WidgetDialogs::ConfirmReplace(QWidget* parent, const QString& text)
{
    return ShowBox(parent, QMessageBox::Question, msg::kQuestionTitle, text,
                   QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

} // namespace lumavo
