// A host automation object for native tests: answers the field and the
// frequency with values the test sets, records every macro and the thread
// each call ran on. Register it with plat::RegisterHostObject on the thread
// that plays the host. Header-only, so any test binary can use it.
#pragma once

#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/host_object.h"

namespace testing_support {

class RecordingHost : public plat::HostObject {
  public:
    bool RunMacro(const std::string& macro) override {
        std::lock_guard<std::mutex> lock(mutex_);
        threads_.push_back(std::this_thread::get_id());
        macros_.push_back(macro);
        return macroSucceeds_;
    }
    std::optional<plat::HostValue> GetFieldText(int field) override {
        std::lock_guard<std::mutex> lock(mutex_);
        threads_.push_back(std::this_thread::get_id());
        fields_.push_back(field);
        if (throws_) {
            throw std::runtime_error("host fault");
        }
        return field_;
    }
    std::optional<plat::HostValue> Frequency() override {
        std::lock_guard<std::mutex> lock(mutex_);
        threads_.push_back(std::this_thread::get_id());
        return frequency_;
    }

    // The answers; no value makes the call fail.
    void SetField(std::optional<plat::HostValue> answer) {
        std::lock_guard<std::mutex> lock(mutex_);
        field_ = std::move(answer);
    }
    void SetFrequency(std::optional<plat::HostValue> answer) {
        std::lock_guard<std::mutex> lock(mutex_);
        frequency_ = std::move(answer);
    }
    void SetMacroSucceeds(bool succeeds) {
        std::lock_guard<std::mutex> lock(mutex_);
        macroSucceeds_ = succeeds;
    }
    // GetFieldText throws, as a faulty host object might.
    void SetThrows(bool throws) {
        std::lock_guard<std::mutex> lock(mutex_);
        throws_ = throws;
    }

    std::vector<std::string> Macros() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return macros_;
    }
    void ClearMacros() {
        std::lock_guard<std::mutex> lock(mutex_);
        macros_.clear();
    }
    std::vector<int> Fields() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return fields_;
    }
    // The thread of every call so far, in order.
    std::vector<std::thread::id> Threads() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return threads_;
    }

  private:
    mutable std::mutex mutex_;
    bool macroSucceeds_ = true;
    bool throws_ = false;
    std::optional<plat::HostValue> field_ = plat::HostValue(std::string("YU1AA"));
    std::optional<plat::HostValue> frequency_ = plat::HostValue(14025000.0);
    std::vector<std::string> macros_;
    std::vector<int> fields_;
    std::vector<std::thread::id> threads_;
};

}  // namespace testing_support
