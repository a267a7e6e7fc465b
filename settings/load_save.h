// Moving the settings between the registry, SettingsState and the dialog:
// load when the dialog opens, save on Save, clear on Clear Registry and Exit.
#pragma once

#define MSG_REGISTRY_PROBLEM "Problem with the Registry information!"

// 1, or 0 when the program key cannot be opened.
int LoadSettings();
// 1, or 0 when the program key or the Run key cannot be opened.
int SaveSettings();
// Always 1.
int ClearSettings();

// The Run command: ProgramPath and " A", the path in double quotes when it
// holds a blank. out must hold RUN_COMMAND_SIZE bytes; it always fits.
enum { RUN_COMMAND_SIZE = 260 + 4 };
void BuildRunCommand(const char* programPath, char (&out)[RUN_COMMAND_SIZE]);
