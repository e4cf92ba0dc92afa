#include "calc/plan.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace lumavo {
namespace {

// The user-visible texts, written out so a changed message fails here.
const std::string kDateInvalid = "提前还贷日期无效！";
const std::string kBeforeLending = "提前还贷时间须在放贷日之后！";
const std::string kOutsideTerm = "提前还贷时间须在按揭期数内！";
const std::string kLoanTotal = "贷款总额须大于零！";
const std::string kAmountS = "商业贷款提前还贷数额须小于等于商业贷款总额！";
const std::string kAmountG = "公积金贷款提前还贷数额须小于等于公积金贷款总额！";
const std::string kPeriods = "缩短按揭期数须小于等于按揭总期数！";
const std::string kOneOver = "先前已提交了一次性还贷计划！";
const std::string kSumAmountS = "商业贷款累计提前还贷数额须小于等于商业贷款总额！";
const std::string kSumAmountG = "公积金贷款累计提前还贷数额须小于等于公积金贷款总额！";
const std::string kSumPeriods = "累计缩短按揭期数须小于等于按揭总\r期数！";

constexpr LoanPart S = LoanPart::S;
constexpr LoanPart G = LoanPart::G;

Ttqhd Entry(std::string date, LoanPart part, double tqse, double sdajqs, bool oneover = false)
{
    return Ttqhd{std::move(date), tqse, sdajqs, part, oneover};
}

PlanSubmission At(std::string y,
                  std::string m,
                  std::string d,
                  LoanPart part,
                  double tqse = 0,
                  double sdajqs = 0,
                  bool oneover = false)
{
    return PlanSubmission{std::move(y), std::move(m), std::move(d), part, oneover, tqse, sdajqs};
}

// 1,000,000 yuan, 60 % commercial, 240 periods, lent 2010-05-20, first payment 2010-06-01.
PlanLoanContext Loan(double dkze = 1000000, double ratioG = 40)
{
    return PlanLoanContext{dkze, 240, 60, ratioG, "2010", "05", "20", "2010", "06", "01"};
}

std::vector<std::string> Texts(const PlanList& list)
{
    std::vector<std::string> texts;
    for (const auto& item : list.Items())
        texts.push_back(item.text);
    return texts;
}

TEST(PlanItemTexts, GeneralNumbersAndPayOffMark)
{
    const struct
    {
        Ttqhd entry;
        std::string text;
    } rows[] = {
        {Entry("2012年03月15日", LoanPart::S, 50000, 12), "2012年03月15日 S<=> 50000 元 12 期 N"},
        {Entry("2013年07月01日", LoanPart::G, 12345.67, 0),
         "2013年07月01日 G<=> 12345.67 元 0 期 N"},
        {Entry("2015年06月20日", LoanPart::G, 0, 0, true), "2015年06月20日 G<=> 0 元 0 期 Y"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PlanItemText(row.entry), row.text);
    EXPECT_EQ(PlanItemKey(rows[0].entry), "2012年03月15日 S<");
}

TEST(PlanOrder, CaseInsensitiveAsciiOtherwiseCodePoints)
{
    const struct
    {
        std::string a, b;
        bool less;
    } cases[] = {
        {"2011年12月01日 S<", "2012年03月15日 S<", true},
        {"2012年03月15日 S<", "2011年12月01日 S<", false},
        {"2012年03月15日 G<", "2012年03月15日 S<", true},
        {"2012年03月15日 g<", "2012年03月15日 S<", true},
        {"a", "B", true},
        {"B", "a", false},
        {"A", "a", false},
        {"a", "A", false},
        {"z", "年", true},
        {"2012", "2012年", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlanTextLess(c.a, c.b), c.less) << c.a << " < " << c.b;
}

TEST(PlanOrder, ListKeepsDaysAscendingAndGBeforeSOnOneDay)
{
    PlanList list;
    EXPECT_EQ(list.Add(Entry("2012年03月15日", LoanPart::S, 1, 0)), 0u);
    EXPECT_EQ(list.Add(Entry("2011年12月01日", LoanPart::S, 2, 0)), 0u);
    EXPECT_EQ(list.Add(Entry("2011年12月01日", LoanPart::G, 3, 0)), 0u);
    EXPECT_EQ(list.Add(Entry("2013年01月01日", LoanPart::S, 4, 0)), 3u);
    std::vector<double> amounts;
    for (const Ttqhd& entry : list.Entries())
        amounts.push_back(entry.tqse);
    EXPECT_EQ(amounts, (std::vector<double>{3, 2, 1, 4}));
}

TEST(PlanOrder, EqualTextGoesAfterAndLookupFindsTheFirst)
{
    // An import can bring in two entries listed under one text.
    PlanList list;
    list.Add("2012年03月15日 S<=> 1 元 0 期 N", Entry("2012年03月15日", LoanPart::S, 1, 0));
    EXPECT_EQ(
        list.Add("2012年03月15日 S<=> 1 元 0 期 N", Entry("2012年03月15日", LoanPart::S, 2, 0)),
        1u);
    EXPECT_EQ(list.Items()[1].entry.tqse, 2);
    EXPECT_EQ(list.FindByName("2012年03月15日 S<"), 0u);
    list.Remove(5); // out of range: nothing happens
    list.Remove(0);
    ASSERT_EQ(list.Size(), 1u);
    EXPECT_EQ(list.Items()[0].entry.tqse, 2);
}

TEST(PlanLookup, FindByNameMatchesTheWholeNameIgnoringCase)
{
    PlanList list;
    list.Add(Entry("2011年12月01日", LoanPart::S, 1, 0));
    list.Add(Entry("2012年03月15日", LoanPart::G, 2, 0));
    list.Add(Entry("2012年03月15日", LoanPart::S, 3, 0));
    list.Add("no separator", Ttqhd{});
    const struct
    {
        std::string key;
        std::optional<std::size_t> index;
    } cases[] = {
        {"2012年03月15日 S<", 2},
        {"2012年03月15日 G<", 1},
        {"2012年03月15日 s<", 2},
        {"2012年03月15日 S", std::nullopt},
        {"2012年03月15日 S<=", std::nullopt},
        {"2012年03月16日 S<", std::nullopt},
        {"NO SEPARATOR", 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(list.FindByName(c.key), c.index) << c.key;
}

TEST(PlanLookup, OneOverEntryOfThePartOnly)
{
    PlanList list;
    list.Add(Entry("2011年12月01日", LoanPart::S, 1000, 0));
    EXPECT_FALSE(HasOneOverEntry(list, LoanPart::S));
    list.Add(Entry("2015年06月20日", LoanPart::G, 0, 0, true));
    EXPECT_TRUE(HasOneOverEntry(list, LoanPart::G));
    EXPECT_FALSE(HasOneOverEntry(list, LoanPart::S));
}

struct SubmitCase
{
    std::string name;
    std::vector<Ttqhd> plan;
    PlanSubmission submission;
    std::string refusal;                 // "" = accepted
    std::vector<std::string> after = {}; // the list texts once accepted
    PlanLoanContext loan = Loan();
};

std::string CaseName(const testing::TestParamInfo<SubmitCase>& info)
{
    return info.param.name;
}

class PlanSubmit : public testing::TestWithParam<SubmitCase>
{
};

TEST_P(PlanSubmit, FirstFailingCheckOrTheListAfterwards)
{
    const SubmitCase& c = GetParam();
    PlanList list;
    for (const Ttqhd& entry : c.plan)
        list.Add(entry);
    const auto outcome = CheckPlanSubmission(list, c.loan, c.submission);
    if (!c.refusal.empty()) {
        ASSERT_TRUE(std::holds_alternative<Refusal>(outcome));
        EXPECT_EQ(std::get<Refusal>(outcome).message, c.refusal);
        return;
    }
    ASSERT_TRUE(std::holds_alternative<PlanDecision>(outcome))
        << std::get<Refusal>(outcome).message;
    const PlanDecision& decision = std::get<PlanDecision>(outcome);
    const std::size_t index = ApplyPlanDecision(list, decision);
    EXPECT_EQ(Texts(list), c.after);
    ASSERT_LT(index, list.Size());
    EXPECT_EQ(list.Items()[index].text, PlanItemText(decision.entry));
}

const Ttqhd kS400k = Entry("2011年03月01日", LoanPart::S, 400000, 0);
const Ttqhd kSPayOff = Entry("2015年06月20日", LoanPart::S, 0, 0, true);

INSTANTIATE_TEST_SUITE_P(
    Dates,
    PlanSubmit,
    testing::Values(
        SubmitCase{"DayBeforeLending", {}, At("2010", "05", "19", S), kBeforeLending},
        SubmitCase{"EarlierMonthLaterDay", {}, At("2010", "04", "25", S), kBeforeLending},
        SubmitCase{"LendingDayItself",
                   {},
                   At("2010", "05", "20", S),
                   "",
                   {"2010年05月20日 S<=> 0 元 0 期 N"}},
        SubmitCase{"LaterYearNotComparedWithLending",
                   {},
                   At("2011", "01", "05", S),
                   "",
                   {"2011年01月05日 S<=> 0 元 0 期 N"}},
        SubmitCase{"EarlierYearNotComparedWithLending",
                   {},
                   At("2009", "12", "01", S),
                   "",
                   {"2009年12月01日 S<=> 0 元 0 期 N"}},
        SubmitCase{"Month238OfTerm",
                   {},
                   At("2030", "05", "01", S),
                   "",
                   {"2030年05月01日 S<=> 0 元 0 期 N"}},
        SubmitCase{"Month239OfTerm", {}, At("2030", "05", "31", S), kOutsideTerm},
        SubmitCase{"LeapDayEveryFourthYear",
                   {},
                   At("2012", "02", "29", S),
                   "",
                   {"2012年02月29日 S<=> 0 元 0 期 N"}},
        SubmitCase{"NoLeapDay", {}, At("2011", "02", "29", S), kDateInvalid},
        SubmitCase{"EmptyDay", {}, At("2011", "03", "", S), kDateInvalid},
        SubmitCase{"MonthThirteen", {}, At("2011", "13", "01", S), kDateInvalid},
        SubmitCase{"ShortYear", {}, At("211", "03", "01", S), kDateInvalid},
        SubmitCase{"InvalidDateBeforeEveryOtherCheck",
                   {},
                   At("2010", "02", "31", S, 9e9, 999),
                   kDateInvalid,
                   {},
                   Loan(0)},
        SubmitCase{
            "LendingBeforeLoanTotal", {}, At("2010", "05", "19", S), kBeforeLending, {}, Loan(0)},
        SubmitCase{"ZeroLoanTotal", {}, At("2011", "03", "01", S), kLoanTotal, {}, Loan(0)}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Amounts,
    PlanSubmit,
    testing::Values(
        SubmitCase{"JustBelowShare",
                   {},
                   At("2011", "03", "01", S, 599999.99),
                   "",
                   {"2011年03月01日 S<=> 599999.99 元 0 期 N"}},
        SubmitCase{"ExactlyShare",
                   {},
                   At("2011", "03", "01", S, 600000.00),
                   "",
                   {"2011年03月01日 S<=> 600000 元 0 期 N"}},
        SubmitCase{"AboveShare", {}, At("2011", "03", "01", S, 600000.01), kAmountS},
        SubmitCase{"AboveProvidentShare", {}, At("2011", "03", "01", G, 400000.01), kAmountG},
        SubmitCase{"ProvidentOnZeroShare",
                   {},
                   At("2011", "03", "01", G, 1),
                   kAmountG,
                   {},
                   Loan(1000000, 0)},
        SubmitCase{"ShorteningOnZeroShare",
                   {},
                   At("2011", "03", "01", G, 0, 12),
                   "",
                   {"2011年03月01日 G<=> 0 元 12 期 N"},
                   Loan(1000000, 0)},
        SubmitCase{"PayOffOnZeroShare",
                   {},
                   At("2011", "03", "01", G, 0, 0, true),
                   "",
                   {"2011年03月01日 G<=> 0 元 0 期 Y"},
                   Loan(1000000, 0)},
        SubmitCase{"PeriodsEqualTerm",
                   {},
                   At("2011", "03", "01", S, 0, 240),
                   "",
                   {"2011年03月01日 S<=> 0 元 240 期 N"}},
        SubmitCase{"PeriodsAboveTerm", {}, At("2011", "03", "01", S, 0, 241), kPeriods},
        SubmitCase{"AmountBeforePeriods", {}, At("2011", "03", "01", S, 700000, 241), kAmountS},
        SubmitCase{
            "PayOffSkipsAmountAndPeriodChecks",
            {Entry("2011年03月01日", LoanPart::S, 400000, 200)},
            At("2012", "01", "01", S, 700000, 241, true),
            "",
            {"2011年03月01日 S<=> 400000 元 200 期 N", "2012年01月01日 S<=> 700000 元 241 期 Y"}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    Sums,
    PlanSubmit,
    testing::Values(
        SubmitCase{"SecondDayOverShare", {kS400k}, At("2012", "03", "01", S, 250000), kSumAmountS},
        SubmitCase{"SameDayReplacedWithinShare",
                   {kS400k},
                   At("2011", "03", "01", S, 550000),
                   "",
                   {"2011年03月01日 S<=> 550000 元 0 期 N"}},
        SubmitCase{"ReplacementStillSumsTheOthers",
                   {kS400k, Entry("2012年03月01日", LoanPart::S, 100000, 0)},
                   At("2012", "03", "01", S, 250000),
                   kSumAmountS},
        SubmitCase{
            "OtherPartNotSummed",
            {kS400k},
            At("2012", "03", "01", G, 350000),
            "",
            {"2011年03月01日 S<=> 400000 元 0 期 N", "2012年03月01日 G<=> 350000 元 0 期 N"}},
        SubmitCase{"ProvidentOverShare",
                   {Entry("2011年03月01日", LoanPart::G, 300000, 0)},
                   At("2012", "03", "01", G, 150000),
                   kSumAmountG},
        SubmitCase{"PeriodsOverTerm",
                   {Entry("2011年03月01日", LoanPart::S, 0, 200)},
                   At("2012", "03", "01", S, 0, 41),
                   kSumPeriods},
        SubmitCase{"PeriodsUpToTerm",
                   {Entry("2011年03月01日", LoanPart::S, 0, 200)},
                   At("2012", "03", "01", S, 0, 40),
                   "",
                   {"2011年03月01日 S<=> 0 元 200 期 N", "2012年03月01日 S<=> 0 元 40 期 N"}},
        SubmitCase{"SameDayAndPartTwiceKeepsTheSecond",
                   {Entry("2012年03月15日", LoanPart::S, 50000, 12)},
                   At("2012", "03", "15", S, 30000, 6),
                   "",
                   {"2012年03月15日 S<=> 30000 元 6 期 N"}},
        SubmitCase{
            "SameDayOtherPartListedGFirst",
            {Entry("2012年03月15日", LoanPart::S, 50000, 12)},
            At("2012", "03", "15", G, 10000),
            "",
            {"2012年03月15日 G<=> 10000 元 0 期 N", "2012年03月15日 S<=> 50000 元 12 期 N"}}),
    CaseName);

INSTANTIATE_TEST_SUITE_P(
    PayOff,
    PlanSubmit,
    testing::Values(
        SubmitCase{"BlocksLaterDay", {kSPayOff}, At("2016", "01", "01", S, 10000), kOneOver},
        SubmitCase{"BlocksEarlierDay", {kSPayOff}, At("2011", "01", "01", S, 10000), kOneOver},
        SubmitCase{
            "BlocksSecondPayOff", {kSPayOff}, At("2016", "01", "01", S, 0, 0, true), kOneOver},
        SubmitCase{"AmountCheckedFirst", {kSPayOff}, At("2016", "01", "01", S, 700000), kAmountS},
        SubmitCase{
            "CheckedBeforeSums", {kS400k, kSPayOff}, At("2016", "01", "01", S, 300000), kOneOver},
        SubmitCase{"OtherPartOpen",
                   {kSPayOff},
                   At("2016", "01", "01", G, 10000),
                   "",
                   {"2015年06月20日 S<=> 0 元 0 期 Y", "2016年01月01日 G<=> 10000 元 0 期 N"}},
        SubmitCase{"ReplacedOnItsDay",
                   {kSPayOff},
                   At("2015", "06", "20", S, 10000),
                   "",
                   {"2015年06月20日 S<=> 10000 元 0 期 N"}}),
    CaseName);

} // namespace
} // namespace lumavo
