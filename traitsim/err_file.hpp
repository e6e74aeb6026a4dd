// traitsim's record of a fatal stop: the suite's one-line message is also left in the file
// "err", so that a script running the chain can find why the trait simulation stopped.
#pragma once

#include <string_view>

namespace traitsim {

// Writes `text` to the file "err" in the current directory: one line, padded with blanks to
// 255 characters, an existing "err" replaced. Made by the fatal stop (records::on_stop), after
// its console message and once every other file is closed.
void write_err_file(std::string_view text);

}  // namespace traitsim
