// Bulk format writes for the formatting run: each gives exactly the result
// of the plain SelAttributes writes it names (the format table included),
// in one pass over the selection instead of one pass per write.
#pragma once

#include "document/char_format.h"
#include "document/document.h"

namespace markwell {

class BulkFormatWrites {
 public:
  // SetStyle then SetColor on the selection.
  static void SetStyleThenColour(Document& document, FontStyles style, Colour colour);

  // SetStyle, SetHeight, SetSize and SetColor on the selection, in that order.
  static void SetStyleHeightSizeColour(Document& document, FontStyles style, int height, int points,
                                       Colour colour);
};

}  // namespace markwell
