// The bank's rows of a loan whose rate changed and which was prepaid, beside a page that knows
// neither: the reconciliation must find exactly what was hidden, and taking it must make every
// row agree.
#include "calc/reconcile.h"
#include "calc/schedule.h"
#include "common/text.h"
#include "tests/support/bank_history.h"

#include <gtest/gtest.h>
#include <string>
#include <variant>
#include <vector>

namespace lumavo::testing_support {
namespace {

// What the bank did and the page does not know: a change mid-month, one on 1 January, one on a
// payment day, and a prepayment.
LoanInput BankLoan(bool bankRounding, bool shortening)
{
    LoanInput input = RunningLoan();
    input.adjustments = {{{2023, 9, 25}, LoanPart::S, 4.2},
                         {{2024, 1, 1}, LoanPart::S, 3.95},
                         {{2024, 6, 20}, LoanPart::S, 3.7}};
    input.plan = {Ttqhd{"2024年03月08日", 100000, shortening ? 24.0 : 0.0, LoanPart::S, false}};
    input.bankRounding = bankRounding;
    return input;
}

// The bank's history from 2023-01 to 2025-06 as an app lists it: newest first.
std::vector<BankRecord> HistoryOf(const LoanInput& loan, Method method, bool withBalance)
{
    const RateTable none;
    std::vector<BankRecord> records;
    for (BankRecord& record :
         BankHistoryOf(std::get<Schedule>(CalculateSchedule(loan, method, none, none)))) {
        const Date& date = record.date;
        if (date.y < 2023 || date.y > 2025 || (date.y == 2025 && date.m > 6))
            continue;
        if (!withBalance)
            record.balance.reset();
        records.insert(records.begin(), record);
    }
    return records;
}

Reconciliation Reconciled(const LoanInput& loan, Method method, const std::vector<BankRecord>& r)
{
    const RateTable none;
    auto outcome = Reconcile(loan, method, none, none, LoanPart::S, r);
    EXPECT_TRUE(std::holds_alternative<Reconciliation>(outcome))
        << std::get<Refusal>(outcome).message;
    return std::get<Reconciliation>(outcome);
}

struct HiddenCase
{
    const char* name;
    Method method;
    bool bankRounding;
    bool withBalance;
    bool shortening;
};

class HiddenChanges : public testing::TestWithParam<HiddenCase>
{
};

TEST_P(HiddenChanges, AreFoundAndTakingThemMakesEveryRowAgree)
{
    const HiddenCase& c = GetParam();
    const LoanInput bank = BankLoan(c.bankRounding, c.shortening);
    const std::vector<BankRecord> records = HistoryOf(bank, c.method, c.withBalance);
    const Reconciliation found = Reconciled(RunningLoan(), c.method, records);

    EXPECT_GT(found.differing, 0);
    EXPECT_EQ(found.suggestedChanges, bank.adjustments);
    EXPECT_EQ(found.suggestedPlan, bank.plan);
    EXPECT_EQ(found.bankRounding, c.bankRounding);
    EXPECT_TRUE(found.remaining.empty());

    const Reconciliation after =
        Reconciled(WithSuggestions(RunningLoan(), found), c.method, records);
    EXPECT_EQ(after.matching, static_cast<int>(records.size()));
    EXPECT_EQ(after.differing, 0);
    EXPECT_TRUE(after.suggestedChanges.empty());
    EXPECT_TRUE(after.suggestedPlan.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Bank,
    HiddenChanges,
    testing::Values(HiddenCase{"EqualInstalment", Method::Debx, false, true, false},
                    HiddenCase{"EqualInstalmentInFen", Method::Debx, true, true, false},
                    HiddenCase{"EqualInstalmentNoBalance", Method::Debx, false, false, false},
                    HiddenCase{"EqualInstalmentShortened", Method::Debx, true, true, true},
                    HiddenCase{"EqualPrincipalInFen", Method::Debj, true, false, false}),
    [](const testing::TestParamInfo<HiddenCase>& p) { return p.param.name; });

// Against the bank's own loan, rows that are not the schedule's stand out and nothing is
// suggested for them.
struct LineupCase
{
    const char* name;
    void (*edit)(std::vector<BankRecord>&); // records newest first
    int differing;
    std::vector<BankRowKind> unmatched;
    int shiftedDays; // of the row 2024-09-20
};

BankRecord& RowOn(std::vector<BankRecord>& records, Date date)
{
    for (BankRecord& record : records)
        if (record.date == date && KindOf(record) == BankRowKind::Instalment)
            return record;
    ADD_FAILURE() << "no row on " << DateText(date);
    return records.front();
}

const LineupCase kLineupCases[] = {
    {"InterestOneFenOff",
     [](auto& r) {
         RowOn(r, {2024, 9, 20}).interest += 0.01;
     },
     1,
     {},
     0},
    {"PrincipalOneFenOff",
     [](auto& r) {
         RowOn(r, {2024, 9, 20}).principal -= 0.01;
     },
     1,
     {},
     0},
    {"PenaltyListedApart",
     [](auto& r) {
         r.push_back(BankRecord{0, {2024, 9, 25}, 0, 12.5, {}, {}, {}, {}, "逾期罚息"});
     },
     0,
     {BankRowKind::Penalty},
     0},
    {"DueDayOnAHoliday",
     [](auto& r) {
         RowOn(r, {2024, 9, 20}).date = {2024, 9, 22};
     },
     0,
     {},
     2},
};

class Lineup : public testing::TestWithParam<LineupCase>
{
};

TEST_P(Lineup, MarksOnlyWhatIsNotTheSchedules)
{
    const LineupCase& c = GetParam();
    const LoanInput bank = BankLoan(false, false);
    std::vector<BankRecord> records = HistoryOf(bank, Method::Debx, true);
    c.edit(records);
    const Reconciliation found = Reconciled(bank, Method::Debx, records);

    EXPECT_EQ(found.differing, c.differing);
    EXPECT_EQ(static_cast<int>(found.remaining.size()), c.differing);
    for (const ReconciledRow& row : found.rows) {
        EXPECT_EQ(row.Matches(), !(row.ourDate == Date{2024, 9, 20}) || c.differing == 0)
            << DateText(row.ourDate);
        const bool edited = row.ourDate == Date{2024, 9, 20};
        EXPECT_EQ(row.dayOffset, edited ? c.shiftedDays : 0);
    }
    std::vector<BankRowKind> unmatched;
    for (const UnmatchedRecord& record : found.unmatched)
        unmatched.push_back(record.kind);
    EXPECT_EQ(unmatched, c.unmatched);
    EXPECT_TRUE(found.suggestedChanges.empty());
    EXPECT_TRUE(found.suggestedPlan.empty());
}

INSTANTIATE_TEST_SUITE_P(Bank,
                         Lineup,
                         testing::ValuesIn(kLineupCases),
                         [](const testing::TestParamInfo<LineupCase>& p) { return p.param.name; });

// Booked in fen, every undisturbed month of an equal instalment pays the same to the fen.
TEST(BankRounding, KeepsTheInstalmentOfEveryThirtyDayMonth)
{
    LoanInput loan = RunningLoan();
    loan.bankRounding = true;
    const RateTable none;
    const Schedule schedule = std::get<Schedule>(CalculateSchedule(loan, Method::Debx, none, none));
    ASSERT_EQ(schedule.rows.size(), 360u);
    for (std::size_t i = 1; i + 1 < schedule.rows.size(); ++i)
        ASSERT_EQ(MoneyText(schedule.rows[i].payment), "5307.27") << i;
}

TEST(Reconcile, RefusesNoRowsAndAPartTheLoanLacks)
{
    const RateTable none;
    BankRecord row;
    row.date = {2020, 1, 20};
    const auto refusal = [&](LoanPart part, std::vector<BankRecord> records) {
        auto outcome = Reconcile(RunningLoan(), Method::Debx, none, none, part, records);
        return std::holds_alternative<Refusal>(outcome) ? std::get<Refusal>(outcome).message : "";
    };
    EXPECT_EQ(refusal(LoanPart::S, {}), "没有可核对的银行记录！");
    EXPECT_EQ(refusal(LoanPart::G, {row}), "本页没有公积金贷款，无法核对！");
}

} // namespace
} // namespace lumavo::testing_support
