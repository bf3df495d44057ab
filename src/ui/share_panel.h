#pragma once
// A share panel of the net side: a caption ("Steuer 14%") over a bar filled to the same percentage.

#include <QColor>
#include <QWidget>

namespace varemo::ui {

class SharePanel : public QWidget {
    Q_OBJECT
  public:
    explicit SharePanel(QWidget* parent) : QWidget(parent) {}
    void setShare(const QString& caption, int percent);
    void setBarColour(const QColor& c);
    const QString& caption() const { return caption_; }
    int percent() const { return percent_; }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    QString caption_;
    int percent_ = 0;
    QColor bar_{70, 120, 190};
};

} // namespace varemo::ui
