#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Every text the user reads, in one place. "\r" is the line break of a message box.
namespace lumavo::msg {

inline constexpr const char* kBoxTitle = "温馨提示";
inline constexpr const char* kQuestionTitle = "消息";
inline constexpr const char* kReplaceFile = "文件已经存在，是否替换该文件？";

// Loan checks, in the order they are made.
inline constexpr const char* kLoanTotalPositive = "贷款总额须大于零！";
inline constexpr const char* kLoanTotalTooLarge = "贷款总额须小于一万亿元！";
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

// Web pages.
inline constexpr const char* kUrlNotOpened = "无法打开网页，请将下面的地址复制到浏览器中：";

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
inline constexpr const char* kPreviewChangesNothing = "这笔提前还贷不改变还款计划，无可试算。";
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

// The workbook and the printed report of a schedule.
inline constexpr const char* kXlsxFilter = "Excel 工作簿 (*.xlsx)";
inline constexpr const char* kSheetDebx = "等额本息"; // the page's name: its tab, sheet and chart
inline constexpr const char* kSheetDebj = "等额本金";
inline constexpr const char* kLabelLoanType = "贷款类型：";
inline constexpr const char* kLabelLoanTotal = "贷款总额：";
inline constexpr const char* kLabelShareS = "商业贷款比例：";
inline constexpr const char* kLabelShareG = "公积金贷款比例：";
inline constexpr const char* kLabelPeriods = "按揭期数：";
inline constexpr const char* kLabelRateS = "商业利率：";
inline constexpr const char* kLabelRateG = "公积金利率：";
inline constexpr const char* kLabelRates = "年利率：";
inline constexpr const char* kFloatingRates = "浮动利率";
inline constexpr const char* kLabelLending = "放贷日：";
inline constexpr const char* kLabelFirstPayment = "月供首日：";
inline constexpr const char* kLabelPlan = "提前还贷计划：";
inline constexpr const char* kLabelTotals = "总计：";
inline constexpr const char* kNoPlan = "无";
inline constexpr const char* kLoanTypeS = "商业贷款";
inline constexpr const char* kLoanTypeG = "公积金贷款";
inline constexpr const char* kLoanTypeSG = "组合贷款";
inline constexpr const char* kUnitYuan = "元";
inline constexpr const char* kUnitPercent = "%";
inline constexpr const char* kUnitPeriods = "期";
inline constexpr const char* kPrintCaption = "打印";
inline constexpr const char* kPrintHint = "打印分期还款表";
inline constexpr const char* kExportPdf = "导出PDF…";
inline constexpr const char* kExportPdfHint = "把分期还款表导出为PDF文件";
inline constexpr const char* kToPdfFile = " 至PDF文件"; // after the name
inline constexpr const char* kPdfFilter = "PDF 文件 (*.pdf)";
inline constexpr const char* kNothingToPrint = "还没有算出分期还款表，请先计算！";
inline constexpr const char* kPrintFailed = "打印失败！";
// One prepayment of the plan in words: "2009年05月01日 商业贷款 提前还贷 20000.00 元，缩短 3 期"
// or "…，一次性还清".
std::string PlanEntryLine(std::string_view date,
                          std::string_view part,
                          std::string_view amount,
                          std::string_view periods,
                          bool oneover);
// "第 2 页 / 共 8 页"
std::string PageOfPages(int page, int pages);

// The window: its title, toolbar, tabs and status bar.
inline constexpr const char* kProgramName = "Lumavo房贷按揭计算器";
inline constexpr const char* kWindowTitle = "Lumavo房贷按揭计算器V3.2";
inline constexpr const char* kImportCaption = "导入";
inline constexpr const char* kImportHint = "恢复输入信息";
inline constexpr const char* kExportCaption = "导出";
inline constexpr const char* kExportHint = "备份输入信息";
inline constexpr const char* kCalculateCaption = "计算"; // its own tooltip as well
inline constexpr const char* kChartCaption = "图示";
inline constexpr const char* kChartHint = "展示分期还款曲线图";
inline constexpr const char* kCompareCaption = "对比";
inline constexpr const char* kCompareHint = "对比两种还款方式及提前还贷计划";
inline constexpr const char* kSaveCaption = "保存";
inline constexpr const char* kSaveHint = "保存分期还款表";
inline constexpr const char* kArchiveCaption = "存档";
inline constexpr const char* kArchiveHint = "存档浮动年利率";
inline constexpr const char* kRatesCaption = "利率";
inline constexpr const char* kRatesHint = "贷款利率变更一览表";
inline constexpr const char* kUpdateCaption = "更新";
inline constexpr const char* kUpdateHint = "发布主页";
inline constexpr const char* kAboutCaption = "关于"; // the button, its tooltip and the window
inline constexpr const char* kTabRatesS = "商业贷款浮动年利率";
inline constexpr const char* kTabRatesG = "公积金贷款浮动年利率";
inline constexpr const char* kTabChart = "分期还款曲线图";
inline constexpr const char* kStatusContact = "  Lumavo 开发组 · 问题与建议请经“更新”页反馈";
inline constexpr const char* kStatusWelcome = "  欢迎反馈使用意见及建议！";
// The moment a comparison was made, as QDateTime writes it.
inline constexpr const char* kQtDateTimeFormat = "yyyy年MM月dd日 HH:mm:ss";
// A date as QDate writes it, the same text as DateText().
inline constexpr const char* kQtDateFormat = "yyyy年MM月dd日";
// Started without any display: the window cannot open.
inline constexpr const char* kNoDisplay =
    "lumavo: 没有可用的图形显示（DISPLAY 与 WAYLAND_DISPLAY 均未设置），无法打开窗口。\n"
    "lumavo: no graphical display (DISPLAY and WAYLAND_DISPLAY are unset).\n"
    "        命令行版本 / command-line front: lumavo-cli --help\n";

// A loan page's controls, trailing blanks included; kLabel… above serve where the texts agree.
inline constexpr const char* kInputGroup = "输入";
inline constexpr const char* kOutputGroup = "输出";
inline constexpr const char* kDetailGroup = "分期还款明细：";
inline constexpr const char* kModeAreaPrice = "根据面积、单价计算";
inline constexpr const char* kModeTotal = "根据贷款总额计算";
inline constexpr const char* kCaptionArea = "面积：";
inline constexpr const char* kUnitSquareMetres = "平方米  ";
inline constexpr const char* kCaptionPrice = "单价：";
inline constexpr const char* kUnitYuanPerSquareMetre = "元/平米  ";
inline constexpr const char* kCaptionRatio = "按揭成数：";
inline constexpr const char* kUnitTenths = "成";
inline constexpr const char* kRoundButton = "整万";
inline constexpr const char* kSharesGroup = "组合贷款比例：";
inline constexpr const char* kCaptionShareS = "商业贷款：";
inline constexpr const char* kCaptionShareG = "公积金贷款：  ";
// The term's pickers: years "年   （" periods "） 期  ".
inline constexpr const char* kTermYears = "年   （";
inline constexpr const char* kTermPeriods = "） 期  ";
inline constexpr const char* kFixedRate = "固定年利率";
inline constexpr const char* kFloatingRate = "浮动年利率";
inline constexpr const char* kCaptionRateG = "公积金利率：  ";
// A date picker row: year "年" month "月" day "日".
inline constexpr const char* kPickerYear = "年";
inline constexpr const char* kPickerMonth = "月";
inline constexpr const char* kPickerDay = "日";
inline constexpr const char* kCaptionPlanDate = "日期：";
inline constexpr const char* kCaptionPlanPart = "类型";
inline constexpr const char* kPlanPartS = "商业贷款（S）";
inline constexpr const char* kPlanPartG = "公积金贷款（G）";
inline constexpr const char* kPlanOneOver = "一次性还清";
inline constexpr const char* kCaptionPlanAmount = "数额：";
inline constexpr const char* kCaptionPlanShorten = "缩短按揭期数：    ";
inline constexpr const char* kPlanSubmit = "提交";
inline constexpr const char* kPlanUndo = "撤销";
inline constexpr const char* kPreviewHint = "比较减少月供与缩短年限两种方式";
// Fields and columns are made wide enough to show these whole.
inline constexpr const char* kEndDateSample = " 2099年12月31日";
inline constexpr const char* kRowDateSample = "0000年00月00日";
// Where a column title's unit begins; printed, the unit goes on a line of its own.
inline constexpr const char* kUnitOpening = "（";

// A rate page's controls.
inline constexpr const char* kCaptionFirstYearRate = "放贷首年利率：   ";
inline constexpr const char* kCaptionYearlyRates = "逐年还贷利率：   ";
inline constexpr const char* kCaptionUniform = "统一值：";
inline constexpr const char* kUniformButton = "设定";
// "第3年：", the caption of a yearly rate.
std::string RateYearCaption(int entry);

// The charts.
inline constexpr const char* kChartInterest = "利息/元";
inline constexpr const char* kChartPrincipal = "本金/元";
inline constexpr const char* kChartClear = "清除";
inline constexpr const char* kChartReset = "复位";
// The point under the pointer: "2009年02月15日  利息/元：516.67".
std::string ChartPointText(std::string_view date, std::string_view series, std::string_view amount);
// A hovered point of the comparison: "等额本息（按计划）\n2030-01-08：1234.56".
std::string
CompareHoverText(std::string_view series, std::string_view date, std::string_view amount);

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
// "3 项": how many entries a folded plan panel holds.
std::string PlanCount(std::size_t entries);
// "文件大于4 MiB，不予读取": a file refused before it is read.
std::string FileTooLarge(std::size_t limitBytes);

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

// Published rates and the fill by rule on the rate pages.
inline constexpr const char* kRuleGroup = "按规则填充";
inline constexpr const char* kRuleCaption = "规则：";
inline constexpr const char* kRuleLpr = "LPR＋基点";
inline constexpr const char* kRuleBenchmark = "基准利率×倍数";
inline constexpr const char* kRuleConverted = "2020年转换为LPR（原基准利率×倍数）";
inline constexpr const char* kRuleProvident = "公积金利率×倍数";
inline constexpr const char* kRuleBasisPoints = "基点：";
inline constexpr const char* kRuleFactor = "倍数：";
inline constexpr const char* kRuleLending = "放贷日：";
inline constexpr const char* kRuleFirstPayment = "月供首日：";
inline constexpr const char* kRulePeriods = "按揭期数：";
inline constexpr const char* kRuleFutureLpr = "未来LPR：";
inline constexpr const char* kRuleFill = "填充";
inline constexpr const char* kRuleFillHint = "按所选规则和公布的利率设定下列各年利率（尚未存档）";
inline constexpr const char* kRateDataNone = "没有可用的利率数据";
inline constexpr const char* kRuleOwnDates = "放贷日和月供首日为本页所选";
// "放贷日和月供首日取自“等额本息”页": which loan page a rate page fills for.
std::string RuleDatesFrom(std::string_view pageName);
inline constexpr const char* kRateDataTooFewFields = "字段不足4个";
// "利率数据截至 2026年01月20日"
std::string RateDataAsOf(std::string_view dateText);
// The calendar year a rate entry stands for: "2024年".
std::string EntryYearTip(int year);
// "利率数据中没有2007年06月01日适用的利率！"
std::string RateDataMissing(std::string_view dateText);
std::string RateDataUnknownKind(std::string_view kind);
std::string RateDataBadDate(std::string_view text);
std::string RateDataBadRate(std::string_view text);
std::string RateDataBadHeader(std::string_view header);
std::string RateDataUnreadable(std::string_view path);
// "利率数据文件 /home/a/.local/share/lumavo/rates.csv 第3行：日期无效：2025-13-01，已忽略该文件。"
std::string RateDataIgnored(std::string_view path, std::size_t line, std::string_view what);

// The command line's own words.
inline constexpr const char* kCliSeeHelp = "（用 --help 查看用法）";
inline constexpr const char* kCliOutputFailed = "无法写入输出文件：";
inline constexpr const char* kCliUnknownFormat = "未知格式";
inline constexpr const char* kCliNotApplicable = "—（不适用）"; // a summary the window leaves blank
inline constexpr const char* kCliMissingBackup = "缺少备份文件（.bak）";
inline constexpr const char* kCliXlsNeedsOutput = "--format xls 需要 --output 文件";
inline constexpr const char* kCliXlsxNeedsOutput = "--format xlsx 需要 --output 文件";
inline constexpr const char* kCliCompareXls = "--compare 和 --preview 只能输出 table、csv 或 json";
inline constexpr const char* kCliCompareAndPreview = "--compare 和 --preview 不能同时使用";
std::string CliPreviewInvalid(std::string_view value);
std::string CliOptionNeedsValue(std::string_view option);
std::string CliMethodInvalid(std::string_view value);
std::string CliFormatInvalid(std::string_view value);
std::string CliUnknownOption(std::string_view option);
std::string CliExtraBackup(std::string_view path);
std::string CliRuleInvalid(std::string_view option, std::string_view value);
inline constexpr const char* kCliWriteRatesNeedsRule =
    "--write-rates 需要 --rates-rule 或 --pf-rule";
inline constexpr const char* kCliShipped = "随程序提供";
inline constexpr const char* kCliUserFile = "用户文件";
inline constexpr const char* kCliNoUserFile = "（没有用户文件）";

inline constexpr const char* kCliHelp =
    "用法：lumavo-cli [选项] 备份文件.bak|贷款方案.lumavo\n"
    "\n"
    "按备份文件中的贷款输入计算分期还款表，结果与主窗口导入该文件后按“计算”相同。\n"
    "以 .lumavo 结尾的文件按贷款方案读取：其中的浮动年利率、利率调整和还款方式一并生效。\n"
    "\n"
    "选项：\n"
    "  --method debx|debj     还款方式：debx 等额本息（默认），debj 等额本金\n"
    "  --rates 文件           浮动年利率存档，默认与窗口所用的 percents.ini 相同\n"
    "  --rates-rule 规则      按公布的利率和备份文件中的日期生成商业贷款浮动年利率：\n"
    "                         lpr:基点、benchmark:倍数 或 converted:倍数\n"
    "  --pf-rule pf:倍数      同样生成公积金贷款浮动年利率\n"
    "  --future-lpr 利率      最后一次LPR报价之后各年所用的LPR，默认为最新报价\n"
    "  --write-rates 文件     把上述规则生成的利率写入该 percents.ini，不计算还款表\n"
    "  --write-loan 文件      把贷款（输入、提前还贷计划、所用浮动年利率、利率调整）写成\n"
    "                         贷款方案（.lumavo），不计算还款表\n"
    "  --rates-data           列出所用的利率数据及每个值的来源，不需要备份文件\n"
    "  --format 格式          table（默认，适合终端阅读）、csv、json、xls 或 xlsx\n"
    "  --output 文件          写入文件而不是标准输出（xls 和 xlsx 必须指定）\n"
    "  --compare              对比等额本息与等额本金，各按计划和不提前还贷\n"
    "  --preview 日期,数额,类型\n"
    "                         试算一笔提前还贷的两种方式（按 --method）：减少月供，\n"
    "                         或缩短年限（月供基本不变）；日期如 2029年12月08日 或\n"
    "                         2029-12-08，类型 S（商业贷款）或 G（公积金贷款）\n"
    "  -h, --help             显示本帮助\n"
    "\n"
    "退出状态：0 成功；1 文件无法读取、不是有效的备份文件或选项有误；\n"
    "          2 输入未通过检查（提示信息写到标准错误）。\n";

// The About window's text.
inline constexpr const char* kAboutText = R"(■致谢
自V1.0发布以来，许多网友通过论坛和邮件提出了宝贵的意见和建议，本软件的每一次改进都离不开他们。在此一并致谢：
房奴小王、月供侠、还贷达人、攒钱买房的阿喵、公积金小白、提前还款党、按揭老兵、蜗居一族

■版本信息
软件版本：V3.2

■升级日志
V3.2
  1. 可读取V3.0及以后版本导出的输入备份文件；
  2. 修正公积金贷款及组合贷款提前还贷后下一期月供的计算。
V3.1
  1. 新增贷款类型选择；
  2. 界面布局更加整洁。
V3.0
  1. 支持组合贷款；
  2. 提前还贷支持一次性还清。
V2.1
  1. 新增网上“贷款利率变更一览表”。
V2.0
  1. 参照商业银行及住房公积金管理中心的放贷惯例，按日精确计算；
  2. 提前还贷可缩短按揭期数；
  3. 新增分期还款曲线图；
  4. 新增输入信息的备份与恢复。

■软件说明
近年来贷款利率屡次上调，每一次调整都牵动着按揭购房家庭的月供和利息支出。许多房贷者只知道月供变了，却说不清变了多少、为什么变。本软件的初衷，就是把利率变化对每一期还款的影响清清楚楚地算出来、摆出来，让大家心中有数，从容安排还款。

■使用方法
1. 本软件为绿色软件，无需安装，复制到任意目录即可直接运行。
2. 同一笔贷款可分别按等额本息和等额本金两种方式计算，对比两者的分期还款明细，并可将分期还款表保存为电子表格文件（.xls）。
   等额本息：每月还款额相同，前期所还利息多、本金少，后期利息逐渐减少、本金逐渐增多；
   等额本金：每月所还本金相同，利息随贷款余额减少而逐月递减，月还款额逐月下降。
3. 可自由设定放贷首年及还款期内各年的浮动年利率，并存档以便下次使用。
4. 可制定提前还贷计划：按日期和贷款类型填写提前还款数额或缩短的按揭期数，也可选择一次性还清。

■版权
本软件受著作权法保护。未经许可，任何单位和个人不得复制、修改、传播本软件，不得将其用于任何商业用途，违者将依法追究法律责任。
本软件的计算结果仅供参考，实际还款以贷款银行或住房公积金管理中心的数据为准。)";

// Closing with floating tables not kept, stale results, the rates a report names.
inline constexpr const char* kUnkeptRatesQuestion =
    "浮动年利率已修改，尚未存档。\r关闭前是否存档？";
inline constexpr const char* kKeepButton = "存档";
inline constexpr const char* kDiscardButton = "不存档";
inline constexpr const char* kCancelButton = "取消";
inline constexpr const char* kStaleNote = "输入已修改，请重新计算";
// "2009年 4.900%" or, for a run of years at one rate, "2010—2014年 4.900%".
std::string RateRunText(int firstYear, int lastYear, std::string_view rate);
inline constexpr const char* kRateRunSeparator = "，";
// "按规则填充：LPR＋基点 -30", under the years a rule filled.
std::string FilledByRule(std::string_view rule);

// A number field refusing what was pasted or dropped into it; field is its caption without
// the colon ("贷款总额").
std::string PasteNotANumber(std::string_view field);
// The same for a field of whole numbers (periods, shares) given a fraction.
std::string PasteNotWholeNumber(std::string_view field);

// Charts and the comparison page: prepayments beside the monthly lines, an uncalculated chart,
// the last 试算 kept on the comparison page.
inline constexpr const char* kChartPrepaid = "提前还款/元";
inline constexpr const char* kChartUncalculated = "请先计算";
// "最近一次试算：等额本息页面的输入，2026年12月10日 12:30:00；提前还贷前商业贷款月供：4054.87元"
std::string PreviewRecord(std::string_view pageName,
                          std::string_view when,
                          std::string_view partName,
                          std::string_view levelName,
                          std::string_view before);

// 利率调整: the list on the loan pages and the checks of 计算, in check order. AdjustmentRefusal
// puts the entry ("2024年10月25日 商业贷款 3.900%") into one of the k...Refused texts.
inline constexpr const char* kAdjustmentCaption = "利率调整";
inline constexpr const char* kAdjustmentBeforeLending = "利率调整“%1”早于放贷日期！";
inline constexpr const char* kAdjustmentRateRange = "利率调整“%1”的年利率须大于0且小于100！";
inline constexpr const char* kAdjustmentNoShare = "利率调整“%1”所属贷款的比例为0！";
inline constexpr const char* kAdjustmentSameDay = "利率调整“%1”与同日同一贷款的另一项重复！";
std::string AdjustmentRefusal(const char* text, std::string_view entry);

// Rate rules (按规则生成, lumavo-cli's rule options): new texts go below this line.
// The LPR series a generated entry used, and what each entry came from.
inline constexpr const char* kRuleLpr1y = "1年期LPR";
inline constexpr const char* kRuleLpr5y = "5年期以上LPR";
inline constexpr const char* kRuleFromLending = "放贷日";
inline constexpr const char* kRuleFromOriginal = "原执行利率";
inline constexpr const char* kRuleFromRepricing = "重定价";
inline constexpr const char* kRuleFromSpreadChange = "加点调整";
inline constexpr const char* kRuleFromCut2023 = "2023年存量首套房贷利率调整";
inline constexpr const char* kRuleFromCut2024 = "2024年存量房贷利率批量调整";
inline constexpr const char* kRuleFutureLprNote = "未来LPR";
// "5年期以上LPR 4.650%（2020年04月20日）"; the note says "未来LPR" past the data.
std::string RuleFixingText(std::string_view series, std::string_view rate, std::string_view note);
// "重定价：5年期以上LPR 4.650%（2020年04月20日）加点59基点"
std::string RuleDerivationText(std::string_view kind, std::string_view fixing, std::string_view bp);
// "加点调整日期2019年05月01日早于放贷日期！"
std::string RuleSpreadBeforeLending(std::string_view dateText);
// "利率数据中没有2019年06月01日适用的5年期以上LPR！"
std::string RuleLprMissing(std::string_view dateText, std::string_view series);
// The 按规则生成 dialog of the loan pages; its title is kAdjustmentByRule.
inline constexpr const char* kRuleDialogPricing = "定价方式";
inline constexpr const char* kRuleDialogLpr = "LPR加点";
inline constexpr const char* kRuleDialogConverted = "2020年转换";
inline constexpr const char* kRuleDialogSpread = "加点：";
inline constexpr const char* kRuleDialogBp = "基点";
inline constexpr const char* kRuleDialogOriginal = "原执行利率：";
inline constexpr const char* kRuleDialogConversionDate = "转换日期：";
inline constexpr const char* kRuleDialogRepricing = "重定价日";
inline constexpr const char* kRuleDialogJan1 = "每年1月1日";
inline constexpr const char* kRuleDialogAnniversary = "放贷日对应日";
inline constexpr const char* kRuleDialogMonthDay = "指定月日";
inline constexpr const char* kRuleDialogMonth = "月";
inline constexpr const char* kRuleDialogDay = "日";
inline constexpr const char* kRuleDialogCycle = "重定价周期：";
inline constexpr const char* kRuleDialogCycle12 = "12个月";
inline constexpr const char* kRuleDialogCycle6 = "6个月";
inline constexpr const char* kRuleDialogCycle3 = "3个月";
inline constexpr const char* kRuleDialogCut2023 = "2023年9月25日调整";
inline constexpr const char* kRuleDialogNewSpread = "新加点：";
inline constexpr const char* kRuleDialogCut2024 = "2024年10月25日批量调整";
inline constexpr const char* kRuleDialogCut2024Tip = "加点高于-30基点的调整为-30基点";
inline constexpr const char* kRuleDialogMoreChanges = "其他加点调整：";
inline constexpr const char* kRuleDialogPreview = "生成的利率调整（商业贷款）";
inline constexpr const char* kRuleDialogDateColumn = "日期";
inline constexpr const char* kRuleDialogRateColumn = "年利率";
inline constexpr const char* kRuleDialogBasisColumn = "依据";
inline constexpr const char* kRuleDialogRefused = "无法生成：";
inline constexpr const char* kRuleDialogReplaces =
    "采用后，这些利率调整替换本页商业贷款的全部利率调整；公积金贷款的利率调整不变。";
inline constexpr const char* kRuleDialogAccept = "采用";
inline constexpr const char* kRuleDialogNoCommercial = "公积金贷款没有商业贷款部分，无法按规则生成";
// "放贷日2019年06月20日，月供首日2019年07月20日，360期（取自本页）"
std::string
RuleDialogLoan(std::string_view lending, std::string_view firstPayment, std::string_view periods);
// "最新：5年期以上LPR 3.500%（2025年05月20日）"
std::string RuleDialogLatest(std::string_view fixing);
// "2022年03月01日 加点-20基点": an item of the further 加点调整.
std::string RuleDialogSpreadChange(std::string_view date, std::string_view bp);

// lumavo-cli's rule options, inserted in the help before "-h, --help".
inline constexpr const char* kCliHelpRateRules =
    "  --rate-change 日期,类型,利率\n"
    "                         利率调整：自该日起该类贷款（S 或 G）按此年利率计息，\n"
    "                         日期如 2024-10-25；可多次给出\n"
    "  --lpr-rule S,基点,重定价日[,周期]\n"
    "                         按LPR加点生成商业贷款的利率调整；重定价日为 jan1（每年\n"
    "                         1月1日）、anniversary（放贷日对应日）或 月-日（如 06-20），\n"
    "                         周期为 12（默认）、6 或 3 个月\n"
    "  --converted-2020 S,原执行利率[,重定价日[,转换日]]\n"
    "                         2020年转换为LPR定价的贷款：加点为原执行利率减2019年12月\n"
    "                         LPR，首个重定价日之前仍按原执行利率；转换日默认 2020-08-25\n"
    "  --spread-change 日期,S,新基点\n"
    "                         自该日起改为新的加点，LPR待下一重定价日再调整；可多次给出\n"
    "  --cut-2023 S,新基点    2023年9月25日存量首套房贷利率调整为新的加点\n"
    "  --cut-2024 S           2024年10月25日批量调整：加点高于-30基点的调整为-30基点\n"
    "  --show-rate-changes    列出所用的利率调整（JSON），不计算还款表\n";
inline constexpr const char* kCliRuleWithRateChange =
    "商业贷款的 --rate-change 不能与按规则生成的利率调整同时使用";
inline constexpr const char* kCliRuleTwoPricings = "--lpr-rule 和 --converted-2020 只能给出一个";
inline constexpr const char* kCliRuleSpreadNeedsPricing =
    "--spread-change、--cut-2023 和 --cut-2024 需要 --lpr-rule 或 --converted-2020";

// The loan file (贷款方案, *.lumavo): new texts go below this line.
// 贷款方案 files: the type the file dialogs offer, and why a file cannot be read or written.
inline constexpr const char* kLoanFileFilter = "贷款方案 (*.lumavo)";
inline constexpr const char* kNotALoanFile = "不是有效的贷款方案文件：";
inline constexpr const char* kLoanFileUnwritable =
    "输入信息中有无效的UTF-8文字，无法写入贷款方案文件";
// Where the JSON text itself is broken.
inline constexpr const char* kJsonNotUtf8 = "不是有效的UTF-8文本";
inline constexpr const char* kJsonExpectedValue = "此处应为一个值";
inline constexpr const char* kJsonExpectedKey = "此处应为带引号的键";
inline constexpr const char* kJsonExpectedColon = "键之后应为“:”";
inline constexpr const char* kJsonExpectedArrayEnd = "此处应为“,”或“]”";
inline constexpr const char* kJsonExpectedObjectEnd = "此处应为“,”或“}”";
inline constexpr const char* kJsonUnterminatedString = "字符串没有结束";
inline constexpr const char* kJsonBadEscape = "字符串中的转义无效";
inline constexpr const char* kJsonControlCharacter = "字符串中有未转义的控制字符";
inline constexpr const char* kJsonBadNumber = "数字无效";
inline constexpr const char* kJsonTrailing = "内容结束后还有多余的文字";
// "嵌套超过64层", "值超过262144个": bounds that keep a hostile file cheap.
std::string JsonTooDeep(std::size_t levels);
std::string JsonTooManyValues(std::size_t values);
// "键“rate”重复"
std::string JsonDuplicateKey(std::string_view key);
// What is wrong with a key's value, after the key: "“loan.plan[2].amount”不是数字".
std::string LoanFileKeyError(std::string_view key, std::string_view reason);
inline constexpr const char* kLoanFileNotOurs = "不是贷款方案（“format”应为“lumavo-loan”）";
inline constexpr const char* kLoanFileBadVersion = "应为“主版本.次版本”，如“1.0”";
// "是2.0版的贷款方案，本程序只能读取1.x版，请使用更新的程序"
std::string LoanFileNewerMajor(std::string_view version, int readableMajor);
inline constexpr const char* kKeyMissing = "缺失";
inline constexpr const char* kKeyUnknown = "无法识别";
inline constexpr const char* kExpectString = "应为字符串";
inline constexpr const char* kExpectNumber = "应为数字";
inline constexpr const char* kExpectBool = "应为true或false";
inline constexpr const char* kExpectObject = "应为对象（{…}）";
inline constexpr const char* kExpectArray = "应为数组（[…]）";
inline constexpr const char* kExpectMode = "应为-1、0或1";
inline constexpr const char* kExpectLoanType = "应为-1、0、1或2";
inline constexpr const char* kExpectMethod = "应为“debx”或“debj”";
inline constexpr const char* kExpectPart = "应为“S”或“G”";
inline constexpr const char* kExpectIsoDate = "应为日期（YYYY-MM-DD）";
inline constexpr const char* kExpectRuleKind = "应为“lpr”、“benchmark”、“converted”或“pf”";
// "应有31个利率"
std::string ExpectRates(int entries);
// 导出 as .bak of a page with 利率调整, bank rows or 按分入账: what the file cannot hold, one per
// line.
std::string BackupDrops(const std::vector<std::string>& entries);
// "银行还款记录 24 行", an entry of the list above.
std::string BackupDropsBankRows(std::size_t rows);
inline constexpr const char* kBackupDropsBankRounding = "按分入账";

// The window's 利率调整 list and rate tooltips: new texts go below this line.
inline constexpr const char* kAdjustmentPanel = "利率调整：";
inline constexpr const char* kAdjustmentRateCaption = "年利率：";
inline constexpr const char* kAdjustmentAdd = "添加";
inline constexpr const char* kAdjustmentRemove = "删除";
inline constexpr const char* kAdjustmentByRule = "按规则生成";
inline constexpr const char* kAdjustmentDateInvalid = "利率调整日期无效！";
// "2024年10月25日起 商业贷款年利率 3.900%": a rate change within a grid row's span.
std::string RateChangeTip(std::string_view date, std::string_view part, std::string_view rate);
// "商业贷款年利率 4.200%": the rate a part bears on a grid row's date.
std::string PartRateTip(std::string_view part, std::string_view rate);

// 核对: the words that tell a bank row's kind from its 类型 / 摘要 text.
inline constexpr const char* kBankPenaltyWords[] = {"罚息", "逾期", "转逾", "复利"};
inline constexpr const char* kBankPrepaymentWords[] = {"提前", "部分还款", "结清"};

// 按分入账 and the reconciliation's own words: new texts go below this line.
inline constexpr const char* kReconcileNoRecords = "没有可核对的银行记录！";
// "本页没有商业贷款，无法核对！"
std::string ReconcileNoPart(std::string_view part);
// "共 120 期，一致 98 期"
std::string ReconcileCounts(int rows, int matching);
// "；自2023年09月25日起银行按 4.300% 计息，与本页利率不同"
std::string ReconcileRateFrom(std::string_view date, std::string_view rate);
// "；银行2021年05月01日提前还款 50000.00 元，本页计划中没有"
std::string ReconcilePrepaymentMissing(std::string_view date, std::string_view amount);
// "；另有 2 笔罚息、逾期等记录不在还款计划中"
std::string ReconcileUnmatched(int records);
// "；银行按分入账，本页未选“按分入账”" or the other way round.
std::string ReconcileRounding(bool bankRounds);
// "；采用建议后仍有 1 期不一致：2024年09月20日 本金差 0.00 元，利息差 0.01 元"
std::string ReconcileRemaining(int rows,
                               std::string_view date,
                               std::string_view principal,
                               std::string_view interest);

// Reading bank records (导入记录, 粘贴, --reconcile): new texts go below this line.
// The names a bank's repayment history gives its columns, compared after blanks and a trailing
// unit in brackets ("（元）", "(%)") are taken off.
inline constexpr const char* kBankDateColumns[] = {"还款日期", "日期", "记账日期", "实际还款日",
                                                   "扣款日期"};
inline constexpr const char* kBankPrincipalColumns[] = {"本金", "应还本金", "还款本金", "实还本金",
                                                        "本金金额"};
inline constexpr const char* kBankInterestColumns[] = {"利息", "应还利息", "还款利息", "利息金额"};
// 余额 as provident-fund statements head the loan's balance.
inline constexpr const char* kBankBalanceColumns[] = {"剩余本金", "贷款余额", "本金余额", "余额"};
inline constexpr const char* kBankPaymentColumns[] = {"还款金额", "月供", "本息合计"};
inline constexpr const char* kBankRateColumns[] = {"执行利率", "贷款利率"};
inline constexpr const char* kBankTypeColumns[] = {"类型", "摘要"};
inline constexpr const char* kBankPeriodColumns[] = {"期次"};
// A row whose first text starts with one of these adds up the others.
inline constexpr const char* kBankSummaryWords[] = {"合计", "总计"};
// The brackets around a column's unit, and the marks of "2024年1月5日".
inline constexpr const char* kBankUnitBrackets[][2] = {{"(", ")"}, {"（", "）"}};
inline constexpr const char* kBankDateMarks[] = {"年", "月", "日"};
inline constexpr const char* kBankPercentSigns[] = {"%", "％"};
// What a cell of a bank record is not, before its text.
inline constexpr const char* kRecordsNotADate = "不是日期";
inline constexpr const char* kRecordsNotAnAmount = "不是金额";
inline constexpr const char* kRecordsNotARate = "不是利率";
inline constexpr const char* kRecordsNotAPeriod = "不是期次";
inline constexpr const char* kRecordsOpenQuote = "引号没有闭合";
inline constexpr const char* kRecordsNotText = "不是UTF-8或GBK文本";
inline constexpr const char* kRecordsWorkbookDamaged = "不是有效的.xlsx工作簿";
inline constexpr const char* kRecordsOldWorkbook = "无法读取旧式.xls工作簿，请另存为.xlsx或CSV文件";
// "第5行第3列（利息）：不是金额：12..5"; without a header or a text, "第5行第3列：引号没有闭合".
std::string RecordsCellError(
    int line, int column, std::string_view header, std::string_view what, std::string_view text);
// "第3行：不是UTF-8或GBK文本"
std::string RecordsLineError(int line, std::string_view what);
// "第10002行：记录多于10000行，不予读取"
std::string RecordsTooMany(int line, int most);
// "记录大于4 MiB，不予读取": pasted text refused before it is read.
std::string RecordsTooLarge(std::size_t limitBytes);
// "工作簿中的表格解压后大于32 MiB，不予读取"
std::string RecordsWorkbookTooLarge(std::size_t limitBytes);
// "找不到表头：需要日期（还款日期、日期、…）、本金（…）和利息（…）三列"
std::string RecordsNoHeader();

// The window's 核对 page: new texts go below this line.
inline constexpr const char* kReconcilePage = "核对";    // the tab
inline constexpr const char* kReconcileCaption = "核对"; // the toolbar command
inline constexpr const char* kReconcileHint = "把银行的还款记录与本页还款计划逐期核对";
inline constexpr const char* kReconcileImport = "导入记录";
inline constexpr const char* kReconcileImportHint =
    "读入银行还款记录文件（CSV、文本或 Excel 工作簿）";
inline constexpr const char* kReconcilePaste = "粘贴";
inline constexpr const char* kReconcilePasteHint = "读入从网页或表格中复制的还款记录";
inline constexpr const char* kReconcileAdopt = "采用建议";
inline constexpr const char* kReconcileAdoptHint = "把建议的利率调整和提前还款加入本页并重新计算";
inline constexpr const char* kReconcileImportTitle = "导入银行还款记录";
inline constexpr const char* kRecordsFilter = "银行还款记录 (*.csv *.txt *.xlsx)";
inline constexpr const char* kRecordsReadFailed = "银行还款记录读取失败！";
inline constexpr const char* kReconcileNoStatement =
    "尚无银行记录：导入或粘贴银行的还款记录，与本页还款计划逐期核对。";
// "核对“等额本息”页": which loan page the 核对 page lines the bank's rows up with.
std::string ReconcileServes(std::string_view pageName);
// The grid's column headers: the bank's row, ours, and the differences.
inline constexpr const char* kReconcileColumns[] = {
    "银行\n日期", "银行\n本金", "银行\n利息",     "银行\n剩余本金",
    "本页\n日期", "本页\n本金", "本页\n利息",     "本页\n剩余本金",
    "差额\n本金", "差额\n利息", "差额\n剩余本金", "银行利率\n(%)"};
// "本页还款日为2024年10月25日，银行晚2天记账": a row matched a day or two off its due day.
std::string ReconcileDayOffTip(std::string_view ourDate, int days);
inline constexpr const char* kReconcileUnmatchedGroup = "不在还款计划中的银行记录";
inline constexpr const char* kReconcileKindPenalty = "罚息、逾期";
inline constexpr const char* kReconcileKindPrepayment = "提前还款";
inline constexpr const char* kReconcileKindInstalment = "无对应期次";
// "2024年03月25日  罚息  本金 0.00 元  利息 12.34 元"
std::string ReconcileUnmatchedItem(std::string_view date,
                                   std::string_view type,
                                   std::string_view principal,
                                   std::string_view interest);
inline constexpr const char* kBankRounding = "按分入账";
inline constexpr const char* kBankRoundingHint = "每期本金、利息按银行做法四舍五入到分";

// lumavo-cli's --reconcile: new texts go below this line.
// lumavo-cli's reconciliation options, inserted in the help before "-h, --help".
inline constexpr const char* kCliHelpReconcile =
    "  --bank-rounding        按分入账：每期金额按分四舍五入，与银行记账相同\n"
    "  --reconcile 文件 --part S|G\n"
    "                         把银行的还款记录（CSV、制表符分隔的文本或 .xlsx）与该类贷款\n"
    "                         （S 商业贷款，G 公积金贷款）的还款表逐期核对，给出差额和使\n"
    "                         两者一致的利率调整与提前还贷；与 --write-loan 同用时把记录\n"
    "                         存入贷款方案\n";
inline constexpr const char* kCliReconcileNeedsPart = "--reconcile 需要 --part S 或 G";
inline constexpr const char* kCliPartNeedsReconcile = "--part 只能与 --reconcile 同时使用";
inline constexpr const char* kCliReconcileAlone =
    "--reconcile 不能与 --compare、--preview 或 --show-rate-changes 同时使用";
inline constexpr const char* kCliReconcileFormat = "--reconcile 只能输出 table、csv 或 json";
// "--part 只能是 S 或 G：X"
std::string CliPartInvalid(std::string_view value);
// The reconciliation's columns: the bank's row, ours, the differences (bank minus ours).
// The command line's column after the 核对 page's: what a bank row without a schedule row is.
inline constexpr const char* kCliReconcileNote = "说明";
// A bank row no schedule row stands for: "无对应期次（罚息）".
std::string CliReconcileUnmatched(std::string_view type);

} // namespace lumavo::msg
