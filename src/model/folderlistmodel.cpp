#include "model/folderlistmodel.h"

#include "model/pathseparator.h"

namespace orvane {

void FolderListModel::setFolder(std::string path, std::vector<std::string> subFolders)
{
    m_path = std::move(path);
    m_subFolders = std::move(subFolders);
    notify();
}

std::vector<FolderListModel::Row> FolderListModel::rows() const
{
    std::vector<Row> rows;
    if (m_path.empty())
        return rows;
    const std::string root(1, kPathSeparator);
    rows.push_back({root, root, 0, true});
    std::string chain;
    for (std::size_t start = 1; start < m_path.size();) {
        std::size_t end = m_path.find(kPathSeparator, start);
        if (end == std::string::npos)
            end = m_path.size();
        if (end > start) {
            chain += kPathSeparator + m_path.substr(start, end - start);
            rows.push_back(
                {m_path.substr(start, end - start), chain, static_cast<int>(rows.size()), true});
        }
        start = end + 1;
    }
    const int depth = static_cast<int>(rows.size());
    for (const std::string& name : m_subFolders)
        rows.push_back(
            {name, (chain.empty() ? root : chain + kPathSeparator) + name, depth, false});
    return rows;
}

} // namespace orvane
