#pragma once
#include <string>

#include "game/edition.h"

// Every edition the tools can run, as their --edition option names them.
extern const Edition* const EDITIONS[2];

// The edition with this name ("current" or "classic"), or nullptr.
const Edition* FindEdition(const std::string& name);
