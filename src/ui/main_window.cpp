// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"
#include "app/editor_mode.h"
#include "app/keyboard.h"

#include <QCloseEvent>
#include <QPainter>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWindow>
#include <utility>

#include "app/form_design.h"
#include "app/startup.h"
#include "app/wait_mode.h"
#include "app/window_zoom.h"
#include "core/messages.h"
#include "playback/engine.h"
#include "playback/transport.h"
#include "practice/practice_session.h"
#include "services/qt/timer_driver.h"
#include "ui/sections.h"
#include "ui/setup_view.h"
#include "ui/view_units.h"
#include "ui/zoom_view.h"

namespace lutavo {

namespace {

const QColor kWindowFace(0xE9, 0xE4, 0xDA);
const QColor kToolbarTop(0xF6, 0xF2, 0xEA);
const QColor kToolbarBottom(0xDC, 0xD4, 0xC4);
const QColor kRule(0xB4, 0xA9, 0x96);
const QColor kNeckBandTop(0xD9, 0xD0, 0xC0);
const QColor kNeckBandBottom(0xCF, 0xC5, 0xB3);

}  // namespace

MainWindow::MainWindow(Guitar& g, SoundClock* soundClock) : g_(g), binder_(g) {
    setObjectName("guitar");
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kWindowFace);
    pal.setColor(QPalette::Base, QColor(0xFF, 0xFE, 0xFA));
    setPalette(pal);
    QFont font("DejaVu Sans");
    font.setPointSizeF(8);
    setFont(font);

    buildToolbar(binder_, this);
    buildNeck(binder_, this);
    buildPage(binder_, this);
    buildLowerPanels(binder_, this);
    statusStrip_ = buildStatusStrip(binder_, this);
    new SetupView(binder_, this);

    // Panels that come and go lie over everything else when the program moves them into view.
    for (const char* name : {"pnlSongEntry", "pnlswapcntl", "pnlswapper", "pnllesson",
                             "pnlsonginfo", "pnlAdjTuning"}) {
        if (auto* panel = findChild<QWidget*>(name)) panel->raise();
    }
    playbackTimer_ = std::make_unique<TimerDriver>(
        g.ntimer, [this] { binder_.run([this] { ntimer_Timer(g_); }); }, TimerAccuracy::Precise,
        soundClock);
    windowTimer_ = std::make_unique<TimerDriver>(
        g.gtimer, [this] { binder_.run([this] { windowTimerTick(g_); }); });
    listenTimer_ = std::make_unique<TimerDriver>(
        g.ltimer, [this] { binder_.run([this] { listenTick(g_); }); });
    bindKeys();
    binder_.onSync([this] { syncWindow(); });
    binder_.afterRun([this] {
        const auto moment = practiceMoment(isPlaying(g_), g_.song, g_.transport, g_.playback);
        if (const auto message = followPractice(g_.practice, moment); !message.empty()) {
            showMessage(g_, message);
        }
        if (g_.app.quitRequested && !closing_) QTimer::singleShot(0, this, &QWidget::close);
    });
}

void MainWindow::bindKeys() {
    const std::pair<QKeySequence, KeyCommand> keys[] = {
        {Qt::Key_Left, KeyCommand::Back},
        {Qt::Key_Right, KeyCommand::Next},
        {Qt::SHIFT | Qt::Key_Left, KeyCommand::MarkBack},
        {Qt::SHIFT | Qt::Key_Right, KeyCommand::MarkNext},
        {Qt::Key_Insert, KeyCommand::Insert},
        {QKeySequence::Delete, KeyCommand::Delete},
        {QKeySequence::Save, KeyCommand::Save},
        {QKeySequence::Copy, KeyCommand::Copy},
        {QKeySequence::Paste, KeyCommand::Paste},
        {QKeySequence::Undo, KeyCommand::Undo},
        {QKeySequence::Redo, KeyCommand::Redo},
        {Qt::CTRL | Qt::Key_Y, KeyCommand::Redo},
        {Qt::Key_Space, KeyCommand::PlayPause},
        {Qt::CTRL | Qt::Key_O, KeyCommand::Songs},
        {Qt::CTRL | Qt::Key_L, KeyCommand::Lessons},
        {Qt::CTRL | Qt::Key_P, KeyCommand::Print},
        {Qt::Key_F1, KeyCommand::Help},
        {QKeySequence::ZoomIn, KeyCommand::ZoomIn},
        {Qt::CTRL | Qt::Key_Equal, KeyCommand::ZoomIn},
        {QKeySequence::ZoomOut, KeyCommand::ZoomOut},
        {Qt::CTRL | Qt::Key_0, KeyCommand::ZoomReset},
        {Qt::Key_BracketLeft, KeyCommand::PassageStart},
        {Qt::Key_BracketRight, KeyCommand::PassageEnd},
        {Qt::Key_BraceLeft, KeyCommand::LineStart},
        {Qt::Key_BraceRight, KeyCommand::LineEnd},
        {Qt::Key_L, KeyCommand::Loop},
        {Qt::Key_T, KeyCommand::Trainer},
        {Qt::SHIFT | Qt::Key_T, KeyCommand::TrainerPlan},
        {Qt::CTRL | Qt::Key_Up, KeyCommand::Faster},
        {Qt::CTRL | Qt::Key_Down, KeyCommand::Slower},
        {Qt::Key_P, KeyCommand::Progress},
        {Qt::Key_W, KeyCommand::WaitMode},
        {Qt::Key_S, KeyCommand::Scoring},
    };
    for (const auto& [sequence, key] : keys) {
        auto* shortcut = new QShortcut(sequence, this);
        QObject::connect(shortcut, &QShortcut::activated, this, [this, command = key] {
            binder_.run([this, command] { keyCommand(g_, command); });
        });
    }
    // Closing asks the editor's question first, as CLOSE does.
    auto* quit = new QShortcut(Qt::CTRL | Qt::Key_Q, this);
    QObject::connect(quit, &QShortcut::activated, this, &QWidget::close);
}

MainWindow::~MainWindow() {
    // Children going away move the focus about; their events must not reach the models or the
    // binder, which go before the widgets would.
    binder_.stop();
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void MainWindow::syncWindow() {
    const auto& form = g_.ui.form;
    const QString caption = QString::fromStdString(form.caption);
    if (windowTitle() != caption) setWindowTitle(caption);
    const Zoom zoom = binder_.zoom();
    if (zoom.percent != zoomApplied_) {
        zoomApplied_ = zoom.percent;
        applyZoom(this, zoom);
        update();
    }
    const int heightTwips = form.at.height > 0 ? form.at.height : g_.app.windowHeight;
    const QSize size(zoom.pixelsOfTwips(form.at.width), zoom.pixelsOfTwips(heightTwips));
    if (size.isValid() && !size.isEmpty() && this->size() != size) setFixedSize(size);
    if (statusStrip_ != nullptr) {
        const int stripHeight = zoom.pixels(design::kStatusHeight);
        statusStrip_->setGeometry(0, height() - stripHeight - zoom.pixels(2), width(), stripHeight);
    }
    if (form.mousePointer == MousePointer::Hourglass) {
        setCursor(Qt::WaitCursor);
    } else {
        unsetCursor();
    }
    playbackTimer_->sync();
    windowTimer_->sync();
    listenTimer_->sync();
}

void MainWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // Painted in the designed size, which the zoom enlarges.
    const double zoom = binder_.zoom().factor();
    p.scale(zoom, zoom);
    const int w = static_cast<int>(width() / zoom) + 1;
    const int h = static_cast<int>(height() / zoom);
    QLinearGradient toolbar(0, 0, 0, design::kToolbarHeight);
    toolbar.setColorAt(0, kToolbarTop);
    toolbar.setColorAt(1, kToolbarBottom);
    p.fillRect(0, 0, w, design::kToolbarHeight, toolbar);
    p.setPen(kRule);
    p.drawLine(0, design::kToolbarHeight - 1, w, design::kToolbarHeight - 1);

    // A deeper band behind the neck and its fret numbers sets the instrument apart from the
    // page.
    const int bandTop = design::kToolbarHeight;
    const int bandBottom = design::kPageTop - 1;
    QLinearGradient band(0, bandTop, 0, bandBottom);
    band.setColorAt(0, kNeckBandTop);
    band.setColorAt(1, kNeckBandBottom);
    p.fillRect(0, bandTop, w, bandBottom - bandTop, band);

    p.setPen(kRule);
    const int stripTop = h - design::kStatusHeight - 3;
    p.drawLine(0, stripTop, w, stripTop);
    // The children paint in this same pass: the posted call runs once they all have.
    if (afterFirstPaint_) QTimer::singleShot(0, this, std::exchange(afterFirstPaint_, {}));
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        g_.ui.form.minimized = isMinimized();
        g_.ui.form.maximized = isMaximized();
        binder_.run([this] { onResize(g_); });
    }
    QWidget::changeEvent(event);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    binder_.run([this] { onResize(g_); });
}

QSize MainWindow::screenArea() const {
    const QScreen* shownOn = screen();
    if (shownOn == nullptr) return {};
    // The frame is known once the window is shown; before that the whole area is counted.
    const QSize frame = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
    return shownOn->availableGeometry().size() - frame;
}

void MainWindow::reportScreen() {
    const QSize area = screenArea();
    binder_.run([this, area] { screenChanged(g_, area.width(), area.height()); });
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!screenWatched_ && windowHandle() != nullptr) {
        screenWatched_ = true;
        connect(windowHandle(), &QWindow::screenChanged, this, [this](QScreen* now) {
            reportScreen();
            connect(now, &QScreen::availableGeometryChanged, this, [this] { reportScreen(); });
        });
        connect(screen(), &QScreen::availableGeometryChanged, this, [this] { reportScreen(); });
    }
    reportScreen();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Unsaved edits keep the window open unless the user lets them go.
    if (!closing_ && !g_.app.quitRequested && !confirmQuit(g_)) {
        event->ignore();
        return;
    }
    if (!closing_) {
        closing_ = true;
        shutdown(g_);
        playbackTimer_->sync();
        windowTimer_->sync();
        listenTimer_->sync();
    }
    event->accept();
}

}  // namespace lutavo
