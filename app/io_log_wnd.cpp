#include "app/io_log_wnd.h"

#include <commctrl.h>

#include <cstdio>
#include <iterator>
#include <string>

#include "app/file_choice.h"
#include "app/sfp_app.h"
#include "framework/win32/clipboard.h"
#include "framework/win32/display_scale.h"
#include "framework/win32/late_library.h"
#include "framework/win32/whole_file.h"
#include "framework/win32/window_placement.h"
#include "instrument/instrument.h"
#include "instrument/io_log.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CIoLogWnd, CDialog)

BEGIN_MESSAGE_MAP(CIoLogWnd, CDialog)
  ON_MESSAGE(WM_SIZE, OnSize)
  ON_MESSAGE(WM_GETMINMAXINFO, OnGetMinMaxInfo)
  ON_MESSAGE(WM_NOTIFY, OnNotify)
  ON_WM_TIMER()
  ON_COMMAND(IDC_IOLOG_CLEAR, OnClear)
  ON_COMMAND(IDC_IOLOG_COPY, OnCopy)
  ON_COMMAND(IDC_IOLOG_COPY_SCRIPT, OnCopyScript)
  ON_COMMAND(IDC_IOLOG_SAVE, OnSaveAs)
  ON_COMMAND(IDC_IOLOG_TO_FILE, OnLogToFile)
END_MESSAGE_MAP()

namespace {
constexpr UINT_PTR kRedrawTimer = 1;
// At 96 DPI.
const int kColumnWidths[] = {45, 85, 45, 150, 150, 150, 110, 175};
static_assert(std::size(kColumnWidths) == kIoLogColumnCount);
const COLORREF kFailedText = RGB(160, 0, 0);
const COLORREF kFailedBack = RGB(255, 224, 224);

// The height of the details line under the list, and of the smallest list, in dialog units.
constexpr int kDetailsHeight = 12;
constexpr int kSmallestList = 40;
// The right edge of the row of buttons, in dialog units.
constexpr int kButtonsRight = 280;

// Whether the list's last row is in view: then new rows are followed.
bool LastRowInView(HWND list) {
  int count = ListView_GetItemCount(list);
  return count == 0 || ListView_GetTopIndex(list) + ListView_GetCountPerPage(list) >= count;
}

// The place and size the window had when it last closed, for the rest of the run.
RECT g_lastPlace;
bool g_placed = false;


bool EndsWithCsv(const std::string& path) {
  return path.size() >= 4 && lstrcmpiA(path.c_str() + path.size() - 4, ".csv") == 0;
}
}  // namespace

CIoLogWnd::CIoLogWnd(CWnd* owner, std::function<void()> onClosed)
    : CDialog(IDD_IO_LOG, owner), m_onClosed(std::move(onClosed)) {}

CIoLogWnd* CIoLogWnd::Open(CWnd* owner, std::function<void()> onClosed) {
  LoadCommonControls(ICC_LISTVIEW_CLASSES);
  auto* window = new CIoLogWnd(owner, std::move(onClosed));
  if (!window->CDialog::Create()) {
    delete window;
    return nullptr;
  }
  if (g_placed)
    ::SetWindowPos(window->m_hWnd, nullptr, g_lastPlace.left, g_lastPlace.top, g_lastPlace.right - g_lastPlace.left,
                   g_lastPlace.bottom - g_lastPlace.top, SWP_NOZORDER | SWP_NOACTIVATE);
  else
    window->PlaceBesideOwner();
  ::ShowWindow(window->m_hWnd, SW_SHOW);
  return window;
}

void CIoLogWnd::Close() { DestroyWindow(); }

HWND CIoLogWnd::List() const { return ::GetDlgItem(m_hWnd, IDC_IOLOG_LIST); }

BOOL CIoLogWnd::OnInitDialog() {
  CDialog::OnInitDialog();
  HWND list = List();
  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  // The widths are for 96 DPI; the texts grow with the screen's scale.
  const UINT dpi = WindowDpi(m_hWnd);
  for (size_t i = 0; i < kIoLogColumnCount; ++i) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(kIoLogColumns[i]);
    column.cx = AtDpi(kColumnWidths[i], dpi);
    ::SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
  HWND details = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, 0, 0, 0,
                                   0, m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_IOLOG_DETAILS)),
                                   nullptr, nullptr);
  ::SendMessageA(details, WM_SETFONT, ::SendMessageA(m_hWnd, WM_GETFONT, 0, 0), FALSE);
  ::SetWindowPos(details, list, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Refresh(true);
  ::SetTimer(m_hWnd, kRedrawTimer, kRedrawMs, nullptr);
  // The focus starts on the list, where Enter and Space do nothing.
  ::SetFocus(list);
  return FALSE;
}

SIZE CIoLogWnd::MinimumSize() const {
  RECT client = {0, 0, kButtonsRight + 4, 32 + kSmallestList + 4 + kDetailsHeight + 4};
  ::MapDialogRect(m_hWnd, &client);
  ::AdjustWindowRectEx(&client, static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)));
  return {client.right - client.left, client.bottom - client.top};
}

LRESULT CIoLogWnd::OnGetMinMaxInfo(WPARAM, LPARAM lParam) {
  auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
  const SIZE minimum = MinimumSize();
  info->ptMinTrackSize = {minimum.cx, minimum.cy};
  return 0;
}

void CIoLogWnd::PlaceBesideOwner() {
  RECT owner, window;
  ::GetWindowRect(m_pParent->m_hWnd, &owner);
  ::GetWindowRect(m_hWnd, &window);
  const SIZE wanted = {window.right - window.left, window.bottom - window.top};
  const RECT place = PlaceBeside(owner, wanted, MinimumSize(), WorkAreaOf(m_pParent->m_hWnd));
  ::SetWindowPos(m_hWnd, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// The close box and Escape close the window.
void CIoLogWnd::OnCancel() { DestroyWindow(); }

void CIoLogWnd::PostNcDestroy() {
  std::function<void()> onClosed = std::move(m_onClosed);
  delete this;
  if (onClosed) onClosed();
}

LRESULT CIoLogWnd::OnSize(WPARAM, LPARAM lParam) {
  RECT top = {0, 32, 4, kDetailsHeight};  // the list's top, the margins and the details line, in dialog units
  ::MapDialogRect(m_hWnd, &top);
  int width = LOWORD(lParam), height = HIWORD(lParam);
  const int margin = top.right, detailsHeight = top.bottom;
  const int detailsTop = height - margin - detailsHeight;
  // A list that showed its last row still shows it at its new size.
  HWND list = List();
  const bool following = LastRowInView(list);
  ::MoveWindow(list, margin, top.top, width - 2 * margin, detailsTop - margin - top.top, TRUE);
  const int count = ListView_GetItemCount(list);
  if (following && count > 0) ListView_EnsureVisible(list, count - 1, FALSE);
  ::MoveWindow(::GetDlgItem(m_hWnd, IDC_IOLOG_DETAILS), margin, detailsTop, width - 2 * margin, detailsHeight, TRUE);
  RECT note = {4, 22, 4, 8};
  ::MapDialogRect(m_hWnd, &note);
  ::MoveWindow(::GetDlgItem(m_hWnd, IDC_IOLOG_NOTE), note.left, note.top, width - 2 * note.left, note.bottom, TRUE);
  if (!::IsIconic(m_hWnd) && ::IsWindowVisible(m_hWnd)) {
    ::GetWindowRect(m_hWnd, &g_lastPlace);
    g_placed = true;
  }
  return 0;
}

LRESULT CIoLogWnd::OnNotify(WPARAM, LPARAM lParam) {
  auto* header = reinterpret_cast<NMHDR*>(lParam);
  if (header->idFrom != IDC_IOLOG_LIST) return 0;
  const auto& records = IoLog().Records();
  if (header->code == LVN_GETDISPINFOA) {
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(lParam)->item;
    if ((item.mask & LVIF_TEXT) && item.iItem >= 0 && static_cast<size_t>(item.iItem) < records.size()) {
      std::string field = RecordField(records[item.iItem], item.iSubItem);
      lstrcpynA(item.pszText, field.c_str(), item.cchTextMax);
    }
    return 0;
  }
  if (header->code == NM_CUSTOMDRAW) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    size_t row = draw->nmcd.dwItemSpec;
    if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT && row < records.size() && records[row].m_status < 0) {
      draw->clrText = kFailedText;
      draw->clrTextBk = kFailedBack;
    }
    return CDRF_DODEFAULT;
  }
  if (header->code == LVN_ITEMCHANGED) ShowDetails();
  return 0;
}

void CIoLogWnd::ShowDetails() {
  const auto& records = IoLog().Records();
  int row = ListView_GetNextItem(List(), -1, LVNI_FOCUSED);
  std::string details;
  if (row >= 0 && static_cast<size_t>(row) < records.size()) {
    std::vector<std::string> fields = RecordFields(records[row]);
    for (size_t i = 0; i < fields.size(); ++i)
      details += (i == 0 ? "" : "   ") + std::string(kIoLogColumns[i]) + ": " + fields[i];
  }
  ::SetDlgItemTextA(m_hWnd, IDC_IOLOG_DETAILS, details.c_str());
}

void CIoLogWnd::OnTimer(UINT_PTR) { Refresh(); }

void CIoLogWnd::Refresh(bool always) {
  const CIoLog& log = IoLog();
  if (!always && log.Version() == m_shownVersion) return;
  m_shownVersion = log.Version();
  HWND list = List();
  int count = static_cast<int>(log.Records().size());
  bool followEnd = LastRowInView(list);
  ListView_SetItemCountEx(list, count, LVSICF_NOSCROLL);
  if (followEnd && count > 0) ListView_EnsureVisible(list, count - 1, FALSE);
  ::InvalidateRect(list, nullptr, FALSE);
  std::string note;
  const CInstrument* instrument = CurrentInstrument();
  if (instrument != nullptr && instrument->m_live == 0) note = LoadText(IDS_IO_LOG_NON_LIVE);
  auto add = [&note](const std::string& part) { note += (note.empty() || part.empty() ? "" : "  ") + part; };
  add(DroppedLine(log.Dropped()));
  if (!log.LogFile().empty()) add(LoadFormatted(IDS_IO_LOG_LOGGING, log.LogFile()));
  ::SetDlgItemTextA(m_hWnd, IDC_IOLOG_NOTE, note.c_str());
}

std::vector<const CIoRecord*> CIoLogWnd::Rows(bool selectedOnly) const {
  std::vector<const CIoRecord*> rows;
  const auto& records = IoLog().Records();
  if (!selectedOnly) {
    for (const CIoRecord& record : records) rows.push_back(&record);
    return rows;
  }
  for (int i = ListView_GetNextItem(List(), -1, LVNI_SELECTED); i >= 0;
       i = ListView_GetNextItem(List(), i, LVNI_SELECTED))
    if (static_cast<size_t>(i) < records.size()) rows.push_back(&records[i]);
  return rows;
}

void CIoLogWnd::OnClear() {
  IoLog().Clear();
  Refresh(true);
}

void CIoLogWnd::OnCopy() { CopyTextToClipboard(m_hWnd, RecordsAsText(Rows(true), 0, false)); }

void CIoLogWnd::OnCopyScript() { CopyTextToClipboard(m_hWnd, RecordsAsScript(Rows(false))); }

void CIoLogWnd::OnSaveAs() {
  std::string path, reason;
  if (!ChooseFileFor(m_hWnd, EFileDialog::kSave, IDS_IO_LOG_SAVE_TITLE, IDS_IO_LOG_FILTER, "txt", path)) return;
  const std::vector<const CIoRecord*> rows = Rows(false);
  uint64_t dropped = IoLog().Dropped();
  std::string text = EndsWithCsv(path) ? RecordsAsCsv(rows, dropped) : RecordsAsText(rows, dropped);
  if (!WriteWholeFile(path, text, reason)) StandardMessageBox(LoadFormatted(IDS_IO_LOG_NOT_SAVED, path, reason));
}

void CIoLogWnd::OnLogToFile() {
  std::string path;
  if (!ChooseFileFor(m_hWnd, EFileDialog::kSave, IDS_IO_LOG_FILE_TITLE, IDS_IO_LOG_FILTER, "txt", path)) return;
  LogCallsToFile(path);
  Refresh(true);
}

void LogCallsToFile(const std::string& path) {
  std::string reason;
  if (std::FILE* file = OpenForAppending(path, reason))
    IoLog().LogTo(file, path);
  else
    StandardMessageBox(LoadFormatted(IDS_IO_LOG_NOT_LOGGED, path, reason));
}
