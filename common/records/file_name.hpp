// File names given on the command line of the record-layer programs.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/records/records.hpp"

namespace records {

// A file name is a 255-character text, padded with blanks.
using FileName = Text<255>;

// Takes a command-line `argument` as a file name. Returns nothing when it is longer than 255
// characters: a cut name would open, or create, some other file than the one the user named.
std::optional<FileName> file_name(std::string_view argument);

// The stop message for an argument that file_name() refused; `position` counts the arguments
// from 1.
std::string long_file_name(int position);

}  // namespace records
