#pragma once

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;

namespace lumavo {

class ChooseCombo;
class CollapsiblePanel;
class NumberEdit;
class RadioGroup;
class ScheduleGrid;

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

// The 利率调整 panel's widgets.
struct AdjustmentControls
{
    CollapsiblePanel* panel = nullptr; // 利率调整
    ChooseCombo* year = nullptr;
    ChooseCombo* month = nullptr;
    ChooseCombo* day = nullptr;
    RadioGroup* part = nullptr;    // 商业贷款（S）/ 公积金贷款（G）
    NumberEdit* rate = nullptr;    // 年利率
    QPushButton* add = nullptr;    // 添加
    QPushButton* remove = nullptr; // 删除
    QPushButton* byRule = nullptr; // 按规则生成, for a loan with a commercial part
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
    AdjustmentControls adjustments;
    NumberEdit* summary = nullptr;     // 月还款额 / 月本金还款额
    NumberEdit* hkze = nullptr;        // 还款总额
    NumberEdit* lxze = nullptr;        // 利息总额
    QLineEdit* jzrq = nullptr;         // 还款截止日期
    QCheckBox* bankRounding = nullptr; // 按分入账
    ScheduleGrid* grid = nullptr;
};

} // namespace lumavo
