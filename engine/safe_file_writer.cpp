#include "safe_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>
#include <streambuf>
#include <vector>

namespace markwell {

namespace {

// A buffered stream buffer over a file descriptor that remembers whether any
// write failed. With `earlyWriteback`, every few megabytes written are handed
// to the disk at once, so the closing fsync waits only for the tail of a
// large file instead of all of it.
class FdStreamBuf : public std::streambuf {
 public:
  FdStreamBuf(int fd, bool earlyWriteback)
      : fd_(fd), earlyWriteback_(earlyWriteback), buffer_(1 << 16) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
  }
  ~FdStreamBuf() override = default;

  bool Failed() const { return failed_; }
  bool Flush() { return sync() == 0; }

 protected:
  int_type overflow(int_type c) override {
    if (!FlushBuffer()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  // A piece as large as the buffer goes to the file without a copy.
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    if (n < static_cast<std::streamsize>(buffer_.size())) return std::streambuf::xsputn(s, n);
    if (!FlushBuffer() || !WriteAll(s, static_cast<std::size_t>(n))) return 0;
    return n;
  }
  int sync() override { return FlushBuffer() ? 0 : -1; }

 private:
  bool FlushBuffer() {
    const bool ok = WriteAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return ok;
  }

  bool WriteAll(const char* data, std::size_t left) {
    while (left > 0 && !failed_) {
      const ssize_t written = ::write(fd_, data, left);
      if (written < 0) {
        if (errno == EINTR) continue;
        failed_ = true;
      } else {
        data += written;
        left -= static_cast<std::size_t>(written);
        written_ += static_cast<std::size_t>(written);
      }
    }
    StartWriteback();
    return !failed_;
  }

  void StartWriteback() {
#ifdef __linux__
    constexpr std::size_t kStep = std::size_t{1} << 20;
    if (!earlyWriteback_ || written_ - handedOver_ < kStep) return;
    // Only a hint: an error here leaves the work to the fsync.
    ::sync_file_range(fd_, static_cast<off_t>(handedOver_),
                      static_cast<off_t>(written_ - handedOver_), SYNC_FILE_RANGE_WRITE);
    handedOver_ = written_;
#endif
  }

  int fd_;
  bool earlyWriteback_;
  std::size_t written_ = 0;
  std::size_t handedOver_ = 0;
  std::vector<char> buffer_;
  bool failed_ = false;
};

bool WriteToDescriptor(int fd, const std::function<void(std::ostream&)>& write,
                       bool earlyWriteback) {
  FdStreamBuf buffer(fd, earlyWriteback);
  std::ostream out(&buffer);
  try {
    write(out);
  } catch (const std::exception&) {
    return false;  // out of memory while writing, say: the target stays as it was
  }
  out.flush();
  return buffer.Flush() && !buffer.Failed() && out.good();
}

// Writes straight into an existing target that is not a regular file.
bool WriteInPlace(const std::string& path, const std::function<void(std::ostream&)>& write) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = WriteToDescriptor(fd, write, false);
  return ::close(fd) == 0 && ok;
}

std::string TemporaryName(const std::filesystem::path& target) {
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::random_device random;
  // Built by appending: GCC 12 warns falsely about "." + a string.
  std::string name(1, '.');
  name += target.filename().string();
  name += '.';
  for (int i = 0; i < 8; ++i) name += kDigits[random() % 36];
  name += ".tmp";
  return (target.parent_path() / name).string();
}

}  // namespace

bool WriteFileSafely(const std::string& path, const std::function<void(std::ostream&)>& write) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path target(path);
  // Follow symbolic links to the file they name, so the link itself stays.
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(target, error)); ++hops) {
    const fs::path next = fs::read_symlink(target, error);
    if (error) return false;
    target = next.is_absolute() ? next : target.parent_path() / next;
  }

  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) return false;
  if (exists && !S_ISREG(existing.st_mode)) return WriteInPlace(target.string(), write);

  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temporary = TemporaryName(target);
    // 0666 lets the umask decide a new file's permissions, as for any new file.
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;

  bool ok = WriteToDescriptor(fd, write, true);
  if (ok && exists) ok = ::fchmod(fd, existing.st_mode & 07777) == 0;
  if (ok) ok = ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  if (ok) ok = ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temporary.c_str());
  return ok;
}

}  // namespace markwell
