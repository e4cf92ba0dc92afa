#pragma once

#include "calc/bank_record.h"

#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The bank's repayment history as borrowers get hold of it: a CSV file (UTF-8 or GBK), the
// tab-separated text a copy from a web page or a spreadsheet gives, or an .xlsx workbook. The
// header row names the columns, in any of the names banks and provident-fund centres use; rows
// before it (a title, the account) are passed over.
namespace lumavo {

// Files larger than this are refused before they are read: a loan's history is a few hundred
// rows.
inline constexpr std::size_t kMostRecordBytes = 4u << 20;
// Rows after the header beyond this many are refused: thirty years of monthly rows and every
// booking between them stay far below it.
inline constexpr std::size_t kMostRecordRows = 10000;

struct RecordsError
{
    int line = 0;       // 1-based row of the file or sheet; 0 when the file as a whole is at fault
    int column = 0;     // 1-based; 0 when the row as a whole is at fault
    std::string reason; // the message as the user reads it, naming line and column
};

using RecordsRead = std::variant<std::vector<BankRecord>, RecordsError>;

// Text rows (CSV or tab-separated, told apart by the header), as bytes in UTF-8 or GBK: what
// 粘贴 hands over and what a .csv or .txt file holds.
RecordsRead ParseBankRecords(std::string_view bytes);

// An .xlsx workbook's first sheet; rows and columns as the sheet numbers them, a number cell
// in a date column read as the workbook's date number.
RecordsRead ParseBankWorkbook(std::string_view bytes);

// A file by its name: an .xlsx workbook's first sheet (told by its name or by its zip
// signature), any other file as text rows. Nothing is kept of a file that fails.
RecordsRead ReadBankRecords(const std::string& path);

} // namespace lumavo
