// The one message every program of the suite gives when an output cannot be written (a full
// disk, say): the program, the file and the system's reason, as
//   famorder: cannot write pe2.wrk: No space left on device
// Header-only, so that the record layer, which links nothing of the stdio side, words it the
// same way.
#pragma once

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

namespace files {

// The message for `file`, which `program` could not write for the system error `error`. An
// empty `program` leaves the name and its colon out. An error of 0 (a failure that left no
// reason behind) is given as an input/output error rather than as "Success".
inline std::string cannot_write(std::string_view program, std::string_view file, int error) {
  std::string text(program);
  if (!text.empty()) text.append(": ");
  text.append("cannot write ").append(file).append(": ");
  text.append(std::strerror(error != 0 ? error : EIO));
  return text;
}

}  // namespace files
