#pragma once

#include "driver/run_state.h"

namespace shootout {

// One whole run in the league's folder: opens the log, loads the five season
// files, settles every tied game and writes the four kept files back when a
// game was settled. Returns the exit status: 0 after a complete run, 255
// after a failure, whose console and log texts it has written. A failed run
// has written no season file.
int run_shootout(RunState& run);

}  // namespace shootout
