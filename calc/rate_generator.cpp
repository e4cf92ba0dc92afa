#include "calc/rate_generator.h"

#include "common/messages.h"
#include "common/text.h"

#include <algorithm>
#include <cmath>

namespace lumavo {

namespace {

constexpr Date kCut2023Day{2023, 9, 25};
constexpr Date kCut2024Day{2024, 10, 25};
constexpr double kCut2024FloorBp = -30;
// The fixing converted loans took their spread over: the one in force at the end of 2019.
constexpr Date kConversionFixingDay{2019, 12, 31};

// To three decimals, as the double a typed "4.300" reads as, so a generated entry and one typed
// into the list compute alike.
double RateToThreeDecimals(double rate)
{
    return std::nearbyint(rate * 1000) / 1000;
}

Date LastDayOfPreviousMonth(const Date& day)
{
    const int year = day.m == 1 ? day.y - 1 : day.y;
    const int month = day.m == 1 ? 12 : day.m - 1;
    return Date{year, month, DaysInMonth(year, month)};
}

Date ClampedDay(int year, int month, int day)
{
    return Date{year, month, std::min(day, DaysInMonth(year, month))};
}

// The last payment day: where generating further cannot change the schedule.
Date LastPaymentDay(const LoanDates& dates)
{
    const int periods = std::max(1, static_cast<int>(std::ceil(dates.periods)));
    const int months = dates.firstPayment.m - 1 + periods - 1;
    return ClampedDay(dates.firstPayment.y + months / 12, months % 12 + 1, dates.firstPayment.d);
}

// Repricing days strictly after `after`, through `last`, in date order.
std::vector<Date>
RepricingDays(const Repricing& repricing, const Date& lending, const Date& after, const Date& last)
{
    int anchorMonth = 1;
    int anchorDay = 1;
    if (repricing.anchor == RepricingAnchor::Anniversary) {
        anchorMonth = lending.m;
        anchorDay = lending.d;
    } else if (repricing.anchor == RepricingAnchor::MonthDay) {
        anchorMonth = repricing.month;
        anchorDay = repricing.day;
    }
    const int cycle = std::clamp(repricing.cycleMonths, 1, 12);
    std::vector<Date> days;
    for (int year = after.y; year <= last.y; ++year)
        for (int month = 1; month <= 12; ++month) {
            if (((month - anchorMonth) % cycle + cycle) % cycle != 0)
                continue;
            const Date day = ClampedDay(year, month, anchorDay);
            if (SerialDay(day) > SerialDay(after) && SerialDay(day) <= SerialDay(last))
                days.push_back(day);
        }
    return days;
}

struct LprUsed
{
    std::optional<Date> fixing;
    double value = 0;
};

class LprLookup
{
  public:
    LprLookup(const RateHistory& history, RateSeries series, std::optional<double> future)
        : m_history(history), m_series(series), m_last(history.LastDate(series)),
          m_future(future ? future : history.Latest(series))
    {
    }

    std::optional<LprUsed> On(const Date& day)
    {
        if (m_last && m_future && SerialDay(*m_last) < SerialDay(day))
            return LprUsed{std::nullopt, *m_future};
        if (const RateChange* change = m_history.ChangeInForce(m_series, day))
            return LprUsed{change->effective, change->rate};
        if (!m_gap)
            m_gap = day;
        return std::nullopt;
    }

    const std::optional<Date>& Gap() const { return m_gap; }

  private:
    const RateHistory& m_history;
    RateSeries m_series;
    std::optional<Date> m_last;
    std::optional<double> m_future;
    std::optional<Date> m_gap;
};

// One day's event: a repricing, or a change of the spread.
struct Event
{
    Date date;
    const SpreadChange* spreadChange = nullptr; // null for a repricing
};

DerivationKind KindOf(const SpreadChange& change)
{
    switch (change.kind) {
    case SpreadChangeKind::Set:
        return DerivationKind::SpreadChange;
    case SpreadChangeKind::Cut2023:
        return DerivationKind::Cut2023;
    case SpreadChangeKind::Cut2024:
        return DerivationKind::Cut2024;
    }
    return DerivationKind::SpreadChange;
}

class Generation
{
  public:
    Generation(LoanPart part, RateSeries series) : m_part(part), m_series(series) {}

    // A later entry of the same day replaces the earlier; one repeating the rate before is
    // dropped.
    void Add(const Date& date, double rate, const Derivation& derivation)
    {
        if (!m_entries.empty() && m_entries.back().adjustment.date == date)
            m_entries.pop_back();
        const double rounded = RateToThreeDecimals(rate);
        if (!m_entries.empty() && m_entries.back().adjustment.rate == rounded)
            return;
        m_entries.push_back({RateAdjustment{date, m_part, rounded}, derivation});
    }

    Derivation Basis(DerivationKind kind, const LprUsed& lpr, double spreadBp) const
    {
        return Derivation{kind, m_series, lpr.fixing, lpr.value, spreadBp};
    }

    std::vector<GeneratedAdjustment> Take() { return std::move(m_entries); }

  private:
    LoanPart m_part;
    RateSeries m_series;
    std::vector<GeneratedAdjustment> m_entries;
};

std::vector<Event> EventsOf(const LprPricing& pricing, const LoanDates& dates)
{
    Date after = dates.lending;
    if (pricing.conversion && SerialDay(pricing.conversion->date) > SerialDay(after))
        after = pricing.conversion->date;
    std::vector<Event> events;
    for (const Date& day :
         RepricingDays(pricing.repricing, dates.lending, after, LastPaymentDay(dates)))
        events.push_back(Event{day, nullptr});
    for (const SpreadChange& change : pricing.spreadChanges)
        events.push_back(Event{change.date, &change});
    // On one day the repricing comes first, so the spread change applies to the new LPR.
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        const long x = SerialDay(a.date);
        const long y = SerialDay(b.date);
        return x != y ? x < y : (a.spreadChange == nullptr && b.spreadChange != nullptr);
    });
    return events;
}

Refusal GapRefusal(const Date& day, RateSeries series)
{
    return Refusal{msg::RuleLprMissing(
        DateText(day), series == RateSeries::Lpr1y ? msg::kRuleLpr1y : msg::kRuleLpr5y)};
}

} // namespace

SpreadChange Cut2023(double newSpreadBp)
{
    return SpreadChange{kCut2023Day, newSpreadBp, SpreadChangeKind::Cut2023};
}

SpreadChange Cut2024()
{
    return SpreadChange{kCut2024Day, kCut2024FloorBp, SpreadChangeKind::Cut2024};
}

RateSeries LprSeriesFor(double periods)
{
    return periods <= 60 ? RateSeries::Lpr1y : RateSeries::Lpr5y;
}

std::variant<std::vector<GeneratedAdjustment>, Refusal>
GenerateAdjustments(const LprPricing& pricing,
                    const RateHistory& history,
                    const LoanDates& dates,
                    std::optional<double> futureLpr)
{
    for (const SpreadChange& change : pricing.spreadChanges)
        if (SerialDay(change.date) < SerialDay(dates.lending))
            return Refusal{msg::RuleSpreadBeforeLending(DateText(change.date))};

    const RateSeries series = LprSeriesFor(dates.periods);
    LprLookup lookup(history, series, futureLpr);
    Generation generation(pricing.part, series);
    std::optional<LprUsed> lpr;
    double spreadBp = pricing.spreadBp;
    if (pricing.conversion) {
        lpr = lookup.On(kConversionFixingDay);
        if (!lpr)
            return GapRefusal(*lookup.Gap(), series);
        // To a millionth of a basis point: the cut of 2024 compares the spread with -30.
        spreadBp = RoundToDecimals((pricing.conversion->originalRate - lpr->value) * 100, 6);
        generation.Add(dates.lending, pricing.conversion->originalRate,
                       generation.Basis(DerivationKind::OriginalRate, *lpr, spreadBp));
    } else {
        lpr = lookup.On(dates.lending);
        if (!lpr)
            return GapRefusal(*lookup.Gap(), series);
        generation.Add(dates.lending, lpr->value + spreadBp / 100,
                       generation.Basis(DerivationKind::Lending, *lpr, spreadBp));
    }

    for (const Event& event : EventsOf(pricing, dates)) {
        DerivationKind kind = DerivationKind::Repricing;
        if (const SpreadChange* change = event.spreadChange) {
            kind = KindOf(*change);
            if (change->kind != SpreadChangeKind::Cut2024)
                spreadBp = change->spreadBp;
            else if (spreadBp > kCut2024FloorBp)
                spreadBp = kCut2024FloorBp;
        } else {
            lpr = lookup.On(LastDayOfPreviousMonth(event.date));
            if (!lpr)
                return GapRefusal(*lookup.Gap(), series);
        }
        generation.Add(event.date, lpr->value + spreadBp / 100,
                       generation.Basis(kind, *lpr, spreadBp));
    }
    return generation.Take();
}

std::vector<RateAdjustment> AdjustmentsOf(const std::vector<GeneratedAdjustment>& generated)
{
    std::vector<RateAdjustment> adjustments;
    adjustments.reserve(generated.size());
    for (const GeneratedAdjustment& entry : generated)
        adjustments.push_back(entry.adjustment);
    return adjustments;
}

std::string DerivationText(const Derivation& derivation)
{
    const char* kind = msg::kRuleFromLending;
    switch (derivation.kind) {
    case DerivationKind::OriginalRate:
        return msg::kRuleFromOriginal;
    case DerivationKind::Lending:
        break;
    case DerivationKind::Repricing:
        kind = msg::kRuleFromRepricing;
        break;
    case DerivationKind::SpreadChange:
        kind = msg::kRuleFromSpreadChange;
        break;
    case DerivationKind::Cut2023:
        kind = msg::kRuleFromCut2023;
        break;
    case DerivationKind::Cut2024:
        kind = msg::kRuleFromCut2024;
        break;
    }
    const char* series = derivation.series == RateSeries::Lpr1y ? msg::kRuleLpr1y : msg::kRuleLpr5y;
    const std::string fixing =
        derivation.fixing ? DateText(*derivation.fixing) : std::string(msg::kRuleFutureLprNote);
    return msg::RuleDerivationText(kind,
                                   msg::RuleFixingText(series, RateText(derivation.lpr), fixing),
                                   GeneralNumberText(RoundToDecimals(derivation.spreadBp, 2)));
}

} // namespace lumavo
