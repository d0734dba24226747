// The application object: start-up hook, message loop, final clean-up.
#pragma once

#include <string>

#include "framework/win32/wnd.h"

class CWinApp : public CObject {
  DECLARE_RUNTIME_CLASS(CWinApp)

 public:
  CWinApp();
  ~CWinApp() override;

  // Start-up; false ends the program before the message loop.
  virtual bool InitInstance();
  // Runs the message loop until the main window has gone; returns the exit code.
  virtual int Run();
  // Keyboard handling of the windows the message is for, innermost first.
  bool PreTranslateMessage(MSG& msg);

  // Sets the instance, command line and application title (string m_titleId).
  void Startup(HINSTANCE instance, const char* commandLine);

  HINSTANCE m_hInstance = nullptr;
  std::string m_commandLine;  // the text after the program name
  std::string m_title;        // caption of the standard message box
  UINT m_iconId = 0;
  UINT m_titleId = 0;  // the string of the application title
  CWnd* m_pMainWnd = nullptr;
};

CWinApp* GetApp();

// A text of the string table ("" when it has none).
std::string LoadText(UINT id);
// String `formatId` with its %s filled in by `first`, `second` and `third`.
std::string LoadFormatted(UINT formatId, const std::string& first, const std::string& second = "",
                          const std::string& third = "");

// The standard message box: the text, an OK button, the exclamation icon and the
// application title, owned by the main window.
int StandardMessageBox(const std::string& text);
