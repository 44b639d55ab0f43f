// The link to the running host program's automation object: run a macro,
// read the text of one of its entry fields, read the radio frequency.
//
// Opened, used and closed on the UI thread only. Every call may let the
// thread's messages in while it waits for the host, so a window can close
// during a call. Answers are the host's and are not trusted.
#pragma once

#include <string>

#include "platform/sync.h"

namespace plat {

class HostLink {
  public:
    HostLink();
    // Closes an open link on the thread that opened it; on any other thread
    // it only forgets the host's object, which cannot be released from there.
    ~HostLink();
    HostLink(const HostLink&) = delete;
    HostLink& operator=(const HostLink&) = delete;

    // Connects to the running host; false leaves the link closed. On
    // Windows it enters a single-threaded apartment for the thread.
    bool Open() EXCLUDES(g_engineMutex);
    // Releases the host's object and leaves the thread's apartment. The
    // release is a call to the host too.
    void Close() EXCLUDES(g_engineMutex);
    // Releases the host's object but stays in the apartment: for a thread
    // that ends during the library's unload, where leaving it may need the
    // loader lock that the unloading thread holds.
    void CloseLeavingApartment() EXCLUDES(g_engineMutex);
    bool IsOpen() const;

    // Every call fails when made on another thread than the one that opened
    // the link (the host's object belongs to that thread's apartment).

    // False when the link is closed or the call failed.
    bool RunMacro(const std::string& macro) EXCLUDES(g_engineMutex);
    // The field's text, converted to the ANSI code page; false when the
    // call failed or the answer is not text.
    bool GetFieldText(int field, std::string& text) EXCLUDES(g_engineMutex);
    // The radio frequency in Hz as the host gives it (any double, unchecked).
    bool Frequency(double& hz) EXCLUDES(g_engineMutex);

  private:
    struct Impl;
    Impl* impl_;
};

}  // namespace plat
