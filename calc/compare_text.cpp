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

std::string OptionalMoney(const std::optional<double>& value)
{
    return value ? MoneyText(*value) : std::string();
}

struct CompareRow
{
    std::string caption;
    // The scenario's cell; "" leaves it empty.
    std::function<std::string(const ScenarioFigures&)> cell;
};

std::vector<CompareRow> PartRows(int part, const std::string& name)
{
    const auto of = [part](const ScenarioFigures& f) -> const PartFigures& {
        return f.parts[part];
    };
    return {
        {name + msg::kComparePrincipal,
         [of](const ScenarioFigures& f) {
             return of(f).present ? MoneyText(of(f).principal) : std::string();
         }},
        {name + msg::kComparePartInterest,
         [of](const ScenarioFigures& f) {
             return of(f).present ? MoneyText(of(f).interest) : std::string();
         }},
        {name + msg::kComparePayoff,
         [of](const ScenarioFigures& f) { return OptionalDate(of(f).payoff); }},
        {name + msg::kComparePartFirst,
         [of](const ScenarioFigures& f) { return OptionalMoney(of(f).firstPayment); }},
        {name + msg::kCompareMonthsSaved,
         [of](const ScenarioFigures& f) {
             return of(f).monthsSaved ? WholeText(*of(f).monthsSaved) : std::string();
         }},
    };
}

std::vector<CompareRow> CompareRows()
{
    // The answers first: what each costs, what the plan saves, what one method costs more.
    std::vector<CompareRow> rows = {
        {msg::kCompareTotal,
         [](const ScenarioFigures& f) { return MoneyText(f.schedule.totals.hkze); }},
        {msg::kCompareInterest,
         [](const ScenarioFigures& f) { return MoneyText(f.schedule.totals.lxze); }},
        {msg::kCompareSaved,
         [](const ScenarioFigures& f) { return OptionalMoney(f.interestSaved); }},
        {msg::kCompareMonthsSaved,
         [](const ScenarioFigures& f) {
             return f.monthsSaved ? WholeText(*f.monthsSaved) : std::string();
         }},
        {msg::kCompareMethodDifference,
         [](const ScenarioFigures& f) { return OptionalMoney(f.methodDifference); }},
        {msg::kCompareEndDate,
         [](const ScenarioFigures& f) { return EndDateText(f.schedule.totals); }},
        {msg::kCompareFirstPayment,
         [](const ScenarioFigures& f) { return MoneyText(f.firstPayment); }},
        {msg::kCompareLastPayment,
         [](const ScenarioFigures& f) { return MoneyText(f.lastPayment); }},
    };
    for (auto& part : PartRows(0, msg::kComparePartS))
        rows.push_back(std::move(part));
    for (auto& part : PartRows(1, msg::kComparePartG))
        rows.push_back(std::move(part));
    return rows;
}

} // namespace

std::string PartName(LoanPart part)
{
    return part == LoanPart::S ? msg::kComparePartS : msg::kComparePartG;
}

std::string ScenarioTitle(const Scenario& scenario)
{
    const bool plan = scenario.plan == PlanChoice::PagePlan;
    if (scenario.method == Method::Debx)
        return plan ? msg::kCompareDebxPlan : msg::kCompareDebxNoPlan;
    return plan ? msg::kCompareDebjPlan : msg::kCompareDebjNoPlan;
}

TextGrid ComparisonGridTexts(const Comparison& comparison)
{
    const std::vector<CompareRow> rows = CompareRows();
    const int columns = static_cast<int>(comparison.scenarios.size()) + 1;
    TextGrid grid = TextGrid::Blank(columns, static_cast<int>(rows.size()) + 1);
    grid.At(0, 0) = msg::kCompareItem;
    for (int column = 1; column < columns; ++column)
        grid.At(column, 0) =
            ScenarioTitle(comparison.scenarios[static_cast<std::size_t>(column - 1)].scenario);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int row = static_cast<int>(r) + 1;
        grid.At(0, row) = rows[r].caption;
        for (int column = 1; column < columns; ++column)
            grid.At(column, row) =
                rows[r].cell(comparison.scenarios[static_cast<std::size_t>(column - 1)]);
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

std::string PreviewRecordText(const PrepaymentPreview& preview,
                              Method method,
                              std::string_view pageName,
                              std::string_view when)
{
    return msg::PreviewRecord(pageName, when, PartName(preview.part), LevelName(method),
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
