#pragma once

#include "files/schedule_report.h"

#include <optional>
#include <string>

// An .xlsx workbook of a schedule: the loan and its totals above the table, amounts stored as
// numbers so a spreadsheet can add them up. The .xls worksheet stays the plain text one.
namespace lumavo {

// The whole file, or nullopt with the reason in *error.
std::optional<std::string> WorkbookBytes(const ScheduleReport& report,
                                         std::string* error = nullptr);

// Replaces the file only once every byte is written; the reason names the file on failure.
std::optional<std::string> WriteWorkbookFile(const std::string& path, const ScheduleReport& report);

} // namespace lumavo
