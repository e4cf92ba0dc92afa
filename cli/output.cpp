#include "cli/output.h"

#include "calc/reconcile_text.h"
#include "calc/schedule_text.h"
#include "common/date.h"
#include "common/messages.h"
#include "common/text.h"
#include "files/json_value.h"

#include <algorithm>

namespace lumavo::cli {

namespace {

// One JSON string rule for every output and file.
std::string JsonString(const std::string& text)
{
    return json::Quoted(text);
}

std::string SummaryLabel(Method method)
{
    // The window's captions, without the blanks that line them up there.
    return Trim(method == Method::Debx ? msg::kCaptionSummaryDebx : msg::kCaptionSummaryDebj);
}

// Terminal columns a text takes: CJK characters and full-width forms take two.
std::size_t DisplayWidth(const std::string& text)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t code = lead;
        if (length == 3 && i + 2 < text.size())
            code = ((lead & 0x0Fu) << 12) |
                   ((static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6) |
                   (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
        width += length >= 3 && code >= 0x2E80 ? 2 : 1;
        i += length;
    }
    return width;
}

std::string Padded(const std::string& text, std::size_t width, bool right)
{
    const std::size_t shown = DisplayWidth(text);
    const std::string fill(width > shown ? width - shown : 0, ' ');
    return right ? fill + text : text + fill;
}

// {"date":"2024-10-25","part":"S","rate":3.9}
std::string RateChangeJson(const RateAdjustment& a)
{
    return "{\"date\":\"" + IsoDateText(a.date) + "\",\"part\":\"" +
           (a.part == LoanPart::S ? "S" : "G") + "\",\"rate\":" + GeneralNumberText(a.rate) + "}";
}

} // namespace

std::string AlignedText(const TextGrid& grid)
{
    std::vector<std::size_t> widths(static_cast<std::size_t>(grid.columns));
    for (int r = 0; r < grid.rows; ++r)
        for (int c = 0; c < grid.columns; ++c)
            widths[static_cast<std::size_t>(c)] =
                std::max(widths[static_cast<std::size_t>(c)], DisplayWidth(grid.At(c, r)));
    std::string out;
    for (int r = 0; r < grid.rows; ++r) {
        std::string text;
        for (int c = 0; c < grid.columns; ++c) {
            if (c)
                text += "  ";
            text += Padded(grid.At(c, r), widths[static_cast<std::size_t>(c)], c > 0);
        }
        out += text.substr(0, text.find_last_not_of(' ') + 1) + "\n";
    }
    return out;
}

std::string CsvText(const TextGrid& grid)
{
    std::string out;
    for (int r = 0; r < grid.rows; ++r) {
        for (int c = 0; c < grid.columns; ++c) {
            if (c)
                out += ',';
            out += grid.At(c, r);
        }
        out += "\n";
    }
    return out;
}

std::string JsonOutput(const Schedule& schedule, Method method)
{
    std::string out = "{\"method\":";
    out += method == Method::Debx ? "\"debx\"" : "\"debj\"";
    out += ",\"rows\":[";
    for (std::size_t r = 0; r < schedule.rows.size(); ++r) {
        out += r ? ",[" : "[";
        const auto cells = ScheduleRowTexts(schedule.rows[r]);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c)
                out += ',';
            out += JsonString(cells[c]);
        }
        out += "]";
    }
    const ScheduleTotals& totals = schedule.totals;
    out += "],\"totals\":{\"summary\":" + JsonString(MoneyText(totals.summary));
    out += ",\"summary_enabled\":";
    out += totals.summaryEnabled ? "true" : "false";
    out += ",\"total_repayment\":" + JsonString(MoneyText(totals.hkze));
    out += ",\"total_interest\":" + JsonString(MoneyText(totals.lxze));
    out += ",\"end_date\":" + JsonString(EndDateText(totals)) + "}}\n";
    return out;
}

std::string JsonError(const std::string& message)
{
    return "{\"error\":" + JsonString(message) + "}\n";
}

std::string RateChangesJson(const std::vector<RateAdjustment>& adjustments)
{
    std::string out = "{\"rate_changes\":[";
    for (std::size_t i = 0; i < adjustments.size(); ++i)
        out += std::string(i > 0 ? "," : "") + RateChangeJson(adjustments[i]);
    return out + "]}\n";
}

std::string CsvOutput(const Schedule& schedule)
{
    return CsvText(ScheduleTableTexts(schedule));
}

std::string TableOutput(const Schedule& schedule, Method method)
{
    std::string out = AlignedText(ScheduleTableTexts(schedule));
    const ScheduleTotals& totals = schedule.totals;
    out += '\n';
    out += SummaryLabel(method);
    out += totals.summaryEnabled ? MoneyText(totals.summary) : std::string(msg::kCliNotApplicable);
    out += '\n';
    out += msg::kCaptionTotalRepayment + MoneyText(totals.hkze) + "\n";
    out += msg::kCaptionTotalInterest + MoneyText(totals.lxze) + "\n";
    out += Trim(msg::kCaptionEndDate) + EndDateText(totals) + "\n";
    return out;
}

} // namespace lumavo::cli

namespace lumavo::cli {

namespace {

std::string Field(const char* key, const std::string& text)
{
    return std::string("\"") + key + "\":" + JsonString(text);
}

// The members of one JSON object, separated as they are added.
class JsonObject
{
  public:
    void Add(const char* key, const std::string& json)
    {
        m_text += m_text.empty() ? "" : ",";
        m_text += std::string("\"") + key + "\":" + json;
    }
    std::string Text() const { return "{" + m_text + "}"; }

  private:
    std::string m_text;
};

std::string PartJson(const PartFigures& part)
{
    std::string out = "{" + Field("principal", MoneyText(part.principal));
    out += "," + Field("interest", MoneyText(part.interest));
    out += "," + Field("payoff_date", part.payoff ? DateText(*part.payoff) : std::string());
    out += "," + Field("first_payment", MoneyText(part.firstPayment.value_or(0))) + "}";
    return out;
}

std::string FiguresJson(const ScenarioFigures& figures)
{
    const ScheduleTotals& totals = figures.schedule.totals;
    std::string out = "{" + Field("total_repayment", MoneyText(totals.hkze));
    out += "," + Field("total_interest", MoneyText(totals.lxze));
    out += "," + Field("end_date", EndDateText(totals));
    out += "," + Field("first_payment", MoneyText(figures.firstPayment));
    out += "," + Field("last_payment", MoneyText(figures.lastPayment));
    JsonObject parts;
    for (const auto& [letter, index] : {std::pair{"S", 0}, std::pair{"G", 1}})
        if (figures.parts[index].present)
            parts.Add(letter, PartJson(figures.parts[index]));
    return out + ",\"parts\":" + parts.Text() + "}";
}

// A method's scenarios under "plan" and "no_plan", then what its plan saves.
std::string MethodJson(const Comparison& comparison, Method method)
{
    JsonObject out;
    for (const ScenarioFigures& figures : comparison.scenarios)
        if (figures.scenario.method == method)
            out.Add(figures.scenario.plan == PlanChoice::PagePlan ? "plan" : "no_plan",
                    FiguresJson(figures));
    if (const auto* plan = comparison.Find({method, PlanChoice::PagePlan})) {
        if (plan->interestSaved)
            out.Add("interest_saved", JsonString(MoneyText(*plan->interestSaved)));
        if (plan->monthsSaved)
            out.Add("months_saved", std::to_string(*plan->monthsSaved));
    }
    return out.Text();
}

// A balance a bank row lacks is left out.
void AddAmounts(JsonObject& out,
                double principal,
                double interest,
                const std::optional<double>& balance)
{
    out.Add("principal", JsonString(MoneyText(principal)));
    out.Add("interest", JsonString(MoneyText(interest)));
    if (balance)
        out.Add("balance", JsonString(MoneyText(*balance)));
}

std::string RowJson(const ReconciledRow& row)
{
    JsonObject bank, ours, difference, out;
    AddAmounts(bank, row.bank.principal, row.bank.interest, row.bank.balance);
    // Our row's own date tells a bank row booked a day or two off it.
    ours.Add("date", JsonString(IsoDateText(row.ourDate)));
    AddAmounts(ours, row.principal, row.interest, row.balance);
    AddAmounts(difference, row.principalDifference, row.interestDifference, row.balanceDifference);
    out.Add("date", JsonString(IsoDateText(row.bank.date)));
    out.Add("bank", bank.Text());
    out.Add("ours", ours.Text());
    out.Add("difference", difference.Text());
    out.Add("implied_rate",
            row.impliedRate ? GeneralNumberText(RoundToDecimals(*row.impliedRate, 3)) : "null");
    return out.Text();
}

const char* KindName(BankRowKind kind)
{
    switch (kind) {
    case BankRowKind::Prepayment:
        return "prepayment";
    case BankRowKind::Penalty:
        return "penalty";
    case BankRowKind::Instalment:
        break;
    }
    return "instalment";
}

std::string UnmatchedJson(const UnmatchedRecord& unmatched)
{
    const BankRecord& bank = unmatched.bank;
    JsonObject out;
    out.Add("date", JsonString(IsoDateText(bank.date)));
    AddAmounts(out, bank.principal, bank.interest, bank.balance);
    out.Add("type", JsonString(bank.type));
    out.Add("kind", JsonString(KindName(unmatched.kind)));
    return out.Text();
}

// A plan entry as the loan file lists it, the date as YYYY-MM-DD.
std::string PlanEntryJson(const Ttqhd& entry)
{
    Date date;
    JsonObject out;
    out.Add("date",
            JsonString(ParseDateText(entry.tqdate, date) ? IsoDateText(date) : entry.tqdate));
    out.Add("part", JsonString(TypeText(entry)));
    out.Add("amount", JsonString(MoneyText(entry.tqse)));
    out.Add("shorten", GeneralNumberText(entry.sdajqs));
    out.Add("pay_off", entry.oneover ? "true" : "false");
    return out.Text();
}

template <typename Item, typename Render>
std::string ListJson(const std::vector<Item>& items, Render render)
{
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i)
        out += (i > 0 ? "," : "") + render(items[i]);
    return out + "]";
}

std::string OutcomeJson(const PreviewOutcome& outcome)
{
    std::string out = "{\"shortened\":" + GeneralNumberText(outcome.shortened);
    out += "," + Field("payment", MoneyText(outcome.level));
    out += "," + Field("interest_saved", MoneyText(outcome.interestSaved));
    out += "," + Field("part_end_date", outcome.partEnd ? DateText(*outcome.partEnd) : "");
    out += "," + Field("end_date", outcome.loanEnd) + "}";
    return out;
}

} // namespace

std::string CompareJson(const Comparison& comparison)
{
    JsonObject out;
    std::vector<Method> methods; // in the order the scenarios bring them
    for (const ScenarioFigures& figures : comparison.scenarios)
        if (std::find(methods.begin(), methods.end(), figures.scenario.method) == methods.end())
            methods.push_back(figures.scenario.method);
    for (const Method method : methods)
        out.Add(method == Method::Debx ? "debx" : "debj", MethodJson(comparison, method));
    const auto* debx = comparison.Find({Method::Debx, PlanChoice::PagePlan});
    if (debx && debx->methodDifference)
        out.Add("method_difference", JsonString(MoneyText(*debx->methodDifference)));
    return "{\"compare\":" + out.Text() + "}\n";
}

std::string PreviewJson(const PrepaymentPreview& preview, Method method)
{
    std::string out = "{\"preview\":{\"method\":";
    out += method == Method::Debx ? "\"debx\"" : "\"debj\"";
    out += "," + Field("part", PartLetter(preview.part));
    out += "," + Field("payment_before", MoneyText(preview.levelBefore));
    out += ",\"keep_term\":" + OutcomeJson(preview.keepTerm);
    out += ",\"keep_payment\":" + OutcomeJson(preview.keepPayment);
    return out + "}}\n";
}

TextGrid ReconciliationGridTexts(const Reconciliation& reconciliation)
{
    // The 核对 page's columns, then a note for the bank rows no schedule row stands for.
    constexpr int kNote = kReconcileColumns;
    TextGrid grid =
        TextGrid::Blank(kNote + 1, 1 + static_cast<int>(reconciliation.rows.size() +
                                                        reconciliation.unmatched.size()));
    for (int c = 0; c < kNote; ++c)
        grid.At(c, 0) = ReconcileColumnTitle(c);
    grid.At(kNote, 0) = msg::kCliReconcileNote;
    int r = 1;
    for (const ReconciledRow& row : reconciliation.rows) {
        const auto texts = ReconciledRowTexts(row);
        for (int c = 0; c < kNote; ++c)
            grid.At(c, r) = texts[static_cast<std::size_t>(c)];
        ++r;
    }
    for (const UnmatchedRecord& unmatched : reconciliation.unmatched) {
        ReconciledRow bankAlone;
        bankAlone.bank = unmatched.bank;
        const auto texts = ReconciledRowTexts(bankAlone);
        for (const ReconcileColumn c :
             {ReconcileColumn::BankDate, ReconcileColumn::BankPrincipal,
              ReconcileColumn::BankInterest, ReconcileColumn::BankBalance})
            grid.At(ColumnIndex(c), r) = texts[static_cast<std::size_t>(ColumnIndex(c))];
        grid.At(kNote, r++) = msg::CliReconcileUnmatched(unmatched.bank.type);
    }
    return grid;
}

std::string ReconciliationJson(const Reconciliation& reconciliation)
{
    JsonObject out;
    out.Add("rows", ListJson(reconciliation.rows, RowJson));
    out.Add("matching_rows", std::to_string(reconciliation.matching));
    out.Add("differing_rows", std::to_string(reconciliation.differing));
    out.Add("bank_rounding", reconciliation.bankRounding ? "true" : "false");
    out.Add("suggested_changes", ListJson(reconciliation.suggestedChanges, RateChangeJson));
    out.Add("suggested_plan", ListJson(reconciliation.suggestedPlan, PlanEntryJson));
    out.Add("unmatched_bank_rows", ListJson(reconciliation.unmatched, UnmatchedJson));
    out.Add("remaining", ListJson(reconciliation.remaining, RowJson));
    return out.Text() + "\n";
}

} // namespace lumavo::cli
