// SPDX-License-Identifier: GPL-3.0-or-later
#include "practice/practice_session.h"

#include <fstream>
#include <iterator>

#include "song/song_model.h"

namespace lutavo {

namespace {

// A session for the passage, when the record is open and the song's file can be read.
void beginPracticeSession(PracticeState& p, const PracticeMoment& now) {
    p.practising = true;
    p.passage = now.passage;
    p.passesSeen = now.passesBegun;
    p.passUnderWay = false;
    const auto song = practicedSong(now.passage.songFile);
    if (!song || !p.record) return;
    p.session = p.record->beginSession(*song, now.passage.first, now.passage.last, p.clock());
}

void writeScores(PracticeState& p) {
    auto& scores = p.scoresToWrite;
    std::size_t written = 0;
    while (written < scores.size() && p.session != 0 &&
           p.record->scorePass(p.session, scores[written]))
        ++written;
    scores.erase(scores.begin(), scores.begin() + static_cast<long>(written));
}

// Each pass begun after another ends the one before it, played through at the speed it began
// with.
void countPasses(PracticeState& p, const PracticeMoment& now) {
    for (; p.passesSeen < now.passesBegun; ++p.passesSeen) {
        if (p.passUnderWay && p.session != 0) {
            p.record->recordPass(p.session, p.passTempo, p.clock());
            writeScores(p);
        }
        p.passUnderWay = true;
        p.passTempo = now.tempoPercent;
    }
}

}  // namespace

std::string openPracticeRecord(PracticeState& p) {
    if (p.recordTried) return "";
    p.recordTried = true;
    auto opened = PracticeRecord::open(p.recordPath, p.clock());
    p.record = std::move(opened.record);
    return opened.message;
}

PracticeMoment practiceMoment(bool playing, const SongModel& song, const TransportState& at,
                              const PlaybackState& playback) {
    const PlayRange& r = at.range;
    return {playing && r.loop,
            {song.songFile, r.first, r.lastIn(song.noteCount)},
            playback.counters.passesBegun,
            playback.tempoPercent};
}

std::optional<PracticedSong> practicedSong(const std::string& songFile) {
    std::ifstream in(songFile, std::ios::binary);
    if (songFile.empty() || !in) return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return std::nullopt;
    return PracticedSong{songFile, contentHash(bytes)};
}

std::string recordScoredPass(PracticeState& p, const ScoredPass& pass) {
    const PracticedPassage& passage = pass.passage;
    if (p.practising && p.passage == passage) {
        p.scoresToWrite.push_back(pass.hitPercent);
        writeScores(p);
        return "";
    }
    std::string message = openPracticeRecord(p);
    const auto song = practicedSong(passage.songFile);
    if (!song || !p.record) return message;
    const EpochSeconds now = p.clock();
    const EpochSeconds began = now - (pass.lengthMs + 500) / 1000;
    const std::int64_t session = p.record->beginSession(*song, passage.first, passage.last, began);
    if (session == 0) return message;
    p.record->recordPass(session, pass.tempoPercent, now);
    p.record->scorePass(session, pass.hitPercent);
    p.record->endSession(session, now);
    return message;
}

void endPracticeSession(PracticeState& p) {
    if (p.session != 0) p.record->endSession(p.session, p.clock());
    p.session = 0;
    p.scoresToWrite.clear();
    p.practising = false;
}

std::string followPractice(PracticeState& p, const PracticeMoment& now) {
    if (p.practising) {
        // A pass that began as the play ended (a trainer at its goal) ends the one before it.
        countPasses(p, now);
        if (now.looping && now.passage == p.passage) return "";
        endPracticeSession(p);
    }
    if (!now.looping) return "";
    std::string message = openPracticeRecord(p);
    beginPracticeSession(p, now);
    return message;
}

}  // namespace lutavo
