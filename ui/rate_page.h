#pragma once

#include "calc/rate_rules.h"
#include "calc/rate_table.h"
#include "model/loan_document.h"

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
    RateTable FloatingTables::*part;               // the table of the documents the page shows
    std::optional<RateRule> FloatingTables::*rule; // and the rule that filled it

    static RatePageNames Commercial();
    static RatePageNames Provident();
};

// A floating-rate tab: 31 fields that show one part's floating table, the uniform value and
// "设定", and the 按规则填充 group that fills the table from the published rates. Both loan pages
// compute with the table, so it is the same table in each of their documents, and the page
// writes every copy, and every copy of the table as last kept in the archive. Each field's "tag"
// property is its entry number.
class RatePage
{
  public:
    // The controls are built by Build(), when the page first shows; until then the page keeps
    // the table in the documents alone, and the controls show it when built.
    RatePage(QWidget* page, const RatePageNames& names, std::vector<LoanDocument*> documents);
    // False when the controls were built already.
    bool Build();

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
    QLabel* datesSource = nullptr; // which loan page the dates come from

    // A field's value becomes its entry, rounded to three decimals.
    void FieldChanged(const NumberEdit* field);
    // Every field, first year first, takes the uniform value.
    void ApplyUniform();
    // The archived table into the fields (and through them into the table).
    void Load(const std::string& archivePath);
    // The table into its archive section, kept from then on; false when the archive cannot be
    // written.
    bool Save(const std::string& archivePath);
    // An imported loan's table and the rule that filled it, as if filled here; not yet kept.
    void Import(const FloatingTables& tables);
    // The table differs from the one last loaded or saved.
    bool Unkept() const;

    // How far the published rates reach, and the latest LPR as the future LPR; the history
    // must outlive the page.
    void ShowRateData(const RateHistory& history);
    // The dates of the loan page the user came from, named on the page, until the user picks
    // dates of their own here.
    void FollowLoan(const LoanDates& dates, const std::string& pageName);
    LoanDates Dates() const;
    // The table from the rule, then the fields from the table; the message when the data do not
    // reach a day the loan needs (the table then stays as it was).
    std::optional<std::string> FillByRule(const RateHistory& history);

  private:
    void BuildControls(QWidget* page, const RatePageNames& names);
    void ShowTable(const RateTable& table);
    QWidget* BuildRuleGroup(QWidget* parent, const RatePageNames& names);
    void RuleChanged();
    void ShowEntryYears();
    void SetTable(const RateTable& table);
    void OwnDates();

    RateTable& Table(LoanDocument* document) const { return document->Floating().*m_part; }
    RateTable& Kept(LoanDocument* document) const { return document->KeptFloating().*m_part; }
    std::optional<RateRule>& Rule(LoanDocument* document) const
    {
        return document->Floating().*m_rule;
    }

    std::vector<LoanDocument*> m_documents;
    RateTable FloatingTables::*m_part;
    std::optional<RateRule> FloatingTables::*m_rule;
    std::string m_section;
    std::vector<RuleKind> m_rules;
    std::array<QLabel*, RateTable::kEntries> m_captions{}; // 放贷首年利率, 第1年 .. 第30年
    QLabel* m_numberCaption = nullptr;                     // 基点 or 倍数
    bool m_ownDates = false;
    QWidget* m_sheet;
    RatePageNames m_names;
    const RateHistory* m_rateData = nullptr; // the published rates, once shown
};

} // namespace lumavo
