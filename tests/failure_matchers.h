#pragma once

#include <gtest/gtest.h>

#include <string>

#include "driver/run_failure.h"

namespace shootout {

// Runs `body` and returns the failure it raised; a body that raises nothing
// fails the test.
template <typename Body>
RunFailure expect_failure(Body body) {
  try {
    body();
  } catch (const RunFailure& failure) {
    return failure;
  }
  ADD_FAILURE() << "no failure was raised";
  return RunFailure(FailureKind::season_file_invalid, "");
}

}  // namespace shootout
