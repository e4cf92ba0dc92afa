#pragma once

#include "calc/rate_table.h"

#include <QString>
#include <array>
#include <string>

class QPushButton;
class QWidget;

namespace lumavo {

class NumberEdit;

struct RatePageNames
{
    QString fieldPrefix;   // suiNEper / suiNEperG: entry n is prefix + n
    QString uniformField;  // suiNEperone / suiNEperGone
    QString uniformButton; // 设定: suiButton1 / suiButton8
    std::string section;   // archive section of the table

    static RatePageNames Commercial();
    static RatePageNames Provident();
};

// A floating-rate tab: 31 fields that mirror the page's rate table, the uniform value and
// "设定". Each field's "tag" property is its entry number.
class RatePage
{
  public:
    RatePage(QWidget* page, const RatePageNames& names, RateTable& table);

    std::array<NumberEdit*, RateTable::kEntries> fields{};
    NumberEdit* uniform = nullptr;
    QPushButton* uniformButton = nullptr;

    // A field's value becomes its entry, rounded to three decimals.
    void FieldChanged(const NumberEdit* field);
    // Every field, first year first, takes the uniform value.
    void ApplyUniform();
    // The archived table into the fields (and through them into the table).
    void Load(const std::string& archivePath);
    // The table into its archive section; false when the archive cannot be written.
    bool Save(const std::string& archivePath) const;

  private:
    void Build(QWidget* page, const RatePageNames& names);

    RateTable& m_table;
    std::string m_section;
};

} // namespace lumavo
