#include "controls/FolderDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <vector>

namespace korbena {
namespace {

// Answers each run from a queue (a path, or nothing for cancel) and keeps the requests.
class ScriptedChooser : public FolderChooser
{
public:
    std::deque<std::optional<QString>> answers;
    std::vector<FolderBrowseRequest> requests;

    std::optional<QString> chooseFolder(const FolderBrowseRequest& request) override
    {
        requests.push_back(request);
        if (request.callBack)
            request.callBack(FolderBrowseEvent::Initialized, request.root);
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

TEST(FolderDialog, ExecuteKeepsTheChosenFolderAndCancelKeepsTheOldOne)
{
    QWidget window;
    QWidget owner(&window);
    auto script = std::make_unique<ScriptedChooser>();
    ScriptedChooser& chooser = *script;
    chooser.answers = {QStringLiteral("/srv/labels/"), std::nullopt};
    FolderDialog dialog(&owner, std::move(script));
    dialog.Option |= bifStatusText;
    dialog.Param = 77;
    qintptr seen = 0;
    dialog.BrowseCallBackProc = [&](FolderBrowseEvent, const QString&, qintptr param) { seen = param; };

    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FolderName(), QStringLiteral("/srv/labels"));
    EXPECT_EQ(dialog.Param, 77);
    EXPECT_EQ(seen, 77);
    EXPECT_EQ(chooser.requests.at(0).parent, &window);
    EXPECT_EQ(int(chooser.requests.at(0).options), bifReturnOnlyFSDirs | bifStatusText);

    EXPECT_FALSE(dialog.Execute());
    EXPECT_EQ(dialog.FolderName(), QStringLiteral("/srv/labels"));
}

TEST(FolderDialog, QtChooserReturnsTheFolderTheUserAccepts)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkdir(QStringLiteral("style")));
    QWidget owner;
    FolderDialog dialog(&owner);
    dialog.RootID = root.path();
    std::vector<FolderBrowseEvent> events;
    dialog.BrowseCallBackProc = [&](FolderBrowseEvent event, const QString&, qintptr) {
        events.push_back(event);
    };

    // The user picks "style" as soon as the browser is up; give up after a while.
    int tries = 0;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
        auto* browser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (browser) {
            browser->selectFile(root.filePath(QStringLiteral("style")));
            static_cast<QDialog*>(browser)->accept(); // the dialog's own accept runs
        } else if (++tries > 200) {
            user.stop();
        }
    });
    user.start(10);
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FolderName(), root.filePath(QStringLiteral("style")));
    EXPECT_FALSE(events.empty());
    EXPECT_EQ(events.front(), FolderBrowseEvent::Initialized);
}

} // namespace
} // namespace korbena
