// SPDX-License-Identifier: MIT
// A restless user for the main window: seeded random input, also amid slides and solutions, checked after
// each action.
#include "files/puzzle_files.h"
#include "files/puzzle_format.h"
#include "platform/qt/play_area_widget.h"
#include "platform/qt/qt_picture.h"
#include "tests/fake/board_check.h"
#include "tests/ui/scripted.h"
#include "ui/form1.h"

#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>

using namespace zp;

namespace {

constexpr double InjectChance = 0.05;   // per event pass inside a slide or a solution's pause
// Per action, in 100: a press on the play area, else a resize, else the button: Solve, Open, Save, Other
// Image.
constexpr int PressWeight = 60, ResizeWeight = 12;
constexpr int Buttons[] = {3, 2, 4, 5};

// The working folder: two pictures, a good and a broken puzzle file.
struct Workshop {
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(name));
    }
    Workshop()
    {
        for (const auto& [name, size] :
             {std::pair<QString, QSize>{"small.bmp", {60, 40}}, {"wide.png", {200, 150}}}) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(qRgb(size.width(), size.height(), 128));
            if (!image.save(path(name)))
                qFatal("cannot write a picture");
        }
        write("start.pzl", writePuzzle({path("small.bmp"), "3", "2", {2, 3}}));
        write("garbage.pzl", "hello\r\n");
    }
};

// The user, also the platform and file dialog the window talks to. Time is virtual; every event pass the
// engine asks for may bring input, as a real user's input arrives exactly then.
class RestlessUser : public test::ScriptedPlatform, public test::ScriptedDialog {
public:
    RestlessUser(long seed, long actions) : seed_(seed), actions_(actions), rng_(unsigned(seed)) {}
    // Plays on a real main window in the workshop; the exit status, 0 when every check held.
    int play(QApplication& app)
    {
        form_ = std::make_unique<Form1>(*this, loader_, this);
        form_->Form_Load({shop_.path("start.pzl")});
        form_->show();
        QTimer::singleShot(0, form_.get(), [&] { QCoreApplication::exit(playActions()); });
        return app.exec();
    }
    void processEvents() override
    {
        QtPlatform::processEvents();
        if (action_ > 0 && !nested_ && chance(InjectChance)) {
            nested_ = true;
            act();
            nested_ = false;
        }
    }
    double clock() const override { return now_; }
    void waitUntil(double deadline) override
    {
        processEvents();
        now_ = std::max(now_, deadline);
    }
    MsgResult messageBox(const QString& text, MsgStyle style, const QString& title) override
    {
        ScriptedPlatform::messageBox(text, style, title);
        if (style != MsgStyle::QuestionYesNo)
            return MsgResult::Ok;
        return chance(0.5) ? MsgResult::Yes : MsgResult::No;
    }

protected:
    // Cancel, a good file, a broken one or a missing one; saving, a file that exists or not.
    QString run(bool save, const QStringList& filters, const QString& preset) override
    {
        if (ScriptedDialog::answers.empty()) {
            const bool picture = !save && !filters.value(0).startsWith("Puzzle");
            const QStringList files = save ? QStringList{"start.pzl", "new.pzl", "nowhere/new.pzl"}
                : picture                  ? QStringList{"small.bmp", "wide.png", "garbage.pzl"}
                                           : QStringList{"start.pzl", "garbage.pzl", "gone.pzl"};
            const int i = below(4);
            ScriptedDialog::answers.push_back(i == 0 ? QString() : shop_.path(files[i - 1]));
        }
        return ScriptedDialog::run(save, filters, preset);
    }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }

    int playActions()
    {
        for (action_ = 1; action_ <= actions_; ++action_) {
            act();
            const QString fault = check();
            if (!fault.isEmpty()) {
                std::fprintf(stderr, "stress: FAILED at seed %ld, action %ld: %s\n", seed_, action_,
                             qPrintable(fault));
                return 1;
            }
        }
        std::printf("stress: seed %ld, %ld actions passed\n", seed_, actions_);
        return 0;
    }
    void act()
    {
        const int roll = below(100);
        if (roll < PressWeight)
            return press();
        if (roll < PressWeight + ResizeWeight) {   // down to a few pixels
            form_->resize(1 + below(800), 1 + below(800));
            return QCoreApplication::processEvents();
        }
        form_->button(Buttons[below(4)])->click();
    }
    // Any mouse button anywhere on the play area, and a little beyond it.
    void press()
    {
        PlayAreaWidget* area = form_->Picture1();
        const QPointF at(below(area->width() + 10) - 5, below(area->height() + 10) - 5);
        const Qt::MouseButton button = chance(0.8) ? Qt::LeftButton : Qt::RightButton;
        QMouseEvent event(QEvent::MouseButtonPress, at, area->mapToGlobal(at), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(area, &event);
    }
    QString check()
    {
        const Game& game = form_->game();
        if (game.sliding() || game.solving())
            return "the game is still busy after the action returned";
        for (; checkedMessages_ < messages.size(); ++checkedMessages_) {
            const QString& text = messages[checkedMessages_].text;
            if (text != CannotFindMessage && text != OverwriteQuestion &&
                !text.startsWith("Cannot save the file "))
                return "unexpected message: " + text;
        }
        return test::boardFault(game, form_->Image1(), twipsPerPixelX(), twipsPerPixelY());
    }

    const long seed_, actions_;
    std::mt19937 rng_;
    Workshop shop_;
    QtPictureLoader loader_;
    long action_ = 0;       // 0: not playing yet
    bool nested_ = false;   // input injected from an event pass, or a check, is running
    double now_ = 0;
    std::size_t checkedMessages_ = 0;
    std::unique_ptr<Form1> form_;   // last: it goes before the services it uses
};

}   // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir home;
    test::useOwnHome(home);
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    bool seedOk = false, actionsOk = false;
    const long seed = args.value(args.indexOf("--seed") + 1).toLong(&seedOk);
    const long actions = args.value(args.indexOf("--actions") + 1).toLong(&actionsOk);
    if (args.size() != 5 || !seedOk || !actionsOk) {
        std::fprintf(stderr, "usage: stress_test --seed N --actions M\n");
        return 2;
    }
    return RestlessUser(seed, actions).play(app);
}
