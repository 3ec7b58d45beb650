// SPDX-License-Identifier: GPL-3.0-or-later
#include "listen/take_judge.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace lutavo {

namespace {

// A plucked string sounds its octaves most, then its fifth, its major third and its minor
// seventh (the third, fifth and seventh overtones), so a chord's chroma holds those too. A low
// string's third overtone can be louder than its octaves: the fifth weighs nearly as much. The
// weights and the two limits below were set on the built-in synthesizer's guitars, where they
// part every sample song's own notes (all heard) from the same a semitone off (none) or a fifth
// off (at most 8%).
struct Overtone {
    int semitones;
    float weight;
};
constexpr std::array<Overtone, 4> kOvertones = {{{0, 1.0f}, {7, 0.7f}, {4, 0.15f}, {10, 0.1f}}};

// Below this likeness the heard chroma is not the expected notes.
constexpr double kLikeness = 0.6;
// An expected class quieter than this share of the loudest is not sounding. It is low because a
// string struck again while it rings brings little new: a chord whose missing string's note is an
// overtone of the others' (the third of a major chord) may pass as whole.
constexpr float kPresent = 0.05f;

Chroma expectedChroma(PitchClassSet classes) {
    Chroma c{};
    for (int pc = 0; pc < 12; ++pc) {
        if ((classes & (1u << pc)) == 0) continue;
        for (const Overtone& o : kOvertones)
            c[static_cast<std::size_t>((pc + o.semitones) % 12)] += o.weight;
    }
    return c;
}

double likeness(const Chroma& a, const Chroma& b) {
    double dot = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < 12; ++i) {
        dot += double(a[i]) * b[i];
        aa += double(a[i]) * a[i];
        bb += double(b[i]) * b[i];
    }
    return aa > 0 && bb > 0 ? dot / std::sqrt(aa * bb) : 0.0;
}

// The nearest onset not yet claimed within reach of the note's time; -1 when there is none.
int nearestFree(const HeardTake& heard, const std::vector<bool>& claimed, long at, long reach) {
    int best = -1;
    long bestDistance = std::numeric_limits<long>::max();
    for (std::size_t i = 0; i < heard.size(); ++i) {
        const long distance = std::labs(heard[i].ms - at);
        if (claimed[i] || distance > reach || distance >= bestDistance) continue;
        best = static_cast<int>(i);
        bestDistance = distance;
    }
    return best;
}

Verdict verdictOf(const HeardOnset& onset, const ExpectedNote& note, long offset, long tolerance) {
    if (!soundsClasses(onset.rise, note.classes)) return Verdict::Wrong;
    if (std::labs(offset) <= tolerance) return Verdict::Hit;
    return offset < 0 ? Verdict::Early : Verdict::Late;
}

}  // namespace

bool soundsClasses(const Chroma& rise, PitchClassSet classes) {
    if (classes == 0) return false;
    float loudest = 0;
    for (float v : rise)
        loudest = std::max(loudest, v);
    if (loudest <= 0) return false;
    for (int pc = 0; pc < 12; ++pc)
        if ((classes & (1u << pc)) != 0 && rise[static_cast<std::size_t>(pc)] < kPresent * loudest)
            return false;
    return likeness(rise, expectedChroma(classes)) >= kLikeness;
}

std::vector<Judgement> judgeNotes(const std::vector<ExpectedNote>& expected, const HeardTake& heard,
                                  std::vector<bool>& claimed, const JudgeWindows& windows) {
    claimed.resize(heard.size(), false);
    std::vector<Judgement> judged;
    judged.reserve(expected.size());
    for (const ExpectedNote& note : expected)
        judged.push_back({note, Verdict::Missed, 0, -1});
    for (long reach : {windows.toleranceMs, windows.beatMs}) {
        for (Judgement& j : judged) {
            if (j.verdict != Verdict::Missed) continue;
            const long at = j.expected.ms + windows.latencyMs;
            const int i = nearestFree(heard, claimed, at, reach);
            if (i < 0) continue;
            const auto& onset = heard[static_cast<std::size_t>(i)];
            claimed[static_cast<std::size_t>(i)] = true;
            j.strike = i;
            j.offsetMs = onset.ms - at;
            j.verdict = verdictOf(onset, j.expected, j.offsetMs, windows.toleranceMs);
        }
    }
    return judged;
}

std::vector<Judgement> judgeTake(const std::vector<ExpectedNote>& expected, const HeardTake& heard,
                                 const JudgeWindows& windows) {
    std::vector<bool> claimed;
    return judgeNotes(expected, heard, claimed, windows);
}

HeardTake takeFrom(HeardTake heard, long startMs) {
    for (HeardOnset& onset : heard)
        onset.ms -= startMs;
    return heard;
}

long takeStartMs(const std::vector<ExpectedNote>& expected, const HeardTake& heard,
                 const JudgeWindows& windows) {
    // A few either way: the player may miss the first note, the take may open with a noise.
    constexpr std::size_t kFirst = 4;
    std::vector<long> starts;
    for (std::size_t s = 0; s < std::min(kFirst, heard.size()); ++s)
        for (std::size_t n = 0; n < std::min(kFirst, expected.size()); ++n)
            if (soundsClasses(heard[s].rise, expected[n].classes))
                starts.push_back(heard[s].ms - windows.latencyMs - expected[n].ms);
    std::sort(starts.begin(), starts.end());
    starts.insert(starts.begin(), 0);  // tried first, so that it stands against equals
    long best = 0;
    int bestHits = -1;
    for (long start : starts) {
        const int hits =
            scoreOf(judgeTake(expected, takeFrom(heard, start), windows)).count(Verdict::Hit);
        if (hits > bestHits) best = start, bestHits = hits;
    }
    return best;
}

double PassScore::hitPercent() const {
    return total > 0 ? 100.0 * count(Verdict::Hit) / total : 0.0;
}

PassScore scoreOf(const std::vector<Judgement>& judged) {
    PassScore score;
    for (const Judgement& j : judged)
        score.counts[static_cast<std::size_t>(j.verdict)] += 1;
    score.total = static_cast<int>(judged.size());
    return score;
}

std::string totalLine(const PassScore& score) {
    char text[96];
    std::snprintf(text, sizeof text, "Total: %d of %d notes hit (%.1f%%)",
                  score.count(Verdict::Hit), score.total, score.hitPercent());
    return text;
}

std::string faultsText(const PassScore& score) {
    static constexpr std::array<const char*, 5> kWords = {"hit", "early", "late", "wrong",
                                                          "missed"};
    std::string text;
    for (std::size_t v = 1; v < kWords.size(); ++v) {
        if (score.counts[v] == 0) continue;
        if (!text.empty()) text += ", ";
        text += std::to_string(score.counts[v]) + " " + kWords[v];
    }
    return text;
}

}  // namespace lutavo
