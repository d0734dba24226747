// The counted wait cursor: requests nest; the cursor returns to normal when the
// last request has ended.
#pragma once

void BeginWaitCursor();
void EndWaitCursor();
bool IsWaitCursorShown();
int WaitCursorDepth();
void RestoreWaitCursor();  // shows the wait cursor again after something changed it

class CWaitCursor {
 public:
  CWaitCursor() { BeginWaitCursor(); }
  ~CWaitCursor() { EndWaitCursor(); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};
