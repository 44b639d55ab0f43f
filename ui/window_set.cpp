#include "ui/window_set.h"

namespace ui {

std::atomic<plat::WindowId> g_setupPanel{0};
std::atomic<plat::WindowId> g_dxccWindow{0};
std::atomic<plat::WindowId> g_countyWindow{0};
std::atomic<plat::WindowId> g_prevQsoWindow{0};
std::atomic<bool> g_onTop{false};
std::atomic<bool> prevQsoWindowOpen{false};
int g_savedX = 0;
int g_savedY = 0;

void ResetWindowSet() {
    for (std::atomic<plat::WindowId>* ref :
         {&g_setupPanel, &g_dxccWindow, &g_countyWindow, &g_prevQsoWindow}) {
        ref->store(0);
    }
    g_onTop = false;
    prevQsoWindowOpen = false;
    g_savedX = 0;
    g_savedY = 0;
}

}  // namespace ui
