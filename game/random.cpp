#include "game/random.h"

RandomGenerator gameRandom;
