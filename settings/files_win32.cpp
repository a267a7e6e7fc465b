// The file system and the code page over Win32.
#include <windows.h>

#include "settings/files.h"

static_assert(NO_ATTRIBUTES == INVALID_FILE_ATTRIBUTES &&
                  ATTRIBUTE_FOLDER == FILE_ATTRIBUTE_DIRECTORY &&
                  RESULT_NOT_READY == ERROR_NOT_READY,
              "attributes and the answer of a drive without its disk");

PathReply QueryPath(const char* path) {
  DWORD start = GetTickCount();
  PathReply reply;
  reply.attributes = GetFileAttributesA(path);
  reply.error = reply.attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : 0;
  reply.milliseconds = GetTickCount() - start;
  return reply;
}

bool IsLeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

int SameFileName(const char* a, const char* b) { return lstrcmpiA(a, b) == 0; }
