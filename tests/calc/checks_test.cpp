#include "calc/loan_input.h"
#include "common/messages.h"
#include "tests/support/worked_loan.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace lumavo {
namespace {

LoanInput Valid()
{
    LoanInput input = testing_support::WorkedLoan();
    input.ajqs = 240;
    return input;
}

RateTable AllPositive()
{
    RateTable table;
    table.Fill(5.94);
    return table;
}

struct CheckCase
{
    std::string name;
    std::function<void(LoanInput&, RateTable& s, RateTable& g)> change;
    std::string message; // "" = accepted
};

class LoanCheck : public testing::TestWithParam<CheckCase>
{
};

TEST_P(LoanCheck, FirstFailingCheckGivesItsMessage)
{
    LoanInput input = Valid();
    RateTable s = AllPositive();
    RateTable g = AllPositive();
    GetParam().change(input, s, g);
    const auto outcome = CheckLoanInput(input, s, g);
    const std::string message =
        std::holds_alternative<Refusal>(outcome) ? std::get<Refusal>(outcome).message : "";
    EXPECT_EQ(message, GetParam().message);
}

void Floating(LoanInput& input)
{
    input.floatingRates = true;
}

INSTANTIATE_TEST_SUITE_P(
    Order,
    LoanCheck,
    testing::Values(CheckCase{"Valid", [](auto&, auto&, auto&) {}, ""},
                    CheckCase{"LoanTotalZeroComesFirst",
                              [](LoanInput& i, auto&, auto&) {
                                  i.dkze = 0;
                                  i.ajqs = 0;
                              },
                              msg::kLoanTotalPositive},
                    // A total of 10^17 once showed principal alternating ...77.78 / ...77.75.
                    CheckCase{"LoanTotalTooLargeForFen",
                              [](LoanInput& i, auto&, auto&) {
                                  i.dkze = 1e12;
                                  i.ajqs = 0;
                              },
                              msg::kLoanTotalTooLarge},
                    CheckCase{"LoanTotalJustBelowTheBound",
                              [](LoanInput& i, auto&, auto&) { i.dkze = 999999999999.99; }, ""},
                    CheckCase{"PeriodsZero", [](LoanInput& i, auto&, auto&) { i.ajqs = 0; },
                              msg::kPeriodsPositive},
                    CheckCase{"Periods360Accepted",
                              [](LoanInput& i, auto&, auto&) { i.ajqs = 360; }, ""},
                    CheckCase{"Periods361BeforeRates",
                              [](LoanInput& i, auto&, auto&) {
                                  i.ajqs = 361;
                                  i.nllS = 0;
                              },
                              msg::kPeriodsAtMost360},
                    CheckCase{"FixedCommercialRateZero",
                              [](LoanInput& i, auto&, auto&) { i.nllS = 0; }, msg::kFixedRateS},
                    CheckCase{"CombinationNeedsBothRates",
                              [](LoanInput& i, auto&, auto&) {
                                  i.ratioS = 60;
                                  i.ratioG = 40;
                              },
                              msg::kFixedRateG},
                    CheckCase{"CommercialOnlyIgnoresProvidentRate",
                              [](LoanInput& i, auto&, auto&) { i.nllG = 0; }, ""},
                    CheckCase{"ProvidentOnlyIgnoresCommercialRate",
                              [](LoanInput& i, auto&, auto&) {
                                  i.ratioS = 0;
                                  i.ratioG = 100;
                                  i.nllS = 0;
                                  i.nllG = 4.5;
                              },
                              ""},
                    CheckCase{"FloatingYearSeven",
                              [](LoanInput& i, RateTable& s, auto&) {
                                  Floating(i);
                                  s.Set(7, 0);
                              },
                              "第7年 商业贷款浮动年利率\r须大于零！"},
                    CheckCase{"FloatingFirstYear",
                              [](LoanInput& i, RateTable& s, auto&) {
                                  Floating(i);
                                  s.Set(0, 0);
                                  s.Set(7, 0);
                              },
                              "放贷首年 商业贷款浮动年利率\r须大于零！"},
                    CheckCase{"FloatingNegativeEntry",
                              [](LoanInput& i, RateTable& s, auto&) {
                                  Floating(i);
                                  s.Set(20, -1);
                              },
                              "第20年 商业贷款浮动年利率\r须大于零！"},
                    CheckCase{"FloatingEntryPastTheCheckedYears",
                              [](LoanInput& i, RateTable& s, auto&) {
                                  Floating(i);
                                  s.Set(21, 0);
                              },
                              ""},
                    CheckCase{"FloatingProvidentFund",
                              [](LoanInput& i, auto&, RateTable& g) {
                                  Floating(i);
                                  i.ratioS = 50;
                                  i.ratioG = 50;
                                  g.Set(3, 0);
                              },
                              "第3年 公积金贷款浮动年利率\r须大于零！"},
                    CheckCase{"FloatingZeroShareNotChecked",
                              [](LoanInput& i, auto&, RateTable& g) {
                                  Floating(i);
                                  g.Fill(0);
                              },
                              ""},
                    CheckCase{"FirstPaymentOnLendingDay",
                              [](LoanInput& i, auto&, auto&) {
                                  i.firstPayment = {2009, 1, 15};
                              },
                              ""},
                    CheckCase{"FirstPaymentEndOfMonth",
                              [](LoanInput& i, auto&, auto&) {
                                  i.firstPayment = {2009, 1, 31};
                              },
                              ""},
                    CheckCase{"FirstPaymentOneDayTooLate",
                              [](LoanInput& i, auto&, auto&) {
                                  i.firstPayment = {2009, 2, 16};
                              },
                              msg::kFirstPaymentDate},
                    CheckCase{"FirstPaymentBeforeLending",
                              [](LoanInput& i, auto&, auto&) {
                                  i.firstPayment = {2009, 1, 14};
                              },
                              msg::kFirstPaymentDate},
                    CheckCase{"AcrossTheYear",
                              [](LoanInput& i, auto&, auto&) {
                                  i.lending = {2008, 12, 20};
                                  i.firstPayment = {2009, 1, 20};
                              },
                              ""},
                    // The 30-day count gives 1 February and 31 January the same number.
                    CheckCase{"FirstPaymentOnTheDayBeforeLending",
                              [](LoanInput& i, auto&, auto&) {
                                  i.lending = {2009, 2, 1};
                                  i.firstPayment = {2009, 1, 31};
                              },
                              msg::kFirstPaymentDate},
                    CheckCase{"ThirtyOneJanuaryToFirstMarch",
                              [](LoanInput& i, auto&, auto&) {
                                  i.lending = {2009, 1, 31};
                                  i.firstPayment = {2009, 3, 1};
                              },
                              ""}),
    [](const auto& p) { return p.param.name; });

TEST(FirstPaymentDateTexts, PickerTextsThatAreNoNumbersNeverPass)
{
    EXPECT_TRUE(CheckFirstPaymentDate("2009", "01", "15", "2009", "02", "15"));
    EXPECT_FALSE(CheckFirstPaymentDate("2009", "01", "15", "2009", "02", "16"));
    EXPECT_FALSE(CheckFirstPaymentDate("2009", "01", "15", "2009", "", "15"));
}

} // namespace
} // namespace lumavo
