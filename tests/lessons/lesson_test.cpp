// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/editor_mode.h"
#include "app/lesson_frames.h"
#include "app/mode_bar.h"
#include "app/startup.h"
#include "core/control_ids.h"
#include "core/data_files.h"
#include "fakes/test_rig.h"
#include "lessons/lesson_file.h"
#include "lessons/lesson_player.h"

namespace lutavo {
namespace {

// The frames read, joined with '|', or the refusal's message.
std::string readText(const std::string& text) {
    ItemReader reader(text);
    auto result = readLessonText(reader, "l.LSN");
    if (auto* failure = std::get_if<ReadFailure>(&result)) return failure->message;
    std::string frames;
    for (const std::string& f : std::get<LessonScript>(result).frames)
        frames += f + "|";
    return frames;
}

std::string numberedFrames(int count) {
    std::string text = "lutavo\n";
    for (int i = 1; i <= count; ++i)
        text += "title=" + std::to_string(i) + "\n";
    return text;
}

TEST(LessonFile, FirstItemEmptyItemsAndLineEnds) {
    const std::pair<std::string, std::string> cases[] = {
        {"lutavo\r\ntitle=A\r\n\r\nloadsng=x.SNG,,playwav=y.wav\r\n",
         "title=A|loadsng=x.SNG|playwav=y.wav|"},
        {"lutavo", ""},
        {"lutavo\n\n\n", ""},
        {"lutavo,size=4000", "size=4000|"},
        {"Lutavo\ntitle=A", "Invalid format: l.LSN"},
        {"lutavo3\ntitle=A", "Invalid format: l.LSN"},
        {"", "Invalid format: l.LSN"},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(readText(text), expected) << text;
}

TEST(LessonFile, AtMost160Frames) {
    EXPECT_EQ(readText(numberedFrames(160)).substr(0, 16), "title=1|title=2|");
    EXPECT_EQ(readText(numberedFrames(161)),
              "The lesson l.LSN has more than 160 frames, the most a lesson can hold.");
}

TEST(LessonFile, KeysEndAtTheFirstEqualsSign) {
    const std::vector<std::vector<std::string>> cases = {
        {"lessonpic=a.bmp", "lessonpic=", "a.bmp"},
        {"title=a=b", "title=", "a=b"},
        {"size=", "size=", ""},
        {"no key here", "", ""},
    };
    for (const auto& c : cases) {
        const FrameCommand command = splitFrame(c[0]);
        EXPECT_EQ(test::join(command.key, command.value), test::join(c[1], c[2])) << c[0];
    }
}

class LessonPlayer : public test::Started {
  protected:
    void SetUp() override {
        Started::SetUp();
        g().app.dataFolder = data.path();
        data.write("a.bmp", "picture");
        data.write("b.bmp", "picture");
        data.write("c.wav", "clip");
        data.write("s.SNG", song("From the data folder"));
        lessons.write("s.SNG", song("From the lesson folder"));
    }
    static std::string song(const std::string& title) {
        return "lutavo3\ntitle=" + title + "\npage=INTERNAL\n\n16000000000000\n16000000000000\n";
    }
    // Opens a lesson of these frames through the LESSONS dialog and runs frame 1.
    void open(const std::vector<std::string>& frames, const std::string& first = "lutavo") {
        std::string text = first + "\r\n";
        for (const auto& f : frames)
            text += f + "\r\n";
        rig.dialogs.fileAnswers.push_back(lessons.write("one.LSN", text));
        modeBarPress(g(), kModeBarLessons);
        tick();
    }
    void tick() { windowTimerTick(g()); }
    // A tick first, so a frame a picture frame moved on to has run, as it would have for a user.
    void press(int button) {
        tick();
        lbutton_Click(g(), button);
        lbutton_MouseUp(g().ui);
        tick();
    }
    void goTo(int frame) {
        lscroll_Scroll(g(), frame);
        tick();
    }
    int frame() { return g().app.lessonFrame; }
    std::vector<std::string> messages() {
        std::vector<std::string> texts;
        for (const auto& m : rig.dialogs.messages)
            texts.push_back(m.text);
        return texts;
    }

    test::TempDir data;
    test::TempDir lessons;
};

TEST_F(LessonPlayer, LoadingPutsTheWindowInLessonModeAndBothClosesEndIt) {
    using Close = void (*)(Guitar&);
    const Close closes[] = {
        // CLOSE closes the lesson, though the start-up song is still shown: it does not quit.
        [](Guitar& guitar) { btnlexit_Click(guitar); },
        // Any command of the mode bar; here the dialog it opens is cancelled.
        [](Guitar& guitar) { modeBarPress(guitar, kModeBarLessons); },
    };
    for (Close close : closes) {
        open({"title=First steps", "playwav=c.wav"});
        EXPECT_EQ(test::join(g().app.appMode, g().ui.lblltotal.caption, g().ui.lbllnum.caption,
                             g().ui.lscroll.max, g().ui.lbllexit.caption, g().ui.btnlexit.tip,
                             g().ui.form.caption, g().gtimer.interval, g().ui.pnllesson.visible,
                             g().ui.lbutton[kLessonIdle].pressed),
                  test::join(kModeLesson, "2", "1", 2, "CLOSE", "Close lesson",
                             "Lutavo - First steps", 60, true, true));
        close(g());
        EXPECT_EQ(
            test::join(g().app.appMode, g().app.lessonRequest, g().gtimer.interval,
                       g().ui.pnllesson.visible, g().app.quitRequested, g().ui.lbllexit.caption),
            test::join(kModeSongs, "", 3000, false, false, "EXIT"));
    }
}

TEST_F(LessonPlayer, StepsThroughTheFrames) {
    open({"title=One", "lessonpic=a.bmp", "lessonpic=b.bmp", "playwav=c.wav", "playwav=c.wav",
          "loadsng=s.SNG"});
    press(kLessonBack);  // BACK on frame 1 does nothing
    EXPECT_EQ(frame(), 1);
    press(kLessonNext);
    // A picture frame shows its picture and moves on; the next frame runs on the next tick.
    // The counter counts steps seen: picture frames are none of their own.
    const auto shown = [&] { return test::join(g().ui.NewLessonPic.file, g().ui.lbllnum.caption); };
    EXPECT_EQ(test::join(frame(), g().ui.lblltotal.caption), test::join(3, "4"));
    EXPECT_EQ(shown(), test::join(data.path() + "a.bmp", "1"));
    tick();
    EXPECT_EQ(shown(), test::join(data.path() + "b.bmp", "2"));
    const std::size_t before = rig.wave.played.size();
    tick();
    EXPECT_EQ(rig.wave.played.size(), before + 1);
    press(kLessonNext);  // the same text again runs nothing
    EXPECT_EQ(test::join(frame(), rig.wave.played.size()), test::join(5, before + 1));
    press(kLessonNext);  // the song comes from the data folder, not the lesson's folder
    EXPECT_EQ(g().song.songTitle, "From the data folder");
    press(kLessonNext);  // NEXT on the last frame does nothing
    EXPECT_EQ(test::join(frame(), g().ui.lbllnum.caption), test::join(6, "4"));
    // Going back from frame 4 skips the two picture frames before it, to frame 1's picture.
    goTo(4);
    press(kLessonBack);
    EXPECT_EQ(test::join(frame(), g().ui.lscroll.value, g().ui.form.caption, shown()),
              test::join(1, 1, "Lutavo - One", test::join(files::kDefaultLessonPicture, "1")));
    EXPECT_TRUE(messages().empty());
}

// A lesson starts from its own first picture, not the one the last lesson left on show.
TEST_F(LessonPlayer, ALessonStartsOnItsOwnFirstPicture) {
    open({"title=One", "lessonpic=b.bmp"});  // ends on its picture: a step, nothing follows
    press(kLessonNext);
    EXPECT_EQ(test::join(g().ui.NewLessonPic.file, g().ui.lblltotal.caption),
              test::join(data.path() + "b.bmp", "2"));
    open({"title=Two"});
    EXPECT_EQ(g().ui.NewLessonPic.file, files::kDefaultLessonPicture);
}

TEST_F(LessonPlayer, MissingFilesAreReportedOnceAndTheLessonGoesOn) {
    open({"loadsng=s.SNG", "loadsng=gone.SNG", "lessonpic=gone.bmp", "playwav=gone.wav",
          "page=gone.bmp", "title=Still here"});
    for (int i = 0; i < 6; ++i)
        press(kLessonNext);
    goTo(2);
    const std::string gone = "The file " + data.path() + "gone";
    const std::string tail = " is missing. Lutavo goes on without it.";
    EXPECT_EQ(messages(), (std::vector<std::string>{gone + ".SNG" + tail, gone + ".bmp" + tail,
                                                    gone + ".wav" + tail}));
    EXPECT_EQ(test::join(g().song.songTitle, g().song.noteCount, g().ui.form.caption, frame()),
              test::join("From the data folder", 2, "Lutavo - Still here", 2));
}

// Files come from the data folder: a path that leads out of it is refused.
TEST_F(LessonPlayer, KeysThatNameFilesStayInTheDataFolder) {
    const auto folder = std::filesystem::path(lessons.path()).parent_path().filename();
    const std::string out = "../" + folder.string() + "/s.SNG";
    open({"loadsng=" + out, "playwav=", "title=Done"});
    press(kLessonNext);
    press(kLessonNext);
    EXPECT_EQ(
        test::join(messages().at(0), messages().at(1), g().song.songTitle, g().ui.form.caption),
        test::join("The lesson's \"loadsng=\" names a file outside the data folder (" + out +
                       "); it was not read.",
                   "The lesson's \"playwav=\" names no file.", "Welcome to Lutavo",
                   "Lutavo - Done"));
}

TEST_F(LessonPlayer, RefusedFilesKeepTheStateAndNameTheFile) {
    const std::pair<std::string, int> cases[] = {{"Lutavo", 1}, {"lutavo", 161}};
    for (const auto& [first, count] : cases) {
        rig.dialogs.messages.clear();
        open(std::vector<std::string>(static_cast<std::size_t>(count), "title=x"), first);
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_NE(messages()[0].find(lessons.path() + "one.LSN"), std::string::npos);
        EXPECT_EQ(test::join(g().app.appMode, g().song.songTitle, g().ui.pnllesson.visible),
                  test::join(kModeSongs, "Welcome to Lutavo", false));
    }
}

// Every lesson that comes with the program runs every frame without a message, opened through
// the LESSONS dialog or named on the command line (its own folder then the data folder).
TEST(ShippedLessons, EveryFrameRunsWithNoMissingFile) {
    const std::string folder = test::dataFolder() + "lessons";
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".LSN") files.push_back(entry.path().string());
    ASSERT_GE(files.size(), 5u);
    for (std::size_t run = 0; run < 2 * files.size(); ++run) {
        const std::string& file = files[run / 2];
        const bool named = run % 2 == 1;
        test::Rig rig;
        if (named) {
            ASSERT_TRUE(startup(rig.g(), {test::dataFolder(), file, ""}, rig.lock));
            ASSERT_EQ(rig.g().app.dataFolder, folder + "/");
        } else {
            rig.defaults();
            closesong(rig.g());
            loadlesson(rig.g(), file);
        }
        windowTimerTick(rig.g());
        ASSERT_EQ(rig.g().app.appMode, kModeLesson) << file;
        const int count = rig.g().app.lessonFrameCount;
        EXPECT_TRUE(count >= 8 && count <= 30) << file << " has " << count << " frames";
        for (int guard = 0; rig.g().app.lessonFrame < count && guard < 2 * count; ++guard) {
            lbutton_Click(rig.g(), kLessonNext);
            windowTimerTick(rig.g());
            windowTimerTick(rig.g());
        }
        EXPECT_EQ(rig.g().app.lessonFrame, count) << file;
        for (const auto& m : rig.dialogs.messages)
            ADD_FAILURE() << file << (named ? " named" : "") << ": " << m.text;
        for (const std::string& clip : rig.wave.played)
            EXPECT_TRUE(std::filesystem::exists(clip)) << clip;
    }
}

}  // namespace
}  // namespace lutavo
