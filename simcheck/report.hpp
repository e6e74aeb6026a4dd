// The three outputs of a check: the summary on standard output, the TSV tables and the figure.
#pragma once

#include <cstdint>
#include <string>

#include "common/outcome/outcome.hpp"

#include "simcheck/evaluation.hpp"

namespace simcheck {

// What the summary's first line says about the files checked.
struct Subject {
  std::string folder;
  std::int32_t replicates = 0;  // 0 for a single simulation
};

// Prints the summary: one line per report, and a line starting "FLAG" for every flagged
// test and listed fault, saying what was expected and what was seen.
void print_summary(const Subject& subject, const Inputs& inputs, const Counts& counts,
                   const Evaluation& evaluation);

// Writes the TSV tables into `folder`. Returns what could not be written, if anything.
outcome::Outcome write_tables(const std::string& folder, const Inputs& inputs, const Counts& counts,
                              const Evaluation& evaluation);

// Writes the figure `path`: one self-contained SVG with three panels.
outcome::Outcome write_figure(const std::string& path, const Inputs& inputs, const Counts& counts,
                              const Evaluation& evaluation);

}  // namespace simcheck
