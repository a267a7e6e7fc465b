// The main dialog's logic: opening and closing, the change modes and the
// command dispatch. Portable; it reaches the controls through dialog_view.h.
#pragma once

#define CLEAR_QUESTION "Do you also want to remove the program file from your system?"
#define CLEAR_CAPTION "Question"
enum : unsigned { CLEAR_QUESTION_FLAGS = 0x123 };  // Yes/No/Cancel, question icon, No default

enum { LEAVE_NEITHER = 0, LEAVE_SAVE = 1, LEAVE_CLEAR = 2 };

// The opening sequence after the dialog window is known; returns TRUE.
int OpenMainDialog();
int EnterMainDialog();
int LeaveMainDialog(int kind);
int CloseMainDialog(int kind, int result);
void ApplyMode(int radio);
void RunClearFlow();
// WM_COMMAND: control id and notification code; returns TRUE when handled.
int DispatchCommand(int id, int code);
