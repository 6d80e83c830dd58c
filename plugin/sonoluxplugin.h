#pragma once

#include <QQmlExtensionPlugin>

// Entry point of the com.corvane.multimedia module: registers the Sonolux item
// under whatever URI the engine hands over.
class SonoluxPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)

public:
    void registerTypes(const char *uri) override;
};
