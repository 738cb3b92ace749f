// A source as a word processor saves it in RTF.
#include <string>

#include "source_writer.h"

namespace markwell::bench {

namespace {

constexpr std::string_view kWordProcessorHeader =
    "{\\rtf1\\adeflang1025\\ansi\\ansicpg1250\\uc1\\adeff0\\deff0\\stshfdbch0\\stshfloch0"
    "\\stshfhich0\\stshfbi0\\deflang1029\\deflangfe1029\\themelang1029\\themelangfe0"
    "\\themelangcs0\r\n"
    "{\\fonttbl{\\f0\\fbidi \\froman\\fcharset238\\fprq2{\\*\\panose 02020603050405020304}"
    "Times New Roman;}{\\f1\\fbidi \\fmodern\\fcharset238\\fprq1{\\*\\panose "
    "02070309020205020404}Courier New;}\r\n"
    "{\\f2\\fbidi \\fswiss\\fcharset238\\fprq2{\\*\\panose 020b0604020202020204}Arial;}"
    "{\\flomajor\\f31500\\fbidi \\froman\\fcharset238\\fprq2{\\*\\panose 02020603050405020304}"
    "Times New Roman;}}\r\n"
    "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red128\\green128\\blue128;"
    "\\red128\\green0\\blue0;\\red34\\green139\\blue34;}\r\n"
    "{\\*\\defchp \\fs24\\lang1029\\langfe1033\\langfenp1033 }{\\*\\defpap \\ql \\li0\\ri0"
    "\\widctlpar\\wrapdefault\\aspalpha\\aspnum\\faauto\\adjustright\\rin0\\lin0\\itap0 }\r\n"
    "{\\stylesheet{\\ql \\li0\\ri0\\widctlpar\\wrapdefault\\aspalpha\\aspnum\\faauto"
    "\\adjustright\\rin0\\lin0\\itap0 \\rtlch\\fcs1 \\af0\\afs24\\alang1025 \\ltrch\\fcs0 "
    "\\fs24\\lang1029\\langfe1033\\cgrid\\langnp1029\\langfenp1033 \\snext0 \\sqformat "
    "\\spriority0 Normal;}{\\*\\cs10 \\additive \\ssemihidden \\sunhideused \\spriority1 "
    "Default Paragraph Font;}{\\s15\\ql \\li0\\ri0\\widctlpar\\wrapdefault\\aspalpha\\aspnum"
    "\\faauto\\adjustright\\rin0\\lin0\\itap0 \\rtlch\\fcs1 \\af1\\afs20\\alang1025 \\ltrch"
    "\\fcs0 \\f1\\fs20\\lang1029\\langfe1033\\cgrid\\langnp1029\\langfenp1033 \\sbasedon0 "
    "\\snext15 \\slink16 Source Code;}}\r\n"
    "{\\*\\rsidtbl \\rsid1182041\\rsid2953442\\rsid6511244\\rsid9320187\\rsid14686502}\r\n"
    "{\\mmathPr\\mmathFont34\\mbrkBin0\\mbrkBinSub0\\msmallFrac0\\mdispDef1\\mlMargin0"
    "\\mrMargin0\\mdefJc1\\mwrapIndent1440\\mintLim0\\mnaryLim1}\r\n"
    "{\\info{\\title Source listing}{\\author Generator}{\\operator Generator}"
    "{\\creatim\\yr2024\\mo1\\dy2\\hr3\\min4}{\\revtim\\yr2024\\mo1\\dy2\\hr3\\min5}"
    "{\\version2}{\\edmins1}{\\nofpages1}{\\nofwords100}{\\nofchars600}}\r\n"
    "{\\*\\xmlnstbl {\\xmlns1 http://schemas.example.org/office/word/2003/wordml}}\r\n"
    "\\paperw11906\\paperh16838\\margl1417\\margr1417\\margt1417\\margb1417\\gutter0"
    "\\ltrsect \\widowctrl\\ftnbj\\aenddoc\\trackmoves0\\trackformatting1\\donotembedsysfont1"
    "\\relyonvml0\\donotembedlingdata0\\grfdocevents0\\validatexml1\\showplaceholdtext0\r\n"
    "\\sectd \\ltrsect\\linex0\\headery708\\footery708\\colsx708\\endnhere\\sectlinegrid360"
    "\\sectdefaultcl\\sftnbj {\\*\\pnseclvl1\\pnucrm\\pnstart1\\pnindent720\\pnhang "
    "{\\pntxta .}}\r\n";

constexpr std::string_view kRsids[] = {"1182041", "2953442", "6511244", "9320187", "14686502"};

// Appends the RTF of one code point of the text.
void PutRtfChar(std::string& out, char32_t c) {
  if (c == '\\' || c == '{' || c == '}') {
    out += '\\';
    out += static_cast<char>(c);
  } else if (c == '\t') {
    out += "\\tab ";
  } else if (c < 0x80) {
    out += static_cast<char>(c);
  } else {
    const auto* found =
        std::ranges::find(kWindows1250, c, &std::pair<char32_t, unsigned char>::first);
    if (found != kWindows1250.end()) {
      constexpr char kHex[] = "0123456789abcdef";
      out += "\\'";
      out += kHex[found->second >> 4];
      out += kHex[found->second & 0x0F];
    } else {
      out += "\\u" + std::to_string(static_cast<int>(c)) + "\\'3f";
    }
  }
}

}  // namespace

std::string WordProcessorRtf(std::string_view utf8Source, std::uint64_t seed) {
  SplitMix64 rng(seed);
  std::string out(kWordProcessorHeader);
  out.reserve(utf8Source.size() * 8);
  const std::string paragraph =
      "\\pard\\plain \\ltrpar\\s15\\ql \\li0\\ri0\\widctlpar\\wrapdefault\\aspalpha\\aspnum"
      "\\faauto\\adjustright\\rin0\\lin0\\itap0\\pararsid6511244 \\rtlch\\fcs1 \\af1\\afs20"
      "\\alang1025 \\ltrch\\fcs0 \\f1\\fs20\\lang1029\\langfe1033\\cgrid\\langnp1029"
      "\\langfenp1033 ";
  std::size_t i = 0;
  bool paragraphOpen = false;
  while (i < utf8Source.size()) {
    if (!paragraphOpen) {
      // A word processor repeats the paragraph's properties whenever it likes.
      out += rng.Chance(60) ? paragraph : std::string("\\pard\\plain \\ltrpar\\s0 ");
      paragraphOpen = true;
    }
    // A run of one to four words in one format.
    const int words = 1 + static_cast<int>(rng.Below(4));
    const std::size_t kind = rng.Below(6);
    out += "{\\rtlch\\fcs1 ";
    out += kind == 1 ? "\\ab\\af1\\afs20 \\ltrch\\fcs0 \\b" : "\\af1\\afs20 \\ltrch\\fcs0 ";
    if (kind == 2) out += "\\i\\cf3";
    if (kind == 3) out += "\\cf4";
    if (kind == 4) out += "\\b\\cf2";
    out += "\\f1\\fs20\\insrsid";
    out += kRsids[rng.Below(std::size(kRsids))];
    out += ' ';
    int seen = 0;
    bool lineEnd = false;
    while (i < utf8Source.size()) {
      const char byte = utf8Source[i];
      if (byte == '\r' || byte == '\n') {
        ++i;
        if (byte == '\r' && i < utf8Source.size() && utf8Source[i] == '\n') ++i;
        lineEnd = true;
        break;
      }
      if (byte == ' ') {
        // The space ends the run's last word and stays in the run.
        out += ' ';
        ++i;
        if (++seen == words) break;
        continue;
      }
      PutRtfChar(out, NextCodePoint(utf8Source, i));
    }
    out += '}';
    if (lineEnd) {
      out += "\\par\r\n";
      paragraphOpen = false;
    }
  }
  out +=
      "{\\*\\themedata 504b030414000600080000002100e9de0fbfff0000001c020000130000005b436f6e}\r\n}";
  return out;
}

}  // namespace markwell::bench
