#pragma once

#include "calc/schedule.h"
#include "common/text_grid.h"

#include <array>
#include <string>

namespace lumavo {

inline constexpr int kScheduleColumns = 8;

// Header texts of the schedule grid; each starts with a line break so the title stands on the
// second line of the tall header row.
const std::array<std::string, kScheduleColumns>& ScheduleHeaderTexts();

// The eight cell texts of a row as the grid shows them; "" for a value the row does not have.
std::array<std::string, kScheduleColumns> ScheduleRowTexts(const ScheduleRow& row);

// 还款截止日期 as the window, lumavo-cli and the reports show it: the last row's date text, ""
// without rows.
std::string EndDateText(const ScheduleTotals& totals);

// The whole grid: header row, the written rows, then empty rows up to the row count.
TextGrid ScheduleGridTexts(const Schedule& schedule);

} // namespace lumavo
