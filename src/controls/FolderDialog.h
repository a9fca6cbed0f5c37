#pragma once

#include <QFlags>
#include <QIcon>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace korbena {

// What the folder browser is asked to allow; the values are those of the shell's
// browse flags. Only bifReturnOnlyFSDirs changes what Qt's chooser shows (folders only);
// the others are kept for callers that pass them on.
enum TFolderDlgOption : int {
    bifReturnOnlyFSDirs = 0x1,
    bifDontGoBelowDomain = 0x2,
    bifStatusText = 0x4,
    bifReturnFSAncestors = 0x8,
    bifBrowseForComputer = 0x1000,
    bifBrowseForPrinter = 0x2000,
};
Q_DECLARE_FLAGS(TFolderDlgOptions, TFolderDlgOption)

// What the browser tells its callback: it has opened, or the selection has moved.
enum class FolderBrowseEvent { Initialized, SelectionChanged };

// The callback handed to the browser, with the path concerned and the dialog's Param.
using BrowseCallBack = std::function<void(FolderBrowseEvent event, const QString& path, qintptr param)>;

// One modal run of a folder browser.
struct FolderBrowseRequest
{
    QWidget* parent = nullptr; // the owner's window
    QString title;
    QString root; // empty: the desktop
    TFolderDlgOptions options;
    std::function<void(FolderBrowseEvent event, const QString& path)> callBack; // may be empty
};

// The modal interaction itself: the chosen folder's path, or nothing when cancelled.
// Qt's folder chooser is the default; tests put a scripted one in its place.
class FolderChooser
{
public:
    virtual ~FolderChooser() = default;
    virtual std::optional<QString> chooseFolder(const FolderBrowseRequest& request) = 0;
};

// Qt's folder chooser (QFileDialog in directory mode).
class QtFolderChooser : public FolderChooser
{
public:
    std::optional<QString> chooseFolder(const FolderBrowseRequest& request) override;
};

// Shows a folder browser and keeps the chosen folder. Not a window itself: its owner's
// window becomes the browser's parent.
class FolderDialog
{
public:
    explicit FolderDialog(QWidget* owner, std::unique_ptr<FolderChooser> chooser = {});
    ~FolderDialog();
    FolderDialog(const FolderDialog&) = delete;
    FolderDialog& operator=(const FolderDialog&) = delete;

    // The instruction shown with the folder tree.
    QString Title;
    TFolderDlgOptions Option = bifReturnOnlyFSDirs;
    // The root of the tree; empty means the desktop.
    QString RootID;
    BrowseCallBack BrowseCallBackProc;
    // Handed to the callback; read back after a successful run.
    qintptr Param = 0;

    // After a successful run: the chosen folder's path and its icon (which stands in
    // for the shell's image-list index).
    const QString& FolderName() const { return m_folderName; }
    const QIcon& Image() const { return m_image; }

    // Shows the browser modally; true when a folder was chosen, false when cancelled
    // (FolderName, Image and Param then keep their values).
    bool Execute();

private:
    QWidget* m_owner;
    std::unique_ptr<FolderChooser> m_chooser;
    QString m_folderName;
    QIcon m_image;
};

} // namespace korbena

Q_DECLARE_OPERATORS_FOR_FLAGS(korbena::TFolderDlgOptions)
