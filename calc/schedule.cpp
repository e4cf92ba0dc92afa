#include "calc/schedule.h"

#include "common/date.h"
#include "common/text.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>
#include <utility>

namespace lumavo {

bool ScheduleRow::Settles(LoanPart part) const
{
    if (kind == RowKind::Regular)
        return true;
    return part == LoanPart::S ? prepaidS.has_value() : prepaidG.has_value();
}

namespace {

// The latest written row that settles a part, from which its interest runs; before any, the
// lending date.
struct Settlement
{
    Date date;
    long day = 0; // serial
    bool regular = false;
};

// A part's state during a run.
struct PartState
{
    double principal = 0;
    double balance = 0;
    double remainingPeriods = 0;
    double interestSoFar = 0;
    double totalPaid = 0;
    Settlement settled;
    // 按分入账, equal installment: the instalment in whole fen, kept until the rate or the plan
    // changes it.
    double annuity = 0;
    double annuityRate = 0;
    bool annuityDue = true;

    bool Active() const;
};

// A part's rate path as a run reads it: each point's first day with its rates worked out once,
// and a position that follows the run's dates, so a lookup costs a comparison or two.
class RateCursor
{
  public:
    struct Step
    {
        long from; // serial day
        double annual;
        double daily;
        double monthly;
        double inverseBase; // 1 / (1 + monthly)
    };

    explicit RateCursor(const RatePath& path)
    {
        const auto& points = path.Points();
        const std::size_t n = points.size();
        // The first point holds before its day as well; the last step only ends the search.
        m_steps.resize(std::max<std::size_t>(n, 1) + 1);
        for (std::size_t i = 0; i < n; ++i)
            m_steps[i] = StepOf(path.Days()[i], points[i].rate);
        m_steps.front().from = std::numeric_limits<long>::min();
        m_steps.back() = StepOf(std::numeric_limits<long>::max(), 0);
    }

    // The step in force on the day. The run asks about days near the last one asked, mostly
    // within the same step, whose bounds are kept at hand.
    std::size_t IndexOn(long day)
    {
        if (day >= m_from && day < m_until)
            return m_at;
        while (m_steps[m_at + 1].from <= day)
            ++m_at;
        while (m_steps[m_at].from > day)
            --m_at;
        m_from = m_steps[m_at].from;
        m_until = m_steps[m_at + 1].from;
        return m_at;
    }
    const Step& On(long day) { return m_steps[IndexOn(day)]; }
    const Step& operator[](std::size_t index) const { return m_steps[index]; }
    // The first day of the step after the given one.
    long NextFrom(std::size_t index) const { return m_steps[index + 1].from; }

    // Whether every day from the first to the last (inclusive) bears the same rate.
    bool SameRate(long first, long last)
    {
        std::size_t index = IndexOn(last);
        if (m_from <= first)
            return true;
        for (; m_steps[index].from > first; --index)
            if (m_steps[index - 1].annual != m_steps[index].annual)
                return false;
        return true;
    }

  private:
    static Step StepOf(long from, double annual)
    {
        const double monthly = annual / 100 / 12;
        return Step{from, annual, annual / 100 / 360, monthly, 1 / (1 + monthly)};
    }

    std::vector<Step> m_steps;
    std::size_t m_at = 0;
    long m_from = 0; // the bounds of step m_at; empty until the first lookup
    long m_until = 0;
};

// A plan entry that falls in a month of the loop, with the two characters of its day.
struct MonthEntry
{
    const Ttqhd* entry = nullptr;
    std::string dayText;
};

// The smallest balance that rounds to a cent or more (x / 0.01 rounded, ties to even, above 0).
// Division is monotonic, so comparing with it is exact; it saves a division per part and month.
double SmallestOpenBalance()
{
    double b = 0.005;
    while (!(std::nearbyint(b / 0.01) > 0))
        b = std::nextafter(b, 1.0);
    while (std::nearbyint(std::nextafter(b, 0.0) / 0.01) > 0)
        b = std::nextafter(b, 0.0);
    return b;
}

const double kSmallestOpenBalance = SmallestOpenBalance();

// A bank's booking: whole fen, halves up. The nudge keeps an amount that is a half fen in decimal
// (516.665) from falling below it in binary.
double Fen(double x)
{
    return std::floor(x * 100 + 0.5 + 1e-7) / 100;
}

bool PartState::Active() const
{
    return balance >= kSmallestOpenBalance && remainingPeriods > 0;
}

// Month key and day text of an entry whose date starts with four digits, 年, two digits, 月; the
// day's text is taken raw, however short, and judged by the caller.
bool EntryMonth(const Ttqhd& entry, int& year, int& month, std::string& dayText)
{
    std::optional<DateTextParts> parts = SplitDateText(entry.tqdate);
    if (!parts || !ParseDigits(parts->year, year) || !ParseDigits(parts->month, month))
        return false;
    dayText = std::move(parts->day);
    return true;
}

// base^n; whole n (every term a page can hold) by squaring, a third of the cost of pow() and
// within a few units in the last place.
double WholePower(double base, double n)
{
    if (!(n >= 0 && n <= 4096 && n == std::floor(n)))
        return std::pow(base, n);
    double result = 1;
    for (auto k = static_cast<unsigned>(n); k != 0; k >>= 1) {
        if (k & 1u)
            result *= base;
        base *= base;
    }
    return result;
}

class ScheduleBuilder
{
  public:
    ScheduleBuilder(const LoanInput& input,
                    Method method,
                    const RunRates& rates,
                    std::optional<Date> levelsAround)
        : m_input(input), m_method(method),
          m_levelsAround(levelsAround), m_rates{PartRates{RateCursor(rates.s)},
                                                PartRates{RateCursor(rates.g)}}
    {
        InitPart(m_parts[0], PartPrincipal(input.dkze, input.ratioS));
        InitPart(m_parts[1], PartPrincipal(input.dkze, input.ratioG));
        m_capacity = static_cast<std::size_t>(std::floor(input.ajqs)) + input.plan.size();
        m_schedule.gridRowCount = static_cast<int>(m_capacity) + 1;
        m_schedule.rows.reserve(m_capacity);
        IndexPlan();
    }

    Schedule Run()
    {
        int year = m_input.firstPayment.y;
        int month = m_input.firstPayment.m;
        const int payDay = m_input.firstPayment.d;
        while ((Part(LoanPart::S).Active() || Part(LoanPart::G).Active()) && !Full()) {
            const auto [first, last] = MonthRange(year, month);
            ApplyPass(first, last, year, month, [&](int day) { return day < payDay; });
            PayMonth(Date{year, month, payDay});
            ApplyPass(first, last, year, month, [&](int day) { return day >= payDay; });
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
        FillTotals();
        return std::move(m_schedule);
    }

  private:
    struct IndexedEntry
    {
        int monthKey;
        int day;
        MonthEntry month;
    };
    using EntryIter = std::vector<IndexedEntry>::const_iterator;

    // A prepayment row collects one entry, or a G and an S entry of the same day.
    struct PendingRow
    {
        double interest = 0;
        double prepaid = 0;
        std::optional<double> prepaidS;
        std::optional<double> prepaidG;
    };

    void InitPart(PartState& part, double principal)
    {
        if (m_input.bankRounding)
            principal = Fen(principal);
        part.principal = principal;
        part.balance = principal;
        part.remainingPeriods = m_input.ajqs;
        part.settled = Settlement{m_input.lending, SerialDay(m_input.lending), false};
    }

    PartState& Part(LoanPart part) { return m_parts[PartIndex(part)]; }
    PartOutcome& Outcome(LoanPart which) { return m_schedule.parts[PartIndex(which)]; }
    bool Full() const { return m_schedule.rows.size() >= m_capacity; }

    // Per part: the rates of the run along its path.
    struct PartRates
    {
        RateCursor path;
        // (1 + m)^n of the last annuity payment, so the next month needs one division, not pow().
        double powerBase = -1;
        double powerPeriods = -1;
        double power = 0;
    };

    PartRates& RatesOf(const PartState& part) { return m_rates[&part == &m_parts[0] ? 0 : 1]; }

    static Date Effective(const Date& date) { return Date{date.y, date.m, EffectiveDay(date)}; }

    // Interest on the balance from serial day start up to the day before end, cut at every rate
    // point in between, each piece at its own rate.
    double SpanInterest(const PartState& part, long start, long end)
    {
        if (end <= start)
            return 0;
        RateCursor& path = RatesOf(part).path;
        const double b = part.balance;
        std::size_t step = path.IndexOn(start);
        if (path.NextFrom(step) >= end)
            return path[step].daily * b * static_cast<double>(end - start);
        double interest = 0;
        long cursor = start;
        for (; path.NextFrom(step) < end; ++step) {
            const long cut = path.NextFrom(step);
            interest += path[step].daily * b * static_cast<double>(cut - cursor);
            cursor = cut;
        }
        return interest + path[step].daily * b * static_cast<double>(end - cursor);
    }

    // The rate is the one in force on the due day.
    double RegularInterest(const PartState& part,
                           const Date& due,
                           long dueDay,
                           const RateCursor::Step& rate)
    {
        const Settlement& from = part.settled;
        const bool afterPreviousRegular =
            from.regular && (due.m == 1 ? from.date.y == due.y - 1 && from.date.m == 12
                                        : from.date.y == due.y && from.date.m == due.m - 1);
        // An undisturbed month bears 30 days, unless the rate changed within it.
        if (afterPreviousRegular && RatesOf(part).path.SameRate(from.day, dueDay))
            return rate.daily * part.balance * 30;
        return SpanInterest(part, from.day, dueDay);
    }

    double RegularPrincipal(const PartState& part, const RateCursor::Step& rate)
    {
        const double b = part.balance;
        const double n = part.remainingPeriods;
        if (n <= 1)
            return b; // the last payment clears the part, whatever rounding left
        if (m_method == Method::Debj)
            return b / n;
        PartRates& rates = RatesOf(part);
        const double m = rate.monthly;
        if (m == 0)
            return b / n;
        const double base = 1 + m;
        // Month after month n falls by one at the same rate: step the power down instead of
        // recomputing it; the drift stays below 1e-13 of the power over 360 steps. The
        // factor m / ((1 + m)^n - 1) does not depend on the balance, so its division overlaps
        // with the previous month's arithmetic instead of waiting for it.
        if (base == rates.powerBase && n == rates.powerPeriods - 1)
            rates.power *= rate.inverseBase;
        else
            rates.power = WholePower(base, n);
        rates.powerBase = base;
        rates.powerPeriods = n;
        return m / (rates.power - 1) * b;
    }

    void PayMonth(const Date& due)
    {
        const long dueDay = SerialDay(due);
        double interest = 0;
        double principal = 0;
        for (const LoanPart which : {LoanPart::G, LoanPart::S}) {
            PartState& part = Part(which);
            if (!part.Active())
                continue;
            const RateCursor::Step& rate = RatesOf(part).path.On(dueDay);
            double i = RegularInterest(part, due, dueDay, rate);
            double p = RegularPrincipal(part, rate);
            double level = Level(part, p, rate);
            if (m_input.bankRounding)
                BookInFen(part, rate, i, p, level);
            NoteRegularPayment(which, due, i + p, level);
            part.balance -= p;
            if (m_input.bankRounding)
                part.balance = Fen(part.balance);
            part.interestSoFar += i;
            part.totalPaid += i + p;
            part.remainingPeriods -= 1;
            interest += i;
            principal += p;
            NoteIfSettled(which, due);
        }
        Write(RowKind::Regular, due, dueDay, interest, principal, interest + principal, {}, {});
    }

    // 按分入账: the month's interest in fen; the principal in fen, with equal installment the kept
    // instalment less the month's interest on 30 days, so an undisturbed month pays it exactly.
    void
    BookInFen(PartState& part, const RateCursor::Step& rate, double& i, double& p, double& level)
    {
        i = Fen(i);
        if (part.remainingPeriods <= 1) {
            p = part.balance;
        } else if (m_method == Method::Debj) {
            p = std::min(Fen(p), part.balance);
        } else {
            if (part.annuityDue || rate.annual != part.annuityRate) {
                part.annuity = Fen(level);
                part.annuityRate = rate.annual;
                part.annuityDue = false;
            }
            p = std::clamp(part.annuity - Fen(part.balance * rate.monthly), 0.0, part.balance);
            level = part.annuity;
        }
        if (m_method == Method::Debj)
            level = p;
    }

    template <typename InPass>
    void ApplyPass(EntryIter first, EntryIter last, int year, int month, InPass inPass)
    {
        PendingRow pending;
        bool open = false;
        for (EntryIter it = first; it != last; ++it) {
            if (!inPass(it->day) || !Applies(*it, year, month))
                continue;
            const LoanPart part = *PartOf(*it->month.entry);
            Apply(*it->month.entry, part, Date{year, month, it->day}, pending);
            if (open) { // the second entry of a shared row
                WritePrepayment(pending, year, month, it->day);
                pending = PendingRow{};
                open = false;
                continue;
            }
            const EntryIter next = it + 1;
            const bool shares =
                next != last && inPass(next->day) && next->month.dayText == it->month.dayText &&
                PartOf(*next->month.entry) == OtherPart(part) && Applies(*next, year, month);
            if (shares) {
                open = true;
                continue;
            }
            WritePrepayment(pending, year, month, it->day);
            pending = PendingRow{};
        }
    }

    // Entries that do not fit are passed over: unknown part, a day that is no date, a part no
    // longer active, a date before the lending date.
    bool Applies(const IndexedEntry& indexed, int year, int month)
    {
        const std::optional<LoanPart> part = PartOf(*indexed.month.entry);
        if (!part || indexed.day < 1 || indexed.day > 31)
            return false;
        if (!Part(*part).Active())
            return false;
        return SerialDay(Effective(Date{year, month, indexed.day})) >=
               SerialDay(Effective(m_input.lending));
    }

    void Apply(const Ttqhd& entry, LoanPart which, const Date& date, PendingRow& pending)
    {
        PartState& part = Part(which);
        double interest = SpanInterest(part, part.settled.day, SerialDay(date));
        // Never more than the balance, so no balance goes below zero.
        double principal = entry.oneover ? part.balance : std::min(entry.tqse, part.balance);
        if (!(principal > 0))
            principal = 0;
        if (m_input.bankRounding) {
            interest = Fen(interest);
            principal = std::min(Fen(principal), part.balance);
            part.annuityDue = true;
        }
        part.balance -= principal;
        if (m_input.bankRounding)
            part.balance = Fen(part.balance);
        if (entry.sdajqs > 0)
            part.remainingPeriods -= entry.sdajqs;
        // A shortening never strands principal: the next regular payment clears what is left.
        if (part.remainingPeriods < 1 && RoundToDecimals(part.balance, 2) > 0)
            part.remainingPeriods = 1;
        part.interestSoFar += interest;
        part.totalPaid += interest + principal;
        NoteIfSettled(which, date);
        pending.interest += interest;
        pending.prepaid += principal;
        (which == LoanPart::S ? pending.prepaidS : pending.prepaidG) = principal;
    }

    // The annuity of the balance over the remaining periods, which the month's interest and
    // principal add up to in an undisturbed month; with equal principal, the principal itself.
    double Level(const PartState& part, double principal, const RateCursor::Step& rate) const
    {
        if (m_method == Method::Debj)
            return principal;
        return principal + rate.monthly * part.balance;
    }

    void NoteRegularPayment(LoanPart which, const Date& due, double payment, double level)
    {
        PartOutcome& outcome = Outcome(which);
        if (!outcome.firstPayment)
            outcome.firstPayment = payment;
        if (!m_levelsAround)
            return;
        const Date& around = *m_levelsAround;
        const bool onOrBefore =
            std::tie(due.y, due.m, due.d) <= std::tie(around.y, around.m, around.d);
        if (onOrBefore)
            outcome.levelBefore = level;
        else if (!outcome.levelAfter)
            outcome.levelAfter = level;
    }

    void NoteIfSettled(LoanPart which, const Date& date)
    {
        PartOutcome& outcome = Outcome(which);
        if (!Part(which).Active() && !outcome.payoff)
            outcome.payoff = date;
    }

    void WritePrepayment(const PendingRow& pending, int year, int month, int day)
    {
        const Date date{year, month, day};
        Write(RowKind::Prepayment, date, SerialDay(date), pending.interest, std::nullopt,
              pending.interest + pending.prepaid, pending.prepaidS, pending.prepaidG);
    }

    void Write(RowKind kind,
               const Date& date,
               long day,
               double interest,
               std::optional<double> principal,
               double payment,
               std::optional<double> prepaidS,
               std::optional<double> prepaidG)
    {
        if (Full())
            return;
        const PartState& s = Part(LoanPart::S);
        const PartState& g = Part(LoanPart::G);
        // Braces, not emplace_back's parentheses: clang 14 (the fuzz build) lacks parenthesized
        // aggregate initialization.
        m_schedule.rows.push_back(
            ScheduleRow{kind, date, interest, principal, payment, s.balance + g.balance,
                        s.interestSoFar + g.interestSoFar, prepaidS, prepaidG});
        const bool regular = kind == RowKind::Regular;
        if (regular || prepaidS)
            Settle(Part(LoanPart::S), date, day, regular);
        if (regular || prepaidG)
            Settle(Part(LoanPart::G), date, day, regular);
    }

    // Member by member: a whole Settlement built aside and copied in stalled every row.
    static void Settle(PartState& part, const Date& date, long day, bool regular)
    {
        part.settled.date = date;
        part.settled.day = day;
        part.settled.regular = regular;
    }

    void IndexPlan()
    {
        for (const Ttqhd& entry : m_input.plan) {
            int year = 0;
            int month = 0;
            std::string dayText;
            if (!EntryMonth(entry, year, month, dayText))
                continue;
            int day = 0;
            if (!ParseDigits(dayText, day) || dayText.size() != 2)
                day = 0; // stays in the month list but never applies
            m_entries.push_back(IndexedEntry{year * 100 + month, day, MonthEntry{&entry, dayText}});
        }
        std::stable_sort(m_entries.begin(), m_entries.end(),
                         [](const auto& a, const auto& b) { return a.monthKey < b.monthKey; });
        m_nextEntry = m_entries.begin();
    }

    // The loop visits months in ascending order, so a cursor over the sorted entries finds each
    // month's entries without a search.
    std::pair<EntryIter, EntryIter> MonthRange(int year, int month)
    {
        const int key = year * 100 + month;
        while (m_nextEntry != m_entries.end() && m_nextEntry->monthKey < key)
            ++m_nextEntry;
        EntryIter last = m_nextEntry;
        while (last != m_entries.end() && last->monthKey == key)
            ++last;
        return {m_nextEntry, last};
    }

    void FillTotals()
    {
        ScheduleTotals& totals = m_schedule.totals;
        const PartState& s = Part(LoanPart::S);
        const PartState& g = Part(LoanPart::G);
        totals.hkze = RoundToDecimals(s.totalPaid + g.totalPaid, 2);
        for (const LoanPart which : {LoanPart::S, LoanPart::G}) {
            Outcome(which).principal = Part(which).principal;
            Outcome(which).totalPaid = Part(which).totalPaid;
        }
        // A part below one fen is never lent, so it repays nothing; its principal must not turn
        // into negative interest.
        const auto interestOf = [](const PartState& part) {
            return std::max(0.0, part.totalPaid - part.principal);
        };
        totals.lxze = RoundToDecimals(interestOf(s) + interestOf(g), 2);
        const auto& rows = m_schedule.rows;
        if (!rows.empty())
            totals.endDate = rows.back().date;

        // An equal instalment that changes with the rate has no single value to show.
        const bool filled =
            m_input.plan.empty() &&
            (m_method == Method::Debj || (!m_input.floatingRates && m_input.adjustments.empty()));
        totals.summaryEnabled = filled;
        totals.summary = 0;
        if (filled && rows.size() >= 3) {
            // The summary is what the grid shows in row 3, read back from its text.
            const ScheduleRow& third = rows[2];
            const std::optional<double> shown =
                m_method == Method::Debx ? std::optional<double>(third.payment) : third.principal;
            double value = 0;
            if (shown && ParseNumber(MoneyText(*shown), value))
                totals.summary = value;
        }
    }

    const LoanInput& m_input;
    Method m_method;
    std::optional<Date> m_levelsAround;
    PartState m_parts[2];
    PartRates m_rates[2];
    std::size_t m_capacity = 0;
    std::vector<IndexedEntry> m_entries;
    EntryIter m_nextEntry;
    Schedule m_schedule;
};

} // namespace

Schedule BuildSchedule(const LoanInput& input,
                       Method method,
                       const RunRates& rates,
                       std::optional<Date> levelsAround)
{
    return ScheduleBuilder(input, method, rates, levelsAround).Run();
}

std::variant<Schedule, Refusal> CalculateSchedule(const LoanInput& input,
                                                  Method method,
                                                  const RateTable& floatingS,
                                                  const RateTable& floatingG)
{
    auto checked = CheckLoanInput(input, floatingS, floatingG);
    if (auto* refusal = std::get_if<Refusal>(&checked))
        return *refusal;
    return BuildSchedule(input, method, std::get<RunRates>(checked));
}

} // namespace lumavo
