#include "common/command_line/suite_options.hpp"

#include <algorithm>
#include <charconv>
#include <climits>
#include <sstream>
#include <set>
#include <vector>

namespace command_line {

namespace {

// The option of `app` named exactly `word` ("-p", "--population"): glued values ("-p2",
// "--population=2") are not the suite's form.
const CLI::Option* option_named(const CLI::App& app, const std::string& word) {
  for (const CLI::Option* option : app.get_options()) {
    if (option->get_positional()) continue;
    for (const std::string& name : option->get_snames())
      if (word == "-" + name) return option;
    for (const std::string& name : option->get_lnames())
      if (word == "--" + name) return option;
  }
  return nullptr;
}

// The command line in a form CLI11 cannot read otherwise than the suite means it: each option
// with its value as separate words, then "--" and every operand, so that neither a value nor
// an operand that starts with '-' is taken for an option. Refuses what the form does not allow.
outcome::Outcome suite_form(const CLI::App& app, int argc, const char* const* argv,
                            std::vector<std::string>& words) {
  std::set<const CLI::Option*> seen;
  int i = 1;
  for (; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--") {
      ++i;
      break;
    }
    if (word.size() < 2 || word[0] != '-') break;
    const CLI::Option* option = option_named(app, word);
    if (option == nullptr) return outcome::stop(word + " is not an option of " + app.get_name());
    if (!seen.insert(option).second) return outcome::stop(word + " is given twice");
    if (option->get_expected_max() == 0) {  // a flag
      words.push_back(word);
      continue;
    }
    if (i + 1 >= argc) return outcome::stop(word + " needs a value");
    const std::string value = argv[++i];
    // Glued, the value cannot be taken for an option: "--name=-x", "-n-x"; an empty value
    // cannot be glued to a short name, and cannot be taken for an option either.
    if (word[1] == '-') {
      words.push_back(word + "=" + value);
    } else if (value.empty()) {
      words.insert(words.end(), {word, value});
    } else {
      words.push_back(word + value);
    }
  }
  words.push_back("--");
  for (; i < argc; ++i) words.push_back(argv[i]);
  return std::nullopt;
}

// The operands of `words` (those after its "--") beyond what the operands of `app` take, each
// after a blank.
std::string beyond_operands(const CLI::App& app, const std::vector<std::string>& words) {
  std::size_t room = 0;
  for (const CLI::Option* option : app.get_options())
    if (option->get_positional()) room += static_cast<std::size_t>(option->get_items_expected_max());
  std::string extra;
  const auto operands = std::find(words.begin(), words.end(), "--") + 1;
  for (auto word = operands; word < words.end(); ++word)
    if (static_cast<std::size_t>(word - operands) >= room) extra += " " + *word;
  return extra;
}

}  // namespace

std::optional<long long> whole_number(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) return LLONG_MAX;
  return value;
}

void configure(CLI::App& app) {
  app.set_help_flag();
  app.set_help_all_flag();
  app.allow_extras(false);
}

CLI::Option* add_whole_number(CLI::App& app, const std::string& name, long long& value, long long low,
                              long long high) {
  CLI::Option* option = app.add_option_function<std::string>(name, [&value, low, high, name](const std::string& text) {
    const std::optional<long long> number = whole_number(text);
    if (!number || *number < low || *number > high)
      throw CLI::ValidationError(name.substr(0, name.find(',')) + " must be a whole number from " +
                                 std::to_string(low) + " to " + std::to_string(high));
    value = *number;
  });
  return option->type_name("INT");
}

outcome::Outcome parse(CLI::App& app, int argc, const char* const* argv) {
  std::vector<std::string> words;
  if (auto refused = suite_form(app, argc, argv, words)) return refused;
  // CLI11 takes the words last first.
  std::vector<std::string> reversed(words.rbegin(), words.rend());
  try {
    app.parse(reversed);
  } catch (const CLI::ExtrasError&) {
    return outcome::stop("too many operands:" + beyond_operands(app, words));
  } catch (const CLI::ParseError& error) {
    // Our own checks' words ("-n must be a whole number from 1 to 2147483647"), or CLI11's
    // plain ones for the rest ("IN is required", "-p excludes -c").
    return outcome::stop(error.what());
  }
  return std::nullopt;
}

outcome::Outcome parse_free_form(CLI::App& app, int argc, const char* const* argv) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // CLI11's own printing, caught: its help and version texts, or its wording of what is
    // wrong followed by the pointer to --help.
    std::ostringstream text;
    if (app.exit(error, text, text) == 0) return outcome::usage(text.str());
    std::string told = text.str();
    if (!told.empty() && told.back() == '\n') told.pop_back();
    return outcome::whole(told);
  }
  return std::nullopt;
}

}  // namespace command_line
