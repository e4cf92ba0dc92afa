#include "files/backup_loan.h"

#include "common/messages.h"

namespace lumavo {

BackupFile BackupOf(const LoanForm& form, const PlanList& plan)
{
    BackupFile file;
    file.inputFields = TextsOf(form).fields;
    for (const PlanList::Item& item : plan.Items())
        file.plan.push_back(FromEntry(item.entry));
    return file;
}

std::variant<FormMessages, BackupError> ApplyBackup(LoanForm& form, const BackupFile& file)
{
    auto applied = ApplyTexts(form, FormTexts{file.inputFields});
    if (auto* error = std::get_if<FormTextsError>(&applied))
        return BackupError{1, error->field
                                  ? msg::InputFieldError(Index(*error->field) + 1, error->reason)
                                  : std::move(error->reason)};
    return std::get<FormMessages>(std::move(applied));
}

PlanList PlanFromBackup(const BackupFile& file)
{
    PlanList plan;
    for (const BackupPlanLine& line : file.plan)
        plan.Add(line.ItemText(), line.ToEntry());
    return plan;
}

std::variant<LoanDocument, BackupError>
DocumentFromBackup(const BackupFile& file, int currentYear, Method method)
{
    LoanDocument document(method);
    document.StartUp(currentYear + 3);
    LoanForm form = document.Form();
    const auto applied = ApplyBackup(form, file);
    if (const auto* error = std::get_if<BackupError>(&applied))
        return *error;
    document.Replace(std::move(form), PlanFromBackup(file));
    return document;
}

std::variant<LoanInput, BackupError> LoanInputFromBackup(const BackupFile& file, int currentYear)
{
    auto document = DocumentFromBackup(file, currentYear, Method::Debx);
    if (const auto* error = std::get_if<BackupError>(&document))
        return *error;
    return std::get<LoanDocument>(document).Input();
}

} // namespace lumavo
