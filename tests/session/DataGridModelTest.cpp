#include "session/DataGridModel.h"

#include "document/ChangeTracking.h"
#include "document/SerialNumbers.h"
#include "platform/Error.h"

#include <QAbstractItemModelTester>
#include <QLoggingCategory>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

namespace korbena {
namespace {

// What a view shows: a copy of the cells kept up to date by the model's
// notifications alone. A command that changes the list without telling, or tells
// the wrong rows, leaves it out of step.
class ViewMirror
{
public:
    explicit ViewMirror(const QAbstractItemModel& model) : m_model(model)
    {
        reload();
        QObject::connect(&model, &QAbstractItemModel::rowsInserted,
                         [this](const QModelIndex&, int first, int last) {
                             m_rows.insert(m_rows.begin() + first, last - first + 1, {});
                             fetch(first, last);
                         });
        QObject::connect(&model, &QAbstractItemModel::rowsRemoved,
                         [this](const QModelIndex&, int first, int last) {
                             m_rows.erase(m_rows.begin() + first, m_rows.begin() + last + 1);
                         });
        QObject::connect(
            &model, &QAbstractItemModel::dataChanged,
            [this](const QModelIndex& from, const QModelIndex& to) { fetch(from.row(), to.row()); });
        QObject::connect(&model, &QAbstractItemModel::modelReset, [this] { reload(); });
    }

    // Differences from the model as it is, as text for the failure message.
    QString differences() const
    {
        if (static_cast<int>(m_rows.size()) != m_model.rowCount())
            return QStringLiteral("%1 rows shown, %2 in the model")
                .arg(m_rows.size())
                .arg(m_model.rowCount());
        for (int row = 0; row < m_model.rowCount(); ++row) {
            for (int column = 0; column < 2; ++column) {
                const QString actual = m_model.index(row, column).data().toString();
                if (m_rows[row][column] != actual)
                    return QStringLiteral("row %1 column %2 shows '%3', the model has '%4'")
                        .arg(row)
                        .arg(column)
                        .arg(m_rows[row][column], actual);
            }
        }
        return {};
    }

private:
    void reload()
    {
        m_rows.assign(m_model.rowCount(), {});
        fetch(0, m_model.rowCount() - 1);
    }
    void fetch(int first, int last)
    {
        for (int row = first; row <= last; ++row)
            for (int column = 0; column < 2; ++column)
                m_rows[row][column] = m_model.index(row, column).data().toString();
    }

    const QAbstractItemModel& m_model;
    std::vector<std::array<QString, 2>> m_rows;
};

// The model tester reports through warnings of its logging category.
int g_testerWarnings = 0;
void countTesterWarnings(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtDebugMsg && QByteArrayView(context.category) == "qt.modeltest") {
        ++g_testerWarnings;
        ADD_FAILURE() << message.toStdString();
    }
}

// Nine data rows, and rows 10 to 12 hidden with their text.
DataList sampleList()
{
    DataList list;
    for (int row = 1; row <= 12; ++row) {
        list.setTitle(row, QStringLiteral("t%1").arg(row));
        list.setNumber(row, QStringLiteral("n%1").arg(row));
    }
    list.SetRowCount(10);
    return list;
}

struct Grid
{
    DataList list = sampleList();
    DataGridModel model{list};
    ViewMirror view{model};
    QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Warning};
};

class DataGridModelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_testerWarnings = 0;
        m_previous = qInstallMessageHandler(countTesterWarnings);
    }
    void TearDown() override { qInstallMessageHandler(m_previous); }

private:
    QtMessageHandler m_previous = nullptr;
};

TEST_F(DataGridModelTest, RowCommandsKeepTheViewsInStep)
{
    Grid grid;
    ChangeTracking tracking;
    tracking.TakeDataSnapshot(grid.list);
    const std::vector<std::pair<const char*, std::function<void(DataGridModel&)>>> commands = {
        {"insert at the selection", [](DataGridModel& m) { m.insertBlankRows(3, 3); }},
        {"insert past the end", [](DataGridModel& m) { m.insertBlankRows(m.rowCount() + 3, 2); }},
        {"insert twice two rows", [](DataGridModel& m) { m.insertBlankRowsRepeated(2, 3, 2); }},
        {"delete", [](DataGridModel& m) { m.deleteRowRange(6, 2); }},
        {"delete past the end",
         [](DataGridModel& m) { m.deleteRowRange(m.rowCount() - 1, m.rowCount() + 5); }},
        {"append", [](DataGridModel& m) { m.appendRows(4); }},
        {"shorten", [](DataGridModel& m) { m.appendRows(-3); }},
        {"shorten below one row", [](DataGridModel& m) { m.appendRows(-100); }},
        {"append again", [](DataGridModel& m) { m.appendRows(12); }},
        {"edit", [](DataGridModel& m) { m.setData(m.index(4, 1), QStringLiteral("typed\nin")); }},
        {"fill titles", [](DataGridModel& m) { m.fillTitles(3, QStringLiteral("T")); }},
        {"fill numbers", [](DataGridModel& m) { m.fillNumbers(2, QStringLiteral("N")); }},
        {"serial", [](DataGridModel& m) { m.serializeRows(5, SerialSettings{}); }},
        {"csv growing the grid",
         [](DataGridModel& m) {
             m.importCsvLines(12, {"a,b", "c,d", "", "e"}, u',', 2);
         }},
        {"load growing the grid",
         [](DataGridModel& m) {
             m.applyDataLines(QStringList(30, QStringLiteral("[DATA_LIST]=2;L;1;")), "a.lst");
         }},
        {"clear all", [](DataGridModel& m) { m.clearAllCells(); }},
        {"delete every row", [](DataGridModel& m) { m.deleteRowRange(1, m.rowCount()); }},
        {"undo growing the grid", [&tracking](DataGridModel& m) { m.restoreDataSnapshot(tracking); }},
        {"delete the only row",
         [](DataGridModel& m) {
             m.deleteRowRange(1, m.rowCount());
             m.setData(m.index(0, 0), QStringLiteral("x"));
             m.deleteRowRange(1, 1);
         }},
    };
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        tracking.TakeDataSnapshot(grid.list);
        command(grid.model);
        EXPECT_EQ(grid.view.differences().toStdString(), "");
        EXPECT_EQ(grid.model.rowCount(), grid.list.RowCount() - 1);
    }
    EXPECT_EQ(g_testerWarnings, 0);
}

TEST_F(DataGridModelTest, FailedCommandsShowNoChange)
{
    Grid grid;
    QSignalSpy inserting(&grid.model, &QAbstractItemModel::rowsAboutToBeInserted);
    EXPECT_THROW(grid.model.insertBlankRows(1, DataList::kMaxRowCount), Error);
    EXPECT_THROW(grid.model.insertBlankRowsRepeated(1, 1000, 1000), Error);
    EXPECT_THROW(grid.model.appendRows(DataList::kMaxRowCount), Error);
    EXPECT_THROW(grid.model.importCsvLines(DataList::kMaxRowCount - 1, {"a", "b"}, u',', 1), Error);
    EXPECT_EQ(inserting.count(), 0);
    EXPECT_EQ(grid.list.RowCount(), 10);

    // A bad row number stops the load, and the rows read before it are shown.
    EXPECT_THROW(grid.model.applyDataLines({"[DATA_LIST]=1;a;b;", "[DATA_LIST]=x;;;"}, "a.lst"), Error);
    EXPECT_EQ(grid.list.title(1), QStringLiteral("a"));
    EXPECT_EQ(grid.view.differences().toStdString(), "");
    EXPECT_EQ(g_testerWarnings, 0);
}

TEST_F(DataGridModelTest, HeadersAndEdits)
{
    Grid grid;
    EXPECT_EQ(grid.model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("文字列"));
    EXPECT_EQ(grid.model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("バーコード番号"));
    EXPECT_EQ(grid.model.headerData(0, Qt::Vertical).toInt(), 1);

    // The same text again is no edit: nothing to redraw.
    QSignalSpy changed(&grid.model, &QAbstractItemModel::dataChanged);
    EXPECT_TRUE(grid.model.setData(grid.model.index(1, 0), QStringLiteral("a\r\nb")));
    EXPECT_TRUE(grid.model.setData(grid.model.index(1, 0), QStringLiteral("a  b")));
    EXPECT_EQ(changed.count(), 1);
}

} // namespace
} // namespace korbena
