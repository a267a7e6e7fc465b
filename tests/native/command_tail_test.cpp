// The command tail behind the program name, and the choice it makes.
#include "app/command_tail.h"

#include <gtest/gtest.h>

TEST(CommandTail, FindsArgumentsBehindTheProgramName) {
  struct {
    const char *line, *tail;
  } cases[] = {{"scenewheel.exe A", "A"},
               {"\"C:\\Tools\\scenewheel.exe\" A", "A"},
               {"\"C:\\Tools\\scenewheel.exe\"A", "A"},
               {"scenewheel.exe", ""},
               {"\"\" A", "A"},
               {"", ""},
               {"\"C:\\Tools\\scenewheel.exe", "\"C:\\Tools\\scenewheel.exe"},
               {"C:\\Program Files\\scenewheel.exe A", "Files\\scenewheel.exe A"},
               {"\"C:\\My Tools\\scenewheel.exe\"   A x", "A x"},
               {"scenewheel.exe    A  x", "A  x"},
               {"scenewheel.exe \tA", "\tA"},
               {"scenewheel.exe\tA", ""}};  // only the space is a blank
  for (const auto& c : cases) EXPECT_STREQ(c.tail, FindCommandTail(c.line)) << c.line;
}

TEST(CommandTail, OnlyAFirstCapitalASelectsTheUnattendedChange) {
  struct {
    const char* tail;
    bool unattended;
  } cases[] = {{"A", true},    {"\tA", true},  {"  \t A", true}, {"Anything", true},
               {"a", false},   {"  a", false}, {"/A", false},    {"-A", false},
               {"B A", false}, {"", false},    {nullptr, false}};
  for (const auto& c : cases)
    EXPECT_EQ(c.unattended, TailSelectsUnattended(c.tail)) << (c.tail ? c.tail : "(null)");
}
