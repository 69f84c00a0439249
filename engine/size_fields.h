// SPDX-License-Identifier: MIT
// The record of the next board's size: the two texts of the size dialog's fields.
#pragma once

#include <QString>

namespace zp {

// Readable and writable at any time, whether the dialog is shown, hidden or never shown.
class SizeFields {
public:
    virtual ~SizeFields() = default;
    virtual QString columnsText() const = 0;
    virtual QString rowsText() const = 0;
    virtual void setColumnsText(const QString& text) = 0;
    virtual void setRowsText(const QString& text) = 0;
};

}   // namespace zp
