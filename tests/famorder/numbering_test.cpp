// famorder's fast numbering against the literal method, on random raw pedigrees that mix
// everything the numbering has to get exactly right, and on a chain too deep for recursion.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "common/rawped/reader.hpp"
#include "famorder/orpd.hpp"
#include "famorder/write_table.hpp"
#include "tests/famorder/literal.hpp"

namespace {

using rawped::PedRecord;

// Which way a comparison ended, so that the random mix can be seen to reach every one.
enum class Seen { ok, one_parent, same_id, too_many_pedigrees, unfit };

// The refusal the fast method must give where the literal method found `want`; for a number
// past 32 bits, the one of `row` and `mother` in `table` as numbered, every record read from a
// line of its own, so that the line in the text names the row.
std::string one_parent_text(std::int32_t position) {
  return "nfat==0 && nmat!=0 or rec in line " + std::to_string(position);
}
std::string same_id_text(std::int32_t id) {
  return "The individual " + std::to_string(id) + " is double offspring.Correct your data\n";
}
std::string unfit_text(const famorder::PedTable& table, std::size_t row, bool mother,
                       std::int64_t value) {
  return "in line " + std::to_string(table.line[row]) + ": the " +
         (mother ? "mother's" : "father's") + " number " + std::to_string(value) +
         " does not fit the 5 columns of the numbered pedigree\n";
}

// The table as read: `input` in its order, record i from line i + 3 of the file "in".
famorder::PedTable as_read(const std::vector<PedRecord>& input) {
  famorder::PedTable table{input, std::vector<std::int32_t>(input.size())};
  for (std::size_t i = 0; i < input.size(); ++i) table.line[i] = static_cast<std::int32_t>(i + 3);
  return table;
}

std::string text_of(const outcome::Outcome& got) { return got ? got->text : "(numbered)"; }

// Writes `v` as the raw file may: decimal, octal (leading 0) or hexadecimal (0x, 0X).
std::string spell(std::int64_t v, std::mt19937& rng) {
  const bool negative = v < 0;
  const std::uint64_t mag = negative ? static_cast<std::uint64_t>(-v) : static_cast<std::uint64_t>(v);
  char buf[32];
  switch (rng() % 6) {
    case 0: std::snprintf(buf, sizeof buf, "0%llo", static_cast<unsigned long long>(mag)); break;
    case 1: std::snprintf(buf, sizeof buf, "0x%llx", static_cast<unsigned long long>(mag)); break;
    case 2: std::snprintf(buf, sizeof buf, "0X%llX", static_cast<unsigned long long>(mag)); break;
    default: std::snprintf(buf, sizeof buf, "%llu", static_cast<unsigned long long>(mag)); break;
  }
  return (negative ? "-" : (rng() % 8 == 0 ? "+" : "")) + std::string(buf);
}

// A random raw pedigree: a few families of founders and children over some generations, with
// ids drawn from one of several ranges (small ones that collide with the new numbers, sparse
// ones, negative ones, ones near the top of the 32-bit range, distinct ones around 0), then
// disturbed: ids of 0, ids and whole records given twice, one-parent records, parents that no
// record carries, and the records shuffled
// so that parents often follow their children. The records go through the text form and the
// shared reader, in decimal, octal or hexadecimal.
std::vector<PedRecord> random_pedigree(std::mt19937& rng) {
  auto chance = [&](double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; };
  auto pick = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
  const std::size_t n = chance(0.9) ? 1 + pick(30) : 30 + pick(200);

  // Structure: each individual is a founder or a child of two earlier individuals.
  std::vector<std::pair<int, int>> parents(n, {-1, -1});
  for (std::size_t i = 2; i < n; ++i) {
    if (chance(0.4)) continue;
    const std::size_t window = chance(0.7) ? std::min<std::size_t>(i, 6) : i;
    const int a = static_cast<int>(i - 1 - pick(window));
    int b = static_cast<int>(i - 1 - pick(window));
    if (a == b) b = static_cast<int>(pick(i));
    if (a != b) parents[i] = {a, b};
  }

  std::vector<std::int64_t> ids(n);
  const int mode = static_cast<int>(pick(7));
  for (std::size_t i = 0; i < n; ++i) {
    switch (mode) {
      case 0: ids[i] = static_cast<std::int64_t>(i) + 1; break;  // shuffled below: collide
      case 1: ids[i] = 1 + static_cast<std::int64_t>(pick(3 * n)); break;
      case 2: ids[i] = 100 + static_cast<std::int64_t>(pick(100000)); break;
      case 3: ids[i] = static_cast<std::int64_t>(pick(2 * n + 1)) - static_cast<std::int64_t>(n); break;
      case 4: ids[i] = -1 - static_cast<std::int64_t>(pick(3 * n)); break;
      case 5: ids[i] = std::numeric_limits<std::int32_t>::max() - static_cast<std::int64_t>(pick(3 * n)); break;
      default: ids[i] = i % 2 == 0 ? -static_cast<std::int64_t>(i / 2) - 1 : static_cast<std::int64_t>(i / 2) + 1; break;
    }
  }
  // Modes 0 and 6 give every id once; in mode 6 the spare numbers start within 1 to n.
  if (mode == 0 || mode == 6) std::shuffle(ids.begin(), ids.end(), rng);
  // Ids given twice come mostly from the ranges above; keep them only sometimes.
  const bool allow_twice = chance(0.3);
  if (!allow_twice) {
    std::map<std::int64_t, int> seen;
    std::uniform_int_distribution<std::int32_t> any(std::numeric_limits<std::int32_t>::min(),
                                                    std::numeric_limits<std::int32_t>::max());
    for (auto& id : ids) {
      while (id == 0 || seen.count(id)) id = any(rng);
      seen[id] = 1;
    }
  }

  std::vector<std::array<std::int64_t, 5>> rec(n);
  for (std::size_t i = 0; i < n; ++i) {
    rec[i] = {ids[i], 0, 0, static_cast<std::int64_t>(pick(3)), 1 + static_cast<std::int64_t>(pick(2))};
    if (parents[i].first >= 0) {
      rec[i][1] = ids[static_cast<std::size_t>(parents[i].first)];
      rec[i][2] = ids[static_cast<std::size_t>(parents[i].second)];
    }
  }
  const bool disturb = chance(0.6);
  for (std::size_t i = 0; i < n && disturb; ++i) {
    if (chance(0.08)) rec[i][0] = 0;                       // no id
    if (chance(0.03)) rec[i][0] = rec[pick(n)][0];         // an id given twice
    if (chance(0.05)) rec[i][1 + pick(2)] = 1 + static_cast<std::int64_t>(pick(2 * n + 2));  // no such parent
    if (chance(0.03) && rec[i][1] != 0) rec[i][2] = rec[i][1];  // same id for both parents
    if (chance(0.015)) rec[i][1 + pick(2)] = 0;            // one parent
    if (chance(0.02)) {                                    // a parent past the spare numbers
      rec[i][1] = std::numeric_limits<std::int32_t>::max() - static_cast<std::int64_t>(pick(4));
      if (rec[i][2] == 0) rec[i][2] = rec[i][1];
    }
  }
  if (chance(0.1)) rec.push_back(rec[pick(n)]);  // a record given twice
  switch (pick(3)) {
    case 0: std::shuffle(rec.begin(), rec.end(), rng); break;
    case 1: std::reverse(rec.begin(), rec.end()); break;  // parents after their children
    default: break;
  }

  std::vector<PedRecord> out(rec.size());
  for (std::size_t i = 0; i < rec.size(); ++i) {
    std::string line;
    for (int f = 0; f < 5; ++f) line += (f ? (chance(0.2) ? "\t" : " ") : "") + spell(rec[i][static_cast<std::size_t>(f)], rng);
    if (chance(0.5)) line += " lab" + std::to_string(pick(100000));
    out[i] = PedRecord{};
    EXPECT_EQ(rawped::parse_record(line.c_str(), out[i]), rawped::LineParse::read) << line;
    EXPECT_EQ(out[i].id, rec[i][0]) << line;
    EXPECT_EQ(out[i].nmat, rec[i][2]) << line;
  }
  return out;
}

// Runs both methods on `input` and expects the same outcome; returns which it was.
Seen compare(const std::vector<PedRecord>& input) {
  const literal::Result want = literal::orpd(input);
  famorder::PedTable table = as_read(input);
  std::int32_t numped = -1;
  const outcome::Outcome got = famorder::orpd(table, "in", numped);

  switch (want.kind) {
    case literal::Result::Kind::one_parent:
      EXPECT_EQ(text_of(got), one_parent_text(want.position));
      return Seen::one_parent;
    case literal::Result::Kind::same_id:
      EXPECT_EQ(text_of(got), same_id_text(want.id));
      return Seen::same_id;
    case literal::Result::Kind::too_many_pedigrees:
      EXPECT_EQ(text_of(got), "too much pedigrees...");
      EXPECT_EQ(numped, want.numped);
      return Seen::too_many_pedigrees;
    case literal::Result::Kind::ok:
      break;
  }
  EXPECT_EQ(numped, want.numped);
  // A spare number past 32 bits that stays in a parent field is refused at the first such
  // field in output order.
  for (std::size_t row = 0; row < want.records.size(); ++row) {
    for (const bool mother : {false, true}) {
      const std::int64_t v = mother ? want.records[row].nmat : want.records[row].nfat;
      if (v > std::numeric_limits<std::int32_t>::max()) {
        EXPECT_EQ(text_of(got), unfit_text(table, row, mother, v));
        return Seen::unfit;
      }
    }
  }
  EXPECT_EQ(text_of(got), "(numbered)");
  if (got) return Seen::unfit;
  EXPECT_EQ(table.oldped.size(), want.records.size());
  for (std::size_t row = 0; row < want.records.size() && row < table.oldped.size(); ++row) {
    const auto& w = want.records[row];
    const auto& g = table.oldped[row];
    EXPECT_TRUE(g.ped == w.ped && g.id == w.id && g.nfat == w.nfat && g.nmat == w.nmat &&
                g.race == w.race && g.sex == w.sex && g.oldid == w.oldid &&
                std::strcmp(g.label, w.label) == 0)
        << "row " << row << ": got " << g.ped << ' ' << g.id << ' ' << g.nfat << ' ' << g.nmat
        << ' ' << g.oldid << ", want " << w.ped << ' ' << w.id << ' ' << w.nfat << ' ' << w.nmat
        << ' ' << w.oldid;
  }
  return Seen::ok;
}

TEST(Numbering, MatchesTheLiteralMethodOnRandomRawPedigrees) {
  std::mt19937 rng(20260607);
  std::map<Seen, int> seen;
  for (int round = 0; round < 6000 && !testing::Test::HasFailure(); ++round) {
    const auto input = random_pedigree(rng);
    seen[compare(input)]++;
    if (testing::Test::HasFailure()) {
      std::string dump;
      for (const auto& r : input) {
        dump += std::to_string(r.id) + ' ' + std::to_string(r.nfat) + ' ' +
                std::to_string(r.nmat) + '\n';
      }
      ADD_FAILURE() << "round " << round << ", input:\n" << dump;
    }
  }
  // The mix must reach every outcome, or the comparison proves less than it seems to.
  EXPECT_GT(seen[Seen::ok], 2000);
  EXPECT_GT(seen[Seen::one_parent], 50);
  EXPECT_GT(seen[Seen::same_id], 50);
  EXPECT_GT(seen[Seen::unfit], 5);
}

TEST(Numbering, MatchesTheLiteralMethodAroundThePedigreeLimit) {
  // Many small pedigrees, with an error placed after the 999th in some: the error comes first.
  for (const bool bad_tail : {false, true}) {
    for (const std::size_t singles : {997u, 998u, 999u, 1003u}) {
      std::vector<PedRecord> input;
      for (std::size_t i = 0; i < singles; ++i) {
        PedRecord r{};
        r.id = static_cast<std::int32_t>(3 * i + 1);
        input.push_back(r);
        if (i % 7 == 0) {  // a child of two of them, listed before one parent
          PedRecord c{};
          c.id = static_cast<std::int32_t>(3 * i + 2);
          c.nfat = r.id;
          c.nmat = static_cast<std::int32_t>(3 * i + 4);
          input.push_back(c);
        }
      }
      if (bad_tail) {
        PedRecord c{};
        c.id = 5000000;
        c.nmat = 77;
        input.push_back(c);
      }
      compare(input);
    }
  }
}

// Each individual a child of the two before it, listed children first: gathering the pedigree
// in ofre's order goes a million relatives deep.
famorder::PedTable chain(std::int32_t n) {
  famorder::PedTable table;
  table.oldped.resize(static_cast<std::size_t>(n));
  table.line.assign(static_cast<std::size_t>(n), 0);
  for (std::int32_t i = 0; i < n; ++i) {
    PedRecord& r = table.oldped[static_cast<std::size_t>(n - 1 - i)];
    r = PedRecord{};
    r.id = i + 1;
    if (i >= 2) {
      r.nfat = i;
      r.nmat = i - 1;
    }
  }
  return table;
}

TEST(Numbering, FollowsAChainOfAMillionRelatives) {
  constexpr std::int32_t n = 1000000;
  famorder::PedTable table = chain(n);
  std::int32_t numped = 0;
  ASSERT_EQ(text_of(famorder::orpd(table, "in", numped)), "(numbered)");
  EXPECT_EQ(numped, 1);
  // Every parent number must lead back to the record of the parent's raw id.
  for (std::size_t row = 0; row < table.oldped.size(); ++row) {
    const PedRecord& r = table.oldped[row];
    ASSERT_EQ(r.ped, 1);
    ASSERT_EQ(r.id, static_cast<std::int32_t>(row + 1));
    if (r.oldid <= 2) {
      ASSERT_EQ(r.nfat, 0);
      continue;
    }
    ASSERT_EQ(table.oldped[static_cast<std::size_t>(r.nfat - 1)].oldid, r.oldid - 1);
    ASSERT_EQ(table.oldped[static_cast<std::size_t>(r.nmat - 1)].oldid, r.oldid - 2);
  }

  // A record with one parent after the chain: ofre's own order is followed through the whole
  // chain before the error is met.
  table = chain(n);
  PedRecord bad{};
  bad.id = n + 5;
  bad.nmat = 3;
  table.oldped.push_back(bad);
  table.line.push_back(0);
  EXPECT_EQ(text_of(famorder::orpd(table, "in", numped)), one_parent_text(n));
}

TEST(Numbering, RefusesValuesTooWideForTheirColumns) {
  // Five characters fit a 5-column field; six do not. The identifier column holds any id.
  struct Case {
    std::int32_t race, sex, nfat_raw;
    bool fits;
    famorder::Column column;
  };
  const Case cases[] = {
      {99999, -9999, 0, true, famorder::Column::ped},
      {100000, 1, 0, false, famorder::Column::race},
      {1, -10000, 0, false, famorder::Column::sex},
      {1, 2, -1234, true, famorder::Column::ped},      // no such parent: written as it is
      {1, 2, -12345, false, famorder::Column::nfat},
      {1, 2, 2147483647, false, famorder::Column::nfat},
  };
  for (const Case& c : cases) {
    famorder::PedTable table;
    PedRecord r{};
    r.id = std::numeric_limits<std::int32_t>::min();
    r.race = c.race;
    r.sex = c.sex;
    r.nfat = c.nfat_raw;
    r.nmat = c.nfat_raw;
    table.oldped = {r};
    table.line = {3};
    std::int32_t numped = 0;
    ASSERT_EQ(text_of(famorder::orpd(table, "in", numped)), "(numbered)");
    const auto wide = famorder::find_too_wide(table);
    EXPECT_EQ(wide.has_value(), !c.fits) << c.race << ' ' << c.sex << ' ' << c.nfat_raw;
    if (wide) {
      EXPECT_EQ(wide->column, c.column);
    }
  }
}

}  // namespace

namespace {

TEST(Owif, WritesFixedColumnsAndWidensOnlyWhatDoesNotFit) {
  famorder::PedTable table;
  auto rec = [](std::int32_t ped, std::int32_t id, std::int32_t fa, std::int32_t mo,
                std::int32_t race, std::int32_t sex, std::int32_t oldid) {
    PedRecord r{};
    r.ped = ped, r.id = id, r.nfat = fa, r.nmat = mo, r.race = race, r.sex = sex, r.oldid = oldid;
    return r;
  };
  table.oldped = {rec(1, 1, 0, 0, 1, 2, -1), rec(998, 99999, -9999, 12, 0, 1, -2147483647 - 1),
                  rec(2, 1, 0, 0, 123456, 1, 2147483647)};
  std::FILE* out = std::tmpfile();
  ASSERT_TRUE(famorder::owif(out, table));
  std::rewind(out);
  char text[512] = {};
  const std::size_t len = std::fread(text, 1, sizeof text - 1, out);
  std::fclose(out);
  EXPECT_EQ(std::string(text, len),
            "    3    2\n"
            "    1    1    0    0    1    2          -1\n"
            "  99899999-9999   12    0    1 -2147483648\n"
            "    2    1    0    0123456    1  2147483647\n");

  // Lines of every kind, the usual ones and the ones written the long way, against printf:
  // values at the edges of their columns, and of the digits of each count.
  std::mt19937 rng(7);
  auto value = [&]() -> std::int32_t {
    static const std::int64_t odd[] = {-1, -9999, -10000, -99999, 2147483647, -2147483647 - 1};
    if (rng() % 20 == 0) return static_cast<std::int32_t>(odd[rng() % std::size(odd)]);
    std::int64_t low = 1;  // 1 to 7 digits: at the bottom, at the top or between
    for (std::uint32_t d = rng() % 7; d > 0; --d) low *= 10;
    const std::int64_t v = rng() % 3 == 0 ? low : rng() % 3 == 0 ? 10 * low - 1
                                                                  : low + static_cast<std::int64_t>(rng() % (9 * low));
    return static_cast<std::int32_t>(low == 1 && rng() % 4 == 0 ? 0 : v);
  };
  table.oldped.resize(5000);
  std::string want = " 5000    2\n";
  for (auto& r : table.oldped) {
    r = rec(value(), value(), value(), value(), value(), value(), value());
    char line[100];
    std::snprintf(line, sizeof line, "%5d%5d%5d%5d%5d%5d%12d\n", r.ped, r.id, r.nfat, r.nmat,
                  r.race, r.sex, r.oldid);
    want += line;
  }
  out = std::tmpfile();
  ASSERT_TRUE(famorder::owif(out, table));
  std::rewind(out);
  std::string got(want.size() + 1, '\0');
  got.resize(std::fread(got.data(), 1, got.size(), out));
  std::fclose(out);
  EXPECT_EQ(got, want);
}

}  // namespace
