#pragma once

#include "calc/rate_generator.h"
#include "calc/rate_rules.h"

#include <QDialog>
#include <optional>
#include <vector>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace lumavo {

// What 按规则生成 is opened with: the page's loan as its form stands, and the published rates.
struct RuleDialogInput
{
    LoanDates dates;
    RateHistory history;
};

// 按规则生成: the commercial part's 利率调整 from its LPR pricing, with each entry's fixing in
// view before the user takes them. The preview follows every field; a refusal of the generator
// (or of 计算's checks) stands under it and leaves nothing to take.
class AdjustmentRuleDialog : public QDialog
{
    Q_OBJECT

  public:
    explicit AdjustmentRuleDialog(RuleDialogInput input, QWidget* parent = nullptr);

    // The rule as the fields give it, and the LPR it assumes past the data.
    LprPricing Pricing() const;
    double FutureLpr() const;
    // The entries the preview shows; empty while they are refused.
    std::vector<RateAdjustment> Adjustments() const;

  private:
    QWidget* BuildPricing();
    QWidget* BuildRepricing();
    QWidget* BuildSpreadChanges();
    QWidget* BuildFuture();
    QWidget* BuildPreview();
    void ConnectFields();
    void FollowChoices();
    void AddSpreadChange();
    void RemoveSpreadChange();
    void ShowSpreadChanges();
    void Regenerate();
    void ShowRefusal(const std::string& message);

    RuleDialogInput m_input;
    std::vector<SpreadChange> m_more; // the further 加点调整, by date
    std::vector<RateAdjustment> m_adjustments;

    QRadioButton* m_lpr = nullptr;       // LPR加点
    QDoubleSpinBox* m_spread = nullptr;  // 加点, basis points
    QRadioButton* m_converted = nullptr; // 2020年转换
    QDoubleSpinBox* m_original = nullptr;
    QDateEdit* m_conversionDate = nullptr;
    QRadioButton* m_jan1 = nullptr;
    QRadioButton* m_anniversary = nullptr;
    QRadioButton* m_monthDay = nullptr;
    QComboBox* m_month = nullptr;
    QComboBox* m_day = nullptr;
    QComboBox* m_cycle = nullptr;
    QCheckBox* m_cut2023 = nullptr;
    QDoubleSpinBox* m_cut2023Spread = nullptr;
    QCheckBox* m_cut2024 = nullptr;
    QDateEdit* m_changeDate = nullptr;
    QDoubleSpinBox* m_changeSpread = nullptr;
    QPushButton* m_addChange = nullptr;
    QPushButton* m_removeChange = nullptr;
    QListWidget* m_changes = nullptr;
    QDoubleSpinBox* m_future = nullptr;
    QTableWidget* m_preview = nullptr;
    QLabel* m_refusal = nullptr;
    QPushButton* m_accept = nullptr;
};

} // namespace lumavo
