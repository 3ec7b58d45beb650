// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <QPainter>
#include <QScrollBar>

#include "app/chord_library.h"
#include "app/form_design.h"
#include "display/page_glyphs.h"
#include "display/scrolling.h"
#include "playback/transport.h"
#include "services/qt/picture_qimage.h"
#include "ui/score_marks_view.h"
#include "ui/sections.h"
#include "ui/tuner_needle_view.h"
#include "ui/view_binder.h"
#include "ui/view_units.h"

namespace lutavo {

namespace {

const QColor kPointerInk(0xC0, 0x20, 0x18);

// The finest scale the window draws pictures at.
constexpr int kFinest = 4;

// A pointer arrow in the pointer ink on a transparent image of the given size times scale.
QImage drawnArrow(QSize size, const QPolygonF& arrow, int scale) {
    QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.setPen(QPen(kPointerInk.darker(140), 0.8));
    p.setBrush(kPointerInk);
    p.drawPolygon(arrow);
    return image;
}

// The note pointer: an arrow under the current column, pointing up at it.
QImage drawnNotePointer(int scale) {
    return drawnArrow(QSize(21, 12),
                      QPolygonF({QPointF(4, 11.5), QPointF(10.5, 0.5), QPointF(17, 11.5)}), scale);
}

// The line pointer of picture pages: an arrow at the left pointing right at the line.
QImage drawnLinePointer(int scale) {
    return drawnArrow(QSize(13, 20),
                      QPolygonF({QPointF(0.5, 3), QPointF(12.5, 10), QPointF(0.5, 17)}), scale);
}

// A picture of the page that locates the note under a click (x in the picture's pixels).
void bindScoreClicks(ViewBinder& b, PictureView* view) {
    QObject::connect(view, &PictureView::mousePressed, view, [&b](int x, int, Qt::MouseButton) {
        b.run([&b, x] { locatenote(b.g, toPixels(x)); });
    });
    QObject::connect(view, &PictureView::mouseReleased, view, [&b](int x, int, Qt::MouseButton) {
        b.run([&b, x] { score_MouseUp(b.g, toPixels(x)); });
    });
}

// The finest page in use goes with the plain one, for a zoomed window or a grab at a finer
// scale (printing).
ViewBinder::FineSource finePage(ViewBinder& b, PageSheet which) {
    return [&b, which]() -> const Picture* {
        const FinePage* fine = finePageFor(b.g.display, kFinest);
        if (fine == nullptr) return nullptr;
        return which == PageSheet::Score ? &fine->score : &fine->tab;
    };
}

void buildScrollPanel(ViewBinder& b, QWidget* frame) {
    Guitar& g = b.g;
    auto* panel = b.panel(frame, g.ui.scrollpanel, false);
    panel->setObjectName("scrollpanel");
    panel->setToolTip("Scroll through the song");
    new EventHook(panel, QEvent::MouseButtonPress,
                  [&b] { b.run([&b] { scrollpanel_Click(b.g); }); });
    auto* bar = b.scrollBar(panel, g.ui.pgScroll, Qt::Vertical);
    bar->setObjectName("pgScroll");
    bar->setFocusPolicy(Qt::StrongFocus);
    // The user's own arrow and page clicks only: the program setting the bar (a song loaded, a
    // page turned) is no user scroll.
    QObject::connect(bar, &QScrollBar::actionTriggered, bar, [&b, bar](int) {
        const int value = bar->sliderPosition();
        b.run([&b, value] { pgScroll_UserScroll(b.g, value); });
    });
    new EventHook(bar, QEvent::FocusIn, [&b] { b.run([&b] { pgScroll_GotFocus(b.g); }); });
    new EventHook(bar, QEvent::FocusOut, [&b] { b.run([&b] { pgScroll_LostFocus(b.g); }); });
}

void buildScore(ViewBinder& b, QWidget* frame) {
    Guitar& g = b.g;
    auto* score = b.panel(frame, g.ui.pnlscore, false);
    score->setObjectName("pnlscore");
    QPalette white = score->palette();
    white.setColor(QPalette::Window, Qt::white);
    score->setPalette(white);

    auto* notation = b.picture(score, g.ui.picscore, &g.display.picscore, QImage(),
                               finePage(b, PageSheet::Score));
    notation->setObjectName("picscore");
    auto* tab =
        b.picture(score, g.ui.pictab, &g.display.pictab, QImage(), finePage(b, PageSheet::Tab));
    tab->setObjectName("pictab");
    bindScoreClicks(b, notation);
    bindScoreClicks(b, tab);

    auto* left = b.label(score, g.ui.lblleft, Qt::AlignLeft | Qt::AlignTop);
    auto* title = b.label(score, g.ui.lbltitle, Qt::AlignHCenter | Qt::AlignTop);
    title->setObjectName("lbltitle");
    auto* right = b.label(score, g.ui.lblright, Qt::AlignRight | Qt::AlignTop);
    QFont font = title->font();
    font.setFamily("DejaVu Serif");
    font.setItalic(true);
    font.setPointSizeF(7.5);
    left->setFont(font);
    right->setFont(font);
    font.setItalic(false);
    font.setBold(true);
    font.setPointSizeF(10);
    title->setFont(font);
    auto* trainer = b.label(score, g.ui.lbltrainer, Qt::AlignRight | Qt::AlignTop);
    trainer->setObjectName("lbltrainer");
    font.setFamily("DejaVu Sans");
    font.setPointSizeF(26);
    trainer->setFont(font);
    auto* needle = new TunerNeedle(score, b);
    b.onSync([needle] { needle->follow(); });
}

}  // namespace

void buildPage(ViewBinder& b, QWidget* window) {
    Guitar& g = b.g;
    auto* frame = b.panel(window, g.ui.Pageframe, true);
    frame->setObjectName("Pageframe");
    QPalette paper = frame->palette();
    paper.setColor(QPalette::Window, QColor(0xFD, 0xFC, 0xF8));
    frame->setPalette(paper);

    auto* pictures = b.picture(frame, g.ui.pagepic, &g.display.pagepic);
    pictures->setObjectName("pagepic");
    // In a library the picture is the strip of types; the score panel, built after it, lies
    // over all of it but the band of buttons.
    QObject::connect(
        pictures, &PictureView::mousePressed, pictures, [&b](int x, int y, Qt::MouseButton button) {
            b.run([&b, x, y, button] { pagepic_MouseDown(b.g, toMouseButton(button), 0, x, y); });
        });

    buildScore(b, frame);
    // Above the strip of a library, whose pages it turns from under the band of buttons.
    buildScrollPanel(b, frame);
    b.picture(frame, g.ui.pointer, nullptr, drawnNotePointer(1), {}, drawnNotePointer(kFinest))
        ->setObjectName("pointer");
    b.picture(frame, g.ui.vpointer, nullptr, drawnLinePointer(1), {}, drawnLinePointer(kFinest))
        ->setObjectName("vpointer");
    auto* marks = new ScoreMarksView(frame, b);
    b.onSync([marks] { marks->follow(); });
}

}  // namespace lutavo
