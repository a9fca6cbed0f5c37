// The data grid's commands: the edit menu, the six buttons under the grid, its
// context menu, the serial numbering and the CSV import. Each changes the rows
// through the grid model, which records the change as one step of the history, and
// ends as the command's own rules say: most with an explicit redraw.
#include "session/GridCommands.h"

#include "document/CsvImport.h"
#include "document/GridEditing.h"
#include "platform/Folders.h"
#include "session/DocumentSession.h"
#include "session/PreviewState.h"

#include <QFileInfo>

#include <algorithm>

namespace korbena {

namespace {

const QString kCaption = QStringLiteral("Korbena");
const QString kRowCountPrompt = QStringLiteral("追加する行数を指定してください。");
const QString kNotANumber = QStringLiteral("入力値が数字ではありません。");
const QString kClearAllQuestion = QStringLiteral("全データをクリアーにしていいですか？");
const QString kTitlePrompt = QStringLiteral("バーコードタイトルを入力を入力してください。");
const QString kNumberPrompt = QStringLiteral("バーコード番号を入力を入力してください。");

} // namespace

GridCommands::GridCommands(Dialogs& dialogs, DocumentSession& documents, PreviewState& preview,
                           SessionHooks& hooks, QString dataFolder, QObject* parent)
    : QObject(parent), m_dialogs(dialogs), m_documents(documents), m_preview(preview), m_hooks(hooks),
      m_dataFolder(std::move(dataFolder)), m_grid(documents.grid()), m_rows(documents.rows())
{
}

void GridCommands::setGridSelection(int top, int bottom)
{
    m_documents.history().endTyping();
    m_selectionTop = std::min(top, bottom);
    m_selectionBottom = std::max(top, bottom);
}

int GridCommands::selectionTop() const
{
    return std::clamp(m_selectionTop, 1, m_rows.RowCount() - 1);
}

int GridCommands::selectionBottom() const
{
    return std::clamp(m_selectionBottom, selectionTop(), m_rows.RowCount() - 1);
}

void GridCommands::selectRows(int top, int bottom)
{
    setGridSelection(top, bottom);
    emit gridSelectionChanged(selectionTop(), selectionBottom());
}

void GridCommands::takeDataSnapshot()
{
    m_documents.takeDataSnapshot();
}

std::optional<int> GridCommands::promptRowCount()
{
    const auto text = m_dialogs.inputText(kCaption, kRowCountPrompt, {});
    if (!text)
        return std::nullopt;
    const int n = RowCountFromText(*text);
    if (n == 0) {
        m_dialogs.information(kNotANumber);
        return std::nullopt;
    }
    return n;
}

void GridCommands::clearAllCommand()
{
    run([&] {
        if (!m_dialogs.confirm(kClearAllQuestion))
            return;
        m_grid.clearAllCells();
        // One page back; the composer shows page 1 for anything below it.
        m_preview.setCurrentPage(std::max(m_preview.currentPage(), 1) - 1);
        explicitRedraw();
    });
}

void GridCommands::insertRowCommand()
{
    run([&] {
        const int top = selectionTop(), bottom = selectionBottom();
        m_grid.insertBlankRows(top, bottom - top + 1);
        // The selection stays on its rows, now the blank ones.
        selectRows(top, bottom);
        explicitRedraw();
    });
}

void GridCommands::deleteRowsCommand()
{
    run([&] {
        const int top = selectionTop(), bottom = selectionBottom();
        m_grid.deleteRowRange(top, bottom);
        selectRows(top, bottom);
        explicitRedraw();
    });
}

void GridCommands::appendRowCommand()
{
    run([&] {
        m_grid.appendRows(1);
        takeDataSnapshot();
    });
}

void GridCommands::appendRowQuietlyCommand()
{
    run([&] { m_grid.appendRows(1); });
}

void GridCommands::appendRowsCommand()
{
    run([&] {
        const auto n = promptRowCount();
        if (!n)
            return;
        // A negative count shortens the grid, down to one data row.
        m_grid.appendRows(*n);
        selectRows(m_selectionTop, m_selectionBottom);
        takeDataSnapshot();
    });
}

void GridCommands::insertRowsCommand()
{
    run([&] {
        const int top = selectionTop(), bottom = selectionBottom();
        const auto n = promptRowCount();
        if (!n)
            return;
        // n times the selection's height above its top row; a negative n inserts
        // nothing but still redraws.
        m_grid.insertBlankRowsRepeated(top, bottom, *n);
        selectRows(top, bottom);
        explicitRedraw();
    });
}

void GridCommands::fillTitlesCommand()
{
    run([&] {
        const int top = selectionTop();
        const auto title = m_dialogs.inputText(kCaption, kTitlePrompt, m_rows.title(top));
        if (!title)
            return;
        m_grid.fillTitles(top, *title);
        explicitRedraw();
    });
}

void GridCommands::fillNumbersCommand()
{
    run([&] {
        const int top = selectionTop();
        const auto number = m_dialogs.inputText(kCaption, kNumberPrompt, m_rows.number(top));
        if (!number)
            return;
        m_grid.fillNumbers(top, *number);
        explicitRedraw();
    });
}

void GridCommands::SerializeRows()
{
    const auto settings = m_dialogs.serialNumbers();
    if (!settings)
        return;
    m_grid.serializeRows(selectionTop(), *settings);
    explicitRedraw();
}

void GridCommands::serializeCommand()
{
    run([&] { SerializeRows(); });
}

void GridCommands::importCsvCommand()
{
    run([&] {
        const int start = selectionTop();
        const auto path = m_dialogs.openFile({m_dataFolder + u'/' + kListDataFolder, {}, {}, {}, false});
        if (!path)
            return;
        const auto options = m_dialogs.csvOptions();
        if (!options)
            return;
        if (path->isEmpty() || !QFileInfo(*path).isFile())
            return; // nothing to import, and nothing said
        // Read whole before any row changes, so a file that cannot be read changes nothing.
        const QStringList lines = readCsvFile(*path);
        // The rows and their numbers are one step.
        const EditHistory::Group step(m_documents.history(), QStringLiteral("CSV取込"));
        m_grid.importCsvLines(start, lines, separatorChar(options->separator), options->column);
        // The imported rows get their numbers from the serial dialog, counted from row 1.
        selectRows(1, m_rows.RowCount() - 1);
        SerializeRows();
        selectRows(1, 1);
    });
}

void GridCommands::gridEnterPressed()
{
    m_documents.history().endTyping();
    explicitRedraw();
}

} // namespace korbena
