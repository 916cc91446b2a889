// Layout and escaping of JsonWriter.
#include "host/json_writer.h"

#include <charconv>
#include <cmath>
#include <string>

namespace plughost {

namespace {

// Length of the valid UTF-8 sequence at `p`, or 0.
std::size_t utf8Length(std::string_view text, std::size_t i) {
  const auto c = static_cast<unsigned char>(text[i]);
  std::size_t n = 0;
  std::uint32_t min = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2, min = 0x80;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3, min = 0x800;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4, min = 0x10000;
  } else {
    return 0;
  }
  if (i + n > text.size()) return 0;
  std::uint32_t code = c & (0x7F >> n);
  for (std::size_t k = 1; k < n; ++k) {
    const auto d = static_cast<unsigned char>(text[i + k]);
    if ((d & 0xC0) != 0x80) return 0;
    code = (code << 6) | (d & 0x3F);
  }
  if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return n;
}

void appendEscape(std::string& out, unsigned code) {
  static const char* digits = "0123456789abcdef";
  out += "\\u00";
  out += digits[(code >> 4) & 0xF];
  out += digits[code & 0xF];
}

}  // namespace

std::string JsonWriter::quote(std::string_view text) {
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
      ++i;
    } else if (c == '\n') {
      out += "\\n", ++i;
    } else if (c == '\t') {
      out += "\\t", ++i;
    } else if (c == '\r') {
      out += "\\r", ++i;
    } else if (c < 0x20 || c == 0x7F) {
      appendEscape(out, c), ++i;
    } else if (c < 0x80) {
      out += static_cast<char>(c), ++i;
    } else if (const std::size_t n = utf8Length(text, i); n > 0) {
      out.append(text.substr(i, n));
      i += n;
    } else {
      appendEscape(out, c), ++i;  // a lone byte: its Latin-1 character
    }
  }
  out += '"';
  return out;
}

void JsonWriter::newline() {
  out_ << '\n' << std::string(levels_.size() * 2, ' ');
}

void JsonWriter::beforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (levels_.empty()) return;
  Level& level = levels_.back();
  if (!level.empty) out_ << ',';
  level.empty = false;
  newline();
}

void JsonWriter::beginObject() {
  beforeValue();
  out_ << '{';
  levels_.push_back({true, true});
}

void JsonWriter::endObject() {
  const bool empty = levels_.back().empty;
  levels_.pop_back();
  if (!empty) newline();
  out_ << '}';
  if (levels_.empty()) out_ << '\n';
}

void JsonWriter::beginArray() {
  beforeValue();
  out_ << '[';
  levels_.push_back({false, true});
}

void JsonWriter::endArray() {
  const bool empty = levels_.back().empty;
  levels_.pop_back();
  if (!empty) newline();
  out_ << ']';
  if (levels_.empty()) out_ << '\n';
}

void JsonWriter::key(std::string_view name) {
  beforeValue();
  out_ << quote(name) << ": ";
  afterKey_ = true;
}

void JsonWriter::value(std::string_view text) {
  beforeValue();
  out_ << quote(text);
}

void JsonWriter::value(std::int64_t number) {
  beforeValue();
  out_ << number;
}

void JsonWriter::value(double number) {
  beforeValue();
  if (!std::isfinite(number)) {
    out_ << "null";
    return;
  }
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, number);
  out_ << std::string_view(text, static_cast<std::size_t>(result.ptr - text));
}

void JsonWriter::value(bool flag) {
  beforeValue();
  out_ << (flag ? "true" : "false");
}

void JsonWriter::null() {
  beforeValue();
  out_ << "null";
}

}  // namespace plughost
