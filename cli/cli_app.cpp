#include "cli/cli_app.h"

#include "calc/compare.h"
#include "calc/compare_text.h"
#include "calc/loan_form.h"
#include "calc/schedule.h"
#include "calc/schedule_text.h"
#include "cli/options.h"
#include "cli/output.h"
#include "common/atomic_file.h"
#include "common/messages.h"
#include "common/xls.h"
#include "files/backup_loan.h"
#include "files/rate_archive.h"

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
Render(const Options& options, const Schedule& schedule, std::string& bytes)
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
    }
    return std::string(msg::kCliUnknownFormat);
}

Result Refused(const Options& options, const Refusal& refusal)
{
    // The message box breaks the line where the message holds a carriage return.
    std::string shown = refusal.message;
    std::replace(shown.begin(), shown.end(), '\r', '\n');
    Result result{kExitRefused, "", shown + "\n"};
    if (options.format == Format::Json)
        result.out = JsonError(refusal.message);
    return result;
}

std::string RenderGrid(const Options& options, const TextGrid& grid, const std::string& json)
{
    if (options.format == Format::Json)
        return json;
    return options.format == Format::Csv ? CsvText(grid) : AlignedText(grid);
}

// The comparison or the preview, as text; a refusal as 计算 or 提交 gives it.
std::variant<std::string, Refusal> Analyse(const Options& options,
                                           const BackupFile& file,
                                           const LoanInput& input,
                                           const RateTable& floatingS,
                                           const RateTable& floatingG,
                                           int currentYear)
{
    if (options.compare) {
        const auto outcome = CompareLoan(input, floatingS, floatingG);
        if (const auto* refusal = std::get_if<Refusal>(&outcome))
            return *refusal;
        const Comparison& comparison = std::get<Comparison>(outcome);
        return RenderGrid(options, ComparisonGridTexts(comparison), CompareJson(comparison));
    }
    // The input already came through this path, so applying the file again cannot fail.
    LoanForm form;
    form.StartUp(currentYear + 3);
    ApplyBackup(form, file);
    const PreviewRequest& request = *options.preview;
    const PlanSubmission submission{
        request.year, request.month, request.day, request.partIndex, false, request.amount, 0};
    const auto outcome = PreviewPrepayment(input, options.method, PlanFromBackup(file),
                                           form.PlanContext(), submission, floatingS, floatingG);
    if (const auto* refusal = std::get_if<Refusal>(&outcome))
        return *refusal;
    const PrepaymentPreview& preview = std::get<PrepaymentPreview>(outcome);
    return RenderGrid(options, PreviewGridTexts(preview, options.method),
                      PreviewJson(preview, options.method));
}

Result Deliver(const Options& options, const std::string& bytes)
{
    if (!options.outputPath)
        return Result{kExitOk, bytes, ""};
    if (auto error = WriteFileAtomically(*options.outputPath, bytes))
        return Fail(kExitFileError, msg::kCliOutputFailed + *error);
    return Result{kExitOk, "", ""};
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

    if (options.compare || options.preview) {
        const auto text = Analyse(options, std::get<BackupFile>(file), std::get<LoanInput>(input),
                                  floatingS, floatingG, environment.currentYear);
        if (const auto* refusal = std::get_if<Refusal>(&text))
            return Refused(options, *refusal);
        return Deliver(options, std::get<std::string>(text));
    }

    const auto outcome =
        CalculateSchedule(std::get<LoanInput>(input), options.method, floatingS, floatingG);
    if (const auto* refusal = std::get_if<Refusal>(&outcome))
        return Refused(options, *refusal);

    std::string bytes;
    if (auto error = Render(options, std::get<Schedule>(outcome), bytes))
        return Fail(kExitFileError, *error);
    return Deliver(options, bytes);
}

} // namespace lumavo::cli
