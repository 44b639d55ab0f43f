// Clang's thread-safety attributes behind short names, so that the compiler
// checks which lock guards which data and who may wait while holding it.
// Other compilers see nothing.
#pragma once

#if defined(__clang__)
#define STATS_THREAD_ATTRIBUTE(x) __attribute__((x))
#else
#define STATS_THREAD_ATTRIBUTE(x)
#endif

// A type whose objects are locks.
#define CAPABILITY(name) STATS_THREAD_ATTRIBUTE(capability(name))
// A type whose objects hold or release a lock for their lifetime.
#define SCOPED_CAPABILITY STATS_THREAD_ATTRIBUTE(scoped_lockable)
// Data read and written only with the lock held.
#define GUARDED_BY(lock) STATS_THREAD_ATTRIBUTE(guarded_by(lock))
// A function called only with the lock held.
#define REQUIRES(...) STATS_THREAD_ATTRIBUTE(requires_capability(__VA_ARGS__))
// A function that takes, or lets go of, the lock.
#define ACQUIRE(...) STATS_THREAD_ATTRIBUTE(acquire_capability(__VA_ARGS__))
#define RELEASE(...) STATS_THREAD_ATTRIBUTE(release_capability(__VA_ARGS__))
// A function never called with the lock held: it waits, or takes the lock.
#define EXCLUDES(...) STATS_THREAD_ATTRIBUTE(locks_excluded(__VA_ARGS__))
// A function that returns the given lock.
#define RETURN_CAPABILITY(lock) STATS_THREAD_ATTRIBUTE(lock_returned(lock))
