// Line breaks: the document holds every line break as CR LF.
#pragma once

#include <string>
#include <string_view>

namespace markwell {

inline constexpr char16_t kCR = u'\r';
inline constexpr char16_t kLF = u'\n';

// Turns every CR LF, lone CR and lone LF into CR LF.
std::u16string NormaliseLineBreaks(std::u16string_view text);

}  // namespace markwell
