#include "calc/compare_text.h"

#include "calc/schedule_text.h"
#include "common/date.h"
#include "common/messages.h"
#include "common/text.h"

#include <cmath>
#include <functional>

namespace lumavo {

namespace {

std::string OptionalDate(const std::optional<Date>& date)
{
    return date ? DateText(*date) : std::string();
}

std::string WholeText(double value)
{
    return GeneralNumberText(value);
}

const char* LevelName(Method method)
{
    return method == Method::Debx ? msg::kPreviewLevelDebx : msg::kPreviewLevelDebj;
}

struct CompareRow
{
    std::string caption;
    // The cell of a column 1..4; "" leaves it empty.
    std::function<std::string(const MethodComparison&, const ScheduleFigures&, bool plan)> cell;
};

std::vector<CompareRow> PartRows(int part, const std::string& name)
{
    const auto of = [part](const ScheduleFigures& f) -> const PartOutcome& {
        return f.schedule.parts[part];
    };
    return {
        {name + msg::kComparePrincipal,
         [of](const MethodComparison&, const ScheduleFigures& f, bool) {
             return of(f).Present() ? MoneyText(of(f).principal) : std::string();
         }},
        {name + msg::kComparePartInterest,
         [of](const MethodComparison&, const ScheduleFigures& f, bool) {
             return of(f).Present() ? MoneyText(RoundToDecimals(of(f).Interest(), 2))
                                    : std::string();
         }},
        {name + msg::kComparePayoff, [of](const MethodComparison&, const ScheduleFigures& f,
                                          bool) { return OptionalDate(of(f).payoff); }},
        {name + msg::kComparePartFirst,
         [of](const MethodComparison&, const ScheduleFigures& f, bool) {
             return of(f).firstPayment ? MoneyText(*of(f).firstPayment) : std::string();
         }},
    };
}

std::vector<CompareRow> CompareRows(const Comparison& comparison)
{
    // The answers first: what each costs, what the plan saves, what one method costs more.
    std::vector<CompareRow> rows = {
        {msg::kCompareTotal, [](const MethodComparison&, const ScheduleFigures& f,
                                bool) { return MoneyText(f.schedule.totals.hkze); }},
        {msg::kCompareInterest, [](const MethodComparison&, const ScheduleFigures& f,
                                   bool) { return MoneyText(f.schedule.totals.lxze); }},
    };
    rows.push_back(
        {msg::kCompareSaved, [](const MethodComparison& m, const ScheduleFigures&, bool plan) {
             return plan ? MoneyText(m.interestSaved) : std::string();
         }});
    rows.push_back({msg::kCompareMonthsSaved,
                    [](const MethodComparison& m, const ScheduleFigures&, bool plan) {
                        return plan ? WholeText(m.monthsSaved) : std::string();
                    }});
    // Only the 等额本息 columns: what choosing it over 等额本金 costs, with and without the plan.
    rows.push_back({msg::kCompareMethodDifference,
                    [&comparison](const MethodComparison& m, const ScheduleFigures&, bool plan) {
                        if (&m != &comparison.debx)
                            return std::string();
                        const auto& debj = plan ? comparison.debj.plan : comparison.debj.noPlan;
                        const auto& debx = plan ? comparison.debx.plan : comparison.debx.noPlan;
                        return MoneyText(RoundToDecimals(
                            debx.schedule.totals.lxze - debj.schedule.totals.lxze, 2));
                    }});
    rows.insert(
        rows.end(),
        {
            {msg::kCompareEndDate, [](const MethodComparison&, const ScheduleFigures& f,
                                      bool) { return EndDateText(f.schedule.totals); }},
            {msg::kCompareFirstPayment, [](const MethodComparison&, const ScheduleFigures& f,
                                           bool) { return MoneyText(f.firstPayment); }},
            {msg::kCompareLastPayment, [](const MethodComparison&, const ScheduleFigures& f,
                                          bool) { return MoneyText(f.lastPayment); }},
        });
    for (const auto& part : PartRows(0, msg::kComparePartS))
        rows.push_back(part);
    for (const auto& part : PartRows(1, msg::kComparePartG))
        rows.push_back(part);
    return rows;
}

} // namespace

std::string PartName(LoanPart part)
{
    return part == LoanPart::S ? msg::kComparePartS : msg::kComparePartG;
}

const ScheduleFigures& ComparisonColumn(const Comparison& comparison, int column)
{
    switch (column) {
    case 1:
        return comparison.debx.plan;
    case 2:
        return comparison.debx.noPlan;
    case 3:
        return comparison.debj.plan;
    default:
        return comparison.debj.noPlan;
    }
}

TextGrid ComparisonGridTexts(const Comparison& comparison)
{
    const std::vector<CompareRow> rows = CompareRows(comparison);
    TextGrid grid = TextGrid::Blank(kComparisonColumns, static_cast<int>(rows.size()) + 1);
    const char* heads[kComparisonColumns] = {msg::kCompareItem, msg::kCompareDebxPlan,
                                             msg::kCompareDebxNoPlan, msg::kCompareDebjPlan,
                                             msg::kCompareDebjNoPlan};
    for (int column = 0; column < kComparisonColumns; ++column)
        grid.At(column, 0) = heads[column];
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int row = static_cast<int>(r) + 1;
        grid.At(0, row) = rows[r].caption;
        for (int column = 1; column < kComparisonColumns; ++column) {
            const MethodComparison& method = column <= 2 ? comparison.debx : comparison.debj;
            grid.At(column, row) =
                rows[r].cell(method, ComparisonColumn(comparison, column), column % 2 == 1);
        }
    }
    return grid;
}

TextGrid PreviewGridTexts(const PrepaymentPreview& preview, Method method)
{
    const std::string level = std::string(LevelName(method)) + msg::kYuanUnit;
    TextGrid grid = TextGrid::Blank(3, 6);
    const std::string captions[] = {
        msg::kCompareItem,  msg::kPreviewShortened, level,
        msg::kCompareSaved, msg::kPreviewPartEnd,   msg::kPreviewLoanEnd};
    for (int row = 0; row < 6; ++row)
        grid.At(0, row) = captions[row];
    const PreviewOutcome* outcomes[] = {&preview.keepTerm, &preview.keepPayment};
    const char* heads[] = {msg::kPreviewKeepTerm, msg::kPreviewKeepPayment};
    for (int column = 1; column <= 2; ++column) {
        const PreviewOutcome& o = *outcomes[column - 1];
        grid.At(column, 0) = heads[column - 1];
        grid.At(column, 1) = WholeText(o.shortened);
        grid.At(column, 2) = MoneyText(o.level);
        grid.At(column, 3) = MoneyText(o.interestSaved);
        grid.At(column, 4) = OptionalDate(o.partEnd);
        grid.At(column, 5) = o.loanEnd;
    }
    return grid;
}

std::string PreviewQuestionText(const PrepaymentPreview& preview, Method method)
{
    return msg::PreviewQuestion(PartName(preview.part), LevelName(method),
                                MoneyText(preview.levelBefore));
}

std::string PreviewChoiceText(const PrepaymentPreview& preview, bool keepPayment, Method method)
{
    const PreviewOutcome& o = keepPayment ? preview.keepPayment : preview.keepTerm;
    return msg::PreviewChoice(keepPayment ? msg::kPreviewKeepPayment : msg::kPreviewKeepTerm,
                              WholeText(o.shortened), LevelName(method), MoneyText(o.level),
                              o.interestSaved < 0 ? msg::kPreviewExtra : msg::kPreviewSaved,
                              MoneyText(std::fabs(o.interestSaved)), PartName(preview.part),
                              OptionalDate(o.partEnd));
}

} // namespace lumavo
