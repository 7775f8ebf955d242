// The commands of paktool. Each returns the process exit code: 0 success, 1 failure, 2 usage.
#pragma once

#include <string>
#include <vector>

namespace paktool {

using Args = std::vector<std::string>;

int Create(const Args& args);
int List(const Args& args);
int Extract(const Args& args);
int Verify(const Args& args);

bool WantsHelp(const Args& args);
// Prints the usage of one command (or of all) and returns exit code 2, or 0 when asked for.
int Usage(const std::string& command, bool asked);

}  // namespace paktool
