#pragma once

#include "calc/loan_input.h"
#include "calc/plan.h"
#include "calc/rate_adjustment.h"
#include "model/form_texts.h"
#include "model/loan_document.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// 贷款方案 (*.lumavo): one loan document as UTF-8 JSON, to be read in a text editor as well as by
// the program. It holds what the .bak cannot: the floating tables in use with the rules that
// filled them, the rate adjustments, 按分入账 and the bank's rows the loan was checked against.
// Versioned "MAJOR.MINOR": a reader takes every file of its major version, skipping the keys a
// newer minor version added, and refuses a newer major version by name.
namespace lumavo {

inline constexpr int kLoanFileMajor = 1;
inline constexpr int kLoanFileMinor = 1;
inline constexpr std::string_view kLoanFileFormat = "lumavo-loan";
inline constexpr std::string_view kLoanFileSuffix = ".lumavo";

struct LoanFile
{
    // The page the loan was saved from; a file without one leaves the choice to the reader.
    std::optional<Method> method;
    // The texts of the page's fields, as the .bak keeps them, so an import means the same
    // whichever file it came from; always all of them, the loan type included.
    FormTexts form;
    std::vector<Ttqhd> plan; // in plan-list order
    // The tables a floating-rate loan computes with; none for fixed rates, whose loan the tables
    // do not touch.
    std::optional<FloatingTables> floating;
    std::vector<RateAdjustment> adjustments;
    bool bankRounding = false; // 按分入账
    // The bank's rows the loan was checked against (核对); written only when it has rows.
    BankStatement statement;
    // The line of each form text in the file read (0 for a file about to be written), so a text
    // the page refuses is named where it stands.
    std::array<int, kFormFieldsWithLoanType> formLines{};
};

struct LoanFileError
{
    int line = 0;    // 1-based; 0 when the file as a whole is at fault
    std::string key; // "loan.plan[2].amount", entries counted from 1; empty for a syntax error
    std::string reason;
};

// The page's document as a file: its texts, its plan in list order, its floating tables when its
// rates float, its rate adjustments and its method.
LoanFile LoanFileOf(const LoanDocument& document);

// The file's text; nullopt when a text the page holds is not valid UTF-8.
std::optional<std::string> LoanFileText(const LoanFile& file);

// Checks the whole text before anything is handed out, so an import applies all of it or
// nothing. What the form's rules decide (a date the pickers lack) is left to ApplyLoanFile.
std::variant<LoanFile, LoanFileError> ParseLoanFile(std::string_view bytes);

// Atomic: the previous file survives a failed write. The reason on failure.
std::optional<std::string> WriteLoanFile(const std::string& path, const LoanFile& file);
// Size-bounded as every reader.
std::variant<LoanFile, LoanFileError> ReadLoanFile(const std::string& path);

// "path:12: 不是有效的贷款方案文件：“loan.plan[2].amount”不是数字"
std::string LoanFileErrorText(const std::string& path, const LoanFileError& error);

// A name ending in ".lumavo" (any case): the window and lumavo-cli read such a file as a loan
// file and every other name as a .bak, as they always did.
bool IsLoanFileName(std::string_view path);

// The texts applied to the form in the page's order, each running the page's rule; the
// messages the rules raise, or the error naming the text's key, with the form as it was.
std::variant<FormMessages, LoanFileError> ApplyLoanFile(LoanForm& form, const LoanFile& file);

// The file's plan as the plan list holds it.
PlanList PlanOf(const LoanFile& file);

// A freshly started page's document after opening the file: form, plan, rate adjustments,
// 按分入账, the bank's rows and, when the file holds them, the floating tables. The file's method
// unless one is given.
std::variant<LoanDocument, LoanFileError>
DocumentFromLoanFile(const LoanFile& file, int currentYear, std::optional<Method> method);

} // namespace lumavo
