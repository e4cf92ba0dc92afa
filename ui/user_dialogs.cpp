#include "ui/user_dialogs.h"

#include "common/messages.h"
#include "ui/adjustment_rule_dialog.h"

#include <QButtonGroup>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QUrl>
#include <QVBoxLayout>

namespace lumavo {

QString DisplayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QChar('\r'), QChar('\n'));
    return shown;
}

namespace {

int ShowBox(QWidget* parent,
            QMessageBox::Icon icon,
            const char* title,
            const QString& text,
            QMessageBox::StandardButtons buttons,
            const QString& detail = {})
{
    QMessageBox box(icon, QString::fromUtf8(title), DisplayText(text), buttons, parent);
    box.setInformativeText(detail);
    // Paths and addresses in a box are there to be copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    return box.exec();
}

QString AskFile(QWidget* parent, const FileRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(
        parent, request.title, request.folder,
        (QStringList{request.filter} + request.otherFilters).join(QStringLiteral(";;")));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(request.defaultSuffix);
    // A name typed without a suffix takes the one of the file type the user picked.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        static const QRegularExpression suffix(QStringLiteral("\\*\\.(\\w+)"));
        const auto match = suffix.match(f);
        if (match.hasMatch())
            dialog.setDefaultSuffix(match.captured(1));
    });
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

void WidgetDialogs::Inform(QWidget* parent, const QString& text, const QString& detail)
{
    ShowBox(parent, QMessageBox::Information, msg::kBoxTitle, text, QMessageBox::Ok, detail);
}

void WidgetDialogs::Fail(QWidget* parent, const QString& text, const QString& detail)
{
    ShowBox(parent, QMessageBox::Critical, msg::kBoxTitle, text, QMessageBox::Ok, detail);
}

bool WidgetDialogs::ConfirmReplace(QWidget* parent, const QString& text)
{
    return ShowBox(parent, QMessageBox::Question, msg::kQuestionTitle, text,
                   QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

bool WidgetDialogs::Confirm(QWidget* parent, const QString& text)
{
    return ConfirmReplace(parent, text);
}

QString WidgetDialogs::AskSaveFile(QWidget* parent, const FileRequest& request)
{
    return AskFile(parent, request, QFileDialog::AcceptSave);
}

QString WidgetDialogs::AskOpenFile(QWidget* parent, const FileRequest& request)
{
    return AskFile(parent, request, QFileDialog::AcceptOpen);
}

int WidgetDialogs::Choose(QWidget* parent,
                          const QString& title,
                          const QString& text,
                          const QStringList& choices)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(DisplayText(text), &dialog));
    QButtonGroup group(&dialog);
    for (int i = 0; i < choices.size(); ++i) {
        auto* choice = new QRadioButton(choices[i], &dialog);
        choice->setChecked(i == 0);
        group.addButton(choice, i);
        layout->addWidget(choice);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    return group.checkedId();
}

std::optional<std::vector<RateAdjustment>>
WidgetDialogs::AskRuleAdjustments(QWidget* parent, const RuleDialogInput& input)
{
    AdjustmentRuleDialog dialog(input, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Adjustments();
}

bool WidgetDialogs::OpenUrl(QWidget*, const QString& url)
{
    return QDesktopServices::openUrl(QUrl(url));
}

void WidgetDialogs::ShowPrintPreview(QWidget* parent,
                                     const QString& title,
                                     const std::function<void(QPrinter*)>& paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportPageLayout());
    printer.setDocName(title);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(title);
    preview.resize(900, 700);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, paint);
    preview.exec();
}

QPageLayout ReportPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 12, 15, 12),
                       QPageLayout::Millimeter);
}

SaveAnswer WidgetDialogs::AskSaveChanges(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(msg::kBoxTitle), DisplayText(text),
                    QMessageBox::NoButton, parent);
    QPushButton* save = box.addButton(QString::fromUtf8(msg::kKeepButton), QMessageBox::AcceptRole);
    QPushButton* discard =
        box.addButton(QString::fromUtf8(msg::kDiscardButton), QMessageBox::DestructiveRole);
    QPushButton* cancel =
        box.addButton(QString::fromUtf8(msg::kCancelButton), QMessageBox::RejectRole);
    save->setObjectName(QStringLiteral("SaveChangesKeep"));
    discard->setObjectName(QStringLiteral("SaveChangesDiscard"));
    cancel->setObjectName(QStringLiteral("SaveChangesCancel"));
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveAnswer::Save;
    if (box.clickedButton() == discard)
        return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
}

} // namespace lumavo
