// The JSON writer: its output parses back to the same structure, and any text (control
// characters, quotes, invalid UTF-8) comes out as valid JSON.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "host/json_writer.h"
#include "json_value.h"

namespace hosttest {
namespace {

using plughost::JsonWriter;

TEST(JsonWriter, Quote) {
  struct Case {
    std::string in;
    const char* out;
  };
  const Case cases[] = {
      {"plain", "\"plain\""},
      {"say \"hi\" \\ bye", "\"say \\\"hi\\\" \\\\ bye\""},
      {"tab\tnew\nline\r", "\"tab\\tnew\\nline\\r\""},
      {std::string("nul\0bel\x07", 8), "\"nul\\u0000bel\\u0007\""},
      {"caf\xC3\xA9", "\"caf\xC3\xA9\""},        // valid UTF-8 stays
      {"caf\xE9", "\"caf\\u00e9\""},              // a lone Latin-1 byte becomes its character
      {"\xC3", "\"\\u00c3\""},                    // cut sequence
      {"\xED\xA0\x80", "\"\\u00ed\\u00a0\\u0080\""},  // encoded surrogate is not UTF-8
      {"\xF0\x9F\x8E\xB5", "\"\xF0\x9F\x8E\xB5\""},   // four-byte sequence
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.out);
    EXPECT_EQ(JsonWriter::quote(c.in), c.out);
  }
}

TEST(JsonWriter, NestedDocumentParsesBack) {
  std::ostringstream out;
  JsonWriter json(out);
  json.beginObject();
  json.field("name", "Lu\"ni\xE9vex");
  json.field("count", 2);
  json.field("ratio", 0.7);
  json.field("big", static_cast<std::int64_t>(4280426498u));
  json.field("on", true);
  json.key("nothing");
  json.null();
  json.key("empty");
  json.beginArray();
  json.endArray();
  json.key("list");
  json.beginArray();
  json.beginObject();
  json.field("x", 1);
  json.endObject();
  json.value(std::nan(""));
  json.endArray();
  json.endObject();

  const JsonValue v = JsonValue::parse(out.str());
  EXPECT_EQ(v["name"].string(), "Lu\"ni\xC3\xA9vex");
  EXPECT_EQ(v["count"].integer(), 2);
  EXPECT_EQ(v["ratio"].number(), 0.7);
  EXPECT_EQ(v["big"].integer(), 4280426498);
  EXPECT_TRUE(v["on"].boolean());
  EXPECT_TRUE(v["nothing"].isNull());
  EXPECT_TRUE(v["empty"].array().empty());
  EXPECT_EQ(v["list"][0]["x"].integer(), 1);
  EXPECT_TRUE(v["list"][1].isNull());
}

}  // namespace
}  // namespace hosttest
