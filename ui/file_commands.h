#pragma once

#include "common/text_grid.h"
#include "files/schedule_report.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace lumavo {

class LoanPage;
class UserDialogs;
struct FileRequest;
struct FloatingTables;

// What a command that writes a file asks of the user, and where the dialogs start.
struct FileCommandContext
{
    UserDialogs& dialogs;
    QWidget* parent;
    QString& folder; // where the last dialog's file was; the next dialog starts there
};

// Where file dialogs start before the user has picked a file: the user's documents folder, or
// the home folder without one. Never the program's folder, which an installed copy cannot write.
QString FirstDialogFolder();

// The path the user chose to write, empty when the dialog was cancelled or replacing the existing
// file declined.
QString AskSaveTarget(const FileCommandContext& context, const FileRequest& request);

// 导出: the page's inputs and plan into the file the user names. A name ending in ".lumavo" gets
// the 贷款方案, the page's whole document; any other the ".bak" as always, which cannot hold rate
// adjustments: those are listed, and the rest is written only when the user agrees.
void ExportInputs(const LoanPage& page, const QString& name, const FileCommandContext& context);

// What an imported 贷款方案 does with the floating tables it brings: both loan pages compute
// with one pair of tables, so the window decides.
using TablesTaker = std::function<void(const FloatingTables&)>;

// 导入: a ".bak" file, or a 贷款方案 by its name, into the page. The whole file is checked first,
// so a file that fails changes nothing on the page. A .bak clears the page's rate adjustments; a
// 贷款方案 brings its own, and its floating tables when its rates float.
void ImportInputs(LoanPage& page,
                  const QString& name,
                  const FileCommandContext& context,
                  const TablesTaker& takeTables);

// 保存: 1 written, 0 failed (*reason says why, naming the file), 2 cancelled or replacement
// declined. A name ending in ".xlsx" gets the workbook of the report instead of the text
// worksheet; without a report (nothing calculated) the user is told so and nothing is written.
int ExportGridToXls(const TextGrid& grid,
                    const QString& name,
                    const FileCommandContext& context,
                    QString* reason = nullptr,
                    const std::optional<ScheduleReport>& workbook = std::nullopt);

} // namespace lumavo
