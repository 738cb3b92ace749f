// The font table and the colour table of an RTF file, filled as the reader
// meets their entries.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <unordered_map>
#include <vector>

#include "document/char_format.h"

namespace markwell::rtf {

inline constexpr int kNoFont = std::numeric_limits<int>::min();  // the \deff font
// A font without \fcharset reads in the document's code page.
inline constexpr int kNoCharset = -1;

int ClampToInt(std::int64_t value);

struct FontEntry {
  std::string name;  // UTF-8
  int codePage = 0;  // 0: the document's
};

class FontTable {
 public:
  void SetDefault(int number) { default_ = number; }
  // The font numbered `number` (kNoFont: none given), else the default font,
  // or nullptr when neither is in the table.
  const FontEntry* Find(int number) const;

  // The entry being read: \fN in the table starts it, ";" or the end of the
  // table ends it.
  bool Reading() const { return reading_; }
  void Start(int number);
  void SetCharset(int charset) { charset_ = charset; }
  void SetCodePage(int codePage) { codePage_ = codePage; }
  // The code page of the entry's name bytes.
  int NameCodePage(int documentCodePage) const;
  void AddToName(std::u16string_view units) { name_.append(units); }
  // The entry's name, without NUL characters, goes into the table.
  void Commit();

 private:
  int EntryCodePage() const;

  std::unordered_map<int, FontEntry> fonts_;
  int default_ = 0;
  bool reading_ = false;
  int number_ = 0;
  int charset_ = kNoCharset;
  int codePage_ = 0;
  std::u16string name_;
};

class ColorTable {
 public:
  void SetRed(std::int64_t value) { Set(red_, value); }
  void SetGreen(std::int64_t value) { Set(green_, value); }
  void SetBlue(std::int64_t value) { Set(blue_, value); }
  // ";" ends an entry; one without a component is the automatic colour.
  void EndEntry();
  // \cf0 and indices past the table are the automatic colour.
  TextColor At(std::int64_t index) const;

 private:
  void Set(std::uint8_t& component, std::int64_t value);

  std::vector<TextColor> colors_;
  std::uint8_t red_ = 0;
  std::uint8_t green_ = 0;
  std::uint8_t blue_ = 0;
  bool set_ = false;
};

}  // namespace markwell::rtf
