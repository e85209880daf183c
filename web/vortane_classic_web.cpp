// The vortane-classic page: the earlier edition in the browser's shell, on a
// 1024 × 768 canvas (the browser switches no display mode).
#include "classic/edition.h"
#include "web/web_shell.h"

int main() {
    RunWebGame(classic::edition);
    return 0;
}
