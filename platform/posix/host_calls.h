// Inside libStatsPosix.so: the host link's way to the registered host
// object across threads (platform/posix/host_object.cpp).
#pragma once

#include <cstdint>
#include <functional>

#include "platform/posix/host_object.h"

namespace plat {
namespace hostcalls {

// The registration that a link opened now connects to; 0 when no host
// object is registered. Each registration has its own number.
std::uint64_t CurrentRegistration();

// Carries out call(object) on the host's thread for registration `reg`: at
// once on that thread, otherwise queued until the host's thread pumps, while
// the caller waits running the sent-message hook. False, without running it,
// when that registration has ended (before or while waiting).
bool Call(std::uint64_t reg, const std::function<void(HostObject&)>& call);

// On the host's thread: carries out every queued call; 0 elsewhere.
int Pump();

// The calling thread registered the current host object.
bool IsHostThread();

}  // namespace hostcalls
}  // namespace plat
