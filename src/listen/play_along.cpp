// SPDX-License-Identifier: GPL-3.0-or-later
#include "listen/play_along.h"

#include <algorithm>

namespace lutavo {

namespace {

constexpr long kToleranceMs = JudgeWindows{}.toleranceMs;

JudgeWindows windowsOf(const ScoringState& s) {
    JudgeWindows w;
    w.beatMs = s.beatMs;
    w.latencyMs = s.latencyMs;
    return w;
}

// Judges notes first..ready-1 against what is heard, the later ones only so that the strikes in
// their windows stay theirs; first..final-1 are judged for good.
void judgeFor(ScoringState& s, std::size_t first, std::size_t ready, std::size_t final) {
    if (final <= first) return;
    const std::vector<ExpectedNote> notes(s.expected.begin() + static_cast<long>(first),
                                          s.expected.begin() + static_cast<long>(ready));
    std::vector<bool> claimed = s.claimed;
    const std::vector<Judgement> verdicts = judgeNotes(notes, s.heard, claimed, windowsOf(s));
    for (std::size_t i = first; i < final; ++i) {
        const Judgement& j = verdicts[i - first];
        s.judged.push_back(j);
        if (j.strike >= 0) s.claimed[static_cast<std::size_t>(j.strike)] = true;
        s.marks[i].verdict = j.verdict;
    }
}

// Strikes before the earliest any note left could take are let go.
void forgetOldStrikes(ScoringState& s, long nowMs) {
    const bool waiting = s.judged.size() < s.expected.size();
    const long from =
        (waiting ? s.expected[s.judged.size()].ms + s.latencyMs : nowMs - kStrikeKnownAfterMs) -
        s.beatMs - kToleranceMs;
    HeardTake kept;
    std::vector<bool> claimed;
    for (std::size_t i = 0; i < s.heard.size(); ++i) {
        if (s.heard[i].ms < from) continue;
        kept.push_back(s.heard[i]);
        claimed.push_back(s.claimed[i]);
    }
    s.heard = std::move(kept);
    s.claimed = std::move(claimed);
}

// The oldest pass is let go once reported, when another has begun after it.
void letPassGo(ScoringState& s, std::size_t end) {
    const auto drop = static_cast<long>(end);
    s.expected.erase(s.expected.begin(), s.expected.begin() + drop);
    s.judged.erase(s.judged.begin(), s.judged.begin() + drop);
    s.marks.erase(s.marks.begin(), s.marks.begin() + drop);
    s.passStarts.erase(s.passStarts.begin());
    for (int& start : s.passStarts)
        start -= static_cast<int>(end);
}

std::vector<PassReport> reportPasses(ScoringState& s, bool stopped) {
    std::vector<PassReport> reports;
    while (!s.passStarts.empty()) {
        const bool last = s.passStarts.size() == 1;
        if (last && !s.ended && !stopped) break;
        const auto start = static_cast<std::size_t>(s.passStarts[0]);
        const std::size_t end =
            last ? s.expected.size() : static_cast<std::size_t>(s.passStarts[1]);
        if (s.judged.size() < end) break;
        const std::vector<Judgement> pass(s.judged.begin() + static_cast<long>(start),
                                          s.judged.begin() + static_cast<long>(end));
        const long lengthMs =
            pass.empty() ? 0 : pass.back().expected.ms - pass.front().expected.ms + s.beatMs;
        reports.push_back({scoreOf(pass), !last || s.ended, lengthMs});
        if (last) {
            s.listening = false;
            break;
        }
        letPassGo(s, end);
    }
    return reports;
}

}  // namespace

void beginScoring(ScoringState& s, long beatMs, int tempoPercent) {
    const bool on = s.on;
    s = ScoringState{};
    s.on = on;
    s.listening = true;
    s.beatMs = beatMs;
    s.tempoPercent = tempoPercent;
    s.passStarts = {0};
}

void followCue(ScoringState& s, const PlayCue& cue, PitchClassSet classes, int x) {
    if (!s.listening) return;
    switch (cue.kind) {
        case PlayCue::Kind::Note:
            if (classes == 0) return;
            s.expected.push_back({cue.note, cue.heardMs, classes});
            s.marks.push_back({cue.page, x, Verdict::Missed});
            return;
        case PlayCue::Kind::PassBegins:
            s.passStarts.push_back(static_cast<int>(s.expected.size()));
            return;
        case PlayCue::Kind::End:
            s.ended = true;
            return;
    }
}

void addStrike(ScoringState& s, const HeardOnset& strike) {
    if (!s.listening) return;
    s.heard.push_back(strike);
    s.claimed.push_back(false);
}

std::vector<PassReport> judgeDue(ScoringState& s, long nowMs) {
    if (!s.listening) return {};
    const std::size_t first = s.judged.size();
    // A strike is in once it has sounded, reached the input and been made out.
    const long known = std::max(0L, s.latencyMs) + kStrikeKnownAfterMs;
    std::size_t ready = first;
    while (ready < s.expected.size() && s.expected[ready].ms + kToleranceMs + known <= nowMs)
        ++ready;
    std::size_t final = first;
    while (final < ready && s.expected[final].ms + s.beatMs + known <= nowMs)
        ++final;
    judgeFor(s, first, ready, final);
    forgetOldStrikes(s, nowMs);
    return reportPasses(s, false);
}

std::vector<PassReport> judgeAll(ScoringState& s) {
    if (!s.listening) return {};
    judgeFor(s, s.judged.size(), s.expected.size(), s.expected.size());
    return reportPasses(s, true);
}

std::string passLine(const PassScore& score) {
    std::string line = totalLine(score);
    line.replace(0, line.find(':'), "This pass");
    if (const std::string faults = faultsText(score); !faults.empty()) line += ": " + faults;
    return line;
}

}  // namespace lutavo
