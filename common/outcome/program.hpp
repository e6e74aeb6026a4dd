// How each program of the suite ends a run, as data: the one driver routine that ends every
// run (outcome::finish) reads it. The programs differ only here, and every difference is one
// the user sees and may rely on byte for byte.
#pragma once

#include <string_view>

namespace outcome {

// Where a program's own messages go when its run must stop.
enum class Refusal {
  fatal_stop,       // records::sstop: a console message line (a leading blank), every
                    // record-layer file closed, exit status 1
  standard_output,  // printed on standard output, exit status 1
};

struct Program {
  std::string_view name;
  Refusal refusal;
  bool named;           // its own messages start "<name>: " (finish puts it there)
  bool line_end;        // a line end follows each message on standard output (single-line texts)
  int usage_status;     // the exit status after the usage text
  bool report_checked;  // standard output is the report: a failed write of it is said on
                        // standard error and ends the run with status 1
};

// The suite's programs. The nine traditional ones keep the texts and statuses they have always
// had; the tools of our own name themselves and end their messages with a line end.
namespace programs {
inline constexpr Program genodrop{"genodrop", Refusal::fatal_stop, false, false, 0, false};
inline constexpr Program traitsim{"traitsim", Refusal::fatal_stop, false, false, 0, false};
inline constexpr Program xp_loci{"xp-loci", Refusal::fatal_stop, false, false, 0, false};
// famlint's report is its one output, on standard output; a name it cannot take stops it.
inline constexpr Program famlint{"famlint", Refusal::fatal_stop, false, false, 0, true};
inline constexpr Program famorder{"famorder", Refusal::standard_output, false, false, 1, false};
inline constexpr Program xp_fam{"xp-fam", Refusal::standard_output, false, false, 1, false};
inline constexpr Program xp_geno{"xp-geno", Refusal::standard_output, false, false, 1, false};
inline constexpr Program xp_trait{"xp-trait", Refusal::standard_output, false, false, 1, false};
inline constexpr Program extract{"extract", Refusal::standard_output, true, true, 1, false};
inline constexpr Program fam2raw{"fam2raw", Refusal::standard_output, true, true, 1, false};
inline constexpr Program map2chrom{"map2chrom", Refusal::standard_output, true, true, 1, false};
inline constexpr Program model2wrk{"model2wrk", Refusal::standard_output, true, true, 1, false};
inline constexpr Program simreps{"simreps", Refusal::standard_output, true, true, 0, false};
inline constexpr Program simcheck{"simcheck", Refusal::standard_output, true, true, 1, false};
}  // namespace programs

}  // namespace outcome
