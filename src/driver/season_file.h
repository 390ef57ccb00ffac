#pragma once

#include <filesystem>
#include <string>

#include "season/line_list.h"

namespace shootout {

// The whole content of a season file, read in binary so that every byte is
// kept. A file that cannot be opened raises season_file_missing; a failed
// read raises season_file_io_error.
std::string read_season_file(const std::filesystem::path& folder,
                             const char* name);

// Writes the list's lines over the named file; any failed write or close
// raises season_file_io_error.
void save_line_list(const std::filesystem::path& folder, const char* name,
                    const LineList& list);

}  // namespace shootout
