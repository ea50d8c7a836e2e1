#include "gif_writer.h"

#include "bmp_writer.h"

#include <gif_lib.h>

#include <QByteArray>
#include <vector>

namespace assetgen {

namespace {

int appendBytes(GifFileType* gif, const GifByteType* data, int length) {
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

int paletteBits(size_t colours) {
    int bits = 1;
    while ((1u << bits) < colours) {
        ++bits;
    }
    return bits;
}

}  // namespace

QByteArray encodeGif(const IndexedImage& image) {
    const int bits = paletteBits(image.palette.size());
    std::vector<GifColorType> colours(static_cast<size_t>(1) << bits, GifColorType{0, 0, 0});
    for (size_t i = 0; i < image.palette.size(); ++i) {
        colours[i] = GifColorType{static_cast<GifByteType>(qRed(image.palette[i])),
                                  static_cast<GifByteType>(qGreen(image.palette[i])),
                                  static_cast<GifByteType>(qBlue(image.palette[i]))};
    }
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
    if (map == nullptr) {
        return {};
    }
    int error = 0;
    QByteArray bytes;
    GifFileType* gif = EGifOpen(&bytes, appendBytes, &error);
    if (gif == nullptr) {
        GifFreeMapObject(map);
        return {};
    }
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, image.width, image.height, bits, 0, map) == GIF_OK;
    const int transparent = transparentIndex(image);
    if (ok && transparent >= 0) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
        gcb.UserInputFlag = false;
        gcb.DelayTime = 0;
        gcb.TransparentColor = transparent;
        GifByteType extension[4];
        EGifGCBToExtension(&gcb, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK;
    }
    ok = ok && EGifPutImageDesc(gif, 0, 0, image.width, image.height, false, nullptr) == GIF_OK;
    std::vector<GifPixelType> row(static_cast<size_t>(image.width));
    for (int y = 0; ok && y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            row[static_cast<size_t>(x)] = image.at(x, y);
        }
        ok = EGifPutLine(gif, row.data(), image.width) == GIF_OK;
    }
    ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    GifFreeMapObject(map);
    return ok ? bytes : QByteArray();
}

bool writeGif(const QString& path, const IndexedImage& image) {
    const QByteArray bytes = encodeGif(image);
    return !bytes.isEmpty() && writeFile(path, bytes);
}

}  // namespace assetgen
