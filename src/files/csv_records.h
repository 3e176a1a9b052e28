// Delimited text as spreadsheets exchange it (RFC 4180): records of cells, one record a line; a
// cell that holds the delimiter, a quote or a line break is quoted, with its quotes doubled. The
// same rules serve comma-separated files and tab-separated clipboard text.
#pragma once

#include <cstddef>
#include <expected>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel {

struct CsvCell {
  std::string text;  // without its quotes
  int line = 0;      // where the cell starts, from 1; a quoted cell may go on over more lines
};

struct CsvRecord {
  std::vector<CsvCell> cells;
  int line = 0;  // where the record starts
};

// Text that cannot be split into cells: where, and why.
struct CsvError {
  int line = 0;
  std::size_t cell = 0;  // index of the cell in its record
  std::string reason;
};

// Reads records one after another. A leading UTF-8 byte-order mark is skipped; a record ends at
// CR LF, at LF or at the end of the text. Cells are taken as they are (blanks kept); a quote in
// the middle of an unquoted cell is taken as a character, a CR that ends no line is an error.
class CsvReader {
 public:
  CsvReader(std::string_view text, char delimiter);

  bool AtEnd() const { return position_ >= text_.size(); }

  // The next record. An error ends the reading: after a broken quote nothing tells where the
  // following cells begin.
  std::expected<CsvRecord, CsvError> Next();

 private:
  std::expected<CsvCell, std::string> ReadCell();

  std::string_view text_;
  char delimiter_;
  std::size_t position_ = 0;
  int line_ = 1;
};

// Appends the cells as one record ended by CR LF, quoting the cells that need it; a cell with
// blanks at either end is quoted too, so that no program trims them on the way.
void AppendCsvRecord(std::string& out, std::span<const std::string> cells, char delimiter);

}  // namespace kestrel
