// The shipped scene list: it parses, every scene has the fields the program needs, and
// every shader, picture and music file it names is in the bundle.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>
#include <QtTest>

namespace {

QString resourcePath(const QString &url)
{
    const QUrl parsed(url);
    return parsed.scheme() == QLatin1String("qrc") ? QLatin1Char(':') + parsed.path() : QString();
}

} // namespace

class TestScenes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QFile file(QStringLiteral(JOYVANT_BIN_DIR "/scenes.json"));
        QVERIFY2(file.open(QIODevice::ReadOnly), "scenes.json lies next to the program");
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
        QVERIFY(document.isObject());
        QVERIFY(document.object().value(QStringLiteral("scenes")).isArray());
        m_scenes = document.object().value(QStringLiteral("scenes")).toArray();
        QVERIFY(m_scenes.size() >= 10);
    }

    void everySceneIsComplete()
    {
        QSet<QString> shaders;
        int withMusic = 0;
        for (const QJsonValue &value : qAsConst(m_scenes)) {
            QVERIFY(value.isObject());
            const QJsonObject scene = value.toObject();
            const QString shader = scene.value(QStringLiteral("fragmentShader")).toString();
            QVERIFY2(QFile::exists(resourcePath(shader)), qPrintable(shader));
            shaders.insert(shader);

            QVERIFY2(scene.value(QStringLiteral("channels")).isArray(), qPrintable(shader));
            for (const QJsonValue &channel : scene.value(QStringLiteral("channels")).toArray()) {
                const QString type = channel.toObject().value(QStringLiteral("type")).toString();
                const QString source = channel.toObject().value(QStringLiteral("source")).toString();
                QVERIFY2(type == QLatin1String("image") || type == QLatin1String("video"), qPrintable(shader));
                QVERIFY2(QFile::exists(resourcePath(source)), qPrintable(source));
            }

            if (scene.contains(QStringLiteral("audio"))) {
                const QString audio = scene.value(QStringLiteral("audio")).toString();
                QVERIFY2(QFile::exists(resourcePath(audio)), qPrintable(audio));
                ++withMusic;
            }
        }
        QCOMPARE(shaders.size(), m_scenes.size()); // no shader twice
        QVERIFY(withMusic >= 1);
        // The widgets' own shaders are not backgrounds.
        QVERIFY(!shaders.contains(QStringLiteral("qrc:/shaders/Ring.frag")));
        QVERIFY(!shaders.contains(QStringLiteral("qrc:/shaders/XBoxLogo.frag")));
    }

    // Pictures in the roles the shaders sample them in.
    void channelRoles()
    {
        const QHash<QString, QStringList> expected = {
            {QStringLiteral("Magnetismic.frag"), {QStringLiteral("qrc:/2DTextures/6.png")}},
            {QStringLiteral("NeonTunnel.frag"), {QStringLiteral("qrc:/2DTextures/6.png")}},
            {QStringLiteral("DustyNebula.frag"), {QString(), QStringLiteral("qrc:/2DTextures/6.png")}},
            {QStringLiteral("furball.frag"), {QString(), QStringLiteral("qrc:/2DTextures/5.jpg")}},
        };
        for (const QJsonValue &value : qAsConst(m_scenes)) {
            const QJsonObject scene = value.toObject();
            const QString file = QUrl(scene.value(QStringLiteral("fragmentShader")).toString()).fileName();
            if (!expected.contains(file))
                continue;
            const QJsonArray channels = scene.value(QStringLiteral("channels")).toArray();
            const QStringList wanted = expected.value(file);
            QVERIFY2(channels.size() >= wanted.size(), qPrintable(file));
            for (int i = 0; i < wanted.size(); ++i) {
                if (!wanted.at(i).isEmpty())
                    QCOMPARE(channels.at(i).toObject().value(QStringLiteral("source")).toString(), wanted.at(i));
            }
        }
    }

private:
    QJsonArray m_scenes;
};

QTEST_GUILESS_MAIN(TestScenes)
#include "tst_scenes.moc"
