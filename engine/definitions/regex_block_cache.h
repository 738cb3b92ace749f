// The regular-expression matcher's memory blocks, kept per thread.
#pragma once

namespace markwell {

// True when this program keeps the matcher's blocks per thread (the Boost
// version it was built against is the one the cache is written for); a
// call also keeps the cache in every program that tokenizes with a
// definition.
bool RegexBlocksPerThread();

}  // namespace markwell
