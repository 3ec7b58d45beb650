// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo give back the song exactly, whatever the editor did to it.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "app/mode_bar.h"
#include "app/song_files.h"
#include "editor/editor_commands.h"
#include "editor/song_save.h"
#include "editor/undo.h"
#include "fakes/test_rig.h"
#include "playback/settings_adjuster.h"

namespace lutavo {
namespace {

TEST(Undo, FiveHundredRandomEditsUndoneAndRedoneGiveBackTheSavedBytes) {
    test::Rig rig;
    rig.defaults();
    setupModeBar(rig.g());
    Guitar& g = rig.g();
    test::TempDir dir;
    const std::string original =
        dir.write("ORIGINAL.SNG", test::readFile(test::dataFolder() + "songs/greensleeves.SNG"));
    loadsong(g, original);
    modeBarPress(g, kModeBarEdit);
    auto saved = [&](const std::string& name) {
        return savesong(g, dir.path() + name) ? test::readFile(dir.path() + name) : "";
    };
    const std::string before = saved("BEFORE.SNG");

    std::mt19937 random(7);
    const int commands[] = {kEditorIns,   kEditorDel,     kEditorTie,  kEditorTriplet,
                            kEditorBend,  kEditorNewline, kEditorMark, kEditorCopy,
                            kEditorPaste, kEditorUnmark,  kEditorBack, kEditorNext};
    for (int i = 0; i < 500; ++i) {
        if (random() % 4 == 0)
            g.transport.curNote =
                static_cast<i16>(1 + random() % std::max<int>(g.song.noteCount, 1));
        const int other = static_cast<int>(random() % 16);  // now and then the capo or a length
        if (other < 2) {
            btnSwapper_Click(g, other == 0 ? kSettingCapo : kSettingNoteLength);
            PicSwapper_MouseDown(g, static_cast<int>(random() % (other == 0 ? 1500 : 3080)));
            PicSwapper_MouseUp(g);
        }
        if (other == 2) piccapo_MouseDown(g, static_cast<int>(random() % 1300));
        if (other > 2) btnsongentry_Click(g, commands[random() % std::size(commands)]);
    }
    ASSERT_GT(g.editor.undo.size(), 100u);
    const std::string after = saved("AFTER.SNG");
    ASSERT_NE(after, before);
    while (!g.editor.undo.empty())
        editorUndo(g);
    EXPECT_EQ(saved("UNDONE.SNG"), before);
    while (!g.editor.redo.empty())
        editorRedo(g);
    EXPECT_EQ(saved("REDONE.SNG"), after);
}

}  // namespace
}  // namespace lutavo
