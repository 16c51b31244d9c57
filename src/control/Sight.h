// What a player can see of the map and its objects: the rules and the views
// ask core/Sight.h, which the renderer (view/) can reach too.
#pragma once

#include "core/Sight.h"
