// The numbered pedigree (pe2.wrk) and the raw one (pe0.wrk) sit side by side in a run, and
// xp-fam accepts either: given the numbered one it writes a SOLAR pedigree of one record with
// one parent, and says nothing.
#pragma once

#include <string>

namespace xpfam {

// True when the first two lines of `infile` have the numbered pedigree's shape: two numbers,
// the second 2, then a line of seven numbers. A raw pedigree begins with its descriptive line
// and a count line of one number, so it does not.
bool looks_numbered(const std::string& infile);

}  // namespace xpfam
