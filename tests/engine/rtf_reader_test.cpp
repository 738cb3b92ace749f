#include "rtf/rtf_reader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <random>

#include "rtf/rtf_writer.h"
#include "rtf_test_support.h"

namespace markwell {
namespace {

using test::Describe;
using test::Format;
using test::FormatOf;
using test::Utf8Text;

const CharFormat kDefault = Format("Base Font", 10);

DocumentContent Read(std::string_view rtf, const CharFormat& defaultFormat = kDefault) {
  std::optional<DocumentContent> content = ReadRtf(rtf, defaultFormat);
  EXPECT_TRUE(content.has_value()) << rtf;
  return content ? std::move(*content) : DocumentContent{};
}

TEST(RtfReader, RecognisesOnlyTheRtfHeader) {
  EXPECT_TRUE(LooksLikeRtf("{\\rtf1 x}"));
  EXPECT_TRUE(LooksLikeRtf("{\\rtf"));
  for (std::string_view notRtf :
       {"", "{", "{\\rt", " {\\rtf1}", "{\\RTF1}", "rtf", "\xEF\xBB\xBF{\\rtf1}"}) {
    EXPECT_FALSE(LooksLikeRtf(notRtf)) << notRtf;
    EXPECT_FALSE(ReadRtf(notRtf, kDefault).has_value()) << notRtf;
  }
}

struct TextCase {
  const char* rtf;
  const char* text;
};

TEST(RtfReader, ReadsText) {
  const TextCase cases[] = {
      {"{\\rtf1 Hello}", "Hello"},
      {"{\\rtf1\\ansi\\deff0 Hello world}", "Hello world"},
      {"{\\rtf1 a\\par b\\line c\\par}", "a\r\nb\r\nc\r\n"},
      {"{\\rtf1 a\r\nb\rc\nd}", "abcd"},
      {"{\\rtf1 a\\\nb\\\r\nc}", "a\r\nb\r\nc"},
      {"{\\rtf1 \\b bold\\b0  x}", "bold x"},
      {"{\\rtf1 a\\tab b\tc}", "a\tb\tc"},
      {"{\\rtf1 \\\\ \\{ \\}}", "\\ { }"},
      {"{\\rtf1 \\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote\\bullet\\~\\-\\_}",
       "—–‘’“”•\u00A0\u00AD‑"},
      {"{\\rtf1 a\\cell b\\cell\\row c}", "a\tb\t\r\nc"},
      // Code pages: the document's, or the current font's charset.
      {"{\\rtf1\\ansi\\ansicpg1250 \\'e8\\'f8}", "čř"},
      {"{\\rtf1\\ansi \\'e8\\'f8}", "èø"},
      {"{\\rtf1\\ansi\\ansicpg1250 \xe8\xf8}", "čř"},
      {"{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset238 A;}{\\f1\\fcharset204 B;}"
       "{\\f2\\fcharset0 C;}{\\f3\\fcharset161 D;}}\\f0\\'e8\\f1\\'e8\\f2\\'e8\\f3\\'e8}",
       "čиèθ"},
      // \fcharset0 is Western even in a Central European document; a font
      // without \fcharset takes the document's code page.
      {"{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fcharset0 A;}{\\f1 B;}{\\f2\\fcharset1 C;}}"
       "\\f0\\'e8\\f1\\'e8\\f2\\'e8}",
       "èčč"},
      {"{\\rtf1\\ansi\\ansicpg1251\\deff1{\\fonttbl{\\f0\\fcharset238 A;}{\\f1 B;}}\\'c6}", "Ж"},
      // \uN and the \ucN fallback characters after it.
      {"{\\rtf1 \\u269?x}", "čx"},
      {"{\\rtf1 \\u269\\'e8x}", "čx"},
      {"{\\rtf1\\uc2 \\u269\\'e8\\'e8x}", "čx"},
      {"{\\rtf1\\uc2 \\u269 ??x}", "čx"},
      {"{\\rtf1\\uc0 \\u269 x}", "čx"},
      {"{\\rtf1 \\u-3913?\\u-1?}", "\uF0B7\uFFFF"},
      {"{\\rtf1 {\\uc3 \\u269 abc}\\u269 de}", "čče"},
      {"{\\rtf1\\uc3 \\u269{x}y}", "čxy"},
      {"{\\rtf1 \\u55357?\\u56832?}", "😀"},
      {"{\\rtf1 \\u128512?}", "😀"},
      {"{\\rtf1 \\u99999999?\\u-99999?}", "\uFFFD\uFFFD"},
      // Destinations that hold no text.
      {"{\\rtf1 a{\\*\\unknown b{c}}d}", "ad"},
      {"{\\rtf1 a{\\info{\\title T}{\\author A}}b}", "ab"},
      {"{\\rtf1 a{\\stylesheet{\\s0 Normal;}{\\*\\cs1 X;}}b}", "ab"},
      {"{\\rtf1 a{\\pict\\wmetafile8 0102ff}b}", "ab"},
      {"{\\rtf1 a{\\header h}{\\footer f}{\\footerr g}b}", "ab"},
      {"{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt link}}}", "link"},
      {"{\\rtf1 {\\field{\\fldinst PAGE}{\\fldrslt 1}}}", "1"},
      {"{\\rtf1 a{\\pict\\bin4 }{\\}}b}", "ab"},
      {"{\\rtf1 a\\bin3 }{}b}", "ab"},
      {"{\\rtf1 a{\\v hidden}b}", "ab"},
      {"{\\rtf1 a{\\fonttbl{\\f0 F;}}{\\colortbl;\\red1\\green2\\blue3;}b}", "ab"},
      // Only CR LF pairs and no NUL, whatever the escapes say.
      {"{\\rtf1 a\\'0d\\'0ab\\'0dc\\'0ad}", "a\r\nb\r\nc\r\nd"},
      {"{\\rtf1 a\\u13?\\u10?b}", "a\r\nb"},
      {"{\\rtf1 a\\'00\\u0?b\x01}", "ab"},
      // The document ends with its outermost group.
      {"{\\rtf1 a}b}", "a"},
      {"{\\rtf1 a}}}b", "a"},
  };
  for (const auto& c : cases) {
    const DocumentContent content = Read(c.rtf);
    EXPECT_EQ(Utf8Text(content), c.text) << c.rtf;
  }
}

struct FormatCase {
  const char* rtf;
  const char* piece;
  CharFormat expected;
};

TEST(RtfReader, ReadsFormats) {
  const char* kTables =
      "{\\rtf1\\ansi\\deff1{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times;}"
      "{\\f2\\fmodern\\fcharset238{\\*\\panose 02070309020205020404}Courier New{\\*\\falt Cour};}}"
      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}";
  const auto doc = [&](const std::string& body) { return std::string(kTables) + body + "}"; };
  const std::vector<std::pair<std::string, FormatCase>> cases = {
      {doc("x"), {"", "x", Format("Times", 12)}},
      {doc("\\b x"), {"", "x", Format("Times", 12, 1)}},
      {doc("\\b\\b0 x"), {"", "x", Format("Times", 12)}},
      {doc("\\i\\ul\\strike x"), {"", "x", Format("Times", 12, 14)}},
      {doc("\\ul\\ulnone x"), {"", "x", Format("Times", 12)}},
      {doc("\\ul\\ul0 x"), {"", "x", Format("Times", 12)}},
      {doc("\\uldb x"), {"", "x", Format("Times", 12, 4)}},
      {doc("\\ulwave\\ulc1 x"), {"", "x", Format("Times", 12, 4)}},
      {doc("\\striked1 x"), {"", "x", Format("Times", 12, 8)}},
      {doc("\\strike\\strike0 x"), {"", "x", Format("Times", 12)}},
      {doc("{\\b\\i a}x"), {"", "x", Format("Times", 12)}},
      {doc("\\f0 x"), {"", "x", Format("Arial", 12)}},
      {doc("\\f2 x"), {"", "x", Format("Courier New", 12)}},
      {doc("\\f9 x"), {"", "x", Format("Times", 12)}},
      {doc("\\f-2147483648 x"), {"", "x", Format("Times", 12)}},
      {doc("\\fs21 x"), {"", "x", Format("Times", 10)}},
      {doc("\\fs-5 x"), {"", "x", Format("Times", -3)}},
      {doc("\\fs x"), {"", "x", Format("Times", 12)}},
      {doc("\\fs99999999999 x"), {"", "x", Format("Times", INT_MAX)}},
      {doc("\\fs-99999999999999999999999999 x"), {"", "x", Format("Times", INT_MIN)}},
      {doc("\\cf1 x"), {"", "x", Format("Times", 12, 0, MakeRgb(255, 0, 0))}},
      {doc("\\cf2 x"), {"", "x", Format("Times", 12, 0, MakeRgb(0, 0, 0))}},
      {doc("\\cf1\\cf0 x"), {"", "x", Format("Times", 12)}},
      {doc("\\cf3 x"), {"", "x", Format("Times", 12)}},
      {doc("\\cf-1 x"), {"", "x", Format("Times", 12)}},
      {doc("\\cf99999999999 x"), {"", "x", Format("Times", 12)}},
      {doc("\\f2\\fs40\\b\\cf1 a\\plain x"), {"", "x", Format("Times", 12)}},
      {doc("\\f2\\fs40\\b\\cf1 a\\pard x"),
       {"", "x", Format("Courier New", 20, 1, MakeRgb(255, 0, 0))}},
      {"{\\rtf1{\\colortbl\\red0\\green0\\blue0;}\\cf0 x}",
       {"", "x", Format("Base Font", 12, 0, MakeRgb(0, 0, 0))}},
      {"{\\rtf1{\\fonttbl\\f0\\fswiss Helvetica;\\f1\\fmodern Courier;}\\f1 x}",
       {"", "x", Format("Courier", 12)}},
      {"{\\rtf1{\\fonttbl{\\f0 A\\'3bB\\'7b\\\\C\\u1046?;}}\\f0 x}",
       {"", "x", Format("A;B{\\CЖ", 12)}},
      {"{\\rtf1{\\fonttbl{\\f0\\fcharset238 \\'8akoda;}}\\f0 x}", {"", "x", Format("Škoda", 12)}},
      {"{\\rtf1{\\fonttbl{\\f0 Unterminated}}\\f0 x}", {"", "x", Format("Unterminated", 12)}},
  };
  for (const auto& [rtf, c] : cases) {
    const DocumentContent content = Read(rtf);
    const auto format = FormatOf(content, c.piece);
    ASSERT_TRUE(format.has_value()) << rtf;
    EXPECT_EQ(*format, c.expected)
        << rtf << "\nread " << Describe(*format) << ", expected " << Describe(c.expected);
  }
}

TEST(RtfReader, FileOfMostlyPicturesKeepsItsTextAndFormats) {
  std::string rtf = "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}a{\\pict\\pngblip ";
  rtf += std::string(3 << 20, 'f');
  rtf += "}\\cf1 b{\\*\\shppict{\\pict\\bin8 {}{}{}{}}}c\\par}";
  const DocumentContent content = Read(rtf);
  EXPECT_EQ(Utf8Text(content), "abc\r\n");
  EXPECT_EQ(*FormatOf(content, "a"), Format("Base Font", 12));
  EXPECT_EQ(*FormatOf(content, "bc\r\n"), Format("Base Font", 12, 0, MakeRgb(255, 0, 0)));
}

// The size is RTF's own until the first \fs (12 points), as word processors read it.
TEST(RtfReader, KeepsTheDefaultFormatForWhatTheFileLeavesUnsaid) {
  const CharFormat base = Format("Base", 17, 3, MakeRgb(1, 2, 3));
  const DocumentContent content = Read("{\\rtf1 a{\\b0 b}{\\fs30 c}}", base);
  EXPECT_EQ(*FormatOf(content, "a"), Format("Base", 12, 3, MakeRgb(1, 2, 3)));
  EXPECT_EQ(*FormatOf(content, "b"), Format("Base", 12, 2, MakeRgb(1, 2, 3)));
  EXPECT_EQ(*FormatOf(content, "c"), Format("Base", 15, 3, MakeRgb(1, 2, 3)));
}

// RTF written by real programs: the text and the formats that matter here.
struct ProducerCase {
  const char* file;
  const char* text;
  std::vector<std::pair<const char*, CharFormat>> formats;
};

TEST(RtfReader, ReadsRealProducers) {
  const CharFormat lo = Format("Liberation Serif", 12);
  const CharFormat loCode = Format("Courier New", 10);
  const CharFormat calibri = Format("Calibri", 11);
  const ProducerCase cases[] = {
      {"rtf/pandoc.rtf",
       "Přehled\r\nŽluťoučký kůň úpěl ďábelské ódy.\r\nCode x := 1; and a link.\r\n"
       "•\tfirst\r\n•\tsecond\r\n",
       {{"Přehled", Format("Helvetica", 18, 1)},
        {"Žluťoučký kůň ", Format("Helvetica", 12)},
        {"úpěl", Format("Helvetica", 12, 1)},
        {"ódy", Format("Helvetica", 12, 2)},
        {"x := 1;", Format("Courier", 12)},
        {"link", Format("Helvetica", 12, 4)}}},
      {"rtf/pygments.rtf",
       "program Hello; { pozdrav }\r\nbegin\r\n  WriteLn('Ahoj světe');  // komentář\r\nend.\r\n",
       {{"program", Format("Courier New", 12, 1, MakeRgb(0, 128, 0))},
        {"Hello", Format("Courier New", 12)},
        {"{ pozdrav }", Format("Courier New", 12, 2, MakeRgb(61, 123, 123))},
        {"Ahoj světe", Format("Courier New", 12, 0, MakeRgb(186, 33, 33))},
        {"// komentář", Format("Courier New", 12, 2, MakeRgb(61, 123, 123))}}},
      {"rtf/libreoffice.rtf",
       "begin x := 'Žluťoučký'; { kůň }\r\npodtržené přeškrtnuté velké Ωμέγα Жук\r\n",
       {{"begin", Format("Courier New", 10, 1)},
        {" x := ", loCode},
        {"'Žluťoučký'", Format("Courier New", 10, 0, MakeRgb(255, 0, 0))},
        {"{ kůň }", Format("Courier New", 10, 2)},
        {"podtržené", Format("Liberation Serif", 12, 4)},
        {"přeškrtnuté", Format("Liberation Serif", 12, 8)},
        {"velké", Format("Liberation Serif", 14)},
        {" Ωμέγα Жук", lo}}},
      {"rtf/libreoffice_lists.rtf",
       "\tPřehled\r\nŽluťoučký kůň úpěl ďábelské ódy.\r\nCode x := 1; and a link.\r\n"
       "•\tfirst\r\n•\tsecond\r\n",
       {{"Přehled", Format("Arial", 16, 1)},
        {"úpěl", Format("Times New Roman", 12, 1)},
        {"x := 1;", Format("Courier New", 10)},
        {"link", Format("Times New Roman", 12, 4, MakeRgb(0, 0, 128))}}},
      {"rtf/word.rtf",
       "Příliš žluťoučký kůň úpěl „ЖΔ“\r\nbegin\r\n·\tpodtržené přeškrtnuté\r\nodkaz\r\n",
       {{"Příliš ", calibri},
        {"žluťoučký", Format("Calibri", 11, 1)},
        {"úpěl", Format("Calibri", 11, 2, MakeRgb(255, 0, 0))},
        {"„ЖΔ“", calibri},
        {"begin", Format("Courier New", 10)},
        {"podtržené", Format("Calibri", 11, 4)},
        {"přeškrtnuté", Format("Calibri", 11, 8)},
        {"odkaz", Format("Calibri", 11, 4, MakeRgb(5, 99, 193))}}},
      {"rtf/wordpad.rtf",
       "Příliš žluťoučký kůň\r\nbegin\r\npodtržené přeškrtnuté Жук € crème\r\n·\tpoložka\r\n"
       "modrá\r\n",
       {{"Příliš ", calibri},
        {"žluťoučký", Format("Calibri", 11, 1)},
        {"begin", Format("Courier New", 10, 2, MakeRgb(255, 0, 0))},
        {"podtržené", Format("Calibri", 11, 4)},
        {"Жук", calibri},
        {"crème", calibri},
        {"modrá", Format("Calibri", 14, 0, MakeRgb(0, 77, 187))}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const DocumentContent content = Read(test::ReadTestFile(c.file));
    EXPECT_EQ(Utf8Text(content), c.text);
    for (const auto& [piece, expected] : c.formats) {
      const auto format = FormatOf(content, piece);
      if (format) {
        EXPECT_EQ(*format, expected) << piece << ": read " << Describe(*format);
      }
    }
  }
}

// Malformed and hostile input: read as far as it makes sense, quickly, with
// no crash, no unbounded recursion and well-formed text.
struct HostileCase {
  const char* name;
  std::string rtf;
  std::optional<std::string> text;  // when it matters
};

std::vector<HostileCase> HostileCases() {
  std::vector<HostileCase> cases = {
      {"truncated in a group", "{\\rtf1 a{\\b b{\\i c", "abc"},
      {"truncated in a font table", "{\\rtf1{\\fonttbl{\\f0 Ari", ""},
      {"truncated in a colour table", "{\\rtf1{\\colortbl;\\red9", ""},
      {"truncated in \\'x", "{\\rtf1 a\\'4", "a"},
      {"truncated after \\'", "{\\rtf1 a\\'", "a"},
      {"truncated after a backslash", "{\\rtf1 a\\", "a"},
      {"truncated in a control word", "{\\rtf1 a\\fs2", "a"},
      {"broken \\'x escape", "{\\rtf1 a\\'4g\\'zzb}", "agzzb"},
      {"unbalanced closing braces", "{\\rtf1 a}}}}}b", "a"},
      {"\\bin beyond the end", "{\\rtf1 a\\bin999999999 xyz", "a"},
      {"negative \\bin", "{\\rtf1 a\\bin-5 b}", "ab"},
      {"huge \\uc", "{\\rtf1\\uc99999999999 \\u269 abc{d}}", "čd"},
      {"huge parameters",
       "{\\rtf1\\ansicpg99999999999\\deff-99999999999 "
       "\\f99999999999\\fs99999999999999999999999999999\\cf99999999999 a}",
       "a"},
      {"\\rtf alone", "{\\rtf", ""},
  };
  // 100,000 nested groups, closed, then text at the top level again.
  std::string deep = "{\\rtf1 ";
  for (int i = 0; i < 100000; ++i) deep += "{\\b ";
  deep += "x";
  deep += std::string(100000, '}');
  deep += "y}";
  cases.push_back({"100,000 nested groups", deep, "xy"});
  cases.push_back({"100,000 unclosed groups", "{\\rtf1 " + std::string(100000, '{') + "z", "z"});
  std::string colors = "{\\rtf1{\\colortbl";
  for (int i = 0; i < 100000; ++i) colors += "\\red" + std::to_string(i % 256) + ";";
  colors += "}\\cf99999 c\\cf100000 d}";
  cases.push_back({"100,000 colours", colors, "cd"});
  std::mt19937 random(2024);
  std::string garbage = "{\\rtf1 ";
  for (int i = 0; i < 200000; ++i) garbage += static_cast<char>(random() & 0xFF);
  cases.push_back({"binary garbage after the header", garbage, std::nullopt});
  return cases;
}

TEST(RtfReader, SurvivesHostileInput) {
  for (const auto& c : HostileCases()) {
    SCOPED_TRACE(c.name);
    const auto start = std::chrono::steady_clock::now();
    const DocumentContent content = Read(c.rtf);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(test::WellFormedText(content.Text()));
    if (c.text) {
      EXPECT_EQ(Utf8Text(content), *c.text);
    }
  }
}

TEST(RtfReader, DeepGroupsRestoreTheFormatOfTheTopLevel) {
  std::string rtf = "{\\rtf1 ";
  for (int i = 0; i < 100000; ++i) rtf += "{\\b ";
  rtf += "x";
  rtf += std::string(100000, '}');
  rtf += "y}";
  const DocumentContent content = Read(rtf);
  EXPECT_EQ(*FormatOf(content, "x"), Format("Base Font", 12, 1));
  EXPECT_EQ(*FormatOf(content, "y"), Format("Base Font", 12));
}

TEST(RtfReader, SurvivesDamagedRealFiles) {
  // Truncations and byte changes of real files, all over them.
  std::mt19937 random(7);
  for (const char* file : {"rtf/word.rtf", "rtf/libreoffice_lists.rtf", "rtf/pygments.rtf"}) {
    const std::string original = test::ReadTestFile(file);
    for (std::size_t cut = 5; cut < original.size(); cut += 7) {
      EXPECT_TRUE(test::WellFormedText(Read(original.substr(0, cut)).Text()))
          << file << " cut " << cut;
    }
    for (int round = 0; round < 300; ++round) {
      std::string damaged = original;
      for (int n = 0; n < 8; ++n) {
        const std::size_t at = 5 + random() % (damaged.size() - 5);
        const char replacements[] = {'{', '}', '\\', '\'',
                                     ';', '0', '-',  static_cast<char>(random())};
        damaged[at] = replacements[random() % sizeof replacements];
      }
      EXPECT_TRUE(test::WellFormedText(Read(damaged).Text())) << file << " round " << round;
    }
  }
}

TEST(RtfWriter, LoneLineBreakCharactersBecomeLineBreaks) {
  DocumentContent content;
  content.Append(u"a\rb\nc", kDefault);
  EXPECT_EQ(Utf8Text(Read(RtfString(content, 0, content.Length()))), "a\r\nb\r\nc");
}

}  // namespace
}  // namespace markwell
