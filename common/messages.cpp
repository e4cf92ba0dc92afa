#include "common/messages.h"

namespace lumavo::msg {

std::string FloatingRateNotPositive(int entry, const char* partTail)
{
    const std::string year = entry == 0 ? kFirstYear : "第" + std::to_string(entry) + "年";
    return year + partTail;
}

std::string LineText(std::size_t line)
{
    return "第" + std::to_string(line) + "行";
}

std::string FieldText(std::size_t line, std::size_t fieldNumber, std::string_view name)
{
    return LineText(line) + "第" + std::to_string(fieldNumber) + "个字段（" + std::string(name) +
           "）";
}

std::string TooFewFields(std::size_t have, std::size_t need)
{
    return "只有" + std::to_string(have) + "个字段，至少需要" + std::to_string(need) + "个";
}

std::string InputFieldError(std::size_t fieldNumber, std::string_view what)
{
    return "第" + std::to_string(fieldNumber) + "个字段" + std::string(what);
}

std::string NotInList(std::string_view what, std::string_view text)
{
    return std::string(what) + "：" + std::string(text);
}

std::string NotInYearList(std::string_view first, std::string_view last, std::string_view text)
{
    return std::string(kNotInYearList) + "（" + std::string(first) + "–" + std::string(last) +
           "）：" + std::string(text);
}

std::string TooFewInputFields(std::size_t needed)
{
    return "字段不足" + std::to_string(needed) + "个";
}

std::string PlanCount(std::size_t entries)
{
    return std::to_string(entries) + " 项";
}

std::string FileTooLarge(std::size_t limitBytes)
{
    return "文件大于" + std::to_string(limitBytes >> 20) + " MiB，不予读取";
}

std::string CliOptionNeedsValue(std::string_view option)
{
    return "选项 " + std::string(option) + " 需要一个值";
}

std::string CliMethodInvalid(std::string_view value)
{
    return "--method 只能是 debx 或 debj：" + std::string(value);
}

std::string CliFormatInvalid(std::string_view value)
{
    return "--format 只能是 table、csv、json、xls 或 xlsx：" + std::string(value);
}

std::string CliUnknownOption(std::string_view option)
{
    return "未知选项：" + std::string(option);
}

std::string CliExtraBackup(std::string_view path)
{
    return "只能给出一个备份文件，多出：" + std::string(path);
}

std::string RuleDatesFrom(std::string_view pageName)
{
    return "放贷日和月供首日取自“" + std::string(pageName) + "”页";
}

std::string RateDataAsOf(std::string_view dateText)
{
    return "利率数据截至 " + std::string(dateText);
}

std::string EntryYearTip(int year)
{
    return std::to_string(year) + "年";
}

std::string RateDataMissing(std::string_view dateText)
{
    return "利率数据中没有" + std::string(dateText) + "适用的利率！";
}

std::string RateDataUnknownKind(std::string_view kind)
{
    return "种类未知：" + std::string(kind);
}

std::string RateDataBadDate(std::string_view text)
{
    return "日期无效：" + std::string(text);
}

std::string RateDataBadRate(std::string_view text)
{
    return "利率无效：" + std::string(text);
}

std::string RateDataBadHeader(std::string_view header)
{
    return "首行须为 " + std::string(header);
}

std::string RateDataUnreadable(std::string_view path)
{
    return "无法读取利率数据文件 " + std::string(path);
}

std::string RateDataIgnored(std::string_view path, std::size_t line, std::string_view what)
{
    return "利率数据文件 " + std::string(path) + " " + LineText(line) + "：" + std::string(what) +
           "，已忽略该文件。";
}

std::string CliRuleInvalid(std::string_view option, std::string_view value)
{
    return std::string(option) + " 的值无效：" + std::string(value);
}

std::string PlanEntryLine(std::string_view date,
                          std::string_view part,
                          std::string_view amount,
                          std::string_view periods,
                          bool oneover)
{
    std::string line =
        std::string(date) + " " + std::string(part) + " 提前还贷 " + std::string(amount) + " 元，";
    return line + (oneover ? std::string("一次性还清") : "缩短 " + std::string(periods) + " 期");
}

std::string PageOfPages(int page, int pages)
{
    return "第 " + std::to_string(page) + " 页 / 共 " + std::to_string(pages) + " 页";
}

std::string CompareSource(std::string_view pageName, std::string_view when)
{
    return std::string(pageName) + "页面的输入，" + std::string(when) + " 对比";
}

std::string
PreviewQuestion(std::string_view partName, std::string_view levelName, std::string_view before)
{
    return std::string(kPreviewBefore) + std::string(partName) + std::string(levelName) + "：" +
           std::string(before) + "元。\r选一种方式，把缩短期数填入“缩短按揭期数”：";
}

std::string PreviewChoice(std::string_view way,
                          std::string_view shortened,
                          std::string_view levelName,
                          std::string_view level,
                          std::string_view savedCaption,
                          std::string_view saved,
                          std::string_view partName,
                          std::string_view partEnd)
{
    return std::string(way) + "：缩短" + std::string(shortened) + "期，" + std::string(levelName) +
           std::string(level) + "元，" + std::string(savedCaption) + std::string(saved) + "元，" +
           std::string(partName) + std::string(partEnd) + "还清";
}

std::string CliPreviewInvalid(std::string_view value)
{
    return "--preview 须为 日期,数额,类型（如 2029-12-08,200000,S）：" + std::string(value);
}

std::string RateYearCaption(int entry)
{
    return "第" + std::to_string(entry) + "年：";
}

std::string ChartPointText(std::string_view date, std::string_view series, std::string_view amount)
{
    return std::string(date) + "  " + std::string(series) + "：" + std::string(amount);
}

std::string
CompareHoverText(std::string_view series, std::string_view date, std::string_view amount)
{
    return std::string(series) + "\n" + std::string(date) + "：" + std::string(amount);
}

std::string RateRunText(int firstYear, int lastYear, std::string_view rate)
{
    std::string years = std::to_string(firstYear);
    if (lastYear != firstYear)
        years += "—" + std::to_string(lastYear);
    return years + "年 " + std::string(rate) + "%";
}

std::string FilledByRule(std::string_view rule)
{
    return "按规则填充：" + std::string(rule);
}

std::string PasteNotANumber(std::string_view field)
{
    return std::string(field) + "：粘贴的内容不是数字";
}

std::string PasteNotWholeNumber(std::string_view field)
{
    return std::string(field) + "：粘贴的内容不是整数";
}

std::string PreviewRecord(std::string_view pageName,
                          std::string_view when,
                          std::string_view partName,
                          std::string_view levelName,
                          std::string_view before)
{
    return "最近一次试算：" + std::string(pageName) + "页面的输入，" + std::string(when) + "；" +
           std::string(kPreviewBefore) + std::string(partName) + std::string(levelName) + "：" +
           std::string(before) + "元";
}

std::string AdjustmentRefusal(const char* text, std::string_view entry)
{
    std::string result = text;
    const std::size_t at = result.find("%1");
    return at == std::string::npos ? result : result.replace(at, 2, entry);
}

// Rate rules (按规则生成, lumavo-cli's rule options): new texts go below this line.
std::string RuleFixingText(std::string_view series, std::string_view rate, std::string_view note)
{
    return std::string(series) + " " + std::string(rate) + "%（" + std::string(note) + "）";
}

std::string RuleDerivationText(std::string_view kind, std::string_view fixing, std::string_view bp)
{
    return std::string(kind) + "：" + std::string(fixing) + "加点" + std::string(bp) + "基点";
}

std::string RuleSpreadBeforeLending(std::string_view dateText)
{
    return "加点调整日期" + std::string(dateText) + "早于放贷日期！";
}

std::string RuleLprMissing(std::string_view dateText, std::string_view series)
{
    return "利率数据中没有" + std::string(dateText) + "适用的" + std::string(series) + "！";
}

std::string
RuleDialogLoan(std::string_view lending, std::string_view firstPayment, std::string_view periods)
{
    return "放贷日" + std::string(lending) + "，月供首日" + std::string(firstPayment) + "，" +
           std::string(periods) + "期（取自本页）";
}

std::string RuleDialogLatest(std::string_view fixing)
{
    return "最新：" + std::string(fixing);
}

std::string RuleDialogSpreadChange(std::string_view date, std::string_view bp)
{
    return std::string(date) + " 加点" + std::string(bp) + "基点";
}

// The loan file (贷款方案, *.lumavo): new texts go below this line.

std::string JsonTooDeep(std::size_t levels)
{
    return "嵌套超过" + std::to_string(levels) + "层";
}

std::string JsonTooManyValues(std::size_t values)
{
    return "值超过" + std::to_string(values) + "个";
}

std::string JsonDuplicateKey(std::string_view key)
{
    return "键“" + std::string(key) + "”重复";
}

std::string LoanFileKeyError(std::string_view key, std::string_view reason)
{
    return "“" + std::string(key) + "”" + std::string(reason);
}

std::string LoanFileNewerMajor(std::string_view version, int readableMajor)
{
    return "是" + std::string(version) + "版的贷款方案，本程序只能读取" +
           std::to_string(readableMajor) + ".x版，请使用更新的程序";
}

std::string ExpectRates(int entries)
{
    return "应有" + std::to_string(entries) + "个利率";
}

std::string BackupDrops(const std::vector<std::string>& entries)
{
    std::string text = "备份文件（.bak）无法保存以下内容：\r";
    for (const std::string& entry : entries)
        text += entry + "\r";
    return text + "其余输入信息照常导出（保存全部请选择贷款方案 *.lumavo）。是否继续？";
}

std::string BackupDropsBankRows(std::size_t rows)
{
    return "银行还款记录 " + std::to_string(rows) + " 行";
}

// The window's 利率调整 list and rate tooltips: new texts go below this line.

std::string RateChangeTip(std::string_view date, std::string_view part, std::string_view rate)
{
    return std::string(date) + "起 " + PartRateTip(part, rate);
}

std::string PartRateTip(std::string_view part, std::string_view rate)
{
    return std::string(part) + "年利率 " + std::string(rate) + "%";
}

// 按分入账 and the reconciliation's own words: new texts go below this line.

std::string ReconcileNoPart(std::string_view part)
{
    return "本页没有" + std::string(part) + "，无法核对！";
}

std::string ReconcileCounts(int rows, int matching)
{
    return "共 " + std::to_string(rows) + " 期，一致 " + std::to_string(matching) + " 期";
}

std::string ReconcileRateFrom(std::string_view date, std::string_view rate)
{
    return "；自" + std::string(date) + "起银行按 " + std::string(rate) + "% 计息，与本页利率不同";
}

std::string ReconcilePrepaymentMissing(std::string_view date, std::string_view amount)
{
    return "；银行" + std::string(date) + "提前还款 " + std::string(amount) + " 元，本页计划中没有";
}

std::string ReconcileUnmatched(int records)
{
    return "；另有 " + std::to_string(records) + " 笔罚息、逾期等记录不在还款计划中";
}

std::string ReconcileRounding(bool bankRounds)
{
    return bankRounds ? "；银行按分入账，本页未选“按分入账”"
                      : "；银行不按分入账，本页选了“按分入账”";
}

std::string ReconcileRemaining(int rows,
                               std::string_view date,
                               std::string_view principal,
                               std::string_view interest)
{
    return "；采用建议后仍有 " + std::to_string(rows) + " 期不一致：" + std::string(date) +
           " 本金差 " + std::string(principal) + " 元，利息差 " + std::string(interest) + " 元";
}

// Reading bank records (导入记录, 粘贴, --reconcile): new texts go below this line.

std::string RecordsCellError(
    int line, int column, std::string_view header, std::string_view what, std::string_view text)
{
    std::string where = "第" + std::to_string(line) + "行第" + std::to_string(column) + "列";
    if (!header.empty())
        where += "（" + std::string(header) + "）";
    where += "：" + std::string(what);
    return text.empty() ? where : where + "：" + std::string(text);
}

std::string RecordsLineError(int line, std::string_view what)
{
    return "第" + std::to_string(line) + "行：" + std::string(what);
}

std::string RecordsTooMany(int line, int most)
{
    return RecordsLineError(line, "记录多于" + std::to_string(most) + "行，不予读取");
}

std::string RecordsTooLarge(std::size_t limitBytes)
{
    return "记录大于" + std::to_string(limitBytes >> 20) + " MiB，不予读取";
}

std::string RecordsWorkbookTooLarge(std::size_t limitBytes)
{
    return "工作簿中的表格解压后大于" + std::to_string(limitBytes >> 20) + " MiB，不予读取";
}

namespace {

// "日期（还款日期、日期、记账日期、实际还款日或扣款日期）"
template <std::size_t N>
std::string ColumnChoice(std::string_view what, const char* const (&names)[N])
{
    std::string text = std::string(what) + "（";
    for (std::size_t i = 0; i < N; ++i) {
        if (i > 0)
            text += i + 1 == N ? "或" : "、";
        text += names[i];
    }
    return text + "）";
}

} // namespace

std::string RecordsNoHeader()
{
    return "找不到表头：需要" + ColumnChoice("日期", kBankDateColumns) + "、" +
           ColumnChoice("本金", kBankPrincipalColumns) + "和" +
           ColumnChoice("利息", kBankInterestColumns) + "三列";
}

// The window's 核对 page: new texts go below this line.

std::string ReconcileServes(std::string_view pageName)
{
    return "核对“" + std::string(pageName) + "”页";
}

std::string ReconcileDayOffTip(std::string_view ourDate, int days)
{
    return "本页还款日为" + std::string(ourDate) + "，银行" + (days > 0 ? "晚" : "早") +
           std::to_string(days > 0 ? days : -days) + "天记账";
}

std::string ReconcileUnmatchedItem(std::string_view date,
                                   std::string_view type,
                                   std::string_view principal,
                                   std::string_view interest)
{
    return std::string(date) + "  " + std::string(type) + "  本金 " + std::string(principal) +
           " 元  利息 " + std::string(interest) + " 元";
}

// lumavo-cli's --reconcile: new texts go below this line.
std::string CliPartInvalid(std::string_view value)
{
    return "--part 只能是 S 或 G：" + std::string(value);
}

std::string CliReconcileUnmatched(std::string_view type)
{
    return type.empty() ? std::string("无对应期次") : "无对应期次（" + std::string(type) + "）";
}

} // namespace lumavo::msg
