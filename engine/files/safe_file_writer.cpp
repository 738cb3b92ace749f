#include "files/safe_file_writer.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <filesystem>
#include <new>
#include <random>
#include <streambuf>
#include <utility>
#include <vector>

namespace markwell {

namespace {

namespace fs = std::filesystem;

std::error_code LastError() {
  return {errno, std::generic_category()};
}

std::optional<WriteFailure> Failed(std::error_code error) {
  if (!error) return std::nullopt;
  return WriteFailure{error, {}, {}};
}

// An open file descriptor, closed when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }

  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  // Closes now, for a caller that must know whether the close succeeded.
  std::error_code Close() {
    const int fd = std::exchange(fd_, -1);
    return ::close(fd) == 0 ? std::error_code() : LastError();
  }

 private:
  int fd_;
};

// A buffered stream buffer over a file descriptor that remembers the first
// write that failed. With `earlyWriteback`, every few megabytes written are
// handed to the disk at once, so the closing fsync waits only for the tail
// of a large file instead of all of it.
class FdStreamBuf : public std::streambuf {
 public:
  FdStreamBuf(int fd, bool earlyWriteback)
      : fd_(fd), earlyWriteback_(earlyWriteback), buffer_(1 << 16) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
  }
  ~FdStreamBuf() override = default;

  std::error_code Error() const { return error_; }
  std::size_t Written() const { return written_; }
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
    while (left > 0 && !error_) {
      const ssize_t written = ::write(fd_, data, left);
      if (written < 0) {
        if (errno != EINTR) error_ = LastError();
      } else {
        data += written;
        left -= static_cast<std::size_t>(written);
        written_ += static_cast<std::size_t>(written);
      }
    }
    StartWriteback();
    return !error_;
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
  std::error_code error_;
};

// What a WriteThrough did: the first error, and whether any byte reached the
// file (until one did, the file is as it was).
struct WriteOutcome {
  std::error_code error;
  bool changedFile = false;
};

WriteOutcome WriteThrough(int fd, const WriteFunction& write, bool earlyWriteback) {
  FdStreamBuf buffer(fd, earlyWriteback);
  std::ostream out(&buffer);
  try {
    write(out);
  } catch (const std::bad_alloc&) {
    return {std::make_error_code(std::errc::not_enough_memory), buffer.Written() > 0};
  } catch (const std::exception&) {
    return {std::make_error_code(std::errc::io_error), buffer.Written() > 0};
  }
  out.flush();
  const bool flushed = buffer.Flush();
  if (flushed && !buffer.Error() && out.good()) return {};
  return {buffer.Error() ? buffer.Error() : std::make_error_code(std::errc::io_error),
          buffer.Written() > 0};
}

// Copies every byte of `from` to `to`, both from their start; the number of
// bytes copied, or the error.
std::error_code CopyContent(int from, int to, off_t& copied) {
  std::array<char, 1 << 16> buffer;
  copied = 0;
  for (;;) {
    const ssize_t got = ::pread(from, buffer.data(), buffer.size(), copied);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return LastError();
    if (got == 0) return {};
    for (ssize_t done = 0; done < got;) {
      const ssize_t put =
          ::pwrite(to, buffer.data() + done, static_cast<std::size_t>(got - done), copied + done);
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) return LastError();
      done += put;
    }
    copied += got;
  }
}

// A file made for this save, removed again unless kept.
struct TemporaryFile {
  Descriptor fd;
  std::string name;
  std::error_code error;
  std::string directory;  // where it was made

  TemporaryFile() = default;
  TemporaryFile(TemporaryFile&& other) noexcept
      : fd(std::move(other.fd)),
        name(std::exchange(other.name, {})),
        error(other.error),
        directory(std::move(other.directory)) {}
  TemporaryFile& operator=(TemporaryFile&&) = delete;
  ~TemporaryFile() {
    if (!name.empty()) ::unlink(name.c_str());
  }
  // Leaves the file where it is.
  std::string Keep() { return std::exchange(name, {}); }
};

std::string TemporaryName(const fs::path& target) {
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  // What the name adds to the target's: ".", ".", eight digits and ".tmp".
  constexpr std::size_t kAdded = 14;
  std::random_device random;
  // Built by appending: GCC 12 warns falsely about "." + a string.
  std::string name(1, '.');
  // Cut so that a target whose name is near the longest a directory holds
  // still gets a temporary beside it.
  name += target.filename().string().substr(0, NAME_MAX - kAdded);
  name += '.';
  for (int i = 0; i < 8; ++i) name += kDigits[random() % 36];
  name += ".tmp";
  return (target.parent_path() / name).string();
}

// A new file beside `target`, in the same directory so that it can be
// renamed over the target.
TemporaryFile CreateBeside(const fs::path& target) {
  TemporaryFile file;
  for (int attempt = 0; attempt < 16; ++attempt) {
    const std::string name = TemporaryName(target);
    // 0666 lets the umask decide a new file's permissions, as for any new file.
    file.fd = Descriptor(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (file.fd.Valid()) {
      file.name = name;
      return file;
    }
    if (errno != EEXIST) break;
  }
  file.error = LastError();
  return file;
}

// A private copy of the file open as `source`, in the temporary directory.
TemporaryFile CopyToTemporaryDirectory(int source) {
  TemporaryFile copy;
  std::error_code ignored;
  fs::path directory = fs::temp_directory_path(ignored);
  if (directory.empty()) directory = "/tmp";
  copy.directory = directory.string();
  std::string name = (directory / "markwell-old-XXXXXX").string();
  copy.fd = Descriptor(::mkostemp(name.data(), O_CLOEXEC));  // mode 0600
  if (!copy.fd.Valid()) {
    copy.error = LastError();
    return copy;
  }
  copy.name = name;
  off_t copied = 0;
  copy.error = CopyContent(source, copy.fd.Get(), copied);
  return copy;
}

// Puts the saved copy back into `fd`, all of it and no more.
std::error_code Restore(int fd, int copy) {
  off_t size = 0;
  if (std::error_code error = CopyContent(copy, fd, size)) return error;
  if (::ftruncate(fd, size) != 0 || ::fsync(fd) != 0) return LastError();
  return {};
}

// Writes into the existing regular file `target`, open for writing as
// `file`. The new content overwrites the old from the start and the file is
// cut to its length only then, so the old content's blocks stay the file's
// until the write succeeded, ready to take the copy back if it fails.
std::optional<WriteFailure> WriteInto(const fs::path& target, Descriptor& file,
                                      const WriteFunction& write) {
  const Descriptor source(::open(target.c_str(), O_RDONLY | O_CLOEXEC));
  if (!source.Valid()) return Failed(LastError());
  TemporaryFile copy = CopyToTemporaryDirectory(source.Get());
  if (copy.error) {
    return WriteFailure{copy.error, "keeping a copy of the old content in " + copy.directory, {}};
  }

  const WriteOutcome outcome = WriteThrough(file.Get(), write, true);
  // A first write that failed left the file as it was (a file that takes no
  // writes, such as one of /proc): nothing to put back.
  if (outcome.error && !outcome.changedFile) return Failed(outcome.error);
  std::error_code error = outcome.error;
  if (!error) {
    const off_t end = ::lseek(file.Get(), 0, SEEK_CUR);
    if (end < 0 || ::ftruncate(file.Get(), end) != 0 || ::fsync(file.Get()) != 0) {
      error = LastError();
    }
  }
  if (!error) return Failed(file.Close());
  // The old content is lost unless it goes back: when it cannot, its copy
  // stays for the user to take.
  if (const std::error_code notRestored = Restore(file.Get(), copy.fd.Get())) {
    return WriteFailure{error, {}, copy.Keep()};
  }
  return Failed(error);
}

// Writes straight into an existing target that is not a regular file.
std::error_code WriteStraight(const fs::path& target, const WriteFunction& write) {
  Descriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
  if (!fd.Valid()) return LastError();
  const std::error_code error = WriteThrough(fd.Get(), write, false).error;
  const std::error_code closed = fd.Close();
  return error ? error : closed;
}

// Writes the content to `temporary` and renames it over `target`, with the
// mode of the file it replaces, if any. Content that replaces a file is on
// the disk before it takes the name, so that a crash leaves the old file or
// the new one, never an empty one; a new name is not synced, since nothing
// was there to lose.
std::error_code ReplaceWith(TemporaryFile& temporary, const fs::path& target,
                            const struct stat* existing, const WriteFunction& write) {
  const int fd = temporary.fd.Get();
  const bool replaces = existing != nullptr;
  std::error_code error = WriteThrough(fd, write, replaces).error;
  if (!error && replaces && ::fchmod(fd, existing->st_mode & 07777) != 0) error = LastError();
  if (!error && replaces && ::fsync(fd) != 0) error = LastError();
  const std::error_code closed = temporary.fd.Close();
  if (!error) error = closed;
  if (error) return error;
  if (::rename(temporary.name.c_str(), target.c_str()) != 0) return LastError();
  temporary.Keep();  // it is the target now
  return {};
}

// The group a file made in `directory` belongs to: the directory's own when
// it has the set-group-ID bit, else the process's.
gid_t GroupOfNewFiles(const fs::path& directory) {
  struct stat info {};
  const fs::path where = directory.empty() ? fs::path(".") : directory;
  if (::stat(where.c_str(), &info) == 0 && (info.st_mode & S_ISGID)) return info.st_gid;
  return ::getegid();
}

}  // namespace

std::string WriteFailure::Reason() const {
  std::string reason = failedStep.empty() ? error.message() : failedStep + ": " + error.message();
  if (!keptCopy.empty()) reason += "; the old content is kept in " + keptCopy;
  return reason;
}

bool ReplacingLoses(const FileIdentity& file, uid_t user, gid_t group) {
  return file.links > 1 || file.owner != user || file.group != group;
}

std::error_code WriteToDescriptor(int fd, const WriteFunction& write) {
  return WriteThrough(fd, write, false).error;
}

std::optional<WriteFailure> WriteFileSafely(const std::string& path, const WriteFunction& write) {
  // A pipe, a terminal or a device, also behind a symbolic link, is opened
  // by its own name: the system resolves links such as /dev/stdout that no
  // path names (its target may read "pipe:[1234]").
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode) &&
      !S_ISDIR(existing.st_mode)) {
    return Failed(WriteStraight(path, write));
  }
  std::error_code error;
  fs::path target(path);
  // Follow symbolic links to the file they name, so the link itself stays.
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(target, error)); ++hops) {
    const fs::path next = fs::read_symlink(target, error);
    if (error) return Failed(error);
    target = next.is_absolute() ? next : target.parent_path() / next;
  }

  if (::stat(target.c_str(), &existing) != 0) {
    if (errno != ENOENT) return Failed(LastError());
    TemporaryFile temporary = CreateBeside(target);
    if (temporary.error) return Failed(temporary.error);
    return Failed(ReplaceWith(temporary, target, nullptr, write));
  }
  if (S_ISDIR(existing.st_mode)) return Failed(std::make_error_code(std::errc::is_a_directory));
  if (!S_ISREG(existing.st_mode)) return Failed(WriteStraight(target, write));

  // A file that may not be written is not replaced either, even where the
  // directory would allow it.
  Descriptor file(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
  if (!file.Valid()) return Failed(LastError());
  const FileIdentity identity{existing.st_nlink, existing.st_uid, existing.st_gid};
  if (ReplacingLoses(identity, ::geteuid(), GroupOfNewFiles(target.parent_path()))) {
    return WriteInto(target, file, write);
  }
  TemporaryFile temporary = CreateBeside(target);
  // A directory that takes no new file (read-only to us, or one of /proc):
  // the file itself can still be written, and its own error is the reason.
  if (temporary.error) return WriteInto(target, file, write);
  return Failed(ReplaceWith(temporary, target, &existing, write));
}

}  // namespace markwell
