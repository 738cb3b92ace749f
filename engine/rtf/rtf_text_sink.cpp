#include "rtf/rtf_text_sink.h"

#include <algorithm>
#include <new>

#include "text/code_page.h"

namespace markwell::rtf {

namespace {

// A file of mostly pictures that leaves most of the reservation unused
// gives it back.
constexpr std::size_t kShrinkAbove = 1 << 20;

}  // namespace

std::size_t TextSink::FormatKeyHash::operator()(const FormatKey& k) const {
  std::uint64_t h = k.style;
  h = h * 0x9E3779B97F4A7C15ull + static_cast<std::uint32_t>(k.font);
  h = h * 0x9E3779B97F4A7C15ull + static_cast<std::uint32_t>(k.size);
  h = h * 0x9E3779B97F4A7C15ull + k.color;
  return static_cast<std::size_t>(h ^ (h >> 31));
}

TextSink::TextSink(std::size_t expectedUnits, const CharFormat& defaultFormat,
                   const FontTable& fonts, const FormatKey& format)
    : default_(defaultFormat),
      fonts_(fonts),
      chunk_(std::make_unique<char16_t[]>(kChunk)),
      chunkFormat_(format) {
  // No RTF spelling yields more UTF-16 units than it has bytes, so the text
  // never moves while it grows; what stays unused is address space only.
  // Where address space is short, the text grows as it goes instead.
  try {
    content_.Reserve(expectedUnits);
  } catch (const std::bad_alloc&) {
  }
}

void TextSink::Use(const FormatKey& format) {
  if (!(format == chunkFormat_)) {
    Flush();
    chunkFormat_ = format;
  }
}

void TextSink::Flush() {
  if (chunkLength_ == 0) return;
  content_.Append(std::u16string_view(chunk_.get(), chunkLength_), IndexOf(chunkFormat_));
  chunkLength_ = 0;
}

void TextSink::FontsChanged() {
  Flush();
  indices_.clear();
}

DocumentContent::Index TextSink::IndexOf(const FormatKey& key) {
  if (auto it = indices_.find(key); it != indices_.end()) return it->second;
  CharFormat format;
  format.style = FontStyles(key.style);
  format.color = key.color;
  format.size = key.size;
  const FontEntry* font = fonts_.Find(key.font);
  format.fontName = font != nullptr ? font->name : default_.fontName;
  const auto index = content_.Table().Intern(format);
  indices_.emplace(key, index);
  return index;
}

void TextSink::Put(char16_t c) {
  if (chunkLength_ == kChunk) Flush();
  chunk_[chunkLength_++] = c;
}

void TextSink::Bytes(std::string_view data, const FormatKey& format, int codePage) {
  Use(format);
  escapedCr_ = false;
  const auto* p = reinterpret_cast<const unsigned char*>(data.data());
  const auto* end = p + data.size();
  while (p != end) {
    if (chunkLength_ == kChunk) Flush();
    const auto room = static_cast<std::ptrdiff_t>(kChunk - chunkLength_);
    const auto* stop = p + std::min(room, end - p);
    char16_t* out = chunk_.get() + chunkLength_;
    for (; p != stop; ++p) {
      const unsigned char b = *p;
      if (b >= 0x20 && b < 0x80) {
        *out++ = b;
      } else if (b >= 0x80) {
        // Raw 8-bit text: not proper RTF, but common.
        *out++ = DecodeCodePageByte(codePage, b);
      } else if (b == '\t') {
        *out++ = u'\t';
      }
    }
    chunkLength_ = static_cast<std::size_t>(out - chunk_.get());
  }
}

void TextSink::Decoded(char16_t c, const FormatKey& format) {
  if (c == 0) return;
  if (c == u'\r' || c == u'\n') {
    if (c == u'\n' && escapedCr_) {
      escapedCr_ = false;
      return;
    }
    LineBreak(format);
    escapedCr_ = c == u'\r';
    return;
  }
  Use(format);
  escapedCr_ = false;
  Put(c);
}

void TextSink::LineBreak(const FormatKey& format) {
  Use(format);
  escapedCr_ = false;
  Put(u'\r');
  Put(u'\n');
}

DocumentContent TextSink::Finish(std::size_t inputSize) {
  Flush();
  if (inputSize > kShrinkAbove && static_cast<std::size_t>(content_.Length()) < inputSize / 4) {
    return content_.Slice(0, content_.Length());
  }
  return std::move(content_);
}

}  // namespace markwell::rtf
