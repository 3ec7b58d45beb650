// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson_pages.h"

#include "clips.h"
#include "lesson_art.h"

namespace lutavo::assetgen {

namespace {

using D = Diagram;

const ChordShape kEm{"E minor", {0, 2, 2, 0, 0, 0}, {0, 2, 3, 0, 0, 0}};
const ChordShape kAm{"A minor", {-1, 0, 2, 2, 1, 0}, {0, 0, 2, 3, 1, 0}};
const ChordShape kC{"C major", {-1, 3, 2, 0, 1, 0}, {0, 3, 2, 0, 1, 0}};
const ChordShape kG{"G major", {3, 2, 0, 0, 0, 3}, {2, 1, 0, 0, 0, 3}};
const ChordShape kD{"D major", {-1, -1, 0, 2, 3, 2}, {0, 0, 0, 1, 3, 2}};

const std::vector<LessonPage>& pages() {
    static const std::vector<LessonPage> list = {
        // Lesson 1: reading the page.
        {"lessons/l1_p1.bmp", "Lesson 1 \u00b7 Reading the page",
         "Lutavo shows a song one line at a time. On top is the staff of standard notation; "
         "under it is the tablature, or tab, with one line for each string of the guitar. Both "
         "show the same notes, one above the other.\n\nStep through this lesson with NEXT and "
         "BACK below, or drag the frame scroll bar.",
         D::StaffOverTab},
        {"lessons/l1_p2.bmp", "The six strings",
         "Hold the guitar on your lap and look down at it: the thinnest string is nearest the "
         "floor. In tab the thinnest string, the 1st (high E), is the top line, and the "
         "thickest, the 6th (low E), is the bottom line.\n\nFrom thick to thin the strings are "
         "E A D G B E.",
         D::TabStrings},
        {"lessons/l1_p3.bmp", "Fret numbers",
         "A number on a line says which fret to press on that string. 0 is the open string: "
         "pick it without pressing anything. 3 means: press the string just behind the third "
         "fret wire with a fingertip, and pick it.\n\nThe neck under the page shows every note "
         "of a song the same way, as a dot.",
         D::FretNumbers},
        {"lessons/l1_p4.bmp", "Together, or one after another",
         "Tab reads from left to right, like words. Numbers standing in one column are played "
         "together, in one strum: that is a chord. Numbers one after another are played one at "
         "a time.\n\nThe example is the chord E minor, strummed, then picked string by string. "
         "Hear both in the next frame.",
         D::ChordColumn},
        {"lessons/l1_p5.bmp", "The staff: how high",
         "The staff has five lines. Each note sits on a line or in a space; the higher it sits, "
         "the higher it sounds. Notes are named with the letters A to G, then the letters start "
         "again. Notes below the staff get short extra lines.\n\nGuitar music is written an "
         "octave higher than it sounds, so that it fits on the staff.",
         D::StaffPitches},
        {"lessons/l1_p6.bmp", "The staff: how long",
         "The shape of a note tells how long it lasts, counted in beats. A whole note (an open "
         "head, no stem) lasts four beats, a half note two, a quarter note one, and an eighth "
         "note, with its flag, half a beat.\n\nThe tab tells you where to play; the staff tells "
         "you when.",
         D::NoteLengths},
        {"lessons/l1_p7.bmp", "Playing along",
         "While a song plays, the red pointer under the page walks along the notes, and the "
         "neck shows which strings and frets sound.\n\nPLAY starts, PAUSE holds, STOP goes back "
         "to the start. BACK and NEXT of the player step one note at a time: a good way to find "
         "each note on your guitar.",
         D::Transport},
        {"lessons/l1_p8.bmp", "Well done",
         "You can now read both lines of a Lutavo page: the tab tells you the string and the "
         "fret, the staff tells you how high and how long.\n\nTry it on any song: close the "
         "lesson, open SONGS, pick a song, press PLAY and follow the pointer. Then use BACK and "
         "NEXT of the player to walk through it note by note.\n\nNext lesson: tuning your "
         "guitar."},

        // Lesson 2: tuning.
        {"lessons/l2_p1.bmp", "Lesson 2 \u00b7 Tuning your guitar",
         "A guitar goes out of tune whenever it is played, carried or warmed by the sun, so tune "
         "it each time you pick it up.\n\nIn standard tuning the six open strings are, from the "
         "thickest to the thinnest: E A D G B E. The next frames play each of Lutavo's strings "
         "in turn, from the 6th to the 1st.",
         D::OpenStrings},
        {"lessons/l2_p2.bmp", "Matching a string",
         "Pick your string and listen to Lutavo's. If yours sounds lower, tighten its peg a "
         "little; if higher, loosen it below the note and come up to it again. Always finish "
         "by tightening: the string then stays in tune.\n\nTurn slowly and listen after each "
         "small turn. When the two notes match, the wobble between them stops.",
         D::PegTurn},
        {"lessons/l2_p3.bmp", "The tuning song",
         "TUNE on the mode bar loads the tuning song and plays every open string in turn, so "
         "you can tune with both hands free. It closes this lesson, so the next frame loads the "
         "same song here instead.\n\nPress PLAY, tune the 6th string while it sounds, then the "
         "others. Top left the page names the strings of the tuning in use.",
         D::Transport},
        {"lessons/l2_p4.bmp", "The tuner panel",
         "Some songs ask for another tuning. Click one of the six buttons left of the neck and "
         "a small panel opens beside it: its scroll bar raises or lowers that string a semitone "
         "at a time, and the notes and the tuning song follow.\n\nOK keeps the change; DEF goes "
         "back to standard tuning.",
         D::TunerPanel},
        {"lessons/l2_p5.bmp", "Checking by ear",
         "With one string in tune you can tune the rest to it. Press the 6th string at the 5th "
         "fret: it should sound like the open 5th string. Do the same from the 5th string to "
         "the 4th, and from the 4th to the 3rd.\n\nFrom the 3rd string to the 2nd use the 4th "
         "fret, then the 5th fret again from the 2nd to the 1st.",
         D::FifthFret},
        {"lessons/l2_p6.bmp", "In tune",
         "Your guitar is in tune when every open string matches Lutavo's note and the "
         "fifth-fret checks agree.\n\nCheck again after a few minutes of playing: new strings "
         "stretch, and go flat again and again during their first days.\n\nNext lesson: your "
         "first chords."},

        // Lesson 3: first open chords.
        {"lessons/l3_p1.bmp", "Lesson 3 \u00b7 First open chords",
         "A chord is several strings sounding together. Open chords use open strings and the "
         "first frets; every guitarist learns them first.\n\nYou will learn five: E minor, A "
         "minor, C, G and D. For each one, look at the shape, place your fingers, strum slowly "
         "and listen: every string should ring.",
         D::ChordChanges},
        {"lessons/l3_em.bmp", "E minor (Em)",
         "The picture shows the neck as Lutavo draws it: the nut on the left, the thinnest "
         "string on top. A dot is a finger (1 index, 2 middle, 3 ring, 4 little); o is an open "
         "string, x a string you do not play.\n\nE minor: middle and ring finger on the 2nd "
         "fret of the 5th and 4th strings. Strum all six strings.",
         D::Chord, &kEm},
        {"lessons/l3_am.bmp", "A minor (Am)",
         "Move the same two fingers one string thinner, to the 4th and 3rd strings, and add the "
         "index finger on the 1st fret of the 2nd string.\n\nDo not strum the 6th string: start "
         "from the open 5th string, A. Keep your fingers arched so that the open 1st string "
         "rings.",
         D::Chord, &kAm},
        {"lessons/l3_c.bmp", "C major (C)",
         "From A minor, keep the index and the middle finger where they are and move the ring "
         "finger to the 3rd fret of the 5th string.\n\nStrum from the 5th string down. If the "
         "open 1st string sounds dull, the index finger is leaning on it: arch it a little "
         "more.",
         D::Chord, &kC},
        {"lessons/l3_g.bmp", "G major (G)",
         "G uses all six strings: middle finger on the 3rd fret of the 6th string, index on the "
         "2nd fret of the 5th string, and ring finger on the 3rd fret of the 1st string.\n\nThe "
         "4th, 3rd and 2nd strings ring open. Strum all six and let the low G ring.",
         D::Chord, &kG},
        {"lessons/l3_d.bmp", "D major (D)",
         "D is a small triangle on the three thinnest strings: index on the 2nd fret of the 3rd "
         "string, ring finger on the 3rd fret of the 2nd string, middle finger on the 2nd fret "
         "of the 1st string.\n\nStrum only four strings, from the open 4th string, D.",
         D::Chord, &kD},
        {"lessons/l3_p2.bmp", "Changing chords",
         "A song changes chords on the beat, so practise the changes slowly: four strums on "
         "each chord, and move all fingers at once as the bar ends. Look for fingers that can "
         "stay or slide.\n\nThe song in the next frame goes Em, Am, C, G, D and back to Em.",
         D::ChordChanges},
        {"lessons/l3_p3.bmp", "Well done",
         "Five chords are enough for hundreds of songs. Practise a few minutes every day: "
         "fingertips hurt at first and harden within a couple of weeks.\n\nCHORDS on the mode "
         "bar shows the shapes of any chord on the neck.\n\nNext lesson: rhythm and the "
         "metronome."},

        // Lesson 4: rhythm and the metronome.
        {"lessons/l4_p1.bmp", "Lesson 4 \u00b7 Rhythm and the metronome",
         "Music moves on a steady beat, like a clock ticking. In 4/4 time each bar has four "
         "beats, counted 1 2 3 4; eighth notes split each beat in two: 1 & 2 & 3 & 4 &.\n\nThe "
         "metronome clicks on each beat, so you can hear where the beat is. The next frame plays "
         "one click.",
         D::Beats},
        {"lessons/l4_p2.bmp", "METRO, TEMPO and LEAD-IN",
         "METRO turns the click on or off; its lamp blinks on each beat. TEMPO on the settings "
         "panel makes a song slower or faster: start slowly. LEAD-IN counts clicks before the "
         "song begins, so you are ready on beat one.\n\nEvery song of this lesson starts with "
         "the metronome on, strumming E minor.",
         D::MetroButtons},
        {"lessons/l4_p3.bmp", "Whole notes",
         "A whole note lasts a whole bar of four beats. Strum E minor once on beat 1 and let it "
         "ring while you count 2 3 4 with the clicks.\n\nPress PLAY in the next frame and strum "
         "with Lutavo.",
         D::NoteLengths},
        {"lessons/l4_p4.bmp", "Half notes",
         "A half note lasts two beats: strum on 1 and on 3, and count 2 and 4 in between.\n\n"
         "Keep your strumming hand moving down and up in time, even when it does not touch the "
         "strings: it keeps you on the beat.",
         D::NoteLengths},
        {"lessons/l4_p5.bmp", "Quarter notes",
         "A quarter note lasts one beat: one strum on every click, 1 2 3 4.\n\nStrum down each "
         "time with a relaxed wrist, and keep the chord pressed all the way through the bar.",
         D::Beats},
        {"lessons/l4_p6.bmp", "Eighth notes",
         "Eighth notes come two to a beat: strum down on the number and up on the & between "
         "the clicks. Count out loud: 1 & 2 & 3 & 4 &.\n\nIf it feels rushed, lower the TEMPO "
         "on the settings panel and try again; speed comes by itself.",
         D::Beats},
        {"lessons/l4_p7.bmp", "All together",
         "The last song mixes the lengths the way real songs do: a whole note, two half notes, "
         "four quarters, then eight eighths, bar after bar.\n\nCount all the time, and keep the "
         "hand moving in eighths: it touches the strings only when a note begins.",
         D::NoteLengths},
        {"lessons/l4_p8.bmp", "Well done",
         "Steady time matters more than speed. Play along with the metronome every day, a "
         "little slower than feels easy, and raise the TEMPO only when every strum lands on its "
         "click.\n\nNext lesson: your first melody."},

        // Lesson 5: a first melody.
        {"lessons/l5_p1.bmp", "Lesson 5 \u00b7 A first melody",
         "A melody is a tune played one note at a time. This one is the chorus of Jingle Bells, "
         "a song from the 1850s.\n\nIt needs only the two thinnest strings: the open 1st string "
         "E, the 3rd fret of the 1st string G, and the 1st and 3rd frets of the 2nd string, C "
         "and D.",
         D::MelodyTab},
        {"lessons/l5_p2.bmp", "Slowly first",
         "The next frame loads the melody alone, slowly, with the metronome on. Press PLAY, "
         "watch the pointer and the neck, and play each note with Lutavo.\n\nUse BACK and NEXT "
         "of the player to find a note you missed. Play it several times before going on.",
         D::Transport},
        {"lessons/l5_p3.bmp", "Repeat one line",
         "A hard spot is best learned on its own. Click a note on the page to go to its line, "
         "press REPEAT and choose Repeat current line: Lutavo plays that line again and again "
         "until you press STOP or choose Cancel repeat.\n\nLoop a line until it flows, then "
         "take the next one.",
         D::RepeatLine},
        {"lessons/l5_p4.bmp", "The whole song",
         "Now the arrangement from the song library: the melody with a bass note under it, at "
         "its own tempo.\n\nListen first, then play the melody along with it. When it goes "
         "well, try it with REPEAT and Repeat song, and play it through a few times without "
         "stopping."},
        {"lessons/l5_p5.bmp", "Well done",
         "You have played your first melody. The song library under SONGS holds more tunes to "
         "learn the same way: slowly first, one line at a time with repeat-line, then at full "
         "speed.\n\nOpen LESSONS again whenever you want to go over a lesson."},
    };
    return list;
}

const std::vector<LessonHint>& hints() {
    static const std::vector<LessonHint> list = {
        {"lessons/h_play.bmp", "Press PLAY", "Listen, and follow the pointer along the page.",
         HintMark::Button, nullptr, 0, "PLAY"},
        {"lessons/h_metro.bmp", "The click", "The metronome sounds like this on every beat.",
         HintMark::Button, nullptr, 0, "METRO"},
        {"lessons/h_repeat.bmp", "Repeat a line", "REPEAT, then Repeat current line.",
         HintMark::Button, nullptr, 0, "REPEAT"},
        {"lessons/h_s6.bmp", "String 6: E", "The thickest string, the low E.", HintMark::String,
         nullptr, 6},
        {"lessons/h_s5.bmp", "String 5: A", "Tune it to this A.", HintMark::String, nullptr, 5},
        {"lessons/h_s4.bmp", "String 4: D", "Tune it to this D.", HintMark::String, nullptr, 4},
        {"lessons/h_s3.bmp", "String 3: G", "Tune it to this G.", HintMark::String, nullptr, 3},
        {"lessons/h_s2.bmp", "String 2: B", "Tune it to this B.", HintMark::String, nullptr, 2},
        {"lessons/h_s1.bmp", "String 1: E", "The thinnest string, the high E.", HintMark::String,
         nullptr, 1},
        {"lessons/h_em.bmp", "E minor", "Strum all six strings, once on each beat.",
         HintMark::Chord, &kEm},
        {"lessons/h_am.bmp", "A minor", "Strum from the 5th string, once on each beat.",
         HintMark::Chord, &kAm},
        {"lessons/h_c.bmp", "C major", "Strum from the 5th string, once on each beat.",
         HintMark::Chord, &kC},
        {"lessons/h_g.bmp", "G major", "Strum all six strings, once on each beat.", HintMark::Chord,
         &kG},
        {"lessons/h_d.bmp", "D major", "Strum from the 4th string, once on each beat.",
         HintMark::Chord, &kD},
    };
    return list;
}

}  // namespace

std::vector<PictureAsset> lessonPictureAssets() {
    std::vector<PictureAsset> assets;
    for (const LessonPage& page : pages()) {
        assets.push_back({page.fileName, kLessonPageWidth, kLessonPageHeight,
                          [&page](const Fonts& f) { return drawLessonPage(f, page); }});
    }
    for (const LessonHint& hint : hints()) {
        assets.push_back({hint.fileName, kLessonHintWidth, kLessonHintHeight,
                          [&hint](const Fonts& f) { return drawLessonHint(f, hint); }});
    }
    return assets;
}

std::vector<ClipAsset> lessonClipAssets() {
    // The open strings of standard tuning, the 1st string first (Hz).
    static const std::pair<const char*, double> strings[6] = {
        {"lessons/string1.wav", 329.63}, {"lessons/string2.wav", 246.94},
        {"lessons/string3.wav", 196.00}, {"lessons/string4.wav", 146.83},
        {"lessons/string5.wav", 110.00}, {"lessons/string6.wav", 82.41}};
    std::vector<ClipAsset> clips;
    for (const auto& [name, frequency] : strings) {
        const double hz = frequency;
        clips.push_back({name, [hz] { return synthOpenString(hz); }});
    }
    return clips;
}

}  // namespace lutavo::assetgen
