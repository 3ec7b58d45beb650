// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/setup_view.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolButton>

#include "app/setup_input.h"
#include "config/setup_window.h"
#include "core/guitar.h"
#include "platform/sound_clock.h"
#include "ui/view_binder.h"
#include "ui/view_units.h"

namespace lutavo {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

void place(QWidget* w, const Placement& at, bool visible, Zoom zoom) {
    const QRect r = zoom.rect(at);
    if (w->geometry() != r) w->setGeometry(r);
    if (w->isVisibleTo(w->parentWidget()) != visible) w->setVisible(visible);
}

void setTip(QWidget* w, const std::string& tip) {
    if (w->toolTip() != qs(tip)) w->setToolTip(qs(tip));
}

QGroupBox* frame(ViewBinder& b, QWidget* parent, Label& model) {
    auto* w = new QGroupBox(parent);
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
    b.onSync([&b, w, &model] {
        place(w, model.at, model.visible, b.zoom());
        if (w->title() != qs(model.caption)) w->setTitle(qs(model.caption));
    });
    return w;
}

QPushButton* pushButton(ViewBinder& b, QWidget* parent, CaptionButton& model) {
    auto* w = new QPushButton(parent);
    w->setAutoDefault(false);
    b.onSync([&b, w, &model] {
        place(w, model.at, model.visible, b.zoom());
        if (w->text() != qs(model.caption)) w->setText(qs(model.caption));
        setTip(w, model.tip);
        if (w->isEnabled() != model.enabled) w->setEnabled(model.enabled);
    });
    return w;
}

QToolButton* pictureButton(ViewBinder& b, QWidget* parent, PictureButton& model) {
    auto* w = new QToolButton(parent);
    w->setCheckable(true);
    w->setFocusPolicy(Qt::NoFocus);
    b.onSync([&b, w, &model] {
        place(w, model.at, model.visible, b.zoom());
        setTip(w, model.tip);
        // The pictures are read when the setup window first opens.
        if (w->icon().isNull() && b.g.setup.loaded) {
            const QImage picture = b.fileImage(model.file)->image();
            if (!picture.isNull()) {
                w->setIcon(QIcon(QPixmap::fromImage(picture)));
                w->setProperty("designIconSize", picture.size());
            }
        }
        const QSize icon = w->property("designIconSize").toSize();
        const QSize zoomed(b.zoom().pixels(icon.width()), b.zoom().pixels(icon.height()));
        if (w->iconSize() != zoomed) w->setIconSize(zoomed);
        const QSignalBlocker quiet(w);
        w->setChecked(model.pressed);
    });
    return w;
}

QCheckBox* checkBox(ViewBinder& b, QWidget* parent, CheckBox& model) {
    auto* w = new QCheckBox(parent);
    b.onSync([&b, w, &model] {
        place(w, model.at, model.visible, b.zoom());
        if (w->text() != qs(model.caption)) w->setText(qs(model.caption));
        setTip(w, model.tip);
        const QSignalBlocker quiet(w);
        if (w->isChecked() != model.checked) w->setChecked(model.checked);
    });
    return w;
}

QListWidget* listBox(ViewBinder& b, QWidget* parent, ListBox& model) {
    auto* w = new QListWidget(parent);
    b.onSync([&b, w, &model] {
        const QSignalBlocker quiet(w);
        bool same = w->count() == static_cast<int>(model.items.size());
        for (int i = 0; same && i < w->count(); ++i)
            same = w->item(i)->text() == qs(model.items[static_cast<std::size_t>(i)]);
        if (!same) {
            w->clear();
            for (std::size_t i = 0; i < model.items.size(); ++i) {
                auto* item = new QListWidgetItem(qs(model.items[i]), w);
                if (i < model.itemTips.size()) item->setToolTip(qs(model.itemTips[i]));
            }
        }
        if (w->currentRow() != model.selected) w->setCurrentRow(model.selected);
        place(w, model.at, model.visible, b.zoom());
        if (model.visible) w->raise();
    });
    return w;
}

// A value the program keeps up to date, in a small sunken field.
QLabel* readout(ViewBinder& b, QWidget* parent, Label& model, Qt::Alignment alignment) {
    auto* w = b.label(parent, model, alignment | Qt::AlignVCenter);
    w->setFrameShape(QFrame::StyledPanel);
    w->setFrameShadow(QFrame::Sunken);
    w->setAutoFillBackground(true);
    return w;
}

}  // namespace

SetupView::SetupView(ViewBinder& binder, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint),
      b_(binder),
      mainWindow_(mainWindow) {
    setObjectName("LTsetup");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_WindowPropagation);
    build();
    b_.onSync([this] { syncShown(); });
}

void SetupView::build() {
    SetupWindow& w = b_.g.setup;
    frame(b_, this, w.fraMidi);
    frame(b_, this, w.fraPrefs);
    for (int i = kCaptionSoundName; i <= kCaptionInput; ++i)
        b_.label(this, w.lblCaption[i], Qt::AlignLeft | Qt::AlignVCenter);
    buildSoundGroup();
    buildPreferences();
}

void SetupView::buildSoundGroup() {
    ViewBinder& b = b_;
    SetupWindow& w = b.g.setup;
    for (int i = 0; i < 4; ++i) {
        auto* button = pictureButton(b, this, w.btnConfig[i]);
        button->setObjectName(QString("btnConfig(%1)").arg(i));
        connect(button, &QToolButton::clicked, this,
                [&b, i] { b.run([&b, i] { btnConfig_Click(b.g, i); }); });
    }
    QLabel* name = b.label(this, w.lblSound, Qt::AlignLeft | Qt::AlignVCenter);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    auto* preferred = checkBox(b, this, w.prefint);
    connect(preferred, &QCheckBox::clicked, this, [&b](bool on) {
        b.run([&b, on] { setupCheck_Click(b.g.setup, b.g.config, SetupCheck::Default, on); });
    });

    const std::pair<ScrollBar*, Label*> rows[] = {{&w.chint, &w.midichint},
                                                  {&w.pint, &w.midipint},
                                                  {&w.vint, &w.midivint},
                                                  {&w.oint, &w.midioint},
                                                  {&w.hscrdefdelay, &w.lbldefdelay}};
    constexpr const char* kNames[] = {"chint", "pint", "vint", "oint", "hscrdefdelay"};
    for (int row = 0; row < 5; ++row) {
        QScrollBar* bar = b.scrollBar(this, *rows[row].first, Qt::Horizontal);
        bar->setObjectName(kNames[row]);
        readout(b, this, *rows[row].second, Qt::AlignCenter);
        const auto which = static_cast<SetupScroll>(row);
        connect(bar, &QScrollBar::valueChanged, this, [&b, which](int v) {
            b.run([&b, which, v] { setupScroll_Change(b.g.setup, b.g.config, which, v); });
        });
    }

    readout(b, this, w.MidiIntTxt, Qt::AlignLeft)->setIndent(4);
    auto* devices = pushButton(b, this, w.devbut);
    devices->setObjectName("devbut");
    connect(devices, &QPushButton::clicked, this,
            [&b] { b.run([&b] { devbut_Click(b.g.setup, b.g.config); }); });
    auto* list = listBox(b, this, w.MidiDevices);
    list->setObjectName("MidiDevices");
    connect(list, &QListWidget::itemClicked, this, [&b, list](QListWidgetItem* item) {
        const int line = list->row(item);
        b.run([&b, line] { MidiDevices_Click(b.g.setup, b.g.config, line); });
    });
    auto* test = pushButton(b, this, w.TestInt);
    test->setObjectName("TestInt");
    connect(test, &QPushButton::pressed, this,
            [&b] { b.run([&b] { TestInt_MouseDown(b.g.setup, b.g.app); }); });
    connect(test, &QPushButton::released, this,
            [&b] { b.run([&b] { TestInt_MouseUp(b.g.setup, b.g.app); }); });
}

void SetupView::buildPreferences() {
    ViewBinder& b = b_;
    SetupWindow& w = b.g.setup;
    const std::pair<CheckBox*, SetupCheck> boxes[] = {{&w.leftyopt, SetupCheck::LeftHanded},
                                                      {&w.playwavs, SetupCheck::PlayClips},
                                                      {&w.showfnotes, SetupCheck::ShowNoteNames}};
    for (const auto& [model, which] : boxes) {
        auto* box = checkBox(b, this, *model);
        // Copied into the lambda by name: clang before 16 cannot capture a structured binding.
        connect(box, &QCheckBox::clicked, this, [&b, which = which](bool on) {
            b.run([&b, which, on] { setupCheck_Click(b.g.setup, b.g.config, which, on); });
        });
    }
    buildInput();
    const std::pair<CaptionButton*, SetupClose> closers[] = {{&w.setupok, SetupClose::Ok},
                                                             {&w.setupsave, SetupClose::Save},
                                                             {&w.setupcancel, SetupClose::Cancel}};
    constexpr const char* kNames[] = {"setupok", "setupsave", "setupcancel"};
    for (int i = 0; i < 3; ++i) {
        auto* button = pushButton(b, this, *closers[i].first);
        button->setObjectName(kNames[i]);
        const SetupClose decision = closers[i].second;
        connect(button, &QPushButton::clicked, this,
                [&b, decision] { b.run([&b, decision] { setupClose_Click(b.g, decision); }); });
    }
}

void SetupView::buildInput() {
    ViewBinder& b = b_;
    SetupWindow& w = b.g.setup;
    auto* input = pushButton(b, this, w.inputbut);
    input->setObjectName("inputbut");
    connect(input, &QPushButton::clicked, this, [&b] {
        b.run([&b] { chooseSetupInput(b.g.setup, b.g.config, b.g.sys.input, b.g.sys.dialogs); });
    });
    auto* meter = new QProgressBar(this);
    meter->setObjectName("inputMeter");
    meter->setTextVisible(false);
    meter->setRange(0, 100);
    b.onSync([&b, meter, &model = w.inputMeter] {
        place(meter, model.at, true, b.zoom());
        setTip(meter, model.tip);
        if (meter->value() != model.percent) meter->setValue(model.percent);
    });
    auto* latency = pushButton(b, this, w.latbut);
    latency->setObjectName("latbut");
    connect(latency, &QPushButton::clicked, this, [&b] {
        b.run([&b] {
            Guitar& g = b.g;
            measureInputLatency(g.setup, g.sys.input, g.sys.midi, g.playback.sound,
                                steadyMs(g.sys.clock));
        });
    });
    QLabel* measured = b.label(this, w.lbllatency, Qt::AlignLeft | Qt::AlignVCenter);
    b.onSync([measured, &model = w.lbllatency] { setTip(measured, model.tip); });
}

void SetupView::syncShown() {
    const SetupWindow& w = b_.g.setup;
    if (windowTitle() != qs(w.caption)) setWindowTitle(qs(w.caption));
    const Zoom zoom = b_.zoom();
    const QSize size(zoom.pixelsOfTwips(w.at.width), zoom.pixelsOfTwips(w.at.height));
    if (!size.isEmpty() && this->size() != size) setFixedSize(size);
    if (w.loaded == isVisible()) return;
    if (!w.loaded) {
        hide();
        return;
    }
    // Placed beside the main window each time it opens; the user may move it afterwards.
    move(mainWindow_->geometry().topLeft() +
         QPoint(zoom.pixelsOfTwips(w.at.left), zoom.pixelsOfTwips(w.at.top)));
    show();
}

void SetupView::closeEvent(QCloseEvent* event) {
    if (b_.g.setup.loaded) b_.run([this] { closeSetupWindow(b_.g); });
    event->accept();
}

// Escape is the keyboard's Cancel.
void SetupView::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (b_.g.setup.loaded) b_.run([this] { setupClose_Click(b_.g, SetupClose::Cancel); });
}

void SetupView::mousePressEvent(QMouseEvent* event) {
    b_.run([this] { setupBackground_Click(b_.g.setup); });
    QWidget::mousePressEvent(event);
}

}  // namespace lutavo
