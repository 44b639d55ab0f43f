// The canvas an owner-drawn item of a headless window paints on, and what
// the driver keeps of each paint.
#pragma once

#include <memory>

#include "platform/canvas.h"
#include "platform/posix/headless_windows.h"

namespace plat {
namespace headless {

// A fresh canvas for painting an item whose rectangle is `item`; null when
// paints cannot be recorded.
std::unique_ptr<Canvas> NewItemCanvas(const Rect& item);

// Copies what the paint drew on `canvas` (made by NewItemCanvas) into
// `record`.
void KeepItemPaint(const Canvas& canvas, PaintRecord& record);

}  // namespace headless
}  // namespace plat
