#include "ui/Umain.h"

#include "common/archive.h"
#include "common/atomic_file.h"
#include "common/messages.h"
#include "ui/Uabout.h"
#include "ui/chart_page.h"
#include "ui/commands.h"
#include "ui/compare_page.h"
#include "ui/file_commands.h"
#include "ui/loan_page.h"
#include "ui/number_edit.h"
#include "ui/page_sheet.h"
#include "ui/rate_page.h"
#include "ui/reconcile_page.h"
#include "ui/schedule_grid.h"
#include "ui/schedule_print.h"
#include "ui/screen_fit.h"
#include "ui/user_dialogs.h"
#include "ui/utf8.h"
#include "ui/widget_kit.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDateTime>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace lumavo {

namespace {

const QColor kBackground(0xE7, 0xE7, 0xE7);
const QSize kDefaultSize(915, 690);

} // namespace

// The handlers of each loan tab by what they answer; a handler under the wrong name does not
// compile, since the names must come in the order the page declares them.
LoanPageHandlers TfrmMain::Tab1Handlers()
{
    return {.modeClick = Bind(&TfrmMain::suiRadioGroup1Click),
            .priceChange = Bind(&TfrmMain::suiNEdjChange),
            .ratioChange = Bind(&TfrmMain::suiCBajcsChange),
            .roundClick = Bind(&TfrmMain::suiButton6Click),
            .yearsChange = Bind(&TfrmMain::suiComboBox1Change),
            .periodsChange = Bind(&TfrmMain::suiNEajqsChange),
            .lendingYearChange = Bind(&TfrmMain::suiCBfdyearChange),
            .lendingMonthChange = Bind(&TfrmMain::suiCBfdmonthChange),
            .firstYearChange = Bind(&TfrmMain::suiCBfirstyearChange),
            .firstMonthChange = Bind(&TfrmMain::suiCBfirstmonthChange),
            .prepaymentYearChange = Bind(&TfrmMain::suiCBtqyearChange),
            .prepaymentMonthChange = Bind(&TfrmMain::suiCBtqmonthChange),
            .shareChange = Bind(&TfrmMain::suiNEratioSChange),
            .loanTypeClick = Bind(&TfrmMain::suiCBLoanTypeClick),
            .fixedRateClick = Bind(&TfrmMain::suiRBgdClick),
            .floatingRateClick = Bind(&TfrmMain::suiRBfdClick),
            .submitClick = Bind(&TfrmMain::suiButton2Click),
            .undoClick = Bind(&TfrmMain::suiButton3Click),
            .previewClick = Bind(&TfrmMain::suiButton9Click),
            .planListClick = Bind(&TfrmMain::suiListBox1Click),
            .oneoverClick = Bind(&TfrmMain::suiCBoneoverClick),
            .panelPop = Bind(&TfrmMain::suiPanel1Pop)};
}

LoanPageHandlers TfrmMain::Tab2Handlers()
{
    return {.modeClick = Bind(&TfrmMain::suiRadioGroup2Click),
            .priceChange = Bind(&TfrmMain::suiNEdj2Change),
            .ratioChange = Bind(&TfrmMain::suiCBajcs2Change),
            .roundClick = Bind(&TfrmMain::suiButton7Click),
            .yearsChange = Bind(&TfrmMain::suiComboBox2Change),
            .periodsChange = Bind(&TfrmMain::suiNEajqs2Change),
            .lendingYearChange = Bind(&TfrmMain::suiCBfdyear2Change),
            .lendingMonthChange = Bind(&TfrmMain::suiCBfdmonth2Change),
            .firstYearChange = Bind(&TfrmMain::suiCBfirstyear2Change),
            .firstMonthChange = Bind(&TfrmMain::suiCBfirstmonth2Change),
            .prepaymentYearChange = Bind(&TfrmMain::suiCBtqyear2Change),
            .prepaymentMonthChange = Bind(&TfrmMain::suiCBtqmonth2Change),
            .shareChange = Bind(&TfrmMain::suiNEratioS2Change),
            .loanTypeClick = Bind(&TfrmMain::suiCBLoanType2Click),
            .fixedRateClick = Bind(&TfrmMain::suiRBgd2Click),
            .floatingRateClick = Bind(&TfrmMain::suiRBfd2Click),
            .submitClick = Bind(&TfrmMain::suiButton4Click),
            .undoClick = Bind(&TfrmMain::suiButton5Click),
            .previewClick = Bind(&TfrmMain::suiButton10Click),
            .planListClick = Bind(&TfrmMain::suiListBox2Click),
            .oneoverClick = Bind(&TfrmMain::suiCBoneover2Click),
            .panelPop = Bind(&TfrmMain::suiPanel2Pop)};
}

std::function<void()> TfrmMain::Bind(void (TfrmMain::*handler)())
{
    return [this, handler] { (this->*handler)(); };
}

TfrmMain::TfrmMain(WindowSetup setup)
    : m_archivePath(setup.archivePath.empty() ? RateArchivePath() : setup.archivePath),
      m_currentYear(setup.currentYear > 0 ? setup.currentYear : QDate::currentDate().year()),
      m_ownDialogs(setup.dialogs ? nullptr : std::make_unique<WidgetDialogs>()),
      m_dialogs(setup.dialogs ? setup.dialogs : m_ownDialogs.get()),
      m_rateDataPaths(setup.rateData
                          ? *setup.rateData
                          : RateDataPathsFor(ProgramDirectory(), ProcessDataEnvironment())),
      m_dialogFolder(FirstDialogFolder())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(Utf8(msg::kWindowTitle));
    QPalette grey = palette();
    grey.setColor(QPalette::Window, kBackground);
    setPalette(grey);
    setMinimumWidth(270);
    resize(kDefaultSize);

    BuildToolbar();
    AssignShortcuts(this);
    BuildPages();
    BuildStatusBar();
    // The page keys work wherever the focus is, before a field can take them as its own.
    qApp->installEventFilter(this);
    ConnectPasteRefusals(this);
    suiPageControl1Change();
    FitToScreen(kDefaultSize);
}

TfrmMain::~TfrmMain()
{
    // The pages and their rules go before the widgets do, and a field losing the focus while
    // the widgets are torn down must not reach them.
    qApp->removeEventFilter(this);
    for (QObject* child : findChildren<QObject*>())
        child->blockSignals(true);
}

void TfrmMain::BuildToolbar()
{
    suiToolBar1 = Named(addToolBar(QStringLiteral("suiToolBar1")), QStringLiteral("suiToolBar1"));
    suiToolBar1->setMovable(false);
    suiToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    suiToolBar1->setIconSize(QSize(24, 24));
    const auto add = [this](const char* name, const char* caption, const char* hint,
                            const char* icon, void (TfrmMain::*handler)()) {
        QAction* action = suiToolBar1->addAction(ToolIcon(icon), QString::fromUtf8(caption));
        action->setObjectName(QString::fromUtf8(name));
        action->setToolTip(QString::fromUtf8(hint));
        action->setStatusTip(QString::fromUtf8(hint));
        if (QWidget* button = suiToolBar1->widgetForAction(action)) {
            button->setObjectName(QString::fromUtf8(name));
            button->setMinimumSize(39, 52);
        }
        if (handler)
            connect(action, &QAction::triggered, this, handler);
        return action;
    };
    TBdr = add("TBdr", msg::kImportCaption, msg::kImportHint, "import", &TfrmMain::TBdrClick);
    TBdc = add("TBdc", msg::kExportCaption, msg::kExportHint, "export", &TfrmMain::TBdcClick);
    suiToolBar1->addSeparator()->setObjectName(QStringLiteral("ToolButton8"));
    TBjs = add("TBjs", msg::kCalculateCaption, msg::kCalculateCaption, "calculate",
               &TfrmMain::TBjsClick);
    TBts = add("TBts", msg::kChartCaption, msg::kChartHint, "chart", &TfrmMain::TBtsClick);
    TBdb = add("TBdb", msg::kCompareCaption, msg::kCompareHint, "compare", &TfrmMain::TBdbClick);
    TBhd = add("suiActionHd", msg::kReconcileCaption, msg::kReconcileHint, "reconcile",
               &TfrmMain::TBhdClick);
    TBbc = add("TBbc", msg::kSaveCaption, msg::kSaveHint, "save", &TfrmMain::TBbcClick);
    TBdy = add("TBdy", msg::kPrintCaption, msg::kPrintHint, "print", &TfrmMain::TBdyClick);
    BuildPrintMenu();
    TBcdnll =
        add("TBcdnll", msg::kArchiveCaption, msg::kArchiveHint, "archive", &TfrmMain::TBcdnllClick);
    suiToolBar1->addSeparator()->setObjectName(QStringLiteral("ToolButton7"));
    add("ToolButton5", msg::kRatesCaption, msg::kRatesHint, "rates", &TfrmMain::ToolButton5Click);
    add("ToolButton6", msg::kUpdateCaption, msg::kUpdateHint, "update",
        &TfrmMain::ToolButton6Click);
    add("ToolButton1", msg::kAboutCaption, msg::kAboutCaption, "about",
        &TfrmMain::ToolButton1Click);
}

// 导出PDF… hangs under 打印, whose button prints when clicked and opens the menu by its arrow.
void TfrmMain::BuildPrintMenu()
{
    auto* menu = new QMenu(this);
    TBdypdf = menu->addAction(QString::fromUtf8(msg::kExportPdf));
    TBdypdf->setObjectName(QStringLiteral("TBdypdf"));
    TBdypdf->setToolTip(QString::fromUtf8(msg::kExportPdfHint));
    TBdypdf->setStatusTip(QString::fromUtf8(msg::kExportPdfHint));
    addAction(TBdypdf); // its key works while the menu is closed
    connect(TBdypdf, &QAction::triggered, this, &TfrmMain::TBdypdfClick);
    TBdy->setMenu(menu);
    if (auto* button = qobject_cast<QToolButton*>(suiToolBar1->widgetForAction(TBdy)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
}

void TfrmMain::BuildPages()
{
    suiPageControl1 = Named(new QTabWidget(this), QStringLiteral("suiPageControl1"));
    setCentralWidget(suiPageControl1);
    const auto page = [this](const char* name, const char* caption) {
        auto* sheet = Named(new PageSheet(suiPageControl1), QString::fromUtf8(name));
        sheet->setAutoFillBackground(true);
        suiPageControl1->addTab(sheet, QString::fromUtf8(caption));
        return sheet;
    };
    suiTabSheet1 = page("suiTabSheet1", msg::kSheetDebx);
    PageSheet* debj = page("suiTabSheet2", msg::kSheetDebj);
    suiTabSheet2 = debj;
    PageSheet* ratesS = page("suiTabSheet3", msg::kTabRatesS);
    suiTabSheet3 = ratesS;
    PageSheet* ratesG = page("suiTabSheet4", msg::kTabRatesG);
    suiTabSheet4 = ratesG;
    PageSheet* charts = page("suiTabSheet5", msg::kTabChart);
    suiTabSheet5 = charts;
    PageSheet* compare = page("suiTabSheet6", msg::kComparePage);
    suiTabSheet6 = compare;
    debj->BuildOnShow([this] { Debj(); });
    ratesS->BuildOnShow([this] { RatesS(); });
    ratesG->BuildOnShow([this] { RatesG(); });
    charts->BuildOnShow([this] { Charts(); });
    compare->BuildOnShow([this] { Compare(); });

    m_reconcile = new ReconcilePage(*m_dialogs, m_dialogFolder, suiPageControl1);
    suiPageControl1->addTab(m_reconcile, Utf8(msg::kReconcilePage));

    m_debx =
        std::make_unique<LoanPage>(suiTabSheet1, LoanPageNames::Tab1(), m_debxDocument, *m_dialogs);
    m_lastLoanPage = m_debx.get();
    AttachLoanPage(*m_debx, Tab1Handlers());
    // Both loan pages compute with the floating tables the rate pages show.
    const std::vector documents{&m_debxDocument, &m_debjDocument};
    m_ratesS = std::make_unique<RatePage>(suiTabSheet3, RatePageNames::Commercial(), documents);
    m_ratesG = std::make_unique<RatePage>(suiTabSheet4, RatePageNames::Provident(), documents);

    connect(suiPageControl1, &QTabWidget::currentChanged, this, &TfrmMain::suiPageControl1Change);
}

void TfrmMain::BuildEveryPage()
{
    Debj();
    RatesS();
    RatesG();
    Charts();
    Compare();
    m_reconcile->Build();
}

LoanPage& TfrmMain::Debj()
{
    if (m_debj)
        return *m_debj;
    m_debj =
        std::make_unique<LoanPage>(suiTabSheet2, LoanPageNames::Tab2(), m_debjDocument, *m_dialogs);
    AttachLoanPage(*m_debj, Tab2Handlers());
    ConnectPasteRefusals(suiTabSheet2);
    if (m_shown)
        m_debj->ShowStartUp();
    return *m_debj;
}

void TfrmMain::AttachLoanPage(LoanPage& page, const LoanPageHandlers& handlers)
{
    page.Connect(this, handlers);
    page.SetStaleListener([this] { ShowStaleNote(); });
    page.SetRuleData([this] { return RateDataForRules(); });
}

RatePage& TfrmMain::RatesS()
{
    return BuiltRatePage(*m_ratesS, &TfrmMain::suiNEperChange, &TfrmMain::suiButton1Click,
                         &TfrmMain::suiButtonFillClick);
}

RatePage& TfrmMain::RatesG()
{
    return BuiltRatePage(*m_ratesG, &TfrmMain::suiNEperGChange, &TfrmMain::suiButton8Click,
                         &TfrmMain::suiButtonFillGClick);
}

ComparePage& TfrmMain::Compare()
{
    if (!m_compare)
        m_compare = std::make_unique<ComparePage>(suiTabSheet6);
    return *m_compare;
}

// A paste a number field refuses is told in a box, as the form's other refusals are.
void TfrmMain::ConnectPasteRefusals(QWidget* root)
{
    for (NumberEdit* field : root->findChildren<NumberEdit*>())
        connect(field, &NumberEdit::pasteRefused, this,
                [this](const QString& message) { m_dialogs->Inform(this, message); });
}

ChartPage& TfrmMain::Charts()
{
    if (m_charts)
        return *m_charts;
    struct Tool
    {
        const char* name;
        const char* caption;
        void (TfrmMain::*handler)();
    };
    auto* tools = Named(new QToolBar(suiTabSheet5), QStringLiteral("suiToolBar2"));
    for (const Tool& tool :
         {Tool{"ToolButton2", "2D", &TfrmMain::ToolButton2Click},
          Tool{"ToolButton4", "3D", &TfrmMain::ToolButton4Click},
          Tool{"ToolButton3", msg::kChartClear, &TfrmMain::ToolButton3Click},
          Tool{"ToolButtonReset", msg::kChartReset, &TfrmMain::ToolButtonResetClick}}) {
        QAction* action = tools->addAction(QString::fromUtf8(tool.caption));
        action->setObjectName(QString::fromUtf8(tool.name));
        tools->widgetForAction(action)->setObjectName(QString::fromUtf8(tool.name));
        connect(action, &QAction::triggered, this, tool.handler);
    }
    auto* splitter =
        Named(new QSplitter(Qt::Horizontal, suiTabSheet5), QStringLiteral("Splitter3"));
    auto* debxBox = Named(new QGroupBox(splitter), QStringLiteral("suiGroupBox13"));
    auto* debjBox = Named(new QGroupBox(splitter), QStringLiteral("suiGroupBox14"));
    splitter->addWidget(debxBox);
    splitter->addWidget(debjBox);
    m_charts = std::make_unique<ChartPage>(debxBox, debjBox);
    auto* layout = new QVBoxLayout(suiTabSheet5);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tools);
    layout->addWidget(splitter, 1);
    DecorateChartTools(suiTabSheet5);
    return *m_charts;
}

void TfrmMain::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("suiStatusBar1"));
    auto* contact =
        Named(new QLabel(Utf8(msg::kStatusContact), bar), QStringLiteral("suiStatusBar1Panel0"));
    contact->setFixedWidth(300);
    auto* welcome =
        Named(new QLabel(Utf8(msg::kStatusWelcome), bar), QStringLiteral("suiStatusBar1Panel1"));
    // In a window narrower than both panels the second one is cut, not drawn over the first.
    welcome->setMinimumWidth(0);
    welcome->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(contact);
    bar->addWidget(welcome, 1);
    m_staleNote =
        Named(new QLabel(Utf8(msg::kStaleNote), bar), QStringLiteral("suiStatusBar1Stale"));
    m_staleNote->setStyleSheet(QStringLiteral("color: #B00000;"));
    m_staleNote->hide();
    bar->addPermanentWidget(m_staleNote);
}

void TfrmMain::ShowStaleNote()
{
    if (!m_staleNote)
        return;
    QWidget* active = suiPageControl1->currentWidget();
    const LoanPage* page = active == suiTabSheet1   ? m_debx.get()
                           : active == suiTabSheet2 ? m_debj.get()
                                                    : nullptr;
    m_staleNote->setVisible(page && page->Stale());
}

// Both loan pages compute with the rate pages' tables.
void TfrmMain::RatesChanged()
{
    m_debx->ShowCalculationState();
    if (m_debj)
        m_debj->ShowCalculationState();
}

RatePage& TfrmMain::BuiltRatePage(RatePage& page,
                                  void (TfrmMain::*fieldChange)(const NumberEdit*),
                                  void (TfrmMain::*uniformClick)(),
                                  void (TfrmMain::*fillClick)())
{
    if (!page.Build())
        return page;
    ConnectPasteRefusals(page.uniform->parentWidget());
    for (NumberEdit* field : page.fields)
        connect(field, &NumberEdit::changed, this,
                [this, field, fieldChange] { (this->*fieldChange)(field); });
    connect(page.uniformButton, &QPushButton::clicked, this, uniformClick);
    connect(page.fillButton, &QPushButton::clicked, this, fillClick);
    return page;
}

void TfrmMain::Inform(const char* message)
{
    m_dialogs->Inform(this, QString::fromUtf8(message));
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
        // Wider where the screen has room, so the grid shows every column at its own width.
        const auto* grid = suiTabSheet1->findChild<ScheduleGrid*>();
        FitToScreen(size() + QSize(grid ? grid->MissingWidth() : 0, 0));
    }
}

// Inside the screen's free area with the title bar in view, smaller on a small screen.
void TfrmMain::FitToScreen(const QSize& preferred)
{
    const QScreen* screen = this->screen();
    if (!screen) {
        resize(preferred);
        return;
    }
    const WindowPlacement place = PlaceWindow(screen->availableGeometry(), preferred,
                                              minimumSizeHint().expandedTo(minimumSize()));
    // The inside's position, not the frame's: window managers honour it as asked, while a frame
    // position was seen ignored under scaling, the title bar then above the screen.
    setGeometry(QRect(place.framePosition + QPoint(kFrameAllowance.left(), kFrameAllowance.top()),
                      place.size));
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (!KeepRatesBeforeClosing()) {
        event->ignore();
        return;
    }
    FormClose();
    QMainWindow::closeEvent(event);
}

// Floating tables that differ from the archive are lost on closing unless kept now; a failed
// write keeps the window open, so nothing is lost without the user's word.
bool TfrmMain::KeepRatesBeforeClosing()
{
    if (!m_ratesS->Unkept() && !m_ratesG->Unkept())
        return true;
    switch (m_dialogs->AskSaveChanges(this, Utf8(msg::kUnkeptRatesQuestion))) {
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        return false;
    case SaveAnswer::Save:
        break;
    }
    if (!m_ratesS->Save(m_archivePath)) {
        Inform(msg::kArchiveFailedS);
        return false;
    }
    if (!m_ratesG->Save(m_archivePath)) {
        Inform(msg::kArchiveFailedG);
        return false;
    }
    return true;
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this &&
        SwitchPageByKey(*static_cast<QKeyEvent*>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

// Ctrl+Tab and Ctrl+PgDn go to the next page, Ctrl+Shift+Tab and Ctrl+PgUp to the previous one,
// round the ends as a tab bar does.
bool TfrmMain::SwitchPageByKey(const QKeyEvent& key)
{
    if (!(key.modifiers() & Qt::ControlModifier) || (key.modifiers() & Qt::AltModifier))
        return false;
    const bool shift = key.modifiers() & Qt::ShiftModifier;
    int step = 0;
    if (key.key() == Qt::Key_Tab && !shift)
        step = 1;
    else if (key.key() == Qt::Key_Backtab || (key.key() == Qt::Key_Tab && shift))
        step = -1;
    else if (key.key() == Qt::Key_PageDown && !shift)
        step = 1;
    else if (key.key() == Qt::Key_PageUp && !shift)
        step = -1;
    if (step == 0)
        return false;
    const int count = suiPageControl1->count();
    int index = suiPageControl1->currentIndex();
    for (int tried = 1; tried < count; ++tried) {
        index = (index + step + count) % count;
        if (suiPageControl1->isTabVisible(index)) {
            suiPageControl1->setCurrentIndex(index);
            break;
        }
    }
    return true;
}

void TfrmMain::FormShow()
{
    LoadRateArchive();
    m_rateData = LoadRateData(m_rateDataPaths);
    m_ratesS->ShowRateData(m_rateData.history);
    m_ratesG->ShowRateData(m_rateData.history);
    for (LoanDocument* document : {&m_debxDocument, &m_debjDocument})
        document->Form().StartUp(m_currentYear + 3);
    for (LoanPage* page : {m_debx.get(), m_debj.get()})
        if (page)
            page->ShowStartUp();
    suiPageControl1Change();
}

void TfrmMain::FormClose()
{
    m_debx->ReleasePlan();
    if (m_debj)
        m_debj->ReleasePlan();
}

void TfrmMain::suiPageControl1Change()
{
    QWidget* active = suiPageControl1->currentWidget();
    for (int i = 0; i < suiPageControl1->count(); ++i)
        suiPageControl1->widget(i)->setEnabled(suiPageControl1->widget(i) == active);
    const bool loanPage = active == suiTabSheet1 || active == suiTabSheet2;
    const bool ratePage = active == suiTabSheet3 || active == suiTabSheet4;
    for (QAction* action : {TBdr, TBdc, TBjs, TBbc, TBdy, TBdypdf, TBdb, TBhd})
        action->setVisible(loanPage);
    TBts->setVisible(loanPage || active == suiTabSheet5);
    TBcdnll->setVisible(ratePage);
    if (loanPage)
        m_lastLoanPage = active == suiTabSheet1 ? m_debx.get() : &Debj();
    ShowStaleNote();
    if (ratePage) {
        // A rate page fills the table for the loan page the user came from.
        const LoanInput loan = m_lastLoanPage->Form().Input({});
        (active == suiTabSheet3 ? RatesS() : RatesG())
            .FollowLoan(LoanDates{loan.lending, loan.firstPayment, loan.ajqs},
                        LoanPageName(m_lastLoanPage).toStdString());
    }
    // 核对 answers the loan page the user came from, as it stands now.
    if (active == m_reconcile)
        m_reconcile->Serve(*m_lastLoanPage, LoanPageName(m_lastLoanPage));
}

QString TfrmMain::LoanPageName(const LoanPage* page) const
{
    const QWidget* sheet = page == m_debx.get() ? suiTabSheet1 : suiTabSheet2;
    return suiPageControl1->tabText(suiPageControl1->indexOf(sheet));
}

void TfrmMain::TBjsClick()
{
    if (suiPageControl1->currentWidget() == suiTabSheet1)
        CalcDEBX();
    else if (suiPageControl1->currentWidget() == suiTabSheet2)
        CalcDEBJ();
}

void TfrmMain::TBcdnllClick()
{
    SaveRateArchive();
}

void TfrmMain::CalcDEBX()
{
    m_debx->Calculate();
}

void TfrmMain::CalcDEBJ()
{
    Debj().Calculate();
}

void TfrmMain::LoadRateArchive()
{
    m_ratesS->Load(m_archivePath);
    m_ratesG->Load(m_archivePath);
}

void TfrmMain::SaveRateArchive()
{
    if (suiPageControl1->currentWidget() == suiTabSheet3)
        Inform(m_ratesS->Save(m_archivePath) ? msg::kArchiveSavedS : msg::kArchiveFailedS);
    else if (suiPageControl1->currentWidget() == suiTabSheet4)
        Inform(m_ratesG->Save(m_archivePath) ? msg::kArchiveSavedG : msg::kArchiveFailedG);
}

void TfrmMain::suiNEperChange(const NumberEdit* sender)
{
    m_ratesS->FieldChanged(sender);
    RatesChanged();
}
void TfrmMain::suiNEperGChange(const NumberEdit* sender)
{
    m_ratesG->FieldChanged(sender);
    RatesChanged();
}
void TfrmMain::suiButton1Click()
{
    m_ratesS->ApplyUniform();
    RatesChanged();
}
void TfrmMain::suiButton8Click()
{
    m_ratesG->ApplyUniform();
    RatesChanged();
}

void TfrmMain::suiButtonFillClick()
{
    FillRatePage(*m_ratesS);
}
void TfrmMain::suiButtonFillGClick()
{
    FillRatePage(*m_ratesG);
}

void TfrmMain::FillRatePage(RatePage& page)
{
    ShowRateProblemsOnce();
    if (const auto message = page.FillByRule(m_rateData.history))
        m_dialogs->Inform(this, QString::fromStdString(*message));
    RatesChanged();
}

// A rejected file of the user's is said once; the shipped data fill all the same.
void TfrmMain::ShowRateProblemsOnce()
{
    if (m_rateProblemsShown)
        return;
    m_rateProblemsShown = true;
    for (const std::string& problem : m_rateData.problems)
        m_dialogs->Inform(this, QString::fromStdString(problem));
}

// With no rates at all 按规则生成 has nothing to show: it says why every time and opens nothing.
const RateHistory* TfrmMain::RateDataForRules()
{
    if (m_rateData.history.Changes().empty()) {
        m_rateProblemsShown = true;
        for (const std::string& problem : m_rateData.problems)
            m_dialogs->Inform(this, QString::fromStdString(problem));
        if (m_rateData.problems.empty())
            Inform(msg::kRateDataNone);
        return nullptr;
    }
    ShowRateProblemsOnce();
    return &m_rateData.history;
}

void TfrmMain::suiRadioGroup1Click()
{
    m_debx->ModeRule();
}
void TfrmMain::suiNEdjChange()
{
    m_debx->LoanTotalFromArea();
}
void TfrmMain::suiCBajcsChange()
{
    m_debx->LoanTotalFromArea();
}
void TfrmMain::suiButton6Click()
{
    m_debx->RunRule(&LoanForm::RoundLoanTotal);
}
void TfrmMain::suiComboBox1Change()
{
    m_debx->RunRule(&LoanForm::PeriodsFromYears);
}
void TfrmMain::suiNEajqsChange()
{
    m_debx->RunRule(&LoanForm::PrepaymentYears);
}
void TfrmMain::suiCBfdyearChange()
{
    m_debx->RunRule(&LoanForm::LendingDays);
}
void TfrmMain::suiCBfdmonthChange()
{
    m_debx->RunRule(&LoanForm::LendingDays);
}
void TfrmMain::suiCBfirstyearChange()
{
    m_debx->RunRule(&LoanForm::FirstPaymentYearRule);
}
void TfrmMain::suiCBfirstmonthChange()
{
    m_debx->RunRule(&LoanForm::FirstPaymentDays);
}
void TfrmMain::suiCBtqyearChange()
{
    m_debx->RunRule(&LoanForm::PrepaymentDays);
}
void TfrmMain::suiCBtqmonthChange()
{
    m_debx->RunRule(&LoanForm::PrepaymentDays);
}
void TfrmMain::suiNEratioSChange()
{
    m_debx->RunRule(&LoanForm::SharesRule);
}
void TfrmMain::suiCBLoanTypeClick()
{
    m_debx->LoanTypeRule();
}
void TfrmMain::suiRBgdClick()
{
    m_debx->RateModeRule();
}
void TfrmMain::suiRBfdClick()
{
    m_debx->RateModeRule();
}

void TfrmMain::suiButton2Click()
{
    m_debx->SubmitPlanEntry();
}
void TfrmMain::suiButton3Click()
{
    m_debx->RemovePlanEntry();
}
void TfrmMain::suiButton9Click()
{
    PreviewOn(*m_debx, suiTabSheet1);
}
void TfrmMain::suiListBox1Click()
{
    m_debx->ShowSelectedPlanEntry();
}
void TfrmMain::suiCBoneoverClick()
{
    m_debx->OneOverRule();
}
void TfrmMain::suiPanel1Pop()
{
    m_debx->FitPlanPanel();
}

void TfrmMain::suiRadioGroup2Click()
{
    m_debj->ModeRule();
}
void TfrmMain::suiNEdj2Change()
{
    m_debj->LoanTotalFromArea();
}
void TfrmMain::suiCBajcs2Change()
{
    m_debj->LoanTotalFromArea();
}
void TfrmMain::suiButton7Click()
{
    m_debj->RunRule(&LoanForm::RoundLoanTotal);
}
void TfrmMain::suiComboBox2Change()
{
    m_debj->RunRule(&LoanForm::PeriodsFromYears);
}
void TfrmMain::suiNEajqs2Change()
{
    m_debj->RunRule(&LoanForm::PrepaymentYears);
}
void TfrmMain::suiCBfdyear2Change()
{
    m_debj->RunRule(&LoanForm::LendingDays);
}
void TfrmMain::suiCBfdmonth2Change()
{
    m_debj->RunRule(&LoanForm::LendingDays);
}
void TfrmMain::suiCBfirstyear2Change()
{
    m_debj->RunRule(&LoanForm::FirstPaymentYearRule);
}
void TfrmMain::suiCBfirstmonth2Change()
{
    m_debj->RunRule(&LoanForm::FirstPaymentDays);
}
void TfrmMain::suiCBtqyear2Change()
{
    m_debj->RunRule(&LoanForm::PrepaymentDays);
}
void TfrmMain::suiCBtqmonth2Change()
{
    m_debj->RunRule(&LoanForm::PrepaymentDays);
}
void TfrmMain::suiNEratioS2Change()
{
    m_debj->RunRule(&LoanForm::SharesRule);
}
void TfrmMain::suiCBLoanType2Click()
{
    m_debj->LoanTypeRule();
}
void TfrmMain::suiRBgd2Click()
{
    m_debj->RateModeRule();
}
void TfrmMain::suiRBfd2Click()
{
    m_debj->RateModeRule();
}

void TfrmMain::suiButton4Click()
{
    m_debj->SubmitPlanEntry();
}
void TfrmMain::suiButton5Click()
{
    m_debj->RemovePlanEntry();
}
void TfrmMain::suiButton10Click()
{
    PreviewOn(*m_debj, suiTabSheet2);
}
void TfrmMain::suiListBox2Click()
{
    m_debj->ShowSelectedPlanEntry();
}
void TfrmMain::suiCBoneover2Click()
{
    m_debj->OneOverRule();
}
void TfrmMain::suiPanel2Pop()
{
    m_debj->FitPlanPanel();
}

// Backups and the worksheet

FileCommandContext TfrmMain::FileContext()
{
    return {*m_dialogs, this, m_dialogFolder};
}

void TfrmMain::TBdrClick()
{
    // A 贷款方案's floating tables go to the rate pages, which both loan pages compute with.
    const TablesTaker takeTables = [this](const FloatingTables& tables) {
        m_ratesS->Import(tables);
        m_ratesG->Import(tables);
        RatesChanged();
    };
    if (suiPageControl1->currentWidget() == suiTabSheet1)
        ImportInputs(*m_debx, QString::fromUtf8(msg::kBackupNameDebx), FileContext(), takeTables);
    else if (suiPageControl1->currentWidget() == suiTabSheet2)
        ImportInputs(Debj(), QString::fromUtf8(msg::kBackupNameDebj), FileContext(), takeTables);
}

void TfrmMain::TBdcClick()
{
    if (suiPageControl1->currentWidget() == suiTabSheet1)
        ExportInputs(*m_debx, QString::fromUtf8(msg::kBackupNameDebx), FileContext());
    else if (suiPageControl1->currentWidget() == suiTabSheet2)
        ExportInputs(Debj(), QString::fromUtf8(msg::kBackupNameDebj), FileContext());
}

void TfrmMain::TBbcClick()
{
    const bool debx = suiPageControl1->currentWidget() == suiTabSheet1;
    QString reason;
    const LoanPage& page = debx ? *m_debx : Debj();
    const int result =
        ExportGridToXls(page.ScheduleTexts(),
                        QString::fromUtf8(debx ? msg::kWorksheetNameDebx : msg::kWorksheetNameDebj),
                        FileContext(), &reason, page.Report());
    if (result == 1)
        Inform(msg::kSaveOk);
    else if (result == 0)
        m_dialogs->Inform(this, QString::fromUtf8(msg::kSaveFailed), reason);
}

LoanPage& TfrmMain::ActiveLoanPage()
{
    return suiPageControl1->currentWidget() == suiTabSheet1 ? *m_debx : Debj();
}

QString TfrmMain::ActiveWorksheetName()
{
    return QString::fromUtf8(suiPageControl1->currentWidget() == suiTabSheet1
                                 ? msg::kWorksheetNameDebx
                                 : msg::kWorksheetNameDebj);
}

void TfrmMain::TBdyClick()
{
    PrintSchedule(ActiveLoanPage().Report(), FileContext());
}

void TfrmMain::TBdypdfClick()
{
    ExportScheduleToPdf(ActiveLoanPage().Report(), ActiveWorksheetName(), FileContext());
}

// Charts, About and the web pages

void TfrmMain::TBtsClick()
{
    suiPageControl1->setCurrentWidget(suiTabSheet5);
    Charts().Draw(m_debx->CalculatedSchedule(), m_debj ? m_debj->CalculatedSchedule() : nullptr);
}

void TfrmMain::TBdbClick()
{
    if (suiPageControl1->currentWidget() == suiTabSheet1)
        ShowComparison(*m_debx, suiTabSheet1);
    else if (suiPageControl1->currentWidget() == suiTabSheet2)
        ShowComparison(Debj(), suiTabSheet2);
}

// Showing the page lines the bank's rows up with this loan page; a refusal is told as 对比's is.
void TfrmMain::TBhdClick()
{
    suiPageControl1->setCurrentWidget(m_reconcile);
    m_reconcile->TellRefusal();
}

// The page keeps this comparison until 对比 is pressed again; a refusal leaves it as it was.
void TfrmMain::ShowComparison(const LoanPage& page, QWidget* sheet)
{
    const auto outcome = page.Document().Compare();
    if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
        m_dialogs->Inform(this, QString::fromStdString(refusal->message));
        return;
    }
    const QString when = QDateTime::currentDateTime().toString(Utf8(msg::kQtDateTimeFormat));
    const QString pageName = suiPageControl1->tabText(suiPageControl1->indexOf(sheet));
    Compare().Show(std::get<Comparison>(outcome), QString::fromStdString(msg::CompareSource(
                                                      pageName.toStdString(), when.toStdString())));
    suiPageControl1->setCurrentWidget(suiTabSheet6);
}

// The answer also stays on 方案对比 until the next 试算, whatever is chosen in the box.
void TfrmMain::PreviewOn(LoanPage& page, QWidget* sheet)
{
    page.PreviewPlanEntry([this, sheet](const PrepaymentPreview& preview, Method method) {
        const QString when = QDateTime::currentDateTime().toString(Utf8(msg::kQtDateTimeFormat));
        Compare().ShowPreview(preview, method,
                              suiPageControl1->tabText(suiPageControl1->indexOf(sheet)), when);
    });
}

void TfrmMain::ToolButton2Click()
{
    Charts().SetThreeD(false);
}

void TfrmMain::ToolButton4Click()
{
    Charts().SetThreeD(true);
}

void TfrmMain::ToolButtonResetClick()
{
    Charts().ResetZoom();
}

void TfrmMain::ToolButton3Click()
{
    Charts().Clear();
}

void TfrmMain::ToolButton1Click()
{
    auto* frmAbout = new TfrmAbout(this); // releases itself when closed
    frmAbout->exec();
}

void TfrmMain::ToolButton5Click()
{
    OpenWebPage(kRateChangesUrl);
}

void TfrmMain::ToolButton6Click()
{
    OpenWebPage(kHomePageUrl);
}

// Without a browser the address is shown, so it can be copied.
void TfrmMain::OpenWebPage(const char* url)
{
    if (!m_dialogs->OpenUrl(this, QString::fromUtf8(url)))
        m_dialogs->Inform(this, QString::fromUtf8(msg::kUrlNotOpened), QString::fromUtf8(url));
}

} // namespace lumavo
