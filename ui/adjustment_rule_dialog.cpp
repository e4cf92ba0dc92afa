#include "ui/adjustment_rule_dialog.h"

#include "common/messages.h"
#include "common/text.h"
#include "ui/screen_fit.h"
#include "ui/utf8.h"
#include "ui/widget_kit.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace lumavo {

namespace {

constexpr Date kConversionDay{2020, 8, 25};
constexpr int kCycles[] = {12, 6, 3};

QDate ToQDate(const Date& date)
{
    return QDate(date.y, date.m, EffectiveDay(date));
}

Date FromQDate(const QDate& date)
{
    return Date{date.year(), date.month(), date.day()};
}

QDoubleSpinBox* NewSpin(int decimals, double least, double most, const char* unit, QWidget* parent)
{
    auto* spin = new QDoubleSpinBox(parent);
    spin->setDecimals(decimals);
    spin->setRange(least, most);
    if (unit)
        spin->setSuffix(QStringLiteral(" ") + Utf8(unit));
    spin->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return spin;
}

QDateEdit* NewDate(const Date& date, QWidget* parent)
{
    auto* edit = new QDateEdit(ToQDate(date), parent);
    edit->setDisplayFormat(Utf8(msg::kQtDateFormat));
    edit->setCalendarPopup(true);
    edit->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return edit;
}

QComboBox* NewNumberPicker(int last, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    for (int n = 1; n <= last; ++n)
        combo->addItem(QString::fromStdString(PadNumber(n, 2)));
    return combo;
}

// The latest fixing of the series the loan's term prices on: what the future LPR starts at.
const RateChange* LatestFixing(const RateHistory& history, RateSeries series)
{
    const auto last = history.LastDate(series);
    return last ? history.ChangeInForce(series, *last) : nullptr;
}

const char* SeriesCaption(RateSeries series)
{
    return series == RateSeries::Lpr1y ? msg::kRuleLpr1y : msg::kRuleLpr5y;
}

} // namespace

AdjustmentRuleDialog::AdjustmentRuleDialog(RuleDialogInput input, QWidget* parent)
    : QDialog(parent), m_input(std::move(input))
{
    setObjectName(QStringLiteral("frmRule"));
    setWindowTitle(Utf8(msg::kAdjustmentByRule));
    const LoanDates& dates = m_input.dates;
    auto* loan = Named(
        new QLabel(Utf8(msg::RuleDialogLoan(DateText(dates.lending), DateText(dates.firstPayment),
                                            CountText(dates.periods))),
                   this),
        QStringLiteral("suiLruleloan"));

    // Created in the order Tab visits them: the rule from top to bottom, then the preview.
    auto* fields = new QVBoxLayout;
    fields->addWidget(BuildPricing());
    fields->addWidget(BuildRepricing());
    fields->addWidget(BuildSpreadChanges(), 1);
    fields->addWidget(BuildFuture());
    auto* columns = new QHBoxLayout;
    columns->addLayout(fields);
    columns->addWidget(BuildPreview(), 1);

    auto* note =
        Named(new QLabel(Utf8(msg::kRuleDialogReplaces), this), QStringLiteral("suiLrulenote"));
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_accept = Named(buttons->button(QDialogButtonBox::Ok), QStringLiteral("suiButtonRuleOk"));
    m_accept->setText(Utf8(msg::kRuleDialogAccept));
    QPushButton* cancel =
        Named(buttons->button(QDialogButtonBox::Cancel), QStringLiteral("suiButtonRuleCancel"));
    cancel->setText(Utf8(msg::kCancelButton));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    layout->setSpacing(6);
    layout->addWidget(loan);
    layout->addLayout(columns, 1);
    layout->addWidget(note);
    layout->addWidget(buttons);

    ConnectFields();
    FollowChoices();
    Regenerate();
    // Wide enough for most 依据 on one line, as far as the screen allows.
    QSize preferred(1040, 640);
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        preferred = preferred.boundedTo(screen->availableGeometry().size() -
                                        QSize(kFrameAllowance.left() + kFrameAllowance.right(),
                                              kFrameAllowance.top() + kFrameAllowance.bottom()));
    resize(preferred.expandedTo(minimumSizeHint()));
}

QWidget* AdjustmentRuleDialog::BuildPricing()
{
    auto* group = Named(new QGroupBox(Utf8(msg::kRuleDialogPricing), this),
                        QStringLiteral("suiGBrulepricing"));
    m_lpr =
        Named(new QRadioButton(Utf8(msg::kRuleDialogLpr), group), QStringLiteral("suiRBrulelpr"));
    m_spread =
        Named(NewSpin(2, -1000, 1000, msg::kRuleDialogBp, group), QStringLiteral("suiNErulebp"));
    m_converted = Named(new QRadioButton(Utf8(msg::kRuleDialogConverted), group),
                        QStringLiteral("suiRBruleconv"));
    m_original = Named(NewSpin(3, 0, 99, "%", group), QStringLiteral("suiNEruleorig"));
    m_conversionDate = Named(NewDate(kConversionDay, group), QStringLiteral("suiDTruleconv"));
    // A loan lent before the first LPR fixing came to the LPR only by the conversion of 2020.
    const bool beforeLpr =
        !m_input.history.ChangeInForce(LprSeriesFor(m_input.dates.periods), m_input.dates.lending);
    (beforeLpr ? m_converted : m_lpr)->setChecked(true);
    // A converted loan's original rate was the benchmark times a factor: start at the benchmark.
    if (const auto benchmark =
            m_input.history.InForce(RateSeries::Benchmark5y, m_input.dates.lending))
        m_original->setValue(*benchmark);
    auto* exclusive = new QButtonGroup(group);
    exclusive->addButton(m_lpr);
    exclusive->addButton(m_converted);

    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setVerticalSpacing(4);
    grid->addWidget(m_lpr, 0, 0);
    grid->addWidget(Caption(Utf8(msg::kRuleDialogSpread), group), 0, 1);
    grid->addWidget(m_spread, 0, 2);
    grid->addWidget(m_converted, 1, 0);
    grid->addWidget(Caption(Utf8(msg::kRuleDialogOriginal), group), 1, 1);
    grid->addWidget(m_original, 1, 2);
    grid->addWidget(Caption(Utf8(msg::kRuleDialogConversionDate), group), 2, 1);
    grid->addWidget(m_conversionDate, 2, 2);
    grid->setColumnStretch(3, 1);
    return group;
}

QWidget* AdjustmentRuleDialog::BuildRepricing()
{
    auto* group = Named(new QGroupBox(Utf8(msg::kRuleDialogRepricing), this),
                        QStringLiteral("suiGBrulerepricing"));
    m_jan1 =
        Named(new QRadioButton(Utf8(msg::kRuleDialogJan1), group), QStringLiteral("suiRBrulejan1"));
    m_anniversary = Named(new QRadioButton(Utf8(msg::kRuleDialogAnniversary), group),
                          QStringLiteral("suiRBruleanniv"));
    m_monthDay = Named(new QRadioButton(Utf8(msg::kRuleDialogMonthDay), group),
                       QStringLiteral("suiRBrulemd"));
    m_month = Named(NewNumberPicker(12, group), QStringLiteral("suiCBrulemonth"));
    m_day = Named(NewNumberPicker(31, group), QStringLiteral("suiCBruleday"));
    m_cycle = Named(new QComboBox(group), QStringLiteral("suiCBrulecycle"));
    for (const char* cycle :
         {msg::kRuleDialogCycle12, msg::kRuleDialogCycle6, msg::kRuleDialogCycle3})
        m_cycle->addItem(Utf8(cycle));
    m_jan1->setChecked(true);
    auto* exclusive = new QButtonGroup(group);
    for (QRadioButton* anchor : {m_jan1, m_anniversary, m_monthDay})
        exclusive->addButton(anchor);

    auto* monthDay = new QHBoxLayout;
    monthDay->addWidget(m_monthDay);
    monthDay->addWidget(m_month);
    monthDay->addWidget(Caption(Utf8(msg::kRuleDialogMonth), group));
    monthDay->addWidget(m_day);
    monthDay->addWidget(Caption(Utf8(msg::kRuleDialogDay), group));
    monthDay->addStretch(1);
    auto* cycle = new QHBoxLayout;
    cycle->addWidget(Caption(Utf8(msg::kRuleDialogCycle), group));
    cycle->addWidget(m_cycle);
    cycle->addStretch(1);
    auto* anchors = new QHBoxLayout;
    anchors->addWidget(m_jan1);
    anchors->addWidget(m_anniversary);
    anchors->addStretch(1);

    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(4);
    layout->addLayout(anchors);
    layout->addLayout(monthDay);
    layout->addLayout(cycle);
    return group;
}

QWidget* AdjustmentRuleDialog::BuildSpreadChanges()
{
    auto* group = Named(new QGroupBox(Utf8(msg::kRuleFromSpreadChange), this),
                        QStringLiteral("suiGBrulechanges"));
    m_cut2023 =
        Named(new QCheckBox(Utf8(msg::kRuleDialogCut2023), group), QStringLiteral("suiCKcut2023"));
    m_cut2023Spread =
        Named(NewSpin(2, -1000, 1000, msg::kRuleDialogBp, group), QStringLiteral("suiNEcut2023"));
    m_cut2024 =
        Named(new QCheckBox(Utf8(msg::kRuleDialogCut2024), group), QStringLiteral("suiCKcut2024"));
    m_cut2024->setToolTip(Utf8(msg::kRuleDialogCut2024Tip));
    m_changeDate = Named(NewDate(m_input.dates.lending, group), QStringLiteral("suiDTrulechange"));
    m_changeSpread = Named(NewSpin(2, -1000, 1000, msg::kRuleDialogBp, group),
                           QStringLiteral("suiNErulechange"));
    m_addChange = Named(new QPushButton(Utf8(msg::kAdjustmentAdd), group),
                        QStringLiteral("suiButtonRuleAdd"));
    m_removeChange = Named(new QPushButton(Utf8(msg::kAdjustmentRemove), group),
                           QStringLiteral("suiButtonRuleDelete"));
    // Enter takes the dialog's answer wherever the focus is.
    for (QPushButton* button : {m_addChange, m_removeChange}) {
        button->setAutoDefault(false);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }
    m_changes = Named(new QListWidget(group), QStringLiteral("suiListBoxRule"));
    m_changes->setSelectionMode(QAbstractItemView::SingleSelection);
    m_changes->setMinimumHeight(48);

    auto* cut2023 = new QHBoxLayout;
    cut2023->addWidget(m_cut2023);
    cut2023->addWidget(Caption(Utf8(msg::kRuleDialogNewSpread), group));
    cut2023->addWidget(m_cut2023Spread);
    cut2023->addStretch(1);
    auto* entry = new QHBoxLayout;
    entry->addWidget(m_changeDate);
    entry->addWidget(m_changeSpread);
    entry->addStretch(1);
    auto* entryAndList = new QVBoxLayout;
    entryAndList->addLayout(entry);
    entryAndList->addWidget(m_changes, 1);
    // The buttons stand beside the list, so the column stays narrow enough for a small screen.
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_addChange);
    buttons->addWidget(m_removeChange);
    buttons->addStretch(1);
    auto* more = new QHBoxLayout;
    more->addLayout(entryAndList, 1);
    more->addLayout(buttons);

    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(4);
    layout->addLayout(cut2023);
    layout->addWidget(m_cut2024);
    layout->addWidget(Caption(Utf8(msg::kRuleDialogMoreChanges), group));
    layout->addLayout(more, 1);
    return group;
}

QWidget* AdjustmentRuleDialog::BuildFuture()
{
    auto* row = new QWidget(this);
    m_future = Named(NewSpin(3, 0, 99, "%", row), QStringLiteral("suiNErulefuture"));
    const RateSeries series = LprSeriesFor(m_input.dates.periods);
    auto* latest = Named(new QLabel(row), QStringLiteral("suiLrulelatest"));
    if (const RateChange* fixing = LatestFixing(m_input.history, series)) {
        m_future->setValue(fixing->rate);
        latest->setText(Utf8(msg::RuleDialogLatest(msg::RuleFixingText(
            SeriesCaption(series), RateText(fixing->rate), DateText(fixing->effective)))));
    }
    // The latest fixing on a line of its own keeps the column narrow enough for a small screen.
    auto* layout = new QGridLayout(row);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->setVerticalSpacing(2);
    layout->addWidget(Caption(Utf8(msg::kRuleFutureLpr), row), 0, 0);
    layout->addWidget(m_future, 0, 1);
    layout->addWidget(latest, 1, 1, 1, 2);
    layout->setColumnStretch(2, 1);
    return row;
}

QWidget* AdjustmentRuleDialog::BuildPreview()
{
    auto* group = Named(new QGroupBox(Utf8(msg::kRuleDialogPreview), this),
                        QStringLiteral("suiGBrulepreview"));
    m_preview = Named(new QTableWidget(0, 3, group), QStringLiteral("suiSGrule"));
    m_preview->setHorizontalHeaderLabels({Utf8(msg::kRuleDialogDateColumn),
                                          Utf8(msg::kRuleDialogRateColumn),
                                          Utf8(msg::kRuleDialogBasisColumn)});
    m_preview->verticalHeader()->hide();
    // Rows follow the 依据 column's width as the dialog is resized.
    m_preview->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_preview->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_preview->setWordWrap(true);
    m_preview->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_preview->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_preview->horizontalHeader()->setStretchLastSection(true);
    m_preview->setMinimumWidth(320);
    m_refusal = Named(new QLabel(group), QStringLiteral("suiLrulerefusal"));
    m_refusal->setWordWrap(true);
    QPalette red = m_refusal->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    m_refusal->setPalette(red);

    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(m_preview, 1);
    layout->addWidget(m_refusal);
    return group;
}

void AdjustmentRuleDialog::ConnectFields()
{
    const auto follow = [this] {
        FollowChoices();
        Regenerate();
    };
    for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
             m_lpr, m_converted, m_jan1, m_anniversary, m_monthDay, m_cut2023, m_cut2024})
        connect(button, &QAbstractButton::toggled, this, follow);
    for (QDoubleSpinBox* spin : {m_spread, m_original, m_cut2023Spread, m_future})
        connect(spin, &QDoubleSpinBox::valueChanged, this, [this] { Regenerate(); });
    for (QComboBox* combo : {m_month, m_day, m_cycle})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { Regenerate(); });
    connect(m_conversionDate, &QDateEdit::dateChanged, this, [this] { Regenerate(); });
    connect(m_addChange, &QAbstractButton::clicked, this, [this] { AddSpreadChange(); });
    connect(m_removeChange, &QAbstractButton::clicked, this, [this] { RemoveSpreadChange(); });
    connect(m_changes, &QListWidget::itemSelectionChanged, this, [this] { FollowChoices(); });
}

// Only the fields the choices use are open to typing.
void AdjustmentRuleDialog::FollowChoices()
{
    const bool converted = m_converted->isChecked();
    m_spread->setEnabled(!converted);
    m_original->setEnabled(converted);
    m_conversionDate->setEnabled(converted);
    m_month->setEnabled(m_monthDay->isChecked());
    m_day->setEnabled(m_monthDay->isChecked());
    m_cut2023Spread->setEnabled(m_cut2023->isChecked());
    m_removeChange->setEnabled(!m_changes->selectedItems().isEmpty());
}

// A second change on one day replaces the first, as in the 利率调整 list.
void AdjustmentRuleDialog::AddSpreadChange()
{
    const SpreadChange change{FromQDate(m_changeDate->date()), m_changeSpread->value(),
                              SpreadChangeKind::Set};
    const auto later = [&change](const SpreadChange& held) {
        return SerialDay(held.date) >= SerialDay(change.date);
    };
    auto at = std::find_if(m_more.begin(), m_more.end(), later);
    if (at != m_more.end() && at->date == change.date)
        *at = change;
    else
        m_more.insert(at, change);
    ShowSpreadChanges();
    Regenerate();
}

void AdjustmentRuleDialog::RemoveSpreadChange()
{
    const int row = m_changes->currentRow();
    if (row < 0 || !m_changes->item(row)->isSelected())
        return;
    m_more.erase(m_more.begin() + row);
    ShowSpreadChanges();
    Regenerate();
}

void AdjustmentRuleDialog::ShowSpreadChanges()
{
    m_changes->clear();
    for (const SpreadChange& change : m_more)
        m_changes->addItem(Utf8(msg::RuleDialogSpreadChange(
            DateText(change.date), GeneralNumberText(RoundToDecimals(change.spreadBp, 2)))));
    FollowChoices();
}

LprPricing AdjustmentRuleDialog::Pricing() const
{
    LprPricing pricing;
    pricing.part = LoanPart::S;
    if (m_converted->isChecked())
        pricing.conversion =
            Conversion2020{m_original->value(), FromQDate(m_conversionDate->date())};
    else
        pricing.spreadBp = m_spread->value();
    if (m_anniversary->isChecked())
        pricing.repricing.anchor = RepricingAnchor::Anniversary;
    else if (m_monthDay->isChecked())
        pricing.repricing = Repricing{RepricingAnchor::MonthDay, m_month->currentIndex() + 1,
                                      m_day->currentIndex() + 1};
    pricing.repricing.cycleMonths = kCycles[std::max(0, m_cycle->currentIndex())];
    pricing.spreadChanges = m_more;
    if (m_cut2023->isChecked())
        pricing.spreadChanges.push_back(Cut2023(m_cut2023Spread->value()));
    if (m_cut2024->isChecked())
        pricing.spreadChanges.push_back(Cut2024());
    return pricing;
}

double AdjustmentRuleDialog::FutureLpr() const
{
    return m_future->value();
}

std::vector<RateAdjustment> AdjustmentRuleDialog::Adjustments() const
{
    return m_adjustments;
}

void AdjustmentRuleDialog::Regenerate()
{
    m_adjustments.clear();
    m_preview->setRowCount(0);
    const auto generated =
        GenerateAdjustments(Pricing(), m_input.history, m_input.dates, FutureLpr());
    if (const auto* refusal = std::get_if<Refusal>(&generated))
        return ShowRefusal(refusal->message);
    const auto& entries = std::get<std::vector<GeneratedAdjustment>>(generated);
    // What 计算 would refuse is refused here, before it goes into the page.
    if (const auto refusal =
            CheckAdjustments(AdjustmentsOf(entries), AdjustmentContext{m_input.dates.lending}))
        return ShowRefusal(*refusal);
    m_preview->setRowCount(static_cast<int>(entries.size()));
    for (int row = 0; row < m_preview->rowCount(); ++row) {
        const GeneratedAdjustment& entry = entries[static_cast<std::size_t>(row)];
        const QString basis = Utf8(DerivationText(entry.derivation));
        m_preview->setItem(row, 0, new QTableWidgetItem(Utf8(DateText(entry.adjustment.date))));
        m_preview->setItem(row, 1,
                           new QTableWidgetItem(Utf8(RateText(entry.adjustment.rate) + "%")));
        m_preview->setItem(row, 2, new QTableWidgetItem(basis));
        m_preview->item(row, 2)->setToolTip(basis);
    }
    m_adjustments = AdjustmentsOf(entries);
    m_refusal->clear();
    m_refusal->hide();
    m_accept->setEnabled(true);
}

void AdjustmentRuleDialog::ShowRefusal(const std::string& message)
{
    m_refusal->setText(Utf8(msg::kRuleDialogRefused) + Utf8(message));
    m_refusal->show();
    m_accept->setEnabled(false);
}

} // namespace lumavo
