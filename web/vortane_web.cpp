// The vortane page: the current edition in the browser's shell.
#include "current/edition.h"
#include "web/web_shell.h"

int main() {
    RunWebGame(currentEdition);
    return 0;
}
