#include <SDL.h>

#include "core/game.h"
#include "platform/surface.h"
