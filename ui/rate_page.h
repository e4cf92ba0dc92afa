#pragma once

#include "calc/rate_rules.h"
#include "calc/rate_table.h"

#include <QString>
#include <array>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QWidget;

namespace lumavo {

class NumberEdit;

struct RatePageNames
{
    QString fieldPrefix;   // suiNEper / suiNEperG: entry n is prefix + n
    QString uniformField;  // suiNEperone / suiNEperGone
    QString uniformButton; // 设定: suiButton1 / suiButton8
    std::string section;   // archive section of the table
    QString ruleSuffix;    // "" / "G" after the names of the 按规则填充 controls
    std::vector<RuleKind> rules;

    static RatePageNames Commercial();
    static RatePageNames Provident();
};

// A floating-rate tab: 31 fields that mirror the page's rate table, the uniform value and
// "设定", and the 按规则填充 group that sets the fields from the published rates. Each field's
// "tag" property is its entry number.
class RatePage
{
  public:
    RatePage(QWidget* page, const RatePageNames& names, RateTable& table);

    std::array<NumberEdit*, RateTable::kEntries> fields{};
    NumberEdit* uniform = nullptr;
    QPushButton* uniformButton = nullptr;

    // 按规则填充
    QGroupBox* ruleGroup = nullptr;
    QComboBox* ruleList = nullptr;
    QDoubleSpinBox* ruleNumber = nullptr; // basis points or a factor
    QDateEdit* lendingDate = nullptr;
    QDateEdit* firstPaymentDate = nullptr;
    QSpinBox* periods = nullptr;
    QDoubleSpinBox* futureLpr = nullptr;
    QPushButton* fillButton = nullptr;
    QLabel* dataLine = nullptr;

    // A field's value becomes its entry, rounded to three decimals.
    void FieldChanged(const NumberEdit* field);
    // Every field, first year first, takes the uniform value.
    void ApplyUniform();
    // The archived table into the fields (and through them into the table).
    void Load(const std::string& archivePath);
    // The table into its archive section; false when the archive cannot be written.
    bool Save(const std::string& archivePath) const;

    // How far the published rates reach, and the latest LPR as the future LPR.
    void ShowRateData(const RateHistory& history);
    // The loan page's dates, until the user picks dates of their own here.
    void FollowLoan(const LoanDates& dates);
    LoanDates Dates() const;
    // The fields from the rule, each through its change rule; the message when the data do not
    // reach a day the loan needs (the fields then stay as they were).
    std::optional<std::string> FillByRule(const RateHistory& history);

  private:
    void Build(QWidget* page, const RatePageNames& names);
    QWidget* BuildRuleGroup(QWidget* parent, const RatePageNames& names);
    void RuleChanged();
    void ShowEntryYears();

    RateTable& m_table;
    std::string m_section;
    std::vector<RuleKind> m_rules;
    std::array<QLabel*, RateTable::kEntries> m_captions{}; // 放贷首年利率, 第1年 .. 第30年
    QLabel* m_numberCaption = nullptr;                     // 基点 or 倍数
    bool m_ownDates = false;
};

} // namespace lumavo
