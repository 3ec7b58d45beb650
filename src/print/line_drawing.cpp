// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/line_drawing.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <tuple>

#include "display/glyph_layout.h"
#include "print/engraving_rules.h"
#include "print/music_font.h"
#include "theory/keys.h"

namespace lutavo {

namespace {

// Thicknesses and reaches in staff spaces.
constexpr double kStaffLine = 0.1;
constexpr double kBarLine = 0.16;
constexpr double kFinalBar = 0.5;
constexpr double kStem = 0.13;
constexpr double kLedger = 0.16;
constexpr double kLedgerReach = 0.35;
constexpr double kBeam = 0.48;
constexpr double kBeamStep = 0.75;
constexpr double kBeamStub = 1.1;
constexpr double kSignGap = 0.25;
constexpr double kDotGap = 0.35;
constexpr double kTieLift = 0.55;
constexpr int kTopLineStep = 4;
constexpr int kFirstLedgerStep = 6;
constexpr int kLedgerSteps = 2;
constexpr Rgb kHeldGrey = 0x808080;

// The key signature's signs in the order they are added, as staff steps.
constexpr std::array<int, 7> kSharpSteps = {4, 1, 5, 2, -1, 3, 0};
constexpr std::array<int, 7> kFlatSteps = {0, 3, -1, 2, -2, 1, -3};
// Beats and the beat's value of time signatures 1..5.
constexpr std::array<std::array<int, 2>, 5> kTimeFigures = {
    {{2, 2}, {2, 4}, {3, 4}, {4, 4}, {6, 8}}};

bool dotted(int symbol) {
    return symbol == 3 || symbol == 5 || symbol == 7 || symbol == 9;
}

bool stemmed(int symbol) {
    return symbol < glyph::kWholeSymbol;
}

char32_t headGlyph(const EngravedHead& h) {
    if (h.muted) return music::kCrossHead;
    if (h.symbol == glyph::kWholeSymbol) return music::kWholeHead;
    return h.symbol >= 8 ? music::kHalfHead : music::kBlackHead;
}

double headWidth(const EngravedHead& h) {
    if (h.muted || h.symbol < 8) return music::kHeadWidth;
    return h.symbol == glyph::kWholeSymbol ? music::kWholeHeadWidth : music::kHalfHeadWidth;
}

// Rests from the whole (0) to the thirty-second (5) for a symbol 1..10.
int restIndex(int symbol) {
    constexpr std::array<int, 11> kIndex = {0, 5, 4, 4, 3, 3, 2, 2, 1, 1, 0};
    return kIndex[static_cast<std::size_t>(std::clamp(symbol, 1, 10))];
}

struct LineDrawer {
    SheetDrawing& out;
    const SheetFrame& frame;
    const LinePlace& place;
    const std::vector<EngravedColumn>& columns;
    double sp = frame.line.space;
    std::vector<BeamInput> inputs{};
    std::vector<BeamGroup> beams{};
    std::vector<int> beamOf{};  // per column, its beam or -1
    std::vector<bool> up{};     // per column, its stem goes up
    std::vector<double> stemX{};
    std::vector<double> stemTip{};  // the stem's end, as a staff step

    double x(double pagePixels) const {
        return frame.left() + pagePixels * (frame.right() - frame.left()) / glyph::kScoreWidth;
    }
    double centre(const EngravedColumn& c) const { return x(c.x - 6); }
    double y(double step) const { return frame.line.stepY(place.top, step); }
    double staffTop() const { return y(kTopLineStep); }
    double staffBottom() const { return y(-kTopLineStep); }
    double tabTop() const { return frame.line.tabLineY(place.top, 0); }
    double tabBottom() const { return frame.line.tabLineY(place.top, kStrings - 1); }

    void line(double x1, double y1, double x2, double y2, double width, Rgb colour = kRgbBlack) {
        out.lines.push_back({{x1, y1}, {x2, y2}, width * sp, colour});
    }
    void glyphAt(char32_t code, double gx, double gy) {
        out.glyphs.push_back({code, {gx, gy}, 4 * sp});
    }
    void text(std::string s, double tx, double ty, double size, TextFace face, TextAlign align,
              Rgb colour = kRgbBlack) {
        out.texts.push_back({std::move(s), {tx, ty}, size, face, align, colour});
    }

    void drawStaves() {
        const double left = frame.left(), right = frame.right();
        for (int k = 0; k < 5; ++k) {
            const double ly = y(kTopLineStep - 2 * k);
            line(left, ly, right, ly, kStaffLine);
        }
        for (int k = 0; k < kStrings; ++k) {
            const double ly = frame.line.tabLineY(place.top, k);
            line(left, ly, right, ly, kStaffLine);
        }
        line(left, staffTop(), left, tabBottom(), kBarLine);
        drawLineEnd(right);
    }

    void drawLineEnd(double right) {
        const double half = kBarLine * sp / 2;
        if (!place.songEnd) {
            line(right - half, staffTop(), right - half, staffBottom(), kBarLine);
            line(right - half, tabTop(), right - half, tabBottom(), kBarLine);
            return;
        }
        for (const auto& [top, bottom] :
             {std::pair{staffTop(), staffBottom()}, std::pair{tabTop(), tabBottom()}}) {
            const double thick = right - kFinalBar * sp / 2;
            line(thick, top, thick, bottom, kFinalBar);
            const double thin = right - (kFinalBar + 0.6) * sp;
            line(thin, top, thin, bottom, kBarLine);
        }
    }

    // Clef, key signature, the time signature on the first line, and the tablature's clef.
    double drawLineStart() {
        double at = frame.left() + 0.5 * sp;
        glyphAt(music::kTrebleClef, at, y(-2));
        at += (music::kClefWidth + 0.6) * sp;
        const bool sharps = sharpKey(place.key);
        for (int n = 0; n < signatureCount(place.key); ++n) {
            const auto k = static_cast<std::size_t>(n);
            glyphAt(sharps ? music::kSharp : music::kFlat, at,
                    y(sharps ? kSharpSteps[k] : kFlatSteps[k]));
            at += (sharps ? music::kSharpWidth : 0.9) * sp;
        }
        if (place.showTime && place.timeSig >= 1 && place.timeSig <= 5) {
            at += 0.6 * sp;
            const auto& figures = kTimeFigures[static_cast<std::size_t>(place.timeSig - 1)];
            glyphAt(music::kDigitZero + static_cast<char32_t>(figures[0]), at, y(0));
            glyphAt(music::kDigitZero + static_cast<char32_t>(figures[1]), at, y(-4));
            at += music::kDigitWidth * sp;
        }
        const double tabSize = frame.line.tabGap * sp * 1.35;
        const double tabX = frame.left() + 1.6 * sp;
        const std::array<const char*, 3> letters = {"T", "A", "B"};
        for (std::size_t k = 0; k < letters.size(); ++k) {
            const double ly =
                tabTop() + (1.1 + 1.4 * static_cast<double>(k)) * frame.line.tabGap * sp;
            // The lines stop at the letters, as at the numbers.
            out.clears.push_back(
                {{tabX - tabSize * 0.45, ly - tabSize * 0.45}, tabSize * 0.9, tabSize * 0.9});
            text(letters[k], tabX, ly + tabSize * 0.35, tabSize, TextFace::SansBold,
                 TextAlign::Centre);
        }
        return at;
    }

    void drawBar(const EngravedColumn& c) {
        const double bx = x(c.x - place.halfGap - 7);
        line(bx, staffTop(), bx, staffBottom(), kBarLine);
        line(bx, tabTop(), bx, tabBottom(), kBarLine);
    }

    void planStems() {
        for (const EngravedColumn& c : columns) {
            BeamInput in{c.bar, c.inBar, c.ticks, 0, 0, 0, c.heads.empty(), c.triplet};
            if (!c.heads.empty()) {
                in.flags = flagsOf(c.symbol);
                std::tie(in.top, in.bottom) = stemSpan(c);
            }
            inputs.push_back(in);
        }
        beams = beamGroups(inputs, place.timeSig);
        beamOf.assign(columns.size(), -1);
        for (std::size_t b = 0; b < beams.size(); ++b)
            for (int k = beams[b].first; k <= beams[b].last; ++k)
                beamOf[static_cast<std::size_t>(k)] = static_cast<int>(b);
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const BeamInput& in = inputs[i];
            const int b = beamOf[i];
            up.push_back(b >= 0 ? beams[static_cast<std::size_t>(b)].up
                                : stemUp(in.top, in.bottom));
            stemX.push_back(0);
            stemTip.push_back(stemEnd(in.top, in.bottom, up.back()));
        }
    }

    // The highest and lowest heads the stem joins: all but whole notes, which stand apart.
    static std::pair<int, int> stemSpan(const EngravedColumn& c) {
        int top = -1000, bottom = 1000;
        for (const EngravedHead& h : c.heads) {
            if (!stemmed(h.symbol)) continue;
            top = std::max(top, h.step);
            bottom = std::min(bottom, h.step);
        }
        if (top < bottom) return {c.heads.back().step, c.heads.front().step};
        return {top, bottom};
    }

    // Heads a second apart stand on both sides of the stem.
    std::vector<double> headOffsets(const EngravedColumn& c, bool stemUp) const {
        std::vector<double> offsets(c.heads.size(), 0.0);
        const double shift = music::kHeadWidth * sp;
        bool lastShifted = false;
        for (std::size_t k = 1; k < c.heads.size(); ++k) {
            const std::size_t at = stemUp ? k : c.heads.size() - 1 - k;
            const std::size_t before = stemUp ? k - 1 : at + 1;
            const bool second = std::abs(c.heads[at].step - c.heads[before].step) == 1;
            lastShifted = second && !lastShifted;
            if (lastShifted) offsets[at] = stemUp ? shift : -shift;
        }
        return offsets;
    }

    void drawLedgers(double cx, double width, int top, int bottom) {
        const double reach = kLedgerReach * sp;
        for (int s = kFirstLedgerStep; s <= top; s += kLedgerSteps)
            line(cx - width / 2 - reach, y(s), cx + width / 2 + reach, y(s), kLedger);
        for (int s = -kFirstLedgerStep; s >= bottom; s -= kLedgerSteps)
            line(cx - width / 2 - reach, y(s), cx + width / 2 + reach, y(s), kLedger);
    }

    void drawSigns(const EngravedColumn& c, double headLeft) {
        int stack = 0, lastStep = 1000;
        for (auto h = c.heads.rbegin(); h != c.heads.rend(); ++h) {
            if (h->sign == Sign::None) continue;
            stack = lastStep - h->step < 6 ? stack + 1 : 0;
            lastStep = h->step;
            const char32_t code = h->sign == Sign::Sharp  ? music::kSharp
                                  : h->sign == Sign::Flat ? music::kFlat
                                                          : music::kNatural;
            glyphAt(code, headLeft - (kSignGap + music::kSharpWidth * (stack + 1)) * sp,
                    y(h->step));
        }
    }

    void drawTie(const EngravedHead& h, double toX, bool stemUp) {
        const double fromX = h.tieFrom >= 0
                                 ? centre(columns[static_cast<std::size_t>(h.tieFrom)]) + 0.6 * sp
                                 : toX - 3 * sp;
        const double endX = toX - 0.8 * sp;
        if (endX <= fromX) return;
        const double dir = stemUp ? 1 : -1;
        const double ty = y(h.step) + dir * kTieLift * sp;
        const double bow = dir * std::min(0.9 * sp, (endX - fromX) / 5);
        const double q = (endX - fromX) / 4;
        SheetShape tie;
        tie.curved = true;
        tie.points = {{fromX, ty}, {fromX + q, ty + bow},      {endX - q, ty + bow},
                      {endX, ty},  {endX - q, ty + bow * 0.7}, {fromX + q, ty + bow * 0.7},
                      {fromX, ty}};
        out.shapes.push_back(std::move(tie));
    }

    void drawHeads(std::size_t i) {
        const EngravedColumn& c = columns[i];
        const double cx = centre(c);
        const bool stemUp = up[i];
        const std::vector<double> offsets = headOffsets(c, stemUp);
        double widest = 0;
        for (const EngravedHead& h : c.heads)
            widest = std::max(widest, headWidth(h) * sp);
        const double left = cx - widest / 2;
        for (std::size_t k = 0; k < c.heads.size(); ++k) {
            const EngravedHead& h = c.heads[k];
            const double hx = left + offsets[k];
            glyphAt(headGlyph(h), hx, y(h.step));
            if (dotted(h.symbol))
                glyphAt(music::kDot, hx + (headWidth(h) + kDotGap) * sp,
                        y(h.step % 2 == 0 ? h.step + 1 : h.step));
            if (h.tieFrom != kNoTie) drawTie(h, hx, stemUp);
        }
        drawLedgers(cx, widest, c.heads.back().step, c.heads.front().step);
        drawSigns(c, left);
        stemX[i] = stemUp ? left + music::kHeadWidth * sp - kStem * sp / 2 : left + kStem * sp / 2;
    }

    double tipOf(std::size_t i) const {
        const int b = beamOf[i];
        if (b < 0) return stemTip[i];
        const BeamGroup& g = beams[static_cast<std::size_t>(b)];
        return beamYAt(g, stemX[i], stemX[static_cast<std::size_t>(g.first)],
                       stemX[static_cast<std::size_t>(g.last)]);
    }

    void drawStem(std::size_t i) {
        const EngravedColumn& c = columns[i];
        if (!stemmed(c.symbol)) return;
        const auto [top, bottom] = stemSpan(c);
        const double from = y(up[i] ? bottom : top);
        const double tip = y(tipOf(i));
        line(stemX[i], from, stemX[i], tip, kStem);
        const int flags = flagsOf(c.symbol);
        if (beamOf[i] >= 0 || flags == 0) return;
        const auto k = static_cast<std::size_t>(std::min(flags, 3) - 1);
        glyphAt(up[i] ? music::kFlagsUp[k] : music::kFlagsDown[k], stemX[i] - kStem * sp / 2, tip);
    }

    void beamPiece(const BeamGroup& g, double x1, double x2, int level) {
        const auto at = [&](double bx) {
            const double tip = y(beamYAt(g, bx, stemX[static_cast<std::size_t>(g.first)],
                                         stemX[static_cast<std::size_t>(g.last)]));
            // Beams further in lie nearer the heads.
            return tip + (g.up ? 1 : -1) * (level * kBeamStep * sp);
        };
        const double thick = (g.up ? 1 : -1) * kBeam * sp;
        const double x1e = x1 - kStem * sp / 2, x2e = x2 + kStem * sp / 2;
        out.shapes.push_back(
            {{{x1e, at(x1)}, {x2e, at(x2)}, {x2e, at(x2) + thick}, {x1e, at(x1) + thick}}});
    }

    void drawBeam(const BeamGroup& g) {
        const auto flags = [&](int k) {
            return flagsOf(columns[static_cast<std::size_t>(k)].symbol);
        };
        const auto sx = [&](int k) { return stemX[static_cast<std::size_t>(k)]; };
        beamPiece(g, sx(g.first), sx(g.last), 0);
        for (int level = 1; level < 3; ++level) {
            for (int k = g.first; k <= g.last; ++k) {
                if (flags(k) <= level) continue;
                const bool joinsNext = k < g.last && flags(k + 1) > level;
                const bool joinsLast = k > g.first && flags(k - 1) > level;
                if (joinsNext) {
                    beamPiece(g, sx(k), sx(k + 1), level);
                } else if (!joinsLast) {
                    const double stub = kBeamStub * sp;
                    if (k < g.last)
                        beamPiece(g, sx(k), sx(k) + stub, level);
                    else
                        beamPiece(g, sx(k) - stub, sx(k), level);
                }
            }
        }
    }

    void drawRest(const EngravedColumn& c) {
        const int k = restIndex(c.symbol);
        const double rx = centre(c) - 0.6 * sp;
        glyphAt(music::kRests[k], rx, y(k == 0 ? 2 : 0));
        if (dotted(c.symbol)) glyphAt(music::kDot, rx + 1.8 * sp, y(1));
    }

    void drawTab(const EngravedColumn& c) {
        const double size = frame.line.tabGap * sp * 1.2;
        for (const EngravedTab& t : c.tab) {
            std::string mark = t.mark == TabMark::Muted  ? "x"
                               : t.mark == TabMark::Bend ? "b"
                                                         : std::to_string(t.fret);
            if (t.mark == TabMark::HeldFret) mark = "(" + mark + ")";
            const double ly = frame.line.slotY(place.top, t.slot);
            const double width = 0.6 * size * static_cast<double>(mark.size()) + 1;
            out.clears.push_back({{centre(c) - width / 2, ly - size * 0.42}, width, size * 0.84});
            text(mark, centre(c), ly + size * 0.36, size, TextFace::Sans, TextAlign::Centre,
                 t.mark == TabMark::HeldFret ? kHeldGrey : kRgbBlack);
        }
    }

    // One bracket with a 3 over each triplet group, on the side its stems go.
    void drawTriplets() {
        std::size_t i = 0;
        while (i < columns.size()) {
            if (columns[i].triplet == 0) {
                ++i;
                continue;
            }
            const std::size_t end = tripletEnd(inputs, i);
            drawTripletBracket(i, end - 1);
            i = end;
        }
    }

    void drawTripletBracket(std::size_t first, std::size_t last) {
        const bool above = columns[first].heads.empty() || up[first];
        double edge = above ? 6.0 : -6.0;
        for (std::size_t k = first; k <= last; ++k) {
            const EngravedColumn& c = columns[k];
            if (c.heads.empty()) continue;
            const double reach = stemmed(c.symbol) ? tipOf(k) : c.heads.back().step;
            edge = above ? std::max({edge, reach, static_cast<double>(c.heads.back().step)})
                         : std::min({edge, reach, static_cast<double>(c.heads.front().step)});
        }
        const double by = y(edge + (above ? 2.5 : -2.5));
        const double hook = (above ? 1 : -1) * 0.6 * sp;
        const double x1 = centre(columns[first]) - 0.8 * sp;
        const double x2 = centre(columns[last]) + 0.8 * sp;
        const double mid = (x1 + x2) / 2, gap = 0.9 * sp;
        line(x1, by + hook, x1, by, kStem);
        line(x1, by, mid - gap, by, kStem);
        line(mid + gap, by, x2, by, kStem);
        line(x2, by, x2, by + hook, kStem);
        text("3", mid, by + 0.55 * sp, 2.2 * sp, TextFace::SerifBold, TextAlign::Centre);
    }

    void draw() {
        drawStaves();
        drawLineStart();
        planStems();
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const EngravedColumn& c = columns[i];
            if (c.barBefore) drawBar(c);
            if (c.heads.empty()) {
                if (c.tab.empty()) drawRest(c);
            } else {
                drawHeads(i);
            }
            drawTab(c);
        }
        for (std::size_t i = 0; i < columns.size(); ++i)
            if (!columns[i].heads.empty()) drawStem(i);
        for (const BeamGroup& g : beams)
            drawBeam(g);
        drawTriplets();
    }
};

}  // namespace

void drawLine(SheetDrawing& out, const SheetFrame& frame, const LinePlace& place,
              const std::vector<EngravedColumn>& columns) {
    LineDrawer{out, frame, place, columns}.draw();
}

}  // namespace lutavo
