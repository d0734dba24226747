// The program's only top-level window: a small fixed-size frame with the menu,
// inside which one panel dialog at a time is shown.
#pragma once

#include <cstdint>

#include "framework/win32/frame_wnd.h"

class CIoLogWnd;

class CMainWnd : public CFrameWnd {
  DECLARE_RUNTIME_CLASS(CMainWnd)

 public:
  // Creates the window hidden: 402 x 404 at 100 % (larger in proportion on a
  // screen of a larger scale), centred on the desktop.
  CMainWnd();

  // Discovery, panel registration, show, Sync, Main panel.
  void InitMainWindow();

  int32_t m_inTimer = 0;

  // The instrument's state shown again: a Sync and the current panel redrawn;
  // the current panel redrawn from the remembered state; the current panel's
  // window made again (its address and lamp); the lamp in the active colour.
  void SyncPanels() { OnSync(); }
  void RefreshCurrentPanel();
  void ReopenCurrentPanel();
  void ShowActiveColor();

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void PostNcDestroy() override;

 private:
  void OnReset();
  void OnSync();
  void OnSelfTest();
  void OnSaveSetup();
  void OnRecallSetup();
  // Opens the I/O log window, or closes it when it is open.
  void OnIoLog();
  void OnExit();
  void OnHelpContents();
  void OnAbout();
  void OnTimer(UINT_PTR id);
  LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
  void OnPanelCommand(UINT id);
  void RegisterPanels();
  // The start-up Sync, saying how far it has read a live instrument.
  void SyncSayingSo();
  void UncheckPanelItems(UINT checkedId);
  void OnConnect();
  void OnReconnect();

  CIoLogWnd* m_pIoLog = nullptr;

  DECLARE_MESSAGE_MAP(CMainWnd)
};
