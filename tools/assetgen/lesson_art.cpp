// SPDX-License-Identifier: GPL-3.0-or-later
#include "lesson_art.h"

#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

#include "art.h"

namespace lutavo::assetgen {

namespace {

const QColor kPageColour(0xFF, 0xFC, 0xF4);
const QColor kFrame(0xC8, 0xB4, 0x90);
const QColor kHeading(0x5A, 0x30, 0x10);
const QColor kText(0x30, 0x30, 0x30);
const QColor kAccent(0xC0, 0x20, 0x18);
const QColor kWood(0xEE, 0xD2, 0xA4);
const QColor kFretWire(0x90, 0x88, 0x78);
const QColor kStringInk(0x50, 0x50, 0x50);
const QColor kSoft(0x80, 0x70, 0x60);

constexpr QRectF kDiagramArea(326, 30, 266, 160);
constexpr double kTextLeft = 14;
constexpr double kTextTop = 38;
constexpr double kTextBottom = 190;

// String names from the first (thinnest) string to the sixth.
constexpr const char* kStringNames[6] = {"E", "B", "G", "D", "A", "E"};

void text(QPainter& p, const Fonts& f, Face face, double size, const QRectF& r, int flags,
          const QString& s, const QColor& colour = kText) {
    p.setFont(f.font(face, size));
    p.setPen(colour);
    p.drawText(r, flags, s);
}

// Six horizontal lines, the first string at the top; returns the y of each string 1..6.
std::array<double, 7> tabLines(QPainter& p, double left, double right, double top, double gap) {
    std::array<double, 7> y{};
    p.setPen(QPen(kStringInk, 1));
    for (int s = 1; s <= 6; ++s) {
        y[s] = top + (s - 1) * gap;
        p.drawLine(QPointF(left, y[s]), QPointF(right, y[s]));
    }
    p.drawLine(QPointF(left, y[1]), QPointF(left, y[6]));
    p.drawLine(QPointF(right, y[1]), QPointF(right, y[6]));
    return y;
}

// A fret number standing on a tablature line: the line is cut behind it.
void tabNumber(QPainter& p, const Fonts& f, double x, double y, const QString& s,
               const QColor& colour = kText) {
    p.fillRect(QRectF(x - 5, y - 6, 10, 12), kPageColour);
    text(p, f, Face::SansBold, 11, QRectF(x - 8, y - 8, 16, 16), Qt::AlignCenter, s, colour);
}

// Five staff lines; returns the y of the bottom line (E above middle C as written).
double staffLines(QPainter& p, double left, double right, double top) {
    p.setPen(QPen(kStringInk, 1));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(left, top + 7 * i), QPointF(right, top + 7 * i));
    return top + 28;
}

enum class Head { Filled, Open };

// A note head `steps` lines-and-spaces above the bottom line, with an optional stem and flag.
void note(QPainter& p, double x, double bottom, int steps, Head head, bool stem, bool flag) {
    const double y = bottom - 3.5 * steps;
    p.setPen(QPen(kText, 1.2));
    for (int ledger = -2; ledger >= steps; ledger -= 2)
        p.drawLine(QPointF(x - 7, bottom - 3.5 * ledger), QPointF(x + 7, bottom - 3.5 * ledger));
    p.save();
    p.translate(x, y);
    p.rotate(-20);
    p.setBrush(head == Head::Filled ? QBrush(kText) : QBrush(Qt::NoBrush));
    p.drawEllipse(QPointF(0, 0), 4.6, 3.2);
    p.restore();
    if (!stem) return;
    p.drawLine(QPointF(x + 4.2, y - 1), QPointF(x + 4.2, y - 24));
    if (flag) {
        QPainterPath f;
        f.moveTo(x + 4.2, y - 24);
        f.cubicTo(x + 6, y - 18, x + 12, y - 16, x + 9, y - 8);
        p.setBrush(Qt::NoBrush);
        p.drawPath(f);
    }
}

// A horizontal picture of the first frets as the neck on the screen shows them: the nut at
// the left, the first string at the top.
struct NeckGrid {
    QRectF area;
    int frets;
    double fretWidth() const { return area.width() / frets; }
    double gap() const { return area.height() / 5; }
    double stringY(int string) const { return area.top() + (string - 1) * gap(); }
    double fretX(int fret) const { return area.left() + (fret - 0.5) * fretWidth(); }
};

void drawNeckGrid(QPainter& p, const NeckGrid& n) {
    p.fillRect(n.area.adjusted(0, -4, 0, 4), kWood);
    p.setPen(QPen(kFretWire, 1.5));
    for (int f = 1; f <= n.frets; ++f) {
        const double x = n.area.left() + f * n.fretWidth();
        p.drawLine(QPointF(x, n.area.top() - 4), QPointF(x, n.area.bottom() + 4));
    }
    p.setPen(QPen(QColor(0x30, 0x28, 0x20), 4));
    p.drawLine(QPointF(n.area.left(), n.area.top() - 4),
               QPointF(n.area.left(), n.area.bottom() + 4));
    for (int s = 1; s <= 6; ++s) {
        p.setPen(QPen(kStringInk, 0.6 + 0.25 * s));
        p.drawLine(QPointF(n.area.left(), n.stringY(s)), QPointF(n.area.right(), n.stringY(s)));
    }
}

void fingerDot(QPainter& p, const Fonts& f, const NeckGrid& n, int string, int fret,
               const QString& label, double radius) {
    const QPointF at(n.fretX(fret), n.stringY(string));
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(at, radius, radius);
    text(p, f, Face::SansBold, radius * 1.3,
         QRectF(at.x() - radius, at.y() - radius, 2 * radius, 2 * radius), Qt::AlignCenter, label,
         Qt::white);
}

// A chord on the neck grid: dots with finger numbers, "o" for an open string and "x" for one
// not played, left of the nut.
void drawChordOnNeck(QPainter& p, const Fonts& f, const NeckGrid& n, const ChordShape& c,
                     double radius) {
    drawNeckGrid(p, n);
    for (int slot = 1; slot <= 6; ++slot) {
        const int string = 7 - slot;
        const int fret = c.frets[static_cast<std::size_t>(slot - 1)];
        const QRectF mark(n.area.left() - 16, n.stringY(string) - 7, 12, 14);
        if (fret < 0) {
            text(p, f, Face::SansBold, 11, mark, Qt::AlignCenter, "x", kSoft);
        } else if (fret == 0) {
            text(p, f, Face::SansBold, 11, mark, Qt::AlignCenter, "o", kSoft);
        } else {
            const int finger = c.fingers[static_cast<std::size_t>(slot - 1)];
            fingerDot(p, f, n, string, fret, QString::number(finger), radius);
        }
    }
}

void button(QPainter& p, const Fonts& f, const QRectF& r, const QString& caption, bool lit) {
    p.setPen(QPen(kSoft, 1));
    p.setBrush(lit ? QColor(0xF6, 0xE2, 0xC8) : QColor(0xEE, 0xEA, 0xE2));
    p.drawRoundedRect(r, 3, 3);
    text(p, f, Face::SansBold, 9.5, r, Qt::AlignCenter, caption,
         lit ? kAccent : QColor(0x40, 0x40, 0x80));
}

void arrow(QPainter& p, QPointF from, QPointF to) {
    p.setPen(QPen(kAccent, 1.6));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    if (len <= 0) return;
    const QPointF u = d / len;
    const QPointF side(-u.y(), u.x());
    p.setBrush(kAccent);
    p.drawPolygon(QPolygonF({to, to - 7 * u + 3.5 * side, to - 7 * u - 3.5 * side}));
}

// --- The diagrams, each inside kDiagramArea. ---

void staffOverTab(QPainter& p, const Fonts& f, const ChordShape*) {
    const QRectF r = kDiagramArea;
    const double left = r.left() + 64;
    const double right = r.right() - 6;
    text(p, f, Face::Sans, 10, QRectF(r.left(), r.top() + 10, 60, 20), Qt::AlignLeft, "notation",
         kSoft);
    text(p, f, Face::Sans, 10, QRectF(r.left(), r.top() + 92, 60, 20), Qt::AlignLeft, "tablature",
         kSoft);
    const double bottom = staffLines(p, left, right, r.top() + 8);
    const auto y = tabLines(p, left, right, r.top() + 84, 12);
    // C on the fifth string, E on the fourth, G on the open third, C on the second.
    const int steps[4] = {-2, 0, 2, 5};
    const int strings[4] = {5, 4, 3, 2};
    const char* frets[4] = {"3", "2", "0", "1"};
    for (int i = 0; i < 4; ++i) {
        const double x = left + 36 + 46 * i;
        p.setPen(QPen(QColor(0xC8, 0xB4, 0x90), 1, Qt::DashLine));
        p.drawLine(QPointF(x, bottom + 12), QPointF(x, y[1] - 4));
        note(p, x, bottom, steps[i], Head::Filled, true, false);
        tabNumber(p, f, x + 2, y[strings[i]], frets[i]);
    }
}

void tabStrings(QPainter& p, const Fonts& f, const ChordShape*) {
    const QRectF r = kDiagramArea;
    const auto y = tabLines(p, r.left() + 58, r.right() - 70, r.top() + 18, 24);
    for (int s = 1; s <= 6; ++s) {
        text(p, f, Face::SansBold, 10.5, QRectF(r.left(), y[s] - 8, 52, 16),
             Qt::AlignRight | Qt::AlignVCenter, QString("%1  %2").arg(s).arg(kStringNames[s - 1]));
    }
    text(p, f, Face::Sans, 9.5, QRectF(r.right() - 64, y[1] - 10, 64, 20),
         Qt::AlignLeft | Qt::AlignVCenter, "thinnest", kSoft);
    text(p, f, Face::Sans, 9.5, QRectF(r.right() - 64, y[6] - 10, 64, 20),
         Qt::AlignLeft | Qt::AlignVCenter, "thickest", kSoft);
    arrow(p, QPointF(r.right() - 36, y[2] + 2), QPointF(r.right() - 36, y[5] - 2));
}

void fretNumbers(QPainter& p, const Fonts& f, const ChordShape*) {
    const QRectF r = kDiagramArea;
    const auto y = tabLines(p, r.left() + 20, r.right() - 10, r.top() + 12, 10);
    const std::pair<int, const char*> notes[3] = {{6, "0"}, {6, "3"}, {5, "2"}};
    for (int i = 0; i < 3; ++i)
        tabNumber(p, f, r.left() + 60 + 70 * i, y[notes[i].first], notes[i].second, kAccent);
    const NeckGrid n{QRectF(r.left() + 40, r.top() + 84, 200, 60), 4};
    drawNeckGrid(p, n);
    fingerDot(p, f, n, 6, 3, "3", 7);
    fingerDot(p, f, n, 5, 2, "2", 7);
    text(p, f, Face::SansBold, 11, QRectF(n.area.left() - 18, n.stringY(6) - 7, 12, 14),
         Qt::AlignCenter, "o", kSoft);
    for (int fret = 1; fret <= 4; ++fret)
        text(p, f, Face::Sans, 9, QRectF(n.fretX(fret) - 10, n.area.bottom() + 4, 20, 12),
             Qt::AlignCenter, QString::number(fret), kSoft);
}

void chordColumn(QPainter& p, const Fonts& f, const ChordShape* c) {
    const QRectF r = kDiagramArea;
    const auto y = tabLines(p, r.left() + 10, r.right() - 6, r.top() + 24, 16);
    const double column = r.left() + 48;
    for (int slot = 1; slot <= 6; ++slot)
        tabNumber(p, f, column, y[7 - slot],
                  QString::number(c->frets[static_cast<std::size_t>(slot - 1)]));
    p.setPen(QPen(kAccent, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(column - 10, y[1] - 10, 20, y[6] - y[1] + 20), 4, 4);
    for (int slot = 1; slot <= 6; ++slot) {
        const double x = column + 40 + 30 * (slot - 1);
        tabNumber(p, f, x, y[7 - slot],
                  QString::number(c->frets[static_cast<std::size_t>(slot - 1)]));
    }
    text(p, f, Face::Sans, 9.5, QRectF(column - 30, r.top(), 70, 14), Qt::AlignCenter, "together",
         kAccent);
    text(p, f, Face::Sans, 9.5, QRectF(column + 50, r.top(), 170, 14), Qt::AlignCenter,
         "one after another", kSoft);
    arrow(p, QPointF(column + 40, y[6] + 20), QPointF(column + 200, y[6] + 20));
}

void staffPitches(QPainter& p, const Fonts& f, const ChordShape*) {
    const QRectF r = kDiagramArea;
    const double bottom = staffLines(p, r.left() + 6, r.right() - 6, r.top() + 40);
    const char* names[8] = {"C", "D", "E", "F", "G", "A", "B", "C"};
    for (int i = 0; i < 8; ++i) {
        const double x = r.left() + 28 + 30 * i;
        note(p, x, bottom, i - 2, Head::Filled, true, false);
        text(p, f, Face::SansBold, 10.5, QRectF(x - 10, bottom + 22, 20, 16), Qt::AlignCenter,
             names[i]);
    }
    arrow(p, QPointF(r.left() + 30, r.bottom() - 20), QPointF(r.right() - 20, r.bottom() - 40));
    text(p, f, Face::Sans, 9.5, QRectF(r.left() + 20, r.bottom() - 18, 200, 14), Qt::AlignLeft,
         "higher on the staff = higher sound", kSoft);
}

void noteLengths(QPainter& p, const Fonts& f, const ChordShape*) {
    const QRectF r = kDiagramArea;
    struct Row {
        const char* name;
        const char* beats;
        Head head;
        bool stem;
        bool flag;
        double blocks;
    };
    const Row rows[4] = {{"whole", "4 beats", Head::Open, false, false, 4},
                         {"half", "2 beats", Head::Open, true, false, 2},
                         {"quarter", "1 beat", Head::Filled, true, false, 1},
                         {"eighth", "1/2 beat", Head::Filled, true, true, 0.5}};
    for (int i = 0; i < 4; ++i) {
        const double top = r.top() + 6 + 39 * i;
        note(p, r.left() + 14, top + 30, 0, rows[i].head, rows[i].stem, rows[i].flag);
        text(p, f, Face::SansBold, 10.5, QRectF(r.left() + 32, top + 12, 60, 16), Qt::AlignLeft,
             rows[i].name);
        text(p, f, Face::Sans, 10, QRectF(r.left() + 92, top + 12, 60, 16), Qt::AlignLeft,
             rows[i].beats, kSoft);
        p.setPen(QPen(kHeading, 1));
        p.setBrush(kWood);
        p.drawRect(QRectF(r.left() + 156, top + 12, 26 * rows[i].blocks, 14));
    }
}

void transport(QPainter& p, const Fonts& f, const ChordShape*) {
    const QRectF r = kDiagramArea;
    const char* captions[6] = {"PLAY", "PAUSE", "STOP", "BACK", "NEXT", "REPEAT"};
    const char* says[6] = {"start", "hold", "to the start", "one note back", "one note on", "loop"};
    for (int i = 0; i < 6; ++i) {
        const QRectF at(r.left() + 4 + (i % 3) * 88, r.top() + 14 + (i / 3) * 72, 78, 26);
        button(p, f, at, captions[i], i == 0);
        text(p, f, Face::Sans, 9.5, at.translated(0, 28), Qt::AlignHCenter | Qt::AlignTop, says[i],
             kSoft);
    }
}

void openStrings(QPainter& p, const Fonts& f, const ChordShape*) {
    const QRectF r = kDiagramArea;
    for (int s = 1; s <= 6; ++s) {
        const double y = r.top() + 14 + 26 * (s - 1);
        p.setPen(QPen(kStringInk, 0.8 + 0.5 * s));
        p.drawLine(QPointF(r.left() + 40, y), QPointF(r.right() - 50, y));
        text(p, f, Face::SansBold, 11, QRectF(r.left(), y - 9, 34, 18),
             Qt::AlignRight | Qt::AlignVCenter, QString::number(s), kSoft);
        text(p, f, Face::SansBold, 14, QRectF(r.right() - 44, y - 10, 40, 20),
             Qt::AlignLeft | Qt::AlignVCenter, kStringNames[s - 1],
             s == 1 || s == 6 ? kAccent : kText);
    }
}

void pegTurn(QPainter& p, const Fonts& f, const ChordShape*) {
    const QRectF r = kDiagramArea;
    const QPointF centre(r.left() + 80, r.center().y());
    p.setPen(QPen(kHeading, 1.5));
    p.setBrush(kWood);
    p.drawEllipse(centre, 30, 30);
    p.setBrush(QColor(0xB0, 0xA8, 0x98));
    p.drawRoundedRect(QRectF(centre.x() - 8, centre.y() - 22, 16, 44), 4, 4);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kAccent, 2));
    p.drawArc(QRectF(centre.x() - 44, centre.y() - 44, 88, 88), 30 * 16, 120 * 16);
    p.drawArc(QRectF(centre.x() - 44, centre.y() - 44, 88, 88), 210 * 16, 120 * 16);
    arrow(p, QPointF(centre.x() - 30, centre.y() - 33), QPointF(centre.x() - 38, centre.y() - 22));
    arrow(p, QPointF(centre.x() + 30, centre.y() + 33), QPointF(centre.x() + 38, centre.y() + 22));
    text(p, f, Face::SansBold, 10.5, QRectF(r.left() + 140, r.top() + 20, 126, 40),
         Qt::AlignLeft | Qt::TextWordWrap, "tighten: the note goes up");
    text(p, f, Face::SansBold, 10.5, QRectF(r.left() + 140, r.top() + 100, 126, 40),
         Qt::AlignLeft | Qt::TextWordWrap, "loosen: the note goes down");
}

void tunerPanel(QPainter& p, const Fonts& f, const ChordShape*) {
    const QRectF r = kDiagramArea;
    for (int s = 1; s <= 6; ++s)
        button(p, f, QRectF(r.left() + 20, r.top() + 4 + 26 * (s - 1), 34, 22), kStringNames[s - 1],
               s == 6);
    const QRectF panel(r.left() + 70, r.top() + 120, 92, 40);
    p.setPen(QPen(kSoft, 1));
    p.setBrush(QColor(0xF4, 0xF0, 0xE8));
    p.drawRect(panel);
    p.setBrush(QColor(0xDD, 0xD8, 0xD0));
    p.drawRect(QRectF(panel.left() + 3, panel.top() + 3, 12, 34));
    button(p, f, QRectF(panel.left() + 20, panel.top() + 3, 66, 16), "OK", false);
    button(p, f, QRectF(panel.left() + 20, panel.top() + 21, 66, 16), "DEF", false);
    arrow(p, QPointF(r.left() + 58, r.top() + 144), QPointF(panel.left() - 2, panel.top() + 20));
    text(p, f, Face::Sans, 9.5, QRectF(r.left() + 70, r.top() + 10, 190, 100),
         Qt::AlignLeft | Qt::TextWordWrap,
         "The six buttons left of the neck name the strings, the first string at the top. "
         "Click one: the scroll bar moves it up or down.",
         kSoft);
}

void fifthFret(QPainter& p, const Fonts& f, const ChordShape*) {
    const QRectF r = kDiagramArea;
    const NeckGrid n{QRectF(r.left() + 24, r.top() + 14, 230, 100), 5};
    drawNeckGrid(p, n);
    const std::pair<int, int> dots[5] = {{6, 5}, {5, 5}, {4, 5}, {3, 4}, {2, 5}};
    for (const auto& [string, fret] : dots)
        fingerDot(p, f, n, string, fret, QString::number(fret), 7.5);
    for (int fret = 1; fret <= 5; ++fret)
        text(p, f, Face::Sans, 9, QRectF(n.fretX(fret) - 10, n.area.bottom() + 6, 20, 12),
             Qt::AlignCenter, QString::number(fret), kSoft);
    text(p, f, Face::Sans, 9.5, QRectF(r.left(), r.bottom() - 14, 266, 14), Qt::AlignCenter,
         "each dot sounds like the next thinner string, open", kSoft);
}

void chord(QPainter& p, const Fonts& f, const ChordShape* c) {
    const QRectF r = kDiagramArea;
    text(p, f, Face::SerifBold, 22, QRectF(r.left(), r.top(), 266, 30), Qt::AlignCenter, c->name,
         kHeading);
    const NeckGrid n{QRectF(r.left() + 36, r.top() + 46, 220, 95), 4};
    drawChordOnNeck(p, f, n, *c, 8.5);
    for (int fret = 1; fret <= 4; ++fret)
        text(p, f, Face::Sans, 9, QRectF(n.fretX(fret) - 10, n.area.bottom() + 6, 20, 12),
             Qt::AlignCenter, QString::number(fret), kSoft);
}

void chordChanges(QPainter& p, const Fonts& f, const ChordShape*) {
    const QRectF r = kDiagramArea;
    const char* names[5] = {"Em", "Am", "C", "G", "D"};
    for (int i = 0; i < 5; ++i) {
        const QPointF at(r.left() + 24 + 54 * i, r.top() + 50);
        p.setPen(QPen(kHeading, 1.5));
        p.setBrush(kWood);
        p.drawEllipse(at, 21, 21);
        text(p, f, Face::SerifBold, 14, QRectF(at.x() - 21, at.y() - 21, 42, 42), Qt::AlignCenter,
             names[i], kHeading);
        if (i < 4) arrow(p, at + QPointF(23, 0), at + QPointF(31, 0));
        text(p, f, Face::Sans, 9.5, QRectF(at.x() - 24, at.y() + 26, 48, 14), Qt::AlignCenter,
             "1 2 3 4", kSoft);
    }
    text(p, f, Face::Sans, 10, QRectF(r.left(), r.top() + 104, 266, 50),
         Qt::AlignCenter | Qt::TextWordWrap,
         "four strums on each chord, then change: move all fingers at once");
}

void beats(QPainter& p, const Fonts& f, const ChordShape*) {
    const QRectF r = kDiagramArea;
    const char* counts[8] = {"1", "&", "2", "&", "3", "&", "4", "&"};
    for (int i = 0; i < 8; ++i) {
        const double x = r.left() + 20 + 31 * i;
        const bool beat = i % 2 == 0;
        if (beat) {
            p.setPen(Qt::NoPen);
            p.setBrush(i == 0 ? kAccent : QColor(0xE0, 0x90, 0x80));
            p.drawEllipse(QPointF(x, r.top() + 20), 8, 8);
        }
        text(p, f, beat ? Face::SansBold : Face::Sans, beat ? 14 : 12,
             QRectF(x - 12, r.top() + 38, 24, 20), Qt::AlignCenter, counts[i],
             beat ? kText : kSoft);
    }
    const double bottom = staffLines(p, r.left() + 4, r.right() - 4, r.top() + 84);
    for (int i = 0; i < 4; ++i)
        note(p, r.left() + 20 + 62 * i, bottom, 1, Head::Filled, true, false);
    text(p, f, Face::Sans, 9.5, QRectF(r.left(), r.bottom() - 22, 266, 14), Qt::AlignCenter,
         "quarter notes: one on each click", kSoft);
}

void metroButtons(QPainter& p, const Fonts& f, const ChordShape*) {
    const QRectF r = kDiagramArea;
    button(p, f, QRectF(r.left() + 6, r.top() + 10, 74, 26), "METRO", true);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    p.drawEllipse(QPointF(r.left() + 98, r.top() + 23), 7, 7);
    text(p, f, Face::Sans, 9.5, QRectF(r.left() + 112, r.top() + 10, 150, 28),
         Qt::AlignLeft | Qt::AlignVCenter, "the lamp blinks on each beat", kSoft);
    const char* rows[2] = {"TEMPO", "LEAD-IN"};
    const char* says[2] = {"slower or faster", "clicks before the song"};
    for (int i = 0; i < 2; ++i) {
        const double top = r.top() + 58 + 52 * i;
        button(p, f, QRectF(r.left() + 6, top, 74, 26), rows[i], false);
        p.setPen(QPen(kSoft, 1));
        p.setBrush(QColor(0xF4, 0xF0, 0xE8));
        p.drawRect(QRectF(r.left() + 92, top + 4, 150, 18));
        for (int slot = 0; slot < 9; ++slot)
            p.drawLine(QPointF(r.left() + 100 + 17 * slot, top + 14),
                       QPointF(r.left() + 100 + 17 * slot, top + 22));
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        const double x = r.left() + 100 + 17 * (i == 0 ? 3 : 4);
        p.drawPolygon(
            QPolygonF({QPointF(x, top + 24), QPointF(x - 5, top + 32), QPointF(x + 5, top + 32)}));
        text(p, f, Face::Sans, 9.5, QRectF(r.left() + 110, top + 30, 150, 14), Qt::AlignLeft,
             says[i], kSoft);
    }
}

void repeatLine(QPainter& p, const Fonts& f, const ChordShape*) {
    const QRectF r = kDiagramArea;
    const double bottom = staffLines(p, r.left() + 4, r.right() - 4, r.top() + 20);
    const int steps[8] = {0, 0, 0, 0, 0, 0, 0, 2};
    for (int i = 0; i < 8; ++i)
        note(p, r.left() + 24 + 30 * i, bottom, steps[i], Head::Filled, true, false);
    QPainterPath loop;
    loop.moveTo(r.right() - 14, bottom + 8);
    loop.cubicTo(r.right() - 10, bottom + 40, r.left() + 20, bottom + 40, r.left() + 20,
                 bottom + 14);
    p.setPen(QPen(kAccent, 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(loop);
    arrow(p, QPointF(r.left() + 20, bottom + 22), QPointF(r.left() + 20, bottom + 10));
    const QRectF menu(r.left() + 120, r.top() + 96, 140, 60);
    p.setPen(QPen(kSoft, 1));
    p.setBrush(Qt::white);
    p.drawRect(menu);
    const char* items[3] = {"Repeat current line", "Repeat song", "Cancel repeat"};
    for (int i = 0; i < 3; ++i)
        text(p, f, i == 0 ? Face::SansBold : Face::Sans, 9.5,
             QRectF(menu.left() + 8, menu.top() + 3 + 19 * i, 130, 18),
             Qt::AlignLeft | Qt::AlignVCenter, items[i], i == 0 ? kAccent : kText);
    button(p, f, QRectF(r.left() + 10, r.top() + 110, 78, 26), "REPEAT", true);
    arrow(p, QPointF(r.left() + 90, r.top() + 123), QPointF(menu.left() - 2, menu.top() + 12));
}

void melodyTab(QPainter& p, const Fonts& f, const ChordShape*) {
    const QRectF r = kDiagramArea;
    const auto y = tabLines(p, r.left() + 4, r.right() - 4, r.top() + 34, 12);
    // The first line of the chorus: E E E, E E E, E G C D, E.
    const std::pair<int, const char*> notes[11] = {{1, "0"}, {1, "0"}, {1, "0"}, {1, "0"},
                                                   {1, "0"}, {1, "0"}, {1, "0"}, {1, "3"},
                                                   {2, "1"}, {2, "3"}, {1, "0"}};
    const char* names[11] = {"E", "E", "E", "E", "E", "E", "E", "G", "C", "D", "E"};
    for (int i = 0; i < 11; ++i) {
        const double x = r.left() + 20 + 22.5 * i;
        tabNumber(p, f, x, y[notes[i].first], notes[i].second);
        text(p, f, Face::SansBold, 10, QRectF(x - 8, r.top() + 8, 16, 16), Qt::AlignCenter,
             names[i], kAccent);
    }
    text(p, f, Face::Sans, 9.5, QRectF(r.left(), y[6] + 14, 266, 30),
         Qt::AlignCenter | Qt::TextWordWrap,
         "only the two thinnest strings: first finger on fret 1, third finger on fret 3", kSoft);
}

using DiagramPainter = void (*)(QPainter&, const Fonts&, const ChordShape*);

const std::map<Diagram, DiagramPainter>& diagramPainters() {
    static const std::map<Diagram, DiagramPainter> painters = {
        {Diagram::StaffOverTab, staffOverTab}, {Diagram::TabStrings, tabStrings},
        {Diagram::FretNumbers, fretNumbers},   {Diagram::ChordColumn, chordColumn},
        {Diagram::StaffPitches, staffPitches}, {Diagram::NoteLengths, noteLengths},
        {Diagram::Transport, transport},       {Diagram::OpenStrings, openStrings},
        {Diagram::PegTurn, pegTurn},           {Diagram::TunerPanel, tunerPanel},
        {Diagram::FifthFret, fifthFret},       {Diagram::Chord, chord},
        {Diagram::ChordChanges, chordChanges}, {Diagram::Beats, beats},
        {Diagram::MetroButtons, metroButtons}, {Diagram::RepeatLine, repeatLine},
        {Diagram::MelodyTab, melodyTab},
    };
    return painters;
}

// The E minor chord shown beside the chord-column example.
const ChordShape kColumnChord{"Em", {0, 2, 2, 0, 0, 0}, {0, 2, 3, 0, 0, 0}};

}  // namespace

QImage drawLessonPage(const Fonts& fonts, const LessonPage& page) {
    QImage image = blankImage(kLessonPageWidth, kLessonPageHeight, kPageColour.rgb());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setPen(QPen(kFrame, 1));
    p.drawRect(QRectF(0.5, 0.5, kLessonPageWidth - 1, kLessonPageHeight - 1));
    text(p, fonts, Face::SansBold, 15, QRectF(kTextLeft, 7, 570, 22),
         Qt::AlignLeft | Qt::AlignVCenter, page.heading, kHeading);
    p.setPen(QPen(kFrame, 1));
    p.drawLine(QPointF(kTextLeft, 31.5), QPointF(kLessonPageWidth - 14, 31.5));
    const bool withDiagram = page.diagram != Diagram::None;
    const double width =
        (withDiagram ? kDiagramArea.left() - 12 : kLessonPageWidth - 14) - kTextLeft;
    const QRectF body(kTextLeft, kTextTop, width, kTextBottom - kTextTop);
    p.setFont(fonts.font(Face::Sans, 11.5));
    const QRectF needed = p.boundingRect(body, Qt::AlignLeft | Qt::TextWordWrap, page.text);
    if (needed.height() > body.height()) {
        std::fprintf(stderr, "the text of %s does not fit its page\n", page.fileName);
        return QImage();
    }
    text(p, fonts, Face::Sans, 11.5, body, Qt::AlignLeft | Qt::TextWordWrap, page.text);
    if (withDiagram) {
        const ChordShape* c = page.diagram == Diagram::ChordColumn ? &kColumnChord : page.chord;
        diagramPainters().at(page.diagram)(p, fonts, c);
    }
    return image;
}

QImage drawLessonHint(const Fonts& fonts, const LessonHint& hint) {
    QImage image = blankImage(kLessonHintWidth, kLessonHintHeight, kPageColour.rgb());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kFrame, 1));
    p.drawRect(QRectF(0.5, 0.5, kLessonHintWidth - 1, kLessonHintHeight - 1));
    switch (hint.mark) {
        case HintMark::Chord:
            drawChordOnNeck(p, fonts, NeckGrid{QRectF(22, 14, 78, 50), 3}, *hint.chord, 5);
            break;
        case HintMark::String:
            for (int s = 1; s <= 6; ++s) {
                const bool lit = s == hint.stringNumber;
                p.setPen(QPen(lit ? kAccent : QColor(0xB0, 0xA8, 0x98), lit ? 3 : 0.6 + 0.3 * s));
                p.drawLine(QPointF(10, 12 + 13 * (s - 1)), QPointF(104, 12 + 13 * (s - 1)));
            }
            break;
        case HintMark::Button:
            button(p, fonts, QRectF(12, 30, 88, 30), hint.button, true);
            break;
    }
    text(p, fonts, Face::SansBold, 13, QRectF(112, 6, 124, 22), Qt::AlignLeft | Qt::AlignVCenter,
         hint.caption, kHeading);
    p.setFont(fonts.font(Face::Sans, 10));
    const QRectF body(112, 30, 124, 56);
    if (p.boundingRect(body, Qt::AlignLeft | Qt::TextWordWrap, hint.text).height() >
        body.height()) {
        std::fprintf(stderr, "the text of %s does not fit its picture\n", hint.fileName);
        return QImage();
    }
    text(p, fonts, Face::Sans, 10, body, Qt::AlignLeft | Qt::TextWordWrap, hint.text);
    return image;
}

}  // namespace lutavo::assetgen
