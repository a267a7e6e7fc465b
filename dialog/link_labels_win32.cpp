#include "dialog/link_labels_win32.h"

#include <commctrl.h>
#include <stddef.h>

#include "dialog/dialog_view.h"
#include "dialog/link_labels.h"
#include "dialog/main_dialog_win32.h"
#include "res/resource.h"

static_assert(WM_LINK_HOVER == WM_APP + 0x80 && WM_MOUSEMOVE == 0x0200 && WM_TIMER == 0x0113,
              "messages");
static_assert(GWL_WNDPROC == -4 && SW_SHOWNORMAL == 1, "procedure slot, show command");
static_assert(RGB(255, 0, 0) == LINK_COLOR_HOVERED && RGB(0, 0, 255) == LINK_COLOR_PLAIN,
              "red while hovered, else blue");
static_assert(BLACK_BRUSH == 4 && TRANSPARENT == 1, "background");
static_assert(WS_EX_TOPMOST == 0x8 && (WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP) == 0x80000003,
              "tooltip window styles");
// HWND_TOPMOST is the SDK's (HWND)-1, which no constant expression can check.
static_assert(CW_USEDEFAULT == (int)0x80000000 &&
                  (SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE) == 0x13,
              "tooltip placement");
static_assert(TTM_SETMAXTIPWIDTH == 0x0418 && TTM_ADDTOOLA == 0x0404, "tooltip messages");
// The tool record's first form: the fields before lParam, 40 bytes.
enum { TOOL_RECORD_SIZE = 40 };
static_assert(offsetof(TOOLINFOA, lParam) == TOOL_RECORD_SIZE &&
                  (TTF_IDISHWND | TTF_SUBCLASS) == 0x11,
              "the first form of the tool record");

HWND TooltipWindow = nullptr;

const ToolTip ToolTable[TOOL_COUNT] = {
    {IDC_MODE_BOOT, "Select this option to change the wallpaper every time you boot your system"},
    {IDC_MODE_DAILY, "Select this option to change the wallpaper every day"},
    {IDC_MODE_WEEKLY, "Select this option to change the wallpaper every week"},
    {IDC_MODE_MANUAL, "Select this option to change the wallpaper manually"},
    {IDC_MODE_DEFAULT, "Select this option to use the Windows default wallpaper"},
    {IDC_MODE_NONE, "Select this option if you don't want to use a wallpaper"},
    {IDC_ADD, "Press this button to add a wallpaper to the list"},
    {IDC_REMOVE, "Press this button to remove the selected wallpapers from the list"},
    {IDC_SELECT, "Press this button to use the selected wallpaper"},
    {IDC_CLEAR, "Press this button to remove all Scenewheel information from the Registry"},
    {IDC_LIST, "List of the wallpapers to use"},
    {IDC_CURRENT, "Current wallpaper"},
    {IDC_SITE_LINK, "Click here to go to OrvanDale Internet site"},
    {IDC_MAIL_LINK, "Click here to send a mail to OrvanDale"},
};

void AttachLinkLabels() {
  for (LinkLabel& l : LinkLabels) {
    HWND w = GetDlgItem(DialogWindow, l.control);
    l.window = w;
    SetLastError(0);
    LONG old = SetWindowLongA(w, GWL_WNDPROC, (LONG)(LONG_PTR)LinkLabelProc);
    l.savedProc = GetLastError() == 0 ? (void*)(LONG_PTR)old : nullptr;
  }
}

void DetachLinkLabels() {
  for (LinkLabel& l : LinkLabels)
    if (l.savedProc) SetWindowLongA((HWND)l.window, GWL_WNDPROC, (LONG)(LONG_PTR)l.savedProc);
}

LRESULT CALLBACK LinkLabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
  LinkLabel* l = FindLinkLabel(label);
  if (message == WM_MOUSEMOVE) {
    SetTimer(label, ID_HOVER_TIMER, HOVER_PERIOD_MS, nullptr);
    SendMessageA(GetParent(label), WM_LINK_HOVER, 1, (LPARAM)label);
  } else if (message == WM_TIMER) {
    RECT r;
    POINT p;
    GetClientRect(label, &r);
    MapWindowPoints(label, nullptr, (POINT*)&r, 2);
    GetCursorPos(&p);
    // Left, or another window lies over the label at the pointer.
    if (!PtInRect(&r, p) || WindowFromPoint(p) != label) {
      SendMessageA(GetParent(label), WM_LINK_HOVER, 0, (LPARAM)label);
      KillTimer(label, ID_HOVER_TIMER);
    }
  }
  // A label whose procedure could not be kept is never routed here; the
  // check guards against a stray call all the same.
  if (!l || !l->savedProc) return DefWindowProcA(label, message, wParam, lParam);
  return CallWindowProcA((WNDPROC)l->savedProc, label, message, wParam, lParam);
}

INT_PTR OnLinkHover(WPARAM wParam, LPARAM lParam) {
  LinkLabel* l = FindLinkLabel((void*)lParam);
  if (l && SetLinkHover(l, wParam)) {
    InvalidateRect((HWND)l->window, nullptr, TRUE);
    UpdateWindow((HWND)l->window);
  }
  return FALSE;
}

INT_PTR OnLinkColor(HDC dc, HWND control) {
  LinkLabel* l = FindLinkLabel(control);
  if (!l) return FALSE;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, LinkColor(*l));
  return (INT_PTR)GetStockObject(BLACK_BRUSH);
}

// The shell is loaded only when a link is clicked: importing it would load
// it, and all it brings, into every logon run as well.
typedef HINSTANCE(WINAPI* ShellExecuteEntry)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

void ShellOpen(const char* target) {
  HMODULE shell = LoadLibraryA("shell32.dll");
  ShellExecuteEntry open =
      shell ? (ShellExecuteEntry)(void*)GetProcAddress(shell, "ShellExecuteA") : nullptr;
  if (open) open(GetDesktopWindow(), "open", target, nullptr, nullptr, SW_SHOWNORMAL);
  // It stays loaded: the open action may leave work of its own running.
}

void CreateTooltips() {
  // The tooltip class comes with the common controls library, which
  // registers its classes when it is loaded; the program has no other use
  // for it and calls no initialisation of its own. It stays loaded for the
  // life of the process.
  LoadLibraryA("comctl32.dll");
  TooltipWindow = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                  WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, DialogWindow,
                                  nullptr, ProgramInstance, nullptr);
  if (!TooltipWindow) return;
  SetWindowPos(TooltipWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  SendMessageA(TooltipWindow, TTM_SETMAXTIPWIDTH, 0, 200);
  // The control reads only the first TOOL_RECORD_SIZE bytes.
  TOOLINFOA tool = {};
  tool.cbSize = TOOL_RECORD_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = DialogWindow;
  tool.hinst = ProgramInstance;
  for (const ToolTip& t : ToolTable) {
    tool.uId = (UINT_PTR)GetDlgItem(DialogWindow, t.control);
    tool.lpszText = (LPSTR)t.text;
    SendMessageA(TooltipWindow, TTM_ADDTOOLA, 0, (LPARAM)&tool);
  }
}
