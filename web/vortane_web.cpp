// The vortane page: the current edition in the browser's shell.
#include <cstdint>

#include "game/world.h"
#include "render/current_edition.h"
#include "web/web_shell.h"

namespace {
int32_t Score() { return score; }
}  // namespace

int main() {
    static const WebEdition page = {currentEdition, Score};
    RunWebGame(page);
    return 0;
}
