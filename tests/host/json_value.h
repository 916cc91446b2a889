// A minimal JSON reader for the tests: enough to parse what `plughost info --json` prints and
// to fail loudly (std::runtime_error) on anything that is not valid JSON.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace hosttest {

class JsonValue {
 public:
  using Array = std::vector<JsonValue>;
  using Object = std::map<std::string, JsonValue>;

  static JsonValue parse(std::string_view text);

  bool isNull() const { return std::holds_alternative<std::monostate>(data_); }
  bool boolean() const { return std::get<bool>(data_); }
  double number() const { return std::get<double>(data_); }
  std::int64_t integer() const { return static_cast<std::int64_t>(std::get<double>(data_)); }
  const std::string& string() const { return std::get<std::string>(data_); }
  const Array& array() const { return *std::get<std::shared_ptr<Array>>(data_); }
  const Object& object() const { return *std::get<std::shared_ptr<Object>>(data_); }
  // Member of an object; throws std::out_of_range when absent.
  const JsonValue& operator[](const std::string& key) const { return object().at(key); }
  const JsonValue& operator[](std::size_t i) const { return array().at(i); }

 private:
  class Parser;
  std::variant<std::monostate, bool, double, std::string, std::shared_ptr<Array>,
               std::shared_ptr<Object>>
      data_;
};

}  // namespace hosttest
