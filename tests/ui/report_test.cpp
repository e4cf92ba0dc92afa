#include "common/atomic_file.h"
#include "tests/support/full_disk.h"
#include "tests/support/outside.h"
#include "tests/support/workbook_check.h"
#include "tests/ui/window_fixture.h"

#include <QFontDatabase>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <cstdio>
#include <gmock/gmock.h>

// The workbook, the print preview and the PDF report of a loan page.
namespace lumavo::testing_support {
namespace {

// A tool's standard output, or nullopt when it is not installed.
std::optional<std::string> Tool(const std::string& command)
{
    if (!HaveProgram(command.substr(0, command.find(' '))))
        return std::nullopt;
    std::string out;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    char buffer[4096];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe))
        out += buffer;
    if (pipe)
        ::pclose(pipe);
    return out;
}

int PdfPages(const std::string& path)
{
    const auto info = Tool("pdfinfo '" + path + "'");
    const auto match = QRegularExpression("Pages:\\s+(\\d+)").match(QString::fromStdString(*info));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

class ReportTest : public WindowTest
{
  protected:
    QStringList Run(const char* action, const std::string& path)
    {
        dialogs.boxes.clear();
        dialogs.chosenFile = QString::fromStdString(path);
        Press(action);
        QStringList seen;
        for (const auto& box : dialogs.boxes)
            seen << QString::fromStdString(box.kind) + ":" + box.text;
        return seen;
    }
    // The worked loan over 30 years: 360 rows, several pages.
    void Calculate360()
    {
        EnterWorkedLoan(0, "360");
        Press("TBjs");
    }
};

class NothingCalculated : public ReportTest, public ::testing::WithParamInterface<const char*>
{
};

// Without a schedule the page must say so rather than print or save an empty table; a refused
// calculation leaves the page as empty as before.
TEST_P(NothingCalculated, SaysSoAndWritesNothing)
{
    Press("TBjs"); // refused: no loan total
    const std::string path = dir.File(std::string("report.") + GetParam());
    const QStringList seen = Run(GetParam()[1] == 'd' ? "TBdypdf" : "TBbc", path);
    EXPECT_EQ(seen.last(), "inform:还没有算出分期还款表，请先计算！");
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(Run("TBdy", path), QStringList{"inform:还没有算出分期还款表，请先计算！"});
}

INSTANTIATE_TEST_SUITE_P(Outputs, NothingCalculated, ::testing::Values("xlsx", "pdf"));

// The worked examples read back by a real reader: with and without a plan, on either page.
class WorkbookSave : public ReportTest, public ::testing::WithParamInterface<std::tuple<int, bool>>
{
};

TEST_P(WorkbookSave, AmountsAreNumbersAndTheTotalsTheWindows)
{
    const auto [page, withPlan] = GetParam();
    const QString s = page == 0 ? "" : "2";
    EnterWorkedLoan(page);
    if (withPlan) {
        Choose("suiCBtqyear" + s, "2009");
        Choose("suiCBtqmonth" + s, "05");
        Enter("suiNEtqse" + s, "20000");
        Find<QPushButton>(page == 0 ? "suiButton2" : "suiButton4")->click();
    }
    Press("TBjs");
    const std::string path = dir.File("表.xlsx");
    ASSERT_EQ(Run("TBbc", path).last(), "inform:保存成功！");
    EXPECT_EQ(dialogs.requests.back().otherFilters, QStringList{"Excel 工作簿 (*.xlsx)"});

    std::vector<std::pair<std::string, std::string>> lines{
        {"还款总额：", Text("suiNEhkze" + s).toStdString()},
        {"利息总额：", Text("suiNElxze" + s).toStdString()},
        {"还款截止日期：", Text("suiEjzrq" + s).trimmed().toStdString()},
        {"贷款总额：", "100000.00"},
        {"按揭期数：", "12"}};
    if (withPlan)
        lines.push_back(
            {"提前还贷计划：", "2009年05月01日 商业贷款 提前还贷 20000.00 元，缩短 0 期"});
    const auto check = CheckWorkbook(dir, path, page == 0 ? "等额本息" : "等额本金",
                                     Grid(page == 0 ? "suiSG1" : "suiSG2")->Texts(), lines);
    if (check.status == 77)
        GTEST_SKIP() << check.output;
    EXPECT_EQ(check.status, 0) << check.output;
}

INSTANTIATE_TEST_SUITE_P(Pages,
                         WorkbookSave,
                         ::testing::Combine(::testing::Values(0, 1), ::testing::Bool()),
                         [](const auto& p) {
                             return std::string(std::get<0>(p.param) == 0 ? "Debx" : "Debj") +
                                    (std::get<1>(p.param) ? "WithPlan" : "");
                         });

TEST_F(ReportTest, PdfOf360PeriodsHasEveryPageTotalsAndAnEmbeddedChineseFont)
{
    if (!Tool("pdftotext -v"))
        GTEST_SKIP() << "poppler-utils is not installed";
    if (QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty())
        GTEST_SKIP() << "no font with Chinese characters is installed (fonts-wqy-microhei); the "
                        "report's Chinese font was not checked";
    Calculate360();
    const std::string path = dir.File("report.pdf");
    ASSERT_EQ(Run("TBdypdf", path),
              (QStringList{"save:导出 等额本息贷款分期还款表 至PDF文件", "inform:导出成功！"}));
    const int pages = PdfPages(path);
    // About 50 rows a page at a readable size; the exact count follows the font's height.
    EXPECT_THAT(pages, ::testing::AllOf(::testing::Ge(6), ::testing::Le(9)));
    // pdftotext drops the narrow blanks between Chinese and digits, so blanks do not count.
    const QRegularExpression blanks("\\s+");
    const QString text = QString::fromStdString(*Tool("pdftotext '" + path + "' -")).remove(blanks);
    const ScheduleGrid* grid = Grid("suiSG1");
    for (const QString& expected :
         {Text("suiNEhkze"), Text("suiNElxze"), Text("suiEjzrq").trimmed(), grid->Cell(0, 1),
          grid->Cell(4, 1), grid->Cell(0, 360), grid->Cell(5, 360),
          QString::fromStdString("第 1 页 / 共 " + std::to_string(pages) + " 页"),
          QString::fromStdString("第 " + std::to_string(pages) + " 页 / 共 " +
                                 std::to_string(pages) + " 页"),
          QString("月利息还款额（元）")})
        EXPECT_TRUE(text.contains(QString(expected).remove(blanks))) << expected.toStdString();
    // The header stands on every page.
    EXPECT_EQ(text.count("剩余本金"), pages);

    // Every font embedded (the "emb" column), one of them holding the Chinese texts.
    const QStringList fonts =
        QString::fromStdString(*Tool("pdffonts '" + path + "'")).split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(fonts.size(), 3);
    EXPECT_THAT(fonts.mid(2).join('\n').toStdString(),
                ::testing::ContainsRegex("(WenQuanYi|Noto|CJK|Hei|Han)"));
    for (const QString& font : fonts.mid(2))
        EXPECT_EQ(font.split(' ', Qt::SkipEmptyParts).end()[-5], "yes") << font.toStdString();
}

// The preview paints the same pages the PDF holds.
TEST_F(ReportTest, PreviewShowsTheReportOnA4)
{
    if (!Tool("pdfinfo -v"))
        GTEST_SKIP() << "poppler-utils is not installed";
    Calculate360();
    ShowPage(1);
    ShowPage(0);
    ASSERT_EQ(Run("TBdy", ""), QStringList{"preview:等额本息贷款分期还款表"});
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(ReportPageLayout());
    printer.setOutputFileName(QString::fromStdString(dir.File("preview.pdf")));
    dialogs.previewPaint(&printer);
    Run("TBdypdf", dir.File("direct.pdf"));
    EXPECT_EQ(PdfPages(dir.File("preview.pdf")), PdfPages(dir.File("direct.pdf")));
    EXPECT_THAT(*Tool("pdfinfo '" + dir.File("preview.pdf") + "'"), ::testing::HasSubstr("(A4)"));
}

TEST_F(ReportTest, PrintIsOnTheLoanPagesOnlyWithCtrlP)
{
    for (int page = 0; page < 5; ++page) {
        ShowPage(page);
        EXPECT_EQ(Find<QToolButton>("TBdy")->isVisible(), page < 2) << page;
    }
    EXPECT_EQ(Find<QAction>("TBdy")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_EQ(Find<QAction>("TBdy")->toolTip(), "打印分期还款表 (Ctrl+P)");
}

struct FailureCase
{
    const char* name;
    const char* action;
    const char* file;
};

void PrintTo(const FailureCase& failure, std::ostream* os)
{
    *os << failure.name;
}

class FailedWrite : public ReportTest, public ::testing::WithParamInterface<FailureCase>
{
};

// A full disk midway, a folder that does not exist, a cancelled dialog: the old file stays as it
// was and nothing else appears.
TEST_P(FailedWrite, KeepsTheOldFile)
{
    EnterWorkedLoan(0);
    Press("TBjs");
    const std::string path = dir.File(GetParam().file);
    ASSERT_EQ(WriteFileAtomically(path, "old"), std::nullopt);
    const auto before = Listing(dir.Dir());

    const QStringList cancelled = Run(GetParam().action, "");
    ASSERT_EQ(cancelled.size(), 1);
    EXPECT_TRUE(cancelled.front().startsWith("save:"));
    EXPECT_THAT(Run(GetParam().action, "/nonexistent/folder/x").last().toStdString(),
                ::testing::AnyOf(::testing::StartsWith("inform:保存失败！"),
                                 ::testing::StartsWith("fail:导出失败！")));
    g_diskRoom = 100;
    const ScopedWriteCall fullDisk(FullDiskWrite);
    EXPECT_THAT(Run(GetParam().action, path).last().toStdString(),
                ::testing::AnyOf(::testing::StartsWith("inform:保存失败！"),
                                 ::testing::StartsWith("fail:导出失败！")));
    EXPECT_EQ(ReadWholeFile(path), "old");
    EXPECT_EQ(Listing(dir.Dir()), before);
}

INSTANTIATE_TEST_SUITE_P(Writers,
                         FailedWrite,
                         ::testing::Values(FailureCase{"Workbook", "TBbc", "old.xlsx"},
                                           FailureCase{"Pdf", "TBdypdf", "old.pdf"}),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace lumavo::testing_support
