// The interface's translation: the bundle's Simplified Chinese file is installed for a
// Chinese locale and the pad health view's captions are then Chinese; for English they
// stay in their English source. The same run also checks that every text of the view's
// documents has its translation. The test runs twice (see CMakeLists.txt): once with
// the system's language set to Chinese and once to English, so the program's own choice
// (QLocale::system()) is tested too.
#include "translation.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QRegularExpression>
#include <QScopedPointer>
#include <QTest>
#include <QTranslator>

class TestTranslation : public QObject
{
    Q_OBJECT

private:
    // Every text that `call` finds in the file at `path` has a translation in `context`.
    void checkTexts(const QTranslator &translator, const QString &path, const QByteArray &context,
                    const QRegularExpression &call, int &texts)
    {
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        auto matches = call.globalMatch(QString::fromUtf8(file.readAll()));
        while (matches.hasNext()) {
            const QString text = matches.next().captured(1).replace(QStringLiteral("\\\""), QStringLiteral("\""));
            const QString translation = translator.translate(context.constData(), text.toUtf8().constData());
            QVERIFY2(!translation.isEmpty(), qPrintable(QStringLiteral("%1: \"%2\"").arg(path, text)));
            ++texts;
        }
    }

    // The caption of the pad health view, as a fresh engine shows it now.
    QString viewCaption()
    {
        QQmlEngine engine;
        engine.addImportPath(QStringLiteral(":/imports"));
        // The view's bench uses the diagnostics module, found beside the program.
        engine.addImportPath(QStringLiteral(JOYVANT_BIN_DIR));
        QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/padhealth/PadHealthViewForm.ui.qml")));
        QScopedPointer<QObject> view(component.create());
        if (!view) {
            qWarning() << component.errors();
            return QString();
        }
        QObject *title = view->findChild<QObject *>(QStringLiteral("viewTitle"));
        return title ? title->property("text").toString() : QString();
    }

private slots:
    void captions_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<bool>("translated");
        QTest::addColumn<QString>("caption");
        QTest::newRow("zh_CN") << QLocale(QLocale::Chinese, QLocale::China) << true << QStringLiteral("手柄健康");
        QTest::newRow("zh_Hans") << QLocale(QLocale::Chinese, QLocale::SimplifiedHanScript, QLocale::China) << true
                                 << QStringLiteral("手柄健康");
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << false
                               << QStringLiteral("Pad health");
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << false << QStringLiteral("Pad health");
    }
    void captions()
    {
        QFETCH(QLocale, locale);
        QFETCH(bool, translated);
        QFETCH(QString, caption);
        QTranslator *translator = joyvant::installInterfaceTranslation(*QCoreApplication::instance(), locale);
        QCOMPARE(translator != nullptr, translated);
        QCOMPARE(viewCaption(), caption);
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }

    // The program's choice: the system's language, set by the environment of the run.
    void systemLocale()
    {
        const bool chinese = QLocale::system().language() == QLocale::Chinese;
        QTranslator *translator = joyvant::installInterfaceTranslation(*QCoreApplication::instance(), QLocale::system());
        QCOMPARE(translator != nullptr, chinese);
        QCOMPARE(viewCaption(), chinese ? QStringLiteral("手柄健康") : QStringLiteral("Pad health"));
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }

    // Every qsTr text of the view's documents has a Chinese translation.
    void everyTextIsTranslated()
    {
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/i18n/joyvant_zh_CN.qm")));
        const QRegularExpression call(QStringLiteral("qsTr\\(\"((?:[^\"\\\\]|\\\\.)*)\""));
        int texts = 0;
        for (const char *folder : {"/resources/padhealth", "/resources/padbench", "/resources/mappingwizard"}) {
            QDirIterator documents(QStringLiteral(JOYVANT_SOURCE_DIR) + QLatin1String(folder), {QStringLiteral("*.qml")});
            while (documents.hasNext()) {
                const QString path = documents.next();
                // qsTr's context is the document's name without its last suffix.
                const QByteArray context = QFileInfo(path).completeBaseName().toUtf8();
                checkTexts(translator, path, context, call, texts);
            }
        }
        QVERIFY(texts > 110);
    }

    // The mapping wizard's steps and messages, which its panel shows as they come.
    void wizardTextsAreTranslated()
    {
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(":/i18n/joyvant_zh_CN.qm")));
        const QString path = QStringLiteral(JOYVANT_SOURCE_DIR "/diagnostics/mappingwizard.cpp");
        // The steps' names and prompts, then what the class itself says.
        const QString text = QStringLiteral("\\(\"((?:[^\"\\\\]|\\\\.)*)\"");
        int texts = 0;
        checkTexts(translator, path, "MappingWizard", QRegularExpression(QStringLiteral("STEP_TEXT") + text), texts);
        QVERIFY(texts > 50);
        // tr() of a class in a namespace takes its qualified name as the context.
        checkTexts(translator, path, "joyvant::MappingWizard",
                   QRegularExpression(QStringLiteral("\\btr") + text), texts);
        QVERIFY(texts > 60);
    }
};

QTEST_MAIN(TestTranslation)
#include "tst_translation.moc"
