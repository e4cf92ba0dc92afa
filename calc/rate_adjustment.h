#pragma once

#include "calc/rate_path.h"
#include "common/date.h"
#include "common/loan_part.h"

#include <optional>
#include <string>
#include <vector>

namespace lumavo {

// 利率调整: from its day on, one part of the loan bears a new annual rate (a repricing on the
// loan's own date, a spread cut, a rate the bank announced), whatever its table says.
struct RateAdjustment
{
    Date date;
    LoanPart part = LoanPart::S;
    double rate = 0; // percent a year

    friend bool operator==(const RateAdjustment&, const RateAdjustment&) = default;
};

// The order lists show and the engine reads: by day, then commercial before provident; entries
// that compare equal keep their order.
void SortAdjustments(std::vector<RateAdjustment>& adjustments);

// What a part of the loan looks like to the checks of its adjustments.
struct AdjustmentContext
{
    Date lending;
    double ratioS = 100;
    double ratioG = 0;
};

// The first adjustment 计算 refuses, in date order, as the message naming it: one dated before
// the lending day, a rate not above 0 or not below 100, one for a part whose share is 0, a second
// one of a part on the same day.
std::optional<std::string> CheckAdjustments(const std::vector<RateAdjustment>& adjustments,
                                            const AdjustmentContext& context);

// The part's path as its table gives it until the part's first adjustment, then the
// adjustments of that part alone. The checks keep adjustments on or after the lending day, where
// the table's first point already holds.
RatePath
PathWithAdjustments(RatePath table, const std::vector<RateAdjustment>& adjustments, LoanPart part);

// "2024年10月25日 商业贷款 3.900%": how lists and messages name an adjustment.
std::string AdjustmentText(const RateAdjustment& adjustment);

} // namespace lumavo
