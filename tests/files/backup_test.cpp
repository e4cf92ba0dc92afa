#include "files/backup.h"
#include "files/backup_loan.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace lumavo {
namespace {

// What tab 1 shows right after start-up.
const std::string kStartupLine =
    "1,0.00,0.00,8,0.00,100,20,240,1,0.000,0.000,1997,01,01,1997,01,01,0";
const std::string kSeventeenFields =
    "1,0.00,0.00,8,0.00,100,20,240,1,0.000,0.000,1997,01,01,1997,01,01";

// GBK bytes of 年, 月, 日.
const std::string kNian = "\xC4\xEA";
const std::string kYue = "\xD4\xC2";
const std::string kRi = "\xC8\xD5";

std::string GbkDate(const char* year, const char* month, const char* day)
{
    return year + kNian + month + kYue + day + kRi;
}

// The start-up line with some fields replaced, for the per-field cases.
std::string InputLineWith(std::initializer_list<std::pair<std::size_t, std::string>> changes)
{
    std::vector<std::string> fields = SplitBackupLine(kStartupLine);
    for (const auto& [index, text] : changes)
        fields.at(index) = text;
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i > 0 ? "," : "") + fields[i];
    return line;
}

std::string InputLineWith(std::size_t index, const std::string& text)
{
    return InputLineWith({{index, text}});
}

struct SplitCase
{
    const char* name;
    std::string line;
    std::vector<std::string> fields;
};

// A failing case is reported by its name, not as raw bytes.
void PrintTo(const SplitCase& testCase, std::ostream* os)
{
    *os << testCase.name;
}

class SplitBackupLineTest : public ::testing::TestWithParam<SplitCase>
{
};

TEST_P(SplitBackupLineTest, GivesFields)
{
    EXPECT_EQ(SplitBackupLine(GetParam().line), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Rule,
    SplitBackupLineTest,
    ::testing::Values(SplitCase{"EmptyLine", "", {}},
                      SplitCase{"BlankOnlyLine", " \t \x01 ", {}},
                      SplitCase{"PlainFields", "1,0.00,S", {"1", "0.00", "S"}},
                      SplitCase{"LeadingBlanksAndControls", "\x01\x1f \ta,b", {"a", "b"}},
                      SplitCase{"BlanksAroundComma", "a  ,  b", {"a", "b"}},
                      SplitCase{"BlankEndsField", "a b", {"a", "b"}},
                      SplitCase{"TabEndsField", "a\tb", {"a", "b"}},
                      SplitCase{"StrayCarriageReturnEndsField", "a\rb", {"a", "b"}},
                      SplitCase{"DoubleCommaGivesEmptyField", "a,,b", {"a", "", "b"}},
                      SplitCase{"BlankBetweenCommasGivesEmptyField", "a, ,b", {"a", "", "b"}},
                      SplitCase{"LeadingCommaGivesEmptyField", ",a", {"", "a"}},
                      SplitCase{"FinalCommaGivesTrailingEmptyField", "a,", {"a", ""}},
                      SplitCase{"FinalCommaBeforeBlanksGivesNothing", "a, ", {"a"}},
                      SplitCase{"LoneComma", ",", {"", ""}},
                      SplitCase{"QuotedFieldKeepsBlanksAndCommas", "\"a b,c\",d", {"a b,c", "d"}},
                      SplitCase{
                          "DoubledQuoteIsOneQuote", "\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
                      SplitCase{"UnterminatedQuoteRunsToEnd", "\"abc, d", {"abc, d"}},
                      SplitCase{"EmptyQuotedField", "\"\",x", {"", "x"}},
                      SplitCase{"TextAfterClosingQuoteIsNextField", "\"ab\"cd", {"ab", "cd"}},
                      SplitCase{"QuoteInsideFieldIsPlain", "a\"b,c", {"a\"b", "c"}},
                      SplitCase{"NulEndsLine", std::string("a,b\0c,d", 7), {"a", "b"}},
                      SplitCase{"NulRightAfterCommaIsLineEnd", std::string("a,\0b", 4), {"a", ""}},
                      SplitCase{"ChineseIsNeverSplit",
                                "2010年05月01日,50000,0,S,N",
                                {"2010年05月01日", "50000", "0", "S", "N"}}),
    [](const ::testing::TestParamInfo<SplitCase>& caseInfo) { return caseInfo.param.name; });

struct AcceptedCase
{
    const char* name;
    std::string bytes;
    std::size_t inputFieldCount;
    std::size_t planCount;
};

void PrintTo(const AcceptedCase& testCase, std::ostream* os)
{
    *os << testCase.name;
}

class ParseBackupAcceptsTest : public ::testing::TestWithParam<AcceptedCase>
{
};

TEST_P(ParseBackupAcceptsTest, ReadsLinesAndFields)
{
    const auto result = ParseBackup(GetParam().bytes);
    ASSERT_TRUE(std::holds_alternative<BackupFile>(result)) << std::get<BackupError>(result).reason;
    const BackupFile& file = std::get<BackupFile>(result);
    EXPECT_EQ(file.inputFields.size(), GetParam().inputFieldCount);
    EXPECT_EQ(file.HasLoanType(), GetParam().inputFieldCount >= 18);
    EXPECT_EQ(file.plan.size(), GetParam().planCount);
}

const std::string kPlanS = GbkDate("2010", "05", "01") + ",50000,0,S,N";
const std::string kPlanG = GbkDate("2011", "01", "15") + ",12500.5,12,G,Y";

INSTANTIATE_TEST_SUITE_P(
    Files,
    ParseBackupAcceptsTest,
    ::testing::Values(
        AcceptedCase{"StartupLineOnly", kStartupLine + "\r\n", 18, 0},
        AcceptedCase{"WithoutFinalLineEnd", kStartupLine, 18, 0},
        AcceptedCase{"SeventeenFieldsFromOlderReleases", kSeventeenFields + "\r\n", 17, 0},
        AcceptedCase{"FieldsPastLoanTypeDropped", kStartupLine + ",x,y\r\n", 18, 0},
        // The reader's caller decides what an index out of range means.
        AcceptedCase{"LoanTypeOutOfRange", InputLineWith(17, "5") + "\r\n", 18, 0},
        AcceptedCase{"NoSelectionIndexes", InputLineWith({{0, "-1"}, {17, "-1"}}), 18, 0},
        AcceptedCase{"SignedIndex", InputLineWith(0, "+1") + "\r\n", 18, 0},
        AcceptedCase{"EmptyNumberFieldKeepsControl", InputLineWith(1, "") + "\r\n", 18, 0},
        AcceptedCase{"EmptyLoanTotal", InputLineWith(4, "") + "\r\n", 18, 0},
        // Negative zero is zero, not a negative number.
        AcceptedCase{"NegativeZero", InputLineWith(9, "-0.000") + "\r\n", 18, 0},
        AcceptedCase{"ComboTextsNotChecked",
                     InputLineWith({{3, "abc"}, {6, "x"}, {8, "2"}, {11, "y"}, {16, ""}}), 18, 0},
        AcceptedCase{"TwoPlanLines", kStartupLine + "\r\n" + kPlanS + "\r\n" + kPlanG + "\r\n", 18,
                     2},
        AcceptedCase{"LineFeedOnly", kStartupLine + "\n" + kPlanS + "\n" + kPlanG + "\n", 18, 2},
        AcceptedCase{"TrailingBlankLinesIgnored",
                     kStartupLine + "\r\n" + kPlanS + "\r\n\r\n \t\r\n\n", 18, 1},
        AcceptedCase{"PlanFieldsPastFlagIgnored", kStartupLine + "\r\n" + kPlanS + ",extra,more",
                     18, 1}),
    [](const ::testing::TestParamInfo<AcceptedCase>& caseInfo) { return caseInfo.param.name; });

struct RefusedCase
{
    const char* name;
    std::string bytes;
    int line;
};

void PrintTo(const RefusedCase& testCase, std::ostream* os)
{
    *os << testCase.name;
}

class ParseBackupRefusesTest : public ::testing::TestWithParam<RefusedCase>
{
};

TEST_P(ParseBackupRefusesTest, NamesTheLine)
{
    const auto result = ParseBackup(GetParam().bytes);
    ASSERT_TRUE(std::holds_alternative<BackupError>(result));
    const BackupError& error = std::get<BackupError>(result);
    EXPECT_EQ(error.line, GetParam().line);
    ASSERT_FALSE(error.reason.empty());
    if (error.line > 0) {
        EXPECT_NE(error.reason.find("第" + std::to_string(error.line) + "行"), std::string::npos)
            << error.reason;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files,
    ParseBackupRefusesTest,
    ::testing::Values(
        RefusedCase{"EmptyFile", "", 0},
        RefusedCase{"BlankFirstLine", "\r\n" + kPlanS + "\r\n", 1},
        RefusedCase{"BlanksOnlyFirstLine", "  \t\r\n", 1},
        RefusedCase{"SixteenFields", kSeventeenFields.substr(0, kSeventeenFields.rfind(',')), 1},
        RefusedCase{"ModeNotInteger", InputLineWith(0, "x"), 1},
        RefusedCase{"ModeDecimal", InputLineWith(0, "1.0"), 1},
        RefusedCase{"ModeEmpty", InputLineWith(0, ""), 1},
        RefusedCase{"LoanTypeNotInteger", InputLineWith(17, "a"), 1},
        RefusedCase{"LoanTypeEmpty", kSeventeenFields + ",", 1},
        RefusedCase{"AreaNotNumber", InputLineWith(1, "x1"), 1},
        // A fractional term would need more schedule rows than the grid is given.
        RefusedCase{"PeriodsFractional", InputLineWith(7, "12.5"), 1},
        RefusedCase{"RateWithThousandsSeparator", InputLineWith(9, "1'000"), 1},
        RefusedCase{"PlanTooFewFields", kStartupLine + "\r\n" + kPlanS + "\r\nA,1,2,S\r\n", 3},
        RefusedCase{"PlanAmountNotNumber", kStartupLine + "\r\nd,abc,0,S,N\r\n", 2},
        RefusedCase{"PlanAmountEmpty", kStartupLine + "\r\nd,,0,S,N\r\n", 2},
        RefusedCase{"PlanAmountNegative", kStartupLine + "\r\nd,-5,0,S,N\r\n", 2},
        RefusedCase{"PlanPeriodsNotNumber", kStartupLine + "\r\nd,5,many,S,N\r\n", 2},
        RefusedCase{"PlanPeriodsEmpty", kStartupLine + "\r\nd,5,,S,N\r\n", 2},
        RefusedCase{"PlanPeriodsNegative", kStartupLine + "\r\nd,5,-1,S,N\r\n", 2},
        RefusedCase{"PlanPartEmpty", kStartupLine + "\r\nd,5,0,,N\r\n", 2},
        RefusedCase{"BlankLineAfterInputLine", kStartupLine + "\r\n\r\n" + kPlanS + "\r\n", 2},
        RefusedCase{"BlankLineBetweenPlanLines",
                    kStartupLine + "\r\n" + kPlanS + "\r\n\r\n\r\n" + kPlanG + "\r\n", 3},
        // All or nothing: a good plan line before the bad one must not leak out.
        RefusedCase{"LaterLineSpoilsWholeFile", kStartupLine + "\r\n" + kPlanS + "\r\nd,x,0,S,N",
                    3},
        RefusedCase{"InvalidGbkTrailByte", kStartupLine + "\r\n" + kPlanS + "\r\n\xC4,1,0,S,N\r\n",
                    3},
        RefusedCase{"InvalidGbkByte", kStartupLine + "\xFF\r\n", 1},
        RefusedCase{"GbkLeadByteAtLineEnd", kStartupLine + "\r\nd,1,0,S,N\xC4\r\n", 2}),
    [](const ::testing::TestParamInfo<RefusedCase>& caseInfo) { return caseInfo.param.name; });

TEST(ParseBackupTest, SixteenFieldsReasonCountsFields)
{
    const auto result = ParseBackup(kSeventeenFields.substr(0, kSeventeenFields.rfind(',')));
    ASSERT_TRUE(std::holds_alternative<BackupError>(result));
    EXPECT_EQ(std::get<BackupError>(result).reason, "第1行只有16个字段，至少需要17个");
}

struct ReasonCase
{
    const char* name;
    std::string bytes;
    std::string reason;
};

void PrintTo(const ReasonCase& testCase, std::ostream* os)
{
    *os << testCase.name;
}

class BackupReasonTest : public ::testing::TestWithParam<ReasonCase>
{
};

// The user finds the field by the number and name a reason gives, so each field's pair is pinned.
TEST_P(BackupReasonTest, NamesTheFieldAsTheUserCountsIt)
{
    const auto result = ParseBackup(GetParam().bytes);
    ASSERT_TRUE(std::holds_alternative<BackupError>(result));
    EXPECT_EQ(std::get<BackupError>(result).reason, GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(
    Files,
    BackupReasonTest,
    ::testing::Values(
        ReasonCase{"Mode", InputLineWith(0, "x"), "第1行第1个字段（计算方式）不是整数"},
        ReasonCase{"Area", InputLineWith(1, "-1"), "第1行第2个字段（面积）是负数"},
        ReasonCase{"Price", InputLineWith(2, "x"), "第1行第3个字段（单价）不是数字"},
        ReasonCase{"LoanTotal", InputLineWith(4, "x"), "第1行第5个字段（贷款总额）不是数字"},
        ReasonCase{"CommercialShare", InputLineWith(5, "-1"),
                   "第1行第6个字段（商业贷款比例）是负数"},
        ReasonCase{"Periods", InputLineWith(7, "12.5"), "第1行第8个字段（按揭期数）不是整数"},
        ReasonCase{"RateS", InputLineWith(9, "x"), "第1行第10个字段（商业贷款年利率）不是数字"},
        ReasonCase{"RateG", InputLineWith(10, "x"), "第1行第11个字段（公积金贷款年利率）不是数字"},
        ReasonCase{"LoanType", InputLineWith(17, "a"), "第1行第18个字段（贷款类型）不是整数"},
        ReasonCase{"PlanAmount", kStartupLine + "\r\nd,abc,0,S,N\r\n",
                   "第2行第2个字段（提前还贷数额）不是数字"},
        ReasonCase{"PlanShorten", kStartupLine + "\r\nd,5,-1,S,N\r\n",
                   "第2行第3个字段（缩短按揭期数）是负数"},
        ReasonCase{"PlanPart", kStartupLine + "\r\nd,5,0,,N\r\n",
                   "第2行第4个字段（还贷类型）是空的"},
        ReasonCase{"PlanTooFewFields", kStartupLine + "\r\n" + kPlanS + "\r\nA,1,2,S\r\n",
                   "第3行只有4个字段，至少需要5个"}),
    [](const ::testing::TestParamInfo<ReasonCase>& caseInfo) { return caseInfo.param.name; });

// Which input fields land in number controls decides what is refused; the others are combo
// texts whose check is left to the next calculation.
TEST(ParseBackupTest, OnlyNumberFieldsRefuseNegativeAndNonNumbers)
{
    const std::vector<std::size_t> numberFields{1, 2, 4, 5, 7, 9, 10};
    for (std::size_t index = 1; index < 17; ++index) {
        const bool isNumber =
            std::find(numberFields.begin(), numberFields.end(), index) != numberFields.end();
        for (const char* text : {"-1", "abc"}) {
            const auto result = ParseBackup(InputLineWith(index, text));
            EXPECT_EQ(std::holds_alternative<BackupError>(result), isNumber)
                << "field " << index << " = " << text;
        }
    }
}

TEST(ParseBackupTest, KeepsInputTextsAsWritten)
{
    const auto result = ParseBackup(kStartupLine + "\r\n");
    ASSERT_TRUE(std::holds_alternative<BackupFile>(result));
    EXPECT_EQ(std::get<BackupFile>(result).inputFields, SplitBackupLine(kStartupLine));
}

struct PlanLineCase
{
    const char* name;
    std::string line; // GBK
    Ttqhd entry;
    std::string itemText; // UTF-8
};

void PrintTo(const PlanLineCase& testCase, std::ostream* os)
{
    *os << testCase.name;
}

class PlanLineTest : public ::testing::TestWithParam<PlanLineCase>
{
};

TEST_P(PlanLineTest, BecomesEntryAndItemText)
{
    const auto result = ParseBackup(kStartupLine + "\r\n" + GetParam().line + "\r\n");
    ASSERT_TRUE(std::holds_alternative<BackupFile>(result)) << std::get<BackupError>(result).reason;
    const BackupFile& file = std::get<BackupFile>(result);
    ASSERT_EQ(file.plan.size(), 1u);
    const Ttqhd entry = file.plan[0].ToEntry();
    const Ttqhd& expected = GetParam().entry;
    EXPECT_EQ(entry.tqdate, expected.tqdate);
    EXPECT_EQ(entry.tqse, expected.tqse);
    EXPECT_EQ(entry.sdajqs, expected.sdajqs);
    EXPECT_EQ(entry.tqhdType, expected.tqhdType);
    EXPECT_EQ(entry.oneover, expected.oneover);
    EXPECT_EQ(file.plan[0].ItemText(), GetParam().itemText);
}

INSTANTIATE_TEST_SUITE_P(
    Files,
    PlanLineTest,
    ::testing::Values(PlanLineCase{"WholeAmountKeepsNoDecimals", kPlanS,
                                   Ttqhd{"2010年05月01日", 50000, 0, LoanPart::S, false},
                                   "2010年05月01日 S<=> 50000 元 0 期 N"},
                      PlanLineCase{"HalfYuanAndPayOff", kPlanG,
                                   Ttqhd{"2011年01月15日", 12500.5, 12, LoanPart::G, true},
                                   "2011年01月15日 G<=> 12500.5 元 12 期 Y"},
                      PlanLineCase{"OtherFlagTextIsClearAndShown",
                                   GbkDate("2012", "03", "15") + ",100,0,S,X",
                                   Ttqhd{"2012年03月15日", 100, 0, LoanPart::S, false},
                                   "2012年03月15日 S<=> 100 元 0 期 X"},
                      PlanLineCase{"LowercaseYIsNotPayOff", "d,1,0,G,y",
                                   Ttqhd{"d", 1, 0, LoanPart::G, false}, "d G<=> 1 元 0 期 y"},
                      PlanLineCase{"NumbersRewrittenInGeneralForm", "d,1.50e3,006,S,N",
                                   Ttqhd{"d", 1500, 6, LoanPart::S, false},
                                   "d S<=> 1500 元 6 期 N"},
                      PlanLineCase{"PartIsFirstCharacterOnly", "d,1,0,Gx,N",
                                   Ttqhd{"d", 1, 0, LoanPart::G, false}, "d G<=> 1 元 0 期 N"},
                      // A part letter is a character, not a byte: a Chinese one must stay whole.
                      PlanLineCase{"ChinesePartKeptWhole", "d,1,0,\xC9\xCC\xD2\xB5,N",
                                   Ttqhd{"d", 1, 0, "商", false}, "d 商<=> 1 元 0 期 N"},
                      PlanLineCase{"EmptyFlagAllowed", "d,1,0,S,",
                                   Ttqhd{"d", 1, 0, LoanPart::S, false}, "d S<=> 1 元 0 期 "}),
    [](const ::testing::TestParamInfo<PlanLineCase>& caseInfo) { return caseInfo.param.name; });

// A line of a part the program does not know goes through the plan list and back as written.
TEST(PlanLineOfAnotherPart, IsWrittenBackAsRead)
{
    const auto result = ParseBackup(kStartupLine + "\r\nd,1,0,X,N\r\nd,2,0,\xC9\xCC,N\r\n");
    ASSERT_TRUE(std::holds_alternative<BackupFile>(result));
    const BackupFile& file = std::get<BackupFile>(result);
    BackupFile written = file;
    written.plan.clear();
    const PlanList plan = PlanFromBackup(file);
    for (const PlanList::Item& item : plan.Items()) {
        EXPECT_FALSE(PartOf(item.entry));
        written.plan.push_back(FromEntry(item.entry));
    }
    EXPECT_EQ(BackupBytes(written), BackupBytes(file));
}

BackupFile SampleFile()
{
    BackupFile file;
    file.inputFields = SplitBackupLine(kStartupLine);
    file.plan.push_back(FromEntry(Ttqhd{"2010年05月01日", 50000, 0, LoanPart::S, false}));
    file.plan.push_back(FromEntry(Ttqhd{"2011年01月15日", 12500.5, 12, LoanPart::G, true}));
    return file;
}

TEST(BackupBytesTest, WritesGbkWithCrLfAndNoQuoting)
{
    const std::optional<std::string> bytes = BackupBytes(SampleFile());
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, kStartupLine + "\r\n" + kPlanS + "\r\n" + kPlanG + "\r\n");
}

TEST(BackupBytesTest, NoPlanWritesOneLine)
{
    BackupFile file = SampleFile();
    file.plan.clear();
    EXPECT_EQ(BackupBytes(file), kStartupLine + "\r\n");
}

TEST(BackupBytesTest, ReadsBackUnchanged)
{
    const BackupFile written = SampleFile();
    const auto result = ParseBackup(*BackupBytes(written));
    ASSERT_TRUE(std::holds_alternative<BackupFile>(result));
    const BackupFile& read = std::get<BackupFile>(result);
    EXPECT_EQ(read.inputFields, written.inputFields);
    ASSERT_EQ(read.plan.size(), written.plan.size());
    for (std::size_t i = 0; i < read.plan.size(); ++i) {
        EXPECT_EQ(read.plan[i].ItemText(), written.plan[i].ItemText());
        EXPECT_EQ(read.plan[i].ToEntry().oneover, written.plan[i].ToEntry().oneover);
    }
}

struct UnwritableCase
{
    const char* name;
    std::string inputField;
    std::string tqdate;
};

void PrintTo(const UnwritableCase& testCase, std::ostream* os)
{
    *os << testCase.name;
}

class BackupBytesRefusesTest : public ::testing::TestWithParam<UnwritableCase>
{
};

TEST_P(BackupBytesRefusesTest, GivesNothing)
{
    BackupFile file = SampleFile();
    file.inputFields[1] = GetParam().inputField;
    file.plan[0].tqdate = GetParam().tqdate;
    EXPECT_FALSE(BackupBytes(file));
}

INSTANTIATE_TEST_SUITE_P(
    Texts,
    BackupBytesRefusesTest,
    ::testing::Values(UnwritableCase{"EmojiInDate", "0.00", "2010年05月01日😀"},
                      UnwritableCase{"EmojiInInputField", "😀", "2010年05月01日"},
                      // A line break would turn one plan line into two on reading.
                      UnwritableCase{"LineFeedInDate", "0.00", "2010\n05"},
                      UnwritableCase{"CarriageReturnInInputField", "0.00\r", "d"}),
    [](const ::testing::TestParamInfo<UnwritableCase>& caseInfo) { return caseInfo.param.name; });

class BackupFileTest : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        m_dir = std::filesystem::path(::testing::TempDir()) /
                ("lumavo_backup_" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    std::string PathOf(const char* name) const { return (m_dir / name).string(); }

    std::filesystem::path m_dir;
};

TEST_F(BackupFileTest, WrittenFileHoldsExactBytesAndReadsBack)
{
    const std::string path = PathOf("等额本息输入信息.bak");
    ASSERT_EQ(WriteBackupFile(path, SampleFile()), std::nullopt);

    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(bytes, kStartupLine + "\r\n" + kPlanS + "\r\n" + kPlanG + "\r\n");

    const auto result = ReadBackupFile(path);
    ASSERT_TRUE(std::holds_alternative<BackupFile>(result));
    EXPECT_EQ(std::get<BackupFile>(result).plan.size(), 2u);
}

TEST_F(BackupFileTest, MissingFileIsWholeFileError)
{
    const auto result = ReadBackupFile(PathOf("none.bak"));
    ASSERT_TRUE(std::holds_alternative<BackupError>(result));
    EXPECT_EQ(std::get<BackupError>(result).line, 0);
    EXPECT_FALSE(std::get<BackupError>(result).reason.empty());
}

TEST_F(BackupFileTest, UnwritableTextKeepsPreviousFile)
{
    const std::string path = PathOf("keep.bak");
    ASSERT_EQ(WriteBackupFile(path, SampleFile()), std::nullopt);
    BackupFile bad = SampleFile();
    bad.plan[0].tqdate = "😀";
    EXPECT_NE(WriteBackupFile(path, bad), std::nullopt);
    const auto result = ReadBackupFile(path);
    ASSERT_TRUE(std::holds_alternative<BackupFile>(result));
    EXPECT_EQ(std::get<BackupFile>(result).plan[0].tqdate, "2010年05月01日");
}

// Regression guard for the fuzzer: arbitrary bytes must give a file or an error, never a crash
// or a runaway allocation.
TEST(ParseBackupRobustnessTest, SurvivesArbitraryAndHugeInput)
{
    std::uint32_t state = 12345;
    const auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return static_cast<char>(state >> 24);
    };
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(static_cast<std::size_t>(round % 97), '\0');
        for (char& c : bytes)
            c = next();
        if (round % 2 == 0)
            bytes = kStartupLine + "\r\n" + bytes;
        const auto result = ParseBackup(bytes);
        EXPECT_TRUE(std::holds_alternative<BackupFile>(result) ||
                    !std::get<BackupError>(result).reason.empty());
    }

    const std::string manyCommas = kStartupLine + std::string(4'000'000, ',');
    EXPECT_TRUE(std::holds_alternative<BackupFile>(ParseBackup(manyCommas)));
    const std::string manyBlankLines = kStartupLine + std::string(4'000'000, '\n');
    EXPECT_TRUE(std::holds_alternative<BackupFile>(ParseBackup(manyBlankLines)));
    const std::string longQuote = kStartupLine + "\r\nd,1,0,S,\"" + std::string(4'000'000, 'a');
    EXPECT_TRUE(std::holds_alternative<BackupFile>(ParseBackup(longQuote)));
}

// An import derives the loan total with the ratio the page shows at that moment, through the
// same rule as typing does: the file's ratio is set afterwards and runs no rule.
TEST(LoanFormTest, ImportDerivesWithTheRatioShown)
{
    BackupFile file;
    file.inputFields = {"0",     "50.03", "12345", "8",  "",   "100",  "20", "240", "1",
                        "6.000", "0.000", "2009",  "01", "15", "2009", "02", "15",  "0"};
    LoanForm form;
    form.StartUp(2029);
    form.Choose(FormPicker::Ratio, "7");
    ASSERT_TRUE(std::holds_alternative<FormMessages>(ApplyBackup(form, file)));
    EXPECT_EQ(form.Number(FormNumber::LoanTotal).text, "432334.25");
    EXPECT_EQ(form.Choice(FormPicker::Ratio).Text(), "8");

    // A fresh page shows 8 when the price arrives.
    const auto input = LoanInputFromBackup(file, 2026);
    ASSERT_TRUE(std::holds_alternative<LoanInput>(input));
    EXPECT_DOUBLE_EQ(std::get<LoanInput>(input).dkze, DerivedLoanTotal(50.03, 12345, 8));
}

// A fractional share once lent 100.5 % in the window (2.5 and 98) and 100 % in lumavo-cli.
TEST(LoanInputFromBackupTest, SharesAreWholeAndAddUpTo100)
{
    const struct
    {
        const char* share;
        double s, g;
    } cases[] = {
        {"2.5", 3, 97}, {"50.5", 51, 49}, {"0.4", 0, 100}, {"150", 100, 0}, {"60", 60, 40}};
    for (const auto& c : cases) {
        BackupFile file;
        // 17 fields: the loan type follows the share as the page holds it.
        file.inputFields = SplitBackupLine(InputLineWith(5, c.share));
        file.inputFields.pop_back();
        const auto input = LoanInputFromBackup(file, 2026);
        ASSERT_TRUE(std::holds_alternative<LoanInput>(input)) << c.share;
        EXPECT_EQ(std::get<LoanInput>(input).ratioS, c.s) << c.share;
        EXPECT_EQ(std::get<LoanInput>(input).ratioG, c.g) << c.share;
    }
}

// A 300 MB one-line file was refused only after 5.4 s and 882 MB of memory.
TEST_F(BackupFileTest, FileOverTheBoundIsRefusedUnread)
{
    const std::string path = PathOf("huge.bak");
    std::ofstream(path).close();
    std::filesystem::resize_file(path, 300u << 20); // sparse: nothing to read cheaply either
    const auto result = ReadBackupFile(path);
    ASSERT_TRUE(std::holds_alternative<BackupError>(result));
    EXPECT_NE(std::get<BackupError>(result).reason.find(path), std::string::npos);
    EXPECT_NE(std::get<BackupError>(result).reason.find("MiB"), std::string::npos);
}

} // namespace
} // namespace lumavo
