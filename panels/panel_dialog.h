// The dialog of a panel: a modeless child of the main window, created from its
// template when the panel is shown, deleting itself when its window is gone.
#pragma once

#include "framework/win32/dialog.h"
#include "framework/win32/proportional_layout.h"
#include "panels/panel_actions.h"

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
  // Each operator action names the driver calls it makes in the I/O log.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The paint handler of a panel whose whole background is one colour.
  void PaintBackground(COLORREF colour);

  CPanel* m_pPanel;
  // While the panel opens with the focus on its first control: a field takes
  // it without the Alt read-back, which only the operator's own focus asks for.
  bool m_givingFirstFocus = false;

 private:
  void FitMainWindow();

  bool m_creating = false;
  CPanelActions m_actions;
  CProportionalLayout m_layout;
};

// Sizes the main window to hold a panel of client size `panel`.
void FitFrameToPanel(HWND main, SIZE panel);
