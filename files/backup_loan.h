#pragma once

#include "calc/loan_input.h"
#include "files/backup.h"

#include <variant>

namespace lumavo {

// What a freshly started loan page holds after importing the file: the inputs a calculation
// reads, with the page's own rules applied in import order (shares capped and completed, loan
// type applied, plan sorted as its list sorts). Date texts must be ones the page's lists hold
// (years 1997 to currentYear + 3); other texts leave the picker empty, which no calculation
// can read, so they are reported here against line 1.
std::variant<LoanInput, BackupError> LoanInputFromBackup(const BackupFile& file, int currentYear);

} // namespace lumavo
