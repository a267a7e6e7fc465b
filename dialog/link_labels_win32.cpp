#include "dialog/link_labels_win32.h"
#include "dialog/link_labels.h"

HWND TooltipWindow = nullptr;

static void RepaintWin32(void* label) {
  InvalidateRect((HWND)label, nullptr, TRUE);
  UpdateWindow((HWND)label);
}

// The shell is loaded only when a link is clicked: importing it would load
// it, and all it brings, into every logon run as well.
typedef HINSTANCE(WINAPI* ShellExecuteEntry)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);

static void OpenWin32(const char* target) {
  HMODULE shell = LoadLibraryA("shell32.dll");
  if (!shell) return;
  ShellExecuteEntry open = (ShellExecuteEntry)(void*)GetProcAddress(shell, "ShellExecuteA");
  if (open) open(GetDesktopWindow(), "open", target, nullptr, nullptr, SW_SHOWNORMAL);
  // It stays loaded: the open action may leave work of its own running.
}

LinkApi LinkPlatform = {RepaintWin32, OpenWin32};

void AttachLinkLabels(HWND dialog) {
  for (LinkLabel& l : LinkLabels) {
    HWND w = GetDlgItem(dialog, l.control);
    l.window = w;
    SetLastError(0);
    LONG_PTR old = SetWindowLongPtrA(w, GWLP_WNDPROC, (LONG_PTR)LinkLabelProc);
    l.savedProc = GetLastError() == 0 ? (void*)old : nullptr;
  }
}

void DetachLinkLabels() {
  for (LinkLabel& l : LinkLabels)
    if (l.savedProc) SetWindowLongPtrA((HWND)l.window, GWLP_WNDPROC, (LONG_PTR)l.savedProc);
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
    if (LinkTickLeaves(PtInRect(&r, p) != 0, WindowFromPoint(p) == label)) {
      SendMessageA(GetParent(label), WM_LINK_HOVER, 0, (LPARAM)label);
      KillTimer(label, ID_HOVER_TIMER);
    }
  }
  // A label whose procedure could not be kept is never routed here; the
  // check guards against a stray call all the same.
  if (!l || !l->savedProc) return DefWindowProcA(label, message, wParam, lParam);
  return CallWindowProcA((WNDPROC)l->savedProc, label, message, wParam, lParam);
}

INT_PTR OnLinkColor(HDC dc, HWND control) {
  uint32_t color;
  if (!LinkColorFor(control, &color)) return FALSE;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  return (INT_PTR)GetStockObject(BLACK_BRUSH);
}

// The 40-byte tool record: the first form, without the application data.
struct ToolRecord40 {
  UINT cbSize;
  UINT uFlags;
  HWND hwnd;
  UINT_PTR uId;
  RECT rect;
  HINSTANCE hinst;
  LPSTR lpszText;
};

static_assert(sizeof(ToolRecord40) == 40, "the first form of the tool record");

void CreateTooltips(HWND dialog, HINSTANCE instance) {
  // The tooltip class comes with the common controls library, which
  // registers its classes when it is loaded; the program has no other use
  // for it and calls no initialisation of its own. It stays loaded for the
  // life of the process.
  LoadLibraryA("comctl32.dll");
  TooltipWindow = CreateWindowExA(WS_EX_TOPMOST, "tooltips_class32", nullptr, 0x80000003,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  dialog, nullptr, instance, nullptr);
  if (!TooltipWindow) return;
  SetWindowPos(TooltipWindow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
  SendMessageA(TooltipWindow, 0x0418 /* TTM_SETMAXTIPWIDTH */, 0, TOOLTIP_MAX_WIDTH);
  ToolRecord40 tool;
  ZeroMemory(&tool, sizeof tool);
  tool.cbSize = sizeof tool;
  tool.uFlags = 0x11;  // TTF_IDISHWND | TTF_SUBCLASS
  tool.hwnd = dialog;
  tool.hinst = instance;
  for (const ToolTip& t : ToolTable) {
    tool.uId = (UINT_PTR)GetDlgItem(dialog, t.control);
    tool.lpszText = (LPSTR)t.text;
    SendMessageA(TooltipWindow, 0x0404 /* TTM_ADDTOOLA */, 0, (LPARAM)&tool);
  }
}
