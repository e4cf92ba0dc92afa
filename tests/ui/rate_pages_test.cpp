#include "common/atomic_file.h"
#include "tests/support/file_rights.h"
#include "tests/ui/window_fixture.h"

#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <fstream>

namespace lumavo::testing_support {
namespace {

class RatePagesTest : public WindowTest
{
  protected:
    std::string Archive() const { return ReadWholeFile(ArchivePath()).value_or("<missing>"); }
};

TEST_F(RatePagesTest, NoArchiveGivesZerosAndCreatesNothing)
{
    for (int n = 0; n <= 30; ++n) {
        EXPECT_EQ(Text(QStringLiteral("suiNEper%1").arg(n)), "0.000");
        EXPECT_EQ(Text(QStringLiteral("suiNEperG%1").arg(n)), "0.000");
        EXPECT_EQ(Field(QStringLiteral("suiNEperG%1").arg(n))->property("tag").toInt(), n);
    }
    EXPECT_FALSE(std::filesystem::exists(ArchivePath()));
}

TEST_F(RatePagesTest, ArchiveLoadsRoundedIntoFieldsAndTables)
{
    dir.Write("percents.ini",
              "[SPERCENTS]\r\npercent0=5.94449\r\npercent1=5.9446\r\n"
              "percent5=  6.12  \r\npercent6=abc\r\n[gpercents]\r\nPERCENT3=-1.5\r\n");
    Open();
    const std::vector<std::pair<QString, QString>> shown{
        {"suiNEper0", "5.944"}, {"suiNEper1", "5.945"},   {"suiNEper5", "6.120"},
        {"suiNEper6", "0.000"}, {"suiNEperG3", "-1.500"}, {"suiNEperG4", "0.000"}};
    for (const auto& [field, text] : shown)
        EXPECT_EQ(Text(field), text) << field.toStdString();
    EXPECT_DOUBLE_EQ(window->CommercialRates().At(0), 5.944);
    EXPECT_DOUBLE_EQ(window->CommercialRates().At(5), 6.12);
    EXPECT_DOUBLE_EQ(window->ProvidentRates().At(3), -1.5);
    EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(RatePagesTest, TypingSetsTheEntryAtOnceAndArchiveWritesOnlyThatPage)
{
    dir.Write("percents.ini", "[SPERCENTS]\r\npercent0=4.9\r\n");
    Open();
    ShowPage(3);
    Enter("suiNEperG3", "6.8");
    EXPECT_DOUBLE_EQ(window->ProvidentRates().At(3), 6.8);
    Press("TBcdnll");
    EXPECT_EQ(dialogs.Texts(), QStringList{"保存公积金贷款浮动年利率成功！"});
    const std::string archive = Archive();
    EXPECT_NE(archive.find("percent3=6.8\r\n"), std::string::npos);
    EXPECT_EQ(archive.rfind("[SPERCENTS]\r\npercent0=4.9\r\n", 0), 0u) << archive;

    ShowPage(2);
    Enter("suiNEper30", "3.25");
    Press("TBcdnll");
    EXPECT_EQ(dialogs.Texts().back(), "保存商业贷款浮动年利率成功！");
    const std::string both = Archive();
    EXPECT_NE(both.find("percent30=3.25\r\n"), std::string::npos);
    EXPECT_EQ(both.substr(both.find("[GPERCENTS]")), archive.substr(archive.find("[GPERCENTS]")));

    // What was archived comes back at the next start; what was not, does not.
    Enter("suiNEper1", "9");
    Open();
    EXPECT_EQ(Text("suiNEperG3"), "6.800");
    EXPECT_EQ(Text("suiNEper30"), "3.250");
    EXPECT_EQ(Text("suiNEper1"), "0.000");
}

TEST_F(RatePagesTest, UniformValueFillsEveryEntryOfItsPageOnly)
{
    ShowPage(2);
    Enter("suiNEperone", "4.9");
    Find<QPushButton>("suiButton1")->click();
    for (int n = 0; n <= 30; ++n) {
        EXPECT_EQ(Text(QStringLiteral("suiNEper%1").arg(n)), "4.900");
        EXPECT_DOUBLE_EQ(window->CommercialRates().At(n), 4.9);
        EXPECT_DOUBLE_EQ(window->ProvidentRates().At(n), 0);
    }
    Press("TBcdnll");
    Open();
    EXPECT_EQ(Text("suiNEperone"), "0.000");
    EXPECT_EQ(Text("suiNEper17"), "4.900");
}

// A failed save says so and leaves the archive as it was.
TEST_F(RatePagesTest, UnwritableArchiveFailsAndKeepsTheFile)
{
    const std::string original = "[SPERCENTS]\r\npercent0=4.9\r\n";
    dir.Write("percents.ini", original);
    Open();
    ShowPage(2);
    Enter("suiNEper0", "5.5");
    std::filesystem::permissions(dir.Dir(), std::filesystem::perms::owner_read |
                                                std::filesystem::perms::owner_exec);
    {
        const WithoutFileOverride asPlainUser;
        if (std::ofstream(dir.File("probe"))) {
            std::filesystem::permissions(dir.Dir(), std::filesystem::perms::owner_all);
            GTEST_SKIP() << "running with rights that ignore a read-only folder";
        }
        Press("TBcdnll");
    }
    std::filesystem::permissions(dir.Dir(), std::filesystem::perms::owner_all);
    EXPECT_EQ(dialogs.Texts(), QStringList{"保存商业贷款浮动年利率失败！"});
    EXPECT_EQ(Archive(), original);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Dir()), {}), 1);
    EXPECT_DOUBLE_EQ(window->CommercialRates().At(0), 5.5);
}

TEST_F(RatePagesTest, ArchiveInAMissingFolderFails)
{
    window = std::make_unique<TfrmMain>(
        WindowSetup{dir.File("gone/percents.ini"), kCurrentYear, &dialogs});
    window->show();
    ShowPage(3);
    Press("TBcdnll");
    EXPECT_EQ(dialogs.Texts(), QStringList{"保存公积金贷款浮动年利率失败！"});
}

// The LPR loan: 1,000,000 lent 2021-06-15 over 360 periods at LPR - 30 bp.
TEST_F(RatePagesTest, FillByRuleSetsTheFieldsThatCalculateUsesAndSavesNothing)
{
    ShowPage(0);
    Enter("suiNEdkze", "1000000");
    Enter("suiNEajqs", "360");
    Find<QRadioButton>("suiRBfd")->click();
    Choose("suiCBfdyear", "2021");
    Choose("suiCBfdmonth", "06");
    Choose("suiCBfdday", "15");
    Choose("suiCBfirstyear", "2021");
    Choose("suiCBfirstmonth", "07");
    Choose("suiCBfirstday", "15");

    ShowPage(2);
    EXPECT_EQ(Find<QLabel>("suiLdata")->text(), "利率数据截至 2026年03月20日");
    Find<QDoubleSpinBox>("suiNErule")->setValue(-30);
    QTest::mouseClick(Find<QPushButton>("suiButtonFill"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes.empty()) << dialogs.Texts().join(" ").toStdString();
    const std::vector<std::pair<QString, QString>> shown{
        {"suiNEper0", "4.350"}, {"suiNEper2", "4.350"}, {"suiNEper3", "4.000"},
        {"suiNEper4", "3.900"}, {"suiNEper5", "3.300"}, {"suiNEper30", "3.200"}};
    for (const auto& [field, text] : shown)
        EXPECT_EQ(Text(field), text) << field.toStdString();
    EXPECT_DOUBLE_EQ(window->CommercialRates().At(3), 4.0);
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text() == "第3年：" && label->isVisibleTo(window.get())) {
            EXPECT_EQ(label->toolTip(), "2023年");
        }
    }
    EXPECT_FALSE(std::filesystem::exists(ArchivePath()));

    ShowPage(0);
    Press("TBjs");
    EXPECT_EQ(Row("suiSG1", 1)[0], "2021年07月15日");
    EXPECT_EQ(Row("suiSG1", 1)[1], "3625.00"); // 30 days at 4.35 %
    EXPECT_FALSE(std::filesystem::exists(ArchivePath()));
}

// Both loan pages compute with the rate pages' tables; a rule fills them for the loan page the
// user came from, so that page's dates are the ones taken, and the page says which.
TEST_F(RatePagesTest, RatePageTakesTheDatesOfTheLoanPageTheUserCameFrom)
{
    ShowPage(1);
    Choose("suiCBfdyear2", "2015");
    Choose("suiCBfirstyear2", "2015");
    const struct
    {
        int loanPage;
        int year;
        QString source;
    } cases[] = {{1, 2015, "放贷日和月供首日取自“等额本金”页"},
                 {0, 1997, "放贷日和月供首日取自“等额本息”页"}};
    for (const auto& c : cases) {
        ShowPage(c.loanPage);
        ShowPage(2);
        EXPECT_EQ(Find<QDateEdit>("suiDTfd")->date().year(), c.year) << c.loanPage;
        EXPECT_EQ(Find<QLabel>("suiLdates")->text(), c.source);
    }
    Find<QDateEdit>("suiDTfd")->setDate(QDate(2021, 6, 15));
    ShowPage(1);
    ShowPage(2);
    EXPECT_EQ(Find<QDateEdit>("suiDTfd")->date(), QDate(2021, 6, 15));
    EXPECT_EQ(Find<QLabel>("suiLdates")->text(), "放贷日和月供首日为本页所选");
}

TEST_F(RatePagesTest, BrokenUserRateFileIsNamedOnceAndTheShippedDataFill)
{
    const auto user = dir.Write("rates.csv", "kind,effective,rate,source\nlpr5y,2026,3.4,me\n");
    window.reset();
    window = std::make_unique<TfrmMain>(WindowSetup{ArchivePath(), kCurrentYear, &dialogs,
                                                    RateDataPaths{kShippedRates, user.string()}});
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ShowPage(3);
    Find<QDateEdit>("suiDTfdG")->setDate(QDate(2023, 5, 1));
    Find<QDateEdit>("suiDTfirstG")->setDate(QDate(2023, 6, 1));
    QTest::mouseClick(Find<QPushButton>("suiButtonFillG"), Qt::LeftButton);
    QTest::mouseClick(Find<QPushButton>("suiButtonFillG"), Qt::LeftButton);
    ASSERT_EQ(dialogs.Texts().size(), 1);
    EXPECT_TRUE(dialogs.Texts()[0].contains(QString::fromStdString(user.string()) + " 第2行"));
    EXPECT_EQ(Text("suiNEperG0"), "3.100"); // 240 periods: the over-five-year rate of 2023
}

} // namespace
} // namespace lumavo::testing_support
