#pragma once

#include "common/text_grid.h"

#include <QAbstractTableModel>
#include <QTableView>
#include <vector>

namespace lumavo {

// The cells of a schedule grid, row 0 being the header and column 0 the dates. The view shows
// row 0 as its column header and column 0 as its row header, so both stay in place while the
// amounts scroll.
class ScheduleGridModel : public QAbstractTableModel
{
    Q_OBJECT

  public:
    explicit ScheduleGridModel(int columns, int rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const TextGrid& Texts() const { return m_texts; }
    void SetTexts(TextGrid texts);
    void SetCell(int column, int row, const std::string& text);
    // The tooltip of every cell of a grid row, the date included; rows from 1 on.
    void SetRowTips(std::vector<QString> tips);
    QString RowTip(int row) const;

  private:
    TextGrid m_texts;
    std::vector<QString> m_rowTips; // of grid rows 1, 2, …
};

// A schedule grid: 8 columns, fixed header row and date column, cells not editable.
class ScheduleGrid : public QTableView
{
    Q_OBJECT

  public:
    explicit ScheduleGrid(QWidget* parent = nullptr);

    // Counted as the grid counts them, header row and date column included; the view shows
    // those two as its headers, so its own rowCount() and columnCount() are one less.
    int GridColumnCount() const { return m_model->Texts().columns; }
    int GridRowCount() const { return m_model->Texts().rows; }
    QString Cell(int column, int row) const;
    const TextGrid& Texts() const { return m_model->Texts(); }

    // Header texts, header height and column widths, as the window sets them when shown. Where
    // the grid is narrower than those widths, the columns are fitted to it, none narrower than
    // its header text, so every column stays in view as long as that is possible.
    void SetUpColumns();
    // Empties rows 1 to the last; the header stays.
    void ClearRows();
    // The schedule rows from row 1 on; the row count is taken from the texts. Each row's tooltip,
    // if any, from row 1 on.
    void ShowRows(TextGrid texts, std::vector<QString> rowTips = {});
    // The tooltip a grid row shows on every cell, its date included; "" for none.
    QString RowTip(int row) const { return m_model->RowTip(row); }
    // The width of a grid column, the date column being 0.
    int GridColumnWidth(int column) const;
    int HeaderHeight() const;
    // How much wider the grid would have to be to show every column at its set-up width.
    int MissingWidth() const;
    // The selected cells (or the current one) as a spreadsheet pastes them; what Ctrl+C copies.
    QString SelectionText() const;
    // Amounts from an earlier calculation than the inputs read grey.
    void ShowStale(bool stale);
    bool Stale() const { return m_stale; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void updateGeometries() override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FitColumns();

    ScheduleGridModel* m_model;
    std::vector<int> m_naturalWidths; // of the columns after the date, as set up
    std::vector<int> m_leastWidths;   // what their header texts need
    int m_fittedWidth = -1;           // the viewport's, when they were last fitted
    QWidget* m_corner = nullptr;      // the header of the date column
    bool m_stale = false;
};

} // namespace lumavo
