// SPDX-License-Identifier: MIT
// The board size dialog "Input Field Size": its two fields hold the size of the next board.
#pragma once

#include "engine/size_fields.h"

#include <QDialog>
#include <QSize>
#include <QString>

#include <functional>

class QCloseEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zp {

class Platform;

// The board size dialog; its two fields are the record of the next board's size.
// The fields are plain texts, readable and writable whether the dialog is shown, hidden or
// never shown. OK hides it only when the texts make a usable board; Cancel (or Esc) puts back
// the texts of the moment it was shown; closing it through its frame discards it, which
// leaves the initial texts "4" and "4". The object itself is never deleted by the dialog.
class Form2 : public QDialog, public SizeFields {
    Q_OBJECT
public:
    // `pictureSize` tells the size of the picture now loaded (empty QSize: none), for the
    // tile-size check; it is asked at each OK. `platform` must outlive the dialog.
    explicit Form2(Platform& platform, std::function<QSize()> pictureSize, QWidget* owner);

    QString columnsText() const override;
    QString rowsText() const override;
    void setColumnsText(const QString& text) override;
    void setRowsText(const QString& text) override;

    // Shows the dialog modally, centred on its owner the first time (and after a discard),
    // where it was left otherwise; returns when it was hidden (OK/Cancel)
    // or discarded (close box). result() then tells Accepted (OK) from Rejected.
    void showModal();

    // Esc and Cancel: the texts of the moment of showing come back, then the dialog hides.
    void reject() override;

protected:
    // Closing through the window frame discards the dialog rather than cancelling it.
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* const Label1;          // "Columns:"
    QLineEdit* const Text1;        // number of columns
    QLabel* const Label2;          // "Rows:"
    QLineEdit* const Text2;        // number of rows
    QPushButton* const Command1;   // "OK", the default button
    QPushButton* const Command2;   // "Cancel"

    void Form_Activate();
    void Command1_Click();
    void Command2_Click();
    void placeControls();
    void centreOnOwner();

    Platform& platform_;
    std::function<QSize()> pictureSize_;
    QString SavedCols;
    QString SavedRows;
    bool placed_ = false;
};

}   // namespace zp
