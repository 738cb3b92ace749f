#include "document_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

#include "engine_error.h"
#include "plain_text.h"
#include "rtf_reader.h"
#include "rtf_writer.h"
#include "safe_file_writer.h"

namespace markwell {

namespace {

constexpr const char* kFailedToLoad = "Failed to Load Stream";

[[noreturn]] void CannotOpen(const std::string& fileName) {
  throw EngineError("Cannot open file " + fileName);
}

std::string ReadWholeFile(const std::string& fileName) {
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) CannotOpen(fileName);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    CannotOpen(fileName);
  }
  std::string bytes;
  try {
    if (S_ISREG(info.st_mode) && info.st_size > 0) {
      bytes.reserve(static_cast<std::size_t>(info.st_size));
    }
    char chunk[1 << 16];
    for (;;) {
      const ssize_t got = ::read(fd, chunk, sizeof chunk);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        ::close(fd);
        CannotOpen(fileName);
      }
      if (got == 0) break;
      bytes.append(chunk, static_cast<std::size_t>(got));
    }
  } catch (const std::bad_alloc&) {
    ::close(fd);
    throw;
  }
  ::close(fd);
  return bytes;
}

}  // namespace

void LoadFromBytes(Document& document, std::string_view bytes) {
  std::optional<DocumentContent> content;
  if (LooksLikeRtf(bytes)) content = ReadRtf(bytes, document.Font().AsCharFormat());
  if (!content) {
    auto text = DecodePlainText(bytes);
    if (!text) throw EngineError(kFailedToLoad);
    content = DocumentContent::FromText(std::move(*text), document.Font().AsCharFormat());
  }
  if (content->Text().size() > static_cast<std::size_t>(Document::kMaxLength)) {
    throw EngineError(kFailedToLoad);
  }
  document.ReplaceContent(std::move(*content));
}

void LoadFromFile(Document& document, const std::string& fileName) {
  try {
    const std::string bytes = ReadWholeFile(fileName);
    LoadFromBytes(document, bytes);
  } catch (const std::bad_alloc&) {
    // A file larger than memory allows: a clear error, and the document as it was.
    throw EngineError("Out of memory");
  }
}

void SaveToFile(const Document& document, const std::string& fileName) {
  const bool saved =
      WriteFileSafely(fileName, [&](std::ostream& out) { WriteRtf(document.Content(), out); });
  if (!saved) throw EngineError("Cannot create file " + fileName);
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
