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
    bool destroyed = false;
    std::vector<std::string> calls; // in order
};

// An About window that records what is done to it; showModal() runs `whileShown`, which by
// default presses OK as the user would.
class FakeAboutView : public AboutView
{
public:
    FakeAboutView(std::shared_ptr<AboutRecord> record, int screenWidth, int screenHeight)
        : m_record(std::move(record)), m_screen{screenWidth, screenHeight}
    {
    }
    ~FakeAboutView() override { m_record->destroyed = true; }

    int width() const override { return 345; }
    int height() const override { return 182; }
    int screenWidth() const override { return m_screen[0]; }
    int screenHeight() const override { return m_screen[1]; }
    void move(float left, float top) override
    {
        m_record->left = left;
        m_record->top = top;
        m_record->calls.push_back("move");
    }
    std::string caption() const override { return m_caption; }
    void setCaption(const std::string& caption) override
    {
        m_caption = caption;
        m_record->calls.push_back("setCaption");
    }
    std::string versionText() const override { return m_versionText; }
    void setVersionText(const std::string& text) override
    {
        m_versionText = text;
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

    std::function<void(FakeAboutView&)> whileShown = [this](FakeAboutView&) {
        if (m_click)
            m_click(); // the OK button
    };

private:
    std::shared_ptr<AboutRecord> m_record;
    int m_screen[2];
    std::string m_caption;
    std::string m_versionText;
    std::function<void()> m_click;
    bool m_shown = false;
};

// Makes fake About windows on a screen of a given size, one record each.
class FakeAboutWindowFactory : public AboutWindowFactory
{
public:
    std::unique_ptr<AboutView> load() override
    {
        records.push_back(std::make_shared<AboutRecord>());
        auto view = std::make_unique<FakeAboutView>(records.back(), screenWidth, screenHeight);
        if (whileShown)
            view->whileShown = whileShown;
        return view;
    }

    int screenWidth = 1024;
    int screenHeight = 768;
    std::function<void(FakeAboutView&)> whileShown; // unset: OK is pressed
    std::vector<std::shared_ptr<AboutRecord>> records;
};

} // namespace orvane
