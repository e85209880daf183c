#pragma once
#include <cstddef>
#include <type_traits>
#include <vector>

#include "game/random.h"

// An edition's world as one list of fields. Each edition writes its list once,
// beside its tables; clearing the world, saving it and putting it back all walk
// that list, so a field added to the list is cleared, saved and restored with the
// rest, and one left off it shows in the tests as state leaking from game to game.
// Every field is plain data, cleared and copied byte for byte.
class WorldFields {
public:
    template <typename T>
    WorldFields& operator()(T& field) {
        static_assert(std::is_trivially_copyable<T>::value, "a world field is plain data");
        Visit(&field, sizeof field);
        return *this;
    }

protected:
    ~WorldFields() = default;
    virtual void Visit(void* field, size_t size) = 0;
};

// An edition's list: hands each field of its world to `fields`, always in the same order.
using WorldFieldList = void (*)(WorldFields& fields);

// Every listed field to all-zero bits.
void ClearWorldFields(WorldFieldList list);

// A whole world saved: every listed field and the random generator's state.
struct WorldSnapshot {
    std::vector<unsigned char> fields;
    RandomGenerator random;
};
WorldSnapshot SaveWorld(WorldFieldList list);

// Puts a snapshot of the same list back; false (and nothing changed) for a
// snapshot of another list.
bool RestoreWorld(WorldFieldList list, const WorldSnapshot& snapshot);
