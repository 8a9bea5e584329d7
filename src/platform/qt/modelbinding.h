#pragma once

#include <functional>

namespace orvane {

// A view's hold on the model it shows: `show` runs at once and after each of the model's changes;
// the model is let go on rebinding and when the view goes.
template <typename Model> class ModelBinding
{
public:
    explicit ModelBinding(std::function<void()> show) : m_show(std::move(show)) {}
    ~ModelBinding()
    {
        if (m_model)
            m_model->setObserver({});
    }
    ModelBinding(const ModelBinding&) = delete;
    ModelBinding& operator=(const ModelBinding&) = delete;

    // Shows `model` from now on; null for none.
    void bind(Model* model)
    {
        if (m_model)
            m_model->setObserver({});
        m_model = model;
        if (m_model)
            m_model->setObserver(m_show);
        m_show();
    }
    Model* get() const { return m_model; }

private:
    std::function<void()> m_show;
    Model* m_model = nullptr;
};

} // namespace orvane
