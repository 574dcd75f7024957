#pragma once
// Numbers and dates in the way of the language the window speaks ("2,9" in
// Portuguese, "2.9" in English), whatever locale the system runs in.

#include <QLocale>

#include "text/language.h"

namespace vek::app {

inline QLocale shownLocale() {
    return currentLanguage() == Language::English ? QLocale(QLocale::English, QLocale::UnitedStates)
                                                  : QLocale(QLocale::Portuguese, QLocale::Brazil);
}

}  // namespace vek::app
