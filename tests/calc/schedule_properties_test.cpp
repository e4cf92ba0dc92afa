// What every schedule must satisfy, over thousands of random valid loans: fixed and floating
// rates, both methods, combination loans, and plans of every kind built through the plan checks.
#include "calc/plan.h"
#include "calc/schedule.h"
#include "common/text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <variant>

namespace lumavo {
namespace {

// Uniform enough for test data and, unlike std::uniform_*_distribution, the same sequence with
// every standard library.
class Random
{
  public:
    explicit Random(std::uint32_t seed) : m_engine(seed) {}

    int Below(int n)
    {
        return n <= 1 ? 0 : static_cast<int>(m_engine() % static_cast<unsigned>(n));
    }
    int Between(int low, int high) { return low + Below(high - low + 1); }
    bool OneIn(int n) { return Below(n) == 0; }
    // low..high in steps of 10^-decimals.
    double Value(double low, double high, int decimals)
    {
        const double unit = std::pow(10.0, decimals);
        const auto steps = static_cast<int>(std::llround((high - low) * unit));
        return low + Below(steps + 1) / unit;
    }

  private:
    std::mt19937 m_engine;
};

struct PropertyCase
{
    const char* name;
    std::uint32_t seed;
    int loans;
    bool floating;
    bool withPlan;
    bool bankRounding = false;
};

Date AddMonths(const Date& date, int months)
{
    const int index = date.y * 12 + (date.m - 1) + months;
    return Date{index / 12, index % 12 + 1, date.d};
}

// A first payment day the form accepts: mostly a month after lending, sometimes sooner.
Date FirstPaymentFor(const Date& lending, Random& random)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        const Date candidate = AddMonths(lending, random.Below(2));
        const Date first{candidate.y, candidate.m, random.Between(1, 31)};
        if (CheckFirstPaymentDate(lending, first))
            return first;
    }
    return AddMonths(lending, 1);
}

RateTable RandomTable(Random& random)
{
    RateTable table;
    table.Fill(random.Value(1, 9.999, 3));
    for (int changes = random.Below(8); changes > 0; --changes)
        table.Set(random.Below(RateTable::kEntries), random.Value(1, 9.999, 3));
    return table;
}

PlanLoanContext ContextOf(const LoanInput& input)
{
    return PlanLoanContext{input.dkze,
                           input.ajqs,
                           input.ratioS,
                           input.ratioG,
                           PadNumber(input.lending.y, 4),
                           PadNumber(input.lending.m, 2),
                           PadNumber(input.lending.d, 2),
                           PadNumber(input.firstPayment.y, 4),
                           PadNumber(input.firstPayment.m, 2),
                           PadNumber(input.firstPayment.d, 2)};
}

// Amount, shortening, both, pay-off at once, or more than is left; the checks refuse some.
void FillKind(PlanSubmission& submission, double partTotal, double periods, Random& random)
{
    const int cents = static_cast<int>(std::min(partTotal * 100, 2e9));
    switch (random.Below(5)) {
    case 0:
        submission.tqse = random.Below(cents / 4 + 1) / 100.0;
        break;
    case 1:
        submission.sdajqs = random.Between(1, std::max(1, static_cast<int>(periods) / 6));
        break;
    case 2:
        submission.tqse = random.Below(cents / 8 + 1) / 100.0;
        submission.sdajqs = random.Between(1, std::max(1, static_cast<int>(periods) / 8));
        break;
    case 3:
        submission.oneover = true;
        break;
    default:
        submission.tqse = random.Below(cents + 1) / 100.0;
        break;
    }
}

std::vector<Ttqhd> RandomPlan(const LoanInput& input, Random& random)
{
    const PlanLoanContext context = ContextOf(input);
    PlanList list;
    const auto submit = [&](const PlanSubmission& submission) {
        const auto decision = CheckPlanSubmission(list, context, submission);
        if (const auto* accepted = std::get_if<PlanDecision>(&decision)) {
            ApplyPlanDecision(list, *accepted);
            return true;
        }
        return false;
    };
    for (int entries = random.Below(7); entries > 0; --entries) {
        const Date month =
            AddMonths(input.firstPayment, random.Below(static_cast<int>(input.ajqs)));
        const int lastDay = DaysInMonth(month.y, month.m);
        // The payment day itself a third of the time: a prepayment row and a regular row of
        // one day.
        const int day =
            random.OneIn(3) ? std::min(input.firstPayment.d, lastDay) : random.Between(1, lastDay);
        PlanSubmission submission{PadNumber(month.y, 4), PadNumber(month.m, 2), PadNumber(day, 2)};
        submission.part = random.OneIn(2) ? LoanPart::S : LoanPart::G;
        const auto partTotal = [&](LoanPart part) {
            return PartPrincipal(input.dkze, part == LoanPart::S ? input.ratioS : input.ratioG);
        };
        FillKind(submission, partTotal(submission.part), input.ajqs, random);
        if (submit(submission) && random.OneIn(3)) {
            // The other part on the same day shares the row.
            PlanSubmission other{submission.year, submission.month, submission.day};
            other.part = OtherPart(submission.part);
            FillKind(other, partTotal(other.part), input.ajqs, random);
            submit(other);
        }
    }
    return list.Entries();
}

LoanInput RandomLoan(const PropertyCase& c, Random& random)
{
    LoanInput input;
    input.dkze = random.OneIn(10) ? random.Value(100, 20000, 2) : random.Value(10000, 3000000, 2);
    input.ajqs = random.OneIn(8) ? random.Between(1, 12) : random.Between(1, 360);
    switch (random.Below(3)) {
    case 0:
        input.ratioS = 100;
        break;
    case 1:
        input.ratioS = 0;
        break;
    default:
        input.ratioS = random.Between(1, 99);
        break;
    }
    input.ratioG = 100 - input.ratioS;
    input.floatingRates = c.floating;
    input.nllS = random.Value(1, 9.999, 3);
    input.nllG = random.Value(1, 9.999, 3);
    input.lending = Date{random.Between(1997, 2030), random.Between(1, 12), random.Between(1, 31)};
    input.firstPayment = FirstPaymentFor(input.lending, random);
    if (c.withPlan)
        input.plan = RandomPlan(input, random);
    input.bankRounding = c.bankRounding;
    return input;
}

std::string Describe(const LoanInput& input, Method method)
{
    std::string text = (method == Method::Debx ? "等额本息 " : "等额本金 ") +
                       GeneralNumberText(input.dkze) + " 元 " + GeneralNumberText(input.ajqs) +
                       " 期 S" + GeneralNumberText(input.ratioS) + "% " +
                       (input.floatingRates ? "floating" : "fixed") + " lent " +
                       DateText(input.lending) + " first " + DateText(input.firstPayment);
    for (const Ttqhd& entry : input.plan)
        text += " | " + PlanItemText(entry);
    return text;
}

long DayOf(const Date& date)
{
    return SerialDay(Date{date.y, date.m, EffectiveDay(date)});
}

bool WholeFen(double x)
{
    return std::fabs(x * 100 - std::round(x * 100)) < 1e-6;
}

// Booked in whole fen, a row adds up exactly and the principal repaid is the principal lent.
void CheckBookedInFen(const Schedule& schedule, const LoanInput& input)
{
    double repaid = 0;
    for (const ScheduleRow& row : schedule.rows) {
        SCOPED_TRACE(DateText(row.date));
        const double prepaid = row.prepaidS.value_or(0) + row.prepaidG.value_or(0);
        for (const double amount : {row.interest, row.principal.value_or(0), prepaid, row.balance})
            ASSERT_TRUE(WholeFen(amount)) << amount;
        ASSERT_NEAR(row.interest + row.principal.value_or(0) + prepaid, row.payment, 1e-6);
        repaid += row.principal.value_or(0) + prepaid;
    }
    const auto lent = [&](double share) {
        return std::floor(PartPrincipal(input.dkze, share) * 100 + 0.5 + 1e-7) / 100;
    };
    EXPECT_NEAR(repaid, lent(input.ratioS) + lent(input.ratioG), 1e-6);
}

void CheckSchedule(const Schedule& schedule, const LoanInput& input)
{
    if (input.bankRounding)
        CheckBookedInFen(schedule, input);
    ASSERT_FALSE(schedule.rows.empty());
    EXPECT_LE(static_cast<int>(schedule.rows.size()), schedule.gridRowCount - 1);

    double paid = 0;
    double repaid = 0;
    for (std::size_t i = 0; i < schedule.rows.size(); ++i) {
        const ScheduleRow& row = schedule.rows[i];
        SCOPED_TRACE("row " + std::to_string(i + 1) + " " + DateText(row.date));
        // Every repayment is capped at the balance and the last one is the balance itself, so
        // no rounding can take it below zero.
        EXPECT_GE(row.balance, 0);
        EXPECT_GE(row.interest, 0);
        paid += row.payment;
        repaid += row.principal.value_or(0) + row.prepaidS.value_or(0) + row.prepaidG.value_or(0);
        if (i > 0) {
            const ScheduleRow& previous = schedule.rows[i - 1];
            const long before = DayOf(previous.date);
            const long now = DayOf(row.date);
            // One day holds at most a prepayment row and the regular row.
            EXPECT_TRUE(now > before || (now == before && previous.kind != row.kind));
        }
        if (testing::Test::HasFailure())
            return; // the first row at fault tells enough
    }

    const double principal = input.dkze * (input.ratioS + input.ratioG) / 100;
    // A part whose balance falls below half a cent counts as repaid, so each part may leave
    // that much unpaid.
    EXPECT_EQ(MoneyText(schedule.rows.back().balance), "0.00");
    // Booked in fen, each part lends its principal rounded to the fen: half a fen each way.
    EXPECT_NEAR(repaid, principal, input.bankRounding ? 0.01 + 1e-6 : 0.01);
    EXPECT_NEAR(schedule.totals.hkze, paid, 0.005 + 1e-6);
    EXPECT_NEAR(schedule.totals.lxze, schedule.totals.hkze - principal, 0.01 + 1e-6);
}

class ScheduleProperties : public testing::TestWithParam<PropertyCase>
{
};

TEST_P(ScheduleProperties, HoldForRandomLoans)
{
    const PropertyCase& c = GetParam();
    Random random(c.seed);
    for (int loan = 0; loan < c.loans && !HasFailure(); ++loan) {
        const LoanInput input = RandomLoan(c, random);
        const RateTable floatingS = RandomTable(random);
        const RateTable floatingG = RandomTable(random);
        std::optional<Date> endDates[2];
        for (const Method method : {Method::Debx, Method::Debj}) {
            SCOPED_TRACE("loan " + std::to_string(loan) + ": " + Describe(input, method));
            const auto outcome = CalculateSchedule(input, method, floatingS, floatingG);
            ASSERT_TRUE(std::holds_alternative<Schedule>(outcome))
                << std::get<Refusal>(outcome).message;
            const Schedule& schedule = std::get<Schedule>(outcome);
            CheckSchedule(schedule, input);
            endDates[method == Method::Debx ? 0 : 1] = schedule.totals.endDate;
        }
        if (input.plan.empty()) {
            EXPECT_EQ(endDates[0], endDates[1]) << "loan " << loan << ": " << Describe(input, {});
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Loans,
    ScheduleProperties,
    testing::Values(PropertyCase{"FixedRatesNoPlan", 20240601u, 500, false, false},
                    PropertyCase{"FloatingRatesNoPlan", 20240602u, 500, true, false},
                    PropertyCase{"FixedRatesWithPlan", 20240603u, 800, false, true},
                    PropertyCase{"FloatingRatesWithPlan", 20240604u, 800, true, true},
                    PropertyCase{"BookedInFen", 20240605u, 800, true, true, true}),
    [](const testing::TestParamInfo<PropertyCase>& p) { return p.param.name; });

} // namespace
} // namespace lumavo
