// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>

#include "app/editor_mode.h"
#include "app/keyboard.h"
#include "app/mode_bar.h"
#include "app/wait_mode.h"
#include "playback/transport.h"
#include "ui/sections.h"
#include "ui/view_binder.h"

namespace lutavo {

namespace {

constexpr Glyph kTransportGlyphs[8] = {Glyph::Rewind, Glyph::Forward, Glyph::Play, Glyph::Pause,
                                       Glyph::Back,   Glyph::Next,    Glyph::Stop, Glyph::Repeat};

void buildModeBar(ViewBinder& b, QWidget* window) {
    Guitar& g = b.g;
    for (int i = 0; i <= 6; ++i) {
        auto* w = b.command(window, g.ui.opt[i], g.ui.opttxt[i], Glyph::None);
        QObject::connect(w, &CommandButton::clicked, w,
                         [&b, i] { b.run([&b, i] { modeBarPress(b.g, i); }); });
    }
    auto* song = b.label(window, g.ui.lblsong, Qt::AlignCenter, ViewBinder::Fit::KeepEnd);
    song->setObjectName("lblsong");
    song->setFrameShape(QFrame::StyledPanel);
    song->setFrameShadow(QFrame::Sunken);
    song->setAutoFillBackground(true);
    auto* close = b.command(window, g.ui.btnlexit, g.ui.lbllexit, Glyph::Close);
    QObject::connect(close, &CommandButton::clicked, close,
                     [&b] { b.run([&b] { btnlexit_Click(b.g); }); });
}

void buildTransport(ViewBinder& b, QWidget* window) {
    Guitar& g = b.g;
    for (int i = 0; i <= 7; ++i) {
        auto* w = b.command(window, g.ui.playbtn[i], g.ui.playtxt[i], kTransportGlyphs[i]);
        w->setObjectName(QString("playbtn(%1)").arg(i));
        QObject::connect(w, &CommandButton::pressed, w,
                         [&b, i] { b.run([&b, i] { playbtn_MouseDown(b.g, i); }); });
        QObject::connect(w, &CommandButton::released, w,
                         [&b, i] { b.run([&b, i] { playbtn_MouseUp(b.g, i); }); });
        QObject::connect(w, &CommandButton::clicked, w, [&b, i] {
            b.run([&b, i] {
                if (i == kRepeat) {
                    keyCommand(b.g, KeyCommand::Repeat);  // its menu opens the practice progress
                } else {
                    transportClick(b.g, i);
                }
            });
        });
    }
}

void buildOutputs(ViewBinder& b, QWidget* window) {
    Guitar& g = b.g;
    // The four sound buttons lie on one another; only the current sound's one is visible.
    for (int i = kSoundButtonFirst; i <= kSoundButtonLast; ++i) {
        auto* w = b.command(window, g.ui.outbtn[i], g.ui.outtxt[kSoundLabel], Glyph::Sound);
        QObject::connect(w, &CommandButton::pressed, w,
                         [&b, i] { b.run([&b, i] { outbtn_MouseDown(b.g.ui, i); }); });
        QObject::connect(w, &CommandButton::released, w,
                         [&b, i] { b.run([&b, i] { outbtn_MouseUp(b.g.ui, i); }); });
        QObject::connect(w, &CommandButton::clicked, w,
                         [&b, i] { b.run([&b, i] { outbtn_Click(b.g, i); }); });
    }
    auto* metronome = b.command(window, g.ui.TempoBtn, g.ui.outtxt[kMetroLabel], Glyph::Metronome);
    QObject::connect(metronome, &CommandButton::clicked, metronome,
                     [&b] { b.run([&b] { TempoBtn_Click(b.g.ui, b.g.song); }); });
    b.lamp(window, g.ui.mled)->raise();
    auto* setup =
        b.command(window, g.ui.outbtn[kSetupButton], g.ui.outtxt[kSetupLabel], Glyph::Setup);
    setup->setObjectName("outbtn(6)");
    QObject::connect(setup, &CommandButton::clicked, setup,
                     [&b] { b.run([&b] { outbtn_Click(b.g, kSetupButton); }); });
}

}  // namespace

void buildToolbar(ViewBinder& b, QWidget* window) {
    buildModeBar(b, window);
    buildTransport(b, window);
    buildOutputs(b, window);
}

}  // namespace lutavo
