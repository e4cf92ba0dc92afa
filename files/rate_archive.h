#pragma once

#include "calc/rate_table.h"

#include <optional>
#include <string>

namespace lumavo {

// 商业贷款 commercial and 公积金贷款 provident-fund floating rates in the archive.
inline constexpr const char* kCommercialRateSection = "SPERCENTS";
inline constexpr const char* kProvidentRateSection = "GPERCENTS";

// Keys "percent0" .. "percent30". A missing file, section or key, or a value that is not a
// number, gives 0; negative values are kept. Never creates the file.
RateTable LoadRateTable(const std::string& archivePath, const std::string& section);

// Writes all 31 keys of the section in one atomic replacement, so a failed save leaves the
// previous archive byte for byte; other sections and lines are kept. The reason names the file.
std::optional<std::string>
SaveRateTable(const std::string& archivePath, const std::string& section, const RateTable& table);

} // namespace lumavo
