#include "tests/fakes/fake_link_api.h"
#include "dialog/link_labels.h"

FakeLinks FakeLinkCalls;

static void Repaint(void* label) { FakeLinkCalls.repainted.push_back(label); }
static void Open(const char* target) { FakeLinkCalls.opened.push_back(target); }

LinkApi LinkPlatform = {Repaint, Open};

void FakeLinks::Reset() {
  repainted.clear();
  opened.clear();
}
