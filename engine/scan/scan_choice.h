// The one switch between the two versions of every scan: the vector version
// (SSE2, on every x86-64) unless the build asks for the plain one with
// MARKWELL_SCALAR_SCANS (CMake's MARKWELL_PORTABLE) or the compiler has no
// SSE2. Both versions give the same answers; the scan twins fuzz target holds
// them to that.
#pragma once

#if defined(__SSE2__)
#define MARKWELL_HAS_SSE2_SCANS 1
#include <emmintrin.h>
#else
#define MARKWELL_HAS_SSE2_SCANS 0
#endif

#if MARKWELL_HAS_SSE2_SCANS && !defined(MARKWELL_SCALAR_SCANS)
#define MARKWELL_USE_SSE2_SCANS 1
#else
#define MARKWELL_USE_SSE2_SCANS 0
#endif

namespace markwell::scan {

// Each scan has its plain version in `scalar` and, where the compiler has
// SSE2, its vector version in `sse2`; scan::X calls chosen::X.
namespace scalar {}
#if MARKWELL_HAS_SSE2_SCANS
namespace sse2 {}
#endif

#if MARKWELL_USE_SSE2_SCANS
namespace chosen = sse2;
#else
namespace chosen = scalar;
#endif

}  // namespace markwell::scan
