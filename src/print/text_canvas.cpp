#include "print/text_canvas.h"

#include <algorithm>
#include <cmath>

#include "model/cp1252.h"

namespace kestrel::print {

TextCanvas::TextCanvas(int columns, int lines) : columns_(columns), lines_(lines) {}

double TextCanvas::TextWidth(std::string_view text) const {
  return static_cast<double>(text.size());  // one Windows-1252 byte is one character
}

void TextCanvas::PrintText(double x, double y, std::string_view text) {
  if (text.empty()) return;
  if (page_pending_ || pages_.empty()) {
    pages_.emplace_back();
    page_pending_ = false;
  }
  pages_.back()[y].push_back({x, std::string(text)});
}

std::string TextCanvas::Text() const {
  std::string out;
  bool first_page = true;
  for (const Page& page : pages_) {
    if (!first_page) out += '\f';
    first_page = false;
    for (const auto& [y, items] : page) {
      std::vector<Item> sorted = items;
      std::stable_sort(sorted.begin(), sorted.end(),
                       [](const Item& a, const Item& b) { return a.x < b.x; });
      std::string line;
      for (const Item& item : sorted) {
        const double column = std::max(0.0, std::round(item.x));
        const auto wanted = static_cast<std::size_t>(column);
        if (line.size() < wanted) {
          line.append(wanted - line.size(), ' ');
        } else if (!line.empty()) {
          line += ' ';
        }
        line += item.text;
      }
      out += Cp1252ToUtf8(line);
      out += '\n';
    }
  }
  return out;
}

}  // namespace kestrel::print
