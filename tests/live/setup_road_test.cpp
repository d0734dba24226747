// Setups saved and recalled on the whole road: the live instrument, the driver
// DLL and the simulated mainframe, through System > Save Setup... and
// Recall Setup... and their file dialogs.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/sfp_app.h"
#include "app/setup_commands.h"
#include "framework/win32/clipboard.h"
#include "framework/win32/file_dialog.h"
#include "framework/win32/whole_file.h"
#include "instrument/instrument.h"
#include "instrument/setting_text.h"
#include "instrument/user_exception.h"
#include "instrument/tests/random_setup.h"
#include "res/resource.h"
#include "tests/support/live_panel_test.h"
#include "tests/support/panel_driver.h"

namespace {

using Lines = std::vector<std::string>;

// A folder of the test's own, emptied and removed at the end.
class CScratchFolder {
 public:
  CScratchFolder() {
    char temp[MAX_PATH];
    ::GetTempPathA(sizeof temp, temp);
    for (int n = 1; m_path.empty(); ++n) {
      std::string path = std::string(temp) + "sfp-setups-" + std::to_string(n);
      if (::CreateDirectoryA(path.c_str(), nullptr)) m_path = path;
    }
  }
  ~CScratchFolder() {
    for (const std::string& name : Files()) {
      ::SetFileAttributesA(File(name).c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!::DeleteFileA(File(name).c_str())) ::RemoveDirectoryA(File(name).c_str());
    }
    ::RemoveDirectoryA(m_path.c_str());
  }
  std::string File(const std::string& name) const { return m_path + "\\" + name; }
  const std::string& Path() const { return m_path; }
  Lines Files() const {
    Lines names;
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((m_path + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if (found.cFileName[0] != '.') names.push_back(found.cFileName);
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
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
  std::string m_path;
};

class SetupRoad : public CLivePanelTestOf<ID_PANELS_MAIN> {
 protected:
  CInstrument& Instrument() { return *theApp.m_pInstrument; }
  // Sets each step through the instrument interface; a refused one fails the test.
  void Apply(const std::vector<CSetupStep>& steps) {
    for (const CSetupStep& step : steps) {
      try {
        step.m_row->m_set(Instrument(), step.m_value);
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

// Whatever the instrument holds comes back whole after a reset, and the file
// says it in the same words on both builds (but for the time it was saved).
TEST_F(SetupRoad, TwoHundredRandomSetupsComeBackWhole) {
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

// The triangle stops at 100 kHz: the recall stops there, reports the
// instrument's error as a panel does, reads the instrument back and names the line.
TEST_F(SetupRoad, ARefusedSettingStopsTheRecallAndNamesItsLine) {
  folder.Write("refused.scpi", "FUNC TRI\nFREQ 5000000\nVOLT:OFFS 1\n");
  Recall(folder.File("refused.scpi"));
  EXPECT_EQ(boxes.Texts(), (Lines{"Instrument reports error: -222  Data out of range",
                                  "Setup recalled only in part: the recall stopped at line 2, FREQ 5000000. "
                                  "The settings before it were applied."}));
  Lines writes = TakeWrites();
  ASSERT_GE(writes.size(), 5u);
  EXPECT_EQ(Lines(writes.begin(), writes.begin() + 5),
            (Lines{"FUNC TRI", "FREQ 5000000", "SYST:ERR?", "SYST:ERR?", "FUNC?"}));
  EXPECT_EQ(writes.size(), 4u + kSettingCount);
  EXPECT_EQ(mainframe.StateOf("func"), "2");
  EXPECT_EQ(mainframe.StateOf("offset"), "0");
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "1 kHz");
}

// What the operator did by hand, copied from the I/O log as a script, is
// replayed by a recall.
TEST_F(SetupRoad, TheIoLogsScriptOfAChangeByHandIsRecalledWhole) {
  app.Command(ID_SYSTEM_IO_LOG);
  HWND log = ::FindWindowA(nullptr, "I/O Log");
  ASSERT_NE(log, nullptr);
  ClickButton(log, IDC_IOLOG_CLEAR);
  ChooseItem(panel, IDC_MAIN_FUNC, 1);
  EnterValue(panel, IDC_MAIN_FREQ, "2.5M");
  EnterValue(panel, IDC_MAIN_OFFSET, "-1.25");
  ClickButton(log, IDC_IOLOG_COPY_SCRIPT);
  std::string script = ClipboardText(log);
  EXPECT_EQ(script, "# TG Q3207 setup\r\n# from the I/O log\r\nFUNC SQU\r\nFREQ 2500000\r\nVOLT:OFFS -1.25\r\n");
  auto held = mainframe.State();
  folder.Write("by-hand.scpi", script);
  Instrument().Reset();
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
    char text[MAX_PATH] = "";
    ::GetWindowTextA(self.dialog, text, sizeof text);
    self.titles.push_back(text);
    ::SendMessageA(self.dialog, CDM_GETFOLDERPATH, sizeof text, reinterpret_cast<LPARAM>(text));
    self.folders.push_back(text);
    ::SendMessageA(self.dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(self.name.c_str()));
    ::PostMessageA(self.dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
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
}

}  // namespace
