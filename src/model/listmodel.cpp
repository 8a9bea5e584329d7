#include "model/listmodel.h"

namespace orvane {

bool ListModel::addItem(std::string text)
{
    if (count() >= kMaxListEntries)
        return false;
    const int row = count();
    if (m_observer)
        m_observer->changing(ListObserver::Change::Insert, row, row);
    m_items.push_back(std::move(text));
    if (m_observer)
        m_observer->changed();
    return true;
}

void ListModel::insertItems(int index, std::vector<std::string> texts)
{
    const int room = kMaxListEntries - index;
    if (room <= 0 || texts.empty())
        return;
    if (texts.size() > static_cast<std::size_t>(room))
        texts.resize(static_cast<std::size_t>(room));
    const int added = static_cast<int>(texts.size());
    if (m_observer)
        m_observer->changing(ListObserver::Change::Insert, index, index + added - 1);
    m_items.insert(m_items.begin() + index, std::make_move_iterator(texts.begin()),
                   std::make_move_iterator(texts.end()));
    if (m_selected >= index)
        m_selected += added;
    if (m_observer)
        m_observer->changed();
    if (count() > kMaxListEntries) {
        if (m_observer)
            m_observer->changing(ListObserver::Change::Remove, kMaxListEntries, count() - 1);
        m_items.resize(kMaxListEntries);
        if (m_observer)
            m_observer->changed();
    }
    if (m_selected >= kMaxListEntries)
        setSelectedIndex(-1);
    else if (m_selected >= index && m_observer)
        m_observer->selectionChanged();
}

void ListModel::removeItem(int index)
{
    if (m_observer)
        m_observer->changing(ListObserver::Change::Remove, index, index);
    m_items.erase(m_items.begin() + index);
    const int selected = m_selected;
    if (m_selected == index)
        m_selected = -1;
    else if (m_selected > index)
        --m_selected;
    if (m_observer) {
        m_observer->changed();
        if (selected != m_selected)
            m_observer->selectionChanged();
    }
}

void ListModel::assign(std::vector<std::string> items)
{
    if (items.size() > static_cast<std::size_t>(kMaxListEntries))
        items.resize(kMaxListEntries);
    if (m_observer)
        m_observer->changing(ListObserver::Change::Reset, 0, count() - 1);
    m_items.assign(std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
    const bool wasSelected = m_selected >= 0;
    m_selected = -1;
    if (m_observer) {
        m_observer->changed();
        if (wasSelected)
            m_observer->selectionChanged();
    }
}

void ListModel::setSelectedIndex(int index)
{
    const int selected = index >= 0 && index < count() ? index : -1;
    if (selected == m_selected)
        return;
    m_selected = selected;
    if (m_observer)
        m_observer->selectionChanged();
}

std::string ListModel::selectedItem() const
{
    return m_selected >= 0 ? item(m_selected) : std::string();
}

} // namespace orvane
