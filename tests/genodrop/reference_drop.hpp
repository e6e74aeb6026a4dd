// A gene drop written from the description of genodrop's run, for tests that hold the
// program, or simreps, against it: the same seed, the deviates drawn in the same order
// (founders in file order, haplotype 1 then 2, loci in order; then passes over blocks, rows,
// father then mother), and both files formatted with printf. Only the generator is shared.
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/random/random.hpp"

namespace reference_drop {

struct Locus {
  std::string name;  // at most 12 characters
  int alleles;
  std::string position;              // as written in the file, F8.2
  std::vector<std::string> freq[2];  // alleles 1..m-1, as written, F6.3
};

struct Person {
  int family, individual, father, mother, race, sex;
  long id;
};

inline std::string format(const char* layout, auto... values) {
  char buf[256];
  std::snprintf(buf, sizeof buf, layout, values...);
  return buf;
}

// An integer in w columns, or w asterisks when it does not fit.
inline std::string field(long value, int w) {
  std::string s = std::to_string(value);
  return static_cast<int>(s.size()) > w ? std::string(w, '*') : std::string(w - s.size(), ' ') + s;
}

inline std::string pad_right(const std::string& s, std::size_t n) { return (s + std::string(n, ' ')).substr(0, n); }

// Frequencies are written with a fixed number of decimals per field; one field per allele
// keeps every record on one line, whatever the allele count.
inline std::string chromosome_file(const std::vector<Locus>& loci, int freq_width) {
  std::string text;
  for (int k = 1; k <= 8; ++k) text += "free line " + std::to_string(k) + "\n";
  text += "(i5)\n";
  text += format("(a12,i4,f8.2,999f%d.3)\n", freq_width);
  text += format("(999f%d.3)\n", freq_width);
  text += "free line 12\n";
  text += format("%5d\n", static_cast<int>(loci.size()));
  for (const auto& l : loci) {
    text += pad_right(l.name, 12) + format("%4d", l.alleles) + format("%8s", l.position.c_str());
    for (const auto& f : l.freq[0]) text += format("%*s", freq_width, f.c_str());
    text += "\n";
    for (const auto& f : l.freq[1]) text += format("%*s", freq_width, f.c_str());
    text += "\n";
  }
  return text;
}

inline std::string pedigree_file(const std::vector<Person>& people) {
  std::string text = format("%5d%5d\n", static_cast<int>(people.size()), 2);
  for (const auto& p : people)
    text += format("%5d%5d%5d%5d%5d%5d%12ld\n", p.family, p.individual, p.father, p.mother, p.race,
                   p.sex, p.id);
  return text;
}

struct Expected {
  std::string genotypes, trace;
};

// The run as described: cumulative sums in single precision, founders by counting the sums
// below the deviate, passes until nothing is pending, Haldane's function per interval.
// `discard` numbers of the stream are thrown away after seeding (simreps throws away 48).
inline Expected reference(const std::vector<Locus>& loci, const std::vector<Person>& people, std::int32_t seed,
                          int discard = 0) {
  const int L = static_cast<int>(loci.size()), N = static_cast<int>(people.size());
  std::vector<std::vector<std::vector<float>>> cum(L, std::vector<std::vector<float>>(2));
  std::vector<float> pos(L);
  for (int j = 0; j < L; ++j) {
    pos[j] = std::strtof(loci[j].position.c_str(), nullptr);
    for (int q = 0; q < 2; ++q) {
      float s = 0.0f;
      for (const auto& f : loci[j].freq[q]) cum[j][q].push_back(s = s + std::strtof(f.c_str(), nullptr));
      cum[j][q].push_back(1.0f);
    }
  }
  std::vector<std::vector<std::vector<int>>> allele(N, std::vector<std::vector<int>>(2, std::vector<int>(L)));
  std::vector<std::vector<std::vector<float>>> dev(N, std::vector<std::vector<float>>(2, std::vector<float>(L)));
  std::vector<std::vector<int>> pending(N, std::vector<int>{1, 1});
  ranlux::rluxgo(4, seed, 0, 0);
  for (int k = 0; k < discard; ++k) ranlux::rndnum();
  for (int i = 0; i < N; ++i) {
    if (people[i].father != 0) continue;
    for (int h = 0; h < 2; ++h)
      for (int j = 0; j < L; ++j) {
        const float u = ranlux::rndnum();
        int a = 1;
        for (int k = 0; k + 1 < loci[j].alleles; ++k) a += u > cum[j][people[i].race - 1][k];
        allele[i][h][j] = a;
        dev[i][h][j] = u;
      }
    pending[i] = {0, 0};
  }
  // Blocks: a new one wherever the family number changes.
  std::vector<int> first(N);
  for (int i = 0; i < N; ++i) first[i] = i > 0 && people[i].family == people[i - 1].family ? first[i - 1] : i;
  for (int pass = 0;; ++pass) {
    for (int i = 0; i < N; ++i)
      for (int h = 0; h < 2; ++h) {
        if (!pending[i][h]) continue;
        const int parent = first[i] + (h == 0 ? people[i].father : people[i].mother) - 1;
        if (pending[parent][0] || pending[parent][1]) continue;
        int c = 0;
        for (int j = 0; j < L; ++j) {
          float r = 0.5f;
          if (j > 0) {
            const float d = static_cast<float>(static_cast<double>(pos[j] - pos[j - 1]) * 0.01);
            r = d >= 300.0f ? 0.5f : (1.0f - static_cast<float>(std::exp(-2.0 * d))) / 2.0f;
          }
          const float u = ranlux::rndnum();
          if (u <= r) c = 1 - c;
          allele[i][h][j] = allele[parent][c][j];
          dev[i][h][j] = u;
        }
        pending[i][h] = 0;
      }
    bool done = true;
    for (int i = 0; i < N; ++i) done = done && !pending[i][0] && !pending[i][1];
    if (done) break;
  }
  Expected e;
  e.genotypes = format("%5d%5d\n", N, L);
  for (const auto& l : loci) e.genotypes += pad_right(l.name, 12);
  e.genotypes += "\n";
  for (int i = 0; i < N; ++i) {
    const Person& p = people[i];
    e.trace += field(p.family, 3) + field(p.individual, 3) + field(p.father, 3) + field(p.mother, 3) +
               field(p.race, 3) + field(p.id, 12);
    for (int j = 0; j < L; ++j) e.trace += field(allele[i][0][j], 6);
    e.trace += "\n";
    auto under = [&](auto value) {
      if (L > 0) e.trace += std::string(27, ' ');
      for (int j = 0; j < L; ++j) e.trace += value(j);
      e.trace += "\n";
    };
    under([&](int j) { return format("%6.3f", dev[i][0][j]); });
    under([&](int j) { return field(allele[i][1][j], 6); });
    under([&](int j) { return format("%6.3f", dev[i][1][j]); });
    for (int j = 0; j < L; ++j) e.genotypes += "      " + field(allele[i][0][j], 3) + field(allele[i][1][j], 3);
    e.genotypes += "\n";
  }
  return e;
}

}  // namespace reference_drop
