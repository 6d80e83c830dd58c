#include "translation.h"

#include <QCoreApplication>
#include <QDebug>
#include <QTranslator>

namespace joyvant {

QTranslator *installInterfaceTranslation(QCoreApplication &app, const QLocale &locale)
{
    auto *translator = new QTranslator(&app);
    // Tries each of the locale's interface languages in turn (zh_Hans_CN, zh_CN, zh, ...).
    if (!translator->load(locale, QStringLiteral("joyvant"), QStringLiteral("_"), QStringLiteral(":/i18n"))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    qDebug() << "Interface translation:" << translator->language();
    return translator;
}

} // namespace joyvant
