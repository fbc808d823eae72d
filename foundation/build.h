// The barcode library compiles its own private build of some foundation
// sources. Each build lives in its own inline namespace so that both can sit in
// one process (the designer, or a test program) without their symbols meeting.
#pragma once

#ifdef KALVO_LIBRARY_BUILD
#define FOUNDATION_BEGIN inline namespace fdn_kvo {
#else
#define FOUNDATION_BEGIN inline namespace fdn_app {
#endif
#define FOUNDATION_END }

FOUNDATION_BEGIN
#ifdef KALVO_LIBRARY_BUILD
inline constexpr bool kLibraryBuild = true;
#else
inline constexpr bool kLibraryBuild = false;
#endif
FOUNDATION_END
