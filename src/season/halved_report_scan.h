#pragma once

#include <cstddef>
#include <exception>
#include <string_view>
#include <vector>

#include "season/game_report_reader.h"
#include "season/pending_rosters.h"

namespace shootout {

// A scan of the reports text in two halves, which two threads can do at the
// same time, that comes out exactly as one scan of the whole would. The
// second half begins at a header line; it holds when the scan of the first
// half stops just there. Otherwise (a roster block reaching over, or no
// scan of the second half) the first scan is taken on to the end.
class HalvedReportScan {
 public:
  // Halves at the first line beginning with "#" after the middle.
  explicit HalvedReportScan(std::string_view all);
  // Halves at `middle`, the start of a line beginning with "#" (or the end
  // of the text).
  HalvedReportScan(std::string_view all, std::size_t middle);

  // The first half: found games' names go to `pending`. Raises the failure
  // of the text, if it lies there.
  void scan_first(PendingRosters& pending);
  // The second half, on any thread: names go to `pending`. A failure is
  // kept for join.
  void scan_second(PendingRosters& pending);
  bool has_second_half() const { return middle_ < all_.size(); }

  // Once the scans are done: every game found, in file order, as one scan
  // would have found them; takes the first scan on with `pending` where
  // needed. Raises the failure of the text, if any.
  std::vector<FoundGame> join(PendingRosters& pending);

 private:
  std::string_view all_;
  std::size_t middle_;
  ReportScan first_, second_;
  std::exception_ptr second_failure_;
  bool second_scanned_ = false;
};

}  // namespace shootout
