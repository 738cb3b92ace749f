#include "rtf/rtf_tables.h"

#include <algorithm>

#include "text/code_page.h"
#include "text/utf8.h"

namespace markwell::rtf {

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

const FontEntry* FontTable::Find(int number) const {
  if (number != kNoFont) {
    if (auto it = fonts_.find(number); it != fonts_.end()) return &it->second;
  }
  if (auto it = fonts_.find(default_); it != fonts_.end()) return &it->second;
  return nullptr;
}

void FontTable::Start(int number) {
  reading_ = true;
  number_ = number;
  charset_ = kNoCharset;
  codePage_ = 0;
  name_.clear();
}

int FontTable::EntryCodePage() const {
  return codePage_ > 0 ? codePage_ : CodePageOfCharset(charset_);
}

int FontTable::NameCodePage(int documentCodePage) const {
  const int codePage = EntryCodePage();
  return codePage != 0 ? codePage : documentCodePage;
}

void FontTable::Commit() {
  std::u16string name;
  name.reserve(name_.size());
  for (char16_t c : name_) {
    if (c != 0) name.push_back(c);
  }
  fonts_[number_] = FontEntry{EncodeUtf8(name), EntryCodePage()};
  reading_ = false;
  name_.clear();
}

void ColorTable::Set(std::uint8_t& component, std::int64_t value) {
  component = static_cast<std::uint8_t>(std::clamp<std::int64_t>(value, 0, 255));
  set_ = true;
}

void ColorTable::EndEntry() {
  colors_.push_back(set_ ? MakeRgb(red_, green_, blue_) : kWindowTextColor);
  red_ = green_ = blue_ = 0;
  set_ = false;
}

TextColor ColorTable::At(std::int64_t index) const {
  if (index < 0 || static_cast<std::uint64_t>(index) >= colors_.size()) return kWindowTextColor;
  return colors_[static_cast<std::size_t>(index)];
}

}  // namespace markwell::rtf
