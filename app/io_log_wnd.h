// The I/O log window: a modeless, resizable window owned by the main window
// with the log's calls in a list, newest last, and its commands. It takes no
// part in the panel protocol; its place and size are kept for the rest of the
// run.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/win32/dialog.h"

struct CIoRecord;

class CIoLogWnd : public CDialog {
  DECLARE_RUNTIME_CLASS(CIoLogWnd)

 public:
  // Opens the window; `onClosed` runs when it has gone, however it was closed.
  static CIoLogWnd* Open(CWnd* owner, std::function<void()> onClosed);
  void Close();

  // The list redraws at most this often, however fast the calls come.
  static constexpr UINT kRedrawMs = 100;

 protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;
  void PostNcDestroy() override;

 private:
  CIoLogWnd(CWnd* owner, std::function<void()> onClosed);
  LRESULT OnSize(WPARAM, LPARAM);
  LRESULT OnGetMinMaxInfo(WPARAM, LPARAM);
  // The outer size that keeps every button, a few rows and the details line whole.
  SIZE MinimumSize() const;
  // Opens beside the owner, or below it, where the work area has room.
  void PlaceBesideOwner();
  LRESULT OnNotify(WPARAM, LPARAM);
  void OnTimer(UINT_PTR id);
  void OnClear();
  void OnCopy();
  void OnCopyScript();
  void OnSaveAs();
  void OnLogToFile();
  // The list's row count and the note line, when the log has changed.
  void Refresh(bool always = false);
  std::vector<const CIoRecord*> Rows(bool selectedOnly) const;
  // The whole text of every cell of the focused row, under the list.
  void ShowDetails();
  HWND List() const;

  std::function<void()> m_onClosed;
  unsigned long long m_shownVersion = ~0ull;

  DECLARE_MESSAGE_MAP(CIoLogWnd)
};

// From now on every driver call is also appended to the file (UTF-8 path); a
// box says why when it cannot be opened.
void LogCallsToFile(const std::string& path);
