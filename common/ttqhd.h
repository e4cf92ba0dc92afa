#pragma once

#include "common/loan_part.h"

#include <optional>
#include <string>
#include <variant>

namespace lumavo {

// A prepayment plan entry (提前还贷), owned by its item in the plan list of its tab.
struct Ttqhd
{
    std::string tqdate; // 提前日期 "2012年03月15日"
    double tqse = 0;    // 提前数额 amount in yuan
    double sdajqs = 0;  // 缩短按揭期数 periods to shorten
    // 类型 the loan part; for a backup file's line that names neither, that line's own text,
    // which the plan list shows and 导出 writes back but no schedule applies.
    std::variant<LoanPart, std::string> tqhdType = LoanPart::S;
    bool oneover = false; // 一次性还清 pay the part off at once

    friend bool operator==(const Ttqhd&, const Ttqhd&) = default;
};

// The entry's part; none for a line of a file that names another.
inline std::optional<LoanPart> PartOf(const Ttqhd& entry)
{
    if (const LoanPart* part = std::get_if<LoanPart>(&entry.tqhdType))
        return *part;
    return std::nullopt;
}

// The part as the plan list and backup files write it.
inline std::string TypeText(const Ttqhd& entry)
{
    if (const LoanPart* part = std::get_if<LoanPart>(&entry.tqhdType))
        return PartLetter(*part);
    return std::get<std::string>(entry.tqhdType);
}

} // namespace lumavo
