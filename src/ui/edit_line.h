// The text and caret of a one-line edit field and what each key does to them.
#pragma once

#include <string>

struct EditLine {
  std::string text;
  int caret = 0;
  int maxLength = 0;
};

// Letters, digits, '_', '-' and space: what a player name and every other typed field accept.
bool IsEditCharacter(int code);
// Backspace (8), Delete (-3), Right (-2), Left (-1), or an accepted character inserted at the
// caret; then the text is cut to the maximum and a caret at or past it moves onto the last
// character, so typing into a full field replaces its last character.
void ApplyEditKey(EditLine& line, int code);
