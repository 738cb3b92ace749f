// Writing a file so that a failure never damages what was there: the content
// goes to a temporary file beside the target, which replaces the target only
// when the whole write succeeded.
#pragma once

#include <functional>
#include <ostream>
#include <string>

namespace markwell {

// Calls write(out) and puts what it wrote at `path`. A regular file (or a
// new one) is replaced atomically and keeps its permissions; a symbolic link
// is followed, so the file it points to is replaced and the link stays; a
// target that exists but is no regular file (a pipe, a terminal, a device)
// is written straight into. Returns false on any failure, leaving the target
// as it was and no temporary file behind.
bool WriteFileSafely(const std::string& path, const std::function<void(std::ostream&)>& write);

}  // namespace markwell
