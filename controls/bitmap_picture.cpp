#include "controls/bitmap_picture.h"

#include "framework/win32/win_app.h"

IMPLEMENT_RUNTIME_CLASS(CBitmapPicture, CStatic)

BEGIN_MESSAGE_MAP(CBitmapPicture, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

CBitmapPicture::CBitmapPicture(UINT bitmapId) : m_bitmapId(bitmapId) {}

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
  HBITMAP bitmap = ::LoadBitmapA(GetApp()->m_hInstance, MAKEINTRESOURCEA(m_bitmapId));
  if (bitmap != nullptr) {
    BITMAP size = {};
    ::GetObjectA(bitmap, sizeof size, &size);
    HDC source = ::CreateCompatibleDC(dc);
    HGDIOBJ previous = ::SelectObject(source, bitmap);
    const POINT origin = WindowOrigin();
    ::BitBlt(dc, origin.x, origin.y, size.bmWidth, size.bmHeight, source, 0, 0, SRCCOPY);
    ::SelectObject(source, previous);
    ::DeleteDC(source);
    ::DeleteObject(bitmap);
  }
  ::EndPaint(m_hWnd, &paint);
}
