#pragma once

#include <QMainWindow>

#include <memory>

class QAction;
class QLabel;
class QScrollArea;
class QSlider;
class QSplitter;
class QTabWidget;
class QToolBar;

namespace korbena {

class AppController;
class PreviewPane;
class ProductInfoDialog;
class QtDesktop;
class QtDialogs;

// The main window "Korbena": menus and toolbar over the controller's commands, the
// setting tabs on the left and the sheet preview on the right. It holds no rules.
class MainWindow : public QMainWindow
{
public:
    MainWindow(const QString& dataFolder, const QString& installFolder, QWidget* parent = nullptr);
    ~MainWindow() override;

    AppController& controller() { return *m_controller; }
    PreviewPane* previewPane() const { return m_preview; }
    // An action by its id ("undo", "cellOutlines").
    QAction* action(const QString& id) const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct ActionSpec;
    void createActions();
    QWidget* createHeaderBand();
    QWidget* createToolbarHeader();
    QWidget* createZoomGroup();
    QWidget* createPageGroup();
    QWidget* createTabs();
    void createStatusBar();
    void chooseInitialPrinter();
    void restoreGeometry();
    void showFiles();
    void wrapViewTools();

    std::unique_ptr<QtDialogs> m_dialogs;
    std::unique_ptr<QtDesktop> m_desktop;
    std::unique_ptr<AppController> m_controller;
    ProductInfoDialog* m_productInfo = nullptr;
    QSplitter* m_splitter = nullptr;
    QTabWidget* m_tabs = nullptr;
    QScrollArea* m_scroll = nullptr;
    PreviewPane* m_preview = nullptr;
    QSlider* m_zoom = nullptr;
    QToolBar* m_tools = nullptr;
    QToolBar* m_viewTools = nullptr;
    QLabel* m_message = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_paperName = nullptr;
    QLabel* m_statusNote = nullptr;
    QLabel* m_styleFile = nullptr;
    QLabel* m_dataFile = nullptr;
    bool m_started = false;
};

} // namespace korbena
