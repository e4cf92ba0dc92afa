#include "calc/loan_input.h"

#include "common/messages.h"
#include "common/text.h"

#include <cmath>

namespace lumavo {

namespace {

// Index of the first entry 0..lastEntry that is not above zero, or -1.
int FirstNonPositiveEntry(const RateTable& table, int lastEntry)
{
    for (int k = 0; k <= lastEntry && k < RateTable::kEntries; ++k)
        if (!(table.At(k) > 0))
            return k;
    return -1;
}

} // namespace

double PartPrincipal(double dkze, double share)
{
    return dkze * share / 100;
}

bool CheckFirstPaymentDate(const Date& lending, const Date& firstPayment)
{
    const long l = DayNumber(lending);
    const long f = DayNumber(firstPayment);
    // The 30-day count alone lets 31 January pass for a lending on 1 February.
    const bool notBefore = SerialDay(firstPayment) >= SerialDay(lending);
    return notBefore && l <= f && f <= l + 30;
}

bool CheckFirstPaymentDate(const std::string& fdyear,
                           const std::string& fdmonth,
                           const std::string& fdday,
                           const std::string& firstyear,
                           const std::string& firstmonth,
                           const std::string& firstday)
{
    Date lending;
    Date first;
    return ParseWholeNumber(fdyear, lending.y) && ParseWholeNumber(fdmonth, lending.m) &&
           ParseWholeNumber(fdday, lending.d) && ParseWholeNumber(firstyear, first.y) &&
           ParseWholeNumber(firstmonth, first.m) && ParseWholeNumber(firstday, first.d) &&
           CheckFirstPaymentDate(lending, first);
}

std::variant<RunRates, Refusal>
CheckLoanInput(const LoanInput& input, const RateTable& floatingS, const RateTable& floatingG)
{
    if (!(input.dkze > 0) || !std::isfinite(input.dkze))
        return Refusal{msg::kLoanTotalPositive};
    if (!(input.dkze < kMaxLoanTotal))
        return Refusal{msg::kLoanTotalTooLarge};
    if (!(input.ajqs > 0))
        return Refusal{msg::kPeriodsPositive};
    if (input.ajqs > kMaxPeriods)
        return Refusal{msg::kPeriodsAtMost360};

    RateTable tableS = floatingS;
    RateTable tableG = floatingG;
    if (!input.floatingRates) {
        if (input.ratioS > 0 && !(input.nllS > 0))
            return Refusal{msg::kFixedRateS};
        if (input.ratioG > 0 && !(input.nllG > 0))
            return Refusal{msg::kFixedRateG};
        tableS.Fill(input.nllS);
        tableG.Fill(input.nllG);
    } else {
        const int lastChecked = static_cast<int>(std::floor(input.ajqs)) / 12;
        if (input.ratioS > 0) {
            const int k = FirstNonPositiveEntry(floatingS, lastChecked);
            if (k >= 0)
                return Refusal{msg::FloatingRateNotPositive(k, msg::kFloatingRateS)};
        }
        if (input.ratioG > 0) {
            const int k = FirstNonPositiveEntry(floatingG, lastChecked);
            if (k >= 0)
                return Refusal{msg::FloatingRateNotPositive(k, msg::kFloatingRateG)};
        }
    }

    if (!CheckFirstPaymentDate(input.lending, input.firstPayment))
        return Refusal{msg::kFirstPaymentDate};
    if (auto refused =
            CheckAdjustments(input.adjustments, {input.lending, input.ratioS, input.ratioG}))
        return Refusal{std::move(*refused)};
    return RunRates{PathWithAdjustments(PathFromTable(tableS, input.lending, input.firstPayment),
                                        input.adjustments, LoanPart::S),
                    PathWithAdjustments(PathFromTable(tableG, input.lending, input.firstPayment),
                                        input.adjustments, LoanPart::G)};
}

} // namespace lumavo
