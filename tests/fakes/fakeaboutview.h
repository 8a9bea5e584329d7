#pragma once

#include "platform/aboutview.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orvane {

// What one About window went through, kept after the window itself is gone.
struct AboutRecord
{
    float left = 0;
    float top = 0;
    std::string caption;
    std::string versionText;
    bool destroyed = false;
    std::vector<std::string> calls; // in order
};

// An About window that records what is done to it; showModal() runs `whileShown`, which by
// default presses OK as the user would.
class FakeAboutView : public AboutView
{
public:
    FakeAboutView(std::shared_ptr<AboutRecord> record, int width, int height, int screenWidth,
                  int screenHeight)
        : m_record(std::move(record)), m_size{width, height, screenWidth, screenHeight}
    {
    }
    ~FakeAboutView() override { m_record->destroyed = true; }

    int width() const override { return m_size[0]; }
    int height() const override { return m_size[1]; }
    int screenWidth() const override { return m_size[2]; }
    int screenHeight() const override { return m_size[3]; }
    void move(float left, float top) override
    {
        m_record->left = left;
        m_record->top = top;
        m_record->calls.push_back("move");
    }
    std::string caption() const override { return m_record->caption; }
    void setCaption(const std::string& caption) override
    {
        m_record->caption = caption;
        m_record->calls.push_back("setCaption");
    }
    std::string versionText() const override { return m_record->versionText; }
    void setVersionText(const std::string& text) override
    {
        m_record->versionText = text;
        m_record->calls.push_back("setVersionText");
    }
    void showMainWindowIcon() override { m_record->calls.push_back("showMainWindowIcon"); }
    void setCommand1Click(std::function<void()> handler) override { m_click = std::move(handler); }
    void showModal() override
    {
        m_record->calls.push_back("showModal");
        m_shown = true;
        whileShown(*this);
        m_record->calls.push_back(m_shown ? "closedByPlatform" : "closed");
        m_shown = false;
    }
    void unload() override
    {
        m_record->calls.push_back("unload");
        m_shown = false;
    }

    // Presses the OK button.
    void pressCommand1()
    {
        if (m_click)
            m_click();
    }

    std::function<void(FakeAboutView&)> whileShown = &FakeAboutView::pressCommand1;

private:
    std::shared_ptr<AboutRecord> m_record;
    int m_size[4];
    std::function<void()> m_click;
    bool m_shown = false;
};

// Makes fake About windows of a given size on a screen of a given size, one record each.
class FakeAboutWindowFactory : public AboutWindowFactory
{
public:
    std::unique_ptr<AboutView> load() override
    {
        records.push_back(std::make_shared<AboutRecord>());
        auto view = std::make_unique<FakeAboutView>(records.back(), width, height, screenWidth,
                                                    screenHeight);
        if (whileShown)
            view->whileShown = whileShown;
        return view;
    }

    int width = 345;
    int height = 182;
    int screenWidth = 1024;
    int screenHeight = 768;
    std::function<void(FakeAboutView&)> whileShown; // unset: OK is pressed
    std::vector<std::shared_ptr<AboutRecord>> records;
};

} // namespace orvane
