#include "season/halved_report_scan.h"

#include <iterator>
#include <utility>

namespace shootout {

HalvedReportScan::HalvedReportScan(std::string_view all)
    : HalvedReportScan(all, report_midpoint(all)) {}

HalvedReportScan::HalvedReportScan(std::string_view all, std::size_t middle)
    : all_(all), middle_(middle) {}

void HalvedReportScan::scan_first(PendingRosters& pending) {
  first_ = scan_reports(all_, 0, middle_, pending);
}

void HalvedReportScan::scan_second(PendingRosters& pending) {
  if (!has_second_half()) return;
  try {
    second_ = scan_reports(all_, middle_, all_.size(), pending);
  } catch (...) {
    second_failure_ = std::current_exception();
  }
  second_scanned_ = true;
}

std::vector<FoundGame> HalvedReportScan::join(PendingRosters& pending) {
  std::vector<FoundGame> games = std::move(first_.games);
  ReportScan rest;
  if (second_scanned_ && first_.next == middle_) {
    if (second_failure_) std::rethrow_exception(second_failure_);
    rest = std::move(second_);
  } else if (first_.next < all_.size()) {
    rest = scan_reports(all_, first_.next, all_.size(), pending);
  }
  games.insert(games.end(), std::make_move_iterator(rest.games.begin()),
               std::make_move_iterator(rest.games.end()));
  return games;
}

}  // namespace shootout
