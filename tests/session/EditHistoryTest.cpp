// The undo and redo history: from a random list and style, a long run of random edits
// of every kind, then every step undone gives the start back exactly, hidden rows
// included, and every step redone gives the end back exactly. The grid model is
// watched by Qt's model tester all along.
#include "ScriptedDialogs.h"
#include "document/SerialNumbers.h"
#include "session/DocumentSession.h"
#include "session/HistorySteps.h"
#include "session/StyleEditing.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace korbena::test {
namespace {

class SilentHooks : public SessionHooks
{
public:
    void raise(const QString&) override {}
    void RedrawPreview() override {}
    void explicitRedraw() override {}
    int startLabel() const override { return 1; }
};

// Everything a step may change: the rows, shown and hidden, and the style.
struct Documents
{
    int rowCount = 0;
    std::vector<QString> titles;
    std::vector<QString> numbers;
    LabelStyle style;

    static Documents of(DocumentSession& session)
    {
        Documents d;
        const DataList& rows = session.rows();
        d.rowCount = rows.RowCount();
        for (int row = 1; row <= static_cast<int>(rows.storedRows()); ++row) {
            d.titles.push_back(rows.title(row));
            d.numbers.push_back(rows.number(row));
        }
        // Trailing empty rows are storage, not text.
        while (!d.titles.empty() && d.titles.back().isEmpty() && d.numbers.back().isEmpty()) {
            d.titles.pop_back();
            d.numbers.pop_back();
        }
        d.style = session.style();
        return d;
    }
    bool operator==(const Documents&) const = default;
};

class RandomEdits
{
public:
    RandomEdits(DocumentSession& session, unsigned seed) : m_session(session), m_random(seed) {}

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    QString text()
    {
        static const QStringList words{"", "", "りんご", "A", "１２３", "4901234567894", "x y", "バナナ"};
        return words[pick(0, static_cast<int>(words.size()) - 1)] +
               (pick(0, 2) ? QString::number(pick(0, 99)) : "");
    }
    int lastRow() const { return m_session.rows().RowCount() - 1; }
    int anyRow() { return pick(1, lastRow()); }
    DataGridModel& grid() { return m_session.grid(); }

    // A random list with hidden rows past its end, and a style with some fields changed.
    void start()
    {
        grid().appendRows(pick(0, 150));
        for (int row = 1; row <= lastRow(); ++row)
            for (int column : {0, 1})
                grid().setData(grid().index(row - 1, column), text());
        grid().appendRows(-pick(0, 20));
        for (int i = 0; i < 10; ++i)
            styleEdit();
        m_session.startNewHistory();
    }

    void styleEdit()
    {
        LabelStyle& style = m_session.style();
        const LabelStyle before = style;
        const auto field = static_cast<StyleField>(pick(0, static_cast<int>(kStyleFieldCount) - 1));
        switch (styleKey(field).kind) {
        case StyleKind::Length:
        case StyleKind::Count:
            setStyleValue(style, field, Extended(pick(0, 500)) / 10);
            break;
        case StyleKind::Text:
            setStyleValue(style, field, text());
            break;
        case StyleKind::Colour:
            setStyleValue(style, field, static_cast<TColor>(pick(0, 0xFFFFFF)));
            break;
        default:
            setStyleValue(style, field, std::int32_t(pick(-1, 3)));
            break;
        }
        m_session.history().recordStyle(QStringLiteral("スタイル変更"), before);
    }

    void nudge()
    {
        const auto buttons = nudgeButtons();
        const NudgeButton& button = buttons[static_cast<std::size_t>(pick(0, int(buttons.size()) - 1))];
        LabelStyle& style = m_session.style();
        const LabelStyle before = style;
        const auto length = std::get<Extended>(styleValue(style, button.field));
        setStyleValue(style, button.field, nudgedLength(length, button.arrow, Qt::ShiftModifier));
        m_session.history().recordStyle(QStringLiteral("位置微調整"), before, button.field);
    }

    // A layout applied: the sheet's fields and the paper at once.
    void sheetTemplate()
    {
        LabelStyle& style = m_session.style();
        const LabelStyle before = style;
        style.sheet.across = pick(1, 4);
        style.sheet.down = pick(1, 10);
        style.sheet.pitchX = Extended(pick(200, 700)) / 10;
        style.sheet.paper = pick(1, 12);
        m_session.history().recordStyle(QStringLiteral("ラベル用紙適用"), before);
    }

    CellBlock block(int rows)
    {
        CellBlock cells;
        for (int i = 0; i < rows; ++i)
            cells.push_back({text(), text()});
        return cells;
    }

    SerialSettings serial()
    {
        SerialSettings settings;
        settings.start = pick(-5, 1000);
        settings.width = pick(0, 6);
        return settings;
    }

    void rowEdit(int kind);
    void edit()
    {
        const int kind = pick(0, 17);
        if (kind < 14) {
            rowEdit(kind);
        } else if (kind == 14) {
            styleEdit();
        } else if (kind == 15) {
            nudge();
        } else if (kind == 16) {
            sheetTemplate();
        } else {
            // Both imports: the rows, then their numbers, as one step.
            const EditHistory::Group step(m_session.history(), QStringLiteral("CSV取込"));
            QStringList lines;
            for (int i = pick(0, 30); i > 0; --i)
                lines << text() + u',' + text();
            grid().importCsvLines(anyRow(), lines, u',', pick(0, 1));
            if (pick(0, 1))
                grid().serializeRows(1, serial());
        }
    }

private:
    DocumentSession& m_session;
    std::mt19937 m_random;
};

void RandomEdits::rowEdit(int kind)
{
    switch (kind) {
    case 0:
    case 1:
    case 2:
        grid().setData(grid().index(anyRow() - 1, pick(0, 1)), text());
        break;
    case 3:
        grid().insertBlankRows(anyRow(), pick(1, 20));
        break;
    case 4:
        grid().deleteRowRange(anyRow(), pick(0, 8) ? anyRow() : lastRow() + 5);
        break;
    case 5:
        grid().fillTitles(anyRow(), text());
        break;
    case 6:
        grid().fillNumbers(anyRow(), text());
        break;
    case 7:
        if (pick(0, 3) == 0)
            grid().clearAllCells();
        break;
    case 8:
        grid().serializeRows(anyRow(), serial());
        break;
    case 9:
        grid().pasteBlock(pick(1, lastRow() + 3), pick(0, 1), block(pick(1, 30)));
        break;
    case 10: {
        const int a = anyRow();
        grid().halfWidthNumbers(a, std::min(lastRow(), a + pick(0, 50)));
        break;
    }
    case 11:
        grid().appendRows(pick(-15, 15));
        break;
    case 12:
        grid().insertBlankRowsRepeated(anyRow(), anyRow(), pick(1, 3));
        break;
    default: {
        // The detailed import writes its rows as a block.
        const EditHistory::Group step(m_session.history(), QStringLiteral("CSV詳細取込"));
        grid().pasteBlock(anyRow(), 0, block(pick(1, 40)));
        break;
    }
    }
}

TEST(EditHistory, UndoingEveryStepGivesTheStartBackAndRedoingThemGivesTheEnd)
{
    QTemporaryDir home;
    for (unsigned seed : {1u, 7u, 42u, 2026u}) {
        SCOPED_TRACE(seed);
        ScriptedDialogs dialogs;
        SilentHooks hooks;
        DocumentSession session{dialogs, hooks, home.path()};
        QAbstractItemModelTester tester(&session.grid(),
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        RandomEdits edits(session, seed);
        edits.start();
        const Documents start = Documents::of(session);

        for (int i = 0; i < 200; ++i)
            edits.edit();
        const Documents end = Documents::of(session);
        ASSERT_FALSE(end == start);
        const int steps = session.history().count();
        EXPECT_GT(steps, 100);
        EXPECT_LE(steps, EditHistory::kUndoLimit);

        while (session.undoEnabled())
            session.undoCommand();
        EXPECT_TRUE(Documents::of(session) == start);
        EXPECT_EQ(session.history().index(), 0);

        while (session.redoEnabled())
            session.redoCommand();
        EXPECT_TRUE(Documents::of(session) == end);
        EXPECT_EQ(session.history().index(), steps);
    }
}

TEST(EditHistory, StepsKeepWhatTheyChangedAndLoadingStartsANewHistory)
{
    QTemporaryDir home;
    ScriptedDialogs dialogs;
    SilentHooks hooks;
    DocumentSession session{dialogs, hooks, home.path()};
    DataGridModel& grid = session.grid();
    grid.appendRows(100'000 - grid.rowCount() - 1);
    session.startNewHistory();
    grid.serializeRows(1, SerialSettings{}); // untitled rows: nothing numbered, no step
    EXPECT_FALSE(session.undoEnabled());
    const auto bytes = [&] { return session.history().estimatedBytes(); };
    grid.fillTitles(1, QStringLiteral("品"));
    // A cell edit and an insert of blank rows hold next to nothing.
    std::size_t before = bytes();
    grid.setData(grid.index(49'999, 1), QStringLiteral("x"));
    EXPECT_LT(bytes() - before, 1000u);
    before = bytes();
    grid.insertBlankRows(10, 1000);
    EXPECT_LT(bytes() - before, 1000u);
    grid.deleteRowRange(5, 7);
    EXPECT_EQ(session.history().undoText(), QStringLiteral("3行削除"));

    session.undoCommand();
    session.undoCommand();
    EXPECT_EQ(session.history().undoText(), QStringLiteral("セル編集"));
    session.undoCommand();
    EXPECT_EQ(session.history().undoText(), QStringLiteral("タイトル一括入力"));
    EXPECT_EQ(session.rows().number(50'000), QString());

    // Saving marks where the documents match their files; loading clears the history.
    session.redoCommand();
    EXPECT_FALSE(session.history().isClean());
    const QString list = home.path() + QStringLiteral("/list.lst");
    dialogs.expectInformation("Korbena\r\nデータを登録しました");
    session.SaveDataList(list);
    EXPECT_TRUE(session.history().isClean());
    EXPECT_TRUE(session.undoEnabled());
    session.LoadDataList(list);
    EXPECT_FALSE(session.undoEnabled());
    EXPECT_FALSE(session.redoEnabled());
    EXPECT_EQ(session.rows().number(50'000), QStringLiteral("x"));
}

} // namespace
} // namespace korbena::test
