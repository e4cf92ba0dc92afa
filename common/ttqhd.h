#pragma once

#include <string>

namespace lumavo {

// A prepayment plan entry (提前还贷), owned by its item in the plan list of its tab.
struct Ttqhd
{
    std::string tqdate;         // 提前日期 "2012年03月15日"
    double tqse = 0;            // 提前数额 amount in yuan
    double sdajqs = 0;          // 缩短按揭期数 periods to shorten
    std::string tqhdType = "S"; // 类型 loan part letter: "S" commercial, "G" provident fund
    bool oneover = false;       // 一次性还清 pay the part off at once
};

} // namespace lumavo
