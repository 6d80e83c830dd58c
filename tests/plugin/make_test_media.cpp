// Writes the audio files of the SonoluxTestMedia QML module: make_test_media <folder>

#include "wavfile.h"

#include <QDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)
        || !wavfile::writeSine(QDir(folder).filePath(QStringLiteral("tone.wav")), 1.5, 440.0, 0.5)) {
        std::fprintf(stderr, "cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
