#include "reader/field_reader.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

namespace compattatore {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_line_end(char c) { return c == '\r' || c == '\n'; }

char lower_ascii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

void field_reader::skip_blanks() {
  while (pos_ < text_.size() && is_blank(text_[pos_])) ++pos_;
}

bool field_reader::consume_line_end() {
  if (pos_ >= text_.size()) return false;
  if (text_[pos_] == '\r') {
    ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
    return true;
  }
  if (text_[pos_] == '\n') {
    ++pos_;
    return true;
  }
  return false;
}

std::string_view field_reader::read_text() {
  if (eof()) throw read_failure("the text ended before a field");
  skip_blanks();
  last_ = pos_;
  std::string_view field;
  if (pos_ < text_.size() && text_[pos_] == '"') {
    const std::size_t start = pos_ + 1;
    std::size_t end = start;
    while (end < text_.size() && text_[end] != '"' &&
           !is_line_end(text_[end])) {
      ++end;
    }
    field = text_.substr(start, end - start);
    last_end_ = end;
    pos_ = end;
    if (pos_ < text_.size() && text_[pos_] == '"') ++pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' &&
           !is_line_end(text_[pos_])) {
      ++pos_;
    }
  } else {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && text_[pos_] != ',' &&
           !is_line_end(text_[pos_])) {
      ++pos_;
    }
    std::size_t end = pos_;
    while (end > start && is_blank(text_[end - 1])) --end;
    field = text_.substr(start, end - start);
    last_end_ = end;
  }
  if (pos_ < text_.size() && text_[pos_] == ',') {
    ++pos_;
  } else {
    consume_line_end();
  }
  return field;
}

std::int64_t field_reader::read_number(std::int64_t min, std::int64_t max) {
  if (eof()) throw read_failure("the text ended before a number");
  skip_blanks();
  if (eof()) throw read_failure("the text ended before a number");
  last_ = pos_;
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !is_blank(text_[pos_]) && text_[pos_] != ',' &&
         !is_line_end(text_[pos_])) {
    ++pos_;
  }
  last_end_ = pos_;
  std::string_view token = text_.substr(start, pos_ - start);
  std::int64_t value = 0;
  if (!token.empty()) {
    // from_chars takes a minus but no plus sign.
    if (token.front() == '+' && token.size() > 1 && token[1] != '-') {
      token.remove_prefix(1);
    }
    const auto [end, ec] =
        std::from_chars(token.data(), token.data() + token.size(), value);
    if (ec != std::errc{} || end != token.data() + token.size()) {
      throw read_failure("not a whole number");
    }
  }
  if (value < min || value > max) {
    throw read_failure("number too large for its field");
  }
  skip_blanks();
  if (pos_ < text_.size() && text_[pos_] == ',') {
    ++pos_;
  } else {
    consume_line_end();
  }
  return value;
}

std::int32_t field_reader::read_i32() {
  return static_cast<std::int32_t>(
      read_number(std::numeric_limits<std::int32_t>::min(),
                  std::numeric_limits<std::int32_t>::max()));
}

std::int16_t field_reader::read_i16() {
  return static_cast<std::int16_t>(
      read_number(std::numeric_limits<std::int16_t>::min(),
                  std::numeric_limits<std::int16_t>::max()));
}

std::uint8_t field_reader::read_u8() {
  return static_cast<std::uint8_t>(read_number(0, 255));
}

text_position field_reader::position_of(std::size_t offset) const {
  offset = std::min(offset, text_.size());
  if (line_starts_.empty()) {
    line_starts_.push_back(0);
    // A line ends at LF, CR LF or a lone CR. Found with memchr, which looks
    // at many bytes at a time: the index of a long text is built once, on
    // its first diagnostic or record place.
    const char* const begin = text_.data();
    const char* const end = begin + text_.size();
    const char* p = begin;
    const auto find = [end](const char* from, char c) {
      return static_cast<const char*>(
          std::memchr(from, c, static_cast<std::size_t>(end - from)));
    };
    // The next CR and LF are kept until passed, so a text without one of
    // them is scanned for it once, not once per line.
    const char* cr = find(p, '\r');
    const char* lf = find(p, '\n');
    while (p < end) {
      if (cr != nullptr && cr < p) cr = find(p, '\r');
      if (lf != nullptr && lf < p) lf = find(p, '\n');
      if (lf == nullptr && cr == nullptr) break;
      const char* brk = lf == nullptr   ? cr
                        : cr == nullptr ? lf
                                        : std::min(lf, cr);
      if (*brk == '\r' && brk + 1 < end && brk[1] == '\n') ++brk;
      p = brk + 1;
      line_starts_.push_back(static_cast<std::size_t>(p - begin));
    }
  }
  // The last line start at or before the offset: a few steps on from the
  // line found last, or else a binary search.
  std::size_t line = last_line_;
  if (offset < line_starts_[line]) {
    line = static_cast<std::size_t>(
        std::upper_bound(line_starts_.begin(), line_starts_.end(), offset) -
        line_starts_.begin() - 1);
  } else {
    constexpr int passi = 8;
    int n = 0;
    while (line + 1 < line_starts_.size() && line_starts_[line + 1] <= offset &&
           ++n <= passi) {
      ++line;
    }
    if (n > passi) {
      line = static_cast<std::size_t>(
          std::upper_bound(line_starts_.begin(), line_starts_.end(), offset) -
          line_starts_.begin() - 1);
    }
  }
  last_line_ = line;
  return {static_cast<std::int32_t>(line + 1),
          static_cast<std::int32_t>(offset - line_starts_[line] + 1)};
}

bool field_reader::at_line_start() const {
  return pos_ == 0 || pos_ >= text_.size() || is_line_end(text_[pos_ - 1]);
}

void field_reader::skip_line() {
  if (at_line_start()) return;
  while (pos_ < text_.size() && !is_line_end(text_[pos_])) ++pos_;
  consume_line_end();
}

std::vector<field_reader::peeked> field_reader::rest_of_line() const {
  std::vector<peeked> out;
  if (at_line_start()) return out;
  std::size_t i = pos_;
  while (i < text_.size() && !is_line_end(text_[i])) {
    while (i < text_.size() && is_blank(text_[i])) ++i;
    const std::size_t start = i;
    while (i < text_.size() && text_[i] != ',' && !is_line_end(text_[i])) ++i;
    std::size_t end = i;
    while (end > start && is_blank(text_[end - 1])) --end;
    if (end > start) out.push_back({start, text_.substr(start, end - start)});
    if (i < text_.size() && text_[i] == ',') ++i;
  }
  return out;
}

bool contains(std::string_view field, std::string_view word) {
  return field.find(word) != std::string_view::npos;
}

bool contains_ci(std::string_view field, std::string_view word) {
  if (word.empty()) return true;
  if (word.size() > field.size()) return false;
  // Every record's keyword is tested against a dozen words: the places
  // where the word's first letter stands, in either case, are found first.
  const char first = lower_ascii(word[0]);
  const char first_upper = first >= 'a' && first <= 'z'
                               ? static_cast<char>(first - 'a' + 'A')
                               : first;
  const std::size_t last = field.size() - word.size();
  for (std::size_t i = 0; i <= last; ++i) {
    if (field[i] != first && field[i] != first_upper) continue;
    std::size_t j = 1;
    while (j < word.size() &&
           lower_ascii(field[i + j]) == lower_ascii(word[j])) {
      ++j;
    }
    if (j == word.size()) return true;
  }
  return false;
}

}  // namespace compattatore
