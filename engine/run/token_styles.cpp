#include "run/token_styles.h"

#include <algorithm>
#include <array>

#include "document/bulk_format_writes.h"

namespace markwell {

namespace {

struct TokenLook {
  std::string_view name;
  FontStyles style;  // replaces the whole style set of the selection
  TextColor color;   // a fixed colour, written only when colour is asked for
};

// One row per TokenStyle, in its order.
constexpr std::array<TokenLook, 6> kTokenLooks{{
    {"DKoment", FontStyle::Italic, MakeRgb(128, 128, 128)},
    {"DKey", FontStyle::Bold, MakeRgb(0, 0, 0)},
    {"DText", FontStyles(), MakeRgb(128, 0, 0)},
    {"MKoment", FontStyles(), MakeRgb(34, 139, 34)},
    {"MKey", FontStyles(), MakeRgb(0, 0, 255)},
    {"MText", FontStyles(), MakeRgb(178, 0, 0)},
}};

// Both are read back before either write, so a selection that the document
// clamped to the end of the text collapses there.
void CollapseToEnd(Document& document) {
  const int end = document.SelStart() + document.SelLength();
  document.SetSelLength(0);
  document.SetSelStart(end);
}

}  // namespace

std::optional<TokenStyle> TokenStyleNamed(std::string_view name) {
  const auto* look = std::ranges::find(kTokenLooks, name, &TokenLook::name);
  if (look == kTokenLooks.end()) return std::nullopt;
  return static_cast<TokenStyle>(look - kTokenLooks.begin());
}

void ApplyTokenStyle(Document& document, TokenStyle style, bool useColor) {
  const TokenLook& look = kTokenLooks[static_cast<std::size_t>(style)];
  if (useColor) {
    BulkFormatWrites::SetStyleThenColor(document, look.style, look.color);
  } else {
    document.SelAttributes().SetStyle(look.style);
  }
  CollapseToEnd(document);
}

void ApplyTokenStyle(Document& document, std::string_view name, bool useColor) {
  if (const std::optional<TokenStyle> style = TokenStyleNamed(name)) {
    ApplyTokenStyle(document, *style, useColor);
  } else {
    CollapseToEnd(document);
  }
}

}  // namespace markwell
