// SPDX-License-Identifier: MIT
// JPEG XL pictures read through libjxl.
#pragma once

#include <QColorSpace>
#include <QImageIOHandler>

#include <jxl/decode_cxx.h>
#include <jxl/thread_parallel_runner_cxx.h>

namespace zp {

// Reads the first frame of a JPEG XL file, upright as libjxl turns it by its orientation, at 8
// bits a channel, with its alpha and the colour space of the decoded pixels set on the image. The
// size comes from the basic info before any pixel is decoded.
class JxlHandler : public QImageIOHandler {
public:
    // Whether `device` starts like a JPEG XL file (bare codestream or container); only peeked.
    static bool canRead(QIODevice* device);
    bool canRead() const override;
    bool read(QImage* image) override;
    QVariant option(ImageOption option) const override;
    bool supportsOption(ImageOption option) const override;

private:
    // Reads the file and decodes its header and colour encoding once; false when they are no
    // JPEG XL picture.
    bool parse();
    QSize uprightSize() const;

    bool parsed_ = false, headed_ = false;
    QByteArray bytes_;   // the decoder reads the file in place
    JxlThreadParallelRunnerPtr runner_;
    JxlDecoderPtr decoder_;
    JxlBasicInfo info_{};
    QColorSpace colourSpace_;
};

}   // namespace zp
