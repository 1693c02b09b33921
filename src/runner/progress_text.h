#pragma once

#include <chrono>
#include <string>

#include "runner/progress_line.h"

namespace runner {

// The banner's figures for a line under way, in the Italian style:
// "1.234 di 5.678 file, 2,1 di 9,8 GB, circa 3 minuti". Sizes go in the unit of the total
// (byte, KB, MB, GB of 1024), the part done rounded down so that it never shows whole too early.
// The time left is foreseen from the pace since the first figures came, elapsed ago, and is
// left out until a few seconds and some bytes have passed.
std::string ProgressFigures(const Progress& progress, std::chrono::milliseconds elapsed);

}  // namespace runner
