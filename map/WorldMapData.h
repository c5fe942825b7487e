#pragma once

class WorldMap;

// The compiled-in world map, decoded on the first call and kept for the program's life. An
// unreadable map gives an empty one (nothing drawn) rather than failing a window.
const WorldMap& WorldMapData();
