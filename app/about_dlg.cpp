#include "app/about_dlg.h"

#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CAboutDlg, CDialog)

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {}
