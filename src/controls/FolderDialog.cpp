#include "controls/FolderDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

namespace korbena {

std::optional<QString> QtFolderChooser::chooseFolder(const FolderBrowseRequest& request)
{
    QFileDialog dialog(request.parent, request.title);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, request.options.testFlag(bifReturnOnlyFSDirs));
    dialog.setDirectory(request.root.isEmpty()
                            ? QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)
                            : request.root);
    if (request.callBack) {
        QObject::connect(&dialog, &QFileDialog::currentChanged, &dialog, [&request](const QString& path) {
            request.callBack(FolderBrowseEvent::SelectionChanged, path);
        });
        request.callBack(FolderBrowseEvent::Initialized, dialog.directory().absolutePath());
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.front();
}

FolderDialog::FolderDialog(QWidget* owner, std::unique_ptr<FolderChooser> chooser)
    : m_owner(owner), m_chooser(chooser ? std::move(chooser) : std::make_unique<QtFolderChooser>())
{
}

FolderDialog::~FolderDialog() = default;

bool FolderDialog::Execute()
{
    FolderBrowseRequest request;
    request.parent = m_owner ? m_owner->window() : nullptr;
    request.title = Title;
    request.root = RootID;
    request.options = Option;
    const qintptr param = Param;
    if (BrowseCallBackProc) {
        request.callBack = [this, param](FolderBrowseEvent event, const QString& path) {
            BrowseCallBackProc(event, path, param);
        };
    }
    const std::optional<QString> chosen = m_chooser->chooseFolder(request);
    if (!chosen)
        return false;
    m_folderName = QDir::cleanPath(*chosen);
    m_image = QFileIconProvider().icon(QFileInfo(*chosen));
    Param = param;
    return true;
}

} // namespace korbena
