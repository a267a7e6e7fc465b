// Program start: the command tail, the single instance, and the choice
// between the unattended change and the dialog.
#include <windows.h>

#include "app/command_tail.h"
#include "app/platform_probe.h"
#include "app/registry_security.h"
#include "app/startup.h"
#include "dialog/main_dialog_win32.h"
#include "res/resource.h"
#include "settings/automatic_change.h"
#include "settings/registry.h"
#include "settings/settings_state.h"
#include "settings/text.h"

// The numbers that the start-up passes to the system and to its callees.
static_assert(KEY_ALL_ACCESS == 0xF003F, "full access for both groups");
static_assert((RS_EVERYONE | RS_ADMINISTRATORS) == 0x30, "both entries");
static_assert(SW_SHOWNORMAL == 1 && MB_OK == 0, "show flag and message box style");
static_assert(ERROR_ALREADY_EXISTS == 183, "the mutex existed");
static_assert(DLGWINDOWEXTRA == 30 && COLOR_WINDOW + 1 == 6, "class record");
static_assert(IDD_MAIN == 1000, "dialog template");
static_assert((SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX) == 0x8001, "no system error boxes");

// The record that RegistrySecurity points at once it has been built.
static SECURITY_ATTRIBUTES SecurityRecord;

const char* GetCommandTail() { return FindCommandTail(GetCommandLineA()); }

// The program's path, never cut: a cut one names no file, and the Run value
// made from it would never start the program. In a double-byte code page a
// path of fewer than 260 characters can need more than 259 bytes; then its
// short form is taken, and where that does not fit either, none.
static void StoreProgramPath() {
  char path[2 * TEXT_SIZE];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  SettingsState.ProgramPath[0] = 0;
  if (n == 0 || n >= sizeof path - 1) return;
  if (n < TEXT_SIZE) {
    CopyText(SettingsState.ProgramPath, TEXT_SIZE, path);
    return;
  }
  n = GetShortPathNameA(path, SettingsState.ProgramPath, TEXT_SIZE);
  if (n == 0 || n >= TEXT_SIZE) SettingsState.ProgramPath[0] = 0;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR tail, int) {
  // Before any file or registry access: a list entry on a floppy, CD or ZIP
  // drive with no disk in it would otherwise raise the system's "drive not
  // ready" box and wait for the user, also in the logon run. With this such
  // a path is simply a file that is not there.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

  // A failed probe leaves the class 0, which simply means no security below.
  ProbePlatform(&PlatformClass);

  SetLastError(0);
  HANDLE mutex = CreateMutexA(nullptr, FALSE, INSTANCE_MUTEX_NAME);
  if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS) {
    MessageBoxA(nullptr, MSG_ONE_INSTANCE, nullptr, MB_OK);
    return 0;
  }
  // The mutex is never closed: the process end releases it.

  StoreProgramPath();
  // Without it every key gets the default security.
  if (BuildRegistrySecurity(&SecurityRecord, KEY_ALL_ACCESS, KEY_ALL_ACCESS, PlatformClass,
                            RS_EVERYONE | RS_ADMINISTRATORS) == RC_OK)
    RegistrySecurity = &SecurityRecord;

  if (TailSelectsUnattended(tail)) {
    RunAutomaticChange();
    return 0;
  }

  ProgramInstance = instance;
  WNDCLASSA wc;
  ZeroMemory(&wc, sizeof wc);
  wc.lpfnWndProc = DefDlgProcA;
  wc.cbWndExtra = DLGWINDOWEXTRA;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, "AppIcon");
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(0x7F00));  // IDC_ARROW
  wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  wc.lpszClassName = WINDOW_CLASS_NAME;
  if (!RegisterClassA(&wc)) return 0;

  return (int)DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, 0);
}
