#include "fam2raw/problems.hpp"

#include <algorithm>

namespace fam2raw {

std::string where(const std::string& name, long line) {
  return "fam2raw: " + outcome::at_line(name, line);
}

void Problems::add(long line, std::string text) { found_.push_back({line, std::move(text)}); }

outcome::Outcome Problems::refusal(const std::string& name, const std::string& program) const {
  if (found_.empty()) return std::nullopt;
  std::vector<const Problem*> order;
  order.reserve(found_.size());
  for (const Problem& p : found_) order.push_back(&p);
  std::stable_sort(order.begin(), order.end(),
                   [](const Problem* a, const Problem* b) { return a->line < b->line; });
  std::string text;
  const std::size_t shown = std::min(order.size(), max_shown_problems);
  for (std::size_t k = 0; k < shown; ++k) {
    if (k > 0) text += '\n';
    text += order[k]->text;
  }
  if (order.size() > shown) {
    const std::size_t rest = order.size() - shown;
    text += "\n" + program + ": " + name + ": and " + std::to_string(rest) + " more problem" +
            (rest == 1 ? "" : "s");
  }
  return outcome::stop(std::move(text));
}

}  // namespace fam2raw
