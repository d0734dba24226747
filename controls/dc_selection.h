// A pen or brush made for one scope of a paint: selected into the device
// context at once, and at the end of the scope the previous object goes back
// and this one is deleted, so that no paint leaves a GDI object behind.
#pragma once

#include <windows.h>

class CDcSelection {
 public:
  CDcSelection(HDC dc, HGDIOBJ madeForTheScope);
  ~CDcSelection();
  CDcSelection(const CDcSelection&) = delete;
  CDcSelection& operator=(const CDcSelection&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_object;
  HGDIOBJ m_previous;
};

// A solid pen of the width in pixels.
CDcSelection UsePen(HDC dc, int width, COLORREF colour);
CDcSelection UseBrush(HDC dc, COLORREF colour);
