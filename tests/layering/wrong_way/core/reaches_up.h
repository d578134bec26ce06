// A tree that breaks each layering rule once, so the check is seen to catch every kind.
#pragma once

#include "core/game.h"
#include "platform/surface.h"
#include "rules/play.h"
