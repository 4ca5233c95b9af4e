#pragma once

// Which map a 3-D view shows: the fuel map (KmapData) or the ignition map (IGmapData).
enum class Map3DKind { Fi, Ig };
