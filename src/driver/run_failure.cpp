#include "driver/run_failure.h"

#include <cstring>
#include <utility>

namespace shootout {

RunFailure::RunFailure(FailureKind kind, std::string detail)
    : std::runtime_error(detail), kind_(kind), detail_(std::move(detail)) {}

void abort_run(FailureKind kind, std::string detail) {
  throw RunFailure(kind, std::move(detail));
}

void abort_invalid(const std::string& file, std::size_t line,
                   const std::string& problem) {
  abort_run(FailureKind::season_file_invalid,
            file + " line " + std::to_string(line) + ": " + problem);
}

void abort_io(const std::string& file, const char* step, int error,
              const char* note) {
  abort_run(FailureKind::season_file_io_error, file + ": " + step +
                                                   " failed: " +
                                                   std::strerror(error) + note);
}

std::string console_text(const RunFailure& failure) {
  switch (failure.kind()) {
    case FailureKind::log_unavailable:
      return "Failed to open log file.   No write permission in folder?";
    case FailureKind::season_file_missing:
      return "";  // the file's opening message is already on the console
    case FailureKind::shootout_unresolved:
      return "Error - - -";
    case FailureKind::negative_ties:
      return "Negative ties.  Abnormal termination\n";
    case FailureKind::boxscore_block_missing:
      return "General Failure\n";
    case FailureKind::season_file_invalid:
    case FailureKind::season_file_io_error:
      return failure.detail() + "\n";
  }
  return "";
}

std::string log_text(const RunFailure& failure) {
  switch (failure.kind()) {
    case FailureKind::log_unavailable:
      return "";
    case FailureKind::season_file_missing:
      return failure.detail() + " file not found.\n";
    case FailureKind::shootout_unresolved:
      return "Failed to resolve shooutout correctly.  Abnormal termination";
    case FailureKind::negative_ties:
      return "Failed to update team records correctly.  Abnormal termination";
    case FailureKind::boxscore_block_missing:
      return "Failed to resolve shooutout correctly.  Abnormal termination 2 ";
    case FailureKind::season_file_invalid:
    case FailureKind::season_file_io_error:
      return failure.detail() + "\n";
  }
  return "";
}

}  // namespace shootout
