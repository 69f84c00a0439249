// SPDX-License-Identifier: MIT
// The orientation tag of an EXIF block.
#include "platform/exif_tag.h"

#include <libexif/exif-data.h>

#include <memory>

namespace zp {

int exifBlockOrientation(const unsigned char* data, std::size_t size)
{
    const std::unique_ptr<ExifData, void (*)(ExifData*)> exif(exif_data_new_from_data(data, unsigned(size)),
                                                              exif_data_unref);
    ExifEntry* tag = exif ? exif_content_get_entry(exif->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION) : nullptr;
    if (!tag)
        return 0;
    const int value = tag->format == EXIF_FORMAT_SHORT && tag->components == 1 && tag->size >= 2
        ? exif_get_short(tag->data, exif_data_get_byte_order(exif.get()))
        : 1;
    return value >= 1 && value <= 8 ? value : 1;
}

}   // namespace zp
