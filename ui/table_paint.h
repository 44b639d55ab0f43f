// The paints of the DXCC and previous-QSO tables: a snapshot of what they
// show, taken under the engine lock, handed to the table control. A paint
// may run while the refresh waits for the host, which never holds the lock
// then, so taking it here cannot deadlock. UI thread only.
#pragma once

#include "controls/qso_table_snapshot.h"
#include "platform/canvas.h"
#include "platform/sync.h"

namespace ui {

// The previous-QSO grid and the current band's DXCC prefixes as UTF-8, the
// call being typed, the band, and whether the previous-QSO window is open.
controls::QsoTableSnapshot TakeTableSnapshot() EXCLUDES(g_engineMutex);

// The previous-QSO window's table. With no call typed it shows "Call", and
// "Call" becomes the current call, as the DXCC window then reads it.
void PaintPrevQsoTable(plat::Canvas& dc, const plat::Rect& item) EXCLUDES(g_engineMutex);

// The DXCC window's table: the band's prefixes, or the previous-QSO grid
// while a call is typed and the previous-QSO window is closed.
void PaintDxccTable(plat::Canvas& dc, const plat::Rect& item) EXCLUDES(g_engineMutex);

}  // namespace ui
