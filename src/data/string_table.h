// The localized string table: every fixed text the player reads, looked up by key from
// "Localization\US.xml" of Database.pak. A key element (matched without regard to case) carries its
// text in the attribute "Value"; a list of texts is the key element's child elements, each with its
// own "Value". A key that is not in the table shows as the key itself.
#pragma once

#include <optional>
#include <string>
#include <vector>

// Loads the table unless one is loaded. A member that is missing or does not parse is reported in
// the "Failed to open localization file." box and leaves no table. Always one LoadingProgressStep.
void LoadStringTable(const char* memberName);
void FreeStringTable();
bool StringTableLoaded();

// The key element's "Value"; a copy of the key when there is no table or no such element; nullopt
// when the element has no "Value".
std::optional<std::string> Localize(const char* key);
// Localize, with the key itself standing in for a missing "Value".
std::string LocalizeText(const char* key);
// The "Value" of each child element of the key element in order (nullopt for a child without
// one); returns the number of texts, 0 when there is no table, no such key or no children.
int LocalizeList(const char* key, std::vector<std::optional<std::string>>& outTexts);
// The number of child elements of the key element, at least 1 when the element exists; 0 when it
// does not or there is no table.
int LocalizeCount(const char* key);
