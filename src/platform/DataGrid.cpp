#include "platform/DataGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>

#include "platform/Fonts.h"
#include "platform/GridColumnChooser.h"
#include "platform/GridFilterPopup.h"
#include "platform/GridFooter.h"
#include "platform/GridHeader.h"
#include "platform/TurkishFold.h"

namespace kv::platform {

namespace {

constexpr qint64 kSearchPauseMs = 1000;  // typing after this pause starts a new search
constexpr int kBestFitSample = 300;      // leading rows measured by best fit

}  // namespace

DataGrid::DataGrid(MemTable* table, QWidget* parent)
    : QTableView(parent),
      model_(new GridModel(table, this)),
      delegate_(new GridDelegate(model_, this)),
      header_(new GridHeader(this)) {
    setHorizontalHeader(header_);
    setModel(model_);
    setItemDelegate(delegate_);
    footer_ = new GridFooter(this, model_);
    footer_->hide();
    setFont(uiFont(12));
    header_->setFont(uiFont(12, true));
    footer_->setFont(uiFont(12, true));
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(true);
    setAlternatingRowColors(true);
    setShowGrid(false);  // the delegate draws the lines in the skin's colour
    setCornerButtonEnabled(false);
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    header_->setContextMenuPolicy(Qt::CustomContextMenu);

    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
        const int row = i.isValid() ? tableRow(i.row()) : -1;
        if (row >= 0)
            emit rowDoubleClicked(row);
    });
    connect(header_, &GridHeader::filterButtonClicked, this, &DataGrid::showFilterPopup);
    connect(header_, &QWidget::customContextMenuRequested, this, &DataGrid::headerMenu);
    connect(model_, &GridModel::filtersChanged, this, [this] {
        header_->viewport()->update();
        emit filtersChanged();
    });
    connect(model_, &QAbstractItemModel::modelReset, this, &DataGrid::resetIncrementalSearch);
    setSkin(GridSkin::Whiteprint);
}

DataGrid::~DataGrid() = default;

// ---- Columns

void DataGrid::setColumns(QList<GridColumn> columns) {
    model_->setColumns(std::move(columns));
    for (int i = 0; i < model_->columns().size(); ++i)
        setColumnHidden(i, !model_->columns()[i].visible);
}

void DataGrid::setColumnShown(int column, bool shown) {
    if (column < 0 || column >= model_->columns().size())
        return;
    model_->column(column).visible = shown;
    setColumnHidden(column, !shown);
    footer_->update();
}

void DataGrid::setColumnOffered(int column, bool offered) {
    if (column >= 0 && column < model_->columns().size())
        model_->column(column).chooser = offered;
}

void DataGrid::KolonBoyutla(int availableWidth) {
    int sum = 0;
    for (int i = 0; i < model_->columns().size(); ++i) {
        if (!isColumnHidden(i))
            sum += model_->columns()[i].weight;
    }
    if (sum <= 0)
        return;
    const int unit = availableWidth / sum;
    for (int i = 0; i < model_->columns().size(); ++i) {
        if (!isColumnHidden(i))
            setColumnWidth(i, model_->columns()[i].weight * unit);
    }
}

int DataGrid::bestFitWidth(int column) const {
    if (column < 0 || column >= model_->columns().size())
        return 0;
    const GridColumn& c = model_->columns()[column];
    const int pad = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1) + 6;
    // Caption with its margins, and room for the filter button at the right.
    int width = QFontMetrics(header_->font()).horizontalAdvance(c.caption) + 10;
    if (header_->filterButtonsEnabled() && model_->canFilter(column))
        width += 21;
    if (c.field.isEmpty())  // drawn by its owner: nothing to measure
        return qMax(width, columnWidth(column));
    switch (c.display) {
        case GridColumn::Display::Pictures:
            return qMax(width, 24 + pad);
        case GridColumn::Display::CheckBox:
            return qMax(width,
                        style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this) + pad);
        case GridColumn::Display::Text:
            break;
    }
    const QFontMetrics fm(font());
    const auto measure = [&](int viewRow) {
        const int r = tableRow(viewRow);
        if (r < 0)
            return;
        const QString text = model_->displayText(r, column);
        for (QStringView line : QStringView(text).split(u'\n'))
            width = qMax(width, fm.horizontalAdvance(line.toString()) + pad);
    };
    const int rows = model_->rowCount();
    const int lead = qMin(rows, kBestFitSample);
    for (int v = 0; v < lead; ++v)
        measure(v);
    const int top = rowAt(0);
    if (top >= 0) {
        int bottom = rowAt(viewport()->height() - 1);
        if (bottom < 0)
            bottom = rows - 1;
        for (int v = qMax(top, lead); v <= bottom; ++v)
            measure(v);
    }
    return width;
}

int DataGrid::sizeHintForColumn(int column) const {
    return bestFitWidth(column);
}

void DataGrid::bestFit() {
    for (int i = 0; i < model_->columns().size(); ++i) {
        if (!isColumnHidden(i))
            setColumnWidth(i, bestFitWidth(i));
    }
}

void DataGrid::setDataRowHeight(int px) {
    verticalHeader()->setDefaultSectionSize(px);
}

void DataGrid::setHeaderHeight(int px) {
    horizontalHeader()->setFixedHeight(px);
}

void DataGrid::setHeaderWordWrap(bool on) {
    header_->setCaptionWordWrap(on);
}

void DataGrid::setCellPainter(int column, CellPainter painter) {
    delegate_->setCellPainter(column, std::move(painter));
    viewport()->update();
}

// ---- Rows

int DataGrid::currentTableRow() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? tableRow(i.row()) : -1;
}

QList<int> DataGrid::selectedTableRows() const {
    QList<int> rows;
    if (!selectionModel())
        return rows;
    for (const QModelIndex& i : selectionModel()->selectedRows()) {
        const int r = tableRow(i.row());
        if (r >= 0)
            rows << r;
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool DataGrid::setCurrentTableRow(int row) {
    const int v = model_->viewRow(row);
    if (v < 0)
        return false;
    int column = currentIndex().isValid() ? currentIndex().column() : -1;
    if (column < 0 || isColumnHidden(column))
        column = header_->logicalIndexAt(0);
    const QModelIndex i = model_->index(v, qMax(column, 0));
    setCurrentIndex(i);
    scrollTo(i);
    return true;
}

// ---- Header filters

void DataGrid::setFilterButtonsEnabled(bool on) {
    header_->setFilterButtonsEnabled(on);
    if (!on) {
        if (filterPopup_)
            filterPopup_->close();
        clearFilters();
    }
}

bool DataGrid::filterButtonsEnabled() const {
    return header_->filterButtonsEnabled();
}

bool DataGrid::setColumnFilter(int column, const QStringList& values) {
    return model_->setColumnFilter(column, values);
}

void DataGrid::clearFilters() {
    model_->clearFilters();
}

void DataGrid::showFilterPopup(int column) {
    if (!filterButtonsEnabled() || !model_->canFilter(column) || isColumnHidden(column))
        return;
    if (!filterPopup_)
        filterPopup_ = new GridFilterPopup(model_, this);
    const QPoint at = header_->viewport()->mapToGlobal(
        QPoint(header_->sectionViewportPosition(column), header_->viewport()->height()));
    filterPopup_->openFor(column, at, qMax(header_->sectionSize(column), 200));
}

// ---- Footer

void DataGrid::setFooterVisible(bool on) {
    footerOn_ = on;
    footer_->setVisible(on);
    updateGeometries();
    footer_->recompute();
}

void DataGrid::setFooterSummary(int column, Summary summary) {
    if (column < 0 || column >= model_->columns().size())
        return;
    model_->column(column).summary = std::move(summary);
    footer_->recompute();
}

QString DataGrid::footerText(int column) const {
    return footer_->text(column);
}

void DataGrid::updateGeometries() {
    // The table view lays out its header and scroll bars and gives the viewport no bottom
    // margin; the footer takes a strip there, between the rows and the horizontal scroll bar.
    QTableView::updateGeometries();
    const int strip = footerOn_ ? footer_->sizeHint().height() : 0;
    QMargins m = viewportMargins();
    if (m.bottom() != strip) {
        m.setBottom(strip);
        setViewportMargins(m);
    }
    placeFooter();
}

void DataGrid::placeFooter() {
    if (!footerOn_)
        return;
    const QRect vp = viewport()->geometry();
    footer_->setGeometry(vp.left(), vp.bottom() + 1, vp.width(), footer_->sizeHint().height());
    footer_->update();
}

// ---- Column chooser

QList<int> DataGrid::chooserColumns() const {
    QList<int> offered;
    for (int i = 0; i < model_->columns().size(); ++i) {
        if (model_->columns()[i].chooser)
            offered << i;
    }
    return offered;
}

bool DataGrid::chooseColumn(int column, bool shown) {
    if (column < 0 || column >= model_->columns().size() || !model_->columns()[column].chooser)
        return false;
    setColumnShown(column, shown);
    return true;
}

void DataGrid::showColumnChooser() {
    if (!chooser_)
        chooser_ = new GridColumnChooser(this);
    chooser_->openAt(header_->viewport()->mapToGlobal(QPoint(0, header_->viewport()->height())));
}

void DataGrid::headerMenu(const QPoint& pos) {
    QMenu menu(this);
    QAction* choose = menu.addAction(QStringLiteral("Kolon Seçici"));
    QAction* fit = menu.addAction(QStringLiteral("En Uygun Genişlik"));
    QAction* clear = menu.addAction(QStringLiteral("Filtreyi Temizle"));
    clear->setEnabled(model_->hasFilters());
    QAction* chosen = menu.exec(header_->viewport()->mapToGlobal(pos));
    if (chosen == choose)
        showColumnChooser();
    else if (chosen == fit)
        bestFit();
    else if (chosen == clear)
        clearFilters();
}

// ---- Incremental search

QString DataGrid::incrementalSearchText() const {
    if (search_.isEmpty() ||
        (lastSearchKey_.isValid() && lastSearchKey_.elapsed() > kSearchPauseMs))
        return {};
    return search_;
}

void DataGrid::resetIncrementalSearch() {
    search_.clear();
    searchColumn_ = -1;
}

int DataGrid::searchColumn() const {
    const QModelIndex i = currentIndex();
    if (i.isValid() && !isColumnHidden(i.column()))
        return i.column();
    // No focused cell yet: the first text column from the left.
    for (int visual = 0; visual < header_->count(); ++visual) {
        const int c = header_->logicalIndex(visual);
        if (!isColumnHidden(c) && model_->fieldIndex(c) >= 0 &&
            model_->columns()[c].display == GridColumn::Display::Text) {
            return c;
        }
    }
    return -1;
}

int DataGrid::findRow(int column, const QString& prefix) const {
    const QString needle = foldTurkishToLatinUpper(prefix);
    for (int v = 0, n = model_->rowCount(); v < n; ++v) {
        const int r = tableRow(v);
        if (r < 0)
            continue;
        // The fold maps one character to one, so the text's head is enough.
        const QString head = model_->displayText(r, column).left(needle.size());
        if (head.size() == needle.size() && foldTurkishToLatinUpper(head) == needle)
            return v;
    }
    return -1;
}

void DataGrid::typeSearch(const QString& typed) {
    if (incrementalSearchText().isEmpty())
        resetIncrementalSearch();
    lastSearchKey_.restart();
    const int column = search_.isEmpty() ? searchColumn() : searchColumn_;
    if (column < 0)
        return;
    const QString candidate = search_ + typed;
    const int v = findRow(column, candidate);
    if (v < 0)
        return;  // no row starts so: the character is not taken
    search_ = candidate;
    searchColumn_ = column;
    const QModelIndex i = model_->index(v, column);
    setCurrentIndex(i);
    scrollTo(i);
}

void DataGrid::keyboardSearch(const QString& search) {
    typeSearch(search);
}

void DataGrid::keyPressEvent(QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (!mods) {
        if (e->key() == Qt::Key_Backspace) {
            if (!incrementalSearchText().isEmpty()) {
                search_.chop(1);
                lastSearchKey_.restart();
                const int v = search_.isEmpty() ? -1 : findRow(searchColumn_, search_);
                if (v >= 0) {
                    const QModelIndex i = model_->index(v, searchColumn_);
                    setCurrentIndex(i);
                    scrollTo(i);
                }
            }
            e->accept();
            return;
        }
        if (e->key() == Qt::Key_Escape && !incrementalSearchText().isEmpty()) {
            resetIncrementalSearch();
            e->accept();
            return;
        }
        const QString t = e->text();
        if (!t.isEmpty() && std::all_of(t.begin(), t.end(), [](QChar c) { return c.isPrint(); })) {
            typeSearch(t);
            e->accept();
            return;
        }
    }
    QTableView::keyPressEvent(e);
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (!search_.isEmpty() && current.isValid() && current.column() != searchColumn_)
        resetIncrementalSearch();
}

// ---- Look

void DataGrid::setSkin(GridSkin skin) {
    skin_ = skin;
    palette_ = gridPalette(skin);
    QPalette p = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, palette_.base);
        p.setColor(group, QPalette::AlternateBase, palette_.alternateBase);
        p.setColor(group, QPalette::Text, palette_.text);
        p.setColor(group, QPalette::Highlight, palette_.selection);
        p.setColor(group, QPalette::HighlightedText, palette_.selectionText);
    }
    setPalette(p);
    delegate_->setGridPalette(palette_);
    header_->setGridPalette(palette_);
    footer_->setGridPalette(palette_);
    viewport()->update();
}

}  // namespace kv::platform
