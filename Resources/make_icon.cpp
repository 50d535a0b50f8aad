// Draws the program's icon, a handheld spectrophotometer seen from the front (body, display
// with a spectrum bar, measuring aperture), and writes it as a Windows icon with 16, 32 and
// 48 pixel images plus one larger PNG for desktop menu entries.
//
// Usage: kt9_make_icon <icon.ico> <icon.png>

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSaveFile>
#include <QString>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

constexpr int ICO_SIZES[] = {16, 32, 48};
constexpr int PNG_SIZE = 64;

constexpr uint16_t ICO_TYPE_ICON = 1;
constexpr int ICO_HEADER_SIZE = 6;
constexpr int ICO_DIR_ENTRY_SIZE = 16;
constexpr int BMP_INFO_HEADER_SIZE = 40;
constexpr uint16_t BMP_BITS_PER_PIXEL = 32;
constexpr uint32_t BMP_COMPRESSION_RGB = 0;
constexpr int ICO_MAX_DIRECT_SIZE = 255; ///< larger sizes are stored as 0 in a directory entry

// Draws the instrument on a square transparent image. Coordinates are fractions of the side,
// snapped to whole pixels so that the small sizes stay sharp.
QImage drawIcon(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    const auto px = [side](double fraction) { return std::round(fraction * side); };
    const auto rect = [&px](double left, double top, double right, double bottom) {
        return QRectF(QPointF(px(left), px(top)), QPointF(px(right), px(bottom)));
    };
    const double edge = std::max(1.0, side / 24.0);

    const QRectF body = rect(0.20, 0.04, 0.80, 0.96);
    QLinearGradient bodyFill(body.topLeft(), body.topRight());
    bodyFill.setColorAt(0.0, QColor(0x4a, 0x5a, 0x6e));
    bodyFill.setColorAt(0.5, QColor(0x34, 0x42, 0x54));
    bodyFill.setColorAt(1.0, QColor(0x24, 0x2f, 0x3c));
    painter.setBrush(QColor(0x16, 0x1d, 0x26));
    painter.drawRoundedRect(body, side * 0.16, side * 0.16);
    painter.setBrush(bodyFill);
    painter.drawRoundedRect(body.adjusted(edge, edge, -edge, -edge), side * 0.14, side * 0.14);

    const QRectF display = rect(0.30, 0.13, 0.70, 0.47);
    painter.setBrush(QColor(0x0b, 0x14, 0x1c));
    painter.drawRoundedRect(display, side * 0.04, side * 0.04);

    // The spectrum bar: violet to red across the lower half of the display.
    const QRectF spectrum = rect(0.34, 0.30, 0.66, 0.42);
    QLinearGradient rainbow(spectrum.topLeft(), spectrum.topRight());
    const QVector<QColor> hues = {QColor(0x7a, 0x3c, 0xff), QColor(0x2d, 0x6b, 0xff),
                                  QColor(0x20, 0xc8, 0xd8), QColor(0x3c, 0xd2, 0x3c),
                                  QColor(0xf0, 0xe0, 0x28), QColor(0xff, 0x8c, 0x1e),
                                  QColor(0xe8, 0x28, 0x28)};
    for (int i = 0; i < hues.size(); ++i)
        rainbow.setColorAt(double(i) / (hues.size() - 1), hues.at(i));
    painter.setBrush(rainbow);
    painter.drawRect(spectrum);

    // A reading line above the bar on the sizes that have room for it.
    if (side >= 32) {
        painter.setBrush(QColor(0x9f, 0xe8, 0xc8));
        painter.drawRect(rect(0.34, 0.18, 0.56, 0.23));
    }

    // The measuring aperture: a bright ring around a dark opening with a lit centre.
    const QPointF centre(side * 0.5, px(0.73));
    const double ring = side * 0.15;
    QRadialGradient ringFill(centre, ring);
    ringFill.setColorAt(0.0, QColor(0xf4, 0xf6, 0xf8));
    ringFill.setColorAt(1.0, QColor(0xa8, 0xb2, 0xbe));
    painter.setBrush(ringFill);
    painter.drawEllipse(centre, ring, ring);
    painter.setBrush(QColor(0x10, 0x16, 0x1e));
    painter.drawEllipse(centre, ring * 0.62, ring * 0.62);
    painter.setBrush(QColor(0xff, 0xff, 0xff));
    painter.drawEllipse(centre, ring * 0.22, ring * 0.22);
    return image;
}

void appendLe16(QByteArray &out, uint16_t value)
{
    out.append(char(value & 0xff));
    out.append(char(value >> 8));
}

void appendLe32(QByteArray &out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xff));
}

// One icon image as a 32-bit bottom-up bitmap: header with doubled height, BGRA pixels
// (straight alpha), then the 1-bit mask in which set bits mark transparent pixels.
QByteArray bitmapEntry(const QImage &drawn)
{
    const QImage image = drawn.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    const int height = image.height();
    const int maskStride = ((width + 31) / 32) * 4;
    const uint32_t pixelBytes = uint32_t(width) * uint32_t(height) * 4;
    const uint32_t maskBytes = uint32_t(maskStride) * uint32_t(height);

    QByteArray out;
    appendLe32(out, BMP_INFO_HEADER_SIZE);
    appendLe32(out, uint32_t(width));
    appendLe32(out, uint32_t(height) * 2);
    appendLe16(out, 1);
    appendLe16(out, BMP_BITS_PER_PIXEL);
    appendLe32(out, BMP_COMPRESSION_RGB);
    appendLe32(out, pixelBytes + maskBytes);
    appendLe32(out, 0);
    appendLe32(out, 0);
    appendLe32(out, 0);
    appendLe32(out, 0);

    for (int y = height - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            out.append(char(qBlue(line[x])));
            out.append(char(qGreen(line[x])));
            out.append(char(qRed(line[x])));
            out.append(char(qAlpha(line[x])));
        }
    }
    for (int y = height - 1; y >= 0; --y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < width; ++x) {
            if (qAlpha(line[x]) == 0)
                row[x / 8] = char(row.at(x / 8) | (0x80 >> (x % 8)));
        }
        out.append(row);
    }
    return out;
}

QByteArray iconFile(const QVector<QImage> &images)
{
    QVector<QByteArray> entries;
    for (const QImage &image : images)
        entries.append(bitmapEntry(image));

    QByteArray out;
    appendLe16(out, 0);
    appendLe16(out, ICO_TYPE_ICON);
    appendLe16(out, uint16_t(images.size()));
    uint32_t offset = uint32_t(ICO_HEADER_SIZE + ICO_DIR_ENTRY_SIZE * images.size());
    for (int i = 0; i < images.size(); ++i) {
        const int width = images.at(i).width();
        const int height = images.at(i).height();
        out.append(char(width > ICO_MAX_DIRECT_SIZE ? 0 : width));
        out.append(char(height > ICO_MAX_DIRECT_SIZE ? 0 : height));
        out.append(char(0)); // no palette
        out.append(char(0)); // reserved
        appendLe16(out, 1);  // colour planes
        appendLe16(out, BMP_BITS_PER_PIXEL);
        appendLe32(out, uint32_t(entries.at(i).size()));
        appendLe32(out, offset);
        offset += uint32_t(entries.at(i).size());
    }
    for (const QByteArray &entry : entries)
        out.append(entry);
    return out;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <icon.ico> <icon.png>\n", argv[0]);
        return 2;
    }
    const QString icoPath = QString::fromLocal8Bit(argv[1]);
    const QString pngPath = QString::fromLocal8Bit(argv[2]);

    QVector<QImage> images;
    for (int side : ICO_SIZES)
        images.append(drawIcon(side));
    if (!writeFile(icoPath, iconFile(images))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    if (!drawIcon(PNG_SIZE).save(pngPath, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
