#pragma once
// Qt's own words (standard buttons, context menus, file dialogs) in the
// window's language.

namespace vek::app {

// Loads Qt's Brazilian Portuguese translations into the application; false
// when they are not installed (the window then still works, those words in
// English).
bool installQtTranslations();

}  // namespace vek::app
