#include "calc/rate_archive.h"
#include "tests/support/write_faults.h"

namespace lumavo::testing_support {
namespace {

RateTable Rates()
{
    RateTable table;
    table.Fill(4.9);
    table.Set(3, 5.635);
    return table;
}

// Large enough that its rewrite does not fit the room a full disk leaves.
const std::string kArchive =
    "[GPERCENTS]\r\npercent0=3.87\r\n;" + std::string(kFreeBytes + 1000, 'x') + "\r\n";

INSTANTIATE_TEST_SUITE_P(RateArchive,
                         WriteFaults,
                         testing::Combine(testing::Values(WriterCase{
                                              "SaveRateTable", "percents.ini", kArchive,
                                              [](const std::string& path) {
                                                  return SaveRateTable(path, kCommercialRateSection,
                                                                       Rates());
                                              }}),
                                          AllWriteFaults()),
                         WriteFaultName);

} // namespace
} // namespace lumavo::testing_support
