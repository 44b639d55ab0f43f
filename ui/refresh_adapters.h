// The live refresh connected to the panel's host link and to the thread's
// DXCC, county and previous-QSO windows. UI thread only.
#pragma once

#include <functional>
#include <string>

#include "platform/host_link.h"
#include "ui/info_windows.h"
#include "ui/live_refresh.h"

namespace ui {

// The host's automation object through the panel's link.
class LinkedHost : public RefreshHost {
  public:
    explicit LinkedHost(plat::HostLink& link) : link_(link) {}
    bool IsConnected() override { return link_.IsOpen(); }
    bool GetFieldText(int field, std::string& text) override {
        return link_.GetFieldText(field, text);
    }
    bool Frequency(double& hz) override { return link_.Frequency(hz); }
    bool RunMacro(const std::string& macro) override { return link_.RunMacro(macro); }

  private:
    plat::HostLink& link_;
};

// The thread's windows. Each call finds its window afresh, so one closed
// during a host call is simply left out. Captions arrive as 8-bit text
// (code page 1251 for the Russian words) and are shown as UTF-8.
class RefreshedWindows : public RefreshWindows {
  public:
    // openRequested creates the windows the panel's view choices ask for.
    RefreshedWindows(InfoWindows& windows, std::function<void()> openRequested)
        : windows_(windows), openRequested_(std::move(openRequested)) {}

    void OpenRequestedWindows() override { openRequested_(); }
    bool PrevQsoWindowOpen() override;
    void SetPrevQsoCaption(const std::string& text) override;
    void RepaintPrevQsoTable() override;
    bool DxccWindowExists() override;
    void SetDxccCaption(const std::string& text) override;
    void RepaintDxccTable() override;
    bool CountyWindowExists() override;
    void SetCountyCaption(const std::string& text) override;
    void ResetCountyMarks() override;
    CountyMarks CountyMarksNow() override;
    void MarkCounty(int k) override;

  private:
    InfoWindows& windows_;
    std::function<void()> openRequested_;
};

}  // namespace ui
