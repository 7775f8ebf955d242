// contentcheck [DATA_FOLDER]: checks Database.pak, Textures.pak and Sounds.pak in the folder (the
// current one by default) and prints one line per problem. Exit code 0 when the content is sound,
// 1 when it has problems, 2 when an archive cannot be read.
#include <cstdio>
#include <memory>
#include <string>

#include "content_check.h"
#include "data/pakfile.h"

int main(int argc, char** argv) {
  if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
    std::fprintf(stderr, "usage: contentcheck [DATA_FOLDER]\n");
    return 2;
  }
  const std::string folder = argc == 2 ? std::string(argv[1]) + "/" : std::string();
  std::unique_ptr<CPakfile> paks[3];
  const char* names[3] = {"Database.pak", "Textures.pak", "Sounds.pak"};
  for (int i = 0; i < 3; ++i) {
    paks[i] = std::make_unique<CPakfile>(folder + names[i], false);
    if (paks[i]->GetState() != CPakfile::State::kOk) {
      std::fprintf(stderr, "contentcheck: cannot read %s%s\n", folder.c_str(), names[i]);
      return 2;
    }
  }
  const auto problems = contentcheck::CheckContent({paks[0].get(), paks[1].get(), paks[2].get()});
  for (const contentcheck::Problem& p : problems) std::printf("%s\n", p.Text().c_str());
  if (problems.empty())
    std::printf("contentcheck: the content is sound\n");
  else
    std::printf("contentcheck: %zu problem(s)\n", problems.size());
  return problems.empty() ? 0 : 1;
}
