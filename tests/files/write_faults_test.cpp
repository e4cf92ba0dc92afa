#include "calc/schedule_text.h"
#include "files/backup.h"
#include "files/rate_archive.h"
#include "files/workbook.h"
#include "tests/support/worked_loan.h"
#include "tests/support/write_faults.h"

namespace lumavo::testing_support {
namespace {

BackupFile Backup(int planLines)
{
    BackupFile file;
    file.inputFields = {"1",     "0.00",  "0.00", "8",  "300000.00", "100",  "0",  "240", "1",
                        "6.000", "0.000", "2009", "01", "15",        "2009", "02", "15",  "0"};
    for (int i = 0; i < planLines; ++i)
        file.plan.push_back(FromEntry(Ttqhd{"2012年05月20日", 100.0 + i, 0, LoanPart::S, false}));
    return file;
}

INSTANTIATE_TEST_SUITE_P(Backup,
                         WriteFaults,
                         testing::Combine(testing::Values(WriterCase{
                                              "BackupFile", "loan.bak", *BackupBytes(Backup(1)),
                                              [](const std::string& path) {
                                                  return WriteBackupFile(path, Backup(600));
                                              }}),
                                          AllWriteFaults()),
                         WriteFaultName);

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

// A 360-period loan: its workbook is larger than the room a full disk leaves.
ScheduleReport Report360()
{
    LoanInput input = WorkedLoan();
    input.dkze = 300000;
    input.ajqs = 360;
    input.nllS = 4.9;
    auto schedule =
        std::get<Schedule>(CalculateSchedule(input, Method::Debx, RateTable{}, RateTable{}));
    TextGrid grid = ScheduleGridTexts(schedule);
    return BuildScheduleReport(Calculation{Method::Debx, input, std::move(schedule), {}},
                               std::move(grid));
}

INSTANTIATE_TEST_SUITE_P(Workbook,
                         WriteFaults,
                         testing::Combine(testing::Values(WriterCase{
                                              "WorkbookFile", "loan.xlsx", "an older workbook",
                                              [](const std::string& path) {
                                                  return WriteWorkbookFile(path, Report360());
                                              }}),
                                          AllWriteFaults()),
                         WriteFaultName);

} // namespace
} // namespace lumavo::testing_support
