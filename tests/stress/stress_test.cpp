// A restless user for the main window: a seeded random driver that presses tiles and buttons,
// answers dialogs, resizes and closes the window, also in the middle of slides and solutions,
// and checks the game after every action.
#include "engine/size_rule.h"
#include "files/puzzle_files.h"
#include "files/puzzle_format.h"
#include "platform/qt/play_area_widget.h"
#include "platform/qt/qt_picture.h"
#include "tests/fake/board_check.h"
#include "tests/ui/scripted.h"
#include "ui/form1.h"
#include "ui/form2.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstdio>
#include <functional>
#include <optional>
#include <random>
#include <vector>

using namespace zp;

namespace {

constexpr int RoundTripEvery = 50;          // actions between save-and-open checks
constexpr double SlideInjectChance = 0.02;  // per event pass of a slide (~50 passes a slide)
constexpr double PauseInjectChance = 0.1;   // per event pass of a solution's pause (3 a pause)
constexpr int CloseChildActions = 150;      // most actions a closing child plays before closing
constexpr int ChildTimeoutMs = 120000;
const QStringList SizeTexts = {"0", "-3", "2.5", " 7 ", "99999", "abc", "", "3", "5", "2", "1"};

struct Options {
    unsigned seed = 1;
    long actions = 20000;
    long closeAt = -1;   // child mode: close the window during this action
    int closeTest = 0;   // parent mode: how many closing children to run
};

std::optional<Options> parseOptions(const QStringList& args)
{
    Options o;
    for (int i = 1; i < args.size(); i += 2) {
        bool ok = false;
        const long long v = i + 1 < args.size() ? args[i + 1].toLongLong(&ok) : -1;
        if (!ok || v < 0)
            return std::nullopt;
        if (args[i] == "--seed")
            o.seed = unsigned(v);
        else if (args[i] == "--actions")
            o.actions = long(v);
        else if (args[i] == "--close-at")
            o.closeAt = long(v);
        else if (args[i] == "--close-test")
            o.closeTest = int(v);
        else
            return std::nullopt;
    }
    if (o.closeAt >= 0)
        o.actions = o.closeAt;   // nothing is played after the close
    return o;
}

class Dice {
public:
    explicit Dice(unsigned seed) : rng_(seed) {}
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    QString pick(const QStringList& list) { return list[below(int(list.size()))]; }

private:
    std::mt19937 rng_;
};

// The platform as the window sees it, with two differences: time is virtual, so a solution's
// 0.3 s pauses cost nothing, and every event pass the engine asks for may bring the user's
// input, as a real restless user's input arrives exactly then.
class RestlessPlatform : public test::ScriptedPlatform {
public:
    std::function<void()> duringEvents;   // called after every event pass the engine asks for
    std::function<bool()> sayYes;         // the answer to a yes/no question

    void processEvents() override
    {
        QtPlatform::processEvents();
        if (duringEvents)
            duringEvents();
    }
    double clock() const override { return now_; }
    // A pause passes in steps of 0.1 s, each with an event pass.
    void waitUntil(double deadline) override
    {
        if (interrupted_ || now_ >= deadline)
            return;
        processEvents();
        now_ = std::min(deadline, now_ + 0.1);
    }
    void interruptWait() override { interrupted_ = true; }
    MsgResult messageBox(const QString& text, MsgStyle style, const QString& title) override
    {
        ScriptedPlatform::messageBox(text, style, title);
        if (style != MsgStyle::QuestionYesNo)
            return MsgResult::Ok;
        return sayYes && sayYes() ? MsgResult::Yes : MsgResult::No;
    }

private:
    double now_ = 0;
    bool interrupted_ = false;
};

enum class Ask { Save, Puzzle, Picture };

// The file dialog: scripted answers first, then an answer chosen when the dialog shows,
// so that a command deferred behind a slide still gets an answer of its own kind.
class RandomDialog : public test::ScriptedDialog {
public:
    std::function<QString(Ask)> choose;

protected:
    QString run(bool save, const QStringList& nameFilters, const QString& preset) override
    {
        if (answers.empty() && choose)
            answers.push_back(choose(save                                          ? Ask::Save
                                     : nameFilters.value(0).startsWith("Puzzle") ? Ask::Puzzle
                                                                                  : Ask::Picture));
        return ScriptedDialog::run(save, nameFilters, preset);
    }
};

// The working folder: the start-up picture, good and broken pictures and puzzle files.
class Workshop {
public:
    Workshop();
    QString root() const { return dir_.path(); }
    QString path(const QString& name) const { return dir_.filePath(name); }
    // A random answer for a file dialog: cancel, a good file, a broken one, a missing one or
    // a folder, a fifth each.
    QString answer(Ask ask, Dice& dice);

private:
    void writePicture(const QString& name, int w, int h);
    void writeBytes(const QString& name, const QByteArray& bytes, QStringList& list);
    void writeGoodPuzzles();
    void writeBrokenPuzzles();
    void writeBrokenPictures();

    QTemporaryDir dir_;
    QStringList goodPictures_, badPictures_, goodPuzzles_, badPuzzles_;
    int fresh_ = 0;
};

Workshop::Workshop()
{
    writePicture("intro.jpg", 120, 90);
    writePicture("small.bmp", 60, 40);
    writePicture("wide.png", 200, 150);
    writePicture(QString::fromUtf8("obrázek.bmp"), 90, 70);
    writePicture("tall.jpg", 64, 120);
    QDir(root()).mkdir("x.jpg");
    writeGoodPuzzles();
    writeBrokenPuzzles();
    writeBrokenPictures();
}

void Workshop::writePicture(const QString& name, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 255 / w, y * 255 / h, ((x * 7) ^ (y * 3)) & 255));
    if (!image.save(path(name)))
        qFatal("cannot write %s", qPrintable(path(name)));
    goodPictures_ << path(name);
}

void Workshop::writeBytes(const QString& name, const QByteArray& bytes, QStringList& list)
{
    QFile file(path(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path(name)));
    list << path(name);
}

void Workshop::writeGoodPuzzles()
{
    const auto good = [this](const QString& name, PuzzleData data) {
        writeBytes(name, writePuzzle(data), goodPuzzles_);
    };
    good("start.pzl", {path("small.bmp"), "3", "2", {2, 3}});
    good("wide game.pzl", {path("wide.png"), " 5 ", "4", {2, 7, 8}});
    good("czech.pzl", {path(QString::fromUtf8("obrázek.bmp")), "2", "2", {}});
    good("skips.pzl", {path("small.bmp"), "2", "2", {4, 2}});   // 4 is diagonal: it does not move
    goodPuzzles_ << path("slot1.pzl") << path("slot2.pzl");      // made by saves, if at all
}

void Workshop::writeBrokenPuzzles()
{
    const QByteArray small = path("small.bmp").toUtf8();
    const auto bad = [this](const QString& name, const QByteArray& bytes) { writeBytes(name, bytes, badPuzzles_); };
    bad("garbage.pzl", "hello\r\n");
    bad("empty.pzl", "");
    bad("zero.pzl", small + "\r\n0\r\n4\r\n 0 \r\n");
    bad("tiny tiles.pzl", small + "\r\n99\r\n2\r\n 0 \r\n");
    bad("short.pzl", small + "\r\n3\r\n2\r\n 5 \r\n 2 \r\n 3 \r\n");
    bad("bad move.pzl", small + "\r\n2\r\n2\r\n 1 \r\n 9 \r\n");
    bad("no picture.pzl", path("gone.bmp").toUtf8() + "\r\n2\r\n2\r\n 0 \r\n");
    bad("text picture.pzl", path("text.jpg").toUtf8() + "\r\n2\r\n2\r\n 0 \r\n");
    bad("folder picture.pzl", path("x.jpg").toUtf8() + "\r\n2\r\n2\r\n 0 \r\n");
}

void Workshop::writeBrokenPictures()
{
    QFile bmp(path("small.bmp"));
    bmp.open(QIODevice::ReadOnly);
    const QByteArray header = bmp.read(54);
    QByteArray huge = header;   // width and height (offsets 18, 22) claim 6000 x 6000 pixels
    for (int at : {18, 22})
        for (int i = 0; i < 4; ++i)
            huge[at + i] = char((6000 >> (8 * i)) & 0xff);
    writeBytes("text.jpg", "this is no picture\n", badPictures_);
    writeBytes("empty.bmp", "", badPictures_);
    writeBytes("cut.bmp", header.left(20), badPictures_);
    writeBytes("huge.bmp", huge, badPictures_);
}

QString Workshop::answer(Ask ask, Dice& dice)
{
    const QStringList& broken = ask == Ask::Picture ? badPictures_ : badPuzzles_;
    switch (dice.below(5)) {
    case 0: return {};
    case 1:
        if (ask == Ask::Save)
            return dice.chance(0.5) ? path(QString("new%1.pzl").arg(++fresh_)) : path("slot1.pzl");
        return dice.pick(ask == Ask::Picture ? goodPictures_ : goodPuzzles_);
    case 2:
        if (ask == Ask::Save)   // an existing file: the overwrite question
            return path("slot2.pzl");
        return dice.chance(0.8) ? dice.pick(broken) : dice.pick(ask == Ask::Picture ? goodPuzzles_ : goodPictures_);
    case 3: return path(ask == Ask::Save ? "nowhere/new.pzl" : "gone.pzl");
    default: return path("x.jpg");
    }
}

// Where everything is, in whole pixels: what a saved game must give back when opened.
struct Board {
    QString cols, rows, picture;
    std::vector<std::int16_t> history;
    std::vector<std::array<long, 3>> tiles;   // index, left, top
    long emptyLeft = 0, emptyTop = 0;
    friend bool operator==(const Board&, const Board&) = default;
};

Board boardOf(Form1& form, const Platform& platform)
{
    const double tx = platform.twipsPerPixelX(), ty = platform.twipsPerPixelY();
    const Game& game = form.game();
    const TileControls& tiles = form.Image1();
    Board b{game.Cols, game.Rows, game.PicturePath, game.history.entries(), {},
            toPixels(game.EmptyLeft, tx), toPixels(game.EmptyTop, ty)};
    for (int k = 2; k < tiles.end(); ++k)
        if (tiles.exists(k))
            b.tiles.push_back({k, toPixels(tiles.left(k), tx), toPixels(tiles.top(k), ty)});
    return b;
}

QString difference(const Board& was, const Board& is)
{
    if (was.cols != is.cols || was.rows != is.rows)
        return QString("size %1 x %2 became %3 x %4").arg(was.cols, was.rows, is.cols, is.rows);
    if (was.picture != is.picture)
        return QString("picture %1 became %2").arg(was.picture, is.picture);
    if (was.history != is.history)
        return QString("history of %1 moves became %2 moves").arg(was.history.size()).arg(is.history.size());
    if (was.emptyLeft != is.emptyLeft || was.emptyTop != is.emptyTop)
        return "the empty slot moved";
    return was.tiles == is.tiles ? QString() : QString("tiles moved");
}

enum class Kind { Press, Solve, Open, Save, OtherImage, SetupSize, About, Resize };

class Driver {
public:
    Driver(const Options& options, Workshop& shop, RestlessPlatform& platform, RandomDialog& dialog,
           Form1& form);
    // Plays the actions inside the running event loop; the exit status, 0 when every check held.
    int run();
    bool closed() const { return closed_; }
    // Close mode, once the event loop has returned `execResult`: whether the close ended it
    // cleanly, with nothing run after it.
    int afterClose(int execResult);

private:
    Kind pickKind();
    Kind armClose();
    void act(Kind kind);
    void press();
    QPointF pointOnMovableTile();
    void click(int button, const char* name);
    void setupSize();
    void driveSizeDialog();
    void pressOk(Form2& dialog, const QString& cols, const QString& rows);
    void resize();
    void duringEvents();
    void closeNow();
    QString check();
    QString messageFault();
    QString roundTrip();
    void note(const QString& what) { log_ << QString(nesting_ ? "  during it: " : "") + what; }
    void fail(const QString& fault);

    const Options options_;
    Workshop& shop_;
    RestlessPlatform& platform_;
    RandomDialog& dialog_;
    Form1& form_;
    Dice dice_;
    long action_ = 0;
    QStringList log_;            // what the current action did, nested input included
    QString failure_;            // a fault seen inside an action, reported after it
    int nesting_ = 0;            // > 0 while input injected from an event pass runs
    int pendingDialogs_ = 0;     // Setup Size presses whose dialog has not shown yet
    std::size_t checkedMessages_ = 0;
    int trips_ = 0;
    long closeCountdown_ = -1;   // event passes left before the close, -1: none due
    bool closed_ = false;
    std::size_t messagesAtClose_ = 0;
    Board boardAtClose_;
    long slideInputs_ = 0, pauseInputs_ = 0, moves_ = 0;
};

Driver::Driver(const Options& options, Workshop& shop, RestlessPlatform& platform,
               RandomDialog& dialog, Form1& form)
    : options_(options), shop_(shop), platform_(platform), dialog_(dialog), form_(form),
      dice_(options.seed)
{
    platform_.duringEvents = [this] { duringEvents(); };
    platform_.sayYes = [this] { return dice_.chance(0.5); };
    dialog_.choose = [this](Ask ask) {
        const QString answer = shop_.answer(ask, dice_);
        note(QString("  the dialog answers \"%1\"").arg(answer));
        return answer;
    };
}

int Driver::run()
{
    for (action_ = 1; action_ <= options_.actions; ++action_) {
        log_.clear();
        const int moveCount = form_.game().history.MoveCount();
        act(action_ == options_.closeAt ? armClose() : pickKind());
        if (action_ == options_.closeAt && !closed_)
            closeNow();
        if (closed_)
            return 0;
        moves_ += form_.game().history.MoveCount() != moveCount;
        QString fault = check();
        if (fault.isEmpty() && action_ % RoundTripEvery == 0)
            fault = roundTrip();
        if (!fault.isEmpty()) {
            fail(fault);
            return 1;
        }
    }
    std::printf("stress: seed %u, %ld actions passed; %ld changed the history, %ld inputs came during "
                "slides, %ld during solution pauses, %d games saved and opened again\n",
                options_.seed, options_.actions, moves_, slideInputs_, pauseInputs_, trips_);
    return options_.closeAt >= 0 ? 1 : 0;   // a closing run that never closed has failed
}

Kind Driver::pickKind()
{
    // press, Solve It!, Open, Save, Other Image, Setup Size, About, resize
    static constexpr int weights[] = {50, 8, 7, 7, 7, 7, 3, 11};
    static constexpr int total = 100;
    int roll = dice_.below(total);
    int kind = 0;
    while (roll >= weights[kind])
        roll -= weights[kind++];
    return Kind(kind);
}

// The action during which the window closes, and after how many event passes: mostly a
// solution or a slide, closed mostly while it runs.
Kind Driver::armClose()
{
    const long slide = toPixels(form_.Image1().width(0), platform_.twipsPerPixelX()) + 4;
    const int moves = form_.game().history.MoveCount();
    const Kind kind = dice_.chance(0.25) ? pickKind()
        : moves > 0 && dice_.chance(0.7) ? Kind::Solve : Kind::Press;
    const long passes = kind == Kind::Solve ? moves * slide : slide;
    closeCountdown_ = dice_.below(int(passes + passes / 4 + 1));
    return kind;
}

void Driver::act(Kind kind)
{
    switch (kind) {
    case Kind::Press: press(); break;
    case Kind::Solve: click(3, "Solve It!"); break;
    case Kind::Open: click(2, "Open"); break;
    case Kind::Save: click(4, "Save"); break;
    case Kind::OtherImage: click(5, "Other Image"); break;
    case Kind::SetupSize: setupSize(); break;
    case Kind::About: click(6, "About"); break;
    case Kind::Resize: resize(); break;
    }
}

void Driver::press()
{
    PlayAreaWidget* area = form_.Picture1();
    QPointF at = pointOnMovableTile();
    if (at.x() < 0 || dice_.chance(0.5))
        at = QPointF(dice_.below(area->width() + 10) - 5, dice_.below(area->height() + 10) - 5);
    static constexpr Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton,
                                                  Qt::BackButton};
    const Qt::MouseButton button = buttons[dice_.below(4)];
    note(QString("press mouse button %1 at %2,%3").arg(int(button)).arg(at.x()).arg(at.y()));
    QMouseEvent event(QEvent::MouseButtonPress, at, area->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(area, &event);
}

// A point on a random tile that borders the empty slot, as the engine sees the board now;
// (-1, -1) if none does.
QPointF Driver::pointOnMovableTile()
{
    const double tx = platform_.twipsPerPixelX(), ty = platform_.twipsPerPixelY();
    const TileControls& tiles = form_.Image1();
    const long w = toPixels(tiles.width(0), tx), h = toPixels(tiles.height(0), ty);
    const long ex = toPixels(form_.game().EmptyLeft, tx), ey = toPixels(form_.game().EmptyTop, ty);
    std::vector<QPointF> points;
    for (int k = 2; k < tiles.end(); ++k) {
        if (!tiles.exists(k))
            continue;
        const long x = toPixels(tiles.left(k), tx), y = toPixels(tiles.top(k), ty);
        if ((x == ex && std::labs(y - ey) == h) || (y == ey && std::labs(x - ex) == w))
            points.emplace_back(x + dice_.below(int(std::max(1L, w))), y + dice_.below(int(std::max(1L, h))));
    }
    return points.empty() ? QPointF(-1, -1) : points[dice_.below(int(points.size()))];
}

void Driver::click(int button, const char* name)
{
    note(QString(name) + (form_.button(button)->isEnabled() ? "" : " (disabled)"));
    form_.button(button)->click();
}

// The size dialog is driven from the event loop once it shows: at once when the command runs
// now, later when it waits behind a slide.
void Driver::setupSize()
{
    ++pendingDialogs_;
    QTimer::singleShot(0, &form_, [this] { driveSizeDialog(); });
    click(1, "Setup Size");
}

void Driver::driveSizeDialog()
{
    Form2& dialog = *form_.sizeDialog();
    if (form_.game().closing()) {
        --pendingDialogs_;
        return;
    }
    if (!dialog.isVisible()) {
        QTimer::singleShot(0, &form_, [this] { driveSizeDialog(); });
        return;
    }
    --pendingDialogs_;
    const QString cols = dice_.pick(SizeTexts), rows = dice_.pick(SizeTexts);
    dialog.Text1->setText(cols);
    dialog.Text2->setText(rows);
    const int choice = dice_.below(3);
    note(QString("  the size dialog gets \"%1\" x \"%2\", then %3").arg(cols, rows,
         QStringList{"OK", "Cancel", "is closed"}[choice]));
    if (choice == 0)
        pressOk(dialog, cols, rows);
    else if (choice == 1)
        dialog.Command2->click();
    else
        dialog.close();
    if (dialog.isVisible())
        failure_ = "the size dialog stayed open";
}

// OK takes a usable size; anything else gets "Wrong values" and the dialog stays for Cancel.
void Driver::pressOk(Form2& dialog, const QString& cols, const QString& rows)
{
    const std::size_t shown = platform_.messages.size();
    const PictureClip& clip = form_.PictureClip1();
    const bool usable = usableGridSize(cols, rows, clip.width(), clip.height()).has_value();
    dialog.Command1->click();
    if (usable == dialog.isVisible())
        failure_ = usable ? "OK refused a usable size" : "OK took an unusable size";
    if (!dialog.isVisible())
        return;
    if (platform_.messages.size() != shown + 1 || platform_.messages.back().text != "Wrong values")
        failure_ = "OK refused the size without \"Wrong values\"";
    dialog.Command2->click();
}

void Driver::resize()
{
    const int most = dice_.chance(0.5) ? 40 : 800;
    const int w = 1 + dice_.below(most), h = 1 + dice_.below(most);
    note(QString("resize the window to %1 x %2").arg(w).arg(h));
    form_.resize(w, h);
    QCoreApplication::processEvents();
}

// An event pass inside a slide, a replay or a solution's pause: the moment to close, if one
// is due, or now and then a random input, one at a time.
void Driver::duringEvents()
{
    if (closeCountdown_ >= 0 && closeCountdown_-- == 0) {
        closeNow();
        return;
    }
    const double chance = form_.game().sliding() ? SlideInjectChance : PauseInjectChance;
    if (closed_ || nesting_ > 0 || !dice_.chance(chance))
        return;
    ++(form_.game().sliding() ? slideInputs_ : pauseInputs_);
    ++nesting_;
    act(pickKind());
    --nesting_;
}

void Driver::closeNow()
{
    closeCountdown_ = -1;
    closed_ = true;
    const Game& game = form_.game();
    note(QString("close the window%1%2").arg(game.sliding() ? ", a tile sliding" : "",
                                            game.solving() ? ", a solution running" : ""));
    messagesAtClose_ = platform_.messages.size();
    boardAtClose_ = boardOf(form_, platform_);
    form_.close();
    std::printf("stress: seed %u: %s\n", options_.seed, qPrintable(log_.join("; ")));
}

int Driver::afterClose(int execResult)
{
    QString fault;
    if (!closed_)
        fault = "the window was never closed";
    else if (execResult != 0)
        fault = QString("the event loop ended with %1").arg(execResult);
    else if (platform_.messages.size() != messagesAtClose_)
        fault = "a message box after the close: " + platform_.messages.back().text;
    else if (const QString d = difference(boardAtClose_, boardOf(form_, platform_)); !d.isEmpty())
        fault = "the game changed after the close: " + d;
    else if (form_.isVisible())
        fault = "the window is still shown";
    if (fault.isEmpty())
        return 0;
    fail(fault);
    return 1;
}

QString Driver::check()
{
    if (!failure_.isEmpty())
        return failure_;
    const Game& game = form_.game();
    if (game.sliding() || game.solving())
        return "the game is still busy after the action returned";
    if (form_.sizeDialog()->isVisible() || pendingDialogs_ != 0)
        return "a Setup Size press was lost or its dialog left open";
    if (game.history.MoveCount() < 0 || game.history.MoveCount() > MoveHistory::Capacity)
        return QString("MoveCount is %1").arg(game.history.MoveCount());
    const QString board = test::boardFault(game, form_.Image1(), platform_.twipsPerPixelX(),
                                           platform_.twipsPerPixelY());
    if (!board.isEmpty())
        return board;
    if (std::any_of(dialog_.presetsSeen.begin(), dialog_.presetsSeen.end(), [](auto& p) { return !p.isEmpty(); }))
        return "a file name carried over into the next file dialog";
    dialog_.presetsSeen.clear();
    dialog_.filtersSeen.clear();
    return messageFault();
}

QString Driver::messageFault()
{
    const QStringList expected = {CannotFindMessage, "Wrong values", OverwriteQuestion};
    for (; checkedMessages_ < platform_.messages.size(); ++checkedMessages_) {
        const test::Shown& m = platform_.messages[checkedMessages_];
        if (!expected.contains(m.text) && !m.text.startsWith("Cannot save the file ") &&
            m.title != "About this game")
            return "unexpected message: " + m.text;
    }
    return {};
}

// Saves the game to a fresh file and opens it again through the commands: the same game must
// come back.
QString Driver::roundTrip()
{
    const QString file = shop_.path(QString("trip%1.pzl").arg(++trips_));
    const Board before = boardOf(form_, platform_);
    const std::size_t shown = platform_.messages.size();
    log_ << "then save the game to " + file + " and open it again";
    dialog_.answers = {file, file};
    ++nesting_;   // a check, not the user's: no input meanwhile
    form_.Command4_Click();
    form_.Command2_Click();
    --nesting_;
    checkedMessages_ = platform_.messages.size();
    if (shown != platform_.messages.size())
        return "saving and opening again showed: " + platform_.messages.back().text;
    const QString d = difference(before, boardOf(form_, platform_));
    return d.isEmpty() ? QString() : "the game opened again differs from the one saved: " + d;
}

void Driver::fail(const QString& fault)
{
    std::fprintf(stderr, "stress: FAILED at seed %u, action %ld: %s\n", options_.seed, action_, qPrintable(fault));
    for (const QString& line : log_)
        std::fprintf(stderr, "stress:   action %ld: %s\n", action_, qPrintable(line));
    std::fprintf(stderr, "stress: replay with: stress_test --seed %u --actions %ld%s\n", options_.seed, action_,
                 options_.closeAt >= 0 ? qPrintable(QString(" --close-at %1").arg(options_.closeAt)) : "");
}

// One run of the driver on a real main window in a fresh working folder.
int runDriver(QApplication& app, const Options& options)
{
    Workshop shop;
    const QString oldCwd = QDir::currentPath();
    QDir::setCurrent(shop.root());
    RestlessPlatform platform;
    QtPictureLoader loader;
    RandomDialog dialog;
    int status = 1;
    {
        Form1 form(platform, loader, &dialog);
        form.Form_Load({});
        form.show();
        Driver driver(options, shop, platform, dialog, form);
        QTimer::singleShot(0, &form, [&] {
            status = driver.run();
            if (!driver.closed())
                QCoreApplication::exit(status);
        });
        const int execResult = app.exec();
        if (options.closeAt >= 0)
            status = driver.afterClose(execResult);
    }
    QDir::setCurrent(oldCwd);
    return status;
}

// Closing at a random moment, each time in a child process of its own: each must end by
// itself, promptly and with status 0.
int runCloseTest(const Options& options)
{
    std::mt19937 rng(options.seed);
    int failures = 0;
    for (int i = 0; i < options.closeTest; ++i) {
        const long at = std::uniform_int_distribution<long>(1, CloseChildActions)(rng);
        const QStringList args = {"--seed", QString::number(options.seed * 1000 + i), "--close-at",
                                  QString::number(at)};
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), args);
        const bool ended = child.waitForFinished(ChildTimeoutMs);
        if (!ended) {
            child.kill();
            child.waitForFinished();
        }
        if (ended && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0)
            continue;
        ++failures;
        std::fprintf(stderr, "stress: closing child FAILED (%s): stress_test %s\n",
                     !ended ? "did not end in time" : child.exitStatus() != QProcess::NormalExit
                         ? "crashed" : qPrintable(QString("exit status %1").arg(child.exitCode())),
                     qPrintable(args.join(' ')));
    }
    std::printf("stress: %d of %d closing children ended cleanly\n", options.closeTest - failures,
                options.closeTest);
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::optional<Options> options = parseOptions(QCoreApplication::arguments());
    if (!options) {
        std::fprintf(stderr, "usage: stress_test [--seed N] [--actions M] [--close-at K | --close-test N]\n");
        return 2;
    }
    if (options->closeTest > 0)
        return runCloseTest(*options);
    return runDriver(app, *options);
}
