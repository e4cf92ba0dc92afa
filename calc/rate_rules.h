#pragma once

#include "calc/rate_table.h"
#include "common/date.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lumavo {

// The published rates a loan's floating rate follows.
enum class RateSeries
{
    Lpr5y,          // 5年期以上LPR, quoted monthly since 2019-08-20
    Benchmark5y,    // 五年以上贷款基准利率, last changed 2015-10-24
    ProvidentShort, // 个人住房公积金贷款，五年以下（含五年）
    ProvidentLong,  // 个人住房公积金贷款，五年以上
    Lpr1y,          // 1年期LPR, priced on by loans of at most 60 periods
};

// The names the rate data files use: lpr5y, benchmark5y, pf_le5, pf_gt5, lpr1y.
std::optional<RateSeries> RateSeriesNamed(std::string_view name);
const char* RateSeriesName(RateSeries series);

struct RateChange
{
    RateSeries series = RateSeries::Lpr5y;
    Date effective;
    double rate = 0;    // percent a year
    std::string source; // where the value was published
    std::string origin; // the file it was read from

    friend bool operator==(const RateChange&, const RateChange&) = default;
};

// Every change of every series, each series in date order.
class RateHistory
{
  public:
    // A change of the same series on the same day replaces the one held, so a user's file can
    // correct a shipped value as well as add newer ones.
    void Add(RateChange change);

    // The rate set by the latest change on or before the day; nullopt before the first change.
    std::optional<double> InForce(RateSeries series, const Date& day) const;
    // The same as the published value itself, so a caller can name the fixing it used.
    const RateChange* ChangeInForce(RateSeries series, const Date& day) const;
    std::optional<double> Latest(RateSeries series) const;
    std::optional<Date> LastDate(RateSeries series) const;
    // The day of the newest change of any series: how far the data reaches.
    std::optional<Date> LastDate() const;

    const std::vector<RateChange>& Changes() const { return m_changes; }

  private:
    std::vector<RateChange> m_changes;
};

// How a loan's rate follows the published rates.
enum class RuleKind
{
    LprPlus,        // LPR + basis points (may be negative)
    BenchmarkTimes, // benchmark rate x factor
    Converted,      // benchmark x factor until 2020, then LPR + the spread fixed at the end of 2019
    Provident,      // provident-fund rate of the loan's term x factor
};

struct RateRule
{
    RuleKind kind = RuleKind::LprPlus;
    double number = 0; // basis points for LprPlus, a factor for the others
};

struct LoanDates
{
    Date lending;      // 放贷日
    Date firstPayment; // 月供首日
    double periods = 240;
};

// A day the data holds no rate for (before the first value of the series).
struct RateGap
{
    RateSeries series;
    Date day;
};

// The day a table entry stands for: entry 0 the lending day, entry k 1 January of the k-th
// calendar year counted from the year of the first payment, which is year 1. Loans reprice on
// 1 January, so the rate in force that day holds for the whole year.
Date EntryDay(int entry, const LoanDates& dates);

// Entries 0..30 under the rule, rounded to three decimals as the rate fields show them. Days past
// the last LPR quote take futureLpr (default: the latest quote); provident-fund and benchmark
// rates stay at their latest value.
// The rule's name as the rate pages list it, and the rule with its number ("LPR＋基点 -30").
const char* RuleCaption(RuleKind kind);
std::string RuleText(const RateRule& rule);

std::variant<RateTable, RateGap> FillRateTable(const RateRule& rule,
                                               const RateHistory& history,
                                               const LoanDates& dates,
                                               std::optional<double> futureLpr = std::nullopt);

// Loans of at most 60 periods take the short-term provident-fund rate.
RateSeries ProvidentSeriesFor(double periods);

} // namespace lumavo
