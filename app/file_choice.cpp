#include "app/file_choice.h"

#include "framework/win32/win_app.h"
#include "res/resource.h"

bool ChooseFileFor(HWND owner, EFileDialog kind, UINT titleId, UINT filterId, const char* defaultExtension,
                   std::string& path) {
  EFileChoice choice = ChooseFile(owner, kind, LoadText(titleId), LoadText(filterId), defaultExtension, path);
  if (choice == EFileChoice::kFailed) StandardMessageBox(LoadText(IDS_FILE_NAME_NOT_TAKEN));
  return choice == EFileChoice::kChosen;
}
