// Marks what libStatsPosix.so offers to the program that loads the plug-in
// (the stand-in host, the tests): exported although the build hides symbols
// by default.
#pragma once

#if defined(__GNUC__)
#define STATS_POSIX_API __attribute__((visibility("default")))
#else
#define STATS_POSIX_API
#endif
