// The worked examples of both methods, row by row as the grid shows them.
#include "calc/schedule.h"
#include "calc/schedule_text.h"
#include "common/text.h"
#include "tests/support/worked_loan.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace lumavo {
namespace {

struct ExpectedRow
{
    int row;                        // 1-based grid row
    std::vector<std::string> cells; // leading columns; "*" skips a cell
};

struct Example
{
    std::string name;
    Method method;
    LoanInput input;
    RateTable floatingS;
    std::vector<ExpectedRow> rows;
    int rowCount; // rows written
    std::string summary;
    bool summaryEnabled;
    std::string hkze;
    std::string lxze;
    std::string endDate;
};

using testing_support::WorkedLoan;

LoanInput WithEntry(double shorten)
{
    LoanInput input = WorkedLoan();
    input.plan.push_back(Ttqhd{"2009年05月01日", 20000, shorten, LoanPart::S, false});
    return input;
}

LoanInput Combination()
{
    LoanInput input = WorkedLoan();
    input.ratioS = 60;
    input.ratioG = 40;
    input.nllG = 4.5;
    return input;
}

LoanInput Floating()
{
    LoanInput input;
    input.dkze = 100000;
    input.ajqs = 24;
    input.floatingRates = true;
    input.lending = {2008, 12, 20};
    input.firstPayment = {2009, 1, 20};
    return input;
}

RateTable FloatingTable()
{
    RateTable table;
    table.Set(0, 7.47);
    table.Set(1, 5.94);
    table.Set(2, 5.31);
    return table;
}

std::vector<Example> Examples()
{
    return {
        {"EqualInstallment",
         Method::Debx,
         WorkedLoan(),
         {},
         {{1, {"2009年02月15日", "516.67", "8106.64", "8623.31", "91893.36", "516.67", "", ""}},
          {2, {"2009年03月15日", "459.47", "8147.18", "8606.64", "83746.18", "976.13"}},
          {3, {"2009年04月15日", "418.73", "8187.91", "8606.64", "75558.27", "1394.86"}},
          {12, {"2010年01月15日", "42.82", "8563.82", "8606.64", "0.00", "3296.38", "", ""}}},
         12,
         "8606.64",
         true,
         "103296.38",
         "3296.38",
         "2010年01月15日"},
        {"EqualInstallmentPrepaid",
         Method::Debx,
         WithEntry(0),
         {},
         {{4, {"2009年05月01日", "201.49", "", "20201.49", "55558.27", "1596.35", "20000.00", ""}},
          {5, {"2009年05月15日", "129.64", "6050.70", "6180.34", "49507.56", "1725.99"}},
          {6, {"2009年06月15日", "247.54", "*", "6328.50"}},
          {13, {"2010年01月15日", "*", "*", "6328.50"}}},
         13,
         "0.00",
         false,
         "102846.39",
         "2846.39",
         "2010年01月15日"},
        {"EqualInstallmentShortened",
         Method::Debx,
         WithEntry(3),
         {},
         {{6, {"2009年06月15日", "*", "*", "9422.43"}}, {10, {"2009年10月15日"}}},
         10,
         "0.00",
         false,
         "102424.51",
         "2424.51",
         "2009年10月15日"},
        {"EqualInstallmentCombination",
         Method::Debx,
         Combination(),
         {},
         {{1, {"2009年02月15日", "465.00", "8129.13", "8594.13", "91870.87"}},
          {2, {"2009年03月15日", "*", "*", "8579.13"}}},
         12,
         "8579.13",
         true,
         "102964.52",
         "2964.52",
         "2010年01月15日"},
        {"EqualInstallmentFloating",
         Method::Debx,
         Floating(),
         FloatingTable(),
         {{1, {"2009年01月20日", "562.50", "3934.36", "4496.86", "96065.64"}},
          {2, {"2009年02月20日", "475.52", "3953.83", "4429.36", "92111.81"}},
          {13, {"2010年01月20日", "246.21", "4186.66", "4432.87"}},
          {14, {"2010年02月20日", "209.28", "4205.19", "4414.47"}},
          {24, {"2010年12月20日"}}},
         24,
         "0.00",
         false,
         "106211.81",
         "6211.81",
         "2010年12月20日"},
        {"EqualPrincipal",
         Method::Debj,
         WorkedLoan(),
         {},
         {{1, {"2009年02月15日", "516.67", "8333.33", "8850.00", "91666.67", "516.67", "", ""}},
          {2, {"2009年03月15日", "458.33", "8333.33", "8791.67", "83333.33", "975.00"}},
          {3, {"2009年04月15日", "416.67", "8333.33", "8750.00", "75000.00", "1391.67"}},
          {12, {"2010年01月15日", "41.67", "8333.33", "8375.00", "0.00", "3266.67"}}},
         12,
         "8333.33",
         true,
         "103266.67",
         "3266.67",
         "2010年01月15日"},
        {"EqualPrincipalPrepaid",
         Method::Debj,
         WithEntry(0),
         {},
         {{4, {"2009年05月01日", "200.00", "", "20200.00", "55000.00", "1591.67", "20000.00", ""}},
          {5, {"2009年05月15日", "128.33", "6111.11", "6239.44", "48888.89", "1720.00"}},
          {6, {"2009年06月15日", "244.44", "6111.11", "6355.56", "42777.78", "1964.44"}},
          {13, {"2010年01月15日", "30.56", "6111.11", "6141.67", "0.00", "2820.00"}}},
         13,
         "0.00",
         false,
         "102820.00",
         "2820.00",
         "2010年01月15日"},
        {"EqualPrincipalShortened",
         Method::Debj,
         WithEntry(3),
         {},
         {{5, {"2009年05月15日", "128.33", "9166.67", "9295.00", "45833.33", "1720.00"}},
          {7, {"*", "*", "9166.67"}},
          {10, {"2009年10月15日", "45.83", "9166.67", "9212.50", "0.00", "2407.50"}}},
         10,
         "0.00",
         false,
         "102407.50",
         "2407.50",
         "2009年10月15日"},
        {"EqualPrincipalCombination",
         Method::Debj,
         Combination(),
         {},
         {{1, {"2009年02月15日", "465.00", "8333.33", "8798.33", "91666.67"}},
          {2, {"*", "412.50", "*", "8745.83"}}},
         12,
         "8333.33",
         true,
         "102940.00",
         "2940.00",
         "2010年01月15日"},
    };
}

class WorkedExample : public testing::TestWithParam<Example>
{
};

TEST_P(WorkedExample, RowsAndTotals)
{
    const Example& example = GetParam();
    const auto outcome = CalculateSchedule(example.input, example.method, example.floatingS, {});
    ASSERT_TRUE(std::holds_alternative<Schedule>(outcome)) << std::get<Refusal>(outcome).message;
    const Schedule& schedule = std::get<Schedule>(outcome);

    ASSERT_EQ(static_cast<int>(schedule.rows.size()), example.rowCount);
    for (const ExpectedRow& expected : example.rows) {
        const auto cells =
            ScheduleRowTexts(schedule.rows[static_cast<std::size_t>(expected.row - 1)]);
        for (std::size_t column = 0; column < expected.cells.size(); ++column) {
            if (expected.cells[column] != "*") {
                EXPECT_EQ(cells[column], expected.cells[column])
                    << "row " << expected.row << " column " << column;
            }
        }
    }
    EXPECT_EQ(MoneyText(schedule.totals.summary), example.summary);
    EXPECT_EQ(schedule.totals.summaryEnabled, example.summaryEnabled);
    EXPECT_EQ(MoneyText(schedule.totals.hkze), example.hkze);
    EXPECT_EQ(MoneyText(schedule.totals.lxze), example.lxze);
    EXPECT_EQ(EndDateText(schedule.totals), example.endDate);
    EXPECT_EQ(schedule.gridRowCount, static_cast<int>(example.input.plan.size()) +
                                         static_cast<int>(example.input.ajqs) + 1);
}

INSTANTIATE_TEST_SUITE_P(Schedules,
                         WorkedExample,
                         testing::ValuesIn(Examples()),
                         [](const auto& p) { return p.param.name; });

TEST(WorkedExampleTest, EqualInstallmentPaymentIsLevelFromTheSecondRow)
{
    const auto schedule = std::get<Schedule>(CalculateSchedule(WorkedLoan(), Method::Debx, {}, {}));
    for (std::size_t i = 1; i < schedule.rows.size(); ++i)
        EXPECT_EQ(MoneyText(schedule.rows[i].payment), "8606.64") << "row " << i + 1;
}

} // namespace
} // namespace lumavo
