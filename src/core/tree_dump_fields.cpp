#include "core/tree_dump_fields.h"

namespace {

std::vector<TreeDumpFiller>& Fillers() {
  static std::vector<TreeDumpFiller> fillers;
  return fillers;
}

}  // namespace

void RegisterTreeDumpFiller(TreeDumpFiller filler) {
  if (filler) Fillers().push_back(filler);
}

const std::vector<TreeDumpFiller>& TreeDumpFillers() {
  return Fillers();
}
