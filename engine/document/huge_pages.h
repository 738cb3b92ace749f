// Huge pages for large buffers: on this kind of machine the first touch of a
// fresh 4 KB page costs more than the work done on it, and a 2 MB page
// takes 512 of those faults at once.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace markwell {

// Asks the kernel to back the whole 2 MB pages inside [data, data + bytes)
// with huge pages. Only a hint: nothing happens on other systems, for
// buffers without a whole 2 MB page inside, or when the kernel declines.
inline void AdviseHugePages([[maybe_unused]] const void* data, [[maybe_unused]] std::size_t bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  const auto start = reinterpret_cast<std::uintptr_t>(data);
  if (data == nullptr || bytes < kHugePage || start > UINTPTR_MAX - bytes) return;
  const std::uintptr_t begin = (start + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t end = (start + bytes) & ~(kHugePage - 1);
  if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
#endif
}

}  // namespace markwell
