// The run that xp-geno and xp-trait share: two inputs joined by position into one SOLAR file.
#pragma once

#include <functional>
#include <string_view>

#include "common/files/output_file.hpp"
#include "common/freeform/item_stream.hpp"
#include "common/outcome/outcome.hpp"

namespace freeform {

// Writes the SOLAR file from the items of the first and the second input (in the order they
// are opened) to `out`; returns a stop with the first fault found in an input, or nothing.
using Join = std::function<outcome::Outcome(ItemStream& first, ItemStream& second, files::OutputFile& out)>;

// Opens `first_name`, then `second_name` for reading, then `out_name` for writing, and runs
// `join`. Returns nothing when the file is written, else the text to print as it stands, line
// ends included: for a file that cannot be opened, `open_failure` (a printf layout with one %s
// for the name); for an output that is one of the inputs, refused before it is emptied, that
// fact; for a problem in an input or a failed write, which remove the incomplete output, the
// problem and that the output is not written, or the failure in the suite's words
// (files::cannot_write, with `program` in front).
outcome::Outcome run_join(std::string_view program, const char* first_name, const char* second_name,
                          const char* out_name, const char* open_failure, const Join& join);

}  // namespace freeform
