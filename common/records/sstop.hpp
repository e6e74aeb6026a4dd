// The fatal stop: how genodrop, traitsim and xp-loci end a run on bad data.
#pragma once

#include <string_view>

#include "common/records/records.hpp"

namespace records {

// Prints `text` as one console message line (a leading blank, then the text as it stands,
// trailing blanks included), flushes and closes every open record-layer file, hands `text` to
// the record set with on_stop(), if any, and ends the run with exit status 1. Never returns.
[[noreturn]] void sstop(std::string_view text);

// A program's own record of why its run stopped, made by the fatal stop once every other file
// is closed (traitsim leaves the message in its file "err"). It may write through the record
// layer; it must not stop again.
using StopRecord = void (*)(std::string_view text);

// Makes `record` part of every later fatal stop; nullptr takes it away.
void on_stop(StopRecord record);

// Names the program (a text that lives as long as the run, such as a literal) for the message
// that ends a run on a failed write, "<program>: cannot write <file>: <system reason>".
void name_program(std::string_view name);
std::string_view program_name();

// A stop message made of a fixed `prefix` and a 12-character locus `name`, in a 255-character
// text padded with blanks, as the stops that name a locus print it (trailing blanks included).
Text<255> compose(std::string_view prefix, std::string_view name);

}  // namespace records
