// Build-time tool: renders the program's SVG picture into a Windows icon file of
// twelve images (16 colours, 256 colours and 32-bit with transparency), and
// optionally into PNG icons for the desktop's icon theme.
// Usage: makeicon picture.svg out.ico [png-theme-folder]

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtEndian>
#include <cstdio>

namespace {

struct Image {
    int size;
    int bits; // 4, 8 or 32
};

const Image Images[] = {{32, 4},  {16, 4},  {48, 8},  {32, 8},  {16, 8},  {64, 32},
                        {48, 32}, {40, 32}, {32, 32}, {24, 32}, {20, 32}, {16, 32}};

// Sizes of the PNG icons for the desktop's icon theme.
const int PngSizes[] = {16, 24, 32, 48, 64, 128, 256};

// The 16 colours of the classic Windows palette.
const QList<QRgb> Vga16 = {0xff000000, 0xff800000, 0xff008000, 0xff808000, 0xff000080, 0xff800080,
                           0xff008080, 0xffc0c0c0, 0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00,
                           0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff};

void put16(QByteArray& out, quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}
void put32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

// The bitmap header of one icon image (colour rows and mask rows count as height).
void putHeader(QByteArray& out, int n, int bits, int imageBytes, int colours) {
    put32(out, 40);
    put32(out, static_cast<quint32>(n));
    put32(out, static_cast<quint32>(2 * n));
    put16(out, 1);
    put16(out, static_cast<quint16>(bits));
    put32(out, 0);
    put32(out, static_cast<quint32>(imageBytes));
    put32(out, 0);
    put32(out, 0);
    put32(out, static_cast<quint32>(colours));
    put32(out, 0);
}

// One row of colour: BGRA, one palette index per byte, or two per byte.
QByteArray colourRow(const QImage& rgba, const QImage& pixels, int y, int bits, int rowBytes) {
    QByteArray row(rowBytes, '\0');
    for (int x = 0; x < rgba.width(); ++x) {
        if (bits == 32) {
            const QRgb c = rgba.pixel(x, y);
            row[4 * x] = static_cast<char>(qBlue(c));
            row[4 * x + 1] = static_cast<char>(qGreen(c));
            row[4 * x + 2] = static_cast<char>(qRed(c));
            row[4 * x + 3] = static_cast<char>(qAlpha(c));
        } else if (bits == 8) {
            row[x] = static_cast<char>(pixels.pixelIndex(x, y));
        } else {
            const int index = pixels.pixelIndex(x, y) & 0xf;
            row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 ? index : index << 4));
        }
    }
    return row;
}

// One icon image as a device-independent bitmap: header, palette, colour rows
// bottom-up, then the 1-bit transparency mask.
QByteArray dib(const QImage& rgba, int bits) {
    const int n = rgba.width();
    QImage pixels = rgba;
    if (bits == 4)
        pixels = rgba.convertToFormat(QImage::Format_Indexed8, Vga16, Qt::ThresholdDither);
    else if (bits == 8)
        pixels = rgba.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    const int colours = bits == 32 ? 0 : (1 << bits);
    const int rowBytes = ((n * bits + 31) / 32) * 4;
    const int maskBytes = ((n + 31) / 32) * 4;

    QByteArray out;
    putHeader(out, n, bits, (rowBytes + maskBytes) * n, colours);
    for (int i = 0; i < colours; ++i) {
        const QRgb c = i < pixels.colorCount() ? pixels.color(i) : 0;
        out.append(static_cast<char>(qBlue(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qRed(c)));
        out.append('\0');
    }
    for (int y = n - 1; y >= 0; --y)
        out += colourRow(rgba, pixels, y, bits, rowBytes);
    for (int y = n - 1; y >= 0; --y) {
        QByteArray row(maskBytes, '\0');
        for (int x = 0; x < n; ++x)
            if (qAlpha(rgba.pixel(x, y)) < 128)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        out += row;
    }
    return out;
}

QImage render(QSvgRenderer& svg, int size) {
    QImage rgba(size, size, QImage::Format_ARGB32);
    rgba.fill(Qt::transparent);
    QPainter painter(&rgba);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    return rgba;
}

// The icon file: a directory of the images, then the images.
QByteArray ico(QSvgRenderer& svg) {
    QList<QByteArray> bodies;
    for (const Image& image : Images)
        bodies << dib(render(svg, image.size), image.bits);
    QByteArray out;
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, static_cast<quint16>(bodies.size()));
    quint32 offset = static_cast<quint32>(6 + 16 * bodies.size());
    for (qsizetype i = 0; i < bodies.size(); ++i) {
        const Image& image = Images[i];
        out.append(static_cast<char>(image.size));
        out.append(static_cast<char>(image.size));
        out.append(static_cast<char>(image.bits == 4 ? 16 : 0));
        out.append('\0');
        put16(out, 1);
        put16(out, static_cast<quint16>(image.bits));
        put32(out, static_cast<quint32>(bodies[i].size()));
        put32(out, offset);
        offset += static_cast<quint32>(bodies[i].size());
    }
    for (const QByteArray& body : bodies)
        out += body;
    return out;
}

// The desktop's icon theme: hicolor/NxN/apps/orvanto.png under `folder`.
bool writePngs(QSvgRenderer& svg, const QString& folder) {
    for (int size : PngSizes) {
        const QString dir = u"%1/%2x%2/apps"_qs.arg(folder).arg(size);
        if (!QDir().mkpath(dir) || !render(svg, size).save(dir + u"/orvanto.png"_qs))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: makeicon picture.svg out.ico [png-theme-folder]\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "makeicon: cannot read %s\n", argv[1]);
        return 1;
    }
    const QByteArray icon = ico(svg);
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(icon) != icon.size()) {
        std::fprintf(stderr, "makeicon: cannot write %s\n", argv[2]);
        return 1;
    }
    if (argc == 4 && !writePngs(svg, QString::fromLocal8Bit(argv[3]))) {
        std::fprintf(stderr, "makeicon: cannot write the PNG icons into %s\n", argv[3]);
        return 1;
    }
    return 0;
}
