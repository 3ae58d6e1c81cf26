#pragma once
// A timing trace of the program's start, for finding where start-up time
// goes. Off unless the environment variable TAGSLING_STARTUP_TRACE names a
// file; then each step appends "STEP MILLISECONDS" to it, the milliseconds
// counted from the creation of the process.

namespace tagsling::win {

void TraceStartupStep(const char* step);

}  // namespace tagsling::win
