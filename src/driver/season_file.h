#pragma once

#include <filesystem>
#include <string>

#include "season/large_block.h"


namespace shootout {

// The whole content of a season file, read in binary so that every byte is
// kept. A file that cannot be opened raises season_file_missing; a failed
// read raises season_file_io_error.
FileText read_season_file(const std::filesystem::path& folder,
                          const char* name);

}  // namespace shootout
