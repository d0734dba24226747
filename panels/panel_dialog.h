// The dialog of a panel: a modeless child of the main window, created from its
// template when the panel is shown, deleting itself when its window is gone.
#pragma once

#include <string>

#include "framework/win32/dialog.h"
#include "framework/win32/proportional_layout.h"

class CPanel;

class CPanelDialog : public CDialog {
  DECLARE_RUNTIME_CLASS(CPanelDialog)

 public:
  CPanelDialog(UINT templateId, CPanel* owner);

  // Creates the window, puts its Tab order in reading order and focuses its
  // first control. When that fails, the caller deletes the object, even
  // if the window had been made and destroyed again during initialisation.
  bool Create();

  // Shows the remembered state again in every control.
  virtual void UpdateControls();
  // The main window has moved to a screen of another scale: the panel is laid
  // out and drawn again at `dpi`, and the main window fitted to it.
  void ScaleTo(UINT dpi);

 protected:
  // Lays the panel out at its screen's scale and fits the main window to it,
  // then the panel's own set-up follows.
  BOOL OnInitDialog() override;
  void PostNcDestroy() override;
  void OnOK() override;
  // The paint handler of a panel whose whole background is one colour.
  void PaintBackground(COLORREF colour);

  // The names under which the I/O log keeps the driver calls of an operator
  // action: the panel's name in the log, then the label of control `id` and
  // what was done with it ("AM: Depth arrow up"); with the Alt key held a
  // click, choice or focus reads instead ("AM: Source Alt read"). A push
  // button's action is its own text ("Status: Clear Status").
  std::string ActionName(int id, const char* what) const;
  std::string ReadOrActionName(int id, const char* what) const;
  std::string ButtonActionName(int id) const;

  CPanel* m_pPanel;
  // While the panel opens with the focus on its first control: a field takes
  // it without the Alt read-back, which only the operator's own focus asks for.
  bool m_givingFirstFocus = false;

 private:
  void FitMainWindow();

  bool m_creating = false;
  std::string m_logName;  // "AM"
  CProportionalLayout m_layout;
};

// Sizes the main window to hold a panel of client size `panel`.
void FitFrameToPanel(HWND main, SIZE panel);
