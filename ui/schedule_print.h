#pragma once

#include "files/schedule_report.h"

#include <QString>
#include <optional>

class QPagedPaintDevice;

namespace lumavo {

struct FileCommandContext;

// Paints the report on A4 portrait pages: the loan and its totals, then the table with its
// header on every page and "第 N 页 / 共 M 页" below. Returns the pages painted, 0 when the
// device could not be painted on.
int PaintScheduleReport(QPagedPaintDevice& device, const ScheduleReport& report);

// The report as PDF bytes, empty when painting failed.
QByteArray SchedulePdfBytes(const ScheduleReport& report);

// 打印: the print preview of the report; without a calculated schedule, a message instead.
void PrintSchedule(const std::optional<ScheduleReport>& report, const FileCommandContext& context);

// 导出PDF…: the report into a PDF file the user names, replacing the old file only once the new
// one is complete.
void ExportScheduleToPdf(const std::optional<ScheduleReport>& report,
                         const QString& name,
                         const FileCommandContext& context);

} // namespace lumavo
