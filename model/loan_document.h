#pragma once

#include "calc/bank_record.h"
#include "calc/compare.h"
#include "calc/loan_input.h"
#include "calc/plan.h"
#include "calc/rate_rules.h"
#include "calc/rate_table.h"
#include "calc/reconcile.h"
#include "calc/row_rates.h"
#include "calc/schedule.h"
#include "model/loan_form.h"

#include <cstddef>
#include <optional>
#include <variant>
#include <vector>

namespace lumavo {

// The floating-rate tables a loan computes with when its rates float, one per part.
struct FloatingTables
{
    RateTable s; // 商业贷款浮动年利率
    RateTable g; // 公积金贷款浮动年利率
    // The rule that filled each table, while no entry has been typed over since; reports name it.
    std::optional<RateRule> ruleS{};
    std::optional<RateRule> ruleG{};

    // The rates are what a loan computes with; how they were filled does not change them.
    friend bool operator==(const FloatingTables& a, const FloatingTables& b)
    {
        return a.s == b.s && a.g == b.g;
    }
};

// The bank's repayment rows a page was checked against (核对), and the part they belong to.
struct BankStatement
{
    LoanPart part = LoanPart::S;
    std::vector<BankRecord> records;

    friend bool operator==(const BankStatement&, const BankStatement&) = default;
};

// A finished calculation: the inputs it read and the schedule they gave. What a page shows,
// prints and saves comes from here, not from the form as it may read since.
struct Calculation
{
    Method method = Method::Debx;
    LoanInput input;
    Schedule schedule;
    FloatingTables floating; // the tables in force then; read only when input.floatingRates
};

// How a submitted entry changed the plan list: the item it replaced, and where it went.
struct PlanChange
{
    std::optional<std::size_t> removed;
    std::size_t inserted = 0;
};

// One loan as a single value: its form, its prepayment plan, the floating rates it computes
// with and its last calculation. The window's loan pages are views of a document, lumavo-cli
// reads a file into one, and the file formats read and write it; none of them keeps a loan's
// state of its own.
// The rates behind each row of a calculation's schedule, in row order, for the grid's tooltips.
std::vector<RowRates> CalculationRowRates(const Calculation& calculation);

class LoanDocument
{
  public:
    explicit LoanDocument(Method method = Method::Debx) : m_method(method) {}

    Method CalculationMethod() const { return m_method; }
    LoanForm& Form() { return m_form; }
    const LoanForm& Form() const { return m_form; }
    const PlanList& Plan() const { return m_plan; }
    FloatingTables& Floating() { return m_floating; }
    const FloatingTables& Floating() const { return m_floating; }
    // The floating tables as last loaded from or saved to the rate archive: what closing the
    // program without 存档 would lose is the difference.
    FloatingTables& KeptFloating() { return m_keptFloating; }
    const FloatingTables& KeptFloating() const { return m_keptFloating; }
    bool FloatingUnkept() const { return m_floating != m_keptFloating; }

    // What showing the window does: the year lists up to lastListYear, and the rules that follow.
    void StartUp(int lastListYear) { m_form.StartUp(lastListYear); }
    // An import: another form, plan and rate adjustments. The last calculation stays, as the grid
    // that shows it.
    void Replace(LoanForm form, PlanList plan, std::vector<RateAdjustment> adjustments = {});
    void ClearPlan() { m_plan.Clear(); }
    // 利率调整, kept in date order (commercial before provident on one day).
    const std::vector<RateAdjustment>& Adjustments() const { return m_adjustments; }
    void SetAdjustments(std::vector<RateAdjustment> adjustments);
    // 添加: the adjustment goes in at its sorted place, replacing the one of its day and part;
    // its index afterwards.
    std::size_t PutAdjustment(const RateAdjustment& adjustment);
    // 删除 of one.
    void RemoveAdjustment(std::size_t index);

    // 按分入账: every amount of a schedule booked in whole fen, as banks book them.
    bool BankRounding() const { return m_bankRounding; }
    void SetBankRounding(bool on) { m_bankRounding = on; }

    // 核对: the bank's rows, kept with the loan so a saved file opens with them.
    const BankStatement& Statement() const { return m_statement; }
    void SetStatement(BankStatement statement) { m_statement = std::move(statement); }
    // The kept rows beside the schedule 计算 would make now.
    std::variant<Reconciliation, Refusal> Reconcile() const;
    // 采用建议: the rate changes into the 利率调整 list, the prepayments into the plan, the
    // rounding the bank follows; a prepayment the plan refuses is given back and nothing changes.
    std::optional<Refusal> TakeSuggestions(const Reconciliation& reconciliation);

    // The form with the plan and the rate adjustments, as 计算 reads them.
    LoanInput Input() const;

    // 计算: the checks, then the schedule, kept as the last calculation; a refusal keeps the
    // calculation before it.
    std::optional<Refusal> Calculate();
    const std::optional<Calculation>& LastCalculation() const { return m_calculation; }
    // The last calculation no longer matches what 计算 would read now: the form, the plan or,
    // when the rates float, the tables changed since. A change undone is no change.
    bool CalculationStale() const;

    // 提交: the entry goes in at its sorted place, replacing the one of its day and part.
    std::variant<PlanChange, Refusal> Submit(const PlanSubmission& submission);
    // 撤销 of one item.
    void RemovePlanItem(std::size_t index) { m_plan.Remove(index); }
    // 试算: the two ways of taking the entry, against the plan as it stands.
    std::variant<PrepaymentPreview, Refusal> Preview(const PlanSubmission& submission) const;
    // 对比: both methods with and without the plan.
    std::variant<Comparison, Refusal> Compare() const;

  private:
    Method m_method;
    LoanForm m_form;
    PlanList m_plan;
    std::vector<RateAdjustment> m_adjustments;
    bool m_bankRounding = false;
    BankStatement m_statement;
    FloatingTables m_floating;
    FloatingTables m_keptFloating;
    std::optional<Calculation> m_calculation;
};

} // namespace lumavo
