// One line per scene class: the factory builds a scene only for classes registered here, and a
// transition to any other class fades back in on the old scene.
#include "app/scene_builders.h"

#include "app/shell.h"
#include "devtools/cheat_environment.h"
#include "flow/environment_factory.h"
#include "flow/epilogue.h"
#include "flow/main_menu.h"
#include "flow/map_environment.h"
#include "puzzles/jigsaw_environment.h"
#include "puzzles/microscope_environment.h"
#include "puzzles/slide_puzzle_environment.h"
#include "scene/game_object.h"
#include "search/search_environment.h"
#include "search/venue_parts.h"

void RegisterSceneBuilders() {
  RegisterEnvironmentBuilder(TypeId::kMainEnvironment, &BuildMainMenu);
  RegisterEnvironmentBuilder(TypeId::kMapEnvironment, &BuildMapEnvironment);
  RegisterEnvironmentBuilder(TypeId::kEpilogueEnvironment, &BuildEpilogue);
  RegisterEnvironmentBuilder(TypeId::kSearchEnvironment, &OpenSearchVenue);
  RegisterEnvironmentBuilder(TypeId::kJigsawEnvironment, &BuildJigsaw);
  RegisterEnvironmentBuilder(TypeId::kSlidePuzzleEnvironment, &BuildSlidePuzzle);
  RegisterEnvironmentBuilder(TypeId::kMicroscopeEnvironment, &BuildMicroscope);
  RegisterEnvironmentBuilder(TypeId::kCheatEnvironment, &BuildCheatScreen);
  GetVenueParts().isCheatMode = &IsCheatMode;
}
