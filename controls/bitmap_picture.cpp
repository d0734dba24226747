#include "controls/bitmap_picture.h"

#include "framework/win32/display_scale.h"
#include "framework/win32/win_app.h"

IMPLEMENT_RUNTIME_CLASS(CBitmapPicture, CStatic)

BEGIN_MESSAGE_MAP(CBitmapPicture, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {
HBITMAP LoadBitmapResource(UINT id) {
  return ::LoadBitmapA(GetApp()->m_hInstance, MAKEINTRESOURCEA(id));
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP description = {};
  ::GetObjectA(bitmap, sizeof description, &description);
  return {description.bmWidth, description.bmHeight};
}
}  // namespace

CBitmapPicture::CBitmapPicture(UINT bitmapId) : m_bitmapId(bitmapId) {}

void CBitmapPicture::SetScaledBitmaps(UINT at150, UINT at200) {
  m_at150 = at150;
  m_at200 = at200;
}

UINT CBitmapPicture::BitmapFor(UINT dpi) const {
  if (dpi <= kDefaultDpi || m_at150 == 0) return m_bitmapId;
  return dpi <= 3 * kDefaultDpi / 2 || m_at200 == 0 ? m_at150 : m_at200;
}

SIZE CBitmapPicture::PaintedSize(UINT dpi) const {
  HBITMAP bitmap = LoadBitmapResource(m_bitmapId);
  if (bitmap == nullptr) return {0, 0};
  const SIZE at96 = BitmapSize(bitmap);
  ::DeleteObject(bitmap);
  return {AtDpi(at96.cx, dpi), AtDpi(at96.cy, dpi)};
}

POINT CBitmapPicture::WindowOrigin() const {
  RECT window;
  ::GetWindowRect(m_hWnd, &window);
  POINT origin = {window.left, window.top};
  ::ScreenToClient(m_hWnd, &origin);
  return origin;
}

void CBitmapPicture::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(m_hWnd, &paint);
  const UINT dpi = WindowDpi(m_hWnd);
  if (HBITMAP bitmap = LoadBitmapResource(BitmapFor(dpi))) {
    const SIZE size = BitmapSize(bitmap);
    const SIZE painted = PaintedSize(dpi);
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ previous = ::SelectObject(source, bitmap);
    const POINT origin = WindowOrigin();
    if (size.cx == painted.cx && size.cy == painted.cy) {
      ::BitBlt(dc, origin.x, origin.y, size.cx, size.cy, source, 0, 0, SRCCOPY);
    } else {
      // Between the scales the bitmaps are drawn for (125 %): the larger one, shrunk.
      ::SetStretchBltMode(dc, HALFTONE);
      ::SetBrushOrgEx(dc, 0, 0, nullptr);
      ::StretchBlt(dc, origin.x, origin.y, painted.cx, painted.cy, source, 0, 0, size.cx,
                   size.cy, SRCCOPY);
    }
    ::SelectObject(source, previous);
    ::DeleteDC(source);
    ::DeleteObject(bitmap);
  }
  ::EndPaint(m_hWnd, &paint);
}
