// File names given on the command line of the record-layer programs.
#pragma once

#include <initializer_list>
#include <string_view>

#include "common/outcome/outcome.hpp"
#include "common/records/records.hpp"

namespace records {

// A file name is a 255-character text, padded with blanks.
using FileName = Text<255>;

// Takes the command-line `argument` at `position` (counted from 1) as the file name `name`.
// Refuses, leaving `name` as it was, a name longer than 255 characters: a cut name would open,
// or create, some other file than the one the user named.
outcome::Outcome take_file_name(std::string_view argument, int position, FileName& name);

// Takes argv[1], argv[2], ... (argc entries, the program name first) into `names` in order, as
// many as there are of both; further arguments are ignored. Returns the stop for the first
// name longer than 255 characters, as take_file_name does.
outcome::Outcome take_file_names(int argc, const char* const* argv, std::initializer_list<FileName*> names);

}  // namespace records
