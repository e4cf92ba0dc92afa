#pragma once

#include "common/date.h"

#include <optional>
#include <string>
#include <vector>

namespace lumavo {

// One row of a bank's repayment history, as the borrower copied it from the app, a counter
// printout or a provident-fund statement. Only date, principal and interest are always there.
struct BankRecord
{
    int line = 0; // where it stood in its file, for messages; 0 when made in code
    Date date;
    double principal = 0;
    double interest = 0;
    std::optional<double> balance; // 剩余本金 after the row
    std::optional<double> payment; // 还款金额
    std::optional<double> rate;    // 执行利率, percent a year
    std::optional<int> period;     // 期次
    std::string type; // 类型 / 摘要 as written: 正常扣款, 提前还款, 罚息, …

    friend bool operator==(const BankRecord&, const BankRecord&) = default;
};

// What kind of booking a row is, read from its 类型 text.
enum class BankRowKind
{
    Instalment, // the month's payment, and a row that names nothing
    Prepayment, // 提前还款 and its variants
    Penalty,    // 罚息, 逾期 and 转逾: never part of a schedule
};

BankRowKind KindOf(const BankRecord& record);

} // namespace lumavo
