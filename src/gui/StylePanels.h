#pragma once

#include "document/LabelStyle.h"

#include <QObject>
#include <QString>

#include <optional>

class QGridLayout;
class QTabWidget;
class QWidget;

namespace korbena {

class AppController;
class NumberEdit;
class StyleBinder;

// The setting tabs "バーコード設定", "フォント設定", "シート設定" and "注意事項":
// every field of the label style as a control, bound through one StyleBinder, the
// arrow buttons, the font and colour pickers, the paper controls and the copy count.
// The pages take the places of the window's empty tab pages of the same names; the
// paper name label and the redraw button the window made move onto them.
class StylePanels : public QObject
{
public:
    StylePanels(AppController& controller, QTabWidget& tabs);
    ~StylePanels() override;

    StyleBinder& binder() { return *m_binder; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* barcodePage(QWidget* redrawButton);
    QWidget* fontPage();
    QWidget* sheetPage(QWidget* paperName);
    QWidget* cautionPage();
    QWidget* textGroup(bool title);
    // QR Code error correction, module size, DataMatrix shape and GS1 mode.
    QWidget* matrixGroup(QWidget* page);
    void replacePage(const QString& name, QWidget* page);
    // "開始位置" with its range, in the group "印刷" beside the copy count.
    void startLabelRow(QGridLayout* grid, int row, int column);

    // A numeric field of the style, or the copy count for none.
    NumberEdit* number(std::optional<StyleField> field, QWidget* parent);
    // A row "caption X Y ↑↓←→" of a grid: the two fields of a pair and their arrows.
    void pairRow(QGridLayout* grid, int row, const QString& caption, StyleField x, StyleField y);

    AppController& m_controller;
    QTabWidget& m_tabs;
    StyleBinder* m_binder = nullptr;
    NumberEdit* m_copies = nullptr;
};

} // namespace korbena
