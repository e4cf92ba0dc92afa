#pragma once

#include "calc/loan_input.h"
#include "calc/plan.h"
#include "calc/schedule.h"
#include "files/backup.h"

#include <QString>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSplitter;
class QWidget;

namespace lumavo {

class ChooseCombo;
class CollapsiblePanel;
class NumberEdit;
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

// One loan tab: its controls, the rules that keep them in step, and the reading of its inputs
// and the showing of a schedule. Both tabs are built by this class from their names.
class LoanPage
{
  public:
    LoanPage(QWidget* page, const LoanPageNames& names, UserDialogs& dialogs);

    // Controls, named as the program knows them (tab 2 adds its suffix).
    RadioGroup* radioGroup;   // 根据面积、单价计算 / 根据贷款总额计算
    NumberEdit* mj;           // 面积
    NumberEdit* dj;           // 单价
    ChooseCombo* ajcs;        // 按揭成数
    NumberEdit* dkze;         // 贷款总额
    QPushButton* roundButton; // 整万
    ChooseCombo* loanType;    // 贷款类型
    QGroupBox* sharesGroup;   // 组合贷款比例
    NumberEdit* ratioS;       // 商业贷款 share
    NumberEdit* ratioG;       // 公积金贷款 share
    ChooseCombo* years;       // 按揭期数 in years
    NumberEdit* ajqs;         // 按揭期数
    QRadioButton* rbGd;       // 固定年利率
    QRadioButton* rbFd;       // 浮动年利率
    NumberEdit* nllS;         // 商业利率
    NumberEdit* nllG;         // 公积金利率
    ChooseCombo* fdYear;      // 放贷日
    ChooseCombo* fdMonth;
    ChooseCombo* fdDay;
    ChooseCombo* firstYear; // 月供首日
    ChooseCombo* firstMonth;
    ChooseCombo* firstDay;
    CollapsiblePanel* panel; // 提前还贷计划
    ChooseCombo* tqYear;
    ChooseCombo* tqMonth;
    ChooseCombo* tqDay;
    RadioGroup* tqhdType;      // 商业贷款（S）/ 公积金贷款（G）
    QCheckBox* oneover;        // 一次性还清
    NumberEdit* tqse;          // 数额
    NumberEdit* sdajqs;        // 缩短按揭期数
    QPushButton* submitButton; // 提交
    QPushButton* undoButton;   // 撤销
    QListWidget* planList;
    NumberEdit* summary; // 月还款额 / 月本金还款额
    NumberEdit* hkze;    // 还款总额
    NumberEdit* lxze;    // 利息总额
    QLineEdit* jzrq;     // 还款截止日期
    ScheduleGrid* grid;

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
    void ShowSelectedPlanEntry(); // brings the selected item's entry back into the fields
    void OneOverRule();
    void FitPlanPanel();

    // The backup file: the texts the controls show and the plan, and their return.
    BackupFile Backup() const;
    // Applies a file that has passed its checks, running the form's rules as the fields change.
    void ApplyBackup(const BackupFile& file);

    // Start-up: the year lists from 1997 to the given last year, the first item chosen.
    void FillYearLists(int lastYear);

    LoanInput ReadInput() const;
    const PlanList& Plan() const { return m_plan; }
    PlanList& Plan() { return m_plan; }
    // Runs the calculation on the page's inputs: the schedule goes into the grid and the
    // totals, or the refusal into a message box and nothing changes.
    void Calculate(Method method, const RateTable& floatingS, const RateTable& floatingG);
    void ClearScheduleRows();
    void ShowSchedule(const Schedule& schedule);
    // Drops the plan and its list items.
    void ReleasePlan();

  private:
    void Build(const LoanPageNames& names);
    QWidget* BuildInputRows(const LoanPageNames& names, QWidget* group);
    void BuildPlanPanel(const LoanPageNames& names, QWidget* group);
    QWidget* BuildOutput(const LoanPageNames& names, QWidget* parent);
    void Inform(const char* message);
    void InsertPlanItem(std::size_t index);
    void SetComboText(ChooseCombo* combo, const std::string& text);
    void SetNumberText(NumberEdit* field, const std::string& text);

    QWidget* m_page;
    UserDialogs& m_dialogs;
    bool m_secondTab; // a plan entry of an unknown part shows as 公积金贷款 there
    PlanList m_plan;
};

} // namespace lumavo
