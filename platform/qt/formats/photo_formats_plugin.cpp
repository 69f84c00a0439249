// SPDX-License-Identifier: MIT
// The photo formats as a Qt image plugin, linked into the program, so that every QImageReader, and
// with it the loader and the list of formats a drop is taken for, reads them.
#include "platform/qt/formats/heif_handler.h"
#include "platform/qt/formats/jxl_handler.h"
#include "platform/qt/formats/photo_format_keys.h"

#include <QImageIOPlugin>

namespace {
using zp::HeifHandler;
using zp::JxlHandler;

enum class Kind { None, Heif, Jxl };

// Which handler reads `format`, or, without one, the picture on `device`.
Kind kindOf(QIODevice* device, const QByteArray& format)
{
    if (zp::photoFormatKeys().contains(format))
        return format == "jxl" ? Kind::Jxl : Kind::Heif;
    if (!format.isEmpty() || !device || !device->isReadable())
        return Kind::None;
    return HeifHandler::canRead(device) ? Kind::Heif : JxlHandler::canRead(device) ? Kind::Jxl : Kind::None;
}
}   // namespace

// Outside the game's namespace: Q_IMPORT_PLUGIN names the class bare.
class PhotoFormatsPlugin : public QImageIOPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "photo_formats.json")

public:
    Capabilities capabilities(QIODevice* device, const QByteArray& format) const override
    {
        return kindOf(device, format) == Kind::None ? Capabilities() : CanRead;
    }

    QImageIOHandler* create(QIODevice* device, const QByteArray& format) const override
    {
        const Kind kind = kindOf(device, format);
        QImageIOHandler* handler = kind == Kind::Heif ? static_cast<QImageIOHandler*>(new HeifHandler)
            : kind == Kind::Jxl                       ? new JxlHandler
                                                      : nullptr;
        if (handler)
            handler->setDevice(device), handler->setFormat(format);
        return handler;
    }
};

#include "photo_formats_plugin.moc"
