#pragma once

#include <QLocale>

class QCoreApplication;
class QTranslator;

namespace joyvant {

// Installs the interface's translation for `locale` (the system's at start-up) from the
// bundle (qrc:/i18n/joyvant_<language>.qm, e.g. joyvant_zh_CN.qm) into the application,
// owned by it. Returns the translator, or null where the bundle has none for the locale's
// languages: the texts then stay in their English source.
QTranslator *installInterfaceTranslation(QCoreApplication &app, const QLocale &locale);

} // namespace joyvant
