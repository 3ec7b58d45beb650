// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/qt/progress_dialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace lutavo {

namespace {

constexpr int kLeftMargin = 46;
constexpr int kBottomMargin = 20;
constexpr int kTopMargin = 8;
const QColor kGrid(0xd8, 0xd8, 0xd8);
const QColor kBars(0x4a, 0x78, 0xb8);
const QColor kLines[] = {QColor(0xc0, 0x39, 0x2b), QColor(0x27, 0xae, 0x60),
                         QColor(0x8e, 0x44, 0xad), QColor(0xd3, 0x54, 0x00),
                         QColor(0x16, 0xa0, 0x85), QColor(0x2c, 0x3e, 0x50)};

// A value axis from lo to hi, labelled at `step`, with the days along the bottom.
class Chart : public QWidget {
  public:
    Chart(const ProgressReport& report, QWidget* parent) : QWidget(parent), report_(report) {
        setMinimumSize(560, 150);
    }

  protected:
    const ProgressReport& report_;
    double lo_ = 0, hi_ = 1, step_ = 1;
    QString unit_;

    QRectF plot() const {
        return QRectF(kLeftMargin, kTopMargin, width() - kLeftMargin - 8,
                      height() - kTopMargin - kBottomMargin);
    }
    int days() const { return std::max<int>(1, static_cast<int>(report_.minutesPerDay.size())); }
    double xOfDay(double day) const {
        return plot().left() + (day + 0.5) * plot().width() / days();
    }
    double yOf(double value) const {
        return plot().bottom() - (value - lo_) / (hi_ - lo_) * plot().height();
    }

    void drawAxes(QPainter& p) const {
        p.setPen(kGrid);
        for (double v = lo_; v <= hi_ + 1e-9; v += step_) {
            p.drawLine(QPointF(plot().left(), yOf(v)), QPointF(plot().right(), yOf(v)));
            p.setPen(Qt::darkGray);
            p.drawText(QRectF(0, yOf(v) - 8, kLeftMargin - 4, 16),
                       Qt::AlignRight | Qt::AlignVCenter, QString::number(v) + unit_);
            p.setPen(kGrid);
        }
        p.setPen(Qt::darkGray);
        // A date under every week's first bar, counted back from today.
        const auto& day = report_.minutesPerDay;
        for (int i = static_cast<int>(day.size()) - 1; i >= 0; i -= 7) {
            const QString text = i + 1 == static_cast<int>(day.size())
                                     ? QStringLiteral("today")
                                     : QString::fromStdString(day[i].first.substr(5));
            p.drawText(QRectF(xOfDay(i) - 30, plot().bottom() + 2, 60, kBottomMargin - 2),
                       Qt::AlignHCenter | Qt::AlignTop, text);
        }
    }

    void drawEmpty(QPainter& p, const char* text) const {
        p.setPen(Qt::darkGray);
        p.drawText(plot(), Qt::AlignCenter | Qt::TextWordWrap, QString::fromUtf8(text));
    }
};

// The axis's top and label step for values up to `top`: 1, 2 or 5 times a power of ten.
std::pair<double, double> niceAxis(double top, int labels) {
    const double raw = std::max(top, 1.0) / labels;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * power;
        if (step >= raw) break;
    }
    return {step * std::ceil(top / step), step};
}

class MinutesChart : public Chart {
  public:
    MinutesChart(const ProgressReport& report, QWidget* parent) : Chart(report, parent) {
        double top = 0;
        for (const auto& day : report.minutesPerDay)
            top = std::max(top, day.second);
        std::tie(hi_, step_) = niceAxis(std::max(top, 10.0), 3);
        unit_ = QStringLiteral(" min");
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        drawAxes(p);
        const double bar = plot().width() / days();
        bool any = false;
        for (int i = 0; i < static_cast<int>(report_.minutesPerDay.size()); ++i) {
            const double minutes = report_.minutesPerDay[i].second;
            if (minutes <= 0) continue;
            any = true;
            p.fillRect(QRectF(xOfDay(i) - bar * 0.35, yOf(minutes), bar * 0.7,
                              plot().bottom() - yOf(minutes)),
                       kBars);
        }
        if (!any) drawEmpty(p, "No practice of this song on these days.");
    }
};

class TempoChart : public Chart {
  public:
    TempoChart(const ProgressReport& report, QWidget* parent) : Chart(report, parent) {
        int low = 100, high = 100;
        for (const auto& passage : report.passages) {
            for (const auto& [day, tempo] : passage.bestPerDay) {
                low = std::min(low, tempo);
                high = std::max(high, tempo);
            }
        }
        lo_ = std::max(0, (low - 5) / 10 * 10);
        hi_ = (high + 14) / 10 * 10;
        step_ = hi_ - lo_ > 60 ? 20 : 10;
        hi_ = lo_ + step_ * std::ceil((hi_ - lo_) / step_);
        unit_ = QStringLiteral("%");
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setRenderHint(QPainter::Antialiasing);
        drawAxes(p);
        // The song's own tempo, the goal of every passage.
        p.setPen(QPen(Qt::gray, 1, Qt::DashLine));
        p.drawLine(QPointF(plot().left(), yOf(100)), QPointF(plot().right(), yOf(100)));
        for (std::size_t i = 0; i < report_.passages.size(); ++i) {
            const auto& passage = report_.passages[i];
            const QColor colour = kLines[i % std::size(kLines)];
            QPolygonF line;
            for (const auto& [day, tempo] : passage.bestPerDay)
                line << QPointF(xOfDay(day), yOf(tempo));
            p.setPen(QPen(colour, 2));
            p.drawPolyline(line);
            p.setBrush(colour);
            for (const QPointF& point : line)
                p.drawEllipse(point, 3, 3);
            p.setBrush(Qt::NoBrush);
            // The key stands on white, clear of the lines behind it.
            const QString name = QString::fromStdString(passage.name);
            const QRectF key(plot().left() + 6, plot().top() + 2 + 16 * static_cast<double>(i),
                             p.fontMetrics().horizontalAdvance(name) + 4, 16);
            p.fillRect(key, Qt::white);
            p.drawText(key, Qt::AlignCenter, name);
        }
        if (report_.passages.empty())
            drawEmpty(p, "No passage practised yet: mark one with [ and ], then loop it with L.");
    }
};

QLabel* heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

ProgressDialog::ProgressDialog(const ProgressReport& report, QWidget* parent)
    : QDialog(parent), report_(report), recent_(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Practice progress"));
    auto* layout = new QVBoxLayout(this);
    const QString song = report_.song.empty() ? QStringLiteral("no song open")
                                              : QString::fromStdString(report_.song);
    layout->addWidget(heading(QStringLiteral("Minutes a day: ") + song, this));
    layout->addWidget(new MinutesChart(report_, this));
    layout->addWidget(heading(QStringLiteral("Best speed on each passage"), this));
    layout->addWidget(new TempoChart(report_, this));
    layout->addWidget(heading(QStringLiteral("Songs practised lately"), this));
    recent_->setObjectName(QStringLiteral("recentsongs"));
    for (const std::string& path : report_.recentSongs) {
        auto* item = new QListWidgetItem(QFileInfo(QString::fromStdString(path)).fileName());
        item->setToolTip(QString::fromStdString(path));
        recent_->addItem(item);
    }
    recent_->setMaximumHeight(110);
    layout->addWidget(recent_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Close, this);
    QPushButton* open = buttons->button(QDialogButtonBox::Open);
    open->setEnabled(false);
    connect(recent_, &QListWidget::currentRowChanged, open,
            [open](int row) { open->setEnabled(row >= 0); });
    connect(recent_, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

std::optional<std::string> ProgressDialog::chosenSong() const {
    const int row = recent_->currentRow();
    if (row < 0 || row >= static_cast<int>(report_.recentSongs.size())) return std::nullopt;
    return report_.recentSongs[static_cast<std::size_t>(row)];
}

}  // namespace lutavo
