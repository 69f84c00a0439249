// SPDX-License-Identifier: MIT
// Escaping for the log: a name or a line of a file must not forge log lines or steer the terminal.
#include "platform/log_text.h"

#include "platform/file_name.h"

namespace zp {

namespace {
bool needsEscape(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph: return true;
    default: return false;
    }
}
}   // namespace

QString logText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A pair of surrogates is one character; QChar::category cannot tell it, so it is kept.
        const bool paired = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        if (paired) {
            out += c;
            out += text[++i];
        } else if (const int byte = escapedByte(c); byte >= 0) {
            out += QStringLiteral("\\x%1").arg(byte, 2, 16, QChar(u'0'));
        } else if (!needsEscape(c)) {
            out += c;
        } else if (c.unicode() < 0x100) {
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'));
        } else {
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
        }
    }
    return out;
}

}   // namespace zp
