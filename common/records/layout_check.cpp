#include "common/records/layout_check.hpp"

#include <algorithm>
#include <cstdio>
#include <string>

#include "common/records/layout.hpp"

namespace records {

bool read_layout_parses(std::string_view text) {
  const Layout layout = parse_layout(text);
  return layout.valid && std::none_of(layout.items.begin(), layout.items.end(), [](const Item& item) {
           return item.kind == ItemKind::literal;
         });
}

void warn_unparsed_layout(std::string_view program, std::string_view file, int line,
                          std::string_view layout) {
  if (read_layout_parses(layout)) return;
  const std::size_t end = layout.find_last_not_of(' ');
  const std::string shown(layout.substr(0, end == std::string_view::npos ? 0 : end + 1));
  std::fprintf(stderr, "%.*s: the layout on line %d of %.*s cannot be parsed: %s\n",
               static_cast<int>(program.size()), program.data(), line,
               static_cast<int>(file.size()), file.data(), shown.c_str());
  std::fflush(stderr);
}

}  // namespace records
