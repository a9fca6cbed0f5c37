#pragma once

#include "session/Dialogs.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace korbena {

// The check before printing's list: every row that will not print a readable
// barcode with its row number, title, number and reason, the rows of a symbology no
// reader decodes folded into one line, and the summary "N 件中 N 件を読み取り確認しました".
// Before printing the user prints anyway ("印刷する") or stops ("キャンセル"); on
// demand the list is closed ("閉じる"). When numbers hold full-width characters, the
// button "バーコード番号を半角に変換" asks for the clean-up.
class PrintCheckDialog : public QDialog
{
public:
    PrintCheckDialog(const PrintCheckReport& report, Dialogs::PrintCheckMode mode, bool offerHalfWidth,
                     QWidget* parent = nullptr);

    Dialogs::PrintCheckChoice choice() const { return m_choice; }
    QTreeWidget& list() { return *m_list; }

private:
    void choose(Dialogs::PrintCheckChoice choice);
    QDialogButtonBox* createButtons(bool beforePrinting, bool offerHalfWidth);

    QTreeWidget* m_list = nullptr;
    Dialogs::PrintCheckChoice m_choice = Dialogs::PrintCheckChoice::Cancel;
};

} // namespace korbena
