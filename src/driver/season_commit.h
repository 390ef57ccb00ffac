#pragma once

#include <filesystem>
#include <memory>
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

// commit_season in two steps, for a caller that has one file's final content
// before the others': that file's new version can be written while the
// caller still works on the rest.
class SeasonWriteBack {
 public:
  explicit SeasonWriteBack(std::filesystem::path folder);
  SeasonWriteBack(const SeasonWriteBack&) = delete;
  SeasonWriteBack& operator=(const SeasonWriteBack&) = delete;
  // Waits for a file still being written. New files of an update that has
  // not committed are removed.
  ~SeasonWriteBack();

  // Begins writing the new version of `file` on a second thread (where the
  // system gives none, it is written during commit). From now on, nothing
  // may change its list. One file per write-back.
  void start(const KeptFile& file);
  // Writes the new versions of the other files, in order, and commits the
  // update as commit_season does. "Updating <name>" is printed for every
  // file in the order given, and a failure raised is that of the first file
  // in that order that failed.
  void commit(const std::vector<KeptFile>& files, std::ostream& console);

 private:
  struct Started;
  std::filesystem::path folder_;
  std::unique_ptr<Started> started_;
};

// Run before the season is read: finishes an update that an earlier run was
// stopped in after its commit, or discards one whose new files are not all
// complete, and removes files left by a run stopped before its commit.
void recover_season(const std::filesystem::path& folder, std::ostream& console);

}  // namespace shootout
