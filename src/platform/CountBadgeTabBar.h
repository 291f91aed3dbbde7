// A tab bar that reads "N=Title" captions: it draws the title and, when N is above zero, a
// count badge "(N)" in the tab's top-right corner. Other captions are drawn unchanged.
#pragma once

#include <QTabBar>
#include <QTabWidget>

namespace kv::platform {

struct CountCaption {
    int sayi = 0;
    QString baslik;
};

// Parses a caption: with a "=" the count is the text before the first one (read as a decimal
// integer, 0 when it is not one) and the title the text after it (at most 100 characters);
// without a "=" the title is the whole caption and the count 0.
CountCaption parseCountCaption(const QString& caption);

class CountBadgeTabBar : public QTabBar {
    Q_OBJECT
  public:
    explicit CountBadgeTabBar(QWidget* parent = nullptr);
    void setTabExtent(const QSize& size) { extent_ = size; }

  protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
    void paintEvent(QPaintEvent* event) override;

  private:
    QSize extent_{110, 50};
};

// A tab widget whose bar is a CountBadgeTabBar; tabs wrap onto several rows when they do not
// fit (the bar does not scroll).
class CountBadgeTabWidget : public QTabWidget {
    Q_OBJECT
  public:
    explicit CountBadgeTabWidget(QWidget* parent = nullptr);
    CountBadgeTabBar* badgeBar() const { return bar_; }

  private:
    CountBadgeTabBar* bar_;
};

}  // namespace kv::platform
