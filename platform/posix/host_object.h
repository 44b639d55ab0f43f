// The host's automation object on POSIX: the program that loads the plug-in
// (a test) may register an object that answers the plug-in's host link
// (platform/host_link.h); without one the link does not open, as on Windows
// without the host running (stats-host registers none). Lives in
// libStatsPosix.so.
//
// Calls cross threads as they cross apartments on Windows. The thread that
// registers the object is the host's thread. A call that the plug-in makes
// from another thread (its UI thread) is queued and carried out on the
// host's thread when that thread pumps (PumpHostCalls, PumpHostCallsFor, or
// the plug-in's own WaitServingHostCalls); until then the caller waits. A
// call made on the host's thread itself runs at once. While a caller waits
// for its answer it keeps handling messages that other threads send to its
// windows, through the sent-message hook that the window system sets.
//
// The rule that keeps tests free of deadlocks: the host's thread must never
// wait for the UI thread without pumping. A host that stops pumping while
// the UI thread is inside a call leaves that call waiting, as on Windows; the
// plug-in's unload serves the calls while it waits for the UI thread, and a
// test that waits for the UI thread itself waits with PumpHostCallsFor.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "platform/posix/posix_api.h"

namespace plat {

// A value as the host's object answers it: empty, text (in the ANSI code
// page), a 32-bit integer or a double.
using HostValue = std::variant<std::monostate, std::string, std::int32_t, double>;

// The host's object. Its members run on the thread that registered it.
class HostObject {
  public:
    virtual ~HostObject() = default;
    // False: the call failed.
    virtual bool RunMacro(const std::string& macro) = 0;
    // No value: the call failed. The link accepts only text as the field's
    // answer; any other kind is a failure on the plug-in's side.
    virtual std::optional<HostValue> GetFieldText(int field) = 0;
    // No value: the call failed. Converted to a double as Windows converts a
    // variant: numbers as they are, empty as 0, text when it reads as a number.
    virtual std::optional<HostValue> Frequency() = 0;
};

// Makes `object` the running host object, with the calling thread as the
// host's thread; replaces an earlier one as UnregisterHostObject does.
STATS_POSIX_API void RegisterHostObject(std::shared_ptr<HostObject> object);

// No host object from now on: opening the link fails, links opened before
// fail every call, and calls still waiting in the queue fail at once.
STATS_POSIX_API void UnregisterHostObject();

// On the host's thread: carries out every queued call and returns how many.
// On any other thread: does nothing and returns 0.
STATS_POSIX_API int PumpHostCalls();

// On the host's thread: carries out calls as they arrive during `ms`
// milliseconds and returns how many. On any other thread: returns 0 at once.
STATS_POSIX_API int PumpHostCallsFor(unsigned ms);

// Calls that wait in the queue for the host's thread.
STATS_POSIX_API int PendingHostCalls();

// Set by the window system: handles the messages that other threads have
// sent to the calling thread's windows. A thread waiting for the host's
// answer runs it whenever WakeHostCallWaiters is called (and every few
// milliseconds in any case). Null for none.
using SentMessageHook = void (*)();
STATS_POSIX_API void SetSentMessageHook(SentMessageHook hook);

// Called by the window system after it queued a sent message: threads that
// wait for the host run the hook.
STATS_POSIX_API void WakeHostCallWaiters();

// Back to the start: no host object and no queued calls (they fail). The
// hook stays: it belongs to the window system.
STATS_POSIX_API void ResetHostObject();

}  // namespace plat
