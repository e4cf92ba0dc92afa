#include "calc/rate_rules.h"

#include "common/messages.h"
#include "common/text.h"

#include <algorithm>
#include <tuple>

namespace lumavo {

namespace {

bool Earlier(const Date& a, const Date& b)
{
    return std::tie(a.y, a.m, a.d) < std::tie(b.y, b.m, b.d);
}

bool ChangeOrder(const RateChange& a, const RateChange& b)
{
    if (a.series != b.series)
        return a.series < b.series;
    return Earlier(a.effective, b.effective);
}

// Loans converted in 2020 kept the spread of their old rate over the December 2019 LPR.
constexpr Date kConversionDay{2019, 12, 31};
constexpr int kLastBenchmarkYear = 2020;

struct Lookup
{
    const RateHistory& history;
    std::optional<double> futureLpr;
    std::optional<RateGap> gap;

    double Rate(RateSeries series, const Date& day)
    {
        if (series == RateSeries::Lpr5y && futureLpr) {
            const auto last = history.LastDate(series);
            if (last && Earlier(*last, day))
                return *futureLpr;
        }
        if (const auto rate = history.InForce(series, day))
            return *rate;
        if (!gap)
            gap = RateGap{series, day};
        return 0;
    }
};

double RuleRate(const RateRule& rule, Lookup& lookup, const Date& day, double periods)
{
    switch (rule.kind) {
    case RuleKind::LprPlus:
        return lookup.Rate(RateSeries::Lpr5y, day) + rule.number / 100;
    case RuleKind::BenchmarkTimes:
        return lookup.Rate(RateSeries::Benchmark5y, day) * rule.number;
    case RuleKind::Converted: {
        if (day.y <= kLastBenchmarkYear)
            return lookup.Rate(RateSeries::Benchmark5y, day) * rule.number;
        const double old =
            RoundToDecimals(lookup.Rate(RateSeries::Benchmark5y, kConversionDay) * rule.number, 3);
        const double spread = old - lookup.Rate(RateSeries::Lpr5y, kConversionDay);
        return lookup.Rate(RateSeries::Lpr5y, day) + spread;
    }
    case RuleKind::Provident:
        return lookup.Rate(ProvidentSeriesFor(periods), day) * rule.number;
    }
    return 0;
}

} // namespace

std::optional<RateSeries> RateSeriesNamed(std::string_view name)
{
    for (RateSeries series :
         {RateSeries::Lpr5y, RateSeries::Benchmark5y, RateSeries::ProvidentShort,
          RateSeries::ProvidentLong, RateSeries::Lpr1y})
        if (name == RateSeriesName(series))
            return series;
    return std::nullopt;
}

const char* RateSeriesName(RateSeries series)
{
    switch (series) {
    case RateSeries::Lpr5y:
        return "lpr5y";
    case RateSeries::Benchmark5y:
        return "benchmark5y";
    case RateSeries::ProvidentShort:
        return "pf_le5";
    case RateSeries::ProvidentLong:
        return "pf_gt5";
    case RateSeries::Lpr1y:
        return "lpr1y";
    }
    return "";
}

void RateHistory::Add(RateChange change)
{
    const auto at = std::lower_bound(m_changes.begin(), m_changes.end(), change, ChangeOrder);
    if (at != m_changes.end() && at->series == change.series && at->effective == change.effective)
        *at = std::move(change);
    else
        m_changes.insert(at, std::move(change));
}

std::optional<double> RateHistory::InForce(RateSeries series, const Date& day) const
{
    const RateChange* change = ChangeInForce(series, day);
    return change ? std::optional(change->rate) : std::nullopt;
}

const RateChange* RateHistory::ChangeInForce(RateSeries series, const Date& day) const
{
    const RateChange* found = nullptr;
    for (const RateChange& change : m_changes) {
        if (change.series != series)
            continue;
        if (Earlier(day, change.effective))
            break;
        found = &change;
    }
    return found;
}

std::optional<double> RateHistory::Latest(RateSeries series) const
{
    std::optional<double> rate;
    for (const RateChange& change : m_changes)
        if (change.series == series)
            rate = change.rate;
    return rate;
}

std::optional<Date> RateHistory::LastDate(RateSeries series) const
{
    std::optional<Date> last;
    for (const RateChange& change : m_changes)
        if (change.series == series)
            last = change.effective;
    return last;
}

std::optional<Date> RateHistory::LastDate() const
{
    std::optional<Date> last;
    for (const RateChange& change : m_changes)
        if (!last || Earlier(*last, change.effective))
            last = change.effective;
    return last;
}

RateSeries ProvidentSeriesFor(double periods)
{
    return periods <= 60 ? RateSeries::ProvidentShort : RateSeries::ProvidentLong;
}

Date EntryDay(int entry, const LoanDates& dates)
{
    if (entry == 0)
        return dates.lending;
    return Date{dates.firstPayment.y + entry - 1, 1, 1};
}

std::variant<RateTable, RateGap> FillRateTable(const RateRule& rule,
                                               const RateHistory& history,
                                               const LoanDates& dates,
                                               std::optional<double> futureLpr)
{
    Lookup lookup{history, futureLpr ? futureLpr : history.Latest(RateSeries::Lpr5y), {}};
    RateTable table;
    for (int entry = 0; entry < RateTable::kEntries; ++entry)
        table.Set(entry, RuleRate(rule, lookup, EntryDay(entry, dates), dates.periods));
    if (lookup.gap)
        return *lookup.gap;
    return table;
}

const char* RuleCaption(RuleKind kind)
{
    switch (kind) {
    case RuleKind::LprPlus:
        return msg::kRuleLpr;
    case RuleKind::BenchmarkTimes:
        return msg::kRuleBenchmark;
    case RuleKind::Converted:
        return msg::kRuleConverted;
    case RuleKind::Provident:
        return msg::kRuleProvident;
    }
    return "";
}

std::string RuleText(const RateRule& rule)
{
    return std::string(RuleCaption(rule.kind)) + " " + GeneralNumberText(rule.number);
}

} // namespace lumavo
