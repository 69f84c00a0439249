// SPDX-License-Identifier: MIT
// A restless user for the main window: seeded random input (clicks, arrow keys, resizes, the six buttons and
// the answers to their dialogs), also amid slides and solutions, checked after each action.
#include "files/puzzle_format.h"
#include "tests/ui/window_test.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <random>

using namespace zp;

constexpr double InjectChance = 0.05;   // per event pass inside a slide or a solution's pause
// Size texts for the pictures of 60 x 40 and 200 x 150 pixels: usable, or not (for one or both).
const char* const SizeTexts[] = {"1", "2", "3", "5", "7", "0", "x", "", "61"};

// The user, also the platform and file dialog the window talks to. Time is virtual; every event pass the
// engine asks for may bring input, as a real user's input arrives exactly then.
class RestlessUser : public QObject, public test::ScriptedPlatform, public test::ScriptedDialog {
public:
    RestlessUser(long seed, long actions) : seed_(seed), actions_(actions), rng_(unsigned(seed)) {}
    // Plays on a real main window in a working folder of two pictures, a good and a broken puzzle file; the
    // exit status, 0 when every check held.
    int play(QApplication& app)
    {
        QImage image(200, 150, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QByteArray start = writePuzzle({path("small.bmp"), "3", "2", {2, 3}});
        QFile puzzle(path("start.pzl")), garbage(path("garbage.pzl"));
        if (!image.save(path("wide.png")) || !image.copy(0, 0, 60, 40).save(path("small.bmp")) ||
            !puzzle.open(QIODevice::WriteOnly) || puzzle.write(start) != start.size() || !puzzle.flush() ||
            !garbage.open(QIODevice::WriteOnly) || garbage.write("hello\r\n") != 7 || !garbage.flush())
            return std::fprintf(stderr, "stress: cannot set up the working folder\n"), 2;
        form_ = std::make_unique<Form1>(*this, loader_, this);
        form_->Form_Load({path("start.pzl")});
        form_->sizeDialog()->installEventFilter(this);
        form_->show();
        QTimer::singleShot(0, form_.get(), [&] { QCoreApplication::exit(playActions()); });
        return app.exec();
    }
    void processEvents() override
    {
        QtPlatform::processEvents();
        if (action_ > 0 && !nested_ && chance(InjectChance)) {
            const QScopedValueRollback nested(nested_, true);
            act();
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
        const bool yes = chance(0.5);   // after a No, the file asked about must keep its bytes
        kept_ = yes ? std::nullopt : std::optional(bytesOf(saveTo_));
        return yes ? MsgResult::Yes : MsgResult::No;
    }

protected:
    // Cancel, a good file, a broken one or a missing one; saving, a file that exists or not.
    QString run(bool save, const QStringList& filters, const QString& preset) override
    {
        const QStringList files = save              ? QStringList{"start.pzl", "new.pzl", "nowhere/new.pzl"}
            : filters.value(0).startsWith("Puzzle") ? QStringList{"start.pzl", "garbage.pzl", "gone.pzl"}
                                                    : QStringList{"small.bmp", "wide.png", "garbage.pzl"};
        const int i = below(4);
        const QString name = i == 0 ? QString() : path(files[i - 1]);
        ScriptedDialog::answers = {name};
        if (save)
            saveTo_ = name, kept_.reset();
        return ScriptedDialog::run(save, filters, preset);
    }

private:
    QString path(const QString& name) const { return dir_.filePath(name); }
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    static QByteArray bytesOf(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : "(cannot be read)";
    }

    int playActions()
    {
        for (action_ = 1; action_ <= actions_; ++action_) {
            act();
            if (const QString fault = check(); !fault.isEmpty()) {
                std::fprintf(stderr, "stress: FAILED at seed %ld, action %ld: %s\n", seed_, action_,
                             qPrintable(fault));
                return 1;
            }
        }
        std::printf("stress: seed %ld, %ld actions passed\n", seed_, actions_);
        return 0;
    }
    // In 100: 55 a press on the play area, 10 an arrow key, 10 a resize down to a few pixels, else a button.
    void act()
    {
        const int roll = below(100);
        if (roll < 55)
            return press();
        if (roll < 65)
            return test::pressKey(form_->Picture1(), Qt::Key_Left + below(4));   // Left, Up, Right, Down
        if (roll < 75)
            return form_->resize(1 + below(800), 1 + below(800)), QCoreApplication::processEvents();
        form_->button(1 + below(6))->click();
    }
    // Any mouse button anywhere on the play area, and a little beyond it.
    void press()
    {
        PlayAreaWidget* area = form_->Picture1();
        const QPointF at(below(area->width() + 10) - 5, below(area->height() + 10) - 5);
        const Qt::MouseButton button = chance(0.8) ? Qt::LeftButton : Qt::RightButton;
        QMouseEvent event(QEvent::MouseButtonPress, at, area->mapToGlobal(at), button, button, {});
        QApplication::sendEvent(area, &event);
    }
    // Answers the size dialog each time it is shown, once the showing is done.
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            QTimer::singleShot(0, this, [this] { answerSize(); });
        return false;
    }
    // Types a size, then OK (and Cancel after "Wrong values"), Cancel or the close box.
    void answerSize()
    {
        Form2* dialog = form_->sizeDialog();
        dialog->setColumnsText(SizeTexts[below(9)]);
        dialog->setRowsText(SizeTexts[below(9)]);
        if (chance(0.25))
            dialog->close();
        QAbstractButton* const cancel = test::buttonOf(*dialog, "Cancel");
        for (QAbstractButton* button : {test::buttonOf(*dialog, "OK"), cancel})
            if (dialog->isVisible() && chance(0.5))
                button->click();
        if (dialog->isVisible())
            cancel->click();
    }
    QString check()
    {
        const Game& game = form_->game();
        if (game.sliding() || game.solving())
            return "the game is still busy after the action returned";
        if (kept_ && bytesOf(saveTo_) != *kept_)
            return "a No at the overwrite question changed " + saveTo_;
        for (; checkedMessages_ < messages.size(); ++checkedMessages_) {
            const test::ShownMessage& m = messages[checkedMessages_];
            if (m.text != test::CannotFindText && m.text != test::OverwriteText && m.text != "Wrong values" &&
                m.title != "About this game" && !m.text.startsWith("Cannot save the file "))
                return "unexpected message: " + m.text;
        }
        return test::boardFault(game, test::WindowAccess::tiles(*form_), twipsPerPixelX(), twipsPerPixelY());
    }

    const long seed_, actions_;
    std::mt19937 rng_;
    QTemporaryDir dir_;   // the working folder
    QtPictureLoader loader_;
    long action_ = 0;       // 0: not playing yet
    bool nested_ = false;   // input injected from an event pass is running
    double now_ = 0;
    std::size_t checkedMessages_ = 0;
    QString saveTo_;                   // the file the last save dialog named
    std::optional<QByteArray> kept_;   // its bytes at a No to the overwrite question
    std::unique_ptr<Form1> form_;      // last: it goes before the services it uses
};

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir home;
    test::useOwnHome(home);
    QApplication app(argc, argv);
    zp::useDecoderPrograms(ZP_TEST_JPEG_DECODER, ZP_TEST_DECODER);
    long seed = 0, actions = 0;
    char end = 0;
    if (argc != 5 || std::strcmp(argv[1], "--seed") || std::strcmp(argv[3], "--actions") ||
        std::sscanf(argv[2], "%ld%c", &seed, &end) != 1 || std::sscanf(argv[4], "%ld%c", &actions, &end) != 1)
        return std::fprintf(stderr, "usage: stress_test --seed N --actions M\n"), 2;
    return RestlessUser(seed, actions).play(app);
}
