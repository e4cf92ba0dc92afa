#include "common/atomic_file.h"
#include "common/gbk.h"
#include "tests/support/full_disk.h"
#include "tests/ui/window_fixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <cstdlib>
#include <filesystem>
#include <gmock/gmock.h>

namespace lumavo::testing_support {
namespace {

const std::string kStartLine =
    "1,0.00,0.00,8,0.00,100,20,240,1,0.000,0.000,1997,01,01,1997,01,01,0";

class FileCommandTest : public WindowTest
{
  protected:
    QWidget* Sheet(int page) const { return Pages()->widget(page); }

    // Everything an import may change on a loan page, in the order the page builds it, so the
    // two tabs compare with each other. The fields of a plan entry being composed are left out.
    QStringList PageState(int page) const
    {
        QStringList state;
        for (QWidget* widget : Sheet(page)->findChildren<QWidget*>()) {
            const QString name = widget->objectName() + widget->parentWidget()->objectName();
            if (name.contains("tq") || name.contains("sdajqs") || name.contains("oneover"))
                continue;
            const QString enabled = widget->isEnabled() ? "+" : "-";
            if (auto* field = qobject_cast<NumberEdit*>(widget))
                state << field->text() + enabled;
            else if (auto* combo = qobject_cast<ChooseCombo*>(widget))
                state << combo->currentText() + "/" + QString::number(combo->count()) + enabled;
            else if (auto* radio = qobject_cast<QRadioButton*>(widget))
                state << radio->text() + (radio->isChecked() ? "*" : "") + enabled;
            else if (auto* list = qobject_cast<QListWidget*>(widget))
                for (int i = 0; i < list->count(); ++i)
                    state << list->item(i)->text();
        }
        return state;
    }

    QString ListName(const QString& s) const { return s.isEmpty() ? "suiListBox1" : "suiListBox2"; }

    // A page far from its start-up state: by area, combination loan, floating rates, two plan
    // entries of which one pays off.
    void FillPage(const QString& s)
    {
        ShowPage(s.isEmpty() ? 0 : 1);
        Find<RadioGroup>(s.isEmpty() ? "suiRadioGroup1" : "suiRadioGroup2")->Item(0)->click();
        Enter("suiNEmj" + s, "88.5");
        Choose("suiCBajcs" + s, "7");
        Enter("suiNEdj" + s, "12000");
        Choose("suiCBLoanType" + s, "组合贷款");
        Enter("suiNEratioS" + s, "70");
        Choose(s.isEmpty() ? "suiComboBox1" : "suiComboBox2", "25");
        Enter("suiNEnllS" + s, "5.94");
        Enter("suiNEnllG" + s, "4.05");
        Find<QRadioButton>("suiRBfd" + s)->click();
        Choose("suiCBfdyear" + s, "2011");
        Choose("suiCBfdmonth" + s, "03");
        Choose("suiCBfdday" + s, "31");
        Choose("suiCBfirstyear" + s, "2011");
        Choose("suiCBfirstmonth" + s, "04");
        Choose("suiCBfirstday" + s, "30");
        Choose("suiCBtqyear" + s, "2012");
        Enter("suiNEtqse" + s, "50000");
        Enter("suiNEsdajqs" + s, "12");
        Find<QPushButton>(s.isEmpty() ? "suiButton2" : "suiButton4")->click();
        Choose("suiCBtqyear" + s, "2013");
        Find<RadioGroup>("suiRGtqhdType" + s)->Item(1)->click();
        Find<QCheckBox>("suiCBoneover" + s)->click();
        Find<QPushButton>(s.isEmpty() ? "suiButton2" : "suiButton4")->click();
        ASSERT_EQ(Find<QListWidget>(ListName(s))->count(), 2);
        dialogs.boxes.clear();
    }

    QStringList Import(int page, const std::string& bytes)
    {
        ShowPage(page);
        return RunWithFile("TBdr", dir.Write("in.bak", bytes).string());
    }
    // The file as its text reads: written in GBK.
    QStringList ImportText(int page, const std::string& utf8)
    {
        return Import(page, *Utf8ToGbk(utf8));
    }
};

struct RoundTrip
{
    const char* name;
    const char* from;
    const char* to;
};

class BackupRoundTrip : public FileCommandTest, public ::testing::WithParamInterface<RoundTrip>
{
};

TEST_P(BackupRoundTrip, RestoresEveryInputAndThePlan)
{
    const QString from = GetParam().from;
    const QString to = GetParam().to;
    FillPage(from);
    const QStringList filled = PageState(from.isEmpty() ? 0 : 1);
    const std::string path = dir.File("page.bak");
    EXPECT_EQ(RunWithFile("TBdc", path),
              (QStringList{from.isEmpty() ? "save:导出 等额本息输入信息 至本地文件"
                                          : "save:导出 等额本金输入信息 至本地文件",
                           "inform:导出成功！"}));

    Open();
    EXPECT_EQ(Import(to.isEmpty() ? 0 : 1, *ReadWholeFile(path)).last(), "inform:导入成功！");
    EXPECT_EQ(PageState(to.isEmpty() ? 0 : 1), filled);
    EXPECT_EQ(Find<QListWidget>(ListName(to))->item(1)->text(), "2013年01月01日 G<=> 0 元 0 期 Y");
}

INSTANTIATE_TEST_SUITE_P(Tabs,
                         BackupRoundTrip,
                         ::testing::Values(RoundTrip{"Tab1", "", ""},
                                           RoundTrip{"Tab2", "2", "2"},
                                           RoundTrip{"Tab1ToTab2", "", "2"}),
                         [](const auto& trip) { return std::string(trip.param.name); });

TEST_F(FileCommandTest, ExportWritesTheStartLineAndAsksBeforeReplacing)
{
    const std::string path = dir.File("start.bak");
    EXPECT_EQ(RunWithFile("TBdc", path).size(), 2);
    EXPECT_EQ(*ReadWholeFile(path), kStartLine + "\r\n");
    const FileRequest& request = dialogs.requests.back();
    EXPECT_EQ(request.fileName, "等额本息输入信息");
    EXPECT_EQ(request.defaultSuffix, "bak");
    EXPECT_EQ(request.filter, "Backup files (*.bak)");

    Enter("suiNEdkze", "5");
    dialogs.replaceAnswer = false;
    EXPECT_EQ(RunWithFile("TBdc", path), (QStringList{"save:导出 等额本息输入信息 至本地文件",
                                                      "replace:文件已经存在，是否替换该文件？"}));
    EXPECT_EQ(*ReadWholeFile(path), kStartLine + "\r\n");
    EXPECT_EQ(RunWithFile("TBdc", ""), QStringList{"save:导出 等额本息输入信息 至本地文件"});
    EXPECT_EQ(RunWithFile("TBdr", ""), QStringList{"open:从本地文件导入 等额本息输入信息"});
    EXPECT_TRUE(dialogs.requests.back().fileName.isEmpty());

    // A disk that fills midway: the old file stays whole and nothing is left beside it.
    dialogs.replaceAnswer = true;
    g_diskRoom = 10;
    const ScopedWriteCall fullDisk(FullDiskWrite);
    EXPECT_THAT(RunWithFile("TBdc", path).last().toStdString(),
                ::testing::StartsWith("fail:导出失败！ ("));
    EXPECT_EQ(*ReadWholeFile(path), kStartLine + "\r\n");
    EXPECT_EQ(Listing(dir.Dir()), (std::set<std::string>{"start.bak"}));
}

// Files from before the loan type: the commercial share tells it.
TEST_F(FileCommandTest, SeventeenFieldFilesDeriveTheLoanType)
{
    struct Case
    {
        const char* share;
        QString type;
        bool sharesEnabled;
        QString provident;
    };
    for (const Case& c :
         {Case{"100", "商业贷款", false, "0"}, Case{"0", "公积金贷款", false, "100"},
          Case{"60", "组合贷款", true, "40"}}) {
        SCOPED_TRACE(c.share);
        const std::string line = "1,0.00,0.00,8,500000.00," + std::string(c.share) +
                                 ",20,240,1,5.000,4.000,2009,01,15,2009,02,15\r\n";
        EXPECT_EQ(Import(1, line).last(), "inform:导入成功！");
        EXPECT_EQ(Combo("suiCBLoanType2")->currentText(), c.type);
        EXPECT_EQ(Find<QGroupBox>("suiGroupBox18")->isEnabled(), c.sharesEnabled);
        EXPECT_EQ(Text("suiNEratioG2"), c.provident);
    }
}

TEST_F(FileCommandTest, AppliesFieldsWithThePageRules)
{
    const std::string plan = "2012年03月15日,12500.5,0,S,N\r\n2012年03月15日,1,0,X,maybe\r\n";
    // Area 0 with a new price: the loan-total rule speaks during the import.
    EXPECT_EQ(
        ImportText(0, "0,0.00,9000.00,8,0.00,100,20,240,2,0.000,0.000,2008,01,29,2008,02,29,5," +
                          std::string("extra\r\n") + plan + "\r\n"),
        (QStringList{"open:从本地文件导入 等额本息输入信息", "inform:面积须大于零！",
                     "inform:导入成功！"}));
    EXPECT_TRUE(Find<QRadioButton>("suiRBfd")->isChecked());
    EXPECT_FALSE(Field("suiNEnllS")->isEnabled());
    EXPECT_EQ(Combo("suiCBLoanType")->currentIndex(), -1);
    EXPECT_EQ(Combo("suiCBfirstday")->currentText(), "29");
    EXPECT_EQ(Combo("suiCBfirstday")->count(), 29);
    EXPECT_EQ(Find<QListWidget>("suiListBox1")->item(0)->text(),
              "2012年03月15日 S<=> 12500.5 元 0 期 N");
    EXPECT_EQ(Find<QListWidget>("suiListBox1")->item(1)->text(),
              "2012年03月15日 X<=> 1 元 0 期 maybe");

    // An entry of an unknown part leaves tab 1's part choice alone and shows as G on tab 2.
    for (int page : {0, 1}) {
        const QString s = page == 0 ? "" : "2";
        EXPECT_EQ(ImportText(page, kStartLine + "\r\n" + plan).last(), "inform:导入成功！");
        auto* list = Find<QListWidget>(ListName(s));
        list->setCurrentRow(1);
        EXPECT_EQ(Find<RadioGroup>("suiRGtqhdType" + s)->ItemIndex(), page == 0 ? 0 : 1);
    }
    // An empty file reads as one without a plan: the list empties.
    EXPECT_EQ(Import(0, kStartLine + "\r\n").last(), "inform:导入成功！");
    EXPECT_EQ(Find<QListWidget>("suiListBox1")->count(), 0);
}

// Regression: a file failing halfway used to leave the page half imported.
TEST_F(FileCommandTest, AFailedImportChangesNothing)
{
    const std::string good = kStartLine + "\r\n";
    const std::string cases[] = {
        "",
        "\r\n" + good,
        "1,0.00,0.00,8,0.00,100,20,240,1,0.000,0.000,1997,01,01,1997,01\r\n",
        good + "2012年03月15日,1,0,S,N\r\n\r\n2013年03月15日,1,0,S,N\r\n",
        good + "2012年03月15日,1,0,S\r\n",
        'x' + good.substr(1),
        "1,0.00,abc" + good.substr(9),
        good + "2012年03月15日,abc,0,S,N\r\n",
        "1,0.00,0.00,8,0.00,100,20,240,1,0.000,0.000,2010,02,30,2010,03,01,0\r\n",
        "1,0.00,0.00,8,0.00,100,20,240,1,0.000,0.000,1990,01,01,1997,01,01,0\r\n",
    };
    FillPage("");
    const QStringList before = PageState(0);
    for (const std::string& bytes : cases) {
        SCOPED_TRACE(bytes);
        const QStringList seen = ImportText(0, bytes);
        ASSERT_EQ(seen.size(), 2);
        EXPECT_THAT(seen.last().toStdString(), ::testing::StartsWith("fail:导入失败！ ("));
        EXPECT_THAT(seen.last().toStdString(), ::testing::HasSubstr("in.bak"));
        EXPECT_EQ(PageState(0), before);
    }
    EXPECT_THAT(RunWithFile("TBdr", dir.File("missing.bak")).last().toStdString(),
                ::testing::StartsWith("fail:导入失败！"));
    EXPECT_EQ(PageState(0), before);
}

// GBK bytes of a cell as the worksheet stores them.
std::size_t GbkLength(const QString& text)
{
    return Utf8ToGbk(text.toStdString())->size();
}

TEST_F(FileCommandTest, WorksheetOfTheStartGrid)
{
    const std::string path = dir.File("grid.xls");
    EXPECT_EQ(RunWithFile("TBbc", path),
              (QStringList{"save:导出 等额本息贷款分期还款表 至Excel文件", "inform:保存成功！"}));
    const TextGrid& grid = Grid("suiSG1")->Texts();
    ASSERT_EQ(grid.columns * grid.rows, 200);
    std::size_t headerBytes = 0;
    for (int column = 0; column < 8; ++column)
        headerBytes += GbkLength(Grid("suiSG1")->Cell(column, 0));
    const std::string bytes = *ReadWholeFile(path);
    // BOF, the code-page record, a LABEL per cell, EOF.
    EXPECT_EQ(bytes.size(), 12 + 6 + 12 * 200 + headerBytes + 4);
    const std::size_t first = 18;
    const std::size_t second = first + 12 + GbkLength(Grid("suiSG1")->Cell(0, 0));
    EXPECT_EQ(bytes.substr(first, 2), std::string("\x04\x02", 2));
    EXPECT_EQ(bytes.substr(first + 4, 4), std::string("\0\0\0\0", 4));  // row 0, column 0
    EXPECT_EQ(bytes.substr(second + 4, 4), std::string("\1\0\0\0", 4)); // row 1, column 0
    EXPECT_EQ(bytes.substr(second + 10, 2), std::string("\0\0", 2));    // empty cell

    ShowPage(1);
    EXPECT_EQ(RunWithFile("TBbc", ""), QStringList{"save:导出 等额本金贷款分期还款表 至Excel文件"});
    EXPECT_EQ(dialogs.requests.back().fileName, "等额本金贷款分期还款表");
    EXPECT_EQ(dialogs.requests.back().defaultSuffix, "xls");
    EXPECT_EQ(dialogs.requests.back().filter, "Excel files (*.xls)");
    dialogs.replaceAnswer = false;
    EXPECT_EQ(RunWithFile("TBbc", path).last(), "replace:文件已经存在，是否替换该文件？");
    EXPECT_EQ(*ReadWholeFile(path), bytes);

    dialogs.replaceAnswer = true;
    g_diskRoom = 100;
    const ScopedWriteCall fullDisk(FullDiskWrite);
    EXPECT_THAT(RunWithFile("TBbc", path).last().toStdString(),
                ::testing::StartsWith("inform:保存失败！ (" + path));
    EXPECT_EQ(*ReadWholeFile(path), bytes);
    EXPECT_EQ(Listing(dir.Dir()), (std::set<std::string>{"grid.xls"}));
}

struct FolderCase
{
    const char* name;
    const char* first;  // the command whose dialog picks a file in another folder
    bool picked;        // false: that dialog is cancelled
    const char* second; // the command whose dialog then opens
};

// The dialogs opened in the program's folder, which an installed copy cannot write: they start in
// the user's documents folder, then wherever the last file was picked.
class DialogFolder : public FileCommandTest, public ::testing::WithParamInterface<FolderCase>
{
  protected:
    void SetUp() override
    {
        m_home = qgetenv("HOME");
        m_config = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QByteArray::fromStdString(dir.Dir().string()));
        qunsetenv("XDG_CONFIG_HOME");
        std::filesystem::create_directories(dir.Dir() / "Documents");
        std::filesystem::create_directories(dir.Dir() / "loans");
        FileCommandTest::SetUp();
    }
    void TearDown() override
    {
        qputenv("HOME", m_home);
        if (m_config.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", m_config);
    }
    QString Folder(const char* name) const
    {
        return QString::fromStdString((dir.Dir() / name).string());
    }

  private:
    QByteArray m_home;
    QByteArray m_config;
};

TEST_P(DialogFolder, StartsInTheDocumentsFolderThenInTheLastOneUsed)
{
    const FolderCase& c = GetParam();
    ShowPage(0);
    RunWithFile(c.first, c.picked ? (dir.Dir() / "loans" / "a.bak").string() : "");
    ASSERT_FALSE(dialogs.requests.empty());
    EXPECT_EQ(dialogs.requests.back().folder, Folder("Documents"));
    RunWithFile(c.second, "");
    EXPECT_EQ(dialogs.requests.back().folder, Folder(c.picked ? "loans" : "Documents"));
}

INSTANTIATE_TEST_SUITE_P(Commands,
                         DialogFolder,
                         ::testing::Values(FolderCase{"ImportThenSave", "TBdr", true, "TBbc"},
                                           FolderCase{"ExportThenImport", "TBdc", true, "TBdr"},
                                           FolderCase{"SaveThenExport", "TBbc", true, "TBdc"},
                                           FolderCase{"CancelledKeepsTheFolder", "TBdc", false,
                                                      "TBdr"}),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace lumavo::testing_support
