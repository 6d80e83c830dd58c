#include "padmappings.h"

#include "gamepadbackend.h"
#include "gamepadmappings.h"

#include <QDebug>

namespace joyvant {

PadMappings::PadMappings(QObject *parent)
    : QObject(parent)
    , m_backend(GamepadBackend::instance())
    , m_userFile(gamepadmappings::userFile())
{
}

PadMappings::~PadMappings() = default;

QString PadMappings::fileError() const
{
    return m_backend->userMappingError();
}

bool PadMappings::addMapping(const QString &mapping)
{
    return finish(m_backend->addMapping(mapping));
}

bool PadMappings::saveMapping(const QString &mapping)
{
    return finish(gamepadmappings::save(mapping, m_userFile));
}

QString PadMappings::checkMapping(const QString &mapping) const
{
    return gamepadmappings::check(mapping);
}

bool PadMappings::finish(const QString &error)
{
    if (!error.isEmpty())
        qWarning().noquote() << "Gamepad mapping refused:" << error;
    if (m_errorString != error) {
        m_errorString = error;
        emit errorStringChanged();
    }
    return error.isEmpty();
}

} // namespace joyvant
