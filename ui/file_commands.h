#pragma once

#include "common/text_grid.h"

#include <QString>

class QWidget;

namespace lumavo {

class LoanPage;
class UserDialogs;

// What a command that writes a file asks of the user, and where the dialogs start.
struct FileCommandContext
{
    UserDialogs& dialogs;
    QWidget* parent;
    QString folder; // the program's folder
};

// 导出: the page's inputs and plan into a ".bak" file the user names.
void ExportInputs(const LoanPage& page, const QString& name, const FileCommandContext& context);

// 导入: a ".bak" file into the page. The whole file is checked first, so a file that fails
// changes nothing on the page.
void ImportInputs(LoanPage& page, const QString& name, const FileCommandContext& context);

// 保存: 1 written, 0 failed (*reason says why, naming the file), 2 cancelled or replacement
// declined.
int ExportGridToXls(const TextGrid& grid,
                    const QString& name,
                    const FileCommandContext& context,
                    QString* reason = nullptr);

} // namespace lumavo
