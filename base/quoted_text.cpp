#include "base/quoted_text.h"

std::string QuoteUnprintable(const std::string& text) {
    static const char HEX[] = "0123456789abcdef";
    std::string quoted;
    quoted.reserve(text.size());
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f) {
            quoted += c;
        } else {
            quoted += "\\x";
            quoted += HEX[byte >> 4];
            quoted += HEX[byte & 15];
        }
    }
    return quoted;
}
