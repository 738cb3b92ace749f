// Boost.Regex's matcher, which the language library runs for every rule at
// every position, takes a 4 KB block for its backtracking stack at the start
// of each match and gives it back at the end, through get_mem_block and
// put_mem_block: a cache of sixteen atomic slots that the whole process
// shares. With two threads tokenizing at once, the two cores fight over
// that cache line millions of times, and each thread runs 1.6 times slower
// than alone (10 MB of C: 9.9 s of CPU instead of 6.1, for a wall time of
// 5.0 s instead of 3.1). These two functions take the library's place, as
// the program's own definitions do for a shared library's calls, and keep
// the blocks in a cache of each thread's own. Boost's cache is the plain
// version: it is what runs where this file's Boost version is not the one
// it was written for, and the blocks of both are plain 4 KB allocations.
#include "definitions/regex_block_cache.h"

#include <boost/regex/config.hpp>
#include <boost/version.hpp>
#include <cstddef>
#include <new>

#if BOOST_VERSION == 107400

namespace {

class BlockCache {
 public:
  BlockCache() = default;
  BlockCache(const BlockCache&) = delete;
  BlockCache& operator=(const BlockCache&) = delete;
  ~BlockCache() {
    for (std::size_t i = 0; i < count_; ++i) ::operator delete(blocks_[i]);
  }

  void* Get() { return count_ > 0 ? blocks_[--count_] : ::operator new(BOOST_REGEX_BLOCKSIZE); }
  void Put(void* block) {
    if (count_ < kBlocks) {
      blocks_[count_++] = block;
    } else {
      ::operator delete(block);
    }
  }

 private:
  static constexpr std::size_t kBlocks = 16;
  void* blocks_[kBlocks] = {};
  std::size_t count_ = 0;
};

BlockCache& ThisThreadsBlocks() {
  thread_local BlockCache cache;
  return cache;
}

}  // namespace

namespace boost::re_detail_107400 {

void* BOOST_REGEX_CALL get_mem_block() {
  return ThisThreadsBlocks().Get();
}

void BOOST_REGEX_CALL put_mem_block(void* block) {
  ThisThreadsBlocks().Put(block);
}

}  // namespace boost::re_detail_107400

bool markwell::RegexBlocksPerThread() {
  return true;
}

#else

bool markwell::RegexBlocksPerThread() {
  return false;
}

#endif
