#pragma once

#include "calc/schedule.h"
#include "common/text_grid.h"
#include "files/backup.h"
#include "files/schedule_report.h"
#include "model/loan_document.h"
#include "ui/loan_page_controls.h"

#include <QMetaObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QObject;
class QWidget;

namespace lumavo {

class AdjustmentPanel;
class PlanPanel;
class RateHistory;
class UserDialogs;

// The names that break the suffix rule between the two loan tabs.
struct LoanPageNames
{
    QString suffix;         // "" on tab 1, "2" on tab 2
    QString radioGroup;     // suiRadioGroup1 / suiRadioGroup2
    QString inputGroup;     // 输入
    QString outputGroup;    // 输出
    QString totalsGroup;    // 总计：
    QString detailGroup;    // 分期还款明细：
    QString sharesGroup;    // 组合贷款比例：
    QString ratesGroup;     // 固定/浮动年利率
    QString planEntryGroup; // the prepayment fields
    QString planListGroup;  // the prepayment list
    QString roundButton;    // 整万
    QString yearsCombo;     // 按揭期数 in years
    QString submitButton;   // 提交
    QString undoButton;     // 撤销
    QString previewButton;  // 试算
    QString planList;
    QString panel;
    QString grid;
    QString splitter;
    QString summaryField; // 月还款额 / 月本金还款额
    QString summaryCaption;
    bool totalsEditable = false;

    static LoanPageNames Tab1();
    static LoanPageNames Tab2();
};

// Builds a loan tab into its page widget.
LoanPageControls BuildLoanPage(QWidget* page, const LoanPageNames& names);

// What the user does on a loan tab that the window answers, one handler each.
struct LoanPageHandlers
{
    std::function<void()> modeClick;
    std::function<void()> priceChange;
    std::function<void()> ratioChange;
    std::function<void()> roundClick;
    std::function<void()> yearsChange;
    std::function<void()> periodsChange;
    std::function<void()> lendingYearChange;
    std::function<void()> lendingMonthChange;
    std::function<void()> firstYearChange;
    std::function<void()> firstMonthChange;
    std::function<void()> prepaymentYearChange;
    std::function<void()> prepaymentMonthChange;
    std::function<void()> shareChange;
    std::function<void()> loanTypeClick;
    std::function<void()> fixedRateClick;
    std::function<void()> floatingRateClick;
    std::function<void()> submitClick;
    std::function<void()> undoClick;
    std::function<void()> previewClick;
    std::function<void()> planListClick;
    std::function<void()> oneoverClick;
    std::function<void()> panelPop;
};

// One loan tab: a view of its loan document. Both tabs are built by this class from their
// names. The widgets report the user's changes to the document's form as they happen; a rule
// runs on the form and the widgets then show the form again. The grid and the totals show the
// document's last calculation.
class LoanPage
{
  public:
    // The document outlives the page: the page may be built after the document has changed.
    LoanPage(QWidget* page,
             const LoanPageNames& names,
             LoanDocument& document,
             UserDialogs& dialogs);
    ~LoanPage();

    // The window's handlers, connected after the page's own bindings so they see the form
    // already holding the user's change.
    void Connect(QObject* context, const LoanPageHandlers& handlers);

    // What showing the window does to the page, once the document's form has started up.
    void ShowStartUp();

    // A rule of the form (整万, periods from years, the day lists, shares, …), then the widgets
    // show the form again.
    void RunRule(void (LoanForm::*rule)());
    // The rules that do more than that: messages, or which widgets are enabled.
    void ModeRule();
    void LoanTotalFromArea();
    void LoanTypeRule();
    void RateModeRule();

    // The prepayment plan panel.
    void SubmitPlanEntry();
    void RemovePlanEntry();
    // 试算: the two ways of taking the entry in the fields; the one chosen puts its shortening
    // into 缩短按揭期数, and the user still submits. Each answer is also handed to keep, before
    // the question, so it can stay in view after the box closes.
    using PreviewKeeper = std::function<void(const PrepaymentPreview&, Method)>;
    void PreviewPlanEntry(const PreviewKeeper& keep);
    void ShowSelectedPlanEntry(); // brings the selected item's entry back into the fields
    void OneOverRule();
    void FitPlanPanel();
    void ReleasePlan();

    LoanDocument& Document() { return m_document; }
    const LoanDocument& Document() const { return m_document; }
    const LoanForm& Form() const { return m_document.Form(); }
    // Shows another form, as an import does, with the plan it brings.
    void SetForm(const LoanForm& form,
                 const PlanList& plan,
                 std::vector<RateAdjustment> adjustments = {});

    // 采用建议: the suggestions into the document and its lists, then 计算; the refusal's
    // message when the plan refuses an entry, nothing changed then.
    std::optional<std::string> TakeSuggestions(const Reconciliation& reconciliation);

    // The backup file of the page's texts and plan.
    BackupFile Backup() const;
    // Applies a file to the page and shows the messages its rules raise; with an error nothing
    // on the page changes.
    std::optional<BackupError> ApplyBackup(const BackupFile& file);

    // Runs the calculation on the page's inputs: the schedule goes into the grid and the
    // totals, or the refusal into a message box and nothing changes.
    void Calculate();
    const TextGrid& ScheduleTexts() const;
    // The schedule the grid shows; null before the first calculation that was not refused.
    const Schedule* CalculatedSchedule() const;
    // The last calculated loan with its totals and grid, for the workbook and the printed
    // report; nullopt before the first calculation that was not refused.
    std::optional<ScheduleReport> Report() const;
    // The page's inputs with its plan, as 计算 reads them.
    LoanInput Input() const { return m_document.Input(); }
    // Repaints the grid at once; for measuring.
    void RepaintSchedule();

    // The totals and the grid belong to an earlier 计算 than the inputs: they are greyed until
    // the next calculation. The listener hears every time the page checks.
    bool Stale() const { return m_document.CalculationStale(); }
    void ShowCalculationState();
    void SetStaleListener(std::function<void()> listener) { m_staleListener = std::move(listener); }
    // Where 按规则生成 takes the published rates from; null, once the source has said why, when
    // there are none to take.
    using RuleData = std::function<const RateHistory*()>;
    void SetRuleData(RuleData source) { m_ruleData = std::move(source); }

  private:
    void BindForm();
    void BindAdjustments();
    void AddAdjustment();
    void RemoveAdjustment();
    void AdjustmentsByRule();
    void ShowForm();
    void ShowCalculation(const Calculation& calculation);
    void ApplyLoanTypeEnabling();
    void Inform(const std::string& message);
    void InformAll(const FormMessages& messages);

    QWidget* m_page;
    UserDialogs& m_dialogs;
    LoanDocument& m_document;
    LoanPageControls m_ui;
    std::unique_ptr<PlanPanel> m_plan;
    std::unique_ptr<AdjustmentPanel> m_adjust;
    std::vector<QMetaObject::Connection> m_connections;
    std::function<void()> m_staleListener;
    RuleData m_ruleData;
};

} // namespace lumavo
