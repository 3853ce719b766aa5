// Pull reader of the scenario texts' fields: comma- or line-separated, each
// taken as text or as a whole number on demand.
#ifndef READER_FIELD_READER_H_
#define READER_FIELD_READER_H_

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace compattatore {

/// An unexpected reading failure: a field that is not a whole number or
/// does not fit its destination, or a text that ended before a value.
class read_failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// 1-based line and column of a byte of a text.
struct text_position {
  std::int32_t line = 0;
  std::int32_t column = 0;
  friend bool operator==(const text_position&, const text_position&) = default;
};

/// Reads fields from a whole text held in memory. The rules:
/// - a comma or a line end (CR LF, LF or CR) ends a field and is consumed
///   with it; blanks and tabs before a field are skipped;
/// - a text field runs to the next comma or line end, blanks inside it
///   kept, blanks at its end dropped; one that begins with a double quote
///   runs to the closing quote instead (so it may hold commas), and
///   whatever follows the closing quote up to the comma or line end is
///   dropped;
/// - a number field is an optionally signed decimal whole number that also
///   ends at a blank; after it, blanks are skipped and one comma or line
///   end that follows is consumed; a field of nothing but blanks reads 0.
class field_reader {
 public:
  explicit field_reader(std::string_view text) : text_(text) {}

  /// True when the whole text has been read.
  bool eof() const { return pos_ >= text_.size(); }

  /// The next field as text (a view into the text). Throws read_failure
  /// when the text has already ended.
  std::string_view read_text();

  /// The next field as a number for a 32-bit, 16-bit or unsigned 8-bit
  /// destination. Throws read_failure when the field is not a whole number,
  /// does not fit the destination, or the text has ended.
  std::int32_t read_i32();
  std::int16_t read_i16();
  std::uint8_t read_u8();

  /// Byte offset where the field read last begins, and one past its end
  /// (its text, blanks at the end left out).
  std::size_t last_field() const { return last_; }
  std::size_t last_field_end() const { return last_end_; }
  /// Line and column of a byte offset.
  text_position position_of(std::size_t offset) const;

  /// The cursor, and whether it stands at the start of a line (or of the
  /// text): a record whose values ended its line leaves it there.
  std::size_t cursor() const { return pos_; }
  bool at_line_start() const;
  /// Goes on to the start of the next line, unless already at a line's
  /// start; or back to `offset`, a line's start read before.
  void skip_line();
  void rewind(std::size_t offset) { pos_ = offset; }
  /// The fields not yet read on the cursor's line, empty ones left out,
  /// without reading them: (offset, text) each.
  struct peeked {
    std::size_t offset;
    std::string_view text;
  };
  std::vector<peeked> rest_of_line() const;

 private:
  std::int64_t read_number(std::int64_t min, std::int64_t max);
  void skip_blanks();
  /// Consumes a line end at the cursor, if there is one.
  bool consume_line_end();

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t last_ = 0;
  std::size_t last_end_ = 0;
  /// Offsets where lines begin, made on the first question about a place.
  mutable std::vector<std::size_t> line_starts_;
  /// The line found last: places are mostly asked for in text order, so
  /// the next one is usually on it or a few lines on.
  mutable std::size_t last_line_ = 0;
};

/// Keyword tests: substring search, exact case or ASCII case-insensitive.
bool contains(std::string_view field, std::string_view word);
bool contains_ci(std::string_view field, std::string_view word);

}  // namespace compattatore

#endif  // READER_FIELD_READER_H_
