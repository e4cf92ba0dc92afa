// Measures what a person waits for: process start until the window is on screen, 计算 of the
// largest schedule a page can ask for until the grid holds and shows every row, 图示 of two
// 360-row schedules until both charts are painted, and the peak memory of a window holding
// two such schedules and their charts; 对比 of that largest loan until its page is painted, and
// 试算 of a prepayment on it until the choice is asked; 核对 of a 360-row bank file from reading
// it until its grid is painted. Prints one "name value unit" line each.
#include "calc/compare.h"
#include "common/atomic_file.h"
#include "common/date.h"
#include "common/text.h"
#include "files/bank_records.h"
#include "files/workbook.h"
#include "ui/Uabout.h"
#include "ui/Umain.h"
#include "ui/application.h"
#include "ui/choose_combo.h"
#include "ui/collapsible_panel.h"
#include "ui/compare_page.h"
#include "ui/loan_page.h"
#include "ui/number_edit.h"
#include "ui/reconcile_page.h"
#include "ui/schedule_grid.h"
#include "ui/schedule_print.h"
#include "ui/user_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QChartView>
#include <QMainWindow>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace lumavo;

class SilentDialogs : public UserDialogs
{
  public:
    void Inform(QWidget*, const QString& text, const QString& = {}) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", text.toUtf8().constData());
        std::exit(1);
    }
    void Fail(QWidget* parent, const QString& text, const QString& = {}) override
    {
        Inform(parent, text);
    }
    bool ConfirmReplace(QWidget*, const QString&) override { return true; }
    bool Confirm(QWidget*, const QString&) override { return true; }
    QString AskSaveFile(QWidget*, const FileRequest&) override { return {}; }
    QString AskOpenFile(QWidget*, const FileRequest&) override { return {}; }
    bool OpenUrl(QWidget*, const QString&) override { return true; }
    void ShowPrintPreview(QWidget*, const QString&, const std::function<void(QPrinter*)>&) override
    {
    }
    // 试算 answers with the shortening that keeps the payment.
    int Choose(QWidget*, const QString&, const QString&, const QStringList&) override { return 1; }
    SaveAnswer AskSaveChanges(QWidget*, const QString&) override { return SaveAnswer::Discard; }
    std::optional<std::vector<RateAdjustment>> AskRuleAdjustments(QWidget*,
                                                                  const RuleDialogInput&) override
    {
        return std::nullopt;
    }
};

// Seconds since the process was created (fork and exec included), from the kernel's record.
double SecondsSinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22; ++i)
        fields >> field;
    const double started = std::stod(field) / static_cast<double>(::sysconf(_SC_CLK_TCK));
    timespec now{};
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9 - started;
}

RateTable Rates(double first, double step)
{
    RateTable table;
    for (int k = 0; k < RateTable::kEntries; ++k)
        table.Set(k, first + step * (k % 5));
    return table;
}

// A 360-period combination loan with floating rates and ten S and ten G prepayments.
void FillLargestLoan(LoanPage& page)
{
    LoanForm form;
    form.StartUp(2029);
    form.SetNumberText(FormNumber::LoanTotal, "1500000.00");
    form.SetNumberText(FormNumber::Periods, "360");
    form.loanType = static_cast<int>(LoanTypeIndex::Combination);
    form.SetNumberText(FormNumber::CommercialShare, "60");
    form.fixedRate = false;
    form.Choose(FormPicker::LendingYear, "2010");
    form.Choose(FormPicker::LendingMonth, "03");
    form.Choose(FormPicker::LendingDay, "10");
    form.Choose(FormPicker::FirstYear, "2010");
    form.Choose(FormPicker::FirstMonth, "04");
    form.Choose(FormPicker::FirstDay, "10");
    PlanList plan;
    for (int k = 0; k < 10; ++k) {
        const Date day{2011 + 2 * k, 1 + k % 12, 5 + k};
        plan.Add(
            Ttqhd{DateText(day), 5000.0 + 1000 * k, k % 3 == 0 ? 6.0 : 0.0, LoanPart::G, false});
        plan.Add(
            Ttqhd{DateText(day), 20000.0 + 500 * k, k % 4 == 0 ? 12.0 : 0.0, LoanPart::S, false});
    }
    page.SetForm(form, plan);
    page.Document().Floating() = FloatingTables{Rates(5.94, 0.12), Rates(3.87, 0.05)};
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double MeasureCalculation(UserDialogs& dialogs)
{
    QWidget host;
    host.resize(915, 690);
    LoanDocument document(Method::Debx);
    document.Form().StartUp(2029);
    LoanPage page(&host, LoanPageNames::Tab1(), document, dialogs);
    page.ShowStartUp();
    host.show();
    (void)QTest::qWaitForWindowExposed(&host);
    FillLargestLoan(page);
    std::vector<double> runs;
    for (int i = 0; i < 21; ++i) {
        const auto start = std::chrono::steady_clock::now();
        page.Calculate();
        page.RepaintSchedule();
        runs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::printf("grid_rows %d rows\n", page.ScheduleTexts().rows - 1);
    return Median(runs);
}

void MeasureReport(const ScheduleReport& report);

// Writing the .xlsx workbook and the PDF report of the largest schedule: median time and size.
void MeasureReports(UserDialogs& dialogs)
{
    QWidget host;
    LoanDocument document(Method::Debx);
    document.Form().StartUp(2029);
    LoanPage page(&host, LoanPageNames::Tab1(), document, dialogs);
    page.ShowStartUp();
    FillLargestLoan(page);
    page.Calculate();
    MeasureReport(*page.Report());
    // The same loan without its plan: the 360 rows a plain 30-year loan prints.
    page.SetForm(page.Form(), PlanList{});
    page.Calculate();
    MeasureReport(*page.Report());
}

void MeasureReport(const ScheduleReport& report)
{
    const std::string folder = std::filesystem::temp_directory_path().string();
    const struct
    {
        const char* name;
        std::string path;
        std::function<void(const std::string&)> write;
    } outputs[] = {
        {"xlsx", folder + "/lumavo-measure.xlsx",
         [&](const std::string& path) { (void)WriteWorkbookFile(path, report); }},
        {"pdf", folder + "/lumavo-measure.pdf", [&](const std::string& path) {
             const QByteArray bytes = SchedulePdfBytes(report);
             (void)WriteFileAtomically(
                 path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
         }}};
    for (const auto& output : outputs) {
        std::vector<double> runs;
        for (int i = 0; i < 11; ++i) {
            const auto start = std::chrono::steady_clock::now();
            output.write(output.path);
            runs.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count());
        }
        std::printf("%s_%d_rows %.2f ms (median of 11), %ju bytes\n", output.name,
                    report.grid.rows - 1, Median(runs),
                    static_cast<std::uintmax_t>(std::filesystem::file_size(output.path)));
        std::filesystem::remove(output.path);
    }
}

// 对比 on the largest loan: both methods with and without its plan, the table and the chart
// filled and painted.
double MeasureComparison(UserDialogs& dialogs)
{
    QWidget host;
    host.resize(915, 690);
    LoanDocument document(Method::Debx);
    document.Form().StartUp(2029);
    LoanPage page(&host, LoanPageNames::Tab1(), document, dialogs);
    page.ShowStartUp();
    FillLargestLoan(page);
    QWidget sheet;
    sheet.resize(915, 640);
    ComparePage compare(&sheet);
    sheet.show();
    (void)QTest::qWaitForWindowExposed(&sheet);
    std::vector<double> runs;
    for (int i = 0; i < 21; ++i) {
        const auto start = std::chrono::steady_clock::now();
        const auto outcome = page.Document().Compare();
        compare.Show(std::get<Comparison>(outcome), QStringLiteral("measure"));
        QApplication::processEvents();
        compare.Repaint();
        runs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    return Median(runs);
}

// 试算 of a further commercial prepayment on the largest loan, up to the answered choice.
double MeasurePreview(UserDialogs& dialogs)
{
    QWidget host;
    host.resize(915, 690);
    LoanDocument document(Method::Debx);
    document.Form().StartUp(2029);
    LoanPage page(&host, LoanPageNames::Tab1(), document, dialogs);
    page.ShowStartUp();
    FillLargestLoan(page);
    host.findChild<ChooseCombo*>("suiCBtqyear")->Choose("2016");
    host.findChild<ChooseCombo*>("suiCBtqmonth")->Choose("06");
    host.findChild<NumberEdit*>("suiNEtqse")->setValue(100000);
    std::vector<double> runs;
    for (int i = 0; i < 21; ++i) {
        const auto start = std::chrono::steady_clock::now();
        page.PreviewPlanEntry([](const PrepaymentPreview&, Method) {});
        runs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::printf("preview_shortening %s periods\n",
                host.findChild<NumberEdit*>("suiNEsdajqs")->text().toUtf8().constData());
    return Median(runs);
}

// Both loan tabs of the real window calculate a 360-period loan; the window stays open.
void CalculateBothTabs(TfrmMain& window)
{
    auto* pages = window.findChild<QTabWidget*>("suiPageControl1");
    for (const QString& suffix : QStringList{"", "2"}) {
        pages->setCurrentIndex(suffix.isEmpty() ? 0 : 1);
        window.findChild<NumberEdit*>("suiNEdkze" + suffix)->setValue(1500000);
        window.findChild<NumberEdit*>("suiNEajqs" + suffix)->setValue(360);
        window.findChild<NumberEdit*>("suiNEnllS" + suffix)->setValue(4.9);
        window.findChild<ChooseCombo*>("suiCBfirstmonth" + suffix)->Choose("02");
        // Two prepayments through the panel, so the plan list shows in the screenshots; the
        // schedules still run their 360 months.
        window.findChild<ChooseCombo*>("suiCBtqyear" + suffix)->Choose("2001");
        window.findChild<NumberEdit*>("suiNEtqse" + suffix)->setValue(100000);
        window.findChild<QPushButton*>(suffix.isEmpty() ? "suiButton2" : "suiButton4")->click();
        window.findChild<ChooseCombo*>("suiCBtqyear" + suffix)->Choose("2005");
        window.findChild<NumberEdit*>("suiNEtqse" + suffix)->setValue(50000);
        window.findChild<QPushButton*>(suffix.isEmpty() ? "suiButton2" : "suiButton4")->click();
        window.findChild<QAction*>("TBjs")->trigger();
        QApplication::processEvents();
    }
}

// 图示 with both tabs holding a 360-row schedule, in the view the charts start in, until both
// charts have painted.
double MeasureCharts(TfrmMain& window)
{
    QAction* draw = window.findChild<QAction*>("TBts");
    const QList<QChartView*> charts = {window.findChild<QChartView*>("Chart1"),
                                       window.findChild<QChartView*>("Chart2")};
    std::vector<double> runs;
    for (int i = 0; i < 21; ++i) {
        const auto start = std::chrono::steady_clock::now();
        draw->trigger();
        QApplication::processEvents();
        for (QChartView* chart : charts)
            chart->viewport()->repaint();
        runs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    return Median(runs);
}

// 核对 of tab 1's 360 rows as a bank lists them, one interest a fen off: from the rows read in
// until the grid has painted them.
double MeasureReconcile(TfrmMain& window)
{
    window.findChild<QTabWidget*>("suiPageControl1")->setCurrentIndex(0);
    window.findChild<QAction*>("suiActionHd")->trigger();
    auto* page = window.findChild<ReconcilePage*>("suiPageHd");
    // The bank's rows as a file, so the time runs from choosing it to the painted grid.
    std::ostringstream csv;
    csv << "还款日期,本金,利息,剩余本金\n";
    int line = 0;
    for (const ScheduleRow& row :
         window.LoanDocumentOf(Method::Debx).LastCalculation()->schedule.rows) {
        if (row.kind != RowKind::Regular)
            continue;
        // One interest a fen off, so the grid has a differing row to mark.
        const double interest = row.interest + (++line == 101 ? 0.01 : 0);
        csv << IsoDateText({row.date.y, row.date.m, EffectiveDay(row.date)}) << ','
            << MoneyText(row.principal.value_or(0)) << ',' << MoneyText(interest) << ','
            << MoneyText(row.balance) << '\n';
    }
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / "lumavo-measure-records.csv";
    std::ofstream(path, std::ios::binary) << csv.str();
    auto* grid = window.findChild<QTableWidget*>("suiGridHd");
    std::vector<double> runs;
    for (int i = 0; i < 21; ++i) {
        const auto start = std::chrono::steady_clock::now();
        page->Read(ReadBankRecords(path.string()));
        QApplication::processEvents();
        grid->viewport()->repaint();
        runs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::filesystem::remove(path);
    return Median(runs);
}

void SaveScreenshots(TfrmMain& window, const QString& folder)
{
    auto* pages = window.findChild<QTabWidget*>("suiPageControl1");
    pages->setCurrentIndex(0);
    window.findChild<QAction*>("TBdb")->trigger(); // the comparison page shows tab 1's loan
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        QApplication::processEvents();
        window.grab().save(QStringLiteral("%1/page%2.png").arg(folder).arg(page + 1));
    }
    pages->setCurrentIndex(0);
    window.findChild<CollapsiblePanel*>("suiPanel1")->SetCollapsed(false);
    QApplication::processEvents();
    window.grab().save(QStringLiteral("%1/plan_panel.png").arg(folder));
    window.findChild<CollapsiblePanel*>("suiPanel1")->SetCollapsed(true);
    // 核对 of tab 1, whose rows the measuring read in.
    window.findChild<QAction*>("suiActionHd")->trigger();
    QApplication::processEvents();
    window.grab().save(QStringLiteral("%1/reconcile.png").arg(folder));

    // The chart page after 图示, in both views.
    for (const char* view : {"ToolButton2", "ToolButton4"}) {
        window.findChild<QAction*>("TBts")->trigger();
        window.findChild<QAction*>(view)->trigger();
        QApplication::processEvents();
        window.grab().save(QStringLiteral("%1/page5_%2.png")
                               .arg(folder, view == std::string("ToolButton2") ? "2d" : "3d"));
    }

    TfrmAbout about(&window);
    about.show();
    QApplication::processEvents();
    about.grab().save(QStringLiteral("%1/about.png").arg(folder));
}

// What any Qt program with this window's parts pays to show itself: tabs, a table of the grid's
// size and a chart view. The start-up of the real window is judged against it.
void ShowBareWindow()
{
    QMainWindow window;
    auto* tabs = new QTabWidget(&window);
    auto* table = new QTableWidget(26, 8);
    tabs->addTab(table, QStringLiteral("1"));
    tabs->addTab(new QChartView, QStringLiteral("2"));
    window.setCentralWidget(tabs);
    window.resize(915, 690);
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    std::printf("bare_start_to_shown %.0f ms\n", SecondsSinceProcessStart() * 1000);
}

} // namespace

int main(int argc, char** argv)
{
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    // window_measure --bare | --startup: only the time to the first shown window, of a bare Qt
    // window or of ours, for runs that alternate the two.
    const std::string mode = argc >= 2 ? argv[1] : "";
    if (mode == "--bare") {
        ShowBareWindow();
        return 0;
    }
    // As the program starts: names, icon and Qt's Chinese translation count towards start-up.
    ConfigureApplication(app);
    SilentDialogs dialogs;

    TfrmMain window(WindowSetup{"/nonexistent/percents.ini", 0, &dialogs});
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    std::printf("start_to_shown %.0f ms\n", SecondsSinceProcessStart() * 1000);
    if (mode == "--startup")
        return 0;
    window.BuildEveryPage();

    std::printf("calculate_360_with_20_plan %.2f ms (median of 21)\n", MeasureCalculation(dialogs));
    std::printf("compare_360_with_20_plan %.2f ms (median of 21)\n", MeasureComparison(dialogs));
    std::printf("preview_360_with_20_plan %.2f ms (median of 21)\n", MeasurePreview(dialogs));

    MeasureReports(dialogs);

    CalculateBothTabs(window);
    rusage usage{};
    std::printf("charts_two_360 %.2f ms (median of 21)\n", MeasureCharts(window));
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("peak_rss %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    std::printf("reconcile_360 %.2f ms (median of 21)\n", MeasureReconcile(window));

    // window_measure --screenshots DIR: what each page looks like now, for people to check.
    if (argc == 3 && std::string(argv[1]) == "--screenshots")
        SaveScreenshots(window, argv[2]);
    return 0;
}
