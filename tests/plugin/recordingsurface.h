#pragma once

// A video surface that keeps a log of what a producer does with it: every start
// (with its format), every stop and every presented frame as an image.

#include <QAbstractVideoSurface>
#include <QImage>
#include <QStringList>
#include <QVector>
#include <QVideoFrame>
#include <QVideoSurfaceFormat>

class RecordingSurface : public QAbstractVideoSurface
{
    Q_OBJECT
public:
    using QAbstractVideoSurface::QAbstractVideoSurface;

    QList<QVideoFrame::PixelFormat> supportedPixelFormats(QAbstractVideoBuffer::HandleType type
                                                          = QAbstractVideoBuffer::NoHandle) const override
    {
        if (type != QAbstractVideoBuffer::NoHandle)
            return {};
        return {QVideoFrame::Format_ARGB32};
    }

    bool start(const QVideoSurfaceFormat &format) override
    {
        events.append(QStringLiteral("start"));
        formats.append(format);
        return QAbstractVideoSurface::start(format);
    }

    void stop() override
    {
        events.append(QStringLiteral("stop"));
        QAbstractVideoSurface::stop();
    }

    bool present(const QVideoFrame &frame) override
    {
        events.append(QStringLiteral("present"));
        QVideoFrame copy(frame);
        QImage image;
        if (copy.map(QAbstractVideoBuffer::ReadOnly)) {
            image = QImage(copy.bits(), copy.width(), copy.height(), copy.bytesPerLine(),
                           QVideoFrame::imageFormatFromPixelFormat(copy.pixelFormat()))
                        .copy();
            copy.unmap();
        }
        frames.append(image);
        frameStartTimes.append(frame.startTime());
        emit presented();
        return true;
    }

    int count(const QString &event) const { return events.count(event); }
    void clear()
    {
        events.clear();
        formats.clear();
        frames.clear();
        frameStartTimes.clear();
    }

    QStringList events;
    QVector<QVideoSurfaceFormat> formats;
    QVector<QImage> frames;
    QVector<qint64> frameStartTimes;

signals:
    void presented();
};
