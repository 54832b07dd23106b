#pragma once
// The game data ships as .pk3 archives; the viewer reads them in place.
#include <korvath/Pack.h>

#include <memory>
#include <string>
#include <vector>

// Mounts every .pk3 and .pak file of directory in name order, so later patches
// override earlier data; loose files beside them override all. The archives stay
// mounted while the returned objects live.
std::vector<std::unique_ptr<korvath::Pack>> MountGameArchives(const std::string& directory);
