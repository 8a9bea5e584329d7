#pragma once

#include "platform/aboutview.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QPushButton;

namespace orvane {

// The About window: a fixed white dialog with the banner, the project's block of facts on the
// left and the program's icon, version and OK button on the right.
// Sizes are the frame's, title bar included; places are on the screen that holds the main
// window.
class AboutWindow : public QDialog, public AboutView
{
    Q_OBJECT
public:
    // `mainWindow` lends its icon to `Image2`; the window itself has no owner.
    explicit AboutWindow(const QWidget* mainWindow);

    int width() const override;
    int height() const override;
    int screenWidth() const override;
    int screenHeight() const override;
    void move(float left, float top) override;
    std::string caption() const override;
    void setCaption(const std::string& caption) override;
    std::string versionText() const override;
    void setVersionText(const std::string& text) override;
    void showMainWindowIcon() override;
    void setCommand1Click(std::function<void()> handler) override;
    void showModal() override;
    void unload() override;

    // Escape and the close box press OK, so every way out runs its handler.
    void reject() override;

private:
    // The frame around the client area: its own once shown, else the main window's.
    QMargins frameMargins() const;
    // The screen that holds the main window, in the desktop's coordinates.
    QRect screenArea() const;

    QPointer<const QWidget> m_mainWindow;
    QLabel* m_version = nullptr;
    QLabel* m_image2 = nullptr;
    QPushButton* m_command1 = nullptr;
    std::function<void()> m_command1Click;
};

// Makes a new About window for each opening.
class QtAboutWindowFactory : public AboutWindowFactory
{
public:
    explicit QtAboutWindowFactory(const QWidget* mainWindow) : m_mainWindow(mainWindow) {}

    std::unique_ptr<AboutView> load() override;

private:
    QPointer<const QWidget> m_mainWindow;
};

} // namespace orvane
