#include "calc/row_rates.h"

#include "common/messages.h"
#include "common/text.h"

#include <algorithm>

namespace lumavo {

namespace {

// The changes of a path on the days after `after` up to `upTo`, both serial days.
void AddChanges(const RatePath& path,
                LoanPart part,
                long after,
                long upTo,
                std::vector<PartRateChange>& changes)
{
    const std::vector<long>& days = path.Days();
    const std::vector<RatePoint>& points = path.Points();
    auto at = std::upper_bound(days.begin(), days.end(), after);
    for (; at != days.end() && *at <= upTo; ++at) {
        const auto i = static_cast<std::size_t>(at - days.begin());
        // Days before the first point already bear its rate.
        if (i > 0 && points[i].rate != points[i - 1].rate)
            changes.push_back(PartRateChange{points[i].effective, part, points[i].rate});
    }
}

const char* PartName(LoanPart part)
{
    return part == LoanPart::S ? msg::kLoanTypeS : msg::kLoanTypeG;
}

} // namespace

std::vector<RowRates>
ScheduleRowRates(const Schedule& schedule, const LoanInput& input, const RunRates& rates)
{
    std::vector<RowRates> result;
    result.reserve(schedule.rows.size());
    long previous = SerialDay(input.lending);
    for (const ScheduleRow& row : schedule.rows) {
        const long day = SerialDay(row.date);
        RowRates& rowRates = result.emplace_back();
        for (const LoanPart part : {LoanPart::S, LoanPart::G}) {
            const PartOutcome& outcome = schedule.parts[PartIndex(part)];
            if (!outcome.Present() || (outcome.payoff && SerialDay(*outcome.payoff) < day))
                continue;
            const RatePath& path = part == LoanPart::S ? rates.s : rates.g;
            rowRates.rate[PartIndex(part)] = path.RateOn(row.date);
            AddChanges(path, part, previous, day, rowRates.changes);
        }
        previous = std::max(previous, day);
    }
    return result;
}

std::string RowRatesTip(const RowRates& row)
{
    std::string tip;
    const auto line = [&tip](const std::string& text) {
        if (!tip.empty())
            tip += '\n';
        tip += text;
    };
    for (const LoanPart part : {LoanPart::S, LoanPart::G}) {
        const std::optional<double>& rate = row.rate[PartIndex(part)];
        if (!rate)
            continue;
        bool changed = false;
        for (const PartRateChange& change : row.changes) {
            if (change.part != part)
                continue;
            line(msg::RateChangeTip(DateText(change.date), PartName(part), RateText(change.rate)));
            changed = true;
        }
        if (!changed)
            line(msg::PartRateTip(PartName(part), RateText(*rate)));
    }
    return tip;
}

} // namespace lumavo
