// Every font that the locale-font fake handed out must be given back.
#pragma once
#include <gtest/gtest.h>
#include "tests/fakes/fake_locale_fonts.h"

inline void ExpectNothingLeft() { EXPECT_EQ(FakeFont.Leaks(), ""); }
