#pragma once

#include "numbertext.h"

#include <QLocale>

// How the locale writes numbers, as the number texts need it.
LocaleFacts localeFacts(const QLocale &locale = QLocale::system());
