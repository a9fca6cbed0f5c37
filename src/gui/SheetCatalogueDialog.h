#pragma once

#include "sheet/SheetCatalogue.h"

#include <QDialog>

#include <optional>
#include <vector>

class QLineEdit;
class QStandardItemModel;
class QTableView;

namespace korbena {

class SheetDrawing;

// "用紙テンプレート": the label stocks of the catalogue, found by maker, part number or
// 面数, with a drawing of the chosen sheet.
class SheetCatalogueDialog : public QDialog
{
public:
    SheetCatalogueDialog(std::vector<SheetLayout> layouts, QWidget* parent = nullptr);

    // The stock chosen in the list, if any.
    std::optional<SheetLayout> chosen() const;
    QLineEdit* searchField() const { return m_search; }
    QTableView* list() const { return m_list; }

private:
    void search();
    void showChosen();

    std::vector<SheetLayout> m_layouts;
    std::vector<SheetLayout> m_found;
    QLineEdit* m_search = nullptr;
    QTableView* m_list = nullptr;
    QStandardItemModel* m_rows = nullptr;
    SheetDrawing* m_drawing = nullptr;
    QPushButton* m_apply = nullptr;
};

} // namespace korbena
