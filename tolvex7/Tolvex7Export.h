#pragma once

// Only what the library's interface lists is visible outside libtolvex7.
#if defined(TOLVEX7_BUILD)
#define TOLVEX7_EXPORT __attribute__((visibility("default")))
#else
#define TOLVEX7_EXPORT
#endif
