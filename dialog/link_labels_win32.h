// The link labels' and tooltips' Windows face, called by the main dialog.
#pragma once
#include <windows.h>

void AttachLinkLabels(HWND dialog);
void DetachLinkLabels();
LRESULT CALLBACK LinkLabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam);
// WM_CTLCOLORSTATIC: the background brush for a label, FALSE for the rest.
INT_PTR OnLinkColor(HDC dc, HWND control);
void CreateTooltips(HWND dialog, HINSTANCE instance);

extern HWND TooltipWindow;
