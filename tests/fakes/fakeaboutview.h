#pragma once

#include "platform/aboutview.h"

#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace orvane {

// About windows that press OK as soon as they are shown (the real one has its own tests).
class FakeAboutWindowFactory : public AboutWindowFactory
{
public:
    std::unique_ptr<AboutView> load() override { return std::make_unique<View>(); }

private:
    class View : public AboutView
    {
    public:
        int width() const override { return 345; }
        int height() const override { return 182; }
        int screenWidth() const override { return 1024; }
        int screenHeight() const override { return 768; }
        void move(float, float) override {}
        std::string caption() const override { return m_caption; }
        void setCaption(const std::string& caption) override { m_caption = caption; }
        std::string versionText() const override { return m_version; }
        void setVersionText(const std::string& text) override { m_version = text; }
        void showMainWindowIcon() override {}
        void setCommand1Click(std::function<void()> handler) override
        {
            m_click = std::move(handler);
        }
        void showModal() override
        {
            if (m_click)
                m_click();
        }
        void unload() override {}

    private:
        std::string m_caption;
        std::string m_version;
        std::function<void()> m_click;
    };
};

} // namespace orvane
