#include "ui/rate_page.h"

#include "files/rate_archive.h"
#include "ui/number_edit.h"
#include "ui/widget_kit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumavo {

namespace {

constexpr int kYearsPerColumn = 10;
constexpr const char* kTag = "tag";
constexpr int kFieldWidth = 120;

} // namespace

RatePageNames RatePageNames::Commercial()
{
    return {"suiNEper", "suiNEperone", "suiButton1", kCommercialRateSection};
}

RatePageNames RatePageNames::Provident()
{
    return {"suiNEperG", "suiNEperGone", "suiButton8", kProvidentRateSection};
}

RatePage::RatePage(QWidget* page, const RatePageNames& names, RateTable& table)
    : m_table(table), m_section(names.section)
{
    Build(page, names);
}

void RatePage::Build(QWidget* page, const RatePageNames& names)
{
    for (int n = 0; n < RateTable::kEntries; ++n) {
        fields[static_cast<std::size_t>(n)] =
            Named(NewNumberEdit(3, page), names.fieldPrefix + QString::number(n));
        fields[static_cast<std::size_t>(n)]->setProperty(kTag, n);
        fields[static_cast<std::size_t>(n)]->setFixedWidth(kFieldWidth);
    }
    uniform = Named(NewNumberEdit(3, page), names.uniformField);
    uniform->setFixedWidth(kFieldWidth);
    uniformButton = Named(new QPushButton(QStringLiteral("设定"), page), names.uniformButton);

    auto* first = new QHBoxLayout;
    first->addSpacing(60);
    first->addWidget(fields[0]);
    first->addWidget(Caption(QStringLiteral("%"), page));
    first->addStretch(1);

    auto* yearly = new QGridLayout;
    yearly->setHorizontalSpacing(6);
    yearly->setVerticalSpacing(6);
    for (int n = 1; n < RateTable::kEntries; ++n) {
        const int column = (n - 1) / kYearsPerColumn * 4;
        const int row = (n - 1) % kYearsPerColumn;
        AddFieldRow(yearly, row, QStringLiteral("第%1年：").arg(n),
                    fields[static_cast<std::size_t>(n)], QStringLiteral("%"), column);
        yearly->setColumnMinimumWidth(column + 3, 40);
    }
    yearly->setColumnStretch(3 * 4, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Caption(QStringLiteral("统一值："), page));
    bottom->addWidget(uniform);
    bottom->addWidget(Caption(QStringLiteral("%"), page));
    bottom->addWidget(uniformButton);
    bottom->addStretch(1);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(BoldCaption(QStringLiteral("放贷首年利率：   "), page));
    layout->addLayout(first);
    layout->addSpacing(8);
    layout->addWidget(BoldCaption(QStringLiteral("逐年还贷利率：   "), page));
    layout->addLayout(yearly);
    layout->addSpacing(8);
    layout->addLayout(bottom);
    layout->addStretch(1);
}

void RatePage::FieldChanged(const NumberEdit* field)
{
    m_table.Set(field->property(kTag).toInt(), field->value());
}

void RatePage::ApplyUniform()
{
    for (NumberEdit* field : fields)
        field->setValue(uniform->value());
}

void RatePage::Load(const std::string& archivePath)
{
    const RateTable archived = LoadRateTable(archivePath, m_section);
    for (int n = 0; n < RateTable::kEntries; ++n) {
        m_table.Set(n, archived.At(n));
        fields[static_cast<std::size_t>(n)]->setValue(m_table.At(n));
    }
}

bool RatePage::Save(const std::string& archivePath) const
{
    return !SaveRateTable(archivePath, m_section, m_table).has_value();
}

} // namespace lumavo
