#include "panels/status_panel.h"

#include <gtest/gtest.h>

#include <string>

#include "controls/palette.h"
#include "controls/text_button.h"
#include "controls/text_panel.h"
#include "res/resource.h"
#include "tests/support/box_watcher.h"
#include "tests/support/panel_driver.h"
#include "tests/support/panel_test.h"

namespace {

constexpr int32_t kTimeOut = static_cast<int32_t>(0xBFFF0015u);

// Answers the status operations as the test sets them.
class CStatusInstrument : public CRecordingInstrument {
 public:
  int16_t m_statusByte = 0;
  // The next error query fails with a time-out without throwing, as the live
  // instrument's does, and leaves the code as it was.
  bool m_queryTimesOut = false;

  void ErrorQuery(int32_t& code, std::string& message) override {
    if (!m_queryTimesOut) {
      CRecordingInstrument::ErrorQuery(code, message);
      return;
    }
    m_calls.push_back("ErrorQuery()");
    m_lastStatus = kTimeOut;
    message.clear();
  }
  int16_t ReadStatusByte() override {
    CRecordingInstrument::ReadStatusByte();
    return m_statusByte;
  }
};

class StatusPanel : public CPanelTest {
 protected:
  void SetUp() override { Open(ID_PANELS_STATUS, status = new CStatusInstrument()); }
  std::string ButtonText(int id) const { return Control<CTextButton>(id).m_caption; }
  // Error number, error message, status byte, phase lock.
  Calls ReadOuts() const {
    return {PlateText(IDC_STAT_ERROR_NUMBER), PlateText(IDC_STAT_ERROR_MESSAGE),
            ButtonText(IDC_STAT_STATUS_BYTE), ButtonText(IDC_STAT_PHASE_LOCK)};
  }
  void Press(int id) const { ClickButton(panel, id); }

  CStatusInstrument* status = nullptr;  // the instrument, with its status answers
};

const Calls kFresh = {"-", "*", "*", "*"};

TEST_F(StatusPanel, StartsWithNoAnswers) {
  EXPECT_EQ(ReadOuts(), kFresh);
  EXPECT_EQ(PlateText(IDC_STAT_TITLE), "Status Panel");
  EXPECT_TRUE(instrument->Take().empty());
}

TEST_F(StatusPanel, PlatesHaveTheirColoursAndBorders) {
  auto expect = [](const auto& plate, COLORREF bk, bool raised, const char* what) {
    EXPECT_EQ(plate.m_bkColor, bk) << what;
    EXPECT_EQ(plate.m_textColor, PanelColor(1)) << what;
    EXPECT_EQ(plate.m_topLeftColor, PanelColor(raised ? 3 : 2)) << what;
    EXPECT_EQ(plate.m_bottomRightColor, PanelColor(raised ? 2 : 3)) << what;
    EXPECT_EQ(plate.m_font, nullptr) << what;
  };
  expect(Control<CTextPanel>(IDC_STAT_TITLE), PanelColor(8), false, "title");
  expect(Control<CTextPanel>(IDC_STAT_ERROR_FRAME), PanelColor(6), true, "error frame");
  expect(Control<CTextPanel>(IDC_STAT_STATUS_FRAME), PanelColor(6), true, "status frame");
  expect(Control<CTextPanel>(IDC_STAT_OPC_FRAME), PanelColor(6), true, "OPC frame");
  expect(Control<CTextPanel>(IDC_STAT_ERROR_NUMBER), PanelColor(0), false, "number");
  expect(Control<CTextPanel>(IDC_STAT_ERROR_MESSAGE), PanelColor(0), false, "message");
  expect(Control<CTextButton>(IDC_STAT_STATUS_BYTE), PanelColor(0), false, "status byte");
  expect(Control<CTextButton>(IDC_STAT_PHASE_LOCK), PanelColor(0), false, "phase lock");
  ::RedrawWindow(panel, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = ::GetDC(panel);
  EXPECT_EQ(::GetPixel(dc, 2, 2), PanelColor(4));  // the painted background
  ::ReleaseDC(panel, dc);
}

TEST_F(StatusPanel, EachButtonShowsItsAnswer) {
  CBoxWatcher boxes;
  Press(IDC_STAT_READ_ERROR);
  EXPECT_EQ(ReadOuts(), (Calls{"0", "None", "*", "*"}));
  status->m_statusByte = 16;
  Press(IDC_STAT_STATUS_BYTE);
  Press(IDC_STAT_PHASE_LOCK);
  EXPECT_EQ(ReadOuts(), (Calls{"0", "None", "16", "Unlocked"}));
  Press(IDC_STAT_OPC);
  Press(IDC_STAT_CLEAR);
  EXPECT_EQ(ReadOuts(), (Calls{"0", "None", "16", "Unlocked"}));
  status->m_statusByte = -1;  // shown signed
  Press(IDC_STAT_STATUS_BYTE);
  EXPECT_EQ(ButtonText(IDC_STAT_STATUS_BYTE), "-1");
  EXPECT_TRUE(boxes.m_boxes.empty());
}

TEST_F(StatusPanel, SyncAndResetClearTheAnswers) {
  Press(IDC_STAT_READ_ERROR);
  Press(IDC_STAT_PHASE_LOCK);
  app.Command(ID_SYSTEM_SYNC);
  EXPECT_EQ(ReadOuts(), kFresh);
  Press(IDC_STAT_STATUS_BYTE);
  app.Command(ID_SYSTEM_RESET);
  EXPECT_EQ(ReadOuts(), kFresh);
}

TEST_F(StatusPanel, ARefusedErrorQueryIsShownInTheReadOutsOnly) {
  CBoxWatcher boxes;
  instrument->Fail("ErrorQuery", kStatusTooFast);
  Press(IDC_STAT_READ_ERROR);
  EXPECT_EQ(ReadOuts(), (Calls{"*_*", "I/O requests too fast.", "*", "*"}));
  EXPECT_TRUE(boxes.m_boxes.empty());
}

TEST_F(StatusPanel, AnErrorQueryFailingOtherwiseShowsNothing) {
  CBoxWatcher boxes;
  instrument->Fail("ErrorQuery", -1);
  Press(IDC_STAT_READ_ERROR);
  EXPECT_EQ(ReadOuts(), kFresh);
  EXPECT_TRUE(boxes.m_boxes.empty());
}

TEST_F(StatusPanel, ATimedOutErrorQueryDoesNotLookLikeAnEmptyQueue) {
  Press(IDC_STAT_READ_ERROR);
  ASSERT_EQ(ReadOuts()[0], "0");
  status->m_queryTimesOut = true;
  Press(IDC_STAT_READ_ERROR);
  EXPECT_EQ(ReadOuts(), (Calls{"*", "", "*", "*"}));
}

}  // namespace
