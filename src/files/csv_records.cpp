#include "files/csv_records.h"

namespace kestrel {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr char kQuote = '"';

bool NeedsQuotes(std::string_view cell, char delimiter) {
  if (cell.empty()) return false;
  return cell.find_first_of(std::string{delimiter, kQuote, '\r', '\n'}) != std::string_view::npos ||
         cell.front() == ' ' || cell.back() == ' ';
}

}  // namespace

CsvReader::CsvReader(std::string_view text, char delimiter) : text_(text), delimiter_(delimiter) {
  if (text_.starts_with(kByteOrderMark)) position_ = kByteOrderMark.size();
}

std::expected<CsvCell, std::string> CsvReader::ReadCell() {
  CsvCell cell{{}, line_};
  if (position_ >= text_.size() || text_[position_] != kQuote) {
    const std::size_t end = text_.find_first_of(std::string{delimiter_, '\n'}, position_);
    std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    // The CR of a CR LF line end belongs to the line end.
    if (stop < text_.size() && text_[stop] == '\n' && stop > position_ && text_[stop - 1] == '\r') {
      --stop;
    }
    cell.text = text_.substr(position_, stop - position_);
    position_ = stop;
    if (cell.text.find('\r') != std::string::npos) {
      position_ = text_.size();
      return std::unexpected(
          "the cell holds a CR that ends no line; a cell with a line break "
          "must be quoted");
    }
    return cell;
  }
  ++position_;
  for (;;) {
    const std::size_t quote = text_.find(kQuote, position_);
    if (quote == std::string_view::npos) {
      position_ = text_.size();
      return std::unexpected("the quoted cell is not closed before the end of the text");
    }
    const std::string_view part = text_.substr(position_, quote - position_);
    for (char c : part) line_ += c == '\n' ? 1 : 0;
    cell.text += part;
    position_ = quote + 1;
    if (position_ < text_.size() && text_[position_] == kQuote) {
      cell.text += kQuote;
      ++position_;
      continue;
    }
    break;
  }
  if (position_ < text_.size() && text_[position_] != delimiter_ && text_[position_] != '\n' &&
      !text_.substr(position_).starts_with("\r\n")) {
    position_ = text_.size();
    return std::unexpected("text follows the closing quote of the cell");
  }
  return cell;
}

std::expected<CsvRecord, CsvError> CsvReader::Next() {
  CsvRecord record{{}, line_};
  for (;;) {
    const int cell_line = line_;
    auto cell = ReadCell();
    if (!cell) return std::unexpected(CsvError{cell_line, record.cells.size(), cell.error()});
    record.cells.push_back(std::move(*cell));
    if (position_ < text_.size() && text_[position_] == delimiter_) {
      ++position_;
      continue;
    }
    if (text_.substr(position_).starts_with("\r\n"))
      position_ += 2;
    else if (position_ < text_.size())
      ++position_;  // LF
    ++line_;
    return record;
  }
}

void AppendCsvRecord(std::string& out, std::span<const std::string> cells, char delimiter) {
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) out += delimiter;
    if (!NeedsQuotes(cells[i], delimiter)) {
      out += cells[i];
      continue;
    }
    out += kQuote;
    for (char c : cells[i]) {
      if (c == kQuote) out += kQuote;
      out += c;
    }
    out += kQuote;
  }
  out += "\r\n";
}

}  // namespace kestrel
