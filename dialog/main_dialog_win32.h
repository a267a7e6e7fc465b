// The main dialog (Windows face).
#pragma once
#include <windows.h>

extern HINSTANCE ProgramInstance;
// The open dialog; every control is reached through it.
extern HWND DialogWindow;
// The default preview image; null until the opening loads it.
extern HBITMAP LogoBitmap;

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
