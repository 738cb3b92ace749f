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
  static void SetStyleThenColor(Document& document, FontStyles style, TextColor color);

  // SetStyle, SetHeight, SetSize and SetColor on the selection, in that order.
  static void SetStyleHeightSizeColor(Document& document, FontStyles style, int height, int points,
                                      TextColor color);
};

}  // namespace markwell
