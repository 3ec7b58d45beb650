// SPDX-License-Identifier: GPL-3.0-or-later
// Time comes from the spacing: within a bar (between bar lines, less the margin the writer leaves
// after each bar line) a note lasts until the next one in proportion to the columns between them,
// the bar being a whole 4/4 bar, on a grid of sixteenths. A system without bar lines takes its
// commonest gap between notes as an eighth. Techniques written between the frets (h p b / \ ~ x)
// are read: a bend and a muted string are kept, the others counted as not kept.

#include "formats/text_tab_reader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>
#include <string>

#include "formats/text_encoding.h"

namespace lutavo {

namespace {

constexpr std::size_t kStringsPerSystem = 6;
constexpr std::size_t kMaxLines = 200000;
constexpr std::size_t kMaxLineLength = 4000;
constexpr long kBar = 4 * score::kQuarter;
constexpr long kGrid = score::kQuarter / 4;
constexpr int kHighestFret = 24;

// Standard tuning of strings 1 (high E) to 6, as MIDI notes.
constexpr std::array<int, 6> kStandard = {64, 59, 55, 50, 45, 40};

struct TabLine {
    std::string name;        // "e", "Eb" or "" when the line names no string
    std::string body;        // from the first dash or bar line on
    bool annotated = false;  // words after the staff, such as "x2", left out of the body
};

// Words after a staff ("|--0--|   x2", "|--0--|  (play 4 times)", "|--0--|x4") are no part of
// it: the body ends where a space is followed by anything but more staff, or at its last bar line
// when no dash follows it.
void cutAnnotation(TabLine& out) {
    std::size_t end = std::string::npos;
    const std::size_t space = out.body.find_first_of(" \t");
    const std::size_t next = out.body.find_first_not_of(" \t", space);
    if (space != std::string::npos && next != std::string::npos && out.body[next] != '-' &&
        out.body[next] != '|') {
        end = space;
    }
    const std::size_t bar = out.body.find_last_of('|', end == std::string::npos ? end : end - 1);
    if (bar != std::string::npos && bar + 1 < std::min(end, out.body.size()) &&
        out.body.find('-', bar) == std::string::npos) {
        end = bar + 1;
    }
    if (end == std::string::npos) return;
    out.body.erase(end);
    out.annotated = true;
}

bool tabCharacter(char c) {
    static constexpr std::string_view kAllowed = "-0123456789|hpbrxX/\\~()<>^.*sStTvPHBR: ";
    return kAllowed.find(c) != std::string_view::npos;
}

std::optional<TabLine> tabLine(std::string_view line) {
    std::size_t i = line.find_first_not_of(" \t");
    if (i == std::string_view::npos) return std::nullopt;
    TabLine out;
    if (std::isalpha(static_cast<unsigned char>(line[i])) &&
        std::string_view("ABCDEFGabcdefg").find(line[i]) != std::string_view::npos) {
        out.name += line[i++];
        if (i < line.size() && (line[i] == '#' || line[i] == 'b')) out.name += line[i++];
    }
    const std::size_t body = line.find_first_of("-|", i);
    if (body == std::string_view::npos ||
        line.substr(i, body - i).find_first_not_of(" \t:") != std::string_view::npos) {
        return std::nullopt;
    }
    out.body = std::string(line.substr(body));
    while (!out.body.empty() && std::isspace(static_cast<unsigned char>(out.body.back())))
        out.body.pop_back();
    cutAnnotation(out);
    const auto dashes = std::count(out.body.begin(), out.body.end(), '-');
    const auto strange =
        std::count_if(out.body.begin(), out.body.end(), [](char c) { return !tabCharacter(c); });
    if (dashes < 3 || strange * 10 > static_cast<long>(out.body.size())) return std::nullopt;
    return out;
}

// A string name as the MIDI note nearest the standard string it stands for.
int namedPitch(const std::string& name, int standard) {
    static constexpr std::array<int, 7> kSteps = {9, 11, 0, 2, 4, 5, 7};  // A..G
    int pc =
        kSteps[static_cast<std::size_t>(std::toupper(static_cast<unsigned char>(name[0])) - 'A')];
    if (name.size() > 1) pc += name[1] == '#' ? 1 : -1;
    int best = pc;
    for (int p = pc; p <= 127; p += 12)
        if (std::abs(p - standard) < std::abs(best - standard)) best = p;
    return best;
}

struct Mark {
    int string = 0;  // 1..6
    int fret = 0;
    bool dead = false;
    bool bend = false;
};

class SystemReader {
  public:
    SystemReader(const std::vector<TabLine>& lines, score::Score& piece)
        : lines_(lines), piece_(piece), track_(piece.tracks.front()) {}

    void read() {
        std::size_t width = 0;
        for (const TabLine& l : lines_)
            width = std::max(width, l.body.size());
        for (std::size_t s = 0; s < lines_.size(); ++s)
            scanString(static_cast<int>(s) + 1, lines_[s].body);
        mergeWideFrets();
        const std::vector<std::size_t> bars = barColumns(width);
        if (bars.size() <= 1) {
            addUnbarred(width);
            return;
        }
        const std::vector<Span> spans = barSpans(bars, width);
        const std::size_t margin = leadingMargin(spans);
        for (const Span& s : spans)
            addBar(std::min(s.from + margin, s.to), s.to);
    }

  private:
    struct Span {
        std::size_t from;
        std::size_t to;
    };

    // Between bar lines a bar, empty or not; before the first and after the last only where
    // notes stand.
    std::vector<Span> barSpans(const std::vector<std::size_t>& bars, std::size_t width) const {
        std::vector<Span> spans;
        std::size_t start = 0;
        for (std::size_t b : bars) {
            if (b > start && (!spans.empty() || hasEvents(start, b))) spans.push_back({start, b});
            start = b + 1;
        }
        if (hasEvents(start, width)) spans.push_back({start, width});
        return spans;
    }

    // Most tablature leaves a dash or two after each bar line before the bar's first note
    // ("|-0---0---3---5---|" is four quarters): that margin is no time of the bar. It is the
    // smallest gap before a bar's first note in the system; a larger one is a rest that opens
    // every bar, kept.
    std::size_t leadingMargin(const std::vector<Span>& spans) const {
        constexpr std::size_t kMostMargin = 2;
        std::size_t margin = kMostMargin + 1;
        for (const Span& s : spans) {
            const auto first = events_.lower_bound(s.from);
            if (first != events_.end() && first->first < s.to)
                margin = std::min(margin, first->first - s.from);
        }
        return margin <= kMostMargin ? margin : 0;
    }

    void scanString(int string, const std::string& body) {
        for (std::size_t c = 0; c < body.size(); ++c) {
            const char ch = body[c];
            if (std::isdigit(static_cast<unsigned char>(ch))) {
                int fret = ch - '0';
                const std::size_t start = c;
                if (c + 1 < body.size() && std::isdigit(static_cast<unsigned char>(body[c + 1])) &&
                    fret * 10 + (body[c + 1] - '0') <= kHighestFret) {
                    fret = fret * 10 + (body[++c] - '0');
                }
                if (skipNext_) {
                    skipNext_ = false;
                    continue;
                }
                events_[start].push_back({string, fret, false, false});
                wide_[start] = wide_[start] || c > start;
            } else if (ch == 'x' || ch == 'X') {
                events_[c].push_back({string, 0, true, false});
            } else {
                technique(ch, string);
            }
        }
        skipNext_ = false;
    }

    void technique(char ch, int string) {
        // The fret after a bend is where it bends to, not a note struck; so is one after a
        // release.
        if (ch == 'b' || ch == 'r') {
            Mark* last = ch == 'b' ? lastMark(string) : nullptr;
            if (last != nullptr) last->bend = true;
            skipNext_ = true;
            return;
        }
        static constexpr std::array<std::pair<char, Lost>, 6> kMarks = {{{'h', Lost::HammerOn},
                                                                         {'p', Lost::PullOff},
                                                                         {'/', Lost::Slide},
                                                                         {'\\', Lost::Slide},
                                                                         {'~', Lost::Vibrato},
                                                                         {'<', Lost::Harmonic}}};
        for (const auto& [mark, what] : kMarks)
            if (ch == mark) track_.lost.add(what);
    }

    Mark* lastMark(int string) {
        for (auto it = events_.rbegin(); it != events_.rend(); ++it) {
            for (Mark& m : it->second)
                if (m.string == string) return &m;
        }
        return nullptr;
    }

    // A two-digit fret on one string and a one-digit fret under its second digit on another
    // are one chord.
    void mergeWideFrets() {
        for (auto it = events_.begin(); it != events_.end();) {
            auto next = std::next(it);
            if (next != events_.end() && next->first == it->first + 1 && wide_[it->first] &&
                std::none_of(next->second.begin(), next->second.end(), [&](const Mark& m) {
                    return std::any_of(it->second.begin(), it->second.end(),
                                       [&](const Mark& k) { return k.string == m.string; });
                })) {
                it->second.insert(it->second.end(), next->second.begin(), next->second.end());
                events_.erase(next);
                continue;
            }
            ++it;
        }
    }

    // Columns where most strings have a bar line.
    std::vector<std::size_t> barColumns(std::size_t width) const {
        std::vector<std::size_t> bars;
        for (std::size_t c = 0; c < width; ++c) {
            int count = 0;
            for (const TabLine& l : lines_)
                if (c < l.body.size() && l.body[c] == '|') ++count;
            if (count * 2 > static_cast<int>(lines_.size())) bars.push_back(c);
        }
        // A double bar line is one.
        bars.erase(std::unique(bars.begin(), bars.end(),
                               [](std::size_t a, std::size_t b) { return b == a + 1; }),
                   bars.end());
        return bars;
    }

    bool hasEvents(std::size_t from, std::size_t to) const {
        auto it = events_.lower_bound(from);
        return it != events_.end() && it->first < to;
    }

    void addBar(std::size_t from, std::size_t to) {
        const std::size_t width = std::max<std::size_t>(to - from, 1);
        std::vector<std::pair<long, const std::vector<Mark>*>> onsets;
        long last = -1;
        for (auto it = events_.lower_bound(from); it != events_.end() && it->first < to; ++it) {
            long onset = static_cast<long>(it->first - from) * kBar / static_cast<long>(width);
            onset = (onset + kGrid / 2) / kGrid * kGrid;
            if (onset <= last) onset = last + kGrid / 2;
            if (onset >= kBar) break;
            onsets.push_back({onset, &it->second});
            last = onset;
        }
        std::vector<score::Beat> beats;
        if (onsets.empty() || onsets.front().first > 0)
            beats.push_back({onsets.empty() ? kBar : onsets.front().first, {}});
        for (std::size_t i = 0; i < onsets.size(); ++i) {
            const long end = i + 1 < onsets.size() ? onsets[i + 1].first : kBar;
            beats.push_back(beatOf(end - onsets[i].first, *onsets[i].second));
        }
        push(beats, 4, 4);
    }

    void addUnbarred(std::size_t width) {
        std::map<std::size_t, int> gaps;
        for (auto it = events_.begin(); it != events_.end() && std::next(it) != events_.end(); ++it)
            ++gaps[std::next(it)->first - it->first];
        std::size_t eighth = 2;
        int most = 0;
        for (const auto& [gap, n] : gaps) {
            if (n > most) eighth = gap, most = n;
        }
        std::vector<score::Beat> beats;
        for (auto it = events_.begin(); it != events_.end(); ++it) {
            const std::size_t next = std::next(it) == events_.end()
                                         ? std::max(width, it->first + eighth)
                                         : std::next(it)->first;
            const long sixteenths = std::max<long>(
                1, static_cast<long>((2 * (next - it->first) + eighth / 2) / eighth));
            beats.push_back(beatOf(sixteenths * kGrid, it->second));
        }
        if (!beats.empty()) push(beats, 1, 1);
    }

    static score::Beat beatOf(long length, const std::vector<Mark>& marks) {
        score::Beat b;
        b.length = length;
        for (const Mark& m : marks) {
            score::Note n;
            n.string = m.string;
            n.fret = m.fret;
            n.dead = m.dead;
            n.bend = m.bend;
            b.notes.push_back(n);
        }
        return b;
    }

    void push(std::vector<score::Beat> beats, int beatsPerBar, int beatType) {
        score::BarInfo info;
        info.beats = beatsPerBar;
        info.beatType = beatType;
        piece_.bars.push_back(info);
        track_.bars.push_back(std::move(beats));
    }

    const std::vector<TabLine>& lines_;
    score::Score& piece_;
    score::Track& track_;
    std::map<std::size_t, std::vector<Mark>> events_;
    std::map<std::size_t, bool> wide_;
    bool skipNext_ = false;
};

void setTuning(const std::vector<TabLine>& lines, score::Track& track) {
    track.tuning.assign(kStandard.begin(), kStandard.end());
    for (std::size_t s = 0; s < lines.size(); ++s) {
        if (lines[s].name.empty()) return;
    }
    for (std::size_t s = 0; s < lines.size(); ++s)
        track.tuning[s] = namedPitch(lines[s].name, kStandard[s]);
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= text.size() && lines.size() < kMaxLines) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line.substr(0, kMaxLineLength));
        start = end + 1;
    }
    return lines;
}

// "Song: Greensleeves" or "Title: Greensleeves" names the piece; the label's text, else nothing.
std::optional<std::string> labelledTitle(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    std::string label(line.substr(0, colon));
    std::transform(label.begin(), label.end(), label.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (label != "title" && label != "song") return std::nullopt;
    const std::size_t first = line.find_first_not_of(" \t", colon + 1);
    if (first == std::string_view::npos) return std::nullopt;
    return std::string(line.substr(first));
}

}  // namespace

score::ReadResult readTextTab(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) return score::ImportFailure{"it is not text"};
    // A mark some editors put before UTF-8 text, no part of the title.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    score::Score piece;
    piece.tracks.emplace_back();
    score::Track& track = piece.tracks.front();
    track.name = "Tablature";
    std::vector<TabLine> system;
    bool tuned = false;
    bool labelled = false;  // the title came from a "Title:" line
    auto finishSystem = [&] {
        if (system.size() == kStringsPerSystem) {
            if (!tuned) setTuning(system, track);
            tuned = true;
            if (std::any_of(system.begin(), system.end(),
                            [](const TabLine& l) { return l.annotated; })) {
                track.lost.add(Lost::Text);
            }
            SystemReader(system, piece).read();
        } else if (system.size() > kStringsPerSystem) {
            track.lost.add(Lost::ExtraString);
        }
        system.clear();
    };
    for (std::string_view line : splitLines(text)) {
        if (std::optional<TabLine> tab = tabLine(line)) {
            system.push_back(std::move(*tab));
            continue;
        }
        finishSystem();
        const std::size_t first = line.find_first_not_of(" \t");
        if (tuned || labelled || first == std::string_view::npos || line.size() >= 100) continue;
        if (auto title = labelledTitle(line.substr(first))) {
            piece.title = utf8OrLatin1(*title);
            labelled = true;
        } else if (piece.title.empty()) {
            piece.title = utf8OrLatin1(line.substr(first));
        }
    }
    finishSystem();
    if (!tuned || piece.bars.empty()) return score::ImportFailure{"it holds no six-line tablature"};
    return piece;
}

}  // namespace lutavo
