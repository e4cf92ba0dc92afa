// 导出 once reported success while writing a file that 导入 refused (a negative periods text), so
// the user's inputs were lost while the program said they were saved. Whatever a page holds,
// what it writes must read back into the same inputs.
#include "files/backup.h"
#include "files/backup_loan.h"
#include "tests/support/random_page.h"

#include <gtest/gtest.h>

namespace lumavo {
namespace {

using testing_support::Inputs;
using testing_support::RandomPage;

TEST(BackupRoundTrip, WhatAPageWritesReadsBackIntoTheSameInputs)
{
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        RandomPage random(seed);
        const LoanForm page = random.Form();
        const PlanList plan = random.Plan();

        const auto bytes = BackupBytes(BackupOf(page, plan));
        ASSERT_TRUE(bytes) << "seed " << seed;
        const auto parsed = ParseBackup(*bytes);
        ASSERT_TRUE(std::holds_alternative<BackupFile>(parsed))
            << "seed " << seed << ": " << std::get<BackupError>(parsed).reason;
        const BackupFile& file = std::get<BackupFile>(parsed);

        LoanForm restored;
        restored.StartUp(2029);
        ASSERT_TRUE(std::holds_alternative<FormMessages>(ApplyBackup(restored, file)))
            << "seed " << seed;
        EXPECT_EQ(Inputs(restored, PlanFromBackup(file)), Inputs(page, plan)) << "seed " << seed;
    }
}

} // namespace
} // namespace lumavo
