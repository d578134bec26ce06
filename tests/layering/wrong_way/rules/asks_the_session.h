#pragma once

#include "motion/flights.h"
#include "session/human_input.h"
