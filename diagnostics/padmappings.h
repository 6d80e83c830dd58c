#pragma once

#include <QObject>
#include <QSharedPointer>
#include <QString>

namespace joyvant {

class GamepadBackend;

// Controller mappings for pads that SDL does not know as game controllers (singleton
// `PadMappings`). A mapping is one line of SDL's format; see gamepadmappings.h.
//
// addMapping() makes it take effect at once: the pad appears as a game controller
// (GamepadManager reports it connected) without a restart. saveMapping() stores it in
// the user's mapping file, which the gamepad module loads at start, keeping the file's
// other lines, malformed ones too; a failed save (a full disk, say) leaves the file as
// it was. A malformed mapping is refused with `errorString` saying why, and nothing
// changes. What SDL takes is described in gamepadmappings.h.
class PadMappings : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString userFile READ userFile CONSTANT)
    Q_PROPERTY(QString fileError READ fileError CONSTANT)
    Q_PROPERTY(QString errorString READ errorString NOTIFY errorStringChanged)

public:
    explicit PadMappings(QObject *parent = nullptr);
    ~PadMappings() override;

    // The user's mapping file (it may not exist yet).
    QString userFile() const { return m_userFile; }
    // What was not loaded from the user's mapping file at start, one line each: why
    // the file was not read (not a regular file, too large), or each skipped line's
    // number and fault. Empty when everything loaded, or when there is no file.
    QString fileError() const;
    // Why the last call failed; empty after a success.
    QString errorString() const { return m_errorString; }

    Q_INVOKABLE bool addMapping(const QString &mapping);
    Q_INVOKABLE bool saveMapping(const QString &mapping);
    // Empty when `mapping` is well formed, otherwise what is wrong with it; changes nothing.
    Q_INVOKABLE QString checkMapping(const QString &mapping) const;

signals:
    void errorStringChanged();

private:
    bool finish(const QString &error);

    QSharedPointer<GamepadBackend> m_backend;
    QString m_userFile;
    QString m_errorString;
};

} // namespace joyvant
