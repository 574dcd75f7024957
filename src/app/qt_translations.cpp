#include "app/qt_translations.h"

#include "unit/language.h"

namespace vek::app {

bool installQtTranslations() { return loadQtTranslations(Language::Portuguese); }

}  // namespace vek::app
