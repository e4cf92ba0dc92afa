#pragma once

#include <cstddef>
#include <string>
#include <string_view>

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
// The year of the first rate that is not above zero, then kFloatingRateS or kFloatingRateG:
// entry 0 is the lending year (kFirstYear), entry k "第k年".
std::string FloatingRateNotPositive(int entry, const char* partTail);
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

// A prepayment's item in the plan list: "2012年03月15日 S<=> 50000 元 12 期 N".
inline constexpr const char* kPlanItemYuan = " 元 ";
inline constexpr const char* kPlanItemPeriods = " 期 ";

// Form rules.
inline constexpr const char* kAreaPositive = "面积须大于零！";
inline constexpr const char* kPricePositive = "单价须大于零！";

// The schedule grid's column heads; "\r" puts the title on the head's second line.
inline constexpr const char* kHeaderDate = "\r还款日期";
inline constexpr const char* kHeaderInterest = "\r月利息还款额（元）";
inline constexpr const char* kHeaderPrincipal = "\r月本金还款额（元）";
inline constexpr const char* kHeaderPayment = "\r月还款额（元）";
inline constexpr const char* kHeaderBalance = "\r剩余本金（元）";
inline constexpr const char* kHeaderInterestSoFar = "\r已还利息（元）";
inline constexpr const char* kHeaderPrepaidS = "\r商业贷款提前还贷（元）";
inline constexpr const char* kHeaderPrepaidG = "\r公积金贷款提前还贷（元）";

// Captions of a loan page's totals as the window shows them, trailing blanks included; the
// command line prints them trimmed.
inline constexpr const char* kCaptionSummaryDebx = "月还款额：";
inline constexpr const char* kCaptionSummaryDebj = "月本金还款额：  ";
inline constexpr const char* kCaptionTotalRepayment = "还款总额：";
inline constexpr const char* kCaptionTotalInterest = "利息总额：";
inline constexpr const char* kCaptionEndDate = "还款截止日期：    ";

// The comparison of both methods with and without the plan (方案对比).
inline constexpr const char* kComparePage = "方案对比";
inline constexpr const char* kCompareDebxPlan = "等额本息（按计划）";
inline constexpr const char* kCompareDebxNoPlan = "等额本息（不提前还贷）";
inline constexpr const char* kCompareDebjPlan = "等额本金（按计划）";
inline constexpr const char* kCompareDebjNoPlan = "等额本金（不提前还贷）";
inline constexpr const char* kCompareItem = "项目";
inline constexpr const char* kCompareTotal = "还款总额（元）";
inline constexpr const char* kCompareInterest = "利息总额（元）";
inline constexpr const char* kCompareEndDate = "还款截止日期";
inline constexpr const char* kCompareFirstPayment = "首期月还款额（元）";
inline constexpr const char* kCompareLastPayment = "末期月还款额（元）";
inline constexpr const char* kComparePartS = "商业贷款";
inline constexpr const char* kComparePartG = "公积金贷款";
inline constexpr const char* kComparePrincipal = "本金（元）"; // after the part's name
inline constexpr const char* kComparePartInterest = "利息（元）";
inline constexpr const char* kComparePayoff = "还清日期";
inline constexpr const char* kComparePartFirst = "首期月供（元）";
inline constexpr const char* kCompareSaved = "节省利息（元）";
inline constexpr const char* kCompareMonthsSaved = "提前还清（月）";
inline constexpr const char* kCompareMethodDifference = "比等额本金多付利息（元）";
inline constexpr const char* kCompareBalance = "剩余本金（元）";
inline constexpr const char* kYuanUnit = "（元）";
inline constexpr const char* kCompareNothing = "尚未对比。在贷款页面按“对比”。";
// "等额本息页面的输入，2026年12月08日 14:05 对比"
std::string CompareSource(std::string_view pageName, std::string_view when);

// 试算: the two ways of taking a proposed prepayment.
inline constexpr const char* kPreviewTitle = "试算";
inline constexpr const char* kPreviewKeepTerm = "减少月供";
inline constexpr const char* kPreviewKeepPayment = "缩短年限（月供基本不变）";
inline constexpr const char* kPreviewLevelDebx = "月供";
inline constexpr const char* kPreviewLevelDebj = "月本金";
inline constexpr const char* kPreviewPart = "贷款部分";
inline constexpr const char* kPreviewBefore = "提前还贷前";
inline constexpr const char* kPreviewShortened = "缩短期数";
inline constexpr const char* kPreviewPartEnd = "该部分还清日期";
inline constexpr const char* kPreviewLoanEnd = "还款截止日期";
inline constexpr const char* kPreviewSaved = "节省利息";
// Against a plan that already prepays more than the entry in the fields.
inline constexpr const char* kPreviewExtra = "多付利息";
// "提前还贷前商业贷款月供：4054.87元。选一种方式，把缩短期数填入“缩短按揭期数”："
std::string
PreviewQuestion(std::string_view partName, std::string_view levelName, std::string_view before);
// "缩短年限（月供基本不变）：缩短107期，月供4041.51元，节省利息236708.88元，商业贷款2048年01月08日还清"
std::string PreviewChoice(std::string_view way,
                          std::string_view shortened,
                          std::string_view levelName,
                          std::string_view level,
                          std::string_view savedCaption,
                          std::string_view saved,
                          std::string_view partName,
                          std::string_view partEnd);

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

inline constexpr const char* kBackupUnwritable =
    "输入信息中有GBK无法表示的文字或换行，无法写入备份文件";
inline constexpr const char* kWorksheetUnwritable = "表格文本无法以GBK编码写入";
inline constexpr const char* kNotABackupFile = "不是有效的备份文件：";

// "第3行"
std::string LineText(std::size_t line);
// "第1行第8个字段（按揭期数）"; the field's number counts from 1.
std::string FieldText(std::size_t line, std::size_t fieldNumber, std::string_view name);
// "只有5个字段，至少需要17个", after the line's text.
std::string TooFewFields(std::size_t have, std::size_t need);
// "第12个字段" + what: a field of line 1 that a loan page cannot hold.
std::string InputFieldError(std::size_t fieldNumber, std::string_view what);
// What is wrong, then the text as written: "不是日期列表中的日（01–31）：32".
std::string NotInList(std::string_view what, std::string_view text);
// "不是年份列表中的年份（1997–2029）：2030"
std::string NotInYearList(std::string_view first, std::string_view last, std::string_view text);
// "字段不足17个"
std::string TooFewInputFields(std::size_t needed);

// The backup fields a reason names, in the words of the controls that hold them.
inline constexpr const char* kFieldMode = "计算方式";
inline constexpr const char* kFieldArea = "面积";
inline constexpr const char* kFieldPrice = "单价";
inline constexpr const char* kFieldLoanTotal = "贷款总额";
inline constexpr const char* kFieldCommercialShare = "商业贷款比例";
inline constexpr const char* kFieldPeriods = "按揭期数";
inline constexpr const char* kFieldRateS = "商业贷款年利率";
inline constexpr const char* kFieldRateG = "公积金贷款年利率";
inline constexpr const char* kFieldLoanType = "贷款类型";
inline constexpr const char* kFieldPlanAmount = "提前还贷数额";
inline constexpr const char* kFieldPlanShorten = "缩短按揭期数";
inline constexpr const char* kFieldPlanPart = "还贷类型";

// The command line's own words.
inline constexpr const char* kCliSeeHelp = "（用 --help 查看用法）";
inline constexpr const char* kCliOutputFailed = "无法写入输出文件：";
inline constexpr const char* kCliUnknownFormat = "未知格式";
inline constexpr const char* kCliNotApplicable = "—（不适用）"; // a summary the window leaves blank
inline constexpr const char* kCliMissingBackup = "缺少备份文件（.bak）";
inline constexpr const char* kCliXlsNeedsOutput = "--format xls 需要 --output 文件";
inline constexpr const char* kCliCompareXls = "--compare 和 --preview 只能输出 table、csv 或 json";
inline constexpr const char* kCliCompareAndPreview = "--compare 和 --preview 不能同时使用";
std::string CliPreviewInvalid(std::string_view value);
std::string CliOptionNeedsValue(std::string_view option);
std::string CliMethodInvalid(std::string_view value);
std::string CliFormatInvalid(std::string_view value);
std::string CliUnknownOption(std::string_view option);
std::string CliExtraBackup(std::string_view path);

inline constexpr const char* kCliHelp =
    "用法：lumavo-cli [选项] 备份文件.bak\n"
    "\n"
    "按备份文件中的贷款输入计算分期还款表，结果与主窗口导入该文件后按“计算”相同。\n"
    "\n"
    "选项：\n"
    "  --method debx|debj     还款方式：debx 等额本息（默认），debj 等额本金\n"
    "  --rates 文件           浮动年利率存档，默认与窗口所用的 percents.ini 相同\n"
    "  --format 格式          table（默认，适合终端阅读）、csv、json 或 xls\n"
    "  --output 文件          写入文件而不是标准输出（xls 必须指定）\n"
    "  --compare              对比等额本息与等额本金，各按计划和不提前还贷\n"
    "  --preview 日期,数额,类型\n"
    "                         试算一笔提前还贷的两种方式（按 --method）：减少月供，\n"
    "                         或缩短年限（月供基本不变）；日期如 2029年12月08日 或\n"
    "                         2029-12-08，类型 S（商业贷款）或 G（公积金贷款）\n"
    "  -h, --help             显示本帮助\n"
    "\n"
    "退出状态：0 成功；1 文件无法读取、不是有效的备份文件或选项有误；\n"
    "          2 输入未通过检查（提示信息写到标准错误）。\n";

} // namespace lumavo::msg
