#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace lumavo {

// 利率: the table of loan-rate changes; 更新: the home page where new versions are announced.
inline constexpr char kRateChangesUrl[] = "https://lumavo.example.org/lilv/biangeng.html";
inline constexpr char kHomePageUrl[] = "https://lumavo.example.org/";

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
