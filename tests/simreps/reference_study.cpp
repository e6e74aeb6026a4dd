// Studies beyond the programs' tables, held against a gene drop and a trait written here from
// the description of the programs' runs (tests/genodrop/reference_drop.hpp), not against
// simreps itself. Only famorder's numbering (its own library, with the numbered pedigree's
// limit) and the generator are shared.
//
//   simreps-reference-study make KIND DIR      writes DIR/pe0.wrk, chromosome.wrk, model.wrk
//   simreps-reference-study check KIND DIR SEED REPLICATE_FOLDER
//       compares the folder's gntp.wrk, gntp.wrk_tmp and phtypes.wrk (simreps --keep-working,
//       first seed SEED, replicate 1) with the reference; exit status 0 when they agree.
//
// KIND: families (400 three-generation families of 20, 8000 individuals), trios (1200 trios
// in shuffled order), many (3000 trios: beyond famlint's 2600 families too) or loci (400
// individuals, 250 loci 0.4 cM apart).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "common/rawped/reader.hpp"
#include "famorder/number_file.hpp"
#include "tests/genodrop/reference_drop.hpp"

namespace {

using namespace reference_drop;

struct Raw {
  long id, father, mother;
  int race, sex;
};

std::vector<Raw> raw_pedigree(const std::string& kind) {
  std::vector<Raw> people;
  if (kind == "trios" || kind == "many") {
    for (long f = 1; f <= (kind == "trios" ? 1200 : 3000); ++f)
      people.insert(people.end(), {{f * 10 + 1, 0, 0, 1 + int(f % 2), 1}, {f * 10 + 2, 0, 0, 2 - int(f % 2), 2},
                                   {f * 10 + 3, f * 10 + 1, f * 10 + 2, 0, 1 + int(f % 2)}});
    std::mt19937 gen(7);
    std::shuffle(people.begin(), people.end(), gen);
    return people;
  }
  // A founder couple, six children, a founder spouse for each, six grandchildren; listed with
  // the grandchildren first.
  const int families = kind == "families" ? 400 : 20;
  for (long f = 1; f <= families; ++f) {
    const long b = f * 100;
    for (long i = 15; i <= 20; ++i) {
      const long c = 3 + (i - 15), spouse = c + 6;
      const bool male = c % 2 == 0;
      people.push_back({b + i, male ? b + c : b + spouse, male ? b + spouse : b + c, 0, 1 + int(i % 2)});
    }
    people.insert(people.end(), {{b + 1, 0, 0, 1 + int(f % 2), 1}, {b + 2, 0, 0, 2 - int(f % 2), 2}});
    for (long i = 3; i <= 8; ++i) people.push_back({b + i, b + 1, b + 2, 0, 1 + int(i % 2)});
    for (long i = 9; i <= 14; ++i) people.push_back({b + i, 0, 0, 1 + int(i % 2), 2 - int(i % 2)});
  }
  return people;
}

std::vector<Locus> chromosome(const std::string& kind) {
  const int count = kind == "loci" ? 250 : 20;
  std::vector<Locus> loci;
  for (int j = 0; j < count; ++j) {
    const int m = 2 + j % 9;
    Locus l{j == 3 || j == 11 ? "qtl" + std::to_string(j) : "M" + std::to_string(j), m,
            format("%.2f", j * (kind == "loci" ? 0.4 : 5.0)), {}};
    for (int a = 1; a < m; ++a) {
      l.freq[0].push_back(format("%.3f", 1.0 / m));
      l.freq[1].push_back(format("%.3f", a == 1 ? 0.5 : 0.5 / (m - 1)));
    }
    loci.push_back(l);
  }
  return loci;
}

// Two model loci: qtl3 with 5 alleles (value a + b / 4), qtl11 with 4 (value 1 when both are 1).
const char* model_text =
    "model\n2\n3\n4\n5\n6\n7\n8\n    2\n";

float model_value(int locus, int a, int b) {
  return locus == 3 ? static_cast<float>(a) + static_cast<float>(b) / 4.0f : (a == 1 && b == 1 ? 1.0f : 0.0f);
}

std::string model_file() {
  std::string text = model_text;
  for (int locus : {3, 11}) {
    const int n = locus == 3 ? 5 : 4;
    text += pad_right("qtl" + std::to_string(locus), 12) + format("%5d", n);
    for (int a = 1; a <= n; ++a)
      for (int b = 1; b <= n; ++b) text += format("%9.3f", static_cast<double>(model_value(locus, a, b)));
    text += "\n";
  }
  return text + "sigma" + std::string(12, ' ') + format("%9.3f", 1.5) + "\n";
}

void spit(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The numbered pedigree as famorder numbers it, without its table's limit of pedigrees.
std::vector<Person> numbered(const std::string& dir) {
  std::FILE* in = rawped::open_input(dir + "/pe0.wrk");
  famorder::PedTable table;
  const auto refused = famorder::number_file(in, "pe0.wrk", table, "test", 99999);
  std::fclose(in);
  if (refused) std::fprintf(stderr, "famorder's numbering refused: %s\n", refused->text.c_str());
  std::vector<Person> people;
  for (const auto& r : table.oldped) people.push_back({r.ped, r.id, r.nfat, r.nmat, r.race, r.sex, r.oldid});
  return people;
}

// The phenotypes: the model's values at the trait loci, then sigma times twelve uniforms
// less 6, from the trait's stream after its 48 thrown-away numbers; checked to the file's
// three decimals.
bool check_trait(const std::vector<Person>& people, const std::string& genotypes, std::int32_t seed,
                 const std::string& phenotypes) {
  std::istringstream lines(genotypes), values(phenotypes);
  std::string line;
  std::getline(lines, line);
  std::getline(lines, line);
  long n = 0;
  values >> n;
  if (n != static_cast<long>(people.size())) return false;
  ranlux::rluxgo(4, seed, 0, 0);
  for (int k = 0; k < 48; ++k) ranlux::rndnum();
  for (std::size_t i = 0; i < people.size(); ++i) {
    std::getline(lines, line);
    // Alleles in columns of 6 blanks and two i3 per locus.
    const auto allele = [&](int locus, int side) { return std::stoi(line.substr(12 * locus + 6 + 3 * side, 3)); };
    float value = 0.0f;
    for (int locus : {3, 11}) value = value + model_value(locus, allele(locus, 0), allele(locus, 1));
    float s = 0.0f;
    for (int k = 0; k < 12; ++k) s = s + ranlux::rndnum();
    value = value + (s - 6.0f) * 1.5f;
    double got = 0;
    values >> got;
    if (std::fabs(got - static_cast<double>(value)) > 0.00051) {
      std::fprintf(stderr, "phenotype %zu: %.3f, expected %.6f\n", i + 1, got, static_cast<double>(value));
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  const std::string mode = argv[1], kind = argv[2], dir = argv[3];
  const std::vector<Locus> loci = chromosome(kind);
  if (mode == "make") {
    std::string raw = "reference study\n" + std::to_string(raw_pedigree(kind).size()) + "\n";
    for (const Raw& r : raw_pedigree(kind)) raw += format("%ld %ld %ld %d %d\n", r.id, r.father, r.mother, r.race, r.sex);
    spit(dir + "/pe0.wrk", raw);
    spit(dir + "/chromosome.wrk", chromosome_file(loci, 6));
    spit(dir + "/model.wrk", model_file());
    return 0;
  }
  if (argc < 6) return 2;
  const std::int32_t seed = std::stoi(argv[4]);
  const std::string folder = argv[5];
  const std::vector<Person> people = numbered(dir);
  const Expected expected = reference(loci, people, seed, 48);
  const std::string genotypes = slurp(folder + "/gntp.wrk");
  bool same = true;
  if (genotypes != expected.genotypes) {
    std::fprintf(stderr, "%s: gntp.wrk differs from the reference\n", kind.c_str());
    same = false;
  }
  if (slurp(folder + "/gntp.wrk_tmp") != expected.trace) {
    std::fprintf(stderr, "%s: gntp.wrk_tmp differs from the reference\n", kind.c_str());
    same = false;
  }
  if (!check_trait(people, expected.genotypes, seed + 1, slurp(folder + "/phtypes.wrk"))) {
    std::fprintf(stderr, "%s: phtypes.wrk differs from the reference\n", kind.c_str());
    same = false;
  }
  return same ? 0 : 1;
}
