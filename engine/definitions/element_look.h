// How a definition's element looks: the token style it takes. Elements
// that no look names keep what the reset gave them.
#pragma once

#include <string_view>

namespace markwell {

struct ElementLook {
  std::string_view element;  // the library's element name: "keyword", "comment", ...
  std::string_view style;    // "DKey", "DKoment" or "DText"
};

}  // namespace markwell
