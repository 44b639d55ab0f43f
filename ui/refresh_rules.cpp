#include "ui/refresh_rules.h"

#include <cmath>
#include <cstdint>

namespace ui {

namespace {

constexpr double kHzPerMegahertz = 1000000.0;
constexpr double kSp1StepHz = 300.0;

}  // namespace

bool IsUsableFrequency(double hz) {
    // 2^31 megahertz: the first whole megahertz a 32-bit signed value cannot
    // hold. NaN fails every comparison, so it is refused too.
    constexpr double kLimitMegahertz = 2147483648.0;
    return hz >= 0.0 && hz / kHzPerMegahertz < kLimitMegahertz;
}

int BandOfFrequency(double hz) {
    if (!IsUsableFrequency(hz)) {
        return kNoBand;
    }
    // In range, so the conversion truncates toward zero without overflow.
    const auto megahertz = static_cast<int64_t>(hz / kHzPerMegahertz);
    for (int band = 0; band < kBandSlots; ++band) {
        if (kBandSlotMegahertz[band] == megahertz) {
            return band;
        }
    }
    return kNoBand;
}

bool ShouldSendSp1(double hz, double lastSp1Hz) {
    return IsUsableFrequency(hz) && std::fabs(hz - lastSp1Hz) > kSp1StepHz;
}

std::vector<int> CountiesToMark(const std::vector<std::string>& bandCounties,
                                const CountyMarks& marked) {
    CountyMarks marks = marked;
    std::vector<int> newly;
    for (const std::string& code : bandCounties) {
        for (int k = 0; k < kCountyCount; ++k) {
            if (!marks[static_cast<size_t>(k)] && code == g_countyCodes[k]) {
                marks[static_cast<size_t>(k)] = true;
                newly.push_back(k);
            }
        }
    }
    return newly;
}

}  // namespace ui
