// A bitmap of the program's resources painted at the corner of a static
// control of the template (the panel logos); the control clips it. On a screen
// of another scale than 100 % the picture is painted that much larger, from
// the bitmap drawn for 150 % or 200 % that is the nearest at least as large.
#pragma once

#include <windows.h>

#include "framework/win32/controls.h"

class CBitmapPicture : public CStatic {
  DECLARE_RUNTIME_CLASS(CBitmapPicture)

 public:
  explicit CBitmapPicture(UINT bitmapId);

  // The same picture drawn for screens at 150 % and 200 %.
  void SetScaledBitmaps(UINT at150, UINT at200);
  // The size the picture is painted at on a screen of `dpi`.
  SIZE PaintedSize(UINT dpi) const;

  UINT m_bitmapId;

 private:
  void OnPaint();
  // The window's own top-left corner in its client coordinates.
  POINT WindowOrigin() const;
  // The bitmap to paint at `dpi`.
  UINT BitmapFor(UINT dpi) const;

  UINT m_at150 = 0;
  UINT m_at200 = 0;

  DECLARE_MESSAGE_MAP(CBitmapPicture)
};
