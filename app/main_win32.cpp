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
#include "support/ansi_path.h"

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

typedef LPWSTR(WINAPI* WideLineEntry)();
typedef DWORD(WINAPI* ModuleNameEntry)(HMODULE, LPWSTR, DWORD);

// On the NT family the choice is read in the wide command line: in the ANSI
// one a character of the program's path that the code page lacks may come
// out as a quote or a blank (the system's best fit), and the tail would then
// begin inside the path.
static bool StartedUnattended(const char* tail) {
  WideLineEntry line =
      IsNtFamily() ? (WideLineEntry)SystemEntry("kernel32.dll", "GetCommandLineW") : nullptr;
  return line ? TailSelectsUnattended(FindCommandTail(line())) : TailSelectsUnattended(tail);
}

// The program's path, never cut and never a look-alike: the Run value made
// from it must name this file. On the NT family it comes from the wide name,
// by its short path where the code page cannot hold the name or it needs
// more than 259 bytes (a double-byte code page may need up to twice as many
// as it has characters); where neither names the file, it stays empty.
static void StoreProgramPath() {
  char* out = SettingsState.ProgramPath;
  out[0] = 0;
  if (IsNtFamily()) {
    // One more than a path may take: a cut name fills the buffer.
    wchar_t wide[TEXT_SIZE + 1];
    ModuleNameEntry name = (ModuleNameEntry)SystemEntry("kernel32.dll", "GetModuleFileNameW");
    DWORD n = name ? name(nullptr, wide, TEXT_SIZE + 1) : 0;
    if (n && n < TEXT_SIZE) AnsiPathOf(out, TEXT_SIZE, wide);
    return;
  }
  char path[TEXT_SIZE + 1];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  if (n && n < TEXT_SIZE) CopyText(out, TEXT_SIZE, path);
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

  if (StartedUnattended(tail)) {
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
