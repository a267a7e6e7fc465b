// Every key, file, mapping, view, bitmap and font that the fakes handed out
// must be given back, and none given back twice. Native test fixtures call
// this where a test, or one row of a table, ends.
#pragma once
#include <gtest/gtest.h>
#include "tests/fakes/fake_dialog.h"
#include "tests/fakes/fake_files.h"
#include "tests/fakes/fake_registry.h"
#include "settings/settings_state.h"

inline void ExpectNothingLeft() {
  EXPECT_EQ(Fake.Leaks(), "");
  EXPECT_EQ(FakeView.Leaks(), "");
  EXPECT_EQ(FakeFile.Leaks(), "");
}

// Fixture base: fresh fakes and settings, and nothing left at the end of a
// test or of a table row that calls SetUp again.
class LeakCheckedTest : public ::testing::Test {
 protected:
  bool entered_ = false;
  void SetUp() override {
    if (entered_) ExpectNothingLeft();
    entered_ = true;
    Fake.Reset();
    FakeView.Reset();
    FakeFile.Reset();
    SettingsState = InitialSettingsState();
  }
  void TearDown() override { ExpectNothingLeft(); }
};
