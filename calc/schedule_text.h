#pragma once

#include "calc/schedule.h"
#include "common/text_grid.h"

#include <array>
#include <string>

namespace lumavo {

// The columns of the schedule grid, left to right.
enum class ScheduleColumn
{
    Date,
    Interest,      // 月利息还款额
    Principal,     // 月本金还款额
    Payment,       // 月还款额
    Balance,       // 剩余本金
    InterestSoFar, // 已还利息
    PrepaidS,      // 商业贷款提前还贷
    PrepaidG,      // 公积金贷款提前还贷
};

inline constexpr int kScheduleColumns = 8;

inline constexpr std::array<ScheduleColumn, kScheduleColumns> kScheduleColumnOrder = {
    ScheduleColumn::Date,     ScheduleColumn::Interest, ScheduleColumn::Principal,
    ScheduleColumn::Payment,  ScheduleColumn::Balance,  ScheduleColumn::InterestSoFar,
    ScheduleColumn::PrepaidS, ScheduleColumn::PrepaidG,
};

// The column's place in a grid of texts.
constexpr int ColumnIndex(ScheduleColumn column)
{
    return static_cast<int>(column);
}

// Header texts of the schedule grid; each starts with a line break so the title stands on the
// second line of the tall header row.
const std::array<std::string, kScheduleColumns>& ScheduleHeaderTexts();

// The column's header on one line, as files and the command line write it.
std::string ScheduleColumnTitle(ScheduleColumn column);

// The eight cell texts of a row as the grid shows them; "" for a value the row does not have.
std::array<std::string, kScheduleColumns> ScheduleRowTexts(const ScheduleRow& row);

// 还款截止日期 as the window, lumavo-cli and the reports show it: the last row's date text, ""
// without rows.
std::string EndDateText(const ScheduleTotals& totals);

// The whole grid: header row, the written rows, then empty rows up to the row count.
TextGrid ScheduleGridTexts(const Schedule& schedule);

// The written rows under one-line titles, for a table without the grid's empty rows.
TextGrid ScheduleTableTexts(const Schedule& schedule);

} // namespace lumavo
