// The bundle's fonts as the generator made them: the interface face holds the text the
// documents show (and not the rest of the CJK range), the LED face is the
// seven-segment DSEG7.
#include <QDirIterator>
#include <QGuiApplication>
#include <QRawFont>
#include <QRegularExpression>
#include <QtTest>

class TestFonts : public QObject
{
    Q_OBJECT

private slots:
    void interfaceFaceCoversEveryDocument()
    {
        const QRawFont face(QStringLiteral(":/fonts/SourceHanSansCN-Bold.otf"), 16);
        QVERIFY(face.isValid());
        QCOMPARE(face.familyName(), QStringLiteral("Joyvant Sans CJK"));

        // Every CJK character in the bundle's documents, wherever a later change adds one.
        const QRegularExpression cjk(QStringLiteral("[\\x{3000}-\\x{303f}\\x{3400}-\\x{4dbf}\\x{4e00}-\\x{9fff}]"));
        int checked = 0;
        // The bundle holds the documents compiled; their sources are in the tree.
        QDirIterator it(QStringLiteral(JOYVANT_SOURCE_DIR "/resources"), {QStringLiteral("*.qml")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            for (auto match = cjk.globalMatch(text); match.hasNext();) {
                const QString character = match.next().captured();
                QVERIFY2(face.supportsCharacter(character.at(0)),
                         qPrintable(character + QStringLiteral(" in ") + file.fileName()));
                ++checked;
            }
        }
        QVERIFY(checked > 0); // the window title alone has six

        for (char16_t c = 0x20; c < 0x7F; ++c)
            QVERIFY(face.supportsCharacter(QChar(c)));
        for (char16_t c = 0xA1; c <= 0xFF; ++c)
            QVERIFY(face.supportsCharacter(QChar(c)));
        QVERIFY(!face.supportsCharacter(QChar(0x9F98))); // shown nowhere: left out
    }

    void ledFaceIsSevenSegment()
    {
        const QRawFont led(QStringLiteral(":/fonts/advanced_led_board-7.ttf"), 16);
        QVERIFY(led.isValid());
        QCOMPARE(led.familyName(), QStringLiteral("DSEG7 Classic"));
        QCOMPARE(led.styleName(), QStringLiteral("Bold"));
        // Digits and minus for the stick read-outs, the face buttons' letters.
        for (const QChar c : QStringLiteral("0123456789-ABXY"))
            QVERIFY(led.supportsCharacter(c));
    }
};

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
