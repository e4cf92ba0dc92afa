#pragma once

#include "common/ttqhd.h"
#include "model/form_texts.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The ".bak" input backup: line 1 holds the texts of a loan tab's input controls, every further
// line one prepayment plan entry. This is the only code that knows the layout; the window and the
// command line go through it so a file written by one reads back in the other.
namespace lumavo {

// The fields of line 1 are a loan form's texts in their order; every other place names a field
// through this enum.
using InputField = FormField;

// The fields of a plan line, in file order.
enum class PlanField : std::size_t
{
    Date,    // 提前日期
    Amount,  // 提前数额
    Shorten, // 缩短按揭期数
    Part,    // "S" or "G"
    OneOver, // "Y" pays off at once
    Count,
};

inline constexpr std::size_t Index(PlanField field)
{
    return static_cast<std::size_t>(field);
}

// Files from before the loan type stop one field short.
inline constexpr std::size_t kInputFieldsWithoutLoanType = kFormFieldsWithoutLoanType;
inline constexpr std::size_t kInputFieldsWithLoanType = kFormFieldsWithLoanType;
inline constexpr std::size_t kPlanFields = Index(PlanField::Count);

// Fields of one line (UTF-8). Blanks and control characters separate fields as commas do; a field
// opening with '"' may hold them, with "" for a quote. The rule matches the files written by
// earlier releases, including their quirks (",," is an empty field, a final "," one more).
std::vector<std::string> SplitBackupLine(std::string_view line);

// One plan line as written, before it becomes a plan entry.
struct BackupPlanLine
{
    std::string tqdate;      // 提前日期, kept exactly as written ("2010年05月01日")
    double tqse = 0;         // 提前数额 yuan
    double sdajqs = 0;       // 缩短按揭期数
    std::string tqhdType;    // first character of the part field: "S" or "G" when we wrote it
    std::string oneoverText; // "Y" pays off at once; any other text does not, and still shows

    Ttqhd ToEntry() const;
    // The plan list shows imported entries under this text, which for the letters and flags
    // that the program itself writes is the text of a submitted entry.
    std::string ItemText() const;
};

BackupPlanLine FromEntry(const Ttqhd& entry);

struct BackupFile
{
    // Texts of line 1 in control order: 17 in files from before the loan type, else 18
    // (fields past the loan type are dropped when reading).
    std::vector<std::string> inputFields;
    std::vector<BackupPlanLine> plan;

    // Files without it derive the loan type from the commercial share.
    bool HasLoanType() const { return inputFields.size() >= kInputFieldsWithLoanType; }
    // The text of a field; a file that passed its checks holds every field but the loan type.
    const std::string& Field(InputField field) const { return inputFields[Index(field)]; }
};

struct BackupError
{
    int line = 0; // 1-based; 0 when the file as a whole is at fault
    std::string reason;
};

// Checks the whole file before anything is handed out, so an import either applies all of it or
// nothing. Empty number fields on line 1 are allowed (the control keeps its value); negative
// numbers are refused everywhere. Ranges and dates are left to the next calculation.
std::variant<BackupFile, BackupError> ParseBackup(std::string_view fileBytes);

// GBK bytes, CR LF after every line, fields joined by "," without quoting. nullopt when a text
// cannot be stored: not representable in GBK, or holding a line break that would split its line.
std::optional<std::string> BackupBytes(const BackupFile& file);

// The reason on failure; the previous file survives a failed write.
std::optional<std::string> WriteBackupFile(const std::string& path, const BackupFile& file);

std::variant<BackupFile, BackupError> ReadBackupFile(const std::string& path);

// "path:line: 不是有效的备份文件：reason", as the command line and the window report it.
std::string BackupErrorText(const std::string& path, const BackupError& error);

} // namespace lumavo
