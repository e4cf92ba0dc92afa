#include "files/schedule_report.h"

#include "calc/rate_path.h"
#include "calc/schedule_text.h"
#include "common/date.h"
#include "common/messages.h"
#include "common/text.h"

#include <algorithm>
#include <optional>
#include <tuple>

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

// The rates a floating table charged over the years the loan ran, a run of equal years as one
// text, two runs a line so a printed line stays within its column.
std::vector<ReportLine>
FloatingLines(const char* label, const RateTable& table, const LoanInput& input, int lastYear)
{
    constexpr std::size_t kRunsPerLine = 2;
    std::vector<std::string> runs;
    int first = input.lending.y;
    for (int year = first; year <= lastYear; ++year) {
        const double rate = table.At(TableEntryOfYear(year, input.firstPayment));
        if (year == lastYear || table.At(TableEntryOfYear(year + 1, input.firstPayment)) != rate) {
            runs.push_back(msg::RateRunText(first, year, RateText(rate)));
            first = year + 1;
        }
    }
    std::vector<ReportLine> lines;
    for (std::size_t i = 0; i < runs.size(); i += kRunsPerLine) {
        std::string text = runs[i];
        for (std::size_t j = i + 1; j < std::min(runs.size(), i + kRunsPerLine); ++j)
            text += msg::kRateRunSeparator + runs[j];
        lines.push_back({i == 0 ? label : "", text, "", -1});
    }
    return lines;
}

std::vector<ReportLine> LoanLines(const Calculation& calculation)
{
    const LoanInput& input = calculation.input;
    std::vector<ReportLine> lines{
        {msg::kLabelLoanType, LoanTypeOf(input), "", -1},
        {msg::kLabelLoanTotal, MoneyText(input.dkze), msg::kUnitYuan, 2},
        {msg::kLabelShareS, CountText(input.ratioS), msg::kUnitPercent, 0},
        {msg::kLabelShareG, CountText(input.ratioG), msg::kUnitPercent, 0},
        {msg::kLabelPeriods, CountText(input.ajqs), msg::kUnitPeriods, 0},
    };
    if (input.floatingRates) {
        lines.push_back({msg::kLabelRates, msg::kFloatingRates, "", -1});
        const std::optional<Date> end = calculation.schedule.totals.endDate;
        const int lastYear = std::max(end ? end->y : input.firstPayment.y, input.lending.y);
        const FloatingTables& floating = calculation.floating;
        for (const auto& [share, label, table, rule] :
             {std::tuple{input.ratioS, msg::kLabelRateS, &floating.s, &floating.ruleS},
              std::tuple{input.ratioG, msg::kLabelRateG, &floating.g, &floating.ruleG}}) {
            if (share == 0)
                continue;
            for (ReportLine& line : FloatingLines(label, *table, input, lastYear))
                lines.push_back(std::move(line));
            if (*rule)
                lines.push_back({"", msg::FilledByRule(RuleText(**rule)), "", -1});
        }
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

ScheduleReport BuildScheduleReport(const Calculation& calculation, TextGrid grid)
{
    const bool debx = calculation.method == Method::Debx;
    return {debx ? msg::kSheetDebx : msg::kSheetDebj,
            debx ? msg::kWorksheetNameDebx : msg::kWorksheetNameDebj,
            LoanLines(calculation),
            PlanLines(calculation.input),
            TotalLines(calculation.method, TotalsOf(calculation.schedule.totals)),
            WrittenRows(std::move(grid))};
}

} // namespace lumavo
