// A bitmap of the program's resources painted unscaled at the corner of a
// static control of the template (the panel logos); the control clips it.
#pragma once

#include <windows.h>

#include "framework/win32/controls.h"

class CBitmapPicture : public CStatic {
  DECLARE_RUNTIME_CLASS(CBitmapPicture)

 public:
  explicit CBitmapPicture(UINT bitmapId);

  UINT m_bitmapId;

 private:
  void OnPaint();
  // The window's own top-left corner in its client coordinates.
  POINT WindowOrigin() const;

  DECLARE_MESSAGE_MAP(CBitmapPicture)
};
