// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tuner_needle_view.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "ui/view_binder.h"

namespace lutavo {

namespace {

// Where the needle sits on the page, in design pixels: under the right-hand text of the title
// row, above the highest notes of the staff.
const QRect kDesign(404, 17, 190, 30);
constexpr double kInTuneCents = 5;
constexpr double kScaleCents = 50;
const QColor kInTune(0x2E, 0x8B, 0x3A);
const QColor kOffTune(0xB0, 0x3A, 0x2E);
const QColor kQuiet(0x9A, 0x92, 0x86);
const QColor kInk(0x3B, 0x33, 0x2A);

}  // namespace

TunerNeedle::TunerNeedle(QWidget* parent, ViewBinder& binder) : QWidget(parent), b_(binder) {
    setObjectName("tunerNeedle");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void TunerNeedle::follow() {
    const HeardTuning& heard = b_.g.tuning.heard;
    const bool show = (heard.listening || heard.noInput) && b_.g.app.appMode == 0;
    const Zoom zoom = b_.zoom();
    const QRect at(zoom.pixels(kDesign.x()), zoom.pixels(kDesign.y()), zoom.pixels(kDesign.width()),
                   zoom.pixels(kDesign.height()));
    if (geometry() != at) setGeometry(at);
    const bool changed = shown_.caption != heard.caption || shown_.cents != heard.cents ||
                         shown_.steady != heard.steady || shown_.level != heard.level ||
                         shown_.stringName != heard.stringName;
    shown_ = heard;
    if (show != isVisible()) setVisible(show);
    if (show) raise();
    if (show && changed) update();
}

void TunerNeedle::paintScale(QPainter& p, const QRectF& scale) const {
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(scale.left(), scale.bottom()), QPointF(scale.right(), scale.bottom()));
    for (int cents = -50; cents <= 50; cents += 10) {
        const double x = scale.center().x() + cents / kScaleCents * scale.width() / 2;
        const double tall = cents == 0 ? scale.height() : scale.height() / 3;
        p.drawLine(QPointF(x, scale.bottom()), QPointF(x, scale.bottom() - tall));
    }
    // The band a string is in tune within.
    const double band = kInTuneCents / kScaleCents * scale.width() / 2;
    p.fillRect(QRectF(scale.center().x() - band, scale.top(), 2 * band, scale.height()),
               QColor(kInTune.red(), kInTune.green(), kInTune.blue(), 40));
}

void TunerNeedle::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double z = b_.zoom().factor();
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath frame;
    frame.addRoundedRect(box, 3 * z, 3 * z);
    p.fillPath(frame, QColor(0xFD, 0xFC, 0xF8));
    p.setPen(QPen(QColor(0xA3, 0x98, 0x84), 1));
    p.drawPath(frame);

    QFont font = p.font();
    font.setPointSizeF(7 * z);
    p.setFont(font);
    const QRectF text = box.adjusted(5 * z, 1 * z, -5 * z, -2 * z);
    if (shown_.noInput) {
        p.setPen(kInk);
        p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap,
                   QString::fromStdString(shown_.caption));
        return;
    }
    const QColor ink = !shown_.steady                           ? kQuiet
                       : std::fabs(shown_.cents) < kInTuneCents ? kInTune
                                                                : kOffTune;
    p.setPen(kInk);
    p.drawText(text, Qt::AlignRight | Qt::AlignTop, QString::fromStdString(shown_.stringName));
    font.setBold(true);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop, QString::fromStdString(shown_.caption));

    const QRectF scale(text.left() + 3 * z, text.top() + 14 * z, text.width() - 6 * z, 9 * z);
    paintScale(p, scale);
    const double cents = std::clamp(shown_.cents, -kScaleCents, kScaleCents);
    const double x = scale.center().x() + cents / kScaleCents * scale.width() / 2;
    p.setPen(QPen(ink, 2 * z, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x, scale.bottom() + 1 * z), QPointF(x, scale.top() - 2 * z));

    // How loud the input is: a player who sees nothing move knows it is not hearing them.
    p.fillRect(QRectF(box.left() + 1, box.bottom() - 2 * z,
                      (box.width() - 2) * double(shown_.level), 1.5 * z),
               kQuiet);
}

}  // namespace lutavo
