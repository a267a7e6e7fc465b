// The link labels' and tooltips' Windows face, called by the main dialog.
#pragma once
#include <windows.h>

LRESULT CALLBACK LinkLabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam);
// WM_LINK_HOVER: repaints the label when its flag changes. Always FALSE.
INT_PTR OnLinkHover(WPARAM wParam, LPARAM lParam);
// WM_CTLCOLORSTATIC: the background brush for a label, FALSE for the rest.
INT_PTR OnLinkColor(HDC dc, HWND control);

struct ToolTip {
  int control;
  const char* text;
};
enum { TOOL_COUNT = 14 };
extern const ToolTip ToolTable[TOOL_COUNT];
extern HWND TooltipWindow;
