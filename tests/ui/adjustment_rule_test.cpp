// 按规则生成: the dialog's preview of the generated 利率调整, and what taking them does to a page.
#include "common/messages.h"
#include "files/rate_data.h"
#include "tests/ui/window_fixture.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableWidget>

namespace lumavo::testing_support {
namespace {

constexpr const char* kRates = LUMAVO_TEST_DATA "/../../resources/rates/rates.csv";

struct Entry
{
    const char* date;
    const char* rate;
};

struct RuleCase
{
    const char* name;
    const char* anchor; // the 重定价日 radio
    std::vector<Entry> entries;
};

// The worked loan: 1,000,000 lent 2019-06-20, first paid 2019-07-20, 360 periods,
// 4.90 x 1.1 = 5.39 converted in 2020, 加点 cut to 0 in 2023 and to -30 bp in 2024.
class RuleDialog : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        dialog = std::make_unique<AdjustmentRuleDialog>(
            RuleDialogInput{LoanDates{{2019, 6, 20}, {2019, 7, 20}, 360},
                            LoadRateData(RateDataPaths{kRates, ""}).history});
    }

    template <class W> W* Find(const char* name) const
    {
        W* widget = dialog->findChild<W*>(QString::fromUtf8(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    void FillExampleA() const
    {
        Find<QRadioButton>("suiRBruleconv")->click();
        Find<QDoubleSpinBox>("suiNEruleorig")->setValue(5.39);
        Find<QCheckBox>("suiCKcut2023")->click();
        Find<QDoubleSpinBox>("suiNEcut2023")->setValue(0);
        Find<QCheckBox>("suiCKcut2024")->click();
    }

    QStringList Column(int column) const
    {
        auto* table = Find<QTableWidget>("suiSGrule");
        QStringList texts;
        for (int row = 0; row < table->rowCount(); ++row)
            texts.append(table->item(row, column)->text());
        return texts;
    }

    bool Accepts() const { return Find<QPushButton>("suiButtonRuleOk")->isEnabled(); }

    std::unique_ptr<AdjustmentRuleDialog> dialog;
};

class RuleExamples : public RuleDialog, public ::testing::WithParamInterface<RuleCase>
{
};

// The entries by date and rate; every one after the original rate names the fixing it took.
TEST_P(RuleExamples, PreviewShowsTheEntriesWithTheirFixings)
{
    const RuleCase& c = GetParam();
    FillExampleA();
    Find<QRadioButton>(c.anchor)->click();
    QStringList dates;
    QStringList rates;
    std::vector<RateAdjustment> expected;
    for (const Entry& e : c.entries) {
        Date day;
        ASSERT_TRUE(ParseDateText(e.date, day));
        dates.append(e.date);
        rates.append(QString::fromUtf8(e.rate) + "%");
        expected.push_back({day, LoanPart::S, QString::fromUtf8(e.rate).toDouble()});
    }
    EXPECT_EQ(Column(0), dates);
    EXPECT_EQ(Column(1), rates);
    const QStringList basis = Column(2);
    ASSERT_FALSE(basis.isEmpty());
    EXPECT_EQ(basis.front(), "原执行利率");
    static const QRegularExpression fixing(
        QString::fromUtf8("5年期以上LPR \\d\\.\\d{3}%（\\d{4}年\\d{2}月\\d{2}日）加点-?\\d+基点$"));
    for (qsizetype row = 1; row < basis.size(); ++row)
        EXPECT_TRUE(fixing.match(basis[row]).hasMatch()) << basis[row].toStdString();
    EXPECT_TRUE(Accepts());
    EXPECT_EQ(dialog->Adjustments(), expected);
}

INSTANTIATE_TEST_SUITE_P(Anchors,
                         RuleExamples,
                         ::testing::Values(RuleCase{"January1",
                                                    "suiRBrulejan1",
                                                    {{"2019年06月20日", "5.390"},
                                                     {"2021年01月01日", "5.240"},
                                                     {"2023年01月01日", "4.890"},
                                                     {"2023年09月25日", "4.300"},
                                                     {"2024年01月01日", "4.200"},
                                                     {"2024年10月25日", "3.900"},
                                                     {"2025年01月01日", "3.300"},
                                                     {"2026年01月01日", "3.200"}}},
                                           RuleCase{"Anniversary",
                                                    "suiRBruleanniv",
                                                    {{"2019年06月20日", "5.390"},
                                                     {"2021年06月20日", "5.240"},
                                                     {"2022年06月20日", "5.040"},
                                                     {"2023年06月20日", "4.890"},
                                                     {"2023年09月25日", "4.300"},
                                                     {"2024年06月20日", "3.950"},
                                                     {"2024年10月25日", "3.650"},
                                                     {"2025年06月20日", "3.200"}}}),
                         [](const auto& p) { return std::string(p.param.name); });

// The cut of 2024 moves the spread only: the LPR stays the one of the last repricing.
TEST_F(RuleDialog, SpreadCutNamesTheLprOfTheLastRepricing)
{
    FillExampleA();
    EXPECT_EQ(Column(2).at(5), "2024年存量房贷利率批量调整：5年期以上LPR 4.200%（2023年06月20日）"
                               "加点-30基点");
}

// A spread change before the lending day is refused under the table, and nothing can be taken
// until it is gone; Enter takes the answer only when there is one.
TEST_F(RuleDialog, ChangeBeforeLendingIsRefusedUntilRemoved)
{
    dialog->show();
    FillExampleA();
    Find<QDateEdit>("suiDTrulechange")->setDate(QDate(2019, 5, 1));
    Find<QDoubleSpinBox>("suiNErulechange")->setValue(-20);
    Find<QPushButton>("suiButtonRuleAdd")->click();
    auto* list = Find<QListWidget>("suiListBoxRule");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "2019年05月01日 加点-20基点");
    EXPECT_EQ(Find<QLabel>("suiLrulerefusal")->text(),
              "无法生成：加点调整日期2019年05月01日早于放贷日期！");
    EXPECT_TRUE(Column(0).isEmpty());
    EXPECT_FALSE(Accepts());
    EXPECT_TRUE(dialog->Adjustments().empty());
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());

    list->setCurrentRow(0);
    Find<QPushButton>("suiButtonRuleDelete")->click();
    EXPECT_EQ(list->count(), 0);
    EXPECT_TRUE(Accepts());
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

// The page side: the recorded answer of the dialog replaces the commercial entries only.
class RuleWiring : public WindowTest, public ::testing::WithParamInterface<const char*>
{
  protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        s = GetParam();
        EnterWorkedLoan(s.isEmpty() ? 0 : 1, "240");
        Choose("suiCBLoanType" + s, "组合贷款");
        Enter("suiNEratioS" + s, "70");
        Enter("suiNEnllG" + s, "4");
        Add("2010", 'S', "5.5");
        Add("2011", 'G', "3.5");
        dialogs.boxes.clear();
    }

    void Add(const char* year, char part, const char* rate)
    {
        Choose("suiCBtzyear" + s, year);
        Find<RadioGroup>("suiRGtzType" + s)->Item(part == 'S' ? 0 : 1)->click();
        NumberEdit* field = Field("suiNEtznll" + s);
        field->selectAll();
        QTest::keyClicks(field, rate);
        Find<QPushButton>("suiButtonTzAdd" + s)->click();
    }
    QStringList ListTexts() const
    {
        auto* list = Find<QListWidget>("suiListBoxTz" + s);
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts.append(list->item(i)->text());
        return texts;
    }
    QPushButton* ByRule() const { return Find<QPushButton>("suiButtonTzRule" + s); }
    ScheduleGrid* PageGrid() const { return Grid(s.isEmpty() ? "suiSG1" : "suiSG2"); }

    QString s;
};

TEST_P(RuleWiring, TakenEntriesReplaceTheCommercialOnes)
{
    Press("TBjs");
    ASSERT_FALSE(PageGrid()->Stale()) << dialogs.Texts().join(' ').toStdString();
    dialogs.ruleAnswer = std::vector<RateAdjustment>{{{2009, 1, 15}, LoanPart::S, 5.2},
                                                     {{2012, 1, 1}, LoanPart::S, 4.9}};
    ByRule()->click();
    ASSERT_EQ(dialogs.boxes.size(), 1u) << dialogs.Texts().join(' ').toStdString();
    EXPECT_EQ(dialogs.boxes[0].kind, "rule");
    ASSERT_TRUE(dialogs.ruleDates);
    EXPECT_EQ(dialogs.ruleDates->lending, (Date{2009, 1, 15}));
    EXPECT_EQ(dialogs.ruleDates->firstPayment, (Date{2009, 2, 15}));
    EXPECT_EQ(dialogs.ruleDates->periods, 240.0);
    EXPECT_EQ(ListTexts(),
              (QStringList{"2009年01月15日 商业贷款 5.200%", "2011年01月01日 公积金贷款 3.500%",
                           "2012年01月01日 商业贷款 4.900%"}));
    EXPECT_TRUE(PageGrid()->Stale());
}

TEST_P(RuleWiring, CancelChangesNothing)
{
    Press("TBjs");
    const QStringList before = ListTexts();
    ByRule()->click();
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(ListTexts(), before);
    EXPECT_FALSE(PageGrid()->Stale());
}

TEST_P(RuleWiring, OnlyForALoanWithACommercialPart)
{
    Choose("suiCBLoanType" + s, "公积金贷款");
    EXPECT_FALSE(ByRule()->isEnabled());
    EXPECT_EQ(ByRule()->toolTip(), "公积金贷款没有商业贷款部分，无法按规则生成");
    Choose("suiCBLoanType" + s, "商业贷款");
    EXPECT_TRUE(ByRule()->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Tabs, RuleWiring, ::testing::Values("", "2"), [](const auto& tab) {
    return std::string(*tab.param ? "Tab2" : "Tab1");
});

// Without rate data the dialog would only refuse: the message says why and nothing opens.
TEST_F(WindowTest, RuleWithoutRateDataSaysSoAndOpensNothing)
{
    const std::string missing = dir.File("no-rates.csv");
    window = std::make_unique<TfrmMain>(
        WindowSetup{ArchivePath(), kCurrentYear, &dialogs, RateDataPaths{missing, ""}});
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    dialogs.boxes.clear();
    Find<QPushButton>("suiButtonTzRule")->click();
    EXPECT_EQ(dialogs.Texts(),
              QStringList{QString::fromStdString(msg::RateDataUnreadable(missing))});
    EXPECT_EQ(dialogs.boxes.at(0).kind, "inform");
}

} // namespace
} // namespace lumavo::testing_support
