#include "ui/file_commands.h"

#include "common/messages.h"
#include "common/xls.h"
#include "files/backup.h"
#include "files/workbook.h"
#include "ui/loan_page.h"
#include "ui/user_dialogs.h"
#include "ui/utf8.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <optional>

namespace lumavo {

namespace {

void RememberFolder(const FileCommandContext& context, const QString& path)
{
    context.folder = QFileInfo(path).absolutePath();
}

} // namespace

QString FirstDialogFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString AskSaveTarget(const FileCommandContext& context, const FileRequest& request)
{
    const QString path = context.dialogs.AskSaveFile(context.parent, request);
    if (path.isEmpty())
        return {};
    RememberFolder(context, path);
    if (QFileInfo::exists(path) &&
        !context.dialogs.ConfirmReplace(context.parent, Utf8(msg::kReplaceFile)))
        return {};
    return path;
}

void ExportInputs(const LoanPage& page, const QString& name, const FileCommandContext& context)
{
    const QString path =
        AskSaveTarget(context, {Utf8(msg::kExportTitle) + name + Utf8(msg::kToLocalFile), name,
                                QStringLiteral("bak"), Utf8(msg::kBackupFilter), context.folder});
    if (path.isEmpty())
        return;
    // The old file is replaced only once the new one is complete.
    if (const auto reason = WriteBackupFile(path.toStdString(), page.Backup()))
        context.dialogs.Fail(context.parent, Utf8(msg::kExportFailed),
                             QString::fromStdString(*reason));
    else
        context.dialogs.Inform(context.parent, Utf8(msg::kExportOk));
}

void ImportInputs(LoanPage& page, const QString& name, const FileCommandContext& context)
{
    const QString path = context.dialogs.AskOpenFile(
        context.parent, {Utf8(msg::kImportTitle) + name, QString(), QStringLiteral("bak"),
                         Utf8(msg::kBackupFilter), context.folder});
    if (path.isEmpty())
        return;
    RememberFolder(context, path);
    const std::string file = path.toStdString();
    const auto read = ReadBackupFile(file);
    std::optional<BackupError> error;
    if (const auto* unreadable = std::get_if<BackupError>(&read))
        error = *unreadable;
    else
        error = page.ApplyBackup(std::get<BackupFile>(read));
    if (error) {
        context.dialogs.Fail(context.parent, Utf8(msg::kImportFailed),
                             QString::fromStdString(BackupErrorText(file, *error)));
        return;
    }
    context.dialogs.Inform(context.parent, Utf8(msg::kImportOk));
}

int ExportGridToXls(const TextGrid& grid,
                    const QString& name,
                    const FileCommandContext& context,
                    QString* reason,
                    const std::optional<ScheduleReport>& workbook)
{
    const QString path =
        AskSaveTarget(context, {Utf8(msg::kExportTitle) + name + Utf8(msg::kToExcelFile), name,
                                QStringLiteral("xls"), Utf8(msg::kExcelFilter), context.folder,
                                QStringList{Utf8(msg::kXlsxFilter)}});
    if (path.isEmpty())
        return 2;
    const bool xlsx = path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive);
    if (xlsx && !workbook) {
        context.dialogs.Inform(context.parent, Utf8(msg::kNothingToPrint));
        return 2;
    }
    const std::string file = path.toStdString();
    if (const auto failure =
            xlsx ? WriteWorkbookFile(file, *workbook) : WriteWorksheetFile(file, grid)) {
        if (reason)
            *reason = QString::fromStdString(*failure);
        return 0;
    }
    return 1;
}

} // namespace lumavo
