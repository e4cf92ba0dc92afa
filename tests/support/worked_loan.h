#pragma once

#include "calc/loan_input.h"

namespace lumavo::testing_support {

// The loan the worked examples start from: 100,000 yuan, all commercial at a fixed 6 %, twelve
// periods, lent on 2009-01-15 with the first payment a month later. A test changes what its
// case is about.
inline LoanInput WorkedLoan()
{
    LoanInput input;
    input.dkze = 100000;
    input.ajqs = 12;
    input.nllS = 6;
    input.lending = {2009, 1, 15};
    input.firstPayment = {2009, 2, 15};
    return input;
}

} // namespace lumavo::testing_support
