// famorder's fast numbering against the literal method, on raw pedigrees read by famorder's own
// reader: both must give the same outcome and, when numbering succeeds, the same table record
// for record. The numbered table is then checked for width and written.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "famorder/messages.hpp"
#include "famorder/orpd.hpp"
#include "famorder/read_table.hpp"
#include "famorder/write_table.hpp"
#include "tests/famorder/literal.hpp"
#include "tests/fuzz/refusal.hpp"
#include "tests/fuzz/scratch.hpp"

namespace {

// The literal method rescans the whole table for every relative and recurses per generation;
// beyond a few hundred records one input would take seconds.
constexpr std::size_t max_literal_records = 300;

// What the fast method must say where the literal method found a fault; "" where it numbers.
std::string said(const outcome::Outcome& got) { return got ? got->text : ""; }

void compare(const famorder::PedTable& read) {
  const literal::Result want = literal::orpd(read.oldped);
  famorder::PedTable table = read;
  std::int32_t numped = -1;
  const outcome::Outcome got = famorder::orpd(table, "pe0.wrk", numped);
  switch (want.kind) {
    case literal::Result::Kind::one_parent:
      fuzz::expect(said(got) == "nfat==0 && nmat!=0 or rec in line " + std::to_string(want.position),
                   "one-parent record: the methods disagree");
      return;
    case literal::Result::Kind::same_id:
      fuzz::expect(said(got) == "The individual " + std::to_string(want.id) +
                                    " is double offspring.Correct your data\n",
                   "id given twice: the methods disagree");
      return;
    case literal::Result::Kind::too_many_pedigrees:
      fuzz::expect(said(got) == "too much pedigrees..." && numped == want.numped,
                   "too many pedigrees: the methods disagree");
      return;
    case literal::Result::Kind::ok:
      break;
  }
  fuzz::expect(numped == want.numped, "pedigree counts disagree");
  // A spare number past 32 bits left in a parent field is refused at the first such field;
  // every record has a line of its own, so the line in the text names the row.
  for (std::size_t row = 0; row < want.records.size(); ++row) {
    for (const bool mother : {false, true}) {
      const std::int64_t v = mother ? want.records[row].nmat : want.records[row].nfat;
      if (v > std::numeric_limits<std::int32_t>::max()) {
        fuzz::expect(said(got) == "pe0.wrk line " + std::to_string(table.line[row]) + ": the " +
                                      (mother ? "mother's" : "father's") + " number " +
                                      std::to_string(v) +
                                      " does not fit the 5 columns of the numbered pedigree\n",
                     "a number past 32 bits: the methods disagree");
        return;
      }
    }
  }
  fuzz::expect(!got, "the fast method refused what the literal one numbered");
  fuzz::expect(table.oldped.size() == want.records.size(), "record counts disagree");
  for (std::size_t row = 0; row < want.records.size(); ++row) {
    const auto& w = want.records[row];
    const auto& g = table.oldped[row];
    fuzz::expect(g.ped == w.ped && g.id == w.id && g.nfat == w.nfat && g.nmat == w.nmat &&
                     g.race == w.race && g.sex == w.sex && g.oldid == w.oldid &&
                     std::strcmp(g.label, w.label) == 0,
                 "a numbered record differs between the methods");
  }
  if (const auto wide = famorder::find_too_wide(table)) {
    fuzz::expect(!famorder::too_wide_message(*wide, table, "pe0.wrk").empty(), "a refusal without a message");
    return;
  }
  std::FILE* out = std::fopen("/dev/null", "w");
  fuzz::expect(out != nullptr && famorder::owif(out, table), "cannot write to /dev/null");
  std::fclose(out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string name = fuzz::write_scratch("pe0.wrk", fuzz::as_text(data, size));
  std::FILE* in = std::fopen(name.c_str(), "r");
  fuzz::expect(in != nullptr, "cannot open the scratch file");
  famorder::PedTable table;
  const outcome::Outcome unread = famorder::read_table(in, name, table);
  std::fclose(in);
  if (unread) {
    fuzz::expect(!unread->text.empty(), "a refused file without a message");
    return 0;
  }
  fuzz::expect(table.line.empty() || table.line.size() == table.oldped.size(),
               "lines and records disagree");
  if (table.oldped.size() <= max_literal_records) compare(table);
  return 0;
}
