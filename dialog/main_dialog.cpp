#include "dialog/main_dialog.h"

#include "dialog/dialog_view.h"
#include "dialog/link_labels.h"
#include "dialog/self_removal.h"
#include "dialog/wallpaper_list.h"
#include "res/resource.h"
#include "settings/load_save.h"
#include "settings/settings_state.h"

static_assert(ModeTable[0].radio == IDC_MODE_BOOT && ModeTable[1].radio == IDC_MODE_DAILY &&
                  ModeTable[2].radio == IDC_MODE_WEEKLY && ModeTable[3].radio == IDC_MODE_MANUAL &&
                  ModeTable[4].radio == IDC_MODE_DEFAULT && ModeTable[5].radio == IDC_MODE_NONE,
              "the mode table names the template's radio buttons");

// Always all three, always in this order.
static void EnableListControls(int enable) {
  EnableControl(IDC_ADD, enable);
  EnableControl(IDC_LIST, enable);
  EnableControl(IDC_CURRENT, enable);
}

int EnterMainDialog() {
  AttachLinkLabels();
  LoadSettings();
  return 1;
}

int OpenMainDialog() {
  EnterMainDialog();
  // After the load: a preview that fell back to the logo during it showed
  // nothing, as the logo is not there yet.
  LoadLogo();
  // Mode itself stays as it is, even when the Default radio stands in for it.
  const ModeRow& row = ModeRowFor(SettingsState.Mode);
  CheckRadio(row.radio);
  if (!row.listControls) EnableListControls(0);
  EnableControl(IDC_REMOVE, 0);
  EnableControl(IDC_SELECT, 0);
  ClearLinkHover();
  CreateTooltips();
  return 1;
}

int LeaveMainDialog(int kind) {
  if (kind == LEAVE_SAVE)
    SaveSettings();
  else if (kind == LEAVE_CLEAR)
    ClearSettings();
  DetachLinkLabels();
  ReleaseRegistrySecurity();
  return 1;
}

int CloseMainDialog(int kind, int result) {
  LeaveMainDialog(kind);
  ShowPreview(nullptr);  // frees the last scaled bitmap
  FreeLogo();
  EndMainDialog(result);
  return 1;
}

void ApplyMode(int radio) {
  for (const ModeRow& row : ModeTable) {
    if (row.radio != radio) continue;
    SettingsState.Mode = row.letter;
    EnableListControls(row.listControls);
  }
}

void RunClearFlow() {
  int answer = AskQuestion(CLEAR_QUESTION, CLEAR_CAPTION, CLEAR_QUESTION_FLAGS);
  if (answer == ANSWER_YES) ScheduleSelfRemoval();  // the registry is cleared whatever it gives
  if (answer == ANSWER_YES || answer == ANSWER_NO) CloseMainDialog(LEAVE_CLEAR, 0);
}

int DispatchCommand(int id, int code) {
  if (id == IDC_LIST) {
    if (code == LIST_SELCHANGE) OnListSelectionChange();
    return 0;
  }
  switch (id) {
    case IDOK:
      return CloseMainDialog(LEAVE_SAVE, 1);
    case IDCANCEL:
      return CloseMainDialog(LEAVE_NEITHER, 0);
    case IDC_ADD:
      if (ChooseBitmapFile()) AddChosenFile();
      return 1;
    case IDC_REMOVE:
      RemoveSelectedEntries();
      return 1;
    case IDC_SELECT:
      SelectCurrentEntry();
      return 1;
    case IDC_MODE_BOOT:
    case IDC_MODE_DAILY:
    case IDC_MODE_WEEKLY:
    case IDC_MODE_MANUAL:
    case IDC_MODE_DEFAULT:
    case IDC_MODE_NONE:
      ApplyMode(id);
      return 1;
    case IDC_CLEAR:
      RunClearFlow();
      return 1;
    case IDC_SITE_LINK:
    case IDC_MAIL_LINK:
      // A click (0) or a double click (1); other notifications open nothing.
      if (code == 0 || code == 1) OpenLinkTarget(id);
      return 1;
  }
  return 0;
}
