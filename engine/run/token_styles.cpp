#include "run/token_styles.h"

#include <algorithm>
#include <array>

#include "document/bulk_format_writes.h"

namespace markwell {

namespace {

struct TokenStyle {
  std::string_view name;
  FontStyles style;  // replaces the whole style set of the selection
  Colour colour;     // a fixed colour, written only when colour is asked for
};

// In the order in which names are compared.
constexpr std::array<TokenStyle, 6> kTokenStyles{{
    {"DKoment", FontStyle::Italic, MakeRgb(128, 128, 128)},
    {"DKey", FontStyle::Bold, MakeRgb(0, 0, 0)},
    {"DText", FontStyles(), MakeRgb(128, 0, 0)},
    {"MKoment", FontStyles(), MakeRgb(34, 139, 34)},
    {"MKey", FontStyles(), MakeRgb(0, 0, 255)},
    {"MText", FontStyles(), MakeRgb(178, 0, 0)},
}};

}  // namespace

void ApplyTokenStyle(Document& document, std::string_view name, bool useColour) {
  const auto* style = std::ranges::find(kTokenStyles, name, &TokenStyle::name);
  if (style != kTokenStyles.end()) {
    TextAttributes attributes = document.SelAttributes();
    if (useColour) {
      BulkFormatWrites::SetStyleThenColour(document, style->style, style->colour);
    } else {
      attributes.SetStyle(style->style);
    }
  }
  // Both are read back before either write, so a selection that the document
  // clamped to the end of the text collapses there.
  const int end = document.SelStart() + document.SelLength();
  document.SetSelLength(0);
  document.SetSelStart(end);
}

}  // namespace markwell
