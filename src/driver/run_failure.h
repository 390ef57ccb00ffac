#pragma once

#include <stdexcept>
#include <string>

namespace shootout {

// Every way a run can fail. The first five carry the system's fixed texts;
// the others carry a one-line description that names the file and, where it
// applies, the line.
enum class FailureKind {
  log_unavailable,
  season_file_missing,
  shootout_unresolved,
  negative_ties,
  boxscore_block_missing,
  season_file_invalid,    // a season file whose content cannot be used
  season_file_io_error,   // reading or writing a season file failed
};

// The one exception type of a failed run. It is raised where the failure is
// detected and turned into console text, log text and the exit status by the
// run driver alone.
class RunFailure : public std::runtime_error {
 public:
  RunFailure(FailureKind kind, std::string detail);

  FailureKind kind() const { return kind_; }
  // For season_file_missing: the file's name. For the described kinds: the
  // whole description, without a line end.
  const std::string& detail() const { return detail_; }

 private:
  FailureKind kind_;
  std::string detail_;
};

// Raises the failure; never returns.
[[noreturn]] void abort_run(FailureKind kind, std::string detail = {});

// Raises season_file_invalid with "<file> line <n>: <problem>".
[[noreturn]] void abort_invalid(const std::string& file, std::size_t line,
                                const std::string& problem);

// Raises season_file_io_error with "<file>: <step> failed: <system error>"
// and `note` after it.
[[noreturn]] void abort_io(const std::string& file, const char* step, int error,
                           const char* note = "");

// What the failure shows on the console and appends to the log; either may be
// empty.
std::string console_text(const RunFailure& failure);
std::string log_text(const RunFailure& failure);

}  // namespace shootout
