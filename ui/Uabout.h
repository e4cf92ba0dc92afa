#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace lumavo {

// 利率: where the loan prime rate is published (the National Interbank Funding Center's page,
// also linked from the central bank's); 更新: the home page, as the AppStream file names it.
inline constexpr char kRateChangesUrl[] = "https://www.chinamoney.com.cn/chinese/bklpr/";
inline constexpr char kHomePageUrl[] = "https://lumavo.github.io/";

// frmAbout: the text about the program. Built anew for every showing and released when it
// closes, so it always opens scrolled to the top.
class TfrmAbout : public QDialog
{
    Q_OBJECT

  public:
    explicit TfrmAbout(QWidget* owner);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void suiMemo1DblClick();

    QPlainTextEdit* suiMemo1;
};

} // namespace lumavo
