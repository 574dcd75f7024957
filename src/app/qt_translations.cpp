#include "app/qt_translations.h"

#include "text/language.h"

namespace vek::app {

bool installQtTranslations() { return loadQtTranslations(Language::Portuguese); }

}  // namespace vek::app
