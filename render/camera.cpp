#include "render/scene.h"

Vector3 cameraPos;
