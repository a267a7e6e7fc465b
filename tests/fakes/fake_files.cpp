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
  FakeFile.exists = true;
  ++FakeFile.openHandles;
  return &FileHandle;
}

uint32_t FileSize(void*) { return (uint32_t)FakeFile.content.size(); }

void* CreateMapping(void*, uint32_t size) {
  FakeFile.calls.push_back("map " + std::to_string(size));
  if (FakeFile.mappingFails) return nullptr;
  if (FakeFile.content.size() < size) FakeFile.content.resize(size, '\0');
  ++FakeFile.openHandles;
  return &MappingHandle;
}

void* MapView(void*) {
  if (FakeFile.viewFails) return nullptr;
  FakeFile.view.assign(FakeFile.content.begin(), FakeFile.content.end());
  return FakeFile.view.data();
}

void UnmapView(void*) {
  FakeFile.content.assign(FakeFile.view.begin(), FakeFile.view.end());
  FakeFile.view.clear();
}

void CloseHandle(void*) { --FakeFile.openHandles; }

void SetEnd(void*, uint32_t length) {
  FakeFile.calls.push_back("setend " + std::to_string(length));
  FakeFile.content.resize(length, '\0');
}

}  // namespace

SelfRemovalApi SelfRemoval = {DeleteAtRestart, ShortPath, WindowsFolder, OpenFile, FileSize,
                              CreateMapping,   MapView,   UnmapView,     CloseHandle, SetEnd};

void FakeFiles::Install() {
  SelfRemoval = SelfRemovalApi{DeleteAtRestart, ShortPath, WindowsFolder, OpenFile, FileSize,
                               CreateMapping,   MapView,   UnmapView,     CloseHandle, SetEnd};
}

void FakeFiles::Reset() {
  *this = FakeFiles();
  Install();
}
