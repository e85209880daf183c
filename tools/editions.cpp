#include "tools/editions.h"

#include "classic/edition.h"
#include "current/edition.h"

const Edition* const EDITIONS[2] = {&currentEdition, &classic::edition};

const Edition* FindEdition(const std::string& name) {
    for (const Edition* edition : EDITIONS) {
        if (name == edition->name) return edition;
    }
    return nullptr;
}
