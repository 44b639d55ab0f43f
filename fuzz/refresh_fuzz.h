// The live refresh run against a host gone wrong: calls that fail, are
// empty, very long or full of bytes above 127, and frequencies that are
// NaN, infinite, negative or far beyond any band, with windows that open
// and close between refreshes. Checks what must hold whatever the answers.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

namespace fuzzrefresh {

// One refresh as the UI thread would run it after a call check.
void RefreshWithHostileHost(FuzzedDataProvider& in);

}  // namespace fuzzrefresh
