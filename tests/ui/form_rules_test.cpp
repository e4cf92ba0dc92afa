#include "tests/ui/window_fixture.h"
#include "ui/widget_kit.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

namespace lumavo::testing_support {
namespace {

struct Tab
{
    const char* suffix;
    int page;
    const char* radioGroup;
    const char* roundButton;
    const char* yearsCombo;
    const char* sharesGroup;
};

// Every rule exists on both loan tabs, so each test runs on each.
class FormRuleTest : public WindowTest, public ::testing::WithParamInterface<Tab>
{
  protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ShowPage(GetParam().page);
    }
    QString N(const char* base) const { return QString::fromUtf8(base) + GetParam().suffix; }
    void ChooseMode(int item) const
    {
        Find<RadioGroup>(GetParam().radioGroup)->Item(item)->click();
    }
};

TEST_P(FormRuleTest, CalculationModeSwitchesFieldsAndKeepsValues)
{
    Enter(N("suiNEdkze"), "123456");
    ChooseMode(0);
    EXPECT_TRUE(Field(N("suiNEmj"))->isEnabled());
    EXPECT_TRUE(Field(N("suiNEdj"))->isEnabled());
    EXPECT_TRUE(Combo(N("suiCBajcs"))->isEnabled());
    EXPECT_FALSE(Field(N("suiNEdkze"))->isEnabled());
    EXPECT_TRUE(Find<QWidget>(GetParam().roundButton)->isEnabled());
    ChooseMode(1);
    EXPECT_FALSE(Field(N("suiNEmj"))->isEnabled());
    EXPECT_TRUE(Field(N("suiNEdkze"))->isEnabled());
    EXPECT_EQ(Text(N("suiNEdkze")), "123456.00");
}

TEST_P(FormRuleTest, LoanTotalFollowsPriceAndRatioNotArea)
{
    ChooseMode(0);
    Enter(N("suiNEmj"), "90");
    Choose(N("suiCBajcs"), "7");
    EXPECT_EQ(dialogs.Texts(), QStringList{"单价须大于零！"});
    Enter(N("suiNEdj"), "8000");
    EXPECT_EQ(Text(N("suiNEdkze")), "504000.00");
    Choose(N("suiCBajcs"), "8");
    EXPECT_EQ(Text(N("suiNEdkze")), "576000.00");
    Enter(N("suiNEmj"), "100");
    EXPECT_EQ(Text(N("suiNEdkze")), "576000.00");
    Choose(N("suiCBajcs"), "8");
    EXPECT_EQ(Text(N("suiNEdkze")), "640000.00");
}

TEST_P(FormRuleTest, AreaOrPriceNotAboveZeroIsRefusedOncePerChange)
{
    Enter(N("suiNEdkze"), "1");
    ChooseMode(0);
    Field(N("suiNEdj"))->setValue(8000);
    EXPECT_EQ(dialogs.Texts(), QStringList{"面积须大于零！"});
    Enter(N("suiNEmj"), "90");
    Field(N("suiNEdj"))->setValue(0);
    EXPECT_EQ(dialogs.Texts(), (QStringList{"面积须大于零！", "单价须大于零！"}));
    EXPECT_EQ(Text(N("suiNEdkze")), "1.00");
}

TEST_P(FormRuleTest, RoundToTenThousands)
{
    const std::vector<std::pair<QString, QString>> cases{
        {"235000", "240000.00"}, {"225000", "220000.00"}, {"234999.99", "230000.00"},
        {"4999", "0.00"},        {"15000", "20000.00"},   {"5000", "0.00"}};
    for (const auto& [typed, rounded] : cases) {
        Enter(N("suiNEdkze"), typed);
        Find<QPushButton>(GetParam().roundButton)->click();
        EXPECT_EQ(Text(N("suiNEdkze")), rounded) << typed.toStdString();
    }
}

TEST_P(FormRuleTest, YearsSetPeriodsAndPeriodsSetPrepaymentYears)
{
    Choose(N("suiCBfirstyear"), "2008");
    Choose(GetParam().yearsCombo, "25");
    EXPECT_EQ(Text(N("suiNEajqs")), "300");
    QStringList years;
    for (int year = 2008; year <= 2033; ++year)
        years.append(QString::number(year));
    EXPECT_EQ(Items(N("suiCBtqyear")), years);
    Enter(N("suiNEajqs"), "6");
    EXPECT_EQ(Items(N("suiCBtqyear")), QStringList{"2008"});
    EXPECT_EQ(Combo(N("suiCBtqyear"))->currentText(), "2008");
}

TEST_P(FormRuleTest, DayListsFollowYearAndMonthOfEachPicker)
{
    struct Case
    {
        const char* year;
        const char* month;
        int days;
    };
    const Case cases[] = {{"2012", "02", 29},
                          {"2011", "02", 28},
                          {"2012", "04", 30},
                          {"2028", "02", 29},
                          {"2011", "12", 31}};
    const std::array<std::array<const char*, 3>, 2> pickers{
        {{"suiCBfdyear", "suiCBfdmonth", "suiCBfdday"},
         {"suiCBfirstyear", "suiCBfirstmonth", "suiCBfirstday"}}};
    for (const auto& [year, month, day] : pickers) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(year) + " " + c.year + "-" + c.month);
            Choose(N(day), "15");
            Choose(N(year), c.year);
            Choose(N(month), c.month);
            EXPECT_EQ(Combo(N(day))->count(), c.days);
            EXPECT_EQ(Combo(N(day))->itemText(c.days - 1), QString::number(c.days));
            EXPECT_EQ(Combo(N(day))->currentText(), "01");
        }
    }
    // The prepayment picker, whose years follow the first payment year.
    Choose(N("suiCBfirstyear"), "2012");
    Choose(N("suiCBtqyear"), "2016");
    Choose(N("suiCBtqmonth"), "02");
    EXPECT_EQ(Combo(N("suiCBtqday"))->count(), 29);
    Choose(N("suiCBtqyear"), "2017");
    EXPECT_EQ(Combo(N("suiCBtqday"))->count(), 28);
}

TEST_P(FormRuleTest, DatesDoNotFollowEachOther)
{
    Choose(N("suiCBfdyear"), "2009");
    Choose(N("suiCBfdmonth"), "03");
    EXPECT_EQ(Combo(N("suiCBfirstyear"))->currentText(), "1997");
    EXPECT_EQ(Combo(N("suiCBfirstmonth"))->currentText(), "01");
    EXPECT_EQ(Combo(N("suiCBtqyear"))->currentText(), "1997");
}

TEST_P(FormRuleTest, TypingIntoPickersChangesNothing)
{
    for (const char* base :
         {"suiCBajcs", "suiCBfdyear", "suiCBfdmonth", "suiCBfdday", "suiCBfirstyear",
          "suiCBfirstmonth", "suiCBfirstday", "suiCBtqyear", "suiCBtqmonth", "suiCBtqday"}) {
        ChooseCombo* combo = Combo(N(base));
        const QString before = combo->currentText();
        QTest::keyClicks(combo, "2");
        QTest::keyClick(combo, Qt::Key_Backspace);
        EXPECT_EQ(combo->currentText(), before) << base;
    }
    ChooseCombo* years = Combo(GetParam().yearsCombo);
    QTest::keyClicks(years, "3");
    EXPECT_EQ(years->currentText(), "20");
    EXPECT_EQ(Text(N("suiNEajqs")), "240");
    // Choosing with the arrow keys is a choice like any other and runs the rule.
    QTest::keyClick(years, Qt::Key_Down);
    EXPECT_EQ(Text(N("suiNEajqs")), "300");
    Choose(N("suiCBfdday"), "15");
    QTest::keyClick(Combo(N("suiCBfdmonth")), Qt::Key_Down);
    EXPECT_EQ(Combo(N("suiCBfdday"))->count(), 28);
    EXPECT_EQ(Combo(N("suiCBfdday"))->currentText(), "01");
}

TEST_P(FormRuleTest, SharesAndLoanType)
{
    auto* group = Find<QGroupBox>(GetParam().sharesGroup);
    Choose(N("suiCBLoanType"), "组合贷款");
    EXPECT_TRUE(group->isEnabled());
    EXPECT_TRUE(Field(N("suiNEratioS"))->isEnabled());
    EXPECT_FALSE(Field(N("suiNEratioG"))->isEnabled());
    EXPECT_EQ(Text(N("suiNEratioS")), "100");
    const std::vector<std::array<QString, 3>> shares{
        {"60", "60", "40"}, {"150", "100", "0"}, {"0", "0", "100"}, {"999", "100", "0"}};
    for (const auto& [typed, s, g] : shares) {
        Enter(N("suiNEratioS"), typed);
        EXPECT_EQ(Text(N("suiNEratioS")), s) << typed.toStdString();
        EXPECT_EQ(Text(N("suiNEratioG")), g) << typed.toStdString();
    }
    Enter(N("suiNEratioS"), "60");
    Choose(N("suiCBLoanType"), "公积金贷款");
    EXPECT_EQ(Text(N("suiNEratioS")), "0");
    EXPECT_EQ(Text(N("suiNEratioG")), "100");
    EXPECT_FALSE(group->isEnabled());
    Choose(N("suiCBLoanType"), "组合贷款");
    EXPECT_EQ(Text(N("suiNEratioS")), "0");
    Choose(N("suiCBLoanType"), "商业贷款");
    EXPECT_EQ(Text(N("suiNEratioS")), "100");
    EXPECT_EQ(Text(N("suiNEratioG")), "0");
    EXPECT_FALSE(group->isEnabled());
}

TEST_P(FormRuleTest, RateModeLocksFixedRatesAndKeepsThem)
{
    Enter(N("suiNEnllS"), "5.94");
    Find<QRadioButton>(N("suiRBfd"))->click();
    EXPECT_FALSE(Field(N("suiNEnllS"))->isEnabled());
    EXPECT_FALSE(Field(N("suiNEnllG"))->isEnabled());
    Find<QRadioButton>(N("suiRBgd"))->click();
    EXPECT_TRUE(Field(N("suiNEnllS"))->isEnabled());
    EXPECT_EQ(Text(N("suiNEnllS")), "5.940");
}

INSTANTIATE_TEST_SUITE_P(
    Tabs,
    FormRuleTest,
    ::testing::Values(Tab{"", 0, "suiRadioGroup1", "suiButton6", "suiComboBox1", "suiGroupBox17"},
                      Tab{"2", 1, "suiRadioGroup2", "suiButton7", "suiComboBox2", "suiGroupBox18"}),
    [](const auto& tab) { return tab.param.page == 0 ? "Tab1" : "Tab2"; });

// The number field on its own: what typing, leaving and setting do to text, value and rule.
TEST(NumberEditTest, TypingLeavingAndSetting)
{
    struct Case
    {
        int decimals;
        const char* typed;
        const char* shownWhileTyping;
        const char* shownAfterLeaving;
        double value;
    };
    const Case cases[] = {
        {2, "1234.5", "1234.5", "1234.50", 1234.5},
        {2, "1.2.3", "1.23", "1.23", 1.23},
        {2, "-5a,b", "5", "5.00", 5},
        {0, "12.5", "125", "125", 125},
        {3, "6.8", "6.8", "6.800", 6.8},
        {3, ".5", ".5", "0.500", 0.5},
        {0, "", "", "0", 0},
        {2, "1e5", "15", "15.00", 15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        NumberEdit field(c.decimals);
        field.clear();
        QTest::keyClicks(&field, c.typed);
        EXPECT_EQ(field.text(), c.shownWhileTyping);
        Leave(&field);
        EXPECT_EQ(field.text(), c.shownAfterLeaving);
        EXPECT_DOUBLE_EQ(field.value(), c.value);
    }
}

// A picker takes its bold font without building its list; the list, built when first opened,
// and the room the box asks for must still be the bold font's, before and after a later change.
TEST(PickerTest, ListAndSizeFollowTheFont)
{
    const QStringList items{"2009", "2010年12月"};
    for (const bool sizedFirst : {false, true}) {
        SCOPED_TRACE(sizedFirst);
        ChooseCombo* picker = NewPicker(items, nullptr);
        std::unique_ptr<ChooseCombo> owner(picker);
        QComboBox plain;
        plain.addItems(items);
        plain.setFont(picker->font());
        EXPECT_TRUE(picker->font().bold());
        if (sizedFirst) {
            QFont larger = picker->font();
            larger.setPixelSize(20);
            (void)picker->sizeHint();
            picker->setFont(larger);
            plain.setFont(larger);
        }
        EXPECT_EQ(picker->sizeHint(), plain.sizeHint());
        EXPECT_EQ(picker->view()->font(), picker->font());
    }
}

TEST(NumberEditTest, ChangeRuleRunsOnEveryNewTextOnly)
{
    NumberEdit field(2);
    QSignalSpy changes(&field, &NumberEdit::changed);
    field.setValue(0); // "0.00" already
    EXPECT_EQ(changes.count(), 0);
    field.setValue(12.345); // shown in the mask, value taken from the text
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(field.text(), "12.35");
    EXPECT_DOUBLE_EQ(field.value(), 12.35);
    field.setText(QString());
    EXPECT_EQ(changes.count(), 2);
    EXPECT_DOUBLE_EQ(field.value(), 12.35); // an empty text keeps the value
    field.setValue(-1.5);                   // only the program can show a negative number
    EXPECT_EQ(field.text(), "-1.50");
}

// Pasting "-5" into the commercial share once made the provident share 105 %.
TEST(NumberEditTest, PasteBringsNoMinusInButAProgramMinusMayStay)
{
    struct Case
    {
        int decimals;
        double shownByProgram;
        const char* pasted; // over the whole text
        const char* shown;
    };
    const Case cases[] = {
        {0, 100, "-5", "100"},     {2, 0, "-1234.5", "0.00"}, {3, 0, "-6.5", "0.000"},
        {0, 100, "5-", "100"},     {2, 0, "12.5", "12.5"},    {3, -1.5, "-2.25", "-2.25"},
        {3, -1.5, "2.25", "2.25"}, {0, 240, "1,000", "1000"}, {2, 0, "１２", "12"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pasted);
        NumberEdit field(c.decimals);
        field.setValue(c.shownByProgram);
        QApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
        field.selectAll();
        QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(field.text(), QString::fromUtf8(c.shown));
    }
}

} // namespace
} // namespace lumavo::testing_support
