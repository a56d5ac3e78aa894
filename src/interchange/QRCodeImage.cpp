#include "interchange/QRCodeImage.h"

#include <QDebug>

#include <qrencode.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace {

struct CodeFree {
    void operator()(QRcode *code) const { QRcode_free(code); }
};

constexpr uchar white = 0xFF;
constexpr uchar black = 0x00;

} // namespace

namespace QRCodeImage {

int moduleScale(int modules)
{
    if (modules < 49)
        return 3;
    return modules < 57 ? 4 : 5;
}

QImage createQRCodeFromString(const QString &payload)
{
    const QByteArray bytes = payload.toUtf8();
    if (bytes.isEmpty() || bytes.size() > maximumBytes)
        return {};
    const std::unique_ptr<QRcode, CodeFree> code(QRcode_encodeData(
        int(bytes.size()), reinterpret_cast<const unsigned char *>(bytes.constData()), 0, QR_ECLEVEL_L));
    if (!code) {
        qWarning("%s: ERROR can't encode %lld bytes: %s", Q_FUNC_INFO, qlonglong(bytes.size()), std::strerror(errno));
        return {};
    }
    const int modules = code->width;
    const int scale = moduleScale(modules);
    const int side = (modules + 2) * scale;
    QImage image(side, side, QImage::Format_Grayscale8);
    image.fill(white);
    // Bit 0 of each of libqrencode's bytes says whether the module is dark.
    for (int y = 0; y < modules; ++y) {
        const unsigned char *row = code->data + qsizetype(y) * modules;
        for (int line = 0; line < scale; ++line) {
            uchar *pixels = image.scanLine((y + 1) * scale + line) + scale;
            for (int x = 0; x < modules; ++x) {
                if (row[x] & 1)
                    std::memset(pixels + x * scale, black, size_t(scale));
            }
        }
    }
    return image;
}

} // namespace QRCodeImage
