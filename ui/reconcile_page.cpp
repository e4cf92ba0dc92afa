#include "ui/reconcile_page.h"

#include "calc/reconcile_text.h"
#include "common/date.h"
#include "common/messages.h"
#include "common/text.h"
#include "ui/loan_page.h"
#include "ui/radio_group.h"
#include "ui/screen_fit.h"
#include "ui/user_dialogs.h"
#include "ui/utf8.h"
#include "ui/widget_kit.h"

#include <QClipboard>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <array>
#include <numeric>

namespace lumavo {

namespace {

constexpr int kCellPadding = 14;
constexpr int kUnmatchedRowsShown = 4;

const QColor kDifferingCell(0xFF, 0xD8, 0xD8);
const QColor kOurCell(0xEE, 0xF3, 0xFA); // our side set off from the bank's and the differences
const QColor kDayOffCell(0xFF, 0xF0, 0xC0);

// The quantities a row compares, by the columns of the bank's value, ours and the difference.
struct Compared
{
    ReconcileColumn bank;
    ReconcileColumn ours;
    ReconcileColumn difference;
};
constexpr Compared kPrincipal{ReconcileColumn::BankPrincipal, ReconcileColumn::OurPrincipal,
                              ReconcileColumn::PrincipalDifference};
constexpr Compared kInterest{ReconcileColumn::BankInterest, ReconcileColumn::OurInterest,
                             ReconcileColumn::InterestDifference};
constexpr Compared kBalance{ReconcileColumn::BankBalance, ReconcileColumn::OurBalance,
                            ReconcileColumn::BalanceDifference};

bool IsDate(int column)
{
    return column == ColumnIndex(ReconcileColumn::BankDate) ||
           column == ColumnIndex(ReconcileColumn::OurDate);
}

QTableWidgetItem* Cell(const std::string& text, bool amount)
{
    auto* item = new QTableWidgetItem(QString::fromStdString(text));
    item->setTextAlignment(amount ? Qt::AlignRight | Qt::AlignVCenter
                                  : Qt::AlignLeft | Qt::AlignVCenter);
    return item;
}

void Mark(QTableWidgetItem* item, const QColor& background, bool bold)
{
    item->setBackground(background);
    QFont font = item->font();
    font.setBold(bold);
    item->setFont(font);
}

std::string KindText(const UnmatchedRecord& record)
{
    if (!record.bank.type.empty())
        return record.bank.type;
    switch (record.kind) {
    case BankRowKind::Penalty:
        return msg::kReconcileKindPenalty;
    case BankRowKind::Prepayment:
        return msg::kReconcileKindPrepayment;
    case BankRowKind::Instalment:
        break;
    }
    return msg::kReconcileKindInstalment;
}

LoanPart PartAt(int index)
{
    return index == 1 ? LoanPart::G : LoanPart::S;
}

} // namespace

ReconcilePage::ReconcilePage(UserDialogs& dialogs, QString& dialogFolder, QWidget* parent)
    : QWidget(parent), m_dialogs(dialogs), m_folder(dialogFolder)
{
    setObjectName(QStringLiteral("suiPageHd"));
    setAutoFillBackground(true);
}

void ReconcilePage::setVisible(bool visible)
{
    if (visible)
        Build();
    QWidget::setVisible(visible);
}

void ReconcilePage::Build()
{
    if (m_grid)
        return;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    BuildTop();
    m_summary = Named(new QLabel(this), QStringLiteral("suiLabelHdSummary"));
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = m_summary->font();
    bold.setBold(true);
    m_summary->setFont(bold);
    BuildGrid();
    m_unmatchedGroup = Named(new QGroupBox(Utf8(msg::kReconcileUnmatchedGroup), this),
                             QStringLiteral("suiGroupBoxHdUnmatched"));
    m_unmatched = Named(new QListWidget(m_unmatchedGroup), QStringLiteral("suiListHdUnmatched"));
    auto* unmatchedLayout = new QVBoxLayout(m_unmatchedGroup);
    unmatchedLayout->setContentsMargins(4, 4, 4, 4);
    unmatchedLayout->addWidget(m_unmatched);
    m_unmatchedGroup->hide();

    layout->addWidget(m_summary);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_unmatchedGroup);
    ShowNothing(Utf8(msg::kReconcileNoStatement), false);
}

// Which page it serves, the part, and the commands, in one row above the summary.
void ReconcilePage::BuildTop()
{
    m_source = Named(BoldCaption({}, this), QStringLiteral("suiLabelHdSource"));
    m_part = Named(new RadioGroup({}, {Utf8(msg::kLoanTypeS), Utf8(msg::kLoanTypeG)}, 2, this),
                   QStringLiteral("suiRGhdPart"));
    m_part->SetItemIndex(0);
    const auto button = [this](const char* caption, const char* hint, const char* name) {
        auto* pushButton = Named(new QPushButton(Utf8(caption), this), QString::fromUtf8(name));
        pushButton->setToolTip(Utf8(hint));
        return pushButton;
    };
    m_import = button(msg::kReconcileImport, msg::kReconcileImportHint, "suiButtonHdImport");
    m_paste = button(msg::kReconcilePaste, msg::kReconcilePasteHint, "suiButtonHdPaste");
    m_adopt = button(msg::kReconcileAdopt, msg::kReconcileAdoptHint, "suiButtonHdAdopt");
    connect(m_import, &QPushButton::clicked, this, &ReconcilePage::ImportFile);
    connect(m_paste, &QPushButton::clicked, this, &ReconcilePage::PasteRecords);
    connect(m_adopt, &QPushButton::clicked, this, &ReconcilePage::Adopt);
    connect(m_part, &RadioGroup::clicked, this, &ReconcilePage::PartChosen);

    auto* top = new QHBoxLayout;
    top->addWidget(m_source);
    top->addSpacing(8);
    top->addWidget(m_part);
    top->addStretch(1);
    top->addWidget(m_import);
    top->addWidget(m_paste);
    top->addSpacing(8);
    top->addWidget(m_adopt);
    static_cast<QVBoxLayout*>(layout())->addLayout(top);
}

void ReconcilePage::BuildGrid()
{
    m_grid = Named(new QTableWidget(0, kReconcileColumns, this), QStringLiteral("suiGridHd"));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_grid->verticalHeader()->setDefaultSectionSize(19);
    m_grid->verticalHeader()->setVisible(false);
    m_grid->setWordWrap(false);
    const QFontMetrics header = m_grid->horizontalHeader()->fontMetrics();
    const QFontMetrics cells = m_grid->fontMetrics();
    const int date = cells.horizontalAdvance(Utf8(msg::kEndDateSample)) + kCellPadding;
    const int amount = cells.horizontalAdvance(QStringLiteral("-9999999.99")) + kCellPadding;
    const int leastAmount = cells.horizontalAdvance(QStringLiteral("999999.99")) + kCellPadding;
    for (int column = 0; column < kReconcileColumns; ++column) {
        const QString title = Utf8(ReconcileColumnHeader(column));
        m_grid->setHorizontalHeaderItem(column, new QTableWidgetItem(title));
        int heading = 0;
        for (const QString& line : title.split('\n'))
            heading = std::max(heading, header.horizontalAdvance(line) + kCellPadding);
        const bool dates = IsDate(column);
        m_naturalWidths.push_back(std::max(heading, dates ? date : amount));
        // Dates stay whole; amounts give up what a loan of millions never needs.
        m_leastWidths.push_back(std::max(heading, dates ? date : leastAmount));
    }
    m_grid->viewport()->installEventFilter(this);
    FitColumns();
}

bool ReconcilePage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_grid->viewport() && event->type() == QEvent::Resize)
        FitColumns();
    return QWidget::eventFilter(watched, event);
}

// Narrow, the columns shrink alike and the grid scrolls; wide, they share the room left.
void ReconcilePage::FitColumns()
{
    const int room = m_grid->viewport()->width();
    std::vector<int> widths = FitColumnWidths(m_naturalWidths, m_leastWidths, room);
    const int used = std::accumulate(widths.begin(), widths.end(), 0);
    const int extra = room > used ? (room - used) / kReconcileColumns : 0;
    for (int column = 0; column < kReconcileColumns; ++column)
        m_grid->setColumnWidth(column, widths[static_cast<std::size_t>(column)] + extra);
}

void ReconcilePage::Serve(LoanPage& page, const QString& pageName)
{
    Build();
    m_served = &page;
    m_source->setText(Utf8(msg::ReconcileServes(pageName.toStdString())));
    ShowParts();
    LineUp(false);
}

// Only the parts the loan has are offered; kept rows keep the part they were read as.
void ReconcilePage::ShowParts()
{
    const LoanInput loan = m_served->Input();
    const bool commercial = loan.ratioS > 0;
    const bool provident = loan.ratioG > 0;
    const bool either = !commercial && !provident; // no type chosen: nothing to hold back
    m_part->Item(0)->setEnabled(commercial || either);
    m_part->Item(1)->setEnabled(provident || either);
    const BankStatement& statement = m_served->Document().Statement();
    int index = m_part->ItemIndex();
    if (!statement.records.empty())
        index = statement.part == LoanPart::G ? 1 : 0;
    else if (!m_part->Item(index < 0 ? 0 : index)->isEnabled())
        index = commercial ? 0 : 1;
    m_part->SetItemIndex(index < 0 ? 0 : index);
}

void ReconcilePage::TellRefusal()
{
    if (m_refusal)
        m_dialogs.Inform(window(), QString::fromStdString(*m_refusal));
}

void ReconcilePage::ImportFile()
{
    const QString path = m_dialogs.AskOpenFile(
        window(), {Utf8(msg::kReconcileImportTitle), {}, {}, Utf8(msg::kRecordsFilter), m_folder});
    if (path.isEmpty())
        return;
    m_folder = QFileInfo(path).absolutePath();
    Read(ReadBankRecords(path.toStdString()));
}

void ReconcilePage::PasteRecords()
{
    Read(ParseBankRecords(QGuiApplication::clipboard()->text().toStdString()));
}

void ReconcilePage::Read(const RecordsRead& read)
{
    Build();
    if (const auto* error = std::get_if<RecordsError>(&read)) {
        m_dialogs.Fail(window(), Utf8(msg::kRecordsReadFailed),
                       QString::fromStdString(error->reason));
        return;
    }
    if (!m_served)
        return;
    m_served->Document().SetStatement(
        BankStatement{PartAt(m_part->ItemIndex()), std::get<std::vector<BankRecord>>(read)});
    LineUp(true);
}

// Rows already read are the other part's, as the user now says.
void ReconcilePage::PartChosen()
{
    if (!m_served || m_served->Document().Statement().records.empty())
        return;
    BankStatement statement = m_served->Document().Statement();
    statement.part = PartAt(m_part->ItemIndex());
    m_served->Document().SetStatement(std::move(statement));
    LineUp(true);
}

void ReconcilePage::Adopt()
{
    if (!m_served || !m_shown)
        return;
    if (const auto refusal = m_served->TakeSuggestions(*m_shown)) {
        m_dialogs.Inform(window(), QString::fromStdString(*refusal));
        return;
    }
    LineUp(true);
}

void ReconcilePage::LineUp(bool tell)
{
    m_refusal.reset();
    if (!m_served || m_served->Document().Statement().records.empty()) {
        ShowNothing(Utf8(msg::kReconcileNoStatement), false);
        return;
    }
    const auto outcome = m_served->Document().Reconcile();
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        m_refusal = refusal->message;
        ShowNothing(QString::fromStdString(refusal->message), true);
        if (tell)
            TellRefusal();
        return;
    }
    Show(std::get<Reconciliation>(outcome));
}

void ReconcilePage::ShowNothing(const QString& why, bool refused)
{
    m_shown.reset();
    m_summary->setText(why);
    m_summary->setStyleSheet(refused ? QStringLiteral("color: #B00000;") : QString());
    m_grid->setRowCount(0);
    m_unmatched->clear();
    m_unmatchedGroup->hide();
    m_adopt->setEnabled(false);
}

void ReconcilePage::Show(const Reconciliation& reconciliation)
{
    Build();
    m_shown = reconciliation;
    m_summary->setText(QString::fromStdString(ReconciliationSummary(reconciliation)));
    m_summary->setStyleSheet(QString());
    FillGrid(reconciliation);
    FillUnmatched(reconciliation);
    const bool rounding = m_served && m_served->Document().BankRounding();
    m_adopt->setEnabled(!reconciliation.suggestedChanges.empty() ||
                        !reconciliation.suggestedPlan.empty() ||
                        reconciliation.bankRounding != rounding);
}

void ReconcilePage::FillGrid(const Reconciliation& reconciliation)
{
    m_grid->setUpdatesEnabled(false);
    m_grid->clearContents();
    m_grid->setRowCount(static_cast<int>(reconciliation.rows.size()));
    int firstDiffering = -1;
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        const ReconciledRow& row = reconciliation.rows[static_cast<std::size_t>(r)];
        FillRow(r, row);
        if (firstDiffering < 0 && !row.Matches())
            firstDiffering = r;
    }
    m_grid->setUpdatesEnabled(true);
    // The first row that differs in view: where to start reading among hundreds. Once the grid
    // has laid out its new rows, which it does on the next turn.
    if (firstDiffering >= 0)
        QTimer::singleShot(0, m_grid, [grid = m_grid, firstDiffering] {
            if (QTableWidgetItem* item = grid->item(firstDiffering, 0))
                grid->scrollToItem(item, QAbstractItemView::PositionAtCenter);
        });
}

void ReconcilePage::FillRow(int r, const ReconciledRow& row)
{
    const std::array<std::string, kReconcileColumns> texts = ReconciledRowTexts(row);
    for (int column = 0; column < kReconcileColumns; ++column)
        m_grid->setItem(r, column, Cell(texts[static_cast<std::size_t>(column)], !IsDate(column)));
    const auto item = [this, r](ReconcileColumn column) {
        return m_grid->item(r, ColumnIndex(column));
    };
    for (const Compared& compared : {kPrincipal, kInterest, kBalance})
        item(compared.ours)->setBackground(kOurCell);
    item(ReconcileColumn::OurDate)->setBackground(kOurCell);

    const auto markIf = [&](const Compared& columns, double difference) {
        if (Differs(difference))
            for (ReconcileColumn column : {columns.bank, columns.ours, columns.difference})
                Mark(item(column), kDifferingCell, true);
    };
    markIf(kPrincipal, row.principalDifference);
    markIf(kInterest, row.interestDifference);
    markIf(kBalance, row.balanceDifference.value_or(0));
    if (row.dayOffset != 0) {
        QTableWidgetItem* bankDate = item(ReconcileColumn::BankDate);
        Mark(bankDate, kDayOffCell, false);
        bankDate->setToolTip(Utf8(msg::ReconcileDayOffTip(DateText(row.ourDate), row.dayOffset)));
    }
}

// Bank rows no schedule row stands for, in the bank's order, below the grid while there are any.
void ReconcilePage::FillUnmatched(const Reconciliation& reconciliation)
{
    m_unmatched->clear();
    for (const UnmatchedRecord& record : reconciliation.unmatched)
        m_unmatched->addItem(Utf8(msg::ReconcileUnmatchedItem(
            DateText(record.bank.date), KindText(record), MoneyText(record.bank.principal),
            MoneyText(record.bank.interest))));
    const int rows = std::min(m_unmatched->count(), kUnmatchedRowsShown);
    m_unmatched->setFixedHeight(rows * m_unmatched->sizeHintForRow(0) +
                                2 * m_unmatched->frameWidth() + 2);
    m_unmatchedGroup->setVisible(!reconciliation.unmatched.empty());
}

} // namespace lumavo
