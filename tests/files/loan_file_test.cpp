#include "calc/schedule_text.h"
#include "common/atomic_file.h"
#include "common/messages.h"
#include "common/text.h"
#include "files/loan_file.h"
#include "tests/support/random_page.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace lumavo {
namespace {

constexpr int kCurrentYear = 2026; // the year lists end at 2029

std::string Rates(const char* first, const char* rest)
{
    std::string rates = std::string("[") + first;
    for (int n = 1; n < RateTable::kEntries; ++n)
        rates += std::string(", ") + rest;
    return rates + "]";
}

// A floating-rate loan with one prepayment, one rate adjustment, 按分入账 and two bank rows, as
// the writer lays it out.
// The malformed cases below break it in one place each; the line numbers are this text's.
const std::string kExample = R"({
  "format": "lumavo-loan",
  "version": "1.1",
  "loan": {
    "method": "debj",
    "form": {
      "mode": 1,
      "area": "0.00",
      "price": "0.00",
      "ratio": "8",
      "loan_total": "100000.00",
      "commercial_share": "100",
      "years": "1",
      "periods": "12",
      "fixed_rate": false,
      "rate_s": "6.000",
      "rate_g": "0.000",
      "lending_year": "2009",
      "lending_month": "01",
      "lending_day": "15",
      "first_payment_year": "2009",
      "first_payment_month": "02",
      "first_payment_day": "15",
      "loan_type": 0
    },
    "plan": [
      {"date": "2009年06月15日", "amount": 20000, "shorten": 0, "part": "S", "pay_off": false}
    ],
    "floating": {
      "S": {
        "rule": {"kind": "lpr", "number": -30},
        "rates": )" + Rates("6", "5.94") +
                             R"(
      },
      "G": {
        "rates": )" + Rates("0", "0") +
                             R"(
      }
    },
    "rate_adjustments": [
      {"date": "2009-07-01", "part": "S", "rate": 5.4}
    ],
    "bank_rounding": true,
    "bank_statement": {
      "part": "S",
      "records": [
        {"date": "2009-02-15", "principal": 7800.5, "interest": 500, "balance": 92199.5, "payment": 8300.5, "rate": 6, "period": 1, "type": "正常扣款"},
        {"date": "2009-03-16", "principal": 7839.5, "interest": 461}
      ]
    }
  }
}
)";

LoanFile Parsed(const std::string& text)
{
    auto parsed = ParseLoanFile(text);
    if (const auto* error = std::get_if<LoanFileError>(&parsed))
        ADD_FAILURE() << LoanFileErrorText("file", *error);
    return std::holds_alternative<LoanFile>(parsed) ? std::get<LoanFile>(parsed) : LoanFile{};
}

LoanDocument Opened(const LoanFile& file)
{
    auto document = DocumentFromLoanFile(file, kCurrentYear, std::nullopt);
    if (const auto* error = std::get_if<LoanFileError>(&document)) {
        ADD_FAILURE() << LoanFileErrorText("file", *error);
        return LoanDocument();
    }
    return std::get<LoanDocument>(std::move(document));
}

// What 计算 gives: the refusal, or every cell of the grid and the unrounded totals.
std::string Outcome(LoanDocument document)
{
    if (const auto refusal = document.Calculate())
        return "refused: " + refusal->message;
    const Schedule& schedule = document.LastCalculation()->schedule;
    std::string text;
    for (const std::string& cell : ScheduleGridTexts(schedule).cells)
        text += cell + "|";
    char totals[96];
    std::snprintf(totals, sizeof totals, "%.17g %.17g %.17g", schedule.totals.summary,
                  schedule.totals.hkze, schedule.totals.lxze);
    return text + totals;
}

TEST(LoanFile, AFileReadsIntoADocumentThatWritesTheSameFile)
{
    const LoanDocument document = Opened(Parsed(kExample));
    EXPECT_EQ(LoanFileText(LoanFileOf(document)), kExample);
    EXPECT_EQ(document.CalculationMethod(), Method::Debj);
    EXPECT_EQ(document.Adjustments(),
              (std::vector<RateAdjustment>{{{2009, 7, 1}, LoanPart::S, 5.4}}));
    EXPECT_EQ(document.Floating().s.At(1), 5.94);
    ASSERT_TRUE(document.Floating().ruleS);
    EXPECT_EQ(document.Floating().ruleS->number, -30);
    EXPECT_FALSE(document.Floating().ruleG);
    ASSERT_EQ(document.Plan().Size(), 1u);
    EXPECT_EQ(document.Plan().Items()[0].text, "2009年06月15日 S<=> 20000 元 0 期 N");
    EXPECT_TRUE(document.BankRounding());
    EXPECT_EQ(document.Statement().part, LoanPart::S);
    EXPECT_EQ(document.Statement().records,
              (std::vector<BankRecord>{
                  {45, {2009, 2, 15}, 7800.5, 500, 92199.5, 8300.5, 6, 1, "正常扣款"},
                  {46, {2009, 3, 16}, 7839.5, 461, {}, {}, {}, {}, ""}}));
}

// Files saved before 按分入账 and the bank's rows existed open as they always did.
TEST(LoanFile, AFileOfVersionOneZeroReadsWithoutTheBankRows)
{
    std::string text = kExample;
    text.replace(text.find("\"1.1\""), 5, "\"1.0\"");
    const std::size_t from = text.find("],\n    \"bank_rounding\"");
    text.replace(from, text.find("\n  }\n}") - from, "]");
    const LoanDocument document = Opened(Parsed(text));
    EXPECT_FALSE(document.BankRounding());
    EXPECT_TRUE(document.Statement().records.empty());
    EXPECT_EQ(document.Adjustments().size(), 1u);
}

// A later minor version may add keys anywhere; this reader skips them and reads the rest.
TEST(LoanFile, ANewerMinorVersionIsReadWithoutItsNewKeys)
{
    std::string text = kExample;
    const auto put = [&text](const std::string& from, const std::string& to) {
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
    };
    put("\"1.1\"", "\"1.4\", \"scenarios\": [{\"name\": \"A\"}]");
    put("\"method\"", "\"bank\": {\"records\": []}, \"method\"");
    put("\"mode\"", "\"notes\": \"x\", \"mode\"");
    put("\"pay_off\": false", "\"pay_off\": false, \"fee\": 12");
    put("\"G\": {", "\"G\": {\"source\": \"bank\",");
    EXPECT_EQ(LoanFileText(LoanFileOf(Opened(Parsed(text)))), kExample);
}

struct Malformed
{
    const char* name;
    std::string from; // replaced in kExample; empty: `to` is the whole file
    std::string to;
    int line;
    std::string key;
    std::string reason;
};

void PrintTo(const Malformed& c, std::ostream* os)
{
    *os << c.name;
}

class LoanFileRefuses : public ::testing::TestWithParam<Malformed>
{
};

TEST_P(LoanFileRefuses, NamingTheLineAndTheKey)
{
    const Malformed& c = GetParam();
    std::string text = c.to;
    if (!c.from.empty()) {
        text = kExample;
        const std::size_t at = text.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        text.replace(at, c.from.size(), c.to);
    }
    const auto parsed = ParseLoanFile(text);
    ASSERT_TRUE(std::holds_alternative<LoanFileError>(parsed));
    const LoanFileError& error = std::get<LoanFileError>(parsed);
    EXPECT_EQ(error.line, c.line);
    EXPECT_EQ(error.key, c.key);
    EXPECT_EQ(error.reason, c.reason);
}

const std::string kForm = "loan.form.";
const std::string kStatement = "loan.bank_statement.";

INSTANTIATE_TEST_SUITE_P(
    Cases,
    LoanFileRefuses,
    ::testing::Values(
        Malformed{"Empty", "", "", 0, "", msg::kFileEmpty},
        Malformed{"TooLarge", "", std::string(kMaxReadBytes + 1, ' '), 0, "",
                  msg::FileTooLarge(kMaxReadBytes)},
        Malformed{"NotUtf8", "\"ratio\": \"8\"", "\"ratio\": \"\xB0\xCB\"", 10, "",
                  msg::kJsonNotUtf8},
        Malformed{"MissingComma", "\"lumavo-loan\",", "\"lumavo-loan\"", 3, "",
                  msg::kJsonExpectedObjectEnd},
        Malformed{"UnclosedString", "\"8\"", "\"8", 10, "", msg::kJsonUnterminatedString},
        Malformed{"TextAfterTheEnd", "\n}\n", "\n}\n}\n", 51, "", msg::kJsonTrailing},
        Malformed{"DuplicateKey", "\"area\": \"0.00\",", "\"area\": \"0.00\", \"area\": \"1\",", 8,
                  "", msg::JsonDuplicateKey("area")},
        Malformed{"TooDeep", "", std::string(100, '['), 1, "", msg::JsonTooDeep(64)},
        Malformed{"NotALoanFile", "\"lumavo-loan\"", "\"lumavo-rates\"", 2, "format",
                  msg::kLoanFileNotOurs},
        Malformed{"NewerMajorVersion", "\"1.1\"", "\"2.1\"", 3, "version",
                  msg::LoanFileNewerMajor("2.1", 1)},
        Malformed{"VersionWithoutMinor", "\"1.1\"", "\"1\"", 3, "version",
                  msg::kLoanFileBadVersion},
        Malformed{"UnknownKeyOfThisVersion", "\"mode\": 1,", "\"mode\": 1, \"colour\": \"red\",", 7,
                  kForm + "colour", msg::kKeyUnknown},
        Malformed{"MissingKey", "\"periods\": \"12\",", "", 6, kForm + "periods", msg::kKeyMissing},
        Malformed{"MethodUnknown", "\"debj\"", "\"debz\"", 5, "loan.method", msg::kExpectMethod},
        Malformed{"ModeOutOfRange", "\"mode\": 1", "\"mode\": 3", 7, kForm + "mode",
                  msg::kExpectMode},
        Malformed{"TotalNotANumber", "\"100000.00\"", "\"10万\"", 11, kForm + "loan_total",
                  msg::kFieldNotNumber},
        Malformed{"TotalNegative", "\"100000.00\"", "\"-5\"", 11, kForm + "loan_total",
                  msg::kFieldNegative},
        Malformed{"TotalAsNumber", "\"100000.00\"", "100000", 11, kForm + "loan_total",
                  msg::kExpectString},
        Malformed{"PeriodsNotWhole", "\"12\"", "\"12.5\"", 14, kForm + "periods",
                  msg::kFieldNotWhole},
        Malformed{"FixedRateNotAFlag", "false,", "\"0\",", 15, kForm + "fixed_rate",
                  msg::kExpectBool},
        Malformed{"PlanAmountAsText", "\"amount\": 20000", "\"amount\": \"20000\"", 27,
                  "loan.plan[1].amount", msg::kExpectNumber},
        Malformed{"PlanPartEmpty", "\"part\": \"S\", \"pay", "\"part\": \"\", \"pay", 27,
                  "loan.plan[1].part", msg::kFieldEmpty},
        Malformed{"PlanNotAList", "\"plan\": [", "\"plan\": \"none\", \"x\": [", 26, "loan.plan",
                  msg::kExpectArray},
        Malformed{"RatesShort", "[6, 5.94,", "[5.94,", 32, "loan.floating.S.rates",
                  msg::ExpectRates(31)},
        Malformed{"RateAsText", "[6, 5.94,", "[6, \"5.94\",", 32, "loan.floating.S.rates[2]",
                  msg::kExpectNumber},
        Malformed{"RuleUnknown", "\"lpr\"", "\"libor\"", 31, "loan.floating.S.rule.kind",
                  msg::kExpectRuleKind},
        Malformed{"AdjustmentNotADay", "\"2009-07-01\"", "\"2009-02-29\"", 39,
                  "loan.rate_adjustments[1].date", msg::kExpectIsoDate},
        Malformed{"AdjustmentPart", "\"part\": \"S\", \"rate", "\"part\": \"s\", \"rate", 39,
                  "loan.rate_adjustments[1].part", msg::kExpectPart},
        Malformed{"AdjustmentRateMissing", ", \"rate\": 5.4", "", 39,
                  "loan.rate_adjustments[1].rate", msg::kKeyMissing},
        Malformed{"BankRoundingNotAFlag", "\"bank_rounding\": true", "\"bank_rounding\": 1", 41,
                  "loan.bank_rounding", msg::kExpectBool},
        Malformed{"StatementPart", "\"part\": \"S\",\n      \"records\"",
                  "\"part\": \"商\",\n      \"records\"", 43, kStatement + "part",
                  msg::kExpectPart},
        Malformed{"RecordPeriodNotWhole", "\"period\": 1,", "\"period\": 1.5,", 45,
                  kStatement + "records[1].period", msg::kFieldNotWhole},
        Malformed{"RecordNotADay", "\"2009-03-16\"", "\"2009-03-32\"", 46,
                  kStatement + "records[2].date", msg::kExpectIsoDate},
        Malformed{"RecordInterestMissing", ", \"interest\": 461", "", 46,
                  kStatement + "records[2].interest", msg::kKeyMissing},
        Malformed{"RecordInterestAsText", "\"interest\": 461", "\"interest\": \"461\"", 46,
                  kStatement + "records[2].interest", msg::kExpectNumber}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(LoanFile, ATextThePageRefusesIsNamedAndLeavesTheFormAsItWas)
{
    std::string text = kExample;
    text.replace(text.find("\"15\""), 4, "\"32\"");
    const LoanFile file = Parsed(text);
    LoanForm form;
    form.StartUp(kCurrentYear + 3);
    const FormTexts before = TextsOf(form);
    const auto applied = ApplyLoanFile(form, file);
    ASSERT_TRUE(std::holds_alternative<LoanFileError>(applied));
    EXPECT_EQ(LoanFileErrorText("a.lumavo", std::get<LoanFileError>(applied)),
              "a.lumavo:20: 不是有效的贷款方案文件：“loan.form.lending_day”" +
                  msg::NotInList(msg::kNotInDayList, "32"));
    EXPECT_EQ(TextsOf(form).fields, before.fields);
}

// Documents a page can hold: random pages as users leave them, and loans that compute, with
// floating tables, plans and rate adjustments at any double.
class RandomDocument
{
  public:
    explicit RandomDocument(unsigned seed) : m_random(seed), m_page(seed) {}

    LoanDocument Next()
    {
        LoanDocument document(Pick(0, 1) ? Method::Debx : Method::Debj);
        document.StartUp(kCurrentYear + 3);
        if (Pick(0, 3) == 0)
            document.Replace(m_page.Form(), m_page.Plan());
        else
            ComputableLoan(document);
        for (RateTable* table : {&document.Floating().s, &document.Floating().g})
            for (int n = 0; n < RateTable::kEntries; ++n)
                table->Set(n, Pick(1, 9000) / 1000.0);
        for (std::optional<RateRule>* rule :
             {&document.Floating().ruleS, &document.Floating().ruleG})
            if (Pick(0, 1))
                *rule = RateRule{static_cast<RuleKind>(Pick(0, 3)), Pick(-100, 100) / 7.0};
        document.SetAdjustments(Adjustments(document.Input()));
        document.SetBankRounding(Pick(0, 1) == 1);
        document.SetStatement(Statement(document.Input()));
        return document;
    }

  private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    static std::string Two(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

    void ComputableLoan(LoanDocument& document)
    {
        const int loanType = Pick(0, 2);
        const Date lending{Pick(2000, 2026), Pick(1, 12), 1};
        const Date lent{lending.y, lending.m, Pick(1, DaysInMonth(lending.y, lending.m))};
        const Date next{lent.m == 12 ? lent.y + 1 : lent.y, lent.m % 12 + 1, 1};
        const Date first{next.y, next.m, Pick(1, std::min(lent.d, DaysInMonth(next.y, next.m)))};
        const FormTexts texts{
            {"1", "0.00", "0.00", "8", std::to_string(Pick(1000, 3000000)) + "." + Two(Pick(0, 99)),
             std::to_string(Pick(1, 99)), "20", std::to_string(Pick(1, 360)),
             Pick(0, 1) ? "1" : "0", RateText(Pick(1, 9000) / 1000.0),
             RateText(Pick(1, 9000) / 1000.0), std::to_string(lent.y), Two(lent.m), Two(lent.d),
             std::to_string(first.y), Two(first.m), Two(first.d), std::to_string(loanType)}};
        LoanForm form = document.Form();
        ASSERT_TRUE(std::holds_alternative<FormMessages>(ApplyTexts(form, texts)));
        document.Replace(form, PlanList());
        for (int n = Pick(0, 4); n > 0; --n) {
            const Date day = Later(lent, Pick(0, 400));
            const LoanPart part = loanType == 1
                                      ? LoanPart::G
                                      : (loanType == 0 || Pick(0, 1) ? LoanPart::S : LoanPart::G);
            (void)document.Submit(PlanSubmission{std::to_string(day.y), Two(day.m), Two(day.d),
                                                 part, Pick(0, 9) == 0, Pick(100, 5000000) / 100.0,
                                                 static_cast<double>(Pick(0, 3))});
        }
    }

    // Some a calculation refuses (before lending, a part without a share), most it takes.
    std::vector<RateAdjustment> Adjustments(const LoanInput& input)
    {
        std::vector<RateAdjustment> adjustments;
        std::uniform_real_distribution<double> rate(0.1, 9.0);
        for (int n = Pick(0, 5); n > 0; --n) {
            const LoanPart part =
                input.ratioG > 0 && (input.ratioS == 0 || Pick(0, 1)) ? LoanPart::G : LoanPart::S;
            adjustments.push_back({Later(input.lending, Pick(-5, 4000)), part, rate(m_random)});
        }
        return adjustments;
    }

    // Rows as a bank may book them: any amount (a reversal is negative), each optional value
    // there or not, a type that needs escaping.
    BankStatement Statement(const LoanInput& input)
    {
        BankStatement statement{Pick(0, 1) ? LoanPart::S : LoanPart::G, {}};
        std::uniform_real_distribution<double> amount(-100.0, 2e6);
        const auto maybe = [&](double value) {
            return Pick(0, 1) ? std::optional(value) : std::nullopt;
        };
        const char* types[] = {"", "正常扣款", "提前还款", "罚息", "\"摘要\"\\\t"};
        // A statement without rows is not kept, its part with it.
        const int rows = Pick(0, 4);
        if (rows == 0)
            return BankStatement{};
        for (int n = rows; n > 0; --n) {
            BankRecord& record = statement.records.emplace_back();
            record.date = Later(input.lending, Pick(0, 4000));
            record.principal = amount(m_random);
            record.interest = Pick(0, 1) ? Pick(0, 999999) / 100.0 : amount(m_random);
            record.balance = maybe(amount(m_random));
            record.payment = maybe(Pick(0, 999999) / 100.0);
            record.rate = maybe(Pick(1, 9000) / 1000.0);
            record.period = Pick(0, 1) ? std::optional(Pick(0, 720)) : std::nullopt;
            record.type = types[Pick(0, 4)];
        }
        return statement;
    }

    static Date Later(Date day, int days)
    {
        day.d = std::min(day.d, DaysInMonth(day.y, day.m));
        for (; days > 0; --days)
            day = day.d < DaysInMonth(day.y, day.m) ? Date{day.y, day.m, day.d + 1}
                  : day.m < 12                      ? Date{day.y, day.m + 1, 1}
                                                    : Date{day.y + 1, 1, 1};
        for (; days < 0; ++days)
            day = day.d > 1   ? Date{day.y, day.m, day.d - 1}
                  : day.m > 1 ? Date{day.y, day.m - 1, DaysInMonth(day.y, day.m - 1)}
                              : Date{day.y - 1, 12, 31};
        return day;
    }

    std::mt19937 m_random;
    testing_support::RandomPage m_page;
};

void ExpectSameRules(const std::optional<RateRule>& a, const std::optional<RateRule>& b)
{
    ASSERT_EQ(a.has_value(), b.has_value());
    if (a) {
        EXPECT_EQ(a->kind, b->kind);
        EXPECT_EQ(a->number, b->number);
    }
}

// A kept row's line is where it stands in the file it was last read from.
BankStatement WithoutLines(BankStatement statement)
{
    for (BankRecord& record : statement.records)
        record.line = 0;
    return statement;
}

TEST(LoanFileRoundTrip, ADocumentWrittenAndReadIsTheSameDocumentAndComputesTheSame)
{
    RandomDocument random(23);
    int computed = 0;
    for (int n = 0; n < 1500; ++n) {
        SCOPED_TRACE("document " + std::to_string(n));
        const LoanDocument original = random.Next();
        const auto text = LoanFileText(LoanFileOf(original));
        ASSERT_TRUE(text);
        const LoanDocument restored = Opened(Parsed(*text));

        EXPECT_EQ(restored.CalculationMethod(), original.CalculationMethod());
        EXPECT_EQ(testing_support::Inputs(restored.Form(), restored.Plan()),
                  testing_support::Inputs(original.Form(), original.Plan()));
        EXPECT_EQ(restored.Input(), original.Input());
        EXPECT_EQ(WithoutLines(restored.Statement()), original.Statement());
        if (!original.Form().fixedRate) {
            EXPECT_EQ(restored.Floating(), original.Floating());
            ExpectSameRules(restored.Floating().ruleS, original.Floating().ruleS);
            ExpectSameRules(restored.Floating().ruleG, original.Floating().ruleG);
        }
        const std::string outcome = Outcome(original);
        EXPECT_EQ(Outcome(restored), outcome);
        computed += outcome.rfind("refused", 0) != 0;
        EXPECT_EQ(LoanFileText(LoanFileOf(restored)), text);
    }
    // The comparison of schedules must not pass because nothing computes.
    EXPECT_GT(computed, 600);
}

TEST(LoanFile, NamesEndingInLumavoAreLoanFiles)
{
    EXPECT_TRUE(IsLoanFileName("/tmp/a.lumavo"));
    EXPECT_TRUE(IsLoanFileName("A.LUMAVO"));
    EXPECT_FALSE(IsLoanFileName("a.bak"));
    EXPECT_FALSE(IsLoanFileName("lumavo"));
    EXPECT_FALSE(IsLoanFileName("a.lumavo.bak"));
}

} // namespace
} // namespace lumavo
