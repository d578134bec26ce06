#pragma once

#include "presentation/flights.h"
#include "session/human_input.h"
