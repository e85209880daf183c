#include "tests/soak/trace_json.h"

#include <charconv>
#include <cstdlib>

bool JsonLine::Fail(const char* what) {
    if (!failed_) error_ = std::string(what) + " at column " + std::to_string(pos_ + 1);
    failed_ = true;
    return false;
}

void JsonLine::SkipSpace() {
    while (pos_ < in_.size() &&
           (in_[pos_] == ' ' || in_[pos_] == '\t' || in_[pos_] == '\r' || in_[pos_] == '\n')) {
        ++pos_;
    }
}

bool JsonLine::Parse(std::string_view line) {
    in_ = line;
    pos_ = 0;
    nodes_.clear();
    kids_.clear();
    stack_.clear();
    error_.clear();
    failed_ = false;
    root_ = Value();
    SkipSpace();
    if (!failed_ && pos_ != in_.size()) Fail("text after the value");
    return !failed_;
}

uint32_t JsonLine::Value() {
    SkipSpace();
    uint32_t index = static_cast<uint32_t>(nodes_.size());
    nodes_.emplace_back();
    if (pos_ >= in_.size()) {
        Fail("value missing");
        return index;
    }
    char c = in_[pos_];
    if (c == '{' || c == '[') {
        bool object = c == '{';
        char close = object ? '}' : ']';
        ++pos_;
        size_t mark = stack_.size();
        SkipSpace();
        if (pos_ < in_.size() && in_[pos_] == close) {
            ++pos_;
        } else {
            for (;;) {
                std::string_view key;
                if (object) {
                    SkipSpace();
                    if (pos_ >= in_.size() || in_[pos_] != '"') {
                        Fail("member name missing");
                        return index;
                    }
                    size_t end = in_.find('"', pos_ + 1);
                    if (end == std::string_view::npos) {
                        Fail("unterminated name");
                        return index;
                    }
                    key = in_.substr(pos_ + 1, end - pos_ - 1);
                    pos_ = end + 1;
                    SkipSpace();
                    if (pos_ >= in_.size() || in_[pos_] != ':') {
                        Fail("':' missing");
                        return index;
                    }
                    ++pos_;
                }
                uint32_t child = Value();
                if (failed_) return index;
                nodes_[child].key = key;
                stack_.push_back(child);
                SkipSpace();
                if (pos_ < in_.size() && in_[pos_] == ',') {
                    ++pos_;
                    continue;
                }
                if (pos_ < in_.size() && in_[pos_] == close) {
                    ++pos_;
                    break;
                }
                Fail("',' or end of container missing");
                return index;
            }
        }
        JsonNode& node = nodes_[index];
        node.type = object ? JsonType::Object : JsonType::Array;
        node.first = static_cast<uint32_t>(kids_.size());
        node.count = static_cast<uint32_t>(stack_.size() - mark);
        kids_.insert(kids_.end(), stack_.begin() + static_cast<std::ptrdiff_t>(mark), stack_.end());
        stack_.resize(mark);
        return index;
    }
    if (c == '"') {
        size_t end = in_.find('"', pos_ + 1);
        if (end == std::string_view::npos) {
            Fail("unterminated string");
            return index;
        }
        nodes_[index].type = JsonType::String;
        nodes_[index].text = in_.substr(pos_ + 1, end - pos_ - 1);
        pos_ = end + 1;
        return index;
    }
    for (const char* word : {"null", "true", "false"}) {
        std::string_view w(word);
        if (in_.substr(pos_, w.size()) == w) {
            pos_ += w.size();
            nodes_[index].type = w == "null" ? JsonType::Null : JsonType::Bool;
            nodes_[index].boolean = w == "true";
            return index;
        }
    }
    size_t start = pos_;
    while (pos_ < in_.size()) {
        char d = in_[pos_];
        if ((d >= '0' && d <= '9') || d == '-' || d == '+' || d == '.' || d == 'e' || d == 'E') {
            ++pos_;
        } else {
            break;
        }
    }
    if (pos_ == start) {
        Fail("unexpected character");
        return index;
    }
    nodes_[index].type = JsonType::Number;
    nodes_[index].text = in_.substr(start, pos_ - start);
    return index;
}

uint32_t JsonLine::Member(uint32_t object, std::string_view name) const {
    const JsonNode& node = nodes_[object];
    if (node.type != JsonType::Object) return JSON_NONE;
    for (uint32_t i = 0; i < node.count; ++i) {
        uint32_t child = kids_[node.first + i];
        if (nodes_[child].key == name) return child;
    }
    return JSON_NONE;
}

double JsonLine::Number(uint32_t index) const {
    std::string_view t = nodes_[index].text;
    double value = 0;
    std::from_chars(t.data(), t.data() + t.size(), value);
    return value;
}

int64_t JsonLine::Integer(uint32_t index) const {
    std::string_view t = nodes_[index].text;
    int64_t value = 0;
    auto result = std::from_chars(t.data(), t.data() + t.size(), value);
    if (result.ec != std::errc() || result.ptr != t.data() + t.size())
        return static_cast<int64_t>(Number(index));
    return value;
}
