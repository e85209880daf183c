// The vortane-classic page: the earlier edition in the browser's shell, on a
// 1024 × 768 canvas (the browser switches no display mode).
#include <cstdint>

#include "classic/edition.h"
#include "classic/world.h"
#include "web/web_shell.h"

namespace {
int32_t Score() { return classic::score; }
}  // namespace

int main() {
    static const WebEdition page = {classic::edition, Score};
    RunWebGame(page);
    return 0;
}
