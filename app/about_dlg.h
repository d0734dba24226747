// The About box.
#pragma once

#include "framework/win32/dialog.h"

class CAboutDlg : public CDialog {
  DECLARE_RUNTIME_CLASS(CAboutDlg)

 public:
  explicit CAboutDlg(CWnd* parent);
};
