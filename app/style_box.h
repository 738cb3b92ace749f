// The entries of the style combo box CBStyl, in their order.
#pragma once

namespace markwell {

enum StyleBoxEntry : int {
  kDefaultStyle = 0,    // "Výchozí": the emphasis button resets the document
  kAssemblerStyle = 1,  // "Assembler"
  kPascalStyle = 2,     // "Delphi " (with its trailing blank)
  kHtmlStyle = 3,       // "HTML": no filter
  kMatlabStyle = 4      // "Matlab"
};

// The captions, indexed by StyleBoxEntry.
inline constexpr const char* kStyleBoxCaptions[] = {"Výchozí", "Assembler", "Delphi ", "HTML",
                                                    "Matlab"};

}  // namespace markwell
