#pragma once

#include <QWidget>

class QGridLayout;
class QMenu;
class QTableView;

namespace korbena {

class AppController;

// The tab "データ入力": the data grid as a table view over the controller's grid
// model, the six row buttons under it and its context menu. Edits go straight into
// the model; Enter redraws the preview; the selection's rows are told to the
// controller, whose commands act on them. The column widths follow the window
// settings. Ctrl+C and Ctrl+V copy and paste blocks of tab-separated cells, as
// spreadsheets put them on the clipboard.
class GridPanel : public QWidget
{
    Q_OBJECT

public:
    explicit GridPanel(AppController& controller, QWidget* parent = nullptr);

    QTableView* view() const { return m_view; }
    QMenu* contextMenu() const { return m_menu; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The constructor's steps: the grid, its context menu and the buttons below it.
    void createView();
    void createContextMenu();
    QGridLayout* createButtons();
    void reportSelection();
    void showSelection(int top, int bottom);
    // Ctrl+C: the selected cells to the clipboard; Ctrl+V: the clipboard's cells at the current one.
    void copyCells();
    void pasteCells();

    AppController& m_controller;
    QTableView* m_view = nullptr;
    QMenu* m_menu = nullptr;
    bool m_widthsRestored = false;
};

} // namespace korbena
