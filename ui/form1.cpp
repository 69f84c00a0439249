// SPDX-License-Identifier: MIT
// The main window's controls, their geometry in twips, and its events.
#include "ui/form1.h"

#include "engine/board_observer.h"
#include "platform/qt/play_area_widget.h"
#include "ui/common_dialog.h"
#include "ui/fit_font.h"
#include "ui/form2.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QImageReader>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QWindow>

namespace zp {

namespace {
const QString Caption = QStringLiteral("Zornik PUZZLE!, a picture puzzle by the Zornik developers");
constexpr float ClientWidth = 7584, ClientHeight = 6708;

struct ButtonDesign {
    const char* caption;
    const char* icon;   // without ".png"
    float left, width;
};
// Command1 .. Command6, in the bar at top 240, height 612.
constexpr ButtonDesign Buttons[6] = {
    {"Setup Size", ":/buttons/setup_size", 3120, 972},   {"Open", ":/buttons/open", 1320, 732},
    {"Solve It!", ":/buttons/solve", 4200, 852},         {"Save", ":/buttons/save", 2160, 612},
    {"Other Image", ":/buttons/other_image", 120, 1092}, {"About", ":/buttons/about", 5160, 612},
};

// A button picture and its double-size one for screens that scale by 2. They are PNGs, which Qt
// reads itself: named as such, they keep QIcon from loading every image plugin to ask each
// whether it reads a ".png", at start-up, before the window shows.
QIcon buttonIcon(const QString& path)
{
    QIcon icon;
    for (const QString& file : {path + QStringLiteral(".png"), path + QStringLiteral("@2x.png")}) {
        QImageReader reader(file, "png");
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

// Every move's last position is drawn: the play area paints it as the move lands, however
// soon after its last frame. Goes with the play area.
class PaintOnLanding : public QObject, public BoardObserver {
public:
    PaintOnLanding(Game& game, PlayAreaWidget* view) : QObject(view), game_(game), view_(*view)
    {
        game_.addObserver(*this);
    }
    ~PaintOnLanding() override { game_.removeObserver(*this); }
    void moveLanded(std::int16_t) override { view_.moveLanded(); }
    void boardChanged() override {}   // the tiles' records told the view already

private:
    Game& game_;
    PlayAreaWidget& view_;
};

}   // namespace

Form1::Form1(QtPlatform& platform, PictureLoader& loader, CommonDialog* dialog, QWidget* parent)
    : QWidget(parent),
      platform_(platform),
      Form2_(new Form2(
          platform,
          [this] {
              return PictureClip1_.hasPicture() ? QSize(PictureClip1_.width(), PictureClip1_.height())
                                                : QSize();
          },
          this)),
      CommonDialog1_(dialog),
      game_(GameParts{platform, Image1_, playArea_, PictureClip1_, *this, *Form2_}),
      reader_(loader, game_),
      files_(game_, *Form2_, reader_, platform)
{
    platform_.setWindow(this);
    game_.setBoardShown(false);   // until the window shows
    if (!CommonDialog1_) {
        ownDialog_ = std::make_unique<CommonDialog>(this);
        CommonDialog1_ = ownDialog_.get();
    }
    setWindowTitle(Caption);
    setWindowIcon(QIcon(QStringLiteral(":/zornik.ico")));
    Image2_ = QImage(QStringLiteral(":/pattern.gif"));
    buildControls();
    wireButtons();
    wirePlayInput();
    resize(pixels({0, 0, ClientWidth, ClientHeight}).size());
    if (const QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());   // the frame is not known yet
    watchScreen();
}

// The play area watches the tile records, which are members: it must go before they do, not
// with the other children after them.
Form1::~Form1()
{
    delete Picture1_;
    platform_.setWindow(nullptr);
}

// Widget geometry is in logical pixels; the window keeps its fixed size in twips.
QPointF Form1::logicalTwips() const { return twipsPerLogicalPixel(platform_, *this); }
QRect Form1::pixels(const TwipsRect& r) const { return toPixelRect(r, logicalTwips()); }

void Form1::buildControls()
{
    // An etched box, as a frame without a caption is drawn. (Qt's group box would draw a
    // picture of its style's that, read by name, loads every image plugin before the first frame.)
    Frame1_ = new QFrame(this);
    Frame1_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    Frame1_->setGeometry(pixels({120, 120, layout_.frame1Width, 1092}));
    Frame1_->setFocusPolicy(Qt::NoFocus);
    buildButtons();
    Picture1_ = new PlayAreaWidget(platform_, Image1_, playArea_, PictureClip1_, this);
    Picture1_->setPattern(Image2_);
    Picture1_->onTilePressed = [this](int k) { Image1_MouseDown(std::int16_t(k)); };
    new PaintOnLanding(game_, Picture1_);
    // Tab order: Other Image, Save, Solve It!, the play area, Open, Setup Size, About.
    QWidget* order[] = {button(5), button(4), button(3), Picture1_, button(2), button(1), button(6)};
    for (int i = 0; i + 1 < 7; ++i)
        setTabOrder(order[i], order[i + 1]);
    Frame1_->raise();   // a picture larger than the window must not cover the commands
}

void Form1::buildButtons()
{
    for (int i = 0; i < 6; ++i) {
        auto* b = new QToolButton(Frame1_);
        b->setText(QString::fromUtf8(Buttons[i].caption));
        b->setIcon(buttonIcon(QString::fromUtf8(Buttons[i].icon)));
        b->setIconSize(QSize(16, 16));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setFocusPolicy(Qt::StrongFocus);
        b->setGeometry(pixels({Buttons[i].left, 240, Buttons[i].width, 612}));
        commands_[i] = b;
    }
    std::vector<std::pair<QWidget*, QString>> captions;
    for (QToolButton* b : commands_)
        captions.emplace_back(b, b->text());
    fitFont(captions, 8);   // the button's frame and padding
    button(4)->setEnabled(false);
}

void Form1::wireButtons()
{
    const auto command = [this](int n, void (Form1::*handler)()) {
        connect(button(n), &QToolButton::clicked, this,
                [this, handler] { game_.runCommand([this, handler] { (this->*handler)(); }); });
    };
    command(1, &Form1::Command1_Click);
    command(2, &Form1::Command2_Click);
    command(4, &Form1::Command4_Click);
    command(5, &Form1::Command5_Click);
    command(6, &Form1::Command6_Click);
    connect(button(3), &QToolButton::clicked, this, &Form1::Command3_Click);
}

float Form1::outerWidth() const { return float(frameGeometry().width() * logicalTwips().x()); }
float Form1::patternWidth() const { return float(Image2_.width() * platform_.twipsPerPixelX()); }
float Form1::patternHeight() const { return float(Image2_.height() * platform_.twipsPerPixelY()); }

void Form1::Form_Resize()
{
    followFactors();
    LayoutReadings in;
    in.W = frameGeometry().width() * logicalTwips().x();
    in.H = frameGeometry().height() * logicalTwips().y();
    in.px = platform_.twipsPerPixelX();
    in.py = platform_.twipsPerPixelY();
    if (PictureClip1_.hasPicture()) {
        in.pictureWidth = PictureClip1_.width();
        in.pictureHeight = PictureClip1_.height();
    }
    layOut(in, layout_);
    laidOutFor_ = frameGeometry().size();
    applyLayout();
}

void Form1::applyLayout()
{
    QRect frame = Frame1_->geometry();
    frame.setWidth(pixels({0, 0, layout_.frame1Width, 0}).width());
    Frame1_->setGeometry(frame);
    playArea_.move(layout_.playArea);
    update();
}

// A screen with another scaling: the board keeps its slots in the new factors, and the
// layout, whose margins are in device pixels, runs again.
void Form1::followFactors()
{
    const QPointF now(platform_.twipsPerPixelX(), platform_.twipsPerPixelY());
    if (now == factors_)
        return;
    factors_ = now;
    game_.factorsChanged();
    Picture1_->geometryChanged();
}

bool Form1::event(QEvent* event)
{
    // The native window exists once the window shows.
    if (event->type() == QEvent::Show && windowHandle())
        connect(windowHandle(), &QWindow::screenChanged, this, &Form1::followScreen, Qt::UniqueConnection);
    // A board no one sees, before the window first shows or while it is hidden, slides in one step.
    if (event->type() == QEvent::Show || event->type() == QEvent::Hide)
        game_.setBoardShown(event->type() == QEvent::Show);
    return QWidget::event(event);
}

void Form1::followScreen()
{
    watchScreen();
    Form_Resize();
}

void Form1::watchScreen()
{
    disconnect(dpiWatch_);
    if (QScreen* s = screen())
        dpiWatch_ = connect(s, &QScreen::logicalDotsPerInchChanged, this, &Form1::Form_Resize);
}

// Each line is drawn from its first end up to, not including, its second, in device pixels:
// the bottom sides, which reach one pixel past the right sides, draw the corner pixel once.
void Form1::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    paintFocusFrame(p);   // in the window's own units, like the play area's geometry
    const double r = devicePixelRatioF();
    p.scale(1 / r, 1 / r);
    const double tx = platform_.twipsPerPixelX(), ty = platform_.twipsPerPixelY();
    const QColor grey(128, 128, 128), white(255, 255, 255);
    const bool greyLine[8] = {true, true, false, false, false, false, true, true};
    for (int i = 0; i < 8; ++i) {
        const FrameLine& l = layout_.lines[i];
        const QPoint a(int(toPixels(l.X1, tx)), int(toPixels(l.Y1, ty)));
        const QPoint b(int(toPixels(l.X2, tx)), int(toPixels(l.Y2, ty)));
        if (a == b)
            continue;
        const QPoint last = b - QPoint((b.x() > a.x()) - (b.x() < a.x()), (b.y() > a.y()) - (b.y() < a.y()));
        p.setPen(QPen(greyLine[i] ? grey : white, 0));
        p.drawLine(a, last);
    }
}

void Form1::resizeEvent(QResizeEvent*) { Form_Resize(); }

// The window manager adds the frame after the window is shown: once its size is known, centre
// the whole window (frame included) and lay out again for the new outer size.
void Form1::moveEvent(QMoveEvent*)
{
    if (frameGeometry().size() == laidOutFor_)
        return;
    if (!centredWithFrame_ && frameGeometry().size() != size() && screen()) {
        centredWithFrame_ = true;
        QRect frame = frameGeometry();
        frame.moveCenter(screen()->availableGeometry().center());
        move(frame.topLeft());
    }
    Form_Resize();
}

void Form1::closeEvent(QCloseEvent* event)
{
    game_.close();
    Form2_->hide();
    event->accept();
    QCoreApplication::exit(0);
}

}   // namespace zp
