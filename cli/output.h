#pragma once

#include "calc/loan_input.h"
#include "calc/schedule.h"

#include <string>

namespace lumavo::cli {

std::string JsonOutput(const Schedule& schedule, Method method);
std::string JsonError(const std::string& message);
std::string CsvOutput(const Schedule& schedule);
// Aligned for a terminal, totals below.
std::string TableOutput(const Schedule& schedule, Method method);

} // namespace lumavo::cli
