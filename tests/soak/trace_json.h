#pragma once
// A small JSON reader for vortane-sim's trace lines. A line is parsed into a
// flat table of nodes that is reused from line to line, so reading millions of
// lines allocates nothing once the first long line has been seen. Numbers are
// kept as text and converted only when a check needs their value.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class JsonType : uint8_t { Null, Bool, Number, String, Array, Object };

struct JsonNode {
    JsonType type = JsonType::Null;
    bool boolean = false;
    std::string_view text;  // a number's digits or a string's contents
    std::string_view key;   // the member name, inside an object
    uint32_t first = 0;     // children: kids[first .. first + count)
    uint32_t count = 0;
};

class JsonLine {
public:
    // Parses one line; false (with Error() set) when it is not one JSON value.
    bool Parse(std::string_view line);
    const std::string& Error() const { return error_; }

    uint32_t Root() const { return root_; }
    const JsonNode& Node(uint32_t index) const { return nodes_[index]; }
    // The i-th child of an array or object.
    uint32_t Child(uint32_t index, uint32_t i) const { return kids_[nodes_[index].first + i]; }
    // The member of an object with this name, or UINT32_MAX.
    uint32_t Member(uint32_t object, std::string_view name) const;

    bool IsNumber(uint32_t index) const { return nodes_[index].type == JsonType::Number; }
    double Number(uint32_t index) const;
    int64_t Integer(uint32_t index) const;

private:
    uint32_t Value();
    void SkipSpace();
    bool Fail(const char* what);

    std::string_view in_;
    size_t pos_ = 0;
    std::vector<JsonNode> nodes_;
    std::vector<uint32_t> kids_;
    std::vector<uint32_t> stack_;  // children of the containers being read
    uint32_t root_ = 0;
    std::string error_;
    bool failed_ = false;
};

constexpr uint32_t JSON_NONE = UINT32_MAX;
