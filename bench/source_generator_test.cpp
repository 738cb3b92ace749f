#include "source_generator.h"

#include <gtest/gtest.h>

#include <string>

#include "document/char_format.h"
#include "rtf/rtf_reader.h"
#include "text/plain_text.h"
#include "text/utf8.h"

namespace markwell::bench {
namespace {

constexpr SourceLanguage kLanguages[] = {SourceLanguage::kPascal, SourceLanguage::kMatlab,
                                         SourceLanguage::kAssembler};

TEST(SourceGenerator, GivesExactlyTheSizeAskedFor) {
  for (const auto language : kLanguages) {
    for (const auto charset :
         {SourceCharset::kAscii, SourceCharset::kUtf8, SourceCharset::kWindows1250}) {
      for (const std::size_t size : {0, 1, 2, 3, 5, 71, 72, 73, 75, 4097, 100003}) {
        EXPECT_EQ(GenerateSource(language, size, 7, charset).size(), size)
            << LanguageName(language) << " " << size;
      }
    }
  }
}

TEST(SourceGenerator, SameSeedSameBytesOtherSeedOtherBytes) {
  for (const auto language : kLanguages) {
    const std::string a = GenerateSource(language, 200000, 42);
    EXPECT_EQ(a, GenerateSource(language, 200000, 42));
    EXPECT_NE(a, GenerateSource(language, 200000, 43));
    // A larger size continues the same text rather than starting another.
    EXPECT_EQ(GenerateSource(language, 300000, 42).substr(0, 100000), a.substr(0, 100000));
  }
}

TEST(SourceGenerator, LineEndsAreThoseOfTheLanguage) {
  for (const auto language : kLanguages) {
    const std::string s = GenerateSource(language, 100000);
    for (std::size_t i = 0; i < s.size(); ++i) {
      if (language == SourceLanguage::kMatlab) {
        ASSERT_NE(s[i], '\r') << "at " << i;
      } else if (s[i] == '\r') {
        ASSERT_TRUE(i + 1 < s.size() && s[i + 1] == '\n') << LanguageName(language) << " " << i;
      } else if (s[i] == '\n') {
        ASSERT_TRUE(i > 0 && s[i - 1] == '\r') << LanguageName(language) << " " << i;
      }
    }
  }
}

TEST(SourceGenerator, CharsetDecidesHowCzechIsStored) {
  for (const auto language : kLanguages) {
    const std::string utf8 = GenerateSource(language, 100000, 1, SourceCharset::kUtf8);
    const std::string cp1250 = GenerateSource(language, 100000, 1, SourceCharset::kWindows1250);
    const std::string ascii = GenerateSource(language, 100000, 1, SourceCharset::kAscii);
    const auto decoded = DecodeUtf8(utf8);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_NE(decoded->find(u'ř'), std::u16string::npos);
    EXPECT_FALSE(DecodeUtf8(cp1250).has_value());
    EXPECT_NE(cp1250.find('\xF8'), std::string::npos);  // ř
    for (char c : ascii) ASSERT_LT(static_cast<unsigned char>(c), 0x80);
  }
}

// Every token form the filters treat specially turns up in a modest source,
// so that the benchmarks exercise all of them.
TEST(SourceGenerator, HoldsEveryTokenForm) {
  const std::string pascal = GenerateSource(SourceLanguage::kPascal, 256 * 1024);
  for (const char* form : {"{$R *.res}", "{$IFDEF DEBUG}", "(* ", "*)", "// ", "{ ", "''''",
                           "'It''s done'", "begin", "BEGIN", "Begin", "\r\n"}) {
    EXPECT_NE(pascal.find(form), std::string::npos) << form;
  }
  const std::string matlab = GenerateSource(SourceLanguage::kMatlab, 256 * 1024);
  for (const char* form : {"function ", "% ", "%{\n", "'It''s done'", "x';", "(1)'", "[1 2 3]'",
                           ".'", "elseif ", "otherwise", "classdef "}) {
    EXPECT_NE(matlab.find(form), std::string::npos) << form;
  }
  const std::string assembler = GenerateSource(SourceLanguage::kAssembler, 256 * 1024);
  for (const char* form : {"db '", "; ", ".l0:", "section .text", "';'"}) {
    EXPECT_NE(assembler.find(form), std::string::npos) << form;
  }
}

// The word processor's RTF has to hold the source's text exactly, or the RTF
// reading benchmark would measure something else than reading it.
TEST(WordProcessorRtf, ReadsBackAsTheSourceText) {
  const std::string source = GenerateSource(SourceLanguage::kPascal, 50000);
  const auto text = DecodePlainText(source);
  ASSERT_TRUE(text.has_value());
  const auto content = ReadRtf(WordProcessorRtf(source), CharFormat{});
  ASSERT_TRUE(content.has_value());
  EXPECT_EQ(content->Text(), *text);
}

}  // namespace
}  // namespace markwell::bench
