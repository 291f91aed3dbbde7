// The grid's column header: sections painted in the grid's palette, captions that may
// continue on a second line when the header is high enough, and a filter button at the right
// of every section bound to a field (highlighted while the column is filtered).
#pragma once

#include <QHeaderView>

#include "platform/GridSkin.h"

namespace kv::platform {

class GridModel;

class GridHeader : public QHeaderView {
    Q_OBJECT
  public:
    explicit GridHeader(QWidget* parent = nullptr);

    void setGridPalette(const GridPalette& palette);
    void setFilterButtonsEnabled(bool on);
    bool filterButtonsEnabled() const { return filterButtons_; }
    void setCaptionWordWrap(bool on);
    bool captionWordWrap() const { return wordWrap_; }

    // The filter button of a section in viewport coordinates; null when it has none.
    QRect filterButtonRect(int logicalIndex) const;
    // The lines the caption takes at the section's present size.
    int captionLines(int logicalIndex) const;

  signals:
    void filterButtonClicked(int logicalIndex);

  protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    QSize sectionSizeFromContents(int logicalIndex) const override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

  private:
    const GridModel* gridModel() const;
    bool hasFilterButton(int logicalIndex) const;
    QRect buttonIn(const QRect& section) const;
    QRect captionRect(const QRect& section, int logicalIndex) const;
    bool wraps(const QRect& captionRect, const QString& caption) const;
    bool onButton(const QPoint& pos) const;

    GridPalette palette_;
    bool filterButtons_ = true;
    bool wordWrap_ = true;
};

}  // namespace kv::platform
