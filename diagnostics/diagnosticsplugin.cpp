#include "hapticbench.h"
#include "mappingwizard.h"
#include "padhealth.h"
#include "padmappings.h"
#include "padreport.h"
#include "reportratebench.h"
#include "sensorbench.h"
#include "sensortrace.h"
#include "stickhealth.h"
#include "triggerrange.h"

#include <QQmlEngine>
#include <QQmlExtensionPlugin>

// com.corvane.diagnostics: measurements of a pad's sticks and triggers, its motors, light,
// sensors and report rate, reports about a pad, and controller mappings for pads SDL does
// not know, with the wizard that makes them.
class DiagnosticsPlugin : public QQmlExtensionPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QQmlExtensionInterface_iid)
public:
    void registerTypes(const char *uri) override
    {
        qmlRegisterType<joyvant::StickHealth>(uri, 1, 0, "StickHealth");
        qmlRegisterType<joyvant::TriggerRange>(uri, 1, 0, "TriggerRange");
        qmlRegisterType<joyvant::PadReport>(uri, 1, 0, "PadReport");
        qmlRegisterType<joyvant::PadHealthModel>(uri, 1, 0, "PadHealthModel");
        qmlRegisterUncreatableType<joyvant::PadHealth>(uri, 1, 0, "PadHealth",
                                                       QStringLiteral("made by PadHealthModel for each pad"));
        qmlRegisterType<joyvant::MappingWizard>(uri, 1, 0, "MappingWizard");
        qmlRegisterType<joyvant::HapticBench>(uri, 1, 0, "HapticBench");
        qmlRegisterType<joyvant::SensorBench>(uri, 1, 0, "SensorBench");
        qmlRegisterType<joyvant::ReportRateBench>(uri, 1, 0, "ReportRateBench");
        qmlRegisterType<joyvant::SensorTrace>(uri, 1, 0, "SensorTrace");
        qmlRegisterSingletonType<joyvant::PadMappings>(
            uri, 1, 0, "PadMappings",
            [](QQmlEngine *, QJSEngine *) -> QObject * { return new joyvant::PadMappings; });
    }
};

#include "diagnosticsplugin.moc"
