#pragma once

#include "common/text_grid.h"

#include <optional>
#include <string>
#include <string_view>

// A minimal BIFF worksheet: every cell a text record, nothing else a spreadsheet needs to guess.
namespace lumavo {

// Appends one LABEL record. column and row are 0..65535 and the text at most 65527 bytes (the
// record length is 16 bits); WorksheetBytes checks this before calling.
void WriteXlsLabel(std::string& stream, int column, int row, std::string_view gbkText);

// BOF, a code-page record naming GBK, one LABEL per cell column by column (empty cells too),
// EOF. nullopt when a text has no GBK form or the grid does not fit the 16-bit fields.
std::optional<std::string> WorksheetBytes(const TextGrid& grid);

// Replaces the file only once every byte is written; the reason names the file on failure.
std::optional<std::string> WriteWorksheetFile(const std::string& path, const TextGrid& grid);

} // namespace lumavo
