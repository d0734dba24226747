// Dialogs built from .rc DIALOG templates (dialog units, combo-box lists from
// the template's initialisation data), modal or modeless.
#pragma once

#include "framework/win32/wnd.h"

class CDialog : public CWnd {
  DECLARE_RUNTIME_CLASS(CDialog)

 public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);

  // Modal: runs until EndDialog; returns its result (IDOK, IDCANCEL).
  INT_PTR DoModal();
  // Modeless: creates the dialog as a child or owned window of the parent.
  bool Create();
  void EndDialog(int result);

  bool IsModeless() const { return !m_modal; }
  UINT GetTemplateId() const { return m_templateId; }

  // Keyboard navigation (Tab, Enter, Escape) of a modeless dialog.
  virtual bool PreTranslateMessage(MSG& msg);

 protected:
  virtual BOOL OnInitDialog();
  // The default command (Enter) and the cancel command (Escape).
  virtual void OnOK();
  virtual void OnCancel();

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  CWnd* m_pParent;

 private:
  void OnOkCommand() { OnOK(); }
  void OnCancelCommand() { OnCancel(); }
  static INT_PTR CALLBACK InitDialogProc(HWND, UINT, WPARAM, LPARAM);
  void ExecuteDialogInit();

  UINT m_templateId;
  bool m_modal = false;

  DECLARE_MESSAGE_MAP(CDialog)
};
