#include "ui/user_dialogs.h"

#include "common/messages.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

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
            QMessageBox::StandardButtons buttons,
            const QString& detail = {})
{
    QMessageBox box(icon, QString::fromUtf8(title), DisplayText(text), buttons, parent);
    box.setInformativeText(detail);
    // Paths and addresses in a box are there to be copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    return box.exec();
}

QString AskFile(QWidget* parent, const FileRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.title, request.folder, request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

void WidgetDialogs::Inform(QWidget* parent, const QString& text, const QString& detail)
{
    ShowBox(parent, QMessageBox::Information, msg::kBoxTitle, text, QMessageBox::Ok, detail);
}

void WidgetDialogs::Fail(QWidget* parent, const QString& text, const QString& detail)
{
    ShowBox(parent, QMessageBox::Critical, msg::kBoxTitle, text, QMessageBox::Ok, detail);
}

bool WidgetDialogs::ConfirmReplace(QWidget* parent, const QString& text)
{
    return ShowBox(parent, QMessageBox::Question, msg::kQuestionTitle, text,
                   QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

QString WidgetDialogs::AskSaveFile(QWidget* parent, const FileRequest& request)
{
    return AskFile(parent, request, QFileDialog::AcceptSave);
}

QString WidgetDialogs::AskOpenFile(QWidget* parent, const FileRequest& request)
{
    return AskFile(parent, request, QFileDialog::AcceptOpen);
}

bool WidgetDialogs::OpenUrl(QWidget*, const QString& url)
{
    return QDesktopServices::openUrl(QUrl(url));
}

} // namespace lumavo
