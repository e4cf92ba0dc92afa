#include "cli/cli_app.h"

#include "calc/schedule.h"
#include "calc/schedule_text.h"
#include "cli/options.h"
#include "cli/output.h"
#include "common/atomic_file.h"
#include "common/messages.h"
#include "common/xls.h"
#include "files/backup_loan.h"
#include "files/rate_archive.h"
#include "files/schedule_report.h"
#include "files/workbook.h"

#include <algorithm>

namespace lumavo::cli {

namespace {

constexpr const char* kName = "lumavo-cli";

Result Fail(int status, const std::string& message)
{
    return Result{status, "", std::string(kName) + ": " + message + "\n"};
}

// Bytes for the chosen format, or the reason they could not be made.
std::optional<std::string>
Render(const Options& options, const LoanInput& input, const Schedule& schedule, std::string& bytes)
{
    switch (options.format) {
    case Format::Json:
        bytes = JsonOutput(schedule, options.method);
        return std::nullopt;
    case Format::Csv:
        bytes = CsvOutput(schedule);
        return std::nullopt;
    case Format::Table:
        bytes = TableOutput(schedule, options.method);
        return std::nullopt;
    case Format::Xls: {
        auto worksheet = WorksheetBytes(ScheduleGridTexts(schedule));
        if (!worksheet)
            return std::string(msg::kWorksheetUnwritable);
        bytes = std::move(*worksheet);
        return std::nullopt;
    }
    case Format::Xlsx: {
        std::string reason;
        auto workbook =
            WorkbookBytes(BuildScheduleReport(options.method, input, TotalsOf(schedule.totals),
                                              ScheduleGridTexts(schedule)),
                          &reason);
        if (!workbook)
            return reason;
        bytes = std::move(*workbook);
        return std::nullopt;
    }
    }
    return std::string(msg::kCliUnknownFormat);
}

} // namespace

Result RunCli(const std::vector<std::string>& args, const Environment& environment)
{
    const auto parsed = ParseOptions(args);
    if (std::holds_alternative<HelpRequested>(parsed))
        return Result{kExitOk, HelpText(), ""};
    if (const auto* usage = std::get_if<UsageError>(&parsed))
        return Fail(kExitFileError, usage->message + msg::kCliSeeHelp);
    const Options& options = std::get<Options>(parsed);

    const auto file = ReadBackupFile(options.backupPath);
    if (const auto* error = std::get_if<BackupError>(&file))
        return Fail(kExitFileError, BackupErrorText(options.backupPath, *error));
    const auto input = LoanInputFromBackup(std::get<BackupFile>(file), environment.currentYear);
    if (const auto* error = std::get_if<BackupError>(&input))
        return Fail(kExitFileError, BackupErrorText(options.backupPath, *error));

    // The archive the window saves, so both fronts compute with the same rates.
    const std::string rates =
        options.ratesPath ? *options.ratesPath
                          : RateArchivePathFor(environment.programDirectory, environment.config);
    const RateTable floatingS = LoadRateTable(rates, kCommercialRateSection);
    const RateTable floatingG = LoadRateTable(rates, kProvidentRateSection);

    const LoanInput& loan = std::get<LoanInput>(input);
    const auto outcome = CalculateSchedule(loan, options.method, floatingS, floatingG);
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        // The message box breaks the line where the message holds a carriage return.
        std::string shown = refusal->message;
        std::replace(shown.begin(), shown.end(), '\r', '\n');
        Result result{kExitRefused, "", shown + "\n"};
        if (options.format == Format::Json)
            result.out = JsonError(refusal->message);
        return result;
    }

    std::string bytes;
    if (auto error = Render(options, loan, std::get<Schedule>(outcome), bytes))
        return Fail(kExitFileError, *error);
    if (!options.outputPath)
        return Result{kExitOk, bytes, ""};
    if (auto error = WriteFileAtomically(*options.outputPath, bytes))
        return Fail(kExitFileError, msg::kCliOutputFailed + *error);
    return Result{kExitOk, "", ""};
}

} // namespace lumavo::cli
