// 核对: the bank's rows beside the loan page's schedule, what differs marked, the suggestions
// taken into the page; and 按分入账, the loan option the bank's rows may follow.
#include "calc/schedule.h"
#include "common/text.h"
#include "tests/support/bank_history.h"
#include "tests/support/worked_loan.h"
#include "tests/ui/window_fixture.h"
#include "ui/reconcile_page.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <set>
#include <utility>

namespace lumavo::testing_support {
namespace {

using Cells = std::set<std::pair<int, int>>; // (row, column)

// The worked loan's rows as its bank lists them.
std::vector<BankRecord> BankRows(Method method)
{
    return BankHistoryOf(
        std::get<Schedule>(CalculateSchedule(WorkedLoan(), method, RateTable{}, RateTable{})));
}

class ReconcileTest : public WindowTest
{
  protected:
    ReconcilePage* Page() const { return Find<ReconcilePage>("suiPageHd"); }
    QTableWidget* Lineup() const { return Find<QTableWidget>("suiGridHd"); }
    QString Summary() const { return Find<QLabel>("suiLabelHdSummary")->text(); }
    const LoanDocument& Document(Method method = Method::Debx) const
    {
        return window->LoanDocumentOf(method);
    }
    QStringList Unmatched() const
    {
        QStringList items;
        auto* list = Find<QListWidget>("suiListHdUnmatched");
        for (int i = 0; i < list->count(); ++i)
            items << list->item(i)->text();
        return items;
    }
    // The worked loan on a tab, calculated, then 核对 for it.
    void CheckWorkedLoan(int tab)
    {
        EnterWorkedLoan(tab);
        Press("TBjs");
        Press("suiActionHd");
        ASSERT_EQ(Pages()->currentWidget(), Page());
    }
    Cells Where(const std::function<bool(const QTableWidgetItem&)>& marked) const
    {
        Cells cells;
        for (int row = 0; row < Lineup()->rowCount(); ++row)
            for (int column = 0; column < Lineup()->columnCount(); ++column)
                if (const QTableWidgetItem* item = Lineup()->item(row, column);
                    item && marked(*item))
                    cells.insert({row, column});
        return cells;
    }
};

class ReconcileTabTest : public ReconcileTest, public ::testing::WithParamInterface<int>
{
  protected:
    Method method = GetParam() == 0 ? Method::Debx : Method::Debj;
    QString s = GetParam() == 0 ? "" : "2";
};

// One interest a fen off, one row booked a day late and a 罚息: only that interest differs, the
// late row is matched and says so, the 罚息 stands apart.
TEST_P(ReconcileTabTest, ReadRowsAreLinedUpWithTheirDifferencesMarked)
{
    CheckWorkedLoan(GetParam());
    EXPECT_EQ(Find<QLabel>("suiLabelHdSource")->text(),
              GetParam() == 0 ? "核对“等额本息”页" : "核对“等额本金”页");
    EXPECT_EQ(Summary(), "尚无银行记录：导入或粘贴银行的还款记录，与本页还款计划逐期核对。");
    std::vector<BankRecord> records = BankRows(method);
    records[2].interest += 0.01;
    records[4].date = AddDays(records[4].date, 1);
    BankRecord penalty;
    penalty.date = {2009, 6, 20};
    penalty.interest = 12.34;
    penalty.type = "罚息";
    records.push_back(penalty);
    Page()->Read(records);

    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.Texts().join(' ').toStdString();
    EXPECT_EQ(Document(method).Statement().records, records);
    ASSERT_EQ(Lineup()->rowCount(), 12);
    EXPECT_TRUE(Summary().startsWith("共 12 期，一致 11 期")) << Summary().toStdString();
    EXPECT_EQ(Lineup()->item(2, 9)->text(), "0.01");
    EXPECT_EQ(Lineup()->item(2, 2)->text(), MoneyText(records[2].interest).c_str());
    EXPECT_EQ(Where([](const QTableWidgetItem& item) { return item.font().bold(); }),
              (Cells{{2, 2}, {2, 6}, {2, 9}}));
    EXPECT_EQ(Where([](const QTableWidgetItem& item) { return !item.toolTip().isEmpty(); }),
              (Cells{{4, 0}}));
    EXPECT_EQ(Lineup()->item(4, 0)->toolTip(), "本页还款日为2009年06月15日，银行晚1天记账");
    EXPECT_EQ(Lineup()->item(4, 4)->text(), "2009年06月15日");
    EXPECT_EQ(Unmatched(), QStringList{"2009年06月20日  罚息  本金 0.00 元  利息 12.34 元"});
}

// The box and the document go together both ways: a click sets the loan's option, and a
// rounding taken from the bank's rows shows in the box.
TEST_P(ReconcileTabTest, BankRoundingRoundTripsThroughTheDocument)
{
    CheckWorkedLoan(GetParam());
    Page()->Read(BankRows(method));
    Reconciliation rounded = *Page()->Shown();
    rounded.bankRounding = true;
    rounded.suggestedChanges.clear();
    rounded.suggestedPlan.clear();
    Page()->Show(rounded);
    Find<QPushButton>("suiButtonHdAdopt")->click();
    EXPECT_TRUE(Document(method).BankRounding());
    ShowPage(GetParam());
    auto* box = Find<QCheckBox>("suiCheckBankRounding" + s);
    EXPECT_TRUE(box->isChecked());
    EXPECT_FALSE(box->toolTip().isEmpty());
    box->click();
    EXPECT_FALSE(Document(method).BankRounding());
    EXPECT_FALSE(Document(method).Input().bankRounding);
    box->click();
    EXPECT_TRUE(Document(method).Input().bankRounding);
}

INSTANTIATE_TEST_SUITE_P(Tabs, ReconcileTabTest, ::testing::Values(0, 1), [](const auto& p) {
    return p.param == 0 ? "Debx" : "Debj";
});

struct AdoptCase
{
    const char* name;
    double prepaid; // the suggested plan entry's amount, on 2009-05-01
    QStringList boxes;
};

class AdoptTest : public ReconcileTest, public ::testing::WithParamInterface<AdoptCase>
{
};

// The suggestions go into the page's lists, the page is calculated and the rows are lined up
// with it again; an entry the plan refuses is said and nothing changes.
TEST_P(AdoptTest, SuggestionsGoIntoThePageAndTheRowsAreLinedUpAgain)
{
    CheckWorkedLoan(0);
    Page()->Read(BankRows(Method::Debx));
    Reconciliation suggested = *Page()->Shown();
    suggested.bankRounding = false;
    suggested.suggestedChanges.clear();
    suggested.suggestedPlan.clear();
    Page()->Show(suggested);
    EXPECT_FALSE(Find<QPushButton>("suiButtonHdAdopt")->isEnabled());

    suggested.suggestedChanges = {{{2009, 6, 15}, LoanPart::S, 5.0}};
    suggested.suggestedPlan = {Ttqhd{"2009年05月01日", GetParam().prepaid, 0, LoanPart::S, false}};
    Page()->Show(suggested);
    ASSERT_TRUE(Find<QPushButton>("suiButtonHdAdopt")->isEnabled());
    dialogs.boxes.clear();
    Find<QPushButton>("suiButtonHdAdopt")->click();

    EXPECT_EQ(dialogs.Texts(), GetParam().boxes);
    const bool taken = GetParam().boxes.isEmpty();
    EXPECT_EQ(Find<QListWidget>("suiListBoxTz")->count(), taken ? 1 : 0);
    EXPECT_EQ(Find<QListWidget>("suiListBox1")->count(), taken ? 1 : 0);
    // Calculated with the prepayment's row; lined up again, only the months before it agree.
    EXPECT_EQ(Grid("suiSG1")->GridRowCount(), taken ? 14 : 13);
    EXPECT_FALSE(Document().CalculationStale());
    ASSERT_TRUE(Page()->Shown());
    EXPECT_EQ(Page()->Shown()->rows.size(), 12u);
    if (taken) {
        EXPECT_EQ(Page()->Shown()->matching, 3);
    }
    EXPECT_EQ(Lineup()->rowCount(), 12);
}

INSTANTIATE_TEST_SUITE_P(Cases,
                         AdoptTest,
                         ::testing::Values(AdoptCase{"Taken", 20000, {}},
                                           AdoptCase{
                                               "RefusedByThePlan",
                                               200000,
                                               {"商业贷款提前还贷数额须小于等于商业贷款总额！"}}),
                         [](const auto& p) { return std::string(p.param.name); });

class FailedReadTest;

struct FailedReadCase
{
    const char* name;
    std::function<void(FailedReadTest&)> read;
};

class FailedReadTest : public ReconcileTest, public ::testing::WithParamInterface<FailedReadCase>
{
  public:
    using ReconcileTest::dialogs;
    using ReconcileTest::dir;
    using ReconcileTest::Find;
    using ReconcileTest::Page;
};

// Whatever failed to read, the rows read before stay, lined up as they were.
TEST_P(FailedReadTest, ShowsTheReasonAndChangesNothing)
{
    CheckWorkedLoan(0);
    std::vector<BankRecord> records = BankRows(Method::Debx);
    records[0].principal += 0.01;
    Page()->Read(records);
    const QString summary = Summary();
    dialogs.boxes.clear();
    GetParam().read(*this);
    ASSERT_FALSE(dialogs.boxes.empty());
    EXPECT_EQ(dialogs.boxes.back().kind, "fail");
    EXPECT_EQ(dialogs.boxes.back().text, "银行还款记录读取失败！");
    EXPECT_EQ(Document().Statement().records, records);
    EXPECT_EQ(Summary(), summary);
    EXPECT_EQ(Lineup()->rowCount(), 12);
    EXPECT_TRUE(Lineup()->item(0, 1)->font().bold());
}

INSTANTIATE_TEST_SUITE_P(
    Sources,
    FailedReadTest,
    ::testing::Values(
        FailedReadCase{"ReaderError",
                       [](FailedReadTest& test) {
                           test.Page()->Read(RecordsError{3, 2, "第3行第2列：无法识别的日期"});
                           EXPECT_EQ(test.dialogs.boxes.back().detail,
                                     "第3行第2列：无法识别的日期");
                       }},
        FailedReadCase{"FileWithoutHeader",
                       [](FailedReadTest& test) {
                           test.dialogs.chosenFile = QString::fromStdString(
                               test.dir.Write("records.csv", "这不是还款记录\n1,2\n").string());
                           test.Find<QPushButton>("suiButtonHdImport")->click();
                       }},
        FailedReadCase{"ClipboardWithoutRows",
                       [](FailedReadTest& test) {
                           QGuiApplication::clipboard()->setText("2009-02-15");
                           test.Find<QPushButton>("suiButtonHdPaste")->click();
                       }}),
    [](const auto& p) { return std::string(p.param.name); });

struct ReadCase
{
    const char* name;
    char separator;
    bool file; // 导入记录 of a .csv; else 粘贴
};

class RecordsReadTest : public ReconcileTest, public ::testing::WithParamInterface<ReadCase>
{
};

// The bank changed the rate mid-month and booked a prepayment the page lacks: read from a file or
// pasted, the rows differ from the change on; 采用建议 puts both into the page and every row
// agrees.
TEST_P(RecordsReadTest, HiddenChangesAreFoundAndTakingThemMakesEveryRowAgree)
{
    LoanInput charged = WorkedLoan();
    charged.adjustments = {{{2009, 5, 6}, LoanPart::S, 5.4}};
    charged.plan = {Ttqhd{"2009年08月03日", 10000, 0, LoanPart::S, false}};
    const auto outcome = CalculateSchedule(charged, Method::Debx, RateTable{}, RateTable{});
    const char sep = GetParam().separator;
    std::string text = std::string("还款日期") + sep + "本金" + sep + "利息" + sep + "类型\n";
    for (const ScheduleRow& row : std::get<Schedule>(outcome).rows) {
        const bool regular = row.kind == RowKind::Regular;
        text += IsoDateText(row.date) + sep + MoneyText(regular ? *row.principal : *row.prepaidS) +
                sep + MoneyText(row.interest) + sep + (regular ? "正常扣款" : "提前还款") + "\n";
    }

    CheckWorkedLoan(0);
    if (GetParam().file) {
        dialogs.chosenFile = QString::fromStdString(dir.Write("records.csv", text).string());
        Find<QPushButton>("suiButtonHdImport")->click();
        EXPECT_EQ(dialogs.requests.back().filter, "银行还款记录 (*.csv *.txt *.xlsx)");
    } else {
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
        Find<QPushButton>("suiButtonHdPaste")->click();
    }
    EXPECT_EQ(Document().Statement().records.size(), 13u);
    EXPECT_TRUE(Summary().startsWith("共 12 期，一致 3 期；自2009年05月06日起银行按 5.400% 计息"))
        << Summary().toStdString();
    Find<QPushButton>("suiButtonHdAdopt")->click();
    EXPECT_EQ(Summary(), "共 13 期，一致 13 期");
    EXPECT_EQ(Find<QListWidget>("suiListBoxTz")->count(), 1);
    EXPECT_EQ(Find<QListWidget>("suiListBox1")->count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Forms,
                         RecordsReadTest,
                         ::testing::Values(ReadCase{"CsvFile", ',', true},
                                           ReadCase{"PastedTabs", '\t', false}),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace lumavo::testing_support
