#pragma once

#include "calc/loan_input.h"
#include "calc/plan.h"
#include "files/backup.h"
#include "model/loan_form.h"

#include <variant>

// What a backup file is to a loan page: the page's texts and plan written out, and a file read
// back into a page. The window and lumavo-cli both go through here, so an import means the same
// in each.
namespace lumavo {

// Line 1 from the texts the page shows, the plan lines from its plan in list order.
BackupFile BackupOf(const LoanForm& form, const PlanList& plan);

// An import of line 1: the fields in file order, each change running the rule the page runs for
// it. Returns the messages those rules raise, for the page to show; or, with the form left as it
// was, the error for a date the page's pickers do not offer (such a picker would be left
// without a choice, which no calculation can read).
std::variant<FormMessages, BackupError> ApplyBackup(LoanForm& form, const BackupFile& file);

// The plan of the file, each entry under the text its line shows, in the list's sorted order.
// No submission check is made.
PlanList PlanFromBackup(const BackupFile& file);

// What a freshly started page calculates with after importing the file.
std::variant<LoanInput, BackupError> LoanInputFromBackup(const BackupFile& file, int currentYear);

} // namespace lumavo
