#include "synth/noise.h"

SynthNoise synthNoise;
