// Recursive-descent parsing of JsonValue.
#include "json_value.h"

#include <charconv>
#include <cstdlib>

namespace hosttest {

class JsonValue::Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  JsonValue document() {
    JsonValue v = value();
    skipSpace();
    if (pos_ != text_.size()) fail("trailing characters");
    return v;
  }

 private:
  [[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error("invalid JSON at " + std::to_string(pos_) + ": " + what);
  }
  void skipSpace() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\n' ||
                                   text_[pos_] == '\r' || text_[pos_] == '\t')) {
      ++pos_;
    }
  }
  char peek() {
    skipSpace();
    if (pos_ >= text_.size()) fail("unexpected end");
    return text_[pos_];
  }
  void expect(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) fail("expected " + std::string(word));
    pos_ += word.size();
  }

  JsonValue value() {
    JsonValue v;
    const char c = peek();
    if (c == '{') {
      auto object = std::make_shared<Object>();
      ++pos_;
      if (peek() == '}') {
        ++pos_;
      } else {
        for (;;) {
          if (peek() != '"') fail("expected a key");
          std::string key = string();
          if (peek() != ':') fail("expected ':'");
          ++pos_;
          (*object)[key] = value();
          const char next = peek();
          ++pos_;
          if (next == '}') break;
          if (next != ',') fail("expected ',' or '}'");
        }
      }
      v.data_ = object;
    } else if (c == '[') {
      auto array = std::make_shared<Array>();
      ++pos_;
      if (peek() == ']') {
        ++pos_;
      } else {
        for (;;) {
          array->push_back(value());
          const char next = peek();
          ++pos_;
          if (next == ']') break;
          if (next != ',') fail("expected ',' or ']'");
        }
      }
      v.data_ = array;
    } else if (c == '"') {
      v.data_ = string();
    } else if (c == 't') {
      expect("true"), v.data_ = true;
    } else if (c == 'f') {
      expect("false"), v.data_ = false;
    } else if (c == 'n') {
      expect("null");
    } else {
      const std::size_t start = pos_;
      while (pos_ < text_.size() && std::string_view("+-.eE0123456789").find(text_[pos_]) !=
                                        std::string_view::npos) {
        ++pos_;
      }
      const std::string number(text_.substr(start, pos_ - start));
      char* end = nullptr;
      const double d = std::strtod(number.c_str(), &end);
      if (number.empty() || end != number.c_str() + number.size()) fail("bad number");
      v.data_ = d;
    }
    return v;
  }

  std::string string() {
    ++pos_;  // opening quote
    std::string out;
    for (;;) {
      if (pos_ >= text_.size()) fail("unterminated string");
      const auto c = static_cast<unsigned char>(text_[pos_++]);
      if (c == '"') return out;
      if (c < 0x20) fail("control character in string");
      if (c != '\\') {
        out += static_cast<char>(c);
        continue;
      }
      if (pos_ >= text_.size()) fail("unterminated escape");
      const char e = text_[pos_++];
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          if (pos_ + 4 > text_.size()) fail("short \\u escape");
          unsigned code = 0;
          const auto r = std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, code, 16);
          if (r.ptr != text_.data() + pos_ + 4) fail("bad \\u escape");
          pos_ += 4;
          if (code >= 0xD800 && code <= 0xDFFF) fail("surrogates are not used by the writer");
          if (code < 0x80) {
            out += static_cast<char>(code);
          } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
          } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
          }
          break;
        }
        default: fail("bad escape");
      }
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

JsonValue JsonValue::parse(std::string_view text) { return Parser(text).document(); }

}  // namespace hosttest
