// The bundle's fonts as the generator made them: the interface face holds the text the
// documents show (and not the rest of the CJK range), the LED faces are the
// seven-segment DSEG7 for numbers and the fourteen-segment DSEG14 for letters.
#include <QDirIterator>
#include <QGuiApplication>
#include <QPainterPath>
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
        // Digits, minus and the decimal point of the read-outs.
        for (const QChar c : QStringLiteral("0123456789-."))
            QVERIFY(led.supportsCharacter(c));
    }

    // Every letter an LED text of the interface shows (the face buttons' textValue) has a
    // glyph of its own: no two letters, and no letter and "H", share one outline.
    void ledLetterFaceDrawsEveryLetter()
    {
        const QRawFont face(QStringLiteral(":/fonts/DSEG14Classic-Bold.ttf"), 24);
        QVERIFY(face.isValid());
        QCOMPARE(face.familyName(), QStringLiteral("DSEG14 Classic"));
        QCOMPARE(face.styleName(), QStringLiteral("Bold"));

        QString letters;
        const QRegularExpression textValue(QStringLiteral("textValue: \"([^\"]*)\""));
        QDirIterator it(QStringLiteral(JOYVANT_SOURCE_DIR "/resources"), {QStringLiteral("*.qml")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            for (auto match = textValue.globalMatch(QString::fromUtf8(file.readAll())); match.hasNext();)
                letters += match.next().captured(1);
        }
        for (const QChar c : QStringLiteral("ABXY"))
            QVERIFY2(letters.contains(c), "the face buttons' letters are found in the documents");

        QVector<QPair<QChar, QPainterPath>> outlines;
        for (const QChar c : letters + QLatin1Char('H')) {
            QVERIFY2(face.supportsCharacter(c), qPrintable(QString(c)));
            const QVector<quint32> glyphs = face.glyphIndexesForString(QString(c));
            QCOMPARE(glyphs.size(), 1);
            const QPainterPath outline = face.pathForGlyph(glyphs.first());
            QVERIFY2(!outline.isEmpty(), qPrintable(QString(c)));
            for (const auto &other : qAsConst(outlines)) {
                if (other.first != c)
                    QVERIFY2(other.second != outline, qPrintable(QString(c) + QStringLiteral(" looks like ") + other.first));
            }
            outlines.append({c, outline});
        }
    }
};

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
