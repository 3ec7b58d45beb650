// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Binds widgets to the control models of Guitar: every bound widget is brought up to date from
// its model by sync(), and every user action runs a core handler through run(), which syncs
// afterwards. The view decides nothing of its own.

#include <QImage>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/guitar.h"
#include "ui/widgets.h"

class QLabel;
class QLineEdit;
class QScrollBar;

namespace lutavo {

struct CaptionButton;

class ViewBinder {
  public:
    explicit ViewBinder(Guitar& guitar) : g(guitar) {}
    ViewBinder(const ViewBinder&) = delete;
    ViewBinder& operator=(const ViewBinder&) = delete;

    Guitar& g;

    // Runs a core handler, then brings every widget up to date. A handler that opens a modal
    // dialog can lead to another event arriving meanwhile; each still runs to completion.
    void run(const std::function<void()>& handler);
    void sync();
    // From now on actions and syncs do nothing: the window is being taken down.
    void stop() { stopped_ = true; }
    void onSync(std::function<void()> step) { steps_.push_back(std::move(step)); }
    // Called after every run(), before the widgets are synced (the window watches for quit).
    void afterRun(std::function<void()> step) { afterRun_ = std::move(step); }

    // A button with the caption of its label.
    CommandButton* command(QWidget* parent, Button& button, Label& caption, Glyph glyph);
    // A button that holds its own caption.
    CommandButton* captionButton(QWidget* parent, CaptionButton& button);
    // A button whose caption is a fixed text of the window's design.
    CommandButton* fixedButton(QWidget* parent, Button& button, const QString& caption);
    // KeepEnd cuts a caption too long for the label at its start (file names).
    enum class Fit { Whole, KeepEnd };
    QLabel* label(QWidget* parent, Label& label, Qt::Alignment alignment, Fit fit = Fit::Whole);
    Lamp* lamp(QWidget* parent, Label& lamp);
    QScrollBar* scrollBar(QWidget* parent, ScrollBar& bar, Qt::Orientation orientation);
    PanelFrame* panel(QWidget* parent, Panel& panel, bool framed);
    // The program's picture at the finer scale a zoomed window needs, or nullptr for none.
    using FineSource = std::function<const Picture*()>;
    // A picture box showing the program's picture source, or when that is null or empty the
    // box's own picture file, or when that cannot be read the fallback. The source is converted
    // for the screen only when it has changed since the last sync. A zoomed window draws the
    // fine picture instead, or for a file its finer version beside it when there is one, or
    // the fine fallback in place of the fallback.
    PictureView* picture(QWidget* parent, PictureBox& box, const Picture* source,
                         const QImage& fallback = QImage(), FineSource fine = {},
                         const QImage& fineFallback = QImage());
    QLineEdit* textBox(QWidget* parent, TextBox& box);

    // The window's zoom, as the configuration holds it.
    Zoom zoom() const;

    // How often the program's pictures, or one of them, have been converted for the screen.
    int conversions() const;
    int conversionsOf(const Picture& source) const;

    // The picture file a box names, read once when first drawn and kept.
    FileImageRef fileImage(const std::string& file);

  private:
    void bindFine(PictureView* w, PictureBox& box, const Picture* source, FineSource fine,
                  const QImage& fineFallback);

    std::vector<std::function<void()>> steps_;
    std::function<void()> afterRun_;
    std::map<std::string, FileImageRef> fileImages_;
    bool stopped_ = false;
    std::map<const Picture*, int> conversions_;
};

}  // namespace lutavo
