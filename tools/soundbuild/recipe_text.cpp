#include "recipe_text.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace soundbuild {

double ParseNumber(const std::string& s, int line) {
  char* end = nullptr;
  double v = std::strtod(s.c_str(), &end);
  if (s.empty() || end != s.c_str() + s.size())
    throw RecipeError{"line " + std::to_string(line) + ": \"" + s + "\" is not a number"};
  return v;
}

double RecipeLine::Number(const std::string& key, double def) const {
  auto it = values.find(key);
  return it == values.end() ? def : ParseNumber(it->second, number);
}

std::string RecipeLine::Text(const std::string& key, const std::string& def) const {
  auto it = values.find(key);
  return it == values.end() ? def : it->second;
}

std::vector<double> RecipeLine::Numbers(const std::string& key) const {
  std::vector<double> out;
  auto it = values.find(key);
  if (it == values.end()) return out;
  std::string item;
  for (char c : it->second + ":") {
    if (c == ':' || c == ',') {
      out.push_back(ParseNumber(item, number));
      item.clear();
    } else {
      item += c;
    }
  }
  return out;
}

void RecipeLine::CheckKeys(const std::vector<std::string>& allowed) const {
  for (const auto& [key, value] : values)
    if (std::find(allowed.begin(), allowed.end(), key) == allowed.end())
      throw RecipeError{"line " + std::to_string(number) + ": \"" + keyword + "\" has no setting \"" + key +
                        "\""};
}

std::vector<RecipeLine> ParseRecipeText(const std::string& text) {
  std::vector<RecipeLine> lines;
  std::istringstream in(text);
  std::string raw;
  int number = 0;
  while (std::getline(in, raw)) {
    ++number;
    // "#" opens a comment at the start of a word only, so sharps (C#4) stay notes.
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] == '#' && (i == 0 || raw[i - 1] == ' ' || raw[i - 1] == '\t')) {
        raw.resize(i);
        break;
      }
    }
    std::istringstream words(raw);
    std::string w;
    RecipeLine line;
    line.number = number;
    while (words >> w) {
      size_t eq = w.find('=');
      if (line.keyword.empty())
        line.keyword = w;
      else if (eq == std::string::npos)
        line.words.push_back(w);
      else
        line.values[w.substr(0, eq)] = w.substr(eq + 1);
    }
    if (!line.keyword.empty()) lines.push_back(std::move(line));
  }
  return lines;
}

bool ReadTextFile(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  out = s.str();
  return true;
}

}  // namespace soundbuild
