// Tests of the board size dialog: its look, its fields as the size record, OK, Cancel, Esc, Enter and close.
#include "ui/form2.h"

#include "tests/fake/fake_platform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace zp {
namespace {

void pressKey(QWidget* target, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

class Form2Test : public ::testing::Test {
protected:
    test::FakePlatform platform;
    QSize picture;  // the picture the dialog is told is loaded; empty: none
    QWidget owner;
    std::unique_ptr<Form2> dialog;

    Form2& make()
    {
        dialog = std::make_unique<Form2>(platform, [this] { return picture; }, &owner);
        return *dialog;
    }

    void type(const QString& cols, const QString& rows)
    {
        dialog->Text1->setText(cols);
        dialog->Text2->setText(rows);
    }

    // Shows the dialog modally and runs `whileShown` on it once it is up. A dialog that
    // `whileShown` leaves shown fails the test and is cancelled, so that the run goes on.
    void showAndRun(const std::function<void()>& whileShown)
    {
        bool ran = false;
        QTimer::singleShot(0, dialog.get(), [&] {
            ran = true;
            whileShown();
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog is still shown";
                dialog->Command2->click();
            }
        });
        dialog->showModal();
        EXPECT_TRUE(ran);
        EXPECT_FALSE(dialog->isVisible());
    }

    void expectTexts(const QString& cols, const QString& rows)
    {
        EXPECT_EQ(dialog->columnsText().toStdString(), cols.toStdString());
        EXPECT_EQ(dialog->rowsText().toStdString(), rows.toStdString());
    }
};

TEST_F(Form2Test, FieldsAreTheSizeRecordWhileNeverShown)
{
    SizeFields& fields = make();
    EXPECT_EQ(fields.columnsText(), "4");
    EXPECT_EQ(fields.rowsText(), "4");
    fields.setColumnsText("6");
    fields.setRowsText("3");
    EXPECT_EQ(dialog->Text1->text(), "6");
    EXPECT_EQ(dialog->Text2->text(), "3");
    dialog->Text1->setText(" 12 ");
    EXPECT_EQ(fields.columnsText(), " 12 ");
}

TEST_F(Form2Test, DesignedCaptionsFocusAndWindowKind)
{
    make();
    EXPECT_EQ(dialog->windowTitle(), "Input Field Size");
    EXPECT_EQ(dialog->Label1->text(), "Columns:");
    EXPECT_EQ(dialog->Label2->text(), "Rows:");
    EXPECT_EQ(dialog->Command1->text(), "OK");
    EXPECT_EQ(dialog->Command2->text(), "Cancel");
    EXPECT_TRUE(dialog->Command1->isDefault());
    EXPECT_FALSE(dialog->Command2->isDefault());
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    const Qt::WindowFlags flags = dialog->windowFlags();
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);

    std::vector<QWidget*> tabOrder;
    for (QWidget* w = dialog->Text1; tabOrder.size() < 4; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus)
            tabOrder.push_back(w);
    const std::vector<QWidget*> designed{dialog->Text1, dialog->Text2, dialog->Command1,
                                         dialog->Command2};
    EXPECT_EQ(tabOrder, designed);
}

struct GeometryCase {
    double tppx, tppy;
    QSize client;
    QRect text1, command2;
};

void PrintTo(const GeometryCase& c, std::ostream* os) { *os << c.tppx << " x " << c.tppy; }

class Form2GeometryTest : public Form2Test, public ::testing::WithParamInterface<GeometryCase> {};

TEST_P(Form2GeometryTest, TwipsBecomeRoundedPixels)
{
    const GeometryCase& c = GetParam();
    platform.tppx = c.tppx;
    platform.tppy = c.tppy;
    make();
    EXPECT_EQ(dialog->size(), c.client);
    EXPECT_EQ(dialog->Text1->geometry(), c.text1);
    EXPECT_EQ(dialog->Command2->geometry(), c.command2);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, Form2GeometryTest,
    ::testing::Values(GeometryCase{15, 15, {187, 70}, {56, 8, 33, 19}, {112, 40, 65, 25}},
                      GeometryCase{12, 12, {234, 88}, {70, 10, 41, 24}, {140, 50, 81, 31}},
                      GeometryCase{15, 12, {187, 88}, {56, 10, 33, 24}, {112, 50, 65, 31}}),
    [](const auto& info) {
        return "Tpp" + std::to_string(int(info.param.tppx)) + "x"
               + std::to_string(int(info.param.tppy));
    });

TEST_F(Form2Test, ShowingCentresOnOwnerWithTwipsReadAfresh)
{
    owner.setGeometry(100, 200, 600, 400);
    make();
    platform.tppx = platform.tppy = 12;
    showAndRun([&] {
        EXPECT_EQ(dialog->size(), QSize(234, 88));
        EXPECT_EQ(dialog->geometry().center(), owner.geometry().center());
        dialog->Command1->click();
    });
}

TEST_F(Form2Test, OkWithUsableTextsHidesKeepingThemExactly)
{
    make();
    showAndRun([&] { dialog->Command1->click(); });
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    expectTexts("4", "4");

    for (const auto& [cols, rows] : {std::pair{"5", "3"}, std::pair{" 05", "3 "}}) {
        showAndRun([&] {
            type(cols, rows);
            dialog->Command1->click();
        });
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        expectTexts(cols, rows);
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Form2Test, OkAcceptsTilesExactlyOnePixelWide)
{
    make();
    picture = QSize(8, 100);
    showAndRun([&] {
        type("8", "4");
        dialog->Command1->click();
    });
    EXPECT_TRUE(platform.messages.empty());
}

struct WrongCase {
    const char* name;
    const char* cols;
    const char* rows;
    QSize picture;
};

void PrintTo(const WrongCase& c, std::ostream* os)
{
    *os << '"' << c.cols << "\" x \"" << c.rows << '"';
}

class Form2WrongValuesTest : public Form2Test, public ::testing::WithParamInterface<WrongCase> {};

TEST_P(Form2WrongValuesTest, OkComplainsAndStaysShownWithTextsAsTyped)
{
    const WrongCase& c = GetParam();
    make();
    picture = c.picture;
    showAndRun([&] {
        type(c.cols, c.rows);
        dialog->Command1->click();
        EXPECT_TRUE(dialog->isVisible());
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, "Wrong values");
        EXPECT_EQ(platform.messages[0].title, "Error");
        EXPECT_EQ(platform.messages[0].style, MsgStyle::Exclamation);
        expectTexts(c.cols, c.rows);
        dialog->Command2->click();
    });
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Form2WrongValuesTest,
    ::testing::Values(WrongCase{"Fraction", "2.5", "4", {}}, WrongCase{"Sign", "+3", "4", {}},
                      WrongCase{"Exponent", "1e1", "4", {}}, WrongCase{"Zero", "4", "0", {}},
                      WrongCase{"Letters", "abc", "4", {}}, WrongCase{"Empty", "4", "", {}},
                      WrongCase{"Negative", "-3", "4", {}},
                      WrongCase{"TooManyTiles", "200", "200", {}},
                      WrongCase{"TilesUnderAPixel", "10", "4", {8, 100}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Form2Test, CancelPutsBackTheTextsOfTheMomentOfShowing)
{
    make();
    dialog->setColumnsText("6");
    dialog->setRowsText("3");
    showAndRun([&] {
        type("7", "5");
        dialog->Command2->click();
    });
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    expectTexts("6", "3");

    showAndRun([&] {
        expectTexts("6", "3");
        type("5", "2");
        dialog->Command1->click();
    });
    showAndRun([&] {
        type("9", "9");
        dialog->Command2->click();
    });
    expectTexts("5", "2");
}

TEST_F(Form2Test, CancelAfterWrongValueAndReactivationPutsBackTextsOfShowing)
{
    make();
    dialog->setColumnsText("6");
    dialog->setRowsText("3");
    showAndRun([&] {
        type("x", "5");
        dialog->Command1->click();
        QWidget other;  // the user switches away and back
        other.show();
        other.activateWindow();
        QApplication::processEvents();
        dialog->activateWindow();
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), dialog.get());
        dialog->Command2->click();
    });
    expectTexts("6", "3");
}

TEST_F(Form2Test, EscActsAsCancelAndEnterAsOk)
{
    make();
    showAndRun([&] {
        type("7", "5");
        pressKey(dialog->Text1, Qt::Key_Escape);
    });
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    expectTexts("4", "4");

    showAndRun([&] {
        type("7", "5");
        pressKey(dialog->Text2, Qt::Key_Return);
    });
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    expectTexts("7", "5");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Form2Test, ClosingThroughTheFrameDiscardsToDesignedTexts)
{
    const std::vector<std::function<void(Form2&)>> closers{
        [](Form2& d) { d.close(); },
        [](Form2& d) {
            QCloseEvent close;
            QApplication::sendEvent(&d, &close);
        }};
    for (const auto& closeIt : closers) {
        make();
        dialog->setColumnsText("6");
        dialog->setRowsText("3");
        showAndRun([&] {
            type("7", "5");
            closeIt(*dialog);
        });
        expectTexts("4", "4");
    }
    showAndRun([&] { dialog->Command1->click(); });
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

} // namespace
} // namespace zp
