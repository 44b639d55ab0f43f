// What the claimed pass of one log has found so far, shared between the
// worker that scores it and the worker that runs its checked pass on the
// other core at the same time: a QSO's verdict needs only the scoring of
// its own log's lines, so the checked pass follows close behind instead of
// waiting for the whole log.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "host/cross_check/qso_status.h"
#include "host/cross_check/worker_pool.h"

namespace host {

class PassTrail {
  public:
    // For a log of qsos QSOs; made before the workers start.
    explicit PassTrail(size_t qsos);

    // The claimed pass: the QSO's status, then one more told.
    void Tell(size_t qso, QsoStatus status);
    // The claimed pass failed, or its worker ended: whoever waits gives up.
    void Stop();

    // The checked pass: whether told QSOs are told already, and waiting
    // until they are; false when the claimed pass stopped first.
    bool Told(uint64_t told) const { return told_->load(std::memory_order_acquire) >= told; }
    bool WaitFor(uint64_t told) const;
    // A QSO's status, once told.
    QsoStatus Of(size_t qso) const { return status_[qso]; }

  private:
    SharedMemory memory_;
    std::atomic<uint64_t>* told_;
    std::atomic<uint32_t>* stopped_;
    QsoStatus* status_;
};

}  // namespace host
