// Replacements for common/records/run_end.cpp. Linked as an object file, they take the place of
// the library's definitions, which the linker then never pulls from the archive.
#include "tests/fuzz/refusal.hpp"

#include <cstdio>
#include <cstdlib>

#include "common/records/records.hpp"
#include "common/records/run_end.hpp"

namespace records {

void end_by_abort() { throw fuzz::Refusal{fuzz::Refusal::Kind::diagnostic, 134}; }

void end_with_status(int status) {
  // The fatal stops end with status 1; anything else would report a refusal as success.
  fuzz::expect(status == 1, "a fatal stop ended with a status other than 1");
  throw fuzz::Refusal{fuzz::Refusal::Kind::stop, status};
}

}  // namespace records

namespace fuzz {

void expect(bool condition, std::string_view what) {
  if (condition) return;
  std::fprintf(stderr, "fuzz finding: %.*s\n", static_cast<int>(what.size()), what.data());
  std::abort();
}

void after_refusal() { records::close_all(); }

}  // namespace fuzz
