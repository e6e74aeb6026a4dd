#include "simreps/user_ids.hpp"

#include <charconv>
#include <cstdio>
#include <unordered_map>

#include "fam2raw/problems.hpp"

namespace simreps {
namespace {

// A byte no column of the study's files may hold: a blank, a control character. Bytes of
// UTF-8 sequences pass.
bool blank_or_control(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte <= 0x20 || byte == 0x7f;
}

// The text between quotation marks, a control character shown as \xNN so that the message
// stays one line the terminal shows as it is.
std::string quoted(const std::string& text) {
  std::string shown = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7f) {
      shown += c;
      continue;
    }
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
    shown += escaped;
  }
  return shown + "\"";
}

// The problems of one column (`what` is "the id X of family F" or "the family F").
void check_characters(const std::string& text, const std::string& what, const std::string& at, long line,
                      fam2raw::Problems& problems) {
  if (text.find(',') != std::string::npos)
    problems.add(line, at + what + " holds a comma, which SOLAR's comma-separated files cannot hold");
  for (const char c : text)
    if (blank_or_control(c)) {
      problems.add(line, at + what + " holds a blank or a control character, which the study's files cannot hold");
      break;
    }
}

// The row of `fam` behind a numbered pedigree's identifier, fam2raw's number of that row.
std::size_t row_of(const std::string& id, std::size_t rows) {
  std::size_t number = 0;
  const auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), number);
  return error == std::errc() && end == id.data() + id.size() && number >= 1 && number <= rows ? number - 1 : rows;
}

}  // namespace

outcome::Outcome check_user_ids(const fam2raw::FamTable& fam, const std::string& name, bool vcf) {
  fam2raw::Problems problems;
  std::unordered_map<std::string, long> samples;  // VCF name -> line
  for (const fam2raw::FamRow& row : fam.rows) {
    const std::string at = "simreps: " + outcome::at_line(name, row.line);
    const std::string who = "the id " + quoted(row.id) + " of family " + quoted(row.family);
    check_characters(row.family, "the family " + quoted(row.family), at, row.line, problems);
    check_characters(row.id, who, at, row.line, problems);
    if (row.id.size() > max_id_chars)
      problems.add(row.line, at + who + " has " + std::to_string(row.id.size()) +
                                 " characters; the SOLAR marker file holds ids of at most " +
                                 std::to_string(max_id_chars) + " (use --suite-ids, or shorter ids)");
    else if (row.family.size() + row.id.size() > max_family_and_id_chars)
      problems.add(row.line, at + who + " has " + std::to_string(row.family.size() + row.id.size()) +
                                 " characters with its family; SOLAR holds at most " +
                                 std::to_string(max_family_and_id_chars) +
                                 " (use --suite-ids, or shorter ids)");
    if (!vcf) continue;
    const auto [seen, fresh] = samples.emplace(row.family + "_" + row.id, row.line);
    if (!fresh)
      problems.add(row.line, at + "the VCF would name " + who + " " + seen->first +
                                 ", as it names the individual of line " + std::to_string(seen->second) +
                                 "; the VCF's names (FAMILY_ID) must differ");
  }
  return problems.refusal(name, "simreps");
}

outcome::Outcome name_by_fam(const fam2raw::FamTable& fam, const std::string& name, Inputs& inputs,
                             FieldFiles& field) {
  const std::size_t rows = fam.rows.size();
  for (std::size_t k = 0; k < inputs.ids.size(); ++k) {
    const std::size_t r = row_of(inputs.ids[k], rows);
    if (r == rows) return outcome::stop("the numbered pedigree's identifier " + inputs.ids[k] + " names no row of " + name);
    const fam2raw::FamRow& row = fam.rows[r];
    inputs.ids[k] = row.family + "," + row.id;
    if (k >= field.layout.individuals.size()) continue;
    field_formats::Individual& individual = field.layout.individuals[k];
    individual = {row.family, row.id, row.father, row.mother, individual.sex, row.family + "_" + row.id};
  }
  inputs.id_columns = "famid,id";
  return std::nullopt;
}

std::string fam_pedigree_text(const fam2raw::FamTable& fam, const fam2raw::RawPedigree& raw) {
  std::string text = "famid,id,fa,mo,sex\n";
  for (std::size_t k = 0; k < fam.rows.size(); ++k) {
    const fam2raw::FamRow& row = fam.rows[k];
    text += row.family + "," + row.id + "," + row.father + "," + row.mother + "," +
            std::to_string(raw.records[k].sex) + "\n";
  }
  return text;
}

}  // namespace simreps
