#include "ui/file_commands.h"

#include "common/messages.h"
#include "common/xls.h"
#include "files/backup.h"
#include "files/loan_file.h"
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

namespace {

// The .bak has no place for rate adjustments, bank rows or 按分入账: the user hears what it leaves
// out, and decides.
bool AgreeToLoseWhatBakLacks(const LoanPage& page, const FileCommandContext& context)
{
    const LoanDocument& document = page.Document();
    std::vector<std::string> entries;
    for (const RateAdjustment& adjustment : document.Adjustments())
        entries.push_back(AdjustmentText(adjustment));
    if (!document.Statement().records.empty())
        entries.push_back(msg::BackupDropsBankRows(document.Statement().records.size()));
    if (document.BankRounding())
        entries.push_back(msg::kBackupDropsBankRounding);
    if (entries.empty())
        return true;
    return context.dialogs.Confirm(context.parent,
                                   QString::fromStdString(msg::BackupDrops(entries)));
}

// Everything of the file applied, or nothing: the error names the line and the key.
std::optional<std::string> ApplyLoanFileTo(LoanPage& page,
                                           const std::string& path,
                                           const FileCommandContext& context,
                                           const TablesTaker& takeTables)
{
    const auto read = ReadLoanFile(path);
    if (const auto* error = std::get_if<LoanFileError>(&read))
        return LoanFileErrorText(path, *error);
    const LoanFile& file = std::get<LoanFile>(read);
    LoanForm form = page.Form();
    const auto applied = ApplyLoanFile(form, file);
    if (const auto* error = std::get_if<LoanFileError>(&applied))
        return LoanFileErrorText(path, *error);
    page.SetForm(form, PlanOf(file), file.adjustments);
    page.Document().SetBankRounding(file.bankRounding);
    page.Document().SetStatement(file.statement);
    if (file.floating)
        takeTables(*file.floating);
    page.ShowCalculationState();
    for (const std::string& message : std::get<FormMessages>(applied))
        context.dialogs.Inform(context.parent, QString::fromStdString(message));
    return std::nullopt;
}

std::optional<std::string> ApplyBackupTo(LoanPage& page, const std::string& path)
{
    const auto read = ReadBackupFile(path);
    std::optional<BackupError> error;
    if (const auto* unreadable = std::get_if<BackupError>(&read))
        error = *unreadable;
    else
        error = page.ApplyBackup(std::get<BackupFile>(read));
    if (error)
        return BackupErrorText(path, *error);
    return std::nullopt;
}

} // namespace

void ExportInputs(const LoanPage& page, const QString& name, const FileCommandContext& context)
{
    const QString path =
        AskSaveTarget(context, {Utf8(msg::kExportTitle) + name + Utf8(msg::kToLocalFile), name,
                                QStringLiteral("bak"), Utf8(msg::kBackupFilter), context.folder,
                                QStringList{Utf8(msg::kLoanFileFilter)}});
    if (path.isEmpty())
        return;
    const std::string file = path.toStdString();
    const bool loanFile = IsLoanFileName(file);
    if (!loanFile && !AgreeToLoseWhatBakLacks(page, context))
        return;
    // The old file is replaced only once the new one is complete.
    const auto reason = loanFile ? WriteLoanFile(file, LoanFileOf(page.Document()))
                                 : WriteBackupFile(file, page.Backup());
    if (reason)
        context.dialogs.Fail(context.parent, Utf8(msg::kExportFailed),
                             QString::fromStdString(*reason));
    else
        context.dialogs.Inform(context.parent, Utf8(msg::kExportOk));
}

void ImportInputs(LoanPage& page,
                  const QString& name,
                  const FileCommandContext& context,
                  const TablesTaker& takeTables)
{
    const QString path = context.dialogs.AskOpenFile(
        context.parent,
        {Utf8(msg::kImportTitle) + name, QString(), QStringLiteral("bak"), Utf8(msg::kBackupFilter),
         context.folder, QStringList{Utf8(msg::kLoanFileFilter)}});
    if (path.isEmpty())
        return;
    RememberFolder(context, path);
    const std::string file = path.toStdString();
    const auto error = IsLoanFileName(file) ? ApplyLoanFileTo(page, file, context, takeTables)
                                            : ApplyBackupTo(page, file);
    if (error) {
        context.dialogs.Fail(context.parent, Utf8(msg::kImportFailed),
                             QString::fromStdString(*error));
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
