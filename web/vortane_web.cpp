// The vortane page: the current edition in the browser's shell.
#include "render/current_edition.h"
#include "web/web_shell.h"

int main() {
    RunWebGame(currentEdition);
    return 0;
}
