// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>

#include "display/scrolling.h"
#include "editor/editor_commands.h"
#include "editor/song_info.h"
#include "lessons/lesson_player.h"
#include "playback/settings_adjuster.h"
#include "ui/sections.h"
#include "ui/view_binder.h"
#include "ui/view_units.h"
#include "ui/zoom_view.h"

namespace lutavo {

namespace {

const QColor kStaticInk(0x5A, 0x4E, 0x40);

// The adjuster's pointer: a small arrow under the chosen slot of the scale, at scale times its
// size.
QImage drawnSlotPointer(int scale) {
    QImage image(13 * scale, 12 * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.setPen(QPen(QColor(0x70, 0x10, 0x10), 0.8));
    p.setBrush(QColor(0xC0, 0x20, 0x18));
    p.drawPolygon(QPolygonF({QPointF(0.5, 11.5), QPointF(6.5, 0.5), QPointF(12.5, 11.5)}));
    return image;
}

// The passage's start and end as two ticks on the note scroll bar, where its values run
// between the two arrow buttons.
class PassageTicks : public QWidget {
  public:
    PassageTicks(QScrollBar* bar, const Guitar& g) : QWidget(bar), bar_(bar), g_(g) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void follow() {
        if (geometry() != bar_->rect()) setGeometry(bar_->rect());
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        const PlayRange& r = g_.transport.range;
        const int span = bar_->maximum() - bar_->minimum();
        if (!r.marked() || span <= 0) return;
        const int arrow = height();
        const int track = width() - 2 * arrow;
        QPainter p(this);
        const QColor colour(0x1A, 0x8F, 0x3A);
        for (int n : {static_cast<int>(r.first), r.lastIn(g_.song.noteCount)}) {
            const int x = arrow + (n - bar_->minimum()) * track / span;
            p.fillRect(QRect(x - 1, 0, 3, height()), colour);
        }
    }

  private:
    QScrollBar* bar_;
    const Guitar& g_;
};

// A caption of the window's design that the program never changes.
QLabel* staticText(QWidget* parent, const QString& text, QRect at, Qt::Alignment alignment) {
    auto* w = new QLabel(text, parent);
    placeDesigned(w, at);
    w->setAlignment(alignment);
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, kStaticInk);
    w->setPalette(pal);
    QFont font = w->font();
    font.setPointSizeF(7);
    font.setBold(true);
    w->setFont(font);
    return w;
}

// A number the program keeps up to date, in a small sunken field.
QLabel* readout(ViewBinder& b, QWidget* parent, Label& label) {
    auto* w = b.label(parent, label, Qt::AlignCenter);
    w->setFrameShape(QFrame::StyledPanel);
    w->setFrameShadow(QFrame::Sunken);
    w->setAutoFillBackground(true);
    QFont font = w->font();
    font.setPointSizeF(7);
    font.setBold(true);
    w->setFont(font);
    return w;
}

void buildEditorPanel(ViewBinder& b, QWidget* window) {
    Guitar& g = b.g;
    auto* panel = b.panel(window, g.ui.pnlSongEntry, true);
    panel->setObjectName("pnlSongEntry");
    for (int i = kEditorIns; i < kEditorCommands; ++i) {
        auto* w = b.command(panel, g.ui.btnsongentry[i], g.ui.lblsongentry[i], Glyph::None);
        w->setCaptionPointSize(6.5);
        QObject::connect(w, &CommandButton::pressed, w, [&b, i] {
            b.run([&b, i] { btnsongentry_MouseDown(b.g.ui, b.g.app, i); });
        });
        QObject::connect(w, &CommandButton::released, w,
                         [&b, i] { b.run([&b, i] { btnsongentry_MouseUp(b.g.ui, i); }); });
        QObject::connect(w, &CommandButton::clicked, w,
                         [&b, i] { b.run([&b, i] { btnsongentry_Click(b.g, i); }); });
    }
}

void buildAdjuster(ViewBinder& b, QWidget* window) {
    Guitar& g = b.g;
    auto* buttons = b.panel(window, g.ui.pnlswapcntl, true);
    buttons->setObjectName("pnlswapcntl");
    for (int i = 0; i <= 6; ++i) {
        // The note-length button shares the LEAD-IN label; only one of the two is visible.
        Label& caption = g.ui.lblswapper[i == kSettingNoteLength ? kSettingLeadIn : i];
        auto* w = b.command(buttons, g.ui.btnSwapper[i], caption, Glyph::None);
        w->setCaptionPointSize(6.5);
        QObject::connect(w, &CommandButton::clicked, w,
                         [&b, i] { b.run([&b, i] { btnSwapper_Click(b.g, i); }); });
    }

    auto* scale = b.panel(window, g.ui.pnlswapper, true);
    scale->setObjectName("pnlswapper");
    auto* picture = b.picture(scale, g.ui.PicSwapper, nullptr);
    picture->setObjectName("PicSwapper");
    picture->setCursor(Qt::PointingHandCursor);
    QObject::connect(
        picture, &PictureView::mousePressed, picture,
        [&b](int x, int, Qt::MouseButton) { b.run([&b, x] { PicSwapper_MouseDown(b.g, x); }); });
    QObject::connect(picture, &PictureView::mouseReleased, picture,
                     [&b](int, int, Qt::MouseButton) { b.run([&b] { PicSwapper_MouseUp(b.g); }); });
    b.picture(scale, g.ui.lpointer, nullptr, drawnSlotPointer(1), {}, drawnSlotPointer(4))
        ->setObjectName("lpointer");
    staticText(scale, "VOL", QRect(4, 42, 24, 14), Qt::AlignVCenter | Qt::AlignRight);
    readout(b, scale, g.ui.voltxt);
    staticText(scale, "TEMPO", QRect(64, 42, 44, 14), Qt::AlignVCenter | Qt::AlignRight);
    readout(b, scale, g.ui.tempotxt);
    readout(b, scale, g.ui.tempopct)->setObjectName("tempopct");
}

void buildLessonPanel(ViewBinder& b, QWidget* window) {
    Guitar& g = b.g;
    auto* panel = b.panel(window, g.ui.pnllesson, true);
    panel->setObjectName("pnllesson");
    b.picture(panel, g.ui.NewLessonPic, nullptr)->setObjectName("NewLessonPic");
    const char* const names[] = {"lbuttonBack", "lbuttonNext"};
    const QString captions[] = {"BACK", "NEXT"};
    for (int i : {kLessonBack, kLessonNext}) {
        auto* w = b.fixedButton(panel, g.ui.lbutton[i], captions[i]);
        w->setObjectName(names[i]);
        QObject::connect(w, &CommandButton::pressed, w,
                         [&b, i] { b.run([&b, i] { lbutton_Click(b.g, i); }); });
        QObject::connect(w, &CommandButton::released, w,
                         [&b] { b.run([&b] { lbutton_MouseUp(b.g.ui); }); });
    }
    staticText(panel, "FRAME", QRect(410, 18, 40, 18), Qt::AlignVCenter | Qt::AlignRight);
    readout(b, panel, g.ui.lbllnum)->setObjectName("lbllnum");
    staticText(panel, "OF", QRect(496, 18, 22, 18), Qt::AlignCenter);
    readout(b, panel, g.ui.lblltotal)->setObjectName("lblltotal");
    auto* frames = b.scrollBar(panel, g.ui.lscroll, Qt::Horizontal);
    frames->setObjectName("lscroll");
    QObject::connect(frames, &QScrollBar::valueChanged, frames,
                     [&b](int value) { b.run([&b, value] { lscroll_Scroll(b.g, value); }); });
}

void buildSongInfoPanel(ViewBinder& b, QWidget* window) {
    Guitar& g = b.g;
    auto* panel = b.panel(window, g.ui.pnlsonginfo, true);
    panel->setObjectName("pnlsonginfo");
    using Change = void (*)(Guitar&, const std::string&);
    struct Box {
        TextBox* box;
        const char* caption;
        const char* name;
        Change change;
    };
    const Box boxes[] = {{&g.ui.txtsititle, "T I T L E", "txtsititle", txtsititle_Change},
                         {&g.ui.txtsiinfo, "I N F O", "txtsiinfo", txtsiinfo_Change},
                         {&g.ui.txtsicomp, "C O M P O S E R", "txtsicomp", txtsicomp_Change}};
    for (const auto& [box, caption, name, change] : boxes) {
        // The caption sits over its box wherever the program places the box (the window is
        // built before start-up gives the boxes their places).
        auto* title = staticText(panel, caption, QRect(), Qt::AlignLeft);
        // Copied by name: clang before 16 cannot capture a structured binding.
        b.onSync([&b, title, box = box] {
            const Zoom zoom = b.zoom();
            const QRect at = zoom.rect(box->at);
            const QRect over(at.left(), at.top() - zoom.pixels(15), at.width(), zoom.pixels(14));
            if (title->geometry() != over) title->setGeometry(over);
        });
        auto* w = b.textBox(panel, *box);
        w->setObjectName(name);
        // Typing and the box's own undo and redo; the program's own changes of the text are
        // made with the box's signals blocked.
        QObject::connect(w, &QLineEdit::textChanged, w, [&b, change = change](const QString& text) {
            b.run([&b, change, text] { change(b.g, text.toStdString()); });
        });
        new EventHook(w, QEvent::FocusOut, [&b] { b.run([&b] { songInfoField_Leave(b.g); }); });
    }
    auto* ok = b.fixedButton(panel, g.ui.btnsiok, "OK");
    ok->setObjectName("btnsiok");
    QObject::connect(ok, &CommandButton::clicked, ok,
                     [&b] { b.run([&b] { btnsiok_Click(b.g); }); });
}

}  // namespace

void buildLowerPanels(ViewBinder& b, QWidget* window) {
    buildEditorPanel(b, window);
    buildAdjuster(b, window);
    buildLessonPanel(b, window);
    buildSongInfoPanel(b, window);
}

QWidget* buildStatusStrip(ViewBinder& b, QWidget* window) {
    Guitar& g = b.g;
    auto* strip = new QWidget(window);
    strip->setObjectName("statusStrip");
    const auto valueLabel = [&b, strip](Label& label) { return readout(b, strip, label); };
    staticText(strip, "NOTE", QRect(4, 4, 28, 16), Qt::AlignVCenter | Qt::AlignLeft);
    valueLabel(g.ui.lblnoteof);
    staticText(strip, "OF", QRect(70, 4, 14, 16), Qt::AlignCenter);
    valueLabel(g.ui.lbloftotal);
    auto* notes = b.scrollBar(strip, g.ui.ScrlNpntr, Qt::Horizontal);
    notes->setObjectName("ScrlNpntr");
    QObject::connect(notes, &QScrollBar::valueChanged, notes,
                     [&b](int value) { b.run([&b, value] { ScrlNpntr_Scroll(b.g, value); }); });
    auto* ticks = new PassageTicks(notes, g);
    b.onSync([ticks] { ticks->follow(); });
    auto* copies = b.label(strip, g.ui.lblcopybuff, Qt::AlignVCenter | Qt::AlignLeft);
    QFont font = copies->font();
    font.setPointSizeF(7);
    font.setBold(true);
    copies->setFont(font);
    return strip;
}

}  // namespace lutavo
