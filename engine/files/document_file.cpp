#include "files/document_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <span>

#include "document/huge_pages.h"
#include "files/engine_error.h"
#include "files/safe_file_writer.h"
#include "rtf/rtf_reader.h"
#include "rtf/rtf_writer.h"
#include "text/plain_text.h"

namespace markwell {

namespace {

constexpr const char* kFailedToLoad = "Failed to Load Stream";

[[noreturn]] void CannotOpen(const std::string& fileName, int errorNumber) {
  throw EngineError("Cannot open file " + fileName, SystemReason(errorNumber));
}

// One read() moves at most this much (Linux stops short of 2 GB anyway).
constexpr std::size_t kMaxRead = std::size_t{1} << 30;

// A file's bytes, read whole into one buffer that is never zero-filled and
// can be given back as soon as the bytes are decoded.
class FileBytes {
 public:
  std::string_view View() const { return {data_.get(), size_}; }
  void Release() {
    data_.reset();
    size_ = 0;
    capacity_ = 0;
  }

  // Reads from `fd` until the end of the file; `expected` is the size the
  // file had when opened. A file that grows meanwhile is read to its new end,
  // one that shrinks to where it then ends. False on a read error.
  bool ReadAll(int fd, std::size_t expected) {
    Grow(expected + 1);  // the extra byte lets an unchanged file end in one read
    for (;;) {
      if (size_ == capacity_) Grow(capacity_ * 2);
      const ssize_t got = ::read(fd, data_.get() + size_, std::min(capacity_ - size_, kMaxRead));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) return false;
      if (got == 0) return true;
      size_ += static_cast<std::size_t>(got);
    }
  }

 private:
  void Grow(std::size_t capacity) {
    capacity = std::max<std::size_t>(capacity, 1 << 16);
    auto data = std::make_unique_for_overwrite<char[]>(capacity);
    AdviseHugePages(data.get(), capacity);
    if (size_ > 0) std::memcpy(data.get(), data_.get(), size_);
    data_ = std::move(data);
    capacity_ = capacity;
  }

  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

class FileCloser {
 public:
  explicit FileCloser(int fd) : fd_(fd) {}
  ~FileCloser() { ::close(fd_); }
  FileCloser(const FileCloser&) = delete;
  FileCloser& operator=(const FileCloser&) = delete;

 private:
  int fd_;
};

// Takes loaded content as the document's, unless it is too long to be one.
void TakeContent(Document& document, DocumentContent content) {
  if (content.Text().size() > static_cast<std::size_t>(Document::kMaxLength)) {
    throw EngineError(kFailedToLoad);
  }
  document.ReplaceContent(std::move(content));
}

// A plain-text file decoded through one small buffer, so that its bytes,
// already in the system's file cache, are not copied whole into fresh
// memory first. A file that grows or shrinks meanwhile is read to where it
// then ends.
std::optional<std::u16string> DecodeTextFile(int fd, std::size_t expected,
                                             const std::string& fileName) {
  const ByteSource source = [&](std::uint64_t offset, std::span<char> into) -> std::size_t {
    for (;;) {
      const ssize_t got =
          ::pread(fd, into.data(), std::min(into.size(), kMaxRead), static_cast<off_t>(offset));
      if (got >= 0) return static_cast<std::size_t>(got);
      if (errno != EINTR) CannotOpen(fileName, errno);
    }
  };
  return DecodePlainTextInPieces(source, expected);
}

bool StartsAsRtf(int fd) {
  char head[8];
  ssize_t got;
  do {
    got = ::pread(fd, head, sizeof head, 0);
  } while (got < 0 && errno == EINTR);
  return got > 0 && LooksLikeRtf(std::string_view(head, static_cast<std::size_t>(got)));
}

// Loads `bytes` into the document; release() is called as soon as the bytes
// are no longer needed, so that a caller who owns them can free them before
// the formats of a plain-text document take their memory.
template <typename Release>
void LoadContent(Document& document, std::string_view bytes, Release release) {
  std::optional<DocumentContent> content;
  if (LooksLikeRtf(bytes)) {
    content = ReadRtf(bytes, document.Font().AsCharFormat());
    release();
  } else {
    auto text = DecodePlainText(bytes);
    release();
    if (!text) throw EngineError(kFailedToLoad);
    content = DocumentContent::FromText(std::move(*text), document.Font().AsCharFormat());
  }
  TakeContent(document, std::move(*content));
}

}  // namespace

void LoadFromBytes(Document& document, std::string_view bytes) {
  LoadContent(document, bytes, [] {});
}

void LoadFromFile(Document& document, const std::string& fileName) {
  try {
    const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) CannotOpen(fileName, errno);
    const FileCloser closer(fd);
    struct stat info {};
    if (::fstat(fd, &info) != 0) CannotOpen(fileName, errno);
    if (S_ISDIR(info.st_mode)) CannotOpen(fileName, EISDIR);
    const std::size_t expected =
        S_ISREG(info.st_mode) && info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    // A regular file can be read twice, from any offset: plain text is
    // decoded as it is read. RTF, and anything else (a pipe, a device), is
    // read whole first.
    if (S_ISREG(info.st_mode) && !StartsAsRtf(fd)) {
      auto text = DecodeTextFile(fd, expected, fileName);
      if (!text) throw EngineError(kFailedToLoad);
      TakeContent(document,
                  DocumentContent::FromText(std::move(*text), document.Font().AsCharFormat()));
      return;
    }
    FileBytes bytes;
    if (!bytes.ReadAll(fd, expected)) CannotOpen(fileName, errno);
    LoadContent(document, bytes.View(), [&bytes] { bytes.Release(); });
  } catch (const std::bad_alloc&) {
    // A file larger than memory allows: a clear error, and the document as it was.
    throw EngineError("Out of memory");
  }
}

void SaveToFile(const Document& document, const std::string& fileName) {
  const auto failure =
      WriteFileSafely(fileName, [&](std::ostream& out) { WriteRtf(document.Content(), out); });
  if (failure) throw EngineError("Cannot create file " + fileName, failure->Reason());
}

std::string FileExtension(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return {};
  // A separator after the dot means the dot belongs to a directory name.
  if (fileName.find_first_of("\\:/", dot) != std::string_view::npos) return {};
  std::string extension(fileName.substr(dot));
  for (char& c : extension) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return extension;
}

}  // namespace markwell
