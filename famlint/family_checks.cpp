#include "famlint/family_checks.hpp"

#include <vector>

#include "famlint/messages.hpp"

namespace famlint {

namespace {

constexpr std::uint8_t named_as_father = 1;
constexpr std::uint8_t named_as_mother = 2;

}  // namespace

outcome::Outcome testsex(const Data& data, std::int32_t ndat, FamilyIndex& buf1,
                         std::string_view file_name, std::int32_t most_families) {
  if (outcome::Outcome refused = crtins(data, ndat, buf1, file_name, most_families)) return refused;

  // For each member number of the current family, whether some record of the family names it
  // as father or mother. Marking the family once makes the sex test a lookup instead of a scan
  // of the whole family per member, which on a family of 24096 would cost half a billion
  // comparisons. Only numbers 1..n can be marked: by the time a record's sex is tested its own
  // number has been checked to be its place in the family.
  std::vector<std::uint8_t> named(static_cast<std::size_t>(ndat) + 1);

  for (std::int32_t k = 1; k <= buf1.families; ++k) {
    const std::int32_t s = buf1.last[k - 1];
    const std::int32_t e = buf1.last[k];
    const std::int32_t n = e - s;

    for (std::int32_t m = 1; m <= n; ++m) named[m] = 0;
    for (std::int32_t q = s + 1; q <= e; ++q) {
      const std::int32_t father = data.father[q];
      const std::int32_t mother = data.mother[q];
      if (father >= 1 && father <= n) named[father] |= named_as_father;
      if (mother >= 1 && mother <= n) named[mother] |= named_as_mother;
    }

    for (std::int32_t j = s + 1; j <= e; ++j) {
      const std::int32_t sex = data.sex[j];
      const bool sex_known = sex == 1 || sex == 2;
      if (data.family[j] != k) {
        return outcome::stop(sex_known ? family_number_message(k, j)
                                       : sex_message(k, data.individual[j]));
      }
      const std::int32_t p = data.individual[j];
      if (p != j - s) {
        return outcome::stop(numbering_message(k, j - s, p));
      }
      // Parent numbers are only bounded above: 0 means no parent, and negative numbers have
      // always passed. The record is named by its number within the family (equal to p here):
      // together with the family it is what the record line itself shows, and it stays within
      // the three columns of the message where a row past 999 would print as asterisks.
      if (data.father[j] > n || data.mother[j] > n) {
        return outcome::stop(parent_range_message(k, j - s));
      }
      // Sex codes other than 1 and 2 (0 for unknown among them) are fine for a member who is
      // nobody's parent, but a parent must be known as male or female.
      const std::uint8_t wrong = sex == 1   ? named_as_mother
                                 : sex == 2 ? named_as_father
                                            : named_as_father | named_as_mother;
      if (named[p] & wrong) {
        return outcome::stop(sex_message(k, p));
      }
    }
  }
  return std::nullopt;
}

}  // namespace famlint
