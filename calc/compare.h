#pragma once

#include "calc/loan_input.h"
#include "calc/plan.h"
#include "calc/schedule.h"

#include <optional>
#include <variant>
#include <vector>

// The questions a buyer brings: which method costs less, what the plan saves, and how a
// prepayment is best taken. Every figure comes from the same schedules 计算 builds.
namespace lumavo {

// One way of repaying the loan a comparison weighs: a method, with the page's plan or without.
enum class PlanChoice
{
    PagePlan, // the page's plan as it stands
    NoPlan,   // the same inputs without any prepayment
};

struct Scenario
{
    Method method = Method::Debx;
    PlanChoice plan = PlanChoice::PagePlan;

    friend bool operator==(const Scenario&, const Scenario&) = default;
};

// 对比's scenarios, in the order the page and the command line show them: 等额本息 with and
// without the plan, then 等额本金 with and without.
const std::vector<Scenario>& StandardScenarios();

// What a comparison shows of one loan part.
struct PartFigures
{
    bool present = false;
    double principal = 0;
    double interest = 0; // to the fen
    std::optional<Date> payoff;
    std::optional<double> firstPayment;
    // With the plan, against the same method without it: the months between the part's two
    // payoff dates. A combination loan's part can end years before the loan does.
    std::optional<int> monthsSaved;
};

// The figures of one scenario. A figure that weighs it against another scenario is there only
// when the comparison holds that other one.
struct ScenarioFigures
{
    Scenario scenario;
    Schedule schedule;
    double firstPayment = 0; // the first and the last regular row's 月还款额
    double lastPayment = 0;
    PartFigures parts[2]; // S, G
    // With the plan, against the same method without it: 利息总额 saved, and the months between
    // the two end dates.
    std::optional<double> interestSaved;
    std::optional<int> monthsSaved;
    // 等额本息 only: its 利息总额 minus that of 等额本金 with the same plan choice.
    std::optional<double> methodDifference;
};

// One figures value per scenario, in the order they were asked for.
struct Comparison
{
    std::vector<ScenarioFigures> scenarios;

    const ScenarioFigures* Find(const Scenario& scenario) const;
};

// The loan under each scenario; a refusal exactly as 计算 gives it.
std::variant<Comparison, Refusal> CompareLoan(const LoanInput& input,
                                              const std::vector<Scenario>& scenarios,
                                              const RateTable& floatingS,
                                              const RateTable& floatingG);

// What 对比 computes: the standard scenarios.
std::variant<Comparison, Refusal>
CompareLoan(const LoanInput& input, const RateTable& floatingS, const RateTable& floatingG);

// Whole months from one date's month to a later one's.
int MonthsBetween(const Date& earlier, const Date& later);

// One way of taking a proposed prepayment.
struct PreviewOutcome
{
    double level = 0;         // the part's regular payment afterwards: annuity or monthly principal
    double shortened = 0;     // periods the entry shortens the part by
    double interestSaved = 0; // against the page's plan as it stands
    std::optional<Date> partEnd;
    std::string loanEnd; // the date text of the last row
};

struct PrepaymentPreview
{
    LoanPart part = LoanPart::S;
    double levelBefore = 0;     // the part's regular payment before the prepayment
    PreviewOutcome keepTerm;    // 减少月供: no shortening
    PreviewOutcome keepPayment; // 缩短年限（月供基本不变）
};

// The two ways of taking the entry in the fields, checked as 提交 checks it. The shortening of
// keepPayment is the largest that leaves the part's regular payment, to the cent, no higher
// than before the prepayment; a pay-off entry leaves both outcomes alike.
std::variant<PrepaymentPreview, Refusal> PreviewPrepayment(const LoanInput& input,
                                                           Method method,
                                                           const PlanList& plan,
                                                           const PlanLoanContext& loan,
                                                           const PlanSubmission& submission,
                                                           const RateTable& floatingS,
                                                           const RateTable& floatingG);

} // namespace lumavo
