#include "ui/dialog_tables.h"

#include "scoring/contest_lists.h"

namespace ui {
namespace {

using plat::ControlKind;
using plat::ControlTemplate;
using plat::DialogTemplate;

constexpr std::uint32_t kClipChildren = 0x02000000;   // WS_CLIPCHILDREN
constexpr std::uint32_t kClipSiblings = 0x04000000;   // WS_CLIPSIBLINGS
constexpr std::uint32_t kOwnerDraw = 0x0000000B;      // BS_OWNERDRAW
constexpr std::uint32_t kExTransparent = 0x00000020;  // WS_EX_TRANSPARENT

constexpr std::uint32_t kToolWindowStyle =
    plat::kDialogPopup | plat::kDialogCaption | plat::kDialogSysMenu | plat::kDialogModalFrame;

DialogTemplate Dialog(int id, const char* caption, int cx, int cy, std::uint32_t style,
                      std::uint32_t exStyle) {
    DialogTemplate t;
    t.id = id;
    t.caption = caption;
    t.cx = cx;
    t.cy = cy;
    t.style = style;
    t.exStyle = exStyle;
    return t;
}

DialogTemplate MakeSetupPanel() {
    DialogTemplate t = Dialog(kSetupTemplate, "Setup YU DX HF", 177, 67, kToolWindowStyle,
                              plat::kExStyleClientEdge);
    const std::uint32_t tab = plat::kStyleTabStop;
    t.controls = {
        plat::MakeControl(kIdModeLabel, ControlKind::kStatic, "Mode", 30, 5, 45, 9,
                          plat::kStyleGroup),
        plat::MakeControl(kIdViewLabel, ControlKind::kStatic, "View", 97, 5, 62, 9,
                          plat::kStyleGroup),
        plat::MakeControl(kIdCwButton, ControlKind::kPushButton, "CW", 20, 19, 34, 15, tab,
                          plat::kExStyleStaticEdge),
        plat::MakeControl(kIdSsbButton, ControlKind::kPushButton, "SSB", 20, 37, 34, 16, tab,
                          plat::kExStyleStaticEdge),
        plat::MakeControl(kIdDxccBox, ControlKind::kCheckBox, "DXCC", 86, 17, 62, 8, tab),
        plat::MakeControl(kIdCountyBox, ControlKind::kCheckBox, "YU/YT County", 86, 28, 62, 8, tab),
        plat::MakeControl(kIdPrevQsoBox, ControlKind::kCheckBox, "Previous QSO", 86, 39, 78, 8,
                          tab),
        plat::MakeControl(kIdOnTopBox, ControlKind::kCheckBox, "Window on top", 86, 50, 62, 8, tab),
    };
    return t;
}

DialogTemplate MakeDxccWindow() {
    DialogTemplate t = Dialog(kDxccTemplate, "Multiplier", 245, 134,
                              kToolWindowStyle | kClipChildren | kClipSiblings, 0);
    t.controls = {plat::MakeControl(kIdDxccTable, ControlKind::kPushButton, "Button1", 1, 2, 243,
                                    131, kOwnerDraw, plat::kExStyleClientEdge | kExTransparent)};
    return t;
}

DialogTemplate MakeCountyWindow() {
    DialogTemplate t = Dialog(kCountyTemplate, "YU/YT County", 197, 110, kToolWindowStyle,
                              plat::kExStyleClientEdge);
    // Five rows of six; the last row sits one unit further right.
    static const int kRowY[5] = {8, 28, 49, 71, 91};
    for (int i = 0; i < kCountyCount; ++i) {
        const int row = i / 6;
        const int column = i % 6;
        const int x = 17 + 28 * column + (row == 4 ? 1 : 0);
        const int width = std::string(g_countyCodes[i]) == "POM" ? 26 : 25;
        t.controls.push_back(plat::MakeControl(kIdFirstCounty + i, ControlKind::kCheckBox,
                                               g_countyCodes[i], x, kRowY[row], width, 13,
                                               plat::kStyleTabStop));
    }
    return t;
}

DialogTemplate MakePrevQsoWindow() {
    DialogTemplate t = Dialog(kPrevQsoTemplate, "Previous  QSO", 249, 126, kToolWindowStyle, 0);
    t.controls = {plat::MakeControl(kIdPrevQsoTable, ControlKind::kPushButton, "Button1", 2, 2, 245,
                                    121, kOwnerDraw, plat::kExStyleClientEdge | kExTransparent)};
    return t;
}

}  // namespace

DialogTemplate SetupPanelTemplate() {
    return MakeSetupPanel();
}

DialogTemplate DxccWindowTemplate() {
    return MakeDxccWindow();
}

DialogTemplate CountyWindowTemplate() {
    return MakeCountyWindow();
}

DialogTemplate PrevQsoWindowTemplate() {
    return MakePrevQsoWindow();
}

}  // namespace ui
