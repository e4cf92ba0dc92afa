#pragma once

#include "calc/schedule.h"
#include "common/text_grid.h"
#include "files/backup.h"
#include "files/schedule_report.h"
#include "model/loan_form.h"

#include <QMetaObject>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QObject;
class QPushButton;
class QRadioButton;
class QWidget;

namespace lumavo {

class ChooseCombo;
class CollapsiblePanel;
class NumberEdit;
class PlanPanel;
class RadioGroup;
class ScheduleGrid;
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

// The prepayment panel's widgets.
struct PlanControls
{
    CollapsiblePanel* panel = nullptr; // 提前还贷计划
    ChooseCombo* year = nullptr;
    ChooseCombo* month = nullptr;
    ChooseCombo* day = nullptr;
    RadioGroup* part = nullptr;     // 商业贷款（S）/ 公积金贷款（G）
    QCheckBox* oneover = nullptr;   // 一次性还清
    NumberEdit* amount = nullptr;   // 数额
    NumberEdit* shorten = nullptr;  // 缩短按揭期数
    QPushButton* submit = nullptr;  // 提交
    QPushButton* undo = nullptr;    // 撤销
    QPushButton* preview = nullptr; // 试算
    QListWidget* list = nullptr;
};

// The widgets of a loan tab, as the layout builds them.
struct LoanPageControls
{
    RadioGroup* mode = nullptr;         // 根据面积、单价计算 / 根据贷款总额计算
    NumberEdit* area = nullptr;         // 面积 suiNEmj
    NumberEdit* price = nullptr;        // 单价 suiNEdj
    ChooseCombo* ratio = nullptr;       // 按揭成数 suiCBajcs
    NumberEdit* total = nullptr;        // 贷款总额 suiNEdkze
    QPushButton* roundButton = nullptr; // 整万
    ChooseCombo* loanType = nullptr;    // 贷款类型
    QGroupBox* sharesGroup = nullptr;   // 组合贷款比例
    NumberEdit* shareS = nullptr;       // suiNEratioS
    NumberEdit* shareG = nullptr;       // suiNEratioG
    ChooseCombo* years = nullptr;       // 按揭期数 in years
    NumberEdit* periods = nullptr;      // 按揭期数 suiNEajqs
    QRadioButton* fixedRate = nullptr;  // 固定年利率 suiRBgd
    QRadioButton* floating = nullptr;   // 浮动年利率 suiRBfd
    NumberEdit* rateS = nullptr;        // 商业利率 suiNEnllS
    NumberEdit* rateG = nullptr;        // 公积金利率 suiNEnllG
    ChooseCombo* lendingYear = nullptr; // 放贷日
    ChooseCombo* lendingMonth = nullptr;
    ChooseCombo* lendingDay = nullptr;
    ChooseCombo* firstYear = nullptr; // 月供首日
    ChooseCombo* firstMonth = nullptr;
    ChooseCombo* firstDay = nullptr;
    PlanControls plan;
    NumberEdit* summary = nullptr; // 月还款额 / 月本金还款额
    NumberEdit* hkze = nullptr;    // 还款总额
    NumberEdit* lxze = nullptr;    // 利息总额
    QLineEdit* jzrq = nullptr;     // 还款截止日期
    ScheduleGrid* grid = nullptr;
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

// One loan tab: its form, the widgets that show it, the plan panel and the schedule output.
// Both tabs are built by this class from their names. The widgets report the user's changes to
// the form as they happen; a rule runs on the form and the widgets then show the form again.
class LoanPage
{
  public:
    LoanPage(QWidget* page, const LoanPageNames& names, UserDialogs& dialogs);
    ~LoanPage();

    // The window's handlers, connected after the page's own bindings so they see the form
    // already holding the user's change.
    void Connect(QObject* context, const LoanPageHandlers& handlers);

    // What showing the window does to the page.
    void StartUp(int lastListYear);

    // The rules of the form.
    void ModeRule();
    void LoanTotalFromArea();
    void RoundLoanTotal();
    void PeriodsFromYears();
    void PrepaymentYears();
    void LendingDays();
    void FirstPaymentDays();
    void FirstPaymentYearRule();
    void PrepaymentDays();
    void SharesRule();
    void LoanTypeRule();
    void RateModeRule();

    // The prepayment plan panel.
    void SubmitPlanEntry();
    void RemovePlanEntry();
    // 试算: the two ways of taking the entry in the fields; the one chosen puts its shortening
    // into 缩短按揭期数, and the user still submits.
    void PreviewPlanEntry(Method method, const RateTable& floatingS, const RateTable& floatingG);
    void ShowSelectedPlanEntry(); // brings the selected item's entry back into the fields
    void OneOverRule();
    void FitPlanPanel();
    void ReleasePlan();

    const LoanForm& Form() const { return m_form; }
    // Shows another form, as an import does, with the plan it brings.
    void SetForm(const LoanForm& form, const PlanList& plan);

    // The backup file of the page's texts and plan.
    BackupFile Backup() const;
    // Applies a file to the page and shows the messages its rules raise; with an error nothing
    // on the page changes.
    std::optional<BackupError> ApplyBackup(const BackupFile& file);

    // Runs the calculation on the page's inputs: the schedule goes into the grid and the
    // totals, or the refusal into a message box and nothing changes.
    void Calculate(Method method, const RateTable& floatingS, const RateTable& floatingG);
    const TextGrid& ScheduleTexts() const;
    // The last calculated loan with the totals and grid the page shows, for the workbook and the
    // printed report; nullopt before the first calculation that was not refused.
    std::optional<ScheduleReport> Report() const;
    // The page's inputs with its plan, as 计算 reads them.
    LoanInput Input() const;
    // Repaints the grid at once; for measuring.
    void RepaintSchedule();

  private:
    void BindForm();
    void ShowForm();
    void ShowSchedule(const Schedule& schedule);
    void ApplyLoanTypeEnabling();
    void Inform(const std::string& message);
    void InformAll(const FormMessages& messages);

    QWidget* m_page;
    UserDialogs& m_dialogs;
    LoanPageControls m_ui;
    LoanForm m_form;
    std::unique_ptr<PlanPanel> m_plan;
    std::vector<QMetaObject::Connection> m_connections;
    // What the grid shows was calculated from this, not from the form as it may read since.
    std::optional<LoanInput> m_calculated;
    Method m_method = Method::Debx;
};

} // namespace lumavo
