// How a definition's element looks: the token style it takes. Elements
// that no look names keep what the reset gave them.
#pragma once

#include <string_view>

#include "run/token_styles.h"

namespace markwell {

struct ElementLook {
  std::string_view element;  // the library's element name: "keyword", "comment", ...
  TokenStyle style;
};

}  // namespace markwell
