// One line per scene class: the factory builds a scene only for classes registered here, and a
// transition to any other class fades back in on the old scene.
#include "app/scene_builders.h"

#include "app/shell.h"
#include "devtools/cheat_environment.h"
#include "flow/environment_factory.h"
#include "flow/epilogue.h"
#include "flow/main_menu.h"
#include "flow/map_environment.h"
#include "puzzles/circuit_puzzle_environment.h"
#include "puzzles/jewel_puzzle_environment.h"
#include "puzzles/camera_puzzle_environment.h"
#include "puzzles/jigsaw_environment.h"
#include "puzzles/match3_puzzle_environment.h"
#include "puzzles/room_lock_environment.h"
#include "puzzles/safe_puzzle_environment.h"
#include "puzzles/player_piano_environment.h"
#include "puzzles/microscope_environment.h"
#include "puzzles/slide_puzzle_environment.h"
#include "puzzles/streetcar_power_environment.h"
#include "puzzles/trolley_barn_door_environment.h"
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
  RegisterEnvironmentBuilder(TypeId::kMatch3PuzzleEnvironment, &BuildMatch3Puzzle);
  RegisterEnvironmentBuilder(TypeId::kCircuitPuzzleEnvironment, &BuildCircuitPuzzle);
  RegisterEnvironmentBuilder(TypeId::kJewelPuzzleEnvironment, &BuildJewelPuzzle);
  RegisterEnvironmentBuilder(TypeId::kStreetcarPowerEnvironment, &BuildStreetcarPower);
  RegisterEnvironmentBuilder(TypeId::kTrolleyBarnDoorEnvironment, &BuildTrolleyBarnDoor);
  RegisterEnvironmentBuilder(TypeId::kCameraPuzzleEnvironment, &BuildCameraPuzzle);
  RegisterEnvironmentBuilder(TypeId::kMicroscopeEnvironment, &BuildMicroscope);
  RegisterEnvironmentBuilder(TypeId::kCheatEnvironment, &BuildCheatScreen);
  RegisterEnvironmentBuilder(TypeId::kSafePuzzleEnvironment, &BuildSafePuzzle);
  RegisterEnvironmentBuilder(TypeId::kRoomLockPuzzleEnvironment, &BuildRoomLockPuzzle);
  RegisterEnvironmentBuilder(TypeId::kPlayerPianoEnvironment, &BuildPlayerPiano);
  GetVenueParts().isCheatMode = &IsCheatMode;
}
