#include "game/world_fields.h"

#include <cstring>

namespace {

class Clearer : public WorldFields {
    void Visit(void* field, size_t size) override { std::memset(field, 0, size); }
};

class Sizer : public WorldFields {
public:
    size_t total = 0;

private:
    void Visit(void*, size_t size) override { total += size; }
};

class Saver : public WorldFields {
public:
    explicit Saver(std::vector<unsigned char>& bytes) : bytes(bytes) {}

private:
    void Visit(void* field, size_t size) override {
        const unsigned char* start = static_cast<const unsigned char*>(field);
        bytes.insert(bytes.end(), start, start + size);
    }
    std::vector<unsigned char>& bytes;
};

class Restorer : public WorldFields {
public:
    explicit Restorer(const unsigned char* next) : next(next) {}

private:
    void Visit(void* field, size_t size) override {
        std::memcpy(field, next, size);
        next += size;
    }
    const unsigned char* next;
};

}  // namespace

void ClearWorldFields(WorldFieldList list) {
    Clearer clearer;
    list(clearer);
}

WorldSnapshot SaveWorld(WorldFieldList list) {
    WorldSnapshot snapshot;
    Saver saver(snapshot.fields);
    list(saver);
    snapshot.random = gameRandom;
    return snapshot;
}

bool RestoreWorld(WorldFieldList list, const WorldSnapshot& snapshot) {
    Sizer sizer;
    list(sizer);
    if (sizer.total != snapshot.fields.size()) return false;
    Restorer restorer(snapshot.fields.data());
    list(restorer);
    gameRandom = snapshot.random;
    return true;
}
