// The main dialog (Windows face).
#pragma once
#include <windows.h>

extern HINSTANCE ProgramInstance;

INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
