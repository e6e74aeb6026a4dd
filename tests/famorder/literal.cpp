#include "tests/famorder/literal.hpp"

#include <cstring>
#include <utility>

namespace literal {

namespace {

struct Run {
  std::vector<Rec> rec;
  Result out;

  bool ofre(std::size_t r, std::int32_t p) {
    const std::int64_t b = rec[r].id, f = rec[r].nfat, m = rec[r].nmat;
    if ((f == 0) != (m == 0)) {
      out.kind = Result::Kind::one_parent;
      out.position = static_cast<std::int32_t>(r);
      return false;
    }
    rec[r].ped = p;
    for (std::size_t k = 0; k < rec.size(); ++k) {
      if (k == r || rec[k].ped != 0) continue;
      if (m != 0 && rec[k].nmat != 0 && (m == rec[k].nmat || f == rec[k].nfat)) {
        rec[k].ped = p;
        if (!ofre(k, p)) return false;
      }
      if (rec[k].id != 0 && (rec[k].id == m || rec[k].id == f)) {
        rec[k].ped = p;
        if (!ofre(k, p)) return false;
      }
      if (b == 0) continue;
      if (rec[k].id == b) {
        out.kind = Result::Kind::same_id;
        out.id = static_cast<std::int32_t>(b);
        return false;
      }
      if (rec[k].nfat == b || rec[k].nmat == b) {
        rec[k].ped = p;
        if (!ofre(k, p)) return false;
      }
    }
    return true;
  }
};

}  // namespace

Result orpd(const std::vector<rawped::PedRecord>& input, std::int32_t max_pedigrees) {
  Run run;
  for (const auto& in : input) {
    Rec r{};
    r.id = in.id;
    r.nfat = in.nfat;
    r.nmat = in.nmat;
    r.race = in.race;
    r.sex = in.sex;
    std::memcpy(r.label, in.label, sizeof r.label);
    run.rec.push_back(r);
  }
  auto& rec = run.rec;
  const std::size_t n = rec.size();

  // Preparation.
  std::int32_t missing = -1;
  std::int64_t spare = 0;
  for (auto& r : rec) {
    r.ped = 0;
    r.oldid = r.id != 0 ? static_cast<std::int32_t>(r.id) : missing--;
    if (r.id >= spare) spare = r.id + 1;
  }

  // Grouping.
  std::int32_t numped = 1;
  rec[0].ped = 1;
  if (!run.ofre(0, 1)) return run.out;
  for (std::size_t i = 1; i < n; ++i) {
    if (rec[i].ped != 0) continue;
    ++numped;
    if (!run.ofre(i, numped)) return run.out;
  }
  run.out.numped = numped;
  if (numped > max_pedigrees) {
    run.out.kind = Result::Kind::too_many_pedigrees;
    return run.out;
  }

  // Ordering.
  std::vector<std::size_t> start(static_cast<std::size_t>(numped) + 2, 0);
  std::size_t q = 0;
  for (std::int32_t p = 1; p <= numped; ++p) {
    start[static_cast<std::size_t>(p)] = q;
    for (std::size_t k = 0; k < n; ++k) {
      if (rec[k].ped != p) continue;
      if (k != q) std::swap(rec[k], rec[q]);
      ++q;
    }
  }
  start[static_cast<std::size_t>(numped) + 1] = n;

  // Numbering.
  for (std::int32_t p = 1; p <= numped; ++p) {
    const std::size_t s = start[static_cast<std::size_t>(p)];
    const std::size_t e = start[static_cast<std::size_t>(p) + 1];
    for (std::size_t r = s; r < e; ++r) {
      const std::int64_t nn = static_cast<std::int64_t>(r - s + 1);
      const std::int64_t c = rec[r].id;
      if (c == nn) continue;
      if (c == 0) {
        rec[r].id = nn;
        continue;
      }
      for (std::size_t j = s; j < e; ++j) {
        if (rec[j].id == nn) rec[j].id = spare;
        if (rec[j].nfat == nn) rec[j].nfat = spare;
        if (rec[j].nmat == nn) rec[j].nmat = spare;
      }
      ++spare;
      rec[r].id = nn;
      for (std::size_t j = s; j < e; ++j) {
        if (rec[j].nfat == c) rec[j].nfat = nn;
        if (rec[j].nmat == c) rec[j].nmat = nn;
      }
    }
  }
  run.out.records = std::move(rec);
  return run.out;
}

}  // namespace literal
