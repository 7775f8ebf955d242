// paktool: creates, lists, extracts and checks the game's content archives.
#include <cstdio>
#include <cstring>

#include "paktool.h"

namespace paktool {

namespace {

struct Command {
  const char* name;
  const char* usage;
  const char* help;
  int (*run)(const Args&);
};

const Command kCommands[] = {
    {"create", "create OUT.pak DIR [--seed N] [--files LIST]",
     "Packs every file under DIR. Members are named by their paths relative to DIR with\n"
     "backslashes (\"GUI\\CursorHand.png\") and stored in byte order of their names; the same\n"
     "files and seed always give the same archive. N is 0..4294967295 (decimal or 0x hex,\n"
     "default 0). Names longer than 251 bytes, or two names that differ only in letter case,\n"
     "stop the tool. With --files, only the files named in LIST (one path a line, absolute or\n"
     "relative to DIR, each inside DIR) are packed, so stale files in DIR are left out. The\n"
     "archive is written to a temporary file and renamed into place.",
     Create},
    {"list", "list ARCHIVE [--long]",
     "Prints the member names in directory order, one a line. With --long: the seed, then\n"
     "offset, length and name of each member.",
     List},
    {"extract", "extract ARCHIVE OUT_DIR",
     "Writes every member under OUT_DIR, backslashes becoming folders. Names that would leave\n"
     "OUT_DIR (\"..\", absolute paths) are refused; of two members with the same name (letter\n"
     "case ignored) only the first is written, as the game reads only the first.",
     Extract},
    {"verify", "verify ARCHIVE",
     "Reads the directory and every member. Exit code 0 when the archive is sound, 1 when\n"
     "anything is wrong (each problem is printed).",
     Verify},
};

const Command* FindCommand(const std::string& name) {
  for (const Command& c : kCommands)
    if (name == c.name) return &c;
  return nullptr;
}

}  // namespace

bool WantsHelp(const Args& args) {
  for (const std::string& a : args)
    if (a == "--help" || a == "-h") return true;
  return false;
}

int Usage(const std::string& command, bool asked) {
  std::FILE* out = asked ? stdout : stderr;
  if (const Command* c = FindCommand(command)) {
    std::fprintf(out, "usage: paktool %s\n\n%s\n", c->usage, c->help);
  } else {
    std::fprintf(out, "usage: paktool COMMAND ARGS...   (paktool COMMAND --help for details)\n\n");
    for (const Command& c : kCommands) std::fprintf(out, "  paktool %s\n", c.usage);
  }
  return asked ? 0 : 2;
}

}  // namespace paktool

int main(int argc, char** argv) {
  using namespace paktool;
  if (argc < 2) return Usage("", false);
  std::string command = argv[1];
  if (command == "--help" || command == "-h" || command == "help")
    return Usage(argc > 2 ? argv[2] : "", true);
  Args args(argv + 2, argv + argc);
  for (const Command& c : kCommands)
    if (command == c.name) return WantsHelp(args) ? Usage(command, true) : c.run(args);
  std::fprintf(stderr, "paktool: unknown command \"%s\"\n", command.c_str());
  return Usage("", false);
}
