#include "settings/files.h"

PathAnswer AnswerOf(const PathReply& reply) {
  if (reply.attributes != NO_ATTRIBUTES)
    return reply.attributes & ATTRIBUTE_FOLDER ? PATH_FOLDER : PATH_FILE;
  // After the time-out an error may speak for a server that could not be
  // reached, whatever it says.
  if (reply.milliseconds >= SLOW_ANSWER_MS || reply.error == RESULT_NOT_READY)
    return PATH_NO_ANSWER;
  return PATH_GONE;
}

PathAnswer AskPath(const char* path) { return AnswerOf(QueryPath(path)); }

unsigned long PathRootLength(const char* path) {
  // A colon is never the second byte of a double-byte character.
  if (path[0] && path[1] == ':') return path[2] == '\\' ? 3 : 2;
  if (path[0] != '\\' || path[1] != '\\') return 0;
  // Past the server's and the share's names, stepping over double-byte
  // characters whole: their second byte may be a backslash.
  int separators = 0;
  for (unsigned long i = 2; path[i]; ++i) {
    if (IsLeadByte((unsigned char)path[i]) && path[i + 1]) {
      ++i;
    } else if (path[i] == '\\' && ++separators == 2) {
      return i + 1;
    }
  }
  return 0;
}
