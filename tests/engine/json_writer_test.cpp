#include "writers/json_writer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace markwell {
namespace {

std::string Json(const Document& document) {
  std::ostringstream out;
  WriteJson(document, out);
  return out.str();
}

TEST(JsonWriterTest, TextSelectionAndMaximalRuns) {
  Document document;
  document.SetText(u"begin\nx");
  document.SetSelStart(0);
  document.SetSelLength(5);
  document.SelAttributes().SetStyle(FontStyle::Bold);
  document.SelAttributes().SetColor(MakeRgb(0x12, 0x34, 0x56));
  document.SetSelStart(7);
  EXPECT_EQ(Json(document),
            "{\n"
            "  \"text\": \"begin\\r\\nx\",\n"
            "  \"selection\": {\"start\": 7, \"length\": 0},\n"
            "  \"runs\": [\n"
            "    {\"start\": 0, \"length\": 5, \"bold\": true, \"italic\": false, "
            "\"underline\": false, \"strike\": false, \"color\": \"#123456\", "
            "\"font\": \"Times New Roman\", \"size\": 10},\n"
            "    {\"start\": 5, \"length\": 3, \"bold\": false, \"italic\": false, "
            "\"underline\": false, \"strike\": false, \"color\": \"auto\", "
            "\"font\": \"Times New Roman\", \"size\": 10}\n"
            "  ]\n"
            "}\n");
}

TEST(JsonWriterTest, EmptyDocumentHasNoRuns) {
  Document document;
  EXPECT_EQ(Json(document),
            "{\n  \"text\": \"\",\n  \"selection\": {\"start\": 0, \"length\": 0},\n"
            "  \"runs\": []\n}\n");
}

TEST(JsonWriterTest, StringEscapes) {
  struct Case {
    std::u16string text;
    std::string json;
  } cases[] = {
      {u"\"\\\t", "\\\"\\\\\\t"},
      {u"\x01\x1F", "\\u0001\\u001f"},
      {u"\u010D", "\xC4\x8D"},
      {u"\U0001F600", "\xF0\x9F\x98\x80"},
      {std::u16string(1, u'\xD800') + u"x", "\\ud800x"},  // unpaired surrogate kept as an escape
      {u"\u2028", "\xE2\x80\xA8"},
  };
  for (const auto& c : cases) {
    std::string out;
    AppendJsonString(std::u16string_view(c.text), out);
    EXPECT_EQ(out, c.json);
  }
}

TEST(JsonWriterTest, LongTextIsWrittenWhole) {
  Document document;
  std::u16string text(200000, u'a');
  text[131071] = u'\xD83D';  // a surrogate pair across the writer's slice boundary
  text[131072] = u'\xDE00';
  document.SetText(text);
  const std::string json = Json(document);
  EXPECT_NE(json.find("\xF0\x9F\x98\x80"), std::string::npos);
  EXPECT_EQ(json.find("\\ud83d"), std::string::npos);
}

}  // namespace
}  // namespace markwell
