// The pictures of the window through the libjpeg decoder: every picture the
// window and its dialogs show decodes at its size, and a damaged, truncated or
// foreign file gives a null or partial picture, never a crash.
#include "resources/JpegImage.h"

#include <QFile>

#include <gtest/gtest.h>

#include <random>

namespace flexara {
namespace {

QByteArray ResourceBytes(const char* name)
{
    QFile file(QStringLiteral(":/pictures/") + QString::fromUtf8(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(JpegImageTest, WindowPicturesDecodeAtTheirSizes)
{
    struct Picture {
        const char* name;
        QSize size;
    };
    const Picture pictures[] = {
        {"sinais.jpg", QSize(94, 76)}, {"icone.jpg", QSize(32, 32)}, {"logo1.jpg", QSize(48, 48)},
        {"logo2.jpg", QSize(48, 48)},  {"logo3.jpg", QSize(48, 48)},
    };
    for (const Picture& p : pictures) {
        SCOPED_TRACE(p.name);
        const QImage image = LoadJpegResource(QStringLiteral(":/pictures/") + QString::fromUtf8(p.name));
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), p.size);
    }
    // The sign convention sits on the silver of its group and shows red arrows.
    const QImage signs = LoadJpegResource(QStringLiteral(":/pictures/sinais.jpg"));
    const QColor corner = signs.pixelColor(1, 1);
    EXPECT_NEAR(corner.red(), 192, 6);
    EXPECT_NEAR(corner.blue(), 192, 6);
    int red = 0;
    for (int y = 0; y < signs.height(); ++y)
        for (int x = 0; x < signs.width(); ++x) {
            const QColor c = signs.pixelColor(x, y);
            red += c.red() > 180 && c.green() < 80 && c.blue() < 80;
        }
    EXPECT_GT(red, 40);
    EXPECT_TRUE(LoadJpegResource(QStringLiteral(":/pictures/nao-existe.jpg")).isNull());
}

// Offset of the first byte after the SOFn marker's length, or -1.
int FrameHeaderOffset(const QByteArray& bytes)
{
    for (int i = 2; i + 1 < bytes.size(); ++i)
        if (static_cast<unsigned char>(bytes[i]) == 0xFF && (static_cast<unsigned char>(bytes[i + 1]) & 0xF0) == 0xC0 &&
            static_cast<unsigned char>(bytes[i + 1]) != 0xC4 && static_cast<unsigned char>(bytes[i + 1]) != 0xCC)
            return i + 4;
    return -1;
}

TEST(JpegImageTest, DamagedFilesGiveNullOrPartialPictures)
{
    const QByteArray good = ResourceBytes("sinais.jpg");
    ASSERT_FALSE(good.isEmpty());
    const QSize size(94, 76);
    const int frame = FrameHeaderOffset(good);
    ASSERT_GT(frame, 0);

    std::mt19937 random(20011);
    QByteArray noise(4000, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random() & 0xFF);
    QByteArray flipped = good;
    for (int i = good.size() / 2; i < good.size() - 2; i += 37)
        flipped[i] = static_cast<char>(flipped[i] ^ 0x5A);
    QByteArray zeroWidth = good;
    zeroWidth[frame + 3] = 0;
    zeroWidth[frame + 4] = 0;
    QByteArray huge = good;
    huge[frame + 1] = static_cast<char>(0xFF);
    huge[frame + 2] = static_cast<char>(0xFF);
    huge[frame + 3] = static_cast<char>(0xFF);
    huge[frame + 4] = static_cast<char>(0xFF);
    QByteArray noScan = good.left(frame + 10);
    QByteArray withNoise = good.left(good.size() / 3) + noise;

    struct Case {
        const char* name;
        QByteArray bytes;
        bool mustBeNull;
    };
    const Case cases[] = {
        {"empty", QByteArray(), true},
        {"noise", noise, true},
        {"only the start marker", good.left(2), true},
        {"a PNG signature", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), true},
        {"cut in the frame header", noScan, true},
        {"zero width", zeroWidth, true},
        {"65535 x 65535", huge, true},
        {"cut at a tenth", good.left(good.size() / 10), false},
        {"cut at half", good.left(good.size() / 2), false},
        {"cut before the end marker", good.left(good.size() - 2), false},
        {"scan data flipped", flipped, false},
        {"scan data followed by noise", withNoise, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = DecodeJpeg(c.bytes);
        if (c.mustBeNull) {
            EXPECT_TRUE(image.isNull());
        } else if (!image.isNull()) {
            EXPECT_EQ(image.size(), size) << "a partial picture keeps the size of the whole";
        }
    }
    EXPECT_EQ(DecodeJpeg(good).size(), size);
}

} // namespace
} // namespace flexara
