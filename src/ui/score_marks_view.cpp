// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/score_marks_view.h"

#include <QPainter>

#include "core/guitar.h"
#include "ui/view_binder.h"

namespace lutavo {

namespace {

// The row of the note pointer, under the tablature, in design pixels; a note's column is its
// pointer's middle. The last pass's score goes where the tuner's needle would be, under the
// right-hand text of the title row.
constexpr double kRowMiddle = 196;
const QRectF kCaption(404, 17, 190, 18);
constexpr double kColumnMiddle = 10.5;
constexpr double kDot = 7;

QColor colourOf(Verdict v) {
    switch (v) {
        case Verdict::Hit:
            return {0x2E, 0x8B, 0x3A};
        case Verdict::Early:
        case Verdict::Late:
            return {0xD0, 0x8A, 0x1E};
        case Verdict::Wrong:
            return {0xB0, 0x3A, 0x2E};
        case Verdict::Missed:
            break;
    }
    return {0x9A, 0x92, 0x86};
}

bool sameMarks(const std::vector<ScoreMark>& a, const std::vector<ScoreMark>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].x != b[i].x || a[i].verdict != b[i].verdict) return false;
    return true;
}

}  // namespace

ScoreMarksView::ScoreMarksView(QWidget* parent, ViewBinder& binder) : QWidget(parent), b_(binder) {
    setObjectName("scoreMarks");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void ScoreMarksView::follow() {
    const Guitar& g = b_.g;
    const ScoringState& s = g.practice.scoring;
    std::vector<ScoreMark> marks;
    for (std::size_t i = 0; i < s.judged.size() && i < s.marks.size(); ++i)
        if (s.marks[i].page == g.transport.curPage) marks.push_back(s.marks[i]);
    const bool tuning = g.tuning.heard.listening || g.tuning.heard.noInput;
    const std::string caption = tuning ? std::string() : s.lastPass;
    const bool show = (!marks.empty() || !caption.empty()) && !g.ui.pagepic.visible;
    if (geometry() != parentWidget()->rect()) setGeometry(parentWidget()->rect());
    if (show != isVisible()) setVisible(show);
    if (!show) return;
    raise();
    if (!sameMarks(marks, shown_) || caption != caption_) {
        shown_ = std::move(marks);
        caption_ = caption;
        update();
    }
}

void ScoreMarksView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double z = b_.zoom().factor();
    const double d = kDot * z;
    for (const ScoreMark& mark : shown_) {
        const QRectF dot((mark.x + kColumnMiddle) * z - d / 2, kRowMiddle * z - d / 2, d, d);
        const QColor colour = colourOf(mark.verdict);
        p.setPen(QPen(colour, 1.2 * z));
        p.setBrush(mark.verdict == Verdict::Missed ? Qt::NoBrush : QBrush(colour));
        p.drawEllipse(dot);
    }
    if (caption_.empty()) return;
    QFont font = p.font();
    font.setPointSizeF(7 * z);
    p.setFont(font);
    p.setPen(QColor(0x3B, 0x33, 0x2A));
    const QRectF box(kCaption.x() * z, kCaption.y() * z, kCaption.width() * z,
                     kCaption.height() * z);
    p.drawText(box, Qt::AlignRight | Qt::AlignVCenter, QString::fromStdString(caption_));
}

}  // namespace lutavo
