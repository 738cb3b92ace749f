// Writing a file so that a failure never damages what was there. The content
// normally goes to a temporary file beside the target, which replaces the
// target only when the whole write succeeded. Where a new file would lose
// something (the directory is read-only, the file has other hard links, or
// another owner or group), the content goes into the existing file instead,
// and a copy of the old content puts it back if that write fails.
#pragma once

#include <sys/types.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>

namespace markwell {

using WriteFunction = std::function<void(std::ostream&)>;

// Why a write failed.
struct WriteFailure {
  std::error_code error;  // the system's error at the failure
  // The step that failed when it was not a write of the target itself; else empty.
  std::string failedStep;
  // Where the old content was left when it could not be put back; else empty.
  std::string keptCopy;

  // The failed step where it was another, the system's text, and where the
  // old content is when it was left aside.
  std::string Reason() const;
};

// Calls write(out) and puts what it wrote at `path`. A symbolic link is
// followed, so the file it points to gets the content and the link stays. A
// new file takes the umask's permissions. An existing regular file must be
// writable; it keeps its mode, and also its links, owner and group where it
// is written in place; the content that replaces it is synced to the disk
// first, while a new name is not synced. A target that exists but is no
// regular file (a pipe, a terminal, a device, also behind a link) is written
// straight into. On failure the target is as it was and no temporary file
// is left behind.
[[nodiscard]] std::optional<WriteFailure> WriteFileSafely(const std::string& path,
                                                          const WriteFunction& write);

// Calls write(out) on an open descriptor, such as standard output; returns
// the error of the first write that failed, if any.
[[nodiscard]] std::error_code WriteToDescriptor(int fd, const WriteFunction& write);

// What of an existing file a new file in its place might not keep.
struct FileIdentity {
  nlink_t links;
  uid_t owner;
  gid_t group;
};

// Whether a new file, which would belong to `user` and `group`, put in place
// of `file` would lose its other hard links, its owner or its group.
bool ReplacingLoses(const FileIdentity& file, uid_t user, gid_t group);

}  // namespace markwell
