#include "cli/cli_app.h"

#include "calc/compare.h"
#include "calc/compare_text.h"
#include "calc/rate_generator.h"
#include "calc/schedule.h"
#include "calc/schedule_text.h"
#include "cli/options.h"
#include "cli/output.h"
#include "common/archive.h"
#include "common/atomic_file.h"
#include "common/date.h"
#include "common/messages.h"
#include "common/text.h"
#include "common/xls.h"
#include "files/backup_loan.h"
#include "files/bank_records.h"
#include "files/loan_file.h"
#include "files/rate_archive.h"
#include "files/rate_data.h"
#include "files/schedule_report.h"
#include "files/workbook.h"
#include "model/loan_form.h"

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
Render(const Options& options, const Calculation& calculation, std::string& bytes)
{
    const Schedule& schedule = calculation.schedule;
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
            WorkbookBytes(BuildScheduleReport(calculation, ScheduleGridTexts(schedule)), &reason);
        if (!workbook)
            return reason;
        bytes = std::move(*workbook);
        return std::nullopt;
    }
    }
    return std::string(msg::kCliUnknownFormat);
}

std::string Warnings(const std::vector<std::string>& problems)
{
    std::string text;
    for (const std::string& problem : problems)
        text += std::string(kName) + ": " + problem + "\n";
    return text;
}

// The history in use, each value with the file it came from and where it was published.
Result RatesData(const RateDataPaths& paths)
{
    const LoadedRateData data = LoadRateData(paths);
    std::string out = std::string("# ") + msg::kCliShipped + ": " + paths.shipped + "\n# " +
                      msg::kCliUserFile + ": " +
                      (paths.user.empty() ? std::string(msg::kCliNoUserFile) : paths.user) + "\n";
    out += "kind,effective,rate,from,source\n";
    for (const RateChange& change : data.history.Changes()) {
        const char* from = change.origin == paths.shipped ? msg::kCliShipped : msg::kCliUserFile;
        out += std::string(RateSeriesName(change.series)) + "," + IsoDateText(change.effective) +
               "," + GeneralNumberText(change.rate) + "," + from + "," + change.source + "\n";
    }
    return Result{kExitOk, out, Warnings(data.problems)};
}

// The tables the rules give for the loan's dates, over the archived ones; an error message when
// the history does not reach back to a day the loan needs.
std::optional<std::string> ApplyRules(const Options& options,
                                      const LoanInput& input,
                                      const LoadedRateData& data,
                                      RateTable& floatingS,
                                      RateTable& floatingG)
{
    const LoanDates dates{input.lending, input.firstPayment, input.ajqs};
    const std::pair<const std::optional<RateRule>*, RateTable*> targets[] = {
        {&options.ratesRule, &floatingS}, {&options.pfRule, &floatingG}};
    for (const auto& [rule, table] : targets) {
        if (!*rule)
            continue;
        const auto filled = FillRateTable(**rule, data.history, dates, options.futureLpr);
        if (const auto* gap = std::get_if<RateGap>(&filled))
            return msg::RateDataMissing(DateText(gap->day));
        *table = std::get<RateTable>(filled);
    }
    return std::nullopt;
}

std::optional<std::string>
WriteRuleTables(const Options& options, const RateTable& floatingS, const RateTable& floatingG)
{
    if (options.ratesRule)
        if (auto error = SaveRateTable(*options.writeRatesPath, kCommercialRateSection, floatingS))
            return error;
    if (options.pfRule)
        return SaveRateTable(*options.writeRatesPath, kProvidentRateSection, floatingG);
    return std::nullopt;
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
std::variant<std::string, Refusal> Analyse(const Options& options, const LoanDocument& document)
{
    if (options.compare) {
        const auto outcome = document.Compare();
        if (const auto* refusal = std::get_if<Refusal>(&outcome))
            return *refusal;
        const Comparison& comparison = std::get<Comparison>(outcome);
        return RenderGrid(options, ComparisonGridTexts(comparison), CompareJson(comparison));
    }
    const PreviewRequest& request = *options.preview;
    const PlanSubmission submission{
        request.year, request.month, request.day, request.part, false, request.amount, 0};
    const auto outcome = document.Preview(submission);
    if (const auto* refusal = std::get_if<Refusal>(&outcome))
        return *refusal;
    const PrepaymentPreview& preview = std::get<PrepaymentPreview>(outcome);
    return RenderGrid(options, PreviewGridTexts(preview, options.method),
                      PreviewJson(preview, options.method));
}

// The run's 利率调整: the document's own, then those given and those a rule generates. A refusal
// of the rule ends the run.
std::optional<Result> ApplyAdjustments(const Options& options,
                                       const std::optional<LoadedRateData>& data,
                                       LoanDocument& document)
{
    std::vector<RateAdjustment> adjustments = document.Adjustments();
    adjustments.insert(adjustments.end(), options.rateChanges.begin(), options.rateChanges.end());
    if (options.pricing) {
        for (const RateAdjustment& held : adjustments)
            if (held.part == options.pricing->part)
                return Fail(kExitFileError, msg::kCliRuleWithRateChange);
        const LoanInput& input = document.Input();
        const auto generated =
            GenerateAdjustments(*options.pricing, data->history,
                                {input.lending, input.firstPayment, input.ajqs}, options.futureLpr);
        if (const auto* refusal = std::get_if<Refusal>(&generated))
            return Refused(options, *refusal);
        for (const RateAdjustment& entry :
             AdjustmentsOf(std::get<std::vector<GeneratedAdjustment>>(generated)))
            adjustments.push_back(entry);
    }
    document.SetAdjustments(std::move(adjustments));
    return std::nullopt;
}

// The loan of the input file and whether it brought its own floating tables.
struct InputLoan
{
    LoanDocument document;
    bool tablesFromFile = false;
};

// A 贷款方案 by its name, any other file as the .bak it always was; the message naming the file
// and the line when it cannot be read. A 贷款方案 computes by its own method unless --method says
// otherwise.
std::variant<InputLoan, std::string> ReadInput(Options& options, int currentYear)
{
    const std::string& path = options.backupPath;
    if (!IsLoanFileName(path)) {
        const auto file = ReadBackupFile(path);
        if (const auto* error = std::get_if<BackupError>(&file))
            return BackupErrorText(path, *error);
        auto read = DocumentFromBackup(std::get<BackupFile>(file), currentYear, options.method);
        if (const auto* error = std::get_if<BackupError>(&read))
            return BackupErrorText(path, *error);
        return InputLoan{std::get<LoanDocument>(std::move(read)), false};
    }
    const auto file = ReadLoanFile(path);
    if (const auto* error = std::get_if<LoanFileError>(&file))
        return LoanFileErrorText(path, *error);
    const LoanFile& loan = std::get<LoanFile>(file);
    if (!options.methodGiven && loan.method)
        options.method = *loan.method;
    auto read = DocumentFromLoanFile(loan, currentYear, options.method);
    if (const auto* error = std::get_if<LoanFileError>(&read))
        return LoanFileErrorText(path, *error);
    return InputLoan{std::get<LoanDocument>(std::move(read)), loan.floating.has_value()};
}

// The loan with the tables of this run, and the rules given for them, which the file names.
std::optional<std::string> WriteLoan(const Options& options, const LoanDocument& document)
{
    LoanFile file = LoanFileOf(document);
    if (file.floating) {
        if (options.ratesRule)
            file.floating->ruleS = options.ratesRule;
        if (options.pfRule)
            file.floating->ruleG = options.pfRule;
    }
    if (auto error = WriteLoanFile(*options.writeLoanPath, file))
        return msg::kCliOutputFailed + *error;
    return std::nullopt;
}

Result Deliver(const Options& options, const std::string& bytes)
{
    if (!options.outputPath)
        return Result{kExitOk, bytes, ""};
    if (auto error = WriteFileAtomically(*options.outputPath, bytes))
        return Fail(kExitFileError, msg::kCliOutputFailed + *error);
    return Result{kExitOk, "", ""};
}

// The tables of the archive the window saves, so both fronts compute with the same rates.
std::optional<std::string>
ArchiveTables(const Options& options, const Environment& environment, FloatingTables& floating)
{
    const std::string rates =
        options.ratesPath ? *options.ratesPath
                          : RateArchivePathFor(environment.programDirectory, environment.config);
    // The window starts with zero rates from an archive it cannot read; a script is better told.
    std::string unreadable;
    if (!ReadIniFile(rates, &unreadable))
        return unreadable;
    floating = FloatingTables{LoadRateTable(rates, kCommercialRateSection),
                              LoadRateTable(rates, kProvidentRateSection)};
    return std::nullopt;
}

// --write-rates and --write-loan, in place of a calculation.
std::optional<std::string> WriteFiles(const Options& options, const LoanDocument& document)
{
    const FloatingTables& floating = document.Floating();
    if (options.writeRatesPath)
        if (auto error = WriteRuleTables(options, floating.s, floating.g))
            return error;
    if (options.writeLoanPath)
        return WriteLoan(options, document);
    return std::nullopt;
}

// --bank-rounding, and the bank's rows of --reconcile, which a written loan file keeps; the
// message naming the records file when it cannot be read.
std::optional<std::string> TakeBankOptions(const Options& options, LoanDocument& document)
{
    if (options.bankRounding)
        document.SetBankRounding(true);
    if (!options.recordsPath)
        return std::nullopt;
    auto read = ReadBankRecords(*options.recordsPath);
    if (const auto* error = std::get_if<RecordsError>(&read))
        return *options.recordsPath + ": " + error->reason;
    document.SetStatement(
        BankStatement{*options.recordsPart, std::get<std::vector<BankRecord>>(std::move(read))});
    return std::nullopt;
}

// The summary above the table; a CSV file stays a header row and one line per row.
Result Reconciled(const Options& options, const LoanDocument& document)
{
    const auto outcome = document.Reconcile();
    if (const auto* refusal = std::get_if<Refusal>(&outcome))
        return Refused(options, *refusal);
    const Reconciliation& reconciliation = std::get<Reconciliation>(outcome);
    const TextGrid grid = ReconciliationGridTexts(reconciliation);
    if (options.format == Format::Table)
        return Deliver(options, ReconciliationSummary(reconciliation) + "\n\n" + AlignedText(grid));
    return Deliver(options, RenderGrid(options, grid, ReconciliationJson(reconciliation)));
}

} // namespace

Result RunCli(const std::vector<std::string>& args, const Environment& environment)
{
    const auto parsed = ParseOptions(args);
    if (std::holds_alternative<HelpRequested>(parsed))
        return Result{kExitOk, HelpText(), ""};
    if (const auto* usage = std::get_if<UsageError>(&parsed))
        return Fail(kExitFileError, usage->message + msg::kCliSeeHelp);
    Options options = std::get<Options>(parsed);
    const RateDataPaths dataPaths =
        RateDataPathsFor(environment.programDirectory, environment.data);
    if (options.ratesData)
        return RatesData(dataPaths);

    auto input = ReadInput(options, environment.currentYear);
    if (const auto* error = std::get_if<std::string>(&input))
        return Fail(kExitFileError, *error);
    LoanDocument& document = std::get<InputLoan>(input).document;

    // A 贷款方案 computes with the tables it was saved with, unless --rates names an archive.
    FloatingTables& floating = document.Floating();
    if (!std::get<InputLoan>(input).tablesFromFile || options.ratesPath)
        if (auto error = ArchiveTables(options, environment, floating))
            return Fail(kExitFileError, *error);
    std::string warnings;
    std::optional<LoadedRateData> data;
    if (options.ratesRule || options.pfRule || options.pricing) {
        data = LoadRateData(dataPaths);
        warnings = Warnings(data->problems);
    }
    if (options.ratesRule || options.pfRule) {
        if (auto error = ApplyRules(options, document.Input(), *data, floating.s, floating.g))
            return Fail(kExitFileError, *error);
        // A table the rules replaced is no longer the one a loan file's rule filled.
        if (options.ratesRule)
            floating.ruleS.reset();
        if (options.pfRule)
            floating.ruleG.reset();
    }
    // A written loan file holds the adjustments the options gave or generated.
    if (auto refused = ApplyAdjustments(options, data, document)) {
        refused->err = warnings + refused->err;
        return std::move(*refused);
    }
    if (auto error = TakeBankOptions(options, document))
        return Fail(kExitFileError, *error);
    if (options.writeRatesPath || options.writeLoanPath) {
        if (auto error = WriteFiles(options, document))
            return Fail(kExitFileError, *error);
        return Result{kExitOk, "", warnings};
    }

    Result result;
    if (options.showRateChanges) {
        result = Deliver(options, RateChangesJson(document.Adjustments()));
    } else if (options.recordsPath) {
        result = Reconciled(options, document);
    } else if (options.compare || options.preview) {
        const auto text = Analyse(options, document);
        if (const auto* refusal = std::get_if<Refusal>(&text))
            result = Refused(options, *refusal);
        else
            result = Deliver(options, std::get<std::string>(text));
    } else if (const auto refusal = document.Calculate()) {
        result = Refused(options, *refusal);
    } else {
        std::string bytes;
        if (auto error = Render(options, *document.LastCalculation(), bytes))
            return Fail(kExitFileError, *error);
        result = Deliver(options, bytes);
    }
    // Warnings about the rate data come first on standard error.
    result.err = warnings + result.err;
    return result;
}

} // namespace lumavo::cli
