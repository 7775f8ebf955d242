// The line format shared by sound recipes and music scores: "#" at the start of a word starts a
// comment; a line is a keyword followed by words and key=value settings.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace soundbuild {

struct RecipeLine {
  int number = 0;                             // in the file, for messages
  std::string keyword;                        // first word
  std::vector<std::string> words;             // further words without "="
  std::map<std::string, std::string> values;  // key=value settings

  bool Has(const std::string& key) const { return values.count(key) != 0; }
  // A number setting; def when missing. Throws RecipeError when it is not a number.
  double Number(const std::string& key, double def) const;
  std::string Text(const std::string& key, const std::string& def) const;
  // A list "a:b:c" or "a,b,c" of numbers.
  std::vector<double> Numbers(const std::string& key) const;
  // Any key not in the allowed set is a mistake in the recipe.
  void CheckKeys(const std::vector<std::string>& allowed) const;
};

struct RecipeError {
  std::string message;
};

std::vector<RecipeLine> ParseRecipeText(const std::string& text);
bool ReadTextFile(const std::string& path, std::string& out);
double ParseNumber(const std::string& s, int line);

}  // namespace soundbuild
