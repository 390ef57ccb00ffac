#pragma once

#include <filesystem>
#include <ostream>
#include <vector>

#include "season/line_list.h"

namespace shootout {

struct KeptFile {
  const char* name;
  const LineList* list;
};

// Names of the files that an update leaves beside the season while it runs.
inline constexpr const char* kNewFileSuffix = ".shootout-new";
inline constexpr const char* kJournalFile = "shootout.journal";

// Writes the kept files back so that the set of them is always wholly the
// old season or wholly the new one. Each file is first written in full to a
// new file beside it and synced ("Updating <name>" is printed for each in
// the order given; the largest is written on a second thread meanwhile); a
// journal naming the complete new files is then synced, which is the moment
// of commit; the new files are renamed over the originals in the order
// given, and the journal is removed. A failure before the commit removes
// the new files and leaves the season as it was; every failure raises
// season_file_io_error naming the file and the system's error (that of the
// first file in order, when several fail).
void commit_season(const std::filesystem::path& folder,
                   const std::vector<KeptFile>& files, std::ostream& console);

// Run before the season is read: finishes an update that an earlier run was
// stopped in after its commit, or discards one whose new files are not all
// complete, and removes files left by a run stopped before its commit.
void recover_season(const std::filesystem::path& folder, std::ostream& console);

}  // namespace shootout
