// A small streaming JSON writer: objects, arrays, strings, numbers, booleans and null, with
// two-space indentation. Texts from plug-ins are not always UTF-8: invalid bytes are written as
// the Latin-1 characters they would be, so the output is always valid JSON.
#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

namespace plughost {

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  void beginObject();
  void endObject();
  void beginArray();
  void endArray();
  // The key of the next value inside an object.
  void key(std::string_view name);

  void value(std::string_view text);
  void value(const char* text) { value(std::string_view(text)); }
  void value(std::int64_t number);
  void value(int number) { value(static_cast<std::int64_t>(number)); }
  void value(double number);  // shortest text that reads back as the same double; NaN as null
  void value(bool flag);
  void null();
  // key(name) then value(v).
  template <typename T>
  void field(std::string_view name, const T& v) {
    key(name);
    value(v);
  }

  static std::string quote(std::string_view text);

 private:
  void beforeValue();
  void newline();

  std::ostream& out_;
  struct Level {
    bool isObject;
    bool empty;
  };
  std::vector<Level> levels_;
  bool afterKey_ = false;
};

}  // namespace plughost
