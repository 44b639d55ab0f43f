// Drawing with GDI. Every brush is created and deleted within one operation;
// pens live from CreatePen to DeletePen, which the caller pairs within a
// paint. Failed creations are not reported: the drawing of that paint is
// left undone and the next paint starts afresh.
#include "platform/win32/gdi_canvas.h"

#include "platform/win32/wide_text.h"

namespace plat {
namespace {

RECT ToRect(const Rect& r) {
    RECT rc;
    rc.left = r.left;
    rc.top = r.top;
    rc.right = r.right;
    rc.bottom = r.bottom;
    return rc;
}

void FillWithBrush(HDC dc, const RECT& rc, Colour c) {
    HBRUSH brush = CreateSolidBrush(c);
    if (brush == nullptr) {
        return;
    }
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

void FillBox(HDC dc, int left, int top, int right, int bottom, Colour c) {
    if (right <= left || bottom <= top) {
        return;
    }
    RECT rc;
    rc.left = left;
    rc.top = top;
    rc.right = right;
    rc.bottom = bottom;
    FillWithBrush(dc, rc, c);
}

}  // namespace

GdiCanvas::~GdiCanvas() {
    if (!owned_) {
        return;
    }
    if (dc_ != nullptr && surface_.previousBitmap != nullptr) {
        SelectObject(dc_, surface_.previousBitmap);
    }
    if (surface_.bitmap != nullptr) {
        DeleteObject(surface_.bitmap);
    }
    if (dc_ != nullptr) {
        DeleteDC(dc_);
    }
}

void GdiCanvas::FillSolidRect(const Rect& r, Colour c) {
    FillWithBrush(dc_, ToRect(r), c);
}

void GdiCanvas::Draw3dRect(const Rect& r, Colour topLeft, Colour bottomRight) {
    // Top and left stop one pixel short, so the top-right and bottom-left
    // corners belong to the right and bottom edges.
    FillBox(dc_, r.left, r.top, r.right - 1, r.top + 1, topLeft);
    FillBox(dc_, r.left, r.top, r.left + 1, r.bottom - 1, topLeft);
    FillBox(dc_, r.right - 1, r.top, r.right, r.bottom, bottomRight);
    FillBox(dc_, r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
}

void GdiCanvas::DrawFocusRect(const Rect& r) {
    const RECT rc = ToRect(r);
    ::DrawFocusRect(dc_, &rc);
}

PenId GdiCanvas::CreatePen(PenStyle style, int width, Colour c) {
    const int gdiStyle = style == PenStyle::kDot ? PS_DOT : PS_SOLID;
    return reinterpret_cast<PenId>(::CreatePen(gdiStyle, width, c));
}

PenId GdiCanvas::SelectPen(PenId pen) {
    if (pen == 0) {
        return 0;
    }
    return reinterpret_cast<PenId>(SelectObject(dc_, FromInteger<HGDIOBJ>(pen)));
}

void GdiCanvas::DeletePen(PenId pen) {
    if (pen != 0) {
        DeleteObject(FromInteger<HGDIOBJ>(pen));
    }
}

void GdiCanvas::Ellipse(const Rect& r) {
    ::Ellipse(dc_, r.left, r.top, r.right, r.bottom);
}

Colour GdiCanvas::SetTextColour(Colour c) {
    return ::SetTextColor(dc_, c);
}

BackgroundMode GdiCanvas::SetBackgroundMode(BackgroundMode m) {
    const int previous = SetBkMode(dc_, m == BackgroundMode::kTransparent ? TRANSPARENT : OPAQUE);
    return previous == TRANSPARENT ? BackgroundMode::kTransparent : BackgroundMode::kOpaque;
}

Colour GdiCanvas::SetBackgroundColour(Colour c) {
    return SetBkColor(dc_, c);
}

void GdiCanvas::DrawCentredText(const Rect& r, const std::string& text) {
    std::wstring wide = Utf8ToWide(text);
    RECT rc = ToRect(r);
    DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rc,
              DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

void GdiCanvas::TextOut(int x, int y, const std::string& text) {
    const std::wstring wide = Utf8ToWide(text);
    ::TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

Rect GdiCanvas::ClipBox() const {
    RECT rc = {0, 0, 0, 0};
    if (GetClipBox(dc_, &rc) == ERROR) {
        return Rect{};
    }
    return Rect{rc.left, rc.top, rc.right, rc.bottom};
}

bool GdiCanvas::IsPrinter() const {
    return GetDeviceCaps(dc_, TECHNOLOGY) == DT_RASPRINTER;
}

std::unique_ptr<Canvas> GdiCanvas::CreateOffscreen(const Rect& area) {
    Surface surface;
    HDC memoryDc = CreateCompatibleDC(dc_);
    if (memoryDc != nullptr && !area.IsEmpty()) {
        surface.bitmap = CreateCompatibleBitmap(dc_, area.Width(), area.Height());
        if (surface.bitmap != nullptr) {
            surface.previousBitmap = SelectObject(memoryDc, surface.bitmap);
        }
        SetWindowOrgEx(memoryDc, area.left, area.top, nullptr);
    }
    // Even a failed surface is a canvas: its drawing goes nowhere.
    return std::unique_ptr<Canvas>(new GdiCanvas(memoryDc, surface));
}

void GdiCanvas::CopyFrom(Canvas& offscreen, const Rect& area) {
    auto* source = dynamic_cast<GdiCanvas*>(&offscreen);
    if (source == nullptr || source->dc_ == nullptr || source->dc_ == dc_ || area.IsEmpty()) {
        return;
    }
    BitBlt(dc_, area.left, area.top, area.Width(), area.Height(), source->dc_, area.left, area.top,
           SRCCOPY);
}

}  // namespace plat
