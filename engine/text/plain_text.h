// Plain-text files: decoding their bytes into document text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace markwell {

// The text of a plain-text file, every line break (CR LF, lone CR, lone LF)
// turned into CR LF. UTF-8 when the bytes are valid UTF-8 (a byte-order mark
// is dropped), UTF-16 when they start with its byte-order mark, else the
// Central European code page (windows-1250). Nothing for binary data: bytes
// that hold a NUL (outside UTF-16) are not text, and loading them would give
// a garbage document.
std::optional<std::u16string> DecodePlainText(std::string_view bytes);

// Where DecodePlainTextInPieces reads: source(offset, into) copies up to
// into.size() bytes from `offset` on into `into` and returns how many, 0 at
// the end. It raises its own errors.
using ByteSource = std::function<std::size_t(std::uint64_t offset, std::span<char> into)>;

inline constexpr std::size_t kPlainTextPiece = std::size_t{1} << 18;

// The text DecodePlainText gives for the bytes of `source` from offset 0 to
// its end, read a piece of `pieceBytes` at a time into one buffer, so that
// the bytes are never held whole. Text that is not UTF-8 is read a second
// time. `expectedBytes`, what the source should hold, sizes the room
// reserved for the text.
std::optional<std::u16string> DecodePlainTextInPieces(const ByteSource& source,
                                                      std::uint64_t expectedBytes,
                                                      std::size_t pieceBytes = kPlainTextPiece);

}  // namespace markwell
