#include "platform/posix/item_canvas.h"

namespace plat {
namespace headless {

// No recording canvas yet: owner-drawn items are not painted.
std::unique_ptr<Canvas> NewItemCanvas(const Rect& /*item*/) {
    return nullptr;
}

void KeepItemPaint(const Canvas& /*canvas*/, PaintRecord& /*record*/) {}

}  // namespace headless
}  // namespace plat
