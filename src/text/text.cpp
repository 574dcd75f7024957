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

}  // namespace vek
