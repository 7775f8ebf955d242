// Fills the venue's parts with the hint button and its halo, the click penalty, the inventory
// strip and its rules, and portals.
#pragma once

struct VenueParts;

void InstallSearchParts(VenueParts& parts);
// The parts a venue starts with in the game: everything above.
VenueParts DefaultVenueParts();
