// The fatal stop: how genodrop, traitsim and xp-loci end a run on bad data.
#pragma once

#include <string_view>

#include "records.hpp"

namespace records {

// Prints `text` as one console message line (a leading blank, then the text as it stands,
// trailing blanks included), flushes and closes every open record-layer file, and ends the
// run with exit status 1. Never returns.
[[noreturn]] void sstop(std::string_view text);

// A stop message made of a fixed `prefix` and a 12-character locus `name`, in a 255-character
// text padded with blanks, as the stops that name a locus print it (trailing blanks included).
Text<255> compose(std::string_view prefix, std::string_view name);

}  // namespace records

using records::sstop;
