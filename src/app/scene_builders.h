// Every scene class the game knows, registered with the scene factory at start-up.
#pragma once

void RegisterSceneBuilders();
