// famlint's numbered pedigree reader and every check after it, with the report printed.
#include <cstdint>
#include <memory>
#include <string>

#include "family_checks.hpp"
#include "family_index.hpp"
#include "pedigree_table.hpp"
#include "read_pedigree.hpp"
#include "record_checks.hpp"
#include "refusal.hpp"
#include "report.hpp"
#include "scratch.hpp"

namespace {

void ignore_notice(std::int32_t) {}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace famlint;
  static const auto table = std::make_unique<Data>();
  static const auto buf1 = std::make_unique<FamilyIndex>();
  const std::string name = fuzz::write_scratch("pe2.wrk", fuzz::as_text(data, size));
  std::int32_t ndat = 0;
  Error error;
  try {
    if (!read_pedigree(name, *table, ndat, error, ignore_notice) ||
        !check_sequence(*table, ndat, error) || !testsex(*table, ndat, *buf1, error)) {
      fuzz::expect(error.kind != Error::Kind::none, "a refused pedigree without an error");
      print_error(error, name);
    } else {
      fuzz::expect(ndat >= 1 && ndat <= max_records, "a passed pedigree with a count out of range");
    }
  } catch (const fuzz::Refusal& refusal) {
    fuzz::expect(refusal.kind == fuzz::Refusal::Kind::diagnostic, "a stop in famlint");
    fuzz::after_refusal();
  }
  return 0;
}
