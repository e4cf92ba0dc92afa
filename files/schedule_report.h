#pragma once

#include "calc/loan_input.h"
#include "calc/schedule.h"
#include "common/text_grid.h"
#include "model/loan_document.h"

#include <string>
#include <vector>

// What a workbook or a printed page says about a schedule, as plain texts, so the window and
// lumavo-cli hand the same report to the same writers.
namespace lumavo {

// One line of the block above the table: "贷款总额：" 100000.00 元. A number is kept as the text
// the window shows; decimals tells a spreadsheet to store it as a number in that mask.
struct ReportLine
{
    std::string label;
    std::string text;
    std::string unit;  // "元", "%", "期" or ""
    int decimals = -1; // -1: a text, not a number
};

// The totals as the loan page shows them.
struct ReportTotals
{
    std::string summary; // 月还款额 / 月本金还款额
    bool summaryShown = false;
    std::string hkze;    // 还款总额
    std::string lxze;    // 利息总额
    std::string endDate; // 还款截止日期, without the window's leading blank
};

struct ScheduleReport
{
    std::string sheetName; // 等额本息 / 等额本金
    std::string title;     // 等额本息贷款分期还款表
    std::vector<ReportLine> loan;
    std::vector<std::string> plan; // one line per prepayment, in plan order
    std::vector<ReportLine> totals;
    TextGrid grid; // as the window shows it, header row first; columns as ScheduleColumn
};

ReportTotals TotalsOf(const ScheduleTotals& totals);

// The loan as it was calculated (not as the form may read since), with the rates it charged,
// its totals and grid. Rows past the last written one are left out.
ScheduleReport BuildScheduleReport(const Calculation& calculation, TextGrid grid);

} // namespace lumavo
