#pragma once

#include "calc/rate_adjustment.h"
#include "calc/rate_path.h"
#include "calc/rate_table.h"
#include "common/date.h"
#include "common/ttqhd.h"

#include <string>
#include <variant>
#include <vector>

namespace lumavo {

enum class Method
{
    Debx, // 等额本息 equal installment
    Debj, // 等额本金 equal principal
};

// The longest term a calculation takes: thirty years, the last entry of a rate table.
inline constexpr double kMaxPeriods = 360;

// Loan totals from here on are refused. A double holds whole fen exactly up to about 9 * 10^13
// yuan; a schedule multiplies balances by rates and day counts, and this bound keeps two orders
// of magnitude of that margin, far above any home loan.
inline constexpr double kMaxLoanTotal = 1e12;

// The inputs of one loan page, read when a calculation starts.
struct LoanInput
{
    double dkze = 0;                         // 贷款总额 loan total
    double ajqs = 240;                       // 按揭期数 periods
    double ratioS = 100;                     // 商业贷款 share in percent
    double ratioG = 0;                       // 公积金贷款 share in percent
    bool floatingRates = false;              // 浮动年利率 instead of 固定年利率
    double nllS = 0;                         // 商业利率 fixed annual rate in percent
    double nllG = 0;                         // 公积金利率 fixed annual rate in percent
    Date lending{1997, 1, 1};                // 放贷日 fdyear / fdmonth / fdday
    Date firstPayment{1997, 1, 1};           // 月供首日 firstyear / firstmonth / firstday
    std::vector<Ttqhd> plan;                 // in plan-list order
    std::vector<RateAdjustment> adjustments; // 利率调整, laid over the rates above
    bool bankRounding = false;               // 按分入账: every amount booked in whole fen

    friend bool operator==(const LoanInput&, const LoanInput&) = default;
};

struct Refusal
{
    std::string message;
};

// The rates a run charges each part: the fixed rates spread over every year, or the floating
// tables, each read as a path by its year rule, with the part's 利率调整 laid over it.
struct RunRates
{
    RatePath s;
    RatePath g;
};

// A part's principal: the loan total times its share in percent. The schedule lends it and every
// plan check compares amounts with it, so a check accepts to the fen what the schedule lends.
double PartPrincipal(double dkze, double share);

// Lending day and first payment day, each as year*360 + month*30 + day; allowed when the first
// payment is not before the lending date and at most 30 of those days later.
bool CheckFirstPaymentDate(const Date& lending, const Date& firstPayment);

// The same over the six texts of the date pickers; false when one of them is not a whole number.
bool CheckFirstPaymentDate(const std::string& fdyear,
                           const std::string& fdmonth,
                           const std::string& fdday,
                           const std::string& firstyear,
                           const std::string& firstmonth,
                           const std::string& firstday);

// The checks of a calculation in their order: the rates of the run, or the message of the first
// check that fails.
std::variant<RunRates, Refusal>
CheckLoanInput(const LoanInput& input, const RateTable& floatingS, const RateTable& floatingG);

} // namespace lumavo
