// The looks of tokens: keyword, string literal and comment of Pascal and of
// MATLAB. Inside the engine a style is a TokenStyle; its name ("DKey",
// "DText", "DKoment" for Pascal, "MKey", "MText", "MKoment" for MATLAB) is
// read only where a caller names a style by text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "document/document.h"

namespace markwell {

// In the order in which the names are compared.
enum class TokenStyle : std::uint8_t {
  kPascalComment,  // "DKoment"
  kPascalKeyword,  // "DKey"
  kPascalString,   // "DText"
  kMatlabComment,  // "MKoment"
  kMatlabKeyword,  // "MKey"
  kMatlabString,   // "MText"
};

// The style of a name, which must equal one of the six exactly; nothing for
// any other name.
std::optional<TokenStyle> TokenStyleNamed(std::string_view name);

// Gives the selection the look of `style` (its style set, and its colour
// when useColor is true), then collapses the selection to its end.
void ApplyTokenStyle(Document& document, TokenStyle style, bool useColor);

// The same for a style given by its name. A name that is none of the six
// writes nothing but still collapses the selection.
void ApplyTokenStyle(Document& document, std::string_view name, bool useColor);

}  // namespace markwell
