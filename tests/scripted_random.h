#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "driver/random_source.h"

namespace shootout {

// Hands out the given draws in order and counts them; running out is a test
// failure.
class ScriptedRandom : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<int> draws) : draws_(std::move(draws)) {}
  int draw() override {
    if (next_ >= draws_.size()) {
      ADD_FAILURE() << "more draws than scripted (" << draws_.size() << ")";
      return 0;
    }
    return draws_[next_++];
  }
  std::size_t used() const { return next_; }

 private:
  std::vector<int> draws_;
  std::size_t next_ = 0;
};

}  // namespace shootout
