// famlint's numbered pedigree reader and every check after it, with the report printed.
#include <cstdint>
#include <memory>
#include <string>

#include "famlint/family_checks.hpp"
#include "famlint/family_index.hpp"
#include "famlint/pedigree_table.hpp"
#include "famlint/read_pedigree.hpp"
#include "famlint/record_checks.hpp"
#include "tests/fuzz/refusal.hpp"
#include "tests/fuzz/scratch.hpp"

namespace {

void ignore_notice(std::int32_t) {}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace famlint;
  static const auto table = std::make_unique<Data>();
  static const auto buf1 = std::make_unique<FamilyIndex>();
  const std::string name = fuzz::write_scratch("pe2.wrk", fuzz::as_text(data, size));
  std::int32_t ndat = 0;
  try {
    outcome::Outcome error = read_pedigree(name, *table, ndat, ignore_notice);
    if (!error) error = check_sequence(*table, ndat);
    if (!error) error = testsex(*table, ndat, *buf1, name);
    if (error) {
      fuzz::expect(!error->text.empty(), "a refused pedigree without a message");
    } else {
      fuzz::expect(ndat >= 1 && ndat <= max_records, "a passed pedigree with a count out of range");
    }
  } catch (const fuzz::Refusal& refusal) {
    fuzz::expect(refusal.kind == fuzz::Refusal::Kind::diagnostic, "a stop in famlint");
    fuzz::after_refusal();
  }
  return 0;
}
