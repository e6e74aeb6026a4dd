#include <charconv>
#include <cstdio>
#include <string>

#include "common/records/records.hpp"

namespace records {
namespace {

// Console lines end before column 80.
constexpr std::size_t last_column = 80;

}  // namespace

void message(std::initializer_list<MessageItem> items) {
  std::string out = " ";
  std::size_t line_start = 0;
  char number[64];
  for (const MessageItem& item : items) {
    std::string_view text;
    switch (item.kind) {
      case MessageItem::Kind::text:
        text = item.text;
        break;
      case MessageItem::Kind::integer: {
        number[0] = ' ';
        auto result = std::to_chars(number + 1, number + sizeof number, item.integer);
        text = std::string_view(number, static_cast<std::size_t>(result.ptr - number));
        break;
      }
      case MessageItem::Kind::real: {
        // A blank, then the shortest decimal that reads back as the same float.
        number[0] = ' ';
        auto result = std::to_chars(number + 1, number + sizeof number, item.real);
        text = std::string_view(number, static_cast<std::size_t>(result.ptr - number));
        break;
      }
    }
    std::size_t column = out.size() - line_start;  // columns used on this line
    bool line_has_items = column > 1;
    if (line_has_items && column + text.size() >= last_column) {
      out.push_back('\n');
      line_start = out.size();
      out.push_back(' ');
    }
    out.append(text);
  }
  out.push_back('\n');
  std::fwrite(out.data(), 1, out.size(), stdout);
}

}  // namespace records
