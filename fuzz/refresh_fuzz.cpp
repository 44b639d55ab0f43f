#include "fuzz/refresh_fuzz.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "fuzz/invariants.h"
#include "platform/sync.h"
#include "scoring/engine_state.h"
#include "ui/live_refresh.h"

namespace fuzzrefresh {

namespace {

using fuzzcheck::Fail;
using fuzzcheck::Visible;

const double kFrequencies[] = {14025000.0,
                               14025300.0,
                               14025301.0,
                               7010000.0,
                               5300000.0,
                               1999999.999,
                               0.0,
                               -0.0,
                               -14025000.0,
                               2147483647.0 * 1e6,
                               2147483648.0 * 1e6,
                               1e300,
                               std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::denorm_min(),
                               std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity()};
const char* const kCalls[] = {"", "D", "DL", "DL2", "DL2BBB", "YU1AAA", "yu1aaa", "Call", "%s%n"};

class HostileHost : public ui::RefreshHost {
  public:
    explicit HostileHost(FuzzedDataProvider& in) : in_(in) {}
    bool IsConnected() override { return connected_; }
    bool GetFieldText(int /*field*/, std::string& text) override {
        answeredCall = in_.ConsumeIntegralInRange(0, 5) != 0;
        switch (in_.ConsumeIntegralInRange(0, 3)) {
            case 0:
                text = std::string(in_.ConsumeIntegralInRange<size_t>(1000, 20000), 'W');
                break;
            case 1:
                text = in_.ConsumeRandomLengthString(40);
                break;
            default:
                text = in_.PickValueInArray(kCalls);
                break;
        }
        return answeredCall;
    }
    bool Frequency(double& hz) override {
        askedFrequency = true;
        answeredFrequency = in_.ConsumeIntegralInRange(0, 7) != 0;
        hz = in_.ConsumeBool() ? in_.PickValueInArray(kFrequencies)
                               : in_.ConsumeFloatingPoint<double>();
        frequency = hz;
        return answeredFrequency;
    }
    bool RunMacro(const std::string& macro) override {
        macros.push_back(macro);
        return in_.ConsumeBool();
    }

    bool connected_ = true;
    bool answeredCall = false;
    bool askedFrequency = false;
    bool answeredFrequency = false;
    double frequency = 0.0;
    std::vector<std::string> macros;

  private:
    FuzzedDataProvider& in_;
};

// Windows that may be open or closed at every look; the county marks are
// kept from one refresh to the next, as the window keeps them.
class FlickeringWindows : public ui::RefreshWindows {
  public:
    explicit FlickeringWindows(FuzzedDataProvider& in) : in_(in) {}
    void OpenRequestedWindows() override {}
    bool PrevQsoWindowOpen() override { return in_.ConsumeBool(); }
    void SetPrevQsoCaption(const std::string& text) override { captions.push_back(text); }
    void RepaintPrevQsoTable() override {}
    bool DxccWindowExists() override { return in_.ConsumeBool(); }
    void SetDxccCaption(const std::string& text) override { captions.push_back(text); }
    void RepaintDxccTable() override {}
    bool CountyWindowExists() override { return countyOpen = in_.ConsumeBool(); }
    void SetCountyCaption(const std::string& text) override { captions.push_back(text); }
    void ResetCountyMarks() override { Marks() = ui::CountyMarks(); }
    ui::CountyMarks CountyMarksNow() override { return Marks(); }
    void MarkCounty(int k) override {
        if (k < 0 || k >= kCountyCount || Marks()[static_cast<size_t>(k)]) {
            Fail("a county marked twice or out of range", std::to_string(k));
        }
        Marks()[static_cast<size_t>(k)] = true;
    }

    static ui::CountyMarks& Marks() {
        static ui::CountyMarks marks{};
        return marks;
    }

    bool countyOpen = false;
    std::vector<std::string> captions;

  private:
    FuzzedDataProvider& in_;
};

}  // namespace

void RefreshWithHostileHost(FuzzedDataProvider& in) {
    HostileHost host(in);
    host.connected_ = in.ConsumeIntegralInRange(0, 15) != 0;
    FlickeringWindows windows(in);
    const ui::LiveState before = ui::Live();
    g_refreshPending.store(0);

    ui::RunRefresh(host, windows);

    const ui::LiveState& after = ui::Live();
    if (g_refreshPending.load() != 1) {
        Fail("the refresh left g_refreshPending lowered");
    }
    if (!host.connected_) {
        return;
    }
    if (!host.answeredCall && !after.currentCall.empty()) {
        Fail("a call the host did not give", Visible(after.currentCall.substr(0, 80)));
    }
    const bool sp1Due = host.answeredFrequency && ui::IsUsableFrequency(host.frequency) &&
                        std::fabs(host.frequency - before.lastSp1Hz) > 300.0;
    if (host.macros.size() != (sp1Due ? 1u : 0u) ||
        (sp1Due && (host.macros[0] != ui::kSp1Macro || after.lastSp1Hz != host.frequency))) {
        Fail("<SP1> sent where it must not be, or not sent",
             std::to_string(host.frequency) + " after " + std::to_string(before.lastSp1Hz));
    }
    const int band = host.answeredFrequency ? ui::BandOfFrequency(host.frequency) : kNoBand;
    const int expectedBand = band == kNoBand ? before.currentBandIndex : band;
    if (after.currentBandIndex != expectedBand) {
        Fail("the band does not follow the frequency", std::to_string(after.currentBandIndex));
    }
    if (band != kNoBand && windows.countyOpen) {
        plat::LockGuard lock(EngineLock());
        for (const std::string& code : g_countyByBand[static_cast<size_t>(band)]) {
            for (int k = 0; k < kCountyCount; ++k) {
                if (code == g_countyCodes[k] &&
                    !FlickeringWindows::Marks()[static_cast<size_t>(k)]) {
                    Fail("a county of the band's list left unmarked", code);
                }
            }
        }
    }
    for (const std::string& caption : windows.captions) {
        if (caption.find("worked with ") != std::string::npos &&
            caption.find(after.currentCall) == std::string::npos) {
            Fail("a caption lost part of the call");
        }
    }
}

}  // namespace fuzzrefresh
