// The layouts of the plug-in's four windows, as data: the Setup panel
// (104), the DXCC window (105), the county window (106) and the
// previous-QSO window (108).
#pragma once

#include "platform/dialog.h"

namespace ui {

// Template numbers.
constexpr int kSetupTemplate = 104;
constexpr int kDxccTemplate = 105;
constexpr int kCountyTemplate = 106;
constexpr int kPrevQsoTemplate = 108;

// The icon of every window.
constexpr int kWindowIcon = 107;

// Setup panel controls.
constexpr int kIdCwButton = 1004;
constexpr int kIdSsbButton = 1007;
constexpr int kIdViewLabel = 1015;
constexpr int kIdDxccBox = 1016;
constexpr int kIdCountyBox = 1017;
constexpr int kIdOnTopBox = 1018;
constexpr int kIdModeLabel = 1019;
constexpr int kIdPrevQsoBox = 1020;

// The owner-drawn tables of the DXCC and previous-QSO windows.
constexpr int kIdDxccTable = 1004;
constexpr int kIdPrevQsoTable = 1007;

// The county window's buttons: county i (in the fixed county order) is
// control kIdFirstCounty + i.
constexpr int kIdFirstCounty = 1016;

// Built afresh on each call: no static object of the library outlives the
// windows' needs at process exit.
plat::DialogTemplate SetupPanelTemplate();
plat::DialogTemplate DxccWindowTemplate();
plat::DialogTemplate CountyWindowTemplate();
plat::DialogTemplate PrevQsoWindowTemplate();

}  // namespace ui
