#include "calc/schedule_text.h"
#include "cli/cli_app.h"
#include "common/atomic_file.h"
#include "files/backup.h"
#include "files/backup_loan.h"
#include "files/bank_records.h"
#include "files/loan_file.h"
#include "tests/support/temp_dir.h"
#include "tests/support/workbook_check.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace lumavo::cli {
namespace {

namespace fs = std::filesystem;

const fs::path kCases = fs::path(LUMAVO_TEST_DATA) / "cli";
const Environment kEnvironment{"/nonexistent/", 2026};

std::string Slurp(const fs::path& path)
{
    return ReadWholeFile(path.string()).value_or("");
}

using testing_support::TempDir;

std::vector<std::string> CaseFolders(const fs::path& root)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(root))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> GoldenCases()
{
    return CaseFolders(kCases);
}

// One folder per case: input.bak, an optional percents.ini and the JSON the command prints.
class Golden : public testing::TestWithParam<std::string>
{
};

TEST_P(Golden, JsonMatches)
{
    const fs::path folder = kCases / GetParam();
    const fs::path rates = folder / "percents.ini";
    const std::string method = GetParam().rfind("debj", 0) == 0 ? "debj" : "debx";
    const Result result = RunCli({"--method", method, "--rates", rates.string(), "--format", "json",
                                  (folder / "input.bak").string()},
                                 kEnvironment);
    EXPECT_EQ(result.out, Slurp(folder / "expected.json"));
    EXPECT_EQ(result.status, GetParam().rfind("refused", 0) == 0 ? kExitRefused : kExitOk)
        << result.err;
}

INSTANTIATE_TEST_SUITE_P(Cases, Golden, testing::ValuesIn(GoldenCases()), [](const auto& p) {
    std::string name = p.param;
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
});

// Each case's backup written as a loan file with the case's archive computes the same schedule
// from the loan file alone: it carries the tables and the method.
class LoanFileGolden : public testing::TestWithParam<std::string>
{
};

TEST_P(LoanFileGolden, ComputesAsTheBackupItWasWrittenFrom)
{
    const fs::path folder = kCases / GetParam();
    const std::string method = GetParam().rfind("debj", 0) == 0 ? "debj" : "debx";
    TempDir dir;
    const std::string loan = dir.File("loan.lumavo");
    const Result written =
        RunCli({"--method", method, "--rates", (folder / "percents.ini").string(), "--write-loan",
                loan, (folder / "input.bak").string()},
               kEnvironment);
    ASSERT_EQ(written.status, kExitOk) << written.err;
    EXPECT_EQ(written.out, "");
    const Result result = RunCli({"--format", "json", loan}, kEnvironment);
    EXPECT_EQ(result.out, Slurp(folder / "expected.json"));
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         LoanFileGolden,
                         testing::ValuesIn(GoldenCases()),
                         [](const auto& p) {
                             std::string name = p.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(CommandLine, ALoanFileThatFailsIsNamedWithLineAndKey)
{
    TempDir dir;
    const std::string path =
        dir.Write("a.LUMAVO", "{\n  \"format\": \"lumavo-loan\",\n  \"version\": \"3.0\"\n}\n")
            .string();
    const Result result = RunCli({path}, kEnvironment);
    EXPECT_EQ(result.status, kExitFileError);
    EXPECT_EQ(result.err,
              "lumavo-cli: " + path +
                  ":3: 不是有效的贷款方案文件：“version”是3.0版的贷款方案，本程序只能读取1.x"
                  "版，请使用更新的程序\n");
}

const fs::path kAnalysisCases = fs::path(LUMAVO_TEST_DATA) / "cli-compare";

// Runs a case folder: the options one per line in args, then its records.csv as --reconcile when
// it has one, its percents.ini and input.bak; it prints expected.txt, and a folder named
// refused-… ends refused.
void ExpectCaseOutput(const fs::path& folder, const Environment& environment)
{
    std::vector<std::string> args;
    std::istringstream lines(Slurp(folder / "args"));
    for (std::string line; std::getline(lines, line);)
        args.push_back(line);
    if (fs::exists(folder / "records.csv"))
        args.insert(args.end(), {"--reconcile", (folder / "records.csv").string()});
    args.insert(args.end(),
                {"--rates", (folder / "percents.ini").string(), (folder / "input.bak").string()});
    const Result result = RunCli(args, environment);
    EXPECT_EQ(result.out, Slurp(folder / "expected.txt"));
    EXPECT_EQ(result.status,
              folder.filename().string().rfind("refused", 0) == 0 ? kExitRefused : kExitOk)
        << result.err;
}

// --compare and --preview, one folder per case: input.bak, the options one per line in args,
// and what the command prints. Kept apart from the schedule cases, which the window imports.
class AnalysisGolden : public testing::TestWithParam<std::string>
{
};

TEST_P(AnalysisGolden, OutputMatches)
{
    ExpectCaseOutput(kAnalysisCases / GetParam(), kEnvironment);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         AnalysisGolden,
                         testing::ValuesIn(CaseFolders(kAnalysisCases)),
                         [](const auto& p) {
                             std::string name = p.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

const std::string kBasicLine =
    "1,0.00,0.00,8,100000.00,100,1,12,1,6.000,0.000,2009,01,15,2009,02,15,0\r\n";

TEST(CommandLine, RefusalGoesToStandardErrorWithItsLineBreak)
{
    TempDir dir;
    const fs::path file =
        dir.Write("a.bak", "1,0.00,0.00,8,0.00,100,1,12,1,6.000,0.000,2009,01,15,2009,02,15,0\r\n");
    const Result table = RunCli({file.string()}, kEnvironment);
    EXPECT_EQ(table.status, kExitRefused);
    EXPECT_EQ(table.err, "贷款总额须大于零！\n");
    EXPECT_EQ(table.out, "");
}

struct BadFile
{
    std::string name;
    std::string bytes;
    std::string where; // "a.bak:<line>" expected in the message
};

class BrokenBackup : public testing::TestWithParam<BadFile>
{
};

TEST_P(BrokenBackup, NamesFileAndLineAndExitsOne)
{
    TempDir dir;
    const fs::path file = dir.Write("a.bak", GetParam().bytes);
    const Result result = RunCli({"--format", "json", file.string()}, kEnvironment);
    EXPECT_EQ(result.status, kExitFileError);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find((dir.Dir() / GetParam().where).string()), std::string::npos)
        << result.err;
}

INSTANTIATE_TEST_SUITE_P(
    Files,
    BrokenBackup,
    testing::Values(
        BadFile{"Empty", "", "a.bak"},
        BadFile{"SixteenFields", "1,0.00,0.00,8,1.00,100,1,12,1,6.000,0.000,2009,01,15,2009,02\r\n",
                "a.bak:1"},
        BadFile{"ShortPlanLine", kBasicLine + "x,1,0,S\r\n", "a.bak:2"},
        BadFile{"YearOutsideTheList",
                "1,0.00,0.00,8,1.00,100,1,12,1,6.000,0.000,1996,01,15,2009,02,15,0\r\n", "a.bak:1"},
        BadFile{"DayOutsideTheList",
                "1,0.00,0.00,8,1.00,100,1,12,1,6.000,0.000,2009,01,15,2009,02,32,0\r\n", "a.bak:1"},
        BadFile{"DayPastTheMonth",
                "1,0.00,0.00,8,1.00,100,1,12,1,6.000,0.000,2009,01,15,2009,02,29,0\r\n", "a.bak:1"},
        BadFile{"FractionalPeriods",
                "1,0.00,0.00,8,1.00,100,1,12.5,1,6.000,0.000,2009,01,15,2009,02,15,0\r\n",
                "a.bak:1"},
        BadFile{"Binary", std::string("\x00\xff\xfe,\x81", 5), "a.bak"}),
    [](const auto& p) { return p.param.name; });

TEST(CommandLine, MissingFileIsAnErrorNamingIt)
{
    const Result result = RunCli({"/nonexistent/x.bak"}, kEnvironment);
    EXPECT_EQ(result.status, kExitFileError);
    EXPECT_NE(result.err.find("/nonexistent/x.bak"), std::string::npos);
}

TEST(CommandLine, UsageErrorsExitOne)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--bogus", "a.bak"},
                                                 {"--method", "xyz", "a.bak"},
                                                 {},
                                                 {"--format", "xls", "a.bak"},
                                                 {"a.bak", "b.bak"},
                                                 {"--format"}}) {
        const Result result = RunCli(args, kEnvironment);
        EXPECT_EQ(result.status, kExitFileError);
        EXPECT_NE(result.err.find("--help"), std::string::npos) << result.err;
    }
}

struct UsageCase
{
    const char* name;
    std::vector<std::string> args;
    std::string err;
};

void PrintTo(const UsageCase& testCase, std::ostream* os)
{
    *os << testCase.name;
}

class Usage : public testing::TestWithParam<UsageCase>
{
};

TEST_P(Usage, SaysWhatIsWrong)
{
    EXPECT_EQ(RunCli(GetParam().args, kEnvironment).err,
              "lumavo-cli: " + GetParam().err + "（用 --help 查看用法）\n");
}

INSTANTIATE_TEST_SUITE_P(
    Errors,
    Usage,
    testing::Values(
        UsageCase{"UnknownOption", {"--bogus", "a.bak"}, "未知选项：--bogus"},
        UsageCase{
            "UnknownMethod", {"--method", "xyz", "a.bak"}, "--method 只能是 debx 或 debj：xyz"},
        UsageCase{"UnknownFormat",
                  {"--format=pdf", "a.bak"},
                  "--format 只能是 table、csv、json、xls 或 xlsx：pdf"},
        UsageCase{"OptionWithoutValue", {"a.bak", "--rates"}, "选项 --rates 需要一个值"},
        UsageCase{"NoBackupFile", {}, "缺少备份文件（.bak）"},
        UsageCase{"TwoBackupFiles", {"a.bak", "b.bak"}, "只能给出一个备份文件，多出：b.bak"},
        UsageCase{
            "XlsWithoutOutput", {"--format", "xls", "a.bak"}, "--format xls 需要 --output 文件"},
        UsageCase{"UnknownRule",
                  {"--rates-rule", "lpr5:-30", "a.bak"},
                  "--rates-rule 的值无效：lpr5:-30"},
        UsageCase{"ProvidentRuleOnCommercial",
                  {"--rates-rule=pf:1", "a.bak"},
                  "--rates-rule 的值无效：pf:1"},
        UsageCase{"WriteRatesWithoutRule",
                  {"--write-rates", "p.ini", "a.bak"},
                  "--write-rates 需要 --rates-rule 或 --pf-rule"},
        UsageCase{
            "XlsxWithoutOutput", {"--format", "xlsx", "a.bak"}, "--format xlsx 需要 --output 文件"},
        UsageCase{"PreviewWithoutPart",
                  {"--preview", "2029-12-08,200000", "a.bak"},
                  "--preview 须为 日期,数额,类型（如 2029-12-08,200000,S）：2029-12-08,200000"},
        UsageCase{"PreviewUnknownPart",
                  {"--preview=2029-12-08,1,X", "a.bak"},
                  "--preview 须为 日期,数额,类型（如 2029-12-08,200000,S）：2029-12-08,1,X"},
        UsageCase{"CompareAndPreview",
                  {"--compare", "--preview", "2029-12-08,1,S", "a.bak"},
                  "--compare 和 --preview 不能同时使用"},
        UsageCase{"RuleMixedWithRateChange",
                  {"--lpr-rule", "S,-30,jan1", "--rate-change", "2024-10-25,S,3.9", "a.bak"},
                  "商业贷款的 --rate-change 不能与按规则生成的利率调整同时使用"},
        UsageCase{"RuleAnchorUnknown",
                  {"--lpr-rule=S,-30,jan2", "a.bak"},
                  "--lpr-rule 的值无效：S,-30,jan2"},
        UsageCase{"RuleCycleNotOffered",
                  {"--lpr-rule=S,-30,jan1,4", "a.bak"},
                  "--lpr-rule 的值无效：S,-30,jan1,4"},
        UsageCase{"CutWithoutPricing",
                  {"--cut-2024", "S", "a.bak"},
                  "--spread-change、--cut-2023 和 --cut-2024 需要 --lpr-rule 或 --converted-2020"},
        UsageCase{"TwoPricings",
                  {"--lpr-rule=S,0,jan1", "--converted-2020=S,5.39", "a.bak"},
                  "--lpr-rule 和 --converted-2020 只能给出一个"},
        UsageCase{"RateChangeBadDate",
                  {"--rate-change", "2024-02-30,S,3.9", "a.bak"},
                  "--rate-change 的值无效：2024-02-30,S,3.9"},
        UsageCase{"CompareAsXls",
                  {"--compare", "--format", "xls", "--output", "x.xls", "a.bak"},
                  "--compare 和 --preview 只能输出 table、csv 或 json"},
        UsageCase{"ReconcileWithoutPart",
                  {"--reconcile", "r.csv", "a.bak"},
                  "--reconcile 需要 --part S 或 G"},
        UsageCase{"PartUnknown",
                  {"--reconcile", "r.csv", "--part", "s", "a.bak"},
                  "--part 只能是 S 或 G：s"},
        UsageCase{
            "PartWithoutReconcile", {"--part=G", "a.bak"}, "--part 只能与 --reconcile 同时使用"},
        UsageCase{"ReconcileAsXlsx",
                  {"--reconcile=r.csv", "--part=S", "--format=xlsx", "--output=x.xlsx", "a.bak"},
                  "--reconcile 只能输出 table、csv 或 json"},
        UsageCase{"ReconcileAndCompare",
                  {"--reconcile=r.csv", "--part=S", "--compare", "a.bak"},
                  "--reconcile 不能与 --compare、--preview 或 --show-rate-changes 同时使用"}),
    [](const auto& p) { return std::string(p.param.name); });

// 2009年05月15日 in GBK: 1000 yuan of the commercial part.
const std::string kPrepaymentLine = "2009\xC4\xEA"
                                    "05\xD4\xC2"
                                    "15\xC8\xD5,1000,0,S,N\r\n";

struct TotalsCase
{
    const char* name;
    std::string method;
    std::string bytes;
    std::string totals;
};

void PrintTo(const TotalsCase& testCase, std::ostream* os)
{
    *os << testCase.name;
}

class TableTotals : public testing::TestWithParam<TotalsCase>
{
};

// The captions are the window's; the blanks that line them up there must not reach the table.
TEST_P(TableTotals, UseTheWindowsCaptionsTrimmed)
{
    TempDir dir;
    const Result result =
        RunCli({"--method", GetParam().method, dir.Write("a.bak", GetParam().bytes).string()},
               kEnvironment);
    ASSERT_EQ(result.status, kExitOk) << result.err;
    const std::size_t at = result.out.rfind("\n\n");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(result.out.substr(at + 2), GetParam().totals);
}

INSTANTIATE_TEST_SUITE_P(
    Captions,
    TableTotals,
    testing::Values(TotalsCase{"Debj", "debj", kBasicLine,
                               "月本金还款额：8333.33\n还款总额：103266.67\n利息总额：3266.67\n"
                               "还款截止日期：2010年01月15日\n"},
                    // A prepayment leaves the window's summary field empty.
                    TotalsCase{"SummaryNotApplicable", "debx", kBasicLine + kPrepaymentLine,
                               "月还款额：—（不适用）\n还款总额：103284.81\n利息总额：3284.81\n"
                               "还款截止日期：2010年01月15日\n"}),
    [](const auto& p) { return std::string(p.param.name); });

struct ShareLimit
{
    const char* name;
    const char* preview;
    int status;
    std::string err;
};

class PreviewShareLimit : public testing::TestWithParam<ShareLimit>
{
};

// Regression: 350,000.00 at 70 % lends the commercial part 245,000.00, which --preview once
// refused as more than the part.
TEST_P(PreviewShareLimit, TakesThePartAsTheScheduleLendsIt)
{
    TempDir dir;
    const fs::path file = dir.Write(
        "a.bak", "1,0.00,0.00,8,350000.00,70,20,240,1,4.900,3.250,2020,01,15,2020,02,15,2\r\n");
    const Result result = RunCli({"--preview", GetParam().preview, file.string()}, kEnvironment);
    EXPECT_EQ(result.status, GetParam().status) << result.err;
    EXPECT_EQ(result.err, GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(
    Amounts,
    PreviewShareLimit,
    testing::Values(ShareLimit{"WholePart", "2021-05-01,245000,S", kExitOk, ""},
                    ShareLimit{"FenAboveThePart", "2021-05-01,245000.01,S", kExitRefused,
                               "商业贷款提前还贷数额须小于等于商业贷款总额！\n"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(CommandLine, HelpListsEveryOption)
{
    const Result result = RunCli({"--help"}, kEnvironment);
    EXPECT_EQ(result.status, kExitOk);
    for (const char* option : {"--method",
                               "--rates",
                               "--rates-rule",
                               "--pf-rule",
                               "--future-lpr",
                               "--write-rates",
                               "--write-loan",
                               "--rates-data",
                               "--format",
                               "--output",
                               "--rate-change",
                               "--lpr-rule",
                               "--converted-2020",
                               "--spread-change",
                               "--cut-2023",
                               "--cut-2024",
                               "--show-rate-changes",
                               "--bank-rounding",
                               "--reconcile",
                               "--part"})
        EXPECT_NE(result.out.find(option), std::string::npos) << option;
}

TEST(CommandLine, CsvHasAHeaderRowAndOneLinePerRow)
{
    TempDir dir;
    const Result result =
        RunCli({"--format=csv", dir.Write("a.bak", kBasicLine).string()}, kEnvironment);
    ASSERT_EQ(result.status, kExitOk);
    EXPECT_EQ(result.out.substr(0, result.out.find('\n')),
              "还款日期,月利息还款额（元）,月本金还款额（元）,月还款额（元）,剩余本金（元）,"
              "已还利息（元）,商业贷款提前还贷（元）,公积金贷款提前还贷（元）");
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 13);
    EXPECT_NE(result.out.find("\n2009年02月15日,516.67,8106.64,8623.31,91893.36,516.67,,\n"),
              std::string::npos);
}

TEST(CommandLine, TableEndsWithTheTotals)
{
    TempDir dir;
    const Result result = RunCli({dir.Write("a.bak", kBasicLine).string()}, kEnvironment);
    ASSERT_EQ(result.status, kExitOk);
    EXPECT_NE(result.out.find("月还款额：8606.64\n还款总额：103296.38\n利息总额：3296.38\n"
                              "还款截止日期：2010年01月15日\n"),
              std::string::npos);
}

TEST(CommandLine, XlsWritesTheWholeGrid)
{
    TempDir dir;
    const fs::path output = dir.Dir() / "out.xls";
    const Result result = RunCli(
        {"--format", "xls", "--output", output.string(), dir.Write("a.bak", kBasicLine).string()},
        kEnvironment);
    ASSERT_EQ(result.status, kExitOk) << result.err;
    const std::string bytes = Slurp(output);
    // 8 columns x 13 rows of cells, header texts and every filled cell in GBK.
    ASSERT_GE(bytes.size(), 22u + 12u * 104u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x09\x08\x08\x00", 4));
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\x0a\x00\x00\x00", 4));
}

// A floating-rate loan of 1,000,000 lent 2021-06-15 over 360 periods, priced at LPR - 30 bp.
const std::string kLprLoan =
    "1,0.00,0.00,8,1000000.00,100,30,360,0,0.000,0.000,2021,06,15,2021,07,15,0\r\n";

// A program folder holding the shipped rate data, and no user file.
Environment WithRateData(const TempDir& dir)
{
    fs::copy_file(fs::path(LUMAVO_TEST_DATA) / ".." / ".." / "resources" / "rates" / "rates.csv",
                  dir.Dir() / "rates.csv");
    return Environment{dir.Path() + "/", 2026, {}, {}};
}

TEST(RateRules, WrittenArchiveComputesAsTheRuleDoes)
{
    TempDir dir;
    const Environment environment = WithRateData(dir);
    const std::string loan = dir.Write("lpr.bak", kLprLoan).string();
    const Result direct = RunCli({"--rates-rule", "lpr:-30", "--format=csv", loan}, environment);
    ASSERT_EQ(direct.status, kExitOk) << direct.err;
    // 30 days at 4.35 % on the lending year's entry, then 2022 at 4.35 and 2023 at 4.00.
    EXPECT_NE(direct.out.find("\n2021年07月15日,3625.00,"), std::string::npos);

    const std::string archive = (dir.Dir() / "percents.ini").string();
    const Result written =
        RunCli({"--rates-rule=lpr:-30", "--write-rates", archive, loan}, environment);
    ASSERT_EQ(written.status, kExitOk) << written.err;
    EXPECT_EQ(written.out, "");
    const std::string ini = Slurp(archive);
    EXPECT_NE(ini.find("percent0=4.35\r\n"), std::string::npos);
    EXPECT_NE(ini.find("percent3=4\r\n"), std::string::npos);
    EXPECT_EQ(ini.find("GPERCENTS"), std::string::npos); // only the sections of the rules given
    EXPECT_EQ(RunCli({"--rates", archive, "--format=csv", loan}, environment).out, direct.out);
}

TEST(RateRules, RatesDataSaysWhereEachValueCameFrom)
{
    TempDir dir;
    Environment environment = WithRateData(dir);
    fs::create_directories(dir.Dir() / "data" / "lumavo");
    dir.Write("data/lumavo/rates.csv", "kind,effective,rate,source\nlpr5y,2026-06-22,3.4,me\n");
    environment.data.xdgDataHome = dir.Path() + "/data";
    const Result result = RunCli({"--rates-data"}, environment);
    ASSERT_EQ(result.status, kExitOk) << result.err;
    EXPECT_NE(result.out.find("\nlpr5y,2019-08-20,4.85,随程序提供,"), std::string::npos);
    EXPECT_NE(result.out.find("\nlpr5y,2026-06-22,3.4,用户文件,me\n"), std::string::npos);
}

TEST(RateRules, LoanBeforeTheDataIsRefusedNamingTheDay)
{
    TempDir dir;
    const Environment environment = WithRateData(dir);
    const std::string loan = dir.Write("old.bak", "1,0.00,0.00,8,100000.00,100,20,240,0,0.000,"
                                                  "0.000,2007,06,01,2007,07,01,0\r\n")
                                 .string();
    const Result result = RunCli({"--rates-rule", "benchmark:0.85", loan}, environment);
    EXPECT_EQ(result.status, kExitFileError);
    EXPECT_NE(result.err.find("2007年06月01日"), std::string::npos);
}

const fs::path kRuleCases = fs::path(LUMAVO_TEST_DATA) / "cli-rates";

// 利率调整 given or generated by rule, one folder per case as for --compare, run over the
// shipped rate data: input.bak, the options in args, what the command prints.
class RuleGolden : public testing::TestWithParam<std::string>
{
};

TEST_P(RuleGolden, OutputMatches)
{
    TempDir dir;
    const Environment environment = WithRateData(dir);
    ExpectCaseOutput(kRuleCases / GetParam(), environment);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         RuleGolden,
                         testing::ValuesIn(CaseFolders(kRuleCases)),
                         [](const auto& p) {
                             std::string name = p.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

struct WorkbookCase
{
    const char* name;
    std::string method;
    std::string bytes;
    std::vector<std::pair<std::string, std::string>> lines; // the block above the table
};

void PrintTo(const WorkbookCase& testCase, std::ostream* os)
{
    *os << testCase.name;
}

class Workbook : public testing::TestWithParam<WorkbookCase>
{
};

// A spreadsheet must be able to add the amounts up: read back by a real reader, every amount is
// a number equal to the text the grid shows.
TEST_P(Workbook, ReadsBackWithNumbersAndTheLoan)
{
    TempDir dir;
    const fs::path output = dir.Dir() / "out.xlsx";
    const fs::path backup = dir.Write("a.bak", GetParam().bytes);
    const Result result = RunCli({"--method", GetParam().method, "--format", "xlsx", "--output",
                                  output.string(), backup.string()},
                                 kEnvironment);
    ASSERT_EQ(result.status, kExitOk) << result.err;

    const Method method = GetParam().method == "debx" ? Method::Debx : Method::Debj;
    const auto file = std::get<BackupFile>(ReadBackupFile(backup.string()));
    const auto schedule = std::get<Schedule>(CalculateSchedule(
        std::get<LoanInput>(LoanInputFromBackup(file, 2026)), method, RateTable{}, RateTable{}));
    const auto check = testing_support::CheckWorkbook(
        dir, output.string(), GetParam().method == "debx" ? "等额本息" : "等额本金",
        ScheduleGridTexts(schedule), GetParam().lines);
    if (check.status == 77)
        GTEST_SKIP() << check.output;
    EXPECT_EQ(check.status, 0) << check.output;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples,
    Workbook,
    testing::Values(WorkbookCase{"Debx",
                                 "debx",
                                 kBasicLine,
                                 {{"贷款类型：", "商业贷款"},
                                  {"贷款总额：", "100000.00"},
                                  {"按揭期数：", "12"},
                                  {"商业利率：", "6.000"},
                                  {"放贷日：", "2009年01月15日"},
                                  {"月供首日：", "2009年02月15日"},
                                  {"提前还贷计划：", "无"},
                                  {"月还款额：", "8606.64"},
                                  {"还款总额：", "103296.38"},
                                  {"利息总额：", "3296.38"},
                                  {"还款截止日期：", "2010年01月15日"}}},
                    WorkbookCase{"DebxWithPlan",
                                 "debx",
                                 kBasicLine + kPrepaymentLine,
                                 {{"提前还贷计划：",
                                   "2009年05月15日 商业贷款 提前还贷 1000.00 元，缩短 0 期"},
                                  {"还款总额：", "103284.81"},
                                  {"利息总额：", "3284.81"}}},
                    WorkbookCase{"Debj",
                                 "debj",
                                 kBasicLine,
                                 {{"月本金还款额：", "8333.33"}, {"还款总额：", "103266.67"}}}),
    [](const auto& p) { return std::string(p.param.name); });

const fs::path kReconcileCases = fs::path(LUMAVO_TEST_DATA) / "cli-reconcile";

// The records reader's placeholder refuses every file without a reason; the cases that read
// bank rows wait for the reader.
bool RecordsReaderMissing(const fs::path& records)
{
    const auto read = ReadBankRecords(records.string());
    const auto* error = std::get_if<RecordsError>(&read);
    return error && error->reason.empty();
}

// --reconcile and --bank-rounding, one folder per case as for --compare, its bank rows in
// records.csv.
class ReconcileGolden : public testing::TestWithParam<std::string>
{
};

TEST_P(ReconcileGolden, OutputMatches)
{
    const fs::path folder = kReconcileCases / GetParam();
    if (fs::exists(folder / "records.csv") && RecordsReaderMissing(folder / "records.csv"))
        GTEST_SKIP() << "no bank records reader yet";
    ExpectCaseOutput(folder, kEnvironment);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         ReconcileGolden,
                         testing::ValuesIn(CaseFolders(kReconcileCases)),
                         [](const auto& p) {
                             std::string name = p.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(Reconcile, RecordsThatCannotBeReadAreNamedAndNothingIsWritten)
{
    TempDir dir;
    const std::string loan = dir.File("loan.lumavo");
    const Result result = RunCli({"--reconcile", "/nonexistent/r.csv", "--part", "S",
                                  "--write-loan", loan, dir.Write("a.bak", kBasicLine).string()},
                                 kEnvironment);
    EXPECT_EQ(result.status, kExitFileError);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("lumavo-cli: /nonexistent/r.csv: ", 0), 0u) << result.err;
    EXPECT_FALSE(fs::exists(loan));
}

// The loan file is where the window finds the rows again, and the rounding the bank follows.
TEST(Reconcile, AWrittenLoanKeepsTheRoundingAndTheBankRows)
{
    TempDir dir;
    const std::string loan = dir.File("loan.lumavo");
    const fs::path records = kReconcileCases / "example-csv" / "records.csv";
    const std::string backup = (kReconcileCases / "example-csv" / "input.bak").string();
    ASSERT_EQ(RunCli({"--bank-rounding", "--write-loan", loan, backup}, kEnvironment).status,
              kExitOk);
    auto read = ReadLoanFile(loan);
    ASSERT_TRUE(std::holds_alternative<LoanFile>(read));
    EXPECT_TRUE(std::get<LoanFile>(read).bankRounding);
    EXPECT_TRUE(std::get<LoanFile>(read).statement.records.empty());

    if (RecordsReaderMissing(records))
        GTEST_SKIP() << "no bank records reader yet";
    const Result written =
        RunCli({"--reconcile", records.string(), "--part", "S", "--write-loan", loan, backup},
               kEnvironment);
    ASSERT_EQ(written.status, kExitOk) << written.err;
    read = ReadLoanFile(loan);
    ASSERT_TRUE(std::holds_alternative<LoanFile>(read));
    const BankStatement& statement = std::get<LoanFile>(read).statement;
    EXPECT_EQ(statement.part, LoanPart::S);
    ASSERT_EQ(statement.records.size(), 24u);
    EXPECT_EQ(statement.records[8].interest, 3318.17);
}

} // namespace
} // namespace lumavo::cli
