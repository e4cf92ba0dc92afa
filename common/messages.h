#pragma once

#include <string>

// Every text the user reads, in one place. "\r" is the line break of a message box.
namespace lumavo::msg {

inline constexpr const char* kBoxTitle = "温馨提示";
inline constexpr const char* kQuestionTitle = "消息";
inline constexpr const char* kReplaceFile = "文件已经存在，是否替换该文件？";

// Loan checks, in the order they are made.
inline constexpr const char* kLoanTotalPositive = "贷款总额须大于零！";
inline constexpr const char* kPeriodsPositive = "按揭期数须大于零！";
inline constexpr const char* kPeriodsAtMost360 = "按揭期数须小于等于360期！";
inline constexpr const char* kFixedRateS = "商业贷款固定年利率须大于零！";
inline constexpr const char* kFixedRateG = "公积金贷款固定年利率须大于零！";
inline constexpr const char* kFirstYear = "放贷首年";
inline constexpr const char* kFloatingRateS = " 商业贷款浮动年利率\r须大于零！";
inline constexpr const char* kFloatingRateG = " 公积金贷款浮动年利率\r须大于零！";
inline constexpr const char* kFirstPaymentDate = "月供首日须在放贷日后的一个月内！";

// Plan submission, in check order.
inline constexpr const char* kPlanDateInvalid = "提前还贷日期无效！";
inline constexpr const char* kPlanBeforeLending = "提前还贷时间须在放贷日之后！";
inline constexpr const char* kPlanOutsideTerm = "提前还贷时间须在按揭期数内！";
inline constexpr const char* kPlanAmountS = "商业贷款提前还贷数额须小于等于商业贷款总额！";
inline constexpr const char* kPlanAmountG = "公积金贷款提前还贷数额须小于等于公积金贷款总额！";
inline constexpr const char* kPlanPeriods = "缩短按揭期数须小于等于按揭总期数！";
inline constexpr const char* kPlanOneOverExists = "先前已提交了一次性还贷计划！";
inline constexpr const char* kPlanSumAmountS = "商业贷款累计提前还贷数额须小于等于商业贷款总额！";
inline constexpr const char* kPlanSumAmountG =
    "公积金贷款累计提前还贷数额须小于等于公积金贷款总额！";
inline constexpr const char* kPlanSumPeriods = "累计缩短按揭期数须小于等于按揭总\r期数！";

// Form rules.
inline constexpr const char* kAreaPositive = "面积须大于零！";
inline constexpr const char* kPricePositive = "单价须大于零！";

// Files.
inline constexpr const char* kExportOk = "导出成功！";
inline constexpr const char* kExportFailed = "导出失败！";
inline constexpr const char* kImportOk = "导入成功！";
inline constexpr const char* kImportFailed = "导入失败！";
inline constexpr const char* kSaveOk = "保存成功！";
inline constexpr const char* kSaveFailed = "保存失败！";
inline constexpr const char* kBackupNameDebx = "等额本息输入信息";
inline constexpr const char* kBackupNameDebj = "等额本金输入信息";
inline constexpr const char* kWorksheetNameDebx = "等额本息贷款分期还款表";
inline constexpr const char* kWorksheetNameDebj = "等额本金贷款分期还款表";
inline constexpr const char* kExportTitle = "导出 ";       // + name
inline constexpr const char* kToLocalFile = " 至本地文件"; // after the name
inline constexpr const char* kToExcelFile = " 至Excel文件";
inline constexpr const char* kImportTitle = "从本地文件导入 "; // + name
inline constexpr const char* kBackupFilter = "Backup files (*.bak)";
inline constexpr const char* kExcelFilter = "Excel files (*.xls)";
inline constexpr const char* kArchiveSavedS = "保存商业贷款浮动年利率成功！";
inline constexpr const char* kArchiveSavedG = "保存公积金贷款浮动年利率成功！";
inline constexpr const char* kArchiveFailedS = "保存商业贷款浮动年利率失败！";
inline constexpr const char* kArchiveFailedG = "保存公积金贷款浮动年利率失败！";

// Why a backup file cannot be read, for the command line (the window says "导入失败！").
inline constexpr const char* kFileEmpty = "文件是空的";
inline constexpr const char* kFileUnreadable = "无法读取文件 ";
inline constexpr const char* kLineNotGbk = "不是有效的GBK文本";
inline constexpr const char* kLineBlank = "是空行";
inline constexpr const char* kLineBlankBeforeMore = "是空行，其后还有内容";
inline constexpr const char* kFieldNotNumber = "不是数字";
inline constexpr const char* kFieldNegative = "是负数";
inline constexpr const char* kFieldNotWhole = "不是整数";
inline constexpr const char* kFieldEmpty = "是空的";
inline constexpr const char* kNotInYearList = "不是年份列表中的年份";
inline constexpr const char* kNotInMonthList = "不是月份列表中的月份（01–12）";
inline constexpr const char* kNotInDayList = "不是日期列表中的日（01–31）";
inline constexpr const char* kNotInMonthDays = "不是该月日期列表中的日";

// "第12个字段" + what: a field of line 1 the page cannot hold.
inline std::string InputFieldError(std::size_t fieldNumber, const std::string& what)
{
    return "第" + std::to_string(fieldNumber) + "个字段" + what;
}

// What is wrong, then the text as written: "不是日期列表中的日（01–31）：32".
inline std::string NotInList(const char* what, const std::string& text)
{
    return std::string(what) + "：" + text;
}

// "不是年份列表中的年份（1997–2029）：2030"
inline std::string
NotInYearList(const std::string& first, const std::string& last, const std::string& text)
{
    return std::string(kNotInYearList) + "（" + first + "–" + last + "）：" + text;
}

// "字段不足17个"
inline std::string TooFewInputFields(std::size_t needed)
{
    return "字段不足" + std::to_string(needed) + "个";
}
inline constexpr const char* kBackupUnwritable =
    "输入信息中有GBK无法表示的文字或换行，无法写入备份文件";
inline constexpr const char* kWorksheetUnwritable = "表格文本无法以GBK编码写入";
inline constexpr const char* kNotABackupFile = "不是有效的备份文件：";

// The command line's own words.
inline constexpr const char* kCliSeeHelp = "（用 --help 查看用法）";
inline constexpr const char* kCliOutputFailed = "无法写入输出文件：";

} // namespace lumavo::msg
