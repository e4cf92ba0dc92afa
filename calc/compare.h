#pragma once

#include "calc/loan_input.h"
#include "calc/plan.h"
#include "calc/schedule.h"

#include <optional>
#include <variant>

// The questions a buyer brings: which method costs less, what the plan saves, and how a
// prepayment is best taken. Every figure comes from the same schedules 计算 builds.
namespace lumavo {

// The figures of one schedule a comparison shows.
struct ScheduleFigures
{
    Schedule schedule;
    double firstPayment = 0; // the first and the last regular row's 月还款额
    double lastPayment = 0;
};

struct MethodComparison
{
    ScheduleFigures plan;     // with the page's plan
    ScheduleFigures noPlan;   // the same inputs without any plan
    double interestSaved = 0; // 利息总额 without the plan minus with it
    int monthsSaved = 0;      // months between the two end dates
};

struct Comparison
{
    MethodComparison debx; // 等额本息
    MethodComparison debj; // 等额本金
    // 利息总额 of 等额本息 minus that of 等额本金, both with the plan.
    double MethodDifference() const;
    const MethodComparison& Of(Method method) const { return method == Method::Debx ? debx : debj; }
};

// Both methods with and without the plan; a refusal exactly as 计算 gives it.
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
