#include "common/gbk.h"
#include "common/messages.h"
#include "files/bank_records.h"
#include "tests/support/temp_dir.h"

#include <cstdint>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>
#include <xlsxwriter.h>
#include <zlib.h>

namespace lumavo {

// Failures show the record, not its bytes.
void PrintTo(const BankRecord& r, std::ostream* out)
{
    const auto optional = [](const auto& value) {
        return value ? std::to_string(*value) : std::string("-");
    };
    *out << "line " << r.line << " " << IsoDateText(r.date) << " " << r.principal << " "
         << r.interest << " " << optional(r.balance) << " " << optional(r.payment) << " "
         << optional(r.rate) << " " << optional(r.period) << " " << r.type;
}

namespace {

using testing_support::TempDir;

// The file's bytes, read back.
std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// An .xlsx workbook's bytes, its first sheet filled by `fill`.
std::string Workbook(const std::function<void(lxw_workbook*, lxw_worksheet*)>& fill)
{
    const TempDir dir;
    const std::string path = dir.File("records.xlsx");
    lxw_workbook* book = workbook_new(path.c_str());
    fill(book, workbook_add_worksheet(book, nullptr));
    workbook_close(book);
    return Slurp(path);
}

// A zip archive of one deflated member, as a workbook that is nothing but a sheet would be. Its
// recorded CRC is the content's, with the bits of `crcFlip` flipped.
std::string ZipOf(const std::string& name, const std::string& content, std::uint32_t crcFlip = 0)
{
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string packed(deflateBound(&stream, content.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    stream.avail_in = static_cast<uInt>(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = static_cast<uInt>(packed.size());
    deflate(&stream, Z_FINISH);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    const auto le = [](std::uint32_t value, int width) {
        std::string bytes;
        for (int i = 0; i < width; ++i)
            bytes += static_cast<char>(value >> (8 * i) & 0xFF);
        return bytes;
    };
    const auto crc =
        static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(content.data()),
                                         static_cast<uInt>(content.size()))) ^
        crcFlip;
    const auto sizes = le(crc, 4) + le(static_cast<std::uint32_t>(packed.size()), 4) +
                       le(static_cast<std::uint32_t>(content.size()), 4) +
                       le(static_cast<std::uint32_t>(name.size()), 2) + le(0, 2);
    const std::string local = "PK\x03\x04" + le(20, 2) + le(0, 2) + le(8, 2) + le(0, 4) + sizes;
    const std::string central = "PK\x01\x02" + le(20, 2) + le(20, 2) + le(0, 2) + le(8, 2) +
                                le(0, 4) + sizes + le(0, 2) + le(0, 2) + le(0, 2) + le(0, 4) +
                                le(0, 4) + name;
    const std::size_t directory = local.size() + name.size() + packed.size();
    return local + name + packed + central + "PK\x05\x06" + le(0, 4) + le(1, 2) + le(1, 2) +
           le(static_cast<std::uint32_t>(central.size()), 4) +
           le(static_cast<std::uint32_t>(directory), 4) + le(0, 2);
}

// Five rows of a history: two instalments, a prepayment that pays no interest, a penalty that
// pays no principal and a reversal. Every form below writes out these.
std::vector<BankRecord> Expected(const std::vector<int>& lines)
{
    std::vector<BankRecord> rows{
        {0, {2024, 1, 5}, 1234.56, 3456.78, 998765.44, 4691.34, 4.2, 1, "正常扣款"},
        {0, {2024, 2, 29}, 1240.1, 3451.24, 997525.34, 4691.34, 4.2, 2, "正常扣款"},
        {0, {2024, 3, 20}, 50000, 0, 947525.34, {}, {}, {}, "提前还款(\"部分\",一次)"},
        {0, {2024, 4, 5}, 0, 12.5, {}, 12.5, {}, {}, "罚息"},
        {0, {2024, 12, 31}, 0, -12.5, {}, -12.5, {}, {}, "冲正"},
    };
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i].line = lines.at(i);
    return rows;
}

struct FormCase
{
    const char* name;
    const char* fileName;
    std::function<std::string()> bytes;
    std::vector<int> lines; // where the five rows stand
};

class EachForm : public testing::TestWithParam<FormCase>
{
};

TEST_P(EachForm, ReadsTheSameRows)
{
    const FormCase& c = GetParam();
    const TempDir dir;
    const auto read = ReadBankRecords(dir.Write(c.fileName, c.bytes()));
    ASSERT_TRUE(std::holds_alternative<std::vector<BankRecord>>(read))
        << std::get<RecordsError>(read).reason;
    const auto& records = std::get<std::vector<BankRecord>>(read);
    const auto expected = Expected(c.lines);
    ASSERT_EQ(records.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(records[i], expected[i]) << "row " << i + 1;
}

std::string Gbk(const std::string& utf8)
{
    return Utf8ToGbk(utf8).value();
}

// Dates as a spreadsheet counts them from 1900 (2024-01-05 is 45296).
void FillWorkbook(lxw_workbook* book, lxw_worksheet* sheet)
{
    lxw_format* date = workbook_add_format(book);
    format_set_num_format(date, "yyyy-mm-dd");
    worksheet_write_string(sheet, 0, 0, "个人贷款还款明细", nullptr);
    const char* header[] = {"实际还款日", "实还本金（元）", "利息金额（元）", "剩余本金",
                            "还款金额",   "执行利率(%)",    "类型",           "期次"};
    for (lxw_col_t column = 0; column < 8; ++column)
        worksheet_write_string(sheet, 2, column, header[column], nullptr);
    const double serials[] = {45296, 45351, 0, 45387, 45657};
    for (lxw_row_t row = 3; row < 8; ++row)
        if (serials[row - 3] > 0)
            worksheet_write_number(sheet, row, 0, serials[row - 3], date);
    worksheet_write_string(sheet, 5, 0, "2024年3月20日", nullptr);
    const double amounts[5][4] = {{1234.56, 3456.78, 998765.44, 4691.34},
                                  {1240.1, 3451.24, 997525.34, 4691.34},
                                  {50000, 0, 947525.34, 0},
                                  {0, 12.5, 0, 12.5},
                                  {0, -12.5, 0, -12.5}};
    const bool written[5][4] = {
        {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 0, 1, 0}, {0, 1, 0, 1}, {0, 1, 0, 1}};
    for (lxw_row_t row = 0; row < 5; ++row)
        for (lxw_col_t column = 0; column < 4; ++column)
            if (written[row][column])
                worksheet_write_number(sheet, row + 3, column + 1, amounts[row][column], nullptr);
    // 4.20% typed into a spreadsheet is kept as 0.042 shown in a percentage format.
    lxw_format* percent = workbook_add_format(book);
    format_set_num_format(percent, "0.00%");
    worksheet_write_number(sheet, 3, 5, 0.042, percent);
    worksheet_write_number(sheet, 4, 5, 4.2, nullptr);
    worksheet_write_number(sheet, 3, 7, 1, nullptr);
    worksheet_write_number(sheet, 4, 7, 2, nullptr);
    // A type in two differently formatted runs reads as one text.
    lxw_format* bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_rich_string_tuple first = {bold, const_cast<char*>("正常")};
    lxw_rich_string_tuple second = {nullptr, const_cast<char*>("扣款")};
    lxw_rich_string_tuple* runs[] = {&first, &second, nullptr};
    worksheet_write_rich_string(sheet, 3, 6, runs, nullptr);
    worksheet_write_string(sheet, 4, 6, "正常扣款", nullptr);
    worksheet_write_string(sheet, 5, 6, "提前还款(\"部分\",一次)", nullptr);
    worksheet_write_string(sheet, 6, 6, "罚息", nullptr);
    worksheet_write_string(sheet, 7, 6, "冲正", nullptr);
    worksheet_write_string(sheet, 8, 0, "合计", nullptr);
    worksheet_write_number(sheet, 8, 1, 52474.66, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Forms,
    EachForm,
    testing::Values(
        FormCase{"CsvUtf8",
                 "records.csv",
                 [] {
                     return std::string("期次,还款日期,本金,利息,剩余本金,还款金额,执行利率,类型\n"
                                        "1,2024-01-05,1234.56,3456.78,998765.44,4691.34,4.2,"
                                        "正常扣款\n"
                                        "2,2024-02-29,1240.10,3451.24,997525.34,4691.34,4.20,"
                                        "正常扣款\n"
                                        ",2024-03-20,50000.00,,947525.34,,,"
                                        "\"提前还款(\"\"部分\"\",一次)\"\n"
                                        ",2024-04-05,,12.50,,12.50,,罚息\n"
                                        ",2024-12-31,,-12.50,,-12.50,,冲正\n");
                 },
                 {2, 3, 4, 5, 6}},
        // A byte-order mark, CRLF, a blank line, units in the header, grouped amounts in quotes
        // and a closing total.
        FormCase{
            "CsvUtf8BomCrlf",
            "records.csv",
            [] {
                return std::string(
                    "\xEF\xBB\xBF"
                    "还款日期,本金(元),利息（元）,剩余本金(元),还款金额,执行利率(%),类型,期次\r\n"
                    "2024/1/5,\"1,234.56\",\"3,456.78\",\"998,765.44\",\"4,691.34\",4.20%,"
                    "正常扣款,1\r\n"
                    "\r\n"
                    "2024/02/29,\"1,240.10\",\"3,451.24\",\"997,525.34\",\"4,691.34\","
                    "4.20%,正常扣款,2\r\n"
                    "2024/3/20,\"50,000.00\",,\"947,525.34\",,,"
                    "\"提前还款(\"\"部分\"\",一次)\",\r\n"
                    "2024/4/5,,12.50,,12.50,,罚息,\r\n"
                    "2024/12/31,,-12.50,,-12.50,,冲正,\r\n"
                    "合计,\"51,234.56\",,,,,,\r\n");
            },
            {2, 4, 5, 6, 7}},
        // A statement saved by a Chinese Windows program: a title, the account, an unknown
        // column with a comma inside quotes.
        FormCase{"CsvGbk",
                 "records.csv",
                 [] {
                     return Gbk("个人住房贷款还款明细\n"
                                "户名：张三,账号：6217 0000 1234\n"
                                "记账日期,摘要,应还本金,应还利息,贷款余额,月供,贷款利率,备注,期次\n"
                                "2024年1月5日,正常扣款,1234.56,3456.78,998765.44,4691.34,4.2,"
                                "\"按期,自动\",1\n"
                                "2024年02月29日,正常扣款,1240.1,3451.24,997525.34,4691.34,4.2,,2\n"
                                "2024年3月20日,\"提前还款(\"\"部分\"\",一次)\",50000,0,"
                                "947525.34,,,,\n"
                                "2024年4月5日,罚息,0,12.5,,12.5,,,\n"
                                "2024年12月31日,冲正,0,-12.5,,-12.5,,,\n");
                 },
                 {4, 5, 6, 7, 8}},
        // What a copy from a bank's web page gives: tabs, a title and the account above, the
        // header repeated where a page broke, amounts as the page shows them.
        FormCase{"TabsWithTitle",
                 "records.txt",
                 [] {
                     return std::string(
                         "贷款还款记录\n"
                         "账号\t6217000012341234\n"
                         "期次\t扣款日期\t还款本金\t还款利息\t本金余额\t本息合计\t执行利率\t类型\n"
                         "1\t20240105\t¥1,234.56\t￥3,456.78\t998 765.44元\t4,691.34元\t4.20 %"
                         "\t正常扣款\n"
                         "2\t2024-02-29 00:00:00\t 1240.10 \t3451.24\t997525.34\t4691.34\t"
                         "4.2\t正常扣款\n"
                         "期次\t扣款日期\t还款本金\t还款利息\t本金余额\t本息合计\t执行利率\t类型\n"
                         "\t2024.3.20\t+50,000.00\t\t947,525.34\t\t\t提前还款(\"部分\",一次)\n"
                         "\t2024-04-05T08:30\t\t12.50\t\t+12.50\t\t罚息\n"
                         "\t2024-12-31\t\t-12.50\t\t-¥12.50\t\t冲正\n");
                 },
                 {4, 5, 7, 8, 9}},
        FormCase{"ProvidentStatement",
                 "records.csv",
                 [] {
                     return std::string("日期,摘要,本金金额,利息,余额,本息合计,贷款利率,期次\n"
                                        "2024-01-05,正常扣款,1234.56,3456.78,998765.44,4691.34,"
                                        "4.2,1\n"
                                        "2024-02-29,正常扣款,1240.10,3451.24,997525.34,4691.34,"
                                        "4.2,2\n"
                                        "2024-03-20,\"提前还款(\"\"部分\"\",一次)\",50000.00,,"
                                        "947525.34,,,\n"
                                        "2024-04-05,罚息,,12.50,,12.50,,\n"
                                        "2024-12-31,冲正,,-12.50,,-12.50,,\n"
                                        "总计,,51234.56,6908.52,,,,\n");
                 },
                 {2, 3, 4, 5, 6}},
        FormCase{
            "Workbook", "records.xlsx", [] { return Workbook(FillWorkbook); }, {4, 5, 6, 7, 8}}),
    [](const auto& p) { return std::string(p.param.name); });

struct RefusedCase
{
    const char* name;
    const char* fileName;
    std::function<std::string()> bytes;
    int line;
    int column;
    const char* reason;
};

class Refused : public testing::TestWithParam<RefusedCase>
{
};

TEST_P(Refused, NamesLineAndColumn)
{
    const RefusedCase& c = GetParam();
    const TempDir dir;
    const auto read = ReadBankRecords(dir.Write(c.fileName, c.bytes()));
    ASSERT_TRUE(std::holds_alternative<RecordsError>(read));
    const RecordsError& error = std::get<RecordsError>(read);
    EXPECT_EQ(error.line, c.line);
    EXPECT_EQ(error.column, c.column);
    EXPECT_EQ(error.reason, c.reason);
}

// A header and two good rows, then `row` as the file's fourth line.
std::function<std::string()> AfterGoodRows(std::string row)
{
    return [row] {
        return "还款日期,本金,利息,执行利率,期次\n2024-01-05,1.00,2.00,4.2,1\n"
               "2024-02-05,1.00,2.00,4.2,2\n" +
               row + "\n2024-04-05,1.00,2.00,4.2,4\n";
    };
}

std::string ManyRows(std::size_t rows)
{
    std::string text = "还款日期,本金,利息\n";
    for (std::size_t i = 0; i < rows; ++i)
        text += "2024-01-05,1,2\n";
    return text;
}

// A header and one row, its texts inline in the cells as some exporters write them.
const std::string kOneRowSheet =
    "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
    "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>还款日期</t></is></c>"
    "<c r=\"B1\" t=\"inlineStr\"><is><t>本金</t></is></c>"
    "<c r=\"C1\" t=\"inlineStr\"><is><t>利息</t></is></c></row>"
    "<row r=\"2\"><c r=\"A2\" t=\"inlineStr\"><is><t>2024-01-05</t></is></c>"
    "<c r=\"B2\"><v>1</v></c><c r=\"C2\"><v>2</v></c></row></sheetData></worksheet>";

INSTANTIATE_TEST_SUITE_P(
    Cases,
    Refused,
    testing::Values(
        RefusedCase{"TwoPoints", "r.csv", AfterGoodRows("2024-03-05,1.00,12..5,4.2,3"), 4, 3,
                    "第4行第3列（利息）：不是金额：12..5"},
        // "1,5" may be a decimal comma: guessing would book a thousand times too much.
        RefusedCase{"DecimalComma", "r.csv", AfterGoodRows("2024-03-05,\"1,5\",2,4.2,3"), 4, 2,
                    "第4行第2列（本金）：不是金额：1,5"},
        RefusedCase{"MonthThirteen", "r.csv", AfterGoodRows("2024-13-05,1,2,4.2,3"), 4, 1,
                    "第4行第1列（还款日期）：不是日期：2024-13-05"},
        RefusedCase{"NoLeapDay", "r.csv", AfterGoodRows("2023/2/29,1,2,4.2,3"), 4, 1,
                    "第4行第1列（还款日期）：不是日期：2023/2/29"},
        RefusedCase{"EightDigitsPastMonthEnd", "r.csv", AfterGoodRows("20240431,1,2,4.2,3"), 4, 1,
                    "第4行第1列（还款日期）：不是日期：20240431"},
        RefusedCase{"MixedMarks", "r.csv", AfterGoodRows("2024-3/5,1,2,4.2,3"), 4, 1,
                    "第4行第1列（还款日期）：不是日期：2024-3/5"},
        RefusedCase{"NotATime", "r.csv", AfterGoodRows("2024-03-05 noon,1,2,4.2,3"), 4, 1,
                    "第4行第1列（还款日期）：不是日期：2024-03-05 noon"},
        RefusedCase{"EmptyDate", "r.csv", AfterGoodRows(",1,2,4.2,3"), 4, 1,
                    "第4行第1列（还款日期）：不是日期"},
        RefusedCase{"RateTwoPoints", "r.csv", AfterGoodRows("2024-03-05,1,2,4.2.0%,3"), 4, 4,
                    "第4行第4列（执行利率）：不是利率：4.2.0%"},
        RefusedCase{"PeriodNotWhole", "r.csv", AfterGoodRows("2024-03-05,1,2,4.2,3.5"), 4, 5,
                    "第4行第5列（期次）：不是期次：3.5"},
        RefusedCase{"QuoteNeverCloses", "r.csv", AfterGoodRows("2024-03-05,\"1,2,4.2,3"), 4, 2,
                    "第4行第2列：引号没有闭合"},
        RefusedCase{"NeitherUtf8NorGbk", "r.csv", AfterGoodRows("2024-03-05,1,2,\xFF\xFF,3"), 4, 0,
                    "第4行：不是UTF-8或GBK文本"},
        RefusedCase{"NoHeader", "r.csv", [] { return std::string("日期,金额\n2024-01-05,100\n"); },
                    0, 0,
                    "找不到表头：需要日期（还款日期、日期、记账日期、实际还款日或扣款日期）、"
                    "本金（本金、应还本金、还款本金、实还本金或本金金额）和"
                    "利息（利息、应还利息、还款利息或利息金额）三列"},
        RefusedCase{"OneRowTooMany", "r.csv", [] { return ManyRows(kMostRecordRows + 1); },
                    static_cast<int>(kMostRecordRows) + 2, 0,
                    "第10002行：记录多于10000行，不予读取"},
        // References place cells: D6 is the fourth column of the sheet's sixth row.
        RefusedCase{"WorkbookCell", "r.xlsx",
                    [] {
                        return Workbook([](lxw_workbook*, lxw_worksheet* sheet) {
                            worksheet_write_string(sheet, 2, 1, "日期", nullptr);
                            worksheet_write_string(sheet, 2, 2, "本金", nullptr);
                            worksheet_write_string(sheet, 2, 3, "利息", nullptr);
                            worksheet_write_string(sheet, 3, 1, "2024-01-05", nullptr);
                            worksheet_write_string(sheet, 5, 1, "2024-02-05", nullptr);
                            worksheet_write_string(sheet, 5, 3, "12..5", nullptr);
                        });
                    },
                    6, 4, "第6行第4列（利息）：不是金额：12..5"},
        RefusedCase{"WorkbookNotAZip", "r.xlsx", [] { return std::string("PK\x03\x04 not a zip"); },
                    0, 0, "不是有效的.xlsx工作簿"},
        // A sheet that would read, but whose bytes no longer match the CRC recorded for them.
        RefusedCase{"WorkbookCrc", "r.xlsx",
                    [] { return ZipOf("xl/worksheets/sheet1.xml", kOneRowSheet, 1); }, 0, 0,
                    "不是有效的.xlsx工作簿"},
        // 33 MiB of blanks packed into a few KiB: refused at the bound, not inflated in full.
        RefusedCase{"WorkbookBomb", "r.xlsx",
                    [] { return ZipOf("xl/worksheets/sheet1.xml", std::string(33u << 20, ' ')); },
                    0, 0, "工作簿中的表格解压后大于32 MiB，不予读取"},
        RefusedCase{"OldBinaryWorkbook", "r.xls",
                    [] { return std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + "..."; }, 0, 0,
                    "无法读取旧式.xls工作簿，请另存为.xlsx或CSV文件"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(BankRecords, SizeBoundIsInclusive)
{
    std::string text = ManyRows(1);
    text.resize(kMostRecordBytes, ' ');
    const TempDir dir;
    const auto atBound = ReadBankRecords(dir.Write("r.csv", text));
    ASSERT_TRUE(std::holds_alternative<std::vector<BankRecord>>(atBound));
    EXPECT_EQ(std::get<std::vector<BankRecord>>(atBound).size(), 1u);

    text += '\n';
    const std::string path = dir.Write("r.csv", text);
    const auto overFile = ReadBankRecords(path);
    ASSERT_TRUE(std::holds_alternative<RecordsError>(overFile));
    EXPECT_EQ(std::get<RecordsError>(overFile).reason,
              msg::kFileUnreadable + path + ": " + msg::FileTooLarge(kMostRecordBytes));
    const auto overPaste = ParseBankRecords(text);
    ASSERT_TRUE(std::holds_alternative<RecordsError>(overPaste));
    EXPECT_EQ(std::get<RecordsError>(overPaste).reason, "记录大于4 MiB，不予读取");
}

} // namespace
} // namespace lumavo
