#include "ui/rate_page.h"

#include "common/date.h"
#include "common/messages.h"
#include "files/rate_archive.h"
#include "ui/number_edit.h"
#include "ui/utf8.h"
#include "ui/widget_kit.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace lumavo {

namespace {

constexpr int kYearsPerColumn = 10;
constexpr const char* kTag = "tag";
constexpr int kFieldWidth = 120;

Date FromQDate(const QDate& date)
{
    return Date{date.year(), date.month(), date.day()};
}

QDate ToQDate(const Date& date)
{
    return QDate(date.y, date.m, EffectiveDay(date));
}

} // namespace

RatePageNames RatePageNames::Commercial()
{
    return {"suiNEper",
            "suiNEperone",
            "suiButton1",
            kCommercialRateSection,
            "",
            {RuleKind::LprPlus, RuleKind::BenchmarkTimes, RuleKind::Converted},
            &FloatingTables::s,
            &FloatingTables::ruleS};
}

RatePageNames RatePageNames::Provident()
{
    return {"suiNEperG", "suiNEperGone",        "suiButton8",       kProvidentRateSection,
            "G",         {RuleKind::Provident}, &FloatingTables::g, &FloatingTables::ruleG};
}

RatePage::RatePage(QWidget* page, const RatePageNames& names, std::vector<LoanDocument*> documents)
    : m_documents(std::move(documents)), m_part(names.part), m_rule(names.rule),
      m_section(names.section), m_rules(names.rules), m_sheet(page), m_names(names)
{
}

bool RatePage::Build()
{
    if (uniform)
        return false;
    BuildControls(m_sheet, m_names);
    ShowTable(Table(m_documents.front()));
    if (m_rateData)
        ShowRateData(*m_rateData);
    return true;
}

void RatePage::BuildControls(QWidget* sheet, const RatePageNames& names)
{
    // A small window scrolls the page rather than squeezing the fields.
    auto* scroll = new QScrollArea(sheet);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    // Tab goes straight to the controls; focusing one scrolls it into view.
    scroll->setFocusPolicy(Qt::NoFocus);
    auto* page = new QWidget(scroll);
    scroll->setWidget(page);
    auto* sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    sheetLayout->addWidget(scroll);

    // Tab follows the order of creation: the rule group, which fills the fields, comes first, so
    // a rule's number typed after opening the page does not land in a rate field.
    QWidget* rules = BuildRuleGroup(page, names);
    for (int n = 0; n < RateTable::kEntries; ++n) {
        fields[static_cast<std::size_t>(n)] =
            Named(NewNumberEdit(3, page), names.fieldPrefix + QString::number(n));
        fields[static_cast<std::size_t>(n)]->setProperty(kTag, n);
        fields[static_cast<std::size_t>(n)]->setFixedWidth(kFieldWidth);
    }
    uniform = Named(NewNumberEdit(3, page), names.uniformField);
    uniform->setFixedWidth(kFieldWidth);
    fields[0]->SetCaption(Utf8(msg::kCaptionFirstYearRate));
    uniform->SetCaption(Utf8(msg::kCaptionUniform));
    uniformButton = Named(new QPushButton(Utf8(msg::kUniformButton), page), names.uniformButton);

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
        AddFieldRow(yearly, row, Utf8(msg::RateYearCaption(n)), fields[static_cast<std::size_t>(n)],
                    QStringLiteral("%"), column);
        m_captions[static_cast<std::size_t>(n)] =
            qobject_cast<QLabel*>(yearly->itemAtPosition(row, column)->widget());
        yearly->setColumnMinimumWidth(column + 3, 40);
    }
    yearly->setColumnStretch(3 * 4, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Caption(Utf8(msg::kCaptionUniform), page));
    bottom->addWidget(uniform);
    bottom->addWidget(Caption(QStringLiteral("%"), page));
    bottom->addWidget(uniformButton);
    bottom->addStretch(1);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(rules);
    layout->addSpacing(4);
    m_captions[0] = BoldCaption(Utf8(msg::kCaptionFirstYearRate), page);
    layout->addWidget(m_captions[0]);
    layout->addLayout(first);
    layout->addSpacing(8);
    layout->addWidget(BoldCaption(Utf8(msg::kCaptionYearlyRates), page));
    layout->addLayout(yearly);
    layout->addSpacing(8);
    layout->addLayout(bottom);
    layout->addStretch(1);
}

void RatePage::FieldChanged(const NumberEdit* field)
{
    for (LoanDocument* document : m_documents) {
        Table(document).Set(field->property(kTag).toInt(), field->value());
        Rule(document).reset(); // a field typed over is no longer the rule's
    }
}

// The tables first, then the fields show them without running their change rule again.
void RatePage::SetTable(const RateTable& table)
{
    for (LoanDocument* document : m_documents)
        Table(document) = table;
    if (uniform)
        ShowTable(table);
}

void RatePage::ShowTable(const RateTable& table)
{
    for (int n = 0; n < RateTable::kEntries; ++n) {
        NumberEdit* field = fields[static_cast<std::size_t>(n)];
        const QSignalBlocker quiet(field);
        field->setValue(table.At(n));
    }
}

void RatePage::ApplyUniform()
{
    for (NumberEdit* field : fields)
        field->setValue(uniform->value());
}

void RatePage::Load(const std::string& archivePath)
{
    SetTable(LoadRateTable(archivePath, m_section));
    for (LoanDocument* document : m_documents) {
        Kept(document) = Table(document);
        Rule(document).reset();
    }
}

void RatePage::Import(const FloatingTables& tables)
{
    SetTable(tables.*m_part);
    for (LoanDocument* document : m_documents)
        Rule(document) = tables.*m_rule;
}

bool RatePage::Save(const std::string& archivePath)
{
    if (SaveRateTable(archivePath, m_section, Table(m_documents.front())))
        return false;
    for (LoanDocument* document : m_documents)
        Kept(document) = Table(document);
    return true;
}

bool RatePage::Unkept() const
{
    return Table(m_documents.front()) != Kept(m_documents.front());
}

QWidget* RatePage::BuildRuleGroup(QWidget* parent, const RatePageNames& names)
{
    const QString suffix = names.ruleSuffix;
    ruleGroup = Named(new QGroupBox(Utf8(msg::kRuleGroup), parent), "suiGBrule" + suffix);
    ruleList = Named(new QComboBox(ruleGroup), "suiCBrule" + suffix);
    for (RuleKind kind : m_rules)
        ruleList->addItem(Utf8(RuleCaption(kind)));
    ruleNumber = Named(new QDoubleSpinBox(ruleGroup), "suiNErule" + suffix);
    ruleNumber->setDecimals(3);
    ruleNumber->setRange(-1000, 1000);
    futureLpr = Named(new QDoubleSpinBox(ruleGroup), "suiNEfuturelpr" + suffix);
    futureLpr->setDecimals(3);
    futureLpr->setRange(0, 99);
    futureLpr->setSuffix(QStringLiteral(" %"));
    lendingDate = Named(new QDateEdit(ruleGroup), "suiDTfd" + suffix);
    firstPaymentDate = Named(new QDateEdit(ruleGroup), "suiDTfirst" + suffix);
    for (QDateEdit* date : {lendingDate, firstPaymentDate}) {
        date->setDisplayFormat(Utf8(msg::kQtDateFormat));
        date->setCalendarPopup(true);
    }
    periods = Named(new QSpinBox(ruleGroup), "suiNEruleajqs" + suffix);
    periods->setRange(1, 360);
    // The inputs keep their natural width; the group's last column takes what is left.
    for (QWidget* input : std::initializer_list<QWidget*>{ruleNumber, futureLpr, lendingDate,
                                                          firstPaymentDate, periods})
        input->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    fillButton = Named(new QPushButton(Utf8(msg::kRuleFill), ruleGroup), "suiButtonFill" + suffix);
    fillButton->setToolTip(Utf8(msg::kRuleFillHint));
    dataLine = Named(new QLabel(ruleGroup), "suiLdata" + suffix);
    datesSource = Named(new QLabel(ruleGroup), "suiLdates" + suffix);
    m_numberCaption = Named(new QLabel(ruleGroup), "suiLrule" + suffix);
    auto* futureCaption = Caption(Utf8(msg::kRuleFutureLpr), ruleGroup);
    auto* periodsCaption = Caption(Utf8(msg::kRulePeriods), ruleGroup);
    // Only the provident fund's rate depends on the term, only the commercial rules on the LPR:
    // each page shows the one pair it needs in the same place.
    const bool provident =
        std::find(m_rules.begin(), m_rules.end(), RuleKind::Provident) != m_rules.end();
    QWidget* pageCaption = provident ? periodsCaption : futureCaption;
    QWidget* pageInput = provident ? static_cast<QWidget*>(periods) : futureLpr;
    (provident ? futureCaption : periodsCaption)->hide();
    (provident ? static_cast<QWidget*>(futureLpr) : periods)->hide();

    auto* grid = new QGridLayout(ruleGroup);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setVerticalSpacing(4);
    int column = 0;
    for (QWidget* widget : std::initializer_list<QWidget*>{
             Caption(Utf8(msg::kRuleCaption), ruleGroup), ruleList, m_numberCaption, ruleNumber,
             pageCaption, pageInput, fillButton})
        grid->addWidget(widget, 0, column++);
    column = 0;
    for (QWidget* widget : std::initializer_list<QWidget*>{
             Caption(Utf8(msg::kRuleLending), ruleGroup), lendingDate,
             Caption(Utf8(msg::kRuleFirstPayment), ruleGroup), firstPaymentDate})
        grid->addWidget(widget, 1, column++);
    grid->addWidget(dataLine, 1, column, 1, 3);
    grid->addWidget(datesSource, 2, 0, 1, 7);
    grid->setColumnStretch(7, 1);
    // Within the group Tab reads the first row up to 填充's input, then the dates, then 填充.
    QWidget* previous = ruleList;
    for (QWidget* next : std::initializer_list<QWidget*>{ruleNumber, pageInput, lendingDate,
                                                         firstPaymentDate, fillButton}) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }

    QObject::connect(ruleList, &QComboBox::currentIndexChanged, ruleGroup,
                     [this] { RuleChanged(); });
    for (QDateEdit* date : {lendingDate, firstPaymentDate})
        QObject::connect(date, &QDateEdit::dateChanged, ruleGroup, [this] {
            OwnDates();
            ShowEntryYears();
        });
    QObject::connect(periods, &QSpinBox::valueChanged, ruleGroup, [this] { OwnDates(); });
    RuleChanged();
    return ruleGroup;
}

void RatePage::OwnDates()
{
    m_ownDates = true;
    datesSource->setText(Utf8(msg::kRuleOwnDates));
}

void RatePage::RuleChanged()
{
    const int index = ruleList->currentIndex();
    const RuleKind kind = index >= 0 ? m_rules[static_cast<std::size_t>(index)] : RuleKind::LprPlus;
    const bool basisPoints = kind == RuleKind::LprPlus;
    m_numberCaption->setText(Utf8(basisPoints ? msg::kRuleBasisPoints : msg::kRuleFactor));
    ruleNumber->setSingleStep(basisPoints ? 5 : 0.05);
    ruleNumber->setValue(basisPoints ? 0 : 1);
    futureLpr->setEnabled(kind == RuleKind::LprPlus || kind == RuleKind::Converted);
}

void RatePage::ShowRateData(const RateHistory& history)
{
    m_rateData = &history;
    if (!uniform)
        return;
    const auto last = history.LastDate();
    dataLine->setText(Utf8(last ? msg::RateDataAsOf(DateText(*last)) : msg::kRateDataNone));
    if (const auto latest = history.Latest(RateSeries::Lpr5y))
        futureLpr->setValue(*latest);
}

void RatePage::FollowLoan(const LoanDates& dates, const std::string& pageName)
{
    if (m_ownDates)
        return;
    datesSource->setText(Utf8(msg::RuleDatesFrom(pageName)));
    const QSignalBlocker lending(lendingDate);
    const QSignalBlocker first(firstPaymentDate);
    const QSignalBlocker term(periods);
    lendingDate->setDate(ToQDate(dates.lending));
    firstPaymentDate->setDate(ToQDate(dates.firstPayment));
    periods->setValue(static_cast<int>(dates.periods));
    ShowEntryYears();
}

LoanDates RatePage::Dates() const
{
    return LoanDates{FromQDate(lendingDate->date()), FromQDate(firstPaymentDate->date()),
                     static_cast<double>(periods->value())};
}

void RatePage::ShowEntryYears()
{
    const LoanDates dates = Dates();
    for (int n = 0; n < RateTable::kEntries; ++n)
        m_captions[static_cast<std::size_t>(n)]->setToolTip(
            Utf8(msg::EntryYearTip(EntryDay(n, dates).y)));
}

std::optional<std::string> RatePage::FillByRule(const RateHistory& history)
{
    const RateRule rule{m_rules[static_cast<std::size_t>(std::max(0, ruleList->currentIndex()))],
                        ruleNumber->value()};
    const std::optional<double> future =
        futureLpr->isEnabled() ? std::optional(futureLpr->value()) : std::nullopt;
    const auto filled = FillRateTable(rule, history, Dates(), future);
    if (const auto* gap = std::get_if<RateGap>(&filled))
        return msg::RateDataMissing(DateText(gap->day));
    SetTable(std::get<RateTable>(filled));
    for (LoanDocument* document : m_documents)
        Rule(document) = rule;
    return std::nullopt;
}

} // namespace lumavo
