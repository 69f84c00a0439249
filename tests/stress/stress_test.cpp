// A restless user for the main window: seeded random input, also amid slides and solutions, checked after each action.
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
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include <sys/resource.h>

using namespace zp;

namespace {

constexpr int RoundTripEvery = 50;          // actions between save-and-open checks
constexpr int LimitedSaveEvery = 170;       // actions between saves that the file size limit cuts short
constexpr double SlideInjectChance = 0.02;  // per event pass of a slide (~50 passes a slide)
constexpr double PauseInjectChance = 0.1;   // per event pass of a solution's pause (3 a pause)
const QStringList SizeTexts = {"0", "-3", "2.5", " 7 ", "99999", "abc", "", "3", "5", "2", "1"};
enum class Kind { Press, Solve, Open, Save, OtherImage, SetupSize, About, Resize };
struct KindInfo { int weight, button; };   // per Kind, in order: chances in 100, the button pressed (0: none)
constexpr KindInfo Kinds[] = {{50, 0}, {8, 3}, {7, 2}, {7, 4}, {7, 5}, {7, 1}, {3, 6}, {11, 0}};

struct Options { long seed = 1, actions = 20000; };

std::optional<Options> parseOptions(const QStringList& args) {
    static const QStringList names = {"--seed", "--actions"};
    Options o;
    long* const fields[] = {&o.seed, &o.actions};
    for (int i = 1; i < args.size(); i += 2) {
        bool ok = false;
        const long v = args.value(i + 1).toLong(&ok);
        if (!ok || v < 0 || !names.contains(args[i])) return std::nullopt;
        *fields[names.indexOf(args[i])] = v;
    }
    return o;
}

// The working folder: the start-up picture, good and broken pictures and puzzle files.
struct Workshop {
    QTemporaryDir dir;
    QStringList goodPictures, badPictures, goodPuzzles, badPuzzles;
    QString path(const QString& name) const { return dir.filePath(name); }
    void add(QStringList& list, const QString& name, const QByteArray& bytes) {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) qFatal("cannot write a file");
        list << path(name);
    }
    Workshop() {
        for (const auto& [name, size] : {std::pair<QString, QSize>{"intro.jpg", {120, 90}}, {"small.bmp", {60, 40}},
                 {"wide.png", {200, 150}}, {QString::fromUtf8("obrázek.bmp"), {90, 70}}, {"tall.jpg", {64, 120}}}) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(qRgb(size.width(), size.height(), 128));
            if (!image.save(path(name))) qFatal("cannot write a picture");
            goodPictures << path(name);
        }
        QDir(dir.path()).mkdir("x.jpg");
        const auto good = [this](const QString& name, PuzzleData data) { add(goodPuzzles, name, writePuzzle(data)); };
        good("start.pzl", {path("small.bmp"), "3", "2", {2, 3}});
        good("wide game.pzl", {path("wide.png"), " 5 ", "4", {2, 7, 8}});
        good("czech.pzl", {path(QString::fromUtf8("obrázek.bmp")), "2", "2", {}});
        good("skips.pzl", {path("small.bmp"), "2", "2", {4, 2}});   // 4 is diagonal: it does not move
        goodPuzzles << path("slot1.pzl") << path("slot2.pzl");       // made by saves, if at all
        const QByteArray s = path("small.bmp").toUtf8() + "\r\n";
        const auto to = [this](const char* picture) { return path(picture).toUtf8() + "\r\n2\r\n2\r\n 0 \r\n"; };
        for (const auto& [name, bytes] : {std::pair<QString, QByteArray>{"garbage.pzl", "hello\r\n"}, {"empty.pzl", ""},
                 {"zero.pzl", s + "0\r\n4\r\n 0 \r\n"}, {"tiny tiles.pzl", s + "99\r\n2\r\n 0 \r\n"},
                 {"short.pzl", s + "3\r\n2\r\n 5 \r\n 2 \r\n 3 \r\n"}, {"bad move.pzl", s + "2\r\n2\r\n 1 \r\n 9 \r\n"},
                 {"no picture.pzl", to("gone.bmp")}, {"text picture.pzl", to("text.jpg")}, {"folder.pzl", to("x.jpg")}})
            add(badPuzzles, name, bytes);
        QFile bmp(path("small.bmp"));
        const QByteArray header = bmp.open(QIODevice::ReadOnly) ? bmp.read(54) : QByteArray();
        const QByteArray huge = QByteArray(header).replace(18, 8, QByteArray::fromHex("7017000070170000"));
        for (const auto& [name, bytes] : {std::pair<QString, QByteArray>{"text.jpg", "this is no picture\n"},
                 {"empty.bmp", ""}, {"cut.bmp", header.left(20)}, {"huge.bmp", huge}})   // huge: 6000 x 6000 pixels
            add(badPictures, name, bytes);
    }
};

// The restless user, also the platform and file dialog the window talks to. Time is virtual, so pauses cost
// nothing; every event pass the engine asks for may bring input, as a real user's input arrives exactly then;
// questions and file dialogs get random answers when they show, so a deferred command gets one of its own kind.
class RestlessUser : public test::ScriptedPlatform, public test::ScriptedDialog {
public:
    explicit RestlessUser(const Options& options) : options_(options), rng_(unsigned(options.seed)) {}
    // Plays on a real main window in the workshop; the exit status, 0 when every check held.
    int play(QApplication& app) {
        QDir::setCurrent(shop_.dir.path());
        form_ = std::make_unique<Form1>(*this, loader_, this);
        form_->Form_Load({});
        form_->show();
        QTimer::singleShot(0, form_.get(), [&] { QCoreApplication::exit(playActions()); });
        return app.exec();
    }
    void processEvents() override { QtPlatform::processEvents(); duringEvents(); }
    double clock() const override { return now_; }
    void waitUntil(double deadline) override {   // in steps of 0.1 s, each with an event pass
        if (now_ >= deadline) return;
        processEvents();
        now_ = std::min(deadline, now_ + 0.1);
    }
    MsgResult messageBox(const QString& text, MsgStyle style, const QString& title) override {
        ScriptedPlatform::messageBox(text, style, title);
        return style != MsgStyle::QuestionYesNo ? MsgResult::Ok
            : yes_ || chance(0.5)               ? MsgResult::Yes : MsgResult::No;
    }
protected:
    QString run(bool save, const QStringList& filters, const QString& preset) override {
        if (ScriptedDialog::answers.empty())
            ScriptedDialog::answers.push_back(answer(save, !save && !filters.value(0).startsWith("Puzzle")));
        return ScriptedDialog::run(save, filters, preset);
    }
private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    QString pick(const QStringList& list) { return list[below(int(list.size()))]; }
    long px(double twips) const { return toPixels(twips, twipsPerPixelX()); }
    long py(double twips) const { return toPixels(twips, twipsPerPixelY()); }

    int playActions() {
        for (action_ = 1; action_ <= options_.actions; ++action_) {
            act(pickKind());
            QString fault = check();
            if (fault.isEmpty() && action_ % RoundTripEvery == 0) fault = roundTrip();
            if (fault.isEmpty() && action_ % LimitedSaveEvery == 0) fault = limitedSave();
            if (!fault.isEmpty()) return fail(fault);
        }
        std::printf("stress: seed %ld, %ld actions passed; %ld inputs came during slides, %ld during solution "
                    "pauses, %ld games saved and opened again\n",
                    options_.seed, action_ - 1, slideInputs_, pauseInputs_, trips_);
        return 0;
    }
    // Where everything is, in whole pixels: what a saved game must give back when opened.
    QStringList board() const {
        const Game& game = form_->game();
        const TileControls& tiles = form_->Image1();
        QStringList history, at;
        for (std::int16_t k : game.history.entries())
            history << QString::number(k);
        for (int k = 2; k < tiles.end(); ++k)
            if (tiles.exists(k)) at << QString("%1 at %2,%3").arg(k).arg(px(tiles.left(k))).arg(py(tiles.top(k)));
        return {"size " + game.Cols + " x " + game.Rows, "picture " + game.PicturePath, "history " + history.join(' '),
                QString("empty slot at %1,%2").arg(px(game.EmptyLeft)).arg(py(game.EmptyTop)), "tiles " + at.join(' ')};
    }
    static QString difference(const QStringList& was, const QStringList& is) {
        const auto [a, b] = std::mismatch(was.begin(), was.end(), is.begin(), is.end());
        return a == was.end() ? QString() : *a + " became " + (b == is.end() ? QString("nothing") : *b);
    }
    Kind pickKind() {
        int roll = below(100), kind = 0;
        for (; roll >= Kinds[kind].weight; ++kind)
            roll -= Kinds[kind].weight;
        return Kind(kind);
    }
    void act(Kind kind) {
        if (kind == Kind::Press) return press();
        if (kind == Kind::Resize) {   // down to a few pixels
            const int most = chance(0.5) ? 40 : 800, w = 1 + below(most), h = 1 + below(most);
            form_->resize(w, h);
            return QCoreApplication::processEvents();
        }
        if (kind == Kind::SetupSize) {   // its dialog is driven from the event loop once it shows
            ++pendingDialogs_;
            QTimer::singleShot(0, form_.get(), [this] { driveSizeDialog(); });
        }
        form_->button(Kinds[int(kind)].button)->click();
    }
    // Any mouse button, anywhere or, half the time, on a tile that borders the empty slot as the
    // engine sees the board now.
    void press() {
        const TileControls& tiles = form_->Image1();
        const long w = px(tiles.width(0)), h = py(tiles.height(0));
        const long ex = px(form_->game().EmptyLeft), ey = py(form_->game().EmptyTop);
        std::vector<QPointF> movable;
        for (int k = 2; k < tiles.end(); ++k) {
            if (!tiles.exists(k)) continue;
            const long x = px(tiles.left(k)), y = py(tiles.top(k));
            if ((x == ex && std::labs(y - ey) == h) || (y == ey && std::labs(x - ex) == w))
                movable.emplace_back(x + below(int(std::max(1L, w))), y + below(int(std::max(1L, h))));
        }
        PlayAreaWidget* area = form_->Picture1();
        QPointF at = movable.empty() ? QPointF() : movable[below(int(movable.size()))];
        if (movable.empty() || chance(0.5)) at = QPointF(below(area->width() + 10) - 5, below(area->height() + 10) - 5);
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton, Qt::BackButton};
        const Qt::MouseButton button = buttons[below(4)];
        QMouseEvent event(QEvent::MouseButtonPress, at, area->mapToGlobal(at), button, button, Qt::NoModifier);
        QApplication::sendEvent(area, &event);
    }
    // Odd texts, then OK, Cancel or closing the dialog. OK must take a usable size and only that;
    // anything else gets "Wrong values" and the dialog stays for Cancel.
    void driveSizeDialog() {
        Form2& dialog = *form_->sizeDialog();
        if (!form_->game().closing() && !dialog.isVisible())
            return QTimer::singleShot(0, form_.get(), [this] { driveSizeDialog(); });
        --pendingDialogs_;
        if (form_->game().closing()) return;
        const QString cols = pick(SizeTexts), rows = pick(SizeTexts);
        const int choice = below(3);
        dialog.Text1->setText(cols);
        dialog.Text2->setText(rows);
        const std::size_t shown = messages.size();
        const PictureClip& clip = form_->PictureClip1();
        const bool usable = usableGridSize(cols, rows, clip.width(), clip.height()).has_value();
        if (choice == 2)
            dialog.close();
        else
            (choice == 0 ? dialog.Command1 : dialog.Command2)->click();
        const bool refused = choice == 0 && dialog.isVisible();
        if (choice == 0 && usable == refused)
            failure_ = usable ? "OK refused a usable size" : "OK took an unusable size";
        if (refused && (messages.size() != shown + 1 || messages.back().text != "Wrong values"))
            failure_ = "OK refused the size without \"Wrong values\"";
        if (refused) dialog.Command2->click();
        if (dialog.isVisible()) failure_ = "the size dialog stayed open";
    }
    // An event pass inside a slide, a replay or a solution's pause: now and then a random input,
    // one at a time.
    void duringEvents() {
        if (action_ == 0) return;
        const bool sliding = form_->game().sliding();
        if (nesting_ > 0 || !chance(sliding ? SlideInjectChance : PauseInjectChance)) return;
        ++(sliding ? slideInputs_ : pauseInputs_);
        ++nesting_;
        act(pickKind());
        --nesting_;
    }
    QString check() {
        const Game& game = form_->game();
        const QString board = test::boardFault(game, form_->Image1(), twipsPerPixelX(), twipsPerPixelY());
        const bool kept = std::any_of(presetsSeen.begin(), presetsSeen.end(), [](auto& p) { return !p.isEmpty(); });
        presetsSeen.clear();
        const QString fault = !failure_.isEmpty() ? failure_
            : game.sliding() || game.solving() ? "the game is still busy after the action returned"
            : form_->sizeDialog()->isVisible() || pendingDialogs_ ? "a Setup Size press lost or its dialog left open"
            : game.history.MoveCount() < 0 || game.history.MoveCount() > MoveHistory::Capacity ? "bad MoveCount"
            : !board.isEmpty() ? board
            : kept ? "a file name carried over into the next file dialog" : QString();
        const QStringList expected = {CannotFindMessage, "Wrong values", OverwriteQuestion};
        for (; fault.isEmpty() && checkedMessages_ < messages.size(); ++checkedMessages_) {
            const test::Shown& m = messages[checkedMessages_];
            if (!expected.contains(m.text) && !m.text.startsWith("Cannot save the file ") &&
                m.title != "About this game")
                return "unexpected message: " + m.text;
        }
        return fault;
    }
    // Saves the game to a fresh file and opens it again through the commands: the same game must come back.
    QString roundTrip() {
        const QString file = shop_.path(QString("trip%1.pzl").arg(++trips_));
        const QStringList before = board();
        const std::size_t shown = messages.size();
        ScriptedDialog::answers = {file, file};
        ++nesting_;   // a check, not the user's: no input meanwhile
        form_->Command4_Click();
        form_->Command2_Click();
        --nesting_;
        checkedMessages_ = messages.size();
        const QString d = difference(before, board());
        return shown != messages.size() ? "saving and opening again showed: " + messages.back().text
            : d.isEmpty() ? QString() : "the game opened again differs from the one saved: " + d;
    }
    // Saves over a file, Yes to the question, with the file size limit below the game's size: the
    // old file and the game must stay as they were, and the message must say why.
    QString limitedSave() {
        const QString file = shop_.path("kept.pzl");
        const QByteArray old = "an older game, longer than the limit\r\n";
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write(old) != old.size()) return "cannot write kept.pzl";
        f.close();
        const QStringList before = board();
        const std::size_t shown = messages.size();
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limit{8, saved.rlim_max};
        ScriptedDialog::answers = {file};
        yes_ = true;
        ++nesting_;
        setrlimit(RLIMIT_FSIZE, &limit);
        form_->Command4_Click();
        setrlimit(RLIMIT_FSIZE, &saved);
        --nesting_;
        yes_ = false;
        checkedMessages_ = messages.size();
        f.open(QIODevice::ReadOnly);
        const QString d = difference(before, board());
        return f.readAll() != old ? "a save cut short changed the old file"
            : messages.size() != shown + 2 || messages.back().text != "Cannot save the file " + file + ": File too large"
                ? "a save cut short showed: " + (messages.empty() ? QString("nothing") : messages.back().text)
            : d.isEmpty() ? QString() : "a save cut short changed the game: " + d;
    }
    // A random answer for a file dialog: cancel, a good file, a broken one (or a good one of the
    // other kind), a missing one or a folder, a fifth each. Saving: slot2.pzl exists already.
    QString answer(bool save, bool picture) {
        const QStringList& good = picture ? shop_.goodPictures : shop_.goodPuzzles;
        const QStringList& other = picture ? shop_.goodPuzzles : shop_.goodPictures;
        const QStringList& bad = picture ? shop_.badPictures : shop_.badPuzzles;
        switch (below(5)) {
        case 0: return {};
        case 1: return !save ? pick(good) : shop_.path(chance(0.5) ? QString("new%1.pzl").arg(++fresh_) : "slot1.pzl");
        case 2: return save ? shop_.path("slot2.pzl") : chance(0.8) ? pick(bad) : pick(other);
        case 3: return shop_.path(save ? "nowhere/new.pzl" : "gone.pzl");
        default: return shop_.path("x.jpg");
        }
    }
    int fail(const QString& fault) const {
        std::fprintf(stderr, "stress: FAILED at seed %ld, action %ld: %s\nstress: replay with: stress_test --seed %ld "
                     "--actions %ld\n", options_.seed, action_, qPrintable(fault), options_.seed, action_);
        return 1;
    }
    const Options options_;
    std::mt19937 rng_;
    Workshop shop_;
    QtPictureLoader loader_;
    long action_ = 0;                 // 0: not playing yet
    QString failure_;                 // a fault seen inside an action, reported after it
    int nesting_ = 0;                 // > 0 while input injected from an event pass runs
    int pendingDialogs_ = 0;          // Setup Size presses whose dialog has not shown yet
    bool yes_ = false;   // every question answered Yes
    double now_ = 0;
    std::size_t checkedMessages_ = 0;
    long trips_ = 0, fresh_ = 0, slideInputs_ = 0, pauseInputs_ = 0;
    std::unique_ptr<Form1> form_;     // last: it goes before the services it uses
};

} // namespace

int main(int argc, char** argv) {
    std::signal(SIGXFSZ, SIG_IGN);   // a write over the file size limit fails instead of ending the run
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::optional<Options> options = parseOptions(QCoreApplication::arguments());
    if (!options) std::fprintf(stderr, "usage: stress_test [--seed N] [--actions M]\n");
    return !options ? 2 : RestlessUser(*options).play(app);
}
