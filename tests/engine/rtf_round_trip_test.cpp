// Saving as RTF and reading it back keeps the text and every character's
// format; the LF of a CR LF takes the format of its CR.
#include <gtest/gtest.h>

#include <climits>
#include <iterator>
#include <map>
#include <sstream>
#include <string>

#include "rtf/rtf_reader.h"
#include "rtf/rtf_writer.h"
#include "rtf_test_support.h"

namespace markwell {
namespace {

using test::Content;
using test::Describe;
using test::Format;

const CharFormat kPlain = Format("Times New Roman", 10);
const CharFormat kBold = Format("Times New Roman", 10, 1);
const CharFormat kCourier = Format("Courier New", 10);
// Something the reader would never produce by itself for text the file leaves unformatted.
const CharFormat kReaderDefault = Format("Reader Default", 77, 15, MakeRgb(1, 2, 3));

// The format each character should have after a round trip.
std::vector<CharFormat> ExpectedFormats(const DocumentContent& content) {
  std::vector<CharFormat> formats;
  for (int i = 0; i < content.Length(); ++i) {
    const bool lfOfPair = content.Text()[i] == u'\n' && i > 0 && content.Text()[i - 1] == u'\r';
    formats.push_back(lfOfPair ? formats.back() : content.FormatAt(i));
  }
  return formats;
}

void ExpectRoundTrip(const DocumentContent& original) {
  const std::string rtf = RtfString(original, 0, original.Length());
  const std::optional<DocumentContent> read = ReadRtf(rtf, kReaderDefault);
  ASSERT_TRUE(read.has_value());
  ASSERT_EQ(test::Utf8Text(*read), test::Utf8Text(original)) << rtf;
  ASSERT_TRUE(read->Text() == original.Text()) << "UTF-16 units differ\n" << rtf;
  const std::vector<CharFormat> expected = ExpectedFormats(original);
  for (int i = 0; i < read->Length(); ++i) {
    ASSERT_EQ(read->FormatAt(i), expected[static_cast<std::size_t>(i)])
        << "at " << i << ": read " << Describe(read->FormatAt(i)) << ", wrote "
        << Describe(expected[static_cast<std::size_t>(i)]) << "\n"
        << rtf;
  }
  // Written twice, the same document gives the same bytes.
  EXPECT_EQ(RtfString(*read, 0, read->Length()), rtf);
}

struct RoundTripCase {
  const char* name;
  std::vector<std::pair<std::string, CharFormat>> pieces;
};

std::vector<RoundTripCase> RoundTripCases() {
  std::vector<RoundTripCase> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"czech",
                   {{"Příliš ", kPlain},
                    {"žluťoučký", kBold},
                    {" kůň úpěl ", kPlain},
                    {"ďábelské ódy", Format("Times New Roman", 10, 2)},
                    {" ŠŤŽ ťž „“ – — € ", kPlain}}});
  cases.push_back(
      {"outside windows-1250",
       {{"Жук Ωμέγα ñ à 漢字 ", kPlain}, {"ĳ ŀ ǅ", kBold}, {"?", kPlain}, {"Ж?", kPlain}}});
  cases.push_back({"outside the BMP", {{"a😀b", kPlain}, {"𝄞", kBold}, {"🂡x", kPlain}}});
  cases.push_back({"tabs and RTF syntax characters",
                   {{"\tbegin\t{x}\\y\\\\ }{ ;\\'41 \\par \\u65?", kPlain},
                    {"{", kBold},
                    {"}", kPlain},
                    {"\\", kBold}}});
  cases.push_back({"control characters",
                   {{"a\x01\x1F\x7F"
                     "b",
                     kPlain}}});
  cases.push_back({"line breaks",
                   {{"a\r\nb\r\n\r\n", kPlain},
                    {"\r\n", kBold},
                    {"c\r", kPlain},
                    {"\n", kBold},
                    {"d\r\n", kPlain}}});
  cases.push_back({"text after a format change starts with what ends a control word",
                   {{"x", kPlain},
                    {" lead", kBold},
                    {"123", kPlain},
                    {"-5", kBold},
                    {"abc", kPlain},
                    {"?", kBold},
                    {";", kPlain}}});
  cases.push_back({"automatic versus fixed colours",
                   {{"auto", kPlain},
                    {"black", Format("Times New Roman", 10, 0, MakeRgb(0, 0, 0))},
                    {"red", Format("Times New Roman", 10, 0, MakeRgb(255, 0, 0))},
                    {"white", Format("Times New Roman", 10, 0, MakeRgb(255, 255, 255))},
                    {"auto", kPlain},
                    {"black", Format("Times New Roman", 10, 0, MakeRgb(0, 0, 0))}}});
  cases.push_back({"sizes",
                   {{"zero", Format("Arial", 0)},
                    {"minus five", Format("Arial", -5)},
                    {"fifty-eight", Format("Arial", 58)},
                    {"one", Format("Arial", 1)},
                    {"minus one", Format("Arial", -1)},
                    {"max", Format("Arial", INT_MAX)},
                    {"min", Format("Arial", INT_MIN)},
                    {"twelve", Format("Arial", 12)}}});
  cases.push_back({"fonts",
                   {{"a", kCourier},
                    {"b", Format("Arial", 10)},
                    {"c", kPlain},
                    {"d", Format("A;B{C}D\\E", 10)},
                    {"e", Format("Písmo Šťastné", 10)},
                    {"f", Format("宋体", 10)},
                    {"g", Format(" Leading space", 10)},
                    {"h", Format("", 10)},
                    {"i", kCourier}}});
  std::vector<std::pair<std::string, CharFormat>> styles;
  for (std::uint8_t bits = 0; bits < 16; ++bits) {
    styles.push_back({"s" + std::to_string(bits), Format("Arial", 12, bits)});
  }
  for (std::uint8_t bits = 16; bits-- > 0;) {
    styles.push_back({"t" + std::to_string(bits), Format("Arial", 12, bits)});
  }
  cases.push_back({"every style combination, both ways", styles});
  return cases;
}

TEST(RtfRoundTrip, KeepsTextAndFormats) {
  for (const auto& c : RoundTripCases()) {
    SCOPED_TRACE(c.name);
    ExpectRoundTrip(Content(c.pieces));
  }
}

TEST(RtfRoundTrip, LoneSurrogatesSurvive) {
  DocumentContent content;
  content.Append(std::u16string(u"a\xD800"
                                u"b\xDC00"),
                 kPlain);
  ExpectRoundTrip(content);
}

TEST(RtfRoundTrip, PartOfADocument) {
  const DocumentContent content = Content({{"abc", kPlain}, {"déf\r\n", kBold}, {"ghi", kCourier}});
  const std::optional<DocumentContent> read = ReadRtf(RtfString(content, 2, 10), kReaderDefault);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(test::Utf8Text(*read), "cdéf\r\ngh");
  EXPECT_EQ(read->FormatAt(0), kPlain);
  EXPECT_EQ(read->FormatAt(1), kBold);
  EXPECT_EQ(read->FormatAt(7), kCourier);
}

TEST(RtfRoundTrip, ManyFormatsAndALongText) {
  // More than 256 distinct formats and text beyond the writer's buffer.
  DocumentContent content;
  for (int i = 0; i < 3000; ++i) {
    content.Append(
        Utf16("run " + std::to_string(i) + " čš\r\n"),
        Format(i % 3 == 0 ? "Arial" : "Courier New", i % 40 - 5, static_cast<std::uint8_t>(i % 16),
               i % 7 == 0 ? kWindowTextColor : static_cast<TextColor>(i * 2654435761u) & 0xFFFFFF));
  }
  ExpectRoundTrip(content);
}

// What the written RTF says, as word processors read it.
TEST(RtfWriter, WritesWhatWordProcessorsExpect) {
  const DocumentContent content =
      Content({{"Kůň", kPlain},
               {"Ж", kBold},
               {"\t", kPlain},
               {"x\r\ny", Format("Courier New", 12, 0, MakeRgb(0, 0, 0))}});
  const std::string rtf = RtfString(content, 0, content.Length());
  const std::pair<const char*, const char*> expectations[] = {
      {"{\\rtf1\\ansi\\ansicpg1250\\deff0", "header with the Central European code page"},
      {"{\\f0\\fnil\\fcharset238 Times New Roman;}", "font table entry with its charset"},
      {"{\\f1\\fnil\\fcharset238 Courier New;}", "second font"},
      {"{\\colortbl ;\\red0\\green0\\blue0;}", "colour table: automatic, then fixed black"},
      {"\\cf0", "automatic colour"},
      {"\\cf1", "fixed black"},
      {"K\\'f9\\'f2", "code page characters as \\'hh"},
      {"\\u1046?", "others as \\uN with a fallback"},
      {"\\uc1", "the fallback length"},
      {"\\tab ", "tab"},
      {"x\\par\ny", "one paragraph mark per CR LF, then a new line"},
      {"\\fs20", "size in half points"},
      {"\\fs24", "size in half points"},
  };
  for (const auto& [piece, what] : expectations) {
    EXPECT_NE(rtf.find(piece), std::string::npos) << what << ": " << piece << "\n" << rtf;
  }
  for (char c : rtf) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << "RTF is 7-bit";
}

// What the writer makes of `text` (no line breaks) in one plain run: the
// bytes between the markers "A" and "Z" written around it.
std::string Body(std::u16string_view text) {
  DocumentContent content;
  content.Append(u"A" + std::u16string(text) + u"Z", kPlain);
  const std::string rtf = RtfString(content, 0, content.Length());
  const std::size_t begin = rtf.find(" A") + 2;
  return rtf.substr(begin, rtf.rfind("Z}") - begin);
}

// Plain characters go over eight at a time; a run of them must give the
// same bytes as the characters one by one, wherever the first that needs an
// escape stands, and across the writer's 64 KB buffer.
TEST(RtfWriter, PlainStretchesAsCharacterByCharacter) {
  // Escaped ones, and units above 0x7F whose low byte is a plain character.
  const char16_t specials[] = {u'\\',  u'{',   u'}',   0x7F,   0x1F,   0x01,   u'\t',
                               u'~',   u' ',   0x010D, 0x0080, 0x20AC, 0xFF80, 0x0120,
                               0x015C, 0x4E2D, 0xD800, 0x017B, 0x0141, 0x0161};
  std::map<char16_t, std::string> alone;
  for (char16_t c : specials) alone[c] = Body(std::u16string(1, c));
  const std::string plain = Body(u"a");
  for (char16_t c : specials) {
    for (std::size_t position = 0; position < 18; ++position) {
      std::u16string text(30, u'a');
      text[position] = c;
      std::string expected;
      for (char16_t unit : text) expected += unit == u'a' ? plain : alone[unit];
      ASSERT_EQ(Body(text), expected) << "unit " << static_cast<int>(c) << " at " << position;
    }
  }
  std::u16string longText;
  std::string expected;
  for (std::size_t i = 0; i < 70000; ++i) {
    const char16_t c = i % 13 == 0 ? specials[(i / 13) % std::size(specials)] : u'a' + i % 26;
    longText += c;
    expected += c >= u'a' && c <= u'z' ? std::string(1, static_cast<char>(c)) : alone[c];
  }
  EXPECT_EQ(Body(longText), expected);
}

// A stream buffer that records the largest single write.
class WriteSizeRecorder : public std::streambuf {
 public:
  std::size_t largest = 0;
  std::size_t total = 0;

 protected:
  std::streamsize xsputn(const char*, std::streamsize n) override {
    largest = std::max(largest, static_cast<std::size_t>(n));
    total += static_cast<std::size_t>(n);
    return n;
  }
  int_type overflow(int_type c) override {
    ++total;
    return c;
  }
};

TEST(RtfWriter, StreamsInPieces) {
  DocumentContent content;
  for (int i = 0; i < 200000; ++i) content.Append(u"line of text\r\n", i % 2 ? kPlain : kBold);
  WriteSizeRecorder recorder;
  std::ostream out(&recorder);
  WriteRtf(content, out);
  EXPECT_GT(recorder.total, 3'000'000u);
  EXPECT_LT(recorder.largest, 256u * 1024u);
}

}  // namespace
}  // namespace markwell

namespace markwell {
namespace {

// The font and colour tables hold the formats of the runs that are written,
// numbered in the order of their first written run; a format found only on
// the LF of a CR LF (which writes nothing) is left out.
TEST(RtfTablesTest, HoldWhatIsWrittenInOrderOfFirstUse) {
  const CharFormat plain = test::Format("Times New Roman", 10);
  const CharFormat red = test::Format("Courier New", 10, 0, MakeRgb(255, 0, 0));
  const CharFormat green = test::Format("Arial", 10, 0, MakeRgb(0, 128, 0));
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, CharFormat>> pieces;
    const char* fonts;
    const char* colors;
  } cases[] = {
      {"format only on the LF of a pair",
       {{"a\r", plain}, {"\n", red}, {"b", plain}},
       "{\\f0\\fnil\\fcharset238 Times New Roman;}",
       "{\\colortbl ;}"},
      {"format on the LF of a pair, later on text",
       {{"a\r", plain}, {"\n", red}, {"b", plain}, {"c", green}, {"d", red}},
       "{\\f0\\fnil\\fcharset238 Times New Roman;}{\\f1\\fnil\\fcharset238 Arial;}"
       "{\\f2\\fnil\\fcharset238 Courier New;}",
       "{\\colortbl ;\\red0\\green128\\blue0;\\red255\\green0\\blue0;}"},
      {"lone LF at the start is written",
       {{"\n", red}, {"x", plain}},
       "{\\f0\\fnil\\fcharset238 Courier New;}{\\f1\\fnil\\fcharset238 Times New Roman;}",
       "{\\colortbl ;\\red255\\green0\\blue0;}"},
  };
  for (const Case& c : cases) {
    const DocumentContent content = test::Content(c.pieces);
    const std::string rtf = RtfString(content, 0, content.Length());
    EXPECT_NE(rtf.find(std::string("{\\fonttbl") + c.fonts + "}"), std::string::npos)
        << c.name << "\n"
        << rtf;
    EXPECT_NE(rtf.find(c.colors), std::string::npos) << c.name << "\n" << rtf;
  }
}

}  // namespace
}  // namespace markwell
