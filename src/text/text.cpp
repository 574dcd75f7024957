#include "text/text.h"

#include <atomic>

namespace vek {

namespace {
std::atomic<Translate> installed{nullptr};
}

void setTranslate(Translate translate) { installed.store(translate); }

Text::operator const char*() const {
    const Translate translate = installed.load();
    return translate ? translate(context, source) : source;
}

std::string fill(std::string_view pattern, std::initializer_list<Arg> values) {
    std::string out;
    out.reserve(pattern.size() + 16 * values.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (n < values.size()) {
                out += (values.begin() + n)->text();
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string hexByte(unsigned value) {
    static const char digits[] = "0123456789ABCDEF";
    return {digits[(value >> 4) & 0xF], digits[value & 0xF]};
}

}  // namespace vek
