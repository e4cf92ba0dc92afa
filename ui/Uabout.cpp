#include "ui/Uabout.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>

namespace lumavo {

namespace {

constexpr char kAboutText[] = R"(■致谢
自V1.0发布以来，许多网友通过论坛和邮件提出了宝贵的意见和建议，本软件的每一次改进都离不开他们。在此一并致谢：
房奴小王、月供侠、还贷达人、攒钱买房的阿喵、公积金小白、提前还款党、按揭老兵、蜗居一族

■版本信息
软件版本：V3.2

■升级日志
V3.2
  1. 可读取V3.0及以后版本导出的输入备份文件；
  2. 修正公积金贷款及组合贷款提前还贷后下一期月供的计算。
V3.1
  1. 新增贷款类型选择；
  2. 界面布局更加整洁。
V3.0
  1. 支持组合贷款；
  2. 提前还贷支持一次性还清。
V2.1
  1. 新增网上“贷款利率变更一览表”。
V2.0
  1. 参照商业银行及住房公积金管理中心的放贷惯例，按日精确计算；
  2. 提前还贷可缩短按揭期数；
  3. 新增分期还款曲线图；
  4. 新增输入信息的备份与恢复。

■软件说明
近年来贷款利率屡次上调，每一次调整都牵动着按揭购房家庭的月供和利息支出。许多房贷者只知道月供变了，却说不清变了多少、为什么变。本软件的初衷，就是把利率变化对每一期还款的影响清清楚楚地算出来、摆出来，让大家心中有数，从容安排还款。

■使用方法
1. 本软件为绿色软件，无需安装，复制到任意目录即可直接运行。
2. 同一笔贷款可分别按等额本息和等额本金两种方式计算，对比两者的分期还款明细，并可将分期还款表保存为电子表格文件（.xls）。
   等额本息：每月还款额相同，前期所还利息多、本金少，后期利息逐渐减少、本金逐渐增多；
   等额本金：每月所还本金相同，利息随贷款余额减少而逐月递减，月还款额逐月下降。
3. 可自由设定放贷首年及还款期内各年的浮动年利率，并存档以便下次使用。
4. 可制定提前还贷计划：按日期和贷款类型填写提前还款数额或缩短的按揭期数，也可选择一次性还清。

■版权
本软件受著作权法保护。未经许可，任何单位和个人不得复制、修改、传播本软件，不得将其用于任何商业用途，违者将依法追究法律责任。
本软件的计算结果仅供参考，实际还款以贷款银行或住房公积金管理中心的数据为准。)";

} // namespace

TfrmAbout::TfrmAbout(QWidget* owner)
    : QDialog(owner,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                  Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                  Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("关于"));
    // Every way of closing releases the window; the next 关于 builds a fresh one.
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(417, 435);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    auto* heading = new QLabel(QStringLiteral("Lumavo房贷按揭计算器"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSize(12);
    heading->setFont(headingFont);
    heading->setGeometry(16, 10, 383, 30);

    suiMemo1 = new QPlainTextEdit(this);
    suiMemo1->setObjectName(QStringLiteral("suiMemo1"));
    suiMemo1->setGeometry(16, 48, 383, 371);
    suiMemo1->setReadOnly(true);
    suiMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    suiMemo1->viewport()->setCursor(Qt::PointingHandCursor);
    QFont memoFont = suiMemo1->font();
    memoFont.setPointSize(9);
    suiMemo1->setFont(memoFont);
    suiMemo1->setPlainText(QString::fromUtf8(kAboutText));
    suiMemo1->viewport()->installEventFilter(this);
}

bool TfrmAbout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == suiMemo1->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        suiMemo1DblClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmAbout::suiMemo1DblClick()
{
    close();
}

} // namespace lumavo
