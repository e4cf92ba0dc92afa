#pragma once

#include "calc/rate_table.h"
#include "files/rate_data.h"
#include "ui/loan_page.h"

#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QKeyEvent;
class QLabel;
class QTabWidget;
class QToolBar;

namespace lumavo {

class ChartPage;
class ComparePage;
class LoanPage;
class NumberEdit;
class RatePage;
class ReconcilePage;
class UserDialogs;
struct FileCommandContext;

// What the window takes from outside: where the rate archive lives, the year the year lists
// run up to (plus three), and who shows messages.
struct WindowSetup
{
    std::string archivePath;                 // empty: "percents.ini" beside the program
    int currentYear = 0;                     // 0: today's year
    UserDialogs* dialogs = nullptr;          // null: real message boxes
    std::optional<RateDataPaths> rateData{}; // unset: beside the program and the user's data folder
};

// frmMain: the calculator's one window. Handlers keep the names the program is known by and
// hand the work to the page helpers.
class TfrmMain : public QMainWindow
{
    Q_OBJECT

  public:
    explicit TfrmMain(WindowSetup setup = {});
    ~TfrmMain() override;

    // The floating tables both loan pages compute with.
    const RateTable& CommercialRates() const { return m_debxDocument.Floating().s; }
    const RateTable& ProvidentRates() const { return m_debxDocument.Floating().g; }
    // The loan behind the page of a method, with what no widget shows of it (the bank's rows).
    const LoanDocument& LoanDocumentOf(Method method) const
    {
        return method == Method::Debx ? m_debxDocument : m_debjDocument;
    }
    // Every page but 等额本息 is built when it is first shown or first needed, so the window
    // opens as soon as that one is ready; this builds the rest now, for whoever looks their
    // controls up by name.
    void BuildEveryPage();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    LoanPageHandlers Tab1Handlers();
    LoanPageHandlers Tab2Handlers();
    std::function<void()> Bind(void (TfrmMain::*handler)());

    void BuildToolbar();
    void BuildPrintMenu();
    void BuildPages();
    LoanPage& Debj();
    void AttachLoanPage(LoanPage& page, const LoanPageHandlers& handlers);
    RatePage& RatesS();
    RatePage& RatesG();
    ChartPage& Charts();
    ComparePage& Compare();
    void ConnectPasteRefusals(QWidget* root);
    void ShowComparison(const LoanPage& page, QWidget* sheet);
    void PreviewOn(LoanPage& page, QWidget* sheet);
    void BuildStatusBar();
    void FitToScreen(const QSize& preferred);
    // The page's controls, built and connected the first time.
    RatePage& BuiltRatePage(RatePage& page,
                            void (TfrmMain::*fieldChange)(const NumberEdit*),
                            void (TfrmMain::*uniformClick)(),
                            void (TfrmMain::*fillClick)());
    void Inform(const char* message);
    bool KeepRatesBeforeClosing();
    void RatesChanged();
    void ShowStaleNote();
    bool SwitchPageByKey(const QKeyEvent& key);
    void OpenWebPage(const char* url);
    LoanPage& ActiveLoanPage();
    QString LoanPageName(const LoanPage* page) const;
    QString ActiveWorksheetName();
    FileCommandContext FileContext();

    // Window
    void FormShow();
    void FormClose();
    void suiPageControl1Change();

    // Toolbar
    void TBjsClick();
    void TBcdnllClick();
    void CalcDEBX();
    void CalcDEBJ();
    void TBdrClick();
    void TBdcClick();
    void TBbcClick();
    void TBdyClick();
    void TBdypdfClick();
    void TBtsClick();
    void TBdbClick();
    void TBhdClick(); // 核对
    void ToolButton1Click();
    void ToolButton5Click();
    void ToolButton6Click();

    // Chart page
    void ToolButton2Click();
    void ToolButton4Click();
    void ToolButton3Click();
    void ToolButtonResetClick(); // 复位: the whole range of both charts after zooming

    // Rate pages
    void LoadRateArchive();
    void SaveRateArchive();
    void suiNEperChange(const NumberEdit* sender);
    void suiNEperGChange(const NumberEdit* sender);
    void suiButton1Click();
    void suiButton8Click();
    void suiButtonFillClick();
    void suiButtonFillGClick();
    void FillRatePage(RatePage& page);
    void ShowRateProblemsOnce();
    const RateHistory* RateDataForRules();

    // Tab 1
    void suiRadioGroup1Click();
    void suiNEdjChange();
    void suiCBajcsChange();
    void suiButton6Click();
    void suiComboBox1Change();
    void suiNEajqsChange();
    void suiCBfdyearChange();
    void suiCBfdmonthChange();
    void suiCBfirstyearChange();
    void suiCBfirstmonthChange();
    void suiCBtqyearChange();
    void suiCBtqmonthChange();
    void suiNEratioSChange();
    void suiCBLoanTypeClick();
    void suiRBgdClick();
    void suiRBfdClick();
    void suiButton2Click();
    void suiButton3Click();
    void suiButton9Click();
    void suiListBox1Click();
    void suiCBoneoverClick();
    void suiPanel1Pop();

    // Tab 2
    void suiRadioGroup2Click();
    void suiNEdj2Change();
    void suiCBajcs2Change();
    void suiButton7Click();
    void suiComboBox2Change();
    void suiNEajqs2Change();
    void suiCBfdyear2Change();
    void suiCBfdmonth2Change();
    void suiCBfirstyear2Change();
    void suiCBfirstmonth2Change();
    void suiCBtqyear2Change();
    void suiCBtqmonth2Change();
    void suiNEratioS2Change();
    void suiCBLoanType2Click();
    void suiRBgd2Click();
    void suiRBfd2Click();
    void suiButton4Click();
    void suiButton5Click();
    void suiButton10Click();
    void suiListBox2Click();
    void suiCBoneover2Click();
    void suiPanel2Pop();

    std::string m_archivePath;
    int m_currentYear;
    std::unique_ptr<UserDialogs> m_ownDialogs;
    UserDialogs* m_dialogs;
    bool m_shown = false;

    RateDataPaths m_rateDataPaths;
    LoadedRateData m_rateData; // the published rates 填充 fills from
    bool m_rateProblemsShown = false;
    QString m_dialogFolder; // where the next file dialog starts

    QToolBar* suiToolBar1 = nullptr;
    QAction* TBdr = nullptr;
    QAction* TBdc = nullptr;
    QAction* TBjs = nullptr;
    QAction* TBts = nullptr;
    QAction* TBdb = nullptr;
    QAction* TBhd = nullptr; // 核对 suiActionHd
    QAction* TBbc = nullptr;
    QAction* TBdy = nullptr;    // 打印
    QAction* TBdypdf = nullptr; // 导出PDF…, on 打印's menu
    QAction* TBcdnll = nullptr;
    QLabel* m_staleNote = nullptr; // 输入已修改，请重新计算, while the shown loan page is stale
    QTabWidget* suiPageControl1 = nullptr;
    QWidget* suiTabSheet1 = nullptr;
    QWidget* suiTabSheet2 = nullptr;
    QWidget* suiTabSheet3 = nullptr;
    QWidget* suiTabSheet4 = nullptr;
    QWidget* suiTabSheet5 = nullptr;
    QWidget* suiTabSheet6 = nullptr;
    // The documents before the pages that show them: a page goes first.
    LoanDocument m_debxDocument{Method::Debx};
    LoanDocument m_debjDocument{Method::Debj};
    std::unique_ptr<LoanPage> m_debx;   // tab 1 等额本息
    std::unique_ptr<LoanPage> m_debj;   // tab 2 等额本金, once built
    LoanPage* m_lastLoanPage = nullptr; // the one the rate pages take their dates from
    std::unique_ptr<RatePage> m_ratesS;
    std::unique_ptr<RatePage> m_ratesG;
    std::unique_ptr<ChartPage> m_charts;    // tab 5 分期还款曲线图, once built
    std::unique_ptr<ComparePage> m_compare; // tab 6 方案对比, once built
    ReconcilePage* m_reconcile = nullptr;   // tab 7 核对, owned by its tab
};

} // namespace lumavo
