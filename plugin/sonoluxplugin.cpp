#include "sonoluxplugin.h"

#include "sonolux.h"

#include <QtQml>

void SonoluxPlugin::registerTypes(const char *uri)
{
    qmlRegisterType<Sonolux>(uri, 1, 0, "Sonolux");
}
