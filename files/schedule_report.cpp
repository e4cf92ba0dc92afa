#include "files/schedule_report.h"

#include "calc/schedule_text.h"
#include "common/date.h"
#include "common/messages.h"
#include "common/text.h"

namespace lumavo {

namespace {

// The loan type follows the shares the calculation used: a combination loan with one share at
// zero is calculated, and so described, as the other kind.
const char* LoanTypeOf(const LoanInput& input)
{
    if (input.ratioG == 0)
        return msg::kLoanTypeS;
    if (input.ratioS == 0)
        return msg::kLoanTypeG;
    return msg::kLoanTypeSG;
}

std::vector<ReportLine> LoanLines(const LoanInput& input)
{
    std::vector<ReportLine> lines{
        {msg::kLabelLoanType, LoanTypeOf(input), "", -1},
        {msg::kLabelLoanTotal, MoneyText(input.dkze), msg::kUnitYuan, 2},
        {msg::kLabelShareS, CountText(input.ratioS), msg::kUnitPercent, 0},
        {msg::kLabelShareG, CountText(input.ratioG), msg::kUnitPercent, 0},
        {msg::kLabelPeriods, CountText(input.ajqs), msg::kUnitPeriods, 0},
    };
    if (input.floatingRates) {
        lines.push_back({msg::kLabelRates, msg::kFloatingRates, "", -1});
    } else {
        if (input.ratioS != 0)
            lines.push_back({msg::kLabelRateS, RateText(input.nllS), msg::kUnitPercent, 3});
        if (input.ratioG != 0)
            lines.push_back({msg::kLabelRateG, RateText(input.nllG), msg::kUnitPercent, 3});
    }
    lines.push_back({msg::kLabelLending, DateText(input.lending), "", -1});
    lines.push_back({msg::kLabelFirstPayment, DateText(input.firstPayment), "", -1});
    return lines;
}

std::vector<std::string> PlanLines(const LoanInput& input)
{
    std::vector<std::string> lines;
    for (const Ttqhd& entry : input.plan)
        lines.push_back(msg::PlanEntryLine(
            entry.tqdate, PartOf(entry) == LoanPart::G ? msg::kLoanTypeG : msg::kLoanTypeS,
            MoneyText(entry.tqse), CountText(entry.sdajqs), entry.oneover));
    return lines;
}

std::vector<ReportLine> TotalLines(Method method, const ReportTotals& totals)
{
    std::vector<ReportLine> lines;
    if (totals.summaryShown)
        lines.push_back(
            {Trim(method == Method::Debx ? msg::kCaptionSummaryDebx : msg::kCaptionSummaryDebj),
             totals.summary, msg::kUnitYuan, 2});
    lines.push_back({msg::kCaptionTotalRepayment, totals.hkze, msg::kUnitYuan, 2});
    lines.push_back({msg::kCaptionTotalInterest, totals.lxze, msg::kUnitYuan, 2});
    lines.push_back({Trim(msg::kCaptionEndDate), totals.endDate, "", -1});
    return lines;
}

// The rows a calculation wrote: the grid keeps empty rows after them.
TextGrid WrittenRows(TextGrid grid)
{
    int rows = grid.rows;
    while (rows > 1 && grid.At(ColumnIndex(ScheduleColumn::Date), rows - 1).empty())
        --rows;
    grid.rows = rows;
    grid.cells.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(grid.columns));
    return grid;
}

} // namespace

ReportTotals TotalsOf(const ScheduleTotals& totals)
{
    return {MoneyText(totals.summary), totals.summaryEnabled, MoneyText(totals.hkze),
            MoneyText(totals.lxze), EndDateText(totals)};
}

ScheduleReport BuildScheduleReport(Method method,
                                   const LoanInput& input,
                                   const ReportTotals& totals,
                                   TextGrid grid)
{
    const bool debx = method == Method::Debx;
    return {debx ? msg::kSheetDebx : msg::kSheetDebj,
            debx ? msg::kWorksheetNameDebx : msg::kWorksheetNameDebj,
            LoanLines(input),
            PlanLines(input),
            TotalLines(method, totals),
            WrittenRows(std::move(grid))};
}

} // namespace lumavo
