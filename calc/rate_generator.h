#pragma once

#include "calc/loan_input.h"
#include "calc/rate_adjustment.h"
#include "calc/rate_rules.h"
#include "common/date.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

// 按规则生成: the 利率调整 of a loan part priced on the LPR, from its repricing terms and the
// published fixings. One rule in, the entries with what each was derived from out, or a refusal.
namespace lumavo {

// 重定价日: 每年1月1日, 放贷日对应日 or a month-day of the borrower's choosing.
enum class RepricingAnchor
{
    January1,
    Anniversary,
    MonthDay,
};

struct Repricing
{
    RepricingAnchor anchor = RepricingAnchor::January1;
    int month = 1;        // MonthDay only
    int day = 1;          // MonthDay only; past a month's end it means the month's last day
    int cycleMonths = 12; // 重定价周期: 12, 6 or 3
};

// 2020年存量贷款定价基准转换: the executed rate stays until the first repricing day after the
// conversion; from then on the LPR plus the spread the old rate had over December 2019's fixing.
struct Conversion2020
{
    double originalRate = 0; // percent a year
    Date date{2020, 8, 25};  // the day the banks converted in bulk
};

enum class SpreadChangeKind
{
    Set,     // 加点调整: the new spread from the day on
    Cut2023, // 2023年存量首套房贷利率调整: the spread the borrower's bank set
    Cut2024, // 2024年批量调整: a spread above -30 bp becomes -30 bp
};

// The LPR part waits for the next repricing day; only the spread moves on this day.
struct SpreadChange
{
    Date date;
    double spreadBp = 0; // ignored by Cut2024
    SpreadChangeKind kind = SpreadChangeKind::Set;
};

SpreadChange Cut2023(double newSpreadBp);
SpreadChange Cut2024();

struct LprPricing
{
    LoanPart part = LoanPart::S;
    double spreadBp = 0; // LPR + spread from the lending day; a converted loan derives its own
    std::optional<Conversion2020> conversion;
    Repricing repricing;
    std::vector<SpreadChange> spreadChanges;
};

enum class DerivationKind
{
    Lending,      // the rate at lending: the fixing in force that day plus the spread
    OriginalRate, // a converted loan's rate before its first repricing
    Repricing,
    SpreadChange,
    Cut2023,
    Cut2024,
};

// What an entry's rate came from: the LPR it used (the fixing's day, or none where the future
// LPR stood in past the data) and the spread added to it.
struct Derivation
{
    DerivationKind kind = DerivationKind::Lending;
    RateSeries series = RateSeries::Lpr5y;
    std::optional<Date> fixing;
    double lpr = 0;
    double spreadBp = 0;

    friend bool operator==(const Derivation&, const Derivation&) = default;
};

struct GeneratedAdjustment
{
    RateAdjustment adjustment;
    Derivation derivation;

    friend bool operator==(const GeneratedAdjustment&, const GeneratedAdjustment&) = default;
};

// The lending day with the rate at lending, then each day the rate changes up to the last
// payment, rates to three decimals. Repricing days take 上月LPR, the fixing in force at the end
// of the month before; past the last fixing, futureLpr (default: the latest fixing). Terms of at
// most 60 periods follow the 1-year LPR. Refused: a spread change before the lending day, a day
// the data hold no fixing for.
std::variant<std::vector<GeneratedAdjustment>, Refusal>
GenerateAdjustments(const LprPricing& pricing,
                    const RateHistory& history,
                    const LoanDates& dates,
                    std::optional<double> futureLpr = std::nullopt);

std::vector<RateAdjustment> AdjustmentsOf(const std::vector<GeneratedAdjustment>& generated);

// "重定价：5年期以上LPR 4.650%（2020年04月20日）加点59基点", "原执行利率".
std::string DerivationText(const Derivation& derivation);

// The LPR series a term prices on.
RateSeries LprSeriesFor(double periods);

} // namespace lumavo
