// The platform's SECURITY_ATTRIBUTES, member for member, for portable code
// that holds one (the native tests of the dialog). Never include this next to
// <windows.h>, which has its own definition of the same record.
#pragma once

struct _SECURITY_ATTRIBUTES {  // NOLINT(bugprone-reserved-identifier): the Windows tag
  unsigned long nLength;
  void* lpSecurityDescriptor;
  int bInheritHandle;
};
