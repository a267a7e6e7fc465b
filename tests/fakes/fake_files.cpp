#include "tests/fakes/fake_files.h"
#include <stdio.h>
#include <string.h>

FakeFiles FakeFile;

namespace {

int FileHandle, MappingHandle;

int DeleteAtRestart(const char* path) {
  FakeFile.calls.push_back(std::string("delete ") + path);
  return FakeFile.deleteAtRestart;
}

unsigned long ShortPath(const char*, char* out, unsigned long size) {
  snprintf(out, size, "%s", FakeFile.shortPath.c_str());
  if (FakeFile.shortLength) return FakeFile.shortLength;
  return FakeFile.shortPath.size() < size ? (unsigned long)FakeFile.shortPath.size() : 0;
}

unsigned WindowsFolder(char* out, unsigned size) {
  snprintf(out, size, "%s", FakeFile.windowsFolder.c_str());
  return (unsigned)FakeFile.windowsFolder.size();
}

void* OpenFile(const char* path) {
  FakeFile.calls.push_back(std::string("open ") + path);
  if (FakeFile.openFails) return nullptr;
  ++FakeFile.filesOpen;
  return &FileHandle;
}

uint32_t FileSize(void*) { return (uint32_t)FakeFile.content.size(); }

void* CreateMapping(void*, uint32_t size) {
  FakeFile.calls.push_back("map " + std::to_string(size));
  if (FakeFile.mappingFails) return nullptr;
  if (FakeFile.content.size() < size) FakeFile.content.resize(size, '\0');
  ++FakeFile.mappingsOpen;
  return &MappingHandle;
}

void* MapView(void*) {
  if (FakeFile.viewFails) return nullptr;
  FakeFile.view.assign(FakeFile.content.begin(), FakeFile.content.end());
  ++FakeFile.viewsLive;
  return FakeFile.view.data();
}

void UnmapView(void*) {
  if (FakeFile.viewsLive == 0) {
    ++FakeFile.closedTwice;
    return;
  }
  --FakeFile.viewsLive;
  FakeFile.content.assign(FakeFile.view.begin(), FakeFile.view.end());
  FakeFile.view.clear();
}

void CloseHandle(void* handle) {
  int* open = handle == &FileHandle ? &FakeFile.filesOpen
              : handle == &MappingHandle ? &FakeFile.mappingsOpen : nullptr;
  if (!open || *open == 0) {
    ++FakeFile.closedTwice;
    return;
  }
  --*open;
}

void SetEnd(void*, uint32_t length) {
  FakeFile.calls.push_back("setend " + std::to_string(length));
  FakeFile.content.resize(length, '\0');
}

}  // namespace

SelfRemovalApi SelfRemoval = {DeleteAtRestart, ShortPath, WindowsFolder, OpenFile, FileSize,
                              CreateMapping,   MapView,   UnmapView,     CloseHandle, SetEnd};
static const SelfRemovalApi kFakeFiles = SelfRemoval;

void FakeFiles::Reset() {
  *this = FakeFiles();
  SelfRemoval = kFakeFiles;
}

std::string FakeFiles::Leaks() const {
  std::string out;
  if (filesOpen) out += std::to_string(filesOpen) + " file(s) left open; ";
  if (mappingsOpen) out += std::to_string(mappingsOpen) + " mapping(s) left open; ";
  if (viewsLive) out += std::to_string(viewsLive) + " view(s) left mapped; ";
  if (closedTwice) out += std::to_string(closedTwice) + " close(s) of nothing open; ";
  return out;
}
