#include "calc/rate_adjustment.h"

#include "common/messages.h"
#include "common/text.h"

#include <algorithm>

namespace lumavo {

void SortAdjustments(std::vector<RateAdjustment>& adjustments)
{
    std::stable_sort(adjustments.begin(), adjustments.end(),
                     [](const RateAdjustment& a, const RateAdjustment& b) {
                         const long x = SerialDay(a.date);
                         const long y = SerialDay(b.date);
                         return x != y ? x < y : PartIndex(a.part) < PartIndex(b.part);
                     });
}

std::optional<std::string> CheckAdjustments(const std::vector<RateAdjustment>& adjustments,
                                            const AdjustmentContext& context)
{
    std::vector<RateAdjustment> sorted = adjustments;
    SortAdjustments(sorted);
    const long lending = SerialDay(context.lending);
    for (std::size_t i = 0; i < sorted.size(); ++i) {
        const RateAdjustment& a = sorted[i];
        const auto refuse = [&a](const char* text) {
            return msg::AdjustmentRefusal(text, AdjustmentText(a));
        };
        if (SerialDay(a.date) < lending)
            return refuse(msg::kAdjustmentBeforeLending);
        if (!(a.rate > 0 && a.rate < 100))
            return refuse(msg::kAdjustmentRateRange);
        if (!((a.part == LoanPart::S ? context.ratioS : context.ratioG) > 0))
            return refuse(msg::kAdjustmentNoShare);
        if (i > 0 && sorted[i - 1].part == a.part &&
            SerialDay(sorted[i - 1].date) == SerialDay(a.date))
            return refuse(msg::kAdjustmentSameDay);
    }
    return std::nullopt;
}

RatePath
PathWithAdjustments(RatePath table, const std::vector<RateAdjustment>& adjustments, LoanPart part)
{
    std::vector<RateAdjustment> own;
    for (const RateAdjustment& a : adjustments)
        if (a.part == part)
            own.push_back(a);
    if (own.empty())
        return table;
    SortAdjustments(own);
    const long first = SerialDay(own.front().date);
    std::vector<RatePoint> points;
    for (std::size_t i = 0; i < table.Points().size(); ++i)
        if (table.Days()[i] < first)
            points.push_back(table.Points()[i]);
    for (const RateAdjustment& a : own)
        points.push_back(RatePoint{a.date, a.rate});
    return RatePath(std::move(points));
}

std::string AdjustmentText(const RateAdjustment& adjustment)
{
    return DateText(adjustment.date) + " " +
           (adjustment.part == LoanPart::S ? msg::kLoanTypeS : msg::kLoanTypeG) + " " +
           RateText(adjustment.rate) + "%";
}

} // namespace lumavo
