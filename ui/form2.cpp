// SPDX-License-Identifier: MIT
// The board size dialog: its controls, where they sit, and what OK, Cancel and closing do.
#include "ui/form2.h"

#include "engine/size_rule.h"
#include "platform/qt/qt_platform.h"
#include "platform/twips.h"
#include "ui/fit_font.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <limits>

namespace zp {

namespace {

const QString InitialSize = QStringLiteral("4");

// Fixed client area and control places, in twips.
constexpr float ClientWidth = 2808, ClientHeight = 1056;
constexpr TwipsRect Label1Rect{120, 120, 660, 192};
constexpr TwipsRect Text1Rect{840, 120, 492, 288};
constexpr TwipsRect Label2Rect{360, 600, 444, 192};
constexpr TwipsRect Text2Rect{840, 600, 492, 288};
constexpr TwipsRect Command1Rect{1680, 120, 972, 372};
constexpr TwipsRect Command2Rect{1680, 600, 972, 372};

}   // namespace

Form2::Form2(Platform& platform, std::function<QSize()> pictureSize, QWidget* owner)
    : QDialog(owner),
      Label1(new QLabel(QStringLiteral("Columns:"), this)),
      Text1(new QLineEdit(InitialSize, this)),
      Label2(new QLabel(QStringLiteral("Rows:"), this)),
      Text2(new QLineEdit(InitialSize, this)),
      Command1(new QPushButton(QStringLiteral("OK"), this)),
      Command2(new QPushButton(QStringLiteral("Cancel"), this)),
      platform_(platform),
      pictureSize_(std::move(pictureSize))
{
    setWindowTitle(QStringLiteral("Input Field Size"));
    // A fixed single border with a close box only: no minimise, maximise or help buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    // The fields are the record of the next board's size: a puzzle file's size text goes in whole,
    // however long, rather than cut at QLineEdit's default of 32,767 characters.
    for (QLineEdit* field : {Text1, Text2})
        field->setMaxLength(std::numeric_limits<int>::max());
    Command1->setDefault(true);
    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Command1);
    setTabOrder(Command1, Command2);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form2::Command2_Click);
    placeControls();
}

QString Form2::columnsText() const { return Text1->text(); }
QString Form2::rowsText() const { return Text2->text(); }
void Form2::setColumnsText(const QString& text) { Text1->setText(text); }
void Form2::setRowsText(const QString& text) { Text2->setText(text); }

void Form2::showModal()
{
    // Remembered here and only here: the dialog's own message box and window switches
    // re-activate it, and Cancel must still bring back the texts of the moment of showing.
    Form_Activate();
    placeControls();
    if (!placed_)
        centreOnOwner();
    placed_ = true;
    exec();
}

void Form2::reject() { Command2_Click(); }

void Form2::closeEvent(QCloseEvent* event)
{
    // A frame close of the shown dialog throws it away; the next board gets the initial size.
    if (isVisible()) {
        Text1->setText(InitialSize);
        Text2->setText(InitialSize);
        placed_ = false;   // a discarded dialog comes back centred on its owner
        QDialog::reject();
    }
    event->accept();
}

void Form2::Form_Activate()
{
    SavedCols = Text1->text();
    SavedRows = Text2->text();
}

void Form2::Command1_Click()
{
    const QSize picture = pictureSize_();
    const int width = picture.isEmpty() ? 0 : picture.width();
    const int height = picture.isEmpty() ? 0 : picture.height();
    if (usableGridSize(Text1->text(), Text2->text(), width, height))
        accept();
    else
        platform_.messageBox(QStringLiteral("Wrong values"), MsgStyle::Exclamation, QStringLiteral("Error"));
}

void Form2::Command2_Click()
{
    Text1->setText(SavedCols);
    Text2->setText(SavedRows);
    QDialog::reject();
}

void Form2::placeControls()
{
    const QPointF tpp = twipsPerLogicalPixel(platform_, *this);   // widget geometry is in logical pixels
    setFixedSize(toPixelRect({0, 0, ClientWidth, ClientHeight}, tpp).size());
    Label1->setGeometry(toPixelRect(Label1Rect, tpp));
    Text1->setGeometry(toPixelRect(Text1Rect, tpp));
    Label2->setGeometry(toPixelRect(Label2Rect, tpp));
    Text2->setGeometry(toPixelRect(Text2Rect, tpp));
    Command1->setGeometry(toPixelRect(Command1Rect, tpp));
    Command2->setGeometry(toPixelRect(Command2Rect, tpp));
    fitFont({{Label1, Label1->text()}, {Label2, Label2->text()}}, 0);
}

void Form2::centreOnOwner()
{
    // Client area on client area: with like frames this centres frame on frame, and it holds
    // at the first showing too, before the platform has told the dialog's frame size.
    const QWidget* owner = parentWidget();
    const QRect area = owner ? owner->window()->geometry() : screen()->availableGeometry();
    QRect client(QPoint(), size());
    client.moveCenter(area.center());
    setGeometry(client);
}

}   // namespace zp
