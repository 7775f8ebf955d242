// Player names at the profile boundary. A name becomes part of a file path, so it is accepted only
// when it is 1 to 15 characters of letters, digits, '_', '-' and space, and not all spaces; anything
// else means "no player". Names compare without regard to (ASCII) letter case: one player per name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

inline constexpr size_t kMaxPlayerNameLength = 15;
inline constexpr std::string_view kProfileExtension = ".xml";

bool IsValidPlayerName(std::string_view name);
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// The entry of a folder listing that holds the named player's profile: "<name>.xml" in any letter
// case, the exact spelling preferred. Empty when there is none (or the name is not valid).
std::string FindProfileFile(const std::vector<std::string>& listing, std::string_view name);

// The player names of a folder listing: every "<name>.xml" whose base is a valid name, in listing
// order, keeping only the first of names that differ in letter case alone.
std::vector<std::string> PlayerNamesInListing(const std::vector<std::string>& listing);
