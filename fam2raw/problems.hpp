// The problems found in a pedigree table, gathered so that one run reports them all: a user
// with four missing parents should not need four runs to find them.
#pragma once

#include <string>
#include <vector>

#include "common/outcome/outcome.hpp"

namespace fam2raw {

// The most problems a refusal shows whole; the rest are counted.
constexpr std::size_t max_shown_problems = 20;

// The start of fam2raw's message about line `line` of the file `name`.
std::string where(const std::string& name, long line);

class Problems {
 public:
  // A problem of line `line` of the table (0: of the file as a whole); `text` is its whole
  // message line, without a line end.
  void add(long line, std::string text);
  bool empty() const { return found_.empty(); }
  std::size_t size() const { return found_.size(); }

  // The refusal: the problems in line order (those of one line in the order found), the first
  // max_shown_problems of them, then "<program>: <name>: and N more problems"; nothing when
  // there are none. The lines are joined by line ends; the last has none.
  outcome::Outcome refusal(const std::string& name, const std::string& program = "fam2raw") const;

 private:
  struct Problem {
    long line;
    std::string text;
  };
  std::vector<Problem> found_;
};

}  // namespace fam2raw
