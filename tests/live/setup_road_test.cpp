// Setups saved and recalled on the whole road: the live instrument, the driver
// DLL and the simulated mainframe, through System > Save Setup... and
// Recall Setup... and their file dialogs.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "app/sfp_app.h"
#include "app/setup_commands.h"
#include "framework/win32/clipboard.h"
#include "framework/win32/file_dialog.h"
#include "framework/win32/whole_file.h"
#include "framework/win32/wide_text.h"
#include "instrument/instrument.h"
#include "instrument/setting_text.h"
#include "instrument/user_exception.h"
#include "instrument/tests/random_setup.h"
#include "res/resource.h"
#include "tests/support/live_panel_test.h"
#include "tests/support/panel_driver.h"

namespace {

using Lines = std::vector<std::string>;

// A folder of the test's own, emptied and removed at the end; names in UTF-8.
class CScratchFolder {
 public:
  CScratchFolder() {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    for (int n = 1; m_path.empty(); ++n) {
      std::wstring path = temp + std::wstring(L"sfp-setups-") + std::to_wstring(n);
      if (::CreateDirectoryW(path.c_str(), nullptr)) m_path = Utf8Of(path);
    }
  }
  ~CScratchFolder() { RemoveAll(Widened(m_path)); }
  std::string File(const std::string& name) const { return m_path + "\\" + name; }
  const std::string& Path() const { return m_path; }
  Lines Files() const {
    Lines names;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(Widened(m_path + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if (found.cFileName[0] != L'.') names.push_back(Utf8Of(found.cFileName));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
  }
  void Write(const std::string& name, const std::string& bytes) const {
    std::string reason;
    ASSERT_TRUE(WriteWholeFile(File(name), bytes, reason)) << reason;
  }
  std::string Read(const std::string& name) const {
    std::string bytes, reason;
    EXPECT_TRUE(ReadFileStart(File(name), 1 << 16, bytes, reason)) << reason;
    return bytes;
  }

 private:
  static void RemoveAll(const std::wstring& folder) {
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        std::wstring path = folder + L"\\" + found.cFileName;
        if (found.cFileName[0] == L'.') continue;
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveAll(path);
        else
          ::DeleteFileW(path.c_str());
      } while (::FindNextFileW(search, &found));
      ::FindClose(search);
    }
    ::RemoveDirectoryW(folder.c_str());
  }

  std::string m_path;
};

class SetupRoad : public CLivePanelTestOf<ID_PANELS_MAIN> {
 protected:
  CInstrument& Instrument() { return *theApp.m_pInstrument; }
  // Sets each step through the instrument interface; a refused one fails the test.
  void Apply(const std::vector<CSetupStep>& steps) {
    for (const CSetupStep& step : steps) {
      try {
        Instrument().SetSetting(*step.m_row, step.m_value);
      } catch (const CUserException&) {
        ADD_FAILURE() << "refused: " << SettingCommand(*step.m_row, step.m_value) << ", status "
                      << Instrument().GetLastStatus();
      }
    }
  }
  bool Save(const std::string& path) { return SaveSetupTo(path, [] {}); }
  void Recall(const std::string& path) { RecallSetupFrom(path, [] {}); }

  CScratchFolder folder;
};

// Whatever the instrument holds comes back whole, whatever it holds when the
// setup is recalled, and the file says it in the same words on both builds
// (but for the time it was saved).
TEST_F(SetupRoad, TwoHundredRandomSetupsComeBackWholeFromAnyState) {
  std::mt19937 random(3207);
  const std::string path = folder.File("random.scpi");
  for (int round = 0; round < 200; ++round) {
    Instrument().Reset();
    Apply(RandomValidSetup(random));
    ASSERT_FALSE(HasFailure()) << "round " << round;
    auto held = mainframe.State();
    ASSERT_EQ(held.at("errors"), "0") << "round " << round;
    ASSERT_TRUE(Save(path)) << "round " << round;
    Instrument().Reset();
    Apply(RandomValidSetup(random));
    Recall(path);
    ASSERT_EQ(mainframe.State(), held) << "round " << round << "\n" << folder.Read("random.scpi");
  }
  EXPECT_TRUE(boxes.m_boxes.empty());
  EXPECT_EQ(folder.Files(), Lines{"random.scpi"});
  std::string text = folder.Read("random.scpi");
  size_t saved = text.find("# saved ");
  ASSERT_NE(saved, std::string::npos);
  text.erase(saved + 8, text.find('\r', saved) - saved - 8);
  std::string expected = "# TG Q3207 setup\r\n# saved \r\n# program tgq3207sfp A.01.01\r\n"
                         "# instrument GPIB-VXI0::24::INSTR\r\n";
  EXPECT_EQ(text.substr(0, expected.size()), expected);
}

// Nothing reaches the instrument before the whole file is read, and the
// settings go out in an order the instrument takes: modes off, function and
// load, the levels, the modes' settings, the mode that is on.
TEST_F(SetupRoad, RecallSendsInRecallOrderThenSyncsOnce) {
  folder.Write("part.scpi", "# modulation only\nFSK:STAT ON\r\nFREQ 2000\nAM:STAT OFF\nFSK:FREQ 5e3\nFUNC SQU\n");
  Recall(folder.File("part.scpi"));
  Lines writes = TakeWrites();
  ASSERT_GE(writes.size(), 5u);
  EXPECT_EQ(Lines(writes.begin(), writes.begin() + 5),
            (Lines{"AM:STAT OFF", "FUNC SQU", "FREQ 2000", "FSK:FREQ 5000", "FSK:STAT ON"}));
  // One Sync: each of the 32 queries once.
  EXPECT_EQ(writes.size(), 5u + kSettingCount);
  EXPECT_EQ(writes[5], "FUNC?");
  EXPECT_EQ(mainframe.StateOf("fsk.state"), "1");
  EXPECT_EQ(mainframe.StateOf("fsk.freq"), "5000");
  EXPECT_TRUE(boxes.m_boxes.empty());

  folder.Write("bad.scpi", "FUNC SIN\nFREQ 2,5e6\n");
  Recall(folder.File("bad.scpi"));
  EXPECT_EQ(boxes.Texts(), Lines{"Setup not recalled: line 2: \"FREQ 2,5e6\" is not a number."});
  EXPECT_TRUE(mainframe.Traffic().empty());
}

// Settings that together break a limit of the instrument are refused before
// anything goes out.
TEST_F(SetupRoad, AFileTheInstrumentWouldRefuseSendsNothing) {
  const std::pair<const char*, const char*> files[] = {
      {"FUNC TRI\nFREQ 1000000\n", "line 2: 1 MHz is above the triangle's 100 kHz"},
      {"OUTP:LOAD 50\nVOLT:UNIT VPP;:VOLT 15\n", "line 2: 15 Vpp is above the 10 Vpp the output gives into 50 ohms"},
      {"FUNC SQU\nFUNC:USER NOSUCH\nFREQ 5000\nVOLT 9\nVOLT:OFFS 1\n",
       "line 5: 9 Vpp with an offset of 1 V peaks at 5.5 V, above the 5 V the output gives into 50 ohms"},
  };
  for (auto [bytes, refusal] : files) {
    boxes.m_boxes.clear();
    folder.Write("refused.scpi", bytes);
    Recall(folder.File("refused.scpi"));
    EXPECT_EQ(boxes.Texts(), Lines{"Setup not recalled: " + std::string(refusal) + "."}) << bytes;
    EXPECT_TRUE(mainframe.TakeTraffic().empty()) << bytes;
  }
}

// Only the instrument knows its waveforms: the name goes out first, so that a
// refused one leaves everything else as it was, and the box says what was not applied.
TEST_F(SetupRoad, ARefusedWaveformNameStopsTheRecallBeforeAnythingElse) {
  folder.Write("refused.scpi", "FREQ 5000\nFUNC:USER CARD\nVOLT:OFFS 1\n");
  Recall(folder.File("refused.scpi"));
  EXPECT_EQ(boxes.Texts(), (Lines{"Instrument reports error: -224  Illegal parameter value",
                                  "Setup recalled only in part: the instrument refused line 2, FUNC:USER CARD.\n\n"
                                  "Applied: nothing.\nNot applied: FREQ, VOLT:OFFS."}));
  Lines writes = TakeWrites();
  ASSERT_GE(writes.size(), 3u);
  EXPECT_EQ(Lines(writes.begin(), writes.begin() + 3), (Lines{"FUNC:USER CARD", "SYST:ERR?", "SYST:ERR?"}));
  EXPECT_EQ(mainframe.StateOf("freq"), "1000");
  EXPECT_EQ(mainframe.StateOf("offset"), "0");
}

// What the operator did by hand, copied from the I/O log as a script, is
// replayed by a recall from another state: a reset on the way, and an
// amplitude that a change of load rescaled.
TEST_F(SetupRoad, TheIoLogsScriptOfAChangeByHandIsRecalledWhole) {
  app.Command(ID_SYSTEM_IO_LOG);
  HWND log = ::FindWindowA(nullptr, "I/O Log");
  ASSERT_NE(log, nullptr);
  EnterValue(panel, IDC_MAIN_FREQ, "2.5M");
  app.Command(ID_SYSTEM_RESET);
  ChooseItem(panel, IDC_MAIN_FUNC, 1);
  EnterValue(panel, IDC_MAIN_AMPL, "3");
  ClickButton(panel, IDC_MAIN_LOAD);
  EnterValue(panel, IDC_MAIN_OFFSET, "-1.25");
  ClickButton(log, IDC_IOLOG_COPY_SCRIPT);
  std::string script = ClipboardText(log);
  EXPECT_EQ(script, "# TG Q3207 setup\r\n# from the I/O log\r\n*RST\r\nFUNC SQU\r\nVOLT:UNIT VPP;:VOLT 3\r\n"
                    "OUTP:LOAD INF\r\nVOLT:OFFS -1.25\r\n");
  auto held = mainframe.State();
  EXPECT_EQ(held.at("ampl"), "6");
  folder.Write("by-hand.scpi", script);
  std::mt19937 random(31);
  Instrument().Reset();
  Apply(RandomValidSetup(random));
  Recall(folder.File("by-hand.scpi"));
  EXPECT_EQ(mainframe.State(), held);
  EXPECT_TRUE(boxes.m_boxes.empty());
}

struct CSaveFailure {
  const char* m_name;
  std::string (*m_path)(const CScratchFolder&);
};

// The box names the file and the system's reason; an old file stays as it was
// and no temporary file is left behind.
TEST_F(SetupRoad, ASaveThatFailsSaysWhyAndLeavesTheOldFile) {
  folder.Write("old.scpi", "FREQ 5\r\n");
  ::CreateDirectoryA(folder.File("a folder.scpi").c_str(), nullptr);
  ::SetFileAttributesA(folder.File("old.scpi").c_str(), FILE_ATTRIBUTE_READONLY);
  const CSaveFailure failures[] = {
      {"no such folder", [](const CScratchFolder& f) { return f.File("missing\\x.scpi"); }},
      {"a folder", [](const CScratchFolder& f) { return f.File("a folder.scpi"); }},
      {"read-only file", [](const CScratchFolder& f) { return f.File("old.scpi"); }},
      {"bad name", [](const CScratchFolder& f) { return f.File("a\"b.scpi"); }},
  };
  for (const CSaveFailure& failure : failures) {
    boxes.m_boxes.clear();
    std::string path = failure.m_path(folder);
    EXPECT_FALSE(Save(path)) << failure.m_name;
    ASSERT_EQ(boxes.m_boxes.size(), 1u) << failure.m_name;
    const std::string prefix = "Setup not saved: " + path + ": ";
    EXPECT_EQ(boxes.m_boxes[0].text.substr(0, prefix.size()), prefix) << failure.m_name;
    EXPECT_GT(boxes.m_boxes[0].text.size(), prefix.size()) << failure.m_name;
    EXPECT_EQ(boxes.m_boxes[0].caption, "TG Q3207 SFP");
  }
  EXPECT_EQ(folder.Read("old.scpi"), "FREQ 5\r\n");
  EXPECT_EQ(folder.Files(), (Lines{"a folder.scpi", "old.scpi"}));
}

// A save that cannot read the instrument says, after the failure's own box,
// that nothing was saved, and leaves an old file as it was.
TEST_F(SetupRoad, ASaveThatCannotReadTheInstrumentSaysSo) {
  folder.Write("old.scpi", "FREQ 5\r\n");
  for (const char* name : {"old.scpi", "new.scpi"}) {
    boxes.m_boxes.clear();
    mainframe.QueueError(-100, "Command error");
    EXPECT_FALSE(Save(folder.File(name))) << name;
    std::string outcome = std::string(name) == "old.scpi" ? " was left as it was." : " was not written.";
    EXPECT_EQ(boxes.Texts(), (Lines{"Instrument reports error: -100  Command error",
                                    "Setup not saved: the instrument's settings could not be read, so " +
                                        folder.File(name) + outcome}));
  }
  EXPECT_EQ(folder.Read("old.scpi"), "FREQ 5\r\n");
  EXPECT_EQ(folder.Files(), Lines{"old.scpi"});
}

// The file chosen is the file used, whatever its characters; a path Windows
// cannot take, a device, a folder or a pipe gets a box that says so, and
// nothing is written or read.
TEST_F(SetupRoad, TheFileChosenIsTheFileUsed) {
  folder.Write("Omega.scpi", "FREQ 5\r\n");
  Instrument().SetFreq(2500);
  ASSERT_TRUE(Save(folder.File("\xCE\xA9mega.scpi")));
  EXPECT_EQ(folder.Files(), (Lines{"Omega.scpi", "\xCE\xA9mega.scpi"}));
  EXPECT_EQ(folder.Read("Omega.scpi"), "FREQ 5\r\n");
  Recall(folder.File("Omega.scpi"));
  EXPECT_EQ(mainframe.StateOf("freq"), "5");
  Recall(folder.File("\xCE\xA9mega.scpi"));
  EXPECT_EQ(mainframe.StateOf("freq"), "2500");

  // A folder of 250 characters: Windows takes its files' paths, but not a temporary file's folder.
  std::wstring first = Widened(folder.Path()) + L"\\" + std::wstring(120, L'd');
  std::wstring deep = first + L"\\" + std::wstring(249 - first.size(), L'e');
  ASSERT_TRUE(::CreateDirectoryW(first.c_str(), nullptr) && ::CreateDirectoryW(deep.c_str(), nullptr));
  HANDLE pipe = ::CreateNamedPipeW(L"\\\\.\\pipe\\sfp-setup-test", PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE, 2, 512, 512, 0,
                                   nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  const std::string deepFile = Utf8Of(deep) + "\\s.scpi", longPath = folder.File(std::string(300, 'x'));
  const std::pair<std::string, std::string> refused[] = {
      {deepFile, "the folder's path is 250 characters long; a file is saved safely in a folder of at most 246"},
      {longPath, "the path is " + std::to_string(longPath.size()) + " characters long; Windows takes at most 259"},
      {folder.File("com1.scpi"), "COM1 is the name of a device, not of a file"},
      {folder.File("nul"), "NUL is the name of a device, not of a file"},
      {folder.Path(), "it is a folder, not a file"},
      {"\\\\.\\pipe\\sfp-setup-test", "it is not a file on a disk"},
  };
  for (const auto& [path, reason] : refused) {
    boxes.m_boxes.clear();
    bool onlyRead = path.find("pipe") != std::string::npos || path == folder.Path();
    Lines expected;
    if (!onlyRead) {
      EXPECT_FALSE(Save(path)) << path;
      expected.push_back("Setup not saved: " + path + ": " + reason);
    }
    if (path != deepFile) {
      Recall(path);
      expected.push_back("Setup not recalled: " + path + ": " + reason);
    }
    EXPECT_EQ(boxes.Texts(), expected) << path;
  }
  EXPECT_EQ(::GetFileAttributesW((deep + L"\\s.scpi").c_str()), INVALID_FILE_ATTRIBUTES);
  WIN32_FIND_DATAW found;
  HANDLE search = ::FindFirstFileW((deep + L"\\*").c_str(), &found);
  int entries = 0;
  do entries += found.cFileName[0] != L'.' ? 1 : 0;
  while (search != INVALID_HANDLE_VALUE && ::FindNextFileW(search, &found));
  if (search != INVALID_HANDLE_VALUE) ::FindClose(search);
  EXPECT_EQ(entries, 0) << "a stray file in the folder of 250 characters";
  ::CloseHandle(pipe);
  EXPECT_EQ(folder.Files(), (Lines{"Omega.scpi", Utf8Of(first.substr(first.rfind(L'\\') + 1)), "\xCE\xA9mega.scpi"}));
}

// The items of the System menu open the standard dialogs, each where the last
// one was used, with the setups' filter.
// Answers a file dialog once it has settled in its folder: notes its title and
// folder, types `name` and presses its OK button.
struct CFileDialogAnswer {
  Lines titles, folders;
  std::string name;
  HWND dialog = nullptr;

  static void CALLBACK Answer(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    CFileDialogAnswer& self = *s_current;
    wchar_t text[MAX_PATH] = L"";
    ::GetWindowTextW(self.dialog, text, MAX_PATH);
    self.titles.push_back(Utf8Of(text));
    ::SendMessageW(self.dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(text));
    self.folders.push_back(Utf8Of(text));
    std::wstring typed = Widened(self.name);
    ::SendMessageW(self.dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(typed.c_str()));
    ::PostMessageW(self.dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
  bool Later(HWND opened) {
    dialog = opened;
    s_current = this;
    ::SetTimer(nullptr, 0, 100, &Answer);
    return true;
  }
  static CFileDialogAnswer* s_current;
};
CFileDialogAnswer* CFileDialogAnswer::s_current = nullptr;

// The items of the System menu open the standard dialogs, each where the last
// one was used, with the setups' filter.
TEST_F(SetupRoad, TheMenuItemsOpenTheStandardDialogs) {
  CFileDialogAnswer answer;
  boxes.m_onDialog = [&answer](HWND dialog) { return answer.Later(dialog); };
  // Saved without an extension, the file takes the setups' one.
  answer.name = folder.File("menu");
  Instrument().SetFreq(2500);
  app.Command(ID_SYSTEM_SAVE_SETUP);
  PumpMessages(100);
  EXPECT_EQ(folder.Files(), Lines{"menu.scpi"});
  EXPECT_NE(folder.Read("menu.scpi").find("\r\nFREQ 2500\r\n"), std::string::npos);
  EXPECT_EQ(LastFileFolder(), folder.Path());
  Instrument().SetFreq(7000);
  answer.name = folder.File("menu.scpi");
  app.Command(ID_SYSTEM_RECALL_SETUP);
  PumpMessages(100);
  EXPECT_EQ(answer.titles, (Lines{"Save Setup", "Recall Setup"}));
  ASSERT_EQ(answer.folders.size(), 2u);
  EXPECT_EQ(answer.folders[1], folder.Path());
  EXPECT_EQ(mainframe.StateOf("freq"), "2500");
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "2.5 kHz");

  // A typed name the dialog or Windows cannot take ends in one box, not in a crash.
  answer.name = folder.File("\xCE\xA9" + std::string(300, 'y') + ".scpi");
  boxes.m_boxes.clear();
  app.Command(ID_SYSTEM_SAVE_SETUP);
  PumpMessages(100);
  ASSERT_EQ(boxes.m_boxes.size(), 2u);  // the dialog, then the box
  EXPECT_EQ(boxes.m_boxes[1].text,
            "The file dialog could not take that name (at most 259 characters). Nothing was opened or written.");
  EXPECT_EQ(folder.Files(), Lines{"menu.scpi"});
}

}  // namespace
