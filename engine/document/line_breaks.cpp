#include "document/line_breaks.h"

namespace markwell {

std::u16string NormaliseLineBreaks(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() + text.size() / 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == kCR) {
      out += u"\r\n";
      if (i + 1 < text.size() && text[i + 1] == kLF) ++i;
    } else if (c == kLF) {
      out += u"\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace markwell
