#include "ui/share_panel.h"

#include <QPainter>

#include <algorithm>

namespace varemo::ui {

void SharePanel::setShare(const QString& caption, int percent) {
    percent = std::clamp(percent, 0, 100);
    if (caption == caption_ && percent == percent_) return;
    caption_ = caption;
    percent_ = percent;
    update();
}

void SharePanel::setBarColour(const QColor& c) {
    bar_ = c;
    update();
}

void SharePanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QRect r = rect().adjusted(0, 0, -1, -1);
    p.fillRect(r, QColor(250, 250, 250));
    p.setPen(QColor(150, 150, 150));
    p.drawRect(r);
    const int captionWidth = 110;
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(QRect(r.left() + 6, r.top(), captionWidth, r.height()), Qt::AlignLeft | Qt::AlignVCenter,
               caption_);
    QRect track(r.left() + captionWidth + 8, r.top() + 5, r.width() - captionWidth - 14, r.height() - 10);
    p.fillRect(track, QColor(228, 228, 228));
    if (percent_ > 0)
        p.fillRect(QRect(track.left(), track.top(), track.width() * percent_ / 100, track.height()), bar_);
    p.setPen(QColor(160, 160, 160));
    p.drawRect(track);
}

} // namespace varemo::ui
