#include "calc/schedule_text.h"
#include "common/atomic_file.h"
#include "common/gbk.h"
#include "files/backup_loan.h"
#include "files/loan_file.h"
#include "tests/ui/window_fixture.h"

#include <QCheckBox>
#include <QListWidget>
#include <filesystem>

namespace lumavo::testing_support {
namespace {

// A combination loan at floating rates with a prepayment and a rate adjustment of each part.
LoanDocument AdjustedLoan()
{
    LoanDocument document(Method::Debx);
    document.StartUp(2026 + 3); // the window tests' year lists
    LoanForm form = document.Form();
    const FormTexts texts{{"1", "0.00", "0.00", "8", "600000.00", "70", "20", "240", "0", "4.900",
                           "3.250", "2019", "06", "20", "2019", "07", "20", "2"}};
    EXPECT_TRUE(std::holds_alternative<FormMessages>(ApplyTexts(form, texts)));
    document.Replace(form, PlanList());
    EXPECT_TRUE(std::holds_alternative<PlanChange>(
        document.Submit(PlanSubmission{"2022", "03", "20", LoanPart::S, false, 50000, 0})));
    document.Floating().s.Fill(4.85);
    document.Floating().s.Set(0, 4.9);
    document.Floating().ruleS = RateRule{RuleKind::LprPlus, 5};
    document.Floating().g.Fill(3.25);
    document.SetAdjustments(
        {{{2023, 9, 25}, LoanPart::S, 4.3}, {{2024, 10, 25}, LoanPart::G, 2.85}});
    document.SetBankRounding(true);
    BankRecord row;
    row.date = {2024, 11, 20};
    row.principal = 1200.5;
    row.interest = 610.25;
    document.SetStatement({LoanPart::G, {row}});
    return document;
}

class LoanFileCommandTest : public WindowTest
{
  protected:
    // The first page's grid, every cell.
    std::vector<std::string> GridCells(int rows) const
    {
        std::vector<std::string> cells;
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < kScheduleColumns; ++column)
                cells.push_back(Grid("suiSG1")->Cell(column, row).toStdString());
        return cells;
    }

    // Imports the adjusted loan into the first page; its text.
    std::string ImportAdjustedLoan()
    {
        const std::string text = *LoanFileText(LoanFileOf(AdjustedLoan()));
        ShowPage(0);
        EXPECT_EQ(RunWithFile("TBdr", dir.Write("loan.lumavo", text).string()),
                  (QStringList{"open:从本地文件导入 等额本息输入信息", "inform:导入成功！"}));
        return text;
    }
};

TEST_F(LoanFileCommandTest, ImportingALoanFileFillsThePageTheRatesAndTheAdjustments)
{
    ImportAdjustedLoan();
    EXPECT_EQ(dialogs.requests.back().otherFilters, QStringList{"贷款方案 (*.lumavo)"});
    EXPECT_EQ(Text("suiNEdkze"), "600000.00");
    EXPECT_EQ(Combo("suiCBLoanType")->currentText(), "组合贷款");
    EXPECT_EQ(Find<QListWidget>("suiListBox1")->item(0)->text(),
              "2022年03月20日 S<=> 50000 元 0 期 N");
    EXPECT_EQ(window->CommercialRates(), AdjustedLoan().Floating().s);
    EXPECT_EQ(Text("suiNEperG7"), "3.250");
    const auto* adjustments = Find<QListWidget>("suiListBoxTz");
    ASSERT_EQ(adjustments->count(), static_cast<int>(AdjustedLoan().Adjustments().size()));
    EXPECT_EQ(adjustments->item(0)->text().toStdString(),
              AdjustmentText(AdjustedLoan().Adjustments().front()));
    BankStatement statement = window->LoanDocumentOf(Method::Debx).Statement();
    for (BankRecord& record : statement.records)
        record.line = 0; // where it stood in the file
    EXPECT_EQ(statement, AdjustedLoan().Statement());
    EXPECT_TRUE(Find<QCheckBox>("suiCheckBankRounding")->isChecked());

    // 计算 charges what the file holds, the adjustments included.
    Press("TBjs");
    LoanDocument expected = AdjustedLoan();
    ASSERT_FALSE(expected.Calculate());
    const TextGrid grid = ScheduleGridTexts(expected.LastCalculation()->schedule);
    EXPECT_EQ(GridCells(grid.rows), grid.cells);
}

TEST_F(LoanFileCommandTest, ALoanFileExportsAsItWasImported)
{
    const std::string text = ImportAdjustedLoan();
    const std::string path = dir.File("again.lumavo");
    EXPECT_EQ(RunWithFile("TBdc", path),
              (QStringList{"save:导出 等额本息输入信息 至本地文件", "inform:导出成功！"}));
    EXPECT_EQ(dialogs.requests.back().otherFilters, QStringList{"贷款方案 (*.lumavo)"});
    EXPECT_EQ(ReadWholeFile(path), text);
}

// The .bak cannot hold rate adjustments, bank rows or 按分入账: the user is told which, and
// decides.
TEST_F(LoanFileCommandTest, ExportingAdjustmentsAsBakAsksFirst)
{
    ImportAdjustedLoan();
    const std::string path = dir.File("page.bak");
    const QString question = "confirm:备份文件（.bak）无法保存以下内容：\r"
                             "2023年09月25日 商业贷款 4.300%\r"
                             "2024年10月25日 公积金贷款 2.850%\r"
                             "银行还款记录 1 行\r"
                             "按分入账\r"
                             "其余输入信息照常导出（保存全部请选择贷款方案 *.lumavo）。是否继续？";
    dialogs.confirmAnswer = false;
    EXPECT_EQ(RunWithFile("TBdc", path),
              (QStringList{"save:导出 等额本息输入信息 至本地文件", question}));
    EXPECT_FALSE(std::filesystem::exists(path));

    dialogs.confirmAnswer = true;
    EXPECT_EQ(RunWithFile("TBdc", path), (QStringList{"save:导出 等额本息输入信息 至本地文件",
                                                      question, "inform:导出成功！"}));
    const LoanDocument loan = AdjustedLoan();
    EXPECT_EQ(ReadWholeFile(path), BackupBytes(BackupOf(loan.Form(), loan.Plan())));

    // Importing the .bak leaves the page without adjustments, bank rows or 按分入账, the box
    // included: exporting it asks nothing.
    EXPECT_EQ(RunWithFile("TBdr", path).last(), "inform:导入成功！");
    EXPECT_FALSE(Find<QCheckBox>("suiCheckBankRounding")->isChecked());
    EXPECT_EQ(RunWithFile("TBdc", path),
              (QStringList{"save:导出 等额本息输入信息 至本地文件",
                           "replace:文件已经存在，是否替换该文件？", "inform:导出成功！"}));
}

TEST_F(LoanFileCommandTest, AFailingLoanFileNamesLineAndKeyAndChangesNothing)
{
    Enter("suiNEdkze", "123456");
    const RateTable rates = window->CommercialRates();
    std::string text = *LoanFileText(LoanFileOf(AdjustedLoan()));
    text.replace(text.find("\"periods\": \"240\""), 16, "\"periods\": \"24x\"");
    const std::string path = dir.Write("bad.lumavo", text).string();
    EXPECT_EQ(RunWithFile("TBdr", path),
              (QStringList{"open:从本地文件导入 等额本息输入信息",
                           QString::fromStdString("fail:导入失败！ (" + path +
                                                  ":14: 不是有效的贷款方案文件：“loan.form.periods”"
                                                  "不是数字)")}));
    EXPECT_EQ(Text("suiNEdkze"), "123456.00");
    EXPECT_EQ(Find<QListWidget>("suiListBox1")->count(), 0);
    EXPECT_EQ(window->CommercialRates(), rates);
}

} // namespace
} // namespace lumavo::testing_support
