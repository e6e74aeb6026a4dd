// The last act of the two ways the record layer ends a run early: the read diagnostic (abort
// signal) and the fatal stop (exit status 1). They live in a translation unit of their own,
// run_end.cpp, so that a build which has to survive these ends (the fuzz targets, which run a
// reader many times in one process) can link its own definitions in their place; every
// program links these.
#pragma once

namespace records {

// Raises the abort signal. Called by the read diagnostic once it has flushed and closed every
// file.
[[noreturn]] void end_by_abort();

// Ends the process with exit status `status`. Called by the fatal stops once their message is
// out and their files are closed.
[[noreturn]] void end_with_status(int status);

}  // namespace records
